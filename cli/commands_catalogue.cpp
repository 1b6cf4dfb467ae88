// Catalogue commands: regions, stations, find.
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_context.h"
#include "cli/cli_errors.h"
#include "cli/command_table.h"
#include "cli/record_output.h"
#include "cli/station_listing.h"
#include "cli/station_ref.h"
#include "cli/station_time.h"
#include "engine/data_dir.h"
#include "engine/official_notes_file.h"
#include "engine/tide_corrections.h"

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
  RecordOutput records(context, ParseRowFormat(args), "regions",
                       {{"slot", true}, {"region", true}, {"name"}, {"stations", true}});
  if (records.format() == RowFormat::Text) {
    char line[128];
    std::snprintf(line, sizeof line, "%4s %6s  %-40s  %s\n", "SLOT", "REGION", "NAME", "STATIONS");
    records.out().Append(line);
  } else {
    records.Begin();
  }
  for (size_t slot = 0; slot < regions.size(); ++slot) {
    int count = CountStations(regions, static_cast<int>(slot), kind);
    if (count < 0) throw EngineFailure("cannot open a region file");
    if (records.format() != RowFormat::Text) {
      records.Row({std::to_string(slot), std::to_string(regions[slot].number), regions[slot].name,
                   std::to_string(count)});
    } else {
      char line[256];
      std::snprintf(line, sizeof line, "%4zu %6u  %-40s  %d\n", slot, regions[slot].number, regions[slot].name, count);
      records.out().Append(line);
    }
  }
  records.End();
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
  RecordOutput records(context, ParseRowFormat(args), "stations", StationListColumns());
  WriteStationListHeader(records);
  for (int i = 0; i < count; ++i) WriteStationRow(context, records, LoadStation(context, kind, slot, i));
  records.End();
  return kExitOk;
}

int RunFind(CliContext& context, const ParsedArgs& args) {
  if (args.positional.size() != 1 || args.positional[0].empty()) {
    throw UsageError("find needs one TEXT to look for in station names");
  }
  const StationKind kind = KindOf(args);
  const RegionList& regions = context.Regions(kind);
  NoteMissingSources(context);
  RecordOutput records(context, ParseRowFormat(args), "find", StationListColumns());
  WriteStationListHeader(records);
  int found = 0;
  for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
    for (int i = -1;;) {
      i = FindStation(regions, slot, i, args.positional[0], 0, 1, kind);
      if (i < 0) break;
      WriteStationRow(context, records, LoadStation(context, kind, slot, i));
      ++found;
    }
  }
  records.End();
  if (found == 0) {
    std::fprintf(context.err(), "quaywise-cli: no %s station name contains '%s'\n", KindWord(kind),
                 args.positional[0].c_str());
  }
  return kExitOk;
}

// A 16-bit field in its unit, or "not given".
std::string Field(int16_t value, const char* unit, int scale = 1) {
  if (value == kNotGiven16) return "not given";
  char text[32];
  if (scale == 100) {
    std::snprintf(text, sizeof text, "%.2f%s", value / 100.0, unit);
  } else {
    std::snprintf(text, sizeof text, "%d%s", value, unit);
  }
  return text;
}

// The lines of 'info': a label and its value each.
using InfoLines = std::vector<std::pair<std::string, std::string>>;

void Line(InfoLines& lines, const char* label, const std::string& value) { lines.emplace_back(label, value); }

// The station's own official note (source, licence, attribution, what was left out or
// computed), or "" when the notes file does not have it.
std::string StationNote(const ResolvedStation& s) {
  const int number = s.kind == StationKind::Tide ? s.tide.unused88[1] : s.current.unused114[2];
  if (number <= 0) return "";
  std::ifstream in(DataFilePath(OfficialNotesFileName(s.regionNumber, s.kind == StationKind::Current)),
                   std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::string note;
  return FindOfficialNote(text.str(), number, note) ? note : "";
}

// "TICON-4 (UHSLC)" of the station whose stationId is `referenceId`, or "".
std::string ReferenceLabel(CliContext& context, StationKind kind, uint16_t referenceId) {
  const StationSources* sources = context.Sources();
  const StationSource* entry = sources ? sources->FindByStationId(static_cast<char>(kind), referenceId) : nullptr;
  return entry ? SourceLabel(*entry) : "";
}

void DatumLines(CliContext& context, InfoLines& lines, const ResolvedStation& s) {
  const StationDatumSet* set = s.kind == StationKind::Tide ? context.DatumsOf(s.regionNumber, s.index) : nullptr;
  if (!set) return;
  Line(lines, "Chart datum", set->chartDatum + " (heights are above it)");
  std::string text;
  char item[64];
  for (const StationDatum& d : set->datums) {
    if (d.name == set->chartDatum) continue;
    std::snprintf(item, sizeof item, "%s%s %.2f ft", text.empty() ? "" : ", ", d.name.c_str(),
                  d.microFeetAboveChartDatum / 1e6);
    text += item;
  }
  Line(lines, "Datums above it", text.empty() ? "not given (the corrections do not carry its reference's)" : text);
}

int RunInfo(CliContext& context, const ParsedArgs& args) {
  if (args.positional.size() != 1) throw UsageError("info needs exactly one STATION");
  const StationKind kind = KindOf(args);
  const RowFormat format = ParseRowFormat(args);
  const ResolvedStation s = ResolveStation(context, args.positional[0], kind);
  InfoLines lines;
  Line(lines, "Name", s.label());
  Line(lines, "Station", std::string(KindWord(kind)) + " " + std::to_string(s.slot) + ":" +
                               std::to_string(s.index) + " in region " + std::to_string(s.regionNumber) +
                               ", station id " + std::to_string(s.stationId()) + ", " + StationRole(s));
  const StationSources* sources = context.Sources();
  if (const StationSource* source =
          sources ? sources->Find(static_cast<char>(kind), s.regionNumber, s.index) : nullptr) {
    Line(lines, "Source", SourceLabel(*source) + " " + source->sourceId);
    if (!source->sourceName.empty()) {
      Line(lines, "Published by", source->sourceName + (source->agency.empty() ? "" : "; gauge record from " + source->agency));
    }
    std::string licence = LicenceName(source->licence);
    if (IsNonCommercial(*source)) licence += ", NOT FOR COMMERCIAL USE";
    if (!source->licenceUrl.empty()) licence += " (" + source->licenceUrl + ")";
    Line(lines, "Licence", licence);
    Line(lines, "Attribution", source->attribution);
    Line(lines, "Time zone", source->timeZone);
  }
  const int16_t meridian = kind == StationKind::Tide ? s.tide.timeMeridian : s.current.timeMeridian;
  const uint8_t dst = kind == StationKind::Tide ? s.tide.observesDst : s.current.observesDst;
  char zone[64];
  std::snprintf(zone, sizeof zone, "%.1f degrees (UTC%s standard time)", TimeMeridianDegrees(meridian),
                FormatUtcOffset(static_cast<int>(TimeMeridianHours(meridian) * 60)).c_str());
  Line(lines, "Time meridian", zone);
  static const char* kDst[] = {"none", "North American rule", "international correction"};
  Line(lines, "Daylight saving", dst <= 2 ? kDst[dst] : "class " + std::to_string(dst));
  const StationClock clock = ClockOf(context, s);
  const EngineMinute now = clock.StandardAt(clock.Today());
  switch (clock.basis()) {
    case ClockBasis::Zone:
      Line(lines, "Clock", clock.zoneName() + " (today " + clock.AbbreviationAt(now) + ", UTC" +
                                 FormatUtcOffset(clock.OffsetAt(now)) + ")");
      break;
    case ClockBasis::Meridian:
      Line(lines, "Clock", "time meridian and daylight-saving class (no time zone known)");
      break;
    case ClockBasis::Gmt:
      Line(lines, "Clock", "GMT, by the GMT correction of the settings");
      break;
  }
  const uint16_t reference = s.referenceId();
  const std::string referenceLabel = reference ? ReferenceLabel(context, kind, reference) : "";
  const std::string labelText = referenceLabel.empty() ? "" : ", " + referenceLabel;
  if (kind == StationKind::Tide) {
    const std::string name = reference ? ReferenceStationName(s.tide) : "";
    Line(lines, "Reference", reference == 0 ? "none" : std::to_string(reference) + " " + name + labelText);
    const TideLocation& t = s.tide;
    Line(lines, "High water", "time " + Field(t.highTimeOffset, " min") + ", ratio " +
                                    Field(t.highHeightRatio, "", 100) + ", difference " +
                                    Field(t.highHeightDiff, " ft", 100));
    Line(lines, "Low water", "time " + Field(t.lowTimeOffset, " min") + ", ratio " +
                                   Field(t.lowHeightRatio, "", 100) + ", difference " +
                                   Field(t.lowHeightDiff, " ft", 100));
    if (TideValueNotDefined(t)) Line(lines, "Predictions", "not defined (a correction is not given)");
    Line(lines, "Mean range", Field(t.meanRange, " ft", 100));
    Line(lines, "Mean higher high water", Field(t.meanHigherHighWater, " ft", 100));
    Line(lines, "Mean tide level", Field(t.meanTideLevel, " ft", 100));
    DatumLines(context, lines, s);
    if (t.flags & kTideFlagDiurnal) Line(lines, "Note", "Tide is diurnal in nature.");
  } else {
    Line(lines, "Reference", reference == 0 ? "none" : "current harmonic file " + std::to_string(reference) + labelText);
    const CurrentLocation& c = s.current;
    Line(lines, "Flood", "time " + Field(c.floodTime, " min") + ", ratio " + Field(c.floodSpeedRatio, "", 100) +
                               ", average speed " + Field(c.floodSpeed, " kt", 100) + ", direction " +
                               Field(c.floodDirection, " deg"));
    Line(lines, "Ebb", "time " + Field(c.ebbTime, " min") + ", ratio " + Field(c.ebbSpeedRatio, "", 100) +
                             ", average speed " + Field(c.ebbSpeed, " kt", 100) + ", direction " +
                             Field(c.ebbDirection, " deg"));
    Line(lines, "Slack before flood", "time " + Field(c.slackBeforeFloodTime, " min") + ", minimum speed " +
                                            Field(c.slackBeforeFloodSpeed, " kt", 100));
    Line(lines, "Slack before ebb", "time " + Field(c.slackBeforeEbbTime, " min") + ", minimum speed " +
                                          Field(c.slackBeforeEbbSpeed, " kt", 100));
    Line(lines, "Station kind", std::to_string(c.stationKind));
    if (c.meterDepth != 0) Line(lines, "Meter depth", std::to_string(c.meterDepth) + " ft");
  }
  const std::string note = StationNote(s);
  if (!note.empty()) Line(lines, "Official note", note);

  RecordOutput records(context, format, "info", {{"label"}, {"value"}});
  if (format == RowFormat::Json) {
    const StationDescription description = DescribeStation(context, s, kind == StationKind::Tide ? "ft" : "kt");
    records.Begin(&description);
  } else {
    records.Begin();
  }
  for (const auto& [label, value] : lines) {
    if (format != RowFormat::Text) {
      records.Row({label, value});
      continue;
    }
    records.out().PadRight(label, 22);
    records.out().Put(' ');
    records.out().Append(value);
    records.out().Put('\n');
  }
  records.End();
  return kExitOk;
}

const CommandRegistration kInfo({
    "info", "info STATION [--currents] [--format text|csv|json]",
    "everything the catalogue holds about one station",
    "Identity, source (publisher, licence, attribution; a licence that forbids commercial use\n"
    "says so), time meridian, daylight-saving class, reference and corrections, a tide\n"
    "station's datums above its chart datum, and the station's official note.",
    {kCurrents, kRowFormatOption}, RunInfo});

const CommandRegistration kRegions({
    "regions", "regions [--currents] [--format text|csv|json]",
    "list the installed regions: slot, region number, name, station count", "",
    {kCurrents, kCsv, kRowFormatOption}, RunRegions});

const CommandRegistration kStations({
    "stations", "stations --region SLOT [--currents] [--format text|csv|json]",
    "list the stations of one region",
    "Columns: slot:index, station id, name, position, role (reference, subordinate, or area\n"
    "for an entry without predictions) and the station's source id.",
    {{"region", true, "SLOT", "the region slot, as listed by 'regions'"}, kCurrents, kCsv, kRowFormatOption},
    RunStations});

const CommandRegistration kFind({
    "find", "find TEXT [--currents] [--format text|csv|json]",
    "list every station whose name contains TEXT (any case)",
    "The columns are those of 'stations'.", {kCurrents, kCsv, kRowFormatOption}, RunFind});

}  // namespace
}  // namespace qw::cli
