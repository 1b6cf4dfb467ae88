// Sunrise, sunset, moonrise and moonset for every day of a year at one station: what a
// year's report or export asks of the engine.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/earth_series.h"
#include "engine/rise_set.h"

namespace {

void BM_SunAndMoonForAYear(benchmark::State& state) {
  qw::SetDataDirectory(QW_BUILT_DATA_DIR);
  if (!qw::LoadEarthSeries()) {
    state.SkipWithError("EARTH.IDX and EARTH.DAT are not built");
    return;
  }
  qw::StationPlace boston;
  boston.latHemisphere = 'N';
  boston.latDegrees = 42;
  boston.latMinutes = 21;
  boston.lonHemisphere = 'W';
  boston.lonDegrees = 71;
  boston.lonMinutes = 3;
  boston.timeMeridian = -75;
  boston.observesDst = 1;
  const qw::EngineMinute first = qw::MinuteOf(2025, 1, 1);
  for (auto _ : state) {
    float sum = 0.0f;
    for (int d = 0; d < 365; ++d) {
      const qw::EngineMinute day = first + d * qw::kMinutesPerDay;
      const qw::SunTimes sun = qw::SunRiseSet(day, boston);
      const qw::MoonTimes moon = qw::MoonRiseSet(day, boston);
      sum += sun.rise + sun.set + moon.rise + moon.set;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 365);
}
BENCHMARK(BM_SunAndMoonForAYear)->Unit(benchmark::kMillisecond);

}  // namespace
