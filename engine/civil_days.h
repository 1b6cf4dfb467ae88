// A station's day as its clock shows it: the high and low waters, or the floods, ebbs and
// slacks, of one civil date, and the heights or currents at equal steps through it.
//
// The date is the station clock's (station_clock.h): from its first instant to the first
// instant of the next date, 23 or 25 hours on the days the clocks change. Every event
// and every row carries its instant, the time shown then and the UTC offset in force at
// that instant, so an event in the hour the clocks go back is listed once, with the
// offset it happened under, and none is lost in the hour they skip. These are the day
// lists the windows, graphs, tables, searches, exports, reports and the command-line tool
// build on.
//
// Heights are millionths of a foot and speeds millionths of a knot (kValueNotDefined for
// a value a subordinate station does not define), directions degrees true.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/current_location.h"
#include "engine/station_clock.h"
#include "engine/tide_location.h"

namespace qw {

struct ShownTideEvent {
  char kind = 0;       // 'H' or 'L'
  int32_t height = 0;
  ClockReading at;
};

struct TideDayList {
  int status = 0;  // 0, or -1 after message 2410 (a prediction failed, or over 16 candidates)
  CivilDaySpan span;
  std::vector<ShownTideEvent> events;  // time order, at most 5, cleaned as the tide window lists them
  int32_t maximum = 0;  // the day's highest and lowest heights: the events, 0, and the
  int32_t minimum = 0;  // heights at the first and the last minute of the date
};

// The high and low waters of the civil date `date` (its time of day is ignored).
TideDayList FindTideDay(const TideLocation& station, const StationClock& clock, EngineMinute date);

struct ShownCurrentEvent {
  char kind = 0;  // 'F' maximum flood, 'E' maximum ebb, 'S' slack; rotary 'M' maximum, 'm' minimum
  int32_t speed = 0;
  int16_t direction = 0;
  ClockReading at;
};

struct CurrentDayList {
  int status = 0;  // 0, or -32767 after message 2212 (a step failed or did not advance, or over 24 events)
  CivilDaySpan span;
  std::vector<ShownCurrentEvent> events;  // time order
  int32_t maxSpeed = 0;  // the day's largest and smallest speeds: the events, 0, and the
  int32_t minSpeed = 0;  // values at the first and the last minute of the date
};

// The events of the civil date `date`. A non-rotary station that gives none of its four
// time corrections has no events (status 0, an empty list, maximum and minimum 0).
CurrentDayList FindCurrentDay(const CurrentLocation& station, const StationClock& clock, EngineMinute date);

struct ShownTideValue {
  int32_t height = 0;
  ClockReading at;
};

struct ShownCurrentValue {
  char kind = ' ';  // 'F', 'E' or 'S' by the slack threshold; ' ' at a rotary station
  int32_t speed = 0;
  int16_t direction = 0;
  ClockReading at;
};

// The values from the first instant of the civil date `date` every `stepMinutes` (1 to
// 1440) minutes of elapsed time while the date lasts: 24 hourly rows on most dates, 23 or
// 25 on the days the clocks change. `status` is 0, or -1 after a failure was reported
// (the rows before it stand).
struct TideDayHeights {
  int status = 0;
  CivilDaySpan span;
  std::vector<ShownTideValue> rows;
};
TideDayHeights FindTideDayHeights(const TideLocation& station, const StationClock& clock, EngineMinute date,
                                  int stepMinutes);

struct CurrentDaySpeeds {
  int status = 0;
  CivilDaySpan span;
  std::vector<ShownCurrentValue> rows;
};
CurrentDaySpeeds FindCurrentDaySpeeds(const CurrentLocation& station, const StationClock& clock, EngineMinute date,
                                      int stepMinutes);

}  // namespace qw
