// Catalogue commands: regions, stations, find.
#include <string>

#include "cli/cli_context.h"
#include "cli/cli_errors.h"
#include "cli/command_table.h"
#include "cli/csv_output.h"
#include "cli/station_listing.h"
#include "cli/station_ref.h"

namespace qw::cli {
namespace {

const OptionSpec kCurrents{"currents", false, "", "current stations instead of tide stations"};
const OptionSpec kCsv{"csv", false, "", "comma-separated output with a header line"};

StationKind KindOf(const ParsedArgs& args) {
  return args.Has("currents") ? StationKind::Current : StationKind::Tide;
}

void NoteMissingSources(CliContext& context) {
  if (!context.Sources()) {
    std::fprintf(context.err(), "quaywise-cli: note: no source ids are shown: %s\n",
                 context.SourcesProblem().c_str());
  }
}

int RunRegions(CliContext& context, const ParsedArgs& args) {
  if (!args.positional.empty()) throw UsageError("regions takes no arguments");
  const StationKind kind = KindOf(args);
  const RegionList& regions = context.Regions(kind);
  const bool csv = args.Has("csv");
  if (csv) {
    WriteCsvRecord(context.out(), {"slot", "region", "name", "stations"});
  } else {
    std::fprintf(context.out(), "%4s %6s  %-40s  %s\n", "SLOT", "REGION", "NAME", "STATIONS");
  }
  for (size_t slot = 0; slot < regions.size(); ++slot) {
    int count = CountStations(regions, static_cast<int>(slot), kind);
    if (count < 0) throw EngineFailure("cannot open a region file");
    if (csv) {
      WriteCsvRecord(context.out(), {std::to_string(slot), std::to_string(regions[slot].number),
                                     regions[slot].name, std::to_string(count)});
    } else {
      std::fprintf(context.out(), "%4zu %6u  %-40s  %d\n", slot, regions[slot].number,
                   regions[slot].name, count);
    }
  }
  if (regions.empty()) {
    std::fprintf(context.err(), "quaywise-cli: no %s regions are installed in the data directory\n",
                 KindWord(kind));
  }
  return kExitOk;
}

int RunStations(CliContext& context, const ParsedArgs& args) {
  if (!args.positional.empty()) throw UsageError("stations takes no arguments besides --region");
  const StationKind kind = KindOf(args);
  const RegionList& regions = context.Regions(kind);
  std::string slotText = args.Required("region", "stations");
  if (regions.empty()) {
    throw UsageError(std::string("no ") + KindWord(kind) + " regions are installed in the data directory");
  }
  int slot = static_cast<int>(ParseInteger(slotText, 0, static_cast<long>(regions.size()) - 1,
                                           "--region (a region slot)"));
  int count = CountStations(regions, slot, kind);
  if (count < 0) throw EngineFailure("cannot open the region file");
  NoteMissingSources(context);
  const bool csv = args.Has("csv");
  WriteStationListHeader(context.out(), csv);
  for (int i = 0; i < count; ++i) WriteStationRow(context, LoadStation(context, kind, slot, i), csv);
  return kExitOk;
}

int RunFind(CliContext& context, const ParsedArgs& args) {
  if (args.positional.size() != 1 || args.positional[0].empty()) {
    throw UsageError("find needs one TEXT to look for in station names");
  }
  const StationKind kind = KindOf(args);
  const RegionList& regions = context.Regions(kind);
  NoteMissingSources(context);
  const bool csv = args.Has("csv");
  WriteStationListHeader(context.out(), csv);
  int found = 0;
  for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
    for (int i = -1;;) {
      i = FindStation(regions, slot, i, args.positional[0], 0, 1, kind);
      if (i < 0) break;
      WriteStationRow(context, LoadStation(context, kind, slot, i), csv);
      ++found;
    }
  }
  if (found == 0) {
    std::fprintf(context.err(), "quaywise-cli: no %s station name contains '%s'\n", KindWord(kind),
                 args.positional[0].c_str());
  }
  return kExitOk;
}

const CommandRegistration kRegions({
    "regions", "regions [--currents] [--csv]",
    "list the installed regions: slot, region number, name, station count", "",
    {kCurrents, kCsv}, RunRegions});

const CommandRegistration kStations({
    "stations", "stations --region SLOT [--currents] [--csv]",
    "list the stations of one region",
    "Columns: slot:index, station id, name, position, role (reference, subordinate, or area\n"
    "for an entry without predictions) and the station's source id.",
    {{"region", true, "SLOT", "the region slot, as listed by 'regions'"}, kCurrents, kCsv},
    RunStations});

const CommandRegistration kFind({
    "find", "find TEXT [--currents] [--csv]",
    "list every station whose name contains TEXT (any case)",
    "The columns are those of 'stations'.", {kCurrents, kCsv}, RunFind});

}  // namespace
}  // namespace qw::cli
