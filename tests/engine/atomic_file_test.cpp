#include "engine/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/test_support.h"

namespace qw {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(stat(path.c_str(), &info), 0);
  return info.st_mode & 07777;
}

TEST(AtomicFileTest, ReplacementKeepsTheOldModeAndNewFilesAreReadable) {
  test::TempDir dir;
  const fs::path own = dir.path() / "private.ini";
  std::ofstream(own) << "old";
  chmod(own.c_str(), 0600);
  ASSERT_TRUE(WriteFileAtomically(own.string(), Bytes("new")));
  EXPECT_EQ(Read(own), "new");
  EXPECT_EQ(ModeOf(own), 0600u);

  const fs::path fresh = dir.path() / "fresh.ini";
  ASSERT_TRUE(WriteFileAtomically(fresh.string(), Bytes("x")));
  EXPECT_EQ(ModeOf(fresh), 0644u);
}

TEST(AtomicFileTest, WritesThroughSymbolicLinksAndKeepsThem) {
  test::TempDir dir;
  fs::create_directory(dir.path() / "real");
  const fs::path target = dir.path() / "real" / "notes.txt";
  std::ofstream(target) << "old";
  // A relative link to a relative link, as dotfile managers make them.
  fs::create_symlink("real/notes.txt", dir.path() / "inner");
  fs::create_symlink("inner", dir.path() / "outer");
  ASSERT_TRUE(WriteFileAtomically((dir.path() / "outer").string(), Bytes("new")));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "outer"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "inner"));
  EXPECT_EQ(Read(target), "new");
  // No temporary file is left beside the link or the target.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "real"), fs::directory_iterator()), 1);

  // A dangling link creates the file it names.
  fs::create_symlink("real/later.txt", dir.path() / "dangling");
  ASSERT_TRUE(WriteFileAtomically((dir.path() / "dangling").string(), Bytes("made")));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling"));
  EXPECT_EQ(Read(dir.path() / "real" / "later.txt"), "made");

  // A loop is refused with a reason, not followed forever.
  fs::create_symlink("loop", dir.path() / "loop");
  std::string error;
  EXPECT_FALSE(WriteFileAtomically((dir.path() / "loop").string(), Bytes("x"), &error));
  EXPECT_NE(error.find("link"), std::string::npos) << error;
}

}  // namespace
}  // namespace qw
