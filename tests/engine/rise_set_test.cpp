#include "engine/rise_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "engine/astro_time.h"
#include "engine/calendar.h"
#include "engine/engine_settings.h"
#include "tests/engine/astro_reference.h"

namespace qw {
namespace {

using test::AlmanacTest;
using test::LoadAstroReference;
using test::ReferenceDay;

// The event minute a result stands for (it carries a display fraction of a minute).
double ResultMinutes(float value, double fraction) { return std::round(value * 60.0 - fraction); }

struct Agreement {
  int events = 0;          // reference events compared
  int mismatches = 0;      // days whose kind of result disagrees with the reference
  double worstMinutes = 0;
  int beyondTwoMinutes = 0;
  int grazing = 0;         // of those, events of a body grazing the horizon
  std::ostringstream details;
};

// Compares one of a day's results (a rise or a set) with the reference events of that
// kind on the day and its neighbours (minutes from the day's midnight). The result must
// stand for one of them, and a result outside the day claims that the day itself has
// no such event (an event within a minute of midnight may round either way).
void CompareEvent(const char* what, const ReferenceDay& d, float value, double fraction,
                  const std::vector<double>& today, const std::vector<double>& nearby, double tolerance,
                  Agreement& a) {
  const double ours = ResultMinutes(value, fraction);
  double best = 1e9;
  for (double r : nearby) best = std::min(best, std::fabs(ours - r));
  const bool inDay = ours >= 0.0 && ours < 1440.0;
  bool missedToday = false;
  if (!inDay) {
    for (double r : today) missedToday |= r * 60.0 > 1.0 && r * 60.0 < 1439.0;
  }
  if (missedToday || best > tolerance) {
    ++a.mismatches;
    a.details << d.year << "-" << d.month << "-" << d.day << " " << what << ": ours " << value << " h, reference";
    for (double r : today) a.details << " " << r;
    a.details << " h\n";
    return;
  }
  ++a.events;
  a.worstMinutes = std::max(a.worstMinutes, best);
  if (best > 2.0) {
    ++a.beyondTwoMinutes;
    if (tolerance > 3.0) ++a.grazing;
    a.details << d.year << "-" << d.month << "-" << d.day << " " << what << ": off by " << best << " min\n";
  }
}

// The reference events of one kind on days d-1, d, d+1, in minutes from day d's midnight.
std::vector<double> NearbyEvents(const std::vector<ReferenceDay>& days, size_t index,
                                 std::vector<double> ReferenceDay::*events) {
  std::vector<double> out;
  for (int offset = -1; offset <= 1; ++offset) {
    const size_t i = index + offset;
    if (i >= days.size() || days[i].station != days[index].station) continue;
    for (double r : days[i].*events) out.push_back(r * 60.0 + offset * 1440.0);
  }
  return out;
}

void CompareDay(const std::vector<ReferenceDay>& days, size_t index, float rise, float set, RiseSetDay kind,
                bool sun, double fraction, Agreement& a) {
  const ReferenceDay& d = days[index];
  const std::string& state = sun ? d.sunState : d.moonState;
  auto risesOf = sun ? &ReferenceDay::sunRises : &ReferenceDay::moonRises;
  auto setsOf = sun ? &ReferenceDay::sunSets : &ReferenceDay::moonSets;
  if (state == "up" || state == "down") {
    const RiseSetDay expected = state == "up" ? RiseSetDay::NeverSets : RiseSetDay::NeverRises;
    if (kind != expected) {
      ++a.mismatches;
      a.details << d.year << "-" << d.month << "-" << d.day << ": reference " << state << ", ours " << rise
                << " / " << set << "\n";
    }
    return;
  }
  if (kind != RiseSetDay::Events) {
    ++a.mismatches;
    a.details << d.year << "-" << d.month << "-" << d.day << ": ours " << (kind == RiseSetDay::NeverSets ? "up" : "down")
              << " all day, reference has events\n";
    return;
  }
  // A body that grazes the horizon (up or down for less than half an hour) crosses it
  // so slowly that a small error in altitude moves the times by minutes.
  double tolerance = 3.0;
  for (double r : d.*risesOf) {
    for (double t : d.*setsOf) {
      if (std::fabs(r - t) < 0.5) tolerance = 10.0;
    }
  }
  CompareEvent("rise", d, rise, fraction, d.*risesOf, NearbyEvents(days, index, risesOf), tolerance, a);
  CompareEvent("set", d, set, fraction, d.*setsOf, NearbyEvents(days, index, setsOf), tolerance, a);
}

TEST_F(AlmanacTest, SunAndMoonRiseAndSetAgreeWithTheAlmanacAtTwelveStations) {
  const auto& reference = LoadAstroReference();
  std::vector<Agreement> sun(reference.stations.size()), moon(reference.stations.size());
  for (size_t i = 0; i < reference.days.size(); ++i) {
    const ReferenceDay& d = reference.days[i];
    const StationPlace& place = reference.stations[d.station].place;
    const EngineMinute day = MinuteOf(d.year, d.month, d.day);
    const SunTimes s = SunRiseSet(day, place);
    CompareDay(reference.days, i, s.rise, s.set, ClassifySunDay(s.rise, s.set), true, 0.25, sun[d.station]);
    const MoonTimes m = MoonRiseSet(day, place);
    CompareDay(reference.days, i, m.rise, m.set, ClassifyMoonDay(m.rise, m.set), false, 0.05, moon[d.station]);
  }
  for (size_t i = 0; i < reference.stations.size(); ++i) {
    const std::string& name = reference.stations[i].name;
    std::printf("%-14s sun: %4d events, worst %.0f min, %d > 2 min, %d mismatched | moon: %4d events, worst %.0f min, %d > 2 min, %d mismatched\n",
                name.c_str(), sun[i].events, sun[i].worstMinutes, sun[i].beyondTwoMinutes, sun[i].mismatches,
                moon[i].events, moon[i].worstMinutes, moon[i].beyondTwoMinutes, moon[i].mismatches);
    EXPECT_EQ(sun[i].mismatches, 0) << name << "\n" << sun[i].details.str();
    EXPECT_LE(sun[i].worstMinutes, 2.0) << name << "\n" << sun[i].details.str();
    EXPECT_EQ(moon[i].mismatches, 0) << name << "\n" << moon[i].details.str();
    if (moon[i].grazing == 0) EXPECT_LE(moon[i].worstMinutes, 3.0) << name << "\n" << moon[i].details.str();
  }
}

}  // namespace
}  // namespace qw
