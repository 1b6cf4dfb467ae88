// The Groups dialog: lists the groups of "veldagrp.ini", creates a group from the open
// windows, updates one (adding the open windows or replacing its locations with them),
// deletes one, shows a group's locations on a double-click, and opens a group (after
// closing every window when the box is checked). It asks the frame for the open windows
// and to open locations through GroupsHost; the file work is GroupStore's.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "groups/group_store.h"
#include "settings/app_settings.h"
#include "settings/catalogue_directory.h"
#include "shell/open_windows.h"

class QCheckBox;
class QLabel;
class QListView;
class QPushButton;

namespace qw {

class GroupListModel;

struct GroupsHost {
  // The open tide and current windows as open-windows lines, in the frame's order.
  std::function<std::vector<OpenWindowEntry>()> openWindows;
  // The frame's Close All command.
  std::function<void()> closeAll;
  // Opens the lines (already resolved, in reopening order); returns how many opened.
  std::function<int(const std::vector<OpenWindowEntry>&)> reopen;
  // Opens one station in a new window.
  std::function<void(const StationRef&)> openStation;
};

class GroupsDialog : public QDialog {
  Q_OBJECT

 public:
  // The name asked for a new group (nothing: Cancel), and the update mode for a group
  // (nothing: Cancel). By default the "Create Group" and "Update Group" dialogs; tests
  // answer for the user.
  using NameAsker = std::function<std::optional<QString>(QWidget* parent)>;
  using UpdateAsker = std::function<std::optional<GroupWriteMode>(QWidget* parent, const QString& group)>;

  GroupsDialog(GroupStore& store, const CatalogueDirectory& catalogue, AppSettings& settings, GroupsHost host,
               QWidget* parent = nullptr);
  ~GroupsDialog() override;

  // Loads the groups file from `path` (telling the user about a damaged one) and runs
  // the dialog.
  static void Run(const QString& path, const CatalogueDirectory& catalogue, AppSettings& settings, GroupsHost host,
                  QWidget* parent);

  void SetNameAsker(NameAsker asker) { askName_ = std::move(asker); }
  void SetUpdateAsker(UpdateAsker asker) { askUpdate_ = std::move(asker); }

  // The buttons' actions.
  void CreateGroup();
  void UpdateGroup();
  void DeleteGroup();
  void OpenGroup();
  void Done();
  // A double-click on a row: expands or collapses a group, opens a location.
  void Activate(int row);

  // What the user sees, for the tests.
  GroupListModel* model() const { return model_; }
  QListView* list() const { return list_; }
  QString countLine() const;
  void SelectRow(int row);
  int selectedRow() const;
  QPushButton* updateButton() const { return update_; }
  QPushButton* deleteButton() const { return delete_; }
  QPushButton* openButton() const { return open_; }
  QCheckBox* closeFirstBox() const { return closeFirst_; }

  // Escape and the window's close button end the dialog as Done does.
  void reject() override;

 private:
  void BuildLayout();
  void Reload();
  void UpdateButtons();
  void ExpandGroup(int groupRow);
  std::vector<OpenWindowEntry> OpenWindowLines() const;
  // The selected group row, or -1 after telling the user `messageId`.
  int SelectedGroup(int messageId);
  void ShowSaveProblem(const std::string& error);
  void Finish();

  GroupStore& store_;
  const CatalogueDirectory& catalogue_;
  AppSettings& settings_;
  GroupsHost host_;
  NameAsker askName_;
  UpdateAsker askUpdate_;
  GroupListModel* model_ = nullptr;
  QListView* list_ = nullptr;
  QLabel* count_ = nullptr;
  QPushButton* create_ = nullptr;
  QPushButton* update_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* done_ = nullptr;
  QCheckBox* closeFirst_ = nullptr;
};

// The row text of a location: "Tides - Seattle (Washington)"; a station no longer
// installed is named so.
QString GroupLocationText(const OpenWindowEntry& entry, const CatalogueDirectory& catalogue);

}  // namespace qw
