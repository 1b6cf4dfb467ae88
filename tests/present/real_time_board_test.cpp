// The real-time values at a fixed clock against the engine, and the count-down to the
// next high or low water across midnight and across the changes of the clocks.
#include "present/real_time_board.h"

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

  // The first high or low water at or after a shown minute, looked up day by day.
  TideExtreme NextExtreme(const TideLocation& station, EngineMinute shown) {
    for (EngineMinute day = shown - shown % kMinutesPerDay;; day += kMinutesPerDay) {
      TideDayExtremes extremes{};
      int32_t high = 0, low = 0;
      EXPECT_EQ(FindTideDayExtremes(station, day, extremes, high, low), 0);
      for (const TideExtreme& e : extremes) {
        if (e.time != 0 && e.time >= shown) return e;
      }
    }
  }

  RealTimeBoard board_;
};

std::string Expected(const TideExtreme& event, int minutes, TideUnit unit) {
  return NextTideText(event.kind, RealTimeHeightText(MicroFeet(event.height), unit), minutes);
}

TEST_F(RealTimeBoardTest, ValueNowIsTheEnginesValueAtTheStationsClock) {
  // 19:37 UTC is 12:37 Pacific daylight time and 11:37 at the port that keeps standard time.
  const QDateTime utc = At(2026, 7, 4, 19, 37, 0);
  const TideLocation pacific = Record(test::kPacificPort);
  const int32_t expected = PredictTideShown(pacific, MinuteOf(2026, 7, 4, 12, 37), 0, 1).height;
  const RealTimeEntry& entry = LoadAt(test::kPacificPort, utc);
  EXPECT_EQ(entry.name, "Mixed Harbour");
  EXPECT_EQ(entry.valueNow, expected);
  EXPECT_EQ(entry.valueText, RealTimeHeightText(MicroFeet(expected), TideUnit::Feet));

  const TideExtreme next = NextExtreme(pacific, MinuteOf(2026, 7, 4, 12, 37));
  EXPECT_EQ(entry.changeText, Expected(next, static_cast<int>(next.time - MinuteOf(2026, 7, 4, 12, 37)), TideUnit::Feet));
  EXPECT_EQ(entry.icon, next.kind == 'H' ? RealTimeIcon::Rising : RealTimeIcon::Falling);

  const TideLocation standard = Record(test::kStandardPort);
  const RealTimeEntry& plain = LoadAt(test::kStandardPort, utc);
  EXPECT_EQ(plain.valueNow, PredictTideShown(standard, MinuteOf(2026, 7, 4, 11, 37), 0, 0).height);

  // Metres: hundredths, the same height.
  settings_.tideUnit = TideUnit::Metres;
  ASSERT_TRUE(board_.Update(utc, settings_));
  EXPECT_EQ(board_.tides()[0].valueText, RealTimeHeightText(MicroFeet(plain.valueNow), TideUnit::Metres));
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

// At 23:50 after the day's last high or low water, the next one is tomorrow's first,
// counted in hours and minutes.
TEST_F(RealTimeBoardTest, AfterTheDaysLastEventTheCountdownRunsPastMidnight) {
  const TideLocation pacific = Record(test::kPacificPort);
  int checked = 0;
  for (int day = 1; day <= 20; ++day) {
    const EngineMinute now = MinuteOf(2026, 7, day, 23, 50);
    TideDayExtremes today{};
    int32_t high = 0, low = 0;
    ASSERT_EQ(FindTideDayExtremes(pacific, MinuteOf(2026, 7, day), today, high, low), 0);
    EngineMinute last = 0;
    for (const TideExtreme& e : today) last = e.time != 0 ? e.time : last;
    if (last >= now) continue;
    const TideExtreme next = NextExtreme(pacific, now);
    ASSERT_GE(next.time, MinuteOf(2026, 7, day + 1));
    const int minutes = static_cast<int>(next.time - now);
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

// The count-down is the real time left. Saturday 23:50 before the spring change: the
// next event is on Sunday, a daylight-saving day, so an hour less is left than its clock
// time says; before the autumn change an hour more.
TEST_F(RealTimeBoardTest, CountdownIsRealTimeAcrossTheClockChanges) {
  const TideLocation pacific = Record(test::kPacificPort);
  struct Change {
    int month, saturday;
    int offsetBefore, offsetAfter;  // hours from UTC on Saturday and on Sunday
  };
  for (const Change& change : {Change{3, 7, -8, -7}, Change{10, 31, -7, -8}}) {
    // A minute after Saturday's last high or low water: the next one is on Sunday.
    TideDayExtremes saturday{};
    int32_t high = 0, low = 0;
    ASSERT_EQ(FindTideDayExtremes(pacific, MinuteOf(2026, change.month, change.saturday), saturday, high, low), 0);
    EngineMinute localNow = 0;
    for (const TideExtreme& e : saturday) localNow = e.time != 0 ? e.time + 1 : localNow;
    DateRecord now;
    MinuteToDate(localNow, now);
    ASSERT_EQ(now.day, change.saturday);
    const QDateTime utc = At(2026, change.month, change.saturday, now.hour, now.minute, change.offsetBefore);
    const TideExtreme next = NextExtreme(pacific, localNow);
    // The event's instant from its Sunday clock time and Sunday's offset.
    DateRecord date;
    MinuteToDate(next.time, date);
    ASSERT_NE(date.day, change.saturday);
    const QDateTime eventUtc = At(date.year, date.month, date.day, date.hour, date.minute, change.offsetAfter);
    const int realMinutes = static_cast<int>(utc.secsTo(eventUtc) / 60);
    ASSERT_EQ(realMinutes, static_cast<int>(next.time - localNow) + (change.offsetBefore - change.offsetAfter) * 60);
    const RealTimeEntry& entry = LoadAt(test::kPacificPort, utc);
    EXPECT_EQ(entry.changeText, Expected(next, realMinutes, TideUnit::Feet)) << change.month;
    // The value now is the engine's at Saturday's clock time.
    EXPECT_EQ(entry.valueNow, PredictTideShown(pacific, localNow, 0, change.offsetBefore == -7 ? 1 : 0).height);
  }
  // The port without daylight saving counts the plain difference.
  const QDateTime utc = At(2026, 3, 7, 23, 50, -8);
  const TideExtreme next = NextExtreme(Record(test::kStandardPort), MinuteOf(2026, 3, 7, 23, 50));
  EXPECT_EQ(LoadAt(test::kStandardPort, utc).changeText,
            Expected(next, static_cast<int>(next.time - MinuteOf(2026, 3, 7, 23, 50)), TideUnit::Feet));
}

TEST_F(RealTimeBoardTest, AnEventInThePresentMinuteHasNoCountdown) {
  const TideLocation pacific = Record(test::kPacificPort);
  const TideExtreme next = NextExtreme(pacific, MinuteOf(2026, 7, 4, 12, 0));
  DateRecord date;
  MinuteToDate(next.time, date);
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
