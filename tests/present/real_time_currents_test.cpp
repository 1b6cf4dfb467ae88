// The real-time window's current entries: the speed now with its state, and the next
// maximum flood, maximum ebb or slack with the real time left to it.
#include <gtest/gtest.h>

#include <QTimeZone>
#include <cstring>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/current_prediction.h"
#include "engine/region_files.h"
#include "present/real_time_board.h"
#include "present/real_time_texts.h"
#include "settings/catalogue_directory.h"
#include "settings/settings_store.h"
#include "tests/support/current_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

class RealTimeCurrentsTest : public test::EngineTest {
 protected:
  void SetUp() override {
    const std::string dir = DataDirectory().string();
    test::WriteCurrentTables(dir);
    test::WriteCurrentFile(dir, test::ReversingCurrent(600));
    CurrentLocation harmonic = test::HarmonicCurrentStation(600, 601);
    std::strcpy(harmonic.name, "Fixture Narrows");
    // A subordinate station that gives none of its time corrections: nothing to predict.
    CurrentLocation silent = test::SubordinateCurrentStation(600, 602, kNotGiven16, kNotGiven16, kNotGiven16,
                                                             kNotGiven16, 100, 100);
    std::string error;
    ASSERT_TRUE(WriteCurrentRegionFile(DataFilePath(RegionFileName(StationKind::Current, 3)), 3, "Washington",
                                       {harmonic, silent}, &error))
        << error;
    catalogue_.Open();
    ProfileFile file;
    file.LoadFromText("[Misc]\nFirstRun=0\n");
    settings_ = LoadSettings(file, 480);
    ApplyEngineSettings(settings_);
    ASSERT_TRUE(catalogue_.ReadCurrent({StationKind::Current, 0, 0}, station_));
  }

  const RealTimeEntry& LoadAt(uint16_t index, const QDateTime& utc) {
    board_.Load(catalogue_, {}, {{StationKind::Current, 0, index}}, utc);
    EXPECT_TRUE(board_.Update(utc, settings_));
    return board_.currents()[0];
  }

  // The station's clock, as the board makes it (the record's rule: no side catalogue).
  StationClock Clock() const { return catalogue_.ClockOf({StationKind::Current, 0, 0}, station_); }

  // The first event at or after an instant.
  ShownCurrentEvent NextEvent(EngineMinute standard) {
    const StationClock clock = Clock();
    const EngineMinute shown = clock.ShownAt(standard);
    for (EngineMinute day = shown - shown % kMinutesPerDay;; day += kMinutesPerDay) {
      const CurrentDayList list = FindCurrentDay(station_, clock, day);
      EXPECT_EQ(list.status, 0);
      for (const ShownCurrentEvent& e : list.events) {
        if (e.at.standard >= standard) return e;
      }
    }
  }

  static QDateTime At(int year, int month, int day, int hour, int minute, int offsetHours) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone(offsetHours * 3600)).toUTC();
  }

  CatalogueDirectory catalogue_;
  AppSettings settings_;
  CurrentLocation station_;
  RealTimeBoard board_;
};

TEST_F(RealTimeCurrentsTest, SpeedNowAndNextEventAreTheEnginesAtTheStationsClock) {
  int floods = 0, ebbs = 0;
  for (int hour = 0; hour < 24; hour += 2) {
    const EngineMinute standard = Clock().StandardAt(MinuteOf(2007, 7, 4, hour, 17));
    const CurrentEvent now = PredictCurrent(station_, standard, 0);
    const int32_t speed = now.speed;
    const char kind = now.kind;
    const RealTimeEntry& entry = LoadAt(0, At(2007, 7, 4, hour, 17, -7));
    EXPECT_EQ(entry.name, "Fixture Narrows");
    EXPECT_EQ(entry.valueNow, speed);
    EXPECT_EQ(entry.valueText, RealTimeSpeedText(MicroKnots(speed), CurrentUnit::Knots) + CurrentStateSuffix(kind));
    const RealTimeIcon icon = kind == 'F' ? RealTimeIcon::Flood : kind == 'E' ? RealTimeIcon::Ebb : RealTimeIcon::Slack;
    EXPECT_EQ(entry.icon, icon) << hour;
    floods += kind == 'F';
    ebbs += kind == 'E';
    const ShownCurrentEvent next = NextEvent(standard);
    EXPECT_EQ(entry.changeText, NextCurrentText(next.kind, MicroKnots(next.speed), next.direction, CurrentUnit::Knots,
                                                static_cast<int>(next.at.standard - standard)));
  }
  EXPECT_GT(floods, 2);
  EXPECT_GT(ebbs, 2);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

// After Saturday's last event before the spring change, the next event is Sunday's
// first still to come, counted in real minutes (the UTC instants' difference).
TEST_F(RealTimeCurrentsTest, CountdownAcrossTheSpringChangeIsRealTime) {
  const StationClock clock = Clock();
  const CurrentDayList saturday = FindCurrentDay(station_, clock, MinuteOf(2007, 3, 10));
  ASSERT_EQ(saturday.status, 0);
  ASSERT_FALSE(saturday.events.empty());
  for (int after : {1, 20}) {
    const ClockReading now = clock.At(saturday.events.back().at.standard + after);
    DateRecord shown;
    MinuteToDate(now.shown, shown);
    if (shown.day != 10) continue;
    const QDateTime utc = At(2007, 3, 10, shown.hour, shown.minute, now.utcOffsetMinutes / 60);
    const ShownCurrentEvent next = NextEvent(now.standard);
    DateRecord date;
    MinuteToDate(next.at.shown, date);
    const QDateTime eventUtc = At(date.year, date.month, date.day, date.hour, date.minute, next.at.utcOffsetMinutes / 60);
    const int realMinutes = static_cast<int>(utc.secsTo(eventUtc) / 60);
    EXPECT_EQ(realMinutes, static_cast<int>(next.at.standard - now.standard));
    const RealTimeEntry& entry = LoadAt(0, utc);
    EXPECT_EQ(entry.changeText,
              NextCurrentText(next.kind, MicroKnots(next.speed), next.direction, CurrentUnit::Knots, realMinutes))
        << after;
  }
  EXPECT_FALSE(reports_.Has(3004)) << reports_.Describe();
}

TEST_F(RealTimeCurrentsTest, AStationWithoutCorrectionsIsNotAnError) {
  const RealTimeEntry& entry = LoadAt(1, At(2007, 7, 4, 12, 0, -7));
  for (int i = 1; i < 3; ++i) ASSERT_TRUE(board_.Update(At(2007, 7, 4, 12, i, -7), settings_));
  EXPECT_EQ(entry.valueText, "- - kt");
  EXPECT_EQ(entry.changeText, "");
  EXPECT_FALSE(reports_.Has(3004)) << reports_.Describe();
  settings_.currentUnit = CurrentUnit::MetresPerSecond;
  ASSERT_TRUE(board_.Update(At(2007, 7, 4, 12, 5, -7), settings_));
  EXPECT_EQ(board_.currents()[0].valueText, "- - m/s");
}

}  // namespace
}  // namespace qw
