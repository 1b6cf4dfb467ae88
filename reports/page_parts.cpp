#include "reports/page_parts.h"

#include <QDate>
#include <QLocale>
#include <algorithm>
#include <cmath>

#include "present/display_units.h"
#include "present/moon_picture.h"
#include "present/qt_date.h"

namespace qw {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// A frame's rectangle moved in by half its pen, so the whole line prints inside `area`.
QRectF Inset(const PageCanvas& canvas, const QRectF& area, double penPoints) {
  const double half = canvas.Pt(penPoints) / 2;
  return area.adjusted(half, half, -half, -half);
}

}  // namespace

QString LongDateText(EngineMinute day) { return QLocale::c().toString(QDateOfMinute(day), "dddd, MMMM d, yyyy"); }

QString MonthText(EngineMinute day) { return QLocale::c().toString(QDateOfMinute(day), "MMMM yyyy"); }

QString MonthSpanText(EngineMinute first, EngineMinute last) {
  const QDate a = QDateOfMinute(first), b = QDateOfMinute(last);
  const QLocale c = QLocale::c();
  if (a.year() == b.year()) return c.toString(a, "MMMM") + " - " + c.toString(b, "MMMM yyyy");
  return c.toString(a, "MMMM yyyy") + " - " + c.toString(b, "MMMM yyyy");
}

QString ClockOfMinute(int minuteOfDay, TimeType clock) {
  return Q(ClockText(minuteOfDay / 60 % 24, minuteOfDay % 60, clock));
}

QString ShortClock(int minuteOfDay, TimeType clock) {
  const int hour = minuteOfDay / 60 % 24, minute = minuteOfDay % 60;
  if (clock == TimeType::Clock24) return QString::asprintf("%02d:%02d", hour, minute);
  return QString::asprintf("%d:%02d%c", hour % 12 == 0 ? 12 : hour % 12, minute, hour < 12 ? 'a' : 'p');
}

int RiseSetMinute(float hours, float other) {
  if (hours < 0 || hours == other) return -1;
  // The results carry a small fraction so that truncating to whole minutes is safe.
  const int minute = static_cast<int>(std::floor(hours * 60.0));
  return minute >= 0 && minute < 1440 ? minute : -1;
}

QStringList SunLines(const SunTimes& sun, TimeType clock) {
  switch (ClassifySunDay(sun.rise, sun.set)) {
    case RiseSetDay::NotAvailable: return {"Sunrise/Sunset Not Available"};
    case RiseSetDay::NeverSets: return {"Sun does not set today"};
    case RiseSetDay::NeverRises: return {"Sun does not rise today"};
    case RiseSetDay::Events: break;
  }
  auto line = [&](const char* name, float value, float other) {
    const int minute = RiseSetMinute(value, other);
    return QString(name) + ": " + (minute < 0 ? QString("None") : ClockOfMinute(minute, clock));
  };
  return {line("Sunrise", sun.rise, sun.set), line("Sunset", sun.set, sun.rise)};
}

QStringList MoonLines(const MoonTimes& moon, TimeType clock) {
  switch (ClassifyMoonDay(moon.rise, moon.set)) {
    case RiseSetDay::NotAvailable: return {"Moonrise/Moonset Not Available"};
    case RiseSetDay::NeverSets: return {"Moon does not set today"};
    case RiseSetDay::NeverRises: return {"Moon does not rise today"};
    case RiseSetDay::Events: break;
  }
  auto line = [&](const char* name, float value, float other) {
    const int minute = RiseSetMinute(value, other);
    return QString(name) + ": " + (minute < 0 ? QString("None") : ClockOfMinute(minute, clock));
  };
  return {line("Moonrise", moon.rise, moon.set), line("Moonset", moon.set, moon.rise)};
}

// --- Header and footer ---

double HeaderHeight(const PageCanvas& canvas) {
  return canvas.LineHeight(canvas.Font(ReportFontRole::Title, 1.0, true)) +
         canvas.LineHeight(canvas.Font(ReportFontRole::Date)) + canvas.LineHeight(canvas.Font(ReportFontRole::Body)) +
         canvas.Pt(8);
}

void DrawHeader(const PageCanvas& canvas, const QRectF& area, const PageHeader& header) {
  const ReportInk& ink = canvas.ink();
  const QFont nameFont = canvas.Font(ReportFontRole::Title, 1.0, true);
  const QFont titleFont = canvas.Font(ReportFontRole::Title, 0.75);
  const QFont dateFont = canvas.Font(ReportFontRole::Date);
  const QFont body = canvas.Font(ReportFontRole::Body);
  double y = area.top();
  const double w = area.width();

  // The report title keeps the room it needs; the name takes the rest.
  const double titleWidth = std::min(w * 0.45, canvas.TextWidth(titleFont, header.title) + canvas.Pt(4));
  const double nameLine = canvas.LineHeight(nameFont);
  canvas.Text(QRectF(area.left(), y, w - titleWidth - canvas.Pt(8), nameLine), Qt::AlignLeft | Qt::AlignBottom,
              nameFont, ink.text, header.name);
  canvas.Text(QRectF(area.right() - titleWidth, y, titleWidth, nameLine), Qt::AlignRight | Qt::AlignBottom, titleFont,
              ink.text, header.title);
  y += nameLine;

  const double dateLine = canvas.LineHeight(dateFont);
  const double sourceWidth = std::min(w * 0.5, canvas.TextWidth(body, header.source) + canvas.Pt(4));
  canvas.Text(QRectF(area.left(), y, w - sourceWidth - canvas.Pt(8), dateLine), Qt::AlignLeft | Qt::AlignVCenter,
              dateFont, ink.text, header.date);
  canvas.Text(QRectF(area.right() - sourceWidth, y, sourceWidth, dateLine), Qt::AlignRight | Qt::AlignVCenter, body,
              ink.text, header.source);
  y += dateLine;

  const double bodyLine = canvas.LineHeight(body);
  const double zoneWidth = std::min(w * 0.5, canvas.TextWidth(body, header.zone) + canvas.Pt(4));
  canvas.Text(QRectF(area.left(), y, w - zoneWidth - canvas.Pt(8), bodyLine), Qt::AlignLeft | Qt::AlignVCenter, body,
              ink.faint, header.position);
  canvas.Text(QRectF(area.right() - zoneWidth, y, zoneWidth, bodyLine), Qt::AlignRight | Qt::AlignVCenter, body,
              ink.text, header.zone);
  y += bodyLine + canvas.Pt(3);

  canvas.painter().setPen(canvas.Pen(ink.rule, 1.0));
  canvas.painter().drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
}

double FooterHeight(const PageCanvas& canvas, const PageFooter& footer) {
  double height = canvas.LineHeight(canvas.Font(ReportFontRole::Body, 0.85)) + canvas.Pt(4);
  if (footer.bitmap && !footer.bitmap->isNull()) height += canvas.In(canvas.options().bitmapHeightInches) + canvas.Pt(4);
  return height;
}

void DrawFooter(const PageCanvas& canvas, const QRectF& area, const PageFooter& footer) {
  const ReportInk& ink = canvas.ink();
  const QFont font = canvas.Font(ReportFontRole::Body, 0.85);
  const double line = canvas.LineHeight(font);
  double y = area.top();
  if (footer.bitmap && !footer.bitmap->isNull()) {
    const double height = canvas.In(canvas.options().bitmapHeightInches);
    const double width = std::min(area.width(), height * footer.bitmap->width() / std::max(1, footer.bitmap->height()));
    double x = area.left() + (area.width() - width) / 2;
    if (canvas.options().bitmapPos == 0) x = area.left();
    if (canvas.options().bitmapPos == 2) x = area.right() - width;
    canvas.painter().drawImage(QRectF(x, y, width, height), *footer.bitmap);
    y += height + canvas.Pt(4);
  }
  canvas.painter().setPen(canvas.Pen(ink.rule, 0.5));
  canvas.painter().drawLine(QPointF(area.left(), y + canvas.Pt(1)), QPointF(area.right(), y + canvas.Pt(1)));
  const QRectF text(area.left(), y + canvas.Pt(3), area.width(), line);
  canvas.Text(text, Qt::AlignLeft | Qt::AlignVCenter, font, ink.faint, report_text::kPrintedBy);
  if (footer.pageCount > 0) {
    canvas.Text(text, Qt::AlignRight | Qt::AlignVCenter, font, ink.faint,
                QString("Page %1 of %2").arg(footer.pageNumber).arg(footer.pageCount));
  }
}

// --- Sun and moon ---

SunMoonBox MakeSunMoonBox(const ReportDay& day, const ReportOptions& options, TimeType clock) {
  SunMoonBox box;
  if (!day.inRange) return box;
  if (options.sunriseSunset) box.sun = SunLines(day.sun, clock);
  if (options.moonriseMoonset) box.moon = MoonLines(day.moon.times, clock);
  if (options.moonGraphic && day.moonAngle >= 0) {
    const bool phaseDay = day.moon.phase.phaseType != kPhaseNone && day.moon.phase.days == 0;
    if (options.moonGraphicFreq == 1 || phaseDay) box.moonAngle = day.moonAngle;
  }
  if (box.moonAngle >= 0 || !box.moon.isEmpty()) {
    box.phase = Q(day.phaseLine);
    box.tideType = Q(day.tideTypeLine);
  }
  return box;
}

bool SunMoonBoxEmpty(const SunMoonBox& box) {
  return box.sun.isEmpty() && box.moon.isEmpty() && box.moonAngle < 0 && box.phase.isEmpty();
}

double SunMoonBoxHeight(const PageCanvas& canvas, const SunMoonBox& box) {
  if (SunMoonBoxEmpty(box)) return 0;
  const double line = canvas.LineHeight(canvas.Font(ReportFontRole::Body));
  return 2 * line + canvas.Pt(8);
}

void DrawMoon(const PageCanvas& canvas, const QRectF& area, int angle) {
  const double side = std::min(area.width(), area.height());
  const QRectF disc(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
  DrawMoonPicture(canvas.painter(), disc.toRect(), angle);
}

void DrawSunMoonBox(const PageCanvas& canvas, const QRectF& area, const SunMoonBox& box) {
  if (SunMoonBoxEmpty(box)) return;
  const ReportInk& ink = canvas.ink();
  const QFont font = canvas.Font(ReportFontRole::Body);
  const double line = canvas.LineHeight(font);
  const double pad = canvas.Pt(4);
  canvas.painter().setPen(canvas.Pen(ink.rule, 0.5));
  canvas.painter().setBrush(Qt::NoBrush);
  canvas.painter().drawRect(Inset(canvas, area, 0.5));

  double x = area.left() + pad;
  const double columnWidth = area.width() / 3 - pad;
  auto column = [&](const QStringList& lines, const QColor& color) {
    if (lines.isEmpty()) return;
    for (int i = 0; i < lines.size(); ++i) {
      canvas.Text(QRectF(x, area.top() + pad + i * line, columnWidth, line), Qt::AlignLeft | Qt::AlignVCenter, font,
                  color, lines[i]);
    }
    x += columnWidth;
  };
  column(box.sun, ink.text);
  column(box.moon, ink.text);
  QStringList phase;
  if (!box.phase.isEmpty()) phase << box.phase;
  if (!box.tideType.isEmpty()) phase << box.tideType;
  double textLeft = x;
  if (box.moonAngle >= 0) {
    const double side = area.height() - 2 * pad;
    DrawMoon(canvas, QRectF(x, area.top() + pad, side, side), box.moonAngle);
    textLeft = x + side + pad * 2;
  }
  for (int i = 0; i < phase.size(); ++i) {
    canvas.Text(QRectF(textLeft, area.top() + pad + i * line, area.right() - textLeft - pad, line),
                Qt::AlignLeft | Qt::AlignVCenter, font, ink.text, phase[i]);
  }
}

// --- High and low waters ---

namespace {

// How the events share the row: as many to a line as fit, on as many lines as needed.
struct EventsRowLayout {
  double headingWidth = 0;
  double cell = 0;
  int perLine = 1;
  int lines = 1;
};

EventsRowLayout LayoutEventsRow(const PageCanvas& canvas, double width, const QString& heading, size_t count) {
  const QFont font = canvas.Font(ReportFontRole::Body);
  const QFont bold = canvas.Font(ReportFontRole::Body, 1.0, true);
  const double pad = canvas.Pt(4);
  EventsRowLayout layout;
  layout.headingWidth = canvas.TextWidth(bold, heading) + pad * 2;
  const double available = width - layout.headingWidth - pad;
  const double needed = canvas.TextWidth(bold, "Flood ") + canvas.TextWidth(font, "12:59 pm  -888.88 ft") + pad * 2;
  layout.perLine = std::clamp(static_cast<int>(available / needed), 1, std::max<int>(1, static_cast<int>(count)));
  layout.lines = std::max(1, static_cast<int>((count + static_cast<size_t>(layout.perLine) - 1) /
                                              static_cast<size_t>(layout.perLine)));
  layout.cell = available / std::max(layout.perLine, std::min(4, static_cast<int>(available / needed)));
  return layout;
}

}  // namespace

double ExtremesRowHeight(const PageCanvas& canvas, double width, const QString& heading, size_t count) {
  const EventsRowLayout layout = LayoutEventsRow(canvas, width, heading, count);
  return canvas.LineHeight(canvas.Font(ReportFontRole::Body)) * layout.lines + canvas.Pt(8);
}

void DrawExtremesRow(const PageCanvas& canvas, const QRectF& area, const ReportDay& day, const QString& heading) {
  const ReportInk& ink = canvas.ink();
  const QFont font = canvas.Font(ReportFontRole::Body);
  const QFont bold = canvas.Font(ReportFontRole::Body, 1.0, true);
  const double line = canvas.LineHeight(font);
  const double pad = canvas.Pt(4);
  canvas.painter().setPen(canvas.Pen(ink.rule, 0.5));
  canvas.painter().setBrush(Qt::NoBrush);
  canvas.painter().drawRect(Inset(canvas, area, 0.5));
  const auto& events = day.events;
  const EventsRowLayout layout = LayoutEventsRow(canvas, area.width(), heading, events.size());
  const double top = area.top() + (area.height() - line * layout.lines) / 2;
  canvas.Text(QRectF(area.left() + pad, top, layout.headingWidth, line), Qt::AlignLeft | Qt::AlignVCenter, bold,
              ink.text, heading);
  if (events.empty()) {
    canvas.Text(QRectF(area.left() + layout.headingWidth + pad, top, area.width() - layout.headingWidth - 2 * pad, line),
                Qt::AlignLeft | Qt::AlignVCenter, font, ink.faint,
                day.inRange ? "No predictions for this day" : "Date outside the predictions' range");
    return;
  }
  const double kindWidth = canvas.TextWidth(bold, "Flood ");
  for (size_t i = 0; i < events.size(); ++i) {
    const ReportEvent& e = events[i];
    const double x = area.left() + layout.headingWidth + pad + layout.cell * static_cast<double>(i % static_cast<size_t>(layout.perLine));
    const double y = top + line * static_cast<double>(i / static_cast<size_t>(layout.perLine));
    const QColor color = EventInk(ink, e);
    canvas.Text(QRectF(x, y, kindWidth, line), Qt::AlignLeft | Qt::AlignVCenter, bold, color, EventWord(e.kind));
    canvas.Text(QRectF(x + kindWidth, y, layout.cell - kindWidth - pad, line), Qt::AlignLeft | Qt::AlignVCenter, font,
                color, Q(e.time) + (e.valueText.empty() ? QString() : "  " + Q(e.valueText)));
  }
}

QString EventsHeading(StationKind kind) { return kind == StationKind::Tide ? "Highs & Lows" : "Floods & Ebbs"; }

QColor EventInk(const ReportInk& ink, const ReportEvent& event) {
  if (event.upper()) return ink.high;
  if (event.lower()) return ink.low;
  return ink.text;
}

// --- Graph marks ---

ReportGraphInput GraphInputFor(const ReportDay& day, const ReportOptions& options, TimeType clock) {
  ReportGraphInput input;
  input.data = &day.graph;
  for (const ReportEvent& e : day.events) {
    if (e.elapsed < 0 || e.value == kValueNotDefined) continue;
    ReportMark mark;
    mark.minuteOfDay = e.elapsed;
    mark.value = e.value;
    mark.high = e.upper();
    mark.label = Q(e.time);
    mark.valueLabel = Q(e.valueText);
    mark.color = e.upper() ? ReportMark::Color::High : e.lower() ? ReportMark::Color::Low : ReportMark::Color::Plain;
    input.extremes.push_back(mark);
  }
  if (!day.inRange) return input;
  // At the events' instants (minutes from the date's first instant), with the time shown.
  auto add = [&](std::vector<ReportMark>& marks, const char* name, SkyEventKind kind) {
    for (const SkyEvent& e : day.sky.events) {
      if (e.kind != kind) continue;
      ReportMark mark;
      mark.minuteOfDay = static_cast<int>(e.at.standard - day.sky.span.standardStart);
      const uint32_t shown = e.at.shown % kMinutesPerDay;
      mark.label = QString(name) + " " + ClockOfMinute(static_cast<int>(shown), clock);
      marks.push_back(mark);
      return;
    }
  };
  if (options.sunriseSunset && day.sky.sun == RiseSetDay::Events) {
    add(input.sun, "sunrise", SkyEventKind::Sunrise);
    add(input.sun, "sunset", SkyEventKind::Sunset);
  }
  if (options.moonriseMoonset && day.sky.moon == RiseSetDay::Events) {
    add(input.moon, "moonrise", SkyEventKind::Moonrise);
    add(input.moon, "moonset", SkyEventKind::Moonset);
  }
  return input;
}

// --- Value table ---

std::vector<TableRow> TableRows(const ReportDay& day, StationKind kind, const AppSettings& settings) {
  std::vector<TableRow> rows;
  if (day.tableInterval <= 0) return rows;
  const TimeType clock = settings.timeType;
  for (size_t i = 0; i < day.table.size(); ++i) {
    const int minute = static_cast<int>(i) * day.tableInterval;
    const bool end = i < day.tableTimes.size() ? day.tableTimes[i].empty() : minute >= 1440;
    QString time = end ? (clock == TimeType::Clock24 ? QString("24:00") : QString("12:00 am"))
                       : (i < day.tableTimes.size() ? Q(day.tableTimes[i]) : ClockOfMinute(minute, clock));
    rows.push_back({time, day.table[i] == kValueNotDefined
                              ? QString("---  %1").arg(Q(ReportUnitName(kind, settings)))
                              : Q(ReportValueText(kind, day.table[i], settings))});
  }
  return rows;
}

double ValueTableColumnWidth(const PageCanvas& canvas, const QFont& font) {
  return canvas.TextWidth(font, "12:00 am") + canvas.TextWidth(font, "-888.88 ft") + canvas.Pt(16);
}

void DrawValueTable(const PageCanvas& canvas, const QRectF& area, const std::vector<TableRow>& rows, int columns,
                    const QString& timeHeading, const QString& valueHeading, const QFont& font) {
  if (rows.empty() || columns < 1) return;
  const ReportInk& ink = canvas.ink();
  QFont bold = font;
  bold.setBold(true);
  const double line = canvas.LineHeight(font);
  const int perColumn = static_cast<int>((rows.size() + static_cast<size_t>(columns) - 1) / static_cast<size_t>(columns));
  const double columnWidth = area.width() / columns;
  const double timeWidth = canvas.TextWidth(font, "12:00 am") + canvas.Pt(4);
  for (int c = 0; c < columns; ++c) {
    const double x = area.left() + c * columnWidth;
    const double inner = columnWidth - canvas.Pt(8);
    canvas.Text(QRectF(x, area.top(), inner, line), Qt::AlignLeft | Qt::AlignVCenter, bold, ink.text, timeHeading);
    canvas.Text(QRectF(x, area.top(), inner, line), Qt::AlignRight | Qt::AlignVCenter, bold, ink.text, valueHeading);
    for (int r = 0; r < perColumn; ++r) {
      const size_t i = static_cast<size_t>(c * perColumn + r);
      if (i >= rows.size()) break;
      const double y = area.top() + line * (r + 1.2);
      if (r % 2 == 1) canvas.painter().fillRect(QRectF(x, y, inner, line), QColor(242, 242, 242));
      canvas.Text(QRectF(x, y, timeWidth, line), Qt::AlignRight | Qt::AlignVCenter, font, ink.text, rows[i].time);
      canvas.Text(QRectF(x + timeWidth, y, inner - timeWidth, line), Qt::AlignRight | Qt::AlignVCenter, font, ink.text,
                  rows[i].value);
    }
  }
}

// --- Notes area ---

void DrawNoteArea(const PageCanvas& canvas, const QRectF& area) {
  const ReportInk& ink = canvas.ink();
  const QFont bold = canvas.Font(ReportFontRole::Body, 1.0, true);
  const double line = canvas.LineHeight(bold);
  canvas.painter().setPen(canvas.Pen(ink.rule, 0.5));
  canvas.painter().setBrush(Qt::NoBrush);
  canvas.painter().drawRect(Inset(canvas, area, 0.5));
  canvas.Text(QRectF(area.left() + canvas.Pt(4), area.top() + canvas.Pt(2), area.width(), line),
              Qt::AlignLeft | Qt::AlignVCenter, bold, ink.text, "Notes:");
  canvas.painter().setPen(canvas.Pen(ink.grid, 0.4));
  const double pitch = canvas.Pt(18);
  for (double y = area.top() + line + pitch; y < area.bottom() - canvas.Pt(4); y += pitch) {
    canvas.painter().drawLine(QPointF(area.left() + canvas.Pt(4), y), QPointF(area.right() - canvas.Pt(4), y));
  }
}

}  // namespace qw
