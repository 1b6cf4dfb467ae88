// The custom-location setup dialog over a new edition of the installed data: a location
// whose reference station has a new number is re-linked when the user agrees, and only
// reported when the user declines.
#include "catalogue/custom_setup_dialog.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/app/app_test_support.h"
#include "tests/stations/edition_fixture.h"
#include "tests/support/notice_recorder.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class CustomSetupDialogTest : public test::EngineTest {};

TEST_F(CustomSetupDialogTest, RenumberedReferenceIsRelinkedOnlyWithTheUsersOk) {
  test::QtApp();
  test::WriteEdition(dataDir_.path().string(), {{101, "SEATTLE", "9447130"}, {102, "TACOMA", "9446484"}});
  test::SaveCustomTides({{"Elliott Bay", 101}}, InstalledReferences());
  test::WriteEdition(dataDir_.path().string(), {{205, "SEATTLE", "9447130"}, {101, "TACOMA", "9446484"}});
  const std::string path = CustomFilePath(StationKind::Tide);
  const std::vector<uint8_t> before = FileBytes(path);
  const AppSettings settings;
  test::NoticeRecorder notices;
  {
    notices.answer = false;
    CustomSetupDialog dialog(StationKind::Tide, 1, settings, {});
    ASSERT_EQ(notices.asked.size(), 1u);
    EXPECT_TRUE(notices.asked[0].text.contains("\"Elliott Bay\": \"SEATTLE\", number 101, now 205"))
        << notices.asked[0].text.toStdString();
    ASSERT_EQ(notices.told.size(), 1u);
    EXPECT_TRUE(notices.told[0].text.contains("\"Elliott Bay\": was \"SEATTLE\", now \"TACOMA\""))
        << notices.told[0].text.toStdString();
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_FALSE(std::filesystem::exists(path + ".before-relink"));
  }
  notices.clear();
  {
    notices.answer = true;
    CustomSetupDialog dialog(StationKind::Tide, 1, settings, {});
    ASSERT_EQ(notices.asked.size(), 1u);
    ASSERT_EQ(notices.told.size(), 1u);
    EXPECT_TRUE(notices.told[0].text.contains(QString::fromStdString(path + ".before-relink")))
        << notices.told[0].text.toStdString();
    EXPECT_EQ(DecodeTideEntry(dialog.list().entry(0)).referenceId, 205);
    EXPECT_EQ(FileBytes(path + ".before-relink"), before);
  }
  notices.clear();
  CustomSetupDialog settled(StationKind::Tide, 1, settings, {});
  EXPECT_TRUE(notices.asked.empty());
  EXPECT_TRUE(notices.told.empty());
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

}  // namespace
}  // namespace qw
