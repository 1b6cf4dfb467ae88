#include "cli/station_ref.h"

#include <cctype>
#include <vector>

#include "cli/cli_errors.h"
#include "cli/options.h"
#include "engine/current_depth.h"

namespace qw::cli {
namespace {

struct Match {
  int slot;
  int index;
};

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

ResolvedStation LoadStation(CliContext& context, StationKind kind, int slot, int index) {
  ResolvedStation station;
  station.kind = kind;
  station.slot = slot;
  station.index = index;
  const RegionList& regions = context.Regions(kind);
  station.regionNumber = regions[static_cast<size_t>(slot)].number;
  bool ok = kind == StationKind::Tide ? ReadTideLocation(regions, slot, index, station.tide)
                                      : ReadCurrentLocation(regions, slot, index, station.current);
  if (!ok) throw EngineFailure("cannot read the station record");
  return station;
}

namespace {

// Every station of the kind whose stationId (text empty) or name contains `text`.
std::vector<Match> SearchAll(CliContext& context, StationKind kind, std::string_view text,
                             uint16_t id) {
  std::vector<Match> matches;
  const RegionList& regions = context.Regions(kind);
  for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
    for (int i = -1;;) {
      i = FindStation(regions, slot, i, text, id, 1, kind);
      if (i < 0) break;
      matches.push_back({slot, i});
    }
  }
  return matches;
}

[[noreturn]] void Ambiguous(CliContext& context, StationKind kind, std::string_view text,
                            const std::vector<Match>& matches) {
  // Enough of the matches, each with its source id, to pick one by.
  constexpr size_t kShown = 6;
  const StationSources* sources = context.Sources();
  std::string examples;
  for (size_t i = 0; i < matches.size() && i < kShown; ++i) {
    ResolvedStation s = LoadStation(context, kind, matches[i].slot, matches[i].index);
    const StationSource* entry = sources ? sources->Find(static_cast<char>(kind), s.regionNumber, s.index) : nullptr;
    examples += (i ? "; " : "") + s.Label() + (entry ? " = src:" + entry->sourceId : "");
  }
  throw UsageError("station '" + std::string(text) + "' is ambiguous: " +
                   std::to_string(matches.size()) + " " + KindWord(kind) + " stations match (" +
                   examples + (matches.size() > kShown ? "; ..." : "") +
                   "); use a longer part of the name, SLOT:INDEX, id:N or src:SOURCEID");
}

}  // namespace

std::string ResolvedStation::Label() const {
  return std::to_string(slot) + ":" + std::to_string(index) + " " + name();
}

std::string ResolvedStation::label() const {
  std::string text = name();
  if (kind == StationKind::Current && current.meterDepth != 0) {
    text += "  (" + std::to_string(current.meterDepth) + (DepthMarkedD(current) ? "d)" : ")");
  }
  return text;
}

const char* KindWord(StationKind kind) { return kind == StationKind::Tide ? "tide" : "current"; }

ResolvedStation ResolveStation(CliContext& context, std::string_view text, StationKind kind) {
  const RegionList& regions = context.Regions(kind);
  if (regions.empty()) {
    throw UsageError(std::string("no ") + KindWord(kind) + " regions are installed in the data directory");
  }

  // SLOT:INDEX
  if (auto colon = text.find(':'); colon != std::string_view::npos &&
                                   AllDigits(text.substr(0, colon)) && AllDigits(text.substr(colon + 1))) {
    long slot = ParseInteger(text.substr(0, colon), 0, 1000000, "the region slot");
    long index = ParseInteger(text.substr(colon + 1), 0, 0x7FFFFFFF, "the station index");
    if (slot >= static_cast<long>(regions.size())) {
      throw UsageError("there is no " + std::string(KindWord(kind)) + " region slot " +
                       std::to_string(slot) + " (slots 0 to " + std::to_string(regions.size() - 1) + ")");
    }
    int count = CountStations(regions, static_cast<int>(slot), kind);
    if (count < 0) throw EngineFailure("cannot open the region file");
    if (index >= count) {
      throw UsageError("region slot " + std::to_string(slot) + " has " + std::to_string(count) +
                       " stations; there is no index " + std::to_string(index));
    }
    return LoadStation(context, kind, static_cast<int>(slot), static_cast<int>(index));
  }

  // id:N
  if (text.substr(0, 3) == "id:") {
    long id = ParseInteger(text.substr(3), 1, 65535, "the station id");
    std::vector<Match> matches = SearchAll(context, kind, {}, static_cast<uint16_t>(id));
    if (matches.empty()) {
      throw UsageError("no " + std::string(KindWord(kind)) + " station has id " + std::to_string(id));
    }
    if (matches.size() > 1) Ambiguous(context, kind, text, matches);
    return LoadStation(context, kind, matches[0].slot, matches[0].index);
  }

  // src:SOURCEID
  if (text.substr(0, 4) == "src:") {
    std::string_view sourceId = text.substr(4);
    if (sourceId.empty()) throw UsageError("src: needs a source identifier, e.g. src:9414290");
    const StationSources* sources = context.Sources();
    if (!sources) {
      throw UsageError("cannot look up '" + std::string(text) + "': " + context.SourcesProblem());
    }
    std::vector<Match> matches;
    for (const StationSource* entry : sources->FindBySourceId(static_cast<char>(kind), sourceId)) {
      for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
        if (regions[static_cast<size_t>(slot)].number == entry->region) matches.push_back({slot, entry->index});
      }
    }
    if (matches.empty()) {
      throw UsageError("no installed " + std::string(KindWord(kind)) + " station has source id '" +
                       std::string(sourceId) + "'");
    }
    if (matches.size() > 1) Ambiguous(context, kind, text, matches);
    int count = CountStations(regions, matches[0].slot, kind);
    if (matches[0].index >= count) {
      throw UsageError("the station source list names station " + std::to_string(matches[0].slot) +
                       ":" + std::to_string(matches[0].index) + ", which is not installed");
    }
    return LoadStation(context, kind, matches[0].slot, matches[0].index);
  }

  // Name fragment
  if (text.empty()) throw UsageError("the station is empty");
  std::vector<Match> matches = SearchAll(context, kind, text, 0);
  if (matches.empty()) {
    throw UsageError("no " + std::string(KindWord(kind)) + " station name contains '" +
                     std::string(text) + "'");
  }
  if (matches.size() == 1) return LoadStation(context, kind, matches[0].slot, matches[0].index);
  // Several: one whose whole name is the text wins.
  const std::string wanted = Lower(text);
  std::vector<Match> whole;
  for (const Match& m : matches) {
    ResolvedStation s = LoadStation(context, kind, m.slot, m.index);
    if (Lower(s.name()) == wanted) whole.push_back(m);
  }
  if (whole.size() == 1) return LoadStation(context, kind, whole[0].slot, whole[0].index);
  Ambiguous(context, kind, text, matches);
}

void RequirePredictions(const ResolvedStation& station) {
  if (station.stationId() == 0 || station.referenceId() == 0) {
    throw UsageError("station " + station.Label() + " names a general area and has no predictions");
  }
}

const StationDatumSet* DatumsOf(CliContext& context, const ResolvedStation& station) {
  if (station.kind != StationKind::Tide || station.tide.kindCode == 'c') return nullptr;
  return context.DatumsOf(station.regionNumber, station.index);
}

void ApplyDatumOption(CliContext& context, ResolvedStation& station, const ParsedArgs& args) {
  const std::optional<std::string> name = args.Value("datum");
  if (!name) return;
  if (station.kind != StationKind::Tide) throw UsageError("--datum applies to tide stations; currents have no datum");
  const DatumChoice choice = SelectDatum(station.tide, DatumsOf(context, station), *name);
  if (!choice.ok()) throw UsageError(station.Label() + ": " + choice.error);
}

std::string DatumName(CliContext& context, const ResolvedStation& station) {
  if (station.kind != StationKind::Tide) return std::string();
  if (!station.tide.datum.empty()) return station.tide.datum;
  const StationDatumSet* set = DatumsOf(context, station);
  return set ? set->chartDatum : std::string();
}

}  // namespace qw::cli
