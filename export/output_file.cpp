#include "export/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace qw {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

// A temporary file from a template ending in XXXXXX; -1 on failure.
int MakeTemporary(std::string& name) {
  std::vector<char> buffer(name.begin(), name.end());
  buffer.push_back('\0');
  const int fd = ::mkstemp(buffer.data());
  if (fd >= 0) name = buffer.data();
  return fd;
}

}  // namespace

AtomicOutputFile::~AtomicOutputFile() { Abandon(); }

bool AtomicOutputFile::Open(const std::string& path, std::string* error) {
  Abandon();
  path_ = path;
  failed_ = false;
  const std::filesystem::path target(path);
  if (path.empty() || std::filesystem::is_directory(target)) {
    SetError(error, "'" + path + "' is not a file name");
    return false;
  }
  std::filesystem::path directory = target.parent_path();
  if (directory.empty()) directory = ".";
  temporary_ = (directory / ("." + target.filename().string() + ".XXXXXX")).string();
  fd_ = MakeTemporary(temporary_);
  if (fd_ < 0) {
    SetError(error, "cannot create a file in '" + directory.string() + "': " + std::strerror(errno));
    temporary_.clear();
    return false;
  }
  return true;
}

bool BlockSink::WriteBytes(std::string_view bytes) {
  if (failed_) return false;
  if (block_.size() + bytes.size() > kBlockBytes && !Flush()) return false;
  if (bytes.size() >= kBlockBytes) {
    failed_ = !target_.WriteBytes(bytes);
    return !failed_;
  }
  block_.append(bytes);
  return true;
}

bool BlockSink::Flush() {
  if (failed_) return false;
  if (!block_.empty()) failed_ = !target_.WriteBytes(block_);
  block_.clear();
  return !failed_;
}

bool AtomicOutputFile::WriteBytes(std::string_view bytes) {
  if (fd_ < 0 || failed_) return false;
  if (!WriteAll(fd_, bytes)) failed_ = true;
  return !failed_;
}

bool AtomicOutputFile::Commit(std::string* error) {
  if (fd_ < 0) {
    SetError(error, "the file was not opened");
    return false;
  }
  bool ok = !failed_ && ::fsync(fd_) == 0;
  // Files the user saves get the usual permissions, not the temporary file's 0600.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ok = ok && ::fchmod(fd_, 0666 & ~mask) == 0;
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  if (ok && std::rename(temporary_.c_str(), path_.c_str()) != 0) ok = false;
  if (!ok) {
    SetError(error, "cannot write '" + path_ + "': " + std::strerror(errno));
    std::remove(temporary_.c_str());
  }
  temporary_.clear();
  return ok;
}

void AtomicOutputFile::Abandon() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) std::remove(temporary_.c_str());
  temporary_.clear();
}

ClipboardTempFile::~ClipboardTempFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!path_.empty()) std::remove(path_.c_str());
}

bool ClipboardTempFile::Open(std::string* error) {
  path_ = (std::filesystem::temp_directory_path() / "tempexp.XXXXXX").string();
  fd_ = MakeTemporary(path_);
  if (fd_ < 0) {
    SetError(error, std::string("cannot create a temporary file: ") + std::strerror(errno));
    path_.clear();
    return false;
  }
  return true;
}

bool ClipboardTempFile::WriteBytes(std::string_view bytes) {
  if (fd_ < 0 || failed_) return false;
  if (!WriteAll(fd_, bytes)) failed_ = true;
  return !failed_;
}

bool ClipboardTempFile::ReadBack(std::string& out) {
  out.clear();
  if (fd_ < 0) return false;
  bool ok = !failed_ && ::lseek(fd_, 0, SEEK_SET) == 0;
  char piece[32767];
  while (ok) {
    const ssize_t n = ::read(fd_, piece, sizeof piece);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    out.append(piece, static_cast<size_t>(n));
  }
  ::close(fd_);
  fd_ = -1;
  std::remove(path_.c_str());
  path_.clear();
  return ok;
}

}  // namespace qw
