#include "engine/earth_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "engine/astro_time.h"
#include "engine/data_dir.h"
#include "engine/sun_moon_position.h"
#include "tests/engine/astro_reference.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

class EarthSeriesTest : public test::EngineTest {
 protected:
  // A tiny series: L0 = 1 + 0.5 cos(2 + 3 tau), L1 = 0.25 (times tau), B0 = 0.0001
  // (skipped: not above the threshold), R0 = 1.
  EarthSeries Small() {
    EarthSeries s;
    s.termCounts[0] = 2;
    s.termCounts[1] = 1;
    s.termCounts[6] = 1;
    s.termCounts[12] = 1;
    s.terms = {{1.0, 0.0, 0.0}, {0.5, 2.0, 3.0}, {0.25, 0.0, 0.0}, {0.0001, 0.0, 0.0}, {1.0, 0.0, 0.0}};
    return s;
  }
  void Write(const EarthSeries& s) { ASSERT_EQ(WriteEarthSeries(dataDir_.path(), s), ""); }
  void Corrupt(const char* name, size_t keepBytes) { std::filesystem::resize_file(dataDir_.File(name), keepBytes); }
};

TEST_F(EarthSeriesTest, WrittenSeriesAreEvaluatedTermByTerm) {
  Write(Small());
  EXPECT_EQ(std::filesystem::file_size(dataDir_.File("EARTH.IDX")), kEarthIndexSize);
  EXPECT_EQ(std::filesystem::file_size(dataDir_.File("EARTH.DAT")), 5 * kEarthTermSize);
  ASSERT_EQ(LoadEarthSeries(), 1);
  const double t = 0.37;
  const double tau = t / 10.0;
  HeliocentricPosition p;
  ASSERT_TRUE(EarthHeliocentric(0, t, p));
  const double l = NormalizeAngle(1.0 + 0.5 * std::cos(2.0 + 3.0 * tau) + 0.25 * tau);
  // B is 0: the term of amplitude exactly 0.0001 contributes nothing; then the frame
  // correction.
  const double lPrime = l - (1.397 + 0.00031 * t) * t * kDegreesToRadians;
  EXPECT_NEAR(p.longitude, l - 0.09033 * kArcsecondsToRadians, 1e-15);
  EXPECT_NEAR(p.latitude, 0.03916 * (std::cos(lPrime) - std::sin(lPrime)) * kArcsecondsToRadians, 1e-15);
  EXPECT_DOUBLE_EQ(p.radius, 1.0);
  EXPECT_FALSE(EarthHeliocentric(1, t, p));  // only the Earth exists
  EXPECT_TRUE(reports_.empty());
}

TEST_F(EarthSeriesTest, MissingFilesFailSilentlyAndAreTriedAgain) {
  EXPECT_EQ(LoadEarthSeries(), 0);
  EXPECT_TRUE(reports_.empty());
  Write(Small());
  EXPECT_EQ(LoadEarthSeries(), 1);
}

TEST_F(EarthSeriesTest, DamagedFilesAreRefusedWithOneMessage) {
  struct Damage {
    const char* file;
    size_t keep;
  };
  for (const Damage& damage : {Damage{"EARTH.IDX", 40}, Damage{"EARTH.DAT", 100}, Damage{"EARTH.DAT", 0}}) {
    ResetEarthSeries();
    reports_.clear();
    Write(Small());
    Corrupt(damage.file, damage.keep);
    EXPECT_EQ(LoadEarthSeries(), 0) << damage.file << " cut to " << damage.keep;
    EXPECT_EQ(LoadEarthSeries(), 0);
    ASSERT_EQ(reports_.reports().size(), 1u) << reports_.Describe();
    EXPECT_EQ(reports_.reports()[0].style, ReportStyle::Information);
    EXPECT_NE(reports_.reports()[0].text.find(damage.file), std::string::npos);
  }
  // A data file longer than its index announces is as suspect as a short one.
  ResetEarthSeries();
  reports_.clear();
  Write(Small());
  { std::ofstream(dataDir_.File("EARTH.DAT"), std::ios::app | std::ios::binary) << std::string(24, '\0'); }
  EXPECT_EQ(LoadEarthSeries(), 0);
  EXPECT_EQ(reports_.reports().size(), 1u);

  // A negative count and a term that is not a number.
  ResetEarthSeries();
  reports_.clear();
  Write(Small());
  {
    std::fstream f(dataDir_.File("EARTH.IDX"), std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(2);
    f.put(static_cast<char>(0xFF)).put(static_cast<char>(0xFF));
  }
  EXPECT_EQ(LoadEarthSeries(), 0);
  EXPECT_TRUE(reports_.Has(0)) << reports_.Describe();
  ResetEarthSeries();
  reports_.clear();
  EarthSeries bad = Small();
  bad.terms[1].c = std::numeric_limits<double>::quiet_NaN();
  Write(bad);
  EXPECT_EQ(LoadEarthSeries(), 0);
  EXPECT_EQ(reports_.reports().size(), 1u);
}

TEST_F(EarthSeriesTest, WriterRefusesInconsistentCounts) {
  EarthSeries s = Small();
  s.termCounts[0] = 3;
  EXPECT_NE(WriteEarthSeries(dataDir_.path(), s), "");
  EXPECT_FALSE(std::filesystem::exists(dataDir_.File("EARTH.IDX")));
}

class PositionTest : public test::AlmanacTest {};

TEST_F(PositionTest, SunAndMoonAtWorkedExamples) {
  // The moon on 12 April 1992, 0h TD: 133.162655, -3.229126 degrees, 368409.7 km.
  const MoonPosition moon = MoonGeocentric(JulianCenturies(2448724.5));
  EXPECT_NEAR(moon.longitude / kDegreesToRadians, 133.162655, 2e-5);
  EXPECT_NEAR(moon.latitude / kDegreesToRadians, -3.229126, 2e-5);
  EXPECT_NEAR(moon.distanceKm, 368409.7, 0.1);
  // The sun on 13 October 1992, 0h TD, from the full series: 199.907372 degrees
  // geometric, R 0.99760775 AU. The series here drop terms below 1e-4, which may move
  // the longitude by some tens of arcseconds.
  SunPosition sun;
  ASSERT_TRUE(SunGeocentric(JulianCenturies(2448908.5), sun));
  EXPECT_NEAR(sun.longitude / kDegreesToRadians, 199.907372, 0.01);
  EXPECT_NEAR(std::fabs(sun.latitude) / kArcsecondsToRadians, 0.0, 2.0);
  EXPECT_NEAR(sun.distance, 0.99760775, 2e-4);
}

}  // namespace
}  // namespace qw
