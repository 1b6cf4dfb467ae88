// How the real-time window draws its rows: the entry's picture, the station's name with
// the value now at the right, and, when the next change is shown, that text below.
#pragma once

#include <QStyledItemDelegate>
#include <functional>

#include "present/real_time_board.h"

namespace qw {

// Draws one of the entry pictures into `box`.
void DrawRealTimeIcon(QPainter& painter, const QRectF& box, RealTimeIcon icon);

class RealTimeRowDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // `showChange` tells whether rows carry the next-change line.
  RealTimeRowDelegate(std::function<bool()> showChange, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  // The height of a row in `font`.
  int RowHeight(const QFont& font) const;

 private:
  std::function<bool()> showChange_;
};

}  // namespace qw
