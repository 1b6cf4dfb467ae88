// The rows of the Groups dialog's list: one row per group ("%s ( %d locations )"), and
// below an expanded group its locations ("Tides - %s (%s)"), highest key first as the
// group is reopened.
#pragma once

#include <QAbstractListModel>
#include <string>
#include <vector>

#include "shell/open_windows.h"

namespace qw {

class GroupListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  enum Role { IsGroupRole = Qt::UserRole + 1, ExpandedRole };

  struct Location {
    OpenWindowEntry entry;
    QString text;  // "Tides - Seattle (Washington)"
  };

  using QAbstractListModel::QAbstractListModel;

  // Collapsed rows of the groups with their location counts.
  void SetGroups(const std::vector<std::string>& names, const std::vector<int>& counts);
  // Adds a collapsed group row at the end.
  int AddGroup(const std::string& name, int count);
  // Removes the group's row and its location rows.
  void RemoveGroup(int groupRow);
  void SetCount(int groupRow, int count);
  // Shows the locations (in the order given) below the group row.
  void Expand(int groupRow, const std::vector<Location>& locations);
  void Collapse(int groupRow);

  bool IsGroup(int row) const;
  bool IsExpanded(int groupRow) const;
  // The group row a row stands for (a location row stands for its group); -1 for none.
  int GroupRowOf(int row) const;
  std::string GroupName(int row) const;  // of GroupRowOf(row)
  int GroupCount() const;                // group rows
  std::vector<std::string> GroupNames() const;
  const OpenWindowEntry* LocationAt(int row) const;  // nullptr for a group row

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  struct Row {
    bool group = true;
    std::string name;  // the group's name (group rows and their locations)
    int count = 0;
    bool expanded = false;
    Location location;
  };
  QString GroupText(const Row& row) const;

  std::vector<Row> rows_;
};

}  // namespace qw
