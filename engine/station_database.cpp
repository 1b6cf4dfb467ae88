#include "engine/station_database.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

#include "engine/byte_order.h"
#include "engine/data_dir.h"
#include "engine/harmonic_files.h"
#include "engine/held_data.h"
#include "engine/report.h"
#include "engine/string_table.h"
#include "engine/time_zone.h"

namespace qw {
namespace {

// One held region file per kind, with the region number and the path it was opened
// from (so a changed data directory opens the file anew).
struct OpenRegion {
  std::FILE* file = nullptr;
  int regionNumber = -1;
  std::string path;
};

struct StationDatabaseState {
  OpenRegion tide;
  OpenRegion current;
};

StationDatabaseState& State() {
  static StationDatabaseState state;
  return state;
}

OpenRegion& OpenRegionOf(StationKind kind) {
  return kind == StationKind::Tide ? State().tide : State().current;
}

void CloseRegion(OpenRegion& region) {
  if (region.file) std::fclose(region.file);
  region = OpenRegion{};
}

// Bytes of the file behind `file`, or -1.
long long FileSize(std::FILE* file) {
  struct stat info;
  if (fstat(fileno(file), &info) != 0) return -1;
  return static_cast<long long>(info.st_size);
}

// Reads `count` whole records starting at record `first` (the header is record 0) into
// `buffer`; returns the number of whole records read.
size_t ReadRecords(std::FILE* file, long long first, size_t count, size_t recordSize,
                   std::vector<uint8_t>& buffer) {
  if (first < 0) return 0;
  buffer.resize(count * recordSize);
  if (fseeko(file, static_cast<off_t>(first) * static_cast<off_t>(recordSize), SEEK_SET) != 0) {
    return 0;
  }
  return std::fread(buffer.data(), recordSize, count, file);
}

void PresetCurrentRecord(uint8_t* bytes) {
  namespace off = current_location_offset;
  std::memset(bytes, 0, kCurrentLocationSize);
  WriteI16(bytes + off::kThirdEventTime, kNotGiven16);
  WriteI16(bytes + off::kThirdEventRatio, kNotGiven16);
  WriteI16(bytes + off::kThirdEventDirection, kNotGiven16);
}

// Reads the raw bytes of one station record into `bytes` (already preset). Reports
// the failures of the kind and returns false on any of them.
bool ReadStationRecord(const RegionList& list, int regionSlot, int stationIndex, StationKind kind,
                       uint8_t* bytes) {
  const bool tide = kind == StationKind::Tide;
  const size_t size = RegionRecordSize(kind);
  int number = 0;
  std::FILE* file = OpenRegionFile(list, regionSlot, kind, &number);
  if (!file) return false;

  // The record is beyond the file when it does not start inside it; a record that
  // starts inside but is cut short is a failed read.
  const long long fileSize = FileSize(file);
  const long long start = (stationIndex + 1LL) * static_cast<long long>(size);
  if (stationIndex < 0 || start >= fileSize) {
    // The index lies beyond the file. The tide side goes on to the read, which then
    // fails and reports the read failure too.
    ReportEngineError(tide ? 2404 : 2204, FormatString(tide ? 2404 : 2204, stationIndex + 1));
    if (!tide) return false;
    ReportEngineError(2405, FormatString(2405, number));
    return false;
  }
  std::vector<uint8_t> buffer;
  if (ReadRecords(file, stationIndex + 1LL, 1, size, buffer) != 1) {
    ReportEngineError(tide ? 2405 : 2205, FormatString(tide ? 2405 : 2205, number));
    return false;
  }
  std::memcpy(bytes, buffer.data(), size);
  return true;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

uint8_t RegionFamilyOf(int regionNumber) {
  if (regionNumber == 1 || regionNumber == 10) return 1;
  if (regionNumber >= 31 && regionNumber <= 43) return 2;
  return 0;
}

RegionList BuildRegionList(StationKind kind) {
  CloseRegion(OpenRegionOf(kind));
  RegionList list;
  const size_t size = RegionRecordSize(kind);
  std::vector<uint8_t> header(size);
  for (int n = kFirstRegionNumber; n <= kLastRegionNumber; ++n) {
    std::string path = DataFilePath(RegionFileName(kind, n));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) continue;
    std::fill(header.begin(), header.end(), 0);
    size_t got = std::fread(header.data(), 1, size, file);
    std::fclose(file);
    if (got == 0) continue;
    RegionHeader decoded;
    DecodeRegionHeader(header.data(), decoded);
    if (decoded.number != n) {
      DebugTrace("%s: header names region %u; listed as region %d\n", path.c_str(),
                 decoded.number, n);
    }
    RegionNode node;
    node.number = static_cast<uint8_t>(n);
    std::memcpy(node.name, decoded.name, sizeof node.name);
    node.regionFamily = RegionFamilyOf(n);
    list.push_back(node);  // n ascends, so the list stays sorted
  }
  return list;
}

RegionList BuildRegionList(char kindLetter) {
  switch (std::toupper(static_cast<unsigned char>(kindLetter))) {
    case 'T': return BuildRegionList(StationKind::Tide);
    case 'C': return BuildRegionList(StationKind::Current);
    default: return {};
  }
}

void FreeRegionList(RegionList& list) { list.clear(); }

const RegionNode* RegionAt(const RegionList& list, int regionSlot) {
  if (regionSlot < 0 || static_cast<size_t>(regionSlot) >= list.size()) {
    ReportEngineError(2406, FormatString(2406, regionSlot));
    return nullptr;
  }
  return &list[static_cast<size_t>(regionSlot)];
}

std::FILE* OpenRegionFile(const RegionList& list, int regionSlot, StationKind kind,
                          int* regionNumber) {
  const RegionNode* node = RegionAt(list, regionSlot);
  if (!node) return nullptr;
  if (regionNumber) *regionNumber = node->number;
  OpenRegion& open = OpenRegionOf(kind);
  std::string path = DataFilePath(RegionFileName(kind, node->number));
  if (open.file && open.regionNumber == node->number && open.path == path) return open.file;
  CloseRegion(open);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    if (kind == StationKind::Tide) {
      ReportEngineError(2401, FormatString(2401, static_cast<int>(node->number)));
    } else {
      ReportEngineError(2201, FormatString(2201, static_cast<int>(node->number)));
    }
    return nullptr;
  }
  open.file = file;
  open.regionNumber = node->number;
  open.path = std::move(path);
  return file;
}

int CountStations(const RegionList& list, int regionSlot, StationKind kind) {
  std::FILE* file = OpenRegionFile(list, regionSlot, kind);
  if (!file) return -1;
  long long size = FileSize(file);
  if (size < 0) return -1;
  long long count = size / static_cast<long long>(RegionRecordSize(kind)) - 1;
  return static_cast<int>(std::clamp<long long>(count, 0, 0x7FFFFFFF));
}

bool ReadTideLocation(const RegionList& list, int regionSlot, int stationIndex, TideLocation& out) {
  uint8_t bytes[kTideLocationSize] = {};
  bool ok = ReadStationRecord(list, regionSlot, stationIndex, StationKind::Tide, bytes);
  DecodeTideLocation(bytes, out);
  return ok;
}

bool ReadCurrentLocation(const RegionList& list, int regionSlot, int stationIndex,
                         CurrentLocation& out) {
  uint8_t bytes[kCurrentLocationSize];
  PresetCurrentRecord(bytes);
  bool ok = ReadStationRecord(list, regionSlot, stationIndex, StationKind::Current, bytes);
  DecodeCurrentLocation(bytes, out);
  return ok;
}

int FindStation(const RegionList& list, int regionSlot, int startIndex, std::string_view text,
                uint16_t stationId, int direction, StationKind kind) {
  std::FILE* file = OpenRegionFile(list, regionSlot, kind);
  if (!file) return -1;
  const std::string needle = Lower(text);
  const size_t size = RegionRecordSize(kind);
  namespace off = station_identity_offset;  // identity fields sit alike in both records

  auto matches = [&](const uint8_t* record) {
    if (needle.empty()) return ReadU16(record + off::kStationId) == stationId;
    char name[51];
    std::memcpy(name, record + off::kName, 50);
    name[50] = '\0';
    return Lower(name).find(needle) != std::string::npos;
  };

  // Records are read in blocks; the search ends where the file ends.
  constexpr long long kBlock = 256;
  std::vector<uint8_t> buffer;
  if (direction >= 0) {
    for (long long i = std::max(0LL, static_cast<long long>(startIndex) + 1);;) {
      size_t got = ReadRecords(file, i + 1, kBlock, size, buffer);
      for (size_t k = 0; k < got; ++k, ++i) {
        if (matches(buffer.data() + k * size)) return static_cast<int>(i);
      }
      if (got < static_cast<size_t>(kBlock)) return -1;
    }
  }
  for (long long high = static_cast<long long>(startIndex) - 1; high >= 0;) {
    long long low = std::max(0LL, high - kBlock + 1);
    size_t want = static_cast<size_t>(high - low + 1);
    size_t got = ReadRecords(file, low + 1, want, size, buffer);
    // Records beyond the end of the file are skipped; the rest are searched downward.
    for (long long i = std::min(high, low + static_cast<long long>(got) - 1); i >= low; --i) {
      if (matches(buffer.data() + static_cast<size_t>(i - low) * size)) return static_cast<int>(i);
    }
    high = low - 1;
  }
  return -1;
}

int FindTideStationByName(const RegionList& list, int regionSlot, int startIndex,
                          std::string_view text, int direction) {
  if (text.empty()) return -1;
  return FindStation(list, regionSlot, startIndex, text, 0, direction, StationKind::Tide);
}

int FindTideStationById(const RegionList& list, int regionSlot, int startIndex, uint16_t stationId,
                        int direction) {
  return FindStation(list, regionSlot, startIndex, {}, stationId, direction, StationKind::Tide);
}

int FindCurrentStationByName(const RegionList& list, int regionSlot, int startIndex,
                             std::string_view text, int direction) {
  if (text.empty()) return -1;
  return FindStation(list, regionSlot, startIndex, text, 0, direction, StationKind::Current);
}

int FindCurrentStationById(const RegionList& list, int regionSlot, int startIndex,
                           uint16_t stationId, int direction) {
  return FindStation(list, regionSlot, startIndex, {}, stationId, direction, StationKind::Current);
}

std::string ReferenceStationName(const TideLocation& station) {
  if (station.referenceId == 0) return "";
  if (TideRecordHeld() && LoadedStationNumber() == station.referenceId) return HeldTideRecordName();
  std::vector<uint8_t> buffer(harmonic_layout::kBufferSize);
  const size_t length = ReadHarmonicRecord(station.referenceId, buffer.data());
  if (length < harmonic_layout::kName + harmonic_layout::kNameSize) return "";
  const char* name = reinterpret_cast<const char*>(buffer.data() + harmonic_layout::kName);
  return std::string(name, strnlen(name, harmonic_layout::kNameSize - 1));
}

double TimeMeridianDegrees(int16_t timeMeridian) { return ZoneDegrees(timeMeridian); }

double TimeMeridianHours(int16_t timeMeridian) { return ZoneHours(timeMeridian); }

void ResetStationDatabase() {
  CloseRegion(State().tide);
  CloseRegion(State().current);
}

}  // namespace qw
