#include "engine/file_text.h"

#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace qw {
namespace {

// A mapped file reads as its bytes, NULs and all, and stays readable when its holder
// moves; an empty file, a directory and a missing file are told apart from a mapping.
TEST(FileTextTest, MappedFilesReadAsTheirBytes) {
  test::TempDir dir;
  const std::string bytes = std::string("region,index\n1,0\0,x\n", 21) + std::string(70000, 'y');
  std::ofstream(dir.File("list.csv"), std::ios::binary) << bytes;
  std::ofstream(dir.File("empty.csv"), std::ios::binary).flush();

  FileText text;
  ASSERT_TRUE(text.Open(dir.File("list.csv")));
  FileText moved = std::move(text);
  EXPECT_TRUE(text.view().empty());
  EXPECT_EQ(moved.view(), bytes);

  FileText empty;
  EXPECT_TRUE(empty.Open(dir.File("empty.csv")));
  EXPECT_TRUE(empty.view().empty());
  FileText missing;
  EXPECT_FALSE(missing.Open(dir.File("missing.csv")));
  EXPECT_FALSE(missing.Open(dir.path().string()));
  EXPECT_EQ(FileText(std::string("held")).view(), "held");
}

}  // namespace
}  // namespace qw
