#include "settings/default_station.h"

#include "engine/data_dir.h"
#include "engine/station_sources.h"

namespace qw {
namespace {

constexpr const char* kDefaultSourceId = "9414290";

}  // namespace

std::optional<StationRef> DefaultTideStation(const CatalogueDirectory& catalogue) {
  StationSources sources;
  if (sources.Load(DataFilePath(StationSources::kFileName))) {
    for (const StationSource* source : sources.FindBySourceId('T', kDefaultSourceId)) {
      const RegionList& regions = catalogue.Regions(StationKind::Tide);
      for (size_t slot = 0; slot < regions.size(); ++slot) {
        if (regions[slot].number != source->region) continue;
        const StationRef station{StationKind::Tide, static_cast<uint16_t>(slot), static_cast<uint16_t>(source->index)};
        if (catalogue.IsPredictionStation(station)) return station;
      }
    }
  }
  if (catalogue.RegionCount(StationKind::Tide) == 0) return std::nullopt;
  const int count = catalogue.StationCount(StationKind::Tide, 0);
  for (int index = 0; index < count; ++index) {
    const StationRef station{StationKind::Tide, 0, static_cast<uint16_t>(index)};
    if (catalogue.IsPredictionStation(station)) return station;
  }
  return std::nullopt;
}

}  // namespace qw
