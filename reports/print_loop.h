// The print loop: a report's pages drawn one after the other onto a paged device (a
// printer, the preview's printer, a PDF writer), in the user-interface thread. Before
// each page the progress callback runs; it lets pending window events run (the Cancel
// button) and ends the report by returning false.
#pragma once

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QString>
#include <functional>

#include "reports/report_composer.h"
#include "reports/report_options.h"

namespace qw {

enum class PrintResult {
  Printed,
  Cancelled,       // the user pressed Cancel; the pages before it were printed
  NoRoom,          // the options and margins leave no room (nothing was printed)
  NothingToPrint,  // the plan has no pages
  DeviceError,     // the device could not be painted on
};

// Called before page `index` (0-based) of `count`; false ends the loop.
using PrintProgress = std::function<bool(int index, int count)>;

// Prints pages `from` to `to` (1-based, inclusive; 0 and 0 for every page). Page 1
// of the range is laid out first on a scratch image, so that a report whose options
// leave no room is refused before any paper is used.
PrintResult RunPrintLoop(QPagedPaintDevice& device, ReportComposer& composer, const PrintProgress& progress,
                         int from = 0, int to = 0);

// The page layout of the report options: US Letter (or `pageSize`), the orientation and
// the margins in inches.
QPageLayout ReportPageLayout(const ReportOptions& options, const QPageSize& pageSize = QPageSize(QPageSize::Letter));

// Writes the report to a PDF file at 1200 dots per inch, atomically: the file appears
// whole or not at all. Returns Printed, or another result with `error` set.
PrintResult WriteReportPdf(const QString& path, ReportComposer& composer, const QPageLayout& layout,
                           const PrintProgress& progress, QString* error);

// The user's message for a result other than Printed ("" for Printed and Cancelled).
QString PrintResultMessage(PrintResult result);

}  // namespace qw
