#include "cli/cli_context.h"

#include "engine/data_dir.h"
#include "engine/file_text.h"

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
    if (sources.Open(DataFilePath(StationSources::kFileName), &sourcesProblem_)) {
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
  const std::string label = qw::SourceLabel(*entry);
  return label.empty() ? entry->sourceId : label + " " + entry->sourceId;
}

const StationDatumSet* CliContext::DatumsOf(int regionNumber, int stationIndex) {
  if (!datumsTried_) {
    datumsTried_ = true;
    FileText text;
    if (text.Open(DataFilePath(StationDatums::kFileName))) datumsText_ = std::move(text);
  }
  if (!datumsText_) return nullptr;
  if (datumsParsed_.emplace(regionNumber, stationIndex).second &&
      !datums_.ParseStation(datumsText_->view(), regionNumber, stationIndex)) {
    datumsText_.reset();  // not a datum list: as if it were missing
    return nullptr;
  }
  return datums_.Find(regionNumber, stationIndex);
}

}  // namespace qw::cli
