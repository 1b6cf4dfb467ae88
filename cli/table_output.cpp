#include "cli/table_output.h"

#include <algorithm>
#include <variant>

#include "cli/cli_errors.h"
#include "cli/block_output.h"
#include "export/output_file.h"
#include "export/spreadsheet_writers.h"

namespace qw::cli {

TableFormat ParseTableFormat(const std::string& text) {
  if (text == "text") return TableFormat::Text;
  if (text == "dif") return TableFormat::Dif;
  if (text == "sylk") return TableFormat::Sylk;
  if (text == "csv") return TableFormat::Csv;
  if (text == "json") return TableFormat::Json;
  throw UsageError("--format must be text, dif, sylk, csv or json, not '" + text + "'");
}

ValueUnits ParseValueUnits(const ParsedArgs& args) {
  ValueUnits units;
  units.clock = TimeType::Clock24;
  if (auto u = args.Value("units")) {
    if (*u == "ft") units.tide = TideUnit::Feet;
    else if (*u == "m") units.tide = TideUnit::Metres;
    else if (*u == "cm") units.tide = TideUnit::Centimetres;
    else throw UsageError("--units must be ft, m or cm, not '" + *u + "'");
  }
  if (auto u = args.Value("speed-units")) {
    if (*u == "kt") units.current = CurrentUnit::Knots;
    else if (*u == "m/s" || *u == "ms") units.current = CurrentUnit::MetresPerSecond;
    else throw UsageError("--speed-units must be kt or m/s, not '" + *u + "'");
  }
  if (auto c = args.Value("clock")) {
    if (*c == "12") units.clock = TimeType::Clock12;
    else if (*c == "24") units.clock = TimeType::Clock24;
    else throw UsageError("--clock must be 12 or 24, not '" + *c + "'");
  }
  return units;
}

const char* UnitName(const ValueUnits& units, StationKind kind) {
  if (kind == StationKind::Current) return units.current == CurrentUnit::MetresPerSecond ? "m/s" : "kt";
  switch (units.tide) {
    case TideUnit::Metres: return "m";
    case TideUnit::Centimetres: return "cm";
    default: return "ft";
  }
}

void WriteOutput(CliContext& context, const std::string& bytes, const std::optional<std::string>& outputPath) {
  if (!outputPath) {
    std::fwrite(bytes.data(), 1, bytes.size(), context.out());
    return;
  }
  AtomicOutputFile file;
  std::string error;
  if (!file.Open(*outputPath, &error) || !file.WriteBytes(bytes) || !file.Commit(&error)) {
    throw UsageError("cannot write " + *outputPath + (error.empty() ? "" : ": " + error));
  }
}

namespace {

// Characters of UTF-8 text.
size_t Length(std::string_view text) {
  size_t n = 0;
  for (char ch : text) n += (ch & 0xC0) != 0x80;
  return n;
}

void WriteCsvTable(const ResultsTable& table, BlockOutput& out) {
  RecordOutput::CsvField(out, "row");
  for (int c = 0; c < table.columns(); ++c) {
    out.Put(',');
    RecordOutput::CsvField(out, table.column(c).title);
  }
  out.Put('\n');
  for (int r = 0; r < table.rows(); ++r) {
    RecordOutput::CsvField(out, table.RowLabel(r));
    for (int c = 0; c < table.columns(); ++c) {
      out.Put(',');
      RecordOutput::CsvField(out, table.Cell(r, c));
    }
    out.Put('\n');
  }
}

// The four heading lines, a blank line and the table in columns two blanks apart, as
// wide as their widest text, row numbers on the left.
void WriteTextTable(const ResultsTable& table, BlockOutput& out) {
  for (int line = 0; line < ResultsTable::kHeadingLines; ++line) {
    if (!table.heading(line).empty()) {
      out.Append(table.heading(line));
      out.Put('\n');
    }
  }
  out.Put('\n');
  std::vector<size_t> widths;
  size_t labelWidth = 1;
  for (int r = 0; r < table.rows(); ++r) labelWidth = std::max(labelWidth, Length(table.RowLabel(r)));
  for (int c = 0; c < table.columns(); ++c) {
    size_t w = Length(table.column(c).title);
    for (int r = 0; r < table.rows(); ++r) w = std::max(w, Length(table.Cell(r, c)));
    widths.push_back(w);
  }
  std::string line;
  auto pad = [&](std::string_view text, size_t width, bool right) {
    const size_t blanks = width > Length(text) ? width - Length(text) : 0;
    if (right) line.append(blanks, ' ');
    line += text;
    if (!right) line.append(blanks, ' ');
  };
  auto row = [&](std::string_view label, auto cell) {
    line.clear();
    pad(label, labelWidth, true);
    for (int c = 0; c < table.columns(); ++c) {
      line += "  ";
      pad(cell(c), widths[static_cast<size_t>(c)], false);
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    line += '\n';
    out.Append(line);
  };
  row("", [&](int c) -> const std::string& { return table.column(c).title; });
  for (int r = 0; r < table.rows(); ++r) {
    row(table.RowLabel(r), [&](int c) -> const std::string& { return table.Cell(r, c); });
  }
}

// The column titles as JSON keys: a title met again (an export's repeated fields) gets
// " 2", " 3" and so on.
std::vector<std::string> ColumnKeys(const ResultsTable& table) {
  std::vector<std::string> keys;
  for (int c = 0; c < table.columns(); ++c) {
    std::string key = table.column(c).title;
    int seen = 1;
    for (int d = 0; d < c; ++d) seen += table.column(d).title == key;
    if (seen > 1) key += " " + std::to_string(seen);
    keys.push_back(std::move(key));
  }
  return keys;
}

// A time of a row as "2026-07-04T05:12:00-07:00" under `key`.
void JsonInstant(JsonWriter& json, const char* key, EngineMinute shown, int32_t utcOffset) {
  json.Key(key);
  JsonText(json, IsoDateTimeText(ClockReading{0, shown, utcOffset}).view());
}

// The instants a row stands for, ISO 8601 with their offsets: an event search hit's
// "datetime" (and "end_datetime" for a span), an export row's "datetime", "datetime 2",
// ... in the order of its times. Nearest-station rows have none.
void WriteRowInstants(JsonWriter& json, const RowRecord& record) {
  if (const auto* hit = std::get_if<EventHit>(&record)) {
    JsonInstant(json, "datetime", hit->start, hit->startOffset);
    if (hit->end != hit->start) JsonInstant(json, "end_datetime", hit->end, hit->endOffset);
  } else if (const auto* instants = std::get_if<RowInstants>(&record)) {
    for (size_t i = 0; i < instants->size(); ++i) {
      const std::string key = i == 0 ? std::string("datetime") : "datetime " + std::to_string(i + 1);
      JsonInstant(json, key.c_str(), (*instants)[i].shown, (*instants)[i].utcOffset);
    }
  }
}

void WriteJsonTable(const ResultsTable& table, const char* command, const StationDescription* station,
                    BlockOutput& out) {
  JsonWriter json(out);
  json.StartObject();
  json.Key("command");
  JsonText(json, command);
  if (station) {
    json.Key("station");
    WriteStationJson(json, *station);
  }
  json.Key("headings");
  json.StartArray();
  for (int line = 0; line < ResultsTable::kHeadingLines; ++line) {
    if (!table.heading(line).empty()) JsonText(json, table.heading(line));
  }
  json.EndArray();
  const std::vector<std::string> keys = ColumnKeys(table);
  json.Key("columns");
  json.StartArray();
  JsonText(json, "row");
  for (const std::string& key : keys) JsonText(json, key);
  json.EndArray();
  json.Key("rows");
  json.StartArray();
  for (int r = 0; r < table.rows(); ++r) {
    json.StartObject();
    json.Key("row");
    JsonText(json, table.RowLabel(r));
    WriteRowInstants(json, table.record(r));
    for (int c = 0; c < table.columns(); ++c) {
      json.Key(keys[static_cast<size_t>(c)].c_str());
      JsonText(json, table.Cell(r, c));
    }
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  out.Put('\n');
}

}  // namespace

int WriteTable(CliContext& context, const ResultsTable& table, TableFormat format,
               const std::optional<std::string>& outputPath, const char* command,
               const StationDescription* station) {
  StringSink sink;
  SearchProgress quiet;
  switch (format) {
    case TableFormat::Dif:
      WriteDif(table, table.TableTitle(), sink, quiet);
      break;
    case TableFormat::Sylk:
      WriteSylk(table, ColumnWidthsFromText(table), sink, quiet);
      break;
    case TableFormat::Csv: {
      BlockOutput out(nullptr, &sink.text);
      WriteCsvTable(table, out);
      break;
    }
    case TableFormat::Json: {
      BlockOutput out(nullptr, &sink.text);
      WriteJsonTable(table, command, station, out);
      break;
    }
    case TableFormat::Text: {
      BlockOutput out(nullptr, &sink.text);
      WriteTextTable(table, out);
      break;
    }
  }
  WriteOutput(context, sink.text, outputPath);
  return kExitOk;
}

}  // namespace qw::cli
