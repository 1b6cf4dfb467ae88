// The texts of values, times and dates in the result rows of the event search and in
// the records of the data export.
//
// Heights arrive in millionths of a foot (MicroFeet) and speeds in millionths of a knot
// (MicroKnots), the engine's units; they are converted to the display unit here and only
// here for these two features. The conversions keep the program's historic integer
// arithmetic, so that a value reads the same in a search, an export and a saved table:
//   centimetres: trunc(height / 1000) x 3048, in hundred-thousandths of a centimetre;
//   metres:      trunc(height / 100000) x 3048, in hundred-thousandths of a metre;
//   m/s:         trunc(speed / 1000) x 514, in millionths of a metre per second (the
//                program's knot is 0.514 m/s).
#pragma once

#include <cstdint>
#include <string>

#include "engine/calendar.h"
#include "engine/engine_values.h"
#include "settings/app_settings.h"

namespace qw {

// Flag bits of HeightText and SpeedText.
constexpr int kValueTextUnit = 0x01;        // append a blank and the unit
constexpr int kValueTextHundredths = 0x08;  // two decimals

// The display choices the texts follow.
struct ValueUnits {
  TideUnit tide = TideUnit::Feet;
  CurrentUnit current = CurrentUnit::Knots;
  TimeType clock = TimeType::Clock12;
};

// A height: feet with one decimal ("%ld.%ld", two with kValueTextHundredths), rounded
// half up at the last digit; whole centimetres (two decimals with hundredths); metres
// always with two decimals. A leading "-" for a negative value. kValueNotDefined gives
// "- -". Units "ft", "cm", "m".
std::string HeightText(MicroFeet height, int flags, TideUnit unit);

// A speed without its sign (ebbs read as positive numbers), one decimal or two with
// kValueTextHundredths, rounded half up at the last digit. kValueNotDefined gives "- -".
// Units "kt", "m/s".
std::string SpeedText(MicroKnots speed, int flags, CurrentUnit unit);

// "%2d:%02d" with "a" or "p" on the 12-hour clock (hour 0 reads 12), "%02d:%02d" on the
// 24-hour clock.
std::string TimeText(int hour, int minute, TimeType clock);

// "Sun" .. "Sat" for weekday 0..6.
const char* WeekdayAbbreviation(int weekday);
// "January" .. "December" for month 1..12; "" outside.
const char* MonthName(int month);

// "Mon, 03-06-1995  9:30a -08:00": the weekday, the date as month-day-year, the time and
// the UTC offset in force at that instant.
std::string EventTimeText(EngineMinute minute, int32_t utcOffsetMinutes, TimeType clock);

// A span of minutes: " %i days, %i hr %i min" from one day on, else " %i hr %i min"
// when there are whole hours, else " %i min".
std::string DurationText(int64_t minutes);

// "March 5, 1995".
std::string LongDateText(EngineMinute minute);

}  // namespace qw
