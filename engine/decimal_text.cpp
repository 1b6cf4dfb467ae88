#include "engine/decimal_text.h"

#include <charconv>
#include <cmath>

namespace qw {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Parses a number at the start of `text` (after blanks and an optional '+'); returns the
// characters used, 0 when there is no number.
size_t ParseLeading(std::string_view text, double& value) {
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  // from_chars takes a '-' but not a '+'; a sign is followed directly by the number.
  if (at < text.size() && text[at] == '+') {
    if (at + 1 < text.size() && (text[at + 1] == '-' || text[at + 1] == '+')) return 0;
    ++at;
  }
  const char* first = text.data() + at;
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
  if (error != std::errc() || end == first) return 0;
  return static_cast<size_t>(end - text.data());
}

}  // namespace

bool ParseDecimal(std::string_view text, double& value_out) {
  double value = 0;
  size_t used = ParseLeading(text, value);
  if (used == 0) return false;
  while (used < text.size() && IsBlank(text[used])) ++used;
  if (used != text.size() || !std::isfinite(value)) return false;
  value_out = value;
  return true;
}

std::optional<double> LeadingDecimal(std::string_view text) {
  double value = 0;
  if (ParseLeading(text, value) == 0) return std::nullopt;
  return value;
}

std::string FixedDecimal(double value, int decimals) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (error != std::errc()) return "0";
  return std::string(buffer, end);
}

}  // namespace qw
