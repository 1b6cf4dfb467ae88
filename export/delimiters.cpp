#include "export/delimiters.h"

#include "engine/string_table.h"
#include "export/export_texts.h"

namespace qw {
namespace {

constexpr const char* kEscaped[kDelimiterCount] = {"\\x0D\\x0A", "\\x0D", "\\x0A", "\\x09", ",", " ", "~", "#", "^",
                                                  "*",          "|",     "/",     "{",     "}", "[", "]", ""};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

}  // namespace

const char* DelimiterName(int position) {
  return position >= 0 && position < kDelimiterCount ? StringText(text::kDelimiterNames + position) : "";
}

const char* DelimiterEscaped(int position) {
  return position >= 0 && position < kDelimiterCount ? kEscaped[position] : "";
}

std::string DelimiterText(int position) { return ConvertEscapes(DelimiterEscaped(position)); }

std::string ConvertEscapes(std::string_view text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i++];
    if (c != '\\') {
      if (c == '\0') break;
      out += c;
      continue;
    }
    if (i >= text.size()) break;  // a backslash at the very end is dropped
    const char e = text[i++];
    switch (e) {
      case 'n': c = '\n'; break;
      case 't': c = '\t'; break;
      case 'v': c = '\v'; break;
      case 'b': c = '\b'; break;
      case 'r': c = '\r'; break;
      case 'f': c = '\f'; break;
      case 'a': c = '\a'; break;
      case 'd':
      case 'D': {
        int code = 0;
        for (int n = 0; n < 3 && i < text.size() && text[i] >= '0' && text[i] <= '9'; ++n) code = code * 10 + (text[i++] - '0');
        c = static_cast<char>(code & 0xFF);
        break;
      }
      case 'x':
      case 'X': {
        int code = 0;
        for (int n = 0; n < 2; ++n) code = code * 16 + (i < text.size() ? HexDigit(text[i++]) : 0);
        c = static_cast<char>(code);
        break;
      }
      default: c = e; break;  // \\ \? \' \" and any other character stand for themselves
    }
    if (c == '\0') break;
    out += c;
  }
  return out;
}

}  // namespace qw
