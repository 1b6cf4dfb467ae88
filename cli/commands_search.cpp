// search: the event search of the desktop program's "Event Search" window, over one
// station and a range of days, printed as its results table.
#include <cstdlib>
#include <string>

#include "engine/decimal_text.h"
#include "cli/cli_context.h"
#include "cli/cli_errors.h"
#include "cli/command_table.h"
#include "cli/dates.h"
#include "cli/station_ref.h"
#include "cli/station_time.h"
#include "cli/table_output.h"
#include "engine/engine_settings.h"
#include "engine/string_table.h"
#include "search/event_search_run.h"
#include "search/nearest_search.h"

namespace qw::cli {
namespace {

struct KindName {
  const char* name;
  StationKind station;
  int position;  // in the window's "Search For:" list
};
constexpr KindName kKinds[] = {
    {"high", StationKind::Tide, 0},   {"low", StationKind::Tide, 1},    {"swings", StationKind::Tide, 2},
    {"values", StationKind::Tide, 3},       {"flood", StationKind::Current, 0},
    {"ebb", StationKind::Current, 1},        {"slack", StationKind::Current, 2},
    {"current-swings", StationKind::Current, 3}, {"current-values", StationKind::Current, 4},
};

int PeriodPosition(const std::string& text) {
  static constexpr const char* kNames[] = {"range", "year", "month", "day"};
  for (int i = 0; i < 4; ++i) {
    if (text == kNames[i]) return i;
  }
  throw UsageError("a period is range, year, month or day, not '" + text + "'");
}

double ParseNumber(const std::string& text, const char* what) {
  double value = 0;
  if (!ParseDecimal(text, value)) throw UsageError(std::string(what) + " must be a number, not '" + text + "'");
  return value;
}

// "HH:MM-HH:MM" as minutes after midnight.
void ParseTimeWindow(const std::string& text, int& start, int& end) {
  int h1 = 0, m1 = 0, h2 = 0, m2 = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d:%d-%d:%d%c", &h1, &m1, &h2, &m2, &tail) != 4 || h1 < 0 || h1 > 23 ||
      m1 < 0 || m1 > 59 || h2 < 0 || h2 > 23 || m2 < 0 || m2 > 59) {
    throw UsageError("--time must be HH:MM-HH:MM, not '" + text + "'");
  }
  start = h1 * 60 + m1;
  end = h2 * 60 + m2;
}

// "sat,sun" as weekday bits, bit 0 Sunday.
uint8_t ParseWeekdays(const std::string& text) {
  static constexpr const char* kNames[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
  uint8_t bits = 0;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    int day = -1;
    for (int i = 0; i < 7; ++i) {
      if (item == kNames[i]) day = i;
    }
    if (day < 0) throw UsageError("--days takes sun,mon,tue,wed,thu,fri,sat; not '" + item + "'");
    bits = static_cast<uint8_t>(bits | (1u << day));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return bits;
}

// Prints the engine's date and time refusals the way the window would show them.
[[noreturn]] void Refuse(const SearchRefusal& refusal) { throw UsageError(StringText(refusal.message)); }

int RunSearch(CliContext& context, const ParsedArgs& args) {
  if (args.positional.size() != 1) throw UsageError("search needs exactly one STATION");
  const std::string kindText = args.Required("kind", "search");
  const KindName* kind = nullptr;
  for (const KindName& k : kKinds) {
    if (kindText == k.name) kind = &k;
  }
  if (!kind) {
    throw UsageError("--kind must be high, low, swings, values, flood, ebb, slack, current-swings or "
                     "current-values, not '" + kindText + "'");
  }
  ResolvedStation station = ResolveStation(context, args.positional[0], kind->station);
  RequirePredictions(station);
  ApplyDatumOption(context, station, args);

  EventSearchSettings settings;
  settings.stationKind = kind->station;
  settings.regionSlot = station.slot;
  settings.stationIndex = station.index;
  settings.locationName = Trimmed(station.name());
  settings.kindPosition = kind->position;
  auto to = args.Value("to");
  const DayRange range = ParseDayRange(args.Required("from", "search"), to ? &*to : nullptr);
  settings.rangeStart = range.first;
  settings.rangeEnd = range.last;

  int conditions = 0;
  if (auto v = args.Value("at-least")) {
    settings.conditionPosition = kConditionAtLeast, settings.valueText = *v, ++conditions;
  }
  if (auto v = args.Value("at-most")) {
    settings.conditionPosition = kConditionAtMost, settings.valueText = *v, ++conditions;
  }
  if (auto v = args.Value("greatest")) {
    settings.conditionPosition = kConditionGreatest, settings.periodPosition = PeriodPosition(*v), ++conditions;
  }
  if (auto v = args.Value("smallest")) {
    settings.conditionPosition = kConditionSmallest, settings.periodPosition = PeriodPosition(*v), ++conditions;
  }
  if (conditions != 1) throw UsageError("search needs one of --at-least, --at-most, --greatest and --smallest");
  if (!settings.valueText.empty()) {
    settings.threshold = ParseNumber(settings.valueText, "the value");
    settings.thresholdGiven = true;
  }
  if (auto t = args.Value("time")) {
    settings.timeOfDayOn = true;
    ParseTimeWindow(*t, settings.startTime, settings.endTime);
  }
  if (auto d = args.Value("days")) {
    settings.weekdayOn = true;
    settings.weekdayBits = ParseWeekdays(*d);
  }

  if (auto slack = args.Value("slack")) {
    const double knots = ParseNumber(*slack, "--slack");
    if (knots < 0.1 || knots > 0.6) throw UsageError("--slack must be between 0.1 and 0.6 knots");
    Settings().useUserSlack = true;
    Settings().userSlackValue = knots;
  }
  const ValueUnits units = ParseValueUnits(args);
  EventSearchPlan plan;
  SearchRefusal refusal;
  if (!PlanEventSearch(settings, units, plan, refusal)) Refuse(refusal);
  SearchStation searched;
  searched.kind = kind->station;
  searched.tide = station.tide;
  searched.current = station.current;
  searched.clock = ClockOf(context, station);
  ResultsTable table(ResultsKind::EventSearch);
  SearchProgress quiet;
  const bool finished = RunEventSearch(searched, plan, table, quiet, units, QColor());
  FinishEventSearch(table, settings, units, DatumName(context, station));
  const TableFormat format = ParseTableFormat(args.Value("format").value_or("text"));
  const StationDescription description = DescribeStation(context, station, UnitName(units, kind->station));
  WriteTable(context, table, format, args.Value("output"), "search", &description);
  return finished ? kExitOk : kExitEngineFailure;
}

const CommandRegistration kSearch({
    "search",
    "search STATION --kind KIND --from YYYY-MM-DD [--to YYYY-MM-DD] (--at-least X | --at-most X |\n"
    "       --greatest PERIOD | --smallest PERIOD) [--time HH:MM-HH:MM] [--days sun,...]\n"
    "       [--units ft|m|cm] [--speed-units kt|m/s] [--clock 12|24] [--format text|dif|sylk|csv|json]\n"
    "       [-o FILE] [--datum NAME]",
    "events of a station that meet a condition (the Event Search window)",
    "KIND for a tide station: high (high waters), low (low waters), swings (the change\n"
    "between successive high and low waters) or values (spans of time when the height meets\n"
    "the condition); for a current station: flood and ebb (maximum floods and ebbs), slack\n"
    "(slack waters, X their length in minutes), current-swings or current-values.\n"
    "X is a height in the --units unit or a speed in the --speed-units unit, compared after\n"
    "rounding events to a tenth; heights are above the station's chart datum, or above the\n"
    "datum --datum names.\n"
    "PERIOD: range, year, month or day - one row per period with its greatest or smallest\n"
    "value (not for values). --time and --days keep only events at those times of day and\n"
    "on those weekdays. Times are the station's shown time, as in its tide window.",
    {{"kind", true, "KIND", "high, low, swings or values"},
     {"from", true, "YYYY-MM-DD", "first day"},
     {"to", true, "YYYY-MM-DD", "last day (default: the first day)"},
     {"at-least", true, "X", "value greater than or equal to X"},
     {"at-most", true, "X", "value less than or equal to X"},
     {"greatest", true, "PERIOD", "the greatest value of each PERIOD"},
     {"smallest", true, "PERIOD", "the smallest value of each PERIOD"},
     {"time", true, "HH:MM-HH:MM", "only events in this time of day"},
     {"days", true, "sun,mon,...", "only events on these weekdays"},
     {"slack", true, "KNOTS", "currents slower than this count as slack (0.1 to 0.6, default 0.1)"},
     kUnitsOption,
     kSpeedUnitsOption,
     kClockOption,
     kFormatOption,
     kOutputOption,
     kDatumOption},
    RunSearch});

}  // namespace
}  // namespace qw::cli
