// The side catalogue "catalogue.csv" in the data directory: for every installed station
// its public source and the identifier it has there (e.g. NOAA 9414290), its IANA time
// zone, licence and attribution, and who published the data.
//
// UTF-8 text, one header line, then one line per station. The header starts with the nine
// columns every edition has, "kind,region,index,station_id,source,source_id,time_zone,
// licence,attribution"; the columns after them are read by name and may be absent
// (kStationSourceColumns lists them all). A line holds as many fields as the header. Kind
// is T or C, region the region number, index the station index in the region file. Fields
// may be quoted with '"' (a doubled quote inside stands for one). Damaged lines are
// skipped and counted; a damaged file never stops the program.
//
// The `source` column is the station database's source family ("NOAA", "TICON-4",
// "Kartverket"), never read from the station's number range: a TICON-4 gauge in Canada is
// in the Canadian file family but not data of the Canadian Hydrographic Service.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/file_text.h"

namespace qw {

struct StationSource {
  char kind = 'T';       // 'T' tide, 'C' current
  int region = 0;        // region number (not slot)
  int index = 0;         // stationIndex in the region file
  uint32_t stationId = 0;
  std::string source;    // source family: "NOAA", "CHS", "TICON-4", "Kartverket"
  std::string sourceId;  // e.g. "9414290"
  std::string timeZone;  // IANA name, e.g. "America/Los_Angeles"
  std::string licence;   // licence id: "public domain", "cc-by-4.0", "cc-by-nc-4.0"
  std::string attribution;
  // Optional columns; empty (commercialUse: from the licence id) in an older file.
  std::string sourceLabel;  // shown beside the station: "NOAA", "TICON-4 (UHSLC)", "Kartverket"
  std::string sourceName;   // "US National Oceanic and Atmospheric Administration (NOAA)", ...
  std::string agency;       // TICON-4: the agency that collected the gauge record; "" when not known
  std::string licenceUrl;
  bool commercialUse = true;  // false: the licence forbids commercial use (CC BY-NC)
  std::string context;        // the source's words placing the station, e.g. "0.46 Nm E of"
  // Current stations: how the record's average speeds were obtained, "computed 1983-2001"
  // (from the station's own predictions over that epoch); "" when the record has none.
  std::string averages;
};

// Every column in file order; the first kStationSourceRequiredColumns must be there.
extern const char* const kStationSourceColumns[];
constexpr size_t kStationSourceColumnCount = 16;
constexpr size_t kStationSourceRequiredColumns = 9;

class StationSources {
 public:
  static constexpr const char* kFileName = "catalogue.csv";

  // Reads the file; false (with `error` set) when it is missing, unreadable or has not
  // the expected header. Lines that cannot be understood are skipped.
  bool Load(const std::string& path, std::string* error = nullptr);
  // Parses text already in memory, with the same rules.
  bool Parse(std::string_view text, std::string* error = nullptr);

  // Reads the file and its header only, for a program that asks about a few stations: the
  // lookups below then search the text for the lines they need and read only those, with
  // the rules of Load (the first good line of a station stands). After kLookupsBeforeIndex
  // such searches, or on the first call of size(), skippedLines() or entries(), every line
  // is read as Load does. Lookups then change the object: not for use from several
  // threads at once.
  bool Open(const std::string& path, std::string* error = nullptr);
  // The same over text given (the object keeps it).
  bool OpenText(std::string text, std::string* error = nullptr);
  static constexpr int kLookupsBeforeIndex = 16;

  size_t size() const { return Indexed().entries.size(); }
  size_t skippedLines() const { return Indexed().skipped; }
  const std::vector<StationSource>& entries() const { return Indexed().entries; }

  // The entry of a station, or nullptr.
  const StationSource* Find(char kind, int region, int index) const;
  // Every entry of `kind` whose source id equals `sourceId` (case-insensitive).
  std::vector<const StationSource*> FindBySourceId(char kind, std::string_view sourceId) const;
  // The entry of the station of `kind` whose stationId is `stationId` (a reference
  // station's id is its harmonic record or file number, its stations' referenceId), or
  // nullptr. Station ids are unique per kind.
  const StationSource* FindByStationId(char kind, uint32_t stationId) const;

 private:
  struct Index {
    std::vector<StationSource> entries;
    std::unordered_map<uint64_t, size_t> byStation;
    std::unordered_map<uint64_t, size_t> byStationId;
    size_t skipped = 0;
  };
  // An entry read from the text on its own, and where its line starts there.
  struct Found {
    size_t offset;
    StationSource entry;
  };
  struct Lead;
  static void ReadLines(std::string_view text, const std::vector<int>& columnOf, Index& index);
  void Clear();
  bool OpenFileText(FileText text, std::string* error);
  // Opens the file's text; false, with nothing held and `error` set, when it cannot be read.
  bool OpenFile(const std::string& path, FileText& text, std::string* error);
  const Index& Indexed() const;
  bool Searching() const;
  const Found* SearchStation(char kind, int region, int index) const;
  template <typename Want, typename Take>
  void SearchLines(char kind, const std::string_view* sourceId, Want want, Take take) const;

  // Every entry; filled by Parse and Load, or from text_ when an opened file is read whole
  // (what the searches found stays in found_ for whoever holds it).
  mutable Index index_;
  // Open: the file's text, the entry field of each of its columns, where the lines after
  // the header start, the lines found so far (a deque, so that what the lookups returned
  // stays where it is) and the searches made.
  FileText text_;
  std::vector<int> columnOf_;
  size_t bodyStart_ = 0;
  mutable bool open_ = false;
  mutable std::deque<Found> found_;
  mutable std::unordered_map<uint64_t, const Found*> foundByStation_;
  mutable int searches_ = 0;
};

// The label shown beside a station ("NOAA", "TICON-4 (UHSLC)", "Kartverket"): the
// catalogue's label, or its source family when the file has no label column.
std::string SourceLabel(const StationSource& entry);
// The licence as people write it: "public domain", "CC BY 4.0", "CC BY-NC 4.0".
std::string LicenceName(std::string_view licenceId);
// True when the licence forbids commercial use, which the program must say.
bool IsNonCommercial(const StationSource& entry);

// The file's text, header included, one line per entry in the order given: the writer of
// the data builder and of test fixtures.
std::string EncodeStationSources(const std::vector<StationSource>& entries);

// Splits one CSV line into fields (RFC 4180 quoting). False when a quote is unbalanced.
bool SplitCsvLine(std::string_view line, std::vector<std::string>& fields);

// A field that is a whole number within low..high, nothing else.
template <typename T>
bool ParseCsvNumber(std::string_view text, T& out, T low, T high) {
  const char* end = text.data() + text.size();
  auto result = std::from_chars(text.data(), end, out);
  return result.ec == std::errc() && result.ptr == end && out >= low && out <= high;
}

// Equal texts in any mix of ASCII case.
bool EqualNoCase(std::string_view a, std::string_view b);

}  // namespace qw
