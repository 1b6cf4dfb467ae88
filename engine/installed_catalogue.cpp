#include "engine/installed_catalogue.h"

#include <filesystem>
#include <optional>

#include "engine/data_dir.h"

namespace qw {
namespace {

// The files as read, and the data directory they were read from.
struct InstalledState {
  std::filesystem::path directory;
  bool sourcesRead = false;
  bool datumsRead = false;
  std::optional<StationSources> sources;
  std::optional<StationDatums> datums;
};

InstalledState& State() {
  static InstalledState state;
  return state;
}

// Forgets what was read from another data directory.
InstalledState& Current() {
  InstalledState& state = State();
  if (state.directory != DataDirectory()) {
    state = InstalledState{};
    state.directory = DataDirectory();
  }
  return state;
}

}  // namespace

const StationSources* InstalledSources() {
  InstalledState& state = Current();
  if (!state.sourcesRead) {
    state.sourcesRead = true;
    StationSources sources;
    if (sources.Load(DataFilePath(StationSources::kFileName))) state.sources = std::move(sources);
  }
  return state.sources ? &*state.sources : nullptr;
}

const StationDatums* InstalledDatums() {
  InstalledState& state = Current();
  if (!state.datumsRead) {
    state.datumsRead = true;
    StationDatums datums;
    if (datums.Load(DataFilePath(StationDatums::kFileName))) state.datums = std::move(datums);
  }
  return state.datums ? &*state.datums : nullptr;
}

void ResetInstalledCatalogue() { State() = InstalledState{}; }

const StationSource* ReferenceSource(char kind, uint16_t referenceId) {
  const StationSources* sources = InstalledSources();
  return sources && referenceId != 0 ? sources->FindByStationId(kind, referenceId) : nullptr;
}

std::string InlineSourceLabel(const StationSource& entry) {
  std::string label = SourceLabel(entry);
  const size_t open = label.find(" (");
  if (open != std::string::npos && label.back() == ')') {
    label = label.substr(0, open) + ", " + label.substr(open + 2, label.size() - open - 3);
  }
  return label;
}

std::string ReferenceSourceSuffix(char kind, uint16_t referenceId) {
  const StationSource* entry = ReferenceSource(kind, referenceId);
  return entry ? " (" + InlineSourceLabel(*entry) + ")" : std::string();
}

std::string ReferenceChartDatum(uint16_t referenceId) {
  const StationSource* entry = ReferenceSource('T', referenceId);
  const StationDatums* datums = InstalledDatums();
  if (!entry || !datums) return std::string();
  const StationDatumSet* set = datums->Find(entry->region, entry->index);
  return set ? set->chartDatum : std::string();
}

const StationDatumSet* InstalledStationDatums(const TideLocation& station) {
  const StationDatums* datums = InstalledDatums();
  if (!datums || station.kindCode == 'c' || station.stationId == 0) return nullptr;
  return datums->FindByStationId(station.stationId);
}

DatumChoice SelectDatum(TideLocation& station, std::string_view name) {
  DatumChoice choice = SelectDatum(station, InstalledStationDatums(station), name);
  if (choice.ok() && choice.name.empty()) choice.name = ReferenceChartDatum(station.referenceId);
  return choice;
}

DatumChoice SelectPreferredDatum(TideLocation& station, std::string_view name) {
  const DatumChoice choice = SelectDatum(station, name);
  return choice.ok() ? choice : SelectDatum(station, "");
}

std::string ShownDatumName(const TideLocation& station) {
  if (!station.datum.empty()) return station.datum;
  if (const StationDatumSet* set = InstalledStationDatums(station)) return set->chartDatum;
  return ReferenceChartDatum(station.referenceId);
}

}  // namespace qw
