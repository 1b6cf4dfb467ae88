// The stations of the real-time window, kept in the settings file in sections
// "Real Time Tides" and "Real Time Currents": key Count, and for entry i the keys
// Region<i> (regionSlot) and Subregion<i> (stationIndex). At most 15 per kind.
#pragma once

#include <vector>

#include "settings/profile_file.h"
#include "settings/station_directory.h"

namespace qw {

constexpr int kRealTimeListMax = 15;

// What adding stations to the lists tells the user (boxes titled kUnableToAddTitle).
constexpr const char* kUnableToAddTitle = "Unable To Add";
constexpr const char* kAlreadyListedText = "Unable to add %1. It already exists in the RealTime list.";  // %1: name
// A single add from the location dialog into a full list.
constexpr const char* kListLimitText =
    "Unable to add one or more locations. RealTime Window has reached its limit of entries for that type of "
    "location type. Delete one or more locations from the list and try again.";

std::vector<StationRef> ReadRealTimeList(const ProfileFile& file, StationKind kind);
void WriteRealTimeList(ProfileFile& file, StationKind kind, const std::vector<StationRef>& stations);

enum class RealTimeAdd { Added, AlreadyListed, ListFull };
RealTimeAdd AddToRealTimeList(ProfileFile& file, const StationRef& station);

}  // namespace qw
