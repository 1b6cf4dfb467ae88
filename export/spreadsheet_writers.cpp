#include "export/spreadsheet_writers.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "engine/string_table.h"
#include "export/export_texts.h"

namespace qw {
namespace {

constexpr int kMaxAsciiColumns = 200;
constexpr int kMaxAsciiWidth = 1800;

// The table as the writers walk it: row -1 is the title row, column -1 the labels.
const std::string kTitleRowLabel = " ";

const std::string& CellOf(const ResultsTable& table, int row, int column) {
  if (row < 0) return column < 0 ? kTitleRowLabel : table.column(column).title;
  return column < 0 ? table.RowLabel(row) : table.Cell(row, column);
}

void RowDone(SearchProgress& progress, int row) {
  progress.Status(1, StringText(text::kSavingData));
  progress.Status(2, FormatString(text::kSavingRow, row));
  progress.Pump();
}

std::string Printf(const char* format, auto... args) {
  char small[256];
  const int size = std::snprintf(small, sizeof small, format, args...);
  if (size < 0) return std::string();
  if (static_cast<size_t>(size) < sizeof small) return std::string(small, static_cast<size_t>(size));
  std::vector<char> large(static_cast<size_t>(size) + 1);
  std::snprintf(large.data(), large.size(), format, args...);
  return std::string(large.data(), static_cast<size_t>(size));
}

void AppendNumber(std::string& out, long value) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// Characters of UTF-8 text.
size_t CharacterCount(std::string_view text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// The text cut or padded with blanks to `width` characters.
std::string Fixed(std::string_view text, int width) {
  std::string out;
  int count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((text[i] & 0xC0) != 0x80) {
      if (count == width) break;
      ++count;
    }
    out += text[i];
  }
  out.append(static_cast<size_t>(std::max(0, width - count)), ' ');
  return out;
}

}  // namespace

bool IsNumericText(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  const size_t start = i;
  while (i < text.size() && (text[i] == '-' || text[i] == '.' || (text[i] >= '0' && text[i] <= '9'))) ++i;
  if (i == start) return false;
  while (i < text.size() && text[i] == ' ') ++i;
  return i == text.size();
}

std::vector<int> ColumnWidthsInCharacters(const ResultsTable& table, int averageCharWidth) {
  std::vector<int> widths;
  for (int c = 0; c < table.columns(); ++c) {
    widths.push_back(averageCharWidth > 0 ? table.column(c).widthPixels / averageCharWidth : 0);
  }
  return widths;
}

std::vector<int> ColumnWidthsFromText(const ResultsTable& table) {
  std::vector<int> widths;
  for (int c = 0; c < table.columns(); ++c) {
    size_t width = CharacterCount(table.column(c).title);
    for (int r = 0; r < table.rows(); ++r) width = std::max(width, CharacterCount(table.Cell(r, c)));
    widths.push_back(static_cast<int>(width) + 1);
  }
  return widths;
}

bool WriteDif(const ResultsTable& table, const std::string& title, ByteSink& out, SearchProgress& progress) {
  const int rows = table.rows(), columns = table.columns();
  // The counts include the title row and the label column, so that readers find as
  // many values in each row as the header announces.
  std::string head = "TABLE\r\n0,1\r\n\"" + title + "\"\r\n";
  head += Printf("TUPLES\r\n0,%i\r\n\"\"\r\n", rows + 1);
  head += Printf("VECTORS\r\n0,%i\r\n\"\"\r\n", columns + 1);
  head += "DATA\r\n0,0\r\n\"\"\r\n";
  BlockSink blocks(out);
  if (!blocks.WriteBytes(head)) return false;
  std::string line;
  for (int r = -1; r < rows; ++r) {
    line = "-1,0\r\nBOT\r\n";
    for (int c = -1; c < columns; ++c) {
      const std::string& cell = CellOf(table, r, c);
      if (IsNumericText(cell)) {
        line += "0,";
        line += cell;
        line += "\r\nV\r\n";
      } else {
        line += "1,0\r\n\"";
        line += cell;
        line += "\"\r\n";
      }
    }
    if (!blocks.WriteBytes(line)) return false;
    RowDone(progress, r);
  }
  return blocks.WriteBytes("-1,0\r\nEOD\r\n") && blocks.Flush();
}

bool WriteSylk(const ResultsTable& table, const std::vector<int>& widths, ByteSink& out, SearchProgress& progress) {
  const int rows = table.rows(), columns = table.columns();
  // Readers number rows and columns from 1: the title row is Y1, the label column X1,
  // data cell (i, j) is at Y i + 2, X j + 2.
  // "ID;P" and the program name: spreadsheet readers refuse an ID record without the P.
  std::string head = "ID;PVELDA\r\nF;DG0G10\r\n";
  for (int k = 0; k < columns; ++k) {
    head += Printf("F;W%i %i %i\r\n", k + 2, k + 2, k < static_cast<int>(widths.size()) ? widths[k] : 10);
  }
  head += Printf("B;Y%li;X%li\r\n", static_cast<long>(rows) + 1, static_cast<long>(columns) + 1);
  BlockSink blocks(out);
  if (!blocks.WriteBytes(head)) return false;
  std::string line;
  for (int r = -1; r < rows; ++r) {
    line.clear();
    for (int c = -1; c < columns; ++c) {
      const std::string& cell = CellOf(table, r, c);
      const bool numeric = IsNumericText(cell);
      line += "C;Y";
      AppendNumber(line, static_cast<long>(r) + 2);
      line += ";X";
      AppendNumber(line, static_cast<long>(c) + 2);
      line += numeric ? ";K" : ";K\"";
      // As printf's %s wrote it: up to a NUL byte.
      line.append(cell.c_str());
      line += numeric ? "\r\n" : "\"\r\n";
    }
    if (!blocks.WriteBytes(line)) return false;
    RowDone(progress, r);
  }
  return blocks.WriteBytes("W;N1;A1 1\r\nE\r\n") && blocks.Flush();
}

AsciiLimit CheckAsciiLimits(const ResultsTable& table, const std::vector<int>& widths, int& value) {
  if (table.columns() > kMaxAsciiColumns) {
    value = table.columns();
    return AsciiLimit::TooManyColumns;
  }
  int sum = 0;
  for (int c = 0; c < table.columns() && c < static_cast<int>(widths.size()); ++c) sum += widths[c];
  if (sum > kMaxAsciiWidth) {
    value = sum;
    return AsciiLimit::WidthsTooLarge;
  }
  return AsciiLimit::None;
}

bool WriteAscii(const ResultsTable& table, const std::string& title, const std::vector<int>& widths,
                const std::string& fieldDelimiter, const std::string& recordDelimiter, ByteSink& out,
                SearchProgress& progress) {
  int limitValue = 0;
  if (CheckAsciiLimits(table, widths, limitValue) != AsciiLimit::None) return false;
  const int rows = table.rows(), columns = table.columns();
  auto widthOf = [&](int c) { return c < static_cast<int>(widths.size()) ? widths[c] : 0; };
  const bool delimited = !fieldDelimiter.empty();
  int labelWidth = 1;
  for (int r = 0; r < rows; ++r) labelWidth = std::max(labelWidth, static_cast<int>(CharacterCount(table.RowLabel(r))));

  std::string line;
  if (delimited) {
    if (columns > 1) {
      line = title;
      for (int n = 0; n < columns - 2; ++n) line += fieldDelimiter;
    }
  } else {
    int sum = 0;
    for (int c = 0; c < columns; ++c) sum += widthOf(c);
    line = title;
    if (static_cast<int>(CharacterCount(line)) < sum) line.append(sum - CharacterCount(line), ' ');
  }
  BlockSink blocks(out);
  if (!blocks.WriteBytes(line) || !blocks.WriteBytes(recordDelimiter)) return false;

  for (int r = -1; r < rows; ++r) {
    line.clear();
    for (int c = -1; c < columns; ++c) {
      const std::string& cell = CellOf(table, r, c);
      if (delimited) {
        if (c > -1) line += fieldDelimiter;
        const bool numeric = IsNumericText(cell);
        if (!numeric) line += '"';
        line += cell;
        if (!numeric) line += '"';
      } else {
        line += Fixed(cell, c < 0 ? labelWidth : widthOf(c));
      }
    }
    if (!blocks.WriteBytes(line) || !blocks.WriteBytes(recordDelimiter)) return false;
    RowDone(progress, r);
  }
  return blocks.Flush();
}

}  // namespace qw
