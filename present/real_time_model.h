// The real-time window's rows as a Qt model: the tide entries, then the current entries,
// each with its name, value now, next-change text and picture.
#pragma once

#include <QAbstractListModel>
#include <functional>

#include "present/real_time_board.h"

namespace qw {

class RealTimeModel : public QAbstractListModel {
  Q_OBJECT

 public:
  enum Role {
    ValueRole = Qt::UserRole + 1,  // QString: the value now
    ChangeRole,                    // QString: the next change
    IconRole,                      // int: RealTimeIcon
    KindRole,                      // int: 'T' or 'C'
  };

  explicit RealTimeModel(const RealTimeBoard& board, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  // DisplayRole: the station's name.
  QVariant data(const QModelIndex& index, int role) const override;

  // The entry of a row, or nullptr.
  const RealTimeEntry* Entry(int row) const;
  // Loads the board again through `load`, telling the views.
  void Reload(const std::function<void()>& load);
  // After the board was updated.
  void ValuesChanged();

 private:
  const RealTimeBoard& board_;
};

}  // namespace qw
