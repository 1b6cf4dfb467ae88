#include "reports/notes_report.h"

#include <QDate>
#include <QFontMetricsF>
#include <QLocale>
#include <QTextLayout>
#include <cmath>

#include "reports/page_layouts.h"

namespace qw {
namespace {

struct Section {
  QString heading;
  const std::string* text;
};

// The lines of one section's text wrapped to `width`; an empty paragraph is a blank line.
std::vector<QString> WrapText(const std::string& text, const QFont& font, double width) {
  std::vector<QString> lines;
  const QStringList paragraphs = QString::fromStdString(text).remove('\r').split('\n');
  for (const QString& paragraph : paragraphs) {
    if (paragraph.trimmed().isEmpty()) {
      lines.emplace_back();
      continue;
    }
    QTextLayout layout(paragraph, font);
    // A word wider than the page (a long address) breaks where it must.
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      QString part = paragraph.mid(line.textStart(), line.textLength());
      while (!part.isEmpty() && part.back().isSpace()) part.chop(1);
      lines.push_back(part);
    }
    layout.endLayout();
  }
  // Trailing blank lines would only push the next section down.
  while (!lines.empty() && lines.back().isEmpty()) lines.pop_back();
  return lines;
}

}  // namespace

QFont NotesFont(const PageCanvas& canvas, bool bold) {
  QFont font = canvas.Font(ReportFontRole::Body, 1.0, bold);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pointSizeF() * kNotesLayoutDpi / 72.0))));
  return font;
}

std::vector<std::vector<NoteLine>> PaginateNotes(const ReportNotes& notes, const QFont& font, double width,
                                                 int linesPerPage, const QString& officialHeading) {
  // A page holds at least a heading and one line of its section.
  linesPerPage = std::max(2, linesPerPage);
  const Section sections[] = {{officialHeading, &notes.official},
                              {kUserNotesHeading, &notes.user},
                              {kGeneralNotesHeading, &notes.general}};
  std::vector<std::vector<NoteLine>> pages(1);
  auto room = [&] { return linesPerPage - static_cast<int>(pages.back().size()); };
  for (const Section& section : sections) {
    const std::vector<QString> lines = WrapText(*section.text, font, width);
    // A blank line between sections; a heading never ends a page alone.
    if (!pages.back().empty() && room() >= 3) {
      pages.back().push_back({QString(), false});
    } else if (!pages.back().empty()) {
      pages.emplace_back();
    }
    pages.back().push_back({section.heading, true});
    for (const QString& line : lines) {
      if (room() == 0) {
        pages.emplace_back();
        pages.back().push_back({QString("%1 continued").arg(section.heading), true});
        // A blank line is not worth carrying to the top of a page.
        if (line.isEmpty()) continue;
      }
      pages.back().push_back({line, false});
    }
  }
  return pages;
}

PageResult DrawNotesPage(PageContext& context, const std::vector<NoteLine>& lines) {
  const PageCanvas& canvas = context.canvas;
  const int location = context.page.location;
  const ReportLocation& station = context.days.location(location);
  DayNeeds needs;
  needs.sunMoon = false;
  const ReportDay day = context.days.Day(location, station.windowDay, needs);
  // The notes belong to no date: the header carries the day they were printed.
  const QString printed = QLocale::c().toString(QDate::currentDate(), "dddd, MMMM d, yyyy");
  const QString title = LocationReportTitle(station, ReportKind::Notes, context.job.format);
  const QRectF body = DrawFrame(context, LocationHeader(day, title, printed, QString()));

  const QFont font = NotesFont(canvas);
  const QFont bold = NotesFont(canvas, true);
  const double lineHeight = QFontMetricsF(font).lineSpacing();
  const double ascent = QFontMetricsF(font).ascent();
  QPainter& painter = canvas.painter();
  painter.save();
  painter.translate(body.topLeft());
  const double scale = canvas.dpi() / kNotesLayoutDpi;
  painter.scale(scale, scale);
  painter.setPen(canvas.ink().text);
  double y = 0;
  for (const NoteLine& line : lines) {
    if (!line.text.isEmpty()) {
      painter.setFont(line.heading ? bold : font);
      painter.drawText(QPointF(0, y + ascent), line.text);
    }
    y += lineHeight;
  }
  painter.restore();
  return PageResult::Drawn;
}

}  // namespace qw
