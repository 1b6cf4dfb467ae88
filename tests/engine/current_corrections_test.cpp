// The subordinate current arithmetic on worked examples.
#include "engine/current_corrections.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "engine/data_layouts.h"
#include "engine/engine_values.h"

namespace qw {
namespace {

CurrentLocation WithTimes(int16_t sbf, int16_t flood, int16_t sbe, int16_t ebb) {
  CurrentLocation s;
  s.slackBeforeFloodTime = sbf;
  s.floodTime = flood;
  s.slackBeforeEbbTime = sbe;
  s.ebbTime = ebb;
  s.floodSpeedRatio = 100;
  return s;
}

constexpr int16_t N = kNotGiven16;

TEST(CurrentCorrectionsTest, EachCorrectionFallsBackOnTheOthers) {
  struct Case {
    int16_t sbf, flood, sbe, ebb;
    int32_t a, b, c, d;
  };
  const Case cases[] = {
      {-10, 20, 30, -40, 20, -40, -10, 30},  // all given
      {N, 25, N, N, 25, 25, 25, 25},         // only the flood time: used for all four
      {N, N, N, -15, -15, -15, -15, -15},    // only the ebb time
      {10, N, 31, N, 20, 20, 10, 31},        // only slacks: maxima take their average
      {N, 20, N, -41, 20, -41, -10, -10},    // maxima only: slacks take their average
      {12, N, N, N, 12, 12, 12, 12},         // one slack
      {N, N, 8, N, 8, 8, 8, 8},
  };
  for (const Case& k : cases) {
    const CurrentCorrections c = EffectiveCurrentCorrections(WithTimes(k.sbf, k.flood, k.sbe, k.ebb));
    EXPECT_EQ(c.flood, k.a) << k.sbf << " " << k.flood << " " << k.sbe << " " << k.ebb;
    EXPECT_EQ(c.ebb, k.b) << k.sbf << " " << k.flood << " " << k.sbe << " " << k.ebb;
    EXPECT_EQ(c.slackBeforeFlood, k.c) << k.sbf << " " << k.flood << " " << k.sbe << " " << k.ebb;
    EXPECT_EQ(c.slackBeforeEbb, k.d) << k.sbf << " " << k.flood << " " << k.sbe << " " << k.ebb;
  }
  // A harmonic station has no corrections at all.
  const CurrentCorrections none = EffectiveCurrentCorrections(CurrentLocation{});
  EXPECT_EQ(none.flood | none.ebb | none.slackBeforeFlood | none.slackBeforeEbb, 0);
}

TEST(CurrentCorrectionsTest, TheWeakerOfTwoMaximaOfOneSignIsTheMinimumBetweenThem) {
  // Flood, weaker flood, ebb: the weak one is where the current slackens before the ebb.
  EXPECT_EQ(ClassifyEventTriple('F', 'F', 'E', 3, 1, 2), 2);
  EXPECT_EQ(ClassifyEventTriple('F', 'F', 'E', 1, 3, 2), 1);  // the second flood is the stronger
  EXPECT_EQ(ClassifyEventTriple('E', 'E', 'F', 3, 1, 2), 0);
  EXPECT_EQ(ClassifyEventTriple('E', 'E', 'F', 1, 3, 2), 3);
  EXPECT_EQ(ClassifyEventTriple('F', 'E', 'E', 2, 1, 3), 2);
  EXPECT_EQ(ClassifyEventTriple('E', 'F', 'F', 2, 1, 3), 0);
  // A slack between two ebbs is still a slack before ebb.
  EXPECT_EQ(ClassifyEventTriple('E', 'S', 'E', 2, 0, 2), 2);
}

TEST(CurrentCorrectionsTest, InterpolationBetweenTwoCorrectedEvents) {
  EXPECT_EQ(SegmentPosition(100, 100, 300), 0);
  EXPECT_EQ(SegmentPosition(150, 100, 300), 2500);
  EXPECT_EQ(SegmentPosition(300, 100, 300), 10000);
  EXPECT_EQ(SegmentPosition(120, 120, 120), 0);  // an empty segment: its start

  EXPECT_EQ(InterpolatedCorrection(0, -30, 50), -30);
  EXPECT_EQ(InterpolatedCorrection(10000, -30, 50), 50);
  EXPECT_EQ(InterpolatedCorrection(5000, -30, 50), 10);
  EXPECT_EQ(InterpolatedCorrection(2500, 0, 7), 2);  // 1.75 rounded
  EXPECT_EQ(InterpolatedCorrection(2500, 0, -7), -2);
  EXPECT_EQ(InterpolatedCorrection(0, -41, -7), -41);

  std::array<int32_t, kCosineEntries> table{};
  for (int k = 0; k < kCosineEntries; ++k) table[static_cast<size_t>(k)] = ComputeCosineEntry(k);
  EXPECT_EQ(RaisedCosineWeight(0, table.data()), 0);
  EXPECT_EQ(RaisedCosineWeight(5000, table.data()), 50000);
  EXPECT_EQ(RaisedCosineWeight(10000, table.data()), 100000);
  for (int v = 0; v <= 10000; v += 625) {
    const double exact = 50000.0 * (1.0 - std::cos(std::acos(-1.0) * v / 10000.0));
    EXPECT_NEAR(RaisedCosineWeight(v, table.data()), exact, 80) << v;
  }

  EXPECT_EQ(InterpolateSpeed(2000000, -1500000, 0), 2000000);
  EXPECT_EQ(InterpolateSpeed(2000000, -1500000, 100000), -1500000);
  for (int w : {1, 12345, 50000, 77777, 99999}) {
    const double exact = 2000000 + (-1500000 - 2000000) * (w / 100000.0);
    EXPECT_NEAR(InterpolateSpeed(2000000, -1500000, w), exact, 2) << w;
    EXPECT_NEAR(InterpolateSpeed(-123457, 987651, w), -123457 + (987651 + 123457) * (w / 100000.0), 2) << w;
  }

  EXPECT_EQ(ScaleBySpeedRatio(2345678, 150), 3518505);  // 234567 x 150 / 10
  EXPECT_EQ(ScaleBySpeedRatio(-1000009, 50), -500000);
  EXPECT_EQ(ScaleBySpeedRatio(2345678, kNotGiven16), 0);
}

}  // namespace
}  // namespace qw
