#include "stations/custom_location_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/atomic_file.h"
#include "engine/byte_order.h"
#include "engine/data_dir.h"
#include "stations/user_files.h"

namespace qw {
namespace {

// Far more than the 65535 entries the counter can number.
constexpr size_t kMaxCustomFileBytes = 16u << 20;

// The double-tide finder's rule value (tide record offset 86) and the kind codes it
// applies to.
constexpr int16_t kDoubleTideRule = 20;
constexpr uint8_t kDoubleTideKindsAbove = 10;

}  // namespace

std::string CustomFilePath(StationKind kind) { return DataFilePath(RegionFileName(kind, kCustomRegionNumber)); }

int32_t CustomChecksum(const std::vector<CustomRecord>& entries) {
  int32_t sum = 0;
  for (const CustomRecord& record : entries) {
    for (uint8_t byte : record) sum += static_cast<int8_t>(byte);
  }
  return sum;
}

CustomReadReport ReadCustomFile(StationKind kind, int expectedEntries, CustomFileContents& out) {
  out = CustomFileContents{};
  CustomReadReport report;
  const size_t size = RegionRecordSize(kind);
  const std::string path = CustomFilePath(kind);
  std::vector<uint8_t> bytes;
  std::string why;
  switch (ReadWholeFile(path, kMaxCustomFileBytes, bytes, &why)) {
    case ReadResult::Missing:
      report.missing = true;
      report.damaged = expectedEntries > 0;
      if (report.damaged) report.problem = "the file is missing";
      return report;
    case ReadResult::TooLarge:
    case ReadResult::Unreadable:
      report.damaged = true;
      report.problem = why;
      report.keptAs = CopyAside(path);
      return report;
    case ReadResult::Read:
      break;
  }
  if (bytes.empty()) {
    report.missing = true;
    report.damaged = expectedEntries > 0;
    if (report.damaged) report.problem = "the file is empty";
    return report;
  }

  const size_t whole = bytes.size() / size;
  std::vector<std::string> problems;
  if (bytes.size() % size != 0) problems.push_back("the file ends in a partial record");
  if (whole >= 1) {
    out.headerRead = true;
    if (bytes[custom_header_offset::kMarker] != kCustomMarker) problems.push_back("the header is not a custom header");
    out.nextStationId = ReadU16(bytes.data() + custom_header_offset::kNextStationId);
    for (size_t i = 1; i < whole; ++i) {
      out.entries.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(i * size),
                               bytes.begin() + static_cast<std::ptrdiff_t>((i + 1) * size));
    }
    if (ReadI32(bytes.data() + custom_header_offset::kChecksum) != CustomChecksum(out.entries) &&
        bytes.size() % size == 0) {
      problems.push_back("the checksum does not match the records");
    }
  }
  if (expectedEntries >= 0 && static_cast<int>(out.entries.size()) < expectedEntries) {
    problems.push_back("fewer records than expected");
  }

  // Never give out an ID that is in use, whatever the counter says. 0 means every ID has
  // been given out.
  uint32_t highest = 0;
  for (const CustomRecord& record : out.entries) highest = std::max<uint32_t>(highest, EntryStationId(record));
  uint32_t next = std::max<uint32_t>({out.nextStationId, highest + 1, kFirstCustomId});
  out.nextStationId = next > 0xFFFF ? 0 : static_cast<uint16_t>(next);

  if (!problems.empty()) {
    report.damaged = true;
    for (size_t i = 0; i < problems.size(); ++i) report.problem += (i ? "; " : "") + problems[i];
    report.keptAs = CopyAside(path);
  }
  return report;
}

bool WriteCustomFile(StationKind kind, const CustomFileContents& contents, std::string* error) {
  const std::string path = CustomFilePath(kind);
  if (contents.entries.empty()) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    if (ec) {
      if (error) *error = "cannot delete '" + path + "': " + ec.message();
      return false;
    }
    return true;
  }
  const size_t size = RegionRecordSize(kind);
  std::vector<uint8_t> bytes(size * (contents.entries.size() + 1), 0);
  bytes[custom_header_offset::kMarker] = kCustomMarker;
  WriteU16(bytes.data() + custom_header_offset::kNextStationId, std::max(contents.nextStationId, kFirstCustomCounter));
  std::memcpy(bytes.data() + custom_header_offset::kName, kCustomRegionName, std::strlen(kCustomRegionName));
  WriteI32(bytes.data() + custom_header_offset::kChecksum, CustomChecksum(contents.entries));
  for (size_t i = 0; i < contents.entries.size(); ++i) {
    const CustomRecord& record = contents.entries[i];
    if (record.size() != size) {
      if (error) *error = "an entry has the wrong record size";
      return false;
    }
    std::copy(record.begin(), record.end(), bytes.begin() + static_cast<std::ptrdiff_t>((i + 1) * size));
  }
  return WriteFileAtomically(path, bytes, error);
}

std::string EntryName(const CustomRecord& record) {
  if (record.size() < station_identity_offset::kName + station_identity_offset::kNameSize) return std::string();
  const char* name = reinterpret_cast<const char*>(record.data() + station_identity_offset::kName);
  std::string text(name, strnlen(name, kCustomNameBytes));
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

uint16_t EntryStationId(const CustomRecord& record) {
  return record.size() < 3 ? 0 : ReadU16(record.data() + station_identity_offset::kStationId);
}

bool IsSection(const CustomRecord& record) { return EntryStationId(record) == 0; }

void SetEntryName(CustomRecord& record, std::string_view name) {
  if (record.size() < station_identity_offset::kName + station_identity_offset::kNameSize) return;
  uint8_t* field = record.data() + station_identity_offset::kName;
  std::memset(field, 0, station_identity_offset::kNameSize);
  std::memcpy(field, name.data(), std::min(name.size(), kCustomNameBytes));
}

CustomRecord MakeSection(StationKind kind, std::string_view name) {
  CustomRecord record(RegionRecordSize(kind), 0);
  record[0] = kCustomMarker;
  SetEntryName(record, name);
  return record;
}

TideLocation DecodeTideEntry(const CustomRecord& record) {
  TideLocation station;
  if (record.size() == kTideLocationSize) DecodeTideLocation(record.data(), station);
  return station;
}

CurrentLocation DecodeCurrentEntry(const CustomRecord& record) {
  CurrentLocation station;
  if (record.size() == kCurrentLocationSize) DecodeCurrentLocation(record.data(), station);
  return station;
}

CustomRecord EncodeEntry(const TideLocation& station) {
  CustomRecord record(kTideLocationSize, 0);
  EncodeTideLocation(station, record.data());
  return record;
}

CustomRecord EncodeEntry(const CurrentLocation& station) {
  CustomRecord record(kCurrentLocationSize, 0);
  EncodeCurrentLocation(station, record.data());
  return record;
}

TideLocation PrepareTideTemplate(const TideLocation& station) {
  TideLocation out = station;
  if (out.extremeRule == kDoubleTideRule && station.kindCode <= kDoubleTideKindsAbove) out.extremeRule = 0;
  out.kindCode = kCustomMarker;
  out.vicinityIndex = 0;
  out.unused88[0] = out.unused88[1] = 0;
  if (out.highHeightRatio == 0 && out.lowHeightRatio == 0) out.highHeightRatio = out.lowHeightRatio = 100;
  return out;
}

CurrentLocation PrepareCurrentTemplate(const CurrentLocation& station) {
  CurrentLocation out = station;
  out.kindCode = kCustomMarker;
  out.vicinityIndex = 0;
  out.unused114[0] = out.unused114[1] = out.unused114[2] = 0;
  if (out.floodSpeedRatio == 0 && out.ebbSpeedRatio == 0) out.floodSpeedRatio = out.ebbSpeedRatio = 100;
  if (out.stationKind == kCurrentKindRotary) out.stationKind = kCurrentKindOrdinary;
  return out;
}

}  // namespace qw
