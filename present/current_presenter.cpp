#include "present/current_presenter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/installed_catalogue.h"
#include "present/display_units.h"

namespace qw {
namespace {

// "0.3 kt  056°" for a speed in hundredths of a knot and its direction; "- - kt" when
// the speed is not given.
std::string AverageText(int16_t hundredthsKnot, int16_t direction, CurrentUnit unit) {
  if (hundredthsKnot == kNotGiven16) return SpeedDisplayText(DisplaySpeed(kValueNotDefined, unit));
  std::string text = SpeedDisplayText(HundredthsKnotToDisplay(hundredthsKnot, unit));
  const std::string degrees = DirectionText(direction);
  return degrees.empty() ? text : text + "  " + degrees;
}

}  // namespace

std::string CurrentKindText(int16_t stationKind) {
  switch (stationKind) {
    case kCurrentKindRotary: return "Current is rotary in nature.";
    case kCurrentKindWeakVariable: return "Current is weak and variable. Unable to predict.";
    case kCurrentKindEbbsMostly: return "Current ebbs most of the time.";
    case kCurrentKindMayDoubleFlood: return "Current may double flood.";
    case kCurrentKindMayDoubleEbb: return "Current may double ebb.";
    default: break;
  }
  return std::string();
}

std::string DirectionText(int16_t degrees) {
  if (degrees == kNotGiven16 || degrees < 0) return std::string();
  char text[16];
  std::snprintf(text, sizeof text, "%03d\u00B0", degrees % 360);
  return text;
}

std::string CurrentEventWord(char kind) {
  switch (kind) {
    case 'F': return "Flood";
    case 'E': return "Ebb";
    case 'S': return "Slack";
    case 'M': return "Max";
    case 'm': return "Min";
    default: break;
  }
  return "Value";
}

void CurrentRangeLines(const CurrentLocation& station, const AppSettings& settings, RangeLine& high, RangeLine& low) {
  const CurrentUnit unit = settings.currentUnit;
  const RangeSettings& ranges = settings.currentRanges;
  high = RangeLine{};
  low = RangeLine{};
  if (settings.highRangeLine) {
    if (ranges.highRange == kCurrentHighUser) {
      high.shown = true;
      high.value = UserRangeToDisplay(ranges.highHeight, ScaleUnit(unit), false);
      high.label = ranges.highLabel;
    } else {
      high.shown = station.floodSpeed != kNotGiven16;
      high.value = HundredthsKnotToDisplay(std::abs(station.floodSpeed), unit).raw;
      high.label = "max fld";
    }
  }
  if (settings.lowRangeLine) {
    // Ebb speeds are given as magnitudes; the line lies below the zero line.
    if (ranges.lowRange == kCurrentLowUser) {
      low.shown = true;
      low.value = -std::abs(UserRangeToDisplay(ranges.lowHeight, ScaleUnit(unit), false));
      low.label = ranges.lowLabel;
    } else {
      low.shown = station.ebbSpeed != kNotGiven16;
      low.value = -HundredthsKnotToDisplay(std::abs(station.ebbSpeed), unit).raw;
      low.label = "max ebb";
    }
  }
}

std::optional<NowMark> CurrentNowMark(const CurrentLocation& station, const StationClock& stationClock,
                                      const CurrentDay& day, const ClockReading& now, const AppSettings& settings) {
  std::optional<NowMark> mark = NowMarkOf(now, stationClock, day.span, settings.timeType);
  if (!mark || !day.eventsFound) return mark;
  const MinuteValue value = CurrentValueAt(station, now.standard);
  if (value.value == kValueFailed || value.value == kValueNotDefined) return mark;
  const DisplaySpeed speed = SpeedToDisplay(MicroKnots(value.value), settings.currentUnit);
  mark->value = speed.raw;
  mark->label += " " + SpeedDisplayText(speed);
  const std::string direction = DirectionText(value.direction);
  if (!direction.empty()) mark->label += " " + direction;
  return mark;
}

DayPresentation PresentCurrentDay(const CurrentLocation& station, const StationClock& stationClock,
                                  const CurrentDay& day, const AppSettings& settings) {
  DayPresentation p;
  const CurrentUnit unit = settings.currentUnit;
  const TimeType clock = settings.timeType;
  const bool rotary = station.stationKind == kCurrentKindRotary;
  p.name = station.name;
  p.position = PositionText(station.latHemisphere, station.latDegrees, station.latMinutes, station.latSeconds,
                            station.lonHemisphere, station.lonDegrees, station.lonMinutes, station.lonSeconds);
  p.notice = CurrentNoticeOf(station);
  if (p.notice != StationNotice::NotPredictable) {
    p.source = SourceText(IsSubordinateCurrent(station) && !rotary, day.referenceName,
                          ReferenceSourceSuffix('C', station.referenceId));
  }
  if (station.stationId != 0) p.stationId = "Station ID: " + std::to_string(station.stationId);
  p.zone = ZoneText(stationClock, day.span);

  p.eventsHeading = "Daily Max Floods & Ebbs:";
  p.eventsFound = day.eventsFound;
  p.noEventsText = "No floods or ebbs this day";
  for (const ShownCurrentEvent& event : day.events) {
    EventText e;
    e.word = CurrentEventWord(event.kind);
    e.tone = event.kind == 'F' ? EventTone::Rising : event.kind == 'E' ? EventTone::Falling : EventTone::Neutral;
    e.time = TimeOfReading(event.at, stationClock, day.span, clock);
    e.value = SpeedDisplayText(SpeedToDisplay(MicroKnots(event.speed), unit));
    e.direction = DirectionText(event.direction);
    p.events.push_back(e);
  }

  // The source publishes no averages: where the data carries them, they were computed
  // from the station's (or its reference's) own predictions, and the heading says so.
  const StationSource* source = ReferenceSource('C', station.referenceId);
  const bool anyAverage = station.floodSpeed != kNotGiven16 || station.ebbSpeed != kNotGiven16 ||
                          station.slackBeforeFloodSpeed != kNotGiven16 || station.slackBeforeEbbSpeed != kNotGiven16;
  p.averagesHeading = anyAverage && source && !source->averages.empty() ? "Average Currents (computed):"
                                                                        : "Average Currents:";
  p.averages.push_back({"Min Before Flood:", AverageText(station.slackBeforeFloodSpeed, station.slackBeforeFloodDirection, unit)});
  p.averages.push_back({"Avg Max Flood:", AverageText(station.floodSpeed, station.floodDirection, unit)});
  p.averages.push_back({"Min Before Ebb:", AverageText(station.slackBeforeEbbSpeed, station.slackBeforeEbbDirection, unit)});
  p.averages.push_back({"Avg Max Ebb:", AverageText(station.ebbSpeed, station.ebbDirection, unit)});
  // A weak and variable current says so in its notice box.
  if (p.notice != StationNotice::WeakAndVariable) p.stationKindText = CurrentKindText(station.stationKind);

  if (day.skyAsked) PresentSky(day.sky, stationClock, clock, p);
  PresentDayAxis(stationClock, day.span, clock, p.graph);

  DayGraphData& g = p.graph;
  for (int32_t v : day.halfHour) g.halfHour.push_back(SpeedToDisplay(MicroKnots(v), unit).raw);
  for (int32_t v : day.fine) g.fine.push_back(SpeedToDisplay(MicroKnots(v), unit).raw);
  g.fineStepMinutes = kFineStepMinutes;
  if (day.eventsFound) {
    g.minimum = SpeedToDisplay(MicroKnots(day.minimum), unit).raw;
    g.maximum = SpeedToDisplay(MicroKnots(day.maximum), unit).raw;
  }
  // The day's extremes come from the events and the day's ends; a subordinate station
  // whose events are not defined still draws the values it has.
  for (int32_t v : g.halfHour) {
    if (v == kValueNotDefined) continue;
    g.minimum = std::min(g.minimum, v);
    g.maximum = std::max(g.maximum, v);
  }
  g.scaleUnit = ScaleUnit(unit);
  g.unitName = UnitName(unit);
  g.twoWay = !rotary;
  CurrentRangeLines(station, settings, g.high, g.low);
  for (const ShownCurrentEvent& event : day.events) {
    if (event.kind != 'S' && event.kind != 'm') continue;
    const int64_t minute = static_cast<int64_t>(event.at.standard) - day.span.standardStart;
    if (minute < 0 || minute > g.minutes) continue;
    // On the curve: a slack is where the speed is least, on or near the zero line.
    const int32_t value =
        event.speed == kValueNotDefined ? 0 : SpeedToDisplay(MicroKnots(event.speed), unit).raw;
    g.marks.push_back(GraphMark{static_cast<int>(minute), value});
  }
  return p;
}

}  // namespace qw
