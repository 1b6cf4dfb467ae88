#include "export/calendar_export.h"

#include <libical/ical.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

#include "engine/calendar.h"
#include "engine/civil_days.h"
#include "engine/date_texts.h"
#include "engine/moon_phase.h"
#include "engine/rise_set.h"
#include "engine/sky_day.h"
#include "engine/string_table.h"
#include "export/calendar_texts.h"
#include "present/display_units.h"

namespace qw {
namespace {

// UTC minutes from 1900-01-01 (the engine's epoch) to 1970-01-01 (the Unix epoch).
constexpr int64_t kUnixEpochUtcMinute = 25567LL * kMinutesPerDay;

std::string HeightText(int32_t height, TideUnit unit) {
  if (height == kValueNotDefined) return "";
  // Converted exactly, not by way of tenths of a foot as the windows' figures are, so that
  // a height in metres agrees with the command line's to the centimetre.
  return " " + HeightDisplayText(HeightToDisplayExact(MicroFeet(height), unit));
}

// A speed without its sign (the event's name says flood or ebb), with the direction
// when the station gives one.
std::string SpeedText(int32_t speed, int16_t direction, CurrentUnit unit) {
  if (speed == kValueNotDefined) return "";
  std::string text = " " + SpeedDisplayText(SpeedToDisplay(MicroKnots(speed < 0 ? -speed : speed), unit));
  if (direction != kNotGiven16 && direction >= 0) {
    char degrees[16];
    std::snprintf(degrees, sizeof degrees, " %03d\xC2\xB0T", static_cast<int>(direction));
    text += degrees;
  }
  return text;
}

CalendarEvent MakeEvent(const StationClock& clock, const ClockReading& at, const char* code, const char* category,
                        std::string summary) {
  CalendarEvent event;
  event.code = code;
  event.category = category;
  event.summary = std::move(summary);
  event.at = at;
  event.unixSeconds = (clock.UtcMinuteOf(at.standard) - kUnixEpochUtcMinute) * 60;
  return event;
}

bool AddTideDay(const CalendarJob& job, const StationClock& clock, EngineMinute day, std::vector<CalendarEvent>& out) {
  const TideDayList list = FindTideDay(job.station.tide, clock, day);
  if (list.status != 0) return false;
  for (const ShownTideEvent& e : list.events) {
    const bool high = e.kind == 'H';
    out.push_back(MakeEvent(clock, e.at, high ? "high" : "low", "Tide",
                            std::string(high ? "High water" : "Low water") + HeightText(e.height, job.heightUnit)));
  }
  return true;
}

bool AddCurrentDay(const CalendarJob& job, const StationClock& clock, EngineMinute day,
                   std::vector<CalendarEvent>& out) {
  const CurrentDayList list = FindCurrentDay(job.station.current, clock, day);
  if (list.status != 0) return false;
  for (const ShownCurrentEvent& e : list.events) {
    const char* code = "slack";
    const char* name = "Slack water";
    switch (e.kind) {
      case 'F': code = "flood", name = "Max flood"; break;
      case 'E': code = "ebb", name = "Max ebb"; break;
      case 'M': code = "maximum", name = "Maximum current"; break;
      case 'm': code = "minimum", name = "Minimum current"; break;
      default: break;
    }
    // A slack's speed is zero by definition; its summary is the event alone.
    const std::string value = e.kind == 'S' ? "" : SpeedText(e.speed, e.direction, job.speedUnit);
    out.push_back(MakeEvent(clock, e.at, code, "Current", name + value));
  }
  return true;
}

const char* PhaseCode(int type) {
  switch (type) {
    case kPhaseNew: return "newmoon";
    case kPhaseFirstQuarter: return "firstquarter";
    case kPhaseFull: return "fullmoon";
    default: return "lastquarter";
  }
}

const char* PhaseSummary(int type) {
  switch (type) {
    case kPhaseNew: return "New moon";
    case kPhaseFirstQuarter: return "First quarter moon";
    case kPhaseFull: return "Full moon";
    default: return "Last quarter moon";
  }
}

// False when the sky was asked for and cannot be computed at all.
bool AddSkyDay(const CalendarJob& job, const StationPlace& place, const StationClock& clock, EngineMinute day,
               std::vector<CalendarEvent>& out) {
  const SkyDay sky = FindSkyDay(place, clock, day);
  if ((job.events & kCalendarSun) && sky.sun == RiseSetDay::NotAvailable) return false;
  if ((job.events & kCalendarMoon) && sky.moon == RiseSetDay::NotAvailable) return false;
  if ((job.events & kCalendarPhases) && sky.nearestPhase.phaseType == kPhaseNone) return false;
  for (const SkyEvent& e : sky.events) {
    const bool sun = e.kind == SkyEventKind::Sunrise || e.kind == SkyEventKind::Sunset;
    if (!(job.events & (sun ? kCalendarSun : kCalendarMoon))) continue;
    switch (e.kind) {
      case SkyEventKind::Sunrise: out.push_back(MakeEvent(clock, e.at, "sunrise", "Sun", "Sunrise")); break;
      case SkyEventKind::Sunset: out.push_back(MakeEvent(clock, e.at, "sunset", "Sun", "Sunset")); break;
      case SkyEventKind::Moonrise: out.push_back(MakeEvent(clock, e.at, "moonrise", "Moon", "Moonrise")); break;
      case SkyEventKind::Moonset: out.push_back(MakeEvent(clock, e.at, "moonset", "Moon", "Moonset")); break;
    }
  }
  if (job.events & kCalendarPhases) {
    for (const ShownPhase& p : sky.phases) {
      out.push_back(MakeEvent(clock, p.at, PhaseCode(p.type), "Moon", PhaseSummary(p.type)));
    }
  }
  return true;
}

std::string Uid(const CalendarJob& job, const CalendarEvent& event) {
  const int64_t minute = event.unixSeconds / 60;
  const EngineMinute utc = static_cast<EngineMinute>(minute + kUnixEpochUtcMinute);
  DateRecord date;
  MinuteToDate(utc, date);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02dT%02d%02dZ", date.year, date.month, date.day, date.hour,
                date.minute);
  return std::string(event.code) + "-" + stamp + "-" + job.stationKey + "@quaywise";
}

std::string Description(const CalendarJob& job, const StationClock& clock, const CalendarEvent& event) {
  std::string text = event.summary + " at " + job.locationName + "\n";
  text += "Station time: " + IsoDate(event.at.shown) + " " + ClockTime(event.at.shown) + " " +
          FormatUtcOffset(event.at.utcOffsetMinutes);
  const std::string abbreviation = clock.AbbreviationAt(event.at.standard);
  if (!abbreviation.empty()) text += " (" + abbreviation + ")";
  if (!job.sourceLabel.empty()) text += "\nSource: " + job.sourceLabel;
  return text;
}

struct ComponentFree {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};

icaltimetype UtcTime(int64_t unixSeconds) {
  return icaltime_from_timet_with_zone(static_cast<time_t>(unixSeconds), 0, icaltimezone_get_utc_timezone());
}

icalproperty* ExtendedProperty(const char* name, const std::string& value) {
  icalproperty* property = icalproperty_new_x(value.c_str());
  icalproperty_set_x_name(property, name);
  return property;
}

}  // namespace

std::string CalendarStationKey(StationKind kind, int regionNumber, uint16_t stationId, const StationSource* entry) {
  std::string key;
  if (entry && !entry->source.empty() && !entry->sourceId.empty()) {
    key = entry->source + "-" + entry->sourceId;
    if (kind == StationKind::Current) key = "c-" + key;
  } else {
    key = std::string(kind == StationKind::Tide ? "t" : "c") + std::to_string(regionNumber) + "-" +
          std::to_string(stationId);
  }
  // Only letters, digits, '-' and '.' in a UID: anything else becomes '-'.
  for (char& c : key) {
    const unsigned char u = static_cast<unsigned char>(c);
    c = std::isalnum(u) || c == '.' ? static_cast<char>(std::tolower(u)) : '-';
  }
  return key;
}

CalendarEvents CollectCalendarEvents(const CalendarJob& job, const StationClock& clock, SearchProgress& progress) {
  CalendarEvents result;
  const bool tide = job.station.kind == StationKind::Tide;
  const StationPlace place = tide ? PlaceOf(job.station.tide) : PlaceOf(job.station.current);
  const bool sky = job.events & (kCalendarSun | kCalendarMoon | kCalendarPhases);
  progress.Status(1, StringText(text::kWritingCalendar));
  for (EngineMinute day = job.firstDay; day <= job.lastDay; day += kMinutesPerDay) {
    progress.Status(2, IsoDate(day));
    if (progress.Pump()) {
      result.outcome = CalendarOutcome::Cancelled;
      return result;
    }
    std::vector<CalendarEvent> dayEvents;
    if (job.events & kCalendarWater) {
      const bool computed =
          tide ? AddTideDay(job, clock, day, dayEvents) : AddCurrentDay(job, clock, day, dayEvents);
      if (!computed) {
        result.outcome = CalendarOutcome::EngineFailed;
        return result;
      }
    }
    if (sky && !AddSkyDay(job, place, clock, day, dayEvents)) {
      result.outcome = CalendarOutcome::NoSkyData;
      return result;
    }
    std::stable_sort(dayEvents.begin(), dayEvents.end(),
                     [](const CalendarEvent& a, const CalendarEvent& b) { return a.at.standard < b.at.standard; });
    result.events.insert(result.events.end(), dayEvents.begin(), dayEvents.end());
  }
  return result;
}

std::string CalendarText(const CalendarJob& job, const StationClock& clock, const std::vector<CalendarEvent>& events) {
  std::unique_ptr<icalcomponent, ComponentFree> calendar(icalcomponent_new_vcalendar());
  icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Quaywise//Tide calendar//EN"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_method(ICAL_METHOD_PUBLISH));
  // The calendar's name as Apple's and Google's calendars show it when subscribing.
  icalcomponent_add_property(calendar.get(), ExtendedProperty("X-WR-CALNAME", job.locationName));

  const icaltimetype stamp = UtcTime(job.stampUnixSeconds);
  for (const CalendarEvent& event : events) {
    icalcomponent* vevent = icalcomponent_new_vevent();
    icalcomponent_add_property(vevent, icalproperty_new_uid(Uid(job, event).c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_dtstamp(stamp));
    // No DTEND: an event with a date-time start and no end is an instant (RFC 5545
    // 3.6.1), which is what a high water or a sunrise is.
    icalcomponent_add_property(vevent, icalproperty_new_dtstart(UtcTime(event.unixSeconds)));
    icalcomponent_add_property(vevent, icalproperty_new_summary(event.summary.c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_location(job.locationName.c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_description(Description(job, clock, event).c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_categories(event.category));
    // Free time: a tide does not make the user busy.
    icalcomponent_add_property(vevent, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    icalcomponent_add_component(calendar.get(), vevent);
  }
  char* text = icalcomponent_as_ical_string_r(calendar.get());
  std::string out = text ? text : "";
  icalmemory_free_buffer(text);
  return out;
}

CalendarOutcome WriteCalendar(const CalendarJob& job, const StationClock& clock, ByteSink& target,
                              SearchProgress& progress) {
  const CalendarEvents collected = CollectCalendarEvents(job, clock, progress);
  if (collected.outcome != CalendarOutcome::Completed) return collected.outcome;
  const std::string text = CalendarText(job, clock, collected.events);
  return target.WriteBytes(text) ? CalendarOutcome::Completed : CalendarOutcome::OutputFailed;
}

}  // namespace qw
