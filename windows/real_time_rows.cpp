#include "windows/real_time_rows.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

#include "present/real_time_model.h"

namespace qw {
namespace {

constexpr int kIconColumn = 24;

QFont ChangeFont(const QFont& font) {
  QFont smaller = font;
  if (smaller.pointSizeF() > 0) {
    smaller.setPointSizeF(smaller.pointSizeF() * 0.85);
  } else {
    smaller.setPixelSize(std::max(8, smaller.pixelSize() * 85 / 100));
  }
  return smaller;
}

void Arrow(QPainter& p, const QRectF& box, double angleDegrees, const QColor& colour) {
  p.save();
  p.translate(box.center());
  p.rotate(angleDegrees);
  const double r = std::min(box.width(), box.height()) / 2.0;
  QPainterPath path;
  path.moveTo(0, -r);
  path.lineTo(r * 0.8, -r * 0.1);
  path.lineTo(r * 0.3, -r * 0.1);
  path.lineTo(r * 0.3, r);
  path.lineTo(-r * 0.3, r);
  path.lineTo(-r * 0.3, -r * 0.1);
  path.lineTo(-r * 0.8, -r * 0.1);
  path.closeSubpath();
  p.setPen(QPen(colour.darker(140), 1));
  p.setBrush(colour);
  p.drawPath(path);
  p.restore();
}

}  // namespace

void DrawRealTimeIcon(QPainter& p, const QRectF& box, RealTimeIcon icon) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  switch (icon) {
    case RealTimeIcon::Rising: Arrow(p, box, 0, QColor(30, 110, 220)); break;
    case RealTimeIcon::Falling: Arrow(p, box, 180, QColor(30, 110, 220)); break;
    case RealTimeIcon::Flood: Arrow(p, box, 90, QColor(40, 160, 70)); break;
    case RealTimeIcon::Ebb: Arrow(p, box, -90, QColor(220, 120, 30)); break;
    case RealTimeIcon::Slack: {
      p.setPen(QPen(QColor(110, 110, 110), 1.5));
      p.setBrush(QColor(200, 200, 200));
      p.drawEllipse(box.adjusted(3, 3, -3, -3));
      break;
    }
    case RealTimeIcon::Rotary: {
      const QRectF ring = box.adjusted(2, 2, -2, -2);
      p.setPen(QPen(QColor(120, 60, 170), 2));
      p.setBrush(Qt::NoBrush);
      p.drawArc(ring, 30 * 16, 300 * 16);
      const QPointF tip(ring.center().x() + ring.width() / 2 * 0.87, ring.center().y() - ring.height() / 2 * 0.5);
      QPolygonF head;
      head << tip + QPointF(-4, -2) << tip + QPointF(2, -4) << tip + QPointF(1, 3);
      p.setBrush(QColor(120, 60, 170));
      p.drawPolygon(head);
      break;
    }
    case RealTimeIcon::Unknown: {
      QFont font = p.font();
      font.setBold(true);
      font.setPixelSize(static_cast<int>(box.height()));
      p.setFont(font);
      p.setPen(QColor(160, 30, 30));
      p.drawText(box, Qt::AlignCenter, "?");
      break;
    }
    case RealTimeIcon::None: break;
  }
  p.restore();
}

RealTimeRowDelegate::RealTimeRowDelegate(std::function<bool()> showChange, QObject* parent)
    : QStyledItemDelegate(parent), showChange_(std::move(showChange)) {}

int RealTimeRowDelegate::RowHeight(const QFont& font) const {
  int height = QFontMetrics(font).height() + 4;
  if (showChange_ && showChange_()) height += QFontMetrics(ChangeFont(font)).height() + 1;
  return std::max(height, 20);
}

QSize RealTimeRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return QSize(200, RowHeight(option.font));
}

void RealTimeRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem base = option;
  initStyleOption(&base, index);
  base.text.clear();
  QStyle* style = option.widget ? option.widget->style() : QApplication::style();
  style->drawPrimitive(QStyle::PE_PanelItemViewItem, &base, painter, option.widget);

  painter->save();
  const QRect row = option.rect;
  const bool selected = option.state & QStyle::State_Selected;
  const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  const QFontMetrics metrics(option.font);
  const int lineHeight = metrics.height() + 4;

  const int iconSize = std::min(lineHeight - 4, 16);
  DrawRealTimeIcon(*painter, QRectF(row.left() + (kIconColumn - iconSize) / 2.0, row.top() + (lineHeight - iconSize) / 2.0,
                                    iconSize, iconSize),
                   static_cast<RealTimeIcon>(index.data(RealTimeModel::IconRole).toInt()));

  QFont valueFont = option.font;
  valueFont.setBold(true);
  const QString value = index.data(RealTimeModel::ValueRole).toString();
  const int valueWidth = QFontMetrics(valueFont).horizontalAdvance(value);
  const QRect first(row.left() + kIconColumn, row.top(), row.width() - kIconColumn - 4, lineHeight);
  painter->setPen(text);
  painter->setFont(valueFont);
  painter->drawText(first, Qt::AlignRight | Qt::AlignVCenter, value);
  painter->setFont(option.font);
  const QString name = metrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight,
                                          first.width() - valueWidth - 10);
  painter->drawText(first, Qt::AlignLeft | Qt::AlignVCenter, name);

  if (showChange_ && showChange_()) {
    const QFont small = ChangeFont(option.font);
    painter->setFont(small);
    painter->setPen(selected ? text : option.palette.color(QPalette::PlaceholderText));
    const QRect second(first.left(), first.bottom() - 1, first.width(), row.bottom() - first.bottom() + 1);
    const QString change =
        QFontMetrics(small).elidedText(index.data(RealTimeModel::ChangeRole).toString(), Qt::ElideRight, second.width());
    painter->drawText(second, Qt::AlignLeft | Qt::AlignTop, change);
  }
  painter->restore();
}

}  // namespace qw
