// quaywise-cli's sun and moon commands at real stations of the built data, compared with
// the engine's rise and set times and principal phases.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine/astro_time.h"
#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/moon_phase.h"
#include "engine/rise_set.h"
#include "engine/station_database.h"
#include "engine/time_zone.h"
#include "tests/cli/cli_test_support.h"

namespace qw {
namespace {

using test::RunCliCaptured;

std::vector<std::vector<std::string>> Rows(const std::string& text, char separator) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, separator);) {
      if (separator != ' ' || !cell.empty()) fields.push_back(cell);
    }
    rows.push_back(fields);
  }
  return rows;
}

// "HH:MM" of a rise or set result that falls on its day; "" otherwise.
std::string Clock(float hours, float other, double fraction) {
  if (hours < 0 || hours >= 24 || hours == other) return "";
  const long minutes = std::lround(hours * 60.0 - fraction);
  char text[48];
  std::snprintf(text, sizeof text, "%02ld:%02ld", minutes / 60, minutes % 60);
  return text;
}

class CliSunTest : public test::EngineTest {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::filesystem::path(QW_BUILT_DATA_DIR) / "EARTH.DAT")) {
      GTEST_SKIP() << "no built DATA directory with the Earth series at " << QW_BUILT_DATA_DIR;
    }
    SetDataDirectory(QW_BUILT_DATA_DIR);
  }

  // The station at SLOT:INDEX of a kind, read by the engine.
  template <typename Record>
  Record Read(StationKind kind, int slot, int index) {
    const RegionList regions = BuildRegionList(kind);
    Record record;
    bool read = false;
    if constexpr (std::is_same_v<Record, TideLocation>) {
      read = ReadTideLocation(regions, slot, index, record);
    } else {
      read = ReadCurrentLocation(regions, slot, index, record);
    }
    EXPECT_TRUE(read);
    return record;
  }

  // Runs `sun` for three June days and checks every row against the engine.
  void ExpectEngineSun(const std::string& station, const StationPlace& place, const std::string& offset,
                       bool currents) {
    std::vector<std::string> args = {"sun", station, "--from", "2024-06-14", "--to", "2024-06-16", "--csv",
                                     "--data", QW_BUILT_DATA_DIR};
    if (currents) args.push_back("--currents");
    const test::CliResult r = RunCliCaptured(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = Rows(r.out, ',');
    ASSERT_EQ(rows.size(), 4u) << r.out;
    EXPECT_EQ(rows[0], (std::vector<std::string>{"date", "utc_offset", "sunrise", "sunset", "moonrise", "moonset",
                                                 "phase_angle", "phase"}));
    for (int d = 0; d < 3; ++d) {
      const EngineMinute day = MinuteOf(2024, 6, 14 + d);
      const SunTimes sun = SunRiseSet(day, place);
      const MoonTimes moon = MoonRiseSet(day, place);
      const std::vector<std::string>& row = rows[static_cast<size_t>(d + 1)];
      ASSERT_GE(row.size(), 7u) << d;
      EXPECT_EQ(row[0], "2024-06-1" + std::to_string(4 + d));
      EXPECT_EQ(row[1], offset);
      EXPECT_EQ(row[2], Clock(sun.rise, sun.set, 0.25));
      EXPECT_EQ(row[3], Clock(sun.set, sun.rise, 0.25));
      EXPECT_EQ(row[4], Clock(moon.rise, moon.set, 0.05));
      EXPECT_EQ(row[5], Clock(moon.set, moon.rise, 0.05));
      EXPECT_NEAR(std::stod(row[6]), moon.phaseAngle, 0.051);
      EXPECT_FALSE(row[2].empty());  // June at 37 degrees north: the sun rises and sets
    }
  }
};

TEST_F(CliSunTest, SunAndMoonAtTideAndCurrentStations) {
  // San Francisco (Golden Gate), NOAA 9414290, and the Golden Gate Bridge current station.
  const TideLocation tide = Read<TideLocation>(StationKind::Tide, 4, 50);
  ASSERT_STREQ(tide.name, "San Francisco (Golden Gate)");
  ExpectEngineSun("src:9414290", PlaceOf(tide), "-07:00", false);
  const CurrentLocation current = Read<CurrentLocation>(StationKind::Current, 4, 140);
  ASSERT_STREQ(current.name, "Golden Gate Bridge, 0.46 Nm E of");
  ExpectEngineSun("4:140", PlaceOf(current), "-07:00", true);

  // The table names its columns truthfully: the moon's phase angle in degrees.
  const test::CliResult r =
      RunCliCaptured({"sun", "4:140", "--currents", "--from", "2024-06-14", "--data", QW_BUILT_DATA_DIR});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto rows = Rows(r.out, ' ');
  ASSERT_EQ(rows.size(), 3u) << r.out;
  EXPECT_EQ(rows[1], (std::vector<std::string>{"date", "utc", "rise", "set", "mrise", "mset", "angle", "phase"}));
  ASSERT_GE(rows[2].size(), 7u);
  EXPECT_EQ(rows[2][0], "2024-06-14");
  EXPECT_EQ(rows[2][1], "-07:00");
}

TEST_F(CliSunTest, PhasesAreTheEnginesPrincipalPhasesInUtc) {
  const test::CliResult r =
      RunCliCaptured({"phases", "--from", "2024-01-01", "--to", "2024-03-31", "--csv", "--data", QW_BUILT_DATA_DIR});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto rows = Rows(r.out, ',');
  const std::vector<PrincipalPhase> phases = PrincipalPhases(JulianDay(2024, 1, 1), JulianDay(2024, 3, 31) + 1.0);
  ASSERT_GE(phases.size(), 12u);
  ASSERT_EQ(rows.size(), phases.size() + 1);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"date", "time", "phase"}));
  for (size_t i = 0; i < phases.size(); ++i) {
    const long minutes = std::lround((phases[i].julianDayUt - JulianDay(2024, 1, 1)) * 1440.0);
    DateRecord date;
    MinuteToDate(MinuteOf(2024, 1, 1) + static_cast<EngineMinute>(minutes), date);
    char day[48], time[32];
    std::snprintf(day, sizeof day, "%04d-%02d-%02d", date.year, date.month, date.day);
    std::snprintf(time, sizeof time, "%02d:%02d", date.hour, date.minute);
    EXPECT_EQ(rows[i + 1], (std::vector<std::string>{day, time, std::string(PhaseName(phases[i].type)) + " moon"})) << i;
  }
  // The full moon of 25 January 2024 was at 17:54 UTC.
  bool january = false;
  for (const auto& row : rows) january |= row == std::vector<std::string>{"2024-01-25", "17:54", "Full moon"};
  EXPECT_TRUE(january) << r.out;

  // The text form: "YYYY-MM-DD HH:MM UTC  <phase> moon" per phase.
  const test::CliResult text =
      RunCliCaptured({"phases", "--from", "2024-01-01", "--to", "2024-01-31", "--data", QW_BUILT_DATA_DIR});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("2024-01-25 17:54 UTC  Full moon\n"), std::string::npos) << text.out;
}

}  // namespace
}  // namespace qw
