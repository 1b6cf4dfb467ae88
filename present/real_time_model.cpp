#include "present/real_time_model.h"

namespace qw {

RealTimeModel::RealTimeModel(const RealTimeBoard& board, QObject* parent) : QAbstractListModel(parent), board_(board) {}

int RealTimeModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(board_.tides().size() + board_.currents().size());
}

const RealTimeEntry* RealTimeModel::Entry(int row) const {
  if (row < 0) return nullptr;
  const auto tides = static_cast<int>(board_.tides().size());
  if (row < tides) return &board_.tides()[static_cast<size_t>(row)];
  row -= tides;
  if (row < static_cast<int>(board_.currents().size())) return &board_.currents()[static_cast<size_t>(row)];
  return nullptr;
}

QVariant RealTimeModel::data(const QModelIndex& index, int role) const {
  const RealTimeEntry* entry = Entry(index.row());
  if (!entry) return {};
  switch (role) {
    case Qt::DisplayRole: return QString::fromUtf8(entry->name);
    case Qt::ToolTipRole:
      return QString::fromUtf8(entry->name + "\n" + entry->valueText +
                               (entry->changeText.empty() ? std::string() : "\n" + entry->changeText));
    case ValueRole: return QString::fromUtf8(entry->valueText);
    case ChangeRole: return QString::fromUtf8(entry->changeText);
    case IconRole: return static_cast<int>(entry->icon);
    case KindRole: return static_cast<int>(static_cast<char>(entry->station.kind));
    default: return {};
  }
}

void RealTimeModel::Reload(const std::function<void()>& load) {
  beginResetModel();
  load();
  endResetModel();
}

void RealTimeModel::ValuesChanged() {
  if (rowCount() > 0) emit dataChanged(index(0), index(rowCount() - 1));
}

}  // namespace qw
