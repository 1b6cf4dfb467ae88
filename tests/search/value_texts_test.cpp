// Heights, speeds, times and durations as the result rows and export records write them.
#include "search/value_texts.h"

#include <gtest/gtest.h>

#include "engine/calendar.h"

namespace qw {
namespace {

TEST(ValueTextsTest, FeetRoundHalfUpAtTheLastDigitWithCarry) {
  EXPECT_EQ(HeightText(MicroFeet(4960000), 0, TideUnit::Feet), "5.0");
  EXPECT_EQ(HeightText(MicroFeet(4949999), 0, TideUnit::Feet), "4.9");
  EXPECT_EQ(HeightText(MicroFeet(9950000), kValueTextUnit, TideUnit::Feet), "10.0 ft");
  EXPECT_EQ(HeightText(MicroFeet(-1250000), 0, TideUnit::Feet), "-1.3");
  EXPECT_EQ(HeightText(MicroFeet(-1234567), kValueTextHundredths, TideUnit::Feet), "-1.23");
  EXPECT_EQ(HeightText(MicroFeet(5995000), kValueTextHundredths | kValueTextUnit, TideUnit::Feet), "6.00 ft");
  EXPECT_EQ(HeightText(MicroFeet(kValueNotDefined), kValueTextUnit, TideUnit::Feet), "- -");
}

TEST(ValueTextsTest, MetricHeightsTruncateBeforeTheProgramsConversion) {
  // 5.0 ft: trunc(5000000 / 1000) x 3048 = 15,240,000 hundred-thousandths of a cm.
  EXPECT_EQ(HeightText(MicroFeet(5000000), kValueTextUnit, TideUnit::Centimetres), "152 cm");
  EXPECT_EQ(HeightText(MicroFeet(5000000), kValueTextHundredths, TideUnit::Centimetres), "152.40");
  // 5.0 ft in metres: trunc(5000000 / 100000) x 3048 = 152,400 -> 1.52 m.
  EXPECT_EQ(HeightText(MicroFeet(5000000), kValueTextUnit, TideUnit::Metres), "1.52 m");
  // The last 0.09999 ft is dropped before the metres conversion: 5.09999 ft reads 1.52.
  EXPECT_EQ(HeightText(MicroFeet(5099999), 0, TideUnit::Metres), "1.52");
  EXPECT_EQ(HeightText(MicroFeet(-2000000), 0, TideUnit::Metres), "-0.61");
  EXPECT_EQ(HeightText(MicroFeet(-2000000), 0, TideUnit::Centimetres), "-61");
}

TEST(ValueTextsTest, SpeedsLoseTheirSign) {
  EXPECT_EQ(SpeedText(MicroKnots(-2340000), kValueTextUnit, CurrentUnit::Knots), "2.3 kt");
  EXPECT_EQ(SpeedText(MicroKnots(2350000), kValueTextHundredths, CurrentUnit::Knots), "2.35");
  // 2.0 kt: trunc(2000000 / 1000) x 514 = 1,028,000 millionths -> 1.0 m/s, 1.03 with hundredths.
  EXPECT_EQ(SpeedText(MicroKnots(2000000), kValueTextUnit, CurrentUnit::MetresPerSecond), "1.0 m/s");
  EXPECT_EQ(SpeedText(MicroKnots(-2000000), kValueTextHundredths, CurrentUnit::MetresPerSecond), "1.03");
  EXPECT_EQ(SpeedText(MicroKnots(kValueNotDefined), 0, CurrentUnit::Knots), "- -");
}

TEST(ValueTextsTest, ClockTexts) {
  EXPECT_EQ(TimeText(0, 5, TimeType::Clock12), "12:05a");
  EXPECT_EQ(TimeText(9, 30, TimeType::Clock12), " 9:30a");
  EXPECT_EQ(TimeText(12, 0, TimeType::Clock12), "12:00p");
  EXPECT_EQ(TimeText(23, 59, TimeType::Clock12), "11:59p");
  EXPECT_EQ(TimeText(7, 4, TimeType::Clock24), "07:04");
}

TEST(ValueTextsTest, EventTimesDurationsAndLongDates) {
  // 6 March 1995 was a Monday.
  EXPECT_EQ(EventTimeText(MinuteOf(1995, 3, 6, 9, 30), -480, TimeType::Clock12), "Mon, 03-06-1995  9:30a -08:00");
  EXPECT_EQ(EventTimeText(MinuteOf(2005, 12, 31, 18, 2), 345, TimeType::Clock24), "Sat, 12-31-2005 18:02 +05:45");
  EXPECT_EQ(DurationText(42), " 42 min");
  EXPECT_EQ(DurationText(60), " 1 hr 0 min");
  EXPECT_EQ(DurationText(1439), " 23 hr 59 min");
  EXPECT_EQ(DurationText(1440 * 2 + 61), " 2 days, 1 hr 1 min");
  EXPECT_EQ(LongDateText(MinuteOf(1995, 3, 5)), "March 5, 1995");
}

}  // namespace
}  // namespace qw
