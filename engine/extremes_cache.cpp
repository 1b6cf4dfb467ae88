#include "engine/extremes_cache.h"

#include <algorithm>
#include <memory>
#include <new>

#include "engine/engine_settings.h"
#include "engine/report.h"

namespace qw {
namespace {

// The record whose cache traffic is written to the debug trace.
constexpr uint16_t kTracedRecord = 12016;

struct Entry {
  int64_t time = 0;
  int32_t value = 0;
  char kind = ' ';
  int16_t flag = 0;
  int64_t coverStart = 0;
  int64_t coverEnd = 0;
};

struct Node {
  uint16_t record = 0;
  char form = 0;
  int64_t coveredFrom = 0;  // earliest coverStart of the entries
  int64_t coveredTo = 0;    // latest coverEnd of the entries
  std::vector<Entry> entries;  // sorted by time, at most kCacheMax
};

struct CacheState {
  std::vector<std::unique_ptr<Node>> nodes;
  ExtremesCacheStatistics counters;
};

CacheState& State() {
  static CacheState state;
  return state;
}

char CurrentForm() { return Settings().mathType == 'f' || Settings().mathType == 'F' ? 'f' : 'i'; }

Node* FindNode(uint16_t record) {
  const char form = CurrentForm();
  for (const auto& node : State().nodes) {
    if (node->record == record && node->form == form) return node.get();
  }
  return nullptr;
}

#define CACHE_TRACE(record, ...) \
  do {                           \
    if ((record) == kTracedRecord) DebugTrace(__VA_ARGS__); \
  } while (0)

}  // namespace

std::optional<CachedExtreme> FindCache(uint16_t record, EngineMinute minute, int direction) {
  if (direction == 0) return std::nullopt;
  CacheState& state = State();
  ++state.counters.queries;
  const int64_t b = minute;
  CACHE_TRACE(record, "In FindCache - time for %ld for %d, dir = %d\n", static_cast<long>(b), record, direction);

  const Node* node = FindNode(record);
  if (!node) {
    CACHE_TRACE(record, "Not Found - 1\n");
    return std::nullopt;
  }
  if (b < node->coveredFrom || b > node->coveredTo) {
    CACHE_TRACE(record, "Not Found - 2\n");
    return std::nullopt;
  }
  const std::vector<Entry>& entries = node->entries;
  size_t i = 0;
  if (direction > 0) {
    while (i < entries.size() && b >= entries[i].time) ++i;
  } else {
    while (i < entries.size() && entries[i].coverEnd < b) ++i;
  }
  if (i == entries.size()) {
    CACHE_TRACE(record, "Not Found - 3\n");
    return std::nullopt;
  }
  const Entry& entry = entries[i];
  if (direction > 0 && b < entry.coverStart) {
    CACHE_TRACE(record, "Not Found - 4\n");
    return std::nullopt;
  }
  if (direction < 0 && entry.time >= b) {
    CACHE_TRACE(record, "Not Found - 5\n");
    return std::nullopt;
  }
  ++state.counters.hits;
  CACHE_TRACE(record, "Found\n");
  return CachedExtreme{static_cast<EngineMinute>(entry.time), entry.value, entry.kind, entry.flag};
}

int AddCache(uint16_t record, EngineMinute queryMinute, int direction, const CachedExtreme& found) {
  CacheState& state = State();
  const int64_t b = queryMinute;
  const int64_t d = found.time;
  CACHE_TRACE(record, "In AddCache - time for %ld for %d, value %ld\n", static_cast<long>(d), record,
              static_cast<long>(found.value));
  try {
    Node* node = FindNode(record);
    if (!node) {
      auto created = std::make_unique<Node>();
      created->record = record;
      created->form = CurrentForm();
      created->entries.reserve(kCacheMax);
      state.nodes.push_back(std::move(created));
      node = state.nodes.back().get();
      state.counters.bytesAllocated += sizeof(Node) + kCacheMax * sizeof(Entry);
      CACHE_TRACE(record, "Add cache for station %d, size  = %ld\n", record,
                  static_cast<long>(state.counters.bytesAllocated));
    }
    std::vector<Entry>& entries = node->entries;

    size_t p = 0;
    while (p < entries.size() && entries[p].time < d) ++p;
    if (p == entries.size() || entries[p].time != d) {
      if (entries.size() < static_cast<size_t>(kCacheMax)) {
        CACHE_TRACE(record, "Add time for %ld for %d, size = %ld\n", static_cast<long>(d), record,
                    static_cast<long>(state.counters.bytesAllocated));
      } else {
        // Full: recycle the entry farthest from where the new one goes.
        CACHE_TRACE(record, "Pos = %d, CACHE_MAX/2 = %d\n", static_cast<int>(p), kCacheMax / 2);
        if (p > static_cast<size_t>(kCacheMax / 2)) {
          entries.erase(entries.begin());
          --p;
        } else {
          entries.pop_back();
        }
      }
      entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(p), Entry{d, 0, ' ', 0, d, d});
    }
    Entry& entry = entries[p];
    entry.value = found.value;
    entry.kind = found.kind;
    entry.flag = found.flag;
    CACHE_TRACE(record, "Use time for %ld for %d\n", static_cast<long>(d), record);

    if (direction > 0) {
      entry.coverStart = std::min(entry.coverStart, b);
    } else {
      entry.coverEnd = std::max(entry.coverEnd, b);
    }
    // Consecutive extremes: the span between them belongs to both.
    if (p > 0) {
      Entry& previous = entries[p - 1];
      if (previous.time >= entry.coverStart || previous.coverEnd >= entry.time) {
        previous.coverEnd = entry.time;
        entry.coverStart = previous.time;
      }
    }
    if (p + 1 < entries.size()) {
      Entry& next = entries[p + 1];
      if (entry.coverEnd >= next.time || entry.time >= next.coverStart) {
        next.coverStart = entry.time;
        entry.coverEnd = next.time;
      }
    }
    node->coveredFrom = entries.front().coverStart;
    node->coveredTo = entries.back().coverEnd;
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

std::vector<CacheEntryView> CachedEntries(uint16_t record) {
  std::vector<CacheEntryView> out;
  if (const Node* node = FindNode(record)) {
    for (const Entry& e : node->entries) out.push_back({e.time, e.value, e.kind, e.flag, e.coverStart, e.coverEnd});
  }
  return out;
}

ExtremesCacheStatistics ExtremesCacheCounters() { return State().counters; }

void ResetExtremesCache() { State() = CacheState{}; }

}  // namespace qw
