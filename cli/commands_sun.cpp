// Sun and moon commands: sun (each day's sunrise, sunset, moonrise, moonset and moon
// phase at a station) and phases (the principal phases of the moon in a range, UTC).
#include <cmath>
#include <cstdio>
#include <string>

#include "cli/cli_context.h"
#include "cli/cli_errors.h"
#include "cli/command_table.h"
#include "cli/csv_output.h"
#include "cli/dates.h"
#include "cli/station_ref.h"
#include "cli/station_time.h"
#include "engine/astro_time.h"
#include "engine/moon_phase.h"
#include "engine/rise_set.h"

namespace qw::cli {
namespace {

const OptionSpec kFrom{"from", true, "YYYY-MM-DD", "first day"};
const OptionSpec kTo{"to", true, "YYYY-MM-DD", "last day (default: the first day)"};
const OptionSpec kSunCsv{"csv", false, "", "CSV: date,utc_offset,sunrise,sunset,moonrise,moonset,phase_angle,phase"};
const OptionSpec kPhasesCsv{"csv", false, "", "CSV: date,time,phase"};

// "HH:MM" of an event of the day; empty when the event does not occur that day (the
// result names another day's event, or the body stays up or down).
std::string EventTime(float value, float other, double fraction) {
  if (value == kRiseSetNotAvailable || value == other) return std::string();
  const long minutes = std::lround(value * 60.0 - fraction);
  if (minutes < 0 || minutes >= 1440) return std::string();
  char text[8];
  std::snprintf(text, sizeof text, "%02ld:%02ld", minutes / 60, minutes % 60);
  return text;
}

int RunSun(CliContext& context, const ParsedArgs& args) {
  if (args.positional.size() != 1) throw UsageError("sun needs exactly one STATION");
  ResolvedStation station = ResolveStation(context, args.positional[0], StationKind::Tide);
  RequirePredictions(station);
  auto to = args.Value("to");
  const DayRange range = ParseDayRange(args.Required("from", "sun"), to ? &*to : nullptr);
  const bool csv = args.Has("csv");
  const StationPlace place = PlaceOf(station.tide);
  if (csv) {
    WriteCsvRecord(context.out(), {"date", "utc_offset", "sunrise", "sunset", "moonrise", "moonset", "phase_angle", "phase"});
  } else {
    std::fprintf(context.out(), "%s\n%-10s %-6s  %-5s %-5s  %-5s %-5s  %5s  %s\n", station.name(), "date", "utc", "rise",
                 "set", "mrise", "mset", "age", "phase");
  }
  for (EngineMinute day = range.first; day <= range.last; day += kMinutesPerDay) {
    const SunTimes sun = SunRiseSet(day, place);
    const MoonDay moon = FindNextPhase(place, day);
    if (sun.rise == kRiseSetNotAvailable && moon.times.rise == kRiseSetNotAvailable) {
      throw EngineFailure("the sun and moon times need a station position and EARTH.IDX and EARTH.DAT in the data directory");
    }
    const std::string offset = FormatUtcOffset(StationUtcOffsetMinutes(station.tide, day));
    char angle[16];
    std::snprintf(angle, sizeof angle, "%.1f", moon.times.phaseAngle);
    const std::string fields[] = {IsoDate(day),
                                  offset,
                                  EventTime(sun.rise, sun.set, 0.25),
                                  EventTime(sun.set, sun.rise, 0.25),
                                  EventTime(moon.times.rise, moon.times.set, 0.05),
                                  EventTime(moon.times.set, moon.times.rise, 0.05),
                                  angle,
                                  PhaseLine(moon.phase)};
    if (csv) {
      WriteCsvRecord(context.out(), {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6], fields[7]});
      continue;
    }
    auto shown = [](const std::string& s) { return s.empty() ? std::string("-") : s; };
    std::fprintf(context.out(), "%-10s %-6s  %-5s %-5s  %-5s %-5s  %5s  %s%s%s\n", fields[0].c_str(), fields[1].c_str(),
                 shown(fields[2]).c_str(), shown(fields[3]).c_str(), shown(fields[4]).c_str(),
                 shown(fields[5]).c_str(), fields[6].c_str(), fields[7].c_str(),
                 moon.phase.tideType ? ", " : "", TideTypeName(moon.phase.tideType));
  }
  return kExitOk;
}

int RunPhases(CliContext& context, const ParsedArgs& args) {
  if (!args.positional.empty()) throw UsageError("phases takes no STATION");
  auto to = args.Value("to");
  const DayRange range = ParseDayRange(args.Required("from", "phases"), to ? &*to : nullptr);
  DateRecord first, last;
  MinuteToDate(range.first, first);
  MinuteToDate(range.last, last);
  const double from = JulianDay(first.year, first.month, first.day);
  const double until = JulianDay(last.year, last.month, last.day) + 1.0;
  const std::vector<PrincipalPhase> phases = PrincipalPhases(from, until);
  if (phases.empty() && until - from > 8.0) {
    throw EngineFailure("the moon phases need EARTH.IDX and EARTH.DAT in the data directory");
  }
  const bool csv = args.Has("csv");
  if (csv) WriteCsvRecord(context.out(), {"date", "time", "phase"});
  for (const PrincipalPhase& p : phases) {
    // Minutes from the first day's 00:00 UTC, rounded to the nearest minute.
    const long minutes = std::lround((p.julianDayUt - from) * 1440.0);
    const EngineMinute when = range.first + static_cast<EngineMinute>(minutes);
    const std::string name = std::string(PhaseName(p.type)) + " moon";
    if (csv) {
      WriteCsvRecord(context.out(), {IsoDate(when), ClockTime(when), name});
    } else {
      std::fprintf(context.out(), "%s %s UTC  %s\n", IsoDate(when).c_str(), ClockTime(when).c_str(), name.c_str());
    }
  }
  return kExitOk;
}

const CommandRegistration kSun({
    "sun", "sun STATION --from YYYY-MM-DD [--to YYYY-MM-DD] [--csv]",
    "each day's sunrise, sunset, moonrise, moonset, moon phase angle and nearest phase",
    "Times are the station's shown time of that date, with that date's offset from UTC.\n"
    "A time is empty (\"-\") when the event does not occur that day.",
    {kFrom, kTo, kSunCsv}, RunSun});

const CommandRegistration kPhases({
    "phases", "phases --from YYYY-MM-DD --to YYYY-MM-DD [--csv]",
    "the principal phases of the moon in the range, in UTC", "", {kFrom, kTo, kPhasesCsv}, RunPhases});

}  // namespace
}  // namespace qw::cli
