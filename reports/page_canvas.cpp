#include "reports/page_canvas.h"

#include <QFontMetricsF>
#include <algorithm>

#include "present/color_ref.h"

namespace qw {
namespace {

// A colour mixed with white: `keep` of the colour, the rest white.
QColor Lighten(const QColor& color, double keep) {
  auto mix = [keep](int c) { return static_cast<int>(c * keep + 255 * (1.0 - keep) + 0.5); };
  return QColor(mix(color.red()), mix(color.green()), mix(color.blue()));
}

const ReportFont& FontOf(ReportFontRole role, const ReportOptions& options) {
  switch (role) {
    case ReportFontRole::Date: return options.dateFont;
    case ReportFontRole::Title: return options.titleFont;
    case ReportFontRole::Body: break;
  }
  return options.reportFont;
}

bool AutoSized(ReportFontRole role, const ReportOptions& options) {
  switch (role) {
    case ReportFontRole::Date: return options.autoSizeDateFont;
    case ReportFontRole::Title: return options.autoSizeTitleFont;
    case ReportFontRole::Body: break;
  }
  return options.autoSizeReportFont;
}

}  // namespace

ReportInk MakeReportInk(bool useColor, const ColorScheme& scheme) {
  ReportInk ink;
  if (!useColor) return ink;
  ink.color = true;
  ink.high = QColor(0, 0, 128);  // dark blue, as the window writes "High"
  ink.low = QColor(128, 0, 0);   // dark red
  ink.curve = ToQColor(scheme.normalBar).darker(130);
  ink.fill = Lighten(ToQColor(scheme.normalBar), 0.55);
  ink.aboveHigh = ToQColor(scheme.aboveHighRange);
  ink.belowLow = ToQColor(scheme.belowLowRange);
  ink.day = Lighten(ToQColor(scheme.dayLight), 0.35);
  ink.night = Lighten(ToQColor(scheme.nightTime), 0.4);
  ink.grid = ToQColor(scheme.grid);
  ink.rangeLine = ToQColor(scheme.rangeLine);
  ink.sun = QColor(200, 120, 0);
  ink.moon = QColor(60, 60, 140);
  return ink;
}

double ReportFontPoints(ReportFontRole role, const ReportOptions& options, double pageShortSideInches) {
  if (!AutoSized(role, options)) return FontOf(role, options).pointSize / 10.0;
  double base = 8.5;
  if (role == ReportFontRole::Title) base = 15.0;
  if (role == ReportFontRole::Date) base = 13.0;
  const double factor = std::clamp(pageShortSideInches / 7.5, 0.5, 1.5);
  return base * factor;
}

PageCanvas::PageCanvas(QPainter& painter, const QRectF& page, double dpi, const ReportOptions& options,
                       const ReportInk& ink)
    : painter_(painter), page_(page), dpi_(dpi), options_(options), ink_(ink) {}

QFont PageCanvas::Font(ReportFontRole role, double scale, bool bold) const {
  const ReportFont& stored = FontOf(role, options_);
  QFont font(QString::fromStdString(stored.faceName));
  font.setStyleHint(role == ReportFontRole::Date ? QFont::Serif : QFont::SansSerif);
  const double shortSide = std::min(page_.width(), page_.height()) / dpi_;
  font.setPointSizeF(std::max(3.0, ReportFontPoints(role, options_, shortSide) * scale));
  const int weight = stored.weight <= 0 ? 400 : std::clamp(stored.weight, 100, 900);
  font.setWeight(static_cast<QFont::Weight>(bold ? std::max(weight, 700) : weight));
  font.setItalic(stored.italic != 0);
  return font;
}

double PageCanvas::LineHeight(const QFont& font) const {
  return QFontMetricsF(font, painter_.device()).height();
}

double PageCanvas::TextWidth(const QFont& font, const QString& text) const {
  return QFontMetricsF(font, painter_.device()).horizontalAdvance(text);
}

void PageCanvas::Text(const QRectF& box, int flags, const QFont& font, const QColor& color,
                      const QString& text) const {
  painter_.setFont(font);
  painter_.setPen(color);
  const QFontMetricsF metrics(font, painter_.device());
  QString shown = text;
  if (metrics.horizontalAdvance(text) > box.width()) {
    shown = metrics.elidedText(text, Qt::ElideRight, box.width());
  }
  painter_.drawText(box, flags | Qt::TextSingleLine, shown);
}

QPen PageCanvas::Pen(const QColor& color, double points, Qt::PenStyle style) const {
  QPen pen(color, std::max(1.0, Pt(points)), style);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

}  // namespace qw
