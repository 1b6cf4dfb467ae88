// Whole files' bytes: read into memory in one piece, or mapped.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qw {

// Replaces `text_out` with the file's bytes, read with one allocation of the file's size;
// false when the file cannot be opened or read.
bool ReadFileText(const std::string& path, std::string& text_out);

// A whole file's bytes, mapped read-only where the system allows it (the pages come from
// the page cache as they are read: no copy, and a few page faults instead of one per
// page; the installed catalogues are searched this way at every start of the command-line
// program), otherwise read into memory; or a text given in memory.
class FileText {
 public:
  FileText() = default;
  explicit FileText(std::string text) : owned_(std::move(text)) {}
  FileText(FileText&& other) noexcept { *this = std::move(other); }
  FileText& operator=(FileText&& other) noexcept;
  FileText(const FileText&) = delete;
  FileText& operator=(const FileText&) = delete;
  ~FileText() { clear(); }

  // False when the file cannot be opened or read.
  bool Open(const std::string& path);
  std::string_view view() const { return mapped_ ? std::string_view(mapped_, mappedSize_) : std::string_view(owned_); }
  void clear();

 private:
  const char* mapped_ = nullptr;
  size_t mappedSize_ = 0;
  std::string owned_;
};

}  // namespace qw
