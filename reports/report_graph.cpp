#include "reports/report_graph.h"

#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "engine/engine_values.h"

namespace qw {
namespace {

// Maps minutes from the date's first instant and a display value to the page.
struct Frame {
  QRectF r;
  bool down = false;
  double bottom = 0;    // the value at the lowest level
  double span = 1;      // eight steps
  double minutes = 1440;  // the date's length: 1380 or 1500 on the days the clocks change

  QPointF At(double minute, double value) const {
    const double t = minute / minutes;
    const double v = (value - bottom) / span;
    return down ? QPointF(r.left() + v * r.width(), r.top() + t * r.height())
                : QPointF(r.left() + t * r.width(), r.bottom() - v * r.height());
  }
  QRectF Span(double m0, double m1, double v0, double v1) const { return QRectF(At(m0, v0), At(m1, v1)).normalized(); }
  double Top() const { return bottom + span; }
  // The part of the plot at or beyond a value: above it, or right of it when time runs down.
  QRectF Beyond(double value) const { return Span(0, minutes, value, Top() + span).intersected(r); }
  QRectF Below(double value) const { return Span(0, minutes, bottom - span, value).intersected(r); }
};

struct Metrics {
  QFont font;
  QFont small;
  double line = 0;
  double smallLine = 0;
};

Metrics MetricsFor(const PageCanvas& canvas, const ReportGraphStyle& style) {
  Metrics m;
  m.font = canvas.Font(ReportFontRole::Body, style.fontScale);
  m.small = canvas.Font(ReportFontRole::Body, style.fontScale * 0.85);
  m.line = canvas.LineHeight(m.font);
  m.smallLine = canvas.LineHeight(m.small);
  return m;
}

QRectF PlotRectFor(const PageCanvas& canvas, const QRectF& area, const ReportGraphStyle& style,
                   const ReportGraphInput* input) {
  if (!style.axes) return area;
  const Metrics m = MetricsFor(canvas, style);
  const double gap = canvas.Pt(3);
  const double levelWidth = canvas.TextWidth(m.font, "-88.88") + gap;
  const double hourWidth = canvas.TextWidth(m.font, style.clock == TimeType::Clock12 ? "10a" : "24");
  if (style.timeDown) {
    // Hour labels on the left; above, the axis caption and the level labels (the zone
    // stands left of the first level label); below, the range-line labels.
    const double zone = canvas.TextWidth(m.font, style.zoneLabel) + canvas.TextWidth(m.font, "-88") / 2 + gap * 2;
    const double left = std::max(hourWidth + canvas.Pt(6), zone);
    return area.adjusted(left, m.line * 2.2 + gap, -canvas.Pt(4), -(m.smallLine + gap));
  }
  const bool sunLine = input && !input->sun.empty();
  const bool moonLine = input && !input->moon.empty();
  // Room above for the unit caption over the level labels, and the sun's labels.
  const double top = std::max(m.line * 1.3, sunLine ? m.smallLine + gap : 0.0);
  const double bottom = m.line + gap * 2 + (moonLine ? m.smallLine : 0);
  return area.adjusted(levelWidth + canvas.Pt(4), top, -hourWidth / 2 - gap, -bottom);
}

void FillNight(const PageCanvas& canvas, const Frame& f, const DaylightSpan& daylight) {
  QPainter& p = canvas.painter();
  const ReportInk& ink = canvas.ink();
  switch (daylight.kind) {
    case DaylightSpan::Kind::AlwaysDown: p.fillRect(f.r, ink.night); return;
    case DaylightSpan::Kind::AlwaysUp:
    case DaylightSpan::Kind::Unknown: p.fillRect(f.r, ink.day); return;
    case DaylightSpan::Kind::Normal: break;
  }
  p.fillRect(f.r, ink.day);
  const int length = static_cast<int>(f.minutes);
  const int rise = std::clamp(daylight.riseMinute, 0, length);
  const int set = std::clamp(daylight.setMinute, 0, length);
  auto night = [&](int from, int to) {
    if (to > from) p.fillRect(f.Span(from, to, f.bottom, f.Top()), ink.night);
  };
  if (rise <= set) {
    night(0, rise);
    night(set, length);
  } else {  // the sun sets before it rises within this day
    night(set, rise);
  }
}

// The defined stretches of the curve, as points.
std::vector<QPolygonF> CurveStretches(const Frame& f, const DayGraphData& data) {
  std::vector<QPolygonF> stretches(1);
  auto add = [&](double minute, int32_t value) {
    if (value == kValueNotDefined) {
      if (!stretches.back().isEmpty()) stretches.emplace_back();
      return;
    }
    stretches.back() << f.At(minute, value);
  };
  if (!data.fine.empty() && data.fineStepMinutes > 0) {
    for (size_t i = 0; i < data.fine.size(); ++i) {
      add(std::min(f.minutes, static_cast<double>(i) * data.fineStepMinutes), data.fine[i]);
    }
  } else {
    for (size_t i = 0; i < data.halfHour.size(); ++i) add(static_cast<double>(i) * 30, data.halfHour[i]);
  }
  std::erase_if(stretches, [](const QPolygonF& s) { return s.size() < 2; });
  return stretches;
}

// Draws `draw` in the normal colours, then again, clipped, beyond the range lines in
// their colours when range shading is on.
template <typename Draw>
void WithRangeColours(const PageCanvas& canvas, const Frame& f, const DayGraphData& data,
                      const ReportGraphStyle& style, Draw draw) {
  QPainter& p = canvas.painter();
  const ReportInk& ink = canvas.ink();
  p.save();
  p.setClipRect(f.r);
  draw(ink.fill, ink.curve);
  if (style.rangeShading && data.high.shown) {
    p.setClipRect(f.Beyond(data.high.value));
    draw(ink.aboveHigh, ink.aboveHigh);
  }
  if (style.rangeShading && data.low.shown) {
    p.setClipRect(f.Below(data.low.value));
    draw(ink.belowLow, ink.belowLow);
  }
  p.restore();
}

void DrawValues(const PageCanvas& canvas, const Frame& f, const DayGraphData& data, const ReportGraphStyle& style) {
  QPainter& p = canvas.painter();
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  if (style.format == ReportFormat::BarGraph) {
    WithRangeColours(canvas, f, data, style, [&](const QColor& fill, const QColor& edge) {
      p.setPen(canvas.Pen(edge, 0.3));
      p.setBrush(fill);
      for (size_t i = 0; i < data.halfHour.size(); ++i) {
        if (data.halfHour[i] == kValueNotDefined) continue;
        const double m = static_cast<double>(i) * 30;
        p.drawRect(f.Span(m, m + 30, 0, data.halfHour[i]));
      }
    });
  } else {
    const std::vector<QPolygonF> stretches = CurveStretches(f, data);
    const bool filled = style.format == ReportFormat::FilledGraph;
    const double width = style.axes ? 1.6 : 0.9;
    WithRangeColours(canvas, f, data, style, [&](const QColor& fill, const QColor& edge) {
      for (const QPolygonF& points : stretches) {
        QPainterPath path = SmoothCurve(points);
        if (filled) {
          const QPointF first = points.first(), last = points.last();
          QPainterPath area = path;
          const QPointF lastBase = f.down ? QPointF(f.At(0, 0).x(), last.y()) : QPointF(last.x(), f.At(0, 0).y());
          const QPointF firstBase = f.down ? QPointF(f.At(0, 0).x(), first.y()) : QPointF(first.x(), f.At(0, 0).y());
          area.lineTo(lastBase);
          area.lineTo(firstBase);
          area.closeSubpath();
          p.setPen(Qt::NoPen);
          p.setBrush(fill);
          p.drawPath(area);
        }
        p.setPen(QPen(edge, canvas.Pt(filled ? width * 0.6 : width), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
      }
    });
  }
  p.restore();
}

// Dotted lines every hour and at every level; on a small strip every six hours only.
void DrawGrid(const PageCanvas& canvas, const Frame& f, const GraphScale& scale, bool small) {
  QPainter& p = canvas.painter();
  p.setPen(canvas.Pen(canvas.ink().grid, small ? 0.3 : 0.4, Qt::DotLine));
  const int every = small ? 6 : 1;
  for (int elapsed = every * 60; elapsed < f.minutes; elapsed += every * 60) {
    p.drawLine(f.At(elapsed, f.bottom), f.At(elapsed, f.Top()));
  }
  if (small) return;
  for (int level = 1; level < kScaleLevels - 1; ++level) {
    const double v = static_cast<double>(scale.bottom + level * scale.step);
    p.drawLine(f.At(0, v), f.At(f.minutes, v));
  }
}

// A text on a light box, so it reads over the curve and the shading.
void BoxedText(const PageCanvas& canvas, const QRectF& box, const QFont& font, const QColor& color,
               const QString& text, int flags = Qt::AlignCenter) {
  canvas.painter().fillRect(box, QColor(255, 255, 255, 215));
  canvas.Text(box, flags, font, color, text);
}

void DrawRangeLines(const PageCanvas& canvas, const Frame& f, const DayGraphData& data, const Metrics& m,
                    const ReportGraphStyle& style) {
  QPainter& p = canvas.painter();
  for (const RangeLine* line : {&data.high, &data.low}) {
    if (!line->shown || line->value < f.bottom || line->value > f.Top()) continue;
    p.setPen(canvas.Pen(canvas.ink().rangeLine, 0.8, Qt::DashLine));
    const QPointF a = f.At(0, line->value), b = f.At(f.minutes, line->value);
    p.drawLine(a, b);
    if (!style.axes || line->label.empty()) continue;
    const QString label = QString::fromStdString(line->label);
    const double w = canvas.TextWidth(m.small, label) + canvas.Pt(4);
    QRectF box;
    if (f.down) {
      // Below the plot, centred on the line; the first line's label keeps to its right.
      box = QRectF(b.x() - w / 2, f.r.bottom() + canvas.Pt(1), w, m.smallLine);
      box.moveLeft(std::clamp(box.left(), f.r.left() - canvas.Pt(20), f.r.right() - w));
    } else {
      const bool above = line == &data.high || line->value + (f.span / 8) < f.Top();
      box = QRectF(b.x() - w - canvas.Pt(2), above ? a.y() - m.smallLine : a.y(), w, m.smallLine);
    }
    BoxedText(canvas, box, m.small, canvas.ink().rangeLine, label);
  }
}

void DrawZeroLine(const PageCanvas& canvas, const Frame& f) {
  if (0 < f.bottom || 0 > f.Top()) return;
  canvas.painter().setPen(canvas.Pen(canvas.ink().text, 0.7));
  canvas.painter().drawLine(f.At(0, 0), f.At(f.minutes, 0));
}

void DrawRiseSetMarks(const PageCanvas& canvas, const Frame& f, const std::vector<ReportMark>& marks,
                      const QColor& color, Qt::PenStyle penStyle, bool atStart, const Metrics& m,
                      const ReportGraphStyle& style) {
  QPainter& p = canvas.painter();
  for (const ReportMark& mark : marks) {
    p.setPen(canvas.Pen(color, 0.7, penStyle));
    const QPointF a = f.At(mark.minuteOfDay, f.bottom), b = f.At(mark.minuteOfDay, f.Top());
    p.drawLine(a, b);
    if (!style.axes || mark.label.isEmpty()) continue;
    const double w = canvas.TextWidth(m.small, mark.label) + canvas.Pt(4);
    QRectF box;
    if (f.down) {
      // Just above the line, at the left (sun) or right (moon) edge of the plot.
      box = QRectF(atStart ? f.r.left() + canvas.Pt(1) : f.r.right() - w - canvas.Pt(1), a.y() - m.smallLine, w,
                   m.smallLine);
    } else {
      // Above the plot (sun) or under the hour labels (moon), beside the line.
      const double y = atStart ? f.r.top() - m.smallLine - canvas.Pt(1) : f.r.bottom() + m.line + canvas.Pt(5);
      box = QRectF(a.x() - w / 2, y, w, m.smallLine);
      box.moveLeft(std::clamp(box.left(), f.r.left() - canvas.Pt(12), f.r.right() - w + canvas.Pt(12)));
    }
    canvas.Text(box, Qt::AlignCenter, m.small, color, mark.label);
  }
}

QColor MarkInk(const ReportInk& ink, const ReportMark& mark) {
  switch (mark.color) {
    case ReportMark::Color::High: return ink.high;
    case ReportMark::Color::Low: return ink.low;
    case ReportMark::Color::Plain: break;
  }
  return ink.text;
}

void DrawExtremes(const PageCanvas& canvas, const Frame& f, const std::vector<ReportMark>& marks, const Metrics& m,
                  const ReportGraphStyle& style) {
  QPainter& p = canvas.painter();
  const ReportInk& ink = canvas.ink();
  const double radius = canvas.Pt(style.axes ? 2.4 : 1.2);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  for (const ReportMark& mark : marks) {
    if (mark.value == kValueNotDefined) continue;
    const QPointF at = f.At(mark.minuteOfDay, mark.value);
    p.setPen(QPen(Qt::white, canvas.Pt(0.6)));
    p.setBrush(MarkInk(ink, mark));
    p.drawEllipse(at, radius, radius);
  }
  p.restore();
  if (!style.axes) return;
  const double pad = canvas.Pt(2);
  for (const ReportMark& mark : marks) {
    if (mark.value == kValueNotDefined) continue;
    const QPointF at = f.At(mark.minuteOfDay, mark.value);
    const QColor color = MarkInk(ink, mark);
    if (f.down || !style.extremeLabels) {
      // One line beside the mark (the time alone when the heights are listed below the
      // graph): right of a high, left of a low, where it fits; across the page, over a
      // high and under a low.
      const QString text = style.extremeLabels ? mark.label + "  " + mark.valueLabel : mark.label;
      const QFont& font = style.extremeLabels ? m.font : m.small;
      const double line = style.extremeLabels ? m.line : m.smallLine;
      const double w = canvas.TextWidth(font, text) + pad * 2;
      if (!f.down) {
        bool above = mark.high;
        if (above && at.y() - radius - line < f.r.top()) above = false;
        if (!above && at.y() + radius + line > f.r.bottom()) above = true;
        QRectF box(at.x() - w / 2, above ? at.y() - radius - pad - line : at.y() + radius + pad, w, line);
        box.moveLeft(std::clamp(box.left(), f.r.left(), f.r.right() - w));
        BoxedText(canvas, box, font, color, text);
        continue;
      }
      bool right = mark.high;
      if (right && at.x() + radius + w > f.r.right()) right = false;
      if (!right && at.x() - radius - w < f.r.left()) right = true;
      QRectF box(right ? at.x() + radius + pad : at.x() - radius - pad - w, at.y() - line / 2, w, line);
      box.moveTop(std::clamp(box.top(), f.r.top(), f.r.bottom() - line));
      BoxedText(canvas, box, font, color, text);
    } else {
      // Two lines over a high, under a low, where they fit.
      const double w = std::max(canvas.TextWidth(m.font, mark.label), canvas.TextWidth(m.font, mark.valueLabel)) + pad * 2;
      const double h = m.line * 2;
      bool above = mark.high;
      if (above && at.y() - radius - h < f.r.top()) above = false;
      if (!above && at.y() + radius + h > f.r.bottom()) above = true;
      QRectF box(at.x() - w / 2, above ? at.y() - radius - pad - h : at.y() + radius + pad, w, h);
      box.moveLeft(std::clamp(box.left(), f.r.left(), f.r.right() - w));
      box.moveTop(std::clamp(box.top(), f.r.top(), f.r.bottom() - h));
      canvas.painter().fillRect(box, QColor(255, 255, 255, 215));
      canvas.Text(QRectF(box.left(), box.top(), w, m.line), Qt::AlignCenter, m.font, color, mark.label);
      canvas.Text(QRectF(box.left(), box.top() + m.line, w, m.line), Qt::AlignCenter, m.font, color, mark.valueLabel);
    }
  }
}

void DrawAxes(const PageCanvas& canvas, const Frame& f, const GraphScale& scale, const DayGraphData& data,
              const Metrics& m, const ReportGraphStyle& style) {
  QPainter& p = canvas.painter();
  const ReportInk& ink = canvas.ink();
  const double tick = canvas.Pt(3);
  const double gap = canvas.Pt(2);
  p.setPen(canvas.Pen(ink.text, 0.5));

  // Hour ticks and labels, thinned to every 2, 3 or 6 hours when they would crowd.
  const double hourPitch = (f.down ? f.r.height() : f.r.width()) * 60.0 / f.minutes;
  const double needed = f.down ? m.line * 1.1 : canvas.TextWidth(m.font, style.clock == TimeType::Clock12 ? "10a" : "24") + gap * 2;
  int every = 6;
  for (int candidate : {1, 2, 3, 6}) {
    if (hourPitch * candidate >= needed) {
      every = candidate;
      break;
    }
  }
  // A tick every hour of elapsed time, labelled with the hour the clock shows then.
  std::vector<HourTick> ticks = data.hourTicks;
  if (ticks.empty()) {
    for (int hour = 0; hour * 60 <= f.minutes; ++hour) ticks.push_back({hour * 60, hour});
  }
  for (size_t i = 0; i < ticks.size(); ++i) {
    const int hour = ticks[i].hour;
    const QPointF at = f.At(ticks[i].elapsed, f.bottom);
    p.setPen(canvas.Pen(ink.text, 0.5));
    if (f.down) {
      p.drawLine(QPointF(at.x() - tick, at.y()), at);
    } else {
      p.drawLine(at, QPointF(at.x(), at.y() + tick));
    }
    if (static_cast<int>(i) % every != 0) continue;
    const QString label = QString::fromStdString(HourLabel(hour, style.clock));
    if (f.down) {
      canvas.Text(QRectF(f.r.left() - tick - gap - canvas.In(1), at.y() - m.line / 2, canvas.In(1), m.line),
                  Qt::AlignRight | Qt::AlignVCenter, m.font, ink.text, label);
    } else {
      const double w = canvas.TextWidth(m.font, label) + gap * 2;
      canvas.Text(QRectF(at.x() - w / 2, at.y() + tick, w, m.line), Qt::AlignCenter, m.font, ink.text, label);
    }
  }

  // Level ticks and labels, thinned when the labels would touch.
  const double levelPitch = (f.down ? f.r.width() : f.r.height()) / 8.0;
  const double widest = canvas.TextWidth(m.font, LevelText(scale.Top(), scale.step, data.scaleUnit)) + gap * 3;
  const double levelNeeded = f.down ? widest : m.line;
  int levelEvery = 1;
  if (levelNeeded > 2 * levelPitch) {
    levelEvery = 4;
  } else if (levelNeeded > levelPitch) {
    levelEvery = 2;
  }
  for (int level = 0; level < kScaleLevels; ++level) {
    const double v = static_cast<double>(scale.bottom + level * scale.step);
    const QPointF at = f.At(0, v);
    p.setPen(canvas.Pen(ink.text, 0.5));
    if (f.down) {
      p.drawLine(at, QPointF(at.x(), at.y() - tick));
    } else {
      p.drawLine(QPointF(at.x() - tick, at.y()), at);
    }
    if (level % levelEvery != 0) continue;
    const QString label = LevelText(scale.bottom + level * scale.step, scale.step, data.scaleUnit);
    if (f.down) {
      const double w = canvas.TextWidth(m.font, label) + gap * 2;
      canvas.Text(QRectF(at.x() - w / 2, at.y() - tick - m.line, w, m.line), Qt::AlignCenter, m.font, ink.text, label);
    } else {
      canvas.Text(QRectF(at.x() - tick - gap - canvas.In(1), at.y() - m.line / 2, canvas.In(1), m.line),
                  Qt::AlignRight | Qt::AlignVCenter, m.font, ink.text, label);
    }
  }

  // Captions: the unit beside the value labels, the zone beside the hour labels.
  const QString unit = QString::fromStdString(data.unitName);
  if (f.down) {
    const double levelsTop = f.r.top() - tick - m.line;
    canvas.Text(QRectF(f.r.left(), levelsTop - m.line * 1.1, f.r.width(), m.line), Qt::AlignCenter, m.font, ink.faint,
                style.valueCaption + " (" + unit + ")");
    const double firstLabel = canvas.TextWidth(m.font, LevelText(scale.bottom, scale.step, data.scaleUnit)) / 2;
    canvas.Text(QRectF(f.r.left() - canvas.In(1), levelsTop, canvas.In(1) - firstLabel - gap * 2, m.line),
                Qt::AlignRight | Qt::AlignVCenter, m.font, ink.faint, style.zoneLabel);
  } else {
    canvas.Text(QRectF(f.r.left() - canvas.In(1), f.r.top() - m.line * 1.2, canvas.In(1) - tick - gap, m.line),
                Qt::AlignRight | Qt::AlignVCenter, m.font, ink.faint, unit);
    if (!style.zoneLabel.isEmpty()) {
      canvas.Text(QRectF(f.r.left() - canvas.In(1), f.r.bottom() + tick, canvas.In(1) - tick - gap * 4, m.line),
                  Qt::AlignRight | Qt::AlignVCenter, m.font, ink.faint, style.zoneLabel);
    }
  }
}

}  // namespace

QString LevelText(int64_t value, int64_t step, int32_t scaleUnit) {
  int decimals = 2;
  if (step % scaleUnit == 0) {
    decimals = 0;
  } else if (step % (scaleUnit / 10) == 0) {
    decimals = 1;
  }
  return QString::number(static_cast<double>(value) / scaleUnit, 'f', decimals);
}

std::optional<GraphScale> SharedScale(const std::vector<const DayGraphData*>& days, bool withRangeLines) {
  if (days.empty()) return std::nullopt;
  int64_t low = 0, high = 0;
  bool any = false;
  for (const DayGraphData* d : days) {
    int64_t dayLow = d->minimum, dayHigh = d->maximum;
    if (withRangeLines && d->high.shown) dayHigh = std::max<int64_t>(dayHigh, d->high.value);
    if (withRangeLines && d->low.shown) dayLow = std::min<int64_t>(dayLow, d->low.value);
    low = any ? std::min(low, dayLow) : dayLow;
    high = any ? std::max(high, dayHigh) : dayHigh;
    any = true;
  }
  return ChooseGraphScale(low, high, days.front()->scaleUnit);
}

QRectF ReportPlotRect(const PageCanvas& canvas, const QRectF& area, const ReportGraphStyle& style) {
  return PlotRectFor(canvas, area, style, nullptr);
}

bool DrawReportGraph(const PageCanvas& canvas, const QRectF& area, const ReportGraphInput& input,
                     const ReportGraphStyle& style) {
  const DayGraphData& data = *input.data;
  std::optional<GraphScale> scale = input.scale;
  if (!scale) {
    DayGraphData widened = data;
    if (!style.rangeLines) widened.high.shown = widened.low.shown = false;
    scale = DayGraphScale(widened);
  }
  if (!scale || scale->step <= 0) return false;

  QPainter& p = canvas.painter();
  p.save();
  const Metrics m = MetricsFor(canvas, style);
  Frame f;
  f.r = PlotRectFor(canvas, area, style, &input);
  f.down = style.timeDown;
  f.bottom = static_cast<double>(scale->bottom);
  f.span = static_cast<double>(8 * scale->step);
  f.minutes = std::max(30, data.minutes);

  if (style.nightShading) {
    FillNight(canvas, f, data.daylight);
  } else {
    p.fillRect(f.r, canvas.ink().day);
  }
  if (style.grid) DrawGrid(canvas, f, *scale, !style.axes);
  DrawValues(canvas, f, data, style);
  DrawZeroLine(canvas, f);
  if (style.rangeLines) DrawRangeLines(canvas, f, data, m, style);
  DrawRiseSetMarks(canvas, f, input.sun, canvas.ink().sun, Qt::DashLine, true, m, style);
  DrawRiseSetMarks(canvas, f, input.moon, canvas.ink().moon, Qt::DotLine, false, m, style);
  if (style.extremeMarks) DrawExtremes(canvas, f, input.extremes, m, style);

  p.setPen(canvas.Pen(canvas.ink().rule, style.axes ? 0.8 : 0.4));
  p.setBrush(Qt::NoBrush);
  p.drawRect(f.r);
  if (style.axes) DrawAxes(canvas, f, *scale, data, m, style);
  p.restore();
  return true;
}

}  // namespace qw
