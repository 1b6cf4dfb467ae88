// The small map picture of a region in the location dialog's region column: the
// region's stations as dots on a latitude and longitude frame fitted around them (no
// coastline), with the station under the caret marked.
#pragma once

#include <QImage>
#include <QPointF>
#include <optional>
#include <vector>

namespace qw {

struct GeoPoint {
  double latitude = 0;   // degrees, north positive
  double longitude = 0;  // degrees, east positive, -180..180
};

// A latitude and longitude box. `east` may exceed 180 when the box crosses the date line
// (Alaska's Aleutians): longitudes below `west` are then taken 360 degrees further east.
struct GeoFrame {
  double west = -180, east = 180, south = -90, north = 90;
  bool operator==(const GeoFrame&) const = default;
};

// The smallest box around the points, across the date line when that is narrower, with a
// margin, at least a degree wide, and made square on the ground (a degree of longitude
// counts cos(latitude) of a degree of latitude) so the picture is not stretched. The whole
// world when there are no points.
GeoFrame FrameAround(const std::vector<GeoPoint>& points);

// Where a point falls in a picture of `size` pixels (x east, y south).
QPointF PicturePoint(const GeoFrame& frame, const GeoPoint& point, double size);

// The picture: a sea-coloured square with grid lines at round degrees, a dot per station
// and, when given, a red ring around the marked station. `size` pixels square.
QImage DrawRegionPicture(const std::vector<GeoPoint>& stations, const GeoFrame& frame,
                         const std::optional<GeoPoint>& marked, int size = 64);

}  // namespace qw
