// The monthly and three-month pages: one location's calendar months, one row per day.
//
// A month is a panel of rows; the monthly page has one panel, the three-month page
// three side by side. A row holds the date, in the graph formats a strip of the day's
// curve (all strips of a page share one scale, so spring and neap tides show as such),
// the high and low waters (time over height, highs in bold), and on the monthly page
// the sun's and moon's rise and set and the moon's picture when the options ask for
// them. Night is shaded on the strips when sunrise shading is on.
#include <algorithm>
#include <cmath>

#include "present/display_units.h"
#include "reports/page_layouts.h"

namespace qw {
namespace {

struct PanelColumns {
  bool strip = false;
  bool sun = false;
  bool moon = false;
  bool picture = false;
};

struct PanelGeometry {
  QFont font;
  QFont bold;
  double line = 0;
  double rowHeight = 0;
  double headerHeight = 0;
  double dateWidth = 0;
  double cellWidth = 0;
  double timeWidth = 0;  // sun and moon columns
  double pictureWidth = 0;
  double stripWidth = 0;
  int eventCells = 0;
  bool oneLine = false;  // time and height side by side
  double scale = 1.0;
};

QString DateCellText(const DateRecord& date) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  return QString("%1 %2").arg(kDays[date.weekday % 7]).arg(date.day);
}

// Lays a panel out in `width` x `height` for `rows` days: rows of two lines (time over
// height) or, where the width allows a larger font, of one line (time beside height).
// The font is the largest (down to 55 %) that fits; false when none does.
bool LayoutPanelLines(const PageCanvas& canvas, double width, double height, int rows, int eventCells,
                      const PanelColumns& columns, bool oneLine, PanelGeometry& g) {
  for (double scale = 1.0; scale >= 0.549; scale -= 0.05) {
    g.oneLine = oneLine;
    g.scale = scale;
    g.font = canvas.Font(ReportFontRole::Body, scale);
    g.bold = canvas.Font(ReportFontRole::Body, scale, true);
    g.line = canvas.LineHeight(g.font);
    g.headerHeight = g.line * 2.2;
    g.rowHeight = (height - g.headerHeight) / std::max(1, rows);
    if (g.rowHeight < g.line * (oneLine ? 1.1 : 2.05)) continue;
    const double pad = canvas.Pt(3) * scale;
    const double time = canvas.TextWidth(g.bold, "12:59a");
    const double value = canvas.TextWidth(g.font, "-888.88");
    g.dateWidth = canvas.TextWidth(g.bold, "Wed 30") + pad * 2;
    g.cellWidth = (oneLine ? time + value + pad : std::max(time, value)) + pad * 2;
    g.timeWidth = (oneLine ? 2 * canvas.TextWidth(g.font, "12:59a") + pad : canvas.TextWidth(g.font, "12:59a")) + pad * 2;
    const double pictureSide = std::min(g.rowHeight * 0.85, g.line * 2.2);
    g.pictureWidth = columns.picture ? pictureSide + canvas.TextWidth(g.font, "1st Qtr") + pad * 3 : 0;
    g.eventCells = eventCells;
    const double fixed = g.dateWidth + g.cellWidth * eventCells + (columns.sun ? g.timeWidth : 0) +
                         (columns.moon ? g.timeWidth : 0) + g.pictureWidth;
    if (columns.strip) {
      // The strip takes what is left, up to 45 % of the panel; the rest widens the cells.
      g.stripWidth = std::min(width - fixed - pad * 2, width * 0.45);
      if (g.stripWidth < canvas.In(0.6)) continue;
      g.cellWidth += (width - fixed - pad * 2 - g.stripWidth) / std::max(1, eventCells);
    } else {
      if (fixed > width) continue;
      g.stripWidth = 0;
      g.cellWidth += (width - fixed) / std::max(1, eventCells + 2);
    }
    return true;
  }
  return false;
}

bool LayoutPanel(const PageCanvas& canvas, double width, double height, int rows, int eventCells,
                 const PanelColumns& columns, PanelGeometry& g) {
  PanelGeometry two, one;
  const bool twoFits = LayoutPanelLines(canvas, width, height, rows, eventCells, columns, false, two);
  const bool oneFits = LayoutPanelLines(canvas, width, height, rows, eventCells, columns, true, one);
  if (!twoFits && !oneFits) return false;
  g = (oneFits && (!twoFits || one.scale > two.scale + 0.01)) ? one : two;
  return true;
}

// One month's panel to draw: where, its heading and days, and what every panel of the
// page shares (the columns, their layout, the strips' scale and style).
struct PanelJob {
  QRectF area;
  QString heading;
  const std::vector<ReportDay>* days = nullptr;
  StationKind kind = StationKind::Tide;
  PanelColumns columns;
  PanelGeometry geometry;
  std::optional<GraphScale> scale;
  ReportGraphStyle stripStyle;
  const AppSettings* settings = nullptr;
};

void DrawPanel(const PageCanvas& canvas, const PanelJob& job) {
  const QRectF& area = job.area;
  const std::vector<ReportDay>& days = *job.days;
  const StationKind kind = job.kind;
  const PanelColumns& columns = job.columns;
  const PanelGeometry& g = job.geometry;
  const AppSettings& settings = *job.settings;
  const ReportInk& ink = canvas.ink();
  QPainter& p = canvas.painter();
  const double pad = canvas.Pt(2);
  const QString unit = QString::fromStdString(ReportUnitName(kind, settings));

  // Headings: the month, then the columns.
  canvas.Text(QRectF(area.left(), area.top(), area.width(), g.line), Qt::AlignLeft | Qt::AlignVCenter, g.bold,
              ink.text, job.heading);
  const double headY = area.top() + g.line * 1.1;
  double x = area.left() + g.dateWidth;
  const QRectF stripColumn(x, headY, g.stripWidth, g.line);
  if (columns.strip) {
    // Hour marks over the strips: every six hours, or every twelve on narrow strips.
    const double labelWidth = canvas.TextWidth(g.font, QString::fromStdString(HourLabel(12, settings.timeType)));
    const int every = g.stripWidth / 4 >= labelWidth * 1.6 ? 6 : 12;
    for (int hour = 0; hour <= 24; hour += every) {
      const QString label = QString::fromStdString(HourLabel(hour, settings.timeType));
      const double w = canvas.TextWidth(g.font, label) + pad * 2;
      const double cx = stripColumn.left() + pad + (stripColumn.width() - 2 * pad) * hour / 24.0;
      double left = std::clamp(cx - w / 2, stripColumn.left(), stripColumn.right() - w);
      canvas.Text(QRectF(left, headY, w, g.line), Qt::AlignCenter, g.font, ink.faint, label);
    }
    x += g.stripWidth + pad * 2;
  }
  canvas.Text(QRectF(x, headY, g.cellWidth * g.eventCells, g.line), Qt::AlignCenter, g.bold, ink.text,
              QString("%1 (%2)").arg(EventsHeading(kind), unit));
  x += g.cellWidth * g.eventCells;
  if (columns.sun) {
    canvas.Text(QRectF(x, headY, g.timeWidth, g.line), Qt::AlignCenter, g.bold, ink.text, "Sun");
    x += g.timeWidth;
  }
  if (columns.moon) {
    canvas.Text(QRectF(x, headY, g.timeWidth, g.line), Qt::AlignCenter, g.bold, ink.text, "Moon");
    x += g.timeWidth;
  }
  if (columns.picture) canvas.Text(QRectF(x, headY, g.pictureWidth, g.line), Qt::AlignCenter, g.bold, ink.text, "Phase");

  p.setPen(canvas.Pen(ink.rule, 0.6));
  const double rowsTop = area.top() + g.headerHeight;
  p.drawLine(QPointF(area.left(), rowsTop), QPointF(area.right(), rowsTop));

  for (size_t i = 0; i < days.size(); ++i) {
    const ReportDay& day = days[i];
    const double y = rowsTop + g.rowHeight * static_cast<double>(i);
    const int lines = g.oneLine ? 1 : 2;
    const double textTop = y + (g.rowHeight - lines * g.line) / 2;
    // The second line of a two-line cell, or the right half of a one-line cell.
    auto pair = [&](double left, double width, const QFont& font, const QColor& color, const QString& first,
                    const QString& second) {
      if (g.oneLine) {
        canvas.Text(QRectF(left, textTop, width / 2, g.line), Qt::AlignRight | Qt::AlignVCenter, font, color, first);
        canvas.Text(QRectF(left + width / 2, textTop, width / 2 - pad, g.line), Qt::AlignRight | Qt::AlignVCenter, font,
                    color, second);
      } else {
        canvas.Text(QRectF(left, textTop, width, g.line), Qt::AlignCenter, font, color, first);
        canvas.Text(QRectF(left, textTop + g.line, width, g.line), Qt::AlignCenter, font, color, second);
      }
    };
    if (day.date.weekday == 0) p.fillRect(QRectF(area.left(), y, area.width(), g.rowHeight), QColor(240, 240, 240));
    x = area.left();
    canvas.Text(QRectF(x + pad, textTop, g.dateWidth - pad, g.line * lines), Qt::AlignLeft | Qt::AlignVCenter, g.bold,
                ink.text, DateCellText(day.date));
    x += g.dateWidth;
    if (columns.strip) {
      const QRectF strip(x + pad, y + g.rowHeight * 0.1, g.stripWidth, g.rowHeight * 0.8);
      if (day.predicted) {
        ReportGraphInput input;
        input.data = &day.graph;
        input.scale = job.scale;
        input.extremes = GraphInputFor(day, canvas.options(), settings.timeType).extremes;
        DrawReportGraph(canvas, strip, input, job.stripStyle);
      } else {
        p.setPen(canvas.Pen(ink.rule, 0.4));
        p.setBrush(Qt::NoBrush);
        p.drawRect(strip);
      }
      x += g.stripWidth + pad * 2;
    }
    for (int c = 0; c < g.eventCells; ++c) {
      if (static_cast<size_t>(c) < day.events.size()) {
        const ReportEvent& e = day.events[static_cast<size_t>(c)];
        const QString time = e.minute < 0 ? QString(kNoTimeText) : ShortClock(e.minute, settings.timeType);
        // A slack has no speed to show: its word stands under its time.
        const QString value = e.kind == 'S' ? QString(EventWord(e.kind)) : QString::fromStdString(e.valueShort);
        pair(x, g.cellWidth, e.upper() ? g.bold : g.font, EventInk(ink, e), time, value);
      }
      x += g.cellWidth;
    }
    auto riseSet = [&](float rise, float set, RiseSetDay kind) {
      QString first = "--", second = "--";
      if (kind == RiseSetDay::NeverSets) first = second = "up";
      if (kind == RiseSetDay::NeverRises) first = second = "down";
      if (kind == RiseSetDay::Events) {
        const int r = RiseSetMinute(rise, set), s = RiseSetMinute(set, rise);
        if (r >= 0) first = ShortClock(r, settings.timeType);
        if (s >= 0) second = ShortClock(s, settings.timeType);
      }
      pair(x, g.timeWidth, g.font, ink.text, first, second);
      x += g.timeWidth;
    };
    if (columns.sun) {
      if (day.inRange) {
        riseSet(day.sun.rise, day.sun.set, ClassifySunDay(day.sun.rise, day.sun.set));
      } else {
        x += g.timeWidth;
      }
    }
    if (columns.moon) {
      const MoonTimes& moon = day.moon.times;
      if (day.inRange) {
        riseSet(moon.rise, moon.set, ClassifyMoonDay(moon.rise, moon.set));
      } else {
        x += g.timeWidth;
      }
    }
    if (columns.picture && day.inRange && day.moonAngle >= 0) {
      const MoonPhaseInfo& phase = day.moon.phase;
      const bool phaseDay = phase.phaseType != kPhaseNone && phase.days == 0;
      if (canvas.options().moonGraphicFreq == 1 || phaseDay) {
        const double side = std::min(g.rowHeight * 0.85, g.line * 2.2);
        DrawMoon(canvas, QRectF(x + pad, y + (g.rowHeight - side) / 2, side, side), day.moonAngle);
        if (phaseDay) {
          canvas.Text(QRectF(x + side + pad * 3, textTop, g.pictureWidth - side - pad * 3, g.line * lines),
                      Qt::AlignLeft | Qt::AlignVCenter, g.font, ink.text, PhaseName(phase.phaseType));
        }
      }
    }
    p.setPen(canvas.Pen(ink.grid, 0.3));
    p.drawLine(QPointF(area.left(), y + g.rowHeight), QPointF(area.right(), y + g.rowHeight));
  }
}

// One scale for every strip of a page, from the page's lowest to its highest value
// (and the range lines when they are drawn), with a little room above and below. The
// strips carry no axis, so they need not keep to the window's scale steps.
std::optional<GraphScale> StripScale(const std::vector<const DayGraphData*>& days, bool withRangeLines) {
  if (days.empty()) return std::nullopt;
  int64_t low = days.front()->minimum, high = days.front()->maximum;
  for (const DayGraphData* d : days) {
    low = std::min<int64_t>(low, d->minimum);
    high = std::max<int64_t>(high, d->maximum);
    if (withRangeLines && d->high.shown) high = std::max<int64_t>(high, d->high.value);
    if (withRangeLines && d->low.shown) low = std::min<int64_t>(low, d->low.value);
  }
  const int64_t margin = std::max<int64_t>(1, (high - low) / 16);
  GraphScale scale;
  scale.step = std::max<int64_t>(1, (high - low + 2 * margin + 7) / 8);
  scale.bottom = low - margin;
  return scale;
}

}  // namespace

PageResult DrawCalendarPage(PageContext& context, int months) {
  const PageCanvas& canvas = context.canvas;
  const ReportOptions& options = canvas.options();
  const AppSettings& settings = context.days.settings();
  const ReportFormat format = context.job.format;
  const bool graph = IsGraphFormat(format);
  const int location = context.page.location;
  const ReportLocation& station = context.days.location(location);

  DayNeeds needs;
  needs.curve = graph && format != ReportFormat::BarGraph;
  needs.sunMoon = true;
  std::vector<std::vector<ReportDay>> panels;
  EngineMinute first = context.page.first;
  for (int m = 0; m < months; ++m) {
    const EngineMinute last = LastDayOfMonths(first, 1);
    std::vector<ReportDay> days;
    for (EngineMinute day = first; day <= last; day += kMinutesPerDay) {
      days.push_back(context.days.Day(location, day, needs));
      // Three months of a current leave room for its maximum floods and ebbs only.
      if (months == 3 && station.kind == StationKind::Current) {
        std::erase_if(days.back().events, [](const ReportEvent& e) { return e.kind == 'S'; });
      }
    }
    panels.push_back(std::move(days));
    first = last + kMinutesPerDay;
  }

  const ReportKind kind = months == 1 ? ReportKind::Monthly : ReportKind::ThreeMonth;
  const QString title = LocationReportTitle(station, kind, format);
  const QString dateText = months == 1 ? MonthText(context.page.first) : MonthSpanText(context.page.first, context.page.last);
  QRectF body = DrawFrame(context, LocationHeader(panels.front().front(), title, dateText,
                                                  ZoneSpanLabel(station, context.page.first, context.page.last)));
  const double gap = canvas.Pt(8);
  if (options.noteArea) {
    const double height = canvas.In(1.0);
    DrawNoteArea(canvas, QRectF(body.left(), body.bottom() - height, body.width(), height));
    body.setBottom(body.bottom() - height - gap);
  }

  PanelColumns columns;
  columns.strip = graph;
  columns.sun = months == 1 && options.sunriseSunset;
  columns.moon = months == 1 && options.moonriseMoonset;
  columns.picture = months == 1 && options.moonGraphic;
  int eventCells = 1;
  int rows = 28;
  std::vector<const DayGraphData*> graphs;
  for (const auto& panel : panels) {
    rows = std::max(rows, static_cast<int>(panel.size()));
    for (const ReportDay& day : panel) {
      eventCells = std::max(eventCells, static_cast<int>(day.events.size()));
      if (day.predicted) graphs.push_back(&day.graph);
    }
  }
  const double panelGap = months == 1 ? 0 : canvas.Pt(10);
  const double panelWidth = (body.width() - panelGap * (months - 1)) / months;
  PanelJob job;
  if (!LayoutPanel(canvas, panelWidth, body.height(), rows, eventCells, columns, job.geometry)) {
    return PageResult::NoRoom;
  }
  job.kind = station.kind;
  job.columns = columns;
  job.settings = &settings;
  ReportGraphStyle& strip = job.stripStyle;
  strip.format = format;
  strip.axes = false;
  strip.grid = options.includeGrid;
  strip.nightShading = options.sunriseShading;
  strip.rangeLines = options.rangeLines;
  strip.rangeShading = options.rangeShading;
  strip.extremeMarks = options.dailyExtremes;
  strip.clock = settings.timeType;
  job.scale = StripScale(graphs, options.rangeLines);

  for (int m = 0; m < months; ++m) {
    const std::vector<ReportDay>& days = panels[static_cast<size_t>(m)];
    job.area = QRectF(body.left() + m * (panelWidth + panelGap), body.top(), panelWidth, body.height());
    job.heading = MonthText(days.front().day);
    job.days = &days;
    DrawPanel(canvas, job);
  }
  return PageResult::Drawn;
}

}  // namespace qw
