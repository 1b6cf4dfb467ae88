// quaywise-cli's catalogue commands, station arguments and argument errors, over
// fixture region files written into the test's data directory.
#include <cstring>
#include <fstream>

#include "engine/data_dir.h"
#include "engine/region_files.h"
#include "tests/cli/cli_test_support.h"

namespace qw {
namespace {

using test::RunCliCaptured;

TideLocation Station(const char* name, uint16_t id, uint16_t referenceId = 1) {
  TideLocation s;
  std::strncpy(s.name, name, 50);
  s.stationId = id;
  s.referenceId = referenceId;
  s.latHemisphere = 'N'; s.latDegrees = 37; s.latMinutes = 48; s.latSeconds = 24;
  s.lonHemisphere = 'W'; s.lonDegrees = 122; s.lonMinutes = 27; s.lonSeconds = 54;
  return s;
}

class CliCatalogueTest : public test::EngineTest {
 protected:
  void SetUp() override {
    TideLocation sub = Station("Alameda, San Francisco Bay", 12);
    sub.highTimeOffset = 20;
    ASSERT_TRUE(WriteTideRegionFile(DataFilePath("tide5.dat"), 5, "California",
                                    {Station("San Francisco, Golden Gate", 11), sub,
                                     Station("San Francisco Bay Area", 0, 0)}));
    ASSERT_TRUE(WriteTideRegionFile(DataFilePath("tide9.dat"), 9, "Washington",
                                    {Station("Seattle, Puget Sound", 21), Station("Port Townsend", 22)}));
    CurrentLocation current;
    std::strcpy(current.name, "Golden Gate Bridge");
    current.stationId = 31;
    current.referenceId = 7;
    ASSERT_TRUE(WriteCurrentRegionFile(DataFilePath("curr5.dat"), 5, "California", {current}));
  }
  void WriteSources(const std::string& text) {
    std::ofstream(DataFilePath("catalogue.csv"), std::ios::binary) << text;
  }
  static constexpr const char* kSourcesHeader =
      "kind,region,index,station_id,source,source_id,time_zone,licence,attribution\n";
};

TEST_F(CliCatalogueTest, RegionsListSlotsNumbersNamesAndCounts) {
  auto r = RunCliCaptured({"regions", "--csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "slot,region,name,stations\n0,5,California,3\n1,9,Washington,2\n");
  r = RunCliCaptured({"regions", "--currents"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("California"), std::string::npos);
  EXPECT_EQ(r.out.find("Washington"), std::string::npos);
}

TEST_F(CliCatalogueTest, StationListsShowRolesPositionsAndSourceIds) {
  WriteSources(std::string(kSourcesHeader) +
               "T,5,0,11,NOAA,9414290,America/Los_Angeles,public domain,\"NOAA, CO-OPS\"\n"
               "T,9,0,21,NOAA,9447130,America/Los_Angeles,public domain,NOAA\n"
               "garbage line\n");
  auto r = RunCliCaptured({"stations", "--region", "0", "--csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "slot,index,station_id,name,latitude,longitude,role,source,source_id\n"
            "0,0,11,\"San Francisco, Golden Gate\",37.8067,-122.4650,reference,NOAA,9414290\n"
            "0,1,12,\"Alameda, San Francisco Bay\",37.8067,-122.4650,subordinate,,\n"
            "0,2,0,San Francisco Bay Area,37.8067,-122.4650,area,,\n");

  r = RunCliCaptured({"find", "SAN FRANCISCO"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("0:0"), std::string::npos);
  EXPECT_NE(r.out.find("NOAA 9414290"), std::string::npos);
  EXPECT_NE(r.out.find("0:2"), std::string::npos);
  EXPECT_EQ(r.out.find("Seattle"), std::string::npos);

  r = RunCliCaptured({"find", "gate", "--currents", "--csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("0,0,31,Golden Gate Bridge,,,reference"), std::string::npos);
}

TEST_F(CliCatalogueTest, MissingSourceListIsSaidClearly) {
  auto r = RunCliCaptured({"find", "seattle"});
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("no source ids are shown"), std::string::npos);
  EXPECT_NE(r.err.find("catalogue.csv is missing"), std::string::npos);
}

TEST_F(CliCatalogueTest, ArgumentErrorsExitWithStatusTwoAndOneLine) {
  WriteSources(std::string(kSourcesHeader) + "T,9,1,22,NOAA,9444900,,,\n");
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"frobnicate"}, "unknown command 'frobnicate'"},
      {{"regions", "--bogus"}, "unknown option '--bogus'"},
      {{"stations"}, "--region is required"},
      {{"stations", "--region", "2"}, "--region (a region slot) must be a whole number from 0 to 1"},
      {{"stations", "--region", "x1"}, "must be a whole number"},
      {{"find"}, "find needs one TEXT"},
      {{"regions", "--data", "/nonexistent/quaywise"}, "is not a directory"},
      {{"regions", "--math", "q"}, "--math must be f or i"},
      {{"stations", "--region"}, "--region needs a value"},
  };
  for (const Case& c : cases) {
    auto r = RunCliCaptured(c.args);
    EXPECT_EQ(r.status, 2) << c.args[0];
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    EXPECT_TRUE(r.out.empty());
  }
}

TEST_F(CliCatalogueTest, HelpListsEveryCommand) {
  auto r = RunCliCaptured({"--help"});
  ASSERT_EQ(r.status, 0);
  for (const char* command : {"regions", "stations", "find"}) {
    EXPECT_NE(r.out.find(command), std::string::npos) << command;
  }
  r = RunCliCaptured({"help", "stations"});
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("usage: quaywise-cli stations --region SLOT"), std::string::npos);
  r = RunCliCaptured({"find", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("usage: quaywise-cli find TEXT"), std::string::npos);
}

TEST_F(CliCatalogueTest, DataOptionPointsAtAnotherDirectory) {
  test::TempDir other;
  ASSERT_TRUE(WriteTideRegionFile(other.File("tide40.dat"), 40, "Elsewhere", {Station("Far", 1)}));
  auto r = RunCliCaptured({"regions", "--csv", "--data", other.path().string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "slot,region,name,stations\n0,40,Elsewhere,1\n");
  // The option lasts for one run only.
  r = RunCliCaptured({"regions", "--csv"});
  EXPECT_NE(r.out.find("California"), std::string::npos);
}

}  // namespace
}  // namespace qw
