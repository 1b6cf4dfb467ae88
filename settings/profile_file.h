// A sectioned settings file in the Windows private-profile text format.
//
//   [Section]
//   Key=value
//   ; comment
//
// Section and key names compare case-insensitively (ASCII). Values are text; the
// reading rules are those of the platform's private-profile functions the settings
// file was designed around:
//   - a missing key yields the caller's default;
//   - ReadString cuts the value to (bufferLength - 1) bytes, as a fixed buffer would,
//     and strips one pair of matching surrounding quotes;
//   - ReadInt takes an optional sign and the leading decimal digits ("12abc" is 12,
//     "abc" and "0x10" are 0); an empty value yields the default; the result wraps
//     to 32 bits like the platform's unsigned return value.
// Lines that are neither section headers nor key lines (comments, junk from a damaged
// file) are kept as they are and written back unchanged.
//
// The file is read whole into memory by Load. The program's changes since then (keys set
// to a new value, keys or sections removed) are recorded, and Save applies them, in
// order, over the file as it is on disk at that moment: a key the user edits by hand
// while the program runs survives unless the program itself changed that key. The
// result is written atomically: a temporary file in the same directory is written,
// flushed to disk and renamed over the old one, so a crash never leaves a half-written
// settings file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qw {

class ProfileFile {
 public:
  enum class LoadResult {
    Loaded,      // the file was read
    Missing,     // no such file: every key takes its default; Save creates the file
    Unreadable,  // the file exists but could not be read; Save refuses to replace it
    TooLarge,    // the file exceeds kMaxFileBytes; Save refuses to replace it
  };

  // A settings file is a few kilobytes; anything this large is not one.
  static constexpr std::uintmax_t kMaxFileBytes = 8u << 20;

  ProfileFile() = default;
  explicit ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

  const std::filesystem::path& path() const { return path_; }

  // Reads the file, replacing what is held. On any result other than Loaded the
  // held content is empty.
  LoadResult Load();
  // Parses text as if it had been read from the file (tests, in-memory use).
  void LoadFromText(std::string_view text);
  // The held content in file form.
  std::string Text() const;

  // Applies the changes made since Load (or the last good Save) over the file on disk
  // and writes the result atomically; a file that is missing on disk is written with
  // the whole held content. Returns false, with a message in `error`, when the write
  // failed (the old file is then untouched and the changes are kept for the next Save),
  // when Load found a file it could not read (it is left as it is rather than replaced
  // by defaults) or when the file on disk can no longer be read.
  bool Save(std::string* error = nullptr);
  // True when Save would refuse to replace the file on disk.
  bool writeProtected() const { return writeProtected_; }
  // Why the last Load did not read the file, for the user; empty after a good load.
  const std::string& loadProblem() const { return loadProblem_; }

  bool HasKey(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue, size_t bufferLength) const;
  int32_t ReadInt(std::string_view section, std::string_view key, int32_t defaultValue) const;

  // Sets a key, adding the key (at the end of its section) or the section (at the
  // end of the file) when absent. Line breaks in the value are replaced by spaces.
  // Setting a key to the value it holds is not a change.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInt(std::string_view section, std::string_view key, int64_t value);
  void RemoveKey(std::string_view section, std::string_view key);
  // Removes every section of that name with all its lines.
  void RemoveSection(std::string_view section);
  // Makes a section hold exactly these keys, in this order (an empty list removes it).
  // A section that already holds them is not changed, so a list the program rewrites
  // whole at every stop counts as a change only when it differs.
  void ReplaceSection(std::string_view section, const std::vector<std::pair<std::string, std::string>>& keys);

  // The key names of a section, in file order (first occurrence of each).
  std::vector<std::string> Keys(std::string_view section) const;

 private:
  struct Line {
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string text;   // the line as read or written, without line break
    std::string name;   // section or key name, trimmed
    std::string value;  // key value, trimmed (quotes kept)
  };

  // One change since Load, replayed over the file on disk by Save.
  struct Edit {
    enum class Kind { Set, RemoveKey, RemoveSection } kind;
    std::string section;
    std::string key;
    std::string value;
  };

  static Line ParseLine(std::string text);
  void Record(Edit edit);
  void Apply(const Edit& edit);
  // Index of the key line, or npos.
  size_t FindKey(std::string_view section, std::string_view key) const;

  std::filesystem::path path_;
  std::vector<Line> lines_;
  std::vector<Edit> edits_;
  bool writeProtected_ = false;
  std::string loadProblem_;
};

// The private-profile integer rule on its own: optional sign, leading decimal digits,
// wrapping to 32 bits; `empty` is returned for an empty text.
int32_t ProfileInteger(std::string_view text, int32_t empty);

}  // namespace qw
