// The small picture of the moon's lit disc for a phase angle in whole degrees
// (0 new, 90 first quarter, 180 full, 270 last quarter).
#pragma once

#include <QPainter>
#include <QRect>

namespace qw {

// Draws the disc into `disc`: white with a black outline; for angles other than 180 one
// half is blackened (the left half below 180, the right half from 180 on) and an
// ellipse on the vertical diameter, |90 - a| W / 90 - 2 wide (|270 - a| from 180 on),
// either darkens the crescent (a <= 90 or a >= 270) or lights the gibbous part.
void DrawMoonPicture(QPainter& painter, const QRect& disc, int angleDegrees);

}  // namespace qw
