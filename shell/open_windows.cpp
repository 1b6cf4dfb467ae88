#include "shell/open_windows.h"

#include <cctype>
#include <charconv>
#include <optional>

namespace qw {
namespace {

constexpr const char* kSection = "OpenWindows";
constexpr int kFieldCount = 17;  // without the key
// More windows than anyone opens: a damaged Count cannot make the reader loop for ever.
constexpr int kMaxEntries = 1000;

bool ParseInt(std::string_view text, long long low, long long high, long long& out) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  long long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  if (value < low || value > high) return false;
  out = value;
  return true;
}

// A datum name as a field: 1 to 15 letters, digits and underscores ("MSL", "NAVD88").
bool ValidDatumField(std::string_view name) {
  if (name.empty() || name.size() > 15) return false;
  for (char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  }
  return true;
}

}  // namespace

std::string FormatOpenWindowEntry(const OpenWindowEntry& e) {
  const WindowPlacement& p = e.placement;
  const long long fields[] = {e.station.regionSlot, e.station.stationIndex, e.stationId, p.flags,
                              p.showCommand, p.minX, p.minY, p.maxX, p.maxY, p.left, p.top,
                              p.right, p.bottom, e.infoShown, e.tableShown, e.weeklyShown};
  std::string text(1, e.station.kind == StationKind::Tide ? 'T' : 'C');
  for (long long field : fields) {
    text += ',';
    text += std::to_string(field);
  }
  const bool keyFits = !e.key.empty() && e.key.find(',') == std::string::npos;
  if (keyFits) text += "," + e.key;
  if (!e.datum.empty() && ValidDatumField(e.datum)) text += (keyFits ? "," : ",,") + e.datum;
  return text;
}

bool ParseOpenWindowEntry(std::string_view text, OpenWindowEntry& entry) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    fields.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (fields.size() < kFieldCount || fields.size() > kFieldCount + 2) return false;

  OpenWindowEntry e;
  std::string_view kind = fields[0];
  while (!kind.empty() && kind.front() == ' ') kind.remove_prefix(1);
  if (kind == "T") {
    e.station.kind = StationKind::Tide;
  } else if (kind == "C") {
    e.station.kind = StationKind::Current;
  } else {
    return false;
  }
  constexpr long long kIntMin = -2147483647LL - 1, kIntMax = 2147483647LL;
  long long v[kFieldCount] = {};
  const long long highs[kFieldCount] = {0, 65535, 65535, 4294967295LL};
  for (int i = 1; i < kFieldCount; ++i) {
    const bool unsignedField = i <= 3;
    const bool switchField = i >= 14;
    long long low = unsignedField || switchField ? 0 : kIntMin;
    long long high = unsignedField ? highs[i] : switchField ? 1 : kIntMax;
    if (!ParseInt(fields[static_cast<size_t>(i)], low, high, v[i])) return false;
  }
  e.station.regionSlot = static_cast<uint16_t>(v[1]);
  e.station.stationIndex = static_cast<uint16_t>(v[2]);
  e.stationId = static_cast<uint32_t>(v[3]);
  WindowPlacement& p = e.placement;
  p.flags = static_cast<int>(v[4]);
  p.showCommand = static_cast<int>(v[5]);
  p.minX = static_cast<int>(v[6]);
  p.minY = static_cast<int>(v[7]);
  p.maxX = static_cast<int>(v[8]);
  p.maxY = static_cast<int>(v[9]);
  p.left = static_cast<int>(v[10]);
  p.top = static_cast<int>(v[11]);
  p.right = static_cast<int>(v[12]);
  p.bottom = static_cast<int>(v[13]);
  e.infoShown = v[14] != 0;
  e.tableShown = v[15] != 0;
  e.weeklyShown = v[16] != 0;
  if (fields.size() > kFieldCount + 1) {
    // The datum of a tide window: letters and digits; an empty key may stand before it.
    const std::string_view datum = fields[kFieldCount + 1];
    if (e.station.kind != StationKind::Tide || !ValidDatumField(datum)) return false;
    e.datum = std::string(datum);
  }
  if (fields.size() > kFieldCount && !(fields[kFieldCount].empty() && !e.datum.empty())) {
    // "SOURCE/ID": a field without the separator is not a key this program wrote.
    const std::string_view key = fields[kFieldCount];
    const size_t slash = key.find('/');
    if (slash == 0 || slash == std::string_view::npos || slash + 1 == key.size()) return false;
    e.key = std::string(key);
  }
  entry = e;
  return true;
}

void WriteOpenWindows(ProfileFile& file, const std::vector<OpenWindowEntry>& entries) {
  std::vector<std::pair<std::string, std::string>> keys{{"Count", std::to_string(entries.size())}};
  for (size_t i = 0; i < entries.size(); ++i) keys.emplace_back(std::to_string(i), FormatOpenWindowEntry(entries[i]));
  file.ReplaceSection(kSection, keys);
}

std::vector<OpenWindowEntry> ReadOpenWindows(const ProfileFile& file) {
  std::vector<OpenWindowEntry> entries;
  int count = file.ReadInt(kSection, "Count", 0);
  if (count > kMaxEntries) count = kMaxEntries;
  for (int i = 0; i < count; ++i) {
    const std::string key = std::to_string(i);
    if (!file.HasKey(kSection, key)) continue;
    OpenWindowEntry entry;
    if (ParseOpenWindowEntry(file.ReadString(kSection, key, "", 256), entry)) entries.push_back(entry);
  }
  return entries;
}

namespace {

// The station an entry was written for, in the installed data, or nothing.
std::optional<StationRef> Locate(const OpenWindowEntry& entry, const StationDirectory& stations) {
  if (!entry.key.empty()) {
    if (std::optional<StationRef> found = stations.FindByKey(entry.station.kind, entry.key)) return found;
  }
  const StationRef& at = entry.station;
  if (at.stationIndex < stations.StationCount(at.kind, at.regionSlot)) {
    const std::optional<uint32_t> id = stations.StationId(at);
    if (id && *id == entry.stationId && (entry.key.empty() || stations.StationKey(at).empty())) return at;
  }
  const std::optional<uint16_t> moved = stations.FindStation(at.kind, at.regionSlot, entry.stationId);
  if (!moved) return std::nullopt;
  const StationRef found{at.kind, at.regionSlot, *moved};
  const std::string key = stations.StationKey(found);
  if (!key.empty() && !key.starts_with(kCustomKeyPrefix)) return std::nullopt;  // an ID of this edition only
  return found;
}

}  // namespace

std::vector<OpenWindowEntry> ResolveOpenWindows(const std::vector<OpenWindowEntry>& entries,
                                                const StationDirectory& stations) {
  std::vector<OpenWindowEntry> resolved;
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    const std::optional<StationRef> station = Locate(*it, stations);
    if (!station) continue;
    OpenWindowEntry entry = *it;
    entry.station = *station;
    if (const std::optional<uint32_t> id = stations.StationId(*station)) entry.stationId = *id;
    entry.key = stations.StationKey(*station);
    resolved.push_back(entry);
  }
  return resolved;
}

}  // namespace qw
