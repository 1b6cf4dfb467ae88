// The high and low waters of a day: the cleaning rules on worked examples, and whole
// days of synthetic stations checked against a minute-by-minute scan.
#include <algorithm>
#include <vector>

#include "engine/calendar.h"
#include "engine/tide_corrections.h"
#include "engine/tide_prediction.h"
#include "tests/support/tide_station_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

constexpr int32_t kFoot = 1000000;
constexpr EngineMinute kDay = 40000 * kMinutesPerDay;

TideCandidate At(int hour, double feet) {
  return {static_cast<int32_t>(feet * kFoot), kDay + static_cast<EngineMinute>(hour * 60)};
}

std::string Kinds(const TideDayExtremes& day) {
  std::string kinds;
  for (const TideExtreme& e : day) {
    if (e.time == 0) break;
    kinds += e.kind;
  }
  return kinds;
}

TEST(CleanDayExtremesTest, UsualFourEventsStayAndAlternate) {
  TideDayExtremes day;
  int32_t maximum, minimum;
  auto clean = [&](std::vector<TideCandidate> c, int32_t h0, int32_t hEnd) {
    const CleanedTideDay cleaned = CleanDayExtremes(std::move(c), h0, hEnd);
    day = cleaned.extremes;
    maximum = cleaned.maximum;
    minimum = cleaned.minimum;
  };
  clean({At(3, 1.0), At(9, 5.0), At(15, 0.5), At(21, 6.0)}, 2 * kFoot, 5 * kFoot);
  EXPECT_EQ(Kinds(day), "LHLH");
  EXPECT_EQ(day[1].height, 5 * kFoot);
  EXPECT_EQ(day[3].time, kDay + 21 * 60);
  EXPECT_EQ(maximum, 6 * kFoot);
  EXPECT_EQ(minimum, 0);  // every height is above the datum: the minimum stays 0
  // A single event is labelled against the height at midnight.
  clean({At(12, 4.0)}, 2 * kFoot, 5 * kFoot);
  EXPECT_EQ(Kinds(day), "H");
  clean({At(12, -0.5)}, 2 * kFoot, -1 * kFoot);
  EXPECT_EQ(Kinds(day), "L");
  EXPECT_EQ(minimum, -1 * kFoot);  // the heights at 00:00 and 23:59 count too
}

TEST(CleanDayExtremesTest, StandBetweenTwoLowsLosesItsWiggle) {
  // A 0.05 ft stand (1.00, 1.05, 1.02) on the way between a high and a high.
  TideDayExtremes day =
      CleanDayExtremes({At(1, 5.0), At(7, 1.00), At(8, 1.05), At(9, 1.02), At(14, 6.0), At(20, 0.2)}, 0, 0).extremes;
  EXPECT_EQ(Kinds(day), "HLHL");
  EXPECT_EQ(day[1].height, kFoot);  // the lower of the low waters is kept
  EXPECT_EQ(day[2].height, 6 * kFoot);
  // Wiggles of more than 0.1 ft are real events and stay (at most five of them).
  day = CleanDayExtremes({At(1, 5.0), At(7, 1.0), At(8, 1.2), At(9, 1.05), At(14, 6.0)}, 0, 0).extremes;
  EXPECT_EQ(Kinds(day).size(), 5u);
}

TEST(CleanDayExtremesTest, MoreThanFiveKeepTheTwoHighestAndTheLowestAroundThem) {
  const CleanedTideDay cleaned =
      CleanDayExtremes({At(1, 1.0), At(3, 5.0), At(6, 2.0), At(9, 4.0), At(13, 0.5), At(17, 7.0), At(22, 1.5)}, 0, 0);
  const TideDayExtremes& day = cleaned.extremes;
  const int32_t maximum = cleaned.maximum;
  ASSERT_EQ(Kinds(day), "LHLHL");
  const double feet[] = {1.0, 5.0, 0.5, 7.0, 1.5};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(day[i].height, static_cast<int32_t>(feet[i] * kFoot)) << i;
  EXPECT_EQ(maximum, 7 * kFoot);
}

// ---- Whole days of synthetic stations ------------------------------------------------

constexpr uint16_t kMixed = 100;
constexpr uint16_t kDiurnal = 101;
constexpr uint16_t kFast = 102;

class TideDayExtremesTest : public test::EngineTest {
 protected:
  void SetUp() override {
    test::SyntheticStation fast{kFast, "Fast", 0.0, {{150.0, 1.0, 0.0}}};  // 20 events a day
    std::string error;
    ASSERT_TRUE(test::WriteSyntheticStations(
        dataDir_.path().string(),
        {test::MixedTideStation(kMixed), test::DiurnalStation(kDiurnal), fast}, 1985, 2023,
        &error))
        << error;
    mixed_ = test::ReferenceLocation(kMixed, 1, "Mixed");
  }

  std::vector<TideExtreme> Days(const TideLocation& s, EngineMinute first, int days) {
    std::vector<TideExtreme> all;
    for (int d = 0; d < days; ++d) {
      TideDayExtremes day;
      int32_t maximum, minimum;
      EXPECT_EQ(FindTideDayExtremes(s, first + d * kMinutesPerDay, day, maximum, minimum), 0);
      for (const TideExtreme& e : day) {
        if (e.time == 0) break;
        all.push_back(e);
        EXPECT_LE(e.height, maximum);
        EXPECT_GE(e.height, minimum);
      }
    }
    return all;
  }

  TideLocation mixed_;
};

TEST_F(TideDayExtremesTest, ReferenceDaysMatchAMinuteByMinuteScan) {
  const EngineMinute first = MinuteOf(2022, 1, 1);
  for (int d = 0; d < 60; ++d) {
    const EngineMinute dayStart = first + d * kMinutesPerDay;
    // Every turning point of the curve within the day.
    std::vector<std::pair<char, EngineMinute>> scanned;
    std::vector<int32_t> h;
    for (EngineMinute t = dayStart - 2; t <= dayStart + kMinutesPerDay + 1; ++t) {
      h.push_back(PredictTide(mixed_, t, 0).height);
    }
    for (size_t i = 2; i + 1 < h.size(); ++i) {
      const EngineMinute t = dayStart - 2 + static_cast<EngineMinute>(i);
      if (t >= dayStart + kMinutesPerDay) break;
      if (h[i] > h[i + 1] && h[i] >= h[i - 1] && h[i - 1] >= h[i - 2]) scanned.push_back({'H', t});
      if (h[i] < h[i + 1] && h[i] <= h[i - 1] && h[i - 1] <= h[i - 2]) scanned.push_back({'L', t});
    }
    TideDayExtremes day;
    int32_t maximum, minimum;
    ASSERT_EQ(FindTideDayExtremes(mixed_, dayStart, day, maximum, minimum), 0);
    ASSERT_EQ(Kinds(day).size(), scanned.size()) << "day " << d;
    for (size_t i = 0; i < scanned.size(); ++i) {
      EXPECT_EQ(day[i].kind, scanned[i].first) << "day " << d << " event " << i;
      EXPECT_NEAR(static_cast<double>(day[i].time), scanned[i].second, 1) << "day " << d << " event " << i;
      EXPECT_EQ(day[i].height, PredictTide(mixed_, day[i].time, 0).height);
    }
  }
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_F(TideDayExtremesTest, SubordinateDaysAreTheReferenceDaysShiftedAndScaled) {
  TideLocation sub = test::ReferenceLocation(kMixed, 2, "Sub");
  sub.highTimeOffset = 35;
  sub.lowTimeOffset = -20;
  sub.highHeightRatio = 90;
  sub.lowHeightRatio = 110;
  sub.highHeightDiff = 20;
  sub.lowHeightDiff = -10;
  const TideCorrections c = TideCorrectionsOf(sub);
  const EngineMinute first = MinuteOf(2021, 6, 1);
  std::vector<TideExtreme> reference = Days(mixed_, first, 20);
  std::vector<TideExtreme> subordinate = Days(sub, first, 20);
  // Drop the events whose shift moved them across the ends of the window.
  std::vector<TideExtreme> expected;
  for (const TideExtreme& e : reference) {
    const bool high = e.kind == 'H';
    TideExtreme moved{e.kind, high ? CorrectHighWater(c, e.height) : CorrectLowWater(c, e.height),
                      static_cast<EngineMinute>(e.time + (high ? 35 : -20))};
    if (moved.time >= first + 60 && moved.time < first + 20 * kMinutesPerDay - 60) expected.push_back(moved);
  }
  std::erase_if(subordinate, [&](const TideExtreme& e) {
    return e.time < first + 60 || e.time >= first + 20 * kMinutesPerDay - 60;
  });
  ASSERT_EQ(subordinate.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(subordinate[i].kind, expected[i].kind) << i;
    EXPECT_EQ(subordinate[i].time, expected[i].time) << i;
    EXPECT_EQ(subordinate[i].height, expected[i].height) << i;
  }
}

// Across the days daylight saving begins and ends, every high and low water is listed
// exactly once: on the day whose clock frame shows it.
TEST_F(TideDayExtremesTest, DaylightSavingChangesNeitherLoseNorRepeatEvents) {
  int changesWithAnEventInTheHour = 0;
  for (int observes : {0, 1}) {
    mixed_.observesDst = static_cast<uint8_t>(observes);
    for (int year = 1987; year <= 2023; ++year) {
      for (int month : {3, 10}) {
        // Three days on each side of the day whose flag differs from the day before.
        EngineMinute change = MinuteOf(year, month, 1);
        for (DateRecord a, b;; change += kMinutesPerDay) {
          MinuteToDate(change, a);
          MinuteToDate(change - kMinutesPerDay, b);
          if (a.dstFlag != b.dstFlag) break;
        }
        const EngineMinute first = change - 3 * kMinutesPerDay;
        const int days = 6;
        // The listed events in standard time.
        std::vector<EngineMinute> listed;
        for (int d = 0; d < days; ++d) {
          const EngineMinute dayStart = first + d * kMinutesPerDay;
          DateRecord date;
          MinuteToDate(dayStart, date);
          const int shift = observes && date.dstFlag ? 60 : 0;
          TideDayExtremes day;
          int32_t maximum, minimum;
          ASSERT_EQ(FindTideDayExtremes(mixed_, dayStart, day, maximum, minimum), 0);
          for (const TideExtreme& e : day) {
            if (e.time != 0) listed.push_back(e.time - shift);
          }
        }
        // The turning points of the curve in standard time over the same span.
        std::vector<EngineMinute> expected;
        for (EngineMinute t = first - 120;;) {
          t = PredictTide(mixed_, t, +1).time;
          if (t >= first + days * kMinutesPerDay - 120) break;
          if (t >= first + 120) expected.push_back(t);
          changesWithAnEventInTheHour += t >= change - 60 && t < change;
        }
        std::erase_if(listed, [&](EngineMinute t) {
          return t < first + 120 || t >= first + days * kMinutesPerDay - 120;
        });
        EXPECT_EQ(listed, expected) << year << "-" << month << " observes " << observes;
      }
    }
  }
  EXPECT_GT(changesWithAnEventInTheHour, 4);  // the hour that changes hands was tested
}

TEST_F(TideDayExtremesTest, DoubleTideFinderKeepsTheMoreExtremeOfCloseEvents) {
  // A diurnal station shows small double tides when the moon is near the equator. The
  // double-tide finder looks three events ahead: when the third lies within 14 hours of
  // the first and is of its kind and more extreme, it is taken instead.
  TideLocation plainStation = test::ReferenceLocation(kDiurnal, 3, "Diurnal");
  TideLocation picked = plainStation;
  picked.kindCode = 11;
  picked.extremeRule = 20;
  ASSERT_TRUE(UsesDoubleTideFinder(picked));
  ASSERT_FALSE(UsesDoubleTideFinder(plainStation));
  const EngineMinute first = MinuteOf(2020, 2, 1);
  const std::vector<TideExtreme> plain = Days(plainStation, first - kMinutesPerDay, 30);

  // The rule applied to the plain list of turning points.
  auto expectedAfter = [&](EngineMinute t) {
    auto e = std::upper_bound(plain.begin(), plain.end(), t,
                              [](EngineMinute m, const TideExtreme& x) { return m < x.time; });
    const TideExtreme &e1 = e[0], &e2 = e[1], &e3 = e[2];
    const bool takeThird = e3.time - e1.time < 840 &&
                           (e1.height < e2.height ? e3.height < e1.height : e3.height > e1.height);
    return takeThird ? e3 : e1;
  };
  int folded = 0;
  for (EngineMinute t = first; t < first + 27 * kMinutesPerDay; t += 97) {
    const TideExtreme e = PickDoubleTideExtreme(picked, t, +1);
    const TideExtreme expected = expectedAfter(t);
    EXPECT_EQ(e.time, expected.time) << t - first;
    EXPECT_EQ(e.height, expected.height) << t - first;
    folded += e.time != PredictTide(plainStation, t, +1).time;
  }
  EXPECT_GT(folded, 0);  // the fixture does have double tides

  // The day lists made with it hold turning points only, and fewer of them.
  const std::vector<TideExtreme> doubled = Days(picked, first, 27);
  ASSERT_GT(doubled.size(), 40u);
  EXPECT_LT(doubled.size(), Days(plainStation, first, 27).size());
  for (const TideExtreme& e : doubled) {
    EXPECT_TRUE(std::any_of(plain.begin(), plain.end(), [&](const TideExtreme& p) {
      return p.time == e.time && p.height == e.height;
    })) << "listed event at " << e.time - first << " is not a turning point";
  }
}

TEST_F(TideDayExtremesTest, MoreThanSixteenEventsIsReportedAndTheFirstSixteenUsed) {
  TideLocation fast = test::ReferenceLocation(kFast, 4, "Fast");
  TideDayExtremes day;
  int32_t maximum, minimum;
  EXPECT_EQ(FindTideDayExtremes(fast, MinuteOf(2015, 5, 5), day, maximum, minimum), -1);
  EXPECT_TRUE(reports_.Has(2410, "Error initializing tide!"));
  // The two highest with the lowest around them: four or five entries.
  const std::string kinds = Kinds(day);
  EXPECT_GE(kinds.size(), 4u);
  EXPECT_EQ(std::count(kinds.begin(), kinds.end(), 'H'), 2);
  EXPECT_GT(maximum, 900000);
  EXPECT_LT(minimum, -900000);
}

}  // namespace
}  // namespace qw
