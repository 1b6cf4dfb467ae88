#include "catalogue/region_picture.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace qw {
namespace {

constexpr double kMarginShare = 0.08;
constexpr double kSmallestSpanDegrees = 1.0;

double Cosine(double degrees) { return std::cos(degrees * std::numbers::pi / 180.0); }

// The longitude taken east of `west`, so that a frame across the date line is continuous.
double Unwrapped(const GeoFrame& frame, double longitude) {
  return longitude < frame.west ? longitude + 360.0 : longitude;
}

// The grid step: a round number of degrees giving a few lines across `span`.
double GridStep(double span) {
  for (double step : {0.25, 0.5, 1.0, 2.0, 5.0, 10.0, 15.0, 30.0, 45.0, 90.0}) {
    if (span / step <= 4.0) return step;
  }
  return 90.0;
}

}  // namespace

GeoFrame FrameAround(const std::vector<GeoPoint>& points) {
  if (points.empty()) return GeoFrame{};
  std::vector<double> longitudes;
  double south = 90, north = -90;
  for (const GeoPoint& p : points) {
    longitudes.push_back(p.longitude);
    south = std::min(south, p.latitude);
    north = std::max(north, p.latitude);
  }
  std::sort(longitudes.begin(), longitudes.end());
  // The widest empty stretch of longitude is left out of the frame; the stretch across
  // the date line counts too.
  double west = longitudes.front(), east = longitudes.back();
  double widestGap = longitudes.front() + 360.0 - longitudes.back();
  for (size_t i = 1; i < longitudes.size(); ++i) {
    const double gap = longitudes[i] - longitudes[i - 1];
    if (gap > widestGap) {
      widestGap = gap;
      west = longitudes[i];
      east = longitudes[i - 1] + 360.0;
    }
  }

  double width = std::max(east - west, kSmallestSpanDegrees);
  double height = std::max(north - south, kSmallestSpanDegrees);
  double midLatitude = (south + north) / 2.0;
  double midLongitude = (west + east) / 2.0;
  width *= 1.0 + 2 * kMarginShare;
  height *= 1.0 + 2 * kMarginShare;
  // Square on the ground: a degree of longitude is cos(latitude) of a degree of latitude.
  const double shrink = std::max(Cosine(midLatitude), 0.2);
  if (width * shrink > height) {
    height = width * shrink;
  } else {
    width = height / shrink;
  }
  height = std::min(height, 180.0);
  width = std::min(width, 360.0);
  midLatitude = std::clamp(midLatitude, -90.0 + height / 2, 90.0 - height / 2);
  if (width >= 360.0) midLongitude = 0.0;
  return GeoFrame{midLongitude - width / 2, midLongitude + width / 2, midLatitude - height / 2,
                  midLatitude + height / 2};
}

QPointF PicturePoint(const GeoFrame& frame, const GeoPoint& point, double size) {
  const double x = (Unwrapped(frame, point.longitude) - frame.west) / (frame.east - frame.west);
  const double y = (frame.north - point.latitude) / (frame.north - frame.south);
  return QPointF(x * size, y * size);
}

QImage DrawRegionPicture(const std::vector<GeoPoint>& stations, const GeoFrame& frame,
                         const std::optional<GeoPoint>& marked, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(QColor(214, 232, 246));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  // Grid lines at round degrees.
  painter.setPen(QPen(QColor(168, 196, 222), 0));
  const double lonStep = GridStep(frame.east - frame.west);
  for (double lon = std::ceil(frame.west / lonStep) * lonStep; lon <= frame.east; lon += lonStep) {
    const double x = (lon - frame.west) / (frame.east - frame.west) * size;
    painter.drawLine(QPointF(x, 0), QPointF(x, size));
  }
  const double latStep = GridStep(frame.north - frame.south);
  for (double lat = std::ceil(frame.south / latStep) * latStep; lat <= frame.north; lat += latStep) {
    const double y = (frame.north - lat) / (frame.north - frame.south) * size;
    painter.drawLine(QPointF(0, y), QPointF(size, y));
  }

  const double dot = std::max(1.6, size / 32.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(20, 60, 130));
  for (const GeoPoint& station : stations) painter.drawEllipse(PicturePoint(frame, station, size), dot, dot);

  if (marked) {
    const QPointF at = PicturePoint(frame, *marked, size);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, dot * 1.6));
    painter.drawEllipse(at, dot * 2.6, dot * 2.6);
    painter.setPen(QPen(QColor(220, 0, 0), dot));
    painter.drawEllipse(at, dot * 2.6, dot * 2.6);
    painter.setBrush(QColor(220, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(at, dot, dot);
  }

  painter.setPen(QPen(QColor(90, 110, 130), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0.5, 0.5, size - 1, size - 1));
  return image;
}

}  // namespace qw
