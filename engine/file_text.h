// A whole file read into memory in one piece.
#pragma once

#include <string>

namespace qw {

// Replaces `text_out` with the file's bytes, read with one allocation of the file's size;
// false when the file cannot be opened or read.
bool ReadFileText(const std::string& path, std::string& text_out);

}  // namespace qw
