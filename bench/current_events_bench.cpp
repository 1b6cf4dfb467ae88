// Current events: a year of FindCurrentDayEvents at a real reference current station
// (Golden Gate Bridge, NOAA SFB1203) and at the first subordinate station of its region,
// from a cold engine (no cached events or values), over the built DATA directory.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "engine/calendar.h"
#include "engine/current_prediction.h"
#include "engine/data_dir.h"
#include "engine/engine_settings.h"
#include "engine/engine_state.h"
#include "engine/station_database.h"
#include "engine/station_sources.h"

namespace {

constexpr const char* kReferenceSourceId = "SFB1203";

// The reference station, and the first subordinate station of its region.
bool FindStations(qw::CurrentLocation& reference, qw::CurrentLocation& subordinate) {
  qw::SetDataDirectory(QW_BUILT_DATA_DIR);
  qw::StationSources sources;
  if (!sources.Load(qw::DataFilePath(qw::StationSources::kFileName))) return false;
  const auto found = sources.FindBySourceId('C', kReferenceSourceId);
  if (found.size() != 1) return false;
  const qw::RegionList regions = qw::BuildRegionList(qw::StationKind::Current);
  for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
    if (regions[static_cast<size_t>(slot)].number != found[0]->region) continue;
    if (!qw::ReadCurrentLocation(regions, slot, found[0]->index, reference)) return false;
    const int count = qw::CountStations(regions, slot, qw::StationKind::Current);
    for (int i = 0; i < count; ++i) {
      if (qw::ReadCurrentLocation(regions, slot, i, subordinate) && qw::IsSubordinateCurrent(subordinate) &&
          subordinate.stationKind == 0) {
        return true;
      }
    }
  }
  return false;
}

void YearOfDayEvents(benchmark::State& state, bool subordinate) {
  if (!std::filesystem::exists(std::string(QW_BUILT_DATA_DIR) + "/catalogue.csv")) {
    state.SkipWithError("no built DATA directory (configure with QW_BUILD_DATA=ON)");
    return;
  }
  qw::CurrentLocation reference, sub;
  if (!FindStations(reference, sub)) {
    state.SkipWithError("station SFB1203 or a subordinate station of its region is not installed");
    return;
  }
  const qw::CurrentLocation& station = subordinate ? sub : reference;
  const qw::EngineMinute first = qw::MinuteOf(2026, 1, 1);
  int64_t events = 0;
  for (auto _ : state) {
    qw::ResetEngine();
    qw::Settings() = qw::EngineSettings{};
    qw::SetDataDirectory(QW_BUILT_DATA_DIR);
    for (int day = 0; day < 365; ++day) {
      qw::CurrentDayEvents list;
      int32_t maxSpeed = 0, minSpeed = 0;
      qw::FindCurrentDayEvents(station, first + static_cast<qw::EngineMinute>(day) * qw::kMinutesPerDay, list,
                               maxSpeed, minSpeed);
      for (const qw::CurrentEvent& e : list) events += e.time != 0;
    }
  }
  state.counters["events"] = benchmark::Counter(static_cast<double>(events), benchmark::Counter::kAvgIterations);
  qw::ResetEngine();
}

void BM_YearOfCurrentEventsReference(benchmark::State& state) { YearOfDayEvents(state, false); }
void BM_YearOfCurrentEventsSubordinate(benchmark::State& state) { YearOfDayEvents(state, true); }

BENCHMARK(BM_YearOfCurrentEventsReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearOfCurrentEventsSubordinate)->Unit(benchmark::kMillisecond);

}  // namespace
