// export: the desktop program's data export, one record per time step or per high and
// low water with the fields chosen, as text records or as the export results table.
#include <algorithm>
#include <string>

#include "cli/cli_context.h"
#include "cli/cli_errors.h"
#include "cli/command_table.h"
#include "cli/dates.h"
#include "cli/station_ref.h"
#include "cli/station_time.h"
#include "cli/table_output.h"
#include "engine/string_table.h"
#include "export/data_export.h"
#include "export/delimiters.h"
#include "export/export_fields.h"
#include "export/export_texts.h"
#include "export/output_file.h"
#include "search/nearest_search.h"

namespace qw::cli {
namespace {

constexpr const char* kFieldNames[kExportFieldCount] = {
    "repeat", "date",    "month",  "day",      "year",    "weekday", "yearday",
    "time",   "hours",   "minutes", "value",   "type",    "direction", "sunrise",
    "sunset", "moonrise", "moonset", "quarter", "phase",   "end-repeat", "utc-offset"};

std::vector<int> ParseFieldList(const std::string& text) {
  std::vector<int> ids;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    int id = -1;
    for (int i = 0; i < kExportFieldCount; ++i) {
      if (item == kFieldNames[i] || item == std::to_string(i)) id = i;
    }
    if (id < 0) throw UsageError("unknown field '" + item + "' in --fields (see 'help export')");
    if (std::find(ids.begin(), ids.end(), id) != ids.end()) {
      throw UsageError("field '" + item + "' is listed twice in --fields");
    }
    ids.push_back(id);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return ids;
}

// A delimiter by its list name without the brackets ("tab", "crlf", "none"), as a single
// character, or in escape notation ("\x3B").
std::string ParseDelimiter(const std::string& text) {
  for (int i = 0; i < kDelimiterCount; ++i) {
    std::string name = DelimiterName(i);
    name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return c == '(' || c == ')' || c == '/'; }),
               name.end());
    if (text == name) return DelimiterText(i);
  }
  return ConvertEscapes(text);
}

int RunExport(CliContext& context, const ParsedArgs& args) {
  if (args.positional.size() != 1) throw UsageError("export needs exactly one STATION");
  const StationKind kind = args.Has("current") ? StationKind::Current : StationKind::Tide;
  ResolvedStation station = ResolveStation(context, args.positional[0], kind);
  RequirePredictions(station);
  ApplyDatumOption(context, station, args);

  ExportJob job;
  job.locationName = Trimmed(station.name());
  job.station.kind = kind;
  job.station.tide = station.tide;
  job.station.current = station.current;
  job.station.clock = ClockOf(context, station);
  auto to = args.Value("to");
  const DayRange range = ParseDayRange(args.Required("from", "export"), to ? &*to : nullptr);
  job.rangeStart = range.first;
  job.rangeEnd = range.last;
  job.targetFields = ParseFieldList(args.Value("fields").value_or("date,repeat,time,value,end-repeat"));
  switch (CheckRepeatMarkers(job.targetFields)) {
    case RepeatProblem::OnlyOneMarker: throw UsageError(StringText(text::kBothRepeatMarkers));
    case RepeatProblem::EndBeforeStart: throw UsageError(StringText(text::kRepeatOrder));
    default: break;
  }
  if (auto r = args.Value("repeat")) job.repeatCount = static_cast<int>(ParseInteger(*r, 1, kMaxRepeatCount, "--repeat"));
  const std::string interval = args.Value("interval").value_or("30");
  job.intervalMinutes =
      interval == "events" ? -1 : IntervalMinutesAt(IntervalPosition(static_cast<int>(ParseInteger(interval, 1, 60, "--interval"))));
  if (interval != "events" && job.intervalMinutes != std::stoi(interval)) {
    throw UsageError("--interval must be events, 1, 5, 6, 10, 15, 30 or 60");
  }
  job.includeHeader = args.Has("header");
  job.hundredths = args.Has("hundredths");
  job.units = ParseValueUnits(args);
  if (auto d = args.Value("field-delimiter")) job.fieldDelimiter = ParseDelimiter(*d);
  job.recordDelimiter = ParseDelimiter(args.Value("record-delimiter").value_or("lf"));
  if (auto v = args.Value("date-order")) job.dateFormat.order = DateOrderFromName(*v);
  if (auto v = args.Value("month")) job.dateFormat.month = MonthFormFromName(*v);
  if (auto v = args.Value("day")) job.dateFormat.day = DayFormFromName(*v);
  if (auto v = args.Value("year")) job.dateFormat.year = YearFormFromName(*v);
  if (auto v = args.Value("sep1")) job.dateFormat.separator1 = *v;
  if (auto v = args.Value("sep2")) job.dateFormat.separator2 = *v;

  const TableFormat format = ParseTableFormat(args.Value("format").value_or("text"));
  SearchProgress quiet;
  if (format == TableFormat::Text) {
    // The records stream to standard output, or to the file, which is replaced only
    // when the export is whole.
    job.destination = kExportToFile;
    const auto path = args.Value("output");
    StreamSink standardOutput(context.out());
    AtomicOutputFile file;
    std::string error;
    if (path && !file.Open(*path, &error)) throw UsageError("cannot write " + *path + ": " + error);
    const ExportOutcome outcome = WriteExport(job, path ? static_cast<ByteSink*>(&file) : &standardOutput, nullptr, quiet);
    if (outcome == ExportOutcome::OutputFailed) throw UsageError("cannot write " + path.value_or("the output"));
    if (outcome != ExportOutcome::Completed) throw EngineFailure("the export could not be completed");
    if (path && !file.Commit(&error)) throw UsageError("cannot write " + *path + ": " + error);
    return kExitOk;
  }
  job.destination = kExportToTable;
  ResultsTable table(ResultsKind::Export);
  PrepareExportTable(table, job, QColor());
  if (WriteExport(job, nullptr, &table, quiet) != ExportOutcome::Completed) {
    throw EngineFailure("the export could not be completed");
  }
  const StationDescription description = DescribeStation(context, station, UnitName(job.units, kind));
  return WriteTable(context, table, format, args.Value("output"), "export", &description);
}

const CommandRegistration kExport({
    "export",
    "export STATION [--current] --from YYYY-MM-DD [--to YYYY-MM-DD] [--fields LIST]\n"
    "       [--interval MINUTES|events]\n"
    "       [--repeat N] [--format text|dif|sylk|csv|json] [-o FILE] [--header] [--field-delimiter D]\n"
    "       [--record-delimiter D] [--hundredths] [--units ft|m|cm] [--clock 12|24]\n"
    "       [--date-order MDY|DMY|YMD] [--month m|mm|MM|MMMM] [--day d|dd] [--year yy|yyyy]\n"
    "       [--sep1 TEXT] [--sep2 TEXT] [--datum NAME]",
    "a station's predictions as records of chosen fields (the Export Data command)",
    "LIST is comma-separated, in record order, of: date, month, day, year, weekday,\n"
    "yearday, time, hours, minutes, value, type (H, L, F, E, S or blank), direction,\n"
    "sunrise, sunset, moonrise, moonset, quarter (NM, 1Q, FM, 3Q), phase (moon phase\n"
    "angle), utc-offset (the UTC offset at the row's own instant), and the markers\n"
    "repeat and end-repeat around fields to repeat N times in one record (default\n"
    "date,repeat,time,value,end-repeat with N = 4). Field numbers 0-20 work too.\n"
    "--interval gives a row every 1, 5, 6, 10, 15, 30 (default) or 60 minutes, or the day's\n"
    "high and low waters (floods, ebbs and slacks) with 'events'. --current: STATION is a\n"
    "current station; its ebb speeds are written with a minus sign. Heights are above the\n"
    "station's chart datum, or above the datum --datum names.\n"
    "text writes the records, fields separated by tab (or --field-delimiter) and records\n"
    "by a line feed (or --record-delimiter); D is a name (crlf, cr, lf, tab, comma, space,\n"
    "none), a character or escape notation such as \\x3B. --header adds the station and\n"
    "date range lines. dif, sylk, csv and json write the export results table instead.",
    {{"current", false, "", "STATION is a current station"},
     {"from", true, "YYYY-MM-DD", "first day"},
     {"to", true, "YYYY-MM-DD", "last day (default: the first day)"},
     {"fields", true, "LIST", "the fields of a record, in order"},
     {"interval", true, "MINUTES|events", "minutes between rows, or events"},
     {"repeat", true, "N", "times the repeat group repeats, 1 to 48 (default 4)"},
     {"header", false, "", "text: two heading lines first"},
     {"field-delimiter", true, "D", "text: between fields (default tab)"},
     {"record-delimiter", true, "D", "text: after each record (default lf)"},
     {"hundredths", false, "", "values with two decimals"},
     {"date-order", true, "MDY|DMY|YMD", "order of the date field (default MDY)"},
     {"month", true, "m|mm|MM|MMMM", "month of the date (default MMMM, March)"},
     {"day", true, "d|dd", "day of the date (default d)"},
     {"year", true, "yy|yyyy", "year of the date (default yyyy)"},
     {"sep1", true, "TEXT", "first separator of the date (default a blank)"},
     {"sep2", true, "TEXT", "second separator of the date (default \", \")"},
     kUnitsOption,
     kSpeedUnitsOption,
     kClockOption,
     kFormatOption,
     kOutputOption,
     kDatumOption},
    RunExport});

}  // namespace
}  // namespace qw::cli
