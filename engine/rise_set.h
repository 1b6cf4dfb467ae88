// Sunrise, sunset, moonrise and moonset of a station's local day, in the station's
// shown time.
//
// The method is the iterative one of Meeus' "Astronomical Algorithms": the body's
// position for the day before, the day and the day after, three-point interpolation
// between them, a first estimate from the hour angle at the standard altitude and
// Newton corrections until a step is below 0.0002 day. Sun: the upper limb on the
// horizon with 34' of refraction (standard altitude -0.8333 deg); moon: 0.7275 times its
// horizontal parallax minus 34' (its centre, corrected for parallax, semidiameter and
// refraction).
//
// Results are hours of the local day as floats:
//  - kRiseSetNotAvailable (-1): the station has no position, or the Earth series are
//    not installed;
//  - h + (m + 0.25)/60 (sun) or h + (m + 0.05)/60 (moon) for an event at h:m; below 0
//    when it falls on the previous day, 24 and above when on the next day (the small
//    fraction keeps a later truncation to whole minutes from dropping a minute);
//  - rise = set = 1 + fraction: the body does not set that day;
//  - rise = set = 13 + fraction: the body does not rise that day.
#pragma once

#include <cstdint>

#include "engine/current_location.h"
#include "engine/engine_values.h"
#include "engine/tide_location.h"

namespace qw {

constexpr float kRiseSetNotAvailable = -1.0f;

// A station's position in the form the station records store it, with the zone.
struct StationPlace {
  char latHemisphere = 'N';  // 'N' or 'S'
  int16_t latDegrees = 0, latMinutes = 0, latSeconds = 0;
  char lonHemisphere = 'W';  // 'E' or 'W'
  int16_t lonDegrees = 0, lonMinutes = 0, lonSeconds = 0;
  int16_t timeMeridian = 0;  // stored whole degrees, east positive (see ZoneHours)
  uint8_t observesDst = 0;   // daylight-saving class 0, 1 or 2
};

StationPlace PlaceOf(const TideLocation& station);
// A current station's place; any daylight flag but 0 is the North American class, as the
// current predictions use it.
StationPlace PlaceOf(const CurrentLocation& station);

struct SunTimes {
  float rise = kRiseSetNotAvailable;
  float set = kRiseSetNotAvailable;
};

struct MoonTimes {
  float rise = kRiseSetNotAvailable;
  float set = kRiseSetNotAvailable;
  float phaseAngle = kRiseSetNotAvailable;  // degrees from new moon, 0.0 .. 359.9
};

// Sunrise and sunset of the local calendar day of `day` (its time of day is ignored).
SunTimes SunRiseSet(EngineMinute day, const StationPlace& place);

// Moonrise, moonset and the moon's phase angle of the local calendar day of `day`.
MoonTimes MoonRiseSet(EngineMinute day, const StationPlace& place);

// How a display reads a day's pair of results.
enum class RiseSetDay { NotAvailable, Events, NeverSets, NeverRises };
RiseSetDay ClassifySunDay(float rise, float set);
RiseSetDay ClassifyMoonDay(float rise, float set);

// The rise and set of a body in the 24 hours from the instant `utcStartMinute` (UTC
// minutes since 1900-01-01 00:00; any minute, not only a midnight), as whole minutes after
// that instant, found and rounded as the local day's are. A minute outside 0..1439 is an
// event of a neighbouring window. The station clock's day lists (sky_day.h) use these, so
// that a date of 23 or 25 hours is covered by the instants it really has.
struct RiseSetMinutes {
  RiseSetDay day = RiseSetDay::NotAvailable;  // rise and set are meaningful for Events only
  int32_t rise = 0;
  int32_t set = 0;
};
RiseSetMinutes SunRiseSetFrom(int64_t utcStartMinute, const StationPlace& place);
RiseSetMinutes MoonRiseSetFrom(int64_t utcStartMinute, const StationPlace& place);

// --- The parts of the computation, exposed for testing. ---

constexpr int kRiseSetFlagNone = 0;
constexpr int kRiseSetFlagNeverSets = 16;
constexpr int kRiseSetFlagNeverRises = 32;

struct RiseTransitSetResult {
  double rise = 0.0;     // radians of a day (2pi = 24 h), not reduced into one day
  double transit = 0.0;
  double set = 0.0;
  int flag = kRiseSetFlagNone;
};

// The core: T (UT) of local midnight, Delta T in seconds, right ascensions and
// declinations for the day before, the day and the day after (radians), the standard
// altitude h0, longitude L (radians, positive west) and latitude phi (radians).
RiseTransitSetResult RiseTransitSet(double centuriesUt, double deltaTSeconds, double ra1, double dec1,
                                    double ra2, double dec2, double ra3, double dec3, double h0,
                                    double longitudeWest, double latitude);

// y2 + n/2 (a + b + n c), a = y2 - y1, b = y3 - y2, c = b - a.
double Interpolate3(double y1, double y2, double y3, double n);

// sign(x) (|x| 12/pi + r[k]) with r = {0.5, 0.05, 0.00833333333, 0.0008333333333}:
// radians of a day to hours, rounded away from zero by half an hour, 3 minutes, half a
// minute or 3 seconds.
double RadiansToHours(double x, int k);

// The moon's standard altitude for horizontal parallax `parallax` (radians).
double MoonStandardAltitude(double parallax);

}  // namespace qw
