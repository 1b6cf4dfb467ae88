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
// the reference station it was made from ("12=9447130,SEATTLE"), its key where the
// installed data give one ("12.Key=NOAA/9447130"), and the counter. Reference stations are
// found by number, and a new edition of the installed data may give that number to
// another station: the remembered key, or the name where no key was remembered (files of
// earlier versions), finds the station again under its new number, and the setup dialog
// re-links the location with the user's OK; when neither names exactly one installed
// reference station the dialog only says so. The counter kept there outlives a custom file
// deleted when its last entry went, so IDs of deleted locations are not given out again.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "stations/custom_location_file.h"

namespace qw {

class StationIndex;

// The name of the reference station a number names in the installed data; empty when
// there is none.
using ReferenceNamer = std::function<std::string(StationKind kind, uint16_t referenceId)>;
// Tide references by their harmonic record, current references by their harmonic file.
std::string InstalledReferenceName(StationKind kind, uint16_t referenceId);

// "custom99.ini" in the data directory.
std::string CustomIdentityPath();

// The installed reference stations as the custom locations see them: by the number a
// location stores, and back from what was remembered of them.
class ReferenceStations {
 public:
  virtual ~ReferenceStations() = default;
  // The name of the reference station the number names; empty when there is none.
  virtual std::string Name(StationKind kind, uint16_t referenceId) const = 0;
  // Its key ("NOAA/9447130"); empty when not known.
  virtual std::string Key(StationKind /*kind*/, uint16_t /*referenceId*/) const { return {}; }
  // The numbers of the installed reference stations with that key, or with that name.
  virtual std::vector<uint16_t> WithKey(StationKind /*kind*/, std::string_view /*key*/) const { return {}; }
  virtual std::vector<uint16_t> WithName(StationKind /*kind*/, std::string_view /*name*/) const { return {}; }
};

// Names only, from a namer: nothing can be found again.
class NamedReferences : public ReferenceStations {
 public:
  explicit NamedReferences(ReferenceNamer namer) : namer_(std::move(namer)) {}
  std::string Name(StationKind kind, uint16_t referenceId) const override { return namer_(kind, referenceId); }

 private:
  ReferenceNamer namer_;
};

// The installed data's: names from the harmonic records and files, keys from the side
// catalogue (none without one). The stations are read on the first search.
class InstalledReferenceStations : public ReferenceStations {
 public:
  InstalledReferenceStations();
  ~InstalledReferenceStations() override;
  std::string Name(StationKind kind, uint16_t referenceId) const override;
  std::string Key(StationKind kind, uint16_t referenceId) const override;
  std::vector<uint16_t> WithKey(StationKind kind, std::string_view key) const override;
  std::vector<uint16_t> WithName(StationKind kind, std::string_view name) const override;

 private:
  const StationIndex& Index(StationKind kind) const;
  mutable std::unique_ptr<StationIndex> index_;
  mutable StationKind indexed_ = StationKind::Tide;
};
inline InstalledReferenceStations InstalledReferences() { return {}; }

// A custom location whose reference number now names another station.
struct ReferenceChange {
  std::string location;     // the custom location's name
  uint16_t locationId = 0;  // its stationId
  uint16_t referenceId = 0;
  std::string savedName;  // the reference's name when the location was saved
  std::string nowName;    // the name the installed data give it now (empty: none)
  std::string savedKey;   // the reference's key when the location was saved; empty: not remembered
  // The number the station it was saved with has now, when exactly one installed reference
  // station has the remembered key (or, without a key, the remembered name); 0 otherwise.
  uint16_t relinkTo = 0;
  std::string relinkName, relinkKey;  // what the installed data give that number
  int candidates = 0;                 // how many installed reference stations have that key or name
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
  bool Save(std::string* error, const ReferenceStations& references = InstalledReferences());
  bool Save(std::string* error, const ReferenceNamer& namer) { return Save(error, NamedReferences(namer)); }
  // Cancel: a zero-byte custom file left by an earlier program is removed.
  void Cancel();

  // Locations whose reference number now names a station other than the one they were
  // saved with (another key, or where no key was remembered another name). Locations
  // saved before names were remembered are not listed.
  std::vector<ReferenceChange> CheckReferences(const ReferenceStations& references = InstalledReferences()) const;
  std::vector<ReferenceChange> CheckReferences(const ReferenceNamer& namer) const {
    return CheckReferences(NamedReferences(namer));
  }
  // Gives each of `changes` with a relinkTo its reference station's new number: the file
  // as it was is copied to "<file>.before-relink" (returned in `keptAs`), the file written
  // atomically, and the new number remembered with the name and key it was saved with.
  // Only right after Load, on a file read whole; false with `error` set when the list has
  // changes of its own, the file was damaged, or it could not be copied or written (it is
  // then as it was).
  bool Relink(const std::vector<ReferenceChange>& changes, std::string* keptAs, std::string* error);

 private:
  StationKind kind_;
  CustomFileContents contents_;
  bool changed_ = false;
  std::vector<uint16_t> deleted_;
  bool damagedNotKept_ = false;  // the file read was damaged and no copy of it is kept
  bool damaged_ = false;         // the file read was damaged
  std::set<uint16_t> edited_;    // locations stored back from the edit dialog
};

}  // namespace qw
