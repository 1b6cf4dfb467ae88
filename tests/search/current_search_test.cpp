// The event search over a current station: floods, ebbs, swings and slack waters against
// the engine's day lists and a minute-by-minute scan of the speed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/calendar.h"
#include "engine/civil_days.h"
#include "engine/current_events.h"
#include "engine/current_prediction.h"
#include "engine/engine_settings.h"
#include "search/result_rows.h"
#include "search/event_search.h"
#include "tests/support/current_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

int32_t RoundedToTenth(int32_t v) {
  const int64_t m = (std::llabs(v) + 50000) / 100000 * 100000;
  return static_cast<int32_t>(v < 0 ? -m : m);
}

class CurrentSearchTest : public test::EngineTest {
 protected:
  void SetUp() override {
    test::WriteCurrentTables(dataDir_.path().string());
    const CurrentHarmonicFile file = test::ReversingCurrent(301, 0.2);
    test::WriteCurrentFile(dataDir_.path().string(), file);
    station_.kind = StationKind::Current;
    station_.current = test::HarmonicCurrentStation(301, 301);
    station_.clock = StationClock::Of(station_.current, "America/Los_Angeles");
    first_ = MinuteOf(2003, 6, 1);
    last_ = MinuteOf(2003, 6, 21);
    for (EngineMinute day = first_; day <= last_; day += kMinutesPerDay) {
      const CurrentDayList list = FindCurrentDay(station_.current, station_.clock, day);
      ASSERT_EQ(list.status, 0);
      for (const ShownCurrentEvent& e : list.events) events_.push_back({e.kind, e.speed, e.at.shown, e.direction});
    }
    ASSERT_GT(events_.size(), 100u);
  }

  std::vector<EventHit> Search(int kind, int condition, int32_t threshold) {
    std::vector<EventHit> hits;
    SearchProgress progress;
    const EventSearchPlan plan{.code = MakeSearchCode(kind, condition, kPeriodWholeRange),
                               .threshold = threshold,
                               .rangeStart = first_,
                               .rangeEnd = last_ + 1439};
    EngineMinute resume = 0;
    while (const std::optional<EventHit> hit = FindNextEvent(station_, plan, resume, progress)) {
      hits.push_back(*hit);
      if (hits.size() > 2000) break;
    }
    return hits;
  }

  // The speed at a minute of the shown time (the station keeps Pacific daylight time).
  int32_t Speed(EngineMinute m) { return PredictCurrent(station_.current, station_.clock.StandardAt(m), 0).speed; }

  SearchStation station_;
  EngineMinute first_ = 0, last_ = 0;
  std::vector<CurrentEvent> events_;
};

// Every hit of June carries Pacific daylight time's offset.
constexpr int32_t kPdt = -420;

TEST_F(CurrentSearchTest, FloodsAndEbbsAsTheDayListsSay) {
  for (int kind : {kSearchFloodCurrents, kSearchEbbCurrents}) {
    SCOPED_TRACE(kind);
    const int32_t threshold = SearchThreshold(0.9, kind, TideUnit::Feet, CurrentUnit::MetresPerSecond);
    ASSERT_EQ(threshold, 1750950);  // 0.9 m/s is 1.75095 knots
    std::vector<EventHit> expected;
    for (const CurrentEvent& e : events_) {
      if (e.kind != (kind == kSearchFloodCurrents ? 'F' : 'E')) continue;
      const int32_t v = std::abs(RoundedToTenth(e.speed));
      if (v >= threshold) expected.push_back({v, e.time, e.time, kPdt, kPdt});
    }
    ASSERT_GT(expected.size(), 5u);
    EXPECT_EQ(Search(kind, kConditionAtLeast, threshold), expected);
  }
}

TEST_F(CurrentSearchTest, SwingsPassOverSlackWaters) {
  std::vector<EventHit> expected;
  const CurrentEvent* previous = nullptr;
  for (const CurrentEvent& e : events_) {
    if (e.kind == 'S') continue;
    if (previous) {
      const int32_t swing = std::abs(RoundedToTenth(previous->speed) - RoundedToTenth(e.speed));
      if (swing >= 3500000) expected.push_back({swing, previous->time, e.time, kPdt, kPdt});
    }
    previous = &e;
  }
  ASSERT_GT(expected.size(), 10u);
  EXPECT_EQ(Search(kSearchCurrentSwings, kConditionAtLeast, 3500000), expected);
}

TEST_F(CurrentSearchTest, SlackWatersLastAsLongAsTheSpeedStaysBelowTheSlackLimit) {
  for (bool userSlack : {false, true}) {
    SCOPED_TRACE(userSlack);
    Settings().useUserSlack = userSlack;
    Settings().userSlackValue = 0.25;
    const int32_t limit = ValueSlackThreshold();
    const int32_t minimum = userSlack ? 25 : 9;
    std::vector<EventHit> expected;
    for (const CurrentEvent& e : events_) {
      if (e.kind != 'S') continue;
      EngineMinute a = e.time, b = e.time;
      while (a > first_ && std::abs(Speed(a - 1)) < limit) --a;
      while (b < last_ + 1439 && std::abs(Speed(b + 1)) < limit) ++b;
      if (static_cast<int32_t>(b - a) >= minimum) expected.push_back({static_cast<int32_t>(b - a), a, b, kPdt, kPdt});
    }
    ASSERT_GT(expected.size(), 10u);
    EXPECT_EQ(Search(kSearchSlackWater, kConditionAtLeast, minimum), expected);
  }
}

}  // namespace
}  // namespace qw
