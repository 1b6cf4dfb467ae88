// Current commands: currents (the day's maximum floods, maximum ebbs and slacks) and
// speeds (the current at a fixed interval).
#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/cli_context.h"
#include "cli/cli_errors.h"
#include "cli/command_table.h"
#include "cli/record_output.h"
#include "cli/dates.h"
#include "cli/station_listing.h"
#include "cli/station_ref.h"
#include "cli/station_time.h"
#include "cli/units.h"
#include "engine/civil_days.h"

namespace qw::cli {
namespace {

const OptionSpec kFrom{"from", true, "YYYY-MM-DD", "first day"};
const OptionSpec kTo{"to", true, "YYYY-MM-DD", "last day (default: the first day)"};
const OptionSpec kCsv{"csv", false, "", "CSV: date,time,utc_offset,event,value,unit,direction (as --format csv)"};
const OptionSpec kUnits{"units", true, "kt|mps", "speed unit (default kt)"};


// The rows of the current commands in text, CSV or JSON, formatted without allocating
// and written in blocks.
struct Output {
  CliContext& context;
  SpeedUnit unit;
  RecordOutput records;
  RowTimeTexts times;

  Output(CliContext& c, const char* command, RowFormat format, SpeedUnit u)
      : context(c),
        unit(u),
        records(c, format, command,
                {{"date", false, true}, {"time", false, true}, {"utc_offset", false, true}, {"event", false, true},
                 {"value", true, true}, {"unit", false, true}, {"direction", true, true}}) {}

  void Header(const ResolvedStation& station) {
    if (records.format() == RowFormat::Json) {
      const StationDescription description = DescribeStation(context, station, SpeedUnitName(unit));
      records.Begin(&description);
      return;
    }
    if (records.format() == RowFormat::Csv) {
      records.Begin();
      return;
    }
    std::string source = context.SourceLabel(station.kind, station.regionNumber, station.index);
    const char* role = station.current.stationKind == kCurrentKindRotary ? "rotary" : StationRole(station);
    char line[512];
    const int n = std::snprintf(line, sizeof line, "%s  (current %d:%d, id %u, %s%s%s)\n", station.label().c_str(),
                                station.slot, station.index, station.stationId(), role,
                                source.empty() ? "" : ", ", source.c_str());
    records.out().Append(std::string_view(line, std::min<size_t>(static_cast<size_t>(n), sizeof line - 1)));
  }

  // One row at the time shown and the offset in force at its instant; `event` is the
  // event's letter or 0 for a plain value.
  void Row(const ClockReading& at, char event, int32_t speed, int16_t direction) {
    const ShortText value = SpeedValueText(MicroKnots(speed), unit);
    const std::string_view eventText = event ? std::string_view(&event, 1) : std::string_view();
    const ShortText directionText = DirectionText(direction);
    times.Set(at);
    const DateRecord& date = times.date();
    const ShortText &day = times.day(), &clock = times.clock(), &offset = times.offset();
    if (records.format() != RowFormat::Text) {
      records.Row({day.view(), clock.view(), offset.view(), eventText, value.view(), SpeedUnitName(unit),
                   directionText.view()},
                  &at);
      return;
    }
    // "Wed 2026-07-01 06:44 -07:00  F     2.345 kt   065"
    BlockOutput& out = records.out();
    AppendEventStart(out, date, day, clock, offset, eventText);
    out.PadLeft(value.empty() ? std::string_view("-") : value.view(), 9);
    out.Put(' ');
    out.PadRight(SpeedUnitName(unit), 3);
    out.Append("  ");
    out.Append(directionText.empty() ? std::string_view("-") : directionText.view());
    out.Put('\n');
  }
};

Output MakeOutput(CliContext& context, const ParsedArgs& args, const char* command) {
  auto units = args.Value("units");
  return Output(context, command, ParseRowFormat(args), units ? ParseSpeedUnit(*units) : SpeedUnit::Knots);
}

ResolvedStation CurrentStationArgument(CliContext& context, const ParsedArgs& args, const char* command) {
  if (args.positional.size() != 1) {
    throw UsageError(std::string(command) + " needs exactly one STATION");
  }
  ResolvedStation station = ResolveStation(context, args.positional[0], StationKind::Current);
  RequirePredictions(station);
  return station;
}

int RunCurrents(CliContext& context, const ParsedArgs& args) {
  Output output = MakeOutput(context, args, "currents");
  ResolvedStation station = CurrentStationArgument(context, args, "currents");
  auto to = args.Value("to");
  DayRange range = ParseDayRange(args.Required("from", "currents"), to ? &*to : nullptr);
  const StationClock clock = ClockOf(context, station);
  output.Header(station);
  for (EngineMinute day = range.first; day <= range.last; day += kMinutesPerDay) {
    const CurrentDayList list = FindCurrentDay(station.current, clock, day);
    if (list.status != 0) throw EngineFailure("the currents of " + IsoDate(day) + " could not be computed");
    for (const ShownCurrentEvent& e : list.events) output.Row(e.at, e.kind, e.speed, e.direction);
  }
  output.records.End();
  return kExitOk;
}

int RunSpeeds(CliContext& context, const ParsedArgs& args) {
  Output output = MakeOutput(context, args, "speeds");
  ResolvedStation station = CurrentStationArgument(context, args, "speeds");
  auto to = args.Value("to");
  DayRange range = ParseDayRange(args.Required("from", "speeds"), to ? &*to : nullptr);
  const int interval = static_cast<int>(
      ParseInteger(args.Required("interval", "speeds"), 1, kMinutesPerDay, "--interval"));
  const StationClock clock = ClockOf(context, station);
  output.Header(station);
  for (EngineMinute day = range.first; day <= range.last; day += kMinutesPerDay) {
    const CurrentDaySpeeds speeds = FindCurrentDaySpeeds(station.current, clock, day, interval);
    for (const ShownCurrentValue& row : speeds.rows) output.Row(row.at, 0, row.speed, row.direction);
    if (speeds.status != 0) throw EngineFailure("the currents of " + IsoDate(day) + " could not be computed");
  }
  output.records.End();
  return kExitOk;
}

const CommandRegistration kCurrents({
    "currents", "currents STATION --from YYYY-MM-DD [--to YYYY-MM-DD] [--format text|csv|json] [--units kt|mps]",
    "each day's maximum floods (F), maximum ebbs (E) and slacks (S), as the current window lists them",
    "STATION is a current station (the forms of 'tides', looked up among the current stations).\n"
    "Speeds are signed: flood positive, ebb negative; rotary stations list their maxima (M)\n"
    "and minima (m) as magnitudes. Directions are degrees true. Times are the station's own\n"
    "clock, each with the offset from UTC in force at that instant; a day is the station's\n"
    "calendar day (23 or 25 hours when the clocks change). A value the station does not\n"
    "define is empty.",
    {kFrom, kTo, kCsv, kRowFormatOption, kUnits}, RunCurrents});

const CommandRegistration kSpeeds({
    "speeds",
    "speeds STATION --from YYYY-MM-DD [--to YYYY-MM-DD] --interval MINUTES [--format text|csv|json] [--units kt|mps]",
    "current speeds and directions from the start of each day every MINUTES minutes",
    "Rows step through the real minutes of the station's day: on the days its clocks change\n"
    "the day has 23 or 25 hours of rows, each with the offset from UTC then in force.",
    {kFrom, kTo, {"interval", true, "MINUTES", "minutes between values, 1 to 1440"}, kCsv, kRowFormatOption, kUnits},
    RunSpeeds});

}  // namespace
}  // namespace qw::cli
