// The installed station catalogue: the sorted lists of tide and current regions, the
// region files opened on demand, and counting, reading and searching their records.
//
// A station is identified by its kind, `regionSlot` (0-based position of its region in
// the sorted list of installed regions of that kind) and `stationIndex` (0-based record
// number in the region file, after the header). At most one tide and one current region
// file are held open; that is this module's state, released by ResetStationDatabase.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "engine/current_location.h"
#include "engine/region_files.h"
#include "engine/tide_location.h"

namespace qw {

struct RegionNode {
  uint8_t number = 0;                     // region number, 1..99
  char name[kRegionNameLength + 1] = {};  // region name, at most 40 characters
  uint8_t regionFamily = 0;               // 1 for regions 1 and 10; 2 for 31..43; 0 otherwise
};

// The installed regions of one kind, sorted by region number; the position in the list
// is the region's `regionSlot`.
using RegionList = std::vector<RegionNode>;

// The family rule of RegionNode::regionFamily.
uint8_t RegionFamilyOf(int regionNumber);

// Scans the data directory for region files 1..99 of `kind` and lists every one that
// has at least some header bytes. The region number is taken from the file name (the
// file that will be opened), whatever the damaged header might say. Closes the region
// file of that kind held open, since the installed set may have changed.
RegionList BuildRegionList(StationKind kind);
// Same, with the kind as a letter 'T' or 'C' in either case; an empty list for others.
RegionList BuildRegionList(char kindLetter);
void FreeRegionList(RegionList& list);

// The region at `regionSlot`, or nullptr after reporting 2406.
const RegionNode* RegionAt(const RegionList& list, int regionSlot);

// The open file of the region at `regionSlot`, kept open for later calls and owned by
// the catalogue (callers never close it); nullptr after reporting 2406, 2401 (tide) or
// 2201 (current). `regionNumber` receives the number.
std::FILE* OpenRegionFile(const RegionList& list, int regionSlot, StationKind kind,
                          int* regionNumber = nullptr);

// The number of stations in the region (0 for a header-only file), or -1 when the file
// cannot be opened.
int CountStations(const RegionList& list, int regionSlot, StationKind kind);

// Read one station record. The record is zero-filled first (the current record also
// has its third-event time, ratio and direction preset to not given), so on any failure
// the caller holds an empty record, whose stationId 0 means "no predictions". Failures
// report: tide 2404 then 2405 (index beyond the file), 2405 (short record); current
// 2204 (index beyond the file), 2205 (short record). Returns true when a whole record
// was read.
bool ReadTideLocation(const RegionList& list, int regionSlot, int stationIndex, TideLocation& out);
bool ReadCurrentLocation(const RegionList& list, int regionSlot, int stationIndex,
                         CurrentLocation& out);

// Searches a region from `startIndex` + 1 upward (direction >= 0) or from `startIndex`
// - 1 downward (direction < 0) for the first station whose name contains `text` in any
// mix of case, or, when `text` is empty, whose stationId equals `stationId`. Pass -1
// as the start to search upward from the first station. Returns the stationIndex or -1.
int FindStation(const RegionList& list, int regionSlot, int startIndex, std::string_view text,
                uint16_t stationId, int direction, StationKind kind);
int FindTideStationByName(const RegionList& list, int regionSlot, int startIndex,
                          std::string_view text, int direction);
int FindTideStationById(const RegionList& list, int regionSlot, int startIndex, uint16_t stationId,
                        int direction);
int FindCurrentStationByName(const RegionList& list, int regionSlot, int startIndex,
                             std::string_view text, int direction);
int FindCurrentStationById(const RegionList& list, int regionSlot, int startIndex,
                           uint16_t stationId, int direction);

// The name of the harmonic record the tide station is computed from: the held record's
// when it is that one, else read from the data files (message 2408 when no file has it).
// Empty for a station without a reference (referenceId 0) or when the record is missing.
std::string ReferenceStationName(const TideLocation& station);

// The station's time meridian field (whole degrees, east positive) as the true meridian
// in degrees (+0.5 when the field is not a multiple of 15) and in hours (degrees / 15):
// ZoneDegrees and ZoneHours of time_zone.h.
double TimeMeridianDegrees(int16_t timeMeridian);
double TimeMeridianHours(int16_t timeMeridian);

// Closes the held region files.
void ResetStationDatabase();

}  // namespace qw
