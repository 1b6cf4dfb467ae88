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
    if (moon[i].grazing == 0) {
      EXPECT_LE(moon[i].worstMinutes, 3.0) << name << "\n" << moon[i].details.str();
    }
  }
}

}  // namespace
}  // namespace qw

namespace qw {
namespace {

StationPlace Place(char ns, int lat, char ew, int lon, int meridian, uint8_t dstClass = 0) {
  StationPlace p;
  p.latHemisphere = ns;
  p.latDegrees = static_cast<int16_t>(lat);
  p.lonHemisphere = ew;
  p.lonDegrees = static_cast<int16_t>(lon);
  p.timeMeridian = static_cast<int16_t>(meridian);
  p.observesDst = dstClass;
  return p;
}

TEST_F(AlmanacTest, PolarDayAndNightGiveTheNeverSetsAndNeverRisesValues) {
  const StationPlace north = Place('N', 70, 'E', 20, 15);
  const SunTimes summer = SunRiseSet(MinuteOf(2025, 6, 21), north);
  EXPECT_FLOAT_EQ(summer.rise, 1.0f + 0.25f / 60.0f);
  EXPECT_FLOAT_EQ(summer.set, summer.rise);
  EXPECT_EQ(ClassifySunDay(summer.rise, summer.set), RiseSetDay::NeverSets);
  const SunTimes winter = SunRiseSet(MinuteOf(2025, 12, 21), north);
  EXPECT_FLOAT_EQ(winter.rise, 13.0f + 0.25f / 60.0f);
  EXPECT_EQ(ClassifySunDay(winter.rise, winter.set), RiseSetDay::NeverRises);
  // The southern hemisphere the other way round.
  const SunTimes south = SunRiseSet(MinuteOf(2025, 6, 21), Place('S', 75, 'W', 60, -60));
  EXPECT_EQ(ClassifySunDay(south.rise, south.set), RiseSetDay::NeverRises);
}

TEST_F(AlmanacTest, ResultsFollowTheStationsShownTime) {
  const StationPlace standard = Place('N', 40, 'W', 74, -75, 0);
  const StationPlace daylight = Place('N', 40, 'W', 74, -75, 1);
  const EngineMinute july = MinuteOf(2025, 7, 1);
  const SunTimes a = SunRiseSet(july, standard), b = SunRiseSet(july, daylight);
  EXPECT_NEAR(b.rise - a.rise, 1.0, 1.5 / 60.0);
  EXPECT_NEAR(b.set - a.set, 1.0, 1.5 / 60.0);
  const MoonTimes ma = MoonRiseSet(july, standard), mb = MoonRiseSet(july, daylight);
  EXPECT_NEAR(mb.rise - ma.rise, 1.0, 1.5 / 60.0);
  // With daylight saving off, or in winter, class 1 is standard time.
  Settings().daylightSavings = false;
  EXPECT_FLOAT_EQ(SunRiseSet(july, daylight).rise, a.rise);
  Settings().daylightSavings = true;
  const EngineMinute january = MinuteOf(2025, 1, 15);
  EXPECT_FLOAT_EQ(SunRiseSet(january, daylight).rise, SunRiseSet(january, standard).rise);

  // A zone eight hours west of the longitude: the day's sunset comes at noon and its
  // sunrise is the one of the next Greenwich morning, in the evening.
  const SunTimes greenwich = SunRiseSet(july, Place('N', 51, 'W', 1, 0));
  const SunTimes shifted = SunRiseSet(july, Place('N', 51, 'W', 1, -120));
  EXPECT_NEAR(shifted.set, greenwich.set - 8.0, 2.0 / 60.0);
  EXPECT_NEAR(shifted.rise, greenwich.rise - 8.0 + 24.0, 3.0 / 60.0);
}

TEST_F(AlmanacTest, WholeMinutesCarryTheDisplayFraction) {
  const MoonTimes m = MoonRiseSet(MinuteOf(2025, 3, 3), Place('N', 37, 'W', 122, -120));
  for (float v : {m.rise, m.set}) {
    const double minutes = v * 60.0;
    EXPECT_NEAR(minutes - std::floor(minutes), 0.05, 1e-3) << v;
  }
  const SunTimes s = SunRiseSet(MinuteOf(2025, 3, 3), Place('N', 37, 'W', 122, -120));
  EXPECT_NEAR(s.rise * 60.0 - std::floor(s.rise * 60.0), 0.25, 1e-3);
  EXPECT_GE(m.phaseAngle, 0.0f);
  EXPECT_LT(m.phaseAngle, 360.0f);
}

class RiseSetWithoutDataTest : public test::EngineTest {};

TEST_F(RiseSetWithoutDataTest, MissingPositionOrSeriesGiveNotAvailable) {
  const EngineMinute day = MinuteOf(2025, 3, 3);
  // No position: nothing at all, not even the phase.
  const MoonTimes none = MoonRiseSet(day, Place('N', 0, 'W', 0, -75));
  EXPECT_EQ(none.rise, kRiseSetNotAvailable);
  EXPECT_EQ(none.set, kRiseSetNotAvailable);
  EXPECT_EQ(none.phaseAngle, kRiseSetNotAvailable);
  EXPECT_EQ(ClassifySunDay(none.rise, none.set), RiseSetDay::NotAvailable);
  // No Earth series installed (the fixture's data directory is empty): no times, but
  // the phase, which does not need them, and no message.
  const MoonTimes noSeries = MoonRiseSet(day, Place('N', 40, 'W', 74, -75));
  EXPECT_EQ(noSeries.rise, kRiseSetNotAvailable);
  EXPECT_GE(noSeries.phaseAngle, 0.0f);
  EXPECT_EQ(SunRiseSet(day, Place('N', 40, 'W', 74, -75)).set, kRiseSetNotAvailable);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST(RiseSetPartsTest, RoundingInterpolationAndMoonAltitude) {
  EXPECT_NEAR(RadiansToHours(kPi, 2), 12.00833333333, 1e-9);
  EXPECT_NEAR(RadiansToHours(-kPi, 2), -12.00833333333, 1e-9);
  EXPECT_NEAR(RadiansToHours(kPi / 2, 0), 6.5, 1e-12);
  // Three-point interpolation is exact on a parabola, at and between the points.
  auto parabola = [](double x) { return 2.0 + 3.0 * x - 0.5 * x * x; };
  for (double n : {-1.0, -0.3, 0.0, 0.6, 1.0}) {
    EXPECT_NEAR(Interpolate3(parabola(-1), parabola(0), parabola(1), n), parabola(n), 1e-12);
  }
  // At a mean parallax of 57' the moon's centre rises at +7.5'.
  EXPECT_NEAR(MoonStandardAltitude(57.0 / 60.0 * kDegreesToRadians) / kDegreesToRadians * 60.0,
              0.7275 * 57.0 - 34.0, 0.01);
}

}  // namespace
}  // namespace qw
