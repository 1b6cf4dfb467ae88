// A year of daily high and low waters at a real reference station (San Francisco) and at
// the first subordinate station computed from it, from the built DATA directory beside
// the program: cold (engine reset before each year: harmonics loaded anew, caches empty)
// and warm (the same year again). And the year's heights at every minute at San
// Francisco, as `quaywise-cli heights --interval 1` computes them.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/calendar.h"
#include "engine/engine_settings.h"
#include "engine/civil_days.h"
#include "engine/engine_state.h"
#include "engine/station_clock.h"
#include "engine/station_database.h"
#include "engine/tide_corrections.h"
#include "engine/tide_prediction.h"

namespace {

constexpr const char* kReferenceName = "San Francisco (Golden Gate)";

// The reference station, or (subordinate) the first station with corrections computed
// from the same harmonic record.
bool FindStationRecord(bool subordinate, qw::TideLocation& out) {
  qw::RegionList regions = qw::BuildRegionList(qw::StationKind::Tide);
  qw::TideLocation reference;
  bool found = false;
  for (int slot = 0; slot < static_cast<int>(regions.size()) && !found; ++slot) {
    const int i = qw::FindTideStationByName(regions, slot, -1, kReferenceName, 1);
    found = i >= 0 && qw::ReadTideLocation(regions, slot, i, reference);
  }
  if (!found) return false;
  if (!subordinate) {
    out = reference;
    return true;
  }
  for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
    const int count = qw::CountStations(regions, slot, qw::StationKind::Tide);
    for (int i = 0; i < count; ++i) {
      if (qw::ReadTideLocation(regions, slot, i, out) && out.referenceId == reference.referenceId &&
          qw::HasTideCorrections(out) && !qw::TideValueNotDefined(out)) {
        return true;
      }
    }
  }
  return false;
}

int Days(const qw::TideLocation& station, int days) {
  int events = 0;
  const qw::EngineMinute first = qw::MinuteOf(2026, 1, 1);
  for (int d = 0; d < days; ++d) {
    qw::TideDayExtremes day;
    int32_t maximum, minimum;
    if (qw::FindTideDayExtremes(station, first + d * qw::kMinutesPerDay, day, maximum, minimum) != 0) return -1;
    for (const qw::TideExtreme& e : day) events += e.time != 0;
  }
  return events;
}

void RunDays(benchmark::State& state, bool subordinate, bool cold, int days, char math = 'f') {
  qw::ResetEngine();
  qw::Settings().mathType = math;
  qw::TideLocation station;
  if (!FindStationRecord(subordinate, station)) {
    state.SkipWithError("station not found: build the DATA directory (QW_BUILD_DATA=ON)");
    return;
  }
  state.SetLabel(station.name);
  if (!cold) Days(station, days);
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      qw::ResetEngine();
      state.ResumeTiming();
    }
    int events = Days(station, days);
    if (events < 0) {
      state.SkipWithError("the day search failed");
      return;
    }
    benchmark::DoNotOptimize(events);
  }
}

// Every minute of 2026 at San Francisco, day by day on the station's clock (the rows of
// `quaywise-cli heights --interval 1`, without writing them), from a cold engine.
void BM_YearOfMinuteHeights(benchmark::State& state) {
  qw::ResetEngine();
  qw::TideLocation station;
  if (!FindStationRecord(false, station)) {
    state.SkipWithError("station not found: build the DATA directory (QW_BUILD_DATA=ON)");
    return;
  }
  const qw::StationClock clock = qw::StationClock::Of(station, "America/Los_Angeles");
  size_t rows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    qw::ResetEngine();
    state.ResumeTiming();
    rows = 0;
    for (int d = 0; d < 365; ++d) {
      const qw::TideDayHeights day = qw::FindTideDayHeights(station, clock, qw::MinuteOf(2026, 1, 1) + d * qw::kMinutesPerDay, 1);
      if (day.status != 0) {
        state.SkipWithError("a height failed");
        return;
      }
      rows += day.rows.size();
    }
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
}

void BM_YearReferenceCold(benchmark::State& s) { RunDays(s, false, true, 365); }
void BM_YearReferenceWarm(benchmark::State& s) { RunDays(s, false, false, 365); }
void BM_YearSubordinateCold(benchmark::State& s) { RunDays(s, true, true, 365); }
void BM_YearSubordinateWarm(benchmark::State& s) { RunDays(s, true, false, 365); }
// The extremes cache keeps 300 extremes per reference (about ten weeks), so a year asked
// again is computed again; sixty days asked again are answered from the cache.
void BM_SixtyDaysReferenceWarm(benchmark::State& s) { RunDays(s, false, false, 60); }
void BM_SixtyDaysSubordinateWarm(benchmark::State& s) { RunDays(s, true, false, 60); }
// The integer form of the harmonic sum ("MathType" other than f).
void BM_YearReferenceColdInteger(benchmark::State& s) { RunDays(s, false, true, 365, 'i'); }
void BM_YearSubordinateColdInteger(benchmark::State& s) { RunDays(s, true, true, 365, 'i'); }
void BM_YearReferenceWarmInteger(benchmark::State& s) { RunDays(s, false, false, 365, 'i'); }
void BM_YearSubordinateWarmInteger(benchmark::State& s) { RunDays(s, true, false, 365, 'i'); }
BENCHMARK(BM_YearOfMinuteHeights)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearReferenceCold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearReferenceWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearSubordinateCold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearSubordinateWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SixtyDaysReferenceWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SixtyDaysSubordinateWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearReferenceColdInteger)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearSubordinateColdInteger)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearReferenceWarmInteger)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearSubordinateWarmInteger)->Unit(benchmark::kMillisecond);

}  // namespace
