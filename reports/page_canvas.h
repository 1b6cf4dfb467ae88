// What every report page is drawn with: the painter, the printable rectangle, lengths
// in points and inches converted to the device's pixels (a printed page has 1200 per
// inch, a preview fewer), the three report fonts and the ink colours.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "reports/report_options.h"
#include "settings/app_settings.h"

namespace qw {

// The colours a report prints with. In black and white the day is white, the night a
// light grey and the curve a dark grey; in colour the scheme's colours, with the day
// and night shading lightened so that text and curve stay readable on paper.
struct ReportInk {
  QColor text = Qt::black;
  QColor faint{90, 90, 90};       // secondary texts
  QColor rule{120, 120, 120};     // frames and rules
  QColor high = Qt::black;        // "High" texts and markers
  QColor low = Qt::black;         // "Low" texts and markers
  QColor curve{40, 40, 40};       // the smooth line, the bar and fill outline
  QColor fill{150, 150, 150};     // bars and the filled area
  QColor aboveHigh{60, 60, 60};   // values at or above the high range line (range shading)
  QColor belowLow{60, 60, 60};    // values below the low range line
  QColor day = Qt::white;
  QColor night{222, 222, 222};
  QColor grid{175, 175, 175};
  QColor rangeLine = Qt::black;
  QColor sun{150, 110, 0};        // sunrise and sunset marks
  QColor moon{70, 70, 110};       // moonrise and moonset marks
  bool color = false;
};

ReportInk MakeReportInk(bool useColor, const ColorScheme& scheme);

// Which of the three report fonts.
enum class ReportFontRole { Date, Title, Body };

class PageCanvas {
 public:
  // `page` is the printable rectangle in device pixels; `dpi` the device's resolution.
  PageCanvas(QPainter& painter, const QRectF& page, double dpi, const ReportOptions& options, const ReportInk& ink);

  QPainter& painter() const { return painter_; }
  const QRectF& page() const { return page_; }
  double dpi() const { return dpi_; }
  const ReportInk& ink() const { return ink_; }
  const ReportOptions& options() const { return options_; }
  // A page is portrait when it is narrower than it is tall.
  bool portrait() const { return page_.width() < page_.height(); }

  double Pt(double points) const { return points * dpi_ / 72.0; }
  double In(double inches) const { return inches * dpi_; }

  // A report font: the stored size, or sized to the page when auto-size is on. `scale`
  // enlarges or shrinks it for a part of the page (a cell, a small table).
  QFont Font(ReportFontRole role, double scale = 1.0, bool bold = false) const;
  // The font's line height in device pixels.
  double LineHeight(const QFont& font) const;
  double TextWidth(const QFont& font, const QString& text) const;

  // Draws one line of text in `box` with `flags` (Qt::Align...), elided at the right
  // when it does not fit.
  void Text(const QRectF& box, int flags, const QFont& font, const QColor& color, const QString& text) const;

  // A pen `points` wide (0.5 pt hairlines print as fine lines at any resolution).
  QPen Pen(const QColor& color, double points, Qt::PenStyle style = Qt::SolidLine) const;

 private:
  QPainter& painter_;
  QRectF page_;
  double dpi_;
  const ReportOptions& options_;
  ReportInk ink_;
};

// The point size a report font prints at: PointSize / 10 when its size is specified;
// when auto-sized, the role's size for a 7.5 inch wide page, scaled to the page's
// shorter side and limited to half and one and a half times that.
double ReportFontPoints(ReportFontRole role, const ReportOptions& options, double pageShortSideInches);

}  // namespace qw
