#include "cli/table_output.h"

#include <algorithm>

#include "cli/cli_errors.h"
#include "cli/csv_output.h"
#include "export/output_file.h"
#include "export/spreadsheet_writers.h"

namespace qw::cli {

TableFormat ParseTableFormat(const std::string& text) {
  if (text == "text") return TableFormat::Text;
  if (text == "dif") return TableFormat::Dif;
  if (text == "sylk") return TableFormat::Sylk;
  if (text == "csv") return TableFormat::Csv;
  throw UsageError("--format must be text, dif, sylk or csv, not '" + text + "'");
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

int WriteTable(CliContext& context, const ResultsTable& table, TableFormat format,
               const std::optional<std::string>& outputPath) {
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
      std::string line = "row";
      for (int c = 0; c < table.columns(); ++c) line += "," + CsvField(table.column(c).title);
      sink.text += line + "\n";
      for (int r = 0; r < table.rows(); ++r) {
        line = CsvField(table.RowLabel(r));
        for (int c = 0; c < table.columns(); ++c) line += "," + CsvField(table.Cell(r, c));
        sink.text += line + "\n";
      }
      break;
    }
    case TableFormat::Text: {
      for (int line = 0; line < ResultsTable::kHeadingLines; ++line) {
        if (!table.heading(line).empty()) sink.text += table.heading(line) + "\n";
      }
      sink.text += "\n";
      // Columns two blanks apart, as wide as their widest text; row numbers on the left.
      auto length = [](const std::string& t) {
        size_t n = 0;
        for (char ch : t) n += (ch & 0xC0) != 0x80;
        return n;
      };
      std::vector<size_t> widths;
      size_t labelWidth = 1;
      for (int r = 0; r < table.rows(); ++r) labelWidth = std::max(labelWidth, length(table.RowLabel(r)));
      for (int c = 0; c < table.columns(); ++c) {
        size_t w = length(table.column(c).title);
        for (int r = 0; r < table.rows(); ++r) w = std::max(w, length(table.Cell(r, c)));
        widths.push_back(w);
      }
      auto pad = [&](const std::string& t, size_t width, bool right) {
        const std::string blanks(width > length(t) ? width - length(t) : 0, ' ');
        return right ? blanks + t : t + blanks;
      };
      auto row = [&](const std::string& label, auto cell) {
        std::string line = pad(label, labelWidth, true);
        for (int c = 0; c < table.columns(); ++c) line += "  " + pad(cell(c), widths[static_cast<size_t>(c)], false);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        return line + "\n";
      };
      sink.text += row("", [&](int c) { return table.column(c).title; });
      for (int r = 0; r < table.rows(); ++r) sink.text += row(table.RowLabel(r), [&](int c) { return table.Cell(r, c); });
      break;
    }
  }
  WriteOutput(context, sink.text, outputPath);
  return kExitOk;
}

}  // namespace qw::cli
