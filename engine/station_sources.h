// The side catalogue "catalogue.csv" in the data directory: for every installed station
// its public source and the identifier it has there (e.g. NOAA 9414290), its IANA time
// zone, licence and attribution.
//
// UTF-8 text, one header line "kind,region,index,station_id,source,source_id,time_zone,
// licence,attribution", then one line per station: kind T or C, region number, station
// index in the region file, stationId, and the texts. Columns a later edition adds after
// these are passed over. Fields may be quoted with '"'
// (a doubled quote inside stands for one). Damaged lines are skipped and counted; a
// damaged file never stops the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qw {

struct StationSource {
  char kind = 'T';       // 'T' tide, 'C' current
  int region = 0;        // region number (not slot)
  int index = 0;         // stationIndex in the region file
  uint32_t stationId = 0;
  std::string source;    // e.g. "NOAA", "CHS", "TICON"
  std::string sourceId;  // e.g. "9414290"
  std::string timeZone;  // IANA name, e.g. "America/Los_Angeles"
  std::string licence;
  std::string attribution;
};

class StationSources {
 public:
  static constexpr const char* kFileName = "catalogue.csv";

  // Reads the file; false (with `error` set) when it is missing, unreadable or has not
  // the expected header. Lines that cannot be understood are skipped.
  bool Load(const std::string& path, std::string* error = nullptr);
  // Parses text already in memory, with the same rules.
  bool Parse(std::string_view text, std::string* error = nullptr);

  size_t size() const { return entries_.size(); }
  size_t skippedLines() const { return skipped_; }
  const std::vector<StationSource>& entries() const { return entries_; }

  // The entry of a station, or nullptr.
  const StationSource* Find(char kind, int region, int index) const;
  // Every entry of `kind` whose source id equals `sourceId` (case-insensitive).
  std::vector<const StationSource*> FindBySourceId(char kind, std::string_view sourceId) const;

 private:
  std::vector<StationSource> entries_;
  std::unordered_map<uint64_t, size_t> byStation_;
  size_t skipped_ = 0;
};

// Splits one CSV line into fields (RFC 4180 quoting). False when a quote is unbalanced.
bool SplitCsvLine(std::string_view line, std::vector<std::string>& fields);

}  // namespace qw
