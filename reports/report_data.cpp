#include "reports/report_data.h"

#include <cmath>

#include "engine/calendar.h"
#include "engine/current_prediction.h"
#include "engine/station_database.h"
#include "present/current_day.h"
#include "present/current_presenter.h"
#include "present/display_units.h"
#include "present/tide_day.h"
#include "present/tide_presenter.h"
#include "reports/report_options.h"

namespace qw {
namespace {

std::string WithoutUnit(const std::string& text) {
  const size_t space = text.rfind(' ');
  return space == std::string::npos ? text : text.substr(0, space);
}

// A day as the windows compute it, asked of the engine when `ask`; otherwise a day
// without values that still has its sun and moon (when in range).
template <typename Day, typename Station>
Day ComputeOrBlank(const Station& station, EngineMinute day, const DayNeeds& needs, bool ask,
                   Day (*compute)(const Station&, EngineMinute, const DayParts&)) {
  DayParts parts;
  parts.curve = needs.curve;
  parts.sun = parts.moon = needs.sunMoon;
  if (ask) return compute(station, day, parts);
  Day blank;
  blank.day = day;
  MinuteToDate(day, blank.date);
  blank.halfHour.fill(kValueNotDefined);
  if (needs.sunMoon && day >= FirstSupportedMinute() && day <= LastSupportedMinute()) {
    const StationPlace place = PlaceOf(station);
    blank.sun = SunRiseSet(day, place);
    blank.moon = FindNextPhase(place, day);
  }
  return blank;
}

// The day's date, sun and moon, and the presentation's header texts, phase lines and
// graph.
void TakeDay(ReportDay& r, const DateRecord& date, bool found, const SunTimes& sun, const MoonDay& moon,
             DayPresentation&& p) {
  r.date = date;
  r.predicted = found;
  r.sun = sun;
  r.moon = moon;
  r.name = std::move(p.name);
  r.source = std::move(p.source);
  r.position = std::move(p.position);
  r.stationId = std::move(p.stationId);
  r.phaseLine = std::move(p.phaseLine);
  r.tideTypeLine = std::move(p.tideTypeLine);
  r.moonAngle = p.moonAngle;
  r.graph = std::move(p.graph);
}

// The value table of a predicted day: `valueAt` gives display units, kValueNotDefined, or
// kValueFailed after a reported failure, which leaves the rest of the table empty.
template <typename ValueAt>
void FillTable(ReportDay& r, const DayNeeds& needs, bool& failed, ValueAt valueAt) {
  if (needs.tableInterval <= 0) return;
  r.tableInterval = PrintedDailyInterval(needs.tableInterval);
  r.table.assign(static_cast<size_t>(DailyTableRows(r.tableInterval)), kValueNotDefined);
  if (!r.predicted || failed) return;
  for (size_t i = 0; i < r.table.size(); ++i) {
    const int32_t value = valueAt(r.day + static_cast<EngineMinute>(i) * static_cast<EngineMinute>(r.tableInterval));
    if (value == kValueFailed) {
      failed = true;
      return;
    }
    r.table[i] = value;
  }
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
  return kind == StationKind::Tide ? HeightDisplayText(DisplayHeight(display, settings.tideUnit))
                                   : SpeedDisplayText(DisplaySpeed(display, settings.currentUnit));
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
  const TideDay t = ComputeOrBlank(station, day, needs, ask, &ComputeTideDay);
  // A predictable station whose day could not be computed has had its message.
  failed = ask && !t.extremesFound && TideNoticeOf(station) != StationNotice::NotPredictable;
  DayPresentation p = PresentTideDay(station, t, settings_);
  ReportDay r;
  r.day = day;
  for (size_t i = 0; i < t.extremes.size() && i < p.events.size(); ++i) {
    const TideExtreme& e = t.extremes[i];
    const int32_t display = HeightToDisplayExact(MicroFeet(e.height), settings_.tideUnit).raw;
    r.events.push_back(EventOf(e.kind, e.time, day, display, p.events[i]));
  }
  TakeDay(r, t.date, t.extremesFound, t.sun, t.moon, std::move(p));
  FillTable(r, needs, failed, [&](EngineMinute minute) {
    const int32_t height = TideHeightAt(station, minute);
    return height == kValueFailed ? kValueFailed : HeightToDisplay(MicroFeet(height), settings_.tideUnit).raw;
  });
  return r;
}

ReportDay ReportDays::CurrentDayOf(const CurrentLocation& station, EngineMinute day, const DayNeeds& needs, bool ask,
                                   bool& failed) const {
  const CurrentUnit unit = settings_.currentUnit;
  const CurrentDay c = ComputeOrBlank(station, day, needs, ask, &ComputeCurrentDay);
  // A computed station whose day could not be found has had its message.
  const StationNotice notice = CurrentNoticeOf(station);
  failed = ask && !c.eventsFound && (notice == StationNotice::None || notice == StationNotice::Incomplete);
  DayPresentation p = PresentCurrentDay(station, c, settings_);
  ReportDay r;
  r.day = day;
  for (size_t i = 0; i < c.events.size() && i < p.events.size(); ++i) {
    const CurrentEvent& e = c.events[i];
    const int32_t display = SpeedToDisplay(MicroKnots(e.speed), unit).raw;
    ReportEvent event = EventOf(e.kind, e.time, day, display, p.events[i]);
    event.direction = e.direction;
    // A slack prints its time alone.
    if (e.kind == 'S') event.valueText = event.valueShort = std::string();
    r.events.push_back(std::move(event));
  }
  TakeDay(r, c.date, c.eventsFound, c.sun, c.moon, std::move(p));
  FillTable(r, needs, failed, [&](EngineMinute minute) {
    const int32_t speed = CurrentValueAt(station, minute).value;
    return speed == kValueFailed || speed == kValueNotDefined ? speed : SpeedToDisplay(MicroKnots(speed), unit).raw;
  });
  return r;
}

}  // namespace qw
