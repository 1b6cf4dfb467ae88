#include "engine/astro_time.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qw {
namespace {

constexpr double kDeg = kDegreesToRadians;

TEST(JulianDayTest, WorkedExamplesAcrossTheCalendarReform) {
  EXPECT_DOUBLE_EQ(JulianDay(2000, 1, 1.5), 2451545.0);
  EXPECT_DOUBLE_EQ(JulianDay(1987, 1, 27.0), 2446822.5);
  EXPECT_DOUBLE_EQ(JulianDay(1987, 6, 19.5), 2446966.0);
  EXPECT_DOUBLE_EQ(JulianDay(1600, 12, 31.0), 2305812.5);
  // The Gregorian calendar starts on 15 October 1582, the day after Julian 4 October.
  EXPECT_DOUBLE_EQ(JulianDay(1582, 10, 15.0), 2299160.5);
  EXPECT_DOUBLE_EQ(JulianDay(1582, 10, 4.0), 2299159.5);
  EXPECT_DOUBLE_EQ(JulianDay(333, 1, 27.5), 1842713.0);
  EXPECT_DOUBLE_EQ(JulianCenturies(2451545.0 + 36525.0), 1.0);
}

TEST(DeltaTTest, TableInterpolationAndTheQuadraticsAroundIt) {
  // 2000.0 sits at the end of the table branch: the 1990-1992 interval extended.
  EXPECT_NEAR(DeltaTSeconds(0.0), 62.4, 1e-9);
  const double jan1 = JulianCenturies(JulianDay(2000, 1, 1.0000001));
  const double jan2 = JulianCenturies(JulianDay(2000, 1, 2.0000001));
  EXPECT_NEAR(DeltaTSeconds(jan1), 62.4, 0.01);
  EXPECT_NEAR(DeltaTSeconds(jan2), 102.3, 0.01);
  // Table values at their own years and halfway between: 1900 is -2.7 s, 1902 is 0 s.
  EXPECT_NEAR(DeltaTSeconds(-1.0), -2.7, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(-0.99), -1.35, 1e-6);
  EXPECT_NEAR(DeltaTSeconds(-3.8), 124.0, 1e-9);           // 1620, first entry
  EXPECT_NEAR(DeltaTSeconds(-10.0), 50.6 - 675.0 + 2250.0, 1e-9);  // year 1000
  EXPECT_NEAR(DeltaTSeconds(-20.0), 2715.6 - 11467.2 + 18600.0, 1e-9);  // year 0
}

TEST(SiderealTimeTest, MeanSiderealTimeAtKnownInstants) {
  EXPECT_NEAR(GreenwichMeanSiderealTime(0.0), 280.46061837 * kDeg, 1e-12);
  // 10 April 1987, 0h UT: 13h10m46.3668s.
  const double t = JulianCenturies(2446895.5);
  EXPECT_NEAR(GreenwichMeanSiderealTime(t), (13 + 10 / 60.0 + 46.3668 / 3600.0) * 15 * kDeg, 1e-8);
  // 10 April 1987, 19h21m UT: 128.7378734 degrees.
  EXPECT_NEAR(GreenwichMeanSiderealTime(JulianCenturies(2446896.30625)), 128.7378734 * kDeg, 1e-7);
}

TEST(ObliquityTest, MeanObliquityAtKnownInstants) {
  EXPECT_NEAR(MeanObliquity(0.0), (23 + 26 / 60.0 + 21.448 / 3600.0) * kDeg, 1e-12);
  // 10 April 1987, 0h TD: 23 26' 27.407".
  EXPECT_NEAR(MeanObliquity(JulianCenturies(2446895.5)), (23 + 26 / 60.0 + 27.407 / 3600.0) * kDeg, 5e-9);
}

TEST(AngleTest, NormalisationRanges) {
  for (double x : {-20.0, -kTwoPi, -1e-15, 0.0, 3.0, kTwoPi, 7.5, 1e4}) {
    const double n = NormalizeAngle(x);
    EXPECT_GE(n, 0.0) << x;
    EXPECT_LT(n, kTwoPi) << x;
    EXPECT_NEAR(std::remainder(n - x, kTwoPi), 0.0, 1e-9) << x;
    const double s = NormalizeAngleSigned(x);
    EXPECT_GE(s, -kPi) << x;
    EXPECT_LT(s, kPi) << x;
    EXPECT_NEAR(std::remainder(s - x, kTwoPi), 0.0, 1e-9) << x;
  }
  EXPECT_DOUBLE_EQ(NormalizeAngleSigned(kPi), -kPi);
}

TEST(EclipticToEquatorialTest, PolluxAndTheQuadrants) {
  // Pollux: lambda 113.215630, beta 6.684170, epsilon 23.4392911 -> alpha 116.328942,
  // delta 28.026183 (degrees).
  const EquatorialPosition p = EclipticToEquatorial(113.215630 * kDeg, 6.684170 * kDeg, 23.4392911 * kDeg);
  EXPECT_NEAR(p.rightAscension / kDeg, 116.328942, 1e-5);
  EXPECT_NEAR(p.declination / kDeg, 28.026183, 1e-5);
  // On the ecliptic the right ascension stays in the longitude's quadrant and in [0, 2pi).
  const double epsilon = 23.44 * kDeg;
  for (double lambda : {10.0, 100.0, 190.0, 280.0, 359.9}) {
    const EquatorialPosition q = EclipticToEquatorial(lambda * kDeg, 0.0, epsilon);
    EXPECT_GE(q.rightAscension, 0.0);
    EXPECT_LT(q.rightAscension, kTwoPi);
    EXPECT_EQ(static_cast<int>(q.rightAscension / (kPi / 2)), static_cast<int>(lambda / 90.0)) << lambda;
    EXPECT_NEAR(std::sin(q.declination), std::sin(epsilon) * std::sin(lambda * kDeg), 1e-12);
  }
}

}  // namespace
}  // namespace qw
