#include "present/display_units.h"

#include <gtest/gtest.h>

#include "engine/engine_values.h"

namespace qw {
namespace {

TEST(DisplayUnitsTest, ConversionsTruncateAsDocumented) {
  // 7.9 ft = 7,900,000 millionths of a foot.
  EXPECT_EQ(HeightToDisplay(7900000, TideUnit::Feet), 7900000);
  // Metres: tenths of a foot (79) x 3048 = 240792 hundred-thousandths of a metre (2.40792 m).
  EXPECT_EQ(HeightToDisplay(7900000, TideUnit::Metres), 240792);
  EXPECT_EQ(HeightToDisplay(7999999, TideUnit::Metres), 240792);  // truncated to 7.9 ft first
  // Centimetres: thousandths of a foot (7900) x 3048 = 24079200 hundred-thousandths (240.792 cm).
  EXPECT_EQ(HeightToDisplay(7900000, TideUnit::Centimetres), 24079200);
  EXPECT_EQ(HeightToDisplay(-1500000, TideUnit::Metres), -15 * 3048);
  // Metres per second: thousandths of a knot x 514.
  EXPECT_EQ(SpeedToDisplay(2500000, CurrentUnit::MetresPerSecond), 2500 * 514);
  EXPECT_EQ(SpeedToDisplay(-2500000, CurrentUnit::Knots), -2500000);
  for (TideUnit unit : {TideUnit::Feet, TideUnit::Metres, TideUnit::Centimetres}) {
    EXPECT_EQ(HeightToDisplay(kValueNotDefined, unit), kValueNotDefined);
  }
  EXPECT_EQ(SpeedToDisplay(kValueNotDefined, CurrentUnit::MetresPerSecond), kValueNotDefined);
  // Station averages in hundredths of a foot.
  EXPECT_EQ(HundredthsFootToDisplay(790, TideUnit::Feet), 7900000);
}

TEST(DisplayUnitsTest, Texts) {
  EXPECT_EQ(HeightDisplayText(7900000, TideUnit::Feet), "7.90 ft");
  EXPECT_EQ(HeightDisplayText(-1234567, TideUnit::Feet), "-1.23 ft");
  EXPECT_EQ(HeightDisplayText(-4999, TideUnit::Feet), "0.00 ft");  // no "-0.00"
  EXPECT_EQ(HeightDisplayText(1995000, TideUnit::Feet), "2.00 ft");  // carry into the whole part
  EXPECT_EQ(HeightDisplayText(240792, TideUnit::Metres), "2.41 m");
  EXPECT_EQ(HeightDisplayText(24079200, TideUnit::Centimetres), "241 cm");
  EXPECT_EQ(HeightDisplayText(kValueNotDefined, TideUnit::Metres), "- - m");
  EXPECT_EQ(SpeedDisplayText(2450000, CurrentUnit::Knots), "2.5 kt");
  EXPECT_EQ(SpeedDisplayText(-1230000, CurrentUnit::Knots), "-1.2 kt");
  EXPECT_EQ(SpeedDisplayText(1285000, CurrentUnit::MetresPerSecond), "1.3 m/s");
  EXPECT_EQ(SpeedDisplayText(kValueNotDefined, CurrentUnit::Knots), "- - kt");
}

TEST(DisplayUnitsTest, ClockTexts) {
  EXPECT_EQ(ClockText(0, 5, TimeType::Clock12), "12:05 am");
  EXPECT_EQ(ClockText(11, 59, TimeType::Clock12), "11:59 am");
  EXPECT_EQ(ClockText(12, 0, TimeType::Clock12), "12:00 pm");
  EXPECT_EQ(ClockText(23, 7, TimeType::Clock12), "11:07 pm");
  EXPECT_EQ(ClockText(0, 5, TimeType::Clock24), "00:05");
  EXPECT_EQ(ClockText(23, 7, TimeType::Clock24), "23:07");
}

}  // namespace
}  // namespace qw
