// The day lists of real stations in zones of both hemispheres, with half- and
// quarter-hour offsets, without daylight saving and with rules that changed, on their own
// clocks: every event's offset is the zone database's at its instant as zdump reads it,
// nothing is lost or listed twice on the days the clocks change, and the currents compute
// on the first and the last supported day.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/civil_days.h"
#include "engine/current_prediction.h"
#include "engine/data_dir.h"
#include "engine/engine_state.h"
#include "engine/station_database.h"
#include "engine/station_sources.h"
#include "engine/tide_prediction.h"
#include "tests/support/test_support.h"
#include "tests/support/zdump_zone.h"

namespace qw {
namespace {

struct Installed {
  std::string zone;
  TideLocation tide;
  CurrentLocation current;
};

class StationClockDaysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::string(QW_TEST_DATA_DIR) + "/catalogue.csv")) {
      GTEST_SKIP() << "no built data at " QW_TEST_DATA_DIR " (configure with QW_BUILD_DATA=ON)";
    }
    test::ZdumpZone probe;
    if (!probe.Load("Europe/Paris")) GTEST_SKIP() << "zdump is not installed";
    ResetEngine();
    SetDataDirectory(QW_TEST_DATA_DIR);
    ASSERT_TRUE(sources_.Load(std::string(QW_TEST_DATA_DIR) + "/" + StationSources::kFileName));
  }
  void TearDown() override { ResetEngine(); }

  // The first station of `kind` with predictions in `zone`, or of source id `sourceId`.
  bool Find(char kind, const std::string& zone, const std::string& sourceId, Installed& out) {
    const StationKind stationKind = kind == 'T' ? StationKind::Tide : StationKind::Current;
    const RegionList regions = BuildRegionList(stationKind);
    for (const StationSource& s : sources_.entries()) {
      if (s.kind != kind || (!zone.empty() && s.timeZone != zone) || (!sourceId.empty() && s.sourceId != sourceId)) {
        continue;
      }
      for (size_t slot = 0; slot < regions.size(); ++slot) {
        if (regions[slot].number != s.region) continue;
        out.zone = s.timeZone;
        const bool read = kind == 'T' ? ReadTideLocation(regions, static_cast<int>(slot), s.index, out.tide)
                                      : ReadCurrentLocation(regions, static_cast<int>(slot), s.index, out.current);
        const uint16_t reference = kind == 'T' ? out.tide.referenceId : out.current.referenceId;
        if (read && reference != 0) return true;
      }
    }
    return false;
  }

  // The dates of the year's changes of the clocks, by zdump, and one date without.
  static std::vector<EngineMinute> DatesOf(const test::ZdumpZone& zone, const StationClock& clock, int year) {
    std::vector<EngineMinute> dates{MinuteOf(year, 5, 20)};
    for (const test::ZdumpTransition& t : zone.transitions()) {
      const int64_t utcMinute = t.at / 60 + 25567LL * 1440;
      if (utcMinute < MinuteOf(year, 1, 1) || utcMinute >= MinuteOf(year + 1, 1, 1)) continue;
      const EngineMinute shown = clock.ShownAt(clock.StandardOfUtc(utcMinute));
      dates.push_back(shown - shown % kMinutesPerDay);
    }
    return dates;
  }

  // Checks the readings against zdump; appends the instants.
  template <typename Event>
  void CheckReadings(const std::vector<Event>& events, const test::ZdumpZone& zone, const StationClock& clock,
                     EngineMinute date, const std::string& where, std::vector<EngineMinute>& instants) {
    for (const Event& e : events) {
      const int64_t utcMinute = clock.UtcMinuteOf(e.at.standard);
      const int32_t offset = zone.OffsetMinutesAt(test::UnixSecondsOfUtcMinute(utcMinute));
      EXPECT_EQ(e.at.utcOffsetMinutes, offset) << where;
      EXPECT_EQ(static_cast<int64_t>(e.at.shown), utcMinute + offset) << where;
      EXPECT_EQ(e.at.shown - e.at.shown % kMinutesPerDay, date) << where;
      instants.push_back(e.at.standard);
    }
  }

  StationSources sources_;
};

TEST_F(StationClockDaysTest, TideEventsCarryTheirZonesOffsetAndNoneIsLostOrRepeated) {
  const char* zones[] = {"America/Los_Angeles", "America/New_York", "Europe/Paris",     "Europe/Dublin",
                         "Pacific/Auckland",    "Pacific/Chatham",  "America/St_Johns", "Australia/Adelaide",
                         "Australia/Lord_Howe", "Asia/Kolkata",     "Asia/Tokyo",       "Pacific/Honolulu",
                         "America/Puerto_Rico", "America/Nuuk",     "America/Santiago"};
  int zonesChecked = 0, daysChecked = 0;
  for (const char* name : zones) {
    Installed station;
    ASSERT_TRUE(Find('T', name, "", station)) << name;
    test::ZdumpZone zone;
    ASSERT_TRUE(zone.Load(name)) << name;
    const StationClock clock = StationClock::Of(station.tide, station.zone);
    ASSERT_EQ(clock.basis(), ClockBasis::Zone) << name;
    for (int year : {1974, 2006, 2007, 2026, 2041}) {
      for (const EngineMinute change : DatesOf(zone, clock, year)) {
        // The dates around the date, and the turning points over the same instants.
        std::vector<EngineMinute> listed;
        for (int d = -1; d <= 1; ++d) {
          const EngineMinute date = change + static_cast<EngineMinute>(d * 1440);
          const TideDayList day = FindTideDay(station.tide, clock, date);
          ASSERT_EQ(day.status, 0) << name << " " << date;
          CheckReadings(day.events, zone, clock, date, std::string(name) + " " + std::to_string(year), listed);
          ++daysChecked;
        }
        ASSERT_TRUE(std::is_sorted(listed.begin(), listed.end()));
        EXPECT_EQ(std::adjacent_find(listed.begin(), listed.end()), listed.end()) << name << " listed twice";
        const EngineMinute from = clock.Day(change - kMinutesPerDay).standardStart;
        const EngineMinute to = clock.Day(change + kMinutesPerDay).standardEnd;
        std::vector<TideExtreme> walk;
        for (EngineMinute t = from - 1;;) {
          const TideExtreme e = PredictTide(station.tide, t, +1);
          ASSERT_NE(e.height, kValueFailed);
          if (e.time >= to) break;
          walk.push_back(e);
          t = e.time;
        }
        // Each turning point is listed, unless it is one of a wiggle under 0.1 ft that the
        // day lists leave out.
        for (size_t i = 0; i < walk.size(); ++i) {
          if (std::find(listed.begin(), listed.end(), walk[i].time) != listed.end()) continue;
          const bool wiggle = (i > 0 && std::llabs(int64_t{walk[i].height} - walk[i - 1].height) <= 100000) ||
                              (i + 1 < walk.size() && std::llabs(int64_t{walk[i].height} - walk[i + 1].height) <= 100000);
          EXPECT_TRUE(wiggle) << name << " " << year << ": the event at " << walk[i].time << " is not listed";
        }
      }
    }
    ++zonesChecked;
  }
  EXPECT_EQ(zonesChecked, 15);
  EXPECT_GT(daysChecked, 15 * 5 * 3);
}

TEST_F(StationClockDaysTest, CurrentEventsCarryTheirZonesOffsetAndNoneIsLostOrRepeated) {
  // Golden Gate (the ebb at 23:51 on 8 March 2025 was listed again at 00:51), The Narrows
  // of New York, a Hawaiian station without daylight saving.
  for (const std::string& id : {std::string("SFB1203"), std::string("NYH1924"), std::string("HAI1103")}) {
    Installed station;
    ASSERT_TRUE(Find('C', "", id, station)) << id;
    test::ZdumpZone zone;
    ASSERT_TRUE(zone.Load(station.zone)) << station.zone;
    const StationClock clock = StationClock::Of(station.current, station.zone);
    for (int year = 2020; year <= 2040; ++year) {
      for (const EngineMinute change : DatesOf(zone, clock, year)) {
        std::vector<EngineMinute> listed;
        for (int d = -1; d <= 1; ++d) {
          const EngineMinute date = change + static_cast<EngineMinute>(d * 1440);
          const CurrentDayList day = FindCurrentDay(station.current, clock, date);
          ASSERT_EQ(day.status, 0) << id << " " << date;
          CheckReadings(day.events, zone, clock, date, id + " " + std::to_string(year), listed);
        }
        const EngineMinute from = clock.Day(change - kMinutesPerDay).standardStart;
        const EngineMinute to = clock.Day(change + kMinutesPerDay).standardEnd;
        std::vector<EngineMinute> walk;
        for (EngineMinute t = from - 1;;) {
          const CurrentEvent e = PredictCurrent(station.current, t, +1);
          ASSERT_NE(e.speed, kValueFailed);
          if (e.time >= to) break;
          walk.push_back(e.time);
          t = e.time;
        }
        EXPECT_EQ(listed, walk) << id << " around " << change;
      }
    }
  }
}

TEST_F(StationClockDaysTest, CurrentsComputeOnTheFirstAndLastSupportedDays) {
  Installed reference, subordinate;
  ASSERT_TRUE(Find('C', "", "SFB1203", reference));
  ASSERT_TRUE(Find('C', "", "PCT0281", subordinate));  // Golden Gate Bridge, subordinate
  for (const Installed* station : {&reference, &subordinate}) {
    const StationClock clock = StationClock::Of(station->current, station->zone);
    for (const EngineMinute date : {MinuteOf(1901, 1, 1), MinuteOf(2099, 12, 31)}) {
      test::ReportCapture reports;
      const CurrentDayList day = FindCurrentDay(station->current, clock, date);
      EXPECT_EQ(day.status, 0) << reports.Describe();
      EXPECT_GE(day.events.size(), 6u) << station->current.name;
      for (const ShownCurrentEvent& e : day.events) EXPECT_EQ(e.at.shown - e.at.shown % kMinutesPerDay, date);
      EXPECT_EQ(FindCurrentDaySpeeds(station->current, clock, date, 60).rows.size(), 24u);
    }
  }
}

TEST_F(StationClockDaysTest, HighWatersAtBrestAndAucklandOnTheirWallClocks) {
  Installed brest, auckland;
  ASSERT_TRUE(Find('T', "", "brest-822-fra-uhslc_fd", brest));
  ASSERT_TRUE(Find('T', "", "auckland-070a-nzl-uhslc_rq", auckland));
  // French summer time: the morning high water of 1 July 2026 at 06:44 +02:00.
  const TideDayList day = FindTideDay(brest.tide, StationClock::Of(brest.tide, brest.zone), MinuteOf(2026, 7, 1));
  ASSERT_EQ(day.events.size(), 4u);
  EXPECT_EQ(day.events[1].kind, 'H');
  EXPECT_EQ(day.events[1].at.shown, MinuteOf(2026, 7, 1, 6, 44));
  EXPECT_EQ(day.events[1].at.utcOffsetMinutes, 120);
  // New Zealand summer time in January.
  const TideDayList summer =
      FindTideDay(auckland.tide, StationClock::Of(auckland.tide, auckland.zone), MinuteOf(2026, 1, 10));
  ASSERT_FALSE(summer.events.empty());
  for (const ShownTideEvent& e : summer.events) EXPECT_EQ(e.at.utcOffsetMinutes, 780);
}

}  // namespace
}  // namespace qw
