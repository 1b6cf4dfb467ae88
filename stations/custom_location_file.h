// The files of the user's custom locations: "tide99.dat" (100-byte tide records) and
// "curr99.dat" (130-byte current records) in the data directory. They have the layout of
// an ordinary region file, so the catalogue lists them as region 99 and the engine
// computes their locations like any subordinate station.
//
// Record 0 is the header:
//   offset 0   'c'            marks the custom region (and is 99, the region number)
//   offset 1   uint16         next station number to give out; 2 when the file is created
//   offset 3   char[51]       "Custom", NUL-terminated
//   offset 58  int32          the sum of every byte of records 1..n, each taken as int8
//   elsewhere  zero
// Records 1..n are the entries in list order: locations (stationId not 0, byte 0 'c') and
// section headings (all zero but byte 0 'c' and the name at offset 3).
//
// Entries are held as raw records so that whatever a record carries survives a move or a
// save unchanged; the edit dialogs decode a location with the engine's record codecs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/current_location.h"
#include "engine/region_files.h"
#include "engine/tide_location.h"

namespace qw {

constexpr uint8_t kCustomMarker = 'c';
static_assert(kCustomMarker == kCustomRegionNumber);
constexpr uint16_t kFirstCustomId = 1;       // the first location of a new file
constexpr uint16_t kFirstCustomCounter = 2;  // the counter of a new file: its first location has 1
constexpr size_t kCustomNameBytes = 50;      // names and section names, UTF-8 bytes
constexpr const char* kCustomRegionName = "Custom";

namespace custom_header_offset {
constexpr size_t kMarker = 0;
constexpr size_t kNextStationId = 1;
constexpr size_t kName = 3;
constexpr size_t kChecksum = 58;
static_assert(kChecksum >= kName + kCustomNameBytes + 1 && kChecksum + 4 <= kTideLocationSize);
}  // namespace custom_header_offset

// One entry: RegionRecordSize(kind) bytes.
using CustomRecord = std::vector<uint8_t>;

// "tide99.dat" / "curr99.dat" in the data directory.
std::string CustomFilePath(StationKind kind);

// The checksum of the header: the sum of all entry bytes, each as a signed 8-bit value.
int32_t CustomChecksum(const std::vector<CustomRecord>& entries);

struct CustomFileContents {
  bool headerRead = false;  // the file had a header record
  // The stationId the next new location receives: 1 in a new file, else the header's
  // counter. The header never holds less than 2.
  uint16_t nextStationId = kFirstCustomId;
  std::vector<CustomRecord> entries;
};

struct CustomReadReport {
  bool missing = false;  // no file (or an empty one): no entries
  bool damaged = false;  // the warning must be shown; `contents` holds what could be used
  std::string problem;   // what was wrong, for the user
  std::string keptAs;    // where a copy of the damaged file was kept, or empty
};

// Reads the custom file of a kind. `expectedEntries` is the count the catalogue gives
// for the custom region (-1 when it does not list one). The file counts as damaged when
// it is shorter than the expected entries, ends in a partial record, lacks the 'c'
// marker, or its checksum does not match; a copy of it is then kept aside and the whole
// records read are used. The counter is raised above every stationId in use, so an ID is
// never given out twice.
CustomReadReport ReadCustomFile(StationKind kind, int expectedEntries, CustomFileContents& out);

// Writes the header (with a fresh checksum) and the entries atomically; with no entries
// the file is deleted instead. False with `error` set when the old file could not be
// replaced (it is then untouched).
bool WriteCustomFile(StationKind kind, const CustomFileContents& contents, std::string* error = nullptr);

// Entry fields shared by both layouts.
std::string EntryName(const CustomRecord& record);  // offset 3, blanks trimmed
uint16_t EntryStationId(const CustomRecord& record);
bool IsSection(const CustomRecord& record);  // stationId 0
CustomRecord MakeSection(StationKind kind, std::string_view name);
void SetEntryName(CustomRecord& record, std::string_view name);

// Records to and from the engine's decoded forms.
TideLocation DecodeTideEntry(const CustomRecord& record);
CurrentLocation DecodeCurrentEntry(const CustomRecord& record);
CustomRecord EncodeEntry(const TideLocation& station);
CustomRecord EncodeEntry(const CurrentLocation& station);

// A copy of an installed station made ready to become a custom location: kind code 'c',
// no general-vicinity link, no official note numbers (they name lines of the notes file
// of the template's region, not of region 99), both ratios 100 when both were 0 (a
// harmonic station becomes a subordinate location with ratios 1.00), and the extreme
// finder the template used (the double-tide finder is chosen by kind code, which changes).
// A current template that is rotary becomes an ordinary current: rotary tables are found
// by the station's own ID, which a custom location does not share. Every other field,
// double events included, is kept, so the location predicts like its template until the
// user edits it.
TideLocation PrepareTideTemplate(const TideLocation& station);
CurrentLocation PrepareCurrentTemplate(const CurrentLocation& station);

}  // namespace qw
