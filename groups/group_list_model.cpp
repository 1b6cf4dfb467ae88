#include "groups/group_list_model.h"

#include <QApplication>
#include <QStyle>

#include "engine/string_table.h"

namespace qw {
namespace {

constexpr int kGroupRowText = 9107;  // "%s ( %d locations )"

}  // namespace

void GroupListModel::SetGroups(const std::vector<std::string>& names, const std::vector<int>& counts) {
  beginResetModel();
  rows_.clear();
  for (size_t i = 0; i < names.size(); ++i) {
    Row row;
    row.name = names[i];
    row.count = i < counts.size() ? counts[i] : 0;
    rows_.push_back(std::move(row));
  }
  endResetModel();
}

int GroupListModel::AddGroup(const std::string& name, int count) {
  const int at = static_cast<int>(rows_.size());
  beginInsertRows(QModelIndex(), at, at);
  Row row;
  row.name = name;
  row.count = count;
  rows_.push_back(std::move(row));
  endInsertRows();
  return at;
}

void GroupListModel::RemoveGroup(int groupRow) {
  if (!IsGroup(groupRow)) return;
  Collapse(groupRow);
  beginRemoveRows(QModelIndex(), groupRow, groupRow);
  rows_.erase(rows_.begin() + groupRow);
  endRemoveRows();
}

void GroupListModel::SetCount(int groupRow, int count) {
  if (!IsGroup(groupRow)) return;
  rows_[static_cast<size_t>(groupRow)].count = count;
  emit dataChanged(index(groupRow), index(groupRow));
}

void GroupListModel::Expand(int groupRow, const std::vector<Location>& locations) {
  if (!IsGroup(groupRow) || IsExpanded(groupRow)) return;
  rows_[static_cast<size_t>(groupRow)].expanded = true;
  emit dataChanged(index(groupRow), index(groupRow));
  if (locations.empty()) return;
  const int first = groupRow + 1;
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(locations.size()) - 1);
  std::vector<Row> inserted;
  for (const Location& location : locations) {
    Row row;
    row.group = false;
    row.name = rows_[static_cast<size_t>(groupRow)].name;
    row.location = location;
    inserted.push_back(std::move(row));
  }
  rows_.insert(rows_.begin() + first, inserted.begin(), inserted.end());
  endInsertRows();
}

void GroupListModel::Collapse(int groupRow) {
  if (!IsGroup(groupRow) || !IsExpanded(groupRow)) return;
  rows_[static_cast<size_t>(groupRow)].expanded = false;
  emit dataChanged(index(groupRow), index(groupRow));
  int last = groupRow;
  while (last + 1 < static_cast<int>(rows_.size()) && !rows_[static_cast<size_t>(last + 1)].group) ++last;
  if (last == groupRow) return;
  beginRemoveRows(QModelIndex(), groupRow + 1, last);
  rows_.erase(rows_.begin() + groupRow + 1, rows_.begin() + last + 1);
  endRemoveRows();
}

bool GroupListModel::IsGroup(int row) const {
  return row >= 0 && row < static_cast<int>(rows_.size()) && rows_[static_cast<size_t>(row)].group;
}

bool GroupListModel::IsExpanded(int groupRow) const {
  return IsGroup(groupRow) && rows_[static_cast<size_t>(groupRow)].expanded;
}

int GroupListModel::GroupRowOf(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return -1;
  while (row >= 0 && !rows_[static_cast<size_t>(row)].group) --row;
  return row;
}

std::string GroupListModel::GroupName(int row) const {
  const int group = GroupRowOf(row);
  return group < 0 ? std::string() : rows_[static_cast<size_t>(group)].name;
}

int GroupListModel::GroupCount() const {
  int count = 0;
  for (const Row& row : rows_) count += row.group ? 1 : 0;
  return count;
}

std::vector<std::string> GroupListModel::GroupNames() const {
  std::vector<std::string> names;
  for (const Row& row : rows_) {
    if (row.group) names.push_back(row.name);
  }
  return names;
}

const OpenWindowEntry* GroupListModel::LocationAt(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || rows_[static_cast<size_t>(row)].group) return nullptr;
  return &rows_[static_cast<size_t>(row)].location.entry;
}

int GroupListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QString GroupListModel::GroupText(const Row& row) const {
  return QString::fromStdString(FormatString(kGroupRowText, row.name.c_str(), row.count));
}

QVariant GroupListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return QVariant();
  const Row& row = rows_[static_cast<size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole: return row.group ? GroupText(row) : row.location.text;
    case Qt::DecorationRole:
      if (!row.group) return QVariant();
      return QApplication::style()->standardIcon(row.expanded ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon);
    case IsGroupRole: return row.group;
    case ExpandedRole: return row.expanded;
    default: return QVariant();
  }
}

}  // namespace qw
