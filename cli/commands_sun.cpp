// Sun and moon commands: sun (each day's sunrise, sunset, moonrise, moonset and moon
// phase at a station) and phases (the principal phases of the moon in a range, in UTC or
// on a station's clock).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "cli/cli_errors.h"
#include "cli/command_table.h"
#include "cli/record_output.h"
#include "cli/dates.h"
#include "cli/station_ref.h"
#include "cli/station_time.h"
#include "engine/astro_time.h"
#include "engine/moon_phase.h"
#include "engine/rise_set.h"
#include "engine/sky_day.h"

namespace qw::cli {
namespace {

const OptionSpec kFrom{"from", true, "YYYY-MM-DD", "first day"};
const OptionSpec kTo{"to", true, "YYYY-MM-DD", "last day (default: the first day)"};
const OptionSpec kSunCsv{"csv", false, "", "CSV: date,utc_offset,sunrise,sunset,moonrise,moonset,phase_angle,phase"};
const OptionSpec kPhasesCsv{"csv", false, "", "CSV: date,time,phase (with a STATION: date,time,utc_offset,phase)"};
const OptionSpec kSunCurrents{"currents", false, "", "STATION is a current station"};

// The times of the day's events of one kind, "HH:MM", each followed by its own offset when
// that is not the row's (an event before the clocks change); "" when there is none.
std::string EventTimes(const SkyDay& day, SkyEventKind kind, int32_t rowOffset) {
  std::string text;
  for (const SkyEvent& e : day.events) {
    if (e.kind != kind) continue;
    if (!text.empty()) text += ' ';
    text += ShownClock(e.at);
    if (e.at.utcOffsetMinutes != rowOffset) text += ShownOffset(e.at);
  }
  return text;
}

int RunSun(CliContext& context, const ParsedArgs& args) {
  if (args.positional.size() != 1) throw UsageError("sun needs exactly one STATION");
  const StationKind kind = args.Has("currents") ? StationKind::Current : StationKind::Tide;
  const ResolvedStation station = ResolveStation(context, args.positional[0], kind);
  auto to = args.Value("to");
  const DayRange range = ParseDayRange(args.Required("from", "sun"), to ? &*to : nullptr);
  const RowFormat format = ParseRowFormat(args);
  const bool tide = kind == StationKind::Tide;
  const StationPlace place = tide ? PlaceOf(station.tide) : PlaceOf(station.current);
  const StationClock clock = ClockOf(context, station);
  RecordOutput records(context, format, "sun",
                       {{"date"}, {"utc_offset"}, {"sunrise"}, {"sunset"}, {"moonrise"}, {"moonset"},
                        {"phase_angle", true}, {"phase"}});
  char line[512];
  if (format == RowFormat::Json) {
    const StationDescription description = DescribeStation(context, station, "");
    records.Begin(&description);
  } else if (format == RowFormat::Csv) {
    records.Begin();
  } else {
    std::snprintf(line, sizeof line, "%s\n%-10s %-6s  %-5s %-5s  %-5s %-5s  %5s  %s\n", station.name(), "date", "utc",
                  "rise", "set", "mrise", "mset", "angle", "phase");
    records.out().Append(line);
  }
  for (EngineMinute day = range.first; day <= range.last; day += kMinutesPerDay) {
    const SkyDay sky = FindSkyDay(place, clock, day);
    if (sky.sun == RiseSetDay::NotAvailable && sky.moon == RiseSetDay::NotAvailable) {
      throw EngineFailure("the sun and moon times need a station position and EARTH.IDX and EARTH.DAT in the data directory");
    }
    // The row's offset: the one in force at midday (on the days the clocks change, at
    // every event after the change).
    const int32_t rowOffset = clock.OffsetAt(sky.span.standardStart + sky.span.Minutes() / 2);
    char angle[16];
    std::snprintf(angle, sizeof angle, "%.1f", sky.phaseAngle);
    const std::vector<std::string> fields = {IsoDate(day),
                                             FormatUtcOffset(rowOffset),
                                             EventTimes(sky, SkyEventKind::Sunrise, rowOffset),
                                             EventTimes(sky, SkyEventKind::Sunset, rowOffset),
                                             EventTimes(sky, SkyEventKind::Moonrise, rowOffset),
                                             EventTimes(sky, SkyEventKind::Moonset, rowOffset),
                                             angle,
                                             PhaseLine(sky.nearestPhase)};
    if (format != RowFormat::Text) {
      records.Row(fields);
      continue;
    }
    auto shown = [](const std::string& s) { return s.empty() ? std::string("-") : s; };
    const int n = std::snprintf(line, sizeof line, "%-10s %-6s  %-5s %-5s  %-5s %-5s  %5s  %s%s%s\n", fields[0].c_str(),
                                fields[1].c_str(), shown(fields[2]).c_str(), shown(fields[3]).c_str(),
                                shown(fields[4]).c_str(), shown(fields[5]).c_str(), fields[6].c_str(), fields[7].c_str(),
                                sky.nearestPhase.tideType ? ", " : "", TideTypeName(sky.nearestPhase.tideType));
    records.out().Append(std::string_view(line, std::min<size_t>(static_cast<size_t>(n), sizeof line - 1)));
  }
  records.End();
  return kExitOk;
}

// The principal phases of the dates of a station's clock, with their own offsets.
int StationPhases(CliContext& context, const ParsedArgs& args, const DayRange& range) {
  const StationKind kind = args.Has("currents") ? StationKind::Current : StationKind::Tide;
  const ResolvedStation station = ResolveStation(context, args.positional[0], kind);
  const StationPlace place = kind == StationKind::Tide ? PlaceOf(station.tide) : PlaceOf(station.current);
  const StationClock clock = ClockOf(context, station);
  const RowFormat format = ParseRowFormat(args);
  RecordOutput records(context, format, "phases", {{"date"}, {"time"}, {"utc_offset"}, {"phase"}});
  if (format == RowFormat::Json) {
    const StationDescription description = DescribeStation(context, station, "");
    records.Begin(&description);
  } else {
    records.Begin();
  }
  bool any = false;
  for (EngineMinute day = range.first; day <= range.last; day += kMinutesPerDay) {
    const SkyDay sky = FindSkyDay(place, clock, day);
    any = any || sky.nearestPhase.phaseType != kPhaseNone;
    for (const ShownPhase& p : sky.phases) {
      const std::string name = std::string(PhaseName(p.type)) + " moon";
      if (format != RowFormat::Text) {
        records.Row({ShownDate(p.at), ShownClock(p.at), ShownOffset(p.at), name}, &p.at);
      } else {
        records.out().Append(ShownDate(p.at) + " " + ShownClock(p.at) + " " + ShownOffset(p.at) + "  " + name + "\n");
      }
    }
  }
  if (!any) throw EngineFailure("the moon phases need EARTH.IDX and EARTH.DAT in the data directory");
  records.End();
  return kExitOk;
}

int RunPhases(CliContext& context, const ParsedArgs& args) {
  if (args.positional.size() > 1) throw UsageError("phases takes at most one STATION");
  auto to = args.Value("to");
  const DayRange range = ParseDayRange(args.Required("from", "phases"), to ? &*to : nullptr);
  if (!args.positional.empty()) return StationPhases(context, args, range);
  DateRecord first, last;
  MinuteToDate(range.first, first);
  MinuteToDate(range.last, last);
  const double from = JulianDay(first.year, first.month, first.day);
  const double until = JulianDay(last.year, last.month, last.day) + 1.0;
  const std::vector<PrincipalPhase> phases = PrincipalPhases(from, until);
  if (phases.empty() && until - from > 8.0) {
    throw EngineFailure("the moon phases need EARTH.IDX and EARTH.DAT in the data directory");
  }
  const RowFormat format = ParseRowFormat(args);
  RecordOutput records(context, format, "phases", {{"date"}, {"time"}, {"phase"}});
  records.Begin();
  for (const PrincipalPhase& p : phases) {
    // Minutes from the first day's 00:00 UTC, rounded to the nearest minute.
    const long minutes = std::lround((p.julianDayUt - from) * 1440.0);
    const EngineMinute when = range.first + static_cast<EngineMinute>(minutes);
    const std::string name = std::string(PhaseName(p.type)) + " moon";
    if (format != RowFormat::Text) {
      const ClockReading utc{when, when, 0};
      records.Row({IsoDate(when), ClockTime(when), name}, &utc);
    } else {
      records.out().Append(IsoDate(when) + " " + ClockTime(when) + " UTC  " + name + "\n");
    }
  }
  records.End();
  return kExitOk;
}

const CommandRegistration kSun({
    "sun", "sun STATION --from YYYY-MM-DD [--to YYYY-MM-DD] [--currents] [--format text|csv|json]",
    "each day's sunrise, sunset, moonrise, moonset, moon phase angle and nearest phase",
    "Times are the station's own clock on that date; utc_offset is the offset in force at\n"
    "midday. On the days the clocks change, an event before the change carries its own\n"
    "offset (\"01:32-05:00\"). A time is empty (\"-\") when the event does not occur that day;\n"
    "two events of a kind in one day are separated by a space. The column 'angle' is the\n"
    "moon's phase angle in degrees (0 new, 90 first quarter, 180 full, 270 last) at the\n"
    "start of the day.",
    {kFrom, kTo, kSunCurrents, kSunCsv, kRowFormatOption}, RunSun});

const CommandRegistration kPhases({
    "phases", "phases [STATION] --from YYYY-MM-DD [--to YYYY-MM-DD] [--currents] [--format text|csv|json]",
    "the principal phases of the moon in the range, in UTC or on a station's clock",
    "Without a STATION the dates and times are UTC. With one, the dates are the station's\n"
    "and each time is its own clock with the offset from UTC in force then.",
    {kFrom, kTo, kSunCurrents, kPhasesCsv, kRowFormatOption}, RunPhases});

}  // namespace
}  // namespace qw::cli
