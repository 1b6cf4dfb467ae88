#include "present/day_graph.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "engine/engine_values.h"
#include "present/color_ref.h"

namespace qw {
namespace {

int32_t Defined(int32_t value) { return value == kValueNotDefined ? 0 : value; }

// The present moment's line and reading: a strong red that reads over the day and night
// shades and the bars of every scheme.
const QColor kNowColor(200, 0, 40);

// Device pixels for a length given in screen pixels (96 per inch).
struct DeviceScale {
  double factor = 1.0;
  int operator()(double screenPixels) const { return std::max(1, static_cast<int>(std::lround(screenPixels * factor))); }
};

// The label of a level: the value with as many decimals as the step needs, and the unit.
QString LevelLabel(int64_t value, int64_t step, int32_t scaleUnit, const std::string& unit) {
  int decimals = 2;
  if (step % scaleUnit == 0) {
    decimals = 0;
  } else if (step % (scaleUnit / 10) == 0) {
    decimals = 1;
  }
  return QString::number(static_cast<double>(value) / scaleUnit, 'f', decimals) + " " + QString::fromStdString(unit);
}

struct Plot {
  QRect rect;           // the plotting area
  int spacing = 1;      // pixels between levels
  int zeroY = 0;        // the level of value 0
  int bottomY = 0;      // the lowest level
  GraphScale scale;
  int minutes = 1440;   // the date's length: the width stands for this many minutes

  int X(int elapsed) const { return rect.left() + elapsed * rect.width() / std::max(1, minutes); }
  // Pixels above (negative: below) the zero line for a value, as the bars measure it.
  int Y(int64_t value) const { return zeroY - BarLength(value, scale.step, spacing); }
  int LevelY(int level) const { return bottomY - level * spacing; }
  // The value a row of pixels stands for (the inverse of Y).
  int64_t ValueAtY(int y) const { return int64_t{zeroY - y} * (scale.step / std::max(1, spacing) + 1); }
};

void FillDaylight(QPainter& painter, const Plot& plot, const DaylightSpan& daylight, const ColorScheme& colors) {
  const QColor day = ToQColor(colors.dayLight);
  const QColor night = ToQColor(colors.nightTime);
  const QRect& r = plot.rect;
  switch (daylight.kind) {
    case DaylightSpan::Kind::AlwaysUp:
    case DaylightSpan::Kind::Unknown:
      painter.fillRect(r, day);
      return;
    case DaylightSpan::Kind::AlwaysDown:
      painter.fillRect(r, night);
      return;
    case DaylightSpan::Kind::Normal:
      break;
  }
  painter.fillRect(r, night);
  const int rise = std::clamp(daylight.riseMinute, 0, plot.minutes);
  const int set = std::clamp(daylight.setMinute, 0, plot.minutes);
  auto span = [&](int from, int to) {
    if (to > from) painter.fillRect(QRect(QPoint(plot.X(from), r.top()), QPoint(plot.X(to), r.bottom())), day);
  };
  if (rise <= set) {
    span(rise, set);
  } else {  // the sun sets before it rises within this day
    span(0, set);
    span(rise, plot.minutes);
  }
}

QColor BarColor(int32_t value, const DayGraphData& data, const ColorScheme& colors) {
  if (data.low.shown && value < data.low.value) return ToQColor(colors.belowLowRange);
  if (data.high.shown && value >= data.high.value) return ToQColor(colors.aboveHighRange);
  if (data.twoWay && value < 0) return EbbShade(ToQColor(colors.normalBar));
  return ToQColor(colors.normalBar);
}

void DrawBars(QPainter& painter, const Plot& plot, const DayGraphData& data, const ColorScheme& colors) {
  const std::vector<BarSpan> spans = BarSpans(plot.rect.width(), plot.minutes);
  for (size_t i = 0; i < spans.size() && i < data.halfHour.size(); ++i) {
    const int32_t value = Defined(data.halfHour[i]);
    const int top = plot.Y(value);
    const int left = plot.rect.left() + spans[i].left;
    const int right = plot.rect.left() + spans[i].right;
    const QColor color = BarColor(value, data, colors);
    if (top != plot.zeroY) {
      painter.fillRect(QRect(QPoint(left, std::min(top, plot.zeroY)), QPoint(right, std::max(top, plot.zeroY))), color);
    }
    if (i > 0) {
      painter.setPen(QPen(color.darker(150), 0));
      painter.drawLine(left, plot.zeroY, left, top);
    }
  }
}

// The day's curve as points from the date's start to its end.
QPolygonF CurvePoints(const Plot& plot, const DayGraphData& data) {
  QPolygonF points;
  if (!data.fine.empty() && data.fineStepMinutes > 0) {
    for (size_t i = 0; i < data.fine.size(); ++i) {
      const int minute = std::min(plot.minutes, static_cast<int>(i) * data.fineStepMinutes);
      points << QPointF(plot.X(minute), plot.Y(Defined(data.fine[i])));
    }
  } else {
    for (size_t i = 0; i < data.halfHour.size(); ++i) {
      points << QPointF(plot.X(static_cast<int>(i) * 30), plot.Y(Defined(data.halfHour[i])));
    }
  }
  return points;
}

// Draws `draw` once per horizontal band of one colour: the bands are cut at the range
// lines and, for a reversing current, at the zero line, and each takes the colour a bar
// of a value inside it would have. The bands do not overlap, so a line drawn in several
// colours shows no edge of another colour beneath it.
template <typename Draw>
void InRangeColors(QPainter& painter, const Plot& plot, const DayGraphData& data, const ColorScheme& colors, Draw draw) {
  const int top = plot.rect.top();
  const int end = plot.rect.bottom() + 1;
  std::vector<int> cuts = {top, end};
  // A line's own row belongs to the band above it (at or above the high value; the low
  // value and zero are not below themselves).
  if (data.high.shown) cuts.push_back(plot.Y(data.high.value) + 1);
  if (data.low.shown) cuts.push_back(plot.Y(data.low.value) + 1);
  if (data.twoWay) cuts.push_back(plot.zeroY + 1);
  for (int& cut : cuts) cut = std::clamp(cut, top, end);
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
  painter.save();
  for (size_t i = 0; i + 1 < cuts.size(); ++i) {
    const int first = cuts[i], last = cuts[i + 1] - 1;
    painter.setClipRect(QRect(QPoint(plot.rect.left(), first), QPoint(plot.rect.right(), last)));
    draw(BarColor(static_cast<int32_t>(plot.ValueAtY((first + last) / 2)), data, colors));
  }
  painter.restore();
}

void DrawFilled(QPainter& painter, const Plot& plot, const DayGraphData& data, const ColorScheme& colors) {
  QPolygonF points = CurvePoints(plot, data);
  QPolygonF area;
  area << QPointF(points.first().x(), plot.zeroY) << points << QPointF(points.last().x(), plot.zeroY);
  InRangeColors(painter, plot, data, colors, [&](const QColor& color) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPolygon(area);
  });
}

void DrawSmooth(QPainter& painter, const Plot& plot, const DayGraphData& data, const ColorScheme& colors,
                const DeviceScale& px) {
  const QPainterPath path = SmoothCurve(CurvePoints(plot, data));
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  InRangeColors(painter, plot, data, colors, [&](const QColor& color) {
    painter.setPen(QPen(color, px(2.5), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
  });
  painter.restore();
}

// Slack marks: a small white diamond with a dark outline, readable on any colour.
void DrawMarks(QPainter& painter, const Plot& plot, const DayGraphData& data, const DeviceScale& px) {
  if (data.marks.empty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(40, 40, 40), px(1)));
  painter.setBrush(Qt::white);
  const double r = px(4.5);
  for (const GraphMark& mark : data.marks) {
    if (mark.minute < 0 || mark.minute > plot.minutes) continue;
    const QPointF c(plot.X(mark.minute), plot.Y(mark.value));
    const QPointF diamond[] = {c + QPointF(0, -r), c + QPointF(r, 0), c + QPointF(0, r), c + QPointF(-r, 0)};
    painter.drawPolygon(diamond, 4);
  }
  painter.restore();
}

// "Flood" above and "Ebb" below the zero line, at the left edge of the plot. The boxes
// drawn are added to `labels`.
void DrawFlowCaptions(QPainter& painter, const Plot& plot, const QFontMetrics& metrics, const DeviceScale& px,
                      std::vector<QRect>& labels) {
  const int textHeight = metrics.height();
  const int pad = px(3);
  auto caption = [&](const QString& text, int y) {
    const QRect box(plot.rect.left() + pad, y, metrics.horizontalAdvance(text) + 2 * pad, textHeight);
    if (box.top() < plot.rect.top() || box.bottom() > plot.rect.bottom()) return;
    painter.fillRect(box, QColor(255, 255, 255, 200));
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, text);
    labels.push_back(box);
  };
  caption("Flood", plot.zeroY - textHeight - pad);
  caption("Ebb", plot.zeroY + pad + 1);
}

// The present moment: a thin line across the plot at its minute, a dot where it meets the
// curve, and the reading on a light box beside the line, placed where it hides none of
// the graph's other labels (`labels`) nor the dot.
void DrawNow(QPainter& painter, const Plot& plot, const NowMark& now, const QFontMetrics& metrics,
             const DeviceScale& px, const std::vector<QRect>& labels) {
  if (now.minute < 0 || now.minute > plot.minutes) return;
  const int x = plot.X(now.minute);
  const bool dot = now.value != kValueNotDefined;
  const QPoint point(x, dot ? std::clamp(plot.Y(now.value), plot.rect.top(), plot.rect.bottom()) : 0);
  painter.save();
  painter.setPen(QPen(kNowColor, px(1)));
  painter.drawLine(x, plot.rect.top() + 1, x, plot.rect.bottom() - 1);
  if (dot) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(kNowColor);
    painter.setPen(QPen(Qt::white, px(1)));
    const double r = px(3.5);
    painter.drawEllipse(QPointF(point), r, r);
  }
  if (now.label.empty()) {
    painter.restore();
    return;
  }
  const QString text = QString::fromStdString(now.label);
  const int width = metrics.horizontalAdvance(text) + px(6);
  const int height = metrics.height();
  const int gap = px(3);
  const QRect dotArea = dot ? QRect(point, point).adjusted(-px(5), -px(5), px(5), px(5)) : QRect();
  const int top = plot.rect.top() + px(2);
  const int bottom = plot.rect.bottom() - px(2) - height + 1;
  const int middle = plot.rect.top() + plot.rect.height() / 2 - height / 2;
  // Beside the line at the top, then at the bottom, then halfway; right of it first. The
  // first place that hides nothing, else the first inside the plot.
  const auto place = [&] {
    QRect inside;
    for (const int y : {top, bottom, middle}) {
      for (const int left : {x + gap, x - gap - width}) {
        const QRect box(left, y, width, height);
        if (!plot.rect.contains(box)) continue;
        const bool hides = box.intersects(dotArea) ||
                           std::any_of(labels.begin(), labels.end(), [&](const QRect& r) { return box.intersects(r); });
        if (!hides) return box;
        if (inside.isNull()) inside = box;
      }
    }
    return inside;
  };
  const QRect chosen = place();
  if (!chosen.isNull()) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(chosen, QColor(255, 255, 255, 220));
    painter.setPen(kNowColor);
    painter.drawText(chosen, Qt::AlignCenter, text);
  }
  painter.restore();
}

}  // namespace

QColor EbbShade(const QColor& normal) {
  // Halfway to white: a reversing current's two directions read apart at a glance and
  // both stay in the scheme's colour.
  return QColor((normal.red() + 255) / 2, (normal.green() + 255) / 2, (normal.blue() + 255) / 2);
}

std::string HourLabel(int hour, TimeType clock) {
  if (clock == TimeType::Clock24) return std::to_string(hour);
  if (hour == 0 || hour == 24) return "MN";
  if (hour == 12) return "NN";
  return hour < 12 ? std::to_string(hour) + "a" : std::to_string(hour - 12) + "p";
}

std::vector<BarSpan> BarSpans(int graphWidth, int minutes) {
  const int count = std::max(0, minutes / 30);
  std::vector<BarSpan> spans(static_cast<size_t>(count));
  const int64_t pixels = std::max(0, graphWidth - 1);
  int previousRight = -1;
  for (int i = 0; i < count; ++i) {
    // Bar i ends where the next half hour begins (the last at the graph's right edge).
    const int right = static_cast<int>(int64_t{i + 1} * 30 * pixels / std::max(1, minutes));
    spans[static_cast<size_t>(i)] = {previousRight + 1, std::max(previousRight + 1, right)};
    previousRight = spans[static_cast<size_t>(i)].right;
  }
  return spans;
}

int BarLength(int64_t value, int64_t step, int levelSpacing) {
  const int64_t perPixel = step / std::max(1, levelSpacing) + 1;
  return static_cast<int>(value / perPixel);
}

QPainterPath SmoothCurve(const QPolygonF& points) {
  QPainterPath path;
  path.moveTo(points.first());
  for (qsizetype i = 0; i + 1 < points.size(); ++i) {
    const QPointF p0 = points[std::max<qsizetype>(0, i - 1)];
    const QPointF p1 = points[i];
    const QPointF p2 = points[i + 1];
    const QPointF p3 = points[std::min(points.size() - 1, i + 2)];
    path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
  }
  return path;
}

std::optional<GraphScale> DayGraphScale(const DayGraphData& data) {
  int64_t low = data.minimum;
  int64_t high = data.maximum;
  if (data.high.shown) high = std::max<int64_t>(high, data.high.value);
  if (data.low.shown) low = std::min<int64_t>(low, data.low.value);
  return ChooseGraphScale(low, high, data.scaleUnit);
}

bool DrawDayGraph(QPainter& painter, const QRect& area, const DayGraphData& data, const DayGraphStyle& style,
                  const NowMark* now) {
  painter.save();
  const DeviceScale px{painter.device() ? painter.device()->logicalDpiY() / 96.0 : 1.0};
  painter.setFont(style.font);
  const QFontMetrics metrics(style.font, painter.device());
  const std::optional<GraphScale> scale = DayGraphScale(data);
  if (!scale || area.width() < px(48) || area.height() < px(40)) {
    painter.restore();
    return scale.has_value();
  }

  // Level labels decide the left margin.
  QStringList levelLabels;
  int labelWidth = 0;
  for (int level = 0; level < kScaleLevels; ++level) {
    levelLabels << LevelLabel(scale->bottom + level * scale->step, scale->step, data.scaleUnit, data.unitName);
    labelWidth = std::max(labelWidth, metrics.horizontalAdvance(levelLabels.back()));
  }
  const int textHeight = metrics.height();
  const int hourLabelWidth = metrics.horizontalAdvance(style.clock == TimeType::Clock12 ? "10a" : "24");
  const QString timeLabel = "Time->";
  const int timeWidth = metrics.horizontalAdvance(timeLabel);
  const int leftMargin = std::max(labelWidth + px(10), timeWidth + hourLabelWidth / 2 + px(8));
  Plot plot;
  plot.scale = *scale;
  plot.minutes = std::max(30, data.minutes);
  if (style.compact) {
    plot.rect = area.adjusted(px(2), px(2), -px(2), -px(2));
  } else {
    plot.rect = area.adjusted(leftMargin, textHeight / 2 + px(4), -(hourLabelWidth / 2 + px(6)),
                              -(textHeight + px(8)));
  }
  if (plot.rect.width() < px(24) || plot.rect.height() < px(16)) {
    painter.restore();
    return true;
  }
  // A whole number of pixels per hour (per half hour on a date whose length is not whole
  // hours), so bars, ticks and event times line up.
  const int columns = plot.minutes % 60 == 0 ? plot.minutes / 60 : plot.minutes / 30;
  plot.rect.setWidth(columns * ((plot.rect.width() - 1) / columns) + 1);
  std::vector<HourTick> ticks = data.hourTicks;
  if (ticks.empty()) {
    for (int hour = 0; hour * 60 <= plot.minutes; ++hour) ticks.push_back({hour * 60, hour});
  }
  plot.spacing = std::max(1, plot.rect.height() / 8);
  plot.bottomY = plot.rect.top() + 8 * plot.spacing;
  plot.rect.setBottom(plot.bottomY);
  plot.zeroY = plot.LevelY(static_cast<int>(-scale->bottom / scale->step));

  FillDaylight(painter, plot, data.daylight, style.colors);

  switch (style.style) {
    case GraphStyle::Bars: DrawBars(painter, plot, data, style.colors); break;
    case GraphStyle::Filled: DrawFilled(painter, plot, data, style.colors); break;
    case GraphStyle::Smooth: DrawSmooth(painter, plot, data, style.colors, px); break;
  }

  // Grid: dotted, every two hours and at every level.
  if (style.grid) {
    painter.setPen(QPen(ToQColor(style.colors.grid), 0, Qt::DotLine));
    for (size_t i = 2; i + 1 < ticks.size(); i += 2) {
      const int x = plot.X(ticks[i].elapsed);
      painter.drawLine(x, plot.rect.top(), x, plot.rect.bottom());
    }
    for (int level = 1; level < kScaleLevels; ++level) {
      painter.drawLine(plot.rect.left(), plot.LevelY(level), plot.rect.right(), plot.LevelY(level));
    }
  }

  // Zero line, then the range lines with their labels.
  painter.setPen(QPen(Qt::black, px(1)));
  painter.drawLine(plot.rect.left(), plot.zeroY, plot.rect.right(), plot.zeroY);
  std::vector<QRect> labels;  // the texts drawn over the plot, kept clear of the present's reading
  if (data.twoWay && !style.compact) DrawFlowCaptions(painter, plot, metrics, px, labels);
  const QColor rangeColor = ToQColor(style.colors.rangeLine);
  for (const RangeLine* line : {&data.high, &data.low}) {
    if (!line->shown) continue;
    const int y = plot.Y(line->value);
    if (y < plot.rect.top() || y > plot.rect.bottom()) continue;
    painter.setPen(QPen(rangeColor, px(1)));
    painter.drawLine(plot.rect.left(), y, plot.rect.right(), y);
    if (!style.compact && !line->label.empty()) {
      const QString label = QString::fromStdString(line->label);
      const int width = metrics.horizontalAdvance(label);
      // On a light box, so the label reads over bars of the line's own colour.
      const QRect box(plot.rect.right() - width - px(8), y - textHeight - px(1), width + px(6), textHeight);
      painter.fillRect(box, QColor(255, 255, 255, 200));
      painter.setPen(rangeColor);
      painter.drawText(box, Qt::AlignCenter, label);
      labels.push_back(box);
    }
  }

  if (!style.compact) DrawMarks(painter, plot, data, px);

  // A date the clocks change says so at the top left, on a light box like the range labels.
  if (!style.compact && !data.changeNote.empty()) {
    const QString note = QString::fromStdString(data.changeNote);
    const int width = std::min(metrics.horizontalAdvance(note) + px(6), plot.rect.width() - px(4));
    const QRect box(plot.rect.left() + px(2), plot.rect.top() + px(2), width, textHeight);
    painter.fillRect(box, QColor(255, 255, 255, 220));
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, note);
    labels.push_back(box);
  }
  if (now && !style.compact) DrawNow(painter, plot, *now, metrics, px, labels);

  // Frame and axes.
  painter.setPen(QPen(Qt::black, px(1)));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plot.rect);
  if (!style.compact) {
    // Vertical axis: nine levels, labels thinned when the text is taller than the spacing.
    int every = 1;
    if (textHeight > 2 * plot.spacing) {
      every = 4;
    } else if (textHeight > plot.spacing) {
      every = 2;
    }
    for (int level = 0; level < kScaleLevels; ++level) {
      const int y = plot.LevelY(level);
      painter.drawLine(plot.rect.left() - px(4), y, plot.rect.left(), y);
      if (level % every != 0) continue;
      const QRect box(area.left(), y - textHeight / 2, plot.rect.left() - px(6) - area.left(), textHeight);
      painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, levelLabels[level]);
    }
    // Time axis: a tick every hour of elapsed time (24, 23 or 25 of them), labelled with
    // the hour the clock shows then; labels thinned when a column is narrower than a label.
    const double column = plot.rect.width() * 60.0 / plot.minutes;
    const int needed = hourLabelWidth + px(4);
    int labelEvery = 1;
    for (int candidate : {1, 2, 3, 6}) {
      labelEvery = candidate;
      if (column * candidate >= needed) break;
    }
    const int tickBottom = plot.rect.bottom() + px(4);
    for (size_t i = 0; i < ticks.size(); ++i) {
      const int x = plot.X(ticks[i].elapsed);
      painter.drawLine(x, plot.rect.bottom(), x, tickBottom);
      if (static_cast<int>(i) % labelEvery != 0) continue;
      const QString label = QString::fromStdString(HourLabel(ticks[i].hour, style.clock));
      const int width = metrics.horizontalAdvance(label);
      painter.drawText(QRect(x - width / 2 - px(2), tickBottom, width + px(4), textHeight), Qt::AlignCenter, label);
    }
    const int timeRight = plot.rect.left() - hourLabelWidth / 2 - px(4);
    if (timeRight - timeWidth >= area.left()) {
      painter.drawText(QRect(timeRight - timeWidth, tickBottom, timeWidth, textHeight), Qt::AlignRight, timeLabel);
    }
  }
  painter.restore();
  return true;
}

}  // namespace qw
