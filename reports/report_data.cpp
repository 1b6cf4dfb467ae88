#include "reports/report_data.h"

#include <cmath>

#include "engine/calendar.h"
#include "engine/current_prediction.h"
#include "engine/station_database.h"
#include "reports/report_options.h"
#include "windows/current_day.h"
#include "windows/current_presenter.h"
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

// The header's texts and the graph of a presented day.
void TakePresentation(ReportDay& r, DayPresentation&& p) {
  r.name = std::move(p.name);
  r.source = std::move(p.source);
  r.position = std::move(p.position);
  r.stationId = std::move(p.stationId);
  r.graph = std::move(p.graph);
}

ReportEvent EventOf(char kind, EngineMinute time, EngineMinute day, int32_t display, const EventText& text) {
  ReportEvent event;
  event.kind = kind;
  const bool timeDefined =
      time != static_cast<EngineMinute>(kValueNotDefined) && time >= day && time < day + kMinutesPerDay;
  event.minute = timeDefined ? static_cast<int>(time - day) : -1;
  event.value = display;
  event.time = text.time;
  event.valueText = text.value;
  event.valueShort = WithoutUnit(event.valueText);
  return event;
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
    DayParts parts;
    parts.curve = needs.curve;
    parts.sun = parts.moon = needs.sunMoon;
    t = ComputeTideDay(station, day, parts);
    // A predictable station whose day could not be computed has had its message.
    failed = !t.extremesFound && TideNoticeOf(station) != StationNotice::NotPredictable;
  } else {
    t.day = day;
    MinuteToDate(day, t.date);
    t.halfHour.fill(kValueNotDefined);
  }
  r.date = t.date;
  r.predicted = t.extremesFound;
  r.sun = t.sun;
  r.moon = t.moon;
  if (!ask) SunAndMoon(r, PlaceOf(station), needs);
  t.sun = r.sun;
  t.moon = r.moon;
  DayPresentation p = PresentTideDay(station, t, settings_);
  PhaseTexts(r);
  for (size_t i = 0; i < t.extremes.size() && i < p.events.size(); ++i) {
    const TideExtreme& e = t.extremes[i];
    const int32_t display =
        e.height == kValueNotDefined ? kValueNotDefined : HeightToDisplayExact(e.height, settings_.tideUnit);
    r.events.push_back(EventOf(e.kind, e.time, day, display, p.events[i]));
  }
  TakePresentation(r, std::move(p));
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
  ReportDay r;
  r.day = day;
  r.inRange = day >= FirstSupportedMinute() && day <= LastSupportedMinute();
  const StationNotice notice = CurrentNoticeOf(station);
  const bool computed = notice == StationNotice::None || notice == StationNotice::Incomplete;
  CurrentDay c;
  if (ask) {
    DayParts parts;
    parts.curve = needs.curve;
    parts.sun = parts.moon = needs.sunMoon;
    c = ComputeCurrentDay(station, day, parts);
    // A computed station whose day could not be found has had its message.
    failed = computed && !c.eventsFound;
  } else {
    c.day = day;
    MinuteToDate(day, c.date);
    c.halfHour.fill(kValueNotDefined);
  }
  r.date = c.date;
  r.predicted = c.eventsFound;
  r.sun = c.sun;
  r.moon = c.moon;
  if (!ask) SunAndMoon(r, PlaceOf(station), needs);
  c.sun = r.sun;
  c.moon = r.moon;
  DayPresentation p = PresentCurrentDay(station, c, settings_);
  PhaseTexts(r);
  for (size_t i = 0; i < c.events.size() && i < p.events.size(); ++i) {
    const CurrentEvent& e = c.events[i];
    const int32_t display = e.speed == kValueNotDefined ? kValueNotDefined : SpeedToDisplay(e.speed, unit);
    ReportEvent event = EventOf(e.kind, e.time, day, display, p.events[i]);
    event.direction = e.direction;
    // A slack prints its time alone.
    if (e.kind == 'S') event.valueText = event.valueShort = std::string();
    r.events.push_back(std::move(event));
  }
  TakePresentation(r, std::move(p));
  if (needs.tableInterval > 0) {
    r.tableInterval = PrintedDailyInterval(needs.tableInterval);
    r.table.assign(static_cast<size_t>(DailyTableRows(r.tableInterval)), kValueNotDefined);
    if (r.predicted && !failed) {
      for (size_t i = 0; i < r.table.size(); ++i) {
        const MinuteValue value =
            CurrentValueAt(station, day + static_cast<EngineMinute>(i) * static_cast<EngineMinute>(r.tableInterval));
        if (value.value == kValueFailed) {
          failed = true;  // reported once; the rest stays empty
          break;
        }
        r.table[i] = value.value == kValueNotDefined ? kValueNotDefined : SpeedToDisplay(value.value, unit);
      }
    }
  }
  return r;
}

}  // namespace qw
