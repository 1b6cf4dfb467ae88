#include "reports/report_data.h"

#include <cmath>

#include "engine/calendar.h"
#include "engine/current_prediction.h"
#include "engine/station_database.h"
#include "reports/report_options.h"
#include "windows/display_units.h"
#include "windows/tide_day.h"
#include "windows/tide_presenter.h"

namespace qw {
namespace {

std::string WithoutUnit(const std::string& text) {
  const size_t space = text.rfind(' ');
  return space == std::string::npos ? text : text.substr(0, space);
}

std::string TimeOfDay(int minute, TimeType clock) {
  return minute < 0 ? std::string(kNoTimeText) : ClockText(minute / 60 % 24, minute % 60, clock);
}

// The sun and moon of a day, and how the graph shades it.
void SunAndMoon(ReportDay& r, const StationPlace& place, const DayNeeds& needs) {
  if (!needs.sunMoon || !r.inRange) return;
  r.sun = SunRiseSet(r.day, place);
  r.moon = FindNextPhase(place, r.day);
}

void PhaseTexts(ReportDay& r) {
  if (r.moon.times.phaseAngle < 0) return;
  r.phaseLine = PhaseLine(r.moon.phase);
  r.tideTypeLine = TideTypeName(r.moon.phase.tideType);
  r.moonAngle = MoonPictureAngle(r.moon.phase.ageDegrees, r.moon.phase.phaseType, r.moon.phase.days);
}

DaylightSpan DaylightOf(const SunTimes& sun) {
  DaylightSpan span;
  switch (ClassifySunDay(sun.rise, sun.set)) {
    case RiseSetDay::NotAvailable: span.kind = DaylightSpan::Kind::Unknown; break;
    case RiseSetDay::NeverSets: span.kind = DaylightSpan::Kind::AlwaysUp; break;
    case RiseSetDay::NeverRises: span.kind = DaylightSpan::Kind::AlwaysDown; break;
    case RiseSetDay::Events:
      span.kind = DaylightSpan::Kind::Normal;
      span.riseMinute = static_cast<int>(std::floor(sun.rise * 60.0));
      span.setMinute = static_cast<int>(std::floor(sun.set * 60.0));
      break;
  }
  return span;
}

int32_t UserLine(int32_t stored, int32_t scaleUnit) {
  // Hundredths of the display unit.
  return static_cast<int32_t>(static_cast<int64_t>(stored) * scaleUnit / 100);
}

// The current graph's range lines: the station's average maximum flood and the negated
// average maximum ebb, or the user's values.
void CurrentRangeLines(const CurrentLocation& station, const AppSettings& settings, RangeLine& high, RangeLine& low) {
  const CurrentUnit unit = settings.currentUnit;
  const RangeSettings& ranges = settings.currentRanges;
  high = RangeLine{};
  low = RangeLine{};
  if (settings.highRangeLine) {
    if (ranges.highRange == kCurrentHighUser) {
      high = {true, UserLine(ranges.highHeight, ScaleUnit(unit)), ranges.highLabel};
    } else if (station.floodSpeed != kNotGiven16) {
      high = {true, HundredthsKnotToDisplay(station.floodSpeed, unit), "max fld"};
    }
  }
  if (settings.lowRangeLine) {
    if (ranges.lowRange == kCurrentLowUser) {
      low = {true, -UserLine(ranges.lowHeight, ScaleUnit(unit)), ranges.lowLabel};
    } else if (station.ebbSpeed != kNotGiven16) {
      low = {true, -HundredthsKnotToDisplay(std::abs(station.ebbSpeed), unit), "max ebb"};
    }
  }
}

}  // namespace

const char* EventWord(char kind) {
  switch (kind) {
    case 'H': return "High";
    case 'L': return "Low";
    case 'F': return "Flood";
    case 'E': return "Ebb";
    case 'S': return "Slack";
    case 'M': return "Max";
    case 'm': return "Min";
    default: return "";
  }
}

std::string ReportUnitName(StationKind kind, const AppSettings& settings) {
  return kind == StationKind::Tide ? UnitName(settings.tideUnit) : UnitName(settings.currentUnit);
}

std::string ReportValueText(StationKind kind, int32_t display, const AppSettings& settings) {
  return kind == StationKind::Tide ? HeightDisplayText(display, settings.tideUnit)
                                   : SpeedDisplayText(display, settings.currentUnit);
}

const char* ReportValueHeading(StationKind kind) { return kind == StationKind::Tide ? "Tide" : "Current"; }

StationPlace CurrentPlace(const CurrentLocation& s) {
  StationPlace place;
  place.latHemisphere = s.latHemisphere;
  place.latDegrees = s.latDegrees;
  place.latMinutes = s.latMinutes;
  place.latSeconds = s.latSeconds;
  place.lonHemisphere = s.lonHemisphere;
  place.lonDegrees = s.lonDegrees;
  place.lonMinutes = s.lonMinutes;
  place.lonSeconds = s.lonSeconds;
  place.timeMeridian = s.timeMeridian;
  place.observesDst = s.observesDst;
  return place;
}

ReportDay ReportDays::Day(int location, EngineMinute day, const DayNeeds& needs) {
  const ReportLocation& where = locations_[static_cast<size_t>(location)];
  day -= day % kMinutesPerDay;
  const DayKey key{location, day, needs.curve, needs.sunMoon, needs.tableInterval};
  if (auto found = cache_.find(key); found != cache_.end()) return found->second;
  // Three months of days of a few locations; a longer report starts over.
  constexpr size_t kCachedDays = 400;
  if (cache_.size() >= kCachedDays) cache_.clear();

  const bool inRange = day >= FirstSupportedMinute() && day <= LastSupportedMinute();
  std::optional<EngineMinute>& failedAt = failedAt_[static_cast<size_t>(location)];
  const bool ask = inRange && (!failedAt || day < *failedAt);
  bool failed = false;
  ReportDay result = where.kind == StationKind::Tide ? TideDayOf(where.tide, day, needs, ask, failed)
                                                     : CurrentDayOf(where.current, day, needs, ask, failed);
  result.inRange = inRange;
  if (failed && (!failedAt || day < *failedAt)) failedAt = day;
  cache_.emplace(key, result);
  return result;
}

ReportDay ReportDays::TideDayOf(const TideLocation& station, EngineMinute day, const DayNeeds& needs, bool ask,
                                bool& failed) const {
  ReportDay r;
  r.day = day;
  r.inRange = day >= FirstSupportedMinute() && day <= LastSupportedMinute();
  TideDay t;
  if (ask) {
    TideDayParts parts;
    parts.curve = needs.curve;
    parts.sun = parts.moon = needs.sunMoon;
    t = ComputeTideDay(station, day, parts);
    // A predictable station whose day could not be computed has had its message.
    failed = !t.extremesFound && TideNoticeOf(station) != TideNotice::NotPredictable;
  } else {
    t.day = day;
    MinuteToDate(day, t.date);
    t.halfHour.fill(kValueNotDefined);
  }
  r.date = t.date;
  r.predicted = t.extremesFound;
  r.sun = t.sun;
  r.moon = t.moon;
  if (!ask) SunAndMoon(r, TidePlace(station), needs);
  t.sun = r.sun;
  t.moon = r.moon;
  const TidePresentation p = PresentTideDay(station, t, settings_);
  r.name = p.name;
  r.source = p.source;
  r.position = p.position;
  r.stationId = p.stationId;
  r.graph = p.graph;
  PhaseTexts(r);
  for (size_t i = 0; i < t.extremes.size() && i < p.events.size(); ++i) {
    const TideExtreme& e = t.extremes[i];
    ReportEvent event;
    event.kind = e.kind;
    const bool timeDefined = e.time != static_cast<EngineMinute>(kValueNotDefined) && e.time >= day &&
                             e.time < day + kMinutesPerDay;
    event.minute = timeDefined ? static_cast<int>(e.time - day) : -1;
    event.value = e.height == kValueNotDefined ? kValueNotDefined : HeightToDisplayExact(e.height, settings_.tideUnit);
    event.time = p.events[i].time;
    event.valueText = p.events[i].value;
    event.valueShort = WithoutUnit(event.valueText);
    r.events.push_back(event);
  }
  if (needs.tableInterval > 0) {
    r.tableInterval = PrintedDailyInterval(needs.tableInterval);
    r.table.assign(static_cast<size_t>(DailyTableRows(r.tableInterval)), kValueNotDefined);
    if (r.predicted) {
      for (size_t i = 0; i < r.table.size(); ++i) {
        const int32_t height = TideHeightAt(station, day + static_cast<EngineMinute>(i) * static_cast<EngineMinute>(r.tableInterval));
        if (height == kValueFailed) {
          failed = true;  // reported once; the rest stays empty
          break;
        }
        r.table[i] = HeightToDisplay(height, settings_.tideUnit);
      }
    }
  }
  return r;
}

ReportDay ReportDays::CurrentDayOf(const CurrentLocation& station, EngineMinute day, const DayNeeds& needs, bool ask,
                                   bool& failed) const {
  const CurrentUnit unit = settings_.currentUnit;
  const TimeType clock = settings_.timeType;
  ReportDay r;
  r.day = day;
  MinuteToDate(day, r.date);
  r.inRange = day >= FirstSupportedMinute() && day <= LastSupportedMinute();
  SunAndMoon(r, CurrentPlace(station), needs);
  PhaseTexts(r);
  r.name = station.name;
  r.position = PositionText(station.latHemisphere, station.latDegrees, station.latMinutes, station.latSeconds,
                            station.lonHemisphere, station.lonDegrees, station.lonMinutes, station.lonSeconds);
  if (station.stationId != 0) r.stationId = "Station ID: " + std::to_string(station.stationId);
  const std::string family = DataFamilyShortName(station.referenceId);
  if (station.stationKind == kCurrentKindRotary) {
    r.source = "Rotary current station" + family;
  } else if (station.referenceId != 0) {
    r.source = (IsSubordinateCurrent(station) ? "Subordinate station" : "Harmonic station") + family;
  }
  DayGraphData& g = r.graph;
  g.halfHour.fill(kValueNotDefined);
  g.scaleUnit = ScaleUnit(unit);
  g.unitName = UnitName(unit);
  g.daylight = DaylightOf(r.sun);
  CurrentRangeLines(station, settings_, g.high, g.low);
  const bool predictable = station.stationId != 0 && (station.referenceId != 0 || station.stationKind == kCurrentKindRotary);
  if (needs.tableInterval > 0) {
    r.tableInterval = PrintedDailyInterval(needs.tableInterval);
    r.table.assign(static_cast<size_t>(DailyTableRows(r.tableInterval)), kValueNotDefined);
  }
  if (!ask || !predictable) return r;

  CurrentDayEvents events{};
  int32_t maxSpeed = 0, minSpeed = 0;
  if (FindCurrentDayEvents(station, day, events, maxSpeed, minSpeed) != 0) {
    failed = true;  // reported once by the engine
    return r;
  }
  r.predicted = true;
  g.maximum = SpeedToDisplay(maxSpeed, unit);
  g.minimum = SpeedToDisplay(minSpeed, unit);
  for (const CurrentEvent& e : events) {
    if (e.time == 0) break;
    ReportEvent event;
    event.kind = e.kind;
    const bool timeDefined = e.time != static_cast<EngineMinute>(kValueNotDefined) && e.time >= day &&
                             e.time < day + kMinutesPerDay;
    event.minute = timeDefined ? static_cast<int>(e.time - day) : -1;
    event.value = SpeedToDisplay(e.speed, unit);
    event.direction = e.direction;
    event.time = TimeOfDay(event.minute, clock);
    if (e.kind != 'S') {
      event.valueText = SpeedDisplayText(event.value, unit);
      event.valueShort = WithoutUnit(event.valueText);
    }
    r.events.push_back(event);
  }

  const int flag = r.date.dstFlag;
  auto speed = [&](int minuteOfDay) {
    if (failed) return kValueNotDefined;  // one message is enough
    EngineMinute minute = day + static_cast<EngineMinute>(minuteOfDay);
    char kind = 0;
    int16_t direction = kNotGiven16;
    const int32_t value = PredictCurrent(station, minute, 0, flag, kind, direction);
    failed = value == kValueFailed;
    return failed || value == kValueNotDefined ? kValueNotDefined : SpeedToDisplay(value, unit);
  };
  for (size_t i = 0; i < g.halfHour.size(); ++i) g.halfHour[i] = speed(static_cast<int>(i) * 30);
  if (needs.curve) {
    g.fineStepMinutes = 10;
    for (int m = 0; m <= static_cast<int>(kMinutesPerDay); m += 10) g.fine.push_back(speed(std::min(m, 1439)));
  }
  for (size_t i = 0; i < r.table.size(); ++i) r.table[i] = speed(static_cast<int>(i) * r.tableInterval);
  return r;
}

}  // namespace qw
