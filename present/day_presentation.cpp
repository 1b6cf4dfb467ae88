#include "present/day_presentation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/station_database.h"
#include "engine/string_table.h"
#include "present/display_units.h"

namespace qw {
namespace {

constexpr const char* kWeekdays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr const char* kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

// An event hour of the rise/set results as a clock text; the small fraction they carry
// makes truncation to whole minutes safe.
std::string TimeOfHours(float hours, TimeType clock) {
  const int minutes = static_cast<int>(std::floor(hours * 60.0));
  return ClockText(minutes / 60, minutes % 60, clock);
}

// One rise or set line: the time, or the neighbouring day it falls on.
LabelledText EventLine(const char* name, float hours, TimeType clock) {
  if (hours < 0) return {std::string(name) + " Yesterday", ""};
  if (hours >= 24) return {std::string(name) + " Tomorrow", ""};
  return {std::string(name) + ":", TimeOfHours(hours, clock)};
}

}  // namespace

std::string PositionText(char latH, int latD, int latM, int latS, char lonH, int lonD, int lonM, int lonS) {
  if (latD == 0 && latM == 0 && latS == 0) return "Position Not Specified";
  char text[96];
  if (latS == 0 && lonS == 0) {
    std::snprintf(text, sizeof text, "Lat %02d\u00B0%02d' %c  Lon %03d\u00B0%02d' %c", latD, latM, latH, lonD, lonM,
                  lonH);
  } else {
    std::snprintf(text, sizeof text, "Lat %02d\u00B0%02d %02d %c  Lon %03d\u00B0%02d %02d %c", latD, latM, latS, latH,
                  lonD, lonM, lonS, lonH);
  }
  return text;
}

std::string SourceText(bool subordinate, const std::string& referenceName, const std::string& sourceSuffix) {
  if (subordinate && !referenceName.empty()) return "based on " + referenceName + sourceSuffix;
  return "Harmonic station" + sourceSuffix;
}

std::vector<LabelledText> SunTexts(const SunTimes& sun, TimeType clock) {
  switch (ClassifySunDay(sun.rise, sun.set)) {
    case RiseSetDay::NotAvailable: return {{"Sunrise/Sunset Not Available", ""}};
    case RiseSetDay::NeverSets: return {{"Sun does not set today", ""}};
    case RiseSetDay::NeverRises: return {{"Sun does not rise today", ""}};
    case RiseSetDay::Events: break;
  }
  return {EventLine("Sunrise", sun.rise, clock), EventLine("Sunset", sun.set, clock)};
}

std::vector<LabelledText> MoonTexts(const MoonTimes& moon, TimeType clock) {
  switch (ClassifyMoonDay(moon.rise, moon.set)) {
    case RiseSetDay::NotAvailable: return {{"Moonrise/Moonset Not Available", ""}};
    case RiseSetDay::NeverSets: return {{"Moon does not set", ""}};
    case RiseSetDay::NeverRises: return {{"Moon does not rise", ""}};
    case RiseSetDay::Events: break;
  }
  // A day can lack one of the two events; rise_set.h then gives it on a neighbouring day.
  return {EventLine("Moonrise", moon.rise, clock), EventLine("Moonset", moon.set, clock)};
}

void PresentSky(const SunTimes& sun, const MoonDay& moon, TimeType clock, DayPresentation& p) {
  p.sun = SunTexts(sun, clock);
  p.moon = MoonTexts(moon.times, clock);
  if (moon.times.phaseAngle >= 0) {
    p.phaseLine = PhaseLine(moon.phase);
    p.tideTypeLine = TideTypeName(moon.phase.tideType);
    p.moonAngle = MoonPictureAngle(moon.phase.ageDegrees, moon.phase.phaseType, moon.phase.days);
  }
  DaylightSpan& daylight = p.graph.daylight;
  switch (ClassifySunDay(sun.rise, sun.set)) {
    case RiseSetDay::NotAvailable: daylight.kind = DaylightSpan::Kind::Unknown; break;
    case RiseSetDay::NeverSets: daylight.kind = DaylightSpan::Kind::AlwaysUp; break;
    case RiseSetDay::NeverRises: daylight.kind = DaylightSpan::Kind::AlwaysDown; break;
    case RiseSetDay::Events:
      daylight.kind = DaylightSpan::Kind::Normal;
      daylight.riseMinute = static_cast<int>(std::floor(sun.rise * 60.0));
      daylight.setMinute = static_cast<int>(std::floor(sun.set * 60.0));
      break;
  }
}

std::string TimeOfMinute(EngineMinute minute, TimeType clock) {
  DateRecord date;
  MinuteToDate(minute, date);
  return ClockText(date.hour, date.minute, clock);
}

std::string WeekDayLabel(const DateRecord& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3s %d/%d", kWeekdays[date.weekday % 7], date.month, date.day);
  return text;
}

std::string LongDateText(const DateRecord& date) {
  char text[64];
  std::snprintf(text, sizeof text, "%s, %s %d, %d", kWeekdays[date.weekday % 7], kMonths[(date.month + 11) % 12],
                date.day, date.year);
  return text;
}

std::string NoticeText(StationNotice notice) {
  switch (notice) {
    case StationNotice::Incomplete: return StringText(2605);
    case StationNotice::WeakAndVariable: return "Current is weak and variable. Unable to predict.";
    case StationNotice::NotPredictable:
    case StationNotice::NoCorrections:
    case StationNotice::None: break;
  }
  return StringText(2603);
}

int32_t UserRangeToDisplay(int32_t stored, int32_t scaleUnit, bool wholeCentimetres) {
  const int64_t value = wholeCentimetres ? int64_t{stored} * scaleUnit : int64_t{stored} * scaleUnit / 100;
  return static_cast<int32_t>(std::clamp<int64_t>(value, -kValueFailed + 2, kValueFailed - 1));
}

}  // namespace qw
