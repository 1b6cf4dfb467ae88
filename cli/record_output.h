// The rows of a command as CSV or as one JSON document, written in blocks.
//
// CSV: the column names on the first line, then one record per row, fields quoted only
// when they must be. JSON: one object
//   {"command": "heights", "station": {...}, "rows": [{...}, ...]}
// whose rows carry the same texts under the CSV column names (a number column as a JSON
// number, null when empty) and, for rows at an instant, "datetime": the station's time
// with its UTC offset in ISO 8601. "station" is left out for commands without one.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// RapidJSON 1.1 (Debian's) adds an offset to its stack's null pointer before the stack's
// first allocation: harmless on any real machine, but undefined, and clang's sanitizer stops
// on it. Its functions are built without that one check.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((no_sanitize("pointer-overflow"))), apply_to = function)
#endif
#include <rapidjson/writer.h>
#if defined(__clang__)
#pragma clang attribute pop
#endif

#include "cli/block_output.h"
#include "cli/cli_context.h"
#include "cli/options.h"
#include "cli/station_ref.h"

namespace qw::cli {

enum class RowFormat { Text, Csv, Json };

// --format text|csv|json, or the older flag --csv.
RowFormat ParseRowFormat(const ParsedArgs& args);
inline const OptionSpec kRowFormatOption{"format", true, "text|csv|json", "output format (default text)"};

// What the JSON document says about a station: who it is, where its data came from,
// its clock and the datum and units of its values.
struct StationDescription {
  std::string name;
  std::string kind;  // "tide" or "current"
  int slot = 0, index = 0, regionNumber = 0;
  int stationId = 0, referenceId = 0;
  std::string role;                      // reference, subordinate, area
  std::string source, sourceId;          // "NOAA", "9414290"; empty when unknown
  std::optional<double> latitude, longitude;  // degrees, north and east positive
  std::string timeZone;                  // IANA name; empty when the clock has none
  std::string datum;                     // the datum heights are above; empty for currents
  std::string units;                     // "ft", "m", "cm", "kt", "mps"; empty when none
};

StationDescription DescribeStation(CliContext& context, const ResolvedStation& station, std::string units);

struct RecordColumn {
  const char* name;
  bool number = false;  // JSON: the text as a number, null when empty
  bool plain = false;   // the program's own texts (dates, times, values, units): never quoted
};

// RapidJSON's streaming writer over a block output: a year of minute rows is written as
// it is made, never held as a document in memory.
using JsonWriter = rapidjson::Writer<BlockOutput>;

// A text as a JSON string (RapidJSON escapes it).
inline void JsonText(JsonWriter& json, std::string_view text) {
  json.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
}

// The station as the value of a "station" key the caller has written.
void WriteStationJson(JsonWriter& json, const StationDescription& station);

class RecordOutput {
 public:
  // Writes to the context's standard output, or appended to `text` when given.
  RecordOutput(CliContext& context, RowFormat format, const char* command, std::vector<RecordColumn> columns,
               std::string* text = nullptr);
  ~RecordOutput();

  RowFormat format() const { return format_; }

  // A field as CSV: quoted (with doubled quotes) when it holds a comma, quote or line break.
  static void CsvField(BlockOutput& out, std::string_view field);
  // The block output a text-format command prints its own lines to.
  BlockOutput& out() { return out_; }

  // CSV: the column names. JSON: the document's opening, with the station when given.
  void Begin(const StationDescription* station = nullptr);
  // One row: a text per column, in order; `at` adds the row's ISO 8601 time in JSON.
  void Row(std::initializer_list<std::string_view> fields, const ClockReading* at = nullptr);
  void Row(const std::vector<std::string>& fields, const ClockReading* at = nullptr);
  // JSON: closes the document; then writes what is left.
  void End();

 private:
  void RowFields(const std::string_view* fields, size_t count, const ClockReading* at);

  RowFormat format_;
  std::string command_;
  std::vector<RecordColumn> columns_;
  bool allPlain_ = false;  // every column is plain: CSV rows are joined without a look
  BlockOutput out_;
  std::optional<JsonWriter> json_;
  bool begun_ = false;
  bool ended_ = false;
};

}  // namespace qw::cli
