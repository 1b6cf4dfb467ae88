#include "engine/moon_phase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "engine/astro_time.h"
#include "engine/calendar.h"
#include "engine/time_zone.h"
#include "tests/engine/astro_reference.h"

namespace qw {
namespace {

using test::AlmanacTest;
using test::LoadAstroReference;

// Julian Day (UT) of local midnight of an engine day at a station.
double LocalMidnightJd(EngineMinute day, const StationPlace& place) {
  DateRecord date;
  MinuteToDate(day, date);
  return JulianDay(date.year, date.month, date.day) - (ZoneHours(place.timeMeridian) / 24.0) -
         DaylightOffsetDays(place.observesDst, date);
}

TEST_F(AlmanacTest, PrincipalPhaseInstantsAgreeWithTheAlmanac) {
  const auto& reference = LoadAstroReference();
  const double from = JulianDay(2025, 1, 1.0), to = JulianDay(2026, 1, 1.0);
  const std::vector<PrincipalPhase> ours = PrincipalPhases(from, to);
  size_t compared = 0;
  for (const test::ReferencePhase& r : reference.phases) {
    if (r.julianDayUt < from || r.julianDayUt >= to) continue;
    ASSERT_LT(compared, ours.size());
    EXPECT_EQ(ours[compared].type, r.type);
    EXPECT_NEAR(ours[compared].julianDayUt, r.julianDayUt, 3.0 / 1440.0) << "phase " << r.type << " at JD " << r.julianDayUt;
    ++compared;
  }
  EXPECT_EQ(compared, ours.size());
  EXPECT_GE(compared, 49u);
}

// For every day of the year at three stations: the nearest principal phase is the one of
// yesterday if there was one, else the next one, on the right local date.
TEST_F(AlmanacTest, NearestPhaseFallsOnTheAlmanacsDate) {
  const auto& reference = LoadAstroReference();
  int checked = 0, uncertain = 0;
  for (int s : {3, 5, 11}) {  // Key West (daylight saving), Brest, Dunedin
    const StationPlace& place = reference.stations[s].place;
    // The reference lists phases up to 2 January 2026.
    for (EngineMinute day = MinuteOf(2025, 1, 1); day < MinuteOf(2025, 12, 20); day += kMinutesPerDay) {
      const double midnight = LocalMidnightJd(day, place);
      // The reference phase the day shows, and its day offset from the shown day.
      int type = 0, days = 0;
      bool nearMidnight = false;
      for (const test::ReferencePhase& p : reference.phases) {
        const double fromMidnight = p.julianDayUt - midnight;
        const int offset = static_cast<int>(std::floor(fromMidnight));
        if (offset < -2) continue;
        // The phase theory of the day is good to well under an hour: skip phases within
        // 45 minutes of a midnight.
        const double fraction = fromMidnight - offset;
        nearMidnight |= fraction < 0.75 / 24.0 || fraction > 23.25 / 24.0;
        if (offset < -1) continue;
        if (offset == -1 || type == 0) {
          type = p.type;
          days = offset;
          if (offset >= 0) break;
        }
      }
      if (nearMidnight) {
        ++uncertain;
        continue;
      }
      const MoonDay result = FindNextPhase(place, day);
      DateRecord date;
      MinuteToDate(day, date);
      EXPECT_TRUE(result.phase.phaseType == type && result.phase.days == days)
          << reference.stations[s].name << " " << date.year << "-" << +date.month << "-" << +date.day << ": ours "
          << result.phase.phaseType << " in " << result.phase.days << ", almanac " << type << " in " << days;
      const bool spring = type == kPhaseNew || type == kPhaseFull;
      EXPECT_EQ(result.phase.tideType, std::abs(days) <= 1 ? (spring ? kTideTypeSpring : kTideTypeNeap) : kTideTypeNone);
      ++checked;
    }
  }
  EXPECT_GT(checked, 3 * 240);
  std::printf("nearest phase: %d days checked, %d skipped near a midnight\n", checked, uncertain);
}

TEST_F(AlmanacTest, PhaseAngleOfRiseAndSetFollowsTheMoonsAge) {
  // Half a day before and after each full moon the age is near 180 degrees; near each
  // new moon it is near 0 or 360.
  const StationPlace greenwich = LoadAstroReference().stations[5].place;
  for (const PrincipalPhase& p : PrincipalPhases(JulianDay(2025, 1, 1.0), JulianDay(2025, 12, 1.0))) {
    const EngineMinute day = MinuteOf(2025, 1, 1) + static_cast<EngineMinute>(std::floor(p.julianDayUt - JulianDay(2025, 1, 1.0))) * kMinutesPerDay;
    const float angle = MoonRiseSet(day, greenwich).phaseAngle;
    const double expected = (p.type == kPhaseNew ? 0 : p.type == kPhaseFirstQuarter ? 90 : p.type == kPhaseFull ? 180 : 270);
    EXPECT_LT(std::fabs(std::remainder(angle - expected, 360.0)), 15.0) << "type " << p.type << " angle " << angle;
  }
}

TEST(MoonPhaseTextTest, NamesAndDayTexts) {
  EXPECT_STREQ(PhaseName(kPhaseFirstQuarter), "1st Qtr");
  EXPECT_STREQ(PhaseName(0), "");
  EXPECT_STREQ(TideTypeName(kTideTypeNeap), "Neap Tide");
  EXPECT_EQ(DaysText(-1), "yesterday");
  EXPECT_EQ(DaysText(0), "today");
  EXPECT_EQ(DaysText(1), "tomorrow");
  EXPECT_EQ(DaysText(5), "in 5 days");
  EXPECT_EQ(PhaseLine({12, kPhaseFull, 1, kTideTypeSpring}), "Full moon tomorrow");
  EXPECT_EQ(PhaseLine({50, kPhaseFirstQuarter, 5, kTideTypeNone}), "1st Qtr moon in 5 days");
  EXPECT_EQ(PhaseLine({50, kPhaseNone, 0, kTideTypeNone}), "");
}

TEST(MoonPictureTest, DiscAtTheFourPhasesAndBetween) {
  EXPECT_EQ(MoonPictureAngle(87, kPhaseFirstQuarter, 0), 90);
  EXPECT_EQ(MoonPictureAngle(87, kPhaseFirstQuarter, 1), 87);
  // New: left half black plus a black ellipse over nearly all of the right half.
  const MoonPicture newMoon = MoonPictureShape(0, 40, 40);
  EXPECT_TRUE(newMoon.darkLeftHalf);
  EXPECT_TRUE(newMoon.ellipseBlack);
  EXPECT_EQ(newMoon.ellipseWidth, 38);
  EXPECT_EQ(newMoon.ellipseLeft, 1);
  EXPECT_EQ(newMoon.ellipseHeight, 38);
  // First quarter: left half black, right half white, no ellipse to speak of.
  const MoonPicture first = MoonPictureShape(90, 40, 40);
  EXPECT_TRUE(first.darkLeftHalf);
  EXPECT_EQ(first.ellipseWidth, 0);
  EXPECT_TRUE(MoonPictureShape(180, 40, 40).fullMoon);
  // Last quarter: the right half black.
  EXPECT_FALSE(MoonPictureShape(270, 40, 40).darkLeftHalf);
  // Waxing gibbous: a white ellipse widens the lit right half into the left.
  const MoonPicture gibbous = MoonPictureShape(135, 40, 40);
  EXPECT_FALSE(gibbous.ellipseBlack);
  EXPECT_EQ(gibbous.ellipseWidth, 45 * 40 / 90 - 2);
  EXPECT_EQ(gibbous.ellipseLeft, 20 - gibbous.ellipseWidth / 2);
  // Waning crescent: black ellipse.
  EXPECT_TRUE(MoonPictureShape(300, 40, 40).ellipseBlack);
}

}  // namespace
}  // namespace qw
