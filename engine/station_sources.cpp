#include "engine/station_sources.h"
#include "engine/file_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace qw {

const char* const kStationSourceColumns[] = {
    "kind",        "region",       "index",      "station_id",  "source",         "source_id", "time_zone", "licence",
    "attribution", "source_label", "source_name", "agency",     "licence_url",  "commercial_use", "context",
    "averages"};
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
    {[](const StationSource& e) { return e.averages; },
     [](StationSource& e, std::string&& f) { return e.averages = std::move(f), true; }},
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

namespace {

// The next line of `text` that is not empty, without its line feed and carriage return;
// false at the end. `text` moves past it.
bool NextLine(std::string_view& text, std::string_view& line) {
  while (!text.empty()) {
    const size_t end = text.find('\n');
    line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) return true;
  }
  return false;
}

// Reads the header line, giving the entry column of each field (-1 for one this program
// does not know), and moves `text` past it; false when the header is not the expected one.
bool ReadHeader(std::string_view& text, std::vector<int>& columnOf_out) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // UTF-8 byte order mark
  std::string_view line;
  std::vector<std::string> fields;
  if (!NextLine(text, line) || !SplitCsvLine(line, fields) || fields.size() < kStationSourceRequiredColumns) {
    return false;
  }
  for (size_t i = 0; i < kStationSourceRequiredColumns; ++i) {
    if (fields[i] != kStationSourceColumns[i]) return false;
  }
  columnOf_out.clear();
  for (const std::string& name : fields) {
    int column = -1;
    for (size_t c = 0; c < kStationSourceColumnCount; ++c) {
      if (name == kStationSourceColumns[c]) column = static_cast<int>(c);
    }
    columnOf_out.push_back(column);
  }
  return true;
}

// The entry of one line after the header; false for a line that cannot be understood.
bool ReadEntry(std::string_view line, const std::vector<int>& columnOf, std::vector<std::string>& fields,
               StationSource& entry_out) {
  entry_out = StationSource();
  bool ok = SplitCsvLine(line, fields) && fields.size() == columnOf.size();
  bool commercialGiven = false;
  for (size_t i = 0; ok && i < fields.size(); ++i) {
    if (columnOf[i] < 0) continue;
    commercialGiven |= std::string_view(kStationSourceColumns[columnOf[i]]) == "commercial_use";
    ok = kColumns[columnOf[i]].set(entry_out, std::move(fields[i]));
  }
  if (ok && !commercialGiven) entry_out.commercialUse = entry_out.licence.find("-nc") == std::string::npos;
  return ok;
}

}  // namespace

void StationSources::ReadLines(std::string_view text, const std::vector<int>& columnOf, Index& index) {
  index.entries.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
  std::vector<std::string> fields;
  std::string_view line;
  while (NextLine(text, line)) {
    StationSource entry;
    if (!ReadEntry(line, columnOf, fields, entry)) {
      ++index.skipped;
      continue;
    }
    const uint64_t key = StationKey(entry.kind, entry.region, entry.index);
    if (index.byStation.count(key)) {
      ++index.skipped;  // a second line for the same station: the first stands
      continue;
    }
    index.byStation[key] = index.entries.size();
    index.byStationId.emplace(IdKey(entry.kind, entry.stationId), index.entries.size());
    index.entries.push_back(std::move(entry));
  }
}

bool StationSources::OpenFile(const std::string& path, FileText& text, std::string* error) {
  if (text.Open(path)) return true;
  Clear();
  if (error) *error = "the station source list " + path + " is missing or cannot be read";
  return false;
}

bool StationSources::Load(const std::string& path, std::string* error) {
  FileText text;
  return OpenFile(path, text, error) && Parse(text.view(), error);
}

void StationSources::Clear() {
  index_ = Index();
  text_.clear();
  columnOf_.clear();
  bodyStart_ = 0;
  open_ = false;
  found_.clear();
  foundByStation_.clear();
  searches_ = 0;
}

bool StationSources::Parse(std::string_view text, std::string* error) {
  Clear();
  std::vector<int> columnOf;
  if (!ReadHeader(text, columnOf)) {
    if (error) *error = "the station source list does not start with the expected header";
    return false;
  }
  ReadLines(text, columnOf, index_);
  return true;
}

bool StationSources::Open(const std::string& path, std::string* error) {
  FileText text;
  return OpenFile(path, text, error) && OpenFileText(std::move(text), error);
}

bool StationSources::OpenText(std::string text, std::string* error) { return OpenFileText(FileText(std::move(text)), error); }

bool StationSources::OpenFileText(FileText text, std::string* error) {
  Clear();
  text_ = std::move(text);
  std::string_view rest = text_.view();
  if (!ReadHeader(rest, columnOf_)) {
    Clear();
    if (error) *error = "the station source list does not start with the expected header";
    return false;
  }
  bodyStart_ = static_cast<size_t>(rest.data() - text_.view().data());
  open_ = true;
  return true;
}

const StationSources::Index& StationSources::Indexed() const {
  if (open_) {
    open_ = false;
    ReadLines(text_.view().substr(bodyStart_), columnOf_, index_);
  }
  return index_;
}

// The fields of a line that the lookups choose by.
struct StationSources::Lead {
  char kind = '?';
  int region = 0;
  int index = 0;
  uint32_t stationId = 0;
  std::string_view sourceId;
};

bool StationSources::Searching() const {
  if (open_ && searches_ >= kLookupsBeforeIndex) Indexed();
  return open_;
}

// Walks the lines of `kind` (and of `*sourceId`, case-insensitive, unless it is null)
// after the header in file order. `want(lead)` chooses among them by a line's first
// fields, which are cut out of the text where none of them is quoted and read with the
// rules of their columns (the cheap tests first); a chosen line is read whole, and when it is good `take(offset,
// entry)` gets it and says whether to go on.
template <typename Want, typename Take>
void StationSources::SearchLines(char kind, const std::string_view* sourceId, Want want, Take take) const {
  ++searches_;
  const std::string_view text = text_.view();
  std::string_view rest = text.substr(bodyStart_);
  std::string_view line;
  std::vector<std::string> fields;
  StationSource entry;
  while (NextLine(rest, line)) {
    Lead lead;
    std::string_view field[6];
    size_t at = 0;
    bool plain = true;
    for (size_t i = 0; i < 6 && plain; ++i) {
      const size_t comma = line.find(',', at);
      field[i] = line.substr(at, comma == std::string_view::npos ? line.size() - at : comma - at);
      plain = comma != std::string_view::npos && field[i].find('"') == std::string_view::npos;
      at = comma + 1;
    }
    if (plain) {
      lead.kind = field[0].size() == 1 ? field[0][0] : '?';
      if (lead.kind != kind || (sourceId && !EqualNoCase(field[5], *sourceId)) || !ParseCsvNumber(field[1], lead.region, 1, 99) ||
          !ParseCsvNumber(field[2], lead.index, 0, 0x7FFFFFFF) ||
          !ParseCsvNumber(field[3], lead.stationId, 0u, 65535u)) {
        continue;  // a line its own columns reject
      }
      lead.sourceId = field[5];
      if (!want(lead) || !ReadEntry(line, columnOf_, fields, entry)) continue;
    } else {
      if (!ReadEntry(line, columnOf_, fields, entry)) continue;
      lead = {entry.kind, entry.region, entry.index, entry.stationId, entry.sourceId};
      if (lead.kind != kind || (sourceId && !EqualNoCase(lead.sourceId, *sourceId)) || !want(lead)) continue;
    }
    if (!take(static_cast<size_t>(line.data() - text.data()), std::move(entry))) return;
  }
}

// The first good line of a station, remembered once searched for; nullptr when it has none.
const StationSources::Found* StationSources::SearchStation(char kind, int region, int index) const {
  const uint64_t key = StationKey(kind, region, index);
  if (auto it = foundByStation_.find(key); it != foundByStation_.end()) return it->second;
  const Found* found = nullptr;
  SearchLines(kind, nullptr, [&](const Lead& l) { return l.region == region && l.index == index; },
              [&](size_t offset, StationSource&& entry) {
                found = &found_.emplace_back(Found{offset, std::move(entry)});
                return false;
              });
  foundByStation_.emplace(key, found);
  return found;
}

const StationSource* StationSources::Find(char kind, int region, int index) const {
  if (Searching()) {
    const Found* found = SearchStation(kind, region, index);
    return found ? &found->entry : nullptr;
  }
  auto it = index_.byStation.find(StationKey(kind, region, index));
  return it == index_.byStation.end() ? nullptr : &index_.entries[it->second];
}

std::vector<const StationSource*> StationSources::FindBySourceId(char kind, std::string_view sourceId) const {
  std::vector<const StationSource*> found;
  if (Searching()) {
    // A line counts when it is its station's first good line.
    std::vector<Found> lines;
    SearchLines(kind, &sourceId, [](const Lead&) { return true; },
                [&](size_t offset, StationSource&& entry) {
                  lines.push_back({offset, std::move(entry)});
                  return true;
                });
    for (const Found& line : lines) {
      const Found* first = SearchStation(line.entry.kind, line.entry.region, line.entry.index);
      if (first && first->offset == line.offset) found.push_back(&first->entry);
    }
    return found;
  }
  for (const StationSource& entry : index_.entries) {
    if (entry.kind == kind && EqualNoCase(entry.sourceId, sourceId)) found.push_back(&entry);
  }
  return found;
}

const StationSource* StationSources::FindByStationId(char kind, uint32_t stationId) const {
  if (Searching()) {
    const StationSource* found = nullptr;
    SearchLines(kind, nullptr, [&](const Lead& l) { return l.stationId == stationId; },
                [&](size_t offset, StationSource&& entry) {
                  const Found* first = SearchStation(entry.kind, entry.region, entry.index);
                  if (first && first->offset == offset) found = &first->entry;
                  return found == nullptr;
                });
    return found;
  }
  auto it = index_.byStationId.find(IdKey(kind, stationId));
  return it == index_.byStationId.end() ? nullptr : &index_.entries[it->second];
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
