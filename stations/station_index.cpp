#include "stations/station_index.h"

#include <algorithm>
#include <functional>

#include "engine/binary_file.h"
#include "engine/current_depth.h"
#include "engine/data_dir.h"
#include "engine/region_files.h"

namespace qw {
namespace {

// The largest region file read: 65,535 stations of the larger record.
constexpr size_t kLargestRegionFile = (65535 + 1) * kCurrentLocationSize;

template <typename Record>
void FillCommon(const Record& station, StationSummary& summary) {
  summary.name = station.name;
  summary.folded = FoldCase(summary.name);
  summary.stationId = station.stationId;
  summary.referenceId = station.referenceId;
  summary.kindCode = station.kindCode;
  summary.reference = station.stationId != 0 && !IsSubordinate(station);
  summary.officialNotes = HasOfficialNotes(station);
  summary.hasPosition = StationRecordPosition(station, summary.latitude, summary.longitude);
}

int Search(const std::vector<StationSummary>& stations, int startIndex, int direction,
           const std::function<bool(const StationSummary&)>& matches) {
  const int count = static_cast<int>(stations.size());
  if (direction >= 0) {
    for (int i = std::max(startIndex + 1, 0); i < count; ++i) {
      if (matches(stations[static_cast<size_t>(i)])) return i;
    }
  } else {
    for (int i = std::min(startIndex - 1, count - 1); i >= 0; --i) {
      if (matches(stations[static_cast<size_t>(i)])) return i;
    }
  }
  return -1;
}

}  // namespace

bool HasOfficialNotes(const TideLocation& station) {
  return station.unused88[0] != 0 || station.unused88[1] != 0;
}

bool HasOfficialNotes(const CurrentLocation& station) {
  return station.unused114[0] != 0 || station.unused114[1] != 0 || station.unused114[2] != 0;
}

bool IsSubordinate(const TideLocation& s) {
  return s.highTimeOffset != 0 || s.highHeightDiff != 0 || s.highHeightRatio != 0 || s.lowTimeOffset != 0 ||
         s.lowHeightDiff != 0 || s.lowHeightRatio != 0;
}

bool IsSubordinate(const CurrentLocation& s) {
  return s.slackBeforeFloodTime != 0 || s.floodTime != 0 || s.floodSpeedRatio != 0 || s.slackBeforeEbbTime != 0 ||
         s.ebbTime != 0 || s.ebbSpeedRatio != 0;
}

StationSummary SummarizeStation(const TideLocation& station) {
  StationSummary summary;
  FillCommon(station, summary);
  return summary;
}

StationSummary SummarizeStation(const CurrentLocation& station) {
  StationSummary summary;
  FillCommon(station, summary);
  summary.meterDepth = station.meterDepth;
  summary.depthFlagD = DepthMarkedD(station);
  return summary;
}

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

RegionIndex StationIndex::ReadRegion(StationKind kind, const RegionNode& node) {
  RegionIndex region;
  region.number = node.number;
  region.name = node.name;
  std::vector<uint8_t> bytes;
  if (!ReadFilePrefix(DataFilePath(RegionFileName(kind, node.number)), kLargestRegionFile, bytes)) return region;
  const size_t size = RegionRecordSize(kind);
  const size_t count = bytes.size() / size > 0 ? bytes.size() / size - 1 : 0;
  region.stations.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* record = bytes.data() + (i + 1) * size;
    if (kind == StationKind::Tide) {
      TideLocation& station = region.tides.emplace_back();
      DecodeTideLocation(record, station);
      region.stations.push_back(SummarizeStation(station));
    } else {
      CurrentLocation& station = region.currents.emplace_back();
      DecodeCurrentLocation(record, station);
      region.stations.push_back(SummarizeStation(station));
    }
  }
  return region;
}

void StationIndex::Build(const RegionList& tideRegions, const RegionList& currentRegions) {
  tides_.clear();
  currents_.clear();
  for (const RegionNode& node : tideRegions) tides_.push_back(ReadRegion(StationKind::Tide, node));
  for (const RegionNode& node : currentRegions) currents_.push_back(ReadRegion(StationKind::Current, node));
}

void StationIndex::Reload(StationKind kind, const RegionList& regions, int regionSlot) {
  std::vector<RegionIndex>& held = kind == StationKind::Tide ? tides_ : currents_;
  if (regionSlot < 0 || regionSlot >= static_cast<int>(regions.size())) return;
  if (held.size() < regions.size()) held.resize(regions.size());
  held[static_cast<size_t>(regionSlot)] = ReadRegion(kind, regions[static_cast<size_t>(regionSlot)]);
}

const RegionIndex* StationIndex::Region(StationKind kind, int regionSlot) const {
  const std::vector<RegionIndex>& regions = Regions(kind);
  if (regionSlot < 0 || regionSlot >= static_cast<int>(regions.size())) return nullptr;
  return &regions[static_cast<size_t>(regionSlot)];
}

int StationIndex::StationCount(StationKind kind, int regionSlot) const {
  const RegionIndex* region = Region(kind, regionSlot);
  return region ? static_cast<int>(region->stations.size()) : 0;
}

const StationSummary* StationIndex::Station(StationKind kind, int regionSlot, int stationIndex) const {
  const RegionIndex* region = Region(kind, regionSlot);
  if (!region || stationIndex < 0 || stationIndex >= static_cast<int>(region->stations.size())) return nullptr;
  return &region->stations[static_cast<size_t>(stationIndex)];
}

size_t StationIndex::TotalStations() const {
  size_t total = 0;
  for (const auto* list : {&tides_, &currents_}) {
    for (const RegionIndex& region : *list) total += region.stations.size();
  }
  return total;
}

int StationIndex::FindByName(StationKind kind, int regionSlot, int startIndex, std::string_view text,
                             int direction) const {
  const RegionIndex* region = Region(kind, regionSlot);
  if (!region) return -1;
  const std::string folded = FoldCase(text);
  return Search(region->stations, startIndex, direction, [&](const StationSummary& station) {
    return station.folded.find(folded) != std::string::npos;
  });
}

int StationIndex::FindById(StationKind kind, int regionSlot, int startIndex, uint32_t stationId,
                           int direction) const {
  const RegionIndex* region = Region(kind, regionSlot);
  if (!region) return -1;
  return Search(region->stations, startIndex, direction,
                [&](const StationSummary& station) { return station.stationId == stationId; });
}

StationMatch StationIndex::SearchAcross(StationKind kind, int regionSlot, int startIndex, int direction, bool wrap,
                                        const std::function<bool(const StationSummary&)>& matches) const {
  const int regionCount = static_cast<int>(Regions(kind).size());
  if (regionSlot < 0 || regionSlot >= regionCount) return {};
  const int step = direction >= 0 ? 1 : -1;
  // The start region from the start, then each other region whole.
  int found = Search(Regions(kind)[static_cast<size_t>(regionSlot)].stations, startIndex, direction, matches);
  if (found >= 0) return {regionSlot, found};
  for (int n = 1; n < regionCount; ++n) {
    const int slot = regionSlot + step * n;
    if (!wrap && (slot < 0 || slot >= regionCount)) return {};
    const int wrapped = (slot % regionCount + regionCount) % regionCount;
    const std::vector<StationSummary>& stations = Regions(kind)[static_cast<size_t>(wrapped)].stations;
    found = Search(stations, step > 0 ? -1 : static_cast<int>(stations.size()), direction, matches);
    if (found >= 0) return {wrapped, found};
  }
  if (!wrap || startIndex < 0) return {};
  // Back in the start region: the stations on the other side of the start.
  const std::vector<StationSummary>& start = Regions(kind)[static_cast<size_t>(regionSlot)].stations;
  found = Search(start, step > 0 ? -1 : static_cast<int>(start.size()), direction, matches);
  const bool beyondStart = found >= 0 && (step > 0 ? found > startIndex : found < startIndex);
  return found >= 0 && !beyondStart ? StationMatch{regionSlot, found} : StationMatch{};
}

StationMatch StationIndex::FindByNameAcross(StationKind kind, int regionSlot, int startIndex, std::string_view text,
                                            int direction, bool wrap) const {
  const std::string folded = FoldCase(text);
  return SearchAcross(kind, regionSlot, startIndex, direction, wrap, [&](const StationSummary& station) {
    return station.folded.find(folded) != std::string::npos;
  });
}

StationMatch StationIndex::FindByIdAcross(StationKind kind, int regionSlot, int startIndex, uint32_t stationId,
                                          int direction, bool wrap) const {
  return SearchAcross(kind, regionSlot, startIndex, direction, wrap,
                      [&](const StationSummary& station) { return station.stationId == stationId; });
}

}  // namespace qw
