// The extremes cache: which high or low water (or current event) follows or precedes
// which span of times, per harmonic record.
//
// Searching for the next or previous extreme costs dozens of harmonic sums; graphs,
// tables and searches ask for the same ones again and again. Each cached extreme carries
// a coverage span: for every time t with coverStart <= t < time it is the next extreme
// after t, and for every t with time < t <= coverEnd it is the previous one before t.
// Neighbouring extremes known to be consecutive have their spans joined, so a whole
// stretch of days already searched is answered without a sum.
//
// Times are standard minutes: the standard time of the record's station (UTC plus its
// time meridian), in which every sum is computed. The cache is kept apart per record and
// per form of the sum ("MathType"). At most kCacheMax extremes are kept per key;
// beyond that the entry farthest from the insertion point is recycled. The cache is shared
// with the current side, whose values are speeds and whose kinds and flags are its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/calendar.h"

namespace qw {

constexpr int kCacheMax = 300;

struct CachedExtreme {
  EngineMinute time = 0;  // standard minute of the extreme
  int32_t value = 0;      // height (millionths of a foot) or speed (millionths of a knot)
  char kind = ' ';        // 'H' or 'L' for tides (' ' unknown); the current side's letters
  int16_t flag = 0;       // 0 for tides; stored and returned for the current side
};

// The extreme after (`direction` +1) or before (-1) `minute` when the cache knows it;
// nothing for direction 0.
std::optional<CachedExtreme> FindCache(uint16_t record, EngineMinute minute, int direction);

// Records that the search from `queryMinute` in `direction` found `found`. Returns 1, or 0
// when memory ran out (the cache is left as it was).
int AddCache(uint16_t record, EngineMinute queryMinute, int direction, const CachedExtreme& found);

// One cached extreme as stored, for inspection and tests.
struct CacheEntryView {
  int64_t time = 0;
  int32_t value = 0;
  char kind = ' ';
  int16_t flag = 0;
  int64_t coverStart = 0;
  int64_t coverEnd = 0;
};
// The entries kept for `record` under the current form, in time order.
std::vector<CacheEntryView> CachedEntries(uint16_t record);

// Counters for debugging: queries with a direction, hits, bytes allocated.
struct ExtremesCacheStatistics {
  uint64_t queries = 0;
  uint64_t hits = 0;
  size_t bytesAllocated = 0;
};
ExtremesCacheStatistics ExtremesCacheCounters();

// Frees every node (engine reset).
void ResetExtremesCache();

}  // namespace qw
