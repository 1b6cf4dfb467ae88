// The sun and moon of a station's civil date against the PyEphem almanac: rises, sets and
// phases listed once each, at their shown times, and the extra hour of a 25-hour date
// searched too.
#include "engine/sky_day.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/astro_time.h"
#include "engine/calendar.h"
#include "engine/time_zone.h"
#include "tests/engine/astro_reference.h"

namespace qw {
namespace {

using test::AlmanacTest;
using test::LoadAstroReference;

// The events of `kind` in a sky day, as minutes after the date's 00:00.
std::vector<double> Minutes(const SkyDay& day, SkyEventKind kind) {
  std::vector<double> out;
  for (const SkyEvent& e : day.events) {
    if (e.kind == kind) out.push_back(static_cast<double>(e.at.shown) - day.span.date);
  }
  return out;
}

// An event within a few minutes of a midnight may round onto either date.
bool NearMidnight(double minutes) { return minutes < 3.0 || minutes > 1437.0; }

// Whether every almanac event (hours of the shown day) has one of ours within `tolerance`
// minutes, and we list no more than it does. A date with an event near its midnight in
// either list is not compared.
bool Agree(const std::vector<double>& almanacHours, const std::vector<double>& ours, double tolerance) {
  std::vector<double> almanac;
  for (double h : almanacHours) almanac.push_back(h * 60.0);
  if (std::any_of(almanac.begin(), almanac.end(), NearMidnight) || std::any_of(ours.begin(), ours.end(), NearMidnight)) {
    return true;
  }
  if (almanac.size() != ours.size()) return false;
  for (double a : almanac) {
    bool found = false;
    for (double m : ours) found |= std::fabs(m - a) <= tolerance;
    if (!found) return false;
  }
  return true;
}

// At the almanac's stations below 60 degrees of latitude, on every day of 2025 that is not
// a change of the clocks, each date's rises and sets are the almanac's. The almanac keeps
// each station's time meridian and the whole-day United States rule, which is the clock
// of a station without a zone.
TEST_F(AlmanacTest, RisesAndSetsOfEachDateAreTheAlmanacs) {
  const auto& reference = LoadAstroReference();
  int compared = 0;
  std::string problems;
  for (const test::ReferenceDay& d : reference.days) {
    const StationPlace& place = reference.stations[static_cast<size_t>(d.station)].place;
    if (place.latDegrees >= 60) continue;
    const StationClock clock(place.timeMeridian, place.observesDst, "");
    const EngineMinute date = MinuteOf(d.year, d.month, d.day);
    if (clock.Day(date).Minutes() != kMinutesPerDay) continue;
    const SkyDay day = FindSkyDay(place, clock, date);
    const struct {
      const std::vector<double>& almanac;
      SkyEventKind kind;
    } kinds[] = {{d.sunRises, SkyEventKind::Sunrise},
                 {d.sunSets, SkyEventKind::Sunset},
                 {d.moonRises, SkyEventKind::Moonrise},
                 {d.moonSets, SkyEventKind::Moonset}};
    for (const auto& k : kinds) {
      if (!Agree(k.almanac, Minutes(day, k.kind), 2.0)) {
        char line[128];
        std::snprintf(line, sizeof line, "station %d %d-%02d-%02d kind %d\n", d.station, d.year, d.month, d.day,
                      static_cast<int>(k.kind));
        problems += line;
      }
      ++compared;
    }
  }
  EXPECT_GT(compared, 9 * 365 * 3);
  EXPECT_TRUE(problems.empty()) << problems.substr(0, 2000);
}

// Across the changes of the clocks at San Francisco and Key West, whose almanac days keep
// the whole-day rule: over the dates around each change, every almanac event is listed
// once by the zone's clock, at its own offset.
TEST_F(AlmanacTest, ChangesOfTheClocksNeitherLoseNorRepeatRisesAndSets) {
  const auto& reference = LoadAstroReference();
  for (int s : {3, 4}) {
    const StationPlace& place = reference.stations[static_cast<size_t>(s)].place;
    const StationClock zone(place.timeMeridian, place.observesDst, s == 3 ? "America/New_York" : "America/Los_Angeles");
    const int32_t meridian = MeridianOffsetMinutes(place.timeMeridian);
    for (const EngineMinute change : {MinuteOf(2025, 3, 9), MinuteOf(2025, 11, 2)}) {
      // The almanac's events of the five dates around the change, as UTC minutes.
      std::vector<std::pair<SkyEventKind, double>> almanac;
      for (const test::ReferenceDay& d : reference.days) {
        const EngineMinute date = MinuteOf(d.year, d.month, d.day);
        if (d.station != s || date + 2 * kMinutesPerDay < change || date > change + 2 * kMinutesPerDay) continue;
        DateRecord record;
        MinuteToDate(date, record);
        const double offset = meridian + (record.dstFlag ? 60 : 0);
        for (double h : d.sunRises) almanac.push_back({SkyEventKind::Sunrise, date + h * 60.0 - offset});
        for (double h : d.sunSets) almanac.push_back({SkyEventKind::Sunset, date + h * 60.0 - offset});
        for (double h : d.moonRises) almanac.push_back({SkyEventKind::Moonrise, date + h * 60.0 - offset});
        for (double h : d.moonSets) almanac.push_back({SkyEventKind::Moonset, date + h * 60.0 - offset});
      }
      std::vector<SkyEvent> ours;
      for (int k = -2; k <= 2; ++k) {
        const SkyDay day = FindSkyDay(place, zone, change + static_cast<EngineMinute>(k * 1440));
        for (const SkyEvent& e : day.events) {
          EXPECT_EQ(e.at.shown - e.at.shown % kMinutesPerDay, day.span.date);
          EXPECT_EQ(e.at.utcOffsetMinutes, zone.OffsetAt(e.at.standard));
          ours.push_back(e);
        }
      }
      // Compare over the instants both cover: from the first date's start to the last's end.
      const double from = zone.UtcMinuteOf(zone.Day(change - 2 * kMinutesPerDay).standardStart) + 90;
      const double to = zone.UtcMinuteOf(zone.Day(change + 2 * kMinutesPerDay).standardEnd) - 90;
      size_t expected = 0, matched = 0;
      for (const auto& [kind, utc] : almanac) {
        if (utc < from || utc >= to) continue;
        ++expected;
        int found = 0;
        for (const SkyEvent& e : ours) found += e.kind == kind && std::fabs(zone.UtcMinuteOf(e.at.standard) - utc) <= 2.0;
        EXPECT_EQ(found, 1) << "station " << s << " kind " << static_cast<int>(kind) << " at UTC minute " << utc;
        matched += found == 1;
      }
      EXPECT_EQ(matched, expected);
      EXPECT_GE(expected, 18u);
    }
  }
}

// The principal phases land on the station's date at their shown time, and the nearest
// phase counts the station's dates.
TEST_F(AlmanacTest, PhasesAreListedOnTheStationsDate) {
  const auto& reference = LoadAstroReference();
  const StationPlace& dunedin = reference.stations[11].place;
  const StationClock clock(dunedin.timeMeridian, dunedin.observesDst, "Pacific/Auckland");
  int listed = 0;
  for (const test::ReferencePhase& p : reference.phases) {
    const int64_t utc = std::llround((p.julianDayUt - JulianDay(1900, 1, 1.0)) * kMinutesPerDay);
    const ClockReading at = clock.At(clock.StandardOfUtc(utc));
    const EngineMinute date = at.shown - at.shown % kMinutesPerDay;
    if (date < MinuteOf(2025, 1, 2) || date > MinuteOf(2025, 12, 20)) continue;
    const SkyDay day = FindSkyDay(dunedin, clock, date);
    ASSERT_EQ(day.phases.size(), 1u);
    EXPECT_EQ(day.phases[0].type, p.type);
    EXPECT_NEAR(static_cast<double>(day.phases[0].at.shown), static_cast<double>(at.shown), 1.0);
    EXPECT_EQ(day.nearestPhase.phaseType, p.type);
    EXPECT_EQ(day.nearestPhase.days, 0);
    const SkyDay after = FindSkyDay(dunedin, clock, date + kMinutesPerDay);
    EXPECT_EQ(after.nearestPhase.phaseType, p.type);  // yesterday's phase wins
    EXPECT_EQ(after.nearestPhase.days, -1);
    EXPECT_EQ(FindSkyDay(dunedin, clock, date - kMinutesPerDay).nearestPhase.days, 1);
    ++listed;
  }
  EXPECT_GE(listed, 45);
}

}  // namespace
}  // namespace qw
