// Everything a tide window shows for one date of one station, asked of the engine in
// one place: the high and low waters, the curve, the sun and the moon. The date is the
// station clock's (station_clock.h): 23 or 25 hours on the days the clocks change, every
// event carrying the offset in force at its own instant. Values stay in engine units
// (millionths of a foot); display_units.h converts.
#pragma once

#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/civil_days.h"
#include "engine/sky_day.h"
#include "engine/station_clock.h"
#include "engine/tide_location.h"
#include "present/station_day.h"

namespace qw {

StationNotice TideNoticeOf(const TideLocation& station);

struct TideDay {
  EngineMinute day = 0;  // 00:00 of the date, shown time
  DateRecord date;
  CivilDaySpan span;     // the instants the date holds
  bool extremesFound = false;
  std::vector<ShownTideEvent> extremes;  // in time order, at most 5
  int32_t maximum = 0;                   // the day's highest and lowest heights
  int32_t minimum = 0;
  std::vector<int32_t> halfHour;  // the height 30 i minutes after the date's first instant
  std::vector<int32_t> fine;      // every kFineStepMinutes through the date when asked for
  SkyDay sky;                     // sun and moon (events empty when not asked for)
  bool skyAsked = false;
  std::string referenceName;  // the harmonic record the station is computed from
};

// Computes a date. A station that cannot be predicted gives a day with no values
// (kValueNotDefined).
TideDay ComputeTideDay(const TideLocation& station, const StationClock& clock, EngineMinute day,
                       const DayParts& parts = {});

// The height at the instant `standard` (a standard minute, station_clock.h):
// kValueNotDefined where the station has none, kValueFailed after a reported failure.
int32_t TideHeightAt(const TideLocation& station, EngineMinute standard);

}  // namespace qw
