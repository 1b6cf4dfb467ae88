// A year of current events at real stations of the built data, each day the station's
// civil day: every day computes, and the events follow each other as a tidal current does
// (flood, slack, ebb, slack, with weak maxima of one sign where a current weakens without
// turning), none lost or repeated on the days the clocks change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/civil_days.h"
#include "engine/current_prediction.h"
#include "engine/data_dir.h"
#include "engine/engine_settings.h"
#include "engine/engine_state.h"
#include "engine/engine_values.h"
#include "tests/current_data/current_data_support.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

class CurrentYearTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QW_REQUIRE_BUILT_CURRENT_DATA();
    ResetEngine();
    Settings() = EngineSettings{};
    SetDataDirectory(QW_TEST_DATA_DIR);
  }
  void TearDown() override { ResetEngine(); }

  // Ten stations of each role spread over the catalogue (kinds with double or ebb-only
  // events left out).
  std::vector<test::InstalledCurrent> Pick(bool subordinate) {
    std::vector<test::InstalledCurrent> all;
    for (const auto& c : test::InstalledCurrentStations()) {
      const int16_t kind = c.station.stationKind;
      if (IsSubordinateCurrent(c.station) == subordinate && (kind == 0 || kind == 2)) all.push_back(c);
    }
    std::vector<test::InstalledCurrent> picked;
    for (size_t i = 0; i < 10 && !all.empty(); ++i) picked.push_back(all[i * all.size() / 10]);
    return picked;
  }

  // Checks the events of `days` days from `first` at one station; returns a description of
  // every problem found.
  std::string CheckDays(const test::InstalledCurrent& c, EngineMinute first, int days, int& slacks) {
    std::ostringstream problems;
    const std::string where = std::string(c.station.name) + " (" + std::to_string(c.slot) + ":" +
                              std::to_string(c.index) + ")";
    const StationClock clock = StationClock::Of(c.station, c.zone);
    if (clock.basis() != ClockBasis::Zone) problems << where << ": no time zone '" << c.zone << "'\n";
    char previous = 0;
    EngineMinute previousTime = 0;
    slacks = 0;
    for (int d = 0; d < days; ++d) {
      const EngineMinute day = first + static_cast<EngineMinute>(d) * kMinutesPerDay;
      test::ReportCapture reports;
      const CurrentDayList list = FindCurrentDay(c.station, clock, day);
      if (list.status != 0 || !reports.empty()) {
        problems << where << " day " << d << ": " << reports.Describe() << "\n";
        continue;
      }
      for (const ShownCurrentEvent& e : list.events) {
        const double knots = e.speed / 1e6;
        // Each event once, in time order across the days (their instants).
        if (e.at.standard <= previousTime) {
          problems << where << " " << e.at.standard << ": not after the event before\n";
        }
        if (e.at.shown - e.at.shown % kMinutesPerDay != day) problems << where << " " << e.at.standard << ": another date\n";
        const bool defined = e.speed != kValueNotDefined;
        if (defined && ((e.kind == 'F' && knots <= 0) || (e.kind == 'E' && knots >= 0) ||
                        (e.kind == 'S' && std::abs(knots) > 0.3) || (e.kind != 'F' && e.kind != 'E' && e.kind != 'S'))) {
          problems << where << " " << e.at.standard << ": '" << e.kind << "' of " << knots << " knots\n";
        }
        // A turn of the current always passes a slack; two slacks always have a maximum
        // between them.
        if ((previous == 'F' && e.kind == 'E') || (previous == 'E' && e.kind == 'F') ||
            (previous == 'S' && e.kind == 'S')) {
          problems << where << " " << e.at.standard << ": '" << previous << "' then '" << e.kind << "'\n";
        }
        slacks += e.kind == 'S';
        previous = e.kind;
        previousTime = e.at.standard;
      }
    }
    return problems.str();
  }
};

TEST_F(CurrentYearTest, ReferenceAndSubordinateStationsAlternateThroughAYear) {
  for (bool subordinate : {false, true}) {
    const auto stations = Pick(subordinate);
    ASSERT_EQ(stations.size(), 10u);
    for (const auto& c : stations) {
      int slacks = 0;
      const std::string problems = CheckDays(c, MinuteOf(2026, 1, 1), 365, slacks);
      EXPECT_TRUE(problems.empty()) << problems.substr(0, 2000);
      // A reversing current turns at least twice a day, mostly four times.
      EXPECT_GE(slacks, 2 * 300) << c.station.name << " " << c.slot << ":" << c.index;
      EXPECT_LE(slacks, 4 * 366) << c.station.name << " " << c.slot << ":" << c.index;
    }
  }
}

TEST_F(CurrentYearTest, IntegerFormAlternatesToo) {
  Settings().mathType = 'i';
  for (bool subordinate : {false, true}) {
    for (const auto& c : Pick(subordinate)) {
      int slacks = 0;
      const std::string problems = CheckDays(c, MinuteOf(2026, 6, 1), 30, slacks);
      EXPECT_TRUE(problems.empty()) << problems.substr(0, 2000);
    }
  }
}

}  // namespace
}  // namespace qw
