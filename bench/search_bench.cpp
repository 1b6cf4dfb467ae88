// The searches over the built DATA directory: ten years of an event search at San
// Francisco, and the nearest-station search over every tide and current station.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/engine_state.h"
#include "engine/station_database.h"
#include "search/event_search.h"
#include "search/nearest_search.h"

namespace {

bool HaveData() { return std::filesystem::exists(std::string(QW_BUILT_DATA_DIR) + "/catalogue.csv"); }

bool FindSanFrancisco(qw::SearchStation& station) {
  const qw::RegionList regions = qw::BuildRegionList(qw::StationKind::Tide);
  for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
    const int index = qw::FindTideStationByName(regions, slot, -1, "San Francisco (Golden Gate)", 1);
    if (index >= 0) return qw::ReadTideLocation(regions, slot, index, station.tide);
  }
  return false;
}

// High waters of at least 6 ft from 2015 to 2024, every hit listed: the search loop as
// the window runs it, without the window.
void BM_EventSearchTenYears(benchmark::State& state) {
  if (!HaveData()) {
    state.SkipWithError("no built DATA directory");
    return;
  }
  qw::ResetEngine();
  qw::SetDataDirectory(QW_BUILT_DATA_DIR);
  qw::SearchStation station;
  if (!FindSanFrancisco(station)) {
    state.SkipWithError("San Francisco is not installed");
    return;
  }
  const int kind = static_cast<int>(state.range(0));
  const uint8_t code = qw::MakeSearchCode(kind, qw::kConditionAtLeast, qw::kPeriodWholeRange);
  const int32_t threshold = kind == qw::kSearchTideValues ? 6000000 : kind == qw::kSearchTidalSwings ? 5000000 : 6000000;
  int hits = 0;
  for (auto _ : state) {
    qw::SearchProgress quiet;
    const qw::EventSearchPlan plan{.code = code,
                                   .threshold = threshold,
                                   .rangeStart = qw::MinuteOf(2015, 1, 1),
                                   .rangeEnd = qw::MinuteOf(2024, 12, 31, 23, 59)};
    qw::EngineMinute resume = 0;
    hits = 0;
    while (qw::FindNextEvent(station, plan, resume, quiet)) ++hits;
  }
  state.counters["hits"] = hits;
}
BENCHMARK(BM_EventSearchTenYears)->Arg(qw::kSearchHighTides)->Arg(qw::kSearchTidalSwings)->Arg(qw::kSearchTideValues)
    ->Unit(benchmark::kMillisecond);

// Every tide and current station of every region, within 100 Nm of the Golden Gate.
void BM_NearestEveryStation(benchmark::State& state) {
  if (!HaveData()) {
    state.SkipWithError("no built DATA directory");
    return;
  }
  qw::ResetEngine();
  qw::SetDataDirectory(QW_BUILT_DATA_DIR);
  const qw::RegionList tides = qw::BuildRegionList(qw::StationKind::Tide);
  const qw::RegionList currents = qw::BuildRegionList(qw::StationKind::Current);
  qw::NearestQuery query;
  query.customPoint = true;
  qw::ParseLatitude("374830N", query.point.latitude);
  qw::ParseLongitude("1222748W", query.point.longitude);
  query.tideRange = query.currentRange = static_cast<int>(state.range(0));
  int rows = 0;
  for (auto _ : state) {
    qw::ResultsTable table(qw::ResultsKind::Nearest);
    qw::SearchProgress quiet;
    qw::FindNearestStations(query, tides, currents, table, quiet);
    rows = table.rows();
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_NearestEveryStation)->Arg(100)->Arg(250)->Unit(benchmark::kMillisecond);

}  // namespace
