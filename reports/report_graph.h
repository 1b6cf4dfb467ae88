// The day graph of the printed reports: one station's day as a smooth line, a filled
// area or half-hour bars, over day and night shading, with the grid, the range lines,
// the high and low waters marked (and labelled with their times and heights), and the
// sun's and moon's rise and set marked on the time axis.
//
// The time axis runs across the graph (landscape pages, calendar strips) or down it
// (portrait daily pages, where the value table beside the graph lines up with it). The
// vertical scale follows the tide window's rules (graph_scale.h): nine levels, the
// first scale code whose axis reaches the day's extremes and the range lines shown.
#pragma once

#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "present/day_graph.h"
#include "present/graph_scale.h"
#include "reports/page_canvas.h"
#include "reports/report_kind.h"

namespace qw {

struct ReportMark {
  int minuteOfDay = 0;
  int32_t value = 0;    // display units (extremes only)
  bool high = false;    // a high water or flood: its label goes above (extremes only)
  enum class Color { High, Low, Plain } color = Color::Plain;  // the ink of the mark
  QString label;        // "3:42 am" / "Sunrise 5:11 am"
  QString valueLabel;   // "11.32 ft" (extremes only)
};

struct ReportGraphInput {
  const DayGraphData* data = nullptr;  // the day's values in display units
  std::vector<ReportMark> extremes;     // high and low waters
  std::vector<ReportMark> sun;          // sunrise, sunset
  std::vector<ReportMark> moon;         // moonrise, moonset
  // A scale shared by several graphs (the days of a calendar page); else the day's own.
  std::optional<GraphScale> scale;
};

struct ReportGraphStyle {
  ReportFormat format = ReportFormat::SmoothGraph;
  bool timeDown = false;        // the time axis runs down the graph
  bool axes = true;             // axis labels and captions; false for small strips
  bool grid = true;
  bool nightShading = false;
  bool rangeLines = false;
  bool rangeShading = false;
  bool extremeMarks = true;
  bool extremeLabels = false;   // times and heights beside the marks
  TimeType clock = TimeType::Clock12;
  QString zoneLabel;            // "PDT": the time axis caption
  QString valueCaption = "Height";  // the value axis caption: "Height" or "Speed"
  double fontScale = 1.0;       // of the body font, for labels
};

// The plotting rectangle the graph would use inside `area` (axis labels outside it).
QRectF ReportPlotRect(const PageCanvas& canvas, const QRectF& area, const ReportGraphStyle& style);

// Draws the graph. False, drawing nothing, when no scale fits the day's values.
bool DrawReportGraph(const PageCanvas& canvas, const QRectF& area, const ReportGraphInput& input,
                     const ReportGraphStyle& style);

// The scale of several days' values together (their extremes and shown range lines).
std::optional<GraphScale> SharedScale(const std::vector<const DayGraphData*>& days, bool withRangeLines);

// The label of a level: the value in display units with the decimals the step needs.
QString LevelText(int64_t value, int64_t step, int32_t scaleUnit);

}  // namespace qw
