#include "settings/profile_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "tests/support/test_support.h"

namespace qw {
namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteWhole(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST(ProfileFileTest, IntegersFollowThePrivateProfileRules) {
  ProfileFile file;
  file.LoadFromText(
      "[Options]\n"
      "Digits=12abc\n"
      "Letters=abc\n"
      "Negative=-11\n"
      "Plus=+7\n"
      "Hex=0x10\n"
      "Empty=\n"
      "Spaced =   42   \n"
      "Quoted=\"15\"\n"
      "Big=4294967295\n");
  EXPECT_EQ(file.ReadInt("Options", "Digits", 5), 12);
  EXPECT_EQ(file.ReadInt("Options", "Letters", 5), 0);
  EXPECT_EQ(file.ReadInt("Options", "Negative", 5), -11);
  EXPECT_EQ(file.ReadInt("Options", "Plus", 5), 7);
  EXPECT_EQ(file.ReadInt("Options", "Hex", 5), 0);
  EXPECT_EQ(file.ReadInt("Options", "Empty", 5), 5);
  EXPECT_EQ(file.ReadInt("Options", "Spaced", 5), 42);
  EXPECT_EQ(file.ReadInt("Options", "Quoted", 5), 15);
  EXPECT_EQ(file.ReadInt("Options", "Big", 5), -1);  // wraps like the unsigned platform value
  EXPECT_EQ(file.ReadInt("Options", "Missing", 5), 5);
  EXPECT_EQ(file.ReadInt("Nowhere", "Digits", 5), 5);
}

TEST(ProfileFileTest, NamesAreCaseInsensitiveAndCommentsIgnored) {
  ProfileFile file;
  file.LoadFromText(
      "; MathType=i is only a comment\n"
      "  [ Tide Font ]  \n"
      "faceNAME=Arial\n"
      ";FontHeight=99\n"
      "FontHeight=-11\n"
      "[Options]\n"
      "MathType=  'f'  \n");
  EXPECT_EQ(file.ReadString("TIDE FONT", "FaceName", "x", 32), "Arial");
  EXPECT_EQ(file.ReadInt("tide font", "fontheight", 0), -11);
  EXPECT_EQ(file.ReadString("options", "MATHTYPE", "?", 5), "f");
  EXPECT_FALSE(file.HasKey("Tide Font", "MathType"));
}

TEST(ProfileFileTest, StringsAreCutToTheirBuffer) {
  ProfileFile file;
  file.LoadFromText("[Options]\nMathType=Floating\nName=Ålesund\n");
  EXPECT_EQ(file.ReadString("Options", "MathType", "?", 5), "Floa");
  EXPECT_EQ(file.ReadString("Options", "Missing", "default", 4), "def");
  // "Å" is two bytes: a cut inside it drops the whole character.
  EXPECT_EQ(file.ReadString("Options", "Name", "", 2), "");
  EXPECT_EQ(file.ReadString("Options", "Name", "", 3), "Å");
  EXPECT_EQ(file.ReadString("Options", "Name", "", 0), "");
}

TEST(ProfileFileTest, WritesReplaceInPlaceAndAppendWhereTheyBelong) {
  ProfileFile file;
  file.LoadFromText(
      "; my settings\n"
      "[Options]\n"
      "TimeType=2\n"
      "; keep me\n"
      "\n"
      "[Startup]\n"
      "AutoOpen=0\n");
  file.WriteInt("options", "timetype", 1);
  file.WriteString("Options", "TableInterval", "30");
  file.WriteString("Real Time", "Enabled", "1");
  file.WriteString("Startup", "Broken", "two\nlines");
  EXPECT_EQ(file.Text(),
            "; my settings\n"
            "[Options]\n"
            "TimeType=1\n"
            "; keep me\n"
            "TableInterval=30\n"
            "\n"
            "[Startup]\n"
            "AutoOpen=0\n"
            "Broken=two lines\n"
            "\n"
            "[Real Time]\n"
            "Enabled=1\n");
}

TEST(ProfileFileTest, RemovingSectionsAndKeys) {
  ProfileFile file;
  file.LoadFromText("[A]\nx=1\n[OpenWindows]\nCount=2\n0=T\n[B]\ny=2\n[openwindows]\n1=C\n");
  file.RemoveSection("OpenWindows");
  file.RemoveKey("B", "y");
  EXPECT_EQ(file.Text(), "[A]\nx=1\n[B]\n");
  EXPECT_FALSE(file.HasSection("OpenWindows"));
  EXPECT_TRUE(file.HasSection("b"));
}

TEST(ProfileFileTest, SaveIsAtomicAndRoundTrips) {
  test::TempDir dir;
  const std::string path = dir.File("config/velda.ini");  // the folder does not exist yet
  ProfileFile file(path);
  EXPECT_EQ(file.Load(), ProfileFile::LoadResult::Missing);
  file.WriteString("Options", "MathType", "f");
  file.WriteInt("Startup", "X", -1);
  std::string error;
  ASSERT_TRUE(file.Save(&error)) << error;

  ProfileFile again(path);
  ASSERT_EQ(again.Load(), ProfileFile::LoadResult::Loaded);
  EXPECT_EQ(again.ReadString("Options", "MathType", "?", 5), "f");
  EXPECT_EQ(again.ReadInt("Startup", "X", 0), -1);
  // Only the settings file is left behind: no temporary file.
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "config")) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST(ProfileFileTest, FailedSaveIsReported) {
  test::TempDir dir;
  WriteWhole(dir.File("plain"), "not a folder");
  ProfileFile file(dir.File("plain/velda.ini"));
  file.WriteInt("Options", "TimeType", 2);
  std::string error;
  EXPECT_FALSE(file.Save(&error));
  EXPECT_NE(error.find("velda.ini"), std::string::npos);
  EXPECT_EQ(ReadWhole(dir.File("plain")), "not a folder");
}

TEST(ProfileFileTest, FailedSaveLeavesTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root can write into a read-only folder";
  test::TempDir dir;
  const std::string path = dir.File("velda.ini");
  WriteWhole(path, "[Options]\nTimeType=1\n");
  ProfileFile file(path);
  ASSERT_EQ(file.Load(), ProfileFile::LoadResult::Loaded);
  file.WriteInt("Options", "TimeType", 2);
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  std::string error;
  EXPECT_FALSE(file.Save(&error));
  EXPECT_NE(error.find("velda.ini"), std::string::npos);
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
  EXPECT_EQ(ReadWhole(path), "[Options]\nTimeType=1\n");
}

TEST(ProfileFileTest, DamagedFilesLoadWhatTheyCan) {
  test::TempDir dir;
  const std::string path = dir.File("velda.ini");
  std::string junk = "\x01\x02[Opt\xff\xfe\n=no name\n";
  junk += std::string("Bad\0Key=3\n", 10);
  junk += "[Options]\r\nTimeType=1\r\n[Startup\nAutoOpen=1";  // truncated: no closing bracket, no newline
  WriteWhole(path, junk);
  ProfileFile file(path);
  ASSERT_EQ(file.Load(), ProfileFile::LoadResult::Loaded);
  EXPECT_EQ(file.ReadInt("Options", "TimeType", 2), 1);
  EXPECT_EQ(file.ReadInt("Startup", "AutoOpen", 0), 1);
  // Unknown lines survive a rewrite untouched.
  file.WriteInt("Options", "TimeType", 2);
  EXPECT_NE(file.Text().find("\x01\x02[Opt\xff\xfe"), std::string::npos);
}

TEST(ProfileFileTest, UnreadableFilesAreNeverReplaced) {
  test::TempDir dir;
  // A folder where the file should be.
  std::filesystem::create_directory(dir.path() / "velda.ini");
  ProfileFile folder(dir.File("velda.ini"));
  EXPECT_EQ(folder.Load(), ProfileFile::LoadResult::Unreadable);
  EXPECT_FALSE(folder.loadProblem().empty());
  folder.WriteInt("Options", "TimeType", 1);
  EXPECT_FALSE(folder.Save());

  // Far too large to be a settings file (sparse, so cheap to make).
  const std::string big = dir.File("big.ini");
  { std::ofstream(big, std::ios::binary) << "[Options]\n"; }
  std::filesystem::resize_file(big, ProfileFile::kMaxFileBytes + 1);
  ProfileFile large(big);
  EXPECT_EQ(large.Load(), ProfileFile::LoadResult::TooLarge);
  large.WriteInt("Options", "TimeType", 1);
  EXPECT_FALSE(large.Save());
  EXPECT_EQ(std::filesystem::file_size(big), ProfileFile::kMaxFileBytes + 1);
}

}  // namespace
}  // namespace qw
