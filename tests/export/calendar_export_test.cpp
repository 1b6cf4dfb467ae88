// The calendar writer: its events are the station clock's day lists at their UTC
// instants, across a change of the clocks; its UIDs repeat from one file to the next and
// never within one; sun and moon without the Earth series, and Stop, write nothing.
#include "export/calendar_export.h"

#include <gtest/gtest.h>

#include <ctime>
#include <set>
#include <sstream>

#include "engine/calendar.h"
#include "engine/civil_days.h"
#include "engine/data_dir.h"
#include "tests/support/test_support.h"
#include "tests/support/tide_station_fixture.h"

namespace qw {
namespace {

constexpr uint16_t kReference = 202;

// The lines of an iCalendar text with the folded ones joined again.
std::vector<std::string> Unfolded(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == ' ' && !lines.empty()) {
      lines.back() += line.substr(1);
    } else {
      lines.push_back(line);
    }
  }
  return lines;
}

std::vector<std::string> Values(const std::vector<std::string>& lines, const std::string& name) {
  std::vector<std::string> values;
  for (const std::string& line : lines) {
    if (line.rfind(name + ":", 0) == 0) values.push_back(line.substr(name.size() + 1));
  }
  return values;
}

// Seconds since 1970 of the time a clock shows, less the offset it shows with.
int64_t UnixSecondsOfReading(const ClockReading& at) {
  DateRecord d;
  MinuteToDate(at.shown, d);
  std::tm tm{};
  tm.tm_year = d.year - 1900;
  tm.tm_mon = d.month - 1;
  tm.tm_mday = d.day;
  tm.tm_hour = d.hour;
  tm.tm_min = d.minute;
  return static_cast<int64_t>(timegm(&tm)) - at.utcOffsetMinutes * 60LL;
}

struct DayStop : SearchProgress {
  bool Pump() override { return ++pumps > 1; }
  int pumps = 0;
};

class CalendarExportTest : public test::EngineTest {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(test::WriteSyntheticStations(dataDir_.path().string(), {test::MixedTideStation(kReference)}, 2020,
                                             2022, &error))
        << error;
    job_.station.kind = StationKind::Tide;
    job_.station.tide = test::ReferenceLocation(kReference, 1, "Mixed Harbour");  // time meridian 120 W
    job_.locationName = "Mixed Harbour";
    job_.sourceLabel = "NOAA 9999999";
    job_.stationKey = "noaa-9999999";
    // The United States' clocks went forward on 14 March 2021.
    job_.firstDay = MinuteOf(2021, 3, 13);
    job_.lastDay = MinuteOf(2021, 3, 15);
  }

  StationClock clock_ = StationClock(-120, 1, "America/Los_Angeles");
  CalendarJob job_;
  SearchProgress quiet_;
};

TEST_F(CalendarExportTest, WaterEventsAreTheDayListsAtTheirUtcInstants) {
  const CalendarEvents collected = CollectCalendarEvents(job_, clock_, quiet_);
  ASSERT_EQ(collected.outcome, CalendarOutcome::Completed);
  std::vector<ShownTideEvent> expected;
  for (EngineMinute day = job_.firstDay; day <= job_.lastDay; day += kMinutesPerDay) {
    const TideDayList list = FindTideDay(job_.station.tide, clock_, day);
    expected.insert(expected.end(), list.events.begin(), list.events.end());
  }
  ASSERT_EQ(collected.events.size(), expected.size());
  std::set<int> offsets;
  for (size_t i = 0; i < expected.size(); ++i) {
    const CalendarEvent& event = collected.events[i];
    EXPECT_EQ(event.at.standard, expected[i].at.standard);
    EXPECT_STREQ(event.code, expected[i].kind == 'H' ? "high" : "low");
    EXPECT_EQ(event.unixSeconds, UnixSecondsOfReading(expected[i].at)) << event.summary;
    offsets.insert(event.at.utcOffsetMinutes);
  }
  EXPECT_EQ(offsets, (std::set<int>{-480, -420}));  // both sides of the change

  // Each DTSTART is the event's instant in UTC; the description gives the station's time.
  const std::vector<std::string> lines = Unfolded(CalendarText(job_, clock_, collected.events));
  const std::vector<std::string> starts = Values(lines, "DTSTART");
  ASSERT_EQ(starts.size(), expected.size());
  const time_t first = static_cast<time_t>(collected.events.front().unixSeconds);
  char utc[32];
  std::strftime(utc, sizeof utc, "%Y%m%dT%H%M%SZ", std::gmtime(&first));
  EXPECT_EQ(starts.front(), utc);
  const std::vector<std::string> descriptions = Values(lines, "DESCRIPTION");
  EXPECT_NE(descriptions.front().find("-08:00 (PST)"), std::string::npos) << descriptions.front();
  EXPECT_NE(descriptions.back().find("-07:00 (PDT)"), std::string::npos) << descriptions.back();
  EXPECT_NE(descriptions.back().find("Source: NOAA 9999999"), std::string::npos);
  EXPECT_EQ(Values(lines, "SUMMARY").front(), collected.events.front().summary);
}

TEST_F(CalendarExportTest, UidsRepeatAcrossFilesAndNeverWithinOne) {
  job_.stampUnixSeconds = 1600000000;
  StringSink first;
  ASSERT_EQ(WriteCalendar(job_, clock_, first, quiet_), CalendarOutcome::Completed);
  job_.stampUnixSeconds = 1700000000;
  StringSink second;
  ASSERT_EQ(WriteCalendar(job_, clock_, second, quiet_), CalendarOutcome::Completed);
  const std::vector<std::string> uids = Values(Unfolded(first.text), "UID");
  EXPECT_EQ(uids, Values(Unfolded(second.text), "UID"));
  EXPECT_NE(Values(Unfolded(first.text), "DTSTAMP"), Values(Unfolded(second.text), "DTSTAMP"));
  EXPECT_EQ(std::set<std::string>(uids.begin(), uids.end()).size(), uids.size());
  ASSERT_FALSE(uids.empty());
  EXPECT_NE(uids.front().find("-noaa-9999999@quaywise"), std::string::npos) << uids.front();
}

TEST_F(CalendarExportTest, SkyWithoutTheEarthSeriesAndStopWriteNothing) {
  StringSink sink;
  job_.events = kCalendarWater | kCalendarSun;
  EXPECT_EQ(WriteCalendar(job_, clock_, sink, quiet_), CalendarOutcome::NoSkyData);
  job_.events = kCalendarPhases;
  EXPECT_EQ(WriteCalendar(job_, clock_, sink, quiet_), CalendarOutcome::NoSkyData);
  job_.events = kCalendarWater;
  DayStop stop;
  EXPECT_EQ(WriteCalendar(job_, clock_, sink, stop), CalendarOutcome::Cancelled);
  EXPECT_EQ(stop.pumps, 2);
  EXPECT_TRUE(sink.text.empty());
}

TEST(CalendarStationKeyTest, SourceWhereKnownElseRegionAndStationId) {
  StationSource noaa;
  noaa.source = "NOAA";
  noaa.sourceId = "9414290";
  EXPECT_EQ(CalendarStationKey(StationKind::Tide, 12, 367, &noaa), "noaa-9414290");
  // A current station and a tide station may share a source identifier.
  EXPECT_EQ(CalendarStationKey(StationKind::Current, 12, 367, &noaa), "c-noaa-9414290");
  StationSource ticon;
  ticon.source = "TICON-4";
  ticon.sourceId = "newlyn new_gbr bodc";
  EXPECT_EQ(CalendarStationKey(StationKind::Tide, 3, 8, &ticon), "ticon-4-newlyn-new-gbr-bodc");
  EXPECT_EQ(CalendarStationKey(StationKind::Tide, 99, 12, nullptr), "t99-12");
  EXPECT_EQ(CalendarStationKey(StationKind::Current, 99, 12, nullptr), "c99-12");
}

}  // namespace
}  // namespace qw
