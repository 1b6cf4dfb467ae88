// The real-time window's current entries: the speed now with its state, and the next
// maximum flood, maximum ebb or slack with the real time left to it.
#include <gtest/gtest.h>

#include <QTimeZone>
#include <cstring>

#include "engine/calendar.h"
#include "engine/data_dir.h"
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

  // The first event at or after a shown minute.
  CurrentEvent NextEvent(EngineMinute shown) {
    for (EngineMinute day = shown - shown % kMinutesPerDay;; day += kMinutesPerDay) {
      CurrentDayEvents events{};
      int32_t high = 0, low = 0;
      EXPECT_EQ(FindCurrentDayEvents(station_, day, events, high, low), 0);
      for (const CurrentEvent& e : events) {
        if (e.time != 0 && e.time >= shown) return e;
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
    const EngineMinute shown = MinuteOf(2007, 7, 4, hour, 17);
    const CurrentEvent now = PredictCurrentShown(station_, shown, 0, 1);
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
    const CurrentEvent next = NextEvent(shown);
    EXPECT_EQ(entry.changeText, NextCurrentText(next.kind, MicroKnots(next.speed), next.direction, CurrentUnit::Knots,
                                                static_cast<int>(next.time - shown)));
  }
  EXPECT_GT(floods, 2);
  EXPECT_GT(ebbs, 2);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

// After Saturday's last event before the spring change, the next event is the first of
// Sunday's (clock times an hour ahead of Saturday's) that is still to come, counted in
// real minutes.
TEST_F(RealTimeCurrentsTest, CountdownAcrossTheSpringChangeIsRealTime) {
  CurrentDayEvents saturday{}, sunday{};
  int32_t high = 0, low = 0;
  ASSERT_EQ(FindCurrentDayEvents(station_, MinuteOf(2007, 3, 10), saturday, high, low), 0);
  ASSERT_EQ(FindCurrentDayEvents(station_, MinuteOf(2007, 3, 11), sunday, high, low), 0);
  EngineMinute last = 0;
  for (const CurrentEvent& e : saturday) last = e.time != 0 ? e.time : last;
  for (int after : {1, 20}) {
    DateRecord now;
    MinuteToDate(last + after, now);
    if (now.day != 10) continue;
    const QDateTime utc = At(2007, 3, 10, now.hour, now.minute, -8);
    const CurrentEvent* next = nullptr;
    int realMinutes = 0;
    for (const CurrentEvent& e : sunday) {
      DateRecord date;
      MinuteToDate(e.time, date);
      realMinutes = static_cast<int>(utc.secsTo(At(2007, 3, 11, date.hour, date.minute, -7)) / 60);
      if (e.time != 0 && realMinutes >= 0) {
        next = &e;
        break;
      }
    }
    ASSERT_NE(next, nullptr);
    const RealTimeEntry& entry = LoadAt(0, utc);
    EXPECT_EQ(entry.changeText,
              NextCurrentText(next->kind, MicroKnots(next->speed), next->direction, CurrentUnit::Knots, realMinutes))
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
