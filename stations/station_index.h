// The installed station catalogue held in memory: every region of both kinds with its
// decoded station records, read once so that the location dialog can list, search and
// describe stations without reading a file per keystroke.
//
// The regions are those of the frame's region lists (same order, so a region's position
// here is its `regionSlot`). Each region file is read whole and decoded with the engine's
// record codecs; a trailing partial record is left out, as the engine's station count
// does. A file that cannot be read gives a region with no stations.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/current_location.h"
#include "engine/station_database.h"
#include "engine/tide_location.h"

namespace qw {

// What the station list shows of one station, the same for both kinds.
struct StationSummary {
  std::string name;    // as stored (UTF-8)
  std::string folded;  // the name with ASCII letters lower-cased, for searching
  uint16_t stationId = 0;    // 0: a general-area heading, no predictions
  uint16_t referenceId = 0;
  uint8_t kindCode = 0;      // the record's first byte (user note files are keyed by it)
  bool reference = false;    // a harmonic station (no corrections) with a station ID
  bool officialNotes = false;  // any of the record's official note numbers is set
  int16_t meterDepth = 0;      // currents: feet, 0 = none
  bool depthFlagD = false;     // currents: the depth is marked with the letter "d"
  bool hasPosition = false;
  double latitude = 0, longitude = 0;  // signed degrees, north and east positive
};

struct RegionIndex {
  uint8_t number = 0;
  std::string name;
  std::vector<StationSummary> stations;
  // The decoded records, by station index; only the vector of the region's kind is filled.
  std::vector<TideLocation> tides;
  std::vector<CurrentLocation> currents;
};

// Official note numbers as the installed data stores them in fields the engine does not
// read: tide records the vicinity note in the first and the station note in the second
// word at offset 88; current records the vicinity, reference-station and station notes in
// the three words at offset 114.
bool HasOfficialNotes(const TideLocation& station);
bool HasOfficialNotes(const CurrentLocation& station);

// A tide station is subordinate when any of its six time and height corrections is not
// zero; a current station when any of its six corrections is not zero.
bool IsSubordinate(const TideLocation& station);
bool IsSubordinate(const CurrentLocation& station);

StationSummary SummarizeStation(const TideLocation& station);
StationSummary SummarizeStation(const CurrentLocation& station);

// ASCII letters lower-cased; other bytes (UTF-8 sequences among them) kept.
std::string FoldCase(std::string_view text);

// A station found by a search over every region; regionSlot -1 when none was found.
struct StationMatch {
  int regionSlot = -1;
  int index = -1;
  bool found() const { return regionSlot >= 0; }
};

class StationIndex {
 public:
  // Reads every region of both lists.
  void Build(const RegionList& tideRegions, const RegionList& currentRegions);
  // Reads one region again (after the user's custom locations changed).
  void Reload(StationKind kind, const RegionList& regions, int regionSlot);

  const std::vector<RegionIndex>& Regions(StationKind kind) const {
    return kind == StationKind::Tide ? tides_ : currents_;
  }
  // The region at a slot, or nullptr.
  const RegionIndex* Region(StationKind kind, int regionSlot) const;
  int StationCount(StationKind kind, int regionSlot) const;
  // The station's summary, or nullptr when the slot or index does not exist.
  const StationSummary* Station(StationKind kind, int regionSlot, int stationIndex) const;
  size_t TotalStations() const;

  // The station search of the region files, over the held records: from `startIndex` + 1
  // upward (direction >= 0) or from `startIndex` - 1 downward (direction < 0), the first
  // station whose name contains `text` in any mix of letter case. Pass -1 as the start to
  // search from the first station. Returns the station index, or -1.
  int FindByName(StationKind kind, int regionSlot, int startIndex, std::string_view text, int direction) const;
  // The same for the first station whose stationId equals `stationId`.
  int FindById(StationKind kind, int regionSlot, int startIndex, uint32_t stationId, int direction) const;

  // The same searches over every region: first in `regionSlot` from `startIndex` as
  // above, then in the following regions in list order (direction < 0: the preceding
  // regions, each from its last station). With `wrap` the search goes on past the end of
  // the list at its other end and last looks at the start region's stations on the other
  // side of `startIndex`, so every station is looked at once; without, it stops at the
  // list's end.
  StationMatch FindByNameAcross(StationKind kind, int regionSlot, int startIndex, std::string_view text,
                                int direction, bool wrap) const;
  StationMatch FindByIdAcross(StationKind kind, int regionSlot, int startIndex, uint32_t stationId, int direction,
                              bool wrap) const;

 private:
  static RegionIndex ReadRegion(StationKind kind, const RegionNode& node);
  StationMatch SearchAcross(StationKind kind, int regionSlot, int startIndex, int direction, bool wrap,
                            const std::function<bool(const StationSummary&)>& matches) const;

  std::vector<RegionIndex> tides_;
  std::vector<RegionIndex> currents_;
};

}  // namespace qw
