#include "app/window_fit.h"

#include <algorithm>

namespace qw {

QRect PlaceNewWindow(const QRect& area, QSize wanted, const QSize& minimum, const std::vector<QPoint>& taken,
                     int step) {
  wanted = wanted.boundedTo(area.size()).expandedTo(minimum);
  step = std::max(1, step);
  // How many cascade positions keep the window whole inside the area.
  const int room = std::min(area.width() - wanted.width(), area.height() - wanted.height());
  const int positions = room < 0 ? 1 : room / step + 1;
  for (int k = 0; k < positions; ++k) {
    const QPoint corner = area.topLeft() + QPoint(k * step, k * step);
    if (std::find(taken.begin(), taken.end(), corner) == taken.end()) return QRect(corner, wanted);
  }
  return QRect(area.topLeft(), wanted);
}

bool FitsWhole(const QRect& rect, const QRect& area) { return rect.isValid() && area.contains(rect); }

}  // namespace qw
