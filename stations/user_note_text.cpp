#include "stations/user_note_text.h"

#include "stations/user_files.h"

namespace qw {

std::string UnixLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::optional<std::string> UserNoteText(std::string_view bytes, std::string* why) {
  if (bytes.find('\0') != std::string_view::npos) {
    if (why) *why = "the file is not a text file";
    return std::nullopt;
  }
  return UnixLineEnds(TextAsUtf8(bytes));
}

}  // namespace qw
