#include "engine/file_text.h"

#include <cstdio>
#include <memory>

namespace qw {

bool ReadFileText(const std::string& path, std::string& text_out) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return false;
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
