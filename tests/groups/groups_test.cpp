// Groups: the names a group may take, add and replace, deleting, damaged and unwritable
// groups files, and the Groups dialog's list, buttons and opening of a group.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "engine/atomic_file.h"
#include "groups/group_list_model.h"
#include "groups/group_store.h"
#include "groups/groups_dialog.h"
#include "settings/catalogue_directory.h"
#include "tests/app/app_test_support.h"
#include "tests/stations/catalogue_fixture.h"
#include "tests/support/notice_recorder.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

namespace fs = std::filesystem;

int FailingRename(const char*, const char*) {
  errno = EIO;
  return -1;
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

OpenWindowEntry Window(uint16_t slot, uint16_t index, uint32_t id) {
  OpenWindowEntry entry;
  entry.station = {StationKind::Tide, slot, index};
  entry.stationId = id;
  entry.placement.right = 600;
  entry.placement.bottom = 400;
  return entry;
}

class GroupsTest : public test::EngineTest {
 protected:
  GroupsTest() : path_(dataDir_.File("veldagrp.ini")), store_(path_) {
    test::WritePugetSound();  // slot 0 Washington (IDs 0, 101..105, 104), slot 1 Oregon (201, 202)
    catalogue_.Open();
    store_.Load();
  }
  ~GroupsTest() override { SetAtomicRenameForTesting(nullptr); }

  std::string path_;
  GroupStore store_;
  CatalogueDirectory catalogue_;
};

TEST_F(GroupsTest, NamesMustBeUniqueAndStorable) {
  ASSERT_TRUE(store_.WriteGroup("Weekend", {Window(0, 1, 101)}, GroupWriteMode::Replace));
  const std::string unique = "Unable to create a group.  You must enter a unique Group name.";
  EXPECT_EQ(store_.NameProblem("weekend"), unique);
  EXPECT_EQ(store_.NameProblem("  WEEKEND "), unique);
  EXPECT_EQ(store_.NameProblem("groupindex"), unique);
  EXPECT_EQ(store_.NameProblem(""), unique);
  EXPECT_EQ(store_.NameProblem("Harbour work"), "");
  EXPECT_EQ(store_.NameProblem(std::string(49, 'g')), "");
  EXPECT_NE(store_.NameProblem(std::string(50, 'g')).find("at most 49 bytes"), std::string::npos);
  EXPECT_NE(store_.NameProblem("Bay [north]").find("square brackets"), std::string::npos);
  EXPECT_NE(store_.NameProblem("two\nlines").find("control characters"), std::string::npos);
}

TEST_F(GroupsTest, AddAppendsEveryWindowAndReplaceStartsOver) {
  const std::vector<OpenWindowEntry> open = {Window(0, 1, 101), Window(1, 0, 201)};
  ASSERT_TRUE(store_.WriteGroup("Trip", open, GroupWriteMode::Replace));
  ASSERT_TRUE(store_.WriteGroup("Trip", open, GroupWriteMode::Add));
  EXPECT_EQ(store_.LocationCount("Trip"), 4);
  EXPECT_EQ(store_.Locations("Trip"), (std::vector<OpenWindowEntry>{open[0], open[1], open[0], open[1]}));
  ASSERT_TRUE(store_.WriteGroup("Trip", {open[1]}, GroupWriteMode::Replace));
  EXPECT_EQ(store_.Locations("Trip"), std::vector<OpenWindowEntry>{open[1]});

  // What was written is what a new reader finds, names in quotes too (the file's reader
  // strips a pair of quotes around a value).
  ASSERT_TRUE(store_.WriteGroup("'Home'", {open[0]}, GroupWriteMode::Replace));
  ASSERT_TRUE(store_.WriteGroup("Skipper's", {open[0]}, GroupWriteMode::Replace));
  GroupStore again(path_);
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.Names(), (std::vector<std::string>{"Trip", "'Home'", "Skipper's"}));
  EXPECT_EQ(again.Locations("Trip"), std::vector<OpenWindowEntry>{open[1]});
  EXPECT_EQ(again.Locations("'Home'"), std::vector<OpenWindowEntry>{open[0]});
  EXPECT_EQ(again.NameProblem("'home'"), "Unable to create a group.  You must enter a unique Group name.");
}

TEST_F(GroupsTest, DeletingRemovesTheSectionAndTheIndexEntry) {
  ASSERT_TRUE(store_.WriteGroup("A", {Window(0, 1, 101)}, GroupWriteMode::Replace));
  ASSERT_TRUE(store_.WriteGroup("B", {Window(0, 2, 102)}, GroupWriteMode::Replace));
  ASSERT_TRUE(store_.DeleteGroup("a"));
  EXPECT_EQ(store_.Names(), std::vector<std::string>{"B"});
  EXPECT_FALSE(store_.file().HasSection("A"));
}

TEST_F(GroupsTest, FailedRenameLeavesTheFileAndTheGroupsAsTheyWere) {
  ASSERT_TRUE(store_.WriteGroup("A", {Window(0, 1, 101)}, GroupWriteMode::Replace));
  const std::string before = FileText(path_);
  SetAtomicRenameForTesting(&FailingRename);
  std::string error;
  EXPECT_FALSE(store_.WriteGroup("B", {Window(0, 2, 102)}, GroupWriteMode::Replace, &error));
  EXPECT_NE(error.find("The groups could not be saved"), std::string::npos);
  EXPECT_FALSE(store_.DeleteGroup("A"));
  EXPECT_EQ(FileText(path_), before);
  EXPECT_EQ(store_.Names(), std::vector<std::string>{"A"});
}

TEST_F(GroupsTest, DamagedFileIsKeptAsideNotOverwritten) {
  { std::ofstream(path_, std::ios::binary) << std::string("[GroupIndex]\nCount=1\n0=A\0\0\0", 27); }
  GroupStore damaged(path_);
  std::string problem;
  EXPECT_FALSE(damaged.Load(&problem));
  EXPECT_NE(problem.find(path_ + ".damaged"), std::string::npos);
  EXPECT_TRUE(damaged.Names().empty());
  EXPECT_EQ(FileText(path_ + ".damaged"), std::string("[GroupIndex]\nCount=1\n0=A\0\0\0", 27));
  ASSERT_TRUE(damaged.WriteGroup("New", {Window(0, 1, 101)}, GroupWriteMode::Replace));
  EXPECT_TRUE(fs::exists(path_ + ".damaged"));

  // A Count beyond the lines, and malformed lines, are read as far as they go.
  { std::ofstream(path_) << "[GroupIndex]\nCount=9\n0=A\n[A]\nCount=3\n0=T,0,1,101,0,1,-1,-1,-1,-1,0,0,600,400,1,0,0\n1=junk\n"; }
  GroupStore partial(path_);
  ASSERT_TRUE(partial.Load());
  EXPECT_EQ(partial.Names(), std::vector<std::string>{"A"});
  EXPECT_EQ(partial.Locations("A").size(), 1u);
}

class GroupsDialogTest : public GroupsTest {
 protected:
  GroupsDialog* MakeDialog() {
    test::QtApp();
    GroupsHost host;
    host.openWindows = [this] { return open_; };
    host.closeAll = [this] { ++closeAll_; };
    host.reopen = [this](const std::vector<OpenWindowEntry>& entries) {
      reopened_ = entries;
      return static_cast<int>(entries.size());
    };
    host.openStation = [this](const StationRef& station) { opened_.push_back(station); };
    dialog_ = std::make_unique<GroupsDialog>(store_, catalogue_, settings_, host);
    return dialog_.get();
  }

  test::NoticeRecorder notices_;
  AppSettings settings_;
  std::vector<OpenWindowEntry> open_ = {Window(0, 1, 101), Window(1, 1, 202)};
  std::vector<OpenWindowEntry> reopened_;
  std::vector<StationRef> opened_;
  int closeAll_ = 0;
  std::unique_ptr<GroupsDialog> dialog_;
};

TEST_F(GroupsDialogTest, CreateExpandAndDeleteTheLastGroup) {
  GroupsDialog* dialog = MakeDialog();
  EXPECT_EQ(dialog->countLine(), "( 0 groups defined )");
  EXPECT_FALSE(dialog->openButton()->isEnabled());
  dialog->SetNameAsker([](QWidget*) { return std::optional<QString>("Sound"); });
  dialog->CreateGroup();
  EXPECT_EQ(dialog->countLine(), "( 1 groups defined )");
  EXPECT_TRUE(dialog->updateButton()->isEnabled());
  EXPECT_EQ(dialog->model()->data(dialog->model()->index(0), Qt::DisplayRole).toString(), "Sound ( 2 locations )");

  // A second group of the same name in other letter case is refused.
  dialog->SetNameAsker([](QWidget*) { return std::optional<QString>("SOUND"); });
  dialog->CreateGroup();
  ASSERT_EQ(notices_.told.size(), 1u);
  EXPECT_EQ(notices_.told[0].title, "Information");
  EXPECT_EQ(dialog->model()->GroupCount(), 1);

  // Expanded, the highest key comes first.
  dialog->Activate(0);
  ASSERT_EQ(dialog->model()->rowCount(), 3);
  EXPECT_EQ(dialog->model()->data(dialog->model()->index(1), Qt::DisplayRole).toString(), "Tides - Newport (Oregon)");
  EXPECT_EQ(dialog->model()->data(dialog->model()->index(2), Qt::DisplayRole).toString(),
            "Tides - Seattle (Washington)");

  // A selected location row stands for its group.
  dialog->SelectRow(2);
  notices_.answer = true;
  dialog->DeleteGroup();
  ASSERT_EQ(notices_.asked.size(), 1u);
  EXPECT_EQ(notices_.asked[0].text, "Are you sure you want to delete the\ngroup 'Sound' ?");
  EXPECT_EQ(dialog->model()->rowCount(), 0);
  EXPECT_EQ(dialog->countLine(), "( 0 groups defined )");
  EXPECT_FALSE(dialog->updateButton()->isEnabled());
  EXPECT_FALSE(dialog->deleteButton()->isEnabled());
  EXPECT_FALSE(dialog->openButton()->isEnabled());
}

TEST_F(GroupsDialogTest, UpdateAddsTwiceAndRefreshesAnExpandedGroup) {
  ASSERT_TRUE(store_.WriteGroup("Sound", {Window(0, 3, 103)}, GroupWriteMode::Replace));
  GroupsDialog* dialog = MakeDialog();
  dialog->UpdateGroup();  // nothing selected
  EXPECT_EQ(notices_.texts().back().toStdString(),
            "There is no group highlighted in the list.  Click on the group you want to update, then use the Update button.");
  dialog->Activate(0);
  dialog->SelectRow(0);
  dialog->SetUpdateAsker([](QWidget*, const QString&) { return std::optional<GroupWriteMode>(GroupWriteMode::Add); });
  dialog->UpdateGroup();
  dialog->UpdateGroup();
  EXPECT_EQ(store_.LocationCount("Sound"), 5);
  EXPECT_EQ(dialog->model()->rowCount(), 6);  // the group and its five locations
}

TEST_F(GroupsDialogTest, OpeningSkipsStationsNoLongerInstalledAndClosesFirstWhenAsked) {
  OpenWindowEntry gone = Window(1, 1, 299);  // no station of the region has this ID
  OpenWindowEntry moved = Window(0, 1, 104);  // Tacoma has moved to index 4
  ASSERT_TRUE(store_.WriteGroup("Trip", {Window(0, 1, 101), gone, moved}, GroupWriteMode::Replace));
  GroupsDialog* dialog = MakeDialog();
  dialog->Activate(0);
  EXPECT_EQ(dialog->model()->data(dialog->model()->index(2), Qt::DisplayRole).toString(),
            "Tides - Station no longer installed (Oregon)");
  dialog->closeFirstBox()->setChecked(true);
  dialog->SelectRow(0);
  dialog->OpenGroup();
  EXPECT_EQ(closeAll_, 1);
  EXPECT_EQ(settings_.closeBeforeOpen, 1);
  ASSERT_EQ(reopened_.size(), 2u);
  EXPECT_EQ(reopened_[0].station.stationIndex, 4);  // reopening runs from the highest key
  EXPECT_EQ(reopened_[1].station.stationIndex, 1);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(GroupsDialogTest, DoubleClickOnALocationOpensIt) {
  ASSERT_TRUE(store_.WriteGroup("Trip", {Window(1, 0, 201)}, GroupWriteMode::Replace));
  GroupsDialog* dialog = MakeDialog();
  dialog->Activate(0);
  dialog->Activate(1);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0], (StationRef{StationKind::Tide, 1, 0}));
  EXPECT_EQ(closeAll_, 0);
}

}  // namespace
}  // namespace qw
