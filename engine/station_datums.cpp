#include "engine/station_datums.h"

#include <cctype>
#include <charconv>

#include "engine/file_text.h"
#include "engine/station_sources.h"

namespace qw {
namespace {

constexpr const char* kHeader = "region,index,station_id,chart_datum,datum,micro_feet";

uint64_t Key(int region, int index) {
  return (static_cast<uint64_t>(static_cast<uint16_t>(region)) << 32) | static_cast<uint32_t>(index);
}

// False when the line plainly names another station than `key`: its region and index are
// unquoted numbers. A line that is not so plain is left to the whole parse, which decides
// whether it is damaged.
bool MayBeStation(std::string_view line, uint64_t key) {
  int numbers[2] = {0, 0};
  const char* p = line.data();
  const char* end = p + line.size();
  for (int& n : numbers) {
    const auto result = std::from_chars(p, end, n);
    if (result.ec != std::errc() || result.ptr == end || *result.ptr != ',') return true;
    p = result.ptr + 1;
  }
  return Key(numbers[0], numbers[1]) == key;
}

}  // namespace

const StationDatum* StationDatumSet::Find(std::string_view name) const {
  for (const StationDatum& d : datums) {
    if (EqualNoCase(d.name, name)) return &d;
  }
  return nullptr;
}

bool StationDatums::Load(const std::string& path, std::string* error) {
  std::string text;
  if (!ReadFileText(path, text)) {
    stations_.clear();
    if (error) *error = "the datum list " + path + " is missing or cannot be read";
    return false;
  }
  return Parse(text, error);
}

bool StationDatums::Parse(std::string_view text, std::string* error) {
  stations_.clear();
  byStationId_.clear();
  skipped_ = 0;
  return ParseLines(text, nullptr, error);
}

bool StationDatums::ParseStation(std::string_view text, int region, int index, std::string* error) {
  const uint64_t key = Key(region, index);
  stations_.erase(key);
  return ParseLines(text, &key, error);
}

bool StationDatums::ParseLines(std::string_view text, const uint64_t* onlyKey, std::string* error) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  bool headerSeen = false;
  std::vector<std::string> fields;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (!headerSeen) {
      if (line != kHeader) break;
      headerSeen = true;
      continue;
    }
    if (onlyKey && !MayBeStation(line, *onlyKey)) continue;
    int region = 0, index = 0;
    uint32_t id = 0;
    int64_t microFeet = 0;
    // A datum lies within a few thousand feet of the chart datum; more is damage.
    if (!SplitCsvLine(line, fields) || fields.size() != 6 || !ParseCsvNumber(fields[0], region, 1, 99) ||
        !ParseCsvNumber(fields[1], index, 0, 0x7FFFFFFF) || !ParseCsvNumber(fields[2], id, 0u, 65535u) || fields[3].empty() ||
        fields[4].empty() || !ParseCsvNumber(fields[5], microFeet, int64_t{-10000000000}, int64_t{10000000000})) {
      ++skipped_;
      continue;
    }
    if (onlyKey && Key(region, index) != *onlyKey) continue;
    StationDatumSet& set = stations_[Key(region, index)];
    if (set.chartDatum.empty()) set.chartDatum = fields[3];
    if (fields[3] != set.chartDatum || set.Find(fields[4])) {
      ++skipped_;  // a second chart datum or a datum named twice: the first stands
      continue;
    }
    set.datums.push_back({fields[4], microFeet});
    if (id != 0) byStationId_.emplace(id, Key(region, index));
  }
  if (!headerSeen) {
    if (error) *error = "the datum list does not start with the expected header";
    return false;
  }
  return true;
}

const StationDatumSet* StationDatums::Find(int region, int index) const {
  auto it = stations_.find(Key(region, index));
  return it == stations_.end() ? nullptr : &it->second;
}

const StationDatumSet* StationDatums::FindByStationId(uint32_t stationId) const {
  auto it = byStationId_.find(stationId);
  return it == byStationId_.end() ? nullptr : Find(static_cast<int>(it->second >> 32), static_cast<int>(it->second & 0xFFFFFFFFu));
}

DatumChoice ChooseDatum(const StationDatumSet* set, std::string_view requested) {
  DatumChoice choice;
  if (requested.empty()) {
    if (set) choice.name = set->chartDatum;
    return choice;
  }
  if (const StationDatum* d = set ? set->Find(requested) : nullptr) {
    choice.name = d->name;
    choice.microFeetAboveChartDatum = d->microFeetAboveChartDatum;
    return choice;
  }
  choice.error = "the station has no datum \"" + std::string(requested) + "\"; ";
  if (!set) {
    choice.error += "its heights are on its chart datum alone";
  } else if (set->datums.size() == 1) {
    choice.error += "its heights are on its chart datum " + set->chartDatum + " alone";
  } else {
    choice.error += "it has ";
    for (size_t i = 0; i < set->datums.size(); ++i) choice.error += (i ? ", " : "") + set->datums[i].name;
  }
  return choice;
}

DatumChoice SelectDatum(TideLocation& station, const StationDatumSet* set, std::string_view name) {
  DatumChoice choice = ChooseDatum(set, name);
  if (!choice.ok()) return choice;
  station.datum = set && choice.name != set->chartDatum ? choice.name : std::string();
  station.datumMicroFeet = static_cast<int32_t>(choice.microFeetAboveChartDatum);
  return choice;
}

std::string EncodeStationDatums(const std::vector<StationDatumEntry>& entries) {
  std::string text = std::string(kHeader) + "\n";
  for (const StationDatumEntry& e : entries) {
    text += std::to_string(e.region) + "," + std::to_string(e.index) + "," + std::to_string(e.stationId) + "," +
            e.chartDatum + "," + e.datum + "," + std::to_string(e.microFeet) + "\n";
  }
  return text;
}

}  // namespace qw
