// Tide commands: tides (the day's high and low waters), heights (heights at a fixed
// interval) and today (today's high and low waters at one station).
#include <algorithm>
#include <cstdio>
#include <optional>
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

// The station shown when none is named: San Francisco, a long-running NOAA reference
// station, found by its NOAA id; else the first station with predictions.
constexpr const char* kDefaultSourceId = "9414290";

const OptionSpec kFrom{"from", true, "YYYY-MM-DD", "first day"};
const OptionSpec kTo{"to", true, "YYYY-MM-DD", "last day (default: the first day)"};
const OptionSpec kCsv{"csv", false, "", "CSV: date,time,utc_offset,event,value,unit (as --format csv)"};
const OptionSpec kUnits{"units", true, "ft|m|cm", "height unit (default ft)"};


// The rows of the tide commands in text, CSV or JSON, formatted without allocating and
// written in blocks.
struct Output {
  CliContext& context;
  HeightUnit unit;
  RecordOutput records;
  RowTimeTexts times;

  Output(CliContext& c, const char* command, RowFormat format, HeightUnit u)
      : context(c),
        unit(u),
        records(c, format, command,
                {{"date", false, true}, {"time", false, true}, {"utc_offset", false, true}, {"event", false, true},
                 {"value", true, true}, {"unit", false, true}}) {}

  void Header(const ResolvedStation& station) {
    if (records.format() == RowFormat::Json) {
      const StationDescription description = DescribeStation(context, station, HeightUnitName(unit));
      records.Begin(&description);
      return;
    }
    if (records.format() == RowFormat::Csv) {
      records.Begin();
      return;
    }
    std::string source = context.SourceLabel(station.kind, station.regionNumber, station.index);
    const std::string datum = DatumName(context, station);
    char line[600];
    const int n = std::snprintf(line, sizeof line, "%s  (tide %d:%d, id %u, %s%s%s%s%s)\n", station.name(), station.slot,
                                station.index, station.stationId(), StationRole(station),
                                source.empty() ? "" : ", ", source.c_str(), datum.empty() ? "" : ", heights above ",
                                datum.c_str());
    records.out().Append(std::string_view(line, std::min<size_t>(static_cast<size_t>(n), sizeof line - 1)));
  }

  // One row at the time shown and the offset in force at its instant; `event` is 'H', 'L'
  // or 0 for a plain height.
  void Row(const ClockReading& at, char event, int32_t height) {
    const ShortText value = HeightValueText(MicroFeet(height), unit);
    const std::string_view eventText = event ? std::string_view(&event, 1) : std::string_view();
    times.Set(at);
    const DateRecord& date = times.date();
    const ShortText &day = times.day(), &clock = times.clock(), &offset = times.offset();
    if (records.format() != RowFormat::Text) {
      records.Row({day.view(), clock.view(), offset.view(), eventText, value.view(), HeightUnitName(unit)}, &at);
      return;
    }
    // "Wed 2026-07-01 06:44 -07:00  H     5.123 ft"
    BlockOutput& out = records.out();
    AppendEventStart(out, date, day, clock, offset, eventText);
    out.PadLeft(value.empty() ? std::string_view("-") : value.view(), 9);
    out.Put(' ');
    out.Append(HeightUnitName(unit));
    out.Put('\n');
  }
};

Output MakeOutput(CliContext& context, const ParsedArgs& args, const char* command) {
  auto units = args.Value("units");
  return Output(context, command, ParseRowFormat(args), units ? ParseHeightUnit(*units) : HeightUnit::Feet);
}

ResolvedStation TideStationArgument(CliContext& context, const ParsedArgs& args,
                                    const char* command) {
  if (args.positional.size() != 1) {
    throw UsageError(std::string(command) + " needs exactly one STATION");
  }
  ResolvedStation station = ResolveStation(context, args.positional[0], StationKind::Tide);
  RequirePredictions(station);
  ApplyDatumOption(context, station, args);
  return station;
}

void WriteDayExtremes(Output& output, const ResolvedStation& station, const StationClock& clock, EngineMinute day) {
  const TideDayList list = FindTideDay(station.tide, clock, day);
  if (list.status != 0) throw EngineFailure("the high and low waters of " + IsoDate(day) + " could not be computed");
  for (const ShownTideEvent& e : list.events) output.Row(e.at, e.kind, e.height);
}

int RunTides(CliContext& context, const ParsedArgs& args) {
  Output output = MakeOutput(context, args, "tides");
  ResolvedStation station = TideStationArgument(context, args, "tides");
  auto to = args.Value("to");
  DayRange range = ParseDayRange(args.Required("from", "tides"), to ? &*to : nullptr);
  const StationClock clock = ClockOf(context, station);
  output.Header(station);
  for (EngineMinute day = range.first; day <= range.last; day += kMinutesPerDay) {
    WriteDayExtremes(output, station, clock, day);
  }
  output.records.End();
  return kExitOk;
}

int RunHeights(CliContext& context, const ParsedArgs& args) {
  Output output = MakeOutput(context, args, "heights");
  ResolvedStation station = TideStationArgument(context, args, "heights");
  auto to = args.Value("to");
  DayRange range = ParseDayRange(args.Required("from", "heights"), to ? &*to : nullptr);
  const int interval = static_cast<int>(
      ParseInteger(args.Required("interval", "heights"), 1, kMinutesPerDay, "--interval"));
  const StationClock clock = ClockOf(context, station);
  output.Header(station);
  for (EngineMinute day = range.first; day <= range.last; day += kMinutesPerDay) {
    const TideDayHeights heights = FindTideDayHeights(station.tide, clock, day, interval);
    for (const ShownTideValue& row : heights.rows) output.Row(row.at, 0, row.height);
    if (heights.status != 0) throw EngineFailure("the heights of " + IsoDate(day) + " could not be computed");
  }
  output.records.End();
  return kExitOk;
}

ResolvedStation DefaultStation(CliContext& context) {
  const StationSources* sources = context.Sources();
  if (sources && !sources->FindBySourceId('T', kDefaultSourceId).empty()) {
    try {
      ResolvedStation station = ResolveStation(context, std::string("src:") + kDefaultSourceId,
                                               StationKind::Tide);
      RequirePredictions(station);
      return station;
    } catch (const UsageError&) {
      // Fall through to the first station with predictions.
    }
  }
  const RegionList& regions = context.Regions(StationKind::Tide);
  for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
    const int count = CountStations(regions, slot, StationKind::Tide);
    for (int i = 0; i < count; ++i) {
      ResolvedStation station = LoadStation(context, StationKind::Tide, slot, i);
      if (station.stationId() != 0 && station.referenceId() != 0) return station;
    }
  }
  throw UsageError("no tide station with predictions is installed in the data directory");
}

int RunToday(CliContext& context, const ParsedArgs& args) {
  if (args.positional.size() > 1) throw UsageError("today takes at most one STATION");
  Output output = MakeOutput(context, args, "today");
  ResolvedStation station =
      args.positional.empty() ? DefaultStation(context)
                              : ResolveStation(context, args.positional[0], StationKind::Tide);
  RequirePredictions(station);
  ApplyDatumOption(context, station, args);
  const StationClock clock = ClockOf(context, station);
  output.Header(station);
  WriteDayExtremes(output, station, clock, clock.Today());
  output.records.End();
  return kExitOk;
}

const CommandRegistration kTides({
    "tides",
    "tides STATION --from YYYY-MM-DD [--to YYYY-MM-DD] [--format text|csv|json] [--units ft|m|cm] [--datum NAME]",
    "each day's high and low waters, as the tide window lists them",
    "Times are the station's own clock (its time zone; standard time all year with\n"
    "--no-daylight-saving), each with the offset from UTC in force at that instant. A day\n"
    "is the station's calendar day: 23 or 25 hours long when the clocks change. A value\n"
    "that is not defined for a subordinate station is empty. Heights are above the\n"
    "station's chart datum, or above the datum --datum names (info lists a station's datums).",
    {kFrom, kTo, kCsv, kRowFormatOption, kUnits, kDatumOption}, RunTides});

const CommandRegistration kHeights({
    "heights",
    "heights STATION --from YYYY-MM-DD [--to YYYY-MM-DD] --interval MINUTES [--format text|csv|json] [--units ft|m|cm]\n"
    "        [--datum NAME]",
    "heights from the start of each day every MINUTES minutes",
    "Rows step through the real minutes of the station's day: on the days its clocks change\n"
    "the day has 23 or 25 hours of rows, each with the offset from UTC then in force.",
    {kFrom, kTo, {"interval", true, "MINUTES", "minutes between heights, 1 to 1440"}, kCsv, kRowFormatOption, kUnits,
     kDatumOption},
    RunHeights});

const CommandRegistration kToday({
    "today", "today [STATION] [--format text|csv|json] [--units ft|m|cm] [--datum NAME]",
    "today's high and low waters (the default command)",
    "Without a STATION: San Francisco (NOAA 9414290) when installed, else the first\n"
    "station with predictions. \"Today\" is the date at the station now.",
    {kCsv, kRowFormatOption, kUnits, kDatumOption}, RunToday});

}  // namespace
}  // namespace qw::cli
