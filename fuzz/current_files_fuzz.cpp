// The current file readers and the current predictions over whatever they accept: the
// first byte chooses a current harmonic file or a rotary table made of the input (and
// whether the harmonic file gets its checksum made right, so that its contents are used);
// the next 130 bytes, when there are so many, are a current station record whose
// corrections drive the subordinate and rotary arithmetic.
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/byte_order.h"

#include "engine/current_harmonic_file.h"
#include "engine/current_harmonics.h"
#include "engine/current_location.h"
#include "engine/current_prediction.h"
#include "engine/data_dir.h"
#include "engine/rotary_table_file.h"
#include "fuzz/fuzz_support.h"

using namespace qw;

namespace {

constexpr uint16_t kFile = fuzz::kCurrentFileNumber;

// A good reversing current file for the rotary tables to stand on.
void PutGoodCurrentFile() {
  const std::vector<uint8_t> bytes = EncodeCurrentHarmonicFile(fuzz::GoodCurrentFile());
  fuzz::PutFile(CurrentHarmonicFileName(kFile), bytes.data(), bytes.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::DataDirectory();
  if (size < 2) return 0;
  ResetEngine();
  const bool rotary = data[0] & 1;
  const bool fixChecksum = data[0] & 2;
  data += 1;
  size -= 1;

  CurrentLocation station;
  if (size >= kCurrentLocationSize) {
    DecodeCurrentLocation(data, station);
    data += kCurrentLocationSize;
    size -= kCurrentLocationSize;
  }
  station.referenceId = kFile;
  station.timeMeridian = static_cast<int16_t>(station.timeMeridian % 181);
  if (rotary) {
    station.stationKind = kCurrentKindRotary;
    station.stationId = 17;
    PutGoodCurrentFile();
    fuzz::PutFile(RotaryTableFileName(17), data, size);
  } else {
    if (station.stationKind == kCurrentKindRotary) station.stationKind = 0;
    std::vector<uint8_t> file(data, data + size);
    if (fixChecksum && file.size() >= kCurrentHarmonicHeaderSize) {
      WriteI16(&file[current_harmonic_offset::kChecksum], CurrentHarmonicChecksum(file.data(), file.size()));
    }
    fuzz::PutFile(CurrentHarmonicFileName(kFile), file.data(), file.size());
  }

  const EngineMinute day = MinuteOf(2005, 7, 4);
  if (!rotary && PrepareCurrentYear(kFile, 2005) > 0) {
    for (char form : {'f', 'i'}) ComputeCurrentSpeed(day + 700, form);
  }
  for (int step : {0, 1, -1}) PredictCurrent(station, day + 611, step);
  CurrentDayEvents events;
  int32_t maxSpeed, minSpeed;
  FindCurrentDayEvents(station, day, events, maxSpeed, minSpeed);
  return 0;
}
