// The daily page: one location's day.
//
// Top to bottom: the header; the sun and moon box when its options are on; the day
// graph in the chosen style (or, for the text format, nothing); the high and low
// waters as a row of boxes when they are printed below the graph; the value table; the
// notes area; the footer. On a portrait page the time axis runs down the graph and the
// value table stands beside it, each row level with its time on the graph; when the
// table's rows are too many to line up, or on a landscape page, the table goes below
// the graph in columns.
#include <algorithm>
#include <cmath>

#include "engine/string_table.h"
#include "present/display_units.h"
#include "reports/page_layouts.h"

namespace qw {
namespace {

constexpr double kMinGraphInches = 1.6;

struct TablePlan {
  bool aligned = false;  // beside a time-down graph, rows level with their times
  int columns = 0;       // columns below the graph (or in the text page)
  double height = 0;     // height below the graph
  double width = 0;      // width beside the graph
  QFont font;
};

// The value table below a graph or on a text page: as many columns as fit the width,
// in the largest font (down to 70 %) that keeps `room` for the rest.
bool PlanTableBelow(const PageCanvas& canvas, const QRectF& area, size_t rows, double room, TablePlan& plan) {
  for (double scale : {1.0, 0.9, 0.8, 0.7}) {
    plan.font = canvas.Font(ReportFontRole::Body, scale);
    const double columnWidth = ValueTableColumnWidth(canvas, plan.font);
    plan.columns = std::max(1, static_cast<int>(area.width() / columnWidth));
    const size_t perColumn = (rows + static_cast<size_t>(plan.columns) - 1) / static_cast<size_t>(plan.columns);
    // No empty columns at the right.
    plan.columns = static_cast<int>((rows + perColumn - 1) / perColumn);
    plan.height = canvas.LineHeight(plan.font) * (static_cast<double>(perColumn) + 1.4);
    if (area.height() - plan.height >= room) return true;
  }
  return false;
}

void DrawAlignedTable(const PageCanvas& canvas, const QRectF& plot, double left, double width,
                      const std::vector<TableRow>& rows, const QString& timeHeading, const QString& valueHeading,
                      const QFont& font) {
  const ReportInk& ink = canvas.ink();
  QFont bold = font;
  bold.setBold(true);
  const double line = canvas.LineHeight(font);
  const double timeWidth = canvas.TextWidth(font, "12:00 am") + canvas.Pt(6);
  const double pitch = plot.height() / static_cast<double>(rows.size() - 1);
  const QRectF heading(left, plot.top() - line * 1.6, width, line);
  canvas.Text(heading, Qt::AlignLeft | Qt::AlignVCenter, bold, ink.text, timeHeading);
  canvas.Text(heading, Qt::AlignRight | Qt::AlignVCenter, bold, ink.text, valueHeading);
  for (size_t i = 0; i < rows.size(); ++i) {
    const double y = plot.top() + pitch * static_cast<double>(i);
    if (i % 2 == 1) canvas.painter().fillRect(QRectF(left, y - pitch / 2, width, pitch), QColor(242, 242, 242));
    canvas.Text(QRectF(left, y - line / 2, timeWidth, line), Qt::AlignRight | Qt::AlignVCenter, font, ink.text,
                rows[i].time);
    canvas.Text(QRectF(left + timeWidth, y - line / 2, width - timeWidth, line), Qt::AlignRight | Qt::AlignVCenter,
                font, ink.text, rows[i].value);
  }
  // A faint leader from the graph's edge to the table at every hour.
  canvas.painter().setPen(canvas.Pen(ink.grid, 0.3, Qt::DotLine));
  for (int hour = 0; hour <= 24; ++hour) {
    const double y = plot.top() + plot.height() * hour / 24.0;
    canvas.painter().drawLine(QPointF(plot.right(), y), QPointF(left + canvas.Pt(2), y));
  }
}

}  // namespace

PageResult DrawDailyPage(PageContext& context) {
  const PageCanvas& canvas = context.canvas;
  const ReportOptions& options = canvas.options();
  const AppSettings& settings = context.days.settings();
  const ReportFormat format = context.job.format;
  const bool graph = IsGraphFormat(format);
  const int location = context.page.location;
  const ReportLocation& station = context.days.location(location);
  const EngineMinute dayStart = context.page.first;

  DayNeeds needs;
  needs.curve = graph && format != ReportFormat::BarGraph;
  needs.sunMoon = true;
  needs.tableInterval = options.dailyDetail ? options.dailyInterval : 0;
  const ReportDay day = context.days.Day(location, dayStart, needs);

  const QString title = LocationReportTitle(station, ReportKind::Daily, format);
  QRectF body = DrawFrame(context, LocationHeader(day, title, LongDateText(dayStart), ZoneLabel(station, dayStart)));
  const double gap = canvas.Pt(8);

  // Top: the sun and moon box.
  const SunMoonBox sunMoon = MakeSunMoonBox(day, options, settings.timeType);
  const double sunMoonHeight = SunMoonBoxHeight(canvas, sunMoon);
  if (sunMoonHeight > 0) {
    DrawSunMoonBox(canvas, QRectF(body.left(), body.top(), body.width(), sunMoonHeight), sunMoon);
    body.setTop(body.top() + sunMoonHeight + gap);
  }
  // Bottom up: the notes area, the row of high and low waters.
  if (options.noteArea) {
    const double height = canvas.In(1.2);
    DrawNoteArea(canvas, QRectF(body.left(), body.bottom() - height, body.width(), height));
    body.setBottom(body.bottom() - height - gap);
  }
  const bool extremesRow = options.dailyExtremes && (!graph || options.dailyExtremesPos == 0);
  if (extremesRow) {
    const QString heading = EventsHeading(station.kind) + ":";
    const double height = ExtremesRowHeight(canvas, body.width(), heading, day.events.size());
    const QRectF row(body.left(), graph ? body.bottom() - height : body.top(), body.width(), height);
    DrawExtremesRow(canvas, row, day, heading);
    if (graph) {
      body.setBottom(row.top() - gap);
    } else {
      body.setTop(row.bottom() + gap);
    }
  }

  const std::vector<TableRow> rows = TableRows(day, station.kind, settings);
  const QString valueHeading = ReportValueHeading(station.kind);
  const QString zone = ShortZoneLabel(station, dayStart);
  const QString timeHeading = zone.isEmpty() ? QString("Time") : QString("Time (%1)").arg(zone);

  if (!graph) {
    if (rows.empty()) return PageResult::Drawn;
    TablePlan plan;
    if (!PlanTableBelow(canvas, body, rows.size(), 0, plan)) return PageResult::NoRoom;
    DrawValueTable(canvas, QRectF(body.left(), body.top(), body.width(), plan.height), rows, plan.columns, timeHeading,
                   valueHeading, plan.font);
    return PageResult::Drawn;
  }

  ReportGraphStyle style;
  style.format = format;
  style.timeDown = canvas.portrait();
  style.grid = options.includeGrid;
  style.nightShading = options.sunriseShading;
  style.rangeLines = options.rangeLines;
  style.rangeShading = options.rangeShading;
  style.extremeMarks = options.dailyExtremes;
  style.extremeLabels = options.dailyExtremes && options.dailyExtremesPos == 1;
  style.clock = settings.timeType;
  style.zoneLabel = zone;
  style.valueCaption = station.kind == StationKind::Tide ? "Height" : "Speed";

  QRectF graphArea = body;
  TablePlan table;
  if (!rows.empty()) {
    bool placed = false;
    if (style.timeDown) {
      // Beside the graph, one row per table time, when the rows have room to line up.
      for (double scale : {1.0, 0.9, 0.8}) {
        const QFont font = canvas.Font(ReportFontRole::Body, scale);
        const double width = ValueTableColumnWidth(canvas, font);
        const QRectF plot = ReportPlotRect(canvas, body.adjusted(0, 0, -width - gap, 0), style);
        if (plot.height() / static_cast<double>(rows.size() - 1) >= canvas.LineHeight(font) * 1.02) {
          table.aligned = true;
          table.width = width;
          table.font = font;
          placed = true;
          break;
        }
      }
    }
    if (placed) {
      graphArea.setRight(body.right() - table.width - gap);
    } else {
      if (!PlanTableBelow(canvas, body, rows.size(), canvas.In(kMinGraphInches) + gap, table)) {
        return PageResult::NoRoom;
      }
      graphArea.setBottom(body.bottom() - table.height - gap);
    }
  }
  if (graphArea.height() < canvas.In(kMinGraphInches) || graphArea.width() < canvas.In(2.0)) {
    return PageResult::NoRoom;
  }

  const ReportGraphInput input = GraphInputFor(day, options, settings.timeType);
  if (!day.predicted) {
    canvas.Text(graphArea, Qt::AlignCenter, canvas.Font(ReportFontRole::Body, 1.2), canvas.ink().faint,
                day.inRange ? "No predictions are available for this day." : "This date lies outside the predictions' range.");
  } else if (!DrawReportGraph(canvas, graphArea, input, style)) {
    canvas.Text(graphArea, Qt::AlignCenter, canvas.Font(ReportFontRole::Body, 1.2), canvas.ink().text,
                StringText(2600));
  }
  if (rows.empty()) return PageResult::Drawn;
  if (table.aligned) {
    const QRectF plot = ReportPlotRect(canvas, graphArea, style);
    DrawAlignedTable(canvas, plot, graphArea.right() + gap, table.width, rows, timeHeading, valueHeading, table.font);
  } else {
    DrawValueTable(canvas, QRectF(body.left(), body.bottom() - table.height, body.width(), table.height), rows,
                   table.columns, timeHeading, valueHeading, table.font);
  }
  return PageResult::Drawn;
}

}  // namespace qw
