// The texts of the location dialog's detail panel for one station: its title, ID, the
// station it is computed from with the data source, its position and the nature of its
// tide or current. Plain text functions, so the panel only lays them out.
#pragma once

#include <cstdint>
#include <string>

#include "engine/current_location.h"
#include "engine/tide_location.h"

namespace qw {

struct StationDetail {
  std::string title;      // "Detail of %s"
  std::string idLine;     // "Station ID: %u"; empty when the ID is 0
  std::string reference;  // "Harmonic Station" or "based on NAME", then who published the data it is
                          // computed from (" (NOAA)", " (TICON-4, UHSLC)"); empty for a general area
  std::string licence;    // "CC BY 4.0", "public domain"; empty when the publisher is not known
  bool nonCommercial = false;  // the licence forbids commercial use: the panel says so
  std::string latitude;   // "Position unspecified" when there is no position; empty for a general area
  std::string longitude;  // empty when there is no position
  std::string nature;     // the tide's or current's nature, or the meter depth; may be empty
  bool generalArea = false;  // station ID 0: "General vicinity only, no predictions"
};

constexpr const char* kGeneralAreaText = "General vicinity only, no predictions";
constexpr const char* kMultipleSelectedText = "Multiple locations selected";
constexpr const char* kNonCommercialText = "Not for commercial use";

// `referenceName` is the name of the station's harmonic record (used for subordinate
// stations; it is upper-cased here). The publisher and licence are those the installed
// side catalogue records for the reference (installed_catalogue.h).
StationDetail DescribeTideStation(const TideLocation& station, const std::string& referenceName);
StationDetail DescribeCurrentStation(const CurrentLocation& station, const std::string& referenceName);

// The position lines: "%02d°%02d %02d' %c" and "%03d°%02d %02d' %c", or without the
// seconds ("%02d°%02d' %c", "%03d°%02d' %c") when the seconds of both are zero. The
// degree sign is U+00B0, UTF-8 encoded. False, with "Position unspecified" in `latitude`
// and an empty `longitude`, when a hemisphere is blank or all three fields of the
// latitude or of the longitude are zero.
bool FormatPosition(char latHemisphere, const int16_t lat[3], char lonHemisphere, const int16_t lon[3],
                    std::string& latitude, std::string& longitude);

// The name of the harmonic current file a current station is computed from (the file's
// header name), or an empty string when the file is missing or damaged.
std::string CurrentReferenceName(uint16_t referenceId);

}  // namespace qw
