// The nearest-station search: the sailing formula against an independent great-circle
// computation, the typed positions, the range and duplicate rules on a fixture
// catalogue, and the whole built catalogue against a brute-force distance sort.
#include "search/nearest_search.h"

#include <gtest/gtest.h>

#include <QBrush>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <tuple>

#include "engine/data_dir.h"
#include "engine/engine_state.h"
#include "engine/region_files.h"
#include "engine/string_table.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

// Great circle on the sphere whose minute of arc is one nautical mile: distance and the
// initial course, by the haversine and the usual atan2 form.
void GreatCircle(double lat1, double lon1, double lat2, double lon2, double& distance, double& course) {
  const double r = std::numbers::pi / 180.0;
  const double p1 = lat1 * r, p2 = lat2 * r, dl = (lon2 - lon1) * r;
  const double h = std::pow(std::sin((p2 - p1) / 2), 2) + std::cos(p1) * std::cos(p2) * std::pow(std::sin(dl / 2), 2);
  distance = 2 * std::asin(std::sqrt(h)) / r * 60.0;
  course = std::fmod(std::atan2(std::sin(dl) * std::cos(p2), std::cos(p1) * std::sin(p2) -
                                                                 std::sin(p1) * std::cos(p2) * std::cos(dl)) /
                             r +
                         360.0,
                     360.0);
}

double AngleBetween(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180 ? 360 - d : d;
}

TEST(PositionDistanceBearingTest, AgreesWithTheGreatCircleOverTheSearchedRanges) {
  struct Pair {
    double lat1, lon1, lat2, lon2;
  };
  for (const Pair& p : {Pair{37.8, -122.5, 38.9, -123.7}, Pair{47.6, -122.3, 48.4, -124.6},
                        Pair{-33.9, 151.2, -34.9, 150.6}, Pair{51.5, 0.5, 50.8, -1.1}, Pair{25.8, -80.1, 24.6, -81.8},
                        Pair{60.1, 5.2, 61.9, 5.0}, Pair{10.0, -60.0, 10.3, -61.5}}) {
    double distance = 0, bearing = 0, gcDistance = 0, gcCourse = 0;
    PositionDistanceBearing(p.lat1, p.lon1, p.lat2, p.lon2, distance, bearing);
    GreatCircle(p.lat1, p.lon1, p.lat2, p.lon2, gcDistance, gcCourse);
    SCOPED_TRACE(gcDistance);
    EXPECT_NEAR(distance, gcDistance, 0.003 * gcDistance + 0.01);
    // The sailing course is the course of the whole passage, the great circle's initial
    // course differs from it by half the convergence of the meridians.
    double gcMidCourse = 0, unused = 0;
    GreatCircle(p.lat1, p.lon1, (p.lat1 + p.lat2) / 2, (p.lon1 + p.lon2) / 2, unused, gcMidCourse);
    const double convergence = std::fabs(p.lon2 - p.lon1) * std::sin((p.lat1 + p.lat2) / 2 * std::numbers::pi / 180) / 2;
    EXPECT_LT(AngleBetween(bearing, gcCourse), convergence + 0.5);
    EXPECT_LT(AngleBetween(bearing, gcMidCourse), convergence / 2 + 0.5);
  }
}

TEST(PositionDistanceBearingTest, CardinalCoursesAndTheAntimeridian) {
  double d = 0, b = 0;
  PositionDistanceBearing(40, -70, 41, -70, d, b);
  EXPECT_NEAR(d, 60.0, 1e-6);
  EXPECT_NEAR(b, 0.0, 1e-4);
  PositionDistanceBearing(40, -70, 39.5, -70, d, b);
  EXPECT_NEAR(d, 30.0, 1e-6);
  EXPECT_NEAR(b, 180.0, 1e-4);
  PositionDistanceBearing(40, -70, 40, -69, d, b);  // due east: the latitude difference is taken as 1e-7
  EXPECT_NEAR(b, 90.0, 1e-3);
  EXPECT_NEAR(d, 60 * std::cos(40 * std::numbers::pi / 180), 0.01);
  PositionDistanceBearing(40, -70, 40, -71, d, b);
  EXPECT_NEAR(b, 270.0, 1e-3);
  // Across the 180th meridian the short way round: 179.5 E to 179.5 W is one degree east.
  PositionDistanceBearing(-17.0, 179.5, -17.0, -179.5, d, b);
  EXPECT_NEAR(d, 60 * std::cos(17 * std::numbers::pi / 180), 0.01);
  EXPECT_NEAR(b, 90.0, 1e-3);
  PositionDistanceBearing(-17.0, -179.5, -17.5, 179.5, d, b);
  EXPECT_GT(b, 180.0);
  EXPECT_LT(b, 270.0);
}

TEST(TypedPositionTest, ReadsDigitsAndRefusesImpossiblePositions) {
  Coordinate c;
  EXPECT_EQ(ParseLatitude("374830N", c), PositionError::None);
  EXPECT_EQ(c.degrees, 37);
  EXPECT_EQ(c.minutes, 48);
  EXPECT_EQ(c.third, 30);
  EXPECT_DOUBLE_EQ(c.signedMinutes, 37 * 60 + 48.30);
  EXPECT_EQ(ParseLatitude("05 45.00 s", c), PositionError::None);
  EXPECT_DOUBLE_EQ(c.signedMinutes, -(5 * 60 + 45.0));
  EXPECT_EQ(ParseLongitude("1222748W", c), PositionError::None);
  EXPECT_DOUBLE_EQ(c.signedMinutes, -(122 * 60 + 27.48));

  EXPECT_EQ(ParseLatitude("910000N", c), PositionError::LatitudeDegrees);
  EXPECT_EQ(ParseLatitude("456000N", c), PositionError::LatitudeMinutes);
  EXPECT_EQ(ParseLatitude("900001N", c), PositionError::LatitudeTooBig);
  EXPECT_EQ(ParseLatitude("900000N", c), PositionError::None);
  EXPECT_EQ(ParseLatitude("450000E", c), PositionError::LatitudeLetter);
  EXPECT_EQ(ParseLongitude("1810000E", c), PositionError::LongitudeDegrees);
  EXPECT_EQ(ParseLongitude("1006000E", c), PositionError::LongitudeMinutes);
  EXPECT_EQ(ParseLongitude("1800100W", c), PositionError::LongitudeTooBig);
  EXPECT_EQ(ParseLongitude("1000000N", c), PositionError::LongitudeLetter);
  // A blank digit place of the masked box is refused with its part's error, never read
  // as the digits around it (4_ degrees as 43).
  EXPECT_EQ(ParseLatitude("4_\u00b030.00'N", c), PositionError::LatitudeDegrees);
  EXPECT_EQ(ParseLatitude("47\u00b03_.00'N", c), PositionError::LatitudeMinutes);
  EXPECT_EQ(ParseLongitude("122\u00b030.0_'W", c), PositionError::LongitudeMinutes);
  EXPECT_EQ(ParseLatitude("47\u00b030.00'_", c), PositionError::LatitudeLetter);

  const PositionErrorTexts texts = NearestPositionErrorTexts(PositionError::LatitudeTooBig);
  EXPECT_STREQ(StringText(texts.caption), "Invalid Latitude Value");
  EXPECT_STREQ(StringText(texts.message), "Value entered for latitude is out of range.");
  EXPECT_STREQ(StringText(texts.detail), "If degrees is set to 90, minutes must be 0.");

  // A station's seconds show in the boxes as hundredths of a minute.
  const StationPosition p = PositionOfStation('N', 37, 48, 18, 'W', 122, 27, 59);
  EXPECT_EQ(LatitudeBoxText(p.latitude), "374830N");
  EXPECT_EQ(LongitudeBoxText(p.longitude), "1222798W");
}

TideLocation TideAt(uint16_t id, const char* name, int latDeg, int latMin, int latSec, int lonDeg, int lonMin,
                    int lonSec) {
  TideLocation s;
  s.stationId = id;
  std::snprintf(s.name, sizeof s.name, "  %s ", name);
  s.latHemisphere = 'N';
  s.latDegrees = static_cast<int16_t>(latDeg), s.latMinutes = static_cast<int16_t>(latMin);
  s.latSeconds = static_cast<int16_t>(latSec);
  s.lonHemisphere = 'W';
  s.lonDegrees = static_cast<int16_t>(lonDeg), s.lonMinutes = static_cast<int16_t>(lonMin);
  s.lonSeconds = static_cast<int16_t>(lonSec);
  return s;
}

class NearestFixtureTest : public test::EngineTest {
 protected:
  void SetUp() override {
    std::vector<TideLocation> tides = {
        TideAt(1, "On the point", 40, 0, 0, 70, 0, 0),
        TideAt(2, "Just inside", 40, 9, 59, 70, 0, 0),      // 9.98 Nm north
        TideAt(3, "On the limit", 40, 10, 0, 70, 0, 0),     // 10.00 Nm north
        TideAt(4, "Twin of Just inside", 40, 9, 59, 70, 0, 0),
        TideAt(5, "Far east", 40, 0, 0, 68, 0, 0),
        TideAt(6, "No position", 0, 0, 0, 0, 0, 0),
        TideAt(0, "General area", 40, 1, 0, 70, 0, 0),
        TideAt(7, "South west", 39, 55, 0, 70, 5, 0),
    };
    ASSERT_TRUE(WriteTideRegionFile(DataFilePath(RegionFileName(StationKind::Tide, 3)), 3, "Test Coast", tides));
    CurrentLocation current;
    current.stationId = 9;
    std::snprintf(current.name, sizeof current.name, "Channel current");
    current.latHemisphere = 'N', current.latDegrees = 40, current.latMinutes = 9, current.latSeconds = 59;
    current.lonHemisphere = 'W', current.lonDegrees = 70;
    current.meterDepth = 15;
    ASSERT_TRUE(WriteCurrentRegionFile(DataFilePath(RegionFileName(StationKind::Current, 3)), 3, "Test Currents",
                                       {current}));
    tideRegions_ = BuildRegionList(StationKind::Tide);
    currentRegions_ = BuildRegionList(StationKind::Current);
    ASSERT_EQ(tideRegions_.size(), 1u);
    ASSERT_EQ(currentRegions_.size(), 1u);
  }

  NearestQuery CustomQuery(int range) {
    NearestQuery q;
    q.customPoint = true;
    q.latitudeText = "400000N";
    q.longitudeText = "0700000W";
    EXPECT_EQ(ParseLatitude(q.latitudeText, q.point.latitude), PositionError::None);
    EXPECT_EQ(ParseLongitude(q.longitudeText, q.point.longitude), PositionError::None);
    q.tideRange = q.currentRange = range;
    return q;
  }

  RegionList tideRegions_, currentRegions_;
};

TEST_F(NearestFixtureTest, RangeDuplicatesAndOrder) {
  ResultsTable table(ResultsKind::Nearest);
  SearchProgress progress;
  const NearestQuery query = CustomQuery(10);
  ASSERT_TRUE(FindNearestStations(query, tideRegions_, currentRegions_, table, progress));
  FinishNearestSearch(table, query, tideRegions_, currentRegions_);
  // The point itself at 0.00, the station south west, then the current and the tide
  // station 9.98 Nm north (the later hit first at an equal distance); the twin, the
  // station on the limit, the far one, the one without a position and the general area
  // are not listed.
  ASSERT_EQ(table.rows(), 4) << table.Cell(table.rows() - 1, 1);
  EXPECT_EQ(table.Cell(0, 1), "On the point");
  EXPECT_EQ(table.Cell(0, 2), "0.00 Nm");
  EXPECT_EQ(table.Cell(1, 1), "South west");
  EXPECT_EQ(table.Cell(1, 5), "39\u00b055' N");
  EXPECT_EQ(table.Cell(1, 6), "070\u00b005' W");
  EXPECT_EQ(table.Cell(2, 0), "Current");
  EXPECT_EQ(table.Cell(2, 1), "Channel current  (15)");
  EXPECT_EQ(table.Cell(2, 2), "9.98 Nm");
  EXPECT_EQ(table.Cell(2, 3), "0.0\u00b0");
  EXPECT_EQ(table.Cell(2, 4), "Test Currents");
  EXPECT_EQ(table.Cell(2, 5), "40\u00b009 59 N");
  EXPECT_EQ(table.Cell(2, 6), "070\u00b000 00 W");
  EXPECT_EQ(table.Cell(3, 0), "Tide");
  EXPECT_EQ(table.Cell(3, 1), "Just inside");
  EXPECT_EQ(table.RowLabel(3), "4");
  EXPECT_EQ(table.data(table.index(2, 0), Qt::BackgroundRole).value<QBrush>().color(), QColor(192, 255, 255));
  EXPECT_EQ(table.data(table.index(3, 0), Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 255, 192));

  EXPECT_EQ(table.windowTitle(), "Tide and Current Stations Near:  Custom Location");
  EXPECT_EQ(table.heading(0), "Closest Tide and Current Stations to:  ");
  EXPECT_EQ(table.heading(1), "Custom Location");
  EXPECT_EQ(table.heading(2), "Lat 400000N      Lon 0700000W");
  EXPECT_EQ(table.heading(3),
            "( All tide regions searched, within 10 Nm;    All current regions searched, within 10 Nm )");
}

TEST_F(NearestFixtureTest, AnOpenLocationIsNotListedAndARangeOfZeroListsNothing) {
  ResultsTable table(ResultsKind::Nearest);
  SearchProgress progress;
  NearestQuery query = CustomQuery(10);
  query.customPoint = false;
  query.locationName = "On the point";
  query.point = PositionOfStation('N', 40, 0, 0, 'W', 70, 0, 0);
  query.currentOn = false;
  query.tideRegion = 0;
  ASSERT_TRUE(FindNearestStations(query, tideRegions_, currentRegions_, table, progress));
  FinishNearestSearch(table, query, tideRegions_, currentRegions_);
  ASSERT_EQ(table.rows(), 2);
  EXPECT_EQ(table.Cell(0, 1), "South west");
  EXPECT_EQ(table.Cell(1, 1), "Just inside");
  EXPECT_EQ(table.windowTitle(), "Tide Stations Near:  On the point");
  EXPECT_EQ(table.heading(2), "Lat 40\u00b0 00 00 N      Lon 70\u00b0 00 00 W");
  EXPECT_EQ(table.heading(3), "( Test Coast tide region searched, within 10 Nm )");

  query.tideRange = 0;
  ASSERT_TRUE(FindNearestStations(query, tideRegions_, currentRegions_, table, progress));
  EXPECT_EQ(table.rows(), 0);
}

TEST_F(NearestFixtureTest, StopAfterTheFirstRegionKind) {
  struct StopAtOnce : SearchProgress {
    bool Pump() override { return true; }
    bool StopRequested() const override { return true; }
  } stop;
  ResultsTable table(ResultsKind::Nearest);
  EXPECT_FALSE(FindNearestStations(CustomQuery(10), tideRegions_, currentRegions_, table, stop));
  // The tide region was searched; the current pass never started.
  ASSERT_EQ(table.rows(), 3);
  EXPECT_EQ(table.Cell(0, 0), "Tide");
  EXPECT_EQ(table.Cell(1, 0), "Tide");
}

// Every station of the built catalogue within range of Golden Gate, against a plain
// scan, distance sort and duplicate rule written out here.
TEST(NearestRealDataTest, MatchesABruteForceSortOfTheWholeCatalogue) {
  if (!std::filesystem::exists(std::string(QW_TEST_DATA_DIR) + "/catalogue.csv")) {
    GTEST_SKIP() << "no built data at " QW_TEST_DATA_DIR;
  }
  test::ReportCapture reports;
  ResetEngine();
  SetDataDirectory(QW_TEST_DATA_DIR);
  const RegionList tideRegions = BuildRegionList(StationKind::Tide);
  const RegionList currentRegions = BuildRegionList(StationKind::Current);
  for (const auto& [lat, lon, range] : {std::tuple{"374830N", "1222800W", 60}, std::tuple{"405000N", "0733000W", 25},
                                        std::tuple{"213000N", "1580000W", 250}}) {
    NearestQuery query;
    query.customPoint = true;
    ASSERT_EQ(ParseLatitude(lat, query.point.latitude), PositionError::None);
    ASSERT_EQ(ParseLongitude(lon, query.point.longitude), PositionError::None);
    query.tideRange = query.currentRange = range;

    struct Row {
      double distance;
      int32_t kind;
      StationPosition position;
    };
    std::vector<Row> expected;
    const double lat0 = query.point.latitude.signedMinutes / 60, lon0 = query.point.longitude.signedMinutes / 60;
    for (StationKind kind : {StationKind::Tide, StationKind::Current}) {
      const RegionList& regions = kind == StationKind::Tide ? tideRegions : currentRegions;
      for (int slot = 0; slot < static_cast<int>(regions.size()); ++slot) {
        for (int i = 0; i < CountStations(regions, slot, kind); ++i) {
          TideLocation t;
          CurrentLocation c;
          StationPosition p;
          uint16_t id;
          if (kind == StationKind::Tide) {
            ASSERT_TRUE(ReadTideLocation(regions, slot, i, t));
            id = t.stationId;
            p = PositionOfStation(t.latHemisphere, t.latDegrees, t.latMinutes, t.latSeconds, t.lonHemisphere,
                                  t.lonDegrees, t.lonMinutes, t.lonSeconds);
          } else {
            ASSERT_TRUE(ReadCurrentLocation(regions, slot, i, c));
            id = c.stationId;
            p = PositionOfStation(c.latHemisphere, c.latDegrees, c.latMinutes, c.latSeconds, c.lonHemisphere,
                                  c.lonDegrees, c.lonMinutes, c.lonSeconds);
          }
          if (id == 0 || (p.latitude.degrees == 0 && p.latitude.minutes == 0 && p.longitude.degrees == 0 &&
                          p.longitude.minutes == 0)) {
            continue;
          }
          double d = 0, b = 0;
          PositionDistanceBearing(lat0, lon0, p.latitude.signedMinutes / 60, p.longitude.signedMinutes / 60, d, b);
          const int32_t k = kind == StationKind::Tide ? kNearestTide : kNearestCurrent;
          if (std::trunc(d) >= range) continue;
          const bool twin = std::any_of(expected.begin(), expected.end(),
                                        [&](const Row& r) { return r.kind == k && r.position == p; });
          if (!twin) expected.push_back({d, k, p});
        }
      }
    }
    std::stable_sort(expected.begin(), expected.end(), [](const Row& a, const Row& b) { return a.distance < b.distance; });

    ResultsTable table(ResultsKind::Nearest);
    SearchProgress progress;
    ASSERT_TRUE(FindNearestStations(query, tideRegions, currentRegions, table, progress));
    SCOPED_TRACE(lat);
    ASSERT_GT(expected.size(), 3u);
    ASSERT_EQ(table.rows(), static_cast<int>(expected.size()));
    for (int row = 0; row < table.rows(); ++row) {
      const NearestHit& hit = std::get<NearestHit>(table.record(row));
      EXPECT_DOUBLE_EQ(hit.distanceNm, expected[static_cast<size_t>(row)].distance) << row;
      // Equal distances may list in either order; the set at each distance is the same.
      const bool present = std::any_of(expected.begin(), expected.end(), [&](const Row& r) {
        return r.kind == hit.kind && r.position == hit.position;
      });
      EXPECT_TRUE(present) << row;
    }
  }
  EXPECT_TRUE(reports.empty()) << reports.Describe();
  ResetEngine();
}

}  // namespace
}  // namespace qw
