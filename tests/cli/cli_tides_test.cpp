// quaywise-cli's tide commands over a synthetic reference station and its subordinates,
// compared with the engine's own answers.
#include <cstring>
#include <fstream>
#include <sstream>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/region_files.h"
#include "engine/station_datums.h"
#include "engine/station_sources.h"
#include "engine/tide_prediction.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/tide_station_fixture.h"

namespace qw {
namespace {

using test::RunCliCaptured;

std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    std::string cell;
    while (std::getline(cells, cell, ',')) fields.push_back(cell);
    if (!line.empty() && line.back() == ',') fields.push_back("");
    rows.push_back(fields);
  }
  return rows;
}

class CliTidesTest : public test::EngineTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::WriteSyntheticStations(dataDir_.path().string(), {test::MixedTideStation(100)},
                                             2025, 2027));
    reference_ = test::ReferenceLocation(100, 11, "Golden Harbour");
    reference_.observesDst = 1;
    subordinate_ = test::ReferenceLocation(100, 12, "Inner Harbour");
    subordinate_.highTimeOffset = 30;
    subordinate_.lowTimeOffset = -15;
    subordinate_.observesDst = 1;
    TideLocation undefined = test::ReferenceLocation(100, 13, "Undefined Creek");
    undefined.lowHeightDiff = kNotGiven16;
    TideLocation area = test::ReferenceLocation(0, 0, "Harbour Area");
    TideLocation noData = test::ReferenceLocation(555, 14, "Lost Harbour");
    ASSERT_TRUE(WriteTideRegionFile(DataFilePath("tide3.dat"), 3, "Bay",
                                    {reference_, subordinate_, undefined, area, noData}));
    std::ofstream(DataFilePath("catalogue.csv"))
        << "kind,region,index,station_id,source,source_id,time_zone,licence,attribution\n"
           "T,3,0,11,NOAA,9414290,America/Los_Angeles,,\n"
           "T,3,1,12,NOAA,9414750,America/Los_Angeles,,\n";
  }
  TideLocation reference_, subordinate_;
};

TEST_F(CliTidesTest, TidesCsvListsTheEnginesDayExtremesWithTheShownTimeOffset) {
  auto r = RunCliCaptured({"tides", "src:9414290", "--from", "2026-01-10", "--to", "2026-01-11", "--csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  auto rows = CsvRows(r.out);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0], (std::vector<std::string>{"date", "time", "utc_offset", "event", "value", "unit"}));
  size_t row = 1;
  for (EngineMinute day = MinuteOf(2026, 1, 10); day <= MinuteOf(2026, 1, 11); day += kMinutesPerDay) {
    TideDayExtremes extremes;
    int32_t maximum, minimum;
    ASSERT_EQ(FindTideDayExtremes(reference_, day, extremes, maximum, minimum), 0);
    for (const TideExtreme& e : extremes) {
      if (e.time == 0) break;
      ASSERT_LT(row, rows.size());
      DateRecord d;
      MinuteToDate(e.time, d);
      char date[16], time[8], value[16];
      std::snprintf(date, sizeof date, "%04u-%02u-%02u", d.year, d.month, d.day);
      std::snprintf(time, sizeof time, "%02u:%02u", d.hour, d.minute);
      std::snprintf(value, sizeof value, "%.3f", e.height / 1e6);
      EXPECT_EQ(rows[row], (std::vector<std::string>{date, time, "-08:00", std::string(1, e.kind), value, "ft"}));
      ++row;
    }
  }
  EXPECT_EQ(row, rows.size());
  EXPECT_GE(rows.size(), 7u);
}

TEST_F(CliTidesTest, DaylightSavingShowsInTheOffsetUnlessSwitchedOff) {
  auto summer = RunCliCaptured({"tides", "Golden", "--from", "2026-07-04", "--csv", "--units", "m"});
  ASSERT_EQ(summer.status, 0) << summer.err;
  auto rows = CsvRows(summer.out);
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows[1][2], "-07:00");
  EXPECT_EQ(rows[1][5], "m");
  auto standard = RunCliCaptured({"tides", "Golden", "--from", "2026-07-04", "--csv", "--units", "m",
                                  "--no-daylight-saving"});
  ASSERT_EQ(standard.status, 0) << standard.err;
  auto rowsStandard = CsvRows(standard.out);
  EXPECT_EQ(rowsStandard[1][2], "-08:00");
  // The same instant: an hour earlier on the standard-time clock.
  EXPECT_NE(rows[1][1], rowsStandard[1][1]);
}

TEST_F(CliTidesTest, HeightsFollowTheEngineAndLeaveUndefinedValuesEmpty) {
  auto r = RunCliCaptured({"heights", "id:12", "--from", "2026-03-01", "--interval", "60", "--csv",
                           "--units", "cm"});
  ASSERT_EQ(r.status, 0) << r.err;
  auto rows = CsvRows(r.out);
  ASSERT_EQ(rows.size(), 25u);
  for (int hour = 0; hour < 24; ++hour) {
    const int32_t h = PredictTide(subordinate_, MinuteOf(2026, 3, 1, hour), 0).height;
    char value[16];
    std::snprintf(value, sizeof value, "%.1f", h / 1e6 * 30.48);
    char time[8];
    std::snprintf(time, sizeof time, "%02d:00", hour);
    EXPECT_EQ(rows[hour + 1], (std::vector<std::string>{"2026-03-01", time, "-08:00", "", value, "cm"}));
  }
  r = RunCliCaptured({"heights", "Undefined", "--from", "2026-03-01", "--interval", "720", "--csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "date,time,utc_offset,event,value,unit\n2026-03-01,00:00,-08:00,,,ft\n"
            "2026-03-01,12:00,-08:00,,,ft\n");
}

TEST_F(CliTidesTest, TextOutputNamesTheStationAndItsSource) {
  auto r = RunCliCaptured({"tides", "0:1", "--from", "2026-05-05"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Inner Harbour  (tide 0:1, id 12, subordinate, NOAA 9414750)\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("Tue 2026-05-05 "), std::string::npos);
  EXPECT_NE(r.out.find(" -07:00  "), std::string::npos);
}

TEST_F(CliTidesTest, TodayUsesTheDefaultStationOrTheFirstWithPredictions) {
  auto r = RunCliCaptured({});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Golden Harbour  (tide 0:0", 0), 0u) << r.out;
  EXPECT_GE(std::count(r.out.begin(), r.out.end(), '\n'), 3);
  std::filesystem::remove(DataFilePath("catalogue.csv"));
  r = RunCliCaptured({"today", "--units", "m"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Golden Harbour  (tide 0:0, id 11, reference)\n", 0), 0u) << r.out;
  r = RunCliCaptured({"today", "Inner"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Inner Harbour", 0), 0u);
}

TEST_F(CliTidesTest, InfoShowsTheReferenceAndTheCorrections) {
  auto r = RunCliCaptured({"info", "src:9414750"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Station                tide 0:1 in region 3, station id 12, subordinate\n"),
            std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Reference              100 Mixed Harbour\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("High water             time 30 min, ratio 1.00, difference 0.00 ft\n"),
            std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Time meridian          -120.0 degrees (UTC-08:00 standard time)\n"),
            std::string::npos) << r.out;
  r = RunCliCaptured({"info", "Undefined"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("difference not given"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("not defined (a correction is not given)"), std::string::npos) << r.out;
}

// Who published the data comes from the station's own line of the side catalogue, never
// from the number range of its record: here a reference of TICON-4 data with a
// non-commercial licence, whose record number lies in the NOAA range.
TEST_F(CliTidesTest, InfoSaysWhoPublishedTheDataItsLicenceAndDatums) {
  ASSERT_TRUE(WriteTideRegionFile(DataFilePath("tide4.dat"), 4, "Coast", {test::ReferenceLocation(100, 100, "Mixed Harbour")}));
  StationSource golden;
  golden.region = 3;
  golden.stationId = 11;
  golden.source = "NOAA";
  golden.sourceId = "9414290";
  golden.sourceLabel = "NOAA";
  golden.licence = "public domain";
  StationSource mixed;
  mixed.region = 4;
  mixed.stationId = 100;
  mixed.source = "TICON-4";
  mixed.sourceId = "mixed-1-aus-bom";
  mixed.sourceLabel = "TICON-4 (BOM)";
  mixed.sourceName = "TICON-4 (Hart-Davis, Dettmering, Seitz 2025)";
  mixed.agency = "Australian Bureau of Meteorology";
  mixed.licence = "cc-by-nc-4.0";
  mixed.licenceUrl = "https://creativecommons.org/licenses/by-nc/4.0/";
  mixed.commercialUse = false;
  mixed.attribution = "Source: TICON-4";
  std::ofstream(DataFilePath(StationSources::kFileName)) << EncodeStationSources({golden, mixed});
  std::ofstream(DataFilePath(StationDatums::kFileName))
      << EncodeStationDatums({{4, 0, 100, "LAT", "LAT", 0}, {4, 0, 100, "LAT", "MSL", 3126000}});

  auto r = RunCliCaptured({"info", "src:mixed-1-aus-bom"});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* line : {
           "Source                 TICON-4 (BOM) mixed-1-aus-bom\n",
           "Published by           TICON-4 (Hart-Davis, Dettmering, Seitz 2025); gauge record from Australian Bureau of "
           "Meteorology\n",
           "Licence                CC BY-NC 4.0, NOT FOR COMMERCIAL USE (https://creativecommons.org/licenses/by-nc/4.0/)\n",
           "Reference              100 Mixed Harbour, TICON-4 (BOM)\n",
           "Chart datum            LAT (heights are above it)\n",
           "Datums above it        MSL 3.13 ft\n"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
  }
  EXPECT_EQ(r.out.find("NOAA"), std::string::npos) << r.out;
  // A station computed from it says so too.
  r = RunCliCaptured({"info", "Golden"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Reference              100 Mixed Harbour, TICON-4 (BOM)\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Licence                public domain\n"), std::string::npos) << r.out;
}

TEST_F(CliTidesTest, UserErrorsExitTwoEngineFailuresExitOne) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"tides", "Golden"}, "tides: --from is required"},
      {{"tides", "--from", "2026-01-01"}, "tides needs exactly one STATION"},
      {{"tides", "Golden", "--from", "2026-1-1"}, "--from must be a date YYYY-MM-DD, not '2026-1-1'"},
      {{"tides", "Golden", "--from", "2026-02-29"}, "--from '2026-02-29' is not a calendar date"},
      {{"tides", "Golden", "--from", "2100-01-01"}, "outside the supported dates 1901-01-01 to 2099-12-31"},
      {{"tides", "Golden", "--from", "1900-12-31"}, "outside the supported dates"},
      {{"tides", "Golden", "--from", "2026-01-02", "--to", "2026-01-01"}, "--to 2026-01-01 is before --from"},
      {{"tides", "Harbour", "--from", "2026-01-01"}, "station 'Harbour' is ambiguous: 4 tide stations match"},
      {{"tides", "Nowhere", "--from", "2026-01-01"}, "no tide station name contains 'Nowhere'"},
      {{"tides", "Harbour Area", "--from", "2026-01-01"}, "names a general area and has no predictions"},
      {{"tides", "src:1234567", "--from", "2026-01-01"}, "no installed tide station has source id '1234567'"},
      {{"tides", "id:99", "--from", "2026-01-01"}, "no tide station has id 99"},
      {{"tides", "id:x", "--from", "2026-01-01"}, "the station id must be a whole number"},
      {{"tides", "5:0", "--from", "2026-01-01"}, "there is no tide region slot 5 (slots 0 to 0)"},
      {{"tides", "0:9", "--from", "2026-01-01"}, "region slot 0 has 5 stations; there is no index 9"},
      {{"tides", "Golden", "--from", "2026-01-01", "--units", "yd"}, "--units must be ft, m or cm"},
      {{"heights", "Golden", "--from", "2026-01-01"}, "heights: --interval is required"},
      {{"heights", "Golden", "--from", "2026-01-01", "--interval", "0"}, "--interval must be a whole number from 1 to 1440"},
      {{"today", "a", "b"}, "today takes at most one STATION"},
  };
  for (const Case& c : cases) {
    auto r = RunCliCaptured(c.args);
    EXPECT_EQ(r.status, 2) << c.message << "\n" << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  // A station whose harmonic constants are missing: the engine's message, then status 1.
  auto r = RunCliCaptured({"tides", "Lost", "--from", "2026-01-01"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Quaywise Pro: 2410: Error initializing tide!"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace qw
