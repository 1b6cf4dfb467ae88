#include "present/minute_table_model.h"

#include "engine/calendar.h"
#include "present/day_presentation.h"

namespace qw {

MinuteTableModel::MinuteTableModel(ValueAt value, ValueText text, QString valueHeading, QObject* parent)
    : QAbstractTableModel(parent), value_(std::move(value)), text_(std::move(text)), heading_(std::move(valueHeading)) {}

void MinuteTableModel::Reset(const StationClock& stationClock, EngineMinute day, int intervalMinutes, TimeType clock) {
  beginResetModel();
  stationClock_ = stationClock;
  span_ = stationClock.Day(day);
  interval_ = std::clamp(intervalMinutes, 1, static_cast<int>(kMinutesPerDay));
  clock_ = clock;
  cache_.assign(static_cast<size_t>(span_.Minutes() / static_cast<uint32_t>(interval_)), std::nullopt);
  endResetModel();
}

EngineMinute MinuteTableModel::StandardOfRow(int row) const {
  return span_.standardStart + static_cast<EngineMinute>(row * interval_);
}

void MinuteTableModel::SetValueText(ValueText text) {
  text_ = std::move(text);
  if (!cache_.empty()) emit dataChanged(index(0, 1), index(rowCount() - 1, 1));
}

int MinuteTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(cache_.size());
}

int MinuteTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

MinuteValue MinuteTableModel::ValueOfRow(int row) const {
  std::optional<MinuteValue>& slot = cache_[static_cast<size_t>(row)];
  if (!slot) slot = value_(StandardOfRow(row));
  return *slot;
}

int MinuteTableModel::computedRows() const {
  int n = 0;
  for (const auto& slot : cache_) n += slot.has_value();
  return n;
}

QVariant MinuteTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  if (index.column() == 0) {
    const ClockReading at = stationClock_.At(StandardOfRow(index.row()));
    return QString::fromStdString(TimeOfReading(at, stationClock_, span_, clock_));
  }
  return text_(ValueOfRow(index.row()));
}

QVariant MinuteTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  return section == 0 ? QString("Time") : heading_;
}

}  // namespace qw
