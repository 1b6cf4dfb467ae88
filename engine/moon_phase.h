// The moon's phase: its age as an angle from new moon, the nearest principal phase with
// its distance in days, the spring or neap tide text, and the lit-disc picture.
//
// The age comes from a short low-precision theory of the sun and moon referred to the
// start of 1980, independent of the precise positions of sun_moon_position.h, in whole
// tenths of a degree. PrincipalPhases() finds the instants of the principal phases from
// the precise positions instead.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine_values.h"
#include "engine/rise_set.h"

namespace qw {

// Age in tenths of a degree: 0 new moon, 900 first quarter, 1800 full, 2700 last quarter.
constexpr int16_t kAgeFirstQuarter = 900;
constexpr int16_t kAgeFull = 1800;
constexpr int16_t kAgeLastQuarter = 2700;
constexpr int16_t kAgeFullCircle = 3600;

// The moon's age in tenths of a degree (0..3599) on the local day of `day` (its minute
// is used as given), for a station `zoneHours` east of Greenwich with `daylightDays` of
// daylight-saving offset.
int16_t MoonAge(EngineMinute day, double zoneHours, double daylightDays);

enum MoonPhaseType : int16_t { kPhaseNone = 0, kPhaseNew = 1, kPhaseFull = 2, kPhaseFirstQuarter = 3, kPhaseLastQuarter = 4 };
enum TideType : int16_t { kTideTypeNone = 0, kTideTypeSpring = 1, kTideTypeNeap = 2 };

// The phase summary a window keeps for its date.
struct MoonPhaseInfo {
  int16_t ageDegrees = 0;  // the day's age in whole degrees
  int16_t phaseType = kPhaseNone;
  int16_t days = 0;  // from the shown date to that phase: -1 yesterday, 0 today, n in n days
  int16_t tideType = kTideTypeNone;
};

struct MoonDay {
  MoonPhaseInfo phase;
  MoonTimes times;  // the day's moonrise and moonset (and phase angle)
};

// The nearest principal phase of the shown day at a station, with the day's moonrise
// and moonset. A phase yesterday wins over later ones, between equal days the earlier in
// the order New, 1st Qtr, Full, 3rd Qtr.
MoonDay FindNextPhase(const StationPlace& place, EngineMinute day);

// "New", "Full", "1st Qtr", "3rd Qtr" for types 1..4, "" otherwise.
const char* PhaseName(int type);
// "Spring Tide", "Neap Tide" for 1 and 2, "" otherwise.
const char* TideTypeName(int type);
// "today", "yesterday", "tomorrow", else "in %d days".
std::string DaysText(int days);
// The phase line of the moon area: "Full moon tomorrow", "1st Qtr moon in 5 days"; ""
// when there is no phase.
std::string PhaseLine(const MoonPhaseInfo& info);

// The angle the picture is drawn at: the exact phase angle on the day of a phase, else
// the age.
int MoonPictureAngle(int ageDegrees, int phaseType, int days);

// How to draw the lit disc for an angle in whole degrees inside a W x H rectangle
// (coordinates relative to its top left): a white disc with a black outline, then
// (unless full) one half filled black, then a centred ellipse `ellipseWidth` wide.
struct MoonPicture {
  bool fullMoon = false;         // only the white disc is drawn
  bool darkLeftHalf = false;     // the black half: left when the angle is below 180, else right
  int ellipseLeft = 0;           // the ellipse's left edge; it spans 1 .. H - 2 vertically
  int ellipseTop = 0;
  int ellipseWidth = 0;
  int ellipseHeight = 0;
  bool ellipseBlack = false;     // black fill and outline (crescent), else white fill, no outline (gibbous)
};
MoonPicture MoonPictureShape(int angle, int width, int height);

// A principal phase found from the precise positions.
struct PrincipalPhase {
  int type = kPhaseNone;   // kPhaseNew .. kPhaseLastQuarter
  double julianDayUt = 0;  // the instant, Universal Time
};

// The principal phases whose instants fall in [fromJulianDay, toJulianDay) (UT), in
// time order: the instants when the moon's ecliptic longitude is 0, 90, 180 or 270
// degrees ahead of the sun's. Empty when the Earth series cannot be loaded.
std::vector<PrincipalPhase> PrincipalPhases(double fromJulianDay, double toJulianDay);

}  // namespace qw
