#include "stations/station_detail.h"

#include <cstdio>
#include <vector>

#include "engine/binary_file.h"
#include "engine/current_harmonic_file.h"
#include "engine/data_dir.h"
#include "engine/installed_catalogue.h"
#include "engine/station_database.h"
#include "stations/station_index.h"

namespace qw {
namespace {

constexpr const char* kDegree = "\xC2\xB0";

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string Printf(const char* format, int a, int b, int c, char h) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, a, kDegree, b, c, h);
  return buffer;
}

std::string Printf(const char* format, int a, int b, char h) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, a, kDegree, b, h);
  return buffer;
}

template <typename Record>
StationDetail Common(const Record& station, char kind, bool subordinate, const std::string& referenceName) {
  StationDetail detail;
  detail.title = std::string("Detail of ") + station.name;
  if (station.stationId == 0) {
    detail.generalArea = true;
    return detail;
  }
  detail.idLine = "Station ID: " + std::to_string(station.stationId);
  detail.reference = subordinate ? "based on " + Upper(referenceName) : std::string("Harmonic Station");
  detail.reference += ReferenceSourceSuffix(kind, station.referenceId);
  if (const StationSource* source = ReferenceSource(kind, station.referenceId)) {
    detail.licence = LicenceName(source->licence);
    detail.nonCommercial = IsNonCommercial(*source);
  }
  const int16_t lat[3] = {station.latDegrees, station.latMinutes, station.latSeconds};
  const int16_t lon[3] = {station.lonDegrees, station.lonMinutes, station.lonSeconds};
  FormatPosition(station.latHemisphere, lat, station.lonHemisphere, lon, detail.latitude, detail.longitude);
  return detail;
}

}  // namespace

bool FormatPosition(char latHemisphere, const int16_t lat[3], char lonHemisphere, const int16_t lon[3],
                    std::string& latitude, std::string& longitude) {
  const bool latZero = lat[0] == 0 && lat[1] == 0 && lat[2] == 0;
  const bool lonZero = lon[0] == 0 && lon[1] == 0 && lon[2] == 0;
  if (latHemisphere == ' ' || lonHemisphere == ' ' || latZero || lonZero) {
    latitude = "Position unspecified";
    longitude.clear();
    return false;
  }
  if (lat[2] == 0 && lon[2] == 0) {
    latitude = Printf("%02d%s%02d' %c", lat[0], lat[1], latHemisphere);
    longitude = Printf("%03d%s%02d' %c", lon[0], lon[1], lonHemisphere);
  } else {
    latitude = Printf("%02d%s%02d %02d' %c", lat[0], lat[1], lat[2], latHemisphere);
    longitude = Printf("%03d%s%02d %02d' %c", lon[0], lon[1], lon[2], lonHemisphere);
  }
  return true;
}

StationDetail DescribeTideStation(const TideLocation& station, const std::string& referenceName) {
  StationDetail detail = Common(station, 'T', IsSubordinate(station), referenceName);
  if (detail.generalArea) return detail;
  if (station.highTimeOffset == kNotGiven16) {
    detail.nature = "Tide is unpredictable.";
  } else if (station.flags & kTideFlagDiurnal) {
    detail.nature = "Tide is diurnal in nature.";
  }
  return detail;
}

StationDetail DescribeCurrentStation(const CurrentLocation& station, const std::string& referenceName) {
  StationDetail detail = Common(station, 'C', IsSubordinate(station), referenceName);
  if (detail.generalArea) return detail;
  switch (station.stationKind) {
    case kCurrentKindRotary: detail.nature = "Current is rotary in nature."; break;
    case kCurrentKindWeakVariable: detail.nature = "Current is weak and variable. Unable to predict."; break;
    case kCurrentKindEbbsMostly: detail.nature = "Current ebbs most of the time."; break;
    case kCurrentKindMayDoubleFlood: detail.nature = "Current may double flood."; break;
    case kCurrentKindMayDoubleEbb: detail.nature = "Current may double ebb."; break;
    default:
      if (station.meterDepth != 0) detail.nature = "Meter depth = " + std::to_string(station.meterDepth) + " feet";
      break;
  }
  return detail;
}

std::string CurrentReferenceName(uint16_t referenceId) {
  if (referenceId == 0) return std::string();
  std::vector<uint8_t> bytes;
  if (!ReadFilePrefix(DataFilePath(CurrentHarmonicFileName(referenceId)), 64 * 1024, bytes)) return std::string();
  CurrentHarmonicFile file;
  bool checksumOk = false;
  if (!DecodeCurrentHarmonicFile(bytes.data(), bytes.size(), file, checksumOk)) return std::string();
  return file.name;
}

}  // namespace qw
