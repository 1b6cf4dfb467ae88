// quaywise-cli search, export and nearest over a synthetic station, checked against the
// engine's day lists and heights.
#include <fstream>
#include <sstream>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/region_files.h"
#include "engine/station_clock.h"
#include "engine/tide_prediction.h"
#include "search/value_texts.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/source_fixture.h"
#include "tests/support/tide_station_fixture.h"

namespace qw {
namespace {

using test::RunCliCaptured;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

class CliSearchTest : public test::EngineTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::WriteSyntheticStations(dataDir_.path().string(), {test::MixedTideStation(100)}, 2025, 2027));
    harbour_ = test::ReferenceLocation(100, 11, "Golden Harbour");
    harbour_.latHemisphere = 'N', harbour_.latDegrees = 37, harbour_.latMinutes = 48;
    harbour_.lonHemisphere = 'W', harbour_.lonDegrees = 122, harbour_.lonMinutes = 28;
    TideLocation point = test::ReferenceLocation(100, 12, "Point Lookout");
    point.latHemisphere = 'N', point.latDegrees = 37, point.latMinutes = 50;
    point.lonHemisphere = 'W', point.lonDegrees = 122, point.lonMinutes = 28;
    ASSERT_TRUE(WriteTideRegionFile(DataFilePath("tide3.dat"), 3, "Bay", {harbour_, point}));
  }
  TideLocation harbour_;
};

TEST_F(CliSearchTest, SearchListsTheDayListsHighWatersThatMeetTheCondition) {
  auto r = RunCliCaptured({"search", "Golden", "--kind", "high", "--from", "2026-02-01", "--to", "2026-02-14",
                           "--at-least", "5.5", "--format", "csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> expected = {"row,Event_Time,Value"};
  // The record's standard time: no daylight saving in February.
  const int32_t february = StationClock::Of(harbour_, "").standardOffsetMinutes();
  for (EngineMinute day = MinuteOf(2026, 2, 1); day <= MinuteOf(2026, 2, 14); day += kMinutesPerDay) {
    TideDayExtremes extremes;
    int32_t hi = 0, lo = 0;
    ASSERT_EQ(FindTideDayExtremes(harbour_, day, extremes, hi, lo), 0);
    for (const TideExtreme& e : extremes) {
      if (e.time == 0) break;
      if (e.kind != 'H' || (e.height + 50000) / 100000 < 55) continue;
      expected.push_back(std::to_string(expected.size()) + ",\"" + EventTimeText(e.time, february, TimeType::Clock24) + "\"," +
                         HeightText(MicroFeet((e.height + 50000) / 100000 * 100000), kValueTextUnit, TideUnit::Feet));
    }
  }
  ASSERT_GT(expected.size(), 3u);
  EXPECT_EQ(Lines(r.out), expected);

  r = RunCliCaptured({"search", "Golden", "--kind", "high", "--from", "2026-02-01"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--at-least"), std::string::npos) << r.err;
  r = RunCliCaptured({"search", "Golden", "--kind", "values", "--from", "2026-02-01", "--greatest", "day"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Invalid Sub Search Type"), std::string::npos) << r.err;
  r = RunCliCaptured({"search", "Golden", "--kind", "low", "--from", "2026-02-01", "--at-most", "1", "--time",
                      "18:00-06:00"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("The ending time must not be before the starting time"), std::string::npos) << r.err;
}

TEST_F(CliSearchTest, ExportWritesRecordsAndTables) {
  test::TempDir out;
  const std::string file = out.File("tides.txt");
  auto r = RunCliCaptured({"export", "Golden", "--from", "2026-03-01", "--to", "2026-03-02", "--interval", "60",
                           "--fields", "date,time,value", "--field-delimiter", "comma", "--month", "mm", "--sep1",
                           "/", "--sep2", "/", "-o", file});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.empty());
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  const std::vector<std::string> lines = Lines(text.str());
  ASSERT_EQ(lines.size(), 48u);
  const int32_t at13 = PredictTideShown(harbour_, MinuteOf(2026, 3, 1, 13, 0), 0, 0).height;
  EXPECT_EQ(lines[13], "03/1/2026,13:00," + HeightText(MicroFeet(at13), 0, TideUnit::Feet));

  r = RunCliCaptured({"export", "Golden", "--from", "2026-03-01", "--format", "dif"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, 42), "TABLE\r\n0,1\r\n\"Data Export:: Golden Harbour\"");

  r = RunCliCaptured({"export", "Golden", "--from", "2026-03-01", "--fields", "date,repeat,time"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Both the Start and End repeat entries must be used"), std::string::npos) << r.err;
}

// Rows name who published each station's data last, as the side catalogue records it.
TEST_F(CliSearchTest, NearestFromAPositionAndFromAStation) {
  test::WriteStationSources({test::SourceEntry('T', harbour_.referenceId, "TICON-4", "TICON-4 (UHSLC)")});
  auto r = RunCliCaptured({"nearest", "374800N", "1222800W", "--range", "5", "--format", "csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 3u) << r.out;
  EXPECT_EQ(lines[0].substr(lines[0].rfind(',')), ",Source");
  EXPECT_EQ(lines[1].substr(0, 34), "1,Tide,Golden Harbour,0.00 Nm,38.3");  // on the point: a token course
  EXPECT_EQ(lines[1].substr(36), ",Bay,37\u00b048' N,122\u00b028' W,TICON-4 (UHSLC)");
  EXPECT_EQ(lines[2], "2,Tide,Point Lookout,2.00 Nm,0.0\u00b0,Bay,37\u00b050' N,122\u00b028' W,TICON-4 (UHSLC)");

  r = RunCliCaptured({"nearest", "--station", "Golden", "--range", "5", "--format", "csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u) << r.out;
  EXPECT_NE(lines[1].find("Point Lookout"), std::string::npos);

  r = RunCliCaptured({"nearest", "37.8", "-122.4667", "--range", "1", "--format", "csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Lines(r.out).size(), 2u) << r.out;

  r = RunCliCaptured({"nearest", "374800X", "1222800W"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Valid values for latitude direction are 'N' or 'S'."), std::string::npos) << r.err;
}

}  // namespace
}  // namespace qw
