#include "tools/data/constituent_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/tools/data/data_files.h"

namespace qw::data {
namespace {

double AngleDifference(double a, double b) {
  double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180.0 ? 360.0 - d : d;
}

// The constituents the builder computes itself come from the predictor package's formulas;
// where that package and XTide's table both define a constituent, they must agree, which
// also pins down the table's conventions: V0 + u at 1 January 00:00 UTC, u and f mid-year.
TEST(ConstituentTable, PredictorFormulasAgreeWithTheXtideTable) {
  QW_REQUIRE_BUILT_DATA();
  ConstituentTable table;
  std::vector<PredictorConstituent> computed;
  std::string error;
  ASSERT_TRUE(ReadConstituentTable(QW_TEST_XTIDE_TABLE, table, error)) << error;
  ASSERT_TRUE(ReadPredictorConstituents(QW_TEST_EXTRA_CONSTITUENTS, computed, error)) << error;
  int checked = 0;
  for (const PredictorConstituent& c : computed) {
    if (c.extra) continue;
    const int index = MatchConstituent(table, {c.name, c.name, c.values.speedDegreesPerHour, 1.0, 0.0});
    ASSERT_GE(index, 0) << c.name;
    EXPECT_NEAR(table.constituents[index].speedDegreesPerHour, c.values.speedDegreesPerHour, 1e-6) << c.name;
    // The two sources' astronomical polynomials drift apart slowly away from 2000.
    double worstAngle = 0, worstCentralAngle = 0, worstFactor = 0;
    for (int year = 1900; year <= 2100; ++year) {
      const size_t k = static_cast<size_t>(year - c.firstYear);
      const double angle = AngleDifference(table.Equilibrium(index, year), c.values.equilibrium[k]);
      worstAngle = std::max(worstAngle, angle);
      if (year >= 1950 && year <= 2050) worstCentralAngle = std::max(worstCentralAngle, angle);
      worstFactor = std::max(worstFactor, std::fabs(table.NodeFactor(index, year) - c.values.nodeFactor[k]));
    }
    // Angles of higher species are multiples of the basic ones, and so are their errors.
    const double species = std::max(1.0, std::round(c.values.speedDegreesPerHour / 15.0));
    EXPECT_LT(worstCentralAngle, 0.12 * species) << c.name;
    EXPECT_LT(worstAngle, 0.2 * species) << c.name;
    EXPECT_LT(worstFactor, 0.002) << c.name;
    ++checked;
  }
  EXPECT_GE(checked, 10);
}

ConstituentTable SmallTable() {
  ConstituentTable table;
  table.firstYear = 2000;
  table.yearCount = 1;
  for (auto [name, speed] : {std::pair{"M2", 28.9841042}, {"LDA2", 29.4556253}, {"MSK5", 74.0121928},
                             {"MKS2", 29.0662415}}) {
    table.constituents.push_back({name, speed, {0.0}, {1.0}});
  }
  return table;
}

TEST(ConstituentTable, SourceSpellingsFindTheirConstituent) {
  const ConstituentTable table = SmallTable();
  for (const char* spelling : {"LAM2", "LAMBDA2", "lambda2"}) {
    EXPECT_EQ(MatchConstituent(table, {spelling, "lambda2", 29.4556253, 0.1, 10}), 1) << spelling;
  }
  // Known to the predictor under another name with the table's speed.
  EXPECT_EQ(MatchConstituent(table, {"3N2", "MKS2", 29.0662415, 0.1, 10}), 3);
  // A name of the table with another speed is a different constituent.
  EXPECT_EQ(MatchConstituent(table, {"M2", "M2", 28.5, 0.1, 10}), -1);
  // Unknown to the predictor: only the table's own spelling counts.
  EXPECT_EQ(MatchConstituent(table, {"MSK5", "", 0, 0.1, 10}), 2);
  EXPECT_EQ(MatchConstituent(table, {"SA_KV", "", 0, 0.1, 10}), -1);
}

TEST(ConstituentTable, SlotsOfNarrowFamiliesComeFirst) {
  ConstituentTable table;
  for (int i = 0; i < 200; ++i) table.constituents.push_back({"C" + std::to_string(i), 1.0 + i, {}, {}});
  std::vector<bool> needed(200, false);
  needed[150] = needed[199] = needed[3] = true;
  SlotOrder order;
  std::string error;
  ASSERT_TRUE(BuildSlotOrder(table, needed, order, error)) << error;
  EXPECT_EQ(order.slotToTable[0], 3);
  EXPECT_EQ(order.slotToTable[1], 150);
  EXPECT_EQ(order.slotToTable[2], 199);
  EXPECT_EQ(order.tableToSlot[0], 3);
  EXPECT_EQ(order.slotToTable.size(), 200u);

  std::fill(needed.begin(), needed.begin() + 161, true);
  EXPECT_FALSE(BuildSlotOrder(table, needed, order, error));
  for (int i = 0; i < 31; ++i) table.constituents.push_back({"D" + std::to_string(i), 300.0 + i, {}, {}});
  EXPECT_FALSE(BuildSlotOrder(table, std::vector<bool>(231, false), order, error));
}

}  // namespace
}  // namespace qw::data
