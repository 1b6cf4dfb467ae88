// The one-day cache of computed values, shared by the tide and the current side.
//
// A graph or a table asks for every minute of a day, often more than once; the cache keeps
// each value computed for the current day of the loaded station so that asking again
// costs one look-up. Loading a station (tide or current) restarts it, and asking for
// another day, another station or another form of the sum empties it.
#pragma once

#include <cstdint>

#include "engine/calendar.h"

namespace qw {

// The value of a slot that has not been computed yet. A computed value of -1 (one
// millionth of a foot below the datum) is simply computed again.
constexpr int32_t kMinuteNotComputed = -1;

struct MinuteCache {
  uint16_t record = 0;  // harmonic record (or current file) number the values belong to
  int64_t day = 0;      // day number (minute / 1440) of the cached day
  char form = 0;        // 'f' floating or 'i' integer: the form of the sum that filled it
  int32_t value[kMinutesPerDay];      // heights (millionths of a foot) or current speeds
  int16_t direction[kMinutesPerDay];  // current directions (degrees); unused by tides
};

// The cache, or nullptr before the first station was loaded.
MinuteCache* SharedMinuteCache();

// Creates the cache if there is none and empties it for `record`, with day 0.
void StartMinuteCache(uint16_t record);

// Returns the cache ready for `day` of `record` computed in `form`: emptied when any of
// them differs from what it holds. nullptr when there is no cache.
MinuteCache* MinuteCacheFor(uint16_t record, int64_t day, char form);

// Frees the cache (engine reset).
void ResetMinuteCache();

}  // namespace qw
