// The built DATA directory read back: every region file through the catalogue's readers,
// every harmonic record, year record, speed table, current harmonic file and note, with
// their checksums, against the side catalogue; and a second build compared byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

#include "engine/current_harmonic_file.h"
#include "engine/data_dir.h"
#include "engine/data_layouts.h"
#include "engine/held_data.h"
#include "engine/official_notes_file.h"
#include "engine/station_database.h"
#include "engine/station_datums.h"
#include "engine/station_sources.h"
#include "engine/tide_corrections.h"
#include "tests/support/test_support.h"
#include "tests/tools/data/data_files.h"
#include "tools/data/regions.h"
#include "tools/data/station_extract.h"

namespace qw {
namespace {

namespace fs = std::filesystem;
using test::BuiltDataFile;
using test::ReadBytes;

bool ValidUtf8(const char* text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  while (*s) {
    int follow = *s < 0x80 ? 0 : (*s & 0xE0) == 0xC0 ? 1 : (*s & 0xF0) == 0xE0 ? 2 : (*s & 0xF8) == 0xF0 ? 3 : -1;
    if (follow < 0) return false;
    ++s;
    for (; follow > 0; --follow, ++s) {
      if ((*s & 0xC0) != 0x80) return false;
    }
  }
  return true;
}

// The harmonic records of every index family in the data directory, by record number.
std::map<uint16_t, HarmonicRecordData> ReadAllHarmonicRecords(std::vector<std::string>& problems) {
  std::map<uint16_t, HarmonicRecordData> records;
  for (const auto& entry : fs::directory_iterator(QW_TEST_DATA_DIR)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".IDX" || name == "EARTH.IDX") continue;
    const std::string base = name.substr(0, name.size() - 4);
    const std::vector<uint8_t> index = ReadBytes(entry.path().string());
    const std::vector<uint8_t> data = ReadBytes(BuiltDataFile(base + ".DAT"));
    StationIndexEntry header;
    if (index.size() < 8) {
      problems.push_back(name + ": no header");
      continue;
    }
    DecodeIndexEntry(index.data(), header);
    if (index.size() != (static_cast<size_t>(header.offset) + 1) * 8) problems.push_back(name + ": count does not match size");
    uint16_t previous = 0;
    for (size_t i = 1; i * 8 + 8 <= index.size(); ++i) {
      StationIndexEntry e;
      DecodeIndexEntry(index.data() + i * 8, e);
      if (e.key <= previous) problems.push_back(name + ": keys not ascending at " + std::to_string(e.key));
      previous = e.key;
      if (e.offset < 0 || static_cast<size_t>(e.offset) + e.length > data.size() || e.length > harmonic_layout::kRecordSize) {
        problems.push_back(name + ": record " + std::to_string(e.key) + " outside the data file");
        continue;
      }
      HarmonicRecordData record;
      const uint8_t* bytes = data.data() + e.offset;
      if (!DecodeHarmonicRecord(bytes, e.length, record) || record.number != e.key ||
          HarmonicRecordChecksum(bytes, e.length) != static_cast<int16_t>(bytes[53] | (bytes[54] << 8))) {
        problems.push_back(name + ": record " + std::to_string(e.key) + " does not decode or its checksum is wrong");
        continue;
      }
      if (HarmonicFamilyName(e.key, 0) != base && HarmonicFamilyName(e.key, 1) != base) {
        problems.push_back(name + ": record " + std::to_string(e.key) + " belongs to another family");
      }
      const int slots = ConstituentSlotsForVariant(DataVariant(e.key));
      for (const HarmonicEntry& k : record.entries) {
        if (k.constituentIndex >= slots || k.amplitudeMilliFeet <= 0 || k.phaseTenthsDegree < 0 || k.phaseTenthsDegree > 3599) {
          problems.push_back(name + ": record " + std::to_string(e.key) + " has a bad constituent entry");
        }
      }
      records[e.key] = record;
    }
  }
  return records;
}

class BuiltDataTest : public test::EngineTest {
 protected:
  void SetUp() override {
    if (!test::HaveBuiltData()) GTEST_SKIP() << "no built data at " QW_TEST_DATA_DIR " (configure with QW_BUILD_DATA=ON)";
    SetDataDirectory(QW_TEST_DATA_DIR);
    rows_ = test::ReadCsv(BuiltDataFile("catalogue.csv"));
  }
  std::vector<std::vector<std::string>> rows_;
};

TEST_F(BuiltDataTest, EveryStationRecordReadsBackAndMatchesTheCatalogue) {
  ASSERT_FALSE(rows_.empty());
  ASSERT_EQ(rows_[0].size(), kStationSourceColumnCount);
  for (size_t c = 0; c < kStationSourceColumnCount; ++c) EXPECT_EQ(rows_[0][c], kStationSourceColumns[c]);
  std::vector<std::string> problems;
  size_t row = 1;
  std::map<std::string, int> perFamily;
  for (StationKind kind : {StationKind::Current, StationKind::Tide}) {
    const RegionList regions = BuildRegionList(kind);
    EXPECT_LE(regions.size(), 98u);
    std::set<uint16_t> ids;
    for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
      const int number = regions[slot].number;
      EXPECT_LE(number, 98);
      EXPECT_GT(std::strlen(regions[slot].name), 0u);
      const int count = CountStations(regions, slot, kind);
      EXPECT_GT(count, 0) << "region " << number;
      for (int index = 0; index < count; ++index, ++row) {
        if (row >= rows_.size()) {
          problems.push_back("catalogue.csv has fewer rows than the region files");
          break;
        }
        const std::vector<std::string>& r = rows_[row];
        TideLocation tide;
        CurrentLocation current;
        const bool read = kind == StationKind::Tide ? ReadTideLocation(regions, slot, index, tide)
                                                    : ReadCurrentLocation(regions, slot, index, current);
        const char* name = kind == StationKind::Tide ? tide.name : current.name;
        const uint16_t id = kind == StationKind::Tide ? tide.stationId : current.stationId;
        const uint16_t reference = kind == StationKind::Tide ? tide.referenceId : current.referenceId;
        const uint8_t kindCode = kind == StationKind::Tide ? tide.kindCode : current.kindCode;
        const uint8_t dst = kind == StationKind::Tide ? tide.observesDst : current.observesDst;
        const std::string where = std::string(1, static_cast<char>(kind)) + " " + std::to_string(number) + ":" + std::to_string(index);
        if (!read || std::strlen(name) == 0 || std::strlen(name) > 50 || !ValidUtf8(name)) problems.push_back(where + " bad name");
        if (r.size() != kStationSourceColumnCount || r[0] != std::string(1, static_cast<char>(kind)) || r[1] != std::to_string(number) ||
            r[2] != std::to_string(index) || r[3] != std::to_string(id)) {
          problems.push_back(where + " does not match catalogue row " + std::to_string(row));
          continue;
        }
        if (id == 0 || !ids.insert(id).second) problems.push_back(where + " station id not unique");
        // Kind codes above 30 label the datum as the international family's (records
        // 30001..43999, the 230-slot families BA0..BA13).
        const bool internationalRecord = reference > 30000 && reference < 44000;
        if ((kindCode > 30) != internationalRecord || dst > 2 || reference == 0) {
          problems.push_back(where + " bad kind code, daylight class or reference");
        }
        // The data family follows from the reference number; the label from the source.
        const std::string& source = r[4];
        const bool international = source != "NOAA" && internationalRecord;
        const bool familyOk = source == "NOAA" ? reference < 10000
                              : international || (reference >= 10000 && reference < 30000);
        if (!familyOk || (source != "NOAA" && !international && r[6].rfind("America/", 0) != 0)) {
          problems.push_back(where + " reference " + std::to_string(reference) + " is outside its family");
        }
        ++perFamily[std::string(1, static_cast<char>(kind)) + " " + (international ? "international" : source)];
        if (r[5].empty() || r[6].empty() || r[7].empty() || r[8].empty()) problems.push_back(where + " catalogue row incomplete");
        // Labels say who published the data: NOAA and CHS only for their own.
        const std::string& label = r[9];
        const bool labelOk = source == "NOAA" ? label == "NOAA"
                             : source == "TICON-4" ? label.rfind("TICON-4", 0) == 0
                                                   : label == source;
        if (!labelOk || r[10].empty() || (r[13] == "no") != (r[7] == "cc-by-nc-4.0")) {
          problems.push_back(where + " label '" + label + "' or licence columns do not fit the source " + source);
        }
      }
    }
  }
  EXPECT_EQ(row, rows_.size()) << "catalogue.csv has more rows than the region files";
  EXPECT_TRUE(problems.empty()) << problems.size() << " problems, first: " << problems.front();
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
  for (const auto& [family, count] : perFamily) std::printf("  %s: %d stations\n", family.c_str(), count);
  EXPECT_GE(perFamily["T NOAA"], 3000);
  EXPECT_GE(perFamily["T CHS"] + perFamily["T TICON-4"], 200);  // Canadian gauges
  EXPECT_GE(perFamily["T international"], 1500);
  EXPECT_GE(perFamily["C NOAA"], 2000);
}

TEST_F(BuiltDataTest, HarmonicRecordsAreWholeAndEveryReferenceResolves) {
  std::vector<std::string> problems;
  const std::map<uint16_t, HarmonicRecordData> records = ReadAllHarmonicRecords(problems);
  EXPECT_TRUE(problems.empty()) << problems.size() << " problems, first: " << problems.front();
  EXPECT_GT(records.size(), 3000u);
  const RegionList regions = BuildRegionList(StationKind::Tide);
  int stations = 0;
  for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
    for (int index = 0; index < CountStations(regions, slot, StationKind::Tide); ++index) {
      TideLocation station;
      ASSERT_TRUE(ReadTideLocation(regions, slot, index, station));
      ++stations;
      auto it = records.find(station.referenceId);
      ASSERT_NE(it, records.end()) << station.name << " refers to missing record " << station.referenceId;
      if (station.stationId == station.referenceId) {  // a reference station names its own record
        EXPECT_EQ(it->second.name, station.name);
      }
    }
  }
  EXPECT_GT(stations, 5000);

  // The engine's own loader takes every record with its year data, speeds and cosine
  // table, in both families of year files, without a report.
  for (const auto& [number, record] : records) {
    for (int year : {1901, 2026, 2099}) {
      ASSERT_GT(LoadTideHarmonics(number, year, 6), 0) << "record " << number << " year " << year;
    }
  }
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

// The engine applies a subordinate's height ratios only when a time offset or height
// difference is nonzero; a station with ratios alone would show its reference's heights.
// Such stations must have ratios of about 1 (they do: two NOAA stations, 1.00 and 1.03).
TEST_F(BuiltDataTest, NoSubordinateDependsOnRatiosAlone) {
  const RegionList regions = BuildRegionList(StationKind::Tide);
  int subordinates = 0;
  for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
    for (int index = 0; index < CountStations(regions, slot, StationKind::Tide); ++index) {
      TideLocation s;
      ASSERT_TRUE(ReadTideLocation(regions, slot, index, s));
      if (s.stationId == s.referenceId) continue;  // a reference station
      ++subordinates;
      if (HasTideCorrections(s)) continue;
      EXPECT_NEAR(s.highHeightRatio, 100, 3) << s.name;
      EXPECT_NEAR(s.lowHeightRatio, 100, 3) << s.name;
    }
  }
  EXPECT_GT(subordinates, 2000);
}

TEST_F(BuiltDataTest, ConstituentFilesHaveValidChecksumsAndAgree) {
  const std::vector<uint8_t> narrow = ReadBytes(BuiltDataFile("constspd.dat"));
  const std::vector<uint8_t> wide = ReadBytes(BuiltDataFile("constspd.ba"));
  ASSERT_EQ(narrow.size(), speed_layout::FileSize(160));
  ASSERT_EQ(wide.size(), speed_layout::FileSize(230));
  SpeedTable narrowTable, wideTable;
  DecodeSpeedFile(narrow.data(), narrow.size(), 160, narrowTable);
  DecodeSpeedFile(wide.data(), wide.size(), 230, wideTable);
  EXPECT_EQ(SpeedFileChecksum(narrow.data(), narrow.size()), narrowTable.storedChecksum);
  EXPECT_EQ(SpeedFileChecksum(wide.data(), wide.size()), wideTable.storedChecksum);
  EXPECT_TRUE(SpeedTableIsUsable(narrowTable));
  EXPECT_TRUE(SpeedTableIsUsable(wideTable));
  for (int i = 0; i < 160; ++i) EXPECT_EQ(narrowTable.speedRadiansPerHour[i], wideTable.speedRadiansPerHour[i]) << i;

  std::map<std::string, std::vector<uint8_t>> years;
  for (const char* name : {"yeardata.dat", "yeardata.can", "yeardata.ba"}) years[name] = ReadBytes(BuiltDataFile(name));
  EXPECT_EQ(years["yeardata.dat"], years["yeardata.can"]);
  const size_t narrowSize = year_layout::RecordSize(160), wideSize = year_layout::RecordSize(230);
  ASSERT_EQ(years["yeardata.dat"].size(), 201 * narrowSize);
  ASSERT_EQ(years["yeardata.ba"].size(), 201 * wideSize);
  for (int k = 0; k < 201; ++k) {
    YearRecord n, w;
    DecodeYearRecord(years["yeardata.dat"].data() + k * narrowSize, 160, n);
    DecodeYearRecord(years["yeardata.ba"].data() + k * wideSize, 230, w);
    ASSERT_EQ(n.year, 1900 + k);
    ASSERT_EQ(w.year, 1900 + k);
    EXPECT_TRUE(YearRecordChecksumMatches(n)) << n.year;
    EXPECT_TRUE(YearRecordChecksumMatches(w)) << w.year;
    for (int i = 0; i < 160; ++i) {
      ASSERT_EQ(n.nodeFactor[i], w.nodeFactor[i]);
      ASSERT_EQ(n.equilibrium[i], w.equilibrium[i]);
    }
  }
  EXPECT_EQ(ReadBytes(BuiltDataFile("costable.dat")).size(), kCosineFileSize);
}

TEST_F(BuiltDataTest, CurrentStationsFindTheirHarmonicFiles) {
  std::vector<std::string> problems;
  const std::map<uint16_t, HarmonicRecordData> tideRecords = ReadAllHarmonicRecords(problems);
  const RegionList regions = BuildRegionList(StationKind::Current);
  std::set<uint16_t> checked;
  for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
    for (int index = 0; index < CountStations(regions, slot, StationKind::Current); ++index) {
      CurrentLocation station;
      ASSERT_TRUE(ReadCurrentLocation(regions, slot, index, station));
      if (!checked.insert(station.referenceId).second) continue;
      // Tide and current harmonic files share one number space.
      EXPECT_EQ(tideRecords.count(station.referenceId), 0u) << station.referenceId;
      const std::vector<uint8_t> bytes = ReadBytes(BuiltDataFile(CurrentHarmonicFileName(station.referenceId)));
      CurrentHarmonicFile file;
      bool checksumOk = false;
      ASSERT_TRUE(DecodeCurrentHarmonicFile(bytes.data(), bytes.size(), file, checksumOk)) << station.name;
      EXPECT_TRUE(checksumOk) << station.referenceId;
      EXPECT_EQ(file.number, station.referenceId);
      EXPECT_LT(station.referenceId, 10000);  // the NOAA family: 160-slot tables
      EXPECT_FALSE(file.records.empty());
      for (const CurrentConstituentRecord& r : file.records) {
        EXPECT_LT(r.constituent, 160);
        EXPECT_GE(r.directionTenthsDegree, 0);
        EXPECT_LT(r.directionTenthsDegree, 3600);
      }
    }
  }
  EXPECT_GT(checked.size(), 800u);
}

TEST_F(BuiltDataTest, EveryNoteNumberHasItsLine) {
  std::map<std::string, std::string> files;
  for (const char* name : {"wtnotes.dat", "etnotes.dat", "wcnotes.dat", "ecnotes.dat"}) {
    const std::vector<uint8_t> bytes = ReadBytes(BuiltDataFile(name));
    files[name] = std::string(bytes.begin(), bytes.end());
    size_t start = 0;
    while (start < files[name].size()) {
      const size_t end = files[name].find('\n', start);
      ASSERT_NE(end, std::string::npos);
      EXPECT_LE(end - start, kOfficialNoteMaxLine);
      start = end + 1;
    }
  }
  int found = 0;
  std::string text;
  for (StationKind kind : {StationKind::Tide, StationKind::Current}) {
    const RegionList regions = BuildRegionList(kind);
    for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
      const std::string& file = files[OfficialNotesFileName(regions[slot].number, kind == StationKind::Current)];
      for (int index = 0; index < CountStations(regions, slot, kind); ++index) {
        std::vector<int16_t> notes;
        if (kind == StationKind::Tide) {
          TideLocation s;
          ReadTideLocation(regions, slot, index, s);
          notes = {s.unused88[0], s.unused88[1]};
          EXPECT_GT(s.unused88[1], 0) << s.name;  // every station names its source
        } else {
          CurrentLocation s;
          ReadCurrentLocation(regions, slot, index, s);
          notes = {s.unused114[0], s.unused114[1], s.unused114[2]};
          EXPECT_GT(s.unused114[2], 0) << s.name;
        }
        for (int16_t number : notes) {
          if (number == 0) continue;
          ASSERT_TRUE(FindOfficialNote(file, number, text)) << "note " << number;
          ++found;
        }
      }
    }
  }
  EXPECT_GT(found, 7000);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Every region lists its stations under names that read apart, and holds only stations
// within its bounds: a user browsing a coast finds that coast's stations there, and none
// from across an ocean.
TEST_F(BuiltDataTest, RegionListsReadApartAndHoldTheirOwnCoast) {
  std::vector<std::string> problems;
  int stations = 0;
  for (StationKind kind : {StationKind::Tide, StationKind::Current}) {
    const RegionList regions = BuildRegionList(kind);
    for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
      const int number = regions[slot].number;
      std::map<std::string, int> names;
      for (int index = 0; index < CountStations(regions, slot, kind); ++index, ++stations) {
        TideLocation tide;
        CurrentLocation current;
        if (kind == StationKind::Tide) ReadTideLocation(regions, slot, index, tide);
        else ReadCurrentLocation(regions, slot, index, current);
        const char* name = kind == StationKind::Tide ? tide.name : current.name;
        const char latH = kind == StationKind::Tide ? tide.latHemisphere : current.latHemisphere;
        const char lonH = kind == StationKind::Tide ? tide.lonHemisphere : current.lonHemisphere;
        const int16_t* lat = kind == StationKind::Tide ? &tide.latDegrees : &current.latDegrees;
        const int16_t* lon = kind == StationKind::Tide ? &tide.lonDegrees : &current.lonDegrees;
        const double latitude = (latH == 'S' ? -1 : 1) * (lat[0] + (kind == StationKind::Tide ? tide.latMinutes : current.latMinutes) / 60.0);
        const double longitude = (lonH == 'W' ? -1 : 1) * (lon[0] + (kind == StationKind::Tide ? tide.lonMinutes : current.lonMinutes) / 60.0);
        if (++names[Lower(name)] == 2) {
          problems.push_back(std::string(1, static_cast<char>(kind)) + " region " + std::to_string(number) +
                             " lists '" + name + "' twice");
        }
        bool inside = false;
        for (const data::GeoBox& box : data::RegionBounds(number)) inside |= box.Holds(latitude, longitude);
        if (!inside) {
          problems.push_back(std::string(name) + " at " + std::to_string(latitude) + " " + std::to_string(longitude) +
                             " lies outside region " + std::to_string(number) + " " + regions[slot].name);
        }
      }
    }
  }
  EXPECT_GT(stations, 7000);
  EXPECT_TRUE(problems.empty()) << problems.size() << " problems, first: " << problems.front();
}

// The datums file gives every tide station its chart datum, and the source's datums: at a
// NOAA and a TICON-4 station, mean sea level above the chart datum as the database has it.
TEST_F(BuiltDataTest, DatumsAreTheSourcesAboveTheChartDatum) {
  StationDatums datums;
  std::string error;
  ASSERT_TRUE(datums.Load(BuiltDataFile(StationDatums::kFileName), &error)) << error;
  EXPECT_EQ(datums.skippedLines(), 0u);
  StationSources sources;
  ASSERT_TRUE(sources.Load(BuiltDataFile(StationSources::kFileName), &error)) << error;
  size_t tides = 0, withDatums = 0;
  for (const StationSource& entry : sources.entries()) {
    if (entry.kind != 'T') continue;
    ++tides;
    const StationDatumSet* set = datums.Find(entry.region, entry.index);
    ASSERT_NE(set, nullptr) << entry.sourceId;
    ASSERT_FALSE(set->datums.empty());
    EXPECT_EQ(set->datums[0].name, set->chartDatum);
    EXPECT_EQ(set->datums[0].microFeetAboveChartDatum, 0);
    withDatums += set->Find("MSL") != nullptr;
  }
  EXPECT_EQ(datums.stationCount(), tides);
  EXPECT_GT(withDatums, 2500u);  // every reference station and the subordinates of one ratio

  std::vector<data::SourceStation> extract;
  ASSERT_TRUE(data::ReadStationExtract(QW_TEST_STATION_EXTRACT, extract, error)) << error;
  int checked = 0;
  for (const char* id : {"noaa/9414290", "ticon/newlyn-new-gbr-bodc", "kartverket/AES"}) {
    const auto source = std::find_if(extract.begin(), extract.end(), [&](const data::SourceStation& s) { return s.Id() == id; });
    ASSERT_NE(source, extract.end()) << id;
    const std::vector<const StationSource*> entries = sources.FindBySourceId('T', source->Text("source_id"));
    ASSERT_EQ(entries.size(), 1u) << id;
    const StationDatumSet* set = datums.Find(entries[0]->region, entries[0]->index);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->chartDatum, source->Text("chart_datum"));
    const double expected = (*source->Number("datum_MSL") - *source->Number("datum_chart")) / 0.3048;
    ASSERT_NE(set->Find("MSL"), nullptr) << id;
    EXPECT_NEAR(set->Find("MSL")->microFeetAboveChartDatum / 1e6, expected, 0.005) << id;
    ++checked;
  }
  EXPECT_EQ(checked, 3);
}

// The current window's averages: given at nearly every current station (a subordinate
// without a speed ratio for a half has none for it), and where given, the catalogue says
// they were computed (the source publishes none).
TEST_F(BuiltDataTest, CurrentStationsCarryAverageSpeeds) {
  const RegionList regions = BuildRegionList(StationKind::Current);
  StationSources sources;
  ASSERT_TRUE(sources.Load(BuiltDataFile(StationSources::kFileName)));
  int stations = 0, floods = 0, ebbs = 0, minimums = 0;
  for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
    for (int index = 0; index < CountStations(regions, slot, StationKind::Current); ++index) {
      CurrentLocation s;
      ASSERT_TRUE(ReadCurrentLocation(regions, slot, index, s));
      ++stations;
      floods += s.floodSpeed != kNotGiven16 && s.floodSpeed > 0;
      ebbs += s.ebbSpeed != kNotGiven16 && s.ebbSpeed > 0;
      minimums += s.slackBeforeFloodSpeed != kNotGiven16;
      EXPECT_EQ(s.slackBeforeFloodDirection, kNotGiven16) << s.name;  // no slack threshold for the engine
      EXPECT_EQ(s.slackBeforeEbbDirection, kNotGiven16) << s.name;
      const StationSource* entry = sources.Find('C', regions[static_cast<size_t>(slot)].number, index);
      ASSERT_NE(entry, nullptr) << s.name;
      if (s.floodSpeed != kNotGiven16 || s.ebbSpeed != kNotGiven16) {
        EXPECT_EQ(entry->averages, "computed 1983-2001");
      }
    }
  }
  std::printf("  %d current stations: %d with an average flood, %d with an average ebb, %d with a minimum before flood\n",
              stations, floods, ebbs, minimums);
  EXPECT_GT(floods, stations * 95 / 100);
  EXPECT_GT(ebbs, stations * 95 / 100);
}

// Two builds from the same sources give the same bytes.
TEST_F(BuiltDataTest, ASecondBuildIsByteIdentical) {
#ifdef QW_SANITIZED
  // The builder's own tests run it under the sanitizers on their fixtures; the whole
  // world's data takes it minutes there.
  GTEST_SKIP() << "the normal build compares a second build of all the data";
#endif
  test::TempDir again;
  const std::string command = std::string("\"") + QW_TEST_DATA_BUILDER + "\" \"" + QW_TEST_STATION_EXTRACT + "\" \"" +
                              QW_TEST_EXTRA_CONSTITUENTS + "\" \"" + QW_TEST_XTIDE_TABLE + "\" \"" + again.File("DATA") +
                              "\" \"" + again.path().string() + "\" > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  int compared = 0;
  for (const auto& entry : fs::directory_iterator(again.File("DATA"))) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(ReadBytes(entry.path().string()), ReadBytes(BuiltDataFile(name))) << name;
    ++compared;
  }
  size_t installed = 0;
  for (const auto& entry : fs::directory_iterator(QW_TEST_DATA_DIR)) {
    const std::string name = entry.path().filename().string();
    installed += name != "EARTH.IDX" && name != "EARTH.DAT";
  }
  EXPECT_EQ(static_cast<size_t>(compared), installed) << "the data directory holds files a build does not make";
}

}  // namespace
}  // namespace qw
