// Station clocks: the offset at each instant, the civil date's span on the days the clocks
// change, shown times back to instants, and the rules for stations without a zone and
// for the GMT options.
#include "engine/station_clock.h"

#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "engine/engine_settings.h"
#include "engine/station_sources.h"
#include "engine/time_zone.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

// The standard minute of a UTC time at a station `meridianMinutes` east.
EngineMinute StandardOfUtc(const StationClock& clock, int y, int mo, int d, int h, int mi) {
  return clock.StandardOfUtc(MinuteOf(y, mo, d, h, mi));
}

class StationClockTest : public test::EngineTest {};

TEST_F(StationClockTest, TheZoneDecidesTheOffsetAtEachInstant) {
  const StationClock brest(15, kDstInternational, "Europe/Paris");
  ASSERT_EQ(brest.basis(), ClockBasis::Zone);
  EXPECT_EQ(brest.zoneName(), "Europe/Paris");
  EXPECT_EQ(brest.standardOffsetMinutes(), 60);
  // 2026-03-29: the clocks go from 02:00 to 03:00 at 01:00 UTC.
  const EngineMinute before = StandardOfUtc(brest, 2026, 3, 29, 0, 59);
  const EngineMinute after = before + 1;
  EXPECT_EQ(brest.At(before).shown, MinuteOf(2026, 3, 29, 1, 59));
  EXPECT_EQ(brest.At(before).utcOffsetMinutes, 60);
  EXPECT_EQ(brest.At(after).shown, MinuteOf(2026, 3, 29, 3, 0));
  EXPECT_EQ(brest.At(after).utcOffsetMinutes, 120);
  EXPECT_EQ(brest.AbbreviationAt(before), "CET");
  EXPECT_EQ(brest.AbbreviationAt(after), "CEST");
  EXPECT_FALSE(brest.DaylightAt(before));
  EXPECT_TRUE(brest.DaylightAt(after));
  // New Zealand's summer is January.
  const StationClock auckland(180, kDstInternational, "Pacific/Auckland");
  EXPECT_EQ(auckland.OffsetAt(StandardOfUtc(auckland, 2026, 1, 10, 0, 0)), 780);
  EXPECT_EQ(auckland.OffsetAt(StandardOfUtc(auckland, 2026, 7, 10, 0, 0)), 720);
}

TEST_F(StationClockTest, CivilDatesLastTwentyThreeOrTwentyFiveHoursWhenTheClocksChange) {
  const StationClock sf(-120, kDstNorthAmerican, "America/Los_Angeles");
  EXPECT_EQ(sf.Day(MinuteOf(2025, 3, 8)).Minutes(), 1440u);
  const CivilDaySpan spring = sf.Day(MinuteOf(2025, 3, 9, 17, 30));
  EXPECT_EQ(spring.date, MinuteOf(2025, 3, 9));
  EXPECT_EQ(spring.Minutes(), 1380u);
  EXPECT_EQ(sf.ShownAt(spring.standardStart), MinuteOf(2025, 3, 9));
  const CivilDaySpan fall = sf.Day(MinuteOf(2025, 11, 2));
  EXPECT_EQ(fall.Minutes(), 1500u);
  EXPECT_EQ(fall.standardEnd, sf.Day(MinuteOf(2025, 11, 3)).standardStart);
  // The rules of 1974 (daylight saving from 6 January) and of 2006 and 2007.
  EXPECT_EQ(sf.Day(MinuteOf(1974, 1, 6)).Minutes(), 1380u);
  EXPECT_EQ(sf.Day(MinuteOf(2006, 4, 2)).Minutes(), 1380u);
  EXPECT_EQ(sf.Day(MinuteOf(2006, 10, 29)).Minutes(), 1500u);
  EXPECT_EQ(sf.Day(MinuteOf(2007, 3, 11)).Minutes(), 1380u);
  EXPECT_EQ(sf.Day(MinuteOf(2007, 11, 4)).Minutes(), 1500u);
  EXPECT_EQ(sf.Day(MinuteOf(2007, 4, 1)).Minutes(), 1440u);

  // Cuba springs forward at midnight: its date starts at 01:00.
  const StationClock havana(-75, kDstNorthAmerican, "America/Havana");
  const CivilDaySpan midnight = havana.Day(MinuteOf(2025, 3, 9));
  EXPECT_EQ(midnight.Minutes(), 1380u);
  EXPECT_EQ(havana.ShownAt(midnight.standardStart), MinuteOf(2025, 3, 9, 1, 0));
  // Samoa skipped 30 December 2011 crossing the date line.
  const StationClock apia(195, kDstNone, "Pacific/Apia");
  EXPECT_EQ(apia.Day(MinuteOf(2011, 12, 30)).Minutes(), 0u);
  EXPECT_EQ(apia.Day(MinuteOf(2011, 12, 29)).Minutes(), 1440u);
}

TEST_F(StationClockTest, ShownTimesBackToInstants) {
  const StationClock sf(-120, kDstNorthAmerican, "America/Los_Angeles");
  // 01:30 on 2 November 2025 happens twice, first in daylight time.
  const EngineMinute first = sf.StandardAt(MinuteOf(2025, 11, 2, 1, 30));
  const EngineMinute second = sf.StandardAt(MinuteOf(2025, 11, 2, 1, 30), true);
  EXPECT_EQ(second - first, 60u);
  EXPECT_EQ(sf.OffsetAt(first), -420);
  EXPECT_EQ(sf.OffsetAt(second), -480);
  // 02:30 on 9 March 2025 never happens: the first instant after the gap, 03:00.
  EXPECT_EQ(sf.At(sf.StandardAt(MinuteOf(2025, 3, 9, 2, 30))).shown, MinuteOf(2025, 3, 9, 3, 0));
  // Round trips on an ordinary day.
  for (EngineMinute m = MinuteOf(2025, 6, 1); m < MinuteOf(2025, 6, 2); m += 97) {
    EXPECT_EQ(sf.ShownAt(sf.StandardAt(m)), m);
  }
}

TEST_F(StationClockTest, ChathamKeepsItsQuarterHourThoughItsRecordSaysTwelveFortySix) {
  // The stored meridian 191 stands for 191.5 degrees: +12:46, the record's standard time.
  const StationClock chatham(191, kDstInternational, "Pacific/Chatham");
  EXPECT_EQ(chatham.standardOffsetMinutes(), 766);
  const EngineMinute instant = StandardOfUtc(chatham, 2026, 7, 1, 0, 0);
  EXPECT_EQ(chatham.At(instant).utcOffsetMinutes, 765);
  EXPECT_EQ(chatham.At(instant).shown, MinuteOf(2026, 7, 1, 12, 45));
  EXPECT_EQ(chatham.OffsetAt(StandardOfUtc(chatham, 2026, 1, 1, 0, 0)), 825);
}

TEST_F(StationClockTest, StandardTimeAllYearIsTheZonesStandardTime) {
  Settings().daylightSavings = false;
  const StationClock ny(-75, kDstNorthAmerican, "America/New_York");
  const EngineMinute july = StandardOfUtc(ny, 2025, 7, 1, 12, 0);
  EXPECT_EQ(ny.OffsetAt(july), -300);
  EXPECT_EQ(ny.AbbreviationAt(july), "EST");
  EXPECT_EQ(ny.Day(MinuteOf(2025, 3, 9)).Minutes(), 1440u);
  const StationClock dublin(0, kDstInternational, "Europe/Dublin");
  EXPECT_EQ(dublin.OffsetAt(StandardOfUtc(dublin, 2025, 7, 1, 12, 0)), 0);
  EXPECT_FALSE(dublin.DaylightAt(StandardOfUtc(dublin, 2025, 7, 1, 12, 0)));
}

TEST_F(StationClockTest, WithoutAKnownZoneTheRecordsRuleHolds) {
  // Class 1: the North American whole-day rule, changing at midnight standard time.
  const StationClock custom(-120, kDstNorthAmerican, "");
  EXPECT_EQ(custom.basis(), ClockBasis::Meridian);
  EXPECT_EQ(StationClock(-120, kDstNorthAmerican, "Nowhere/Atlantis").basis(), ClockBasis::Meridian);
  EXPECT_EQ(custom.OffsetAt(MinuteOf(2025, 3, 8, 23, 59)), -480);
  EXPECT_EQ(custom.OffsetAt(MinuteOf(2025, 3, 9, 0, 0)), -420);
  EXPECT_EQ(custom.Day(MinuteOf(2025, 3, 9)).Minutes(), 1380u);
  EXPECT_EQ(custom.Day(MinuteOf(2025, 11, 2)).Minutes(), 1500u);
  EXPECT_EQ(custom.AbbreviationAt(MinuteOf(2025, 7, 1)), "PDT");
  // Class 2: the international correction all year; class 0: the meridian.
  Settings().intlDaylightMinutes = 60;
  EXPECT_EQ(StationClock(0, kDstInternational, "").OffsetAt(MinuteOf(2025, 1, 15)), 60);
  EXPECT_EQ(StationClock(0, kDstNone, "").OffsetAt(MinuteOf(2025, 7, 15)), 0);
  // The international correction never moves a station whose zone is known.
  EXPECT_EQ(StationClock(0, kDstInternational, "Europe/London").OffsetAt(MinuteOf(2025, 1, 15)), 0);
  // Standard time all year.
  Settings().daylightSavings = false;
  EXPECT_EQ(StationClock(-120, kDstNorthAmerican, "").OffsetAt(MinuteOf(2025, 7, 1)), -480);
}

TEST_F(StationClockTest, GmtOptionsShowOneFixedOffset) {
  Settings().useGmtCorrection = kGmtStationMeridian;
  const StationClock sf(-120, kDstNorthAmerican, "America/Los_Angeles");
  EXPECT_EQ(sf.basis(), ClockBasis::Gmt);
  EXPECT_EQ(sf.OffsetAt(MinuteOf(2025, 7, 1)), 0);
  EXPECT_EQ(sf.ShownAt(MinuteOf(2025, 7, 1, 5, 0)), MinuteOf(2025, 7, 1, 13, 0));
  EXPECT_EQ(sf.AbbreviationAt(MinuteOf(2025, 7, 1)), "GMT");
  EXPECT_EQ(sf.Day(MinuteOf(2025, 3, 9)).Minutes(), 1440u);
  // Option 2: shown time + GMTCorrection hours = the station's standard time.
  Settings().useGmtCorrection = kGmtFixedOffset;
  Settings().gmtCorrectionHours = -8.0;
  EXPECT_EQ(StationClock(-120, kDstNorthAmerican, "").OffsetAt(MinuteOf(2025, 7, 1)), 0);
  Settings().gmtCorrectionHours = -5.5;
  EXPECT_EQ(StationClock(-120, kDstNorthAmerican, "").OffsetAt(MinuteOf(2025, 7, 1)), -150);
}

TEST_F(StationClockTest, TodayIsTheDateAtTheStation) {
  const StationClock auckland(180, kDstInternational, "Pacific/Auckland");
  const StationClock honolulu(-150, kDstNone, "Pacific/Honolulu");
  const int64_t noonUtc = 1768046400;  // 2026-01-10 12:00 UTC
  EXPECT_EQ(auckland.DateAt(noonUtc), MinuteOf(2026, 1, 11));
  EXPECT_EQ(honolulu.DateAt(noonUtc), MinuteOf(2026, 1, 10));
  EXPECT_EQ(honolulu.DateAt(noonUtc - 12 * 3600 - 60), MinuteOf(2026, 1, 9));
}

TEST_F(StationClockTest, ZonesComeFromTheCatalogueOrTheReferenceStation) {
  StationSources sources;
  ASSERT_TRUE(sources.Parse("kind,region,index,station_id,source,source_id,time_zone,licence,attribution,added\n"
                            "T,4,50,367,NOAA,9414290,America/Los_Angeles,public domain,NOAA,x\n"
                            "T,32,15,35016,TICON,brest,Europe/Paris,CC BY 4.0,TICON,y\n"));
  EXPECT_EQ(sources.size(), 2u);  // a column added at the end is passed over
  EXPECT_EQ(ClockZoneName(&sources, 'T', 4, 50, 367, -120), "America/Los_Angeles");
  // A custom location (region 99) takes its reference station's zone when it keeps that
  // zone's standard time, and none otherwise.
  EXPECT_EQ(ClockZoneName(&sources, 'T', 99, 0, 367, -120), "America/Los_Angeles");
  EXPECT_EQ(ClockZoneName(&sources, 'T', 99, 0, 367, -105), "");
  EXPECT_EQ(ClockZoneName(&sources, 'C', 99, 0, 367, -120), "");
  EXPECT_EQ(ClockZoneName(&sources, 'T', 99, 1, 12, -120), "");
  EXPECT_EQ(ClockZoneName(nullptr, 'T', 4, 50, 367, -120), "");
}

}  // namespace
}  // namespace qw
