// The custom report's page: a grid of cells, one location's day in each (the page plan
// places them). A cell holds the location's name and date, the day graph in the chosen
// style (time across), the high and low waters, and the sun's and moon's lines when the
// options ask for them.
#include <algorithm>

#include "engine/string_table.h"
#include "reports/page_layouts.h"

namespace qw {
namespace {

QString ShortDateText(const DateRecord& date) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  return QString("%1, %2 %3, %4").arg(kDays[date.weekday % 7], kMonths[(date.month + 11) % 12]).arg(date.day).arg(date.year);
}

PageResult DrawCell(PageContext& context, const QRectF& cell, const ReportCell& where) {
  const PageCanvas& canvas = context.canvas;
  const ReportOptions& options = canvas.options();
  const AppSettings& settings = context.days.settings();
  const ReportInk& ink = canvas.ink();
  const ReportFormat format = context.job.format;
  const bool graph = IsGraphFormat(format);
  const ReportLocation& station = context.days.location(where.location);

  DayNeeds needs;
  needs.curve = graph && format != ReportFormat::BarGraph;
  const ReportDay day = context.days.Day(where.location, where.day, needs);

  const double pad = canvas.Pt(4);
  canvas.painter().setPen(canvas.Pen(ink.rule, 0.6));
  canvas.painter().setBrush(Qt::NoBrush);
  canvas.painter().drawRect(cell);
  const QRectF inner = cell.adjusted(pad, pad, -pad, -pad);

  // Name and date.
  const QFont nameFont = canvas.Font(ReportFontRole::Body, 1.1, true);
  const QFont font = canvas.Font(ReportFontRole::Body, 0.9);
  const QFont bold = canvas.Font(ReportFontRole::Body, 0.9, true);
  const double nameLine = canvas.LineHeight(nameFont);
  const double line = canvas.LineHeight(font);
  double top = inner.top();
  canvas.Text(QRectF(inner.left(), top, inner.width(), nameLine), Qt::AlignLeft | Qt::AlignVCenter, nameFont, ink.text,
              QString::fromStdString(day.name));
  top += nameLine;
  const QString zone = ShortZoneLabel(station, where.day);
  canvas.Text(QRectF(inner.left(), top, inner.width(), line), Qt::AlignLeft | Qt::AlignVCenter, font, ink.text,
              ShortDateText(day.date) + (zone.isEmpty() ? QString() : "  (" + zone + ")"));
  top += line + canvas.Pt(2);

  // Bottom up: the sun and moon lines, the high and low waters.
  QStringList sunMoon;
  if (day.inRange && options.sunriseSunset) sunMoon << SunLines(day.sun, settings.timeType).join("   ");
  if (day.inRange && options.moonriseMoonset) sunMoon << MoonLines(day.moon.times, settings.timeType).join("   ");
  if (day.inRange && (options.moonriseMoonset || options.moonGraphic) && !day.phaseLine.empty()) {
    sunMoon << QString::fromStdString(day.phaseLine);
  }
  double bottom = inner.bottom();
  for (qsizetype i = sunMoon.size() - 1; i >= 0; --i) {
    bottom -= line;
    canvas.Text(QRectF(inner.left(), bottom, inner.width(), line), Qt::AlignLeft | Qt::AlignVCenter, font, ink.text,
                sunMoon[i]);
  }
  const bool eventsListed = options.dailyExtremes && (!graph || options.dailyExtremesPos == 0);
  if (eventsListed) {
    // Two events to a line.
    const auto& events = day.events;
    const int lines = std::max<int>(1, static_cast<int>((events.size() + 1) / 2));
    bottom -= line * lines + canvas.Pt(2);
    if (events.empty()) {
      canvas.Text(QRectF(inner.left(), bottom, inner.width(), line), Qt::AlignLeft | Qt::AlignVCenter, font, ink.faint,
                  "No predictions for this day");
    }
    // Two events to a line: a current's day has more than a tide's.
    for (size_t i = 0; i < events.size(); ++i) {
      const ReportEvent& e = events[i];
      const QRectF box(inner.left() + (i % 2) * inner.width() / 2, bottom + line * static_cast<double>(i / 2),
                       inner.width() / 2, line);
      const QString text = QString(EventWord(e.kind)) + " " + QString::fromStdString(e.time) +
                           (e.valueText.empty() ? QString() : "  " + QString::fromStdString(e.valueText));
      canvas.Text(box, Qt::AlignLeft | Qt::AlignVCenter, e.upper() ? bold : font, EventInk(ink, e), text);
    }
  }
  if (!graph) return PageResult::Drawn;

  const QRectF graphArea(inner.left(), top, inner.width(), bottom - top - canvas.Pt(2));
  if (graphArea.height() < canvas.In(0.8) || graphArea.width() < canvas.In(1.5)) return PageResult::NoRoom;
  ReportGraphStyle style;
  style.format = format;
  style.grid = options.includeGrid;
  style.nightShading = options.sunriseShading;
  style.rangeLines = options.rangeLines;
  style.rangeShading = options.rangeShading;
  style.extremeMarks = options.dailyExtremes;
  style.extremeLabels = options.dailyExtremes && options.dailyExtremesPos == 1;
  style.clock = settings.timeType;
  style.zoneLabel = zone;
  style.valueCaption = station.kind == StationKind::Tide ? "Height" : "Speed";
  style.fontScale = 0.8;
  if (!day.predicted) {
    canvas.Text(graphArea, Qt::AlignCenter, font, ink.faint,
                day.inRange ? "No predictions are available for this day." : "This date lies outside the predictions' range.");
    return PageResult::Drawn;
  }
  ReportGraphInput input = GraphInputFor(day, options, settings.timeType);
  if (!DrawReportGraph(canvas, graphArea, input, style)) {
    canvas.Text(graphArea, Qt::AlignCenter, font, ink.text, StringText(2600));
  }
  return PageResult::Drawn;
}

}  // namespace

PageResult DrawCustomPage(PageContext& context) {
  const PageCanvas& canvas = context.canvas;
  const ReportOptions& options = canvas.options();
  const PlannedPage& page = context.page;
  PageHeader header;
  header.name = QString::fromStdString(ReportTitle(static_cast<int>(ReportKind::Custom), context.days.location(0).kind,
                                                    static_cast<int>(context.job.format)));
  header.date = page.first == page.last ? LongDateText(page.first) : LongDateText(page.first) + " - " + LongDateText(page.last);
  QRectF body = DrawFrame(context, header);
  const double gap = canvas.Pt(8);
  if (options.noteArea) {
    const double height = canvas.In(1.0);
    DrawNoteArea(canvas, QRectF(body.left(), body.bottom() - height, body.width(), height));
    body.setBottom(body.bottom() - height - gap);
  }
  const int rows = std::clamp(options.rowsPerPage, 1, 4);
  const int columns = std::clamp(options.columnsPerPage, 1, 7);
  const double cellWidth = (body.width() - gap * (columns - 1)) / columns;
  const double cellHeight = (body.height() - gap * (rows - 1)) / rows;
  PageResult result = PageResult::Drawn;
  for (const ReportCell& cell : page.cells) {
    const QRectF area(body.left() + cell.column * (cellWidth + gap), body.top() + cell.row * (cellHeight + gap),
                      cellWidth, cellHeight);
    canvas.painter().save();
    canvas.painter().setClipRect(area.adjusted(-canvas.Pt(1), -canvas.Pt(1), canvas.Pt(1), canvas.Pt(1)));
    if (DrawCell(context, area, cell) == PageResult::NoRoom) result = PageResult::NoRoom;
    canvas.painter().restore();
  }
  return result;
}

}  // namespace qw
