#include "engine/tide_height.h"

#include <cmath>
#include <utility>
#include <vector>

#include "engine/data_writers.h"
#include "engine/engine_settings.h"
#include "engine/engine_state.h"
#include "engine/held_data.h"
#include "engine/minute_cache.h"
#include "tests/support/harmonic_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Three constituents with round numbers, summed by hand below:
//   h(t) = 3.0 + 2.0 cos(30 t + 330) + 1.0 cos(15 t) + 0.5 cos(45 t + 90)   (degrees, t hours)
// slot 0: 30 deg/h, f 1.000, V0+u 10.0, kappa 40.0  -> phase 330
// slot 1: 15 deg/h, f 1.000, V0+u  0.0, kappa  0.0  -> phase 0
// slot 2: 45 deg/h, f 1.000, V0+u 90.0, kappa  0.0  -> phase 90
class ThreeConstituentTest : public test::EngineTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteConstituentSpeedFile(dataDir_.File("constspd.dat"), 160, {kPi / 6, kPi / 12, kPi / 4}));
    YearArguments year;
    year.nodeFactorThousandths = {1000, 1000, 1000};
    year.equilibriumTenthsDegree = {100, 0, 900};
    ASSERT_TRUE(WriteYearFile(dataDir_.File("yeardata.dat"), 160, 2001, {year}));
    HarmonicRecordData record;
    record.number = 7;
    record.name = "Three";
    record.meanLevelMicroFeet = 3000000;
    record.entries = {{0, 2000, 400}, {1, 1000, 0}, {2, 500, 0}};
    ASSERT_TRUE(WriteHarmonicFamily(dataDir_.File("NOSWTIDE.IDX"), dataDir_.File("NOSWTIDE.DAT"), {record}));
    ASSERT_EQ(LoadTideHarmonics(7, 2001, 1), 3);
  }
  TideLocation station_ = test::FixtureLocation(7, 0);

  // Millionths of a foot. The floating form keeps amplitudes and phases in single
  // precision. The integer form stores each speed to 1/100,000 step per hour (up to
  // 0.4e-5 rad per hour of drift over a year) and rounds the hour's hundredths toward
  // +infinity before the year start; with 3.5 ft of amplitude that is a few dozen.
  static double Tolerance(char form) { return form == 'f' ? 2 : 50; }
};

TEST_F(ThreeConstituentTest, HandComputedSumsInBothForms) {
  struct Case {
    EngineMinute minute;
    double feet;
  };
  const Case cases[] = {
      // t = 2 h: 3 + 2 cos 30 + cos 30 + 0.5 cos 180 = 5.0980762 ft
      {MinuteOf(2001, 1, 1, 2, 0), 5.0980762},
      // t = 7 h 20 min: 3 + 2 cos 190 + cos 110 + 0.5 cos 60 = 0.9383644 ft
      {MinuteOf(2001, 1, 1, 7, 20), 0.9383644},
      // t = 2 h 00 min + 360 days: 15 deg/h turns whole circles every 24 h, the others too
      {MinuteOf(2001, 12, 27, 2, 0), 5.0980762},
  };
  for (char form : {'f', 'i'}) {
    ResetEngine();
    ASSERT_EQ(LoadTideHarmonics(7, 2001, 1), 3);
    for (const Case& c : cases) {
      const int32_t height = ComputeTideHeight(c.minute, form);
      EXPECT_NEAR(height, c.feet * 1e6, Tolerance(form)) << form << " at " << c.minute;
    }
  }
}

TEST_F(ThreeConstituentTest, MinutesBeforeTheHeldYearUseItsConstants) {
  // 22:30 the day before the held year: the hour offset is negative (-1.5 h), with the held
  // year's constants: 3 + 2 cos 285 + cos(-22.5) + 0.5 cos 22.5 = 4.9034574 ft
  for (char form : {'f', 'i'}) {
    EXPECT_NEAR(ComputeTideHeight(MinuteOf(2000, 12, 31, 22, 30), form), 4903457.4, Tolerance(form)) << form;
  }
}

TEST_F(ThreeConstituentTest, MinuteCacheServesRepeatsAndFollowsDayAndForm) {
  const EngineMinute at = MinuteOf(2001, 3, 5, 10, 17);
  const uint64_t before = TideHeightSumCount();
  const int32_t first = ComputeTideHeight(at, 'f');
  EXPECT_EQ(ComputeTideHeight(at, 'f'), first);
  EXPECT_EQ(TideHeightSumCount(), before + 1);
  ASSERT_NE(SharedMinuteCache(), nullptr);
  EXPECT_EQ(SharedMinuteCache()->value[10 * 60 + 17], first);
  EXPECT_EQ(SharedMinuteCache()->record, 7);

  // The other form is computed, not taken from the cache.
  ComputeTideHeight(at, 'i');
  EXPECT_EQ(TideHeightSumCount(), before + 2);
  // Another day empties the cache.
  ComputeTideHeight(at + 1440, 'i');
  EXPECT_EQ(SharedMinuteCache()->value[10 * 60 + 17], ComputeTideHeight(at + 1440, 'i'));
  ComputeTideHeight(at, 'i');
  EXPECT_EQ(TideHeightSumCount(), before + 4);
}

TEST_F(ThreeConstituentTest, HeightsWithoutLoadedHarmonicsFail) {
  ResetEngine();
  EXPECT_EQ(ComputeTideHeight(MinuteOf(2001, 1, 1), 'f'), kValueFailed);
  EXPECT_TRUE(reports_.Has(2411, "Internal tide program logic error!"));
}

// The 37-constituent fixture station.
class FixtureStationTest : public test::EngineTest {
 protected:
  void SetUp() override {
    test::WriteFixtureTables(dataDir_.path().string(), 2004, 2006);
    station_ = test::FixtureStation(123);
    ASSERT_TRUE(WriteHarmonicFamily(dataDir_.File("NOSWTIDE.IDX"), dataDir_.File("NOSWTIDE.DAT"), {station_}));
    location_ = test::FixtureLocation(123);
  }
  HarmonicRecordData station_;
  TideLocation location_;
};

TEST_F(FixtureStationTest, FloatingFormIsTheHarmonicSum) {
  ASSERT_EQ(LoadTideHarmonics(123, 2005, 1), test::kFixtureConstituents);
  const EngineMinute start = MinuteOf(2005, 1, 1);
  double worst = 0;
  for (EngineMinute m = start; m < MinuteOf(2006, 1, 1); m += 97) {
    const double expected = test::DirectFixtureHeightFeet(station_, 2005, (m - start) / 60.0);
    worst = std::max(worst, std::abs(ComputeTideHeight(m, 'f') / 1e6 - expected));
  }
  // Single-precision amplitudes and phases cost a few millionths of a foot.
  EXPECT_LT(worst, 2e-5);
}

TEST_F(FixtureStationTest, MinuteWalksAcrossTheNewYearTakeEachYearsConstants) {
  // The direct sums of 30 December 20:00 to 2 January 04:00, each year's minutes with its
  // own node factors and equilibrium arguments.
  const EngineMinute from = MinuteOf(2005, 12, 30, 20, 0), newYear = MinuteOf(2006, 1, 1), to = MinuteOf(2006, 1, 2, 4, 0);
  std::vector<int32_t> direct;
  ASSERT_GT(LoadTideHarmonics(123, 2005, 12), 0);
  for (EngineMinute m = from; m < newYear; ++m) direct.push_back(HarmonicSumAt(m, 'f'));
  ASSERT_GT(LoadTideHarmonics(123, 2006, 1), 0);
  for (EngineMinute m = newYear; m < to; ++m) direct.push_back(HarmonicSumAt(m, 'f'));
  // The 2005 constants carried on into 2006 give other heights: the walk must not.
  ASSERT_GT(LoadTideHarmonics(123, 2005, 12), 0);
  EXPECT_GT(std::abs(HarmonicSumAt(newYear + 600, 'f') - direct[newYear + 600 - from]), 1000);

  // Minute by minute, as a graph or an export asks (the minute cache runs a day at a time).
  for (EngineMinute m = from; m < to; ++m) {
    ASSERT_LE(std::abs(PredictReferenceTide(location_, m, 0).height - direct[m - from]), 1) << m - newYear;
  }
  // The high and low waters across the New Year are the same with and without the
  // minutes drawn first, and a turn of the heights each.
  auto extremes = [&](bool draw) {
    ResetEngine();
    std::vector<std::pair<EngineMinute, char>> found;
    for (EngineMinute m = from; draw && m < to; ++m) PredictReferenceTide(location_, m, 0);
    for (EngineMinute m = from; m < to - 1440;) {
      const TideExtreme e = PredictReferenceTide(location_, m, +1);
      EXPECT_NE(e.height, kValueFailed);
      if (e.height == kValueFailed) break;
      found.emplace_back(e.time, e.kind);
      m = e.time;
    }
    return found;
  };
  const auto drawn = extremes(true);
  EXPECT_EQ(drawn, extremes(false));
  EXPECT_GE(drawn.size(), 6u);
  for (const auto& [time, kind] : drawn) {
    const size_t i = time - from;
    const int32_t before = direct[i - 1], at = direct[i], after = direct[i + 1];
    EXPECT_TRUE(kind == 'H' ? (at >= before && at > after) : (at <= before && at < after)) << time - newYear;
  }
}

TEST_F(FixtureStationTest, IntegerFormAgreesWithFloatingWithinAThousandthPerConstituent) {
  // Each constituent alone, at 5 ft, over the whole year.
  std::vector<HarmonicRecordData> singles;
  for (int i = 0; i < test::kFixtureConstituents; ++i) {
    HarmonicRecordData single = station_;
    single.number = static_cast<uint16_t>(1000 + i);
    single.entries = {station_.entries[static_cast<size_t>(i)]};
    single.entries[0].amplitudeMilliFeet = 5000;
    singles.push_back(single);
  }
  singles.push_back(station_);
  ASSERT_TRUE(WriteHarmonicFamily(dataDir_.File("NOSWTIDE.IDX"), dataDir_.File("NOSWTIDE.DAT"), singles));

  const EngineMinute start = MinuteOf(2005, 1, 1), end = MinuteOf(2006, 1, 1);
  for (const HarmonicRecordData& record : singles) {
    ASSERT_GT(LoadTideHarmonics(record.number, 2005, 1), 0);
    std::vector<int32_t> floating;
    for (EngineMinute m = start; m < end; m += 7) floating.push_back(ComputeTideHeight(m, 'f'));
    int32_t worst = 0;
    size_t i = 0;
    for (EngineMinute m = start; m < end; m += 7) {
      worst = std::max(worst, std::abs(ComputeTideHeight(m, 'i') - floating[i++]));
    }
    EXPECT_LE(worst, 1000 * static_cast<int32_t>(record.entries.size())) << record.number;
  }
}

}  // namespace
}  // namespace qw
