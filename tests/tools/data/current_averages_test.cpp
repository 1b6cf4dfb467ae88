#include "tools/data/current_averages.h"

#include <gtest/gtest.h>

namespace qw::data {
namespace {

// A table of M2 and K1 over the epoch with f = 1 and V0 + u = 0, and a file of them.
struct Fixture {
  ConstituentTable table;
  SlotOrder slots;
  CurrentHarmonicFile file;

  Fixture(double m2Knots, double k1Knots, double meanKnots) {
    table.firstYear = kAverageEpochFirstYear;
    table.yearCount = kAverageEpochLastYear - kAverageEpochFirstYear + 1;
    for (auto [name, speed] : {std::pair{"M2", 28.9841042}, {"K1", 15.0410686}}) {
      table.constituents.push_back({name, speed, std::vector<double>(table.yearCount, 0.0),
                                    std::vector<double>(table.yearCount, 1.0)});
    }
    slots.slotToTable = {0, 1};
    slots.tableToSlot = {0, 1};
    file.meanCurrentMicroKnots = static_cast<int32_t>(meanKnots * 1e6);
    file.records.push_back({0, static_cast<int32_t>(m2Knots * 1000), 0, 900});
    if (k1Knots > 0) file.records.push_back({1, static_cast<int32_t>(k1Knots * 1000), 300, 900});
  }
  CurrentAverages Averages() const { return ComputeCurrentAverages(file, table, slots); }
};

TEST(CurrentAverages, ReversingCurrentHasItsPeaksAndZeroMinimums) {
  const CurrentAverages a = Fixture(2.0, 0, 0.5).Averages();
  ASSERT_TRUE(a.hasFlood && a.hasEbb && a.hasMinBeforeFlood && a.hasMinBeforeEbb);
  EXPECT_NEAR(a.floodKnots, 2.5, 1e-4);
  EXPECT_NEAR(a.ebbKnots, 1.5, 1e-4);
  EXPECT_EQ(a.minBeforeFloodKnots, 0);
  EXPECT_EQ(a.minBeforeEbbKnots, 0);
}

// With a diurnal inequality the peaks differ; their mean is M2's peak about the mean
// flow (K1 adds as much to one flood as it takes from the next, on average).
TEST(CurrentAverages, MixedCurrentAveragesItsUnequalPeaks) {
  const CurrentAverages a = Fixture(2.0, 0.8, 0.0).Averages();
  EXPECT_NEAR(a.floodKnots, 2.0, 0.05);
  EXPECT_NEAR(a.ebbKnots, 2.0, 0.05);
}

// A river current that never floods: no flood average and no minimum before one; the
// weakening between its ebbs is the minimum before ebb... of which there is none either,
// as no flood precedes an ebb.
TEST(CurrentAverages, CurrentThatNeverFloodsGivesNoFloodFigures) {
  const CurrentAverages a = Fixture(1.0, 0, -3.0).Averages();
  EXPECT_FALSE(a.hasFlood);
  EXPECT_FALSE(a.hasMinBeforeFlood);
  EXPECT_FALSE(a.hasMinBeforeEbb);
  ASSERT_TRUE(a.hasEbb);
  EXPECT_NEAR(a.ebbKnots, 4.0, 1e-4);
}

}  // namespace
}  // namespace qw::data
