#include "engine/moon_phase.h"

#include <cmath>
#include <cstdlib>

#include "engine/astro_time.h"
#include "engine/calendar.h"
#include "engine/engine_settings.h"
#include "engine/sun_moon_position.h"
#include "engine/time_zone.h"

namespace qw {
namespace {

constexpr double kDegreesPerRadian = 57.295779;

// Floating remainder brought into [0, 360).
double Reduce360(double x) { return std::fmod(std::fmod(x, 360.0) + 360.0, 360.0); }

double SinDegrees(double x) { return std::sin(x / kDegreesPerRadian); }

// The daylight offset of FindNextPhase's ages: exactly one hour for the North American
// rule (the rise and set times use the single-precision hour).
double PhaseDaylightDays(uint8_t dstClass, EngineMinute day) {
  if (dstClass == kDstInternational) return Settings().intlDaylightMinutes / 60.0 / 24.0;
  if (dstClass == kDstNorthAmerican) {
    DateRecord date;
    MinuteToDate(day, date);
    if (date.dstFlag == 1 && Settings().daylightSavings) return 1.0 / 24.0;
  }
  return 0.0;
}

// A signed angle v (hundredths of a degree) in days at m hundredths a day: rounds up
// from an eighth of a day on for a phase ahead, toward zero for one behind unless it is
// within an eighth of the next whole day.
int RoundDays(int v, int m) {
  const int q = v / m;
  const int r = v % m;
  if (v >= 0) return r >= m / 8 ? q + 1 : q;
  return std::abs(r) >= 7 * m / 8 ? q - 1 : q;
}

// Daily motion in hundredths of a degree from two successive days' ages in tenths.
int DailyMotion(int a0, int a1) {
  const int motion = ((a1 < a0 ? a1 + kAgeFullCircle : a1) - a0) * 10;
  return motion > 0 ? motion : 1;  // never divide by zero, whatever the ages
}

// The angle still to go, in tenths, to the phase at `target`; the new moon is reached
// from either side.
int ToTarget(int target, int age) {
  if (target == 0) return age <= kAgeFull ? -age : kAgeFullCircle - age;
  return target - age;
}

// Longitude of the moon ahead of the sun at a UT Julian Day, radians [0, 2pi).
bool Elongation(double julianDayUt, double& out) {
  const double t = JulianCenturies(julianDayUt);
  const double tTd = t + DeltaTSeconds(t) / kSecondsPerCentury;
  SunPosition sun;
  if (!SunGeocentric(tTd, sun)) return false;
  out = NormalizeAngle(MoonGeocentric(tTd).longitude - sun.longitude);
  return true;
}

}  // namespace

int16_t MoonAge(EngineMinute day, double zoneHours, double daylightDays) {
  const double epoch = MinuteOf(1980, 1, 1);
  double d = (static_cast<double>(day) - epoch) / kMinutesPerDay + 1.75 - (zoneHours / 24.0 + daylightDays);

  // The sun.
  const double n = 0.9856473320990837 * d;
  const double ms = n + 278.8335 - 282.5964;
  const double ec = 1.9157416666440001 * SinDegrees(ms);
  const double sunLongitude = Reduce360(n + ec + 278.8335);

  d += 0.125;
  // The moon.
  const double l = Reduce360(13.1764 * d + 64.9755);
  const double mm = Reduce360(l - 0.111404 * d - 349.383);
  const double evection = 1.2739 * SinDegrees(2.0 * (l - sunLongitude) - mm);
  const double annual = 0.1858 * SinDegrees(ms);
  const double a3 = 0.37 * SinDegrees(ms);
  const double mmCorrected = mm + evection - annual - a3;
  const double centre = 6.2886 * SinDegrees(mmCorrected);
  double lp = l + evection + centre - annual;
  lp += 0.214 * SinDegrees(2.0 * mmCorrected);
  const double variation = 0.6583 * SinDegrees(2.0 * (lp - sunLongitude));
  const double age = Reduce360(lp + variation - sunLongitude);
  return static_cast<int16_t>(age * 10.0);
}

MoonDay FindNextPhase(const StationPlace& place, EngineMinute day) {
  MoonDay out;
  out.times = MoonRiseSet(day, place);
  const EngineMinute midnight = day - day % kMinutesPerDay;
  const double zone = ZoneHours(place.timeMeridian);
  auto ageOn = [&](int offsetDays) {
    const EngineMinute d = AddDays(midnight, static_cast<int16_t>(offsetDays));
    return static_cast<int>(MoonAge(d, zone, PhaseDaylightDays(place.observesDst, d)));
  };

  const int a0 = ageOn(0);
  const int motion = DailyMotion(a0, ageOn(1));
  struct Candidate {
    int type;
    int target;
  };
  constexpr Candidate kCandidates[] = {{kPhaseNew, 0},
                                       {kPhaseFirstQuarter, kAgeFirstQuarter},
                                       {kPhaseFull, kAgeFull},
                                       {kPhaseLastQuarter, kAgeLastQuarter}};
  int best = 0;
  int type = kPhaseNone;
  for (const Candidate& c : kCandidates) {
    // A first estimate from today's motion, then a second look from that day.
    const int estimate = RoundDays(10 * ToTarget(c.target, a0), motion);
    const int b0 = ageOn(estimate);
    const int offset = estimate + RoundDays(10 * ToTarget(c.target, b0), DailyMotion(b0, ageOn(estimate + 1)));
    if (c.type == kPhaseNew) {
      if (offset >= 0 || offset == -1) {
        best = offset;
        type = kPhaseNew;
      }
    } else if (offset == -1 || (offset >= 0 && (type == kPhaseNone || offset < best))) {
      best = offset;
      type = c.type;
    }
  }
  out.phase.ageDegrees = static_cast<int16_t>(a0 / 10);
  out.phase.phaseType = static_cast<int16_t>(type);
  out.phase.days = static_cast<int16_t>(best);
  if (type != kPhaseNone && std::abs(best) <= 1) {
    out.phase.tideType = (type == kPhaseNew || type == kPhaseFull) ? kTideTypeSpring : kTideTypeNeap;
  }
  return out;
}

const char* PhaseName(int type) {
  switch (type) {
    case kPhaseNew: return "New";
    case kPhaseFull: return "Full";
    case kPhaseFirstQuarter: return "1st Qtr";
    case kPhaseLastQuarter: return "3rd Qtr";
    default: return "";
  }
}

const char* TideTypeName(int type) {
  if (type == kTideTypeSpring) return "Spring Tide";
  if (type == kTideTypeNeap) return "Neap Tide";
  return "";
}

std::string DaysText(int days) {
  if (days == 0) return "today";
  if (days == -1) return "yesterday";
  if (days == 1) return "tomorrow";
  return "in " + std::to_string(days) + " days";
}

std::string PhaseLine(const MoonPhaseInfo& info) {
  const std::string name = PhaseName(info.phaseType);
  if (name.empty()) return name;
  return name + " moon " + DaysText(info.days);
}

int MoonPictureAngle(int ageDegrees, int phaseType, int days) {
  if (days != 0) return ageDegrees;
  switch (phaseType) {
    case kPhaseNew: return 0;
    case kPhaseFirstQuarter: return 90;
    case kPhaseFull: return 180;
    case kPhaseLastQuarter: return 270;
    default: return ageDegrees;
  }
}

MoonPicture MoonPictureShape(int angle, int width, int height) {
  MoonPicture picture;
  if (angle == 180) {
    picture.fullMoon = true;
    return picture;
  }
  picture.darkLeftHalf = angle < 180;
  const int distance = angle < 180 ? std::abs(90 - angle) : std::abs(270 - angle);
  const int w = distance * width / 90 - 2;
  picture.ellipseWidth = w > 0 ? w : 0;
  picture.ellipseLeft = width / 2 - picture.ellipseWidth / 2;
  picture.ellipseTop = 1;
  picture.ellipseHeight = height - 2;
  picture.ellipseBlack = angle <= 90 || angle >= 270;
  return picture;
}

std::vector<PrincipalPhase> PrincipalPhases(double from, double to) {
  std::vector<PrincipalPhase> phases;
  constexpr double kStep = 0.25;  // days; the moon gains about 3 degrees on the sun
  constexpr double kQuarter = kPi / 2.0;
  constexpr int kTypeOfQuadrant[4] = {kPhaseNew, kPhaseFirstQuarter, kPhaseFull, kPhaseLastQuarter};

  double before = 0.0;
  if (!Elongation(from, before)) return phases;
  for (double t0 = from; t0 < to; t0 += kStep) {
    const double t1 = t0 + kStep;
    double after = 0.0;
    if (!Elongation(t1, after)) return phases;
    const int q0 = static_cast<int>(before / kQuarter);
    const int q1 = static_cast<int>(after / kQuarter);
    if (q0 != q1) {
      // The elongation passed the quarter q1 (0 wraps from 3). Bisect the signed
      // distance to it down to about a tenth of a second.
      const double target = q1 * kQuarter;
      double lo = t0, hi = t1;
      for (int i = 0; i < 24; ++i) {
        const double mid = 0.5 * (lo + hi);
        double e = 0.0;
        Elongation(mid, e);
        (NormalizeAngleSigned(e - target) < 0.0 ? lo : hi) = mid;
      }
      const double instant = 0.5 * (lo + hi);
      if (instant >= from && instant < to) phases.push_back({kTypeOfQuadrant[q1 % 4], instant});
    }
    before = after;
  }
  return phases;
}

}  // namespace qw
