#include "present/tide_presenter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "engine/data_dir.h"
#include "engine/engine_values.h"
#include "engine/station_datums.h"
#include "tests/support/source_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

TideLocation Station(uint16_t referenceId) {
  TideLocation s;
  s.stationId = 42;
  std::strcpy(s.name, "Test Harbour");
  s.referenceId = referenceId;
  s.meanRange = 409;
  s.meanHigherHighWater = 584;
  s.meanTideLevel = 318;
  s.flags = kTideFlagMhhwLabel;
  return s;
}

TEST(TidePresenterTest, PositionLines) {
  EXPECT_EQ(PositionText('N', 37, 48, 23, 'W', 122, 27, 57), "Lat 37\u00B048 23 N  Lon 122\u00B027 57 W");
  EXPECT_EQ(PositionText('S', 3, 5, 0, 'E', 9, 1, 0), "Lat 03\u00B005' S  Lon 009\u00B001' E");
  EXPECT_EQ(PositionText(' ', 0, 0, 0, ' ', 0, 0, 0), "Position Not Specified");
}

TEST(TidePresenterTest, SunAndMoonLines) {
  constexpr float kQuarter = 0.25f / 60;
  const auto lines = SunTexts({5 + 47 / 60.0f + kQuarter, 20 + 34 / 60.0f + kQuarter}, TimeType::Clock12);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].label, "Sunrise:");
  EXPECT_EQ(lines[0].value, "5:47 am");
  EXPECT_EQ(lines[1].value, "8:34 pm");
  // An event outside the shown day names the neighbouring day.
  EXPECT_EQ(SunTexts({-0.5f, 23.0f}, TimeType::Clock12)[0].label, "Sunrise Yesterday");
  EXPECT_EQ(SunTexts({6.0f, 24.2f}, TimeType::Clock12)[1].label, "Sunset Tomorrow");
  EXPECT_EQ(SunTexts({13 + kQuarter, 13 + kQuarter}, TimeType::Clock12)[0].label, "Sun does not rise today");
  EXPECT_EQ(SunTexts({1 + kQuarter, 1 + kQuarter}, TimeType::Clock12)[0].label, "Sun does not set today");
  EXPECT_EQ(SunTexts({-1, -1}, TimeType::Clock12)[0].label, "Sunrise/Sunset Not Available");
  EXPECT_EQ(MoonTexts({13.001f, 13.001f, 20}, TimeType::Clock24)[0].label, "Moon does not rise");
  EXPECT_EQ(MoonTexts({14.64f, 1.89f, 20}, TimeType::Clock24)[0].value, "14:38");
}

class TidePresenterDataTest : public test::EngineTest {};

// The datum line names the chart datum the reference's source gives, whatever the
// station's number range or kind code; one not recorded is only "Chart Datum".
TEST_F(TidePresenterDataTest, RangeLinesFollowTheSettingsAndTheStation) {
  test::WriteStationSources({test::SourceEntry('T', 1234, "NOAA", "NOAA"),
                             test::SourceEntry('T', 35000, "TICON-4", "TICON-4 (BODC)", "cc-by-4.0")});
  {
    std::ofstream datums(DataFilePath(StationDatums::kFileName));
    datums << EncodeStationDatums({{50, 1234, 1234, "MLLW", "MLLW", 0}, {50, 35000, 35000, "LAT", "LAT", 0}});
  }
  AppSettings settings;
  RangeLine high, low;
  TideLocation noaa = Station(1234);
  TideRangeLines(noaa, settings, high, low);
  EXPECT_TRUE(high.shown);
  EXPECT_EQ(high.value, 5840000);
  EXPECT_EQ(high.label, "MHHW");
  EXPECT_EQ(low.value, 0);
  EXPECT_EQ(low.label, "0 ft (MLLW)");

  TideLocation ticon = Station(35000);
  ticon.flags = 0;
  ticon.kindCode = 31;
  TideRangeLines(ticon, settings, high, low);
  EXPECT_EQ(high.label, "MHWS");
  EXPECT_EQ(low.label, "0 ft (LAT)");
  TideLocation unknown = Station(20000);
  TideRangeLines(unknown, settings, high, low);
  EXPECT_EQ(low.label, "0 ft (Chart Datum)");

  // A station without the average shows no MHHW line.
  noaa.meanHigherHighWater = kNotGiven16;
  TideRangeLines(noaa, settings, high, low);
  EXPECT_FALSE(high.shown);

  // User lines: hundredths of the unit, or whole centimetres.
  settings.tideRanges = {kTideHighUser, kTideLowUser, 1050, -25, "Dock", "Bar"};
  TideRangeLines(noaa, settings, high, low);
  EXPECT_EQ(high.value, 10500000);
  EXPECT_EQ(low.value, -250000);
  EXPECT_EQ(high.label, "Dock");
  settings.tideUnit = TideUnit::Centimetres;
  settings.tideRanges.highHeight = 320;
  TideRangeLines(noaa, settings, high, low);
  EXPECT_EQ(high.value, 32000000);  // 320 cm in hundred-thousandths of a centimetre

  settings.highRangeLine = settings.lowRangeLine = false;
  TideRangeLines(noaa, settings, high, low);
  EXPECT_FALSE(high.shown);
  EXPECT_FALSE(low.shown);
}

TEST(TidePresenterTest, NoticesForStationsThatCannotBePredictedInFull) {
  TideLocation station = Station(1234);
  EXPECT_EQ(TideNoticeOf(station), StationNotice::None);
  station.highTimeOffset = station.highHeightDiff = station.lowTimeOffset = station.lowHeightDiff = kNotGiven16;
  EXPECT_EQ(TideNoticeOf(station), StationNotice::NoCorrections);
  station.highTimeOffset = 30;
  station.highHeightDiff = 10;
  station.highHeightRatio = 100;
  EXPECT_EQ(TideNoticeOf(station), StationNotice::Incomplete);
  station.referenceId = 0;
  EXPECT_EQ(TideNoticeOf(station), StationNotice::NotPredictable);
}

}  // namespace
}  // namespace qw
