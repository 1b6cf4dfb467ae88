// Everything a current window shows for one day of one station, asked of the engine in
// one place: the maximum floods, maximum ebbs and slack waters (maxima and minima at a
// rotary station), the curve, the sun and the moon. Values stay in engine units
// (millionths of a knot, flood positive, shown-time minutes); display_units.h converts.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/current_location.h"
#include "engine/current_prediction.h"
#include "engine/moon_phase.h"
#include "engine/rise_set.h"
#include "present/minute_table_model.h"
#include "present/station_day.h"

namespace qw {

// Why a current station's graph gives way to a notice: no reference or station number
// (nothing can be computed), weak and variable (published without a prediction), a
// subordinate station that gives none of its four time corrections, or one that lacks
// some of its time corrections or speed ratios.
StationNotice CurrentNoticeOf(const CurrentLocation& station);

struct CurrentDay {
  EngineMinute day = 0;  // 00:00 shown time
  DateRecord date;
  bool eventsFound = false;          // the engine answered for the day
  std::vector<CurrentEvent> events;  // in time order, at most kMaxCurrentDayEvents
  int32_t maximum = 0;               // the day's largest and smallest speeds
  int32_t minimum = 0;
  std::array<int32_t, 48> halfHour{};  // the speed at minute 30 i
  std::vector<int32_t> fine;           // every kFineStepMinutes from 00:00 to 24:00 when asked for
  SunTimes sun;
  MoonDay moon;
  std::string referenceName;  // the harmonic station a subordinate station is computed from
};

// Computes a day. A station with a notice other than Incomplete gives a day with no
// values (kValueNotDefined) and no events.
CurrentDay ComputeCurrentDay(const CurrentLocation& station, EngineMinute day, const DayParts& parts = {});

// The speed and direction at a shown-time minute (the minute table): kValueNotDefined
// where the station has none, kValueFailed after a reported failure.
MinuteValue CurrentValueAt(const CurrentLocation& station, EngineMinute minute);

}  // namespace qw
