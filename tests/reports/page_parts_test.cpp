// The texts report pages are made of: dates, clock times, sun and moon lines, zone
// labels, axis levels and font sizes.
#include "reports/page_parts.h"

#include <gtest/gtest.h>

#include "engine/engine_state.h"
#include "reports/page_layouts.h"
#include "tests/reports/reports_test_app.h"

namespace qw {
namespace {

TEST(PagePartsTest, DatesAndClockTimes) {
  test::ReportsApp();
  EXPECT_EQ(LongDateText(MinuteOf(2025, 6, 18) + 700), "Wednesday, June 18, 2025");
  EXPECT_EQ(MonthText(MinuteOf(2024, 2, 29)), "February 2024");
  EXPECT_EQ(MonthSpanText(MinuteOf(2025, 6, 1), MinuteOf(2025, 8, 31)), "June - August 2025");
  EXPECT_EQ(MonthSpanText(MinuteOf(2024, 11, 1), MinuteOf(2025, 1, 31)), "November 2024 - January 2025");

  EXPECT_EQ(ShortClock(0, TimeType::Clock12), "12:00a");
  EXPECT_EQ(ShortClock(725, TimeType::Clock12), "12:05p");
  EXPECT_EQ(ShortClock(1439, TimeType::Clock12), "11:59p");
  EXPECT_EQ(ShortClock(1439, TimeType::Clock24), "23:59");
  EXPECT_EQ(ClockOfMinute(13 * 60 + 7, TimeType::Clock12), "1:07 pm");
  EXPECT_EQ(ClockOfMinute(7, TimeType::Clock24), "00:07");
}

TEST(PagePartsTest, SunAndMoonLinesSayWhatTheDayHas) {
  test::ReportsApp();
  // Results carry a small fraction above the minute (rise_set.h).
  const float sunrise = 5.0f + (48 + 0.25f) / 60.0f, sunset = 20.0f + (35 + 0.25f) / 60.0f;
  EXPECT_EQ(SunLines({sunrise, sunset}, TimeType::Clock12), (QStringList{"Sunrise: 5:48 am", "Sunset: 8:35 pm"}));
  EXPECT_EQ(SunLines({sunrise, sunset}, TimeType::Clock24), (QStringList{"Sunrise: 05:48", "Sunset: 20:35"}));
  EXPECT_EQ(SunLines({13.01f, 13.01f}, TimeType::Clock12), QStringList{"Sun does not rise today"});
  EXPECT_EQ(SunLines({1.01f, 1.01f}, TimeType::Clock12), QStringList{"Sun does not set today"});
  EXPECT_EQ(SunLines({-1.0f, -1.0f}, TimeType::Clock12), QStringList{"Sunrise/Sunset Not Available"});

  MoonTimes moon;
  moon.rise = 24.5f;  // rises after midnight, on the next day
  moon.set = 11.0f + (12 + 0.05f) / 60.0f;
  EXPECT_EQ(MoonLines(moon, TimeType::Clock12), (QStringList{"Moonrise: None", "Moonset: 11:12 am"}));
  moon.rise = moon.set = 1.02f;
  EXPECT_EQ(MoonLines(moon, TimeType::Clock12), QStringList{"Moon does not set today"});
  moon.rise = moon.set = 13.02f;
  EXPECT_EQ(MoonLines(moon, TimeType::Clock12), QStringList{"Moon does not rise today"});

  EXPECT_EQ(RiseSetMinute(sunrise, sunset), 5 * 60 + 48);
  EXPECT_EQ(RiseSetMinute(-0.5f, sunset), -1);
  EXPECT_EQ(RiseSetMinute(23.999f, sunset), 1439);
}

TEST(PagePartsTest, ZoneLabelsNameADaylightSavingChangeWithinThePage) {
  test::ReportsApp();
  ResetEngine();
  ReportLocation pacific;
  pacific.tide.timeMeridian = -120;
  pacific.tide.observesDst = 1;
  pacific.tide.referenceId = 1000;
  EXPECT_EQ(ZoneLabel(pacific, MinuteOf(2025, 6, 18)), "Pacific Daylight Time");
  EXPECT_EQ(ShortZoneLabel(pacific, MinuteOf(2025, 1, 18)), "PST");
  EXPECT_EQ(ZoneSpanLabel(pacific, MinuteOf(2025, 3, 1), MinuteOf(2025, 3, 31)),
            "Pacific Standard Time; Pacific Daylight Time from Mar 9");
  EXPECT_EQ(ZoneSpanLabel(pacific, MinuteOf(2025, 6, 1), MinuteOf(2025, 8, 31)), "Pacific Daylight Time");

  // Stations of the international family carry no zone label beside their times.
  ReportLocation international = pacific;
  international.tide.timeMeridian = 15;
  international.tide.referenceId = 32009;
  EXPECT_EQ(ShortZoneLabel(international, MinuteOf(2025, 6, 18)), "");
  EXPECT_EQ(ZoneLabel(international, MinuteOf(2025, 6, 18)).left(10), "Time Zone:");

  // A current station's zone comes from the current record.
  ReportLocation current;
  current.kind = StationKind::Current;
  current.current.timeMeridian = -75;
  current.current.observesDst = 1;
  EXPECT_EQ(ShortZoneLabel(current, MinuteOf(2025, 6, 18)), "EDT");

  // A station on its zone's clock: the zone's abbreviations, both on the change day.
  ReportLocation zoned = pacific;
  zoned.clock = StationClock(-120, 1, "America/Los_Angeles");
  EXPECT_EQ(ZoneLabel(zoned, MinuteOf(2025, 3, 9)), "PST/PDT");
  EXPECT_EQ(ShortZoneLabel(zoned, MinuteOf(2025, 6, 18)), "PDT");
  EXPECT_EQ(ZoneSpanLabel(zoned, MinuteOf(2025, 3, 1), MinuteOf(2025, 3, 31)), "PST; PDT from Mar 9");
  EXPECT_EQ(LocationReportTitle(current, ReportKind::Monthly, ReportFormat::Text), "Monthly Current Report (text)");
}

TEST(PagePartsTest, AxisLevelsShowTheDecimalsTheirStepNeeds) {
  EXPECT_EQ(LevelText(3000000, 1000000, 1000000), "3");
  EXPECT_EQ(LevelText(-1500000, 1500000, 1000000), "-1.5");
  EXPECT_EQ(LevelText(250000, 250000, 1000000), "0.25");
  EXPECT_EQ(LevelText(150000, 50000, 100000), "1.5");  // metres: 0.5 m steps
}

TEST(PagePartsTest, FontsTakeTheirSizeOrTheirPagesSize) {
  ReportOptions options;
  EXPECT_DOUBLE_EQ(ReportFontPoints(ReportFontRole::Body, options, 7.5), 8.5);
  EXPECT_DOUBLE_EQ(ReportFontPoints(ReportFontRole::Title, options, 15.0), 15.0 * 1.5);  // at most half again
  EXPECT_DOUBLE_EQ(ReportFontPoints(ReportFontRole::Date, options, 2.0), 13.0 * 0.5);   // at least half
  options.autoSizeReportFont = false;
  options.reportFont.pointSize = 95;
  EXPECT_DOUBLE_EQ(ReportFontPoints(ReportFontRole::Body, options, 2.0), 9.5);
}

}  // namespace
}  // namespace qw
