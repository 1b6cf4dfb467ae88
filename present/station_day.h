// What the tide and current days have in common before they are presented: why a station
// may not be drawn in full, which parts of a day to compute, and the sampling of a day's
// values for the graph.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/engine_values.h"

namespace qw {

// Why a station's graph gives way to a notice.
enum class StationNotice {
  None,
  NotPredictable,   // no harmonic reference: nothing can be computed
  NoCorrections,    // a subordinate station without published corrections (message 2603)
  Incomplete,       // some corrections missing: values may be undefined (message 2605)
  WeakAndVariable,  // a current published as weak and variable: no prediction is offered
};

// What to compute besides the day's events and its half-hour values.
struct DayParts {
  bool curve = true;  // the fine curve, for the filled and smooth graph styles
  bool sun = true;
  bool moon = true;   // moonrise, moonset and the phase
};

constexpr int kFineStepMinutes = 10;

// A date's values at equal steps of elapsed time from its first instant, so a date of 23
// or 25 hours (the clocks change) has 46 or 50 half-hour values, not 48.
struct DaySamples {
  std::vector<int32_t> halfHour;  // the value 30 i minutes after the date's first instant
  std::vector<int32_t> fine;      // every kFineStepMinutes to the date's end (the last is its last minute)
};

// Samples the `minutes` minutes from the standard minute `start` with `valueAt` (engine
// units; kValueFailed after a reported failure). The half-hour values come from the fine
// curve when it is asked for. From the first failure on every value is kValueNotDefined,
// so a failure is reported once and not for every point.
DaySamples SampleDay(EngineMinute start, uint32_t minutes, bool curve,
                     const std::function<int32_t(EngineMinute)>& valueAt);

}  // namespace qw
