#include "engine/station_sources.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

namespace qw {

const char* const kStationSourceColumns[] = {
    "kind",        "region",       "index",      "station_id",  "source",         "source_id", "time_zone", "licence",
    "attribution", "source_label", "source_name", "agency",     "licence_url",  "commercial_use", "context"};
static_assert(sizeof kStationSourceColumns / sizeof kStationSourceColumns[0] == kStationSourceColumnCount);

namespace {

uint64_t StationKey(char kind, int region, int index) {
  return (static_cast<uint64_t>(static_cast<unsigned char>(kind)) << 48) |
         (static_cast<uint64_t>(static_cast<uint16_t>(region)) << 32) |
         static_cast<uint32_t>(index);
}

uint64_t IdKey(char kind, uint32_t stationId) {
  return (static_cast<uint64_t>(static_cast<unsigned char>(kind)) << 32) | stationId;
}

// One column's field of an entry, as written, and read back; false for a field that
// cannot be read. The reader and the writer both walk this, in kStationSourceColumns order.
struct Column {
  std::string (*get)(const StationSource&);
  bool (*set)(StationSource&, std::string&&);
};

const Column kColumns[kStationSourceColumnCount] = {
    {[](const StationSource& e) { return std::string(1, e.kind); },
     [](StationSource& e, std::string&& f) {
       e.kind = f.size() == 1 ? f[0] : '?';
       return e.kind == 'T' || e.kind == 'C';
     }},
    {[](const StationSource& e) { return std::to_string(e.region); },
     [](StationSource& e, std::string&& f) { return ParseCsvNumber(f, e.region, 1, 99); }},
    {[](const StationSource& e) { return std::to_string(e.index); },
     [](StationSource& e, std::string&& f) { return ParseCsvNumber(f, e.index, 0, 0x7FFFFFFF); }},
    {[](const StationSource& e) { return std::to_string(e.stationId); },
     [](StationSource& e, std::string&& f) { return ParseCsvNumber(f, e.stationId, 0u, 65535u); }},
    {[](const StationSource& e) { return e.source; }, [](StationSource& e, std::string&& f) { return e.source = std::move(f), true; }},
    {[](const StationSource& e) { return e.sourceId; }, [](StationSource& e, std::string&& f) { return e.sourceId = std::move(f), true; }},
    {[](const StationSource& e) { return e.timeZone; }, [](StationSource& e, std::string&& f) { return e.timeZone = std::move(f), true; }},
    {[](const StationSource& e) { return e.licence; }, [](StationSource& e, std::string&& f) { return e.licence = std::move(f), true; }},
    {[](const StationSource& e) { return e.attribution; },
     [](StationSource& e, std::string&& f) { return e.attribution = std::move(f), true; }},
    {[](const StationSource& e) { return e.sourceLabel; },
     [](StationSource& e, std::string&& f) { return e.sourceLabel = std::move(f), true; }},
    {[](const StationSource& e) { return e.sourceName; },
     [](StationSource& e, std::string&& f) { return e.sourceName = std::move(f), true; }},
    {[](const StationSource& e) { return e.agency; }, [](StationSource& e, std::string&& f) { return e.agency = std::move(f), true; }},
    {[](const StationSource& e) { return e.licenceUrl; },
     [](StationSource& e, std::string&& f) { return e.licenceUrl = std::move(f), true; }},
    {[](const StationSource& e) { return std::string(e.commercialUse ? "yes" : "no"); },
     [](StationSource& e, std::string&& f) {
       e.commercialUse = f != "no";
       return f == "yes" || f == "no";
     }},
    {[](const StationSource& e) { return e.context; }, [](StationSource& e, std::string&& f) { return e.context = std::move(f), true; }},
};

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

bool SplitCsvLine(std::string_view line, std::vector<std::string>& fields) {
  // Whole stretches are appended at a time: the side catalogue has thousands of lines and
  // is read when a program starts.
  fields.clear();
  size_t i = 0;
  for (;;) {
    std::string& field = fields.emplace_back();
    if (i < line.size() && line[i] == '"') {
      // A quoted part, where "" stands for a quote; what follows it up to the comma is
      // taken as it is.
      for (++i;;) {
        const size_t quote = line.find('"', i);
        if (quote == std::string_view::npos) return false;
        field.append(line, i, quote - i);
        i = quote + 1;
        if (i >= line.size() || line[i] != '"') break;
        field += '"';
        ++i;
      }
    }
    const size_t comma = line.find(',', i);
    const size_t end = comma == std::string_view::npos ? line.size() : comma;
    field.append(line, i, end - i);
    if (comma == std::string_view::npos) return true;
    i = comma + 1;
  }
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
  byStationId_.clear();
  skipped_ = 0;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // UTF-8 byte order mark

  std::vector<std::string> fields;
  std::vector<int> columnOf;  // the kColumns index of each field of a line; -1 unknown
  bool headerSeen = false;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (!headerSeen) {
      bool ok = SplitCsvLine(line, fields) && fields.size() >= kStationSourceRequiredColumns;
      for (size_t i = 0; ok && i < kStationSourceRequiredColumns; ++i) ok = fields[i] == kStationSourceColumns[i];
      if (!ok) break;
      for (const std::string& name : fields) {
        int column = -1;
        for (size_t c = 0; c < kStationSourceColumnCount; ++c) {
          if (name == kStationSourceColumns[c]) column = static_cast<int>(c);
        }
        columnOf.push_back(column);
      }
      headerSeen = true;
      continue;
    }
    StationSource entry;
    bool ok = SplitCsvLine(line, fields) && fields.size() == columnOf.size();
    bool commercialGiven = false;
    for (size_t i = 0; ok && i < fields.size(); ++i) {
      if (columnOf[i] < 0) continue;
      commercialGiven |= std::string_view(kStationSourceColumns[columnOf[i]]) == "commercial_use";
      ok = kColumns[columnOf[i]].set(entry, std::move(fields[i]));
    }
    if (!ok) {
      ++skipped_;
      continue;
    }
    if (!commercialGiven) entry.commercialUse = entry.licence.find("-nc") == std::string::npos;
    uint64_t key = StationKey(entry.kind, entry.region, entry.index);
    if (byStation_.count(key)) {
      ++skipped_;  // a second line for the same station: the first stands
      continue;
    }
    byStation_[key] = entries_.size();
    byStationId_.emplace(IdKey(entry.kind, entry.stationId), entries_.size());
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

namespace qw {

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

const StationSource* StationSources::FindByStationId(char kind, uint32_t stationId) const {
  auto it = byStationId_.find(IdKey(kind, stationId));
  return it == byStationId_.end() ? nullptr : &entries_[it->second];
}

std::string SourceLabel(const StationSource& entry) {
  return entry.sourceLabel.empty() ? entry.source : entry.sourceLabel;
}

std::string LicenceName(std::string_view licenceId) {
  if (licenceId == "cc-by-4.0") return "CC BY 4.0";
  if (licenceId == "cc-by-nc-4.0") return "CC BY-NC 4.0";
  return std::string(licenceId);
}

bool IsNonCommercial(const StationSource& entry) { return !entry.commercialUse; }

std::string EncodeStationSources(const std::vector<StationSource>& entries) {
  std::string text;
  for (size_t c = 0; c < kStationSourceColumnCount; ++c) text += std::string(c ? "," : "") + kStationSourceColumns[c];
  text += '\n';
  for (const StationSource& entry : entries) {
    for (size_t c = 0; c < kStationSourceColumnCount; ++c) text += (c ? "," : "") + CsvField(kColumns[c].get(entry));
    text += '\n';
  }
  return text;
}

}  // namespace qw
