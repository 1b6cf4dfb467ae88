#include "catalogue/region_picture.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/app/app_test_support.h"

namespace qw {
namespace {

bool Inside(const GeoFrame& frame, const GeoPoint& p, double size) {
  const QPointF at = PicturePoint(frame, p, size);
  return at.x() > 0 && at.x() < size && at.y() > 0 && at.y() < size;
}

// Ground distances in the frame: degrees of longitude shrink with the latitude's cosine.
double GroundAspect(const GeoFrame& f) {
  const double mid = (f.north + f.south) / 2 * M_PI / 180;
  return (f.east - f.west) * std::cos(mid) / (f.north - f.south);
}

TEST(RegionPictureTest, FrameHoldsEveryStationSquareOnTheGround) {
  const std::vector<GeoPoint> washington = {{47.6, -122.34}, {48.1, -122.75}, {46.0, -123.9}, {48.4, -124.6}};
  const GeoFrame frame = FrameAround(washington);
  for (const GeoPoint& p : washington) EXPECT_TRUE(Inside(frame, p, 64)) << p.latitude << " " << p.longitude;
  EXPECT_NEAR(GroundAspect(frame), 1.0, 0.01);
  EXPECT_LT(frame.east - frame.west, 10.0);  // fitted to the region, not the world

  // One station: at least a degree around it, centred.
  const GeoFrame one = FrameAround({{43.0, -70.7}});
  EXPECT_GE(one.north - one.south, 1.0);
  const QPointF centre = PicturePoint(one, {43.0, -70.7}, 64);
  EXPECT_NEAR(centre.x(), 32, 0.5);
  EXPECT_NEAR(centre.y(), 32, 0.5);

  EXPECT_EQ(FrameAround({}), GeoFrame{});  // no positions: the whole world
}

// Alaska's Aleutians reach past 180 degrees: the frame crosses the date line instead of
// spanning the globe the other way round.
TEST(RegionPictureTest, FrameCrossesTheDateLineWhenThatIsNarrower) {
  const std::vector<GeoPoint> alaska = {{61.2, -149.9}, {57.8, -152.4}, {51.9, -176.6}, {52.9, 173.2}, {64.5, -165.4}};
  const GeoFrame frame = FrameAround(alaska);
  EXPECT_LT(frame.east - frame.west, 60.0);
  EXPECT_GT(frame.east, 180.0);
  for (const GeoPoint& p : alaska) EXPECT_TRUE(Inside(frame, p, 64)) << p.longitude;
  // Attu (173 E) lies west of Adak (176.6 W) in the picture.
  EXPECT_LT(PicturePoint(frame, {52.9, 173.2}, 64).x(), PicturePoint(frame, {51.9, -176.6}, 64).x());

  // Stations spread around the world keep a frame no wider than the world.
  const GeoFrame world = FrameAround({{0, -170}, {10, -60}, {-30, 50}, {40, 140}});
  EXPECT_LE(world.east - world.west, 360.0);
  EXPECT_LE(world.north - world.south, 180.0);
}

TEST(RegionPictureTest, PictureMarksTheSelectedStationInRed) {
  test::QtApp();
  const std::vector<GeoPoint> stations = {{47.6, -122.34}, {48.1, -122.75}, {46.0, -123.9}};
  const GeoFrame frame = FrameAround(stations);
  auto redNear = [&](const QImage& image, const GeoPoint& p) {
    const QPoint at = PicturePoint(frame, p, 64).toPoint();
    int red = 0;
    for (int dy = -5; dy <= 5; ++dy) {
      for (int dx = -5; dx <= 5; ++dx) {
        const QColor c = image.pixelColor(std::clamp(at.x() + dx, 0, 63), std::clamp(at.y() + dy, 0, 63));
        if (c.red() > 180 && c.green() < 80 && c.blue() < 80) ++red;
      }
    }
    return red;
  };
  const QImage plain = DrawRegionPicture(stations, frame, std::nullopt);
  const QImage marked = DrawRegionPicture(stations, frame, stations[2]);
  EXPECT_EQ(plain.size(), QSize(64, 64));
  EXPECT_EQ(redNear(plain, stations[2]), 0);
  EXPECT_GT(redNear(marked, stations[2]), 5);
  EXPECT_EQ(redNear(marked, stations[0]), 0);
}

}  // namespace
}  // namespace qw
