// quaywise-cli's current commands over a fixture reference current station and a
// subordinate of it.
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/current_prediction.h"
#include "engine/data_dir.h"
#include "engine/region_files.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/current_fixture.h"

namespace qw {
namespace {

using test::RunCliCaptured;

std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(cell);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    rows.push_back(fields);
  }
  return rows;
}

class CliCurrentsTest : public test::EngineTest {
 protected:
  void SetUp() override {
    test::WriteCurrentTables(dataDir_.path().string());
    test::WriteCurrentFile(dataDir_.path().string(), test::ReversingCurrent(761));
    reference_ = test::HarmonicCurrentStation(761, 5761);
    std::strcpy(reference_.name, "Reversing Narrows");
    subordinate_ = test::SubordinateCurrentStation(761, 5762, -20, 35, 10, kNotGiven16, 80, 120);
    std::strcpy(subordinate_.name, "Narrows Approach");
    CurrentLocation area;
    std::strcpy(area.name, "Narrows Area");
    ASSERT_TRUE(WriteCurrentRegionFile(DataFilePath("curr3.dat"), 3, "Fixture Sound",
                                       {reference_, subordinate_, area}));
  }
  CurrentLocation reference_, subordinate_;
};

TEST_F(CliCurrentsTest, CurrentsListsTheDaysEventsAsCsv) {
  auto r = RunCliCaptured({"currents", "0:0", "--from", "2004-01-09", "--to", "2004-01-10", "--csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto rows = CsvRows(r.out);
  ASSERT_GE(rows.size(), 10u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"date", "time", "utc_offset", "event", "value", "unit", "direction"}));

  CurrentDayEvents events;
  int32_t maxSpeed, minSpeed;
  ASSERT_EQ(FindCurrentDayEvents(reference_, MinuteOf(2004, 1, 9), events, maxSpeed, minSpeed), 0);
  char expected[32];
  std::snprintf(expected, sizeof expected, "%.3f", events[0].speed / 1e6);
  EXPECT_EQ(rows[1][0], "2004-01-09");
  EXPECT_EQ(rows[1][2], "-08:00");
  EXPECT_EQ(rows[1][3], std::string(1, events[0].kind));
  EXPECT_EQ(rows[1][4], expected);
  EXPECT_EQ(rows[1][5], "kt");
  bool secondDay = false;
  for (size_t i = 1; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), 7u) << i;
    const double knots = std::atof(rows[i][4].c_str());
    const std::string& kind = rows[i][3];
    if (kind == "F") {
      EXPECT_GT(knots, 0.3);
    } else if (kind == "E") {
      EXPECT_LT(knots, -0.3);
    } else {
      EXPECT_LE(std::abs(knots), 0.3);
    }
    EXPECT_EQ(rows[i][6], kind == "F" ? "045" : kind == "E" ? "225" : rows[i][6]);
    secondDay |= rows[i][0] == "2004-01-10";
  }
  EXPECT_TRUE(secondDay);
}

TEST_F(CliCurrentsTest, SpeedsInMetresPerSecondAndUndefinedValuesEmpty) {
  auto kt = RunCliCaptured({"speeds", "0:0", "--from", "2004-07-01", "--interval", "60", "--csv"});
  auto mps = RunCliCaptured({"speeds", "0:0", "--from", "2004-07-01", "--interval", "60", "--csv", "--units", "mps"});
  ASSERT_EQ(kt.status, 0) << kt.err;
  ASSERT_EQ(mps.status, 0) << mps.err;
  const auto a = CsvRows(kt.out), b = CsvRows(mps.out);
  ASSERT_EQ(a.size(), 25u);
  ASSERT_EQ(b.size(), 25u);
  EXPECT_EQ(a[1][2], "-07:00");  // daylight saving in July
  for (size_t i = 1; i < a.size(); ++i) {
    EXPECT_EQ(b[i][5], "mps");
    EXPECT_NEAR(std::atof(b[i][4].c_str()), std::atof(a[i][4].c_str()) * 1852.0 / 3600.0, 0.0006) << i;
  }

  // The subordinate gives no ebb time: its ebb half-cycles are not defined.
  auto sub = RunCliCaptured({"speeds", "Approach", "--from", "2004-07-01", "--interval", "30", "--csv"});
  ASSERT_EQ(sub.status, 0) << sub.err;
  int empty = 0, defined = 0;
  for (const auto& row : CsvRows(sub.out)) (row[4].empty() ? empty : defined)++;
  EXPECT_GT(empty, 5);
  EXPECT_GT(defined, 5);
}

TEST_F(CliCurrentsTest, ArgumentErrorsAreUsageErrors) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"currents", "0:0"}, "--from is required"},
      {{"currents", "0:0", "--from", "2004-01-09", "--units", "ft"}, "--units must be kt or mps"},
      {{"currents", "--from", "2004-01-09"}, "currents needs exactly one STATION"},
      {{"currents", "0:2", "--from", "2004-01-09"}, "has no predictions"},
      {{"speeds", "0:0", "--from", "2004-01-09"}, "--interval is required"},
      {{"speeds", "0:0", "--from", "2004-01-09", "--interval", "0"}, "--interval"},
  };
  for (const Case& c : cases) {
    auto r = RunCliCaptured(c.args);
    EXPECT_EQ(r.status, 2) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
}

TEST_F(CliCurrentsTest, EngineFailureExitsWithStatusOne) {
  std::remove(DataFilePath("00761.dat").c_str());
  auto r = RunCliCaptured({"currents", "0:0", "--from", "2004-01-09"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Error opening current station file"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace qw
