// The list the custom-location setup dialog works on: the entries of one kind's custom
// file in memory, the operations on them (move, insert, edit, rename, delete) and the
// save on OK. The dialog shows and asks; everything that changes the list is here.
//
// A location's identity is its stationId, given out from the header counter when it is
// created and never reused; it survives moves and edits, and names the location's user
// note file. The note files of locations deleted while the list was open are deleted
// only when the list is saved.
//
// Beside the custom files, "custom99.ini" remembers for every custom location the name of
// the reference station it was made from, and the counter. Reference stations are found
// by number, and a new edition of the installed data may give that number to another
// station: the remembered name lets the setup dialog notice and say so. The counter kept
// there outlives a custom file deleted when its last entry went, so IDs of deleted
// locations are not given out again.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "stations/custom_location_file.h"

namespace qw {

// The name of the reference station a number names in the installed data; empty when
// there is none.
using ReferenceNamer = std::function<std::string(StationKind kind, uint16_t referenceId)>;
// Tide references by their harmonic record, current references by their harmonic file.
std::string InstalledReferenceName(StationKind kind, uint16_t referenceId);

// "custom99.ini" in the data directory.
std::string CustomIdentityPath();

// A custom location whose reference number now names another station.
struct ReferenceChange {
  std::string location;  // the custom location's name
  uint16_t referenceId = 0;
  std::string savedName;  // the reference's name when the location was saved
  std::string nowName;    // the name the installed data give it now (empty: none)
};

class CustomLocationList {
 public:
  explicit CustomLocationList(StationKind kind) : kind_(kind) {}

  // Reads the custom file; `expectedEntries` as for ReadCustomFile.
  CustomReadReport Load(int expectedEntries);

  StationKind kind() const { return kind_; }
  int count() const { return static_cast<int>(contents_.entries.size()); }
  const CustomRecord& entry(int index) const { return contents_.entries.at(static_cast<size_t>(index)); }
  std::string Name(int index) const { return EntryName(entry(index)); }
  bool IsSectionAt(int index) const { return IsSection(entry(index)); }
  bool changed() const { return changed_; }
  uint16_t nextStationId() const { return contents_.nextStationId; }
  const std::vector<uint16_t>& deletedIds() const { return deleted_; }

  // Swap with the neighbour above or below; false (and nothing changes) at the ends.
  bool MoveUp(int index);
  bool MoveDown(int index);
  // Insert below `selected` (at the top when it is -1 or the list is empty) and return the
  // new entry's index. A location receives the counter as its stationId and the marker;
  // -1 when all 65535 IDs have been given out.
  int InsertLocation(int selected, CustomRecord record);
  int InsertSection(int selected, std::string_view name);
  // Store an edited location back; its stationId and marker are kept.
  void ReplaceLocation(int index, CustomRecord record);
  void RenameSection(int index, std::string_view name);
  // Removes the entry and returns the index to select next (the same position, or the
  // last entry; -1 when the list is empty).
  int Delete(int index);

  // OK: when anything changed (or the list is empty) the file is rewritten atomically,
  // or deleted when no entry is left; then the note files of deleted locations go and
  // the reference names are remembered. False with `error` set when the file could not
  // be written: nothing else is touched and the list stays as it is.
  bool Save(std::string* error, const ReferenceNamer& namer = InstalledReferenceName);
  // Cancel: a zero-byte custom file left by an earlier program is removed.
  void Cancel();

  // Locations whose reference number now names a station other than the one they were
  // saved with. Locations saved before names were remembered are not listed.
  std::vector<ReferenceChange> CheckReferences(const ReferenceNamer& namer = InstalledReferenceName) const;

 private:
  StationKind kind_;
  CustomFileContents contents_;
  bool changed_ = false;
  std::vector<uint16_t> deleted_;
  bool damagedNotKept_ = false;  // the file read was damaged and no copy of it is kept
  std::set<uint16_t> edited_;  // locations stored back from the edit dialog
};

}  // namespace qw
