#include "engine/official_notes_file.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

TEST(OfficialNotesFile, FileNamesFollowRegionAndKind) {
  EXPECT_EQ(OfficialNotesFileName(1, false), "wtnotes.dat");
  EXPECT_EQ(OfficialNotesFileName(10, true), "wcnotes.dat");
  EXPECT_EQ(OfficialNotesFileName(11, false), "etnotes.dat");
  EXPECT_EQ(OfficialNotesFileName(31, true), "ecnotes.dat");
  EXPECT_EQ(OfficialNoteNumberText(5), "05");
  EXPECT_EQ(OfficialNoteNumberText(120), "120");
}

TEST(OfficialNotesFile, LinesAreFoundByTheirWholeNumber) {
  const std::string file = EncodeOfficialNotes({{5, "five"}, {120, "one twenty"}, {1200, "twelve hundred"}});
  EXPECT_EQ(file, "05\tfive\n120\tone twenty\n1200\ttwelve hundred\n");
  std::string text;
  ASSERT_TRUE(FindOfficialNote(file, 5, text));
  EXPECT_EQ(text, "five");
  ASSERT_TRUE(FindOfficialNote(file, 1200, text));
  EXPECT_EQ(text, "twelve hundred");
  EXPECT_FALSE(FindOfficialNote(file, 12, text));  // never the line of 120 or 1200
  EXPECT_FALSE(FindOfficialNote(file, 50, text));
  ASSERT_TRUE(FindOfficialNote("07\twindows line\r\n", 7, text));
  EXPECT_EQ(text, "windows line");
}

TEST(OfficialNotesFile, TextsStayOnOneBoundedLine) {
  std::string text;
  const std::string file = EncodeOfficialNotes({{1, "a\tb\r\nc"}});
  EXPECT_EQ(file, "01\ta b  c\n");

  // 700 two-byte characters: the cut must not split one, and the line stays in bounds.
  std::string longText;
  for (int i = 0; i < 700; ++i) longText += "\xC3\xA5";
  const std::string longFile = EncodeOfficialNotes({{2, longText}});
  ASSERT_TRUE(FindOfficialNote(longFile, 2, text));
  EXPECT_LE(3 + text.size(), kOfficialNoteMaxLine);
  ASSERT_GE(text.size(), 3u);
  EXPECT_EQ(text.substr(text.size() - 3), "...");
  EXPECT_EQ((text.size() - 3) % 2, 0u);  // whole characters only
}

}  // namespace
}  // namespace qw
