#include "engine/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace qw {
namespace {

AtomicRenameFunction renameFunction = &std::rename;

}  // namespace

void SetAtomicRenameForTesting(AtomicRenameFunction rename) { renameFunction = rename ? rename : &std::rename; }

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string* error) {
  auto fail = [&](const std::string& what, int code) {
    if (error) *error = what + " '" + path + "': " + std::strerror(code);
    return false;
  };
  std::string temp = path + ".tmpXXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return fail("cannot create a temporary file for", errno);
  size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      int code = n < 0 ? errno : EIO;
      close(fd);
      unlink(temp.c_str());
      return fail("cannot write", code);
    }
    written += static_cast<size_t>(n);
  }
  // mkstemp creates the file private to its owner; data files are ordinary readable files.
  fchmod(fd, 0644);
  if (fsync(fd) != 0 || close(fd) != 0) {
    int code = errno;
    unlink(temp.c_str());
    return fail("cannot write", code);
  }
  if (renameFunction(temp.c_str(), path.c_str()) != 0) {
    int code = errno;
    unlink(temp.c_str());
    return fail("cannot replace", code);
  }
  return true;
}

}  // namespace qw
