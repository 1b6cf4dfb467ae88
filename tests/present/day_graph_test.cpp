#include "present/day_graph.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include "present/graph_scale.h"
#include "present/moon_picture.h"
#include "tests/app/app_test_support.h"

namespace qw {
namespace {

constexpr int64_t kFoot = 1000000;

TEST(GraphScaleTest, DayFromOneTwoToSevenNineFeetTakesCodeFive) {
  // Code 4 (1.00 ft) would run from -1 to 7 and miss 7.9 ft; code 5 (1.50 ft) runs
  // from -1.5 to 10.5.
  std::optional<GraphScale> scale = ChooseGraphScale(1200000, 7900000, kFoot);
  ASSERT_TRUE(scale);
  EXPECT_EQ(scale->code, 5);
  EXPECT_EQ(scale->step, 1500000);
  EXPECT_EQ(scale->bottom, -1500000);
  EXPECT_EQ(scale->Top(), 10500000);
}

TEST(GraphScaleTest, AxisBottomLiesBelowTheMinimum) {
  // A minimum of -2.3 ft with a 1 ft step starts the axis at -3 ft.
  std::optional<GraphScale> scale = ChooseGraphScale(-2300000, 4000000, kFoot);
  ASSERT_TRUE(scale);
  EXPECT_EQ(scale->code, 4);
  EXPECT_EQ(scale->bottom, -3000000);
  // Exactly on a level is not below it: -2 ft needs -3 ft too.
  scale = ChooseGraphScale(-2000000, 4000000, kFoot);
  ASSERT_TRUE(scale);
  EXPECT_EQ(scale->bottom, -3000000);
  // The extremes are rounded half up to tenths first: 0.649 reaches a 0.7 top (code 1,
  // -0.1 to 0.7); 0.65 rounds to 0.7 and still fits, 0.75 does not.
  EXPECT_EQ(ChooseGraphScale(0, 649999, kFoot)->code, 1);
  EXPECT_EQ(ChooseGraphScale(0, 749999, kFoot)->code, 1);
  EXPECT_EQ(ChooseGraphScale(0, 750000, kFoot)->code, 2);
  // Metres have a scale unit of 100,000.
  EXPECT_EQ(ChooseGraphScale(0, 240792, 100000)->code, 3);  // 0.5 m steps: -0.5 to 3.5
}

TEST(GraphScaleTest, TooWideARangeHasNoScale) {
  // The widest step, 300 units, covers -300 to 2100.
  EXPECT_FALSE(ChooseGraphScale(-100 * kFoot, 2500 * kFoot, kFoot));
  EXPECT_TRUE(ChooseGraphScale(-100 * kFoot, 2100 * kFoot, kFoot));
  EXPECT_TRUE(ChooseGraphScale(-10 * kFoot, 200 * kFoot, kFoot));
  EXPECT_FALSE(ScaleStepHundredths(0));
  EXPECT_FALSE(ScaleStepHundredths(26));
  EXPECT_EQ(ScaleStepHundredths(25), 30000);
}

TEST(DayGraphTest, BarsTileTheHoursWithoutGaps) {
  const std::vector<BarSpan> spans = BarSpans(481);  // 20 pixels an hour
  ASSERT_EQ(spans.size(), 48u);
  EXPECT_EQ(spans[0].left, 0);
  EXPECT_EQ(spans[0].right, 10);
  EXPECT_EQ(spans[1].left, 11);
  EXPECT_EQ(spans[1].right, 20);
  EXPECT_EQ(spans[47].right, 480);
  for (size_t i = 1; i < spans.size(); ++i) EXPECT_EQ(spans[i].left, spans[i - 1].right + 1);
  // 21 pixels an hour: the old split of an hour into 10 and 11 pixels.
  EXPECT_EQ(BarSpans(505)[0].right, 10);
  EXPECT_EQ(BarSpans(505)[1].right, 21);
  // The days the clocks change: 46 and 50 half hours over the same width, still tiled.
  for (int minutes : {1380, 1500}) {
    const std::vector<BarSpan> change = BarSpans(23 * 20 + 1, minutes);
    ASSERT_EQ(change.size(), static_cast<size_t>(minutes / 30));
    EXPECT_EQ(change.front().left, 0);
    EXPECT_EQ(change.back().right, 23 * 20);
    for (size_t i = 1; i < change.size(); ++i) EXPECT_EQ(change[i].left, change[i - 1].right + 1);
  }
  // 1.5 ft steps 30 pixels apart: 50,000 per pixel, plus one.
  EXPECT_EQ(BarLength(3000000, 1500000, 30), 59);
  EXPECT_EQ(BarLength(-3000000, 1500000, 30), -59);
}

// The window's and the pages' smooth graphs pass through every value they were given.
TEST(DayGraphTest, SmoothCurvePassesThroughEveryPoint) {
  const QPolygonF points({{0, 10}, {30, 40}, {60, 5}, {90, 25}});
  const QPainterPath path = SmoothCurve(points);
  ASSERT_EQ(path.elementCount(), 1 + 3 * (points.size() - 1));  // a move, then three elements per segment
  EXPECT_EQ(QPointF(path.elementAt(0)), points[0]);
  for (qsizetype i = 1; i < points.size(); ++i) EXPECT_EQ(QPointF(path.elementAt(3 * i)), points[i]) << i;
  EXPECT_EQ(SmoothCurve(QPolygonF({{5, 5}})).currentPosition(), QPointF(5, 5));
}

TEST(DayGraphTest, HourLabels) {
  EXPECT_EQ(HourLabel(0, TimeType::Clock12), "MN");
  EXPECT_EQ(HourLabel(1, TimeType::Clock12), "1a");
  EXPECT_EQ(HourLabel(12, TimeType::Clock12), "NN");
  EXPECT_EQ(HourLabel(13, TimeType::Clock12), "1p");
  EXPECT_EQ(HourLabel(24, TimeType::Clock12), "MN");
  EXPECT_EQ(HourLabel(17, TimeType::Clock24), "17");
}

// A semidiurnal day drawn in each style: the day and night colours, bar colours above
// the high range line and the zero line end up where they belong.
class DayGraphDrawTest : public ::testing::TestWithParam<GraphStyle> {
 protected:
  void SetUp() override { test::QtApp(); }
};

TEST_P(DayGraphDrawTest, ColoursLandWhereTheyBelong) {
  DayGraphData data;
  data.halfHour.resize(48);
  for (int i = 0; i < 48; ++i) {
    data.halfHour[static_cast<size_t>(i)] = static_cast<int32_t>(4000000 + 3000000 * std::cos(i * 30 * 2 * M_PI / 745.0));
  }
  data.minimum = 1000000;
  data.maximum = 7000000;
  data.daylight = {DaylightSpan::Kind::Normal, 6 * 60, 18 * 60};
  data.high = {true, 6000000, "MHHW"};
  data.low = {true, 0, "MLLW (0 ft)"};
  DayGraphStyle style;
  style.colors.dayLight = 0x00FFFF;     // yellow
  style.colors.nightTime = 0x404040;    // dark grey
  style.colors.normalBar = 0xFF0000;    // blue
  style.colors.aboveHighRange = 0x00FF00;  // green
  style.style = GetParam();
  style.font = QFont("DejaVu Sans", 8);

  QImage image(600, 300, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  ASSERT_TRUE(DrawDayGraph(painter, image.rect(), data, style));
  painter.end();

  int yellow = 0, grey = 0, blue = 0, green = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y) & 0xFFFFFF;
      yellow += c == 0xFFFF00;
      grey += c == 0x404040;
      blue += c == 0x0000FF;
      green += c == 0x00FF00;
    }
  }
  EXPECT_GT(yellow, 1000);
  EXPECT_GT(grey, 1000);
  EXPECT_GT(blue, 200);
  EXPECT_GT(green, 20);  // the day starts at 7 ft, above the 6 ft line
  // Night to the left (02:00), day at 09:00 where the bars stay low, in the upper part.
  EXPECT_EQ(image.pixel(30 + 60, 30) & 0xFFFFFF, 0x404040u);
  EXPECT_EQ(image.pixel(250, 30) & 0xFFFFFF, 0xFFFF00u);
}

// A reversing current drawn in each style: flood above the zero line in the normal
// colour, ebb below it in the paler shade, beyond the max-ebb line in the low colour,
// and no normal colour below the zero line (no band drawn over another).
TEST_P(DayGraphDrawTest, ReversingCurrentShadesFloodAndEbb) {
  DayGraphData data;
  data.fine.clear();
  data.halfHour.resize(48);
  for (int i = 0; i < 48; ++i) {
    data.halfHour[static_cast<size_t>(i)] = static_cast<int32_t>(2500000 * std::sin(i * 30 * 2 * M_PI / 745.0));
  }
  for (int m = 0; m <= 1440; m += 10) data.fine.push_back(static_cast<int32_t>(2500000 * std::sin(m * 2 * M_PI / 745.0)));
  data.minimum = -2500000;
  data.maximum = 2500000;
  data.daylight.kind = DaylightSpan::Kind::AlwaysUp;
  data.twoWay = true;
  data.low = {true, -2000000, "max ebb"};
  data.marks = {{186, 0}, {559, 0}};  // slacks where the sine crosses zero
  DayGraphStyle style;
  style.colors.dayLight = 0x00FFFF;        // yellow
  style.colors.normalBar = 0xFF0000;       // blue
  style.colors.belowLowRange = 0x00FF00;   // green
  style.colors.rangeLine = 0x000080;       // dark red
  style.style = GetParam();
  style.font = QFont("DejaVu Sans", 8);
  QImage image(600, 300, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  ASSERT_TRUE(DrawDayGraph(painter, image.rect(), data, style));
  painter.end();

  // The zero line: of the three full black rows (the frame's top, the zero line, the
  // frame's bottom) the middle one.
  std::vector<int> blackCounts;
  for (int y = 0; y < image.height(); ++y) {
    int black = 0;
    for (int x = 0; x < image.width(); ++x) black += (image.pixel(x, y) & 0xFFFFFF) == 0;
    blackCounts.push_back(black);
  }
  const int longest = *std::max_element(blackCounts.begin(), blackCounts.end());
  std::vector<int> fullRows;
  for (int y = 0; y < image.height(); ++y) {
    if (blackCounts[static_cast<size_t>(y)] >= longest * 9 / 10) fullRows.push_back(y);
  }
  ASSERT_EQ(fullRows.size(), 3u);
  const int zeroY = fullRows[1];
  const QRgb ebb = EbbShade(QColor(0, 0, 255)).rgb() & 0xFFFFFF;
  int floodAbove = 0, floodBelow = 0, ebbAbove = 0, ebbBelow = 0, beyond = 0, white = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y) & 0xFFFFFF;
      (y < zeroY ? floodAbove : floodBelow) += c == 0x0000FF;
      (y < zeroY ? ebbAbove : ebbBelow) += c == ebb;
      beyond += c == 0x00FF00 && y > zeroY;
      white += c == 0xFFFFFF && std::abs(y - zeroY) <= 3;
    }
  }
  EXPECT_GT(floodAbove, 200);
  EXPECT_GT(ebbBelow, 200);
  EXPECT_EQ(floodBelow, 0);
  EXPECT_EQ(ebbAbove, 0);
  EXPECT_GT(beyond, 10);  // the strongest ebb passes the max-ebb line
  EXPECT_GT(white, 10);   // the slack marks
}

INSTANTIATE_TEST_SUITE_P(Styles, DayGraphDrawTest,
                         ::testing::Values(GraphStyle::Bars, GraphStyle::Filled, GraphStyle::Smooth));

TEST(DayGraphTest, PolarNightFillsTheWholeGraphWithNight) {
  test::QtApp();
  DayGraphData data;
  data.halfHour.assign(48, 2000000);
  data.minimum = data.maximum = 2000000;
  data.daylight.kind = DaylightSpan::Kind::AlwaysDown;
  DayGraphStyle style;
  style.colors.nightTime = 0x404040;
  style.colors.dayLight = 0x00FFFF;
  style.compact = true;
  QImage image(200, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  ASSERT_TRUE(DrawDayGraph(painter, image.rect(), data, style));
  painter.end();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ASSERT_NE(image.pixel(x, y) & 0xFFFFFF, 0xFFFF00u) << x << "," << y;
  }
}

// The present's line late in the day, where the range lines' labels and the change note
// stand: its reading goes where it hides none of them.
TEST(DayGraphTest, TheNowReadingHidesNoOtherLabel) {
  test::QtApp();
  DayGraphData data;
  data.halfHour.resize(48);
  for (int i = 0; i < 48; ++i) {
    data.halfHour[static_cast<size_t>(i)] = static_cast<int32_t>(4 * kFoot + 3 * kFoot * std::cos((i - 46) * M_PI / 12.4));
  }
  data.minimum = 1 * kFoot;
  data.maximum = 7 * kFoot;
  data.daylight = {DaylightSpan::Kind::Normal, 6 * 60, 18 * 60};
  data.high = {true, static_cast<int32_t>(6 * kFoot), "MHHW"};
  data.low = {true, 0, "0 ft (MLLW)"};
  data.changeNote = "Clocks go back 1 hour at 2:00 am: 25-hour day";
  DayGraphStyle style;
  style.font = QFont("DejaVu Sans", 9);
  auto draw = [&](const DayGraphData& d, const NowMark* now) {
    QImage image(520, 260, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    EXPECT_TRUE(DrawDayGraph(painter, image.rect(), d, style, now));
    return image;
  };
  DayGraphData bare = data;
  bare.high.label = bare.low.label = bare.changeNote = "";
  const QImage plain = draw(data, nullptr);
  const QImage unlabelled = draw(bare, nullptr);
  for (const int minute : {23 * 60, 30, 12 * 60}) {
    const NowMark now{minute, static_cast<int32_t>(6.8 * kFoot), "Now 11:00 pm 6.80 ft"};
    const QImage marked = draw(data, &now);
    // The line: the column with the most of its colour.
    int line = -1, most = 0;
    for (int x = 0; x < marked.width(); ++x) {
      int count = 0;
      for (int y = 0; y < marked.height(); ++y) count += (marked.pixel(x, y) & 0xFFFFFF) == 0xC80028;
      if (count > most) most = count, line = x;
    }
    EXPECT_GT(most, marked.height() / 2) << minute;
    EXPECT_NEAR(line, 60 + (marked.width() - 80) * minute / 1440, 40) << minute;
    int reading = 0;
    for (int y = 0; y < marked.height(); ++y) {
      for (int x = 0; x < marked.width(); ++x) {
        const QRgb c = marked.pixel(x, y) & 0xFFFFFF;
        if (std::abs(x - line) > 6) reading += c == 0xC80028 || (qRed(c) > 150 && qGreen(c) < 100);
        // Every pixel of the other labels is as it was, but where the line and its dot cross them.
        if (plain.pixel(x, y) != unlabelled.pixel(x, y) && std::abs(x - line) > 5) {
          ASSERT_EQ(marked.pixel(x, y), plain.pixel(x, y)) << "minute " << minute << " at " << x << "," << y;
        }
      }
    }
    EXPECT_GT(reading, 20) << minute;
  }
}

TEST(MoonPictureTest, PrincipalPhases) {
  test::QtApp();
  auto draw = [](int angle) {
    QImage image(41, 41, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    DrawMoonPicture(painter, QRect(0, 0, 40, 40), angle);
    return image;
  };
  auto white = [](const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF; };
  const QImage newMoon = draw(0), first = draw(90), full = draw(180), last = draw(270);
  EXPECT_FALSE(white(newMoon, 10, 20));
  EXPECT_FALSE(white(newMoon, 30, 20));
  EXPECT_FALSE(white(first, 10, 20));
  EXPECT_TRUE(white(first, 30, 20));
  EXPECT_TRUE(white(full, 10, 20));
  EXPECT_TRUE(white(full, 30, 20));
  EXPECT_TRUE(white(last, 10, 20));
  EXPECT_FALSE(white(last, 30, 20));
}

}  // namespace
}  // namespace qw

namespace qw {
namespace {

// The graph is laid out in inches, not pixels: at 300 dpi it takes the same share of the
// page as at 96 dpi (a printed page is 1200 dpi).
TEST(DayGraphTest, SizesFollowTheDeviceResolution) {
  test::QtApp();
  DayGraphData data;
  data.halfHour.assign(48, 3000000);
  data.minimum = 0;
  data.maximum = 6000000;
  data.daylight.kind = DaylightSpan::Kind::AlwaysUp;
  DayGraphStyle style;
  style.font = QFont("DejaVu Sans", 9);
  int blackInColumn[2] = {0, 0};
  auto plotLeft = [&](int dpi) {
    const double scale = dpi / 96.0;
    QImage image(static_cast<int>(600 * scale), static_cast<int>(300 * scale), QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
    image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
    image.fill(Qt::white);
    QPainter painter(&image);
    EXPECT_TRUE(DrawDayGraph(painter, image.rect(), data, style));
    painter.end();
    // Lines are as thick in inches: the zero line, the first black run below the top
    // quarter inside the plot.
    int& black = blackInColumn[dpi == 96 ? 0 : 1];
    const int column = image.width() * 55 / 100;
    int row = image.height() / 4;
    while (row < image.height() && (image.pixel(column, row) & 0xFFFFFF) != 0) ++row;
    while (row < image.height() && (image.pixel(column, row) & 0xFFFFFF) == 0) {
      ++black;
      ++row;
    }
    // The plot's left edge: the first column of daylight colour above the bars.
    const int y = image.height() / 4;
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFF) == 0xFFFF00) return static_cast<double>(x) / image.width();
    }
    return -1.0;
  };
  const double screen = plotLeft(96);
  const double print = plotLeft(300);
  ASSERT_GT(screen, 0.0);
  EXPECT_NEAR(print, screen, 0.02);
  ASSERT_GT(blackInColumn[0], 0);
  const double thicker = static_cast<double>(blackInColumn[1]) / blackInColumn[0];
  EXPECT_GT(thicker, 2.5);
  EXPECT_LT(thicker, 4.0);
}

}  // namespace
}  // namespace qw
