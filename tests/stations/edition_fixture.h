// Editions of the installed data for the tests of custom locations' references: reference
// tide stations with their harmonic records, region file and side catalogue, written with
// the project's own writers into a test's data directory.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "stations/custom_locations.h"
#include "tests/stations/catalogue_fixture.h"
#include "tests/support/source_fixture.h"
#include "tests/support/tide_station_fixture.h"

namespace qw::test {

struct EditionStation {
  uint16_t number = 0;  // harmonic record number, and the station's ID
  std::string name;
  std::string sourceId;  // its key is "NOAA/" and this
};

// One edition: a reference station per entry, in region 1 in this order. The engine
// forgets the edition read before.
inline void WriteEdition(const std::string& directory, const std::vector<EditionStation>& stations) {
  std::vector<SyntheticStation> harmonics;
  std::vector<TideLocation> records;
  std::vector<StationSource> entries;
  for (const EditionStation& s : stations) {
    harmonics.push_back(MixedTideStation(s.number, s.name));
    records.push_back(ReferenceLocation(s.number, s.number, s.name));
    StationSource entry = SourceEntry('T', s.number, "NOAA", "NOAA");
    entry.region = 1;
    entry.index = static_cast<int>(entries.size());
    entry.sourceId = s.sourceId;
    entries.push_back(entry);
  }
  std::string error;
  ASSERT_TRUE(WriteSyntheticStations(directory, harmonics, 2025, 2027, &error)) << error;
  WriteTides(1, "Washington", records);
  WriteStationSources(entries);
  ResetEngine();
}

// Saves a tide list with one location per reference number, named as given, in order.
inline void SaveCustomTides(const std::vector<std::pair<std::string, uint16_t>>& locations,
                            const ReferenceStations& references) {
  CustomLocationList list(StationKind::Tide);
  list.Load(-1);
  int at = -1;
  for (const auto& [name, referenceId] : locations) {
    at = list.InsertLocation(at, EncodeEntry(PrepareTideTemplate(ReferenceLocation(referenceId, 1, name))));
  }
  std::string error;
  ASSERT_TRUE(list.Save(&error, references)) << error;
}

}  // namespace qw::test
