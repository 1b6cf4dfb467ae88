#include "engine/rise_set.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/astro_time.h"
#include "engine/calendar.h"
#include "engine/earth_series.h"
#include "engine/moon_phase.h"
#include "engine/report.h"
#include "engine/sun_moon_position.h"
#include "engine/time_zone.h"

namespace qw {
namespace {

enum class Body { Sun, Moon };

constexpr double kSunStandardAltitude = -0.014543828656868749;   // -0.8333 degrees
constexpr double kMoonAltitudeOffset = 0.009890780871051864;     // 0.5667 degrees
constexpr double kEarthRadiusKm = 6378.14;
constexpr double kSiderealRadiansPerDay = 6.300388092591991;     // 360.985647 degrees
constexpr double kNewtonTolerance = 0.0002;                      // day
constexpr int kNewtonLimit = 100;
// Beyond this |cos H0| the body does not reach the standard altitude that day. (A
// margin below 1 would call days with a short rise or a short set "never rises" or
// "never sets"; at 61 degrees north that is the moon's state on several days a month in
// a year of high lunar declinations.)
constexpr double kCircumpolarCosine = 1.0;

// What a display adds to the whole minute: a quarter minute for the sun, a twentieth
// for the moon.
constexpr double kSunMinuteFraction = 0.25;
constexpr double kMoonMinuteFraction = 0.05;

bool HasPosition(const StationPlace& p) {
  return p.latDegrees != 0 || p.latMinutes != 0 || p.latSeconds != 0 || p.lonDegrees != 0 ||
         p.lonMinutes != 0 || p.lonSeconds != 0;
}

// Decimal degrees of a stored position (degrees, minutes, seconds).
float DecimalDegrees(int16_t degrees, int16_t minutes, int16_t seconds) {
  return static_cast<float>(degrees + (minutes + seconds / 60.0) / 60.0);
}

// Rise and set in hours of the local day, before the rounding to whole minutes; false
// when the positions cannot be computed (no Earth series).
bool RiseSetHours(Body body, const DateRecord& date, double zoneHours, double daylightDays,
                  double latitudeDegrees, double longitudeWestDegrees, double& rise, double& set) {
  const double jd0 = JulianDay(date.year, date.month, date.day + 0.0000001);
  const double t0 = JulianCenturies(jd0);
  const double tUt = t0 + (-zoneHours / 24.0 - daylightDays) / 36525.0;
  const double deltaT = DeltaTSeconds(t0);
  const double tTd = tUt + deltaT / kSecondsPerCentury;
  const double obliquity = MeanObliquity(tTd);
  const double latitude = latitudeDegrees * kDegreesToRadians;
  const double longitude = longitudeWestDegrees * kDegreesToRadians;

  if (!LoadEarthSeries()) return false;

  double h0 = kSunStandardAltitude;
  if (body == Body::Moon) {
    const double parallax = std::asin(kEarthRadiusKm / MoonGeocentric(tUt).distanceKm);
    h0 = MoonStandardAltitude(parallax);
  }
  EquatorialPosition eq[3];
  for (int i = 0; i < 3; ++i) {
    const double t = tTd + (i - 1) / 36525.0;
    if (body == Body::Sun) {
      SunPosition sun;
      if (!SunGeocentric(t, sun)) return false;
      eq[i] = EclipticToEquatorial(sun.longitude, sun.latitude, obliquity);
    } else {
      const MoonPosition moon = MoonGeocentric(t);
      eq[i] = EclipticToEquatorial(moon.longitude, moon.latitude, obliquity);
    }
  }
  const RiseTransitSetResult r =
      RiseTransitSet(tUt, deltaT, eq[0].rightAscension, eq[0].declination, eq[1].rightAscension,
                     eq[1].declination, eq[2].rightAscension, eq[2].declination, h0, longitude, latitude);
  if (r.flag == kRiseSetFlagNeverSets) {
    rise = set = 1.0;
  } else if (r.flag == kRiseSetFlagNeverRises) {
    rise = set = 13.0;
  } else {
    rise = RadiansToHours(r.rise, 2);
    set = RadiansToHours(r.set, 2);
  }
  if (body == Body::Sun) {
    DebugTrace("Rise = %f, Transit = %f, Setting = %f\n", rise, RadiansToHours(r.transit, 2), set);
  } else {
    DebugTrace("Time = %f, TimeZone = %f, fDaySave = %f\n", tUt, zoneHours, daylightDays);
    DebugTrace("MoonRise = %f, Transit = %f, MoonSet = %f\n", rise, RadiansToHours(r.transit, 2), set);
  }
  return true;
}

// Whole minutes (truncated toward zero) plus the display fraction.
float ToWholeMinute(double hours, double fraction) {
  const double h = std::trunc(hours);
  const double m = std::trunc((hours - h) * 60.0);
  return static_cast<float>(h + (m + fraction) / 60.0);
}

// The shared part of both entry points: the day, the position and the zone.
struct DayInput {
  DateRecord date;
  double zoneHours = 0.0;
  double daylightDays = 0.0;
  double latitude = 0.0;
  double longitudeWest = 0.0;
};

DayInput MakeDayInput(EngineMinute day, const StationPlace& place) {
  DayInput in;
  MinuteToDate(day, in.date);
  in.zoneHours = ZoneHours(place.timeMeridian);
  in.daylightDays = DaylightOffsetDays(place.observesDst, in.date);
  float latitude = DecimalDegrees(place.latDegrees, place.latMinutes, place.latSeconds);
  float longitude = DecimalDegrees(place.lonDegrees, place.lonMinutes, place.lonSeconds);
  if (place.latHemisphere == 'S') latitude = -latitude;
  if (place.lonHemisphere == 'E') longitude = -longitude;
  in.latitude = latitude;
  in.longitudeWest = longitude;
  return in;
}

}  // namespace

StationPlace PlaceOf(const TideLocation& station) {
  StationPlace place;
  place.latHemisphere = station.latHemisphere;
  place.latDegrees = station.latDegrees;
  place.latMinutes = station.latMinutes;
  place.latSeconds = station.latSeconds;
  place.lonHemisphere = station.lonHemisphere;
  place.lonDegrees = station.lonDegrees;
  place.lonMinutes = station.lonMinutes;
  place.lonSeconds = station.lonSeconds;
  place.timeMeridian = station.timeMeridian;
  place.observesDst = station.observesDst;
  return place;
}

StationPlace PlaceOf(const CurrentLocation& station) {
  StationPlace place;
  place.latHemisphere = station.latHemisphere;
  place.latDegrees = station.latDegrees;
  place.latMinutes = station.latMinutes;
  place.latSeconds = station.latSeconds;
  place.lonHemisphere = station.lonHemisphere;
  place.lonDegrees = station.lonDegrees;
  place.lonMinutes = station.lonMinutes;
  place.lonSeconds = station.lonSeconds;
  place.timeMeridian = station.timeMeridian;
  // Current times follow the North American hour only (no international correction), so
  // the sun and moon of a current station do too.
  place.observesDst = station.observesDst != 0 ? kDstNorthAmerican : kDstNone;
  return place;
}

SunTimes SunRiseSet(EngineMinute day, const StationPlace& place) {
  SunTimes out;
  if (!HasPosition(place)) return out;
  const DayInput in = MakeDayInput(day, place);
  double rise = 0.0, set = 0.0;
  if (!RiseSetHours(Body::Sun, in.date, in.zoneHours, in.daylightDays, in.latitude, in.longitudeWest, rise, set)) {
    return out;
  }
  out.rise = ToWholeMinute(rise, kSunMinuteFraction);
  out.set = ToWholeMinute(set, kSunMinuteFraction);
  return out;
}

MoonTimes MoonRiseSet(EngineMinute day, const StationPlace& place) {
  MoonTimes out;
  if (!HasPosition(place)) return out;
  const DayInput in = MakeDayInput(day, place);
  double rise = 0.0, set = 0.0;
  const bool computed =
      RiseSetHours(Body::Moon, in.date, in.zoneHours, in.daylightDays, in.latitude, in.longitudeWest, rise, set);
  // The phase does not depend on the Earth series: it is given even when they are missing.
  const EngineMinute midnight = day - day % kMinutesPerDay;
  out.phaseAngle = static_cast<float>(MoonAge(midnight, in.zoneHours, in.daylightDays) / 10.0);
  if (computed) {
    out.rise = ToWholeMinute(rise, kMoonMinuteFraction);
    out.set = ToWholeMinute(set, kMoonMinuteFraction);
  }
  return out;
}

namespace {

RiseSetMinutes RiseSetFrom(Body body, int64_t utcStartMinute, const StationPlace& place) {
  RiseSetMinutes out;
  if (!HasPosition(place) || utcStartMinute < 0) return out;
  // The window as a "local day" of the UTC date holding its start, in a zone that many
  // hours west of Greenwich.
  const int64_t utcDate = utcStartMinute - utcStartMinute % kMinutesPerDay;
  DayInput in = MakeDayInput(static_cast<EngineMinute>(std::min<int64_t>(utcDate, UINT32_MAX)), place);
  in.zoneHours = -static_cast<double>(utcStartMinute - utcDate) / 60.0;
  in.daylightDays = 0.0;
  double rise = 0.0, set = 0.0;
  if (!RiseSetHours(body, in.date, in.zoneHours, in.daylightDays, in.latitude, in.longitudeWest, rise, set)) {
    return out;
  }
  if (rise == set) {
    out.day = rise < 8.0 ? RiseSetDay::NeverSets : RiseSetDay::NeverRises;
    return out;
  }
  out.day = RiseSetDay::Events;
  out.rise = static_cast<int32_t>(std::trunc(rise * 60.0));
  out.set = static_cast<int32_t>(std::trunc(set * 60.0));
  return out;
}

}  // namespace

RiseSetMinutes SunRiseSetFrom(int64_t utcStartMinute, const StationPlace& place) {
  return RiseSetFrom(Body::Sun, utcStartMinute, place);
}

RiseSetMinutes MoonRiseSetFrom(int64_t utcStartMinute, const StationPlace& place) {
  return RiseSetFrom(Body::Moon, utcStartMinute, place);
}

RiseSetDay ClassifySunDay(float rise, float set) {
  if (rise == kRiseSetNotAvailable && set == kRiseSetNotAvailable) return RiseSetDay::NotAvailable;
  if (rise != set) return RiseSetDay::Events;
  return rise < 8.0f ? RiseSetDay::NeverSets : RiseSetDay::NeverRises;
}

RiseSetDay ClassifyMoonDay(float rise, float set) {
  if (rise == kRiseSetNotAvailable && set == kRiseSetNotAvailable) return RiseSetDay::NotAvailable;
  if (rise != set) return RiseSetDay::Events;
  return rise < 12.0f ? RiseSetDay::NeverSets : RiseSetDay::NeverRises;
}

double Interpolate3(double y1, double y2, double y3, double n) {
  const double a = y2 - y1;
  const double b = y3 - y2;
  const double c = b - a;
  return y2 + n / 2.0 * (a + b + n * c);
}

double RadiansToHours(double x, int k) {
  static constexpr double kRounding[] = {0.5, 0.05, 0.00833333333, 0.0008333333333};
  const double hours = std::fabs(x) * 12.0 / kPi + kRounding[k];
  return x < 0.0 ? -hours : hours;
}

double MoonStandardAltitude(double parallax) { return 0.7275 * parallax - kMoonAltitudeOffset; }

namespace {

// The body's hour angle and altitude through the local day, from the three positions:
// m is the time in days from local midnight (UT scale), interpolated at m + Delta T.
class DayCurve {
 public:
  DayCurve(double theta0, double lag, const double (&ra)[3], const double (&dec)[3], double h0,
           double longitude, double latitude)
      : theta0_(theta0), lag_(lag), h0_(h0), longitude_(longitude),
        sinPhi_(std::sin(latitude)), cosPhi_(std::cos(latitude)) {
    for (int i = 0; i < 3; ++i) {
      ra_[i] = ra[i];
      dec_[i] = dec[i];
    }
  }

  double HourAngle(double m) const {
    const double theta = theta0_ + kSiderealRadiansPerDay * m;
    return NormalizeAngleSigned(theta - longitude_ - Interpolate3(ra_[0], ra_[1], ra_[2], m + lag_));
  }
  double Declination(double m) const { return Interpolate3(dec_[0], dec_[1], dec_[2], m + lag_); }
  double Altitude(double m) const {
    const double dec = Declination(m);
    return std::asin(sinPhi_ * std::sin(dec) + cosPhi_ * std::cos(dec) * std::cos(HourAngle(m)));
  }
  // Altitude above the standard altitude: positive while the body is up.
  double AboveHorizon(double m) const { return Altitude(m) - h0_; }

  // One Newton correction of a rise or set estimate.
  double RiseSetStep(double m) const {
    const double dec = Declination(m);
    const double hourAngle = HourAngle(m);
    const double altitude = std::asin(sinPhi_ * std::sin(dec) + cosPhi_ * std::cos(dec) * std::cos(hourAngle));
    return std::cos(altitude) * (altitude - h0_) / (kTwoPi * std::cos(dec) * cosPhi_ * std::sin(hourAngle));
  }

 private:
  double theta0_, lag_, h0_, longitude_, sinPhi_, cosPhi_;
  double ra_[3], dec_[3];
};

struct Refined {
  double m = 0.0;
  bool converged = false;
};

template <typename Step>
Refined Refine(double m, Step step) {
  for (int i = 0; i < kNewtonLimit; ++i) {
    const double dm = step(m);
    m += dm;
    if (std::fabs(dm) <= kNewtonTolerance) return {m, std::isfinite(m)};
  }
  return {m, false};
}

// The rises (upward) or sets (downward) of the curve in [from, to), sampled every
// quarter of an hour and bisected to a fraction of a second.
std::vector<double> Crossings(const DayCurve& curve, double from, double to, bool rising) {
  constexpr double kScanStep = 1.0 / 96.0;
  std::vector<double> found;
  double m0 = from;
  double f0 = curve.AboveHorizon(m0);
  while (m0 < to) {
    const double m1 = std::min(m0 + kScanStep, to);
    const double f1 = curve.AboveHorizon(m1);
    if ((f0 < 0.0 && f1 >= 0.0 && rising) || (f0 >= 0.0 && f1 < 0.0 && !rising)) {
      double lo = m0, hi = m1;
      for (int i = 0; i < 24; ++i) {
        const double mid = 0.5 * (lo + hi);
        ((curve.AboveHorizon(mid) < 0.0) == rising ? lo : hi) = mid;
      }
      found.push_back(0.5 * (lo + hi));
    }
    m0 = m1;
    f0 = f1;
  }
  return found;
}

// Checks a rise or set of the iteration against the whole day: the iteration follows
// one event from a first estimate and can settle on a neighbouring day's event, or
// diverge, when the body only just reaches the horizon (high latitudes, the moon at
// large declinations). The day's first event is taken, or on a day without one the
// nearest on the day before or after; the iterated time is kept when it is that event.
double CheckedEvent(const DayCurve& curve, const Refined& iterated, bool rising) {
  constexpr double kSameEvent = 0.002;  // days, about three minutes
  const std::vector<double> today = Crossings(curve, 0.0, 1.0, rising);
  double event = 2.0;  // none within a day either side: shown as a later day's
  if (!today.empty()) {
    if (iterated.converged) {
      for (double m : today) {
        if (std::fabs(iterated.m - m) <= kSameEvent) return iterated.m;
      }
    }
    event = today.front();
  } else {
    const std::vector<double> before = Crossings(curve, -1.0, 0.0, rising);
    const std::vector<double> after = Crossings(curve, 1.0, 2.0, rising);
    if (!before.empty() && (after.empty() || -before.back() < after.front() - 1.0)) {
      event = before.back();
    } else if (!after.empty()) {
      event = after.front();
    }
  }
  return iterated.converged && std::fabs(iterated.m - event) <= kSameEvent ? iterated.m : event;
}

}  // namespace

RiseTransitSetResult RiseTransitSet(double tUt, double deltaT, double ra1, double dec1, double ra2, double dec2,
                                    double ra3, double dec3, double h0, double longitude, double latitude) {
  // Unwrap the right ascensions around the middle one so the interpolation does not
  // jump at 0h.
  ra1 = NormalizeAngleSigned(ra1 - ra2) + ra2;
  ra3 = NormalizeAngleSigned(ra3 - ra2) + ra2;

  RiseTransitSetResult out;
  const double theta0 = GreenwichMeanSiderealTime(tUt);
  const double cosH0 = (std::sin(h0) - std::sin(latitude) * std::sin(dec2)) / (std::cos(latitude) * std::cos(dec2));
  DebugTrace("cosH = %f\n", cosH0);
  const DayCurve curve(theta0, deltaT / 86400.0, {ra1, ra2, ra3}, {dec1, dec2, dec3}, h0, longitude, latitude);

  // The transit of the day, as a fraction of the day in [0, 1): a transit estimate
  // left in the next day would take the rise or set of the next day instead of today's.
  double m0 = (ra2 + longitude - theta0) / kTwoPi;
  m0 -= std::floor(m0);
  double m1, m2;
  if (std::fabs(cosH0) > kCircumpolarCosine) {
    if (cosH0 >= 0.0) {
      m1 = m2 = m0;
      out.flag = kRiseSetFlagNeverRises;
    } else {
      m1 = m0 - 0.5;
      m2 = m0 + 0.5;
      out.flag = kRiseSetFlagNeverSets;
    }
  } else {
    const double h = std::acos(cosH0) / kTwoPi;
    m1 = m0 - h;
    m2 = m0 + h;
  }
  if (m1 < 0.0) m1 += 1.0;
  if (m2 > 1.0) m2 -= 1.0;

  m0 = Refine(m0, [&](double m) { return -curve.HourAngle(m) / kTwoPi; }).m;
  Refined rise{m1, false}, set{m2, false};
  if (out.flag == kRiseSetFlagNone) {
    auto step = [&](double m) { return curve.RiseSetStep(m); };
    rise = Refine(m1, step);
    set = Refine(m2, step);
  }

  // Whether the body crosses the horizon at all today decides the day's kind: the
  // midnight declination alone misjudges days when the moon's declination changes
  // enough to bring a short rise or a short set.
  const bool crossesToday = !Crossings(curve, 0.0, 1.0, true).empty() || !Crossings(curve, 0.0, 1.0, false).empty();
  if (!crossesToday) {
    out.flag = curve.AboveHorizon(0.5) >= 0.0 ? kRiseSetFlagNeverSets : kRiseSetFlagNeverRises;
  } else {
    out.flag = kRiseSetFlagNone;
    rise.m = CheckedEvent(curve, rise, true);
    set.m = CheckedEvent(curve, set, false);
  }
  out.rise = kTwoPi * rise.m;
  out.transit = kTwoPi * m0;
  out.set = kTwoPi * set.m;
  DebugTrace("Rise = %f, Transit = %f, Set = %f\n", out.rise, out.transit, out.set);
  return out;
}

}  // namespace qw
