// Current commands: currents (the day's maximum floods, maximum ebbs and slacks) and
// speeds (the current at a fixed interval).
#include <string>

#include "cli/cli_context.h"
#include "cli/cli_errors.h"
#include "cli/command_table.h"
#include "cli/csv_output.h"
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
const OptionSpec kCsv{"csv", false, "", "CSV: date,time,utc_offset,event,value,unit,direction"};
const OptionSpec kUnits{"units", true, "kt|mps", "speed unit (default kt)"};

constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

struct Output {
  CliContext& context;
  bool csv;
  SpeedUnit unit;

  void Header(const ResolvedStation& station) {
    if (csv) {
      WriteCsvRecord(context.out(), {"date", "time", "utc_offset", "event", "value", "unit", "direction"});
      return;
    }
    std::string source = context.SourceLabel(station.kind, station.regionNumber, station.index);
    const char* role = station.current.stationKind == kCurrentKindRotary ? "rotary" : StationRole(station);
    std::fprintf(context.out(), "%s  (current %d:%d, id %u, %s%s%s)\n", station.label().c_str(), station.slot,
                 station.index, station.stationId(), role, source.empty() ? "" : ", ", source.c_str());
  }

  // One row at the time shown and the offset in force at its instant; `event` is the
  // event's letter or 0 for a plain value.
  void Row(const ClockReading& at, char event, int32_t speed, int16_t direction) {
    const std::string value = FormatSpeed(MicroKnots(speed), unit);
    const std::string eventText = event ? std::string(1, event) : std::string();
    const std::string directionText = FormatDirection(direction);
    if (csv) {
      WriteCsvRecord(context.out(), {ShownDate(at), ShownClock(at), ShownOffset(at), eventText, value,
                                     SpeedUnitName(unit), directionText});
      return;
    }
    DateRecord date;
    MinuteToDate(at.shown, date);
    std::fprintf(context.out(), "%s %s %s %s  %-1s %9s %-3s  %s\n", kWeekdays[date.weekday % 7],
                 ShownDate(at).c_str(), ShownClock(at).c_str(), ShownOffset(at).c_str(), eventText.c_str(),
                 value.empty() ? "-" : value.c_str(), SpeedUnitName(unit),
                 directionText.empty() ? "-" : directionText.c_str());
  }
};

Output MakeOutput(CliContext& context, const ParsedArgs& args) {
  auto units = args.Value("units");
  return Output{context, args.Has("csv"), units ? ParseSpeedUnit(*units) : SpeedUnit::Knots};
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
  Output output = MakeOutput(context, args);
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
  return kExitOk;
}

int RunSpeeds(CliContext& context, const ParsedArgs& args) {
  Output output = MakeOutput(context, args);
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
  return kExitOk;
}

const CommandRegistration kCurrents({
    "currents", "currents STATION --from YYYY-MM-DD [--to YYYY-MM-DD] [--csv] [--units kt|mps]",
    "each day's maximum floods (F), maximum ebbs (E) and slacks (S), as the current window lists them",
    "STATION is a current station (the forms of 'tides', looked up among the current stations).\n"
    "Speeds are signed: flood positive, ebb negative; rotary stations list their maxima (M)\n"
    "and minima (m) as magnitudes. Directions are degrees true. Times are the station's own\n"
    "clock, each with the offset from UTC in force at that instant; a day is the station's\n"
    "calendar day (23 or 25 hours when the clocks change). A value the station does not\n"
    "define is empty.",
    {kFrom, kTo, kCsv, kUnits}, RunCurrents});

const CommandRegistration kSpeeds({
    "speeds",
    "speeds STATION --from YYYY-MM-DD [--to YYYY-MM-DD] --interval MINUTES [--csv] [--units kt|mps]",
    "current speeds and directions from the start of each day every MINUTES minutes",
    "Rows step through the real minutes of the station's day: on the days its clocks change\n"
    "the day has 23 or 25 hours of rows, each with the offset from UTC then in force.",
    {kFrom, kTo, {"interval", true, "MINUTES", "minutes between values, 1 to 1440"}, kCsv, kUnits},
    RunSpeeds});

}  // namespace
}  // namespace qw::cli
