#include "cli/cli_context.h"

#include "engine/data_dir.h"

namespace qw::cli {

const RegionList& CliContext::Regions(StationKind kind) {
  std::optional<RegionList>& list = kind == StationKind::Tide ? tideRegions_ : currentRegions_;
  if (!list) list = BuildRegionList(kind);
  return *list;
}

const StationSources* CliContext::Sources() {
  if (!sourcesTried_) {
    sourcesTried_ = true;
    StationSources sources;
    if (sources.Load(DataFilePath(StationSources::kFileName), &sourcesProblem_)) {
      sources_ = std::move(sources);
    }
  }
  return sources_ ? &*sources_ : nullptr;
}

const std::string& CliContext::SourcesProblem() {
  Sources();
  return sourcesProblem_;
}

std::string CliContext::SourceLabel(StationKind kind, int regionNumber, int stationIndex) {
  const StationSources* sources = Sources();
  if (!sources) return "";
  const StationSource* entry =
      sources->Find(static_cast<char>(kind), regionNumber, stationIndex);
  if (!entry) return "";
  return entry->source.empty() ? entry->sourceId : entry->source + " " + entry->sourceId;
}

}  // namespace qw::cli
