#include "cli/csv_output.h"

namespace qw::cli {

std::string CsvField(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string out = "\"";
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

void WriteCsvRecord(std::FILE* out, std::initializer_list<std::string_view> fields) {
  bool first = true;
  for (std::string_view field : fields) {
    if (!first) std::fputc(',', out);
    first = false;
    std::string text = CsvField(field);
    std::fwrite(text.data(), 1, text.size(), out);
  }
  std::fputc('\n', out);
}

}  // namespace qw::cli
