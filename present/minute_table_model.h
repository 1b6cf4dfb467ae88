// The minute table of a tide or current window: one row every `interval` minutes of
// elapsed time through the shown date (23 or 25 hours of rows on the days the clocks
// change) with the time the clock shows and the value there. A row's value is computed
// the first time the row is shown and kept for the day.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <optional>
#include <vector>

#include "engine/engine_values.h"
#include "engine/station_clock.h"
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
  // `value` gives the engine value at an instant (a standard minute, station_clock.h);
  // `text` its display text (kValueNotDefined must be handled by it).
  using ValueAt = std::function<MinuteValue(EngineMinute)>;
  using ValueText = std::function<QString(const MinuteValue&)>;

  MinuteTableModel(ValueAt value, ValueText text, QString valueHeading, QObject* parent = nullptr);

  // A new date (of `stationClock`), interval or time format: forgets every computed row.
  void Reset(const StationClock& stationClock, EngineMinute day, int intervalMinutes, TimeType clock);
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
  EngineMinute StandardOfRow(int row) const;

  ValueAt value_;
  ValueText text_;
  QString heading_;
  StationClock stationClock_{0, 0, ""};
  CivilDaySpan span_;
  int interval_ = 15;
  TimeType clock_ = TimeType::Clock12;
  mutable std::vector<std::optional<MinuteValue>> cache_;
};

}  // namespace qw
