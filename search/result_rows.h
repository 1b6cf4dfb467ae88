// The records kept with the rows of the tabular results windows: an event search hit,
// a nearest-station hit, the instants of an export row.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "engine/engine_values.h"

namespace qw {

// One event search result: `value` is the event's value, the swing, the slack duration
// in minutes or, for a span of values, the threshold; kValueNotDefined marks a missing
// value. `end` equals `start` for a single event.
struct EventHit {
  int32_t value = 0;
  EngineMinute start = 0;  // shown times (the station's clock)
  EngineMinute end = 0;
  int32_t startOffset = 0;  // UTC offsets in force at the start's and the end's instants
  int32_t endOffset = 0;
  bool operator==(const EventHit&) const = default;
};

// A latitude or longitude as entered or read from a station record.
// `third` is the third field as given: seconds in a station record, hundredths of a
// minute in a typed position; `signedMinutes` is the whole value in minutes of arc.
struct Coordinate {
  int32_t degrees = 0;
  int32_t minutes = 0;
  int32_t third = 0;
  char hemisphere = ' ';     // 'N'/'S' or 'E'/'W'
  double signedMinutes = 0;  // negative south and west
  bool operator==(const Coordinate&) const = default;
};

struct StationPosition {
  Coordinate latitude;
  Coordinate longitude;
  bool operator==(const StationPosition&) const = default;
};

// Station kinds as the nearest search numbers them.
constexpr int32_t kNearestTide = 1;
constexpr int32_t kNearestCurrent = 2;

// One nearest-station result.
struct NearestHit {
  int16_t regionSlot = 0;
  int16_t stationIndex = 0;
  int32_t kind = kNearestTide;  // kNearestTide or kNearestCurrent
  StationPosition position;
  double distanceNm = 0;  // nautical miles from the search point
  double bearing = 0;     // degrees true, from the search point to the station
};

// The instants an export row's times stand for, in the order its time fields appear (a
// repeat group writes several): the time shown and the UTC offset in force then.
struct RowInstant {
  EngineMinute shown = 0;
  int32_t utcOffset = 0;
  bool operator==(const RowInstant&) const = default;
};
using RowInstants = std::vector<RowInstant>;

using RowRecord = std::variant<std::monostate, EventHit, NearestHit, RowInstants>;

}  // namespace qw
