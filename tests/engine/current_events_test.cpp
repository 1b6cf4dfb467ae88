// The event search at harmonic current stations: what it finds is a true maximum,
// minimum or slack to the minute, strictly after (before) the asked minute, in the order
// of the tidal cycle, and cached.
#include "engine/current_events.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "engine/calendar.h"
#include "engine/current_harmonics.h"
#include "engine/engine_settings.h"
#include "engine/engine_values.h"
#include "tests/support/current_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

struct Found {
  EngineMinute time = 0;
  int32_t speed = 0;
  char kind = ' ';
  int16_t direction = 0;
};

class CurrentEventsTest : public test::EngineTest {
 protected:
  CurrentEventsTest() { test::WriteCurrentTables(dataDir_.path().string()); }

  CurrentLocation Station(const CurrentHarmonicFile& file) {
    test::WriteCurrentFile(dataDir_.path().string(), file);
    return test::HarmonicCurrentStation(file.number, file.number);
  }

  Found Event(const CurrentLocation& station, EngineMinute from, int step) {
    const CurrentEvent e = FindReferenceCurrentEvent(station, from, step);
    EXPECT_NE(e.speed, kValueFailed) << reports_.Describe();
    Found f;
    f.time = e.time;
    f.speed = e.speed;
    f.kind = e.kind;
    f.direction = e.direction;
    return f;
  }

  int32_t At(const CurrentLocation& station, EngineMinute minute) {
    return FindReferenceCurrentEvent(station, minute, 0).speed;
  }
};

TEST_F(CurrentEventsTest, EventsAreTrueExtremesAndSlacksInCycleOrder) {
  const CurrentLocation station = Station(test::ReversingCurrent(751));
  for (char form : {'f', 'i'}) {
    Settings().mathType = form;
    const std::string where = std::string("form ") + form;
    Found previous = Event(station, MinuteOf(2004, 8, 30, 22, 0), 1);
    int count = 0;
    while (previous.time < MinuteOf(2004, 9, 6)) {
      const Found e = Event(station, previous.time, 1);
      ASSERT_GT(e.time, previous.time) << where;
      const int32_t before = At(station, e.time - 1), after = At(station, e.time + 1);
      EXPECT_EQ(At(station, e.time), e.speed);
      switch (e.kind) {
        case 'S':
          // A true minimum of the magnitude, where the current turns.
          EXPECT_LE(std::abs(e.speed), std::abs(before)) << where << " " << e.time;
          EXPECT_LE(std::abs(e.speed), std::abs(after)) << where << " " << e.time;
          EXPECT_LT(static_cast<int64_t>(At(station, e.time - 30)) * At(station, e.time + 30), 0) << e.time;
          EXPECT_LE(std::abs(e.speed), EventSlackThreshold());
          break;
        case 'F':
          EXPECT_GT(e.speed, 0);
          EXPECT_GE(e.speed, before) << where << " " << e.time;
          EXPECT_GE(e.speed, after) << where << " " << e.time;
          EXPECT_EQ(e.direction, 45);
          break;
        case 'E':
          EXPECT_LT(e.speed, 0);
          EXPECT_LE(e.speed, before) << where << " " << e.time;
          EXPECT_LE(e.speed, after) << where << " " << e.time;
          EXPECT_EQ(e.direction, 225);
          break;
        default:
          ADD_FAILURE() << "kind '" << e.kind << "'";
      }
      // This station reverses strongly: flood, slack, ebb, slack, flood ...
      if (previous.kind == 'S') {
        EXPECT_NE(e.kind, 'S') << where << " " << e.time;
      } else {
        EXPECT_EQ(e.kind, 'S') << where << " " << e.time;
      }
      // And the search backwards from an event finds the one before it.
      const Found back = Event(station, e.time, -1);
      EXPECT_EQ(back.time, previous.time) << where;
      EXPECT_EQ(back.kind, previous.kind) << where;
      previous = e;
      ++count;
    }
    // Four events per semidiurnal cycle of 12 h 25 min: about 47 in these 6 days 2 hours.
    EXPECT_GE(count, 46) << where;
    EXPECT_LE(count, 48) << where;
  }
}

TEST_F(CurrentEventsTest, TheNextEventMayBeOneMinuteAway) {
  const CurrentLocation station = Station(test::ReversingCurrent(752));
  const Found e = Event(station, MinuteOf(2004, 5, 1), 1);
  const Found next = Event(station, e.time, 1);
  // From one minute before an event, that event; from the event itself, the next one.
  EXPECT_EQ(Event(station, e.time - 1, 1).time, e.time);
  EXPECT_EQ(Event(station, next.time - 1, 1).time, next.time);
  EXPECT_EQ(Event(station, next.time + 1, -1).time, next.time);
  EXPECT_EQ(Event(station, next.time, -1).time, e.time);
  // Asked anywhere between two events, the same two come back.
  for (EngineMinute m = e.time + 1; m < next.time; m += 7) {
    EXPECT_EQ(Event(station, m, 1).time, next.time) << m;
    EXPECT_EQ(Event(station, m, -1).time, e.time) << m;
  }
}

TEST_F(CurrentEventsTest, ShortFloodsKeepTheSlacksOnBothSides) {
  // S2 (node factor 1) of 2 knots on 1.995 knots of ebb flow: the current floods for a
  // quarter of an hour a tide at 0.005 knot, so each flood and both its slacks fall within
  // one stride of the search.
  CurrentHarmonicFile file;
  file.number = 756;
  file.meanCurrentMicroKnots = -1995000;
  file.ebbDirectionDegrees = 180;
  file.records = {test::CurrentTerm(1, 2.0, 0, 0)};
  const CurrentLocation station = Station(file);
  Found previous = Event(station, MinuteOf(2004, 3, 1), 1);
  int floods = 0;
  for (int n = 0; n < 40; ++n) {
    const Found e = Event(station, previous.time, 1);
    ASSERT_GT(e.time, previous.time);
    if (previous.kind == 'S') {
      EXPECT_NE(e.kind, 'S') << e.time;
    } else {
      EXPECT_EQ(e.kind, 'S') << e.time << " after '" << previous.kind << "' at " << previous.time;
    }
    if (e.kind == 'S') {
      // Where the current changes sign.
      const int32_t before = At(station, e.time - 1), after = At(station, e.time + 1);
      EXPECT_TRUE((before > 0) != (after > 0) || e.speed == 0) << e.time;
    }
    floods += e.kind == 'F';
    previous = e;
  }
  EXPECT_GE(floods, 8);
}

TEST_F(CurrentEventsTest, FoundEventsAreAnsweredFromTheCache) {
  const CurrentLocation station = Station(test::ReversingCurrent(753));
  const Found first = Event(station, MinuteOf(2004, 10, 3, 9, 0), 1);
  const uint64_t sums = CurrentSpeedSumCount();
  const Found again = Event(station, MinuteOf(2004, 10, 3, 9, 0), 1);
  EXPECT_EQ(again.time, first.time);
  EXPECT_EQ(again.speed, first.speed);
  EXPECT_EQ(again.kind, first.kind);
  EXPECT_EQ(again.direction, first.direction);
  EXPECT_EQ(CurrentSpeedSumCount(), sums);
}

TEST_F(CurrentEventsTest, WeakeningThatDoesNotTurnIsAFloodUnlessTheUserSlackCoversIt) {
  // M2 of 1 knot on 1.45 knots of mean flow: the current floods all the time and weakens
  // to about 0.45 knot twice a day.
  CurrentHarmonicFile file;
  file.number = 754;
  file.meanCurrentMicroKnots = 1450000;
  file.ebbDirectionDegrees = 180;
  file.records = {test::CurrentTerm(0, 1.0, 0, 0)};
  const CurrentLocation station = Station(file);
  Found strongest = Event(station, MinuteOf(2004, 2, 10), 1);
  Found weakest = Event(station, strongest.time, 1);
  if (weakest.speed > strongest.speed) std::swap(weakest, strongest);
  EXPECT_EQ(weakest.kind, 'F');
  EXPECT_NEAR(weakest.speed / 1e6, 0.45, 0.05);
  EXPECT_LE(weakest.speed, At(station, weakest.time - 1));
  EXPECT_LE(weakest.speed, At(station, weakest.time + 1));

  // The same cached event, once the user's slack speed covers it.
  Settings().useUserSlack = true;
  Settings().userSlackValue = 0.6;
  const Found relabelled = Event(station, weakest.time - 1, 1);
  EXPECT_EQ(relabelled.time, weakest.time);
  EXPECT_EQ(relabelled.kind, 'S');
  Settings().userSlackValue = 0.1;  // never below 0.3 knot
  EXPECT_EQ(Event(station, weakest.time - 1, 1).kind, 'F');
}

TEST_F(CurrentEventsTest, SearchCrossesTheNewYearAndMissingYearsFail) {
  const CurrentLocation station = Station(test::ReversingCurrent(755));
  const Found e = Event(station, MinuteOf(2004, 12, 31, 23, 50), 1);
  EXPECT_GT(e.time, MinuteOf(2005, 1, 1));
  EXPECT_EQ(Event(station, e.time, -1).time < MinuteOf(2004, 12, 31, 23, 50), true);

  // The fixture's year file ends with 2010.
  EXPECT_EQ(FindReferenceCurrentEvent(station, MinuteOf(2010, 12, 31, 23, 0), 1).speed, kValueFailed);
  EXPECT_TRUE(reports_.Has(2101)) << reports_.Describe();
}

}  // namespace
}  // namespace qw
