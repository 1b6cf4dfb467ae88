#include "shell/real_time_list.h"

#include <algorithm>
#include <string>

namespace qw {
namespace {

const char* SectionOf(StationKind kind) {
  return kind == StationKind::Tide ? "Real Time Tides" : "Real Time Currents";
}

}  // namespace

std::vector<StationRef> ReadRealTimeList(const ProfileFile& file, StationKind kind) {
  std::vector<StationRef> stations;
  const char* section = SectionOf(kind);
  const int count = std::clamp(file.ReadInt(section, "Count", 0), 0, kRealTimeListMax);
  for (int i = 0; i < count; ++i) {
    const int slot = file.ReadInt(section, "Region" + std::to_string(i), -1);
    const int index = file.ReadInt(section, "Subregion" + std::to_string(i), -1);
    if (slot < 0 || slot > 65535 || index < 0 || index > 65535) continue;
    stations.push_back({kind, static_cast<uint16_t>(slot), static_cast<uint16_t>(index)});
  }
  return stations;
}

void WriteRealTimeList(ProfileFile& file, StationKind kind, const std::vector<StationRef>& stations) {
  const char* section = SectionOf(kind);
  std::vector<std::pair<std::string, std::string>> keys{{"Count", std::to_string(stations.size())}};
  for (size_t i = 0; i < stations.size(); ++i) {
    keys.emplace_back("Region" + std::to_string(i), std::to_string(stations[i].regionSlot));
    keys.emplace_back("Subregion" + std::to_string(i), std::to_string(stations[i].stationIndex));
  }
  file.ReplaceSection(section, keys);
}

RealTimeAdd AddToRealTimeList(ProfileFile& file, const StationRef& station) {
  std::vector<StationRef> stations = ReadRealTimeList(file, station.kind);
  if (std::find(stations.begin(), stations.end(), station) != stations.end()) return RealTimeAdd::AlreadyListed;
  if (static_cast<int>(stations.size()) >= kRealTimeListMax) return RealTimeAdd::ListFull;
  stations.push_back(station);
  WriteRealTimeList(file, station.kind, stations);
  return RealTimeAdd::Added;
}

}  // namespace qw
