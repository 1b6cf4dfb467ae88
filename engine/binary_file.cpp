#include "engine/binary_file.h"

#include <sys/stat.h>

namespace qw {

bool BinaryFile::Open(const std::string& path) {
  Close();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  struct stat info;
  if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::fclose(file);
    return false;
  }
  file_ = file;
  size_ = static_cast<uint64_t>(info.st_size);
  return true;
}

void BinaryFile::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  size_ = 0;
}

size_t BinaryFile::ReadAt(int64_t offset, void* out, size_t count) {
  if (!file_ || offset < 0 || static_cast<uint64_t>(offset) >= size_ || count == 0) return 0;
  if (fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return 0;
  return std::fread(out, 1, count, file_);
}

bool ReadFilePrefix(const std::string& path, size_t maxBytes, std::vector<uint8_t>& out) {
  out.clear();
  BinaryFile file(path);
  if (!file.IsOpen()) return false;
  const uint64_t available = file.Size() < maxBytes ? file.Size() : maxBytes;
  out.resize(static_cast<size_t>(available));
  out.resize(file.ReadAt(0, out.data(), out.size()));
  return true;
}

}  // namespace qw
