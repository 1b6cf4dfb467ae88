// Writing a whole file so that readers see either the old file or the new one, never a
// half-written one: the bytes go to a temporary file beside the target, which is
// flushed and then renamed over it. A symbolic link is written through to the file it
// names (the link stays), the replacement keeps the old file's permissions, and the
// directory is synced so that the new name survives a crash.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qw {

// Replaces `path` with `bytes`. On failure the previous file (if any) is untouched, the
// temporary file is removed, false is returned and `error` (when given) says why.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string* error = nullptr);

// The call that puts the written temporary file in place (std::rename unless replaced).
// Tests replace it to play a crash or a full disk at the last step, where the old file
// must survive; pass nullptr to restore std::rename.
using AtomicRenameFunction = int (*)(const char* from, const char* to);
void SetAtomicRenameForTesting(AtomicRenameFunction rename);

}  // namespace qw
