#include "engine/file_text.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

namespace qw {

bool ReadFileText(const std::string& path, std::string& text_out) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return false;
  // A directory opens for reading on Linux, and its "size" would be taken for a length.
  struct stat status {};
  if (::fstat(::fileno(file.get()), &status) == 0 && S_ISDIR(status.st_mode)) return false;
  // The size is a hint: a file that grows or shrinks meanwhile is still read to its end.
  size_t capacity = 65536;
  if (std::fseek(file.get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(file.get());
    if (size >= 0) capacity = static_cast<size_t>(size) + 1;
    std::rewind(file.get());
  }
  text_out.resize(capacity);
  size_t used = 0;
  for (;;) {
    used += std::fread(text_out.data() + used, 1, text_out.size() - used, file.get());
    if (used < text_out.size()) break;
    text_out.resize(text_out.size() * 2);
  }
  text_out.resize(used);
  return !std::ferror(file.get());
}

}  // namespace qw

namespace qw {

FileText& FileText::operator=(FileText&& other) noexcept {
  if (this != &other) {
    clear();
    mapped_ = other.mapped_;
    mappedSize_ = other.mappedSize_;
    owned_ = std::move(other.owned_);
    other.mapped_ = nullptr;
    other.mappedSize_ = 0;
    other.owned_.clear();
  }
  return *this;
}

void FileText::clear() {
  if (mapped_) ::munmap(const_cast<char*>(mapped_), mappedSize_);
  mapped_ = nullptr;
  mappedSize_ = 0;
  owned_.clear();
}

bool FileText::Open(const std::string& path) {
  clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  const bool known = ::fstat(fd, &status) == 0;
  if (known && S_ISDIR(status.st_mode)) {
    ::close(fd);
    return false;
  }
  if (known && S_ISREG(status.st_mode) && status.st_size > 0) {
    void* map = ::mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (map != MAP_FAILED) {
      ::close(fd);
      mapped_ = static_cast<const char*>(map);
      mappedSize_ = static_cast<size_t>(status.st_size);
      return true;
    }
  }
  ::close(fd);
  return ReadFileText(path, owned_);  // an empty file, a pipe, or no mapping to be had
}

}  // namespace qw
