// Comma-separated output: one record per line, fields quoted only when they must be.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

namespace qw::cli {

// The field as CSV: quoted (with doubled quotes) when it holds a comma, quote or line break.
std::string CsvField(std::string_view field);

// Writes one record followed by "\n".
void WriteCsvRecord(std::FILE* out, std::initializer_list<std::string_view> fields);

}  // namespace qw::cli
