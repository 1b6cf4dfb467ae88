// The region files of the station catalogue: "tide<n>.dat" with 100-byte tide station
// records and "curr<n>.dat" with 130-byte current station records, n = 1..99 in decimal
// without leading zeros. Record 0 is the region header; station k is record k + 1.
//
// This header declares the header record and the writers; reading and searching the
// installed regions is in station_database.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/current_location.h"
#include "engine/tide_location.h"

namespace qw {

enum class StationKind : char { Tide = 'T', Current = 'C' };

constexpr int kFirstRegionNumber = 1;
constexpr int kLastRegionNumber = 99;
constexpr int kCustomRegionNumber = 99;  // the user's own locations
constexpr size_t kRegionNameLength = 40;

// 100 for tide files, 130 for current files.
constexpr size_t RegionRecordSize(StationKind kind) {
  return kind == StationKind::Tide ? kTideLocationSize : kCurrentLocationSize;
}

// "tide7.dat", "curr12.dat".
std::string RegionFileName(StationKind kind, int regionNumber);

// The fields of record 0 the catalogue reads.
struct RegionHeader {
  uint8_t number = 0;  // region number; equals n of the file name
  char name[kRegionNameLength + 1] = {};  // NUL-terminated, at most 40 characters
};

namespace region_header_offset {
constexpr size_t kNumber = 0;
constexpr size_t kName = 3;
static_assert(kName + kRegionNameLength + 1 <= kTideLocationSize);
}  // namespace region_header_offset

// Reads the header from the first bytes of a region file (at least 44 bytes); the name
// is cut at 40 characters.
void DecodeRegionHeader(const uint8_t* bytes, RegionHeader& out);
// Writes a header record of `recordSize` bytes: number, name NUL-padded, zeros elsewhere.
void EncodeRegionHeader(const RegionHeader& in, uint8_t* bytes, size_t recordSize);

// Write a whole region file (header + stations in the given order) atomically. The
// region number must be 1..99; a name longer than 40 characters is cut. Return false
// with `error` set when the file cannot be written or the arguments are invalid.
bool WriteTideRegionFile(const std::string& path, int regionNumber, std::string_view regionName,
                         const std::vector<TideLocation>& stations, std::string* error = nullptr);
bool WriteCurrentRegionFile(const std::string& path, int regionNumber, std::string_view regionName,
                            const std::vector<CurrentLocation>& stations,
                            std::string* error = nullptr);

}  // namespace qw
