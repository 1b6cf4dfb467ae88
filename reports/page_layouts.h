// The layouts of the report kinds' pages, called by the composer. Each draws a whole
// page: header, body and footer.
#pragma once

#include "reports/notes_report.h"
#include "reports/page_canvas.h"
#include "reports/page_parts.h"
#include "reports/page_plan.h"
#include "reports/report_composer.h"
#include "reports/report_data.h"

namespace qw {

struct PageContext {
  const PageCanvas& canvas;
  ReportDays& days;
  const ReportJob& job;
  const PlannedPage& page;
  PageFooter footer;
};

PageResult DrawDailyPage(PageContext& context);
// Monthly (months 1) and three-month (months 3) pages.
PageResult DrawCalendarPage(PageContext& context, int months);
PageResult DrawCustomPage(PageContext& context);
// A notes report page: its lines laid out at kNotesLayoutDpi, drawn to the device's scale.
PageResult DrawNotesPage(PageContext& context, const std::vector<NoteLine>& lines);

// --- Shared by the layouts ---

// The header of a location's page.
PageHeader LocationHeader(const ReportDay& firstDay, const QString& title,
                          const QString& date, const QString& zone);
// The zone label of a day: "Pacific Daylight Time", or "Time Zone: +0000 +60 min DST"
// for stations of the international family.
QString ZoneLabel(const ReportLocation& location, EngineMinute day);
// The zone labels of a span of days: one label, or "first; second from Mar 9".
QString ZoneSpanLabel(const ReportLocation& location, EngineMinute first, EngineMinute last);
// The short zone label beside times ("PDT"); empty for the international family, whose
// tables carry no zone label.
QString ShortZoneLabel(const ReportLocation& location, EngineMinute day);
// The title of a location's report: "Daily Tide Report (bar graph)".
QString LocationReportTitle(const ReportLocation& location, ReportKind kind, ReportFormat format);

// Splits the page into header, body and footer; draws the header and footer.
QRectF DrawFrame(PageContext& context, const PageHeader& header);
// The body DrawFrame leaves between the header and the footer, without drawing.
QRectF FrameBody(const PageCanvas& canvas, const PageFooter& footer);

}  // namespace qw
