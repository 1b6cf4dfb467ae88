// The side catalogue of the built DATA directory (build/bin/DATA/catalogue.csv, 7,866
// stations): read whole, as the desktop program does, against opened and searched for the
// lines one command needs, as quaywise-cli does (a src: lookup, the station's own line and
// its reference's line by station id).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "engine/file_text.h"
#include "engine/station_sources.h"

namespace {

const std::string& CatalogueText() {
  static const std::string text = [] {
    std::string t;
    qw::ReadFileText((std::filesystem::path(QW_BUILT_DATA_DIR) / qw::StationSources::kFileName).string(), t);
    return t;
  }();
  return text;
}

bool Skip(benchmark::State& state) {
  if (!CatalogueText().empty()) return false;
  state.SkipWithError("no built DATA directory");
  return true;
}

void BM_CatalogueReadWhole(benchmark::State& state) {
  if (Skip(state)) return;
  for (auto _ : state) {
    qw::StationSources sources;
    sources.Parse(CatalogueText());
    benchmark::DoNotOptimize(sources.FindBySourceId('T', "9414290"));
  }
}
BENCHMARK(BM_CatalogueReadWhole)->Unit(benchmark::kMillisecond);

void BM_CatalogueOpenedOneStation(benchmark::State& state) {
  if (Skip(state)) return;
  for (auto _ : state) {
    qw::StationSources sources;
    sources.OpenText(CatalogueText());  // the copy stands for reading the file
    const auto found = sources.FindBySourceId('T', "9414290");
    if (found.size() != 1) {
      state.SkipWithError("San Francisco (NOAA 9414290) is not in the catalogue");
      return;
    }
    benchmark::DoNotOptimize(sources.Find('T', found[0]->region, found[0]->index));
    benchmark::DoNotOptimize(sources.FindByStationId('T', found[0]->stationId));
  }
}
BENCHMARK(BM_CatalogueOpenedOneStation)->Unit(benchmark::kMillisecond);

}  // namespace
