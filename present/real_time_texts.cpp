#include "present/real_time_texts.h"

#include <cstdio>
#include <cstdlib>

#include "engine/engine_values.h"
#include "present/display_units.h"

namespace qw {
namespace {

// value / divisor rounded half away from zero.
int64_t RoundedQuotient(int64_t value, int64_t divisor) {
  const int64_t half = divisor / 2;
  return value >= 0 ? (value + half) / divisor : -((-value + half) / divisor);
}

std::string Format(const char* format, auto... args) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

// "%ld.%ld" of a count of tenths, or "%ld.%02ld" of hundredths, with a leading "-".
std::string Decimal(int64_t parts, int64_t perUnit, const char* unit) {
  const char* sign = parts < 0 ? "-" : "";
  const int64_t magnitude = std::llabs(parts);
  if (perUnit == 100) {
    return Format("%s%lld.%02lld %s", sign, static_cast<long long>(magnitude / 100),
                  static_cast<long long>(magnitude % 100), unit);
  }
  return Format("%s%lld.%lld %s", sign, static_cast<long long>(magnitude / 10), static_cast<long long>(magnitude % 10),
                unit);
}

constexpr const char* kDegree = "\xC2\xB0";

}  // namespace

std::string CountdownText(int minutes, StationKind kind) {
  const int h = minutes / 60;
  const int n = minutes % 60;
  const char* hours = h == 1 ? "hr" : "hrs";
  const char* mins = n == 1 ? "min" : "mins";
  if (kind == StationKind::Tide) {
    return h > 0 ? Format(" %d%s %d%s", h, hours, n, mins) : Format(" %d%s", n, mins);
  }
  if (h > 0) return Format(" in %d%s %d%s", h, hours, n, mins);
  return n > 0 ? Format(" in %d%s", n, mins) : std::string();
}

std::string RealTimeHeightText(MicroFeet height, TideUnit unit) {
  if (height.raw == kValueNotDefined || height.raw == kValueFailed) return "unpredictable";
  const int64_t display = HeightToDisplayExact(height, unit).raw;
  switch (unit) {
    case TideUnit::Centimetres: {
      const int64_t cm = RoundedQuotient(display, ScaleUnit(unit));
      return Format("%s%lld %s", cm < 0 ? "-" : "", static_cast<long long>(std::llabs(cm)), UnitName(unit));
    }
    case TideUnit::Metres: return Decimal(RoundedQuotient(display, ScaleUnit(unit) / 100), 100, UnitName(unit));
    case TideUnit::Feet: break;
  }
  return Decimal(RoundedQuotient(display, ScaleUnit(unit) / 10), 10, UnitName(unit));
}

std::string RealTimeSpeedText(MicroKnots speed, CurrentUnit unit) {
  if (speed.raw == kValueNotDefined || speed.raw == kValueFailed) return std::string("- - ") + UnitName(unit);
  const int64_t display = SpeedToDisplay(speed, unit).raw;
  const int64_t tenths = std::llabs(RoundedQuotient(display, ScaleUnit(unit) / 10));
  return Decimal(tenths, 10, UnitName(unit));
}

const char* CurrentStateSuffix(char kind) {
  switch (kind) {
    case 'F': return " fld";
    case 'E': return " ebb";
    case 'S': return " slk";
    case 'M': return " max";
    case 'm': return " min";
    default: return "";
  }
}

std::string NextTideText(char kind, const std::string& heightText, int minutesAhead) {
  const bool high = kind == 'H';
  if (minutesAhead <= 0) return high ? "high tide" : "low tide";
  return Format(high ? "next high tide (%s) in" : "next low tide (%s) in", heightText.c_str()) +
         CountdownText(minutesAhead, StationKind::Tide);
}

std::string NextCurrentText(char kind, MicroKnots speed, int16_t direction, CurrentUnit unit, int minutesAhead) {
  if (speed.raw == kValueNotDefined) return "Next change unpredictable";
  const std::string speedText = RealTimeSpeedText(speed, unit);
  const bool hasDirection = direction != kNotGiven16;
  std::string text;
  switch (kind) {
    case 'F':
      text = hasDirection ? Format("next max flood (%s at %d%s) ", speedText.c_str(), direction, kDegree)
                          : Format("next max flood (%s) ", speedText.c_str());
      break;
    case 'E':
      text = hasDirection ? Format("next max ebb (%s at %d%s) ", speedText.c_str(), direction, kDegree)
                          : Format("next max ebb (%s) ", speedText.c_str());
      break;
    case 'S': text = "slack water"; break;
    case 'M': text = Format("Max rotary (%s)", speedText.c_str()); break;
    case 'm': text = Format("Min rotary (%s)", speedText.c_str()); break;
    default: text = "Unknown current in "; break;
  }
  return text + CountdownText(std::max(minutesAhead, 0), StationKind::Current);
}

std::string CaptionText(const QDateTime& localNow, TimeType clock) {
  static const char* const kWeekdays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const QDate date = localNow.date();
  const QTime time = localNow.time();
  const std::string day = Format("%s %s %d, %d", kWeekdays[date.dayOfWeek() - 1], kMonths[date.month() - 1],
                                 date.day(), date.year());
  std::string clockText;
  if (clock == TimeType::Clock12) {
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    clockText = Format("%d:%02d %s", hour, time.minute(), time.hour() < 12 ? "am" : "pm");
  } else {
    clockText = Format("%02d:%02d", time.hour(), time.minute());
  }
  return Format("%s   %s", "Real Time", (day + " " + clockText).c_str());
}

}  // namespace qw
