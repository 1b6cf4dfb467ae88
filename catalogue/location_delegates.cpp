#include "catalogue/location_delegates.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

#include "catalogue/station_list_models.h"

namespace qw {
namespace {

// The official-notes marker: a small page with lines.
void DrawOfficialMarker(QPainter& p, const QRect& box) {
  const QRectF page(box.left() + 1.5, box.top() + 1.5, box.width() - 4, box.height() - 3);
  p.setPen(QPen(QColor(40, 70, 140), 1));
  p.setBrush(Qt::white);
  p.drawRect(page);
  for (int i = 1; i <= 3; ++i) {
    const double y = page.top() + page.height() * i / 4.5;
    p.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 2, y));
  }
}

// The user-notes marker: a yellow sticky note with a folded corner.
void DrawUserMarker(QPainter& p, const QRect& box) {
  const QRectF note(box.left() + 1.5, box.top() + 1.5, box.width() - 3, box.height() - 3);
  QPainterPath path;
  path.moveTo(note.topLeft());
  path.lineTo(note.topRight());
  path.lineTo(note.right(), note.bottom() - 3);
  path.lineTo(note.right() - 3, note.bottom());
  path.lineTo(note.bottomLeft());
  path.closeSubpath();
  p.setPen(QPen(QColor(150, 120, 0), 1));
  p.setBrush(QColor(255, 226, 80));
  p.drawPath(path);
}

// The reference-station marker: a small filled diamond.
void DrawReferenceMarker(QPainter& p, const QPointF& centre, double radius) {
  QPolygonF diamond;
  diamond << QPointF(centre.x(), centre.y() - radius) << QPointF(centre.x() + radius, centre.y())
          << QPointF(centre.x(), centre.y() + radius) << QPointF(centre.x() - radius, centre.y());
  p.setPen(QPen(QColor(0, 90, 40), 1));
  p.setBrush(QColor(40, 160, 80));
  p.drawPolygon(diamond);
}

}  // namespace

void RegionDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem base = option;
  initStyleOption(&base, index);
  base.text.clear();
  base.icon = QIcon();
  QStyle* style = option.widget ? option.widget->style() : QApplication::style();
  style->drawPrimitive(QStyle::PE_PanelItemViewItem, &base, painter, option.widget);

  painter->save();
  const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
  const int size = RegionListModel::kPictureSize;
  const QRect box = option.rect;
  const QPoint pictureAt(box.left() + (box.width() - size) / 2, box.top() + 3);
  painter->drawPixmap(pictureAt, picture);
  const bool selected = option.state & QStyle::State_Selected;
  painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  QFont font = option.font;
  font.setPointSizeF(font.pointSizeF() * 0.85);
  painter->setFont(font);
  const QRect textBox(box.left() + 2, pictureAt.y() + size + 1, box.width() - 4, box.bottom() - pictureAt.y() - size);
  const QString text = QFontMetrics(font).elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight,
                                                     textBox.width() * 2 - 8);
  painter->drawText(textBox, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
  painter->restore();
}

QSize RegionDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return QSize(RegionListModel::kPictureSize + 40, RegionListModel::kRowHeight);
}

void StationDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem base = option;
  initStyleOption(&base, index);
  const QString text = base.text;
  base.text.clear();
  QStyle* style = option.widget ? option.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &base, painter, option.widget);

  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  const QRect row = option.rect;
  const int markerSize = std::min(row.height() - 2, 13);
  const int markerTop = row.top() + (row.height() - markerSize) / 2;
  if (index.data(StationListModel::OfficialNotesRole).toBool()) {
    DrawOfficialMarker(*painter, QRect(row.left() + 2, markerTop, markerSize - 2, markerSize));
  }
  if (index.data(StationListModel::UserNotesRole).toBool()) {
    DrawUserMarker(*painter, QRect(row.left() + 3 + markerSize, markerTop, markerSize, markerSize));
  }

  const bool selected = option.state & QStyle::State_Selected;
  const bool general = index.data(StationListModel::GeneralAreaRole).toBool();
  QColor colour = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  if (general && !selected) colour = Qt::red;
  painter->setPen(colour);
  painter->setFont(option.font);
  const QRect textBox = row.adjusted(kMarkerWidth, 0, -4, 0);
  const QFontMetrics metrics(option.font);
  const QString shown = metrics.elidedText(text, Qt::ElideRight, textBox.width() - 14);
  if (general) {
    painter->drawText(textBox, Qt::AlignCenter, shown);
  } else {
    painter->drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, shown);
    if (index.data(StationListModel::ReferenceRole).toBool()) {
      const double x = textBox.left() + metrics.horizontalAdvance(shown) + 8;
      DrawReferenceMarker(*painter, QPointF(x, row.center().y() + 0.5), markerSize * 0.32);
    }
  }
  painter->restore();
}

QSize StationDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  size.setWidth(size.width() + kMarkerWidth + 16);
  size.setHeight(std::max(size.height(), 18));
  return size;
}

}  // namespace qw
