// Who published a station's data, as the program shows it: the source family of the
// station database ("NOAA", "TICON-4", "Kartverket"), the label shown beside a station
// ("TICON-4 (UHSLC)"), and for TICON-4 gauges the agency that collected the record, as
// the GESLA-4 file name the station id comes from records it.
#pragma once

#include <string>

#include "tools/data/station_extract.h"

namespace qw::data {

struct SourceLabels {
  std::string family;       // "NOAA", "CHS", "TICON-4", "Kartverket": the catalogue's `source`
  std::string label;        // "NOAA", "TICON-4 (UHSLC)", "Kartverket"
  std::string name;         // "US National Oceanic and Atmospheric Administration (NOAA)", ...
  std::string agency;       // TICON-4: the agency that collected the record; "" when not known
  std::string agencyCode;   // TICON-4: the GESLA-4 contributor code, e.g. "uhslc_fd"; else ""
};

SourceLabels LabelsOf(const SourceStation& station);

// The licence as people write it: "public domain", "CC BY 4.0", "CC BY-NC 4.0".
std::string LicenceName(const std::string& licenceId);

}  // namespace qw::data
