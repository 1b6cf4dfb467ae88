// The combination of direction groups into one current, the sign rule and the two
// transforms, on worked examples.
#include "engine/current_components.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "engine/data_layouts.h"

namespace qw {
namespace {

std::array<int32_t, kCosineEntries> Table() {
  std::array<int32_t, kCosineEntries> t{};
  for (int k = 0; k < kCosineEntries; ++k) t[static_cast<size_t>(k)] = ComputeCosineEntry(k);
  return t;
}

TEST(CurrentComponentsTest, EbbHalfPlaneIncludesItsStartAndExcludesItsEnd) {
  // Ebb towards 180: 90 is the inclusive start, 270 the exclusive end.
  EXPECT_TRUE(IsEbbDirection(90, 180));
  EXPECT_TRUE(IsEbbDirection(269, 180));
  EXPECT_FALSE(IsEbbDirection(270, 180));
  EXPECT_FALSE(IsEbbDirection(89, 180));
  // A half plane across north: ebb towards 10 covers 280..359 and 0..99.
  EXPECT_TRUE(IsEbbDirection(280, 10));
  EXPECT_TRUE(IsEbbDirection(0, 10));
  EXPECT_TRUE(IsEbbDirection(99, 10));
  EXPECT_FALSE(IsEbbDirection(100, 10));
  EXPECT_FALSE(IsEbbDirection(279, 10));
}

TEST(CurrentComponentsTest, StrongCurrentCompressionAndHydraulicRoot) {
  EXPECT_DOUBLE_EQ(CompressStrongCurrentKnots(13.0), 9.6);
  EXPECT_NEAR(CompressStrongCurrentKnots(10.25), 8.575, 1e-12);
  EXPECT_DOUBLE_EQ(CompressStrongCurrentKnots(7.0), 7.0);
  EXPECT_NEAR(CompressStrongCurrentKnots(-10.25), -8.575, 1e-12);
  EXPECT_DOUBLE_EQ(CompressStrongCurrentKnots(-20.0), -9.6);
  // Continuous at both ends of the compressed band.
  EXPECT_NEAR(CompressStrongCurrentKnots(12.9499999), 9.6, 1e-6);
  EXPECT_NEAR(CompressStrongCurrentKnots(7.5500001), 7.55, 1e-6);

  EXPECT_DOUBLE_EQ(HydraulicRootKnots(4.0), 2.0);
  EXPECT_DOUBLE_EQ(HydraulicRootKnots(-0.25), -0.5);
  EXPECT_DOUBLE_EQ(HydraulicRootKnots(0.0), 0.0);
  EXPECT_EQ(HydraulicRootMicroKnots(4000000), 2000000);
  EXPECT_EQ(HydraulicRootMicroKnots(-250000), -500000);
}

TEST(CurrentComponentsTest, OneGroupKeepsItsSignAndGivesWholeDegrees) {
  const auto table = Table();
  const int16_t axis[] = {450};  // tenths of a degree
  const double flood[] = {1.25};
  CombinedCurrent c = CombineCurrentComponentsReal(flood, axis, 1, 225);
  EXPECT_EQ(c.speedMicroKnots, 1250000);
  EXPECT_EQ(c.directionDegrees, 45);
  // An ebb along the axis is negative whatever the ebb direction says, and points the ebb way.
  const int32_t ebb[] = {-800000};
  c = CombineCurrentComponentsInt(ebb, axis, 1, 230, table.data());
  EXPECT_EQ(c.speedMicroKnots, -800000);
  EXPECT_EQ(c.directionDegrees, 230);
  // Without a usable ebb direction the axis is reversed.
  c = CombineCurrentComponentsInt(ebb, axis, 1, -1, table.data());
  EXPECT_EQ(c.directionDegrees, 225);
}

TEST(CurrentComponentsTest, TwoAxesGiveTheResultantSignedByTheEbbRule) {
  const auto table = Table();
  const int16_t axes[] = {0, 900};
  // 1 knot north and 1 knot east: 1.414 knots towards 45; an ebb direction of 45 makes it ebb.
  const double real[] = {1.0, 1.0};
  const int32_t micro[] = {1000000, 1000000};
  for (int16_t ebb : {int16_t{225}, int16_t{45}}) {
    const CombinedCurrent r = CombineCurrentComponentsReal(real, axes, 2, ebb);
    const CombinedCurrent i = CombineCurrentComponentsInt(micro, axes, 2, ebb, table.data());
    const int32_t expected = ebb == 45 ? -1414213 : 1414213;
    EXPECT_NEAR(r.speedMicroKnots, expected, 1);
    EXPECT_NEAR(i.speedMicroKnots, expected, 1);
    EXPECT_EQ(r.directionDegrees, 45);
    EXPECT_EQ(i.directionDegrees, 45);
  }
  // A total exactly zero on one axis: the other axis's direction, signed by the rule.
  const double south[] = {-1.2, 0.0};
  CombinedCurrent c = CombineCurrentComponentsReal(south, axes, 2, 180);
  EXPECT_EQ(c.directionDegrees, 180);
  EXPECT_EQ(c.speedMicroKnots, -1200000);
  const double west[] = {0.0, -0.7};
  c = CombineCurrentComponentsReal(west, axes, 2, 180);
  EXPECT_EQ(c.directionDegrees, 270);
  EXPECT_EQ(c.speedMicroKnots, 700000);  // 270 is just outside the ebb half plane 90..269
}

TEST(CurrentComponentsTest, IntegerAndFloatingCombinersAgreeOnOddAxes) {
  const auto table = Table();
  const int16_t axes[] = {123, 2071, 3333, 1805};
  const double real[] = {0.8, -1.3, 0.45, 2.2};
  const int32_t micro[] = {800000, -1300000, 450000, 2200000};
  double north = 0, east = 0;
  for (int i = 0; i < 4; ++i) {
    const double a = axes[i] / 10.0 * std::acos(-1.0) / 180.0;
    north += real[i] * std::cos(a);
    east += real[i] * std::sin(a);
  }
  const double magnitude = std::hypot(north, east);
  double direction = std::atan2(east, north) * 180.0 / std::acos(-1.0);
  if (direction < 0) direction += 360;
  const int16_t ebb = 300;
  const bool ebbing = IsEbbDirection(static_cast<int>(std::lround(direction)) % 360, ebb);
  const CombinedCurrent r = CombineCurrentComponentsReal(real, axes, 4, ebb);
  const CombinedCurrent i = CombineCurrentComponentsInt(micro, axes, 4, ebb, table.data());
  const double expected = (ebbing ? -magnitude : magnitude) * 1e6;
  EXPECT_NEAR(r.speedMicroKnots, expected, 2);
  EXPECT_NEAR(i.speedMicroKnots, expected, 2000);  // table cosines, sums cut to 10 millionths
  EXPECT_NEAR(r.directionDegrees, direction, 0.51);
  EXPECT_NEAR(i.directionDegrees, direction, 1.0);
}

}  // namespace
}  // namespace qw
