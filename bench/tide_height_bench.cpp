// Heights at every minute of a year and high/low water searches across a year, for the
// 37-constituent fixture station, in both forms of the harmonic sum.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/data_dir.h"
#include "engine/data_writers.h"
#include "engine/engine_settings.h"
#include "engine/engine_state.h"
#include "engine/extremes_cache.h"
#include "engine/floating_tide_sum.h"
#include "engine/held_data.h"
#include "engine/tide_height.h"
#include "tests/support/harmonic_fixture.h"

namespace qw {
namespace {

constexpr int kYear = 2005;

// A data directory with the fixture's files, made once per program.
void PrepareData() {
  static bool done = false;
  if (done) return;
  char pattern[] = "/tmp/quaywise-bench-XXXXXX";
  const char* dir = mkdtemp(pattern);
  if (!dir) std::abort();
  test::WriteFixtureTables(dir, kYear - 1, kYear + 1);
  WriteHarmonicFamily(std::string(dir) + "/NOSWTIDE.IDX", std::string(dir) + "/NOSWTIDE.DAT",
                      {test::FixtureStation(123)});
  SetDataDirectory(dir);
  done = true;
}

void Load(char form) {
  PrepareData();
  ResetEngine();
  Settings() = EngineSettings{};
  Settings().mathType = form;
  if (LoadTideHarmonics(123, kYear, 1) != test::kFixtureConstituents) std::abort();
}

// Every minute of the year through ComputeTideHeight: each minute computed once and kept
// in the minute cache, which empties at each new day.
void YearOfHeightsWithMinuteCache(benchmark::State& state, char form) {
  Load(form);
  const EngineMinute start = MinuteOf(kYear, 1, 1), end = MinuteOf(kYear + 1, 1, 1);
  for (auto _ : state) {
    ResetEngine();
    LoadTideHarmonics(123, kYear, 1);
    int64_t total = 0;
    for (EngineMinute m = start; m < end; ++m) total += ComputeTideHeight(m, form);
    benchmark::DoNotOptimize(total);
  }
  state.counters["minutes"] = end - start;
}

// The bare sum at every minute of the year, without the minute cache.
void YearOfHeightsWithoutCache(benchmark::State& state, char form) {
  Load(form);
  const int64_t start = MinuteOf(kYear, 1, 1), end = MinuteOf(kYear + 1, 1, 1);
  for (auto _ : state) {
    int64_t total = 0;
    for (int64_t m = start; m < end; ++m) total += HarmonicSumAt(m, form);
    benchmark::DoNotOptimize(total);
  }
}

// The floating form's rotation runs over every minute of the year, a day at a time, as
// the minute cache fills a day asked minute by minute.
void YearOfHeightsByRuns(benchmark::State& state) {
  Load('f');
  const int64_t start = MinuteOf(kYear, 1, 1), end = MinuteOf(kYear + 1, 1, 1);
  std::vector<int32_t> day(kMinutesPerDay);
  for (auto _ : state) {
    int64_t total = 0;
    for (int64_t m = start; m < end; m += kMinutesPerDay) {
      FloatingTideRun(m, day.size(), day.data());
      total += day[0];
    }
    benchmark::DoNotOptimize(total);
  }
}

// Highs and lows one after another from 1 January, from an empty extremes cache (cold)
// or from one that already holds them (warm). The cache keeps kCacheMax extremes per
// station, so the warm walk covers 70 days (about 270 extremes) and the cold walk the year.
void WalkExtremes(benchmark::State& state, char form, bool warm) {
  Load(form);
  const TideLocation station = test::FixtureLocation(123);
  const EngineMinute start = MinuteOf(kYear, 1, 1, 1, 0);
  const EngineMinute end = warm ? start + 70 * 1440 : MinuteOf(kYear, 12, 31);
  auto walk = [&] {
    int count = 0;
    for (EngineMinute m = start; m < end; ++count) {
      const TideExtreme next = PredictReferenceTide(station, m, +1);
      if (next.height == kValueFailed) std::abort();
      m = next.time;
    }
    return count;
  };
  if (warm) walk();
  int count = 0;
  for (auto _ : state) {
    if (!warm) ResetExtremesCache();
    count = walk();
    benchmark::DoNotOptimize(count);
  }
  state.counters["extremes"] = count;
  state.counters["per_extreme"] =
      benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(YearOfHeightsWithoutCache, integer, 'i')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(YearOfHeightsWithoutCache, floating, 'f')->Unit(benchmark::kMillisecond);
BENCHMARK(YearOfHeightsByRuns)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(YearOfHeightsWithMinuteCache, integer, 'i')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(YearOfHeightsWithMinuteCache, floating, 'f')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WalkExtremes, year_integer_cold, 'i', false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WalkExtremes, year_floating_cold, 'f', false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WalkExtremes, days70_integer_warm, 'i', true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WalkExtremes, days70_floating_warm, 'f', true)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qw
