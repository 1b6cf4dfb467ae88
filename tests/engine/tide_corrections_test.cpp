#include "engine/tide_corrections.h"

#include "tests/support/test_support.h"

namespace qw {
namespace {

TEST(TideCorrectionsTest, WhichFieldsMakeAStationSubordinate) {
  TideLocation s;
  s.highHeightRatio = 90;
  s.lowHeightRatio = 110;
  EXPECT_FALSE(HasTideCorrections(s));  // ratios alone do not count
  EXPECT_FALSE(TideCorrectionsOf(s).active);
  EXPECT_EQ(TideCorrectionsOf(s).highRatio, 0);
  s.lowHeightDiff = kNotGiven16;
  EXPECT_TRUE(HasTideCorrections(s));  // "not given" counts as nonzero
}

TEST(TideCorrectionsTest, TimeOffsetsFallBackOnEachOther) {
  TideLocation s;
  s.highTimeOffset = 30;
  s.lowTimeOffset = -15;
  TideCorrections c = TideCorrectionsOf(s);
  EXPECT_EQ(c.highMinutes, 30);
  EXPECT_EQ(c.lowMinutes, -15);
  s.lowTimeOffset = kNotGiven16;
  c = TideCorrectionsOf(s);
  EXPECT_EQ(c.lowMinutes, 30);
  s.highTimeOffset = kNotGiven16;
  s.lowHeightDiff = 5;
  c = TideCorrectionsOf(s);
  EXPECT_EQ(c.highMinutes, 0);
  EXPECT_EQ(c.lowMinutes, 0);
  EXPECT_EQ(c.lowDiff, 5);
}

TEST(TideCorrectionsTest, CorrectedHeightsTruncateAsPrescribed) {
  TideLocation s;
  s.highTimeOffset = 1;
  s.highHeightRatio = 95;
  s.highHeightDiff = 12;
  s.lowHeightRatio = 110;
  s.lowHeightDiff = -5;
  TideCorrections c = TideCorrectionsOf(s);
  // (5123457 / 10) x 95 / 10 = 4867277 (truncated), + 12 x 10000
  EXPECT_EQ(CorrectHighWater(c, 5123457), 4987277);
  // (-1234567 / 10) x 110 / 10 = -1358016 (toward zero), - 5 x 10000
  EXPECT_EQ(CorrectLowWater(c, -1234567), -1408016);
  // A ratio that is not given counts as 0: only the difference is left.
  s.highHeightRatio = kNotGiven16;
  EXPECT_EQ(CorrectHighWater(TideCorrectionsOf(s), 5123457), 120000);
  // Absurd ratios cannot overflow into the reserved values.
  s.highHeightRatio = 32000;
  EXPECT_LT(CorrectHighWater(TideCorrectionsOf(s), 2000000000), kValueFailed);
}

TEST(TideCorrectionsTest, NotDefinedWhenANeededCorrectionIsMissing) {
  TideLocation s;
  EXPECT_FALSE(TideValueNotDefined(s));
  s.lowHeightDiff = kNotGiven16;
  EXPECT_TRUE(TideValueNotDefined(s));
  s = TideLocation{};
  s.lowHeightRatio = kNotGiven16;  // the time still gives the low water
  EXPECT_FALSE(TideValueNotDefined(s));
  s.lowTimeOffset = kNotGiven16;
  EXPECT_TRUE(TideValueNotDefined(s));
  s = TideLocation{};
  s.highHeightRatio = kNotGiven16;
  s.highTimeOffset = kNotGiven16;
  EXPECT_TRUE(TideValueNotDefined(s));
}

TEST(TideCorrectionsTest, MappingBetweenExtremesIsProportional) {
  // Falling: a quarter of the way down from 10 ft to 0 ft, onto 12 ft .. 1 ft.
  EXPECT_EQ(MapBetweenExtremes(7500000, 10000000, 0, 12000000, 1000000), 9250000);
  EXPECT_EQ(MapBetweenExtremes(10000000, 10000000, 0, 12000000, 1000000), 12000000);
  EXPECT_EQ(MapBetweenExtremes(0, 10000000, 0, 12000000, 1000000), 1000000);
  // Rising: the prescribed rounding leaves one millionth of a foot here.
  EXPECT_EQ(MapBetweenExtremes(2500000, 0, 10000000, 1000000, 12000000), 3749999);
  // Beyond the reference extremes the mapping extends the same straight line (with the
  // same rounding toward zero).
  EXPECT_EQ(MapBetweenExtremes(11000000, 10000000, 0, 12000000, 1000000), 13099999);
}

}  // namespace
}  // namespace qw
