// Everything a current window shows for one date of one station, asked of the engine in
// one place: the maximum floods, maximum ebbs and slack waters (maxima and minima at a
// rotary station), the curve, the sun and the moon. The date is the station clock's
// (station_clock.h), 23 or 25 hours on the days the clocks change. Values stay in engine
// units (millionths of a knot, flood positive); display_units.h converts.
#pragma once

#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/civil_days.h"
#include "engine/current_location.h"
#include "engine/sky_day.h"
#include "engine/station_clock.h"
#include "present/minute_table_model.h"
#include "present/station_day.h"

namespace qw {

// Why a current station's graph gives way to a notice: no reference or station number
// (nothing can be computed), weak and variable (published without a prediction), a
// subordinate station that gives none of its four time corrections, or one that lacks
// some of its time corrections or speed ratios.
StationNotice CurrentNoticeOf(const CurrentLocation& station);

struct CurrentDay {
  EngineMinute day = 0;  // 00:00 of the date, shown time
  DateRecord date;
  CivilDaySpan span;                      // the instants the date holds
  bool eventsFound = false;               // the engine answered for the day
  std::vector<ShownCurrentEvent> events;  // in time order
  int32_t maximum = 0;                    // the day's largest and smallest speeds
  int32_t minimum = 0;
  std::vector<int32_t> halfHour;  // the speed 30 i minutes after the date's first instant
  std::vector<int32_t> fine;      // every kFineStepMinutes through the date when asked for
  SkyDay sky;                     // sun and moon (events empty when not asked for)
  bool skyAsked = false;
  std::string referenceName;  // the harmonic station a subordinate station is computed from
};

// Computes a date. A station with a notice other than Incomplete gives a day with no
// values (kValueNotDefined) and no events.
CurrentDay ComputeCurrentDay(const CurrentLocation& station, const StationClock& clock, EngineMinute day,
                             const DayParts& parts = {});

// The speed and direction at the instant `standard` (a standard minute): kValueNotDefined
// where the station has none, kValueFailed after a reported failure.
MinuteValue CurrentValueAt(const CurrentLocation& station, EngineMinute standard);

}  // namespace qw
