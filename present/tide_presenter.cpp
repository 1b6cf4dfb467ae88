#include "present/tide_presenter.h"

#include <algorithm>

#include "engine/installed_catalogue.h"
#include "engine/tide_corrections.h"
#include "present/display_units.h"

namespace qw {

void TideRangeLines(const TideLocation& station, const AppSettings& settings, RangeLine& high, RangeLine& low) {
  const TideUnit unit = settings.tideUnit;
  const RangeSettings& ranges = settings.tideRanges;
  const bool centimetres = unit == TideUnit::Centimetres;
  high = RangeLine{};
  low = RangeLine{};
  if (settings.highRangeLine) {
    switch (ranges.highRange) {
      case kTideHighMeanTide:
        high.shown = station.meanTideLevel != kNotGiven16;
        high.value = HundredthsFootToDisplay(station.meanTideLevel, unit).raw;
        high.label = "mean tide";
        break;
      case kTideHighUser:
        high.shown = true;
        high.value = UserRangeToDisplay(ranges.highHeight, ScaleUnit(unit), centimetres);
        high.label = ranges.highLabel;
        break;
      default:
        high.shown = station.meanHigherHighWater != kNotGiven16;
        high.value = HundredthsFootToDisplay(station.meanHigherHighWater, unit).raw;
        high.label = (station.flags & kTideFlagMhhwLabel) ? "MHHW" : "MHWS";
        break;
    }
  }
  if (settings.lowRangeLine) {
    low.shown = true;
    if (ranges.lowRange == kTideLowUser) {
      low.value = UserRangeToDisplay(ranges.lowHeight, ScaleUnit(unit), centimetres);
      low.label = ranges.lowLabel;
    } else {
      // The zero of the heights: the chart datum its data's source names ("MLLW", "LAT"),
      // never one guessed from the station's number range.
      const std::string datum = ReferenceChartDatum(station.referenceId);
      low.label = std::string("0 ") + UnitName(unit) + " (" + (datum.empty() ? "Chart Datum" : datum) + ")";
    }
  }
}

std::optional<NowMark> TideNowMark(const TideLocation& station, const StationClock& stationClock, const TideDay& day,
                                   const ClockReading& now, const AppSettings& settings) {
  std::optional<NowMark> mark = NowMarkOf(now, stationClock, day.span, settings.timeType);
  if (!mark || !day.extremesFound) return mark;
  const int32_t height = TideHeightAt(station, now.standard);
  if (height == kValueFailed || height == kValueNotDefined) return mark;
  // On the curve as the graph draws it; in the text as the window writes heights.
  mark->value = HeightToDisplayExact(MicroFeet(height), settings.tideUnit).raw;
  mark->label += " " + HeightDisplayText(HeightToDisplay(MicroFeet(height), settings.tideUnit));
  return mark;
}

DayPresentation PresentTideDay(const TideLocation& station, const StationClock& stationClock, const TideDay& day,
                               const AppSettings& settings) {
  DayPresentation p;
  const TideUnit unit = settings.tideUnit;
  const TimeType clock = settings.timeType;
  p.name = station.name;
  p.position = PositionText(station.latHemisphere, station.latDegrees, station.latMinutes, station.latSeconds,
                            station.lonHemisphere, station.lonDegrees, station.lonMinutes, station.lonSeconds);
  p.notice = TideNoticeOf(station);
  if (p.notice != StationNotice::NotPredictable) {
    p.source = SourceText(HasTideCorrections(station), day.referenceName, ReferenceSourceSuffix('T', station.referenceId));
  }
  if (station.stationId != 0) p.stationId = "Station ID: " + std::to_string(station.stationId);
  p.zone = ZoneText(stationClock, day.span);

  p.eventsHeading = "Daily Highs & Lows:";
  p.eventsFound = day.extremesFound;
  p.noEventsText = "No highs or lows this day";
  for (const ShownTideEvent& extreme : day.extremes) {
    EventText e;
    const bool high = extreme.kind == 'H';
    e.word = high ? "High" : "Low";
    e.tone = high ? EventTone::Rising : EventTone::Falling;
    e.time = TimeOfReading(extreme.at, stationClock, day.span, clock);
    e.value = HeightDisplayText(HeightToDisplay(MicroFeet(extreme.height), unit));
    p.events.push_back(e);
  }
  p.averagesHeading = "Average Tides:";
  auto average = [&](const char* label, int16_t hundredths) {
    const DisplayHeight display =
        hundredths == kNotGiven16 ? DisplayHeight(kValueNotDefined, unit) : HundredthsFootToDisplay(hundredths, unit);
    p.averages.push_back({label, HeightDisplayText(display)});
  };
  average("Mean Range:", station.meanRange);
  average((station.flags & kTideFlagMhhwLabel) ? "MHHW:" : "MHWS:", station.meanHigherHighWater);
  average("Mean Tide:", station.meanTideLevel);

  if (day.skyAsked) PresentSky(day.sky, stationClock, clock, p);
  PresentDayAxis(stationClock, day.span, clock, p.graph);

  DayGraphData& g = p.graph;
  for (int32_t v : day.halfHour) g.halfHour.push_back(HeightToDisplay(MicroFeet(v), unit).raw);
  for (int32_t v : day.fine) g.fine.push_back(HeightToDisplayExact(MicroFeet(v), unit).raw);
  g.fineStepMinutes = kFineStepMinutes;
  if (day.extremesFound) {
    g.minimum = HeightToDisplay(MicroFeet(day.minimum), unit).raw;
    g.maximum = HeightToDisplay(MicroFeet(day.maximum), unit).raw;
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
  return p;
}

}  // namespace qw
