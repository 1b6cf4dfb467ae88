// The text of a user note file (see station_notes.h), from its bytes: plain C++ with no
// file access, so that the reader can be fuzzed on any bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qw {

// The note's text as UTF-8 with "\n" line ends: Windows-1252 text of another program is
// converted, "\r\n" and "\r" become "\n". Nothing, with `why` set, when the bytes are not
// a text file (they hold a NUL byte).
std::optional<std::string> UserNoteText(std::string_view bytes, std::string* why = nullptr);

// "\r\n" and lone "\r" as "\n".
std::string UnixLineEnds(std::string_view text);

}  // namespace qw
