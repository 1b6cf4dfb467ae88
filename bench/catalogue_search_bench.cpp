// The location dialog's searches over the built catalogue (build/bin/DATA): building the
// in-memory station index once, a keystroke's search of the largest region, a search of
// every region of both kinds, and, for comparison, the same search reading the region
// files.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "engine/data_dir.h"
#include "engine/station_database.h"
#include "stations/station_index.h"

namespace {

struct Catalogue {
  bool present = false;
  qw::RegionList tides, currents;
  qw::StationIndex index;
  int largestTideRegion = 0;
};

Catalogue& TheCatalogue() {
  static Catalogue catalogue = [] {
    Catalogue c;
    c.present = std::filesystem::exists(std::filesystem::path(QW_BUILT_DATA_DIR) / "tide1.dat");
    if (!c.present) return c;
    qw::SetDataDirectory(QW_BUILT_DATA_DIR);
    c.tides = qw::BuildRegionList(qw::StationKind::Tide);
    c.currents = qw::BuildRegionList(qw::StationKind::Current);
    c.index.Build(c.tides, c.currents);
    for (int slot = 0; slot < static_cast<int>(c.tides.size()); ++slot) {
      if (c.index.StationCount(qw::StationKind::Tide, slot) >
          c.index.StationCount(qw::StationKind::Tide, c.largestTideRegion)) {
        c.largestTideRegion = slot;
      }
    }
    return c;
  }();
  return catalogue;
}

bool Skip(benchmark::State& state) {
  if (TheCatalogue().present) return false;
  state.SkipWithError("no built DATA directory");
  return true;
}

void BM_BuildStationIndex(benchmark::State& state) {
  if (Skip(state)) return;
  const Catalogue& c = TheCatalogue();
  for (auto _ : state) {
    qw::StationIndex index;
    index.Build(c.tides, c.currents);
    benchmark::DoNotOptimize(index.TotalStations());
  }
  state.counters["stations"] = static_cast<double>(c.index.TotalStations());
}
BENCHMARK(BM_BuildStationIndex)->Unit(benchmark::kMillisecond);

// One keystroke in the largest region: a text in no name, so every station is compared.
void BM_KeystrokeLargestRegion(benchmark::State& state) {
  if (Skip(state)) return;
  const Catalogue& c = TheCatalogue();
  for (auto _ : state) {
    benchmark::DoNotOptimize(c.index.FindByName(qw::StationKind::Tide, c.largestTideRegion, -1, "zqx", +1));
  }
  state.counters["stations"] = c.index.StationCount(qw::StationKind::Tide, c.largestTideRegion);
}
BENCHMARK(BM_KeystrokeLargestRegion)->Unit(benchmark::kMicrosecond);

// Every region of both kinds searched for a text in no name.
void BM_SearchWholeCatalogue(benchmark::State& state) {
  if (Skip(state)) return;
  const Catalogue& c = TheCatalogue();
  for (auto _ : state) {
    int found = 0;
    for (qw::StationKind kind : {qw::StationKind::Tide, qw::StationKind::Current}) {
      for (int slot = 0; slot < static_cast<int>(c.index.Regions(kind).size()); ++slot) {
        found += c.index.FindByName(kind, slot, -1, "zqx", +1) >= 0;
      }
    }
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_SearchWholeCatalogue)->Unit(benchmark::kMicrosecond);

// The same search reading each region file record by record.
void BM_SearchWholeCatalogueFromFiles(benchmark::State& state) {
  if (Skip(state)) return;
  const Catalogue& c = TheCatalogue();
  for (auto _ : state) {
    int found = 0;
    for (int slot = 0; slot < static_cast<int>(c.tides.size()); ++slot) {
      found += qw::FindTideStationByName(c.tides, slot, -1, "zqx", +1) >= 0;
    }
    for (int slot = 0; slot < static_cast<int>(c.currents.size()); ++slot) {
      found += qw::FindCurrentStationByName(c.currents, slot, -1, "zqx", +1) >= 0;
    }
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_SearchWholeCatalogueFromFiles)->Unit(benchmark::kMicrosecond);

}  // namespace
