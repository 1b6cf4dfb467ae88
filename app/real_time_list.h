// The stations of the real-time window, kept in the settings file in sections
// "Real Time Tides" and "Real Time Currents": key Count, and for entry i the keys
// Region<i> (regionSlot) and Subregion<i> (stationIndex). At most 15 per kind.
#pragma once

#include <vector>

#include "app/profile_file.h"
#include "app/station_directory.h"

namespace qw {

constexpr int kRealTimeListMax = 15;

std::vector<StationRef> ReadRealTimeList(const ProfileFile& file, StationKind kind);
void WriteRealTimeList(ProfileFile& file, StationKind kind, const std::vector<StationRef>& stations);

enum class RealTimeAdd { Added, AlreadyListed, ListFull };
RealTimeAdd AddToRealTimeList(ProfileFile& file, const StationRef& station);

}  // namespace qw
