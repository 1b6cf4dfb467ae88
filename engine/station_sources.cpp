#include "engine/station_sources.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

namespace qw {
namespace {

constexpr const char* kHeader[] = {"kind",      "region",    "index",   "station_id", "source",
                                   "source_id", "time_zone", "licence", "attribution"};
constexpr size_t kColumns = sizeof kHeader / sizeof kHeader[0];

uint64_t StationKey(char kind, int region, int index) {
  return (static_cast<uint64_t>(static_cast<unsigned char>(kind)) << 48) |
         (static_cast<uint64_t>(static_cast<uint16_t>(region)) << 32) |
         static_cast<uint32_t>(index);
}

template <typename T>
bool ParseNumber(const std::string& text, T& out, T low, T high) {
  const char* end = text.data() + text.size();
  auto result = std::from_chars(text.data(), end, out);
  return result.ec == std::errc() && result.ptr == end && out >= low && out <= high;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool SplitCsvLine(std::string_view line, std::vector<std::string>& fields) {
  fields.clear();
  std::string field;
  bool quoted = false;
  bool wasQuoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < line.size() && line[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        field += c;
      }
    } else if (c == '"' && field.empty() && !wasQuoted) {
      quoted = wasQuoted = true;
    } else if (c == ',') {
      fields.push_back(std::move(field));
      field.clear();
      wasQuoted = false;
    } else {
      field += c;
    }
  }
  if (quoted) return false;
  fields.push_back(std::move(field));
  return true;
}

bool StationSources::Load(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    entries_.clear();
    byStation_.clear();
    if (error) *error = "the station source list " + path + " is missing";
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    if (error) *error = "cannot read " + path;
    return false;
  }
  return Parse(text.str(), error);
}

bool StationSources::Parse(std::string_view text, std::string* error) {
  entries_.clear();
  byStation_.clear();
  skipped_ = 0;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // UTF-8 byte order mark

  std::vector<std::string> fields;
  bool headerSeen = false;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (!headerSeen) {
      if (!SplitCsvLine(line, fields) || fields.size() < kColumns) break;
      for (size_t i = 0; i < kColumns; ++i) {
        if (fields[i] != kHeader[i]) {
          if (error) *error = "the station source list does not start with the expected header";
          return false;
        }
      }
      headerSeen = true;
      continue;
    }
    StationSource entry;
    if (!SplitCsvLine(line, fields) || fields.size() < kColumns || fields[0].size() != 1 ||
        (fields[0][0] != 'T' && fields[0][0] != 'C') ||
        !ParseNumber(fields[1], entry.region, 1, 99) ||
        !ParseNumber(fields[2], entry.index, 0, 0x7FFFFFFF) ||
        !ParseNumber(fields[3], entry.stationId, 0u, 65535u)) {
      ++skipped_;
      continue;
    }
    entry.kind = fields[0][0];
    entry.source = std::move(fields[4]);
    entry.sourceId = std::move(fields[5]);
    entry.timeZone = std::move(fields[6]);
    entry.licence = std::move(fields[7]);
    entry.attribution = std::move(fields[8]);
    uint64_t key = StationKey(entry.kind, entry.region, entry.index);
    if (byStation_.count(key)) {
      ++skipped_;  // a second line for the same station: the first stands
      continue;
    }
    byStation_[key] = entries_.size();
    entries_.push_back(std::move(entry));
  }
  if (!headerSeen) {
    if (error) *error = "the station source list does not start with the expected header";
    return false;
  }
  return true;
}

const StationSource* StationSources::Find(char kind, int region, int index) const {
  auto it = byStation_.find(StationKey(kind, region, index));
  return it == byStation_.end() ? nullptr : &entries_[it->second];
}

std::vector<const StationSource*> StationSources::FindBySourceId(char kind,
                                                                 std::string_view sourceId) const {
  std::vector<const StationSource*> found;
  for (const StationSource& entry : entries_) {
    if (entry.kind == kind && EqualNoCase(entry.sourceId, sourceId)) found.push_back(&entry);
  }
  return found;
}

}  // namespace qw
