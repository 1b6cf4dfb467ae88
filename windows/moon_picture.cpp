#include "windows/moon_picture.h"

#include <cstdlib>

namespace qw {

void DrawMoonPicture(QPainter& painter, const QRect& disc, int a) {
  a = ((a % 360) + 360) % 360;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  const int w = disc.width();
  const int h = disc.height();
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::white);
  painter.drawEllipse(disc);
  if (a != 180) {
    // The dark half.
    painter.setClipRect(a < 180 ? QRect(disc.left(), disc.top(), w / 2, h + 1)
                                : QRect(disc.left() + w / 2, disc.top(), w - w / 2 + 1, h + 1));
    painter.setBrush(Qt::black);
    painter.drawEllipse(disc);
    painter.setClipping(false);
    // The terminator ellipse.
    const int width = (a < 180 ? std::abs(90 - a) : std::abs(270 - a)) * w / 90 - 2;
    if (width > 0) {
      const int centre = disc.left() + w / 2;
      const QRect ellipse(centre - width / 2, disc.top() + 1, width, h - 2);
      if (a <= 90 || a >= 270) {
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::black);
      } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
      }
      painter.drawEllipse(ellipse);
    }
  }
  painter.restore();
}

}  // namespace qw
