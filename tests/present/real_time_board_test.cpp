// The real-time values at a fixed clock against the engine, and the count-down to the
// next high or low water across midnight and across the changes of the clocks.
#include "present/real_time_board.h"

#include "engine/tide_prediction.h"

#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "present/real_time_texts.h"
#include "tests/present/real_time_fixture.h"

namespace qw {
namespace {

class RealTimeBoardTest : public test::RealTimeFixture {
 protected:
  const RealTimeEntry& LoadAt(uint16_t port, const QDateTime& utc) {
    board_.Load(catalogue_, {Port(port)}, {}, utc);
    EXPECT_TRUE(board_.Update(utc, settings_));
    return board_.tides()[0];
  }

  // The port's clock, as the board makes it.
  StationClock ClockOf(uint16_t port) const { return catalogue_.ClockOf(Port(port), Record(port)); }

  // The first high or low water at or after an instant, looked up date by date.
  ShownTideEvent NextExtreme(uint16_t port, EngineMinute standard) {
    const StationClock clock = ClockOf(port);
    const TideLocation station = Record(port);
    const EngineMinute shown = clock.ShownAt(standard);
    for (EngineMinute day = shown - shown % kMinutesPerDay;; day += kMinutesPerDay) {
      const TideDayList list = FindTideDay(station, clock, day);
      EXPECT_EQ(list.status, 0);
      for (const ShownTideEvent& e : list.events) {
        if (e.at.standard >= standard) return e;
      }
    }
  }

  // The instant of a clock reading at the port.
  EngineMinute Instant(uint16_t port, const QDateTime& utc) { return ReadingAt(ClockOf(port), utc).standard; }

  RealTimeBoard board_;
};

std::string Expected(const ShownTideEvent& event, int minutes, TideUnit unit) {
  return NextTideText(event.kind, RealTimeHeightText(MicroFeet(event.height), unit), minutes);
}

TEST_F(RealTimeBoardTest, ValueNowIsTheEnginesValueAtTheStationsClock) {
  // 19:37 UTC is 12:37 Pacific daylight time and 11:37 at the port that keeps standard time.
  const QDateTime utc = At(2026, 7, 4, 19, 37, 0);
  const StationClock pacificClock = ClockOf(test::kPacificPort);
  EXPECT_EQ(pacificClock.zoneName(), "America/Los_Angeles");
  const EngineMinute now = pacificClock.StandardAt(MinuteOf(2026, 7, 4, 12, 37));
  ASSERT_EQ(Instant(test::kPacificPort, utc), now);
  const int32_t expected = PredictTide(Record(test::kPacificPort), now, 0).height;
  const RealTimeEntry& entry = LoadAt(test::kPacificPort, utc);
  EXPECT_EQ(entry.name, "Mixed Harbour");
  EXPECT_EQ(entry.valueNow, expected);
  EXPECT_EQ(entry.valueText, RealTimeHeightText(MicroFeet(expected), TideUnit::Feet));

  const ShownTideEvent next = NextExtreme(test::kPacificPort, now);
  EXPECT_EQ(entry.changeText, Expected(next, static_cast<int>(next.at.standard - now), TideUnit::Feet));
  EXPECT_EQ(entry.icon, next.kind == 'H' ? RealTimeIcon::Rising : RealTimeIcon::Falling);

  const RealTimeEntry& plain = LoadAt(test::kStandardPort, utc);
  EXPECT_EQ(ClockOf(test::kStandardPort).ShownAt(Instant(test::kStandardPort, utc)), MinuteOf(2026, 7, 4, 11, 37));
  EXPECT_EQ(plain.valueNow, PredictTide(Record(test::kStandardPort), Instant(test::kStandardPort, utc), 0).height);

  // Metres: hundredths, the same height.
  settings_.tideUnit = TideUnit::Metres;
  ASSERT_TRUE(board_.Update(utc, settings_));
  EXPECT_EQ(board_.tides()[0].valueText, RealTimeHeightText(MicroFeet(plain.valueNow), TideUnit::Metres));
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

// At 23:50 after the day's last high or low water, the next one is tomorrow's first,
// counted in hours and minutes.
TEST_F(RealTimeBoardTest, AfterTheDaysLastEventTheCountdownRunsPastMidnight) {
  const StationClock clock = ClockOf(test::kPacificPort);
  int checked = 0;
  for (int day = 1; day <= 20; ++day) {
    const EngineMinute now = clock.StandardAt(MinuteOf(2026, 7, day, 23, 50));
    const TideDayList today = FindTideDay(Record(test::kPacificPort), clock, MinuteOf(2026, 7, day));
    ASSERT_EQ(today.status, 0);
    if (today.events.empty() || today.events.back().at.standard >= now) continue;
    const ShownTideEvent next = NextExtreme(test::kPacificPort, now);
    ASSERT_GE(next.at.shown, MinuteOf(2026, 7, day + 1));
    const int minutes = static_cast<int>(next.at.standard - now);
    const RealTimeEntry& entry = LoadAt(test::kPacificPort, At(2026, 7, day, 23, 50, -7));
    EXPECT_EQ(entry.changeText, Expected(next, minutes, TideUnit::Feet));
    if (minutes >= 60) {
      EXPECT_NE(entry.changeText.find(" in " + std::to_string(minutes / 60) + (minutes / 60 == 1 ? "hr " : "hrs ")),
                std::string::npos)
          << entry.changeText;
      ++checked;
    }
  }
  EXPECT_GT(checked, 2);
}

// The count-down is the real time left, also when the clocks change at 2 am between now
// and the event: from a minute after Saturday's last event to Sunday's first, the real
// minutes differ from the difference of the clock times by the hour the clocks moved.
TEST_F(RealTimeBoardTest, CountdownIsRealTimeAcrossTheClockChanges) {
  const StationClock clock = ClockOf(test::kPacificPort);
  struct Change {
    int month, saturday;
    int offsetBefore, offsetAfter;  // hours from UTC on Saturday and after 2 am on Sunday
  };
  for (const Change& change : {Change{3, 7, -8, -7}, Change{10, 31, -7, -8}}) {
    const TideDayList saturday = FindTideDay(Record(test::kPacificPort), clock, MinuteOf(2026, change.month, change.saturday));
    ASSERT_EQ(saturday.status, 0);
    ASSERT_FALSE(saturday.events.empty());
    const ClockReading now = clock.At(saturday.events.back().at.standard + 1);
    DateRecord shown;
    MinuteToDate(now.shown, shown);
    ASSERT_EQ(shown.day, change.saturday);
    const QDateTime utc = At(2026, change.month, change.saturday, shown.hour, shown.minute, change.offsetBefore);
    ASSERT_EQ(Instant(test::kPacificPort, utc), now.standard);
    const ShownTideEvent next = NextExtreme(test::kPacificPort, now.standard);
    ASSERT_NE(next.at.shown / kMinutesPerDay, now.shown / kMinutesPerDay);
    const int realMinutes = static_cast<int>(next.at.standard - now.standard);
    if (next.at.utcOffsetMinutes == change.offsetAfter * 60) {
      EXPECT_EQ(realMinutes, static_cast<int>(next.at.shown - now.shown) +
                                 (change.offsetBefore - change.offsetAfter) * 60);
    }
    const RealTimeEntry& entry = LoadAt(test::kPacificPort, utc);
    EXPECT_EQ(entry.changeText, Expected(next, realMinutes, TideUnit::Feet)) << change.month;
    EXPECT_EQ(entry.valueNow, PredictTide(Record(test::kPacificPort), now.standard, 0).height);
  }
}

// The hour the clocks skip is not in the day's tables, and the hour they repeat is there
// twice: the board's minute slots follow the date's 23 or 25 hours.
TEST_F(RealTimeBoardTest, TheDaysSlotsFollowItsHours) {
  const RealTimeEntry& spring = LoadAt(test::kPacificPort, At(2026, 3, 8, 12, 0, -7));
  EXPECT_EQ(spring.tableDay, MinuteOf(2026, 3, 8));
  EXPECT_EQ(spring.minuteValues.size(), 23u * 60);
  const RealTimeEntry& autumn = LoadAt(test::kPacificPort, At(2026, 11, 1, 1, 30, -8));  // the second 1:30
  EXPECT_EQ(autumn.tableDay, MinuteOf(2026, 11, 1));
  EXPECT_EQ(autumn.minuteValues.size(), 25u * 60);
  EXPECT_EQ(autumn.valueNow,
            PredictTide(Record(test::kPacificPort), ClockOf(test::kPacificPort).StandardAt(MinuteOf(2026, 11, 1, 1, 30), true), 0)
                .height);
}

TEST_F(RealTimeBoardTest, AnEventInThePresentMinuteHasNoCountdown) {
  const StationClock clock = ClockOf(test::kPacificPort);
  const ShownTideEvent next = NextExtreme(test::kPacificPort, clock.StandardAt(MinuteOf(2026, 7, 4, 12, 0)));
  DateRecord date;
  MinuteToDate(next.at.shown, date);
  const RealTimeEntry& entry = LoadAt(test::kPacificPort, At(date.year, date.month, date.day, date.hour, date.minute, -7));
  EXPECT_EQ(entry.changeText, next.kind == 'H' ? "high tide" : "low tide");
  const RealTimeEntry& later =
      LoadAt(test::kPacificPort, At(date.year, date.month, date.day, date.hour, date.minute, -7).addSecs(-60));
  EXPECT_EQ(later.changeText, Expected(next, 1, TideUnit::Feet));
  EXPECT_NE(later.changeText.find(" 1min"), std::string::npos);
}

// Values are asked of the engine once a minute; a new day needs new tables.
TEST_F(RealTimeBoardTest, ValuesAreCachedPerMinuteAndTheDayEndsTheTables) {
  const QDateTime utc = At(2026, 7, 4, 23, 58, -7);
  board_.Load(catalogue_, {Port(test::kPacificPort), Port(test::kStandardPort)}, {}, utc);
  ASSERT_TRUE(board_.Update(utc, settings_));
  EXPECT_EQ(board_.predictions(), 2);
  ASSERT_TRUE(board_.Update(utc.addSecs(20), settings_));
  EXPECT_EQ(board_.predictions(), 2);
  ASSERT_TRUE(board_.Update(utc.addSecs(60), settings_));
  EXPECT_EQ(board_.predictions(), 4);  // a new minute at both ports
  EXPECT_FALSE(board_.Update(utc.addSecs(180), settings_));  // 00:01 PDT: a new day
  board_.Load(catalogue_, {Port(test::kPacificPort)}, {}, utc.addSecs(180));
  EXPECT_TRUE(board_.Update(utc.addSecs(180), settings_));
  EXPECT_EQ(board_.tides()[0].tableDay, MinuteOf(2026, 7, 5));
}

TEST_F(RealTimeBoardTest, StationsWithoutPredictionsSayUnpredictableAndAreNotAskedAgain) {
  const QDateTime utc = At(2026, 7, 4, 12, 0, -7);
  const StationRef gone{StationKind::Tide, 0, 40};  // beyond the region: reinstalled smaller
  board_.Load(catalogue_, {Port(test::kAreaHeading), Port(test::kBrokenPort), gone}, {}, utc);
  const size_t reportsAtLoad = reports_.reports().size();
  EXPECT_GT(reportsAtLoad, 0u);  // the missing harmonic record was reported
  EXPECT_FALSE(reports_.Has(2404)) << reports_.Describe();  // the index beyond the region was not
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(board_.Update(utc.addSecs(60 * i), settings_));
  EXPECT_LE(reports_.reports().size(), reportsAtLoad + 1);  // at most one more, not one a minute
  for (const RealTimeEntry& entry : board_.tides()) {
    EXPECT_EQ(entry.valueText, "unpredictable");
    EXPECT_EQ(entry.changeText, "");
  }
  EXPECT_EQ(board_.tides()[0].name, "THE SOUND");
  EXPECT_EQ(board_.tides()[2].name, "(location no longer installed)");
}

TEST(RealTimeTextsTest, CountdownsAndValuesReadAsTheWindowWritesThem) {
  EXPECT_EQ(CountdownText(65, StationKind::Tide), " 1hr 5mins");
  EXPECT_EQ(CountdownText(121, StationKind::Tide), " 2hrs 1min");
  EXPECT_EQ(CountdownText(120, StationKind::Tide), " 2hrs 0mins");
  EXPECT_EQ(CountdownText(1, StationKind::Tide), " 1min");
  EXPECT_EQ(CountdownText(59, StationKind::Current), " in 59mins");
  EXPECT_EQ(CountdownText(60, StationKind::Current), " in 1hr 0mins");
  EXPECT_EQ(CountdownText(0, StationKind::Current), "");

  EXPECT_EQ(RealTimeHeightText(MicroFeet(5'250'000), TideUnit::Feet), "5.3 ft");
  EXPECT_EQ(RealTimeHeightText(MicroFeet(-340'000), TideUnit::Feet), "-0.3 ft");
  EXPECT_EQ(RealTimeHeightText(MicroFeet(-40'000), TideUnit::Feet), "0.0 ft");
  EXPECT_EQ(RealTimeHeightText(MicroFeet(10'000'000), TideUnit::Metres), "3.05 m");
  EXPECT_EQ(RealTimeHeightText(MicroFeet(-1'000'000), TideUnit::Metres), "-0.30 m");
  EXPECT_EQ(RealTimeHeightText(MicroFeet(10'000'000), TideUnit::Centimetres), "305 cm");
  EXPECT_EQ(RealTimeHeightText(MicroFeet(kValueNotDefined), TideUnit::Metres), "unpredictable");
  EXPECT_EQ(RealTimeSpeedText(MicroKnots(-2'340'000), CurrentUnit::Knots), "2.3 kt");
  EXPECT_EQ(RealTimeSpeedText(MicroKnots(0), CurrentUnit::MetresPerSecond), "0.0 m/s");
  EXPECT_EQ(RealTimeSpeedText(MicroKnots(kValueNotDefined), CurrentUnit::Knots), "- - kt");

  EXPECT_EQ(NextTideText('L', "1.2 ft", 95), "next low tide (1.2 ft) in 1hr 35mins");
  EXPECT_EQ(NextTideText('H', "6.0 ft", 0), "high tide");
  EXPECT_EQ(NextCurrentText('F', MicroKnots(1'500'000), 45, CurrentUnit::Knots, 70), "next max flood (1.5 kt at 45\u00B0)  in 1hr 10mins");
  EXPECT_EQ(NextCurrentText('S', MicroKnots(0), kNotGiven16, CurrentUnit::Knots, 25), "slack water in 25mins");
  EXPECT_EQ(NextCurrentText('E', MicroKnots(kValueNotDefined), 200, CurrentUnit::Knots, 25), "Next change unpredictable");

  const QDateTime evening(QDate(2026, 3, 3), QTime(22, 5));
  EXPECT_EQ(CaptionText(evening, TimeType::Clock12), "Real Time   Tue Mar 3, 2026 10:05 pm");
  EXPECT_EQ(CaptionText(evening, TimeType::Clock24), "Real Time   Tue Mar 3, 2026 22:05");
  EXPECT_EQ(CaptionText(QDateTime(QDate(2026, 3, 1), QTime(0, 7)), TimeType::Clock12),
            "Real Time   Sun Mar 1, 2026 12:07 am");
}

}  // namespace
}  // namespace qw
