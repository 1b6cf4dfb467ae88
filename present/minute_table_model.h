// The minute table of a tide or current window: one row every `interval` minutes of the
// shown day with the time and the value there. A row's value is computed the first
// time the row is shown and kept for the day.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <optional>
#include <vector>

#include "engine/engine_values.h"
#include "settings/app_settings.h"

namespace qw {

// A row's value: engine units (millionths of a foot or of a knot), and for currents the
// direction in degrees true.
struct MinuteValue {
  int32_t value = kValueNotDefined;
  int16_t direction = kNotGiven16;
};

class MinuteTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // `value` gives the engine value at a shown-time minute; `text` its display text
  // (kValueNotDefined must be handled by it).
  using ValueAt = std::function<MinuteValue(EngineMinute)>;
  using ValueText = std::function<QString(const MinuteValue&)>;

  MinuteTableModel(ValueAt value, ValueText text, QString valueHeading, QObject* parent = nullptr);

  // A new day, interval or clock: forgets every computed row.
  void Reset(EngineMinute day, int intervalMinutes, TimeType clock);
  void SetValueText(ValueText text);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // How many rows have been computed (the cache's fill).
  int computedRows() const;

 private:
  // The row's value, computed on first use.
  MinuteValue ValueOfRow(int row) const;

  ValueAt value_;
  ValueText text_;
  QString heading_;
  EngineMinute day_ = 0;
  int interval_ = 15;
  TimeType clock_ = TimeType::Clock12;
  mutable std::vector<std::optional<MinuteValue>> cache_;
};

}  // namespace qw
