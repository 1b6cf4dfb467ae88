#include "search/value_texts.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "engine/station_clock.h"

namespace qw {
namespace {

constexpr const char* kWeekdayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};
constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};

std::string Printf(const char* format, auto... args) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

// |scaled| split into whole units and `digits` decimals (1 or 2) of a unit worth
// `divisor`, rounded half up at the last decimal with carry into the whole part.
std::string Decimal(int64_t scaled, int64_t divisor, int digits, bool withSign) {
  const int64_t magnitude = std::llabs(scaled);
  const int64_t step = digits == 1 ? divisor / 10 : divisor / 100;
  const int64_t units = (magnitude + step / 2) / step;
  const int64_t perWhole = digits == 1 ? 10 : 100;
  // Written with to_chars: these texts fill minute tables and exports a year long.
  char text[32];
  char* p = text;
  if (withSign && scaled < 0) *p++ = '-';
  p = std::to_chars(p, text + sizeof text, units / perWhole).ptr;
  *p++ = '.';
  const int64_t fraction = units % perWhole;
  if (digits != 1 && fraction < 10) *p++ = '0';
  p = std::to_chars(p, text + sizeof text, fraction).ptr;
  return std::string(text, p);
}

std::string WithUnit(std::string text, int flags, const char* unit) {
  if (flags & kValueTextUnit) {
    text += ' ';
    text += unit;
  }
  return text;
}

}  // namespace

std::string HeightText(MicroFeet height, int flags, TideUnit unit) {
  const int32_t heightMicroFeet = height.raw;
  if (heightMicroFeet == kValueNotDefined) return "- -";
  const bool hundredths = (flags & kValueTextHundredths) != 0;
  switch (unit) {
    case TideUnit::Centimetres: {
      const int64_t scaled = int64_t{heightMicroFeet / 1000} * 3048;  // 1e-5 cm
      if (hundredths) return WithUnit(Decimal(scaled, 100000, 2, true), flags, "cm");
      const int64_t whole = (std::llabs(scaled) + 50000) / 100000;
      return WithUnit(Printf(scaled < 0 ? "-%lld" : "%lld", static_cast<long long>(whole)), flags, "cm");
    }
    case TideUnit::Metres: {
      const int64_t scaled = int64_t{heightMicroFeet / 100000} * 3048;  // 1e-5 m
      return WithUnit(Decimal(scaled, 100000, 2, true), flags, "m");
    }
    case TideUnit::Feet:
    default:
      return WithUnit(Decimal(heightMicroFeet, 1000000, hundredths ? 2 : 1, true), flags, "ft");
  }
}

std::string SpeedText(MicroKnots speed, int flags, CurrentUnit unit) {
  const int32_t speedMicroKnots = speed.raw;
  if (speedMicroKnots == kValueNotDefined) return "- -";
  const int digits = (flags & kValueTextHundredths) ? 2 : 1;
  if (unit == CurrentUnit::MetresPerSecond) {
    const int64_t scaled = int64_t{speedMicroKnots / 1000} * 514;  // 1e-6 m/s
    return WithUnit(Decimal(scaled, 1000000, digits, false), flags, "m/s");
  }
  return WithUnit(Decimal(speedMicroKnots, 1000000, digits, false), flags, "kt");
}

std::string TimeText(int hour, int minute, TimeType clock) {
  if (hour < 0 || hour > 99 || minute < 0 || minute > 99) {
    return clock == TimeType::Clock12 ? Printf("%2d:%02d%s", hour % 12 == 0 ? 12 : hour % 12, minute, hour < 12 ? "a" : "p")
                                      : Printf("%02d:%02d", hour, minute);
  }
  // "09:30", or " 9:30a" on the 12-hour clock, built without printf for the long tables.
  const int shown = clock == TimeType::Clock12 ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
  std::string text(5, ':');
  text[0] = shown < 10 ? (clock == TimeType::Clock12 ? ' ' : '0') : static_cast<char>('0' + shown / 10);
  text[1] = static_cast<char>('0' + shown % 10);
  text[3] = static_cast<char>('0' + minute / 10);
  text[4] = static_cast<char>('0' + minute % 10);
  if (clock == TimeType::Clock12) text += hour < 12 ? 'a' : 'p';
  return text;
}

const char* WeekdayAbbreviation(int weekday) {
  static constexpr const char* kShort[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  return weekday >= 0 && weekday < 7 ? kShort[weekday] : "";
}

const char* MonthName(int month) { return month >= 1 && month <= 12 ? kMonthNames[month - 1] : ""; }

std::string EventTimeText(EngineMinute minute, int32_t utcOffsetMinutes, TimeType clock) {
  DateRecord date;
  MinuteToDate(minute, date);
  char weekday[4] = {};
  std::snprintf(weekday, sizeof weekday, "%.3s", kWeekdayNames[date.weekday % 7]);
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "%s, %02d-%02d-%d %s %s", weekday, date.month, date.day, date.year,
                TimeText(date.hour, date.minute, clock).c_str(), FormatUtcOffset(utcOffsetMinutes).c_str());
  return buffer;
}

std::string DurationText(int64_t minutes) {
  const long long d = minutes;
  if (d >= 1440) return Printf(" %lld days, %lld hr %lld min", d / 1440, (d / 60) % 24, d % 60);
  if (d / 60 != 0) return Printf(" %lld hr %lld min", d / 60, d % 60);
  return Printf(" %lld min", d % 60);
}

std::string LongDateText(EngineMinute minute) {
  DateRecord date;
  MinuteToDate(minute, date);
  return Printf("%s %d, %d", MonthName(date.month), date.day, date.year);
}

}  // namespace qw
