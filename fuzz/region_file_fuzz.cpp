// Region files of any content: listing, counting, reading every record and searching
// must neither crash nor read out of bounds. A record decoded and encoded again keeps every
// byte but the name's padding after its end.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/current_location.h"
#include "engine/data_dir.h"
#include "engine/engine_state.h"
#include "engine/report.h"
#include "engine/station_database.h"
#include "engine/tide_location.h"

namespace {

const std::filesystem::path& Directory() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("quaywise-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(d);
    qw::SetDataDirectory(d);
    qw::SetEngineReporter([](const qw::EngineReport&) {});
    return d;
  }();
  return dir;
}

void Write(const std::string& name, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen((Directory() / name).c_str(), "wb");
  if (!f) return;
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

template <typename Record, typename Reader>
void Exercise(qw::StationKind kind, Reader read) {
  qw::RegionList regions = qw::BuildRegionList(kind);
  for (int slot = 0; slot <= static_cast<int>(regions.size()); ++slot) {
    int count = qw::CountStations(regions, slot, kind);
    for (int i = -1; i <= count + 1 && i < 64; ++i) {
      Record record;
      read(regions, slot, i, record);
    }
    qw::FindStation(regions, slot, -1, "a", 0, 1, kind);
    qw::FindStation(regions, slot, count + 3, "", 0, -1, kind);
  }
}

template <typename Record>
void CheckRoundTrip(const uint8_t* data, size_t size, size_t recordSize, void (*decode)(const uint8_t*, Record&),
                    void (*encode)(const Record&, uint8_t*)) {
  if (size < recordSize) return;
  Record record;
  decode(data, record);
  std::vector<uint8_t> again(recordSize);
  encode(record, again.data());
  namespace id = qw::station_identity_offset;
  const size_t nameEnd = id::kName + strnlen(reinterpret_cast<const char*>(data + id::kName), id::kNameSize - 1);
  for (size_t i = 0; i < recordSize; ++i) {
    const bool padding = i >= nameEnd && i < id::kName + id::kNameSize;
    if (padding ? again[i] != 0 : again[i] != data[i]) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckRoundTrip<qw::TideLocation>(data, size, qw::kTideLocationSize, qw::DecodeTideLocation, qw::EncodeTideLocation);
  CheckRoundTrip<qw::CurrentLocation>(data, size, qw::kCurrentLocationSize, qw::DecodeCurrentLocation,
                                      qw::EncodeCurrentLocation);
  qw::ResetEngine();
  Write("tide1.dat", data, size);
  Write("curr1.dat", data, size);
  Exercise<qw::TideLocation>(qw::StationKind::Tide, qw::ReadTideLocation);
  Exercise<qw::CurrentLocation>(qw::StationKind::Current, qw::ReadCurrentLocation);
  return 0;
}
