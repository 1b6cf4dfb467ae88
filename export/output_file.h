// Where exported and saved bytes go: a user's file, replaced only when complete, and
// the temporary file that clipboard copies pass through.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace qw {

// Takes bytes in order; false when they could not be written.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool WriteBytes(std::string_view bytes) = 0;
};

// Collects bytes in memory.
class StringSink : public ByteSink {
 public:
  bool WriteBytes(std::string_view bytes) override {
    text.append(bytes);
    return true;
  }
  std::string text;
};

// Gathers many small writes (a record, a row) into blocks for a sink that costs a system
// call per write. Flush passes on what is left; a block the target refused makes every
// later write and Flush false.
class BlockSink : public ByteSink {
 public:
  static constexpr size_t kBlockBytes = 256 * 1024;

  explicit BlockSink(ByteSink& target) : target_(target) { block_.reserve(kBlockBytes); }
  bool WriteBytes(std::string_view bytes) override;
  bool Flush();

 private:
  ByteSink& target_;
  std::string block_;
  bool failed_ = false;
};

// Writes to a C stream (the command-line tool's standard output).
class StreamSink : public ByteSink {
 public:
  explicit StreamSink(std::FILE* stream) : stream_(stream) {}
  bool WriteBytes(std::string_view bytes) override {
    return std::fwrite(bytes.data(), 1, bytes.size(), stream_) == bytes.size();
  }

 private:
  std::FILE* stream_;
};

// A user's file written as the bytes come, into a temporary file beside it that is
// flushed to disk and renamed over the file by Commit. Until then, and whenever
// something fails, the old file stays as it was; a file never committed is removed.
class AtomicOutputFile : public ByteSink {
 public:
  AtomicOutputFile() = default;
  ~AtomicOutputFile() override;
  AtomicOutputFile(const AtomicOutputFile&) = delete;
  AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

  // Creates the temporary file beside `path`; false with `error` set when it cannot be.
  bool Open(const std::string& path, std::string* error = nullptr);
  bool WriteBytes(std::string_view bytes) override;
  // Makes the file `path`; false (the old file kept) when a write failed or the file
  // could not be flushed or renamed.
  bool Commit(std::string* error = nullptr);
  // Removes the temporary file; `path` is not touched.
  void Abandon();

 private:
  int fd_ = -1;
  bool failed_ = false;
  std::string path_;
  std::string temporary_;
};

// The temporary file a clipboard copy is written through: created with a name of its
// own in the system's temporary directory (so it never meets a user's file), read back
// whole and removed.
class ClipboardTempFile : public ByteSink {
 public:
  ClipboardTempFile() = default;
  ~ClipboardTempFile() override;
  ClipboardTempFile(const ClipboardTempFile&) = delete;
  ClipboardTempFile& operator=(const ClipboardTempFile&) = delete;

  bool Open(std::string* error = nullptr);
  bool WriteBytes(std::string_view bytes) override;
  // Closes the file, reads it back in pieces of at most 32,767 bytes and removes it.
  bool ReadBack(std::string& out);
  const std::string& path() const { return path_; }

 private:
  int fd_ = -1;
  bool failed_ = false;
  std::string path_;
};

}  // namespace qw
