// A results table written as a spreadsheet: Data Interchange Format (DIF), Symbolic
// Link (SYLK), or delimited or fixed-width text.
//
// Each writer adds a title row in front of the data rows (a single blank as its label,
// then the column titles) and a label column in front of the columns (the row labels).
// Cell texts are written exactly as they stand: numeric ones as numbers, others as
// text; a double quote inside a text is neither doubled nor escaped. Lines end in CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "export/output_file.h"
#include "search/results_table.h"
#include "search/search_progress.h"

namespace qw {

enum class SaveFormat { Dif = 1, Sylk = 2, Ascii = 3 };

// After leading blanks, a non-empty run of '-', '.' and digits followed only by blanks:
// "-1.5", " 42 ", "." and "-" are numeric; "12:30", "N" and "" are not.
bool IsNumericText(std::string_view text);

// Column widths in characters: each column's pixel width divided by the average
// character width of the window's font (integer division).
std::vector<int> ColumnWidthsInCharacters(const ResultsTable& table, int averageCharWidth);
// Widths that fit every title and cell, for a table that was never on screen.
std::vector<int> ColumnWidthsFromText(const ResultsTable& table);

// The progress lines of a save: "Saving Row %d" after each row (-1 for the title row),
// with pending events run; a save is not stopped.
bool WriteDif(const ResultsTable& table, const std::string& title, ByteSink& out, SearchProgress& progress);
bool WriteSylk(const ResultsTable& table, const std::vector<int>& widths, ByteSink& out, SearchProgress& progress);

// The limits of the text writer: at most 200 columns and 1800 characters of width in
// all. `value` receives the column count or the width sum that was too large.
enum class AsciiLimit { None, TooManyColumns, WidthsTooLarge };
AsciiLimit CheckAsciiLimits(const ResultsTable& table, const std::vector<int>& widths, int& value);

// Delimited text when `fieldDelimiter` is not empty (non-numeric texts in double
// quotes), else fixed-width columns of `widths` characters (the label column as wide as
// its longest label). The limits are checked first; nothing is written past them.
bool WriteAscii(const ResultsTable& table, const std::string& title, const std::vector<int>& widths,
                const std::string& fieldDelimiter, const std::string& recordDelimiter, ByteSink& out,
                SearchProgress& progress);

}  // namespace qw
