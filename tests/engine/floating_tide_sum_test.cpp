#include "engine/floating_tide_sum.h"

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <vector>

#include "engine/data_writers.h"
#include "engine/engine_state.h"
#include "engine/extremes_cache.h"
#include "engine/held_data.h"
#include "engine/tide_height.h"
#include "tests/support/harmonic_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

struct Turn {
  int64_t minute;
  char kind;
  bool operator==(const Turn&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const Turn& t) { return out << t.kind << '@' << t.minute; }
};

// The turns of successive minutes' heights: where the heights stop rising ('H') or
// falling ('L'), a run of equal minutes counting as one turn at its last minute.
std::vector<Turn> TurnsOf(const std::vector<int32_t>& heights, int64_t firstMinute) {
  std::vector<Turn> turns;
  int direction = 0;
  for (size_t i = 1; i < heights.size(); ++i) {
    const int change = (heights[i] > heights[i - 1]) - (heights[i] < heights[i - 1]);
    if (change == 0) continue;
    if (direction != 0 && change != direction) {
      turns.push_back({firstMinute + static_cast<int64_t>(i) - 1, direction > 0 ? 'H' : 'L'});
    }
    direction = change;
  }
  return turns;
}

class FloatingTideSumTest : public test::EngineTest {
 protected:
  void SetUp() override {
    test::WriteFixtureTables(dataDir_.path().string(), 2004, 2006);
    ASSERT_TRUE(WriteHarmonicFamily(dataDir_.File("NOSWTIDE.IDX"), dataDir_.File("NOSWTIDE.DAT"),
                                    {test::FixtureStation(123)}));
    ASSERT_EQ(LoadTideHarmonics(123, 2005, 1), test::kFixtureConstituents);
  }
  const int64_t start_ = MinuteOf(2005, 1, 1);
  const int64_t end_ = MinuteOf(2006, 1, 1);
};

TEST_F(FloatingTideSumTest, KernelCosinesGiveTheLibrarysSum) {
  // Every minute of the year and the days around it, and times far from the year (a
  // station whose zone shifts the sum's time, a day years away) where the turns to take
  // off are many.
  int64_t differing = 0, compared = 0;
  int32_t worst = 0;
  auto compare = [&](int64_t minute) {
    const int32_t fast = FloatingTideSum(minute);
    const int32_t library = LibraryFloatingTideSum(minute);
    worst = std::max(worst, std::abs(fast - library));
    differing += fast != library;
    ++compared;
  };
  for (int64_t m = start_ - 3 * 1440; m < start_ + 368 * 1440; ++m) compare(m);
  for (int64_t m = start_ - 40LL * 525600; m < start_ + 40LL * 525600; m += 997) compare(m);
  // The sum is cut to millionths of a foot; the two cosines differ in the last bits only,
  // which moves a cut on very rare occasions and by one millionth at most.
  EXPECT_LE(worst, 1);
  EXPECT_LT(differing, compared / 100000 + 1) << differing << " of " << compared;
}

TEST_F(FloatingTideSumTest, RunsOverAYearKeepEveryMinuteAndEveryTurnOfTheDirectSum) {
  const auto minutes = static_cast<size_t>(end_ - start_);
  std::vector<int32_t> direct(minutes), byDays(minutes), whole(minutes);
  for (size_t i = 0; i < minutes; ++i) direct[i] = FloatingTideSum(start_ + static_cast<int64_t>(i));
  // A day at a time as the minute cache runs, and the year in one run (re-seeded inside).
  for (size_t i = 0; i < minutes; i += kMinutesPerDay) FloatingTideRun(start_ + static_cast<int64_t>(i), kMinutesPerDay, &byDays[i]);
  FloatingTideRun(start_, minutes, whole.data());

  for (const std::vector<int32_t>* run : {&byDays, &whole}) {
    int32_t worst = 0;
    size_t differing = 0;
    for (size_t i = 0; i < minutes; ++i) {
      worst = std::max(worst, std::abs((*run)[i] - direct[i]));
      differing += (*run)[i] != direct[i];
    }
    EXPECT_LE(worst, 1);
    // A cut moves only where the exact sum lies within the drift of a whole millionth.
    EXPECT_LT(differing, minutes / 1000) << differing;
    EXPECT_EQ(TurnsOf(*run, start_), TurnsOf(direct, start_));
  }
  EXPECT_GT(TurnsOf(direct, start_).size(), 1300u);
}

TEST_F(FloatingTideSumTest, DaysDrawnMinuteByMinuteGiveTheDirectHeightsAndExtremes) {
  // As a graph or table does: every minute of a day through the minute cache (filled by
  // runs once the minutes come one after another), then the day's highs and lows, which
  // the search takes from the cached minutes. The same searches without the drawing take
  // their heights from single sums.
  const TideLocation station = test::FixtureLocation(123);
  std::vector<int32_t> direct;
  for (int64_t m = start_; m < end_; ++m) direct.push_back(FloatingTideSum(m));
  const std::vector<Turn> turns = TurnsOf(direct, start_);

  int32_t worst = 0;
  auto yearOfExtremes = [&](bool draw) {
    std::vector<TideExtreme> found;
    for (int64_t day = start_ + kMinutesPerDay; day < end_ - kMinutesPerDay; day += kMinutesPerDay) {
      ResetExtremesCache();
      for (int64_t m = day; draw && m < day + kMinutesPerDay; ++m) {
        const int32_t height = ComputeTideHeight(static_cast<EngineMinute>(m), 'f');
        worst = std::max(worst, std::abs(height - direct[static_cast<size_t>(m - start_)]));
      }
      for (int64_t m = day - 1;;) {
        const TideExtreme next = PredictReferenceTide(station, static_cast<EngineMinute>(m), +1);
        if (next.height == kValueFailed || next.time >= day + kMinutesPerDay) break;
        if (next.time >= day) found.push_back(next);
        m = next.time;
      }
    }
    return found;
  };
  const std::vector<TideExtreme> single = yearOfExtremes(false);
  const std::vector<TideExtreme> drawn = yearOfExtremes(true);
  EXPECT_LE(worst, 1);
  ASSERT_GT(single.size(), 1300u);
  ASSERT_EQ(drawn.size(), single.size());
  for (size_t i = 0; i < drawn.size(); ++i) {
    const TideExtreme& e = drawn[i];
    ASSERT_EQ(e.time, single[i].time) << i;
    ASSERT_EQ(e.kind, single[i].kind) << i;
    EXPECT_LE(std::abs(e.height - single[i].height), 1) << i;
    // and each is a turn of the direct heights
    EXPECT_TRUE(std::find(turns.begin(), turns.end(), Turn{e.time, e.kind}) != turns.end()) << Turn{e.time, e.kind};
  }
}

}  // namespace
}  // namespace qw
