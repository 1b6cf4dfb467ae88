#include "tests/current_data/current_data_support.h"

#include "engine/station_database.h"
#include "engine/station_sources.h"

namespace qw::test {

std::vector<InstalledCurrent> InstalledCurrentStations() {
  std::vector<InstalledCurrent> out;
  StationSources sources;
  sources.Load(std::string(QW_TEST_DATA_DIR) + "/" + StationSources::kFileName);
  const RegionList regions = BuildRegionList(StationKind::Current);
  for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
    const int count = CountStations(regions, slot, StationKind::Current);
    for (int i = 0; i < count; ++i) {
      InstalledCurrent c{slot, i, {}, {}};
      if (ReadCurrentLocation(regions, slot, i, c.station) && c.station.stationId != 0 &&
          c.station.referenceId != 0) {
        if (const StationSource* source = sources.Find('C', regions[static_cast<size_t>(slot)].number, i)) {
          c.zone = source->timeZone;
        }
        out.push_back(c);
      }
    }
  }
  return out;
}

bool FindCurrentBySourceId(const std::string& sourceId, InstalledCurrent& out) {
  StationSources sources;
  if (!sources.Load(std::string(QW_TEST_DATA_DIR) + "/" + StationSources::kFileName)) return false;
  const auto found = sources.FindBySourceId('C', sourceId);
  if (found.size() != 1) return false;
  const RegionList regions = BuildRegionList(StationKind::Current);
  for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
    if (regions[static_cast<size_t>(slot)].number != found[0]->region) continue;
    out.slot = slot;
    out.index = found[0]->index;
    out.zone = found[0]->timeZone;
    return ReadCurrentLocation(regions, slot, out.index, out.station);
  }
  return false;
}

}  // namespace qw::test
