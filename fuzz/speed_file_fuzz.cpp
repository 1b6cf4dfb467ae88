// The constituent speed file reader, and the sums that use what it accepted.
#include "engine/held_data.h"
#include "engine/tide_height.h"
#include "fuzz/fuzz_support.h"

using namespace qw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::DataDirectory();
  // Both layouts: the NOS station reads constspd.dat, the UK one constspd.ba.
  for (uint16_t record : {uint16_t{123}, uint16_t{31000}}) {
    ResetEngine();
    fuzz::PutFile(record == 123 ? "constspd.dat" : "constspd.ba", data, size);
    if (LoadTideHarmonics(record, 2005, 3) <= 0) continue;
    for (char form : {'f', 'i'}) {
      for (EngineMinute m = MinuteOf(2005, 3, 1); m < MinuteOf(2005, 3, 2); m += 97) {
        ComputeTideHeight(m, form);
      }
    }
  }
  return 0;
}
