#include "engine/station_database.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/tide_prediction.h"
#include "tests/support/test_support.h"
#include "tests/support/tide_station_fixture.h"

namespace qw {
namespace {

TideLocation TideStation(const char* name, uint16_t id) {
  TideLocation s;
  std::strncpy(s.name, name, 50);
  s.stationId = id;
  s.referenceId = 100;
  return s;
}

class StationDatabaseTest : public test::EngineTest {
 protected:
  void WriteTide(int number, const char* regionName, const std::vector<TideLocation>& stations) {
    std::string error;
    ASSERT_TRUE(WriteTideRegionFile(DataFilePath(RegionFileName(StationKind::Tide, number)), number,
                                    regionName, stations, &error))
        << error;
  }
  // Twenty stations; every fifth name contains "bay" in some mix of case.
  std::vector<TideLocation> BayRegion() {
    std::vector<TideLocation> stations;
    const char* bays[] = {"Half Moon Bay", "BAY BRIDGE", "Baytown", "Oyster bAy"};
    for (int i = 0; i < 20; ++i) {
      std::string name = i % 5 == 3 ? bays[i / 5] : "Harbour " + std::to_string(i);
      stations.push_back(TideStation(name.c_str(), static_cast<uint16_t>(1000 + i)));
    }
    return stations;
  }
};

TEST_F(StationDatabaseTest, RegionsListInNumberOrderWithoutGaps) {
  WriteTide(12, "Twelve", {TideStation("A", 1)});
  WriteTide(3, "Three", {});
  WriteTide(31, "Thirty-one", {TideStation("B", 2), TideStation("C", 3)});
  // A region file with a damaged header still lists under the number of its name.
  {
    std::ofstream damaged(DataFilePath("tide10.dat"), std::ios::binary);
    damaged << "\x07" << "xxTen";
  }
  std::ofstream(DataFilePath("tide11.dat"), std::ios::binary);  // empty: not a region

  RegionList regions = BuildRegionList('t');
  ASSERT_EQ(regions.size(), 4u);
  EXPECT_EQ(regions[0].number, 3);
  EXPECT_STREQ(regions[0].name, "Three");
  EXPECT_EQ(regions[1].number, 10);
  EXPECT_STREQ(regions[1].name, "Ten");
  EXPECT_EQ(regions[1].regionFamily, 1);
  EXPECT_EQ(regions[2].number, 12);
  EXPECT_EQ(regions[2].regionFamily, 0);
  EXPECT_EQ(regions[3].regionFamily, 2);
  EXPECT_TRUE(BuildRegionList('C').empty());
  EXPECT_TRUE(BuildRegionList('x').empty());

  EXPECT_EQ(CountStations(regions, 0, StationKind::Tide), 0);  // header only
  EXPECT_EQ(CountStations(regions, 1, StationKind::Tide), 0);  // shorter than a header
  EXPECT_EQ(CountStations(regions, 2, StationKind::Tide), 1);
  EXPECT_EQ(CountStations(regions, 3, StationKind::Tide), 2);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();

  EXPECT_EQ(CountStations(regions, 4, StationKind::Tide), -1);
  EXPECT_TRUE(reports_.Has(2406, "Selected region 4 is invalid in FindTideSub!"));
  EXPECT_EQ(RegionAt(regions, -1), nullptr);
}

TEST_F(StationDatabaseTest, ReadsRecordsAndReportsIndicesBeyondTheFile) {
  WriteTide(7, "Seven", BayRegion());
  RegionList regions = BuildRegionList(StationKind::Tide);
  TideLocation s;
  ASSERT_TRUE(ReadTideLocation(regions, 0, 19, s));
  EXPECT_EQ(s.stationId, 1019);
  EXPECT_STREQ(s.name, "Harbour 19");
  EXPECT_EQ(s.referenceId, 100);

  EXPECT_FALSE(ReadTideLocation(regions, 0, 20, s));
  EXPECT_EQ(s.stationId, 0);
  EXPECT_STREQ(s.name, "");
  EXPECT_TRUE(reports_.Has(2404, "Tide station index '21' exceeds limits!"));
  EXPECT_TRUE(reports_.Has(2405, "File read failed on file TIDE7.DAT!"));

  // A region file removed after the list was built.
  ResetStationDatabase();
  std::filesystem::remove(DataFilePath("tide7.dat"));
  reports_.clear();
  EXPECT_FALSE(ReadTideLocation(regions, 0, 0, s));
  EXPECT_TRUE(reports_.Has(2401, "Unable to find tide database for region 7"));
  EXPECT_EQ(FindTideStationByName(regions, 0, -1, "bay", 1), -1);
}

TEST_F(StationDatabaseTest, TruncatedCurrentFileGivesAnEmptyRecord) {
  CurrentLocation c;
  std::strcpy(c.name, "Golden Gate");
  c.stationId = 55;
  c.referenceId = 9;
  std::string path = DataFilePath("curr2.dat");
  ASSERT_TRUE(WriteCurrentRegionFile(path, 2, "Two", {c, c}));
  std::filesystem::resize_file(path, 2 * kCurrentLocationSize + 60);  // second record cut short

  RegionList regions = BuildRegionList('C');
  ASSERT_EQ(CountStations(regions, 0, StationKind::Current), 1);
  CurrentLocation back;
  ASSERT_TRUE(ReadCurrentLocation(regions, 0, 0, back));
  EXPECT_EQ(back.stationId, 55);
  EXPECT_FALSE(ReadCurrentLocation(regions, 0, 1, back));
  EXPECT_TRUE(reports_.Has(2205, "File read failed on file CURR2.DAT!")) << reports_.Describe();
  EXPECT_EQ(back.stationId, 0);  // the part that was read is not used
  EXPECT_EQ(back.referenceId, 0);
  EXPECT_EQ(back.thirdEventRatio, kNotGiven16);  // no phantom third event
  reports_.clear();
  EXPECT_FALSE(ReadCurrentLocation(regions, 0, 2, back));
  EXPECT_TRUE(reports_.Has(2204, "Current station index '3' exceeds limits!"));
  EXPECT_FALSE(reports_.Has(2205));

  std::filesystem::remove(path);
  ResetStationDatabase();
  EXPECT_EQ(CountStations(regions, 0, StationKind::Current), -1);
  EXPECT_TRUE(reports_.Has(2201, "Selected region '2' Current database not found!"));
}

TEST_F(StationDatabaseTest, NameSearchIgnoresCaseInBothDirections) {
  WriteTide(4, "Four", BayRegion());
  RegionList regions = BuildRegionList('T');
  // Bays sit at 3, 8, 13, 18.
  EXPECT_EQ(FindTideStationByName(regions, 0, 10, "bay", 1), 13);
  EXPECT_EQ(FindTideStationByName(regions, 0, 13, "BaY", 1), 18);
  EXPECT_EQ(FindTideStationByName(regions, 0, 18, "bay", 1), -1);
  EXPECT_EQ(FindTideStationByName(regions, 0, -1, "bay", 1), 3);
  EXPECT_EQ(FindTideStationByName(regions, 0, 10, "bay", -1), 8);
  EXPECT_EQ(FindTideStationByName(regions, 0, 3, "bay", -1), -1);
  EXPECT_EQ(FindTideStationByName(regions, 0, 0, "bay", -1), -1);
  EXPECT_EQ(FindTideStationByName(regions, 0, 500, "bay", -1), 18);  // start beyond the end
  EXPECT_EQ(FindTideStationByName(regions, 0, -1, "harbour 1", 1), 1);
  EXPECT_EQ(FindTideStationByName(regions, 0, -1, "nowhere", 1), -1);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_F(StationDatabaseTest, IdSearchMatchesStationIdOnly) {
  std::vector<TideLocation> stations = BayRegion();
  std::strcpy(stations[2].name, "1015");  // a name that looks like the id sought
  WriteTide(4, "Four", stations);
  RegionList regions = BuildRegionList('T');
  EXPECT_EQ(FindTideStationById(regions, 0, -1, 1015, 1), 15);
  EXPECT_EQ(FindTideStationById(regions, 0, 15, 1015, 1), -1);
  EXPECT_EQ(FindTideStationById(regions, 0, 19, 1000, -1), 0);
  EXPECT_EQ(FindStation(regions, 0, -1, "", 1002, 1, StationKind::Tide), 2);
}

TEST_F(StationDatabaseTest, LongSearchesCrossReadBlocks) {
  std::vector<TideLocation> stations;
  for (int i = 0; i < 700; ++i) stations.push_back(TideStation(("S" + std::to_string(i)).c_str(), i + 1));
  std::strcpy(stations[600].name, "Needle Point");
  std::strcpy(stations[20].name, "Needle Rock");
  WriteTide(5, "Five", stations);
  RegionList regions = BuildRegionList('T');
  EXPECT_EQ(FindTideStationByName(regions, 0, 20, "needle", 1), 600);
  EXPECT_EQ(FindTideStationByName(regions, 0, 600, "needle", -1), 20);
  EXPECT_EQ(FindTideStationById(regions, 0, -1, 700, 1), 699);
  EXPECT_EQ(FindTideStationById(regions, 0, 699, 1, -1), 0);
}

TEST(StationDatabaseHelpersTest, TimeMeridians) {
  EXPECT_DOUBLE_EQ(TimeMeridianHours(-75), -5.0);
  EXPECT_DOUBLE_EQ(TimeMeridianDegrees(142), 142.5);
  EXPECT_DOUBLE_EQ(TimeMeridianHours(142), 9.5);
  EXPECT_DOUBLE_EQ(TimeMeridianDegrees(-53), -52.5);
  EXPECT_DOUBLE_EQ(TimeMeridianHours(-53), -3.5);
  EXPECT_DOUBLE_EQ(TimeMeridianHours(0), 0.0);
}

TEST_F(StationDatabaseTest, WritersRejectBadRegionsAndKeepTheOldFile) {
  WriteTide(6, "Six", {TideStation("Kept", 1)});
  std::string error;
  EXPECT_FALSE(WriteTideRegionFile(DataFilePath("tide6.dat"), 100, "Bad", {}, &error));
  EXPECT_NE(error.find("outside"), std::string::npos);
  EXPECT_FALSE(WriteTideRegionFile((dataDir_.path() / "missing" / "tide6.dat").string(), 6, "x", {},
                                   &error));
  RegionList regions = BuildRegionList('T');
  TideLocation s;
  ASSERT_TRUE(ReadTideLocation(regions, 0, 0, s));
  EXPECT_STREQ(s.name, "Kept");
  // A long region name is cut at 40 characters.
  WriteTide(6, "A region name that is much longer than forty characters", {});
  regions = BuildRegionList('T');
  EXPECT_EQ(std::strlen(regions[0].name), 40u);
  for (const auto& entry : std::filesystem::directory_iterator(dataDir_.path())) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
  }
}

}  // namespace
}  // namespace qw

namespace qw {
namespace {

TEST_F(StationDatabaseTest, ReferenceStationNameComesFromTheHarmonicRecord) {
  ASSERT_TRUE(test::WriteSyntheticStations(dataDir_.path().string(),
                                           {test::MixedTideStation(100, "Golden Gate Reference"),
                                            test::DiurnalStation(200, "Gulf Reference")},
                                           2025, 2026));
  TideLocation station = test::ReferenceLocation(200, 7, "Somewhere");
  EXPECT_EQ(ReferenceStationName(station), "Gulf Reference");  // read from the files
  TideLocation held = test::ReferenceLocation(100, 8, "Elsewhere");
  ASSERT_NE(PredictTide(held, MinuteOf(2025, 6, 1), 0).height, kValueFailed);  // record 100 is now held
  EXPECT_EQ(ReferenceStationName(held), "Golden Gate Reference");
  EXPECT_EQ(ReferenceStationName(station), "Gulf Reference");
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();

  station.referenceId = 0;
  EXPECT_EQ(ReferenceStationName(station), "");
  EXPECT_TRUE(reports_.empty());
  station.referenceId = 4444;
  EXPECT_EQ(ReferenceStationName(station), "");
  EXPECT_TRUE(reports_.Has(2408)) << reports_.Describe();
}

}  // namespace
}  // namespace qw
