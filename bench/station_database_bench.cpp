// Station catalogue: searching every region for a name or a station id, over a
// synthetic catalogue of 40 regions of 250 stations written to a temporary directory.
#include <benchmark/benchmark.h>

#include <cstring>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "engine/data_dir.h"
#include "engine/engine_state.h"
#include "engine/region_files.h"
#include "engine/station_database.h"

namespace {

constexpr int kRegions = 40;
constexpr int kStationsPerRegion = 250;

class Catalogue {
 public:
  Catalogue() {
    dir_ = std::filesystem::temp_directory_path() / ("quaywise-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_);
    qw::SetDataDirectory(dir_);
    for (int r = 1; r <= kRegions; ++r) {
      std::vector<qw::TideLocation> stations(kStationsPerRegion);
      for (int i = 0; i < kStationsPerRegion; ++i) {
        std::string name = "Harbour " + std::to_string(r) + "-" + std::to_string(i) + ", Some Bay";
        std::strncpy(stations[i].name, name.c_str(), 50);
        stations[i].stationId = static_cast<uint16_t>(r * 1000 + i);
      }
      qw::WriteTideRegionFile(qw::DataFilePath(qw::RegionFileName(qw::StationKind::Tide, r)), r,
                              "Region " + std::to_string(r), stations);
    }
    regions_ = qw::BuildRegionList(qw::StationKind::Tide);
  }
  ~Catalogue() {
    qw::ResetEngine();
    std::filesystem::remove_all(dir_);
  }
  const qw::RegionList& regions() const { return regions_; }

 private:
  std::filesystem::path dir_;
  qw::RegionList regions_;
};

Catalogue& TheCatalogue() {
  static Catalogue catalogue;
  return catalogue;
}

// A name that is in no station: every record of every region is read and compared.
void BM_FindStationByNameEveryRegion(benchmark::State& state) {
  const qw::RegionList& regions = TheCatalogue().regions();
  for (auto _ : state) {
    int found = 0;
    for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
      found += qw::FindTideStationByName(regions, slot, -1, "nowhere", 1) >= 0;
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * kRegions * kStationsPerRegion);
}
BENCHMARK(BM_FindStationByNameEveryRegion)->Unit(benchmark::kMillisecond);

void BM_FindStationByIdEveryRegion(benchmark::State& state) {
  const qw::RegionList& regions = TheCatalogue().regions();
  for (auto _ : state) {
    int found = 0;
    for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
      found += qw::FindTideStationById(regions, slot, -1, 65000, 1) >= 0;
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * kRegions * kStationsPerRegion);
}
BENCHMARK(BM_FindStationByIdEveryRegion)->Unit(benchmark::kMillisecond);

}  // namespace
