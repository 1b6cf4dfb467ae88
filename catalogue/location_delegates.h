// How the location dialog draws its rows: a region as its map picture centred above its
// name; a station as its name with the note markers at the left and the reference
// marker after the name (general areas centred in red).
#pragma once

#include <QStyledItemDelegate>

namespace qw {

class RegionDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

class StationDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // The width of the marker column at the left of every row.
  static constexpr int kMarkerWidth = 30;
};

}  // namespace qw
