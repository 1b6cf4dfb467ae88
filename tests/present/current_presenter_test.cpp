// The current window's texts and graph data, from hand-made days.
#include "present/current_presenter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/engine_state.h"
#include "tests/support/current_fixture.h"
#include "tests/support/source_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

CurrentLocation Subordinate() {
  CurrentLocation s = test::SubordinateCurrentStation(761, 5762, -20, 35, 10, 15, 80, 120);
  s.floodSpeed = 250;
  s.ebbSpeed = 310;
  s.slackBeforeFloodSpeed = 10;
  s.slackBeforeFloodDirection = 56;
  return s;
}

TEST(CurrentPresenterTest, NoticesForStationsThatCannotBePredictedInFull) {
  CurrentLocation station = Subordinate();
  EXPECT_EQ(CurrentNoticeOf(station), StationNotice::None);
  EXPECT_EQ(CurrentNoticeOf(test::HarmonicCurrentStation(761, 5761)), StationNotice::None);
  station.ebbSpeedRatio = kNotGiven16;  // the ebb half would be drawn at zero
  EXPECT_EQ(CurrentNoticeOf(station), StationNotice::Incomplete);
  station = Subordinate();
  station.slackBeforeEbbTime = kNotGiven16;
  EXPECT_EQ(CurrentNoticeOf(station), StationNotice::Incomplete);
  station.slackBeforeFloodTime = station.floodTime = station.ebbTime = kNotGiven16;
  EXPECT_EQ(CurrentNoticeOf(station), StationNotice::NoCorrections);
  station = Subordinate();
  station.stationKind = kCurrentKindWeakVariable;
  EXPECT_EQ(CurrentNoticeOf(station), StationNotice::WeakAndVariable);
  station.referenceId = 0;
  EXPECT_EQ(CurrentNoticeOf(station), StationNotice::NotPredictable);
}

TEST(CurrentPresenterTest, RangeLinesAtTheAverageMaximaOrTheUsersValues) {
  AppSettings settings;
  RangeLine high, low;
  CurrentLocation station = Subordinate();
  CurrentRangeLines(station, settings, high, low);
  EXPECT_TRUE(high.shown);
  EXPECT_EQ(high.value, 2500000);
  EXPECT_EQ(high.label, "max fld");
  EXPECT_TRUE(low.shown);
  EXPECT_EQ(low.value, -3100000);  // the ebb lies below the zero line
  EXPECT_EQ(low.label, "max ebb");
  settings.currentUnit = CurrentUnit::MetresPerSecond;
  CurrentRangeLines(station, settings, high, low);
  EXPECT_EQ(high.value, 2500 * 514);
  EXPECT_EQ(low.value, -3100 * 514);

  // The user's values: hundredths of the unit; a low value given either way lies below zero.
  settings.currentRanges = {kCurrentHighUser, kCurrentLowUser, 150, 200, "Safe", "Limit"};
  CurrentRangeLines(station, settings, high, low);
  EXPECT_EQ(high.value, 1500000);
  EXPECT_EQ(low.value, -2000000);
  EXPECT_EQ(low.label, "Limit");
  settings.currentRanges.lowHeight = -200;
  CurrentRangeLines(station, settings, high, low);
  EXPECT_EQ(low.value, -2000000);

  // A station without averages shows no line of its own.
  settings.currentRanges = AppSettings{}.currentRanges;
  station.floodSpeed = station.ebbSpeed = kNotGiven16;
  CurrentRangeLines(station, settings, high, low);
  EXPECT_FALSE(high.shown);
  EXPECT_FALSE(low.shown);
}

class CurrentPresenterDayTest : public test::EngineTest {};

// The day's texts; the source line names the publisher the side catalogue records for the
// reference, and the averages heading says they were computed.
TEST_F(CurrentPresenterDayTest, EventsAveragesAndMarksOfADay) {
  AppSettings settings;
  CurrentLocation station = Subordinate();
  station.stationKind = kCurrentKindMayDoubleFlood;
  StationSource reference = test::SourceEntry('C', station.referenceId, "NOAA", "NOAA");
  reference.averages = "computed 1983-2001";
  test::WriteStationSources({reference});
  const StationClock clock(station.timeMeridian, 0, "");
  CurrentDay day;
  day.span = clock.Day(MinuteOf(2004, 1, 9));
  day.day = day.span.date;
  MinuteToDate(day.day, day.date);
  day.eventsFound = true;
  day.referenceName = "Reversing Narrows";
  auto at = [&](int minute) { return clock.At(day.span.standardStart + static_cast<EngineMinute>(minute)); };
  day.events = {{'S', 120000, 210, at(75)},
                {'F', 2345678, 30, at(3 * 60 + 5)},
                {'E', -1950000, kNotGiven16, at(13 * 60 + 40)},
                {'S', kValueNotDefined, 210, at(23 * 60 + 59)}};
  day.minimum = -1950000;
  day.maximum = 2345678;
  day.halfHour.assign(48, 0);
  const DayPresentation p = PresentCurrentDay(station, clock, day, settings);
  EXPECT_EQ(p.source, "based on Reversing Narrows (NOAA)");
  ASSERT_EQ(p.events.size(), 4u);
  EXPECT_EQ(p.events[0].word, "Slack");
  EXPECT_EQ(p.events[0].time, "1:15 am");
  EXPECT_EQ(p.events[0].value, "0.1 kt");
  EXPECT_EQ(p.events[0].direction, "210\u00B0");
  EXPECT_EQ(p.events[1].word, "Flood");
  EXPECT_EQ(p.events[1].tone, EventTone::Rising);
  EXPECT_EQ(p.events[1].value, "2.3 kt");
  EXPECT_EQ(p.events[1].direction, "030\u00B0");
  EXPECT_EQ(p.events[2].tone, EventTone::Falling);
  EXPECT_EQ(p.events[2].value, "-2.0 kt");
  EXPECT_EQ(p.events[2].direction, "");
  EXPECT_EQ(p.events[3].value, "- - kt");

  EXPECT_EQ(p.averagesHeading, "Average Currents (computed):");
  ASSERT_EQ(p.averages.size(), 4u);
  EXPECT_EQ(p.averages[0].value, "0.1 kt  056\u00B0");
  EXPECT_EQ(p.averages[1].value, "2.5 kt  030\u00B0");
  EXPECT_EQ(p.averages[2].value, "- - kt");
  EXPECT_EQ(p.stationKindText, "Current may double flood.");

  EXPECT_TRUE(p.graph.twoWay);
  ASSERT_EQ(p.graph.marks.size(), 2u);  // the slacks
  EXPECT_EQ(p.graph.marks[0].minute, 75);
  EXPECT_EQ(p.graph.marks[0].value, 120000);
  EXPECT_EQ(p.graph.minimum, -1950000);
  EXPECT_EQ(p.graph.maximum, 2345678);
  EXPECT_EQ(p.graph.high.value, 2500000);

  // Without a catalogue nothing is claimed: no publisher, no "computed".
  std::filesystem::remove(DataFilePath(StationSources::kFileName));
  ResetEngine();
  const DayPresentation bare = PresentCurrentDay(station, clock, day, settings);
  EXPECT_EQ(bare.source, "based on Reversing Narrows");
  EXPECT_EQ(bare.averagesHeading, "Average Currents:");
}

}  // namespace
}  // namespace qw
