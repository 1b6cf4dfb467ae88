#include "tools/data/data_set.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/engine_values.h"
#include "engine/official_notes_file.h"
#include "tools/data/current_averages.h"

namespace qw::data {
namespace {

TEST(DataSetConversions, TimeMeridiansAndLocalPhases) {
  EXPECT_EQ(TimeMeridianOfZone(-480), -120);
  EXPECT_EQ(TimeMeridianOfZone(0), 0);
  EXPECT_EQ(TimeMeridianOfZone(-210), -53);  // Newfoundland, -52.5 degrees
  EXPECT_EQ(TimeMeridianOfZone(330), 82);    // India, 82.5 degrees
  EXPECT_EQ(TimeMeridianOfZone(570), 142);   // South Australia, 142.5 degrees
  EXPECT_DOUBLE_EQ(MeridianHours(-53), -3.5);
  EXPECT_DOUBLE_EQ(MeridianHours(142), 9.5);
  EXPECT_DOUBLE_EQ(MeridianHours(-120), -8.0);
  // Seattle M2: G = 10.8 degrees, eight hours west: 10.8 - 8 x 28.9841042 = -221.07 = 138.93.
  EXPECT_EQ(LocalPhaseTenths(10.8, 28.9841042, -8.0), 1389);
  EXPECT_EQ(LocalPhaseTenths(359.97, 0.0, 0.0), 0);  // rounds up to 360, which is 0
  EXPECT_EQ(LocalPhaseTenths(100.0, 15.0, 1.0), 1150);
}

TEST(DataSetConversions, NamesAreCutWithoutSplittingCharacters) {
  EXPECT_EQ(FitName("Seattle", 50), "Seattle");
  const std::string name = std::string(48, 'a') + "\xC3\xA5" + "bc";  // 52 bytes
  EXPECT_EQ(FitName(name, 49), std::string(48, 'a'));
  EXPECT_EQ(FitName(name, 50), std::string(48, 'a') + "\xC3\xA5");
  EXPECT_EQ(FitName("Port Ludlow Harbor  x", 19), "Port Ludlow Harbor");
}

// Four constituents with V0 + u = 0 and f = 1 over the years of the current averages.
ConstituentTable Table() {
  ConstituentTable table;
  table.firstYear = kAverageEpochFirstYear;
  table.yearCount = kAverageEpochLastYear - kAverageEpochFirstYear + 1;
  for (auto [name, speed] : {std::pair{"M2", 28.9841042}, {"S2", 30.0}, {"K1", 15.0410686}, {"O1", 13.9430356},
                                {"M1", 14.4966939}}) {
    table.constituents.push_back({name, speed, std::vector<double>(table.yearCount, 0.0),
                                  std::vector<double>(table.yearCount, 1.0)});
  }
  return table;
}

SourceStation Station(std::map<std::string, std::string> fields,
                      std::vector<SourceConstituent> constituents = {}) {
  std::map<std::string, std::string> base = {
      {"source", "US National Oceanic and Atmospheric Administration"}, {"country", "US"},
      {"zone_minutes", "-480"}, {"zone_dst", "N"}, {"time_zone", "America/Los_Angeles"},
      {"licence", "public domain"}, {"commercial", "1"}, {"licence_url", "https://example.org/noaa"},
      {"attribution", "Neaps tide database"}, {"lat", "47.6026389"}, {"lon", "-122.3393056"}};
  for (auto& [k, v] : fields) base[k] = v;
  return SourceStation{base, std::move(constituents)};
}

std::vector<SourceConstituent> SeattleConstants() {
  return {{"M2", "M2", 28.9841042, 1.063, 10.8}, {"K1", "K1", 15.0410686, 0.838, 258.1},
          {"SA_KV", "", 0, 0.05, 20.0}, {"O1", "O1", 13.9430356, 0.4, 240.0}, {"M1", "M1", 14.4966939, 0.01, 80.0}};
}

class DataSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sources_ = {
        Station({{"kind", "T"}, {"id", "noaa/9447130"}, {"type", "R"}, {"source_id", "9447130"},
                 {"name", "Seattle"}, {"region_code", "US-WA"}, {"chart_datum", "MLLW"},
                 {"datum_MSL", "4.443"}, {"datum_chart", "2.419"}, {"datum_MHHW", "5.882"},
                 {"datum_MHW", "5.618"}, {"datum_MLW", "3.284"}, {"datum_MTL", "4.451"}},
                SeattleConstants()),
        // A subordinate two zones west of its reference, in Hawaii.
        Station({{"kind", "T"}, {"id", "noaa/1610000"}, {"type", "S"}, {"source_id", "1610000"},
                 {"name", "Somewhere West"}, {"region_code", "US-HI"}, {"zone_minutes", "-600"},
                 {"zone_dst", "0"}, {"ref", "noaa/9447130"}, {"time_high", "10"}, {"time_low", "-5"},
                 {"height_type", "ratio"}, {"height_high", "0.9"}, {"height_low", "1"}, {"lat", "21.95"},
                 {"lon", "-159.36"}}),
        // Its position's longitude sign flipped in the source: half the globe from Seattle.
        Station({{"kind", "T"}, {"id", "noaa/TPT0000"}, {"type", "S"}, {"source_id", "TPT0000"},
                 {"name", "Flipped"}, {"region_code", ""}, {"ref", "noaa/9447130"}, {"time_high", "0"},
                 {"time_low", "0"}, {"height_type", "ratio"}, {"height_high", "1"}, {"height_low", "1"},
                 {"lat", "-47.6"}, {"lon", "57.7"}}),
        // One ratio for highs and lows: it carries Seattle's datums, scaled.
        Station({{"kind", "T"}, {"id", "noaa/9447000"}, {"type", "S"}, {"source_id", "9447000"},
                 {"name", "Seattle"}, {"region_code", "US-WA"}, {"context", "Elliott Bay"}, {"ref", "noaa/9447130"},
                 {"time_high", "3"}, {"time_low", "4"}, {"height_type", "ratio"}, {"height_high", "1.1"},
                 {"height_low", "1.1"}}),
        Station({{"kind", "T"}, {"id", "noaa/9999999"}, {"type", "S"}, {"source_id", "9999999"},
                 {"name", "Orphan"}, {"region_code", "US-WA"}, {"ref", "noaa/0000000"}}),
        Station({{"kind", "T"}, {"id", "ticon/halifax"}, {"type", "R"}, {"source", "TICON-4"},
                 {"source_id", "halifax"}, {"name", "Halifax"}, {"country", "CA"}, {"region_code", "CA-NS"},
                 {"zone_minutes", "-240"}, {"chart_datum", "LAT"}, {"datum_MSL", "1.0"}, {"datum_chart", "0.1"},
                 {"lat", "44.67"}, {"lon", "-63.58"},
                 {"datum_MHWS", "1.9"}, {"licence", "cc-by-nc-4.0"}, {"commercial", "0"}},
                SeattleConstants()),
        Station({{"kind", "T"}, {"id", "ticon/boston"}, {"type", "R"}, {"source", "TICON-4"},
                 {"source_id", "boston"}, {"name", "Boston"}, {"region_code", "US-MA"},
                 {"chart_datum", "MSL"}},
                SeattleConstants()),
        Station({{"kind", "T"}, {"id", "ticon/brest-822-fra-uhslc_fd"}, {"type", "R"}, {"source", "TICON-4"},
                 {"source_id", "brest-822-fra-uhslc_fd"}, {"name", "Brest"}, {"country", "FR"}, {"zone_minutes", "60"},
                 {"chart_datum", "MSL"}, {"lat", "48.38"}, {"lon", "-4.49"}},
                SeattleConstants()),
        // The same gauge from another agency, and one more of the same agency.
        Station({{"kind", "T"}, {"id", "ticon/brest-brest-fra-refmar"}, {"type", "R"}, {"source", "TICON-4"},
                 {"source_id", "brest-brest-fra-refmar"}, {"name", "Brest"}, {"country", "FR"}, {"zone_minutes", "60"},
                 {"chart_datum", "MSL"}, {"lat", "48.38"}, {"lon", "-4.49"}},
                SeattleConstants()),
        Station({{"kind", "T"}, {"id", "ticon/brest-822a-fra-uhslc_rq"}, {"type", "R"}, {"source", "TICON-4"},
                 {"source_id", "brest-822a-fra-uhslc_rq"}, {"name", "Brest"}, {"country", "FR"},
                 {"zone_minutes", "60"}, {"chart_datum", "MSL"}, {"lat", "48.38"}, {"lon", "-4.49"}},
                SeattleConstants()),
        // Russia's Bering Sea coast has a region of its own, not the Baltic's.
        Station({{"kind", "T"}, {"id", "ticon/providenya-626a-rus-uhslc_rq"}, {"type", "R"}, {"source", "TICON-4"},
                 {"source_id", "providenya-626a-rus-uhslc_rq"}, {"name", "Providenya"}, {"country", "RU"},
                 {"zone_minutes", "720"}, {"chart_datum", "MSL"}, {"lat", "64.38"}, {"lon", "-173.23"}},
                SeattleConstants()),
        Station({{"kind", "C"}, {"id", "noaa/PUG1515"}, {"type", "R"}, {"source_id", "PUG1515"},
                 {"name", "Admiralty Inlet"}, {"region_code", "US-WA"}, {"flood_dir", "164"},
                 {"ebb_dir", "344"}, {"mean_flow", "-0.25"}},
                {{"M2", "M2", 28.9841042, 2.5, 100.0}}),
        Station({{"kind", "C"}, {"id", "noaa/PUG1516"}, {"type", "S"}, {"source_id", "PUG1516"},
                 {"name", "Admiralty Inlet (off Bush Point)"}, {"region_code", "US-WA"}, {"flood_dir", "170"},
                 {"ref", "noaa/PUG1515"}, {"flood_time", "-20"}, {"ebb_time", "15"}, {"flood_ratio", "0.6"}}),
        // A second meter bin of the reference current station.
        Station({{"kind", "C"}, {"id", "noaa/PUG1515@7"}, {"type", "R"}, {"source_id", "PUG1515@7"},
                 {"name", "Admiralty Inlet"}, {"region_code", "US-WA"}, {"flood_dir", "160"},
                 {"ebb_dir", "340"}, {"mean_flow", "0"}},
                {{"M2", "M2", 28.9841042, 2.0, 100.0}}),
    };
    std::string error;
    ASSERT_TRUE(BuildDataSet(sources_, Table(), data_, error)) << error;
  }
  bool Reported(const std::string& fragment) const {
    return std::any_of(data_.report.begin(), data_.report.end(),
                       [&](const std::string& line) { return line.find(fragment) != std::string::npos; });
  }
  std::vector<SourceStation> sources_;
  DataSet data_;
};

const TideLocation& TideById(const RegionData& region, uint16_t id) {
  for (const TideLocation& t : region.tides) {
    if (t.stationId == id) return t;
  }
  ADD_FAILURE() << "no tide station " << id;
  return region.tides.at(0);
}

std::vector<std::pair<std::string, int64_t>> DatumsOf(const DataSet& data, int region, int index) {
  std::vector<std::pair<std::string, int64_t>> datums;
  for (const DatumRow& row : data.datums) {
    if (row.region == region && row.index == index) datums.emplace_back(row.datum, row.microFeet);
  }
  return datums;
}

TEST_F(DataSetTest, ReferenceTideStationCarriesDatumsAndLocalConstants) {
  ASSERT_EQ(data_.regions.count(3), 1u);
  const RegionData& washington = data_.regions.at(3);
  EXPECT_EQ(washington.name, "Washington");
  ASSERT_EQ(washington.tides.size(), 2u);
  const TideLocation& seattle = TideById(washington, 1);
  EXPECT_STREQ(seattle.name, "Seattle");
  EXPECT_EQ(seattle.kindCode, kNoaaKindCode);
  EXPECT_EQ(seattle.referenceId, 1);
  EXPECT_EQ(seattle.timeMeridian, -120);
  EXPECT_EQ(seattle.observesDst, 1);
  EXPECT_EQ(seattle.latHemisphere, 'N');
  EXPECT_EQ(seattle.latDegrees, 47);
  EXPECT_EQ(seattle.latMinutes, 36);
  EXPECT_EQ(seattle.latSeconds, 10);
  EXPECT_EQ(seattle.lonHemisphere, 'W');
  EXPECT_EQ(seattle.lonDegrees, 122);
  EXPECT_EQ(seattle.meanHigherHighWater, 1136);  // (5.882 - 2.419) m = 11.36 ft
  EXPECT_EQ(seattle.meanRange, 766);             // (5.618 - 3.284) m
  EXPECT_EQ(seattle.meanTideLevel, 667);
  EXPECT_EQ(seattle.flags, kTideFlagMhhwLabel);  // (K1 + O1) / M2 = 1.17: not diurnal
  EXPECT_EQ(seattle.highTimeOffset, 0);
  EXPECT_EQ(seattle.highHeightRatio, 0);

  ASSERT_EQ(data_.tideFamilies.count("NOSWTIDE"), 1u);
  const TideHarmonicRecord& record = data_.tideFamilies.at("NOSWTIDE")[0];
  EXPECT_EQ(record.number, 1);
  EXPECT_EQ(record.name, "Seattle");
  EXPECT_EQ(record.meanLevelMicroFeet, 6640420);  // Seattle's 6.640 ft
  ASSERT_EQ(record.entries.size(), 4u);           // SA_KV is no constituent of this table; M1 is NOAA's
  EXPECT_EQ(record.entries[0].amplitudeMilliFeet, 3488);
  EXPECT_EQ(record.entries[0].phaseTenthsDegree, 1389);
  EXPECT_EQ(data_.slots.slotToTable[record.entries[0].slot], 0);  // M2
  EXPECT_TRUE(Reported("constituent SA_KV left out (no table of this program defines it): 6 stations"));

  // Datums above the chart datum, the chart datum first; MSL 4.443 - 2.419 m.
  const auto datums = DatumsOf(data_, 3, 1);
  ASSERT_EQ(datums.size(), 6u);
  EXPECT_EQ(datums[0], (std::pair<std::string, int64_t>{"MLLW", 0}));
  EXPECT_EQ(datums[1], (std::pair<std::string, int64_t>{"MHHW", 11361549}));
  EXPECT_EQ(datums[3], (std::pair<std::string, int64_t>{"MLW", 2837927}));
  EXPECT_EQ(datums[4], (std::pair<std::string, int64_t>{"MSL", 6640420}));
}

TEST_F(DataSetTest, SubordinateTimesIncludeTheZoneDifference) {
  ASSERT_EQ(data_.regions.count(6), 1u);
  const TideLocation& sub = data_.regions.at(6).tides.at(0);
  EXPECT_EQ(sub.referenceId, 1);
  EXPECT_EQ(sub.highTimeOffset, 10 - 120);  // Hawaii is two hours behind Seattle's meridian
  EXPECT_EQ(sub.lowTimeOffset, -5 - 120);
  EXPECT_EQ(sub.highHeightRatio, 90);
  EXPECT_EQ(sub.lowHeightRatio, 100);
  EXPECT_EQ(sub.highHeightDiff, 0);
  EXPECT_EQ(sub.observesDst, 0);
  EXPECT_EQ(sub.meanHigherHighWater, kNotGiven16);  // the source gives a subordinate no datums
  EXPECT_TRUE(Reported("left out 1 tide NOAA: its reference station is not available"));
  // Highs and lows scaled differently: the reference's datums would not hold; its chart
  // datum alone is known.
  EXPECT_EQ(DatumsOf(data_, 6, 0), (std::vector<std::pair<std::string, int64_t>>{{"MLLW", 0}}));
  // One ratio for both: the reference's datums times 1.1.
  const auto scaled = DatumsOf(data_, 3, 0);
  ASSERT_EQ(scaled.size(), 6u);
  EXPECT_EQ(scaled[4], (std::pair<std::string, int64_t>{"MSL", 7304462}));
  // A position half the globe from its reference is the source's error: left out.
  EXPECT_TRUE(Reported("left out noaa/TPT0000 (Flipped): 20012 km from its reference station noaa/9447130"));
  EXPECT_TRUE(Reported("left out 1 tide NOAA: its position is far from its reference station"));
}

TEST_F(DataSetTest, FamiliesFollowTheCountryAndRegionsTheCoast) {
  ASSERT_EQ(data_.tideFamilies.count("CHSETIDE"), 1u);
  EXPECT_EQ(data_.tideFamilies.at("CHSETIDE")[0].number, kFirstChsTideRecord);
  const TideLocation& halifax = data_.regions.at(46).tides.at(0);
  EXPECT_EQ(halifax.observesDst, 1);
  EXPECT_EQ(halifax.meanHigherHighWater, 591);  // MHWS above LAT: (1.9 - 0.1) m
  EXPECT_EQ(halifax.flags & kTideFlagMhhwLabel, 0);
  ASSERT_EQ(data_.tideFamilies.count("BA5"), 1u);
  EXPECT_EQ(data_.tideFamilies.at("BA5")[0].number, 35001);
  EXPECT_EQ(data_.tideFamilies.at("BA5")[0].meanLevelMicroFeet, 0);  // chart datum is mean sea level
  const TideLocation& brest = data_.regions.at(35).tides.at(0);
  EXPECT_EQ(brest.kindCode, kInternationalKindCode);
  EXPECT_EQ(halifax.kindCode, kCanadianKindCode);
  EXPECT_EQ(brest.timeMeridian, 15);
  EXPECT_EQ(brest.observesDst, 2);
  EXPECT_TRUE(Reported("left out 1 tide TICON-4: in US waters"));
  // Providenya, on the Bering Sea, is in the Russian Pacific region, whose records are
  // the family BA0 (30001..), not beside the Baltic's Kronstadt.
  ASSERT_EQ(data_.regions.count(52), 1u);
  EXPECT_STREQ(data_.regions.at(52).tides.at(0).name, "Providenya");
  ASSERT_EQ(data_.tideFamilies.count("BA0"), 1u);
  EXPECT_EQ(data_.tideFamilies.at("BA0")[0].number, 30001);
}

TEST_F(DataSetTest, StationsOfOneNameReadApart) {
  // One gauge from three records: the agency, then the record's own part.
  std::vector<std::string> brest;
  for (const TideLocation& t : data_.regions.at(35).tides) brest.push_back(t.name);
  EXPECT_EQ(brest, (std::vector<std::string>{"Brest (TICON-4 UHSLC FD)", "Brest (TICON-4 UHSLC RQ)",
                                             "Brest (TICON-4 REFMAR)"}));
  // A subordinate named like its reference, by the source's context.
  EXPECT_STREQ(TideById(data_.regions.at(3), kFirstSubordinateStationId).name, "Seattle, Elliott Bay");
  // NOAA's second meter bin of one current station.
  const RegionData& washington = data_.regions.at(3);
  ASSERT_EQ(washington.currents.size(), 3u);
  EXPECT_STREQ(washington.currents[0].name, "Admiralty Inlet");
  EXPECT_STREQ(washington.currents[1].name, "Admiralty Inlet, bin 7");
  EXPECT_STREQ(washington.currents[2].name, "Admiralty Inlet (off Bush Point)");
  EXPECT_TRUE(Reported("stations named apart from others of their name in their region: 5"));
}

TEST_F(DataSetTest, CurrentStationsAndTheirHarmonicFile) {
  const RegionData& washington = data_.regions.at(3);
  const CurrentLocation& ref = washington.currents[0];
  EXPECT_EQ(ref.referenceId, kFirstCurrentFileNumber);
  EXPECT_EQ(ref.floodDirection, 164);
  EXPECT_EQ(ref.ebbDirection, 344);
  EXPECT_EQ(ref.floodTime, 0);
  ASSERT_EQ(data_.currentFiles.size(), 2u);
  const CurrentHarmonicFile& file = data_.currentFiles[0];
  EXPECT_EQ(file.number, kFirstCurrentFileNumber);
  EXPECT_EQ(file.meanCurrentMicroKnots, -250000);
  EXPECT_EQ(file.ebbDirectionDegrees, 344);
  ASSERT_EQ(file.records.size(), 1u);
  EXPECT_EQ(file.records[0].amplitude, 2500);
  EXPECT_EQ(file.records[0].directionTenthsDegree, 1640);
  // Averages from its own predictions: 2.5 kn of M2 about a mean of -0.25 kn.
  EXPECT_EQ(ref.floodSpeed, 225);
  EXPECT_EQ(ref.ebbSpeed, 275);
  EXPECT_EQ(ref.slackBeforeFloodSpeed, 0);
  EXPECT_EQ(ref.slackBeforeEbbSpeed, 0);
  EXPECT_EQ(ref.slackBeforeFloodDirection, kNotGiven16);  // no slack threshold for the engine

  const CurrentLocation& sub = washington.currents[2];
  EXPECT_EQ(sub.referenceId, kFirstCurrentFileNumber);
  EXPECT_EQ(sub.floodTime, -20);
  EXPECT_EQ(sub.ebbTime, 15);
  EXPECT_EQ(sub.floodSpeedRatio, 60);
  EXPECT_EQ(sub.ebbSpeedRatio, kNotGiven16);
  EXPECT_EQ(sub.slackBeforeFloodTime, kNotGiven16);
  EXPECT_EQ(sub.ebbDirection, kNotGiven16);
  EXPECT_EQ(sub.floodSpeed, 135);  // its reference's times its flood ratio
  EXPECT_EQ(sub.ebbSpeed, kNotGiven16);
  EXPECT_EQ(sub.slackBeforeFloodSpeed, 0);
}

TEST_F(DataSetTest, NotesAndCatalogueNameTheSourceAndLicence) {
  const TideLocation& seattle = TideById(data_.regions.at(3), 1);
  ASSERT_GT(seattle.unused88[1], 0);
  const std::string& note = data_.notes.at(OfficialNotesFileName(3, false)).at(seattle.unused88[1]);
  EXPECT_NE(note.find("Source: US National Oceanic and Atmospheric Administration (NOAA), station 9447130"),
            std::string::npos) << note;
  EXPECT_NE(note.find("Licence: public domain"), std::string::npos) << note;
  EXPECT_NE(note.find("SA_KV 0.050 m (0.164 ft), no table of this program defines it;"), std::string::npos) << note;

  const TideLocation& halifax = data_.regions.at(46).tides.at(0);
  const std::string& halifaxNote = data_.notes.at("etnotes.dat").at(halifax.unused88[1]);
  EXPECT_NE(halifaxNote.find("CC BY-NC 4.0, not for commercial use"), std::string::npos) << halifaxNote;
  // TICON-4's M1 is not the table's M1: left out, with its amplitude, where NOAA's is kept.
  EXPECT_NE(halifaxNote.find("M1 0.010 m (0.033 ft), TICON-4's M1 follows another, unpublished definition;"),
            std::string::npos) << halifaxNote;
  EXPECT_EQ(note.find("M1 0.010 m"), std::string::npos) << note;
  EXPECT_TRUE(Reported("constituent M1 left out (TICON-4's M1 follows another, unpublished definition)"));
  const TideLocation& brest = data_.regions.at(35).tides.at(0);
  const std::string& brestNote = data_.notes.at("etnotes.dat").at(brest.unused88[1]);
  EXPECT_NE(brestNote.find("Source: TICON-4 (Hart-Davis, Dettmering, Seitz 2025), gauge record from University of "
                           "Hawaii Sea Level Center, GESLA-4 contributor uhslc_fd"),
            std::string::npos) << brestNote;

  const CurrentLocation& sub = data_.regions.at(3).currents.at(2);
  EXPECT_GT(sub.unused114[1], 0);  // the reference station's note
  const std::string& subNote = data_.notes.at("wcnotes.dat").at(sub.unused114[2]);
  EXPECT_NE(subNote.find("Average speeds: computed by this program"), std::string::npos) << subNote;

  ASSERT_EQ(data_.catalogue.size(), 11u);  // the orphan, the flipped one and the US TICON gauge are out
  EXPECT_EQ(data_.catalogue[0].kind, 'C');  // ordered by kind, region, index
  const auto row = [&](const std::string& id) {
    return *std::find_if(data_.catalogue.begin(), data_.catalogue.end(),
                         [&](const CatalogueRow& r) { return r.sourceId == id; });
  };
  const CatalogueRow seattleRow = row("9447130");
  EXPECT_EQ(seattleRow.kind, 'T');
  EXPECT_EQ(seattleRow.region, 3);
  EXPECT_EQ(seattleRow.index, 1);
  EXPECT_EQ(seattleRow.stationId, 1u);
  EXPECT_EQ(seattleRow.source, "NOAA");
  EXPECT_EQ(seattleRow.sourceLabel, "NOAA");
  EXPECT_EQ(seattleRow.timeZone, "America/Los_Angeles");
  EXPECT_EQ(seattleRow.licence, "public domain");
  EXPECT_TRUE(seattleRow.commercialUse);
  // A Canadian gauge of TICON-4 is TICON-4's, not the Canadian Hydrographic Service's.
  EXPECT_EQ(row("halifax").source, "TICON-4");
  EXPECT_EQ(row("halifax").sourceLabel, "TICON-4");
  EXPECT_FALSE(row("halifax").commercialUse);
  const CatalogueRow brestRow = row("brest-brest-fra-refmar");
  EXPECT_EQ(brestRow.source, "TICON-4");
  EXPECT_EQ(brestRow.sourceLabel, "TICON-4 (REFMAR)");
  EXPECT_EQ(brestRow.agency, "REFMAR, Shom");
}

}  // namespace
}  // namespace qw::data
