// quaywise-cli on the stations' own clocks, over real stations of the built data: the
// offsets of summer time in both hemispheres, standard time with --no-daylight-saving,
// the days the clocks change, the ends of the supported dates and today's date at the
// station.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/station_clock.h"
#include "tests/cli/cli_test_support.h"

namespace qw {
namespace {

using test::RunCliCaptured;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& prefix) {
  for (const std::string& line : lines) {
    if (line.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

class CliStationTimeTest : public test::EngineTest {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::filesystem::path(QW_BUILT_DATA_DIR) / "catalogue.csv")) {
      GTEST_SKIP() << "no built DATA directory at " << QW_BUILT_DATA_DIR;
    }
  }
  std::vector<std::string> Run(std::vector<std::string> args) {
    args.push_back("--data");
    args.push_back(QW_BUILT_DATA_DIR);
    const test::CliResult r = RunCliCaptured(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return Lines(r.out);
  }
};

TEST_F(CliStationTimeTest, SummerTimeInBothHemispheresOrStandardTimeAllYear) {
  const auto brest = Run({"tides", "src:brest-822-fra-uhslc_fd", "--from", "2026-07-01", "--csv"});
  EXPECT_TRUE(Has(brest, "2026-07-01,06:44,+02:00,H,")) << brest.size();
  const auto standard = Run({"tides", "src:brest-822-fra-uhslc_fd", "--from", "2026-07-01", "--csv",
                             "--no-daylight-saving"});
  EXPECT_TRUE(Has(standard, "2026-07-01,05:44,+01:00,H,"));
  const auto auckland = Run({"tides", "src:auckland-070a-nzl-uhslc_rq", "--from", "2026-01-10", "--csv"});
  ASSERT_GE(auckland.size(), 4u);
  for (size_t i = 1; i < auckland.size(); ++i) EXPECT_NE(auckland[i].find(",+13:00,"), std::string::npos) << auckland[i];
}

TEST_F(CliStationTimeTest, TheGoldenGateEbbBeforeTheChangeIsListedOnce) {
  const auto rows = Run({"currents", "src:SFB1203", "--from", "2025-03-08", "--to", "2025-03-09", "--csv"});
  EXPECT_TRUE(Has(rows, "2025-03-08,23:51,-08:00,E,"));
  EXPECT_FALSE(Has(rows, "2025-03-09,00:51,"));
  // Every row later than the one before, in UTC.
  long previous = -1;
  for (size_t i = 1; i < rows.size(); ++i) {
    int y, mo, d, h, mi, oh, om;
    char sign;
    ASSERT_EQ(std::sscanf(rows[i].c_str(), "%d-%d-%d,%d:%d,%c%d:%d", &y, &mo, &d, &h, &mi, &sign, &oh, &om), 8);
    const long utc = static_cast<long>(MinuteOf(y, mo, d, h, mi)) - (sign == '-' ? -1 : 1) * (oh * 60 + om);
    EXPECT_GT(utc, previous) << rows[i];
    previous = utc;
  }
  // A day of 23 hours and one of 25 hours of hourly heights.
  EXPECT_EQ(Run({"heights", "src:9414290", "--from", "2025-03-09", "--interval", "60", "--csv"}).size(), 24u);
  const auto fall = Run({"heights", "src:9414290", "--from", "2025-11-02", "--interval", "60", "--csv"});
  ASSERT_EQ(fall.size(), 26u);
  EXPECT_EQ(fall[2].substr(0, 24), "2025-11-02,01:00,-07:00,");
  EXPECT_EQ(fall[3].substr(0, 24), "2025-11-02,01:00,-08:00,");
}

TEST_F(CliStationTimeTest, CurrentsOnTheFirstAndLastSupportedDays) {
  for (const char* date : {"1901-01-01", "2099-12-31"}) {
    const auto rows = Run({"currents", "src:SFB1203", "--from", date, "--csv"});
    ASSERT_GE(rows.size(), 7u) << date;
    for (size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i].substr(0, 10), date);
  }
}

TEST_F(CliStationTimeTest, PhasesOnAStationsClockAndTodayAtTheStation) {
  // The full moon of 14 March 2025 at 06:55 UTC is the evening of the 13th in California.
  const auto phases = Run({"phases", "src:9414290", "--from", "2025-03-01", "--to", "2025-03-31", "--csv"});
  ASSERT_EQ(phases[0], "date,time,utc_offset,phase");
  EXPECT_TRUE(Has(phases, "2025-03-13,23:55,-07:00,Full moon"));
  EXPECT_TRUE(Has(phases, "2025-03-06,08:32,-08:00,1st Qtr moon"));
  // Today is the date at the station, which west of the date line may be tomorrow's (a run
  // across the station's midnight may see either date).
  const StationClock auckland(180, 2, "Pacific/Auckland");
  auto dateText = [&] {
    DateRecord date;
    MinuteToDate(auckland.DateAt(std::time(nullptr)), date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return std::string(text);
  };
  const std::string before = dateText();
  const auto today = Run({"today", "src:auckland-070a-nzl-uhslc_rq", "--csv"});
  const std::string after = dateText();
  ASSERT_GE(today.size(), 2u);
  const std::string shown = today[1].substr(0, 10);
  EXPECT_TRUE(shown == before || shown == after) << shown << " " << before;
}

}  // namespace
}  // namespace qw
