#include "reports/report_composer.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <cmath>

#include "engine/installed_catalogue.h"
#include "engine/time_zone.h"
#include "present/day_presentation.h"
#include "reports/page_layouts.h"

namespace qw {

PlanRequest PlanRequestFor(const ReportJob& job, const ReportOptions& options) {
  PlanRequest request;
  request.kind = job.kind;
  for (const ReportLocation& location : job.locations) request.windowDays.push_back(location.windowDay);
  request.useRange = job.useRange;
  request.rangeStart = job.rangeStart;
  request.rangeEnd = job.rangeEnd;
  request.rowsPerPage = options.rowsPerPage;
  request.columnsPerPage = options.columnsPerPage;
  request.newRow = options.newRow;
  request.newPage = options.newPage;
  return request;
}

ReportComposer::ReportComposer(ReportJob job, ReportOptions options, AppSettings settings)
    : job_(std::move(job)), options_(std::move(options)), settings_(std::move(settings)) {
  plan_ = PlanReport(PlanRequestFor(job_, options_));
  days_ = std::make_unique<ReportDays>(job_.locations, settings_);
  if (options_.bitmapInFooter && !options_.bitmapFile.empty()) {
    QImageReader reader(QString::fromStdString(options_.bitmapFile));
    // A footer picture is small; a huge one is not what the user meant to print.
    reader.setAllocationLimit(256);
    if (!reader.read(&bitmap_)) {
      bitmapProblem_ = QString("The footer picture \"%1\" could not be read (%2). The report is printed without it.")
                           .arg(QString::fromStdString(options_.bitmapFile), reader.errorString());
      bitmap_ = QImage();
    }
  }
}

void ReportComposer::LayOut(const QSizeF& paintInches) {
  if (job_.kind != ReportKind::Notes || paintInches == notesLaidOutFor_) return;
  notesLaidOutFor_ = paintInches;
  plan_.clear();
  notesPages_.clear();
  // The header, the footer and the lines measured on a canvas of the layout resolution.
  QImage scratch(1, 1, QImage::Format_RGB32);
  scratch.setDotsPerMeterX(static_cast<int>(kNotesLayoutDpi / 0.0254));
  scratch.setDotsPerMeterY(static_cast<int>(kNotesLayoutDpi / 0.0254));
  QPainter painter(&scratch);
  const QRectF page(0, 0, paintInches.width() * kNotesLayoutDpi, paintInches.height() * kNotesLayoutDpi);
  const PageCanvas canvas(painter, page, kNotesLayoutDpi, options_, MakeReportInk(false, settings_.colors));
  PageFooter footer;
  footer.pageCount = 1;
  footer.bitmap = options_.bitmapInFooter && !bitmap_.isNull() ? &bitmap_ : nullptr;
  const double bodyHeight = FrameBody(canvas, footer).height();
  const QFont font = NotesFont(canvas);
  const double lineHeight = QFontMetricsF(font).lineSpacing();
  // Kept a little short of the page, so that a device's own font measures never push
  // the last line or word over the edge.
  const int linesPerPage = static_cast<int>(std::floor(bodyHeight * 0.98 / lineHeight));
  notesNoRoom_ = linesPerPage < 2;
  const double width = page.width() * 0.97;
  for (size_t i = 0; i < job_.locations.size(); ++i) {
    // The official notes are headed with who published the station's data.
    const ReportLocation& location = job_.locations[i];
    const bool tide = location.kind == StationKind::Tide;
    const StationSource* source =
        ReferenceSource(tide ? 'T' : 'C', tide ? location.tide.referenceId : location.current.referenceId);
    const QString heading = source ? QString::fromStdString(source->source) + " Notes" : kOfficialNotesHeading;
    for (std::vector<NoteLine>& lines : PaginateNotes(location.notes, font, width, linesPerPage, heading)) {
      PlannedPage planned;
      planned.location = static_cast<int>(i);
      planned.first = planned.last = job_.locations[i].windowDay;
      planned.notesPart = static_cast<int>(notesPages_.size());
      notesPages_.push_back(std::move(lines));
      plan_.push_back(std::move(planned));
    }
  }
}

PageResult ReportComposer::DrawPage(QPainter& painter, const QRectF& page, double dpi, int index) {
  if (index < 0 || index >= pageCount()) return PageResult::Drawn;
  painter.save();
  painter.setClipRect(page);
  const PageCanvas canvas(painter, page, dpi, options_, MakeReportInk(settings_.reportUseColor, settings_.colors));
  PageContext context{canvas, *days_, job_, plan_[static_cast<size_t>(index)], {}};
  context.footer.pageNumber = index + 1;
  context.footer.pageCount = pageCount();
  context.footer.bitmap = options_.bitmapInFooter && !bitmap_.isNull() ? &bitmap_ : nullptr;
  PageResult result = PageResult::Drawn;
  switch (job_.kind) {
    case ReportKind::Daily: result = DrawDailyPage(context); break;
    case ReportKind::Monthly: result = DrawCalendarPage(context, 1); break;
    case ReportKind::ThreeMonth: result = DrawCalendarPage(context, 3); break;
    case ReportKind::Custom: result = DrawCustomPage(context); break;
    case ReportKind::Notes: {
      const int part = plan_[static_cast<size_t>(index)].notesPart;
      if (notesNoRoom_) {
        result = PageResult::NoRoom;
      } else if (part >= 0 && part < static_cast<int>(notesPages_.size())) {
        result = DrawNotesPage(context, notesPages_[static_cast<size_t>(part)]);
      }
      break;
    }
  }
  painter.restore();
  return result;
}

// --- Shared by the layouts ---

namespace {

struct ReportZone {
  int16_t meridian = 0;
  uint8_t dst = 0;
  bool international = false;  // tide stations of the international family
};

ReportZone Zone(const ReportLocation& location) {
  if (location.kind == StationKind::Tide) {
    return {location.tide.timeMeridian, location.tide.observesDst, IsInternationalFamily(location.tide.referenceId)};
  }
  return {location.current.timeMeridian, location.current.observesDst, false};
}

}  // namespace

QString ZoneLabel(const ReportLocation& location, EngineMinute day) {
  // A station on its zone's clock: the zone's abbreviation, "PST/PDT" on the date the
  // clocks change. Otherwise the record's rule names its zone, as it always did.
  if (location.clock.basis() == ClockBasis::Zone) {
    const std::string text = ZoneText(location.clock, location.clock.Day(day));
    return QString::fromStdString(text.substr(1, text.size() - 2));
  }
  DateRecord date;
  MinuteToDate(day, date);
  const ReportZone zone = Zone(location);
  return QString::fromStdString(FormatTimeZone(zone.meridian, date, zone.international ? 'G' : 'L', zone.dst));
}

QString ShortZoneLabel(const ReportLocation& location, EngineMinute day) {
  if (location.clock.basis() == ClockBasis::Zone) return ZoneLabel(location, day);
  const ReportZone zone = Zone(location);
  if (zone.international) return QString();
  DateRecord date;
  MinuteToDate(day, date);
  return QString::fromStdString(FormatTimeZone(zone.meridian, date, 'S', zone.dst));
}

QString LocationReportTitle(const ReportLocation& location, ReportKind kind, ReportFormat format) {
  return QString::fromStdString(ReportTitle(static_cast<int>(kind), location.kind, static_cast<int>(format)));
}

QString ZoneSpanLabel(const ReportLocation& location, EngineMinute first, EngineMinute last) {
  // On a zone's clock each date is named by the abbreviation in force at its end, so a
  // change reads "PST; PDT from Mar 9".
  auto label = [&](EngineMinute day) {
    if (location.clock.basis() != ClockBasis::Zone) return ZoneLabel(location, day);
    const CivilDaySpan span = location.clock.Day(day);
    return QString::fromStdString(location.clock.AbbreviationAt(span.standardEnd - 1));
  };
  const QString start = label(first);
  for (EngineMinute day = first + kMinutesPerDay; day <= last; day += kMinutesPerDay) {
    const QString dayLabel = label(day);
    if (dayLabel != start) {
      DateRecord date;
      MinuteToDate(day, date);
      static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
      return start + "; " + dayLabel + QString(" from %1 %2").arg(kMonths[(date.month + 11) % 12]).arg(date.day);
    }
  }
  return start;
}

PageHeader LocationHeader(const ReportDay& firstDay, const QString& title,
                          const QString& date, const QString& zone) {
  PageHeader header;
  header.name = QString::fromStdString(firstDay.name);
  header.title = title;
  header.date = date;
  header.source = QString::fromStdString(firstDay.source);
  header.zone = zone;
  header.position = QString::fromStdString(firstDay.position);
  if (!firstDay.stationId.empty()) header.position += "     " + QString::fromStdString(firstDay.stationId);
  if (!firstDay.datumLine.empty()) header.position += "     " + QString::fromStdString(firstDay.datumLine);
  return header;
}

QRectF FrameBody(const PageCanvas& canvas, const PageFooter& footer) {
  const QRectF& page = canvas.page();
  const double headerHeight = HeaderHeight(canvas);
  const double footerHeight = FooterHeight(canvas, footer);
  const double gap = canvas.Pt(8);
  return QRectF(page.left(), page.top() + headerHeight + gap, page.width(),
                page.height() - headerHeight - footerHeight - 2 * gap);
}

QRectF DrawFrame(PageContext& context, const PageHeader& header) {
  const PageCanvas& canvas = context.canvas;
  const QRectF& page = canvas.page();
  const double headerHeight = HeaderHeight(canvas);
  const double footerHeight = FooterHeight(canvas, context.footer);
  DrawHeader(canvas, QRectF(page.left(), page.top(), page.width(), headerHeight), header);
  DrawFooter(canvas, QRectF(page.left(), page.bottom() - footerHeight, page.width(), footerHeight), context.footer);
  return FrameBody(canvas, context.footer);
}

}  // namespace qw
