// nearest: the tide and current stations within a range of a position, nearest first
// (the "Nearest Location Search" window).
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "engine/decimal_text.h"
#include "cli/cli_context.h"
#include "cli/cli_errors.h"
#include "cli/command_table.h"
#include "cli/station_ref.h"
#include "cli/table_output.h"
#include "engine/string_table.h"
#include "search/nearest_search.h"

namespace qw::cli {
namespace {

// A coordinate typed as in the window ("374830N", "1222748W": degrees, minutes,
// hundredths of a minute, hemisphere) or as signed decimal degrees ("-122.4633").
Coordinate ParseCoordinate(const std::string& text, bool latitude, std::string& boxText) {
  Coordinate c;
  double degrees = 0;
  const bool decimal = ParseDecimal(text, degrees) && text.find_first_of(".-+") != std::string::npos;
  std::string typed = text;
  if (decimal) {
    const double magnitude = std::fabs(degrees);
    int whole = static_cast<int>(magnitude);
    long hundredths = std::lround((magnitude - whole) * 6000.0);  // hundredths of a minute
    if (hundredths >= 6000) ++whole, hundredths -= 6000;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, latitude ? "%02d%02ld%02ld%c" : "%03d%02ld%02ld%c", whole, hundredths / 100,
                  hundredths % 100, latitude ? (degrees < 0 ? 'S' : 'N') : (degrees < 0 ? 'W' : 'E'));
    typed = buffer;
  }
  const PositionError error = latitude ? ParseLatitude(typed, c) : ParseLongitude(typed, c);
  if (error != PositionError::None) {
    const PositionErrorTexts texts = NearestPositionErrorTexts(error);
    std::string message = StringText(texts.message);
    if (texts.detail) message += std::string(" ") + StringText(texts.detail);
    throw UsageError("'" + text + "': " + message);
  }
  boxText = typed;
  return c;
}

int RangeOption(const ParsedArgs& args, const char* name, int fallback) {
  auto v = args.Value(name);
  return v ? static_cast<int>(ParseInteger(*v, 0, 250, std::string("--") + name)) : fallback;
}

int RegionOption(const ParsedArgs& args, const char* name, const RegionList& regions) {
  auto v = args.Value(name);
  if (!v) return -1;
  return static_cast<int>(ParseInteger(*v, 0, static_cast<long>(regions.size()) - 1, std::string("--") + name));
}

int RunNearest(CliContext& context, const ParsedArgs& args) {
  NearestQuery query;
  std::optional<StationDescription> origin;
  if (auto s = args.Value("station")) {
    if (!args.positional.empty()) throw UsageError("nearest takes either LAT LON or --station");
    const bool current = args.Has("station-is-current");
    ResolvedStation station = ResolveStation(context, *s, current ? StationKind::Current : StationKind::Tide);
    const auto& t = station.tide;
    const auto& c = station.current;
    query.point = current ? PositionOfStation(c.latHemisphere, c.latDegrees, c.latMinutes, c.latSeconds,
                                              c.lonHemisphere, c.lonDegrees, c.lonMinutes, c.lonSeconds)
                          : PositionOfStation(t.latHemisphere, t.latDegrees, t.latMinutes, t.latSeconds,
                                              t.lonHemisphere, t.lonDegrees, t.lonMinutes, t.lonSeconds);
    query.locationName = Trimmed(station.name());
    origin = DescribeStation(context, station, "");
  } else {
    if (args.positional.size() != 2) throw UsageError("nearest needs LAT LON (or --station STATION)");
    query.customPoint = true;
    query.point.latitude = ParseCoordinate(args.positional[0], true, query.latitudeText);
    query.point.longitude = ParseCoordinate(args.positional[1], false, query.longitudeText);
  }
  const int range = RangeOption(args, "range", 100);
  query.tideRange = RangeOption(args, "tide-range", range);
  query.currentRange = RangeOption(args, "current-range", range);
  query.tideOn = !args.Has("currents-only");
  query.currentOn = !args.Has("tides-only");
  if (!query.tideOn && !query.currentOn) throw UsageError("--tides-only and --currents-only exclude each other");
  const RegionList& tides = context.Regions(StationKind::Tide);
  const RegionList& currents = context.Regions(StationKind::Current);
  query.tideRegion = RegionOption(args, "tide-region", tides);
  query.currentRegion = RegionOption(args, "current-region", currents);

  ResultsTable table(ResultsKind::Nearest);
  SearchProgress quiet;
  FindNearestStations(query, tides, currents, table, quiet);
  FinishNearestSearch(table, query, tides, currents);
  return WriteTable(context, table, ParseTableFormat(args.Value("format").value_or("text")), args.Value("output"),
                    "nearest", origin ? &*origin : nullptr);
}

const CommandRegistration kNearest({
    "nearest",
    "nearest LAT LON [--range NM] [--tide-range NM] [--current-range NM] [--tides-only |\n"
    "       --currents-only] [--tide-region SLOT] [--current-region SLOT]\n"
    "       [--format text|dif|sylk|csv|json] [-o FILE]\n"
    "       nearest --station STATION [--station-is-current] [options as above]",
    "tide and current stations within a range of a position, nearest first",
    "LAT and LON as in the window, degrees, minutes and hundredths of a minute with the\n"
    "hemisphere (374830N 1222748W), or signed decimal degrees (37.8083 -122.4633).\n"
    "Distances are nautical miles by mid-latitude sailing, bearings degrees true from the\n"
    "position. A station is listed when its distance, cut to whole miles, is below the\n"
    "range (0 to 250, default 100). With --station the search starts at that station's\n"
    "position and leaves out stations at exactly that position.",
    {{"range", true, "NM", "range of both searches (default 100)"},
     {"tide-range", true, "NM", "range of the tide search"},
     {"current-range", true, "NM", "range of the current search"},
     {"tides-only", false, "", "search the tide stations only"},
     {"currents-only", false, "", "search the current stations only"},
     {"tide-region", true, "SLOT", "search only this tide region (see 'regions')"},
     {"current-region", true, "SLOT", "search only this current region"},
     {"station", true, "STATION", "search from this station's position"},
     {"station-is-current", false, "", "--station names a current station"},
     kFormatOption,
     kOutputOption},
    RunNearest});

}  // namespace
}  // namespace qw::cli
