// ical: a station's high and low waters (or floods, ebbs and slacks), sun, moon and moon
// phases over a range of dates as an iCalendar file for phone and desktop calendars.
#include <ctime>
#include <string>

#include "cli/cli_context.h"
#include "cli/cli_errors.h"
#include "cli/command_table.h"
#include "cli/dates.h"
#include "cli/station_ref.h"
#include "cli/station_time.h"
#include "cli/table_output.h"
#include "export/calendar_export.h"
#include "search/nearest_search.h"

namespace qw::cli {
namespace {

// --events: a comma-separated list of tides (currents, at a current station), sun, moon,
// phases, or all.
unsigned ParseEvents(const std::string& text) {
  unsigned events = 0;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (item == "tides" || item == "currents") events |= kCalendarWater;
    else if (item == "sun") events |= kCalendarSun;
    else if (item == "moon") events |= kCalendarMoon;
    else if (item == "phases") events |= kCalendarPhases;
    else if (item == "all") events |= kCalendarWater | kCalendarSun | kCalendarMoon | kCalendarPhases;
    else throw UsageError("unknown event '" + item + "' in --events (tides, currents, sun, moon, phases or all)");
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return events;
}

int RunCalendar(CliContext& context, const ParsedArgs& args) {
  if (args.positional.size() != 1) throw UsageError("ical needs exactly one STATION");
  const unsigned events = ParseEvents(args.Value("events").value_or("tides"));
  const ValueUnits units = ParseValueUnits(args);
  const StationKind kind = args.Has("currents") ? StationKind::Current : StationKind::Tide;
  ResolvedStation station = ResolveStation(context, args.positional[0], kind);
  if (events & kCalendarWater) RequirePredictions(station);
  auto to = args.Value("to");
  const DayRange range = ParseDayRange(args.Required("from", "ical"), to ? &*to : nullptr);

  CalendarJob job;
  job.station.kind = kind;
  job.station.tide = station.tide;
  job.station.current = station.current;
  job.locationName = Trimmed(station.name());
  job.sourceLabel = context.SourceLabel(kind, station.regionNumber, station.index);
  const StationSources* sources = context.Sources();
  job.stationKey = CalendarStationKey(kind, station.regionNumber, station.stationId(),
                                      sources ? sources->Find(static_cast<char>(kind), station.regionNumber,
                                                              station.index)
                                              : nullptr);
  job.firstDay = range.first;
  job.lastDay = range.last;
  job.events = events;
  job.heightUnit = units.tide;
  job.speedUnit = units.current;
  job.stampUnixSeconds = static_cast<int64_t>(std::time(nullptr));

  const StationClock clock = ClockOf(context, station);
  SearchProgress quiet;
  StringSink text;
  switch (WriteCalendar(job, clock, text, quiet)) {
    case CalendarOutcome::Completed: break;
    case CalendarOutcome::NoSkyData:
      throw EngineFailure("the sun, moon and phases need a station position and EARTH.IDX and EARTH.DAT in the data directory");
    default: throw EngineFailure("the events from " + IsoDate(range.first) + " to " + IsoDate(range.last) + " could not be computed");
  }
  WriteOutput(context, text.text, args.Value("output"));
  return kExitOk;
}

const CommandRegistration kCalendar({
    "ical",
    "ical STATION --from YYYY-MM-DD [--to YYYY-MM-DD] [--currents] [--events LIST] [-o FILE]\n"
    "       [--units ft|m|cm] [--speed-units kt|m/s]",
    "a station's events as an iCalendar file for phone and desktop calendars",
    "LIST is comma-separated: tides (high and low waters; at a current station, with\n"
    "--currents, maximum floods and ebbs and slacks; 'currents' says the same), sun\n"
    "(sunrise and sunset), moon (moonrise and moonset), phases (the principal phases of the\n"
    "moon), or all; the default is tides. One event per occurrence, in UTC, on the dates of\n"
    "the station's clock; each description gives the station's own time and the data's\n"
    "source. The UIDs are made of the station, the event and its minute, so importing a\n"
    "new file over the same dates replaces the entries instead of doubling them. Without\n"
    "-o the file is printed; with it the file is replaced only when written whole.",
    {{"from", true, "YYYY-MM-DD", "first day"},
     {"to", true, "YYYY-MM-DD", "last day (default: the first day)"},
     {"currents", false, "", "STATION is a current station"},
     {"events", true, "LIST", "tides, currents, sun, moon, phases or all (default tides)"},
     kUnitsOption,
     kSpeedUnitsOption,
     kOutputOption},
    RunCalendar});

}  // namespace
}  // namespace qw::cli
