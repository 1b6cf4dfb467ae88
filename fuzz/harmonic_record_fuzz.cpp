// The harmonic record readers: an override file, or an index and data file pair split from
// the input. Whatever is accepted is then summed and searched.
#include <cstdio>

#include "engine/data_dir.h"
#include "engine/held_data.h"
#include "engine/tide_height.h"
#include "fuzz/fuzz_support.h"

using namespace qw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::DataDirectory();
  if (size < 3) return 0;
  ResetEngine();
  const uint16_t record = 200;
  const bool asOverride = data[0] & 1;
  data += 1;
  size -= 1;
  std::remove(DataFilePath(OverrideFileName(record)).c_str());
  if (asOverride) {
    fuzz::PutFile(OverrideFileName(record), data, size);
  } else {
    // The first byte gives where the index ends and the data file begins.
    const size_t split = std::min<size_t>(size - 1, data[0] * 8u + 8u);
    fuzz::PutFile("NOSETIDE.IDX", data + 1, split);
    fuzz::PutFile("NOSETIDE.DAT", data + 1 + split, size - 1 - split);
  }
  const TideLocation station = test::FixtureLocation(record);
  if (LoadTideHarmonics(record, 2005, 7) > 0) {
    HeldTideRecordName();
    EngineMinute m = MinuteOf(2005, 7, 4, 12, 0);
    for (char form : {'f', 'i'}) ComputeTideHeight(m, form);
    PredictReferenceTide(station, m, +1);
    PredictReferenceTide(station, m, -1);
  }
  return 0;
}
