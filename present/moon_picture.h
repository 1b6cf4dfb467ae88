// The small picture of the moon's lit disc for a phase angle in whole degrees
// (0 new, 90 first quarter, 180 full, 270 last quarter).
#pragma once

#include <QPainter>
#include <QRect>

namespace qw {

// Draws the disc into `disc` by the shape of moon_phase.h: white with a black outline;
// unless full, one half blackened and an ellipse on the vertical diameter that darkens
// the crescent or lights the gibbous part.
void DrawMoonPicture(QPainter& painter, const QRect& disc, int angleDegrees);

}  // namespace qw
