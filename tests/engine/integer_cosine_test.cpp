#include "engine/integer_cosine.h"

#include <random>
#include <vector>

#include "engine/data_writers.h"
#include "engine/held_data.h"
#include "engine/tide_height.h"
#include "tests/support/harmonic_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

std::vector<int32_t> QuarterTable() {
  std::vector<int32_t> table(kCosineEntries);
  for (int k = 0; k < kCosineEntries; ++k) table[static_cast<size_t>(k)] = ComputeCosineEntry(k);
  return table;
}

// The integer term exactly as the quadrant rules state it, on the quarter-wave table.
int64_t QuadrantTerm(const std::vector<int32_t>& T, int64_t whole, int64_t frac5, int64_t frac3, int64_t steps,
                     int64_t steps5, const HourParts& time) {
  const int64_t w = whole * time.fraction + frac5 * time.hours + frac3 * time.hundredths + steps5;
  const uint32_t k = static_cast<uint32_t>(whole * time.hours + w / 100000 + steps) % 8192;
  const int64_t wf = w % 100000;
  const uint32_t q = k / 2048, m = k % 2048;
  int64_t D, E;
  if (q == 0) {
    D = T[m];
    E = D - T[m + 1];
  } else if (q == 1) {
    D = -T[2048 - m];
    E = D + T[2047 - m];
  } else if (q == 2) {
    D = -T[m];
    E = D + T[m + 1];
  } else {
    D = T[2048 - m];
    E = D - T[2047 - m];
  }
  return D - (E * wf) / 100000;
}

TEST(IntegerCosineTest, HourPartsOnWorkedExamples) {
  const HourParts zero = SplitHours(0);
  EXPECT_EQ(zero.hours, 0);
  EXPECT_EQ(zero.fraction, 0);
  EXPECT_EQ(zero.hundredths, 0);
  const HourParts late = SplitHours(60 * 100 + 59);  // 100 h 59 min
  EXPECT_EQ(late.hours, 100);
  EXPECT_EQ(late.fraction, 98333);  // (590000 + 3) / 6
  EXPECT_EQ(late.hundredths, 98);   // (98333 + 500) / 1000
  const HourParts before = SplitHours(-90);  // 1 h 30 min before the year start
  EXPECT_EQ(before.hours, -1);
  EXPECT_EQ(before.fraction, -50000);
  EXPECT_EQ(before.hundredths, -49);  // (F + 500) / 1000, truncated toward zero
}

TEST(IntegerCosineTest, UnfoldedTableLooksUpLikeTheQuarterWave) {
  const std::vector<int32_t> quarter = QuarterTable();
  std::vector<int32_t> full(kFullCircleEntries);
  UnfoldCosineTable(quarter.data(), full.data());
  EXPECT_EQ(full[0], 1000000);
  EXPECT_EQ(full[2048], 0);
  EXPECT_EQ(full[4096], -1000000);
  EXPECT_EQ(full[6144 + 1024], 707107);
  EXPECT_EQ(full[8192], 1000000);

  std::mt19937 random(5);
  std::uniform_int_distribution<int64_t> whole(0, 8192), frac5(0, 99999), frac3(0, 1000);
  std::uniform_int_distribution<int64_t> steps(-3000, 8191), steps5(0, 100000), minutes(-500000, 800000);
  for (int i = 0; i < 200000; ++i) {
    const int64_t a = whole(random), b = frac5(random), c = frac3(random), s = steps(random), s5 = steps5(random);
    const HourParts time = SplitHours(minutes(random));
    ASSERT_EQ(TermCosine(full.data(), a, b, c, s, s5, time), QuadrantTerm(quarter, a, b, c, s, s5, time)) << i;
  }
}

class IntegerSumTest : public test::EngineTest {};

// The tide sum's vector loop gives exactly the 64-bit terms' sum, before, in and after
// the held year.
TEST_F(IntegerSumTest, TideSumEqualsTheTermByTermSum) {
  test::WriteFixtureTables(dataDir_.path().string(), 2004, 2006);
  ASSERT_TRUE(WriteHarmonicFamily(dataDir_.File("NOSWTIDE.IDX"), dataDir_.File("NOSWTIDE.DAT"),
                                  {test::FixtureStation(123)}));
  ASSERT_EQ(LoadTideHarmonics(123, 2005, 1), test::kFixtureConstituents);

  std::vector<int32_t> full(kFullCircleEntries);
  UnfoldCosineTable(CosineTable(), full.data());
  const SpeedTable& speeds = *ConstituentSpeeds();
  const int64_t yearStart = HeldYearStart();
  for (int64_t m = yearStart - 3000; m < yearStart + 700000; m += 61) {
    const HourParts time = SplitHours(m - yearStart);
    int64_t sum = HeldMeanLevelMicroFeet();
    for (const PreparedConstituent& c : PreparedConstituents()) {
      const int64_t value = TermCosine(full.data(), speeds.stepsWhole[c.index], speeds.stepsFrac5[c.index],
                                       speeds.stepsFrac3[c.index], c.phaseSteps, c.phaseSteps5, time);
      sum += (value * c.amplitudeMilli) / 1000 + value * c.amplitudeWhole;
    }
    ASSERT_EQ(HarmonicSumAt(m, 'i'), sum) << m;
  }
}

}  // namespace
}  // namespace qw
