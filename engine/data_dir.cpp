#include "engine/data_dir.h"

#include <system_error>

namespace qw {
namespace {

std::filesystem::path DefaultDataDirectory() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::path("DATA");
  return exe.parent_path() / "DATA";
}

std::filesystem::path& Directory() {
  static std::filesystem::path directory = DefaultDataDirectory();
  return directory;
}

}  // namespace

const std::filesystem::path& DataDirectory() { return Directory(); }

void SetDataDirectory(const std::filesystem::path& directory) { Directory() = directory; }

std::string DataFilePath(std::string_view fileName) { return (Directory() / fileName).string(); }

}  // namespace qw
