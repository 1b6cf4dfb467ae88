#include "present/day_presentation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/station_database.h"
#include "engine/string_table.h"
#include "present/display_units.h"
#include "present/moon_picture.h"

namespace qw {
namespace {

constexpr const char* kWeekdays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr const char* kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

// The events of one kind on the date.
std::vector<ClockReading> EventsOf(const SkyDay& sky, SkyEventKind kind) {
  std::vector<ClockReading> out;
  for (const SkyEvent& e : sky.events) {
    if (e.kind == kind) out.push_back(e.at);
  }
  return out;
}

// One rise or set line: the time, or that the body does not do it on this date (it did
// so late the day before, or will early the day after). A second event of the same kind
// (the moon on a 25-hour date) is joined to the line.
LabelledText EventLine(const char* name, const std::vector<ClockReading>& events, const StationClock& clock,
                       const CivilDaySpan& span, TimeType timeType) {
  if (events.empty()) return {std::string("No ") + name + " this day", ""};
  std::string text;
  for (const ClockReading& at : events) {
    if (!text.empty()) text += ", ";
    text += TimeOfReading(at, clock, span, timeType);
  }
  return {std::string(name) + ":", text};
}

bool ChangeDay(const CivilDaySpan& span) { return span.Minutes() != kMinutesPerDay; }

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

std::vector<LabelledText> SunTexts(const SkyDay& sky, const StationClock& clock, TimeType timeType) {
  switch (sky.sun) {
    case RiseSetDay::NotAvailable: return {{"Sunrise/Sunset Not Available", ""}};
    case RiseSetDay::NeverSets: return {{"Sun does not set today", ""}};
    case RiseSetDay::NeverRises: return {{"Sun does not rise today", ""}};
    case RiseSetDay::Events: break;
  }
  return {EventLine("Sunrise", EventsOf(sky, SkyEventKind::Sunrise), clock, sky.span, timeType),
          EventLine("Sunset", EventsOf(sky, SkyEventKind::Sunset), clock, sky.span, timeType)};
}

std::vector<LabelledText> MoonTexts(const SkyDay& sky, const StationClock& clock, TimeType timeType) {
  switch (sky.moon) {
    case RiseSetDay::NotAvailable: return {{"Moonrise/Moonset Not Available", ""}};
    case RiseSetDay::NeverSets: return {{"Moon does not set", ""}};
    case RiseSetDay::NeverRises: return {{"Moon does not rise", ""}};
    case RiseSetDay::Events: break;
  }
  return {EventLine("Moonrise", EventsOf(sky, SkyEventKind::Moonrise), clock, sky.span, timeType),
          EventLine("Moonset", EventsOf(sky, SkyEventKind::Moonset), clock, sky.span, timeType)};
}

void PresentSky(const SkyDay& sky, const StationClock& clock, TimeType timeType, DayPresentation& p) {
  p.sun = SunTexts(sky, clock, timeType);
  p.moon = MoonTexts(sky, clock, timeType);
  if (sky.phaseAngle >= 0 && sky.nearestPhase.phaseType != kPhaseNone) {
    p.phaseLine = PhaseLine(sky.nearestPhase);
    p.tideTypeLine = TideTypeName(sky.nearestPhase.tideType);
    p.moonAngle = MoonPictureAngle(sky.nearestPhase.ageDegrees, sky.nearestPhase.phaseType, sky.nearestPhase.days);
  }
  DaylightSpan& daylight = p.graph.daylight;
  switch (sky.sun) {
    case RiseSetDay::NotAvailable: daylight.kind = DaylightSpan::Kind::Unknown; return;
    case RiseSetDay::NeverSets: daylight.kind = DaylightSpan::Kind::AlwaysUp; return;
    case RiseSetDay::NeverRises: daylight.kind = DaylightSpan::Kind::AlwaysDown; return;
    case RiseSetDay::Events: break;
  }
  // Minutes of elapsed time from the date's first instant; a rise or set not on this
  // date lies before its start or after its end.
  const int length = static_cast<int>(sky.span.Minutes());
  const std::vector<ClockReading> rises = EventsOf(sky, SkyEventKind::Sunrise);
  const std::vector<ClockReading> sets = EventsOf(sky, SkyEventKind::Sunset);
  daylight.kind = DaylightSpan::Kind::Normal;
  daylight.riseMinute = rises.empty() ? 0 : static_cast<int>(rises.front().standard - sky.span.standardStart);
  daylight.setMinute = sets.empty() ? length : static_cast<int>(sets.front().standard - sky.span.standardStart);
}

std::string ZoneText(const StationClock& clock, const CivilDaySpan& span) {
  const std::string first = clock.AbbreviationAt(span.standardStart);
  const std::string last = clock.AbbreviationAt(span.standardEnd > span.standardStart ? span.standardEnd - 1 : span.standardStart);
  return "(" + (first == last ? first : first + "/" + last) + ")";
}

std::string TimeOfReading(const ClockReading& at, const StationClock& clock, const CivilDaySpan& span,
                          TimeType timeType) {
  const uint32_t ofDay = at.shown % kMinutesPerDay;
  std::string text = ClockText(static_cast<int>(ofDay / 60), static_cast<int>(ofDay % 60), timeType);
  if (ChangeDay(span)) text += " " + clock.AbbreviationAt(at.standard);
  return text;
}

std::optional<NowMark> NowMarkOf(const ClockReading& now, const StationClock& clock, const CivilDaySpan& span,
                                 TimeType timeType) {
  if (now.standard < span.standardStart || now.standard >= span.standardEnd) return std::nullopt;
  NowMark mark;
  mark.minute = static_cast<int>(now.standard - span.standardStart);
  mark.label = "Now " + TimeOfReading(now, clock, span, timeType);
  return mark;
}

void PresentDayAxis(const StationClock& clock, const CivilDaySpan& span, TimeType timeType, DayGraphData& graph) {
  graph.minutes = static_cast<int>(span.Minutes());
  graph.hourTicks.clear();
  graph.changeNote.clear();
  for (int elapsed = 0; elapsed <= graph.minutes; elapsed += 60) {
    const EngineMinute shown = clock.ShownAt(span.standardStart + static_cast<EngineMinute>(elapsed));
    graph.hourTicks.push_back({elapsed, static_cast<int>((static_cast<int64_t>(shown) - span.date) / 60)});
  }
  if (!ChangeDay(span) || span.Minutes() == 0) return;
  // The instant of the change: the first whose offset differs from the date's first.
  const int32_t before = clock.OffsetAt(span.standardStart);
  EngineMinute low = span.standardStart, high = span.standardEnd - 1;
  if (clock.OffsetAt(high) == before) return;
  while (high - low > 1) {
    const EngineMinute middle = low + (high - low) / 2;
    (clock.OffsetAt(middle) == before ? low : high) = middle;
  }
  const int32_t shift = clock.OffsetAt(high) - before;
  // The wall clock reads the old time plus one minute at the change (2:00 in North America).
  const uint32_t at = (clock.ShownAt(low) + 1) % kMinutesPerDay;
  const int magnitude = std::abs(shift);
  std::string amount = magnitude % 60 == 0 ? std::to_string(magnitude / 60) + (magnitude == 60 ? " hour" : " hours")
                                           : std::to_string(magnitude) + " minutes";
  const int hours = graph.minutes / 60, rest = graph.minutes % 60;
  const std::string length = rest == 0 ? std::to_string(hours) + "-hour day"
                                       : std::to_string(hours) + " h " + std::to_string(rest) + " min day";
  graph.changeNote = std::string("Clocks go ") + (shift > 0 ? "forward " : "back ") + amount + " at " +
                     ClockText(static_cast<int>(at / 60), static_cast<int>(at % 60), timeType) + ": " + length;
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
