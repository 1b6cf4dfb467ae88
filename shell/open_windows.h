// The list of tide and current windows open at the orderly stop, kept in section
// "OpenWindows" of the settings file and reopened at the next start when AutoOpen is on.
//
//   [OpenWindows]
//   Count=2
//   0=T,3,120,9447130,0,1,-1,-1,-1,-1,22,22,622,422,1,0,0
//
// Each entry has 17 comma-separated fields: kind letter ("T" tide, "C" current),
// regionSlot, stationIndex, stationId, then the window placement (flags, show command,
// minimized x y, maximized x y, normal rectangle left top right bottom), then the three
// view switches (information areas, table, weekly view) as 0 or 1. An 18th field, when
// there, is the station's key in the installed data ("NOAA/9414290", StationDirectory::
// StationKey): it names the station in every edition of the data, where the slot, index
// and ID name it in one edition only. A 19th field, after the key (or an empty 18th), is
// the datum a tide window shows its heights on ("MSL"), when the user chose one. Lines
// written without them are read as before.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/profile_file.h"
#include "settings/station_directory.h"

namespace qw {

// Show commands of a window placement.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;

struct WindowPlacement {
  int flags = 0;
  int showCommand = kShowNormal;
  int minX = -1, minY = -1;
  int maxX = -1, maxY = -1;
  int left = 0, top = 0, right = 0, bottom = 0;  // normal rectangle; right and bottom exclusive
  bool operator==(const WindowPlacement&) const = default;
};

struct OpenWindowEntry {
  StationRef station;
  uint32_t stationId = 0;
  WindowPlacement placement;
  bool infoShown = true;
  bool tableShown = false;
  bool weeklyShown = false;
  std::string key;  // the station's key; empty when not known
  std::string datum;  // a tide window's chosen datum; empty for the default
  bool operator==(const OpenWindowEntry&) const = default;
};

std::string FormatOpenWindowEntry(const OpenWindowEntry& entry);
// False for a line that is not a well-formed entry (wrong field count, unknown kind
// letter, a number out of range).
bool ParseOpenWindowEntry(std::string_view text, OpenWindowEntry& entry);

// Rewrites the section whole: removed first, then Count and the entries 0..n-1.
void WriteOpenWindows(ProfileFile& file, const std::vector<OpenWindowEntry>& entries);
// The entries in key order 0..Count-1; malformed or missing entries are left out.
std::vector<OpenWindowEntry> ReadOpenWindows(const ProfileFile& file);

// The entries to reopen, in reopening order (highest key first), each at the station it
// was written for:
// - an entry with a key opens the station with that key, wherever the data now lists it;
// - else the station at (regionSlot, stationIndex) when it has the stored ID and no key
//   of its own that differs from the stored one;
// - else the station with the stored ID in that region, only where IDs name one station
//   for good (custom locations, data without keys): an edition of the installed data
//   gives its IDs out afresh, so there the ID alone may now name another station.
// An entry whose station cannot be established is dropped, never opened at another one.
std::vector<OpenWindowEntry> ResolveOpenWindows(const std::vector<OpenWindowEntry>& entries,
                                                const StationDirectory& stations);

}  // namespace qw
