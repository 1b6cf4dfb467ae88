#include "engine/extremes_cache.h"

#include "engine/data_writers.h"
#include "engine/engine_settings.h"
#include "engine/tide_height.h"
#include "tests/support/harmonic_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

constexpr uint16_t kRecord = 4321;

class ExtremesCacheTest : public test::EngineTest {
 protected:
  // Records that a search from `query` in `direction` found an extreme at `time`.
  void Add(EngineMinute query, int direction, EngineMinute time) {
    ASSERT_EQ(AddCache(kRecord, query, direction, {time, static_cast<int32_t>(time) * 10, 'H', 3}), 1);
  }
  // The cached answer from `minute`, or 0 for a miss.
  EngineMinute Find(EngineMinute minute, int direction) {
    const std::optional<CachedExtreme> found = FindCache(kRecord, minute, direction);
    if (!found) return 0;
    EXPECT_EQ(found->kind, 'H');
    EXPECT_EQ(found->flag, 3);
    return found->time;
  }
};

TEST_F(ExtremesCacheTest, CoverageAnswersOnlyWhatWasSearched) {
  EXPECT_EQ(Find(150, +1), 0u);  // empty
  Add(100, +1, 200);
  for (EngineMinute m : {100u, 150u, 199u}) EXPECT_EQ(Find(m, +1), 200u) << m;
  EXPECT_EQ(Find(99, +1), 0u);   // before the searched span
  EXPECT_EQ(Find(200, +1), 0u);  // strictly after the extreme: unknown
  EXPECT_EQ(Find(201, -1), 0u);  // nothing searched backwards yet
  EXPECT_EQ(Find(150, 0), 0u);   // no direction

  // A forward search from the extreme itself joins the two: the span between them is
  // answered both ways.
  Add(200, +1, 300);
  EXPECT_EQ(Find(250, +1), 300u);
  EXPECT_EQ(Find(200, +1), 300u);
  EXPECT_EQ(Find(201, -1), 200u);
  EXPECT_EQ(Find(300, -1), 200u);
  EXPECT_EQ(Find(300, +1), 0u);
  EXPECT_EQ(Find(301, -1), 0u);

  // Searches from both sides of one minute do not join: that minute may itself be a turn.
  Add(400, -1, 350);
  Add(400, +1, 450);
  EXPECT_EQ(Find(400, -1), 350u);
  EXPECT_EQ(Find(400, +1), 450u);
  EXPECT_EQ(Find(399, +1), 0u);
  EXPECT_EQ(Find(401, -1), 0u);

  const std::vector<CacheEntryView> entries = CachedEntries(kRecord);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[1].coverStart, 200);
  EXPECT_EQ(entries[1].coverEnd, 300);
  EXPECT_EQ(ExtremesCacheCounters().queries, 17u);
}

TEST_F(ExtremesCacheTest, FullCacheRecyclesTheEntryFarthestAway) {
  for (EngineMinute i = 1; i <= kCacheMax; ++i) Add(1000 * i - 10, +1, 1000 * i);
  ASSERT_EQ(CachedEntries(kRecord).size(), static_cast<size_t>(kCacheMax));

  // Inserted after position 150: the earliest goes.
  Add(1000 * 200 + 400, +1, 1000 * 200 + 500);
  std::vector<CacheEntryView> entries = CachedEntries(kRecord);
  ASSERT_EQ(entries.size(), static_cast<size_t>(kCacheMax));
  EXPECT_EQ(entries.front().time, 2000);
  EXPECT_EQ(entries.back().time, 300000);
  EXPECT_EQ(Find(995, +1), 0u);

  // Inserted at position 150 or before: the latest goes.
  Add(1000 * 20 + 400, +1, 1000 * 20 + 500);
  entries = CachedEntries(kRecord);
  EXPECT_EQ(entries.front().time, 2000);
  EXPECT_EQ(entries.back().time, 299000);
  EXPECT_EQ(Find(20450, +1), 20500u);

  // The same time again reuses its entry.
  Add(20300, +1, 20500);
  EXPECT_EQ(CachedEntries(kRecord).size(), static_cast<size_t>(kCacheMax));
  EXPECT_EQ(Find(20300, +1), 20500u);
}

TEST_F(ExtremesCacheTest, EachFormOfTheSumKeepsItsOwnExtremes) {
  Add(600, +1, 720);
  Settings().mathType = 'i';
  EXPECT_EQ(Find(650, +1), 0u);
  Settings().mathType = 'f';
  EXPECT_EQ(Find(650, +1), 720u);
}

TEST_F(ExtremesCacheTest, SearchesFillTheCacheAsTheyGo) {
  test::WriteFixtureTables(dataDir_.path().string(), 2004, 2006);
  ASSERT_TRUE(WriteHarmonicFamily(dataDir_.File("NOSWTIDE.IDX"), dataDir_.File("NOSWTIDE.DAT"),
                                  {test::FixtureStation(123)}));
  const TideLocation station = test::FixtureLocation(123);
  const EngineMinute six = MinuteOf(2005, 4, 2, 6, 0);

  const TideExtreme next = PredictReferenceTide(station, six, +1);
  ASSERT_NE(next.height, kValueFailed);
  for (EngineMinute m = six; m < next.time; m += 7) {
    const std::optional<CachedExtreme> found = FindCache(123, m, +1);
    ASSERT_TRUE(found) << m;
    EXPECT_EQ(found->time, next.time);
    EXPECT_EQ(found->value, next.height);
    EXPECT_EQ(found->kind, next.kind);
  }
  EXPECT_FALSE(FindCache(123, six - 1, +1));

  // Once the previous extreme's own forward search is cached, 05:59 is answered too.
  const TideExtreme previous = PredictReferenceTide(station, six, -1);
  EXPECT_FALSE(FindCache(123, six - 1, +1));
  EXPECT_EQ(PredictReferenceTide(station, previous.time, +1).time, next.time);
  const std::optional<CachedExtreme> found = FindCache(123, six - 1, +1);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->time, next.time);

  // Warm answers equal cold ones and cost no sums.
  const uint64_t sums = TideHeightSumCount();
  const TideExtreme again = PredictReferenceTide(station, six + 30, +1);
  EXPECT_EQ(again.height, next.height);
  EXPECT_EQ(again.time, next.time);
  EXPECT_EQ(TideHeightSumCount(), sums);
}

}  // namespace
}  // namespace qw
