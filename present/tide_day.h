// Everything a tide window shows for one day of one station, asked of the engine in
// one place: the high and low waters, the curve, the sun and the moon. Values stay in
// engine units (millionths of a foot, shown-time minutes); display_units.h converts.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/moon_phase.h"
#include "engine/rise_set.h"
#include "engine/tide_location.h"
#include "engine/tide_prediction.h"
#include "present/station_day.h"

namespace qw {

StationNotice TideNoticeOf(const TideLocation& station);

struct TideDay {
  EngineMinute day = 0;  // 00:00 shown time
  DateRecord date;
  bool extremesFound = false;
  std::vector<TideExtreme> extremes;  // in time order, at most 5
  int32_t maximum = 0;                // the day's highest and lowest heights
  int32_t minimum = 0;
  std::array<int32_t, 48> halfHour{};  // the height at minute 30 i
  std::vector<int32_t> fine;           // every kFineStepMinutes from 00:00 to 24:00 when asked for
  SunTimes sun;
  MoonDay moon;
  std::string referenceName;  // the harmonic record the station is computed from
};

// Computes a day. A station that cannot be predicted gives a day with no values
// (kValueNotDefined).
TideDay ComputeTideDay(const TideLocation& station, EngineMinute day, const DayParts& parts = {});

// The height at a shown-time minute (the minute table): kValueNotDefined where the
// station has none, kValueFailed after a reported failure.
int32_t TideHeightAt(const TideLocation& station, EngineMinute minute);

}  // namespace qw
