#include "present/display_units.h"

#include <gtest/gtest.h>

#include <type_traits>

#include "engine/engine_values.h"

namespace qw {
namespace {

// A value goes only where its unit is expected: an engine value is not a display value,
// a height is not a speed, and a bare number must be given its unit.
static_assert(std::is_invocable_v<decltype(&TableHeightText), MicroFeet, TideUnit>);
static_assert(!std::is_invocable_v<decltype(&TableHeightText), DisplayHeight, TideUnit>);
static_assert(!std::is_invocable_v<decltype(&TableHeightText), int32_t, TideUnit>);
static_assert(std::is_invocable_v<decltype(&HeightDisplayText), DisplayHeight>);
static_assert(!std::is_invocable_v<decltype(&HeightDisplayText), MicroFeet>);
static_assert(!std::is_invocable_v<decltype(&HeightDisplayText), int32_t>);
static_assert(!std::is_invocable_v<decltype(&HeightDisplayText), DisplaySpeed>);
static_assert(!std::is_invocable_v<decltype(&SpeedDisplayText), MicroKnots>);
static_assert(!std::is_invocable_v<decltype(&HeightToDisplay), MicroKnots, TideUnit>);
static_assert(!std::is_invocable_v<decltype(&HeightToDisplay), DisplayHeight, TideUnit>);
static_assert(!std::is_invocable_v<decltype(&SpeedToDisplay), MicroFeet, CurrentUnit>);
static_assert(!std::is_convertible_v<int32_t, MicroFeet> && !std::is_convertible_v<MicroFeet, int32_t>);
static_assert(!std::is_convertible_v<MicroFeet, MicroKnots>);

TEST(DisplayUnitsTest, ConversionsTruncateAsDocumented) {
  // 7.9 ft = 7,900,000 millionths of a foot.
  EXPECT_EQ(HeightToDisplay(MicroFeet(7900000), TideUnit::Feet).raw, 7900000);
  // Metres: tenths of a foot (79) x 3048 = 240792 hundred-thousandths of a metre (2.40792 m).
  EXPECT_EQ(HeightToDisplay(MicroFeet(7900000), TideUnit::Metres).raw, 240792);
  EXPECT_EQ(HeightToDisplay(MicroFeet(7999999), TideUnit::Metres).raw, 240792);  // truncated to 7.9 ft first
  // Centimetres: thousandths of a foot (7900) x 3048 = 24079200 hundred-thousandths (240.792 cm).
  EXPECT_EQ(HeightToDisplay(MicroFeet(7900000), TideUnit::Centimetres).raw, 24079200);
  EXPECT_EQ(HeightToDisplay(MicroFeet(-1500000), TideUnit::Metres).raw, -15 * 3048);
  // Metres per second: thousandths of a knot x 514.
  EXPECT_EQ(SpeedToDisplay(MicroKnots(2500000), CurrentUnit::MetresPerSecond).raw, 2500 * 514);
  EXPECT_EQ(SpeedToDisplay(MicroKnots(-2500000), CurrentUnit::Knots).raw, -2500000);
  for (TideUnit unit : {TideUnit::Feet, TideUnit::Metres, TideUnit::Centimetres}) {
    EXPECT_EQ(HeightToDisplay(MicroFeet(kValueNotDefined), unit).raw, kValueNotDefined);
  }
  EXPECT_EQ(SpeedToDisplay(MicroKnots(kValueNotDefined), CurrentUnit::MetresPerSecond).raw, kValueNotDefined);
  // Station averages in hundredths of a foot.
  EXPECT_EQ(HundredthsFootToDisplay(790, TideUnit::Feet).raw, 7900000);
}

TEST(DisplayUnitsTest, Texts) {
  EXPECT_EQ(HeightDisplayText(DisplayHeight(7900000, TideUnit::Feet)), "7.90 ft");
  EXPECT_EQ(HeightDisplayText(DisplayHeight(-1234567, TideUnit::Feet)), "-1.23 ft");
  EXPECT_EQ(HeightDisplayText(DisplayHeight(-4999, TideUnit::Feet)), "0.00 ft");  // no "-0.00"
  EXPECT_EQ(HeightDisplayText(DisplayHeight(1995000, TideUnit::Feet)), "2.00 ft");  // carry into the whole part
  EXPECT_EQ(HeightDisplayText(DisplayHeight(240792, TideUnit::Metres)), "2.41 m");
  EXPECT_EQ(HeightDisplayText(DisplayHeight(24079200, TideUnit::Centimetres)), "241 cm");
  EXPECT_EQ(HeightDisplayText(DisplayHeight(kValueNotDefined, TideUnit::Metres)), "- - m");
  EXPECT_EQ(SpeedDisplayText(DisplaySpeed(2450000, CurrentUnit::Knots)), "2.5 kt");
  EXPECT_EQ(SpeedDisplayText(DisplaySpeed(-1230000, CurrentUnit::Knots)), "-1.2 kt");
  EXPECT_EQ(SpeedDisplayText(DisplaySpeed(1285000, CurrentUnit::MetresPerSecond)), "1.3 m/s");
  EXPECT_EQ(SpeedDisplayText(DisplaySpeed(kValueNotDefined, CurrentUnit::Knots)), "- - kt");
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
