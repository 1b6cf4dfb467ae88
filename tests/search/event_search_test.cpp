// The event search against the engine's own day lists and a minute-by-minute scan, on a
// synthetic mixed-tide station and, when the built data is there, on San Francisco.
#include "search/event_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <vector>

#include "engine/calendar.h"
#include "engine/civil_days.h"
#include "engine/data_dir.h"
#include "engine/engine_settings.h"
#include "engine/engine_state.h"
#include "engine/string_table.h"
#include "engine/station_database.h"
#include "engine/tide_prediction.h"
#include "search/event_search_run.h"
#include "search/search_texts.h"
#include "tests/support/test_support.h"
#include "tests/support/tide_station_fixture.h"

namespace qw {
namespace {

constexpr uint16_t kReference = 101;

int32_t RoundedToTenth(int32_t v) {
  const int64_t m = (std::llabs(v) + 50000) / 100000 * 100000;
  return static_cast<int32_t>(v < 0 ? -m : m);
}

int TimeOfDay(EngineMinute m) { return static_cast<int>(m % kMinutesPerDay); }
int Weekday(EngineMinute m) {
  DateRecord d;
  MinuteToDate(m, d);
  return d.weekday;
}

// Stops when asked to after a number of pumps.
class CountingProgress : public SearchProgress {
 public:
  explicit CountingProgress(int stopAfter = -1) : stopAfter_(stopAfter) {}
  void Status(int line, const std::string& text) override {
    if (line == 2 && !text.empty()) ++daysShown;
  }
  bool Pump() override {
    ++pumps;
    if (stopAfter_ >= 0 && pumps >= stopAfter_) stopped_ = true;
    return stopped_;
  }
  bool StopRequested() const override { return stopped_; }
  int pumps = 0;
  int daysShown = 0;

 private:
  int stopAfter_;
  bool stopped_ = false;
};

struct Expected {
  EngineMinute start;
  EngineMinute end;
  int32_t value;
};

void ExpectSameHits(const std::vector<EventHit>& found, const std::vector<Expected>& expected) {
  ASSERT_EQ(found.size(), expected.size());
  for (size_t i = 0; i < found.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(found[i].start, expected[i].start);
    EXPECT_EQ(found[i].end, expected[i].end);
    EXPECT_EQ(found[i].value, expected[i].value);
  }
}

class EventSearchTest : public test::EngineTest {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(test::WriteSyntheticStations(dataDir_.path().string(), {test::MixedTideStation(kReference)}, 2019,
                                             2023, &error))
        << error;
    station_.kind = StationKind::Tide;
    station_.tide = test::ReferenceLocation(kReference, 1, "Mixed Harbour");
  }

  // The day lists' high and low waters of the dates first..last (00:00 of each), at
  // their shown times (the fixture's clock keeps standard time).
  std::vector<TideExtreme> DayListEvents(EngineMinute first, EngineMinute last) {
    std::vector<TideExtreme> events;
    for (EngineMinute day = first; day <= last; day += kMinutesPerDay) {
      const TideDayList list = FindTideDay(station_.tide, station_.clock, day);
      EXPECT_EQ(list.status, 0);
      for (const ShownTideEvent& e : list.events) events.push_back({e.kind, e.height, e.at.shown});
    }
    return events;
  }

  std::vector<EventHit> Search(uint8_t code, EngineMinute first, EngineMinute lastDay, int32_t threshold,
                               int dayStart = 0, int dayEnd = 1439, uint8_t mask = kAllWeekdays) {
    std::vector<EventHit> hits;
    CountingProgress progress;
    const EventSearchPlan plan{code, threshold, first, lastDay + 1439, dayStart, dayEnd, mask};
    EngineMinute resume = 0;
    while (const std::optional<EventHit> hit = FindNextEvent(station_, plan, resume, progress)) {
      hits.push_back(*hit);
      if (hits.size() > 5000) break;
    }
    return hits;
  }

  SearchStation station_;
};

TEST_F(EventSearchTest, HighAndLowWatersMeetTheirConditionsAndLimitsAsTheDayListsSay) {
  const EngineMinute first = MinuteOf(2021, 3, 1), last = MinuteOf(2021, 4, 30);
  const std::vector<TideExtreme> events = DayListEvents(first, last);
  ASSERT_GT(events.size(), 200u);
  const uint8_t weekend = (1u << 0) | (1u << 6);
  struct Case {
    int kind, condition;
    double feet;
    int dayStart, dayEnd;
    uint8_t mask;
  };
  for (const Case& c : {Case{kSearchHighTides, kConditionAtLeast, 5.0, 0, 1439, kAllWeekdays},
                        Case{kSearchHighTides, kConditionAtLeast, 5.0, 6 * 60, 18 * 60, weekend},
                        Case{kSearchLowTides, kConditionAtMost, 1.0, 0, 1439, kAllWeekdays},
                        Case{kSearchLowTides, kConditionAtLeast, 0.5, 8 * 60, 20 * 60, kAllWeekdays}}) {
    SCOPED_TRACE(c.kind * 100 + c.condition);
    const int32_t threshold = SearchThreshold(c.feet, c.kind, TideUnit::Feet, CurrentUnit::Knots);
    std::vector<Expected> expected;
    for (const TideExtreme& e : events) {
      if (e.kind != (c.kind == kSearchHighTides ? 'H' : 'L')) continue;
      if (TimeOfDay(e.time) < c.dayStart || TimeOfDay(e.time) > c.dayEnd) continue;
      if (c.mask != kAllWeekdays && (c.mask & (1u << Weekday(e.time))) == 0) continue;
      const int32_t v = RoundedToTenth(e.height);
      if (c.condition == kConditionAtLeast ? v >= threshold : v <= threshold) expected.push_back({e.time, e.time, v});
    }
    ASSERT_FALSE(expected.empty());
    ExpectSameHits(Search(MakeSearchCode(c.kind, c.condition, kPeriodWholeRange), first, last, threshold, c.dayStart,
                          c.dayEnd, c.mask),
                   expected);
  }
}

TEST_F(EventSearchTest, GreatestAndSmallestGiveOneRowPerPeriodTheEarliestOfEqualValues) {
  const EngineMinute first = MinuteOf(2021, 1, 1), last = MinuteOf(2021, 6, 30);
  const std::vector<TideExtreme> events = DayListEvents(first, last);
  struct Case {
    int kind, condition, period;
  };
  for (const Case& c : {Case{kSearchHighTides, kConditionGreatest, kPeriodDay},
                        Case{kSearchLowTides, kConditionSmallest, kPeriodMonth},
                        Case{kSearchHighTides, kConditionSmallest, kPeriodWholeRange}}) {
    SCOPED_TRACE(c.kind * 100 + c.condition * 10 + c.period);
    // Periods keyed by day, month or nothing; the best value of each, the earliest on ties.
    std::map<int, Expected> best;
    for (const TideExtreme& e : events) {
      if (e.kind != (c.kind == kSearchHighTides ? 'H' : 'L')) continue;
      DateRecord d;
      MinuteToDate(e.time, d);
      const int key = c.period == kPeriodDay ? d.year * 10000 + d.month * 100 + d.day
                      : c.period == kPeriodMonth ? d.year * 100 + d.month : 0;
      const int32_t v = RoundedToTenth(e.height);
      auto it = best.find(key);
      const bool better = it == best.end() ||
                          (c.condition == kConditionGreatest ? v > it->second.value : v < it->second.value);
      if (better) best[key] = {e.time, e.time, v};
    }
    std::vector<Expected> expected;
    for (const auto& [key, e] : best) expected.push_back(e);
    ExpectSameHits(Search(MakeSearchCode(c.kind, c.condition, c.period), first, last, 0), expected);
  }
}

TEST_F(EventSearchTest, EverySwingIsListedAndOnlyBetweenEventsThatPassTheFilters) {
  const EngineMinute first = MinuteOf(2022, 7, 1), last = MinuteOf(2022, 7, 31);
  const std::vector<TideExtreme> events = DayListEvents(first, last);
  for (int dayStart : {0, 7 * 60}) {
    SCOPED_TRACE(dayStart);
    const int dayEnd = dayStart == 0 ? 1439 : 19 * 60;
    std::vector<Expected> expected;
    for (size_t i = 1; i < events.size(); ++i) {
      const TideExtreme& a = events[i - 1];
      const TideExtreme& b = events[i];
      auto inWindow = [&](EngineMinute t) { return TimeOfDay(t) >= dayStart && TimeOfDay(t) <= dayEnd; };
      if (!inWindow(a.time) || !inWindow(b.time)) continue;
      const int32_t swing = std::abs(RoundedToTenth(a.height) - RoundedToTenth(b.height));
      if (swing >= 3000000) expected.push_back({a.time, b.time, swing});
    }
    ASSERT_GT(expected.size(), 8u);
    ExpectSameHits(Search(MakeSearchCode(kSearchTidalSwings, kConditionAtLeast, kPeriodWholeRange), first, last,
                          3000000, dayStart, dayEnd),
                   expected);
  }
}

TEST_F(EventSearchTest, SpansOfValuesMatchAMinuteByMinuteScan) {
  const EngineMinute first = MinuteOf(2020, 10, 1), last = MinuteOf(2020, 10, 20);
  const EngineMinute rangeEnd = last + 1439;
  const std::vector<TideExtreme> events = DayListEvents(first, last);
  // A threshold near 4.5 ft that no extreme lies so close to that rounding to a tenth
  // decides whether it meets it.
  int32_t threshold = 4500000;
  auto clear = [&](int32_t t) {
    return std::all_of(events.begin(), events.end(), [&](const TideExtreme& e) { return std::abs(e.height - t) > 50000; });
  };
  while (!clear(threshold)) threshold += 10000;
  ASSERT_LT(threshold, 6000000);

  std::vector<int32_t> heights;
  for (EngineMinute m = first; m <= rangeEnd; ++m) {
    heights.push_back(PredictTide(station_.tide, m, 0).height);
  }
  auto meets = [&](EngineMinute m) { return heights[m - first] >= threshold; };
  // Every run of minutes at or above the threshold that holds a high water, except one
  // through the range's first event, which only primes the search.
  std::vector<Expected> expected;
  for (size_t i = 1; i < events.size(); ++i) {
    const TideExtreme& e = events[i];
    if (e.kind != 'H' || !meets(e.time)) continue;
    EngineMinute a = e.time, b = e.time;
    while (a > first && meets(a - 1)) --a;
    while (b < rangeEnd && meets(b + 1)) ++b;
    if (!expected.empty() && expected.back().start == a) continue;
    expected.push_back({a, b, threshold});
  }
  ASSERT_GT(expected.size(), 15u);
  ExpectSameHits(Search(MakeSearchCode(kSearchTideValues, kConditionAtLeast, kPeriodWholeRange), first, last,
                        threshold),
                 expected);

  // With a time-of-day window each span is cut to the window and stays on its day.
  const int dayStart = 8 * 60, dayEnd = 16 * 60;
  const std::vector<EventHit> windowed = Search(MakeSearchCode(kSearchTideValues, kConditionAtLeast, 0), first,
                                                last, threshold, dayStart, dayEnd);
  ASSERT_FALSE(windowed.empty());
  for (const EventHit& hit : windowed) {
    EXPECT_EQ(hit.start / kMinutesPerDay, hit.end / kMinutesPerDay);
    EXPECT_GE(TimeOfDay(hit.start), dayStart);
    EXPECT_LE(TimeOfDay(hit.end), dayEnd);
    for (EngineMinute m = hit.start; m <= hit.end; ++m) ASSERT_TRUE(meets(m)) << m;
    EXPECT_TRUE(TimeOfDay(hit.start) == dayStart || !meets(hit.start - 1));
    EXPECT_TRUE(TimeOfDay(hit.end) == dayEnd || !meets(hit.end + 1));
  }
}

TEST_F(EventSearchTest, ARangeWithoutMatchesEndsEmptyWithTheFinalHeading) {
  ResultsTable table(ResultsKind::EventSearch);
  PrepareEventResults(table);
  EXPECT_EQ(table.windowTitle(), "Event Search Results: Empty");
  EXPECT_EQ(table.heading(0), "Press the Search button to begin.");

  EventSearchSettings settings;
  settings.locationName = "Mixed Harbour";
  settings.rangeStart = MinuteOf(1995 + 26, 3, 5);
  settings.rangeEnd = MinuteOf(1995 + 26, 3, 9);
  settings.kindPosition = 0;  // High Tides
  settings.threshold = 40.0;
  settings.thresholdGiven = true;
  settings.valueText = "40.0";
  EventSearchPlan plan;
  SearchRefusal refusal;
  const ValueUnits units;
  ASSERT_TRUE(PlanEventSearch(settings, units, plan, refusal));
  CountingProgress progress;
  EXPECT_TRUE(RunEventSearch(station_, plan, table, progress, units, QColor(192, 255, 192)));
  FinishEventSearch(table, settings, units);
  EXPECT_EQ(table.rows(), 0);
  EXPECT_EQ(table.columns(), 2);
  EXPECT_EQ(table.windowTitle(), "Event Search For: Mixed Harbour");
  EXPECT_EQ(table.heading(0), "Searched for event at: ");
  EXPECT_EQ(table.heading(1), "Mixed Harbour");
  EXPECT_EQ(table.heading(2), "From March 5, 2021 to March 9, 2021, 12:00a to 11:59p");
  EXPECT_EQ(table.heading(3), "High Tides with value GREATER or EQUAL to 40.0 feet");
  EXPECT_GE(progress.daysShown, 5);
}

TEST_F(EventSearchTest, RowsAndRefusals) {
  const ValueUnits units{TideUnit::Metres, CurrentUnit::Knots, TimeType::Clock24};
  EventSearchSettings settings;
  settings.rangeStart = MinuteOf(2021, 5, 1);
  settings.rangeEnd = MinuteOf(2021, 5, 3);
  settings.kindPosition = 2;  // Tidal Swings
  settings.conditionPosition = kConditionAtLeast;
  settings.threshold = 1.0;   // metres
  EventSearchPlan plan;
  SearchRefusal refusal;
  // An empty value box is no value, not 0.
  ASSERT_FALSE(PlanEventSearch(settings, units, plan, refusal));
  EXPECT_EQ(refusal.message, qw::text::kValueMissing);
  settings.thresholdGiven = true;
  ASSERT_TRUE(PlanEventSearch(settings, units, plan, refusal));
  EXPECT_EQ(plan.threshold, 3280840);
  EXPECT_EQ(plan.rangeEnd, MinuteOf(2021, 5, 3, 23, 59));

  ResultsTable table(ResultsKind::EventSearch);
  CountingProgress progress;
  ASSERT_TRUE(RunEventSearch(station_, plan, table, progress, units, QColor(192, 255, 192)));
  ASSERT_GT(table.rows(), 3);
  ASSERT_EQ(table.columns(), 4);
  EXPECT_EQ(table.column(0).title, "Start_Time");
  EXPECT_EQ(table.column(3).title, "Value");
  EXPECT_EQ(table.RowLabel(0), "1");
  const EventHit hit = std::get<EventHit>(table.record(1));
  EXPECT_EQ(table.Cell(1, 0), EventTimeText(hit.start, hit.startOffset, TimeType::Clock24));
  EXPECT_EQ(table.Cell(1, 2), DurationText(hit.end - hit.start));
  EXPECT_EQ(table.Cell(1, 3), HeightText(MicroFeet(hit.value), kValueTextUnit, TideUnit::Metres));

  EventSearchSettings bad = settings;
  bad.rangeEnd = MinuteOf(2021, 4, 30);
  EXPECT_FALSE(PlanEventSearch(bad, units, plan, refusal));
  EXPECT_STREQ(StringText(refusal.message), "ERROR: The ending date must not be before the starting date.");
  bad = settings;
  bad.timeOfDayOn = true;
  bad.startTime = 600;
  bad.endTime = 599;
  EXPECT_FALSE(PlanEventSearch(bad, units, plan, refusal));
  EXPECT_STREQ(StringText(refusal.caption), "Time Error");
  bad = settings;
  bad.kindPosition = 4;
  EXPECT_FALSE(PlanEventSearch(bad, units, plan, refusal));
  EXPECT_STREQ(StringText(refusal.message), "Search Failed. Invalid Search Type specified!");
  bad = settings;
  bad.kindPosition = 3;  // Tide Values offer no "greatest"
  bad.conditionPosition = kConditionGreatest;
  EXPECT_FALSE(PlanEventSearch(bad, units, plan, refusal));
  EXPECT_STREQ(StringText(refusal.message), "Search Failed. Invalid Sub Search Type specified!");
}

TEST_F(EventSearchTest, StopEndsTheSearchAndKeepsTheBestValueOfThePeriod) {
  const EngineMinute first = MinuteOf(2021, 1, 1), last = MinuteOf(2021, 12, 31);
  const uint8_t code = MakeSearchCode(kSearchHighTides, kConditionGreatest, kPeriodMonth);
  // A stop on the twentieth day shown: January's best so far is still returned.
  CountingProgress progress(20);
  EngineMinute resume = 0;
  const std::optional<EventHit> found =
      FindNextEvent(station_, EventSearchPlan{.code = code, .rangeStart = first, .rangeEnd = last + 1439}, resume,
                    progress);
  ASSERT_TRUE(found);
  const EventHit& hit = *found;
  EXPECT_TRUE(progress.StopRequested());
  EXPECT_LT(hit.start, MinuteOf(2021, 1, 21));
  int32_t best = kValueNotDefined;
  for (const TideExtreme& e : DayListEvents(first, MinuteOf(2021, 1, 31))) {
    if (e.kind == 'H' && e.time <= hit.start + kMinutesPerDay) best = std::max(best, RoundedToTenth(e.height));
  }
  EXPECT_LE(hit.value, best);

  // The loop ends after the stop with the rows found so far.
  ResultsTable table(ResultsKind::EventSearch);
  EventSearchPlan plan{MakeSearchCode(kSearchHighTides, kConditionAtLeast, 0), 0, first, last + 1439, 0, 1439,
                       kAllWeekdays};
  CountingProgress stopper(40);
  EXPECT_FALSE(RunEventSearch(station_, plan, table, stopper, ValueUnits{}, QColor()));
  EXPECT_GT(table.rows(), 0);
  EXPECT_LT(table.rows(), 100);
}

TEST(SearchThresholdTest, UnitsConvertToTheEnginesAndTruncate) {
  EXPECT_EQ(SearchThreshold(5.0, kSearchHighTides, TideUnit::Feet, CurrentUnit::Knots), 5000000);
  EXPECT_EQ(SearchThreshold(-0.55, kSearchLowTides, TideUnit::Feet, CurrentUnit::Knots), -550000);
  EXPECT_EQ(SearchThreshold(100.0, kSearchHighTides, TideUnit::Centimetres, CurrentUnit::Knots), 3280840);
  // The program's knot is 0.514 m/s: 1.0 m/s is 1.9455 knots.
  EXPECT_EQ(SearchThreshold(1.0, kSearchFloodCurrents, TideUnit::Feet, CurrentUnit::MetresPerSecond), 1945500);
  EXPECT_EQ(SearchThreshold(40.9, kSearchSlackWater, TideUnit::Feet, CurrentUnit::MetresPerSecond), 40);
  EXPECT_EQ(SearchThreshold(1e12, kSearchHighTides, TideUnit::Feet, CurrentUnit::Knots), 2147483647);
}

// San Francisco observes daylight saving: the search works in standard time and must
// give the times the tide window lists.
TEST(EventSearchRealDataTest, SanFranciscoHighWatersMatchTheDayListsAcrossDaylightSaving) {
  if (!std::filesystem::exists(std::string(QW_TEST_DATA_DIR) + "/catalogue.csv")) {
    GTEST_SKIP() << "no built data at " QW_TEST_DATA_DIR;
  }
  test::ReportCapture reports;
  ResetEngine();
  Settings() = EngineSettings{};
  SetDataDirectory(QW_TEST_DATA_DIR);
  RegionList regions = BuildRegionList(StationKind::Tide);
  SearchStation station;
  station.kind = StationKind::Tide;
  bool found = false;
  for (int slot = 0; slot < static_cast<int>(regions.size()) && !found; ++slot) {
    const int index = FindTideStationByName(regions, slot, -1, "San Francisco (Golden Gate)", 1);
    if (index >= 0) found = ReadTideLocation(regions, slot, index, station.tide);
  }
  if (!found) GTEST_SKIP() << "San Francisco (Golden Gate) is not in the built data";
  ASSERT_NE(station.tide.observesDst, 0);

  // March to November: both days the clocks change; every hit at its zone's offset.
  station.clock = StationClock::Of(station.tide, "America/Los_Angeles");
  const EngineMinute first = MinuteOf(2024, 3, 1), last = MinuteOf(2024, 11, 30);
  std::vector<Expected> expected;
  std::vector<int32_t> offsets;
  for (EngineMinute day = first; day <= last; day += kMinutesPerDay) {
    const TideDayList list = FindTideDay(station.tide, station.clock, day);
    ASSERT_EQ(list.status, 0);
    for (const ShownTideEvent& e : list.events) {
      if (e.kind == 'H' && RoundedToTenth(e.height) >= 5500000) {
        expected.push_back({e.at.shown, e.at.shown, RoundedToTenth(e.height)});
        offsets.push_back(e.at.utcOffsetMinutes);
      }
    }
  }
  std::vector<EventHit> hits;
  CountingProgress progress;
  const EventSearchPlan plan{.code = MakeSearchCode(kSearchHighTides, kConditionAtLeast, 0),
                             .threshold = 5500000,
                             .rangeStart = first,
                             .rangeEnd = last + 1439};
  EngineMinute resume = 0;
  while (const std::optional<EventHit> hit = FindNextEvent(station, plan, resume, progress)) hits.push_back(*hit);
  ASSERT_GT(expected.size(), 100u);
  ExpectSameHits(hits, expected);
  ASSERT_EQ(hits.size(), offsets.size());
  for (size_t i = 0; i < hits.size(); ++i) EXPECT_EQ(hits[i].startOffset, offsets[i]) << i;
  EXPECT_EQ(offsets.front(), -480);  // early March, before the change
  EXPECT_EQ(offsets[offsets.size() / 2], -420);
  EXPECT_TRUE(reports.empty()) << reports.Describe();
  ResetEngine();
}

}  // namespace
}  // namespace qw
