#include "present/moon_picture.h"

#include "engine/moon_phase.h"

namespace qw {

void DrawMoonPicture(QPainter& painter, const QRect& disc, int angle) {
  angle = ((angle % 360) + 360) % 360;
  const MoonPicture shape = MoonPictureShape(angle, disc.width(), disc.height());
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::white);
  painter.drawEllipse(disc);
  if (!shape.fullMoon) {
    const int half = disc.width() / 2;
    painter.setClipRect(shape.darkLeftHalf ? QRect(disc.left(), disc.top(), half, disc.height() + 1)
                                           : QRect(disc.left() + half, disc.top(), disc.width() - half + 1,
                                                   disc.height() + 1));
    painter.setBrush(Qt::black);
    painter.drawEllipse(disc);
    painter.setClipping(false);
    if (shape.ellipseWidth > 0) {
      if (shape.ellipseBlack) {
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::black);
      } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
      }
      painter.drawEllipse(QRect(disc.left() + shape.ellipseLeft, disc.top() + shape.ellipseTop, shape.ellipseWidth,
                                shape.ellipseHeight));
    }
  }
  painter.restore();
}

}  // namespace qw
