// EARTH.IDX and EARTH.DAT of any content: the first two input bytes give the index
// file's length, the index file takes that much of the rest and the data file the
// remainder. The series either load and give positions, or are refused with a message.
#include <cstdint>
#include <string>

#include "engine/earth_series.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qw::fuzz::DataDirectory();
  if (size < 2) return 0;
  const size_t indexSize = std::min<size_t>((static_cast<size_t>(data[0]) << 8 | data[1]) % 256, size - 2);
  qw::fuzz::PutFile("EARTH.IDX", data + 2, indexSize);
  qw::fuzz::PutFile("EARTH.DAT", data + 2 + indexSize, size - 2 - indexSize);
  qw::ResetEarthSeries();
  if (qw::LoadEarthSeries() == 0) {
    qw::HeliocentricPosition position;
    for (double centuries : {-1.0, 0.0, 0.26, 1.0}) qw::EarthHeliocentric(0, centuries, position);
  }
  return 0;
}
