// Current harmonic files: loading and its failures, the year terms, both forms of the sum
// against a direct evaluation, the transforms and the day cache.
#include "engine/current_harmonics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "engine/byte_order.h"
#include "engine/calendar.h"
#include "engine/current_components.h"
#include "engine/data_writers.h"
#include "engine/engine_settings.h"
#include "engine/held_data.h"
#include "tests/support/current_fixture.h"
#include "tests/support/harmonic_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

using test::CurrentTerm;

class CurrentHarmonicsTest : public test::EngineTest {
 protected:
  CurrentHarmonicsTest() { test::WriteCurrentTables(dir()); }
  std::string dir() const { return dataDir_.path().string(); }

  int32_t Speed(const CurrentLocation& station, EngineMinute minute, char form, int16_t& direction) {
    DateRecord date;
    MinuteToDate(minute, date);
    EXPECT_GT(PrepareCurrentYear(station.referenceId, date.year), 0) << reports_.Describe();
    const CurrentSample sample = ComputeCurrentSpeed(minute, form);
    direction = sample.direction;
    return sample.speed;
  }
};

TEST_F(CurrentHarmonicsTest, TwoAxisStationMatchesDirectVectorSumInBothForms) {
  const CurrentHarmonicFile file = test::TwoAxisCurrent(731);
  test::WriteCurrentFile(dir(), file);
  const CurrentLocation station = test::HarmonicCurrentStation(731, 731);
  const EngineMinute yearStart = MinuteOf(2004, 1, 1);
  int checked = 0;
  for (EngineMinute m = MinuteOf(2004, 3, 1); m < MinuteOf(2004, 3, 4); m += 17) {
    double north, east;
    test::DirectCurrentComponents(file, 2004, (m - yearStart) / 60.0, north, east);
    const double magnitude = std::hypot(north, east);
    double bearing = std::atan2(east, north) * 180.0 / std::acos(-1.0);
    if (bearing < 0) bearing += 360;
    // Directions are unstable near zero speed and the sign near the half plane's edges.
    if (magnitude < 0.05 || std::fabs(std::remainder(bearing - 110, 180.0)) < 1.0) continue;
    const bool ebb = bearing >= 110 && bearing < 290;
    for (char form : {'f', 'i'}) {
      int16_t direction = 0;
      const int32_t speed = Speed(station, m, form, direction);
      const double tolerance = form == 'f' ? 0.0001 : 0.003;
      EXPECT_NEAR(speed / 1e6, ebb ? -magnitude : magnitude, tolerance) << form << " at minute " << m;
      EXPECT_LE(std::fabs(std::remainder(direction - bearing, 360.0)), 1.0) << form << " at minute " << m;
    }
    ++checked;
  }
  EXPECT_GT(checked, 200);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_F(CurrentHarmonicsTest, OneAxisStationIsSignedAlongItsAxis) {
  const CurrentHarmonicFile file = test::ReversingCurrent(732, 0.3);
  test::WriteCurrentFile(dir(), file);
  const CurrentLocation station = test::HarmonicCurrentStation(732, 732);
  const EngineMinute yearStart = MinuteOf(2004, 1, 1);
  bool sawFlood = false, sawEbb = false;
  for (EngineMinute m = MinuteOf(2004, 6, 1); m < MinuteOf(2004, 6, 2); m += 11) {
    double north, east;
    test::DirectCurrentComponents(file, 2004, (m - yearStart) / 60.0, north, east);
    const double along = north * std::cos(std::acos(-1.0) / 4) + east * std::sin(std::acos(-1.0) / 4);
    int16_t direction = 0;
    const int32_t speed = Speed(station, m, 'f', direction);
    EXPECT_NEAR(speed / 1e6, along, 0.0001);
    EXPECT_EQ(direction, speed >= 0 ? 45 : 225);
    sawFlood |= speed > 0;
    sawEbb |= speed < 0;
  }
  EXPECT_TRUE(sawFlood && sawEbb);
}

TEST_F(CurrentHarmonicsTest, CompoundTermTakesItsNodeFactorAndArgumentFromTwoOthers) {
  // Constituent 32 of a compound file: amplitude f(0) f(2) a, phase 2 V(0) - V(2) - g, at
  // constituent 32's own speed.
  CurrentHarmonicFile file;
  file.number = 736;
  file.compound = 1;
  file.ebbDirectionDegrees = 180;
  file.records = {CurrentTerm(32, 0.8, 40.0, 0)};
  test::WriteCurrentFile(dir(), file);
  const CurrentLocation station = test::HarmonicCurrentStation(736, 736);
  const YearArguments args = test::FixtureYearArguments(2004, 230);
  const double f = args.nodeFactorThousandths[0] / 1000.0 * args.nodeFactorThousandths[2] / 1000.0;
  const double v = 2 * args.equilibriumTenthsDegree[0] / 10.0 - args.equilibriumTenthsDegree[2] / 10.0;
  const EngineMinute yearStart = MinuteOf(2004, 1, 1);
  for (EngineMinute m = MinuteOf(2004, 8, 1); m < MinuteOf(2004, 8, 2); m += 53) {
    const double hours = (m - yearStart) / 60.0;
    const double angle = (test::FixtureSpeedDegreesPerHour(32) * hours + v - 40.0) * std::acos(-1.0) / 180.0;
    for (char form : {'f', 'i'}) {
      int16_t direction = 0;
      EXPECT_NEAR(Speed(station, m, form, direction) / 1e6, 0.8 * f * std::cos(angle), form == 'f' ? 1e-5 : 0.002);
    }
  }
}

TEST_F(CurrentHarmonicsTest, HydraulicRootComesBeforeMeanFlowAndConstants) {
  // M2 of 4 knots under the root, then 0.25 knot of mean flow and a 0.5-knot constant term
  // added as they are: the flood peaks at sqrt(4 f) + 0.75, the ebb at -sqrt(4 f) + 0.75.
  CurrentHarmonicFile file;
  file.number = 733;
  file.hydraulic = 1;
  file.meanCurrentMicroKnots = 250000;
  file.ebbDirectionDegrees = 180;
  file.records = {CurrentTerm(0, 4.0, 0, 0), test::ConstantTerm(0.5, 0)};
  test::WriteCurrentFile(dir(), file);
  const CurrentLocation station = test::HarmonicCurrentStation(733, 733);
  const double root = std::sqrt(4.0 * test::FixtureYearArguments(2004, 230).nodeFactorThousandths[0] / 1000.0);
  for (char form : {'f', 'i'}) {
    double highest = -100, lowest = 100;
    int16_t direction = 0;
    for (EngineMinute m = MinuteOf(2004, 1, 5); m < MinuteOf(2004, 1, 5, 13, 0); ++m) {
      const double knots = Speed(station, m, form, direction) / 1e6;
      highest = std::max(highest, knots);
      lowest = std::min(lowest, knots);
    }
    EXPECT_NEAR(highest, root + 0.75, 0.001) << form;
    EXPECT_NEAR(lowest, -root + 0.75, 0.001) << form;
  }
}

TEST_F(CurrentHarmonicsTest, StrongCurrentFlagCompressesTheFinalSpeed) {
  CurrentHarmonicFile file;
  file.number = 735;
  file.strongCurrent = 1;
  file.ebbDirectionDegrees = 180;
  file.records = {test::ConstantTerm(10.25, 0)};
  test::WriteCurrentFile(dir(), file);
  int16_t direction = 0;
  EXPECT_EQ(Speed(test::HarmonicCurrentStation(735, 735), MinuteOf(2004, 2, 1), 'f', direction), 8575000);
}

TEST_F(CurrentHarmonicsTest, MissingFileIsReportedWithItsPath) {
  EXPECT_EQ(LoadCurrentHarmonics(741), -1);
  const std::string path = (dataDir_.path() / "00741.dat").string();
  EXPECT_TRUE(reports_.Has(2208, "Error opening current station file: '" + path + "'")) << reports_.Describe();
  EXPECT_EQ(HeldCurrentFileNumber(), 0);
}

TEST_F(CurrentHarmonicsTest, ChecksumOffByOneIsRefusedAndTheCorrectedFileLoads) {
  test::WriteCurrentFile(dir(), test::ReversingCurrent(742));
  const auto path = dataDir_.path() / "00742.dat";
  std::vector<uint8_t> bytes(std::filesystem::file_size(path));
  std::ifstream(path, std::ios::binary).read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  const int16_t good = ReadI16(&bytes[53]);
  WriteI16(&bytes[53], static_cast<int16_t>(good + 1));
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

  // Load another file first: a failed load must not leave it held.
  test::WriteCurrentFile(dir(), test::ReversingCurrent(743));
  ASSERT_EQ(LoadCurrentHarmonics(743), 1);
  EXPECT_EQ(LoadCurrentHarmonics(742), -1);
  EXPECT_TRUE(reports_.Has(0, "Current harmonic file 742.dat is corrupted")) << reports_.Describe();
  EXPECT_EQ(reports_.reports().back().caption, "Information");
  EXPECT_EQ(HeldCurrentFileNumber(), 0);
  EXPECT_EQ(LoadedStationNumber(), 0);

  WriteI16(&bytes[53], good);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  EXPECT_EQ(LoadCurrentHarmonics(742), 1);
  EXPECT_EQ(HeldCurrentFileNumber(), 742);
}

TEST_F(CurrentHarmonicsTest, DamagedFilesAreRefusedWithoutReadingPastTheirEnd) {
  // A constituent number beyond the 160-slot tables of file numbers below 10000.
  CurrentHarmonicFile bad = test::ReversingCurrent(744);
  bad.records.push_back(CurrentTerm(200, 0.1, 0, 45));
  test::WriteCurrentFile(dir(), bad);
  EXPECT_EQ(LoadCurrentHarmonics(744), -1);
  EXPECT_TRUE(reports_.Has(0, "Current harmonic file 744.dat is corrupted"));

  // Truncated headers and a file cut inside a record.
  test::WriteCurrentFile(dir(), test::ReversingCurrent(745));
  const auto path = dataDir_.path() / "00745.dat";
  for (uintmax_t size : {uintmax_t{0}, uintmax_t{40}, uintmax_t{66}, uintmax_t{67 + 9 + 4}}) {
    std::filesystem::resize_file(path, size);
    reports_.clear();
    EXPECT_LE(PrepareCurrentYear(745, 2004), 0) << size;
    EXPECT_FALSE(reports_.empty()) << size;
  }

  // A file holding no term at all has nothing to predict.
  CurrentHarmonicFile empty;
  empty.number = 746;
  test::WriteCurrentFile(dir(), empty);
  reports_.clear();
  EXPECT_LE(PrepareCurrentYear(746, 2004), 0);
  EXPECT_TRUE(reports_.Has(0, "Current harmonic file 746.dat is corrupted")) << reports_.Describe();
}

TEST_F(CurrentHarmonicsTest, DayCacheAnswersRepeatsAndEmptiesForAnotherDay) {
  test::WriteCurrentFile(dir(), test::ReversingCurrent(747));
  const CurrentLocation station = test::HarmonicCurrentStation(747, 747);
  int16_t direction = 0;
  const EngineMinute m = MinuteOf(2004, 4, 2, 10, 15);
  const int32_t first = Speed(station, m, 'i', direction);
  const uint64_t sums = CurrentSpeedSumCount();
  int16_t again = -1;
  EXPECT_EQ(Speed(station, m, 'i', again), first);
  EXPECT_EQ(again, direction);
  EXPECT_EQ(CurrentSpeedSumCount(), sums);
  Speed(station, m + kMinutesPerDay, 'i', direction);
  EXPECT_EQ(Speed(station, m, 'i', again), first);
  EXPECT_EQ(CurrentSpeedSumCount(), sums + 2);
}

TEST_F(CurrentHarmonicsTest, TideAndCurrentLoadsReplaceEachOther) {
  // A tide record in the fixture's NOAA family and a current file of another number.
  std::string error;
  ASSERT_TRUE(WriteHarmonicFamily(dataDir_.path() / "NOSWTIDE.IDX", dataDir_.path() / "NOSWTIDE.DAT",
                                  {test::FixtureStation(12)}, &error)) << error;
  test::WriteCurrentFile(dir(), test::ReversingCurrent(749));
  ASSERT_GT(PrepareCurrentYear(749, 2004), 0);
  ASSERT_GT(LoadTideHarmonics(12, 2004, 1), 0);
  EXPECT_EQ(HeldCurrentFileNumber(), 0);
  EXPECT_FALSE(CurrentYearReady(749, 2004));
  ASSERT_GT(PrepareCurrentYear(749, 2004), 0);
  EXPECT_FALSE(TideRecordHeld());
  EXPECT_EQ(LoadedStationNumber(), 749);
}

}  // namespace
}  // namespace qw
