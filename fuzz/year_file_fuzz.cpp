// The year data reader: the first two bytes choose the year asked for, the rest is the file.
#include "engine/held_data.h"
#include "engine/tide_height.h"
#include "fuzz/fuzz_support.h"

using namespace qw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::DataDirectory();
  if (size < 2) return 0;
  const int year = 1990 + (data[0] | (data[1] << 8)) % 40;
  for (uint16_t record : {uint16_t{123}, uint16_t{31000}}) {
    ResetEngine();
    fuzz::PutFile(record == 123 ? "yeardata.dat" : "yeardata.ba", data + 2, size - 2);
    const TideLocation station = test::FixtureLocation(record);
    if (LoadTideHarmonics(record, year, 6) <= 0) continue;
    const EngineMinute m = MinuteOf(year, 6, 1);
    for (char form : {'f', 'i'}) ComputeTideHeight(m, form);
    PredictReferenceTide(station, m, +1);
  }
  return 0;
}
