#include "app/frame_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace qw {
namespace {

constexpr int kSize = 32;
const QColor kInk(40, 40, 48);
const QColor kSea(30, 100, 190);

QPainterPath Wave(double top, double amplitude, double left = 3, double right = kSize - 3) {
  QPainterPath path;
  for (double x = left; x <= right; x += 0.5) {
    const double y = top + amplitude * std::sin((x - left) / (right - left) * 2 * M_PI);
    if (x == left) {
      path.moveTo(x, y);
    } else {
      path.lineTo(x, y);
    }
  }
  return path;
}

void Triangle(QPainter& p, double tipX, bool left) {
  QPolygonF shape;
  const double back = left ? tipX + 11 : tipX - 11;
  shape << QPointF(tipX, 16) << QPointF(back, 6) << QPointF(back, 26);
  p.drawPolygon(shape);
}

void Draw(QPainter& p, Command command) {
  p.setRenderHint(QPainter::Antialiasing);
  QPen ink(kInk, 2);
  p.setPen(ink);
  switch (command) {
    case Command::NewTideWindow: {
      p.setPen(QPen(kSea, 3, Qt::SolidLine, Qt::RoundCap));
      p.drawPath(Wave(14, 7));
      p.setPen(QPen(kSea.lighter(150), 2));
      p.drawLine(3, 27, kSize - 3, 27);
      break;
    }
    case Command::NewCurrentWindow: {
      p.setPen(QPen(kSea, 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(4, 16, 24, 16);
      p.setBrush(kSea);
      p.setPen(Qt::NoPen);
      p.drawPolygon(QPolygonF({QPointF(29, 16), QPointF(20, 9), QPointF(20, 23)}));
      p.setPen(QPen(kSea.lighter(150), 2));
      p.drawPath(Wave(26, 2, 4, 28));
      break;
    }
    case Command::PrintReport:
    case Command::QuickPrint: {
      p.setBrush(Qt::white);
      p.drawRect(9, 4, 14, 10);
      p.setBrush(QColor(190, 190, 200));
      p.drawRoundedRect(4, 13, 24, 11, 2, 2);
      p.setBrush(Qt::white);
      p.drawRect(9, 20, 14, 8);
      if (command == Command::QuickPrint) {
        p.setPen(QPen(QColor(220, 150, 0), 2));
        p.drawLine(24, 3, 20, 10);
        p.drawLine(20, 10, 26, 10);
        p.drawLine(26, 10, 22, 17);
      }
      break;
    }
    case Command::PreviousDay:
    case Command::NextDay:
    case Command::PreviousMonth:
    case Command::NextMonth: {
      const bool left = command == Command::PreviousDay || command == Command::PreviousMonth;
      const bool twice = command == Command::PreviousMonth || command == Command::NextMonth;
      p.setBrush(kSea);
      p.setPen(Qt::NoPen);
      if (twice) {
        Triangle(p, left ? 4 : 28, left);
        Triangle(p, left ? 15 : 17, left);
      } else {
        Triangle(p, left ? 10 : 22, left);
      }
      break;
    }
    case Command::SetDate: {
      p.setBrush(Qt::white);
      p.drawRect(4, 6, 24, 22);
      p.fillRect(5, 7, 23, 5, QColor(200, 40, 40));
      p.setPen(QPen(kInk, 1));
      for (int x = 10; x < 28; x += 6) p.drawLine(x, 13, x, 27);
      for (int y = 17; y < 28; y += 5) p.drawLine(5, y, 27, y);
      break;
    }
    case Command::InfoWindows: {
      p.setBrush(kSea);
      p.setPen(Qt::NoPen);
      p.drawEllipse(QPointF(16, 16), 13, 13);
      p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
      p.drawPoint(QPointF(16, 9.5));
      p.drawLine(QPointF(16, 14.5), QPointF(16, 23));
      break;
    }
    case Command::WeeklyView: {
      p.setPen(Qt::NoPen);
      p.setBrush(kSea);
      const int heights[] = {10, 16, 20, 14, 8, 12, 18};
      for (int i = 0; i < 7; ++i) p.drawRect(3 + i * 4, 28 - heights[i], 3, heights[i]);
      break;
    }
    case Command::Table: {
      p.setBrush(Qt::white);
      p.drawRect(4, 4, 24, 24);
      p.setPen(QPen(kInk, 1));
      p.drawLine(13, 4, 13, 28);
      for (int y = 10; y < 28; y += 6) p.drawLine(4, y, 28, y);
      break;
    }
    case Command::ViewOnChart: {
      p.setBrush(QColor(235, 225, 190));
      p.drawRect(3, 6, 26, 20);
      p.setPen(QPen(kSea, 1.5));
      p.drawPath(Wave(18, 3, 3, 29));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(200, 30, 30));
      p.drawEllipse(QPointF(20, 12), 4, 4);
      p.drawPolygon(QPolygonF({QPointF(16.5, 13.5), QPointF(23.5, 13.5), QPointF(20, 21)}));
      break;
    }
    case Command::RealTimeWindow: {
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(16, 16), 12, 12);
      p.drawLine(QPointF(16, 16), QPointF(16, 8));
      p.drawLine(QPointF(16, 16), QPointF(22, 19));
      break;
    }
    default:
      break;
  }
}

}  // namespace

QIcon CommandIcon(Command command) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  {
    QPainter painter(&pixmap);
    Draw(painter, command);
  }
  QIcon icon(pixmap);
  return icon;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 60, 120));
    p.drawEllipse(QPointF(16, 16), 15, 15);
    p.setBrush(QColor(255, 220, 90));
    p.drawEllipse(QPointF(21, 10), 4, 4);
    p.setPen(QPen(QColor(120, 190, 255), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(Wave(20, 4, 5, 27));
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace qw
