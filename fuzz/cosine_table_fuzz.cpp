// The cosine table reader: whatever the file holds, the table in use is the quarter wave.
#include <cstdlib>

#include "engine/data_layouts.h"
#include "engine/held_data.h"
#include "fuzz/fuzz_support.h"

using namespace qw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::DataDirectory();
  ResetEngine();
  fuzz::PutFile("costable.dat", data, size);
  LoadCosineTable();
  const int32_t* table = CosineTable();
  if (!table) std::abort();
  for (int k = 0; k < kCosineEntries; ++k) {
    const int32_t expected = ComputeCosineEntry(k);
    if (table[k] < expected - 1 || table[k] > expected + 1) std::abort();
  }
  return 0;
}
