#include "engine/calendar.h"

#include <cmath>
#include <ctime>

#include "engine/engine_settings.h"
#include "engine/report.h"
#include "engine/string_table.h"

namespace qw {
namespace {

// Days before the start of month m (m = 1..13) in a common year.
constexpr uint16_t kDaysBefore[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

// Days from 1 January of year 1 (proleptic Gregorian, 0-based) to 1 January 1900.
constexpr uint32_t kDaysToEpoch = 693595;

constexpr uint16_t kLastYear = 9999;

bool IsLeapYear(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

uint8_t DaysInMonth(unsigned year, unsigned month) {
  unsigned days = kDaysBefore[month] - kDaysBefore[month - 1];
  if (month == 2 && IsLeapYear(year)) ++days;
  return static_cast<uint8_t>(days);
}

// Day of the month of the first Sunday, from any day of the month and its weekday.
int FirstSunday(const DateRecord& date) {
  int first = (date.day - date.weekday + 7) % 7;
  return first == 0 ? 7 : first;
}

int LastSunday(const DateRecord& date) {
  int first = FirstSunday(date);
  return first + 28 > date.daysInMonth ? first + 21 : first + 28;
}

}  // namespace

void MinuteToDate(EngineMinute minute, DateRecord& date) {
  const uint32_t intoDay = minute % kMinutesPerDay;
  const uint32_t days = (minute - intoDay) / kMinutesPerDay + kDaysToEpoch;

  const uint32_t q400 = days / 146097;
  const uint32_t a = days % 146097;
  const uint32_t c = a / 36524;
  const uint32_t b = a % 36524;
  const uint32_t q4 = b / 1461;
  const uint32_t f = b % 1461;
  int32_t y = static_cast<int32_t>(f / 365);
  if (c == 4 || y == 4) --y;

  const uint32_t year = static_cast<uint32_t>(y) + 100 * c + 400 * q400 + 4 * q4 + 1;
  const int32_t dayOfYear = static_cast<int32_t>(f) - 365 * y + 1;
  const bool leap = IsLeapYear(year);

  date.year = static_cast<uint16_t>(year);
  date.dayOfYear = static_cast<uint16_t>(dayOfYear);
  date.leapYear = leap ? 1 : 0;
  if (leap && dayOfYear == 60) {
    date.month = 2;
    date.day = 29;
  } else {
    const int32_t h = (leap && dayOfYear > 60) ? dayOfYear - 1 : dayOfYear;
    int month = 2;
    while (month <= 12 && kDaysBefore[month - 1] < h) ++month;
    date.month = static_cast<uint8_t>(month - 1);
    date.day = static_cast<uint8_t>(h - kDaysBefore[date.month - 1]);
  }
  date.second = 0;
  date.minute = static_cast<uint8_t>(intoDay % 60);
  date.hour = static_cast<uint8_t>(intoDay / 60);
  date.weekday = static_cast<uint8_t>((days + 1) % 7);
  date.daysInMonth = DaysInMonth(date.year, date.month);
  date.dstFlag = UsDaylightSavingFlag(date);
}

EngineMinute DateToMinute(DateRecord& date) {
  bool usedNow = false;
  if (date.year == 0) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    date.year = static_cast<uint16_t>(local.tm_year + 1900);
    date.month = static_cast<uint8_t>(local.tm_mon + 1);
    date.day = static_cast<uint8_t>(local.tm_mday);
    date.hour = static_cast<uint8_t>(local.tm_hour);
    date.minute = static_cast<uint8_t>(local.tm_min);
    usedNow = true;
  }

  // Each clamp may seed the next one, in this order.
  if (date.year < 1900) { date.year = 1900; date.month = 0; }
  if (date.year > kLastYear) { date.year = kLastYear; date.month = 13; }
  if (date.month == 0) { date.month = 1; date.day = 0; }
  if (date.day == 0) { date.day = 1; date.hour = 0; date.minute = 0; }
  if (date.month > 12) { date.month = 12; date.day = 32; }
  if (date.day > 31) { date.day = 31; date.hour = 24; }
  if (date.hour > 23) { date.hour = 23; date.minute = 60; }
  if (date.minute > 59) date.minute = 59;

  const unsigned year = date.year;
  date.leapYear = IsLeapYear(year) ? 1 : 0;
  date.daysInMonth = DaysInMonth(year, date.month);
  if (date.day > date.daysInMonth) date.day = date.daysInMonth;
  date.dayOfYear = static_cast<uint16_t>(kDaysBefore[date.month - 1] + date.day +
                                         ((date.leapYear && date.month > 2) ? 1 : 0));

  const uint32_t leapDays = (year - 1) / 4 - (year - 1) / 100 + (year - 1) / 400 - 460;
  const uint32_t days = (year - 1900) * 365 + leapDays + date.dayOfYear - 1;
  date.weekday = static_cast<uint8_t>((days + 1) % 7);

  EngineMinute result = days * kMinutesPerDay + date.hour * 60u + date.minute;
  date.dstFlag = UsDaylightSavingFlag(date);

  if (usedNow && Settings().useGmtCorrection == 1) {
    const int64_t shift = static_cast<int64_t>(std::trunc(Settings().gmtCorrectionHours * 60.0));
    const int64_t shifted = static_cast<int64_t>(result) + shift;
    result = shifted < 0 ? 0 : static_cast<EngineMinute>(shifted);
    MinuteToDate(result, date);
  }
  return result;
}

EngineMinute MinuteOf(int year, int month, int day, int hour, int minute) {
  DateRecord date;
  date.year = static_cast<uint16_t>(year < 1 ? 1 : (year > 65535 ? 65535 : year));
  date.month = static_cast<uint8_t>(month < 0 ? 0 : (month > 255 ? 255 : month));
  date.day = static_cast<uint8_t>(day < 0 ? 0 : (day > 255 ? 255 : day));
  date.hour = static_cast<uint8_t>(hour < 0 ? 0 : (hour > 255 ? 255 : hour));
  date.minute = static_cast<uint8_t>(minute < 0 ? 0 : (minute > 255 ? 255 : minute));
  return DateToMinute(date);
}

uint8_t UsDaylightSavingFlag(const DateRecord& date) {
  const int day = date.day;
  if (date.year >= 2007) {
    if (date.month >= 4 && date.month <= 10) return 1;
    if (date.month == 3) return day >= FirstSunday(date) + 7 ? 1 : 0;
    if (date.month == 11) return day < FirstSunday(date) ? 1 : 0;
    return 0;
  }
  if (date.month >= 5 && date.month <= 9) return 1;
  if (date.month == 4) {
    const int start = date.year >= 1987 ? FirstSunday(date) : LastSunday(date);
    return day >= start ? 1 : 0;
  }
  if (date.month == 10) return day < LastSunday(date) ? 1 : 0;
  return 0;
}

EngineMinute AddDays(EngineMinute minute, int16_t days) {
  const int64_t delta = static_cast<int64_t>(days) * kMinutesPerDay;
  if (days > 0 || -delta < static_cast<int64_t>(minute)) {
    return static_cast<EngineMinute>(static_cast<int64_t>(minute) + delta);
  }
  return 0;
}

EngineMinute AddMonths(EngineMinute minute, int16_t months) {
  DateRecord date;
  MinuteToDate(minute, date);
  int year = date.year;
  int month = date.month;
  int n = months;
  if (n > 11 || n <= -12) {
    year += n / 12;
    n %= 12;
  }
  month += n;
  while (month > 12) { ++year; month -= 12; }
  while (month < 1) { --year; month += 12; }
  // A year pushed below 1 must not become 0, which DateToMinute reads as "now".
  date.year = static_cast<uint16_t>(year < 1 ? 1 : year);
  date.month = static_cast<uint8_t>(month);
  return DateToMinute(date);
}

EngineMinute FirstSupportedMinute() { return MinuteOf(1901, 1, 1); }
EngineMinute LastSupportedMinute() { return MinuteOf(2099, 12, 31); }

EngineMinute FirstComputableMinute() { return MinuteOf(1900, 1, 1); }
EngineMinute LastComputableMinute() { return MinuteOf(2100, 12, 31, 23, 59); }

bool InComputableRange(int64_t minute) {
  return minute >= static_cast<int64_t>(FirstComputableMinute()) && minute <= static_cast<int64_t>(LastComputableMinute());
}

bool CheckPredictionDate(EngineMinute minute) {
  DateRecord bound;
  if (minute < FirstSupportedMinute()) {
    MinuteToDate(FirstSupportedMinute(), bound);
    ReportEngineError(3200, FormatString(3200, bound.month, bound.day, bound.year));
    return false;
  }
  if (minute > LastSupportedMinute()) {
    MinuteToDate(LastSupportedMinute(), bound);
    ReportEngineError(3201, FormatString(3201, bound.month, bound.day, bound.year));
    return false;
  }
  return true;
}

}  // namespace qw
