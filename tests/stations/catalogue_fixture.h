// Small station catalogues for the location dialog's tests, written with the project's
// own region-file writers into a test's data directory.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "engine/data_dir.h"
#include "engine/region_files.h"

namespace qw::test {

// A station record with a name, an ID and a position of whole minutes.
inline TideLocation TideStation(const std::string& name, uint16_t id, double latitude = 47.5,
                                double longitude = -122.5) {
  TideLocation s;
  std::strncpy(s.name, name.c_str(), 50);
  s.stationId = id;
  s.referenceId = id == 0 ? 0 : 9000 + id % 500;
  s.latHemisphere = latitude < 0 ? 'S' : 'N';
  s.lonHemisphere = longitude < 0 ? 'W' : 'E';
  const double lat = std::abs(latitude), lon = std::abs(longitude);
  s.latDegrees = static_cast<int16_t>(lat);
  s.latMinutes = static_cast<int16_t>((lat - s.latDegrees) * 60 + 0.5);
  s.lonDegrees = static_cast<int16_t>(lon);
  s.lonMinutes = static_cast<int16_t>((lon - s.lonDegrees) * 60 + 0.5);
  s.timeMeridian = -120;
  s.observesDst = 1;
  return s;
}

inline CurrentLocation CurrentStation(const std::string& name, uint16_t id, int16_t depth = 0) {
  CurrentLocation s;
  std::strncpy(s.name, name.c_str(), 50);
  s.stationId = id;
  s.referenceId = id == 0 ? 0 : 500;
  s.latHemisphere = 'N';
  s.latDegrees = 37;
  s.latMinutes = 48;
  s.lonHemisphere = 'W';
  s.lonDegrees = 122;
  s.lonMinutes = 28;
  s.meterDepth = depth;
  s.timeMeridian = -120;
  return s;
}

inline void WriteTides(int regionNumber, const std::string& name, const std::vector<TideLocation>& stations) {
  std::string error;
  if (!WriteTideRegionFile(DataFilePath(RegionFileName(StationKind::Tide, regionNumber)), regionNumber, name,
                           stations, &error)) {
    ADD_FAILURE() << error;
  }
}

inline void WriteCurrents(int regionNumber, const std::string& name, const std::vector<CurrentLocation>& stations) {
  std::string error;
  if (!WriteCurrentRegionFile(DataFilePath(RegionFileName(StationKind::Current, regionNumber)), regionNumber, name,
                              stations, &error)) {
    ADD_FAILURE() << error;
  }
}

// Puget Sound with a general-area heading, names that contain "sea" in several cases
// and two stations sharing an ID; a second region of a few stations.
inline void WritePugetSound() {
  WriteTides(3, "Washington",
             {TideStation("PUGET SOUND", 0), TideStation("Seattle", 101, 47.6, -122.34),
              TideStation("Port Townsend", 102, 48.1, -122.75), TideStation("Chelsea Point", 103, 47.2, -122.9),
              TideStation("Tacoma", 104, 47.27, -122.41), TideStation("SEASIDE Dock", 105, 46.0, -123.9),
              TideStation("Olympia", 104, 47.05, -122.9)});
  WriteTides(4, "Oregon", {TideStation("Astoria", 201, 46.2, -123.77), TideStation("Newport", 202, 44.6, -124.05)});
}

}  // namespace qw::test
