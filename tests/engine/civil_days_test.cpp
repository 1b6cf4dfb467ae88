// The day lists of a station's civil dates across the changes of the clocks: every high
// and low water, flood, ebb and slack listed once, on the date its clock shows it, with
// the offset in force at its instant; 23 or 25 hours of rows on the days the clocks change.
#include "engine/civil_days.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/calendar.h"
#include "engine/current_prediction.h"
#include "engine/engine_settings.h"
#include "engine/tide_prediction.h"
#include "engine/time_zone.h"
#include "tests/support/current_fixture.h"
#include "tests/support/test_support.h"
#include "tests/support/tide_station_fixture.h"

namespace qw {
namespace {

constexpr uint16_t kMixed = 100;
constexpr uint16_t kCurrent = 761;

// The dates the Pacific clocks changed under the rules of 1974, 1987-2006 and since 2007.
struct Change {
  int year, month, day;
  int32_t offsetBefore, offsetAfter;
};
constexpr Change kTideChanges[] = {{1974, 1, 6, -480, -420},  {1974, 10, 27, -420, -480}, {2006, 4, 2, -480, -420},
                                   {2006, 10, 29, -420, -480}, {2007, 3, 11, -480, -420}, {2007, 11, 4, -420, -480},
                                   {2025, 3, 9, -480, -420},   {2025, 11, 2, -420, -480}};
constexpr Change kCurrentChanges[] = {{2005, 4, 3, -480, -420},  {2005, 10, 30, -420, -480}, {2006, 4, 2, -480, -420},
                                      {2006, 10, 29, -420, -480}, {2007, 3, 11, -480, -420}, {2007, 11, 4, -420, -480},
                                      {2008, 3, 9, -480, -420},   {2008, 11, 2, -420, -480}};

class CivilDaysTest : public test::EngineTest {
 protected:
  const StationClock pacific_{-120, kDstNorthAmerican, "America/Los_Angeles"};

  void WriteMixedStation(int firstYear, int lastYear) {
    std::string error;
    ASSERT_TRUE(test::WriteSyntheticStations(dataDir_.path().string(), {test::MixedTideStation(kMixed)}, firstYear,
                                             lastYear, &error))
        << error;
  }

  // A subordinate of the mixed station whose highs and lows come at other times.
  static TideLocation Subordinate() {
    TideLocation subordinate = test::ReferenceLocation(kMixed, 2, "Subordinate");
    subordinate.highTimeOffset = 35;
    subordinate.lowTimeOffset = -20;
    subordinate.highHeightDiff = 10;
    subordinate.lowHeightDiff = 0;
    return subordinate;
  }

  // Checks the readings of the events listed on `date`: that date at the station, and the
  // offset before or after the change by the instant. Returns the instants.
  template <typename Event>
  std::vector<EngineMinute> Instants(const std::vector<Event>& events, EngineMinute date, const Change& change) {
    // The first instant of the new offset: 03:00 in spring, the second 01:00 in the autumn.
    const bool spring = change.offsetAfter > change.offsetBefore;
    const EngineMinute changeInstant =
        pacific_.StandardAt(MinuteOf(change.year, change.month, change.day, spring ? 3 : 1, 0), !spring);
    std::vector<EngineMinute> out;
    for (const Event& e : events) {
      EXPECT_EQ(e.at.shown - e.at.shown % kMinutesPerDay, date);
      if (date == MinuteOf(change.year, change.month, change.day)) {
        EXPECT_EQ(e.at.utcOffsetMinutes, e.at.standard < changeInstant ? change.offsetBefore : change.offsetAfter);
      }
      out.push_back(e.at.standard);
    }
    return out;
  }

  // Over the five dates around `change`: the events the day lists give (`list(date)`) are
  // the ones a walk from event to event finds (`next(t)`), each once. Counts the events
  // met between 01:00 and 03:00 of the change date.
  template <typename List, typename Next>
  void ExpectEachEventOnce(const Change& change, List list, Next next, int& inTheChangingHours) {
    const EngineMinute changeDate = MinuteOf(change.year, change.month, change.day);
    std::vector<EngineMinute> listed;
    for (int d = -2; d <= 2; ++d) {
      const EngineMinute date = changeDate + static_cast<EngineMinute>(d * static_cast<int>(kMinutesPerDay));
      const auto day = list(date);
      ASSERT_EQ(day.status, 0) << reports_.Describe();
      for (EngineMinute t : Instants(day.events, date, change)) listed.push_back(t);
    }
    const EngineMinute from = pacific_.Day(changeDate - 2 * kMinutesPerDay).standardStart;
    const EngineMinute to = pacific_.Day(changeDate + 2 * kMinutesPerDay).standardEnd;
    std::vector<EngineMinute> expected;
    for (EngineMinute t = next(from - 1); t < to; t = next(t)) {
      expected.push_back(t);
      const EngineMinute shown = pacific_.ShownAt(t);
      inTheChangingHours += shown >= changeDate + 60 && shown < changeDate + 180;
    }
    EXPECT_EQ(listed, expected) << change.year << "-" << change.month;
  }
};

TEST_F(CivilDaysTest, TideEventsAroundTheChangesAreEachListedOnce) {
  ASSERT_NO_FATAL_FAILURE(WriteMixedStation(1973, 2026));
  const TideLocation subordinate = Subordinate();
  int inTheChangingHours = 0;
  for (const TideLocation& station : {test::ReferenceLocation(kMixed, 1, "Mixed Harbour"), subordinate}) {
    for (const Change& change : kTideChanges) {
      ExpectEachEventOnce(
          change, [&](EngineMinute date) { return FindTideDay(station, pacific_, date); },
          [&](EngineMinute t) { return PredictTide(station, t, +1).time; }, inTheChangingHours);
    }
  }
  EXPECT_GT(inTheChangingHours, 2);  // events between 01:00 and 03:00 of a change day were met
}

TEST_F(CivilDaysTest, HeightRowsFollowTheRealHoursOfTheDate) {
  ASSERT_NO_FATAL_FAILURE(WriteMixedStation(2024, 2026));
  const TideLocation station = test::ReferenceLocation(kMixed, 1, "Mixed Harbour");
  const TideDayHeights spring = FindTideDayHeights(station, pacific_, MinuteOf(2025, 3, 9), 60);
  ASSERT_EQ(spring.rows.size(), 23u);
  EXPECT_EQ(spring.rows[2].at.shown, MinuteOf(2025, 3, 9, 3, 0));
  EXPECT_EQ(spring.rows[2].at.utcOffsetMinutes, -420);
  const TideDayHeights fall = FindTideDayHeights(station, pacific_, MinuteOf(2025, 11, 2), 60);
  ASSERT_EQ(fall.rows.size(), 25u);
  EXPECT_EQ(fall.rows[1].at.shown, fall.rows[2].at.shown);  // 01:00 twice
  EXPECT_EQ(fall.rows[1].at.utcOffsetMinutes, -420);
  EXPECT_EQ(fall.rows[2].at.utcOffsetMinutes, -480);
  for (const ShownTideValue& row : fall.rows) EXPECT_EQ(row.height, PredictTide(station, row.at.standard, 0).height);
  EXPECT_EQ(FindTideDayHeights(station, pacific_, MinuteOf(2025, 6, 1), 15).rows.size(), 96u);

  // A date the zone skipped has no rows and no events.
  const StationClock apia(195, kDstNone, "Pacific/Apia");
  ASSERT_NO_FATAL_FAILURE(WriteMixedStation(2011, 2012));
  EXPECT_TRUE(FindTideDayHeights(station, apia, MinuteOf(2011, 12, 30), 60).rows.empty());
  const TideDayList skipped = FindTideDay(station, apia, MinuteOf(2011, 12, 30));
  EXPECT_EQ(skipped.status, 0);
  EXPECT_TRUE(skipped.events.empty());
  EXPECT_FALSE(FindTideDay(station, apia, MinuteOf(2011, 12, 31)).events.empty());
}

// A day of minute heights comes from one call: every row is what PredictTide gives for its
// instant, at a reference, a subordinate and a station on another datum, on a date whose
// clock changes and on an Auckland New Year's Day, whose first hour lies in the year before
// on the station's standard time (the sum's year is loaded again part way).
TEST_F(CivilDaysTest, MinuteRowsOfADayAreEachPredictTidesHeight) {
  ASSERT_NO_FATAL_FAILURE(WriteMixedStation(2025, 2026));
  const TideLocation subordinate = Subordinate();
  TideLocation shifted = test::ReferenceLocation(kMixed, 1, "Mixed Harbour");
  shifted.datum = "MSL";
  shifted.datumMicroFeet = 3120000;
  const StationClock auckland(180, kDstNone, "Pacific/Auckland");
  for (const TideLocation& station : {test::ReferenceLocation(kMixed, 1, "Mixed Harbour"), subordinate, shifted}) {
    for (const auto& [clock, date] : {std::pair{&pacific_, MinuteOf(2025, 11, 2)}, std::pair{&auckland, MinuteOf(2026, 1, 1)}}) {
      const TideDayHeights day = FindTideDayHeights(station, *clock, date, 1);
      ASSERT_EQ(day.status, 0);
      ASSERT_EQ(day.rows.size(), day.span.Minutes());
      for (const ShownTideValue& row : day.rows) {
        ASSERT_EQ(row.height, PredictTide(station, row.at.standard, 0).height) << station.name << " " << row.at.standard;
      }
    }
  }
}

TEST_F(CivilDaysTest, CurrentEventsAroundTheChangesAreEachListedOnce) {
  test::WriteCurrentTables(dataDir_.path().string());
  test::WriteCurrentFile(dataDir_.path().string(), test::ReversingCurrent(kCurrent));
  const CurrentLocation reference = test::HarmonicCurrentStation(kCurrent, 1);
  const CurrentLocation subordinate = test::SubordinateCurrentStation(kCurrent, 2, -20, 35, 10, -45, 80, 120);
  int inTheChangingHours = 0;
  for (const CurrentLocation& station : {reference, subordinate}) {
    for (const Change& change : kCurrentChanges) {
      ExpectEachEventOnce(
          change, [&](EngineMinute date) { return FindCurrentDay(station, pacific_, date); },
          [&](EngineMinute t) { return PredictCurrent(station, t, +1).time; }, inTheChangingHours);
    }
  }
  EXPECT_GT(inTheChangingHours, 2);

  const CurrentDaySpeeds fall = FindCurrentDaySpeeds(reference, pacific_, MinuteOf(2007, 11, 4), 30);
  EXPECT_EQ(fall.rows.size(), 50u);
  for (const ShownCurrentValue& row : fall.rows) EXPECT_EQ(row.speed, PredictCurrent(reference, row.at.standard, 0).speed);
}

}  // namespace
}  // namespace qw

namespace qw {
namespace {

// A station put on another datum: every event and row at the same instant and of the same
// kind, its height less the datum's height above the chart datum; the day's range still
// takes in the zero of the datum shown. A value a subordinate does not define stays so.
TEST_F(CivilDaysTest, AnotherDatumMovesEveryHeightAndNothingElse) {
  ASSERT_NO_FATAL_FAILURE(WriteMixedStation(2025, 2026));
  TideLocation subordinate = test::ReferenceLocation(kMixed, 2, "Subordinate");
  subordinate.highTimeOffset = 35;
  subordinate.lowTimeOffset = -20;
  subordinate.highHeightRatio = subordinate.lowHeightRatio = 90;
  subordinate.highHeightDiff = subordinate.lowHeightDiff = 0;
  for (const TideLocation& chart : {test::ReferenceLocation(kMixed, 1, "Mixed Harbour"), subordinate}) {
    for (int32_t datum : {3120000, -150000, 9000000}) {  // mean sea level, a land datum below, above every high
      TideLocation shifted = chart;
      shifted.datum = "D";
      shifted.datumMicroFeet = datum;
      for (int d = 0; d < 20; ++d) {
        const EngineMinute date = MinuteOf(2025, 6, 1) + static_cast<EngineMinute>(d) * kMinutesPerDay;
        const TideDayList a = FindTideDay(chart, pacific_, date), b = FindTideDay(shifted, pacific_, date);
        ASSERT_EQ(a.events.size(), b.events.size());
        for (size_t i = 0; i < a.events.size(); ++i) {
          EXPECT_EQ(b.events[i].kind, a.events[i].kind);
          EXPECT_EQ(b.events[i].at.standard, a.events[i].at.standard);
          EXPECT_EQ(b.events[i].height, a.events[i].height - datum);
        }
        EXPECT_GE(b.maximum, 0);
        EXPECT_LE(b.minimum, 0);
        const TideDayHeights ha = FindTideDayHeights(chart, pacific_, date, 60);
        const TideDayHeights hb = FindTideDayHeights(shifted, pacific_, date, 60);
        ASSERT_EQ(ha.rows.size(), hb.rows.size());
        for (size_t i = 0; i < ha.rows.size(); ++i) EXPECT_EQ(hb.rows[i].height, ha.rows[i].height - datum);
      }
    }
  }
  TideLocation undefined = test::ReferenceLocation(kMixed, 3, "Undefined");
  undefined.lowHeightDiff = kNotGiven16;
  undefined.datumMicroFeet = 3120000;
  EXPECT_EQ(PredictTide(undefined, MinuteOf(2025, 6, 1, 12, 0), 0).height, kValueNotDefined);
}

}  // namespace
}  // namespace qw
