// Printing a results table (event search, nearest stations, export) in the formats of
// the search, export and nearest commands, to standard output or to a file.
#pragma once

#include <optional>
#include <string>

#include "cli/cli_context.h"
#include "cli/options.h"
#include "cli/record_output.h"
#include "search/results_table.h"
#include "search/value_texts.h"

namespace qw::cli {

enum class TableFormat { Text, Dif, Sylk, Csv, Json };

// "text", "dif", "sylk", "csv" or "json"; a usage error for anything else.
TableFormat ParseTableFormat(const std::string& text);

// The options every table command takes (inline, so that they are initialised before
// the command registrations of the files that include this).
inline const OptionSpec kFormatOption{"format", true, "text|dif|sylk|csv|json", "output format (default text)"};
inline const OptionSpec kOutputOption{"output", true, "FILE", "write to FILE (also -o FILE) instead of standard output"};
inline const OptionSpec kUnitsOption{"units", true, "ft|m|cm", "height unit (default ft)"};
inline const OptionSpec kSpeedUnitsOption{"speed-units", true, "kt|m/s", "current speed unit (default kt)"};
inline const OptionSpec kClockOption{"clock", true, "12|24", "12-hour (9:30a) or 24-hour clock (default 24)"};

// The display units of --units, --speed-units and --clock (feet, knots, 24-hour clock by
// default).
ValueUnits ParseValueUnits(const ParsedArgs& args);

// The unit name of a station's values: "ft", "m" or "cm" for a tide station, "kt" or
// "m/s" for a current station.
const char* UnitName(const ValueUnits& units, StationKind kind);

// Writes the table: text is the four heading lines and the table in fixed-width columns;
// dif and sylk are the files the results window saves; csv has a "row" column and the
// column titles on its first line; json is one document {"command", "station" (when
// given), "headings", "columns", "rows"} whose rows hold the CSV row's texts under the
// column titles (a repeated title numbered " 2", " 3"...) and the instants the row
// stands for in ISO 8601 with their offsets: "datetime" (and "end_datetime" for a span
// of an event search; "datetime 2", ... for an export record's further times). With
// --output the file is replaced only when written whole. Returns the exit status.
int WriteTable(CliContext& context, const ResultsTable& table, TableFormat format,
               const std::optional<std::string>& outputPath, const char* command,
               const StationDescription* station = nullptr);

// Writes bytes to --output (atomically) or standard output; throws when the file cannot
// be written.
void WriteOutput(CliContext& context, const std::string& bytes, const std::optional<std::string>& outputPath);

}  // namespace qw::cli
