#include "present/tide_presenter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/engine_values.h"
#include "engine/installed_catalogue.h"
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

// A date of San Francisco's clock and its sky events at shown times of that date.
struct PacificSky {
  StationClock clock{-120, 1, "America/Los_Angeles"};
  SkyDay sky;
  explicit PacificSky(EngineMinute date) { sky.span = clock.Day(date); }
  void Add(SkyEventKind kind, EngineMinute shown) { sky.events.push_back({kind, clock.At(clock.StandardAt(shown))}); }
};

TEST(TidePresenterTest, SunAndMoonLinesReadTheClockAndNameTheZoneOnChangeDays) {
  PacificSky summer(MinuteOf(2026, 7, 4));
  summer.sky.sun = summer.sky.moon = RiseSetDay::Events;
  summer.Add(SkyEventKind::Sunrise, MinuteOf(2026, 7, 4, 5, 47));
  summer.Add(SkyEventKind::Sunset, MinuteOf(2026, 7, 4, 20, 34));
  summer.Add(SkyEventKind::Moonset, MinuteOf(2026, 7, 4, 14, 38));
  const auto lines = SunTexts(summer.sky, summer.clock, TimeType::Clock12);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].label, "Sunrise:");
  EXPECT_EQ(lines[0].value, "5:47 am");
  EXPECT_EQ(lines[1].value, "8:34 pm");
  const auto moon = MoonTexts(summer.sky, summer.clock, TimeType::Clock24);
  EXPECT_EQ(moon[0].label, "No Moonrise this day");  // it rose the day before, or rises the day after
  EXPECT_EQ(moon[1].value, "14:38");

  // On the day the clocks go back every time names its zone: 1:30 happens twice.
  PacificSky autumn(MinuteOf(2026, 11, 1));
  autumn.sky.sun = RiseSetDay::Events;
  autumn.Add(SkyEventKind::Sunrise, MinuteOf(2026, 11, 1, 6, 36));
  EXPECT_EQ(SunTexts(autumn.sky, autumn.clock, TimeType::Clock12)[0].value, "6:36 am PST");
  const ClockReading firstHalfPast = autumn.clock.At(autumn.clock.StandardAt(MinuteOf(2026, 11, 1, 1, 30)));
  const ClockReading secondHalfPast = autumn.clock.At(autumn.clock.StandardAt(MinuteOf(2026, 11, 1, 1, 30), true));
  EXPECT_EQ(TimeOfReading(firstHalfPast, autumn.clock, autumn.sky.span, TimeType::Clock24), "01:30 PDT");
  EXPECT_EQ(TimeOfReading(secondHalfPast, autumn.clock, autumn.sky.span, TimeType::Clock24), "01:30 PST");
  EXPECT_EQ(TimeOfReading(firstHalfPast, autumn.clock, summer.sky.span, TimeType::Clock24), "01:30");
  EXPECT_EQ(ZoneText(autumn.clock, autumn.sky.span), "(PDT/PST)");
  EXPECT_EQ(ZoneText(summer.clock, summer.sky.span), "(PDT)");

  PacificSky polar(MinuteOf(2026, 7, 4));
  polar.sky.sun = RiseSetDay::NeverRises;
  EXPECT_EQ(SunTexts(polar.sky, polar.clock, TimeType::Clock12)[0].label, "Sun does not rise today");
  polar.sky.sun = RiseSetDay::NotAvailable;
  EXPECT_EQ(SunTexts(polar.sky, polar.clock, TimeType::Clock12)[0].label, "Sunrise/Sunset Not Available");
}

TEST(TidePresenterTest, TheTimeAxisOfAChangeDayHasItsHoursAndSaysSo) {
  const StationClock pacific(-120, 1, "America/Los_Angeles");
  DayGraphData spring;
  PresentDayAxis(pacific, pacific.Day(MinuteOf(2026, 3, 8)), TimeType::Clock12, spring);
  EXPECT_EQ(spring.minutes, 1380);
  ASSERT_EQ(spring.hourTicks.size(), 24u);
  EXPECT_EQ(spring.hourTicks[2].hour, 3);  // 2 am never shows
  EXPECT_EQ(spring.hourTicks.back().hour, 24);
  EXPECT_EQ(spring.changeNote, "Clocks go forward 1 hour at 2:00 am: 23-hour day");

  DayGraphData autumn;
  PresentDayAxis(pacific, pacific.Day(MinuteOf(2026, 11, 1)), TimeType::Clock24, autumn);
  EXPECT_EQ(autumn.minutes, 1500);
  ASSERT_EQ(autumn.hourTicks.size(), 26u);
  EXPECT_EQ(autumn.hourTicks[1].hour, 1);
  EXPECT_EQ(autumn.hourTicks[2].hour, 1);  // 1 am shows twice
  EXPECT_EQ(autumn.hourTicks[2].elapsed, 120);
  EXPECT_EQ(autumn.changeNote, "Clocks go back 1 hour at 02:00: 25-hour day");

  // Lord Howe Island moves its clocks by half an hour.
  const StationClock howe(159, 0, "Australia/Lord_Howe");
  DayGraphData half;
  PresentDayAxis(howe, howe.Day(MinuteOf(2026, 4, 5)), TimeType::Clock24, half);
  EXPECT_EQ(half.minutes, 1470);
  EXPECT_EQ(half.changeNote, "Clocks go back 30 minutes at 02:00: 24 h 30 min day");

  DayGraphData plain;
  PresentDayAxis(pacific, pacific.Day(MinuteOf(2026, 7, 4)), TimeType::Clock12, plain);
  EXPECT_EQ(plain.minutes, 1440);
  EXPECT_EQ(plain.hourTicks.size(), 25u);
  EXPECT_TRUE(plain.changeNote.empty());
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

// On another datum the zero line, the daily heading and the header's datum line name it,
// and the MHHW line and the average tides (heights above the chart datum in the record)
// move with it; the mean range, a difference, does not.
TEST_F(TidePresenterDataTest, AnotherDatumIsNamedAndMovesTheStationsHeights) {
  {
    std::ofstream datums(DataFilePath(StationDatums::kFileName));
    datums << EncodeStationDatums({{50, 7, 42, "MLLW", "MLLW", 0}, {50, 7, 42, "MLLW", "MSL", 3120000}});
  }
  AppSettings settings;
  TideLocation station = Station(1234);
  ASSERT_TRUE(SelectDatum(station, "msl").ok());
  RangeLine high, low;
  TideRangeLines(station, settings, high, low);
  EXPECT_EQ(low.label, "0 ft (MSL)");
  EXPECT_EQ(high.value, 5840000 - 3120000);
  const StationClock clock(-120, 0, "");
  const DayPresentation p = PresentTideDay(station, clock, TideDay{}, settings);
  EXPECT_EQ(p.eventsHeading, "Daily Highs & Lows (MSL):");
  EXPECT_EQ(p.datumLine, "Heights above MSL");
  ASSERT_EQ(p.averages.size(), 3u);
  EXPECT_EQ(p.averages[0].value, "4.09 ft");  // the mean range
  EXPECT_EQ(p.averages[1].value, "2.72 ft");  // MHHW 5.84 ft less MSL 3.12 ft
  EXPECT_EQ(p.averages[2].value, "0.06 ft");  // mean tide 3.18 ft less MSL

  // Back on the chart datum: the record's own values and the chart datum's name.
  ASSERT_TRUE(SelectDatum(station, "").ok());
  EXPECT_EQ(PresentTideDay(station, clock, TideDay{}, settings).averages[1].value, "5.84 ft");
  EXPECT_EQ(PresentTideDay(station, clock, TideDay{}, settings).eventsHeading, "Daily Highs & Lows (MLLW):");
  EXPECT_FALSE(SelectDatum(station, "NAVD88").ok());
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
