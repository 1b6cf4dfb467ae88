#include "engine/minute_cache.h"

#include <algorithm>
#include <memory>

namespace qw {
namespace {

// Constant-initialized: read for every minute a table or graph asks, without a first-use
// check.
constinit std::unique_ptr<MinuteCache> minute_cache;

std::unique_ptr<MinuteCache>& Cache() { return minute_cache; }

void Empty(MinuteCache& cache, uint16_t record, int64_t day, char form) {
  cache.record = record;
  cache.day = day;
  cache.form = form;
  std::fill(std::begin(cache.value), std::end(cache.value), kMinuteNotComputed);
  std::fill(std::begin(cache.direction), std::end(cache.direction), int16_t{-1});
}

}  // namespace

MinuteCache* SharedMinuteCache() { return Cache().get(); }

void StartMinuteCache(uint16_t record) {
  if (!Cache()) Cache() = std::make_unique<MinuteCache>();
  Empty(*Cache(), record, 0, 0);
}

MinuteCache* MinuteCacheFor(uint16_t record, int64_t day, char form) {
  MinuteCache* cache = Cache().get();
  if (!cache) return nullptr;
  if (cache->record != record || cache->day != day || cache->form != form) Empty(*cache, record, day, form);
  return cache;
}

void ResetMinuteCache() { Cache().reset(); }

}  // namespace qw
