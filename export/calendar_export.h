// A station's events over a range of its dates as an iCalendar file (RFC 5545) for phone
// and desktop calendars: one VEVENT per high or low water (at a current station: maximum
// flood, maximum ebb and slack), sunrise and sunset, moonrise and moonset, and principal
// phase of the moon. The events come from the day lists of the station's clock
// (civil_days.h, sky_day.h), the ones the windows and quaywise-cli's tides, currents,
// sun and phases commands print, so a calendar entry falls on the very minute they show.
//
// Times are written in UTC ("DTSTART:20261208T144400Z"). Every calendar program reads a
// UTC time as one exact instant and shows it on the device's own clock, whereas a TZID
// needs a VTIMEZONE that the importer may or may not honour (some take only their own
// zone names, some ignore the definition and guess), and a wrong guess moves every tide
// by an hour. The station's own clock time, with its offset from UTC, is written into
// each DESCRIPTION for the reader who is not at the station.
//
// A UID is made of the event's kind, its UTC minute and the station's key (its public
// source and identifier where the side catalogue knows them): writing the same range
// again gives the same UIDs, so a calendar that imports the file twice replaces its
// entries rather than doubling them.
//
// The file is produced by libical, which does the line folding and text escaping.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/station_clock.h"
#include "engine/station_sources.h"
#include "export/output_file.h"
#include "search/event_search.h"
#include "search/search_progress.h"
#include "settings/app_settings.h"

namespace qw {

// Which events a calendar holds (bits, combined with |).
enum CalendarEventSet : unsigned {
  kCalendarWater = 1,   // high and low waters, or maximum floods and ebbs and slacks
  kCalendarSun = 2,     // sunrise and sunset
  kCalendarMoon = 4,    // moonrise and moonset
  kCalendarPhases = 8,  // new moon, first quarter, full moon, last quarter
};

// Everything one calendar is written from.
struct CalendarJob {
  SearchStation station;      // the kind and the station's record
  std::string locationName;   // as the window titles it
  std::string sourceLabel;    // "NOAA 9414290"; "" when the side catalogue does not know it
  std::string stationKey;     // CalendarStationKey
  EngineMinute firstDay = 0;  // 00:00 of the first date of the station's clock
  EngineMinute lastDay = 0;   // 00:00 of the last date (inclusive)
  unsigned events = kCalendarWater;
  TideUnit heightUnit = TideUnit::Feet;
  CurrentUnit speedUnit = CurrentUnit::Knots;
  int64_t stampUnixSeconds = 0;  // DTSTAMP of every event: when the file was made
};

// The part of a UID that names the station: "noaa-9414290" from the side catalogue's
// source and identifier, else "t12-1234" from the kind, region number and stationId
// (custom locations, which the catalogue does not list). Lower case, no blanks.
std::string CalendarStationKey(StationKind kind, int regionNumber, uint16_t stationId, const StationSource* entry);

// "sunrise", "high", "slack", "fullmoon", ... (the event's part of its UID).
struct CalendarEvent {
  const char* code = "";
  const char* category = "";  // "Tide", "Current", "Sun", "Moon"
  std::string summary;        // "High water 5.62 ft", "Sunrise", "Full moon"
  ClockReading at;
  int64_t unixSeconds = 0;    // the instant in UTC
};

enum class CalendarOutcome {
  Completed,
  Cancelled,     // the user stopped it; nothing is written
  EngineFailed,  // a prediction failed (the engine has said why)
  NoSkyData,     // sun, moon or phases asked for without a position or the Earth series
  OutputFailed,  // the target did not take the bytes
};

struct CalendarEvents {
  CalendarOutcome outcome = CalendarOutcome::Completed;
  std::vector<CalendarEvent> events;  // time order within each date, dates in order
};

// The chosen events of every date from firstDay to lastDay. Status line 1 reads
// "Writing calendar...", line 2 the date; a Stop is honoured once per date.
CalendarEvents CollectCalendarEvents(const CalendarJob& job, const StationClock& clock, SearchProgress& progress);

// The iCalendar text of the events (CRLF line ends, lines folded at 75 octets).
std::string CalendarText(const CalendarJob& job, const StationClock& clock, const std::vector<CalendarEvent>& events);

// Collects the events and writes the text to `target`; nothing is written unless every
// date was computed.
CalendarOutcome WriteCalendar(const CalendarJob& job, const StationClock& clock, ByteSink& target,
                              SearchProgress& progress);

}  // namespace qw
