// Current predictions at harmonic and subordinate stations: events, values, the day's
// list, the not-defined rule and the station kinds with double or ebb-only events.
#include "engine/current_prediction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/calendar.h"
#include "engine/current_events.h"
#include "engine/current_harmonics.h"
#include "engine/engine_settings.h"
#include "engine/engine_values.h"
#include "tests/support/current_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

constexpr uint16_t kReference = 761;
constexpr int16_t N = kNotGiven16;

struct Ev {
  EngineMinute time = 0;
  int32_t speed = 0;
  char kind = 0;
  int16_t direction = 0;
};

class CurrentPredictionTest : public test::EngineTest {
 protected:
  CurrentPredictionTest() {
    test::WriteCurrentTables(dataDir_.path().string());
    test::WriteCurrentFile(dataDir_.path().string(), test::ReversingCurrent(kReference));
    reference_ = test::HarmonicCurrentStation(kReference, 1);
  }

  static Ev FromEvent(const CurrentEvent& c) { return Ev{c.time, c.speed, c.kind, c.direction}; }

  Ev Step(const CurrentLocation& s, EngineMinute from, int step) {
    const Ev e = FromEvent(PredictCurrent(s, from, step));
    EXPECT_NE(e.speed, kValueFailed) << reports_.Describe();
    return e;
  }
  // The same in shown time with a date's daylight-saving flag.
  Ev ShownStep(const CurrentLocation& s, EngineMinute from, int step, int dst) {
    return FromEvent(PredictCurrentShown(s, from, step, dst));
  }

  // The reference events from `from` to `to`, found by the harmonic search itself.
  std::vector<Ev> ReferenceEvents(EngineMinute from, EngineMinute to) {
    std::vector<Ev> out;
    for (EngineMinute m = from;;) {
      const Ev e = FromEvent(FindReferenceCurrentEvent(reference_, m, 1));
      if (e.time > to) return out;
      out.push_back(e);
      m = e.time;
    }
  }

  CurrentLocation reference_;
};

TEST_F(CurrentPredictionTest, HarmonicStationGivesItsOwnEventsAndValues) {
  const EngineMinute start = MinuteOf(2004, 3, 14, 5, 0);
  const std::vector<Ev> events = ReferenceEvents(start, start + 2 * kMinutesPerDay);
  ASSERT_GE(events.size(), 14u);
  EngineMinute m = start;
  for (const Ev& expected : events) {
    const Ev e = Step(reference_, m, 1);
    EXPECT_EQ(e.time, expected.time);
    EXPECT_EQ(e.speed, expected.speed);
    EXPECT_EQ(e.kind, expected.kind);
    EXPECT_EQ(e.direction, expected.direction);
    EXPECT_EQ(Step(reference_, e.time, -1).time, m > start ? m : Step(reference_, start + 1, -1).time);
    m = e.time;
  }
  for (EngineMinute t = start; t < start + kMinutesPerDay; t += 37) {
    const Ev v = Step(reference_, t, 0);
    const CurrentSample sample = ComputeCurrentSpeed(t, Settings().mathType);
    EXPECT_EQ(v.speed, sample.speed);
    EXPECT_EQ(v.direction, sample.direction);
    EXPECT_EQ(v.kind, v.speed > 100000 ? 'F' : v.speed < -100000 ? 'E' : 'S');
  }
}

TEST_F(CurrentPredictionTest, SubordinateEventsAreTheReferenceShiftedAndScaled) {
  const CurrentLocation sub = test::SubordinateCurrentStation(kReference, 2, -20, 35, 10, -45, 80, 120);
  const EngineMinute start = MinuteOf(2004, 3, 14);
  const std::vector<Ev> ref = ReferenceEvents(start - 240, start + 3 * kMinutesPerDay);
  ASSERT_GE(ref.size(), 20u);
  // Follow the subordinate's events from the reference's second one on.
  Ev e{ref[2].time - 60, 0, 0, 0};
  for (size_t i = 2; i + 1 < ref.size(); ++i) {
    const Ev& r = ref[i];
    const bool beforeEbb = ref[i - 1].kind == 'F';
    int32_t correction;
    int16_t ratio, direction;
    switch (r.kind) {
      case 'F': correction = 35; ratio = 80; direction = 30; break;
      case 'E': correction = -45; ratio = 120; direction = 210; break;
      default:
        correction = beforeEbb ? 10 : -20;
        ratio = beforeEbb ? 80 : 120;
        direction = N;  // the station gives no slack directions
        break;
    }
    e = Step(sub, e.time, 1);
    EXPECT_EQ(e.time, r.time + correction) << i;
    EXPECT_EQ(e.kind, r.kind) << i;
    EXPECT_EQ(e.speed, r.speed / 10 * ratio / 10) << i;
    EXPECT_EQ(e.direction, direction) << i;
    // The value at the event's own time is the event's speed. (A slack belongs to two
    // half-cycles; its value is scaled by the ratio of the half-cycle that starts there.)
    const Ev v = Step(sub, e.time, 0);
    EXPECT_NEAR(v.speed, e.speed, e.kind == 'S' ? std::abs(r.speed) / 2 + 1 : 1) << i;
  }
}

TEST_F(CurrentPredictionTest, SubordinateValuesStayBetweenTheirSegmentEnds) {
  const CurrentLocation sub = test::SubordinateCurrentStation(kReference, 2, -20, 35, 10, -45, 80, 120);
  Ev a = Step(sub, MinuteOf(2004, 5, 2), 1);
  for (int n = 0; n < 8; ++n) {
    const Ev b = Step(sub, a.time, 1);
    for (EngineMinute t = a.time; t <= b.time; t += 5) {
      const Ev v = Step(sub, t, 0);
      // Within 0.01 knot: at a slack the ratio of the next half-cycle applies.
      EXPECT_GE(v.speed, std::min(a.speed, b.speed) - 10000) << t;
      EXPECT_LE(v.speed, std::max(a.speed, b.speed) + 10000) << t;
      // Running currents take the direction of the maximum they run to or from.
      if (std::abs(v.speed) >= 100000) {
        EXPECT_EQ(v.direction, v.speed > 0 ? 30 : 210) << t;
      }
    }
    a = b;
  }
}

TEST_F(CurrentPredictionTest, EventsWithoutTheirTimeCorrectionAreNotDefined) {
  // Only the flood time: every correction uses it, but only floods are defined.
  const CurrentLocation sub = test::SubordinateCurrentStation(kReference, 3, N, 25, N, N, 90, N);
  CurrentDayEvents events;
  int32_t maxSpeed = -1, minSpeed = 1;
  ASSERT_EQ(FindCurrentDayEvents(sub, MinuteOf(2004, 6, 1), events, maxSpeed, minSpeed), 0) << reports_.Describe();
  int floods = 0, undefined = 0;
  for (const CurrentEvent& e : events) {
    if (e.time == 0) break;
    if (e.kind == 'F') {
      EXPECT_GT(e.speed, 0);
      ++floods;
    } else {
      EXPECT_EQ(e.speed, kValueNotDefined) << e.kind;
      ++undefined;
    }
  }
  EXPECT_GE(floods, 1);
  EXPECT_GE(undefined, 4);
  EXPECT_GT(maxSpeed, 0);
  // Values of an ebb half-cycle are not defined either.
  for (EngineMinute t = MinuteOf(2004, 6, 1); t < MinuteOf(2004, 6, 2); t += 10) {
    const Ev v = Step(sub, t, 0);
    if (v.speed != kValueNotDefined) {
      EXPECT_GE(v.speed, -100000) << t;
    }
  }
}

TEST_F(CurrentPredictionTest, DayEventsListTheDayInOrderWithItsExtremes) {
  const EngineMinute day = MinuteOf(2004, 1, 9);  // a standard-time day
  CurrentDayEvents events;
  int32_t maxSpeed = 0, minSpeed = 0;
  ASSERT_EQ(FindCurrentDayEvents(reference_, day, events, maxSpeed, minSpeed), 0);
  const std::vector<Ev> ref = ReferenceEvents(day - 1, day + kMinutesPerDay - 1);
  size_t n = 0;
  int32_t highest = 0, lowest = 0;
  for (; n < events.size() && events[n].time != 0; ++n) {
    ASSERT_LT(n, ref.size());
    EXPECT_EQ(events[n].time, ref[n].time);
    EXPECT_EQ(events[n].kind, ref[n].kind);
    EXPECT_EQ(events[n].speed, ref[n].speed);
    highest = std::max(highest, events[n].speed);
    lowest = std::min(lowest, events[n].speed);
  }
  EXPECT_EQ(n, ref.size());
  EXPECT_EQ(maxSpeed, highest);
  EXPECT_EQ(minSpeed, lowest);

  // A station that gives none of its time corrections has no events at all.
  const CurrentLocation bare = test::SubordinateCurrentStation(kReference, 4, N, N, N, N, N, N);
  maxSpeed = 12345;
  ASSERT_EQ(FindCurrentDayEvents(bare, day, events, maxSpeed, minSpeed), 0);
  EXPECT_EQ(events[0].time, 0u);
  EXPECT_EQ(maxSpeed, 12345);
}

TEST_F(CurrentPredictionTest, MissingReferenceFileFailsTheDayWithItsMessages) {
  const CurrentLocation orphan = test::SubordinateCurrentStation(799, 5, -20, 35, 10, -45, 80, 120);
  CurrentDayEvents events;
  int32_t maxSpeed = 0, minSpeed = 0;
  EXPECT_EQ(FindCurrentDayEvents(orphan, MinuteOf(2004, 9, 9), events, maxSpeed, minSpeed), -32767);
  EXPECT_TRUE(reports_.Has(2208)) << reports_.Describe();
  EXPECT_TRUE(reports_.Has(2212, "Error initializing current!")) << reports_.Describe();
}

TEST_F(CurrentPredictionTest, ShownTimeShiftsTheDaylightHourOnlyWhereObserved) {
  const EngineMinute t = MinuteOf(2004, 7, 4, 14, 0);
  EXPECT_EQ(ShownStep(reference_, t, 0, 1).speed, Step(reference_, t - 60, 0).speed);
  const Ev e = ShownStep(reference_, t, 1, 1);
  EXPECT_EQ(e.time, Step(reference_, t - 60, 1).time + 60);
  CurrentLocation never = reference_;
  never.observesDst = 0;
  EXPECT_EQ(ShownStep(never, t, 0, 1).speed, Step(reference_, t, 0).speed);
  Settings().daylightSavings = false;
  EXPECT_EQ(ShownStep(reference_, t, 0, 1).speed, Step(reference_, t, 0).speed);
  // GMT option 2 with +2 hours: shown 14:00 is 16:00 standard.
  Settings().useGmtCorrection = 2;
  Settings().gmtCorrectionHours = 2.0;
  EXPECT_EQ(ShownStep(reference_, t, 0, 0).speed, Step(reference_, t + 120, 0).speed);
}

TEST_F(CurrentPredictionTest, EbbMostlyStationStepsFromEbbToEbbOnARaisedCosine) {
  CurrentLocation sub = test::SubordinateCurrentStation(kReference, 6, N, N, N, 15, N, 70);
  sub.stationKind = kCurrentKindEbbsMostly;
  Ev a = Step(sub, MinuteOf(2004, 4, 20), 1);
  for (int n = 0; n < 6; ++n) {
    const Ev b = Step(sub, a.time, 1);
    EXPECT_EQ(a.kind, 'E');
    EXPECT_EQ(b.kind, 'E');
    EXPECT_GT(b.time, a.time + 600);  // one maximum ebb per semidiurnal cycle
    const Ev mid = Step(sub, a.time + (b.time - a.time) / 2, 0);
    EXPECT_NEAR(mid.speed, (a.speed + b.speed) / 2.0, std::abs(a.speed - b.speed) * 0.01 + 2);
    a = b;
  }
}

TEST_F(CurrentPredictionTest, DoubleEbbStationAddsItsSecondEbb) {
  CurrentLocation sub = test::SubordinateCurrentStation(kReference, 7, -20, 35, 10, -45, 80, 120);
  sub.stationKind = kCurrentKindMayDoubleEbb;
  sub.secondEventTime = 100;  // 100 minutes after the reference's maximum ebb
  sub.secondEventRatio = 50;
  sub.secondEventDirection = 200;
  const std::vector<Ev> ref = ReferenceEvents(MinuteOf(2004, 4, 20), MinuteOf(2004, 4, 21, 12, 0));
  size_t i = 0;
  while (ref[i].kind != 'E') ++i;
  const Ev& ebb = ref[i];
  const Ev first = Step(sub, ebb.time - 45 - 5, 1);
  EXPECT_EQ(first.time, ebb.time - 45);
  EXPECT_EQ(first.kind, 'E');
  const Ev second = Step(sub, first.time, 1);
  EXPECT_EQ(second.time, ebb.time + 100);
  EXPECT_EQ(second.kind, 'E');
  EXPECT_EQ(second.speed, ebb.speed / 10 * 50 / 10);
  EXPECT_EQ(second.direction, 200);
  const Ev slack = Step(sub, second.time, 1);
  EXPECT_EQ(slack.kind, 'S');
  EXPECT_EQ(slack.time, ref[i + 1].time - 20);
  // And back again.
  EXPECT_EQ(Step(sub, slack.time, -1).time, second.time);
  EXPECT_EQ(Step(sub, second.time, -1).time, first.time);
}

}  // namespace
}  // namespace qw
