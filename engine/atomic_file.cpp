#include "engine/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace qw {
namespace {

AtomicRenameFunction renameFunction = &std::rename;

// Mode of a file written where none was: an ordinary readable data file.
constexpr mode_t kNewFileMode = 0644;
// Symbolic links followed before giving up (the kernel's own limit is 40).
constexpr int kMaxLinkDepth = 40;

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file a write to `path` should replace: `path` itself, or, when it is a symbolic
// link (or a chain of them), the file the link names, so that replacing it keeps the
// link. A dangling link resolves to the missing file it names, which is then created.
// Returns false (errno set) on a loop or a link that cannot be read.
bool ResolveLinks(const std::string& path, std::string* target_out) {
  std::string current = path;
  for (int depth = 0; depth <= kMaxLinkDepth; ++depth) {
    struct stat info {};
    if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      *target_out = current;
      return true;
    }
    char buffer[PATH_MAX];
    ssize_t n = readlink(current.c_str(), buffer, sizeof buffer - 1);
    if (n < 0) return false;
    std::string link(buffer, static_cast<size_t>(n));
    current = link.starts_with('/') ? link : DirectoryOf(current) + "/" + link;
  }
  errno = ELOOP;
  return false;
}

// Flushes the directory entry of a rename to disk, so that the new file is still named
// after a crash. A directory that cannot be opened or synced (some file systems refuse)
// is not an error: the file itself is already on disk.
void SyncDirectory(const std::string& directory) {
  int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

void SetAtomicRenameForTesting(AtomicRenameFunction rename) { renameFunction = rename ? rename : &std::rename; }

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string* error) {
  auto fail = [&](const std::string& what, int code) {
    if (error) *error = what + " '" + path + "': " + std::strerror(code);
    return false;
  };
  std::string target;
  if (!ResolveLinks(path, &target)) return fail("cannot follow the link", errno);

  // The replacement keeps the permissions of the file it replaces.
  mode_t mode = kNewFileMode;
  struct stat old {};
  if (stat(target.c_str(), &old) == 0) mode = old.st_mode & 07777;

  std::string temp = target + ".tmpXXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return fail("cannot create a temporary file for", errno);
  auto discard = [&](const std::string& what, int code) {
    if (fd >= 0) close(fd);
    unlink(temp.c_str());
    return fail(what, code);
  };
  size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return discard("cannot write", n < 0 ? errno : EIO);
    written += static_cast<size_t>(n);
  }
  // mkstemp creates the file private to its owner; give it the old file's mode.
  if (fchmod(fd, mode) != 0) return discard("cannot set the permissions of", errno);
  if (fsync(fd) != 0) return discard("cannot write", errno);
  int closed = close(fd);
  fd = -1;
  if (closed != 0) return discard("cannot write", errno);
  if (renameFunction(temp.c_str(), target.c_str()) != 0) return discard("cannot replace", errno);
  SyncDirectory(DirectoryOf(target));
  return true;
}

}  // namespace qw
