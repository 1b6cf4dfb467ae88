// Read-only access to a binary data file with bounded reads.
//
// Every engine reader goes through this class: it never reads more than the caller's
// buffer holds, reports how many bytes really came back, and closes the file when it
// goes out of scope, so a truncated or empty file is just a short read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace qw {

class BinaryFile {
 public:
  BinaryFile() = default;
  explicit BinaryFile(const std::string& path) { Open(path); }
  ~BinaryFile() { Close(); }
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;

  // Opens `path` for reading; false when it cannot be opened (or is not a regular file).
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

  // The file's size in bytes (0 when not open).
  uint64_t Size() const { return size_; }

  // Reads up to `count` bytes at byte `offset` into `out`; returns the bytes read (0 past
  // the end, for a negative offset or when the file is not open).
  size_t ReadAt(int64_t offset, void* out, size_t count);

 private:
  std::FILE* file_ = nullptr;
  uint64_t size_ = 0;
};

// Reads at most `maxBytes` from the start of `path` into `out`. False when the file cannot
// be opened; a short or empty file gives a short `out`.
bool ReadFilePrefix(const std::string& path, size_t maxBytes, std::vector<uint8_t>& out);

}  // namespace qw
