// The page plan of a report: how many pages it has and what each page shows, worked
// out before anything is drawn so that the preview, the printer and the command-line
// tool print the same pages, and the print loop can show "page n of m".
//
// Per-location kinds print every selected location in list order, each over its own
// span of dates:
//   - daily: one page per day;
//   - monthly: one page per calendar month, from the month of the start date to the
//     month of the end date;
//   - three-month: one page per three calendar months, the first beginning with the
//     month of the start date, while a page begins on or before the end date.
// The start is the range start when a range is used, else the location window's date;
// without a range the end is the start (one page per location).
//
// The custom report lays its locations out itself: one cell per location and day, the
// days of the range (or each location's window date) in order and the locations of a
// day in list order, filling rows of `columnsPerPage` cells and pages of
// `rowsPerPage` rows. With `newRow` a day starts on a new row, with `newPage` on a new
// page.
#pragma once

#include <vector>

#include "engine/engine_values.h"
#include "reports/report_kind.h"

namespace qw {

struct PlanRequest {
  ReportKind kind = ReportKind::Daily;
  // 00:00 of each selected location's window date, in list order.
  std::vector<EngineMinute> windowDays;
  bool useRange = false;
  EngineMinute rangeStart = 0;  // 00:00 of the first day
  EngineMinute rangeEnd = 0;    // 00:00 of the last day
  // Custom report layout.
  int rowsPerPage = 2;
  int columnsPerPage = 2;
  bool newRow = true;
  bool newPage = false;
};

// One location's day on a custom report page, at a row and column of the page's grid.
struct ReportCell {
  int location = 0;
  EngineMinute day = 0;
  int row = 0;
  int column = 0;
};

struct PlannedPage {
  int location = -1;      // index into the request's locations; -1 on custom pages
  EngineMinute first = 0;  // 00:00 of the first day the page covers
  EngineMinute last = 0;   // 00:00 of its last day
  std::vector<ReportCell> cells;  // custom report pages only
  int notesPart = -1;  // notes report pages: the page's lines in the composer's notes layout
};

// The pages of a report, in print order. Empty when there is nothing to print: no
// locations, a range whose end precedes its start (the dialog refuses it before), a
// kind whose pages are not planned here (notes) or an unknown kind.
std::vector<PlannedPage> PlanReport(const PlanRequest& request);

// 00:00 of the first day of the month of `day`, and of the last day of the month that
// begins `months` months later minus one day (the last day of a span of months).
EngineMinute FirstOfMonth(EngineMinute day);
EngineMinute LastDayOfMonths(EngineMinute firstOfMonth, int months);

}  // namespace qw
