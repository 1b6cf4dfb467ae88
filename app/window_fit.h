// Where windows go on the screen: a new child window whole inside the frame's visible
// window area, cascading from its top left; a restored rectangle kept only when it
// lies whole on the screen or area it is restored to.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

namespace qw {

// The rectangle of a new child window in `area` (the visible window area): `wanted`
// shrunk to fit the area (never below `minimum`), at the first cascade position, one
// `step` down and right of the last, that no window in `taken` (their top left corners)
// holds and that keeps the window whole inside the area. When every such position is
// taken it goes to the area's top left.
QRect PlaceNewWindow(const QRect& area, QSize wanted, const QSize& minimum, const std::vector<QPoint>& taken,
                     int step);

// True when `rect` is valid and lies whole inside `area`.
bool FitsWhole(const QRect& rect, const QRect& area);

}  // namespace qw
