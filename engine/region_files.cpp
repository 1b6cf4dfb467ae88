#include "engine/region_files.h"

#include <algorithm>
#include <cstring>

#include "engine/atomic_file.h"
#include "engine/byte_order.h"

namespace qw {

namespace off = region_header_offset;

std::string RegionFileName(StationKind kind, int regionNumber) {
  return (kind == StationKind::Tide ? "tide" : "curr") + std::to_string(regionNumber) + ".dat";
}

void DecodeRegionHeader(const uint8_t* bytes, RegionHeader& out) {
  out = RegionHeader{};
  out.number = ReadU8(bytes + off::kNumber);
  std::memcpy(out.name, bytes + off::kName, kRegionNameLength);
  out.name[kRegionNameLength] = '\0';
}

void EncodeRegionHeader(const RegionHeader& in, uint8_t* bytes, size_t recordSize) {
  std::memset(bytes, 0, recordSize);
  WriteU8(bytes + off::kNumber, in.number);
  std::memcpy(bytes + off::kName, in.name, strnlen(in.name, kRegionNameLength));
}

namespace {

bool HeaderFor(int regionNumber, std::string_view regionName, RegionHeader& header,
               std::string* error) {
  if (regionNumber < kFirstRegionNumber || regionNumber > kLastRegionNumber) {
    if (error) *error = "region number " + std::to_string(regionNumber) + " is outside 1..99";
    return false;
  }
  header.number = static_cast<uint8_t>(regionNumber);
  size_t length = std::min(regionName.size(), kRegionNameLength);
  std::memcpy(header.name, regionName.data(), length);
  header.name[length] = '\0';
  return true;
}

template <typename Station, typename Encoder>
bool WriteRegionFile(const std::string& path, StationKind kind, int regionNumber,
                     std::string_view regionName, const std::vector<Station>& stations,
                     Encoder encode, std::string* error) {
  RegionHeader header;
  if (!HeaderFor(regionNumber, regionName, header, error)) return false;
  const size_t size = RegionRecordSize(kind);
  std::vector<uint8_t> bytes((stations.size() + 1) * size);
  EncodeRegionHeader(header, bytes.data(), size);
  for (size_t i = 0; i < stations.size(); ++i) encode(stations[i], bytes.data() + (i + 1) * size);
  return WriteFileAtomically(path, bytes, error);
}

}  // namespace

bool WriteTideRegionFile(const std::string& path, int regionNumber, std::string_view regionName,
                         const std::vector<TideLocation>& stations, std::string* error) {
  return WriteRegionFile(path, StationKind::Tide, regionNumber, regionName, stations,
                         EncodeTideLocation, error);
}

bool WriteCurrentRegionFile(const std::string& path, int regionNumber, std::string_view regionName,
                            const std::vector<CurrentLocation>& stations, std::string* error) {
  return WriteRegionFile(path, StationKind::Current, regionNumber, regionName, stations,
                         EncodeCurrentLocation, error);
}

}  // namespace qw
