// Side catalogues for tests, written with the project's own writer into the data
// directory in use.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/data_dir.h"
#include "engine/station_sources.h"

namespace qw::test {

// A catalogue line for the station of `kind` whose stationId (a reference's record or
// file number) is `stationId`: the publisher's family, label and licence id.
inline StationSource SourceEntry(char kind, uint32_t stationId, const std::string& source, const std::string& label,
                                 const std::string& licence = "public domain") {
  StationSource entry;
  entry.kind = kind;
  entry.region = 50;  // a region no fixture writes: the entries are found by their stationId
  entry.index = static_cast<int>(stationId);
  entry.stationId = stationId;
  entry.source = source;
  entry.sourceId = source + "-" + std::to_string(stationId);
  entry.timeZone = "UTC";
  entry.licence = licence;
  entry.commercialUse = licence != "cc-by-nc-4.0";
  entry.sourceLabel = label;
  return entry;
}

// Writes "catalogue.csv" into the data directory in use.
inline void WriteStationSources(const std::vector<StationSource>& entries) {
  std::ofstream out(DataFilePath(StationSources::kFileName), std::ios::binary);
  out << EncodeStationSources(entries);
  if (!out) ADD_FAILURE() << "catalogue.csv not written";
}

}  // namespace qw::test
