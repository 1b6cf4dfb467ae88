#include "settings/catalogue_directory.h"

#include <charconv>

#include "engine/data_dir.h"
#include "engine/installed_catalogue.h"

namespace qw {

void CatalogueDirectory::Open() {
  tideRegions_ = BuildRegionList(StationKind::Tide);
  currentRegions_ = BuildRegionList(StationKind::Current);
  auto sources = std::make_shared<StationSources>();
  sources_ = sources->Load(DataFilePath(StationSources::kFileName)) ? std::move(sources) : nullptr;
}

std::string CatalogueDirectory::ZoneOf(const StationRef& s, uint16_t referenceId, int16_t timeMeridian) const {
  const RegionList& regions = Regions(s.kind);
  const int region = s.regionSlot < regions.size() ? regions[s.regionSlot].number : -1;
  return ClockZoneName(sources_.get(), static_cast<char>(s.kind), region, s.stationIndex, referenceId, timeMeridian);
}

StationClock CatalogueDirectory::ClockOf(const StationRef& s, const TideLocation& record) const {
  return StationClock::Of(record, ZoneOf(s, record.referenceId, record.timeMeridian));
}

StationClock CatalogueDirectory::ClockOf(const StationRef& s, const CurrentLocation& record) const {
  return StationClock::Of(record, ZoneOf(s, record.referenceId, record.timeMeridian));
}

int CatalogueDirectory::RegionCount(StationKind kind) const {
  return static_cast<int>(Regions(kind).size());
}

int CatalogueDirectory::StationCount(StationKind kind, int regionSlot) const {
  if (regionSlot < 0 || regionSlot >= RegionCount(kind)) return 0;
  return std::max(0, CountStations(Regions(kind), regionSlot, kind));
}

std::optional<uint32_t> CatalogueDirectory::StationId(const StationRef& s) const {
  if (s.stationIndex >= StationCount(s.kind, s.regionSlot)) return std::nullopt;
  if (s.kind == StationKind::Tide) {
    TideLocation station;
    if (!ReadTide(s, station)) return std::nullopt;
    return station.stationId;
  }
  CurrentLocation station;
  if (!ReadCurrent(s, station)) return std::nullopt;
  return station.stationId;
}

std::optional<uint16_t> CatalogueDirectory::FindStation(StationKind kind, int regionSlot,
                                                        uint32_t stationId) const {
  if (regionSlot < 0 || regionSlot >= RegionCount(kind) || stationId == 0 || stationId > 65535) {
    return std::nullopt;
  }
  const int index = qw::FindStation(Regions(kind), regionSlot, -1, "", static_cast<uint16_t>(stationId),
                                    1, kind);
  if (index < 0) return std::nullopt;
  return static_cast<uint16_t>(index);
}

bool CatalogueDirectory::IsPredictionStation(const StationRef& station) const {
  std::optional<uint32_t> id = StationId(station);
  return id && *id != 0;
}

std::string CatalogueDirectory::StationName(const StationRef& s) const {
  if (s.stationIndex >= StationCount(s.kind, s.regionSlot)) return std::string();
  if (s.kind == StationKind::Tide) {
    TideLocation station;
    return ReadTide(s, station) ? std::string(station.name) : std::string();
  }
  CurrentLocation station;
  return ReadCurrent(s, station) ? std::string(station.name) : std::string();
}

std::vector<std::string> CatalogueDirectory::StationNames(StationKind kind, int regionSlot) const {
  std::vector<std::string> names;
  const int count = StationCount(kind, regionSlot);
  names.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    names.push_back(StationName({kind, static_cast<uint16_t>(regionSlot), static_cast<uint16_t>(i)}));
  }
  return names;
}

std::string CatalogueDirectory::RegionName(StationKind kind, int regionSlot) const {
  if (regionSlot < 0 || regionSlot >= RegionCount(kind)) return std::string();
  return Regions(kind)[static_cast<size_t>(regionSlot)].name;
}

bool CatalogueDirectory::ReadTide(const StationRef& s, TideLocation& out) const {
  return ReadTideLocation(tideRegions_, s.regionSlot, s.stationIndex, out);
}

bool CatalogueDirectory::ReadCurrent(const StationRef& s, CurrentLocation& out) const {
  return ReadCurrentLocation(currentRegions_, s.regionSlot, s.stationIndex, out);
}

std::string CatalogueDirectory::StationKey(const StationRef& s) const {
  if (s.regionSlot >= RegionCount(s.kind)) return std::string();
  const int region = Regions(s.kind)[s.regionSlot].number;
  // A custom location keeps its ID for good: "custom/12".
  if (region == kCustomRegionNumber) {
    const std::optional<uint32_t> id = StationId(s);
    return id && *id != 0 ? kCustomKeyPrefix + std::to_string(*id) : std::string();
  }
  const StationSources* sources = InstalledSources();
  if (!sources) return std::string();
  const StationSource* entry = sources->Find(static_cast<char>(s.kind), region, s.stationIndex);
  // The key is one field of a comma-separated line: a source or id with a comma has none.
  if (!entry || entry->sourceId.empty() || (entry->source + entry->sourceId).find(',') != std::string::npos) {
    return std::string();
  }
  return entry->source + "/" + entry->sourceId;
}

std::optional<StationRef> CatalogueDirectory::FindByKey(StationKind kind, std::string_view key) const {
  const RegionList& regions = Regions(kind);
  if (key.starts_with(kCustomKeyPrefix)) {
    uint32_t id = 0;
    const std::string_view digits = key.substr(std::string_view(kCustomKeyPrefix).size());
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    for (size_t slot = 0; slot < regions.size(); ++slot) {
      if (regions[slot].number != kCustomRegionNumber) continue;
      const std::optional<uint16_t> index = FindStation(kind, static_cast<int>(slot), id);
      if (index) return StationRef{kind, static_cast<uint16_t>(slot), *index};
    }
    return std::nullopt;
  }
  const StationSources* sources = InstalledSources();
  const size_t slash = key.find('/');
  if (!sources || slash == std::string_view::npos) return std::nullopt;
  const std::string_view source = key.substr(0, slash);
  for (const StationSource* entry : sources->FindBySourceId(static_cast<char>(kind), key.substr(slash + 1))) {
    if (entry->source != source) continue;
    for (size_t slot = 0; slot < regions.size(); ++slot) {
      if (regions[slot].number != entry->region) continue;
      const StationRef station{kind, static_cast<uint16_t>(slot), static_cast<uint16_t>(entry->index)};
      if (station.stationIndex < StationCount(kind, static_cast<int>(slot))) return station;
    }
  }
  return std::nullopt;
}

}  // namespace qw
