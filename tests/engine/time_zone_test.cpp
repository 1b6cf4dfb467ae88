#include "engine/time_zone.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/engine_settings.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

using TimeZoneTest = test::EngineTest;

DateRecord Day(int year, int month, int day) {
  DateRecord date;
  MinuteToDate(MinuteOf(year, month, day), date);
  return date;
}

TEST_F(TimeZoneTest, ZoneOfStoredMeridians) {
  EXPECT_DOUBLE_EQ(ZoneHours(-75), -5.0);
  EXPECT_DOUBLE_EQ(ZoneHours(-53), -3.5);
  EXPECT_DOUBLE_EQ(ZoneHours(82), 5.5);
  EXPECT_DOUBLE_EQ(ZoneHours(0), 0.0);
  EXPECT_DOUBLE_EQ(ZoneHours(180), 12.0);
  EXPECT_DOUBLE_EQ(ZoneDegrees(-53), -52.5);
  EXPECT_DOUBLE_EQ(ZoneDegrees(-150), -150.0);
}

TEST_F(TimeZoneTest, LabelsOfNamedAndNumericZones) {
  const DateRecord summer = Day(2025, 7, 1), winter = Day(2025, 1, 15);
  EXPECT_EQ(FormatTimeZone(-75, summer, 'L', 1), "Eastern Daylight Time");
  EXPECT_EQ(FormatTimeZone(-75, summer, 'S', 1), "EDT");
  EXPECT_EQ(FormatTimeZone(-75, winter, 'S', 1), "EST");
  EXPECT_EQ(FormatTimeZone(-75, summer, 'S', 0), "EST");  // the station keeps standard time
  EXPECT_EQ(FormatTimeZone(-60, summer, 'L', 1), "Atlantic Daylight Time");
  EXPECT_EQ(FormatTimeZone(-135, winter, 'S', 1), "AKST");
  EXPECT_EQ(FormatTimeZone(-150, summer, 'S', 0), "HAST");
  EXPECT_EQ(FormatTimeZone(-150, summer, 'L', 1), "Hawaii/Alaska Daylight Time");
  EXPECT_EQ(FormatTimeZone(-75, summer, 'G', 1), "Time Zone: +0500");
  EXPECT_EQ(FormatTimeZone(-53, summer, 'S', 0), "TZ:+0330");
  EXPECT_EQ(FormatTimeZone(-53, summer, 'L', 0), "Time Zone: +0330");
  EXPECT_EQ(FormatTimeZone(15, summer, 'L', 0), "Time Zone: -0100");
  EXPECT_EQ(FormatTimeZone(82, summer, 'S', 0), "TZ:-0530");
  EXPECT_EQ(FormatTimeZone(0, summer, 'S', 0), "TZ:+0000");
  EXPECT_EQ(FormatTimeZone(-165, summer, 'S', 0), "TZ:+1100");  // beyond the named zones
  EXPECT_EQ(FormatTimeZone(0, winter, 'g', 2), "TZ:+0000");

  Settings().daylightSavings = false;
  EXPECT_EQ(FormatTimeZone(-75, summer, 'L', 1), "Eastern Standard Time");
  Settings().intlDaylightMinutes = 60;
  EXPECT_EQ(FormatTimeZone(0, winter, 'g', 2), "TZ: +0000 +60 DS");
  EXPECT_EQ(FormatTimeZone(0, winter, 'G', 2), "Time Zone: +0000 +60 min DST");
  Settings().useGmtCorrection = kGmtStationMeridian;
  EXPECT_EQ(FormatTimeZone(-75, summer, 'L', 1), "GMT");
  Settings().useGmtCorrection = kGmtFixedOffset;
  EXPECT_EQ(FormatTimeZone(0, winter, 'g', 2), "GMT");
}

TEST_F(TimeZoneTest, NorthAmericanDaylightDaysFollowTheRuleOfTheirYear) {
  // 2006: first Sunday of April to the day before the last Sunday of October.
  EXPECT_EQ(FormatTimeZone(-75, Day(2006, 4, 1), 'S', 1), "EST");
  EXPECT_EQ(FormatTimeZone(-75, Day(2006, 4, 2), 'S', 1), "EDT");
  EXPECT_EQ(FormatTimeZone(-75, Day(2006, 10, 28), 'S', 1), "EDT");
  EXPECT_EQ(FormatTimeZone(-75, Day(2006, 10, 29), 'S', 1), "EST");
  // From 2007: second Sunday of March to the day before the first Sunday of November.
  EXPECT_EQ(FormatTimeZone(-75, Day(2025, 3, 8), 'S', 1), "EST");
  EXPECT_EQ(FormatTimeZone(-75, Day(2025, 3, 9), 'S', 1), "EDT");
  EXPECT_EQ(FormatTimeZone(-75, Day(2025, 11, 1), 'S', 1), "EDT");
  EXPECT_EQ(FormatTimeZone(-75, Day(2025, 11, 2), 'S', 1), "EST");
}

TEST_F(TimeZoneTest, DaylightOffsetsForSunAndMoon) {
  const DateRecord summer = Day(2025, 7, 1), winter = Day(2025, 1, 15);
  EXPECT_DOUBLE_EQ(DaylightOffsetDays(1, summer), 0.0416666679084301);
  EXPECT_DOUBLE_EQ(DaylightOffsetDays(1, winter), 0.0);
  EXPECT_DOUBLE_EQ(DaylightOffsetDays(0, summer), 0.0);
  EXPECT_DOUBLE_EQ(DaylightOffsetDays(2, winter), 0.0);
  Settings().intlDaylightMinutes = 90;
  EXPECT_DOUBLE_EQ(DaylightOffsetDays(2, winter), 90.0 / 1440.0);
  EXPECT_DOUBLE_EQ(DaylightOffsetDays(7, summer), 0.0);  // unknown classes only label
  Settings().daylightSavings = false;
  EXPECT_DOUBLE_EQ(DaylightOffsetDays(1, summer), 0.0);
}

TEST_F(TimeZoneTest, ShownAndStandardTimeConvertBothWays) {
  const StationZone eastern{-75, 8443};     // a NOAA station
  const StationZone ukho{0, 31500};         // the international family
  const EngineMinute noon = MinuteOf(2025, 7, 1, 12, 0);

  EXPECT_EQ(TideShownToStandard(noon, eastern, 1), noon - 60);
  EXPECT_EQ(TideShownToStandard(noon, eastern, 0), noon);
  EXPECT_EQ(CurrentShownToStandard(noon, eastern, 1), noon - 60);
  EXPECT_EQ(TideShownToStandard(noon, ukho, 0), noon);
  Settings().intlDaylightMinutes = 60;
  // The international correction applies on every date, to UKHO tides only.
  EXPECT_EQ(TideShownToStandard(noon, ukho, 0), noon - 60);
  EXPECT_EQ(TideShownToStandard(noon, eastern, 0), noon);
  EXPECT_EQ(CurrentShownToStandard(noon, ukho, 0), noon);
  // 17:00 GMT at a -75 station is 12:00 standard time in mode 3, before daylight saving.
  Settings().useGmtCorrection = kGmtStationMeridian;
  const EngineMinute five = MinuteOf(2025, 1, 15, 17, 0);
  EXPECT_EQ(TideShownToStandard(five, eastern, 0), MinuteOf(2025, 1, 15, 12, 0));
  Settings().useGmtCorrection = kGmtFixedOffset;
  Settings().gmtCorrectionHours = -5.5;
  EXPECT_EQ(TideShownToStandard(five, eastern, 0), MinuteOf(2025, 1, 15, 11, 30));

  for (uint8_t flag : {0, 1}) {
    EXPECT_EQ(TideStandardToShown(TideShownToStandard(noon, eastern, flag), eastern, flag), noon);
    EXPECT_EQ(TideStandardToShown(TideShownToStandard(noon, ukho, flag), ukho, flag), noon);
    EXPECT_EQ(CurrentStandardToShown(CurrentShownToStandard(noon, eastern, flag), eastern, flag), noon);
  }
  // Never before minute 0.
  EXPECT_EQ(TideShownToStandard(10, eastern, 1), 0u);
}

TEST_F(TimeZoneTest, DaylightHourOnlyWhereTheStationObservesIt) {
  const StationZone observes{-75, 8443, kDstNorthAmerican};
  const StationZone never{-75, 8443, kDstNone};
  const StationZone ukhoNever{0, 31500, kDstNone};
  EXPECT_EQ(TideDaylightMinutes(observes, 1), 60);
  EXPECT_EQ(TideDaylightMinutes(never, 1), 0);
  EXPECT_EQ(CurrentDaylightMinutes(observes, 1), 60);
  EXPECT_EQ(CurrentDaylightMinutes(never, 1), 0);
  const EngineMinute noon = MinuteOf(2025, 7, 1, 12, 0);
  EXPECT_EQ(TideShownToStandard(noon, never, 1), noon);
  EXPECT_EQ(CurrentStandardToShown(noon, never, 1), noon);
  // The international correction is the data family's, on every date and class.
  Settings().intlDaylightMinutes = 30;
  EXPECT_EQ(TideDaylightMinutes(ukhoNever, 0), 30);
}

TEST_F(TimeZoneTest, TypedGmtCorrectionIsClamped) {
  // A typed fixed offset beyond a week is no time zone: clamped, and 0 for not a number.
  Settings().useGmtCorrection = kGmtFixedOffset;
  Settings().gmtCorrectionHours = 1e12;
  EXPECT_EQ(GmtCorrectionMinutes(0), 10080);
  Settings().gmtCorrectionHours = -1e12;
  EXPECT_EQ(GmtCorrectionMinutes(0), -10080);
  Settings().gmtCorrectionHours = std::nan("");
  EXPECT_EQ(GmtCorrectionMinutes(0), 0);
}

TEST_F(TimeZoneTest, UtcOffsetsOfStations) {
  const EngineMinute summer = MinuteOf(2025, 7, 1), winter = MinuteOf(2025, 1, 15);
  TideLocation seattle;
  seattle.timeMeridian = -120;
  seattle.referenceId = 8443;
  seattle.observesDst = kDstNorthAmerican;
  EXPECT_EQ(StationUtcOffsetMinutes(seattle, summer), -420);
  EXPECT_EQ(StationUtcOffsetMinutes(seattle, winter), -480);
  seattle.observesDst = kDstNone;
  EXPECT_EQ(StationUtcOffsetMinutes(seattle, summer), -480);

  TideLocation newfoundland;
  newfoundland.timeMeridian = -53;  // -3.5 h
  newfoundland.referenceId = 12000;
  newfoundland.observesDst = kDstNorthAmerican;
  EXPECT_EQ(StationUtcOffsetMinutes(newfoundland, summer), -150);

  TideLocation dover;
  dover.referenceId = 31500;
  dover.observesDst = kDstInternational;
  EXPECT_EQ(StationUtcOffsetMinutes(dover, winter), 0);
  Settings().intlDaylightMinutes = 60;
  EXPECT_EQ(StationUtcOffsetMinutes(dover, winter), 60);

  // A current station's file number never selects the international correction.
  CurrentLocation current;
  current.timeMeridian = 0;
  current.referenceId = 31500;
  current.observesDst = kDstNorthAmerican;
  EXPECT_EQ(StationUtcOffsetMinutes(current, winter), 0);
  EXPECT_EQ(StationUtcOffsetMinutes(current, summer), 60);
  current.observesDst = kDstNone;
  EXPECT_EQ(StationUtcOffsetMinutes(current, summer), 0);

  // Shown GMT in mode 3: the offset is only the daylight hour.
  Settings().useGmtCorrection = kGmtStationMeridian;
  seattle.observesDst = kDstNorthAmerican;
  EXPECT_EQ(StationUtcOffsetMinutes(seattle, winter), 0);
  EXPECT_EQ(StationUtcOffsetMinutes(seattle, summer), 60);
}

TEST_F(TimeZoneTest, InternationalDaylightDialogValues) {
  EXPECT_STREQ(IntlDaylightEntryText(0), "Add 30 Minutes");
  EXPECT_STREQ(IntlDaylightEntryText(4), "Add 150 Minutes");
  EXPECT_EQ(IntlDaylightEntryText(5), nullptr);

  const IntlDaylightChoice off = IntlDaylightChoiceFromMinutes(0);
  EXPECT_FALSE(off.enabled);
  EXPECT_EQ(off.entry, 1);
  const IntlDaylightChoice odd = IntlDaylightChoiceFromMinutes(45);
  EXPECT_TRUE(odd.enabled);
  EXPECT_EQ(odd.entry, 1);
  for (int minutes : {30, 60, 90, 120, 150}) {
    const IntlDaylightChoice c = IntlDaylightChoiceFromMinutes(minutes);
    EXPECT_TRUE(c.enabled);
    EXPECT_EQ(IntlDaylightMinutesFromChoice(c), minutes);
  }
  EXPECT_EQ(IntlDaylightMinutesFromChoice({false, 3}), 0);
  EXPECT_EQ(IntlDaylightMinutesFromChoice({true, -1}), 60);
  EXPECT_EQ(IntlDaylightMinutesFromChoice({true, 3}), 120);
}

}  // namespace
}  // namespace qw
