// The engine's time base: minutes since 1 January 1900 00:00 and their calendar form.
//
// An EngineMinute carries no time zone: it is the station's local clock time as the
// caller gives it. The tide and current sums remove daylight saving and apply the GMT
// options before evaluating.
#pragma once

#include <cstdint>

#include "engine/engine_values.h"

namespace qw {

struct DateRecord {
  uint16_t year = 0;       // Gregorian year, 1900 and later; 0 on input to DateToMinute means "now"
  uint8_t month = 0;       // 1..12
  uint8_t day = 0;         // 1..31
  uint8_t hour = 0;        // 0..23
  uint8_t minute = 0;      // 0..59
  uint8_t second = 0;      // carried only: MinuteToDate sets 0, DateToMinute ignores it
  uint8_t weekday = 0;     // 0 = Sunday .. 6 = Saturday
  uint8_t daysInMonth = 0; // 28..31
  uint8_t leapYear = 0;    // 1 in a Gregorian leap year
  uint8_t dstFlag = 0;     // 1 on a United States daylight-saving day (whole days)
  uint16_t dayOfYear = 0;  // 1..366
};

constexpr uint32_t kMinutesPerDay = 1440;

// Fills every field of `date` from a minute.
void MinuteToDate(EngineMinute minute, DateRecord& date);

// MinuteToDate for minutes that mostly share their day (the rows of a table): the date is
// worked out again only when the day changes, the hour and minute every time.
class MinuteDates {
 public:
  const DateRecord& At(EngineMinute minute) {
    const uint32_t intoDay = minute % kMinutesPerDay;
    if (minute - intoDay != dayStart_) {
      MinuteToDate(minute - intoDay, date_);
      dayStart_ = minute - intoDay;
    }
    date_.hour = static_cast<uint8_t>(intoDay / 60);
    date_.minute = static_cast<uint8_t>(intoDay % 60);
    return date_;
  }

 private:
  EngineMinute dayStart_ = 1;  // never a day's start: the first minute works its date out
  DateRecord date_;
};

// Clamps out-of-range fields (year 0 takes the computer's clock), fills the derived
// fields and returns the minute. Years after 9999 are clamped to 31 December 9999 23:59
// so the minute always fits its 32 bits.
EngineMinute DateToMinute(DateRecord& date);

// Convenience: the minute of a calendar date and time (clamped like DateToMinute).
EngineMinute MinuteOf(int year, int month, int day, int hour = 0, int minute = 0);

// 1 when the whole calendar day lies in United States daylight-saving time under the
// rule in force in the date's year: last Sunday of April to last Sunday of October
// before 1987; first Sunday of April to last Sunday of October 1987-2006; second Sunday
// of March to first Sunday of November from 2007. The starting Sunday is flagged, the
// ending Sunday is not. Needs year, month, day, weekday and daysInMonth set.
uint8_t UsDaylightSavingFlag(const DateRecord& date);

// minute + days whole days; 0 when that would fall before minute 0.
EngineMinute AddDays(EngineMinute minute, int16_t days);

// The same day of the month `months` months away, clamped to that month's length.
EngineMinute AddMonths(EngineMinute minute, int16_t months);

// The supported prediction range: 1 January 1901 00:00 to 31 December 2099 00:00.
EngineMinute FirstSupportedMinute();
EngineMinute LastSupportedMinute();

// True when `minute` lies in the supported range; otherwise reports message 3200 or
// 3201 with the bound's date and returns false.
bool CheckPredictionDate(EngineMinute minute);

// The minutes the installed year data let the engine compute: 1 January 1900 00:00 to
// 31 December 2100 23:59. The searches for the events around a supported date, and the
// last hours of 31 December 2099, look into them; dates shown stay in the supported range.
EngineMinute FirstComputableMinute();
EngineMinute LastComputableMinute();
bool InComputableRange(int64_t minute);

}  // namespace qw
