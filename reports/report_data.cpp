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
Day ComputeOrBlank(const Station& station, const StationClock& clock, EngineMinute day, const DayNeeds& needs,
                   bool ask, Day (*compute)(const Station&, const StationClock&, EngineMinute, const DayParts&)) {
  DayParts parts;
  parts.curve = needs.curve;
  parts.sun = parts.moon = needs.sunMoon;
  if (ask) return compute(station, clock, day, parts);
  Day blank;
  blank.span = clock.Day(day);
  blank.day = blank.span.date;
  MinuteToDate(blank.day, blank.date);
  blank.halfHour.assign(blank.span.Minutes() / 30, kValueNotDefined);
  if (needs.sunMoon && day >= FirstSupportedMinute() && day <= LastSupportedMinute()) {
    blank.sky = FindSkyDay(PlaceOf(station), clock, blank.day);
    blank.skyAsked = true;
  }
  return blank;
}

// The hour of the date shown of the first event of `kind`, in rise_set.h's encoding;
// 24 and a fraction (the next day) when the body does not do it on this date.
float EventHours(const SkyDay& sky, SkyEventKind kind, float fraction) {
  for (const SkyEvent& e : sky.events) {
    if (e.kind == kind) return static_cast<float>((static_cast<int64_t>(e.at.shown) - sky.span.date) / 60.0) + fraction;
  }
  return 24.0f + fraction;
}

// A date's sun and moon in the hours rise_set.h gives, for the pages' rise and set lines.
void TakeSky(ReportDay& r, const SkyDay& sky, bool asked) {
  r.sky = sky;
  r.sun = SunTimes{};
  r.moon = MoonDay{};
  if (!asked) return;
  constexpr float kSun = 0.25f / 60, kMoon = 0.05f / 60;
  switch (sky.sun) {
    case RiseSetDay::NotAvailable: break;
    case RiseSetDay::NeverSets: r.sun = {1 + kSun, 1 + kSun}; break;
    case RiseSetDay::NeverRises: r.sun = {13 + kSun, 13 + kSun}; break;
    case RiseSetDay::Events:
      r.sun = {EventHours(sky, SkyEventKind::Sunrise, kSun), EventHours(sky, SkyEventKind::Sunset, kSun)};
      break;
  }
  switch (sky.moon) {
    case RiseSetDay::NotAvailable: break;
    case RiseSetDay::NeverSets: r.moon.times.rise = r.moon.times.set = 1 + kMoon; break;
    case RiseSetDay::NeverRises: r.moon.times.rise = r.moon.times.set = 13 + kMoon; break;
    case RiseSetDay::Events:
      r.moon.times.rise = EventHours(sky, SkyEventKind::Moonrise, kMoon);
      r.moon.times.set = EventHours(sky, SkyEventKind::Moonset, kMoon);
      break;
  }
  r.moon.times.phaseAngle = sky.phaseAngle;
  r.moon.phase = sky.nearestPhase;
}

// The day's date, and the presentation's header texts, phase lines and graph.
void TakeDay(ReportDay& r, const DateRecord& date, bool found, DayPresentation&& p) {
  r.date = date;
  r.predicted = found;
  r.name = std::move(p.name);
  r.source = std::move(p.source);
  r.position = std::move(p.position);
  r.stationId = std::move(p.stationId);
  r.datumLine = std::move(p.datumLine);
  r.phaseLine = std::move(p.phaseLine);
  r.tideTypeLine = std::move(p.tideTypeLine);
  r.moonAngle = p.moonAngle;
  r.graph = std::move(p.graph);
}

// The value table of a predicted day, every interval of elapsed time through the date:
// `valueAt` gives display units at a standard minute, kValueNotDefined, or kValueFailed
// after a reported failure, which leaves the rest of the table empty.
template <typename ValueAt>
void FillTable(ReportDay& r, const StationClock& clock, const CivilDaySpan& span, const DayNeeds& needs,
               TimeType timeType, bool& failed, ValueAt valueAt) {
  if (needs.tableInterval <= 0) return;
  r.tableInterval = PrintedDailyInterval(needs.tableInterval);
  const size_t rows = span.Minutes() / static_cast<uint32_t>(r.tableInterval) + 1;
  r.table.assign(rows, kValueNotDefined);
  for (size_t i = 0; i < rows; ++i) {
    const ClockReading at = clock.At(span.standardStart + static_cast<EngineMinute>(i * r.tableInterval));
    // The last row is the next date's 00:00: written as the day's end, as before. The
    // column is too narrow for a zone name: the heading names both zones of a change
    // day, and its repeated or skipped hour reads from the times in order.
    const uint32_t ofDay = at.shown % kMinutesPerDay;
    r.tableTimes.push_back(i + 1 == rows && ofDay == 0
                               ? std::string()
                               : ClockText(static_cast<int>(ofDay / 60), static_cast<int>(ofDay % 60), timeType));
  }
  if (!r.predicted || failed) return;
  for (size_t i = 0; i < r.table.size(); ++i) {
    const int32_t value = valueAt(span.standardStart + static_cast<EngineMinute>(i * r.tableInterval));
    if (value == kValueFailed) {
      failed = true;
      return;
    }
    r.table[i] = value;
  }
}

ReportEvent EventOf(char kind, const ClockReading& at, const CivilDaySpan& span, int32_t display,
                    const EventText& text) {
  ReportEvent event;
  event.kind = kind;
  const bool inDate = at.standard >= span.standardStart && at.standard < span.standardEnd;
  event.minute = inDate ? static_cast<int>(at.shown % kMinutesPerDay) : -1;
  event.elapsed = inDate ? static_cast<int>(at.standard - span.standardStart) : -1;
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
  ReportDay result = where.kind == StationKind::Tide ? TideDayOf(where.tide, where.clock, day, needs, ask, failed)
                                                     : CurrentDayOf(where.current, where.clock, day, needs, ask, failed);
  result.inRange = inRange;
  if (failed && (!failedAt || day < *failedAt)) failedAt = day;
  cache_.emplace(key, result);
  return result;
}

ReportDay ReportDays::TideDayOf(const TideLocation& station, const StationClock& clock, EngineMinute day,
                                const DayNeeds& needs, bool ask, bool& failed) const {
  const TideDay t = ComputeOrBlank(station, clock, day, needs, ask, &ComputeTideDay);
  // A predictable station whose day could not be computed has had its message.
  failed = ask && !t.extremesFound && TideNoticeOf(station) != StationNotice::NotPredictable;
  DayPresentation p = PresentTideDay(station, clock, t, settings_);
  ReportDay r;
  r.day = t.day;
  for (size_t i = 0; i < t.extremes.size() && i < p.events.size(); ++i) {
    const ShownTideEvent& e = t.extremes[i];
    const int32_t display = HeightToDisplayExact(MicroFeet(e.height), settings_.tideUnit).raw;
    r.events.push_back(EventOf(e.kind, e.at, t.span, display, p.events[i]));
  }
  TakeDay(r, t.date, t.extremesFound, std::move(p));
  TakeSky(r, t.sky, t.skyAsked);
  FillTable(r, clock, t.span, needs, settings_.timeType, failed, [&](EngineMinute standard) {
    const int32_t height = TideHeightAt(station, standard);
    return height == kValueFailed ? kValueFailed : HeightToDisplay(MicroFeet(height), settings_.tideUnit).raw;
  });
  return r;
}

ReportDay ReportDays::CurrentDayOf(const CurrentLocation& station, const StationClock& clock, EngineMinute day,
                                   const DayNeeds& needs, bool ask, bool& failed) const {
  const CurrentUnit unit = settings_.currentUnit;
  const CurrentDay c = ComputeOrBlank(station, clock, day, needs, ask, &ComputeCurrentDay);
  // A computed station whose day could not be found has had its message.
  const StationNotice notice = CurrentNoticeOf(station);
  failed = ask && !c.eventsFound && (notice == StationNotice::None || notice == StationNotice::Incomplete);
  DayPresentation p = PresentCurrentDay(station, clock, c, settings_);
  ReportDay r;
  r.day = c.day;
  for (size_t i = 0; i < c.events.size() && i < p.events.size(); ++i) {
    const ShownCurrentEvent& e = c.events[i];
    const int32_t display = SpeedToDisplay(MicroKnots(e.speed), unit).raw;
    ReportEvent event = EventOf(e.kind, e.at, c.span, display, p.events[i]);
    event.direction = e.direction;
    // A slack prints its time alone.
    if (e.kind == 'S') event.valueText = event.valueShort = std::string();
    r.events.push_back(std::move(event));
  }
  TakeDay(r, c.date, c.eventsFound, std::move(p));
  TakeSky(r, c.sky, c.skyAsked);
  FillTable(r, clock, c.span, needs, settings_.timeType, failed, [&](EngineMinute standard) {
    const int32_t speed = CurrentValueAt(station, standard).value;
    return speed == kValueFailed || speed == kValueNotDefined ? speed : SpeedToDisplay(MicroKnots(speed), unit).raw;
  });
  return r;
}

}  // namespace qw
