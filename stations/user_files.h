// Safe handling of the files the user owns (custom locations, notes, groups): bounded
// whole-file reads that tell a missing file from a damaged one, keeping a damaged file
// aside under a new name before anything could replace it, and the checks that refuse a
// name or text the file formats cannot hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qw {

enum class ReadResult {
  Read,        // the whole file is in `bytes`
  Missing,     // no such file
  TooLarge,    // larger than the caller's limit; nothing read
  Unreadable,  // exists but could not be read (a folder, no permission, an I/O error)
};

// Reads the whole file when it holds at most `maxBytes`. `error` says why otherwise.
ReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                         std::string* error = nullptr);

// Moves a damaged file out of the way, to "<path>.damaged" (or ".damaged2", ".damaged3",
// ... when taken), so that nothing written later replaces it. Returns the new path, or
// an empty string with `error` set when it could not be moved. A file is kept once: when
// one of those names already holds the same bytes, that copy is returned (the file is
// then removed by MoveAside, left by CopyAside) and no new copy is made. Only code about
// to replace or drop the file moves it; readers report and leave it.
std::string MoveAside(const std::string& path, std::string* error = nullptr);
// The same, but copying: the damaged file stays where it is (it is still in use) and a
// copy is kept under the new name. Another suffix keeps a file that is not damaged, as it
// was before the program changed it on its own ("<path>.before-relink").
constexpr const char* kDamagedSuffix = ".damaged";
std::string CopyAside(const std::string& path, std::string* error = nullptr, std::string_view suffix = kDamagedSuffix);

// True when `text` is well-formed UTF-8.
bool IsUtf8(std::string_view text);
// True when `text` holds a character below 32 or DEL (line breaks, tabs, NUL).
bool HasControlCharacter(std::string_view text);
// The text with Windows-1252 bytes of a file written by another program turned into
// UTF-8; well-formed UTF-8 is returned unchanged.
std::string TextAsUtf8(std::string_view bytes);

// Messages of NameProblem.
constexpr int kMessageNameEmpty = 4170;
constexpr int kMessageNameControl = 4171;
constexpr int kMessageNameTooLong = 4172;

// Why a name cannot be stored in a field of `maxBytes` bytes of UTF-8, or an empty string
// when it can: empty, too long, not UTF-8, or holding a control character. `what` names
// the field in the message ("Names", "Section names", "Group names").
std::string NameProblem(std::string_view name, size_t maxBytes, const char* what);

}  // namespace qw
