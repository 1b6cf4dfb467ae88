#include "windows/tide_presenter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/station_database.h"
#include "engine/tide_corrections.h"
#include "engine/time_zone.h"
#include "windows/display_units.h"

namespace qw {
namespace {

std::string TimeOfMinute(EngineMinute minute, TimeType clock) {
  DateRecord date;
  MinuteToDate(minute, date);
  return ClockText(date.hour, date.minute, clock);
}

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

int32_t UserLineToDisplay(int32_t stored, TideUnit unit) {
  // Whole centimetres, or hundredths of the display unit.
  if (unit == TideUnit::Centimetres) return stored * 100000;
  return static_cast<int32_t>(static_cast<int64_t>(stored) * ScaleUnit(unit) / 100);
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

void TideRangeLines(const TideLocation& station, const AppSettings& settings, RangeLine& high, RangeLine& low) {
  const TideUnit unit = settings.tideUnit;
  const RangeSettings& ranges = settings.tideRanges;
  high = RangeLine{};
  low = RangeLine{};
  if (settings.highRangeLine) {
    switch (ranges.highRange) {
      case kTideHighMeanTide:
        high.shown = station.meanTideLevel != kNotGiven16;
        high.value = HundredthsFootToDisplay(station.meanTideLevel, unit);
        high.label = "mean tide";
        break;
      case kTideHighUser:
        high.shown = true;
        high.value = UserLineToDisplay(ranges.highHeight, unit);
        high.label = ranges.highLabel;
        break;
      default:
        high.shown = station.meanHigherHighWater != kNotGiven16;
        high.value = HundredthsFootToDisplay(station.meanHigherHighWater, unit);
        high.label = (station.flags & kTideFlagMhhwLabel) ? "MHHW" : "MHWS";
        break;
    }
  }
  if (settings.lowRangeLine) {
    low.shown = true;
    if (ranges.lowRange == kTideLowUser) {
      low.value = UserLineToDisplay(ranges.lowHeight, unit);
      low.label = ranges.lowLabel;
    } else {
      // The chart datum, named after the data family.
      const std::string zero = std::string("0 ") + UnitName(unit);
      if (station.kindCode > 30) {
        low.label = zero + " (UKHO Datum)";
      } else if (station.referenceId < 10000) {
        low.label = zero + " (MLLW)";
      } else {
        low.label = zero + " (LNT)";
      }
    }
  }
}

TidePresentation PresentTideDay(const TideLocation& station, const TideDay& day, const AppSettings& settings) {
  TidePresentation p;
  const TideUnit unit = settings.tideUnit;
  const TimeType clock = settings.timeType;
  p.name = station.name;
  p.position = PositionText(station.latHemisphere, station.latDegrees, station.latMinutes, station.latSeconds,
                            station.lonHemisphere, station.lonDegrees, station.lonMinutes, station.lonSeconds);
  p.notice = TideNoticeOf(station);
  if (p.notice != TideNotice::NotPredictable) {
    const std::string family = DataFamilyShortName(station.referenceId);
    p.source = HasTideCorrections(station) && !day.referenceName.empty()
                   ? "based on " + day.referenceName + family
                   : "Harmonic station" + family;
  }
  if (station.stationId != 0) p.stationId = "Station ID: " + std::to_string(station.stationId);
  const char style = IsInternationalFamily(station.referenceId) ? 'g' : 'S';
  p.zone = "(" + FormatTimeZone(station.timeMeridian, day.date, style, station.observesDst) + ")";

  for (const TideExtreme& extreme : day.extremes) {
    EventText e;
    e.high = extreme.kind == 'H';
    e.time = extreme.time == static_cast<EngineMinute>(kValueNotDefined) ? kNoTimeText : TimeOfMinute(extreme.time, clock);
    e.value = HeightDisplayText(HeightToDisplay(extreme.height, unit), unit);
    p.events.push_back(e);
  }
  auto average = [&](const char* label, int16_t hundredths) {
    const int32_t display = hundredths == kNotGiven16 ? kValueNotDefined : HundredthsFootToDisplay(hundredths, unit);
    p.averages.push_back({label, HeightDisplayText(display, unit)});
  };
  average("Mean Range:", station.meanRange);
  average((station.flags & kTideFlagMhhwLabel) ? "MHHW:" : "MHWS:", station.meanHigherHighWater);
  average("Mean Tide:", station.meanTideLevel);

  p.sun = SunTexts(day.sun, clock);
  p.moon = MoonTexts(day.moon.times, clock);
  if (day.moon.times.phaseAngle >= 0) {
    p.phaseLine = PhaseLine(day.moon.phase);
    p.tideTypeLine = TideTypeName(day.moon.phase.tideType);
    p.moonAngle = MoonPictureAngle(day.moon.phase.ageDegrees, day.moon.phase.phaseType, day.moon.phase.days);
  }

  DayGraphData& g = p.graph;
  for (size_t i = 0; i < g.halfHour.size(); ++i) g.halfHour[i] = HeightToDisplay(day.halfHour[i], unit);
  for (int32_t v : day.fine) g.fine.push_back(HeightToDisplayExact(v, unit));
  g.fineStepMinutes = kFineStepMinutes;
  if (day.extremesFound) {
    g.minimum = HeightToDisplay(day.minimum, unit);
    g.maximum = HeightToDisplay(day.maximum, unit);
  } else {
    g.minimum = g.maximum = 0;
    for (int32_t v : g.halfHour) {
      if (v == kValueNotDefined) continue;
      g.minimum = std::min(g.minimum, v);
      g.maximum = std::max(g.maximum, v);
    }
  }
  g.scaleUnit = ScaleUnit(unit);
  g.unitName = UnitName(unit);
  TideRangeLines(station, settings, g.high, g.low);
  switch (ClassifySunDay(day.sun.rise, day.sun.set)) {
    case RiseSetDay::NotAvailable: g.daylight.kind = DaylightSpan::Kind::Unknown; break;
    case RiseSetDay::NeverSets: g.daylight.kind = DaylightSpan::Kind::AlwaysUp; break;
    case RiseSetDay::NeverRises: g.daylight.kind = DaylightSpan::Kind::AlwaysDown; break;
    case RiseSetDay::Events:
      g.daylight.kind = DaylightSpan::Kind::Normal;
      g.daylight.riseMinute = static_cast<int>(std::floor(day.sun.rise * 60.0));
      g.daylight.setMinute = static_cast<int>(std::floor(day.sun.set * 60.0));
      break;
  }
  return p;
}

}  // namespace qw
