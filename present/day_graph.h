// Draws a station's day as a graph: day and night shading, the day's values as bars,
// a filled area or a smooth line, the zero line, the range lines with their labels, the
// grid, the two axes, and for currents the ebb shade and the slack marks.
//
// Every size is taken from the paint device's resolution (a printer page has 1200 dots
// per inch, a screen 96), so the same code draws windows, bitmaps and printed pages.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRect>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_values.h"
#include "present/graph_scale.h"
#include "settings/app_settings.h"

namespace qw {

// When the sun is up during the shown day.
struct DaylightSpan {
  enum class Kind { Normal, AlwaysUp, AlwaysDown, Unknown } kind = Kind::Unknown;
  int riseMinute = 0;  // minutes from the date's first instant, clamped to the date
  int setMinute = 0;
};

struct RangeLine {
  bool shown = false;
  int32_t value = 0;  // display units
  std::string label;  // "MHHW", "max fld", the user's label, ...
};

// A point of the day marked on the curve: a slack water of a current, or a rotary
// current's minimum.
struct GraphMark {
  int minute = 0;     // minutes from the date's first instant, 0 .. the date's length
  int32_t value = 0;  // display units
};

// An hour tick of the time axis: `elapsed` minutes from the date's first instant, labelled
// with the hour the clock shows then (0 .. 24).
struct HourTick {
  int elapsed = 0;
  int hour = 0;
};

struct DayGraphData {
  // The date's length in minutes of elapsed time: 1440, or 1380 and 1500 on the days the
  // clocks change. The graph's width stands for this many minutes.
  int minutes = 1440;
  // The time axis' ticks; empty for 0 .. 24 every hour. A date the clocks change skips or
  // repeats an hour's label.
  std::vector<HourTick> hourTicks;
  // Shown over the graph on a date the clocks change ("Clocks go forward 1 hour at 2:00a:
  // 23-hour day"); empty on other dates.
  std::string changeNote;
  // The value 30 i minutes after the date's first instant, display units;
  // kValueNotDefined where the station has no value. minutes / 30 of them.
  std::vector<int32_t> halfHour;
  // Values every `fineStepMinutes` from the date's start to its end inclusive for the
  // filled and smooth styles; empty to draw them through the half-hour values.
  std::vector<int32_t> fine;
  int fineStepMinutes = 10;
  // The day's extremes of the curve, display units.
  int32_t minimum = 0;
  int32_t maximum = 0;
  int32_t scaleUnit = 1000000;
  std::string unitName = "ft";
  DaylightSpan daylight;
  RangeLine high;
  RangeLine low;
  // A reversing current: flood above the zero line, ebb below it, told apart by the
  // shade of the normal colour and by the captions "Flood" and "Ebb".
  bool twoWay = false;
  std::vector<GraphMark> marks;
};

// The present moment on today's graph: a thin vertical line with its reading beside it.
struct NowMark {
  int minute = 0;                     // minutes from the date's first instant
  int32_t value = kValueNotDefined;   // display units; no dot on the curve when not defined
  std::string label;                  // "Now 3:42 pm  4.12 ft"
};

struct DayGraphStyle {
  ColorScheme colors;
  GraphStyle style = GraphStyle::Bars;
  TimeType clock = TimeType::Clock12;
  bool grid = false;
  // A small graph of the weekly view: no axis texts, no range labels.
  bool compact = false;
  QFont font;
};

// The scale the graph uses: the day's extremes widened to the range lines that are
// shown. Nothing when no scale code fits (message 2600).
std::optional<GraphScale> DayGraphScale(const DayGraphData& data);

// Draws the graph into `area`, with the present moment when `now` is given. Returns
// false, drawing nothing but the background, when no scale fits; the caller shows
// message 2600.
bool DrawDayGraph(QPainter& painter, const QRect& area, const DayGraphData& data, const DayGraphStyle& style,
                  const NowMark* now = nullptr);

// The smooth style's curve through `points` (at least one): a Catmull-Rom spline drawn as
// cubic segments, the end points standing in for the missing neighbours. The windows and
// the printed pages draw their smooth graphs with it.
QPainterPath SmoothCurve(const QPolygonF& points);

// The hour labels of the time axis: "MN", "1a" ... "11a", "NN", "1p" ... "11p", "MN"
// on the 12-hour clock, "0" ... "24" on the 24-hour clock.
std::string HourLabel(int hour, TimeType clock);

// The horizontal bars of the bar style, in pixels from the graph's left edge: bar i
// spans [left, right] inclusive, one per half hour of a date of `minutes` minutes.
struct BarSpan {
  int left = 0, right = 0;
};
std::vector<BarSpan> BarSpans(int graphWidth, int minutes = 1440);

// The shade a reversing current's ebb is drawn in: the normal colour paled towards white.
QColor EbbShade(const QColor& normal);

// A bar's length in pixels for a value, with `step` display units between levels
// spaced `levelSpacing` pixels apart (integer arithmetic; negative hangs below zero).
int BarLength(int64_t value, int64_t step, int levelSpacing);

}  // namespace qw
