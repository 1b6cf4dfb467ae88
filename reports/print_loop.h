// The print loop: a report's pages drawn one after the other for a paged device (a
// printer, the preview's printer, a PDF writer), in the user-interface thread. Before
// each page the progress callback runs; it lets pending window events run (the Cancel
// button) and ends the report by returning false.
//
// Every page is drawn first into a recording laid out for the device; only when the
// last one is drawn are the recordings played onto the device. A Cancel, or a page the
// options leave no room for, therefore ends the job before anything is painted on the
// device: no page reaches the printer, the preview or the file. (A printer job, once
// begun, cannot be taken back: the print engines send what was painted when the
// painter ends.)
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
  Cancelled,       // the user pressed Cancel; nothing was printed
  NoRoom,          // the options and margins leave no room on a page (nothing was printed)
  NothingToPrint,  // the plan has no pages
  DeviceError,     // the device could not be painted on
};

// Called before page `index` (0-based) of `count`; false ends the loop.
using PrintProgress = std::function<bool(int index, int count)>;

// What a print loop prints: the pages laid out for a device, and page n drawn.
struct PageSource {
  // Lays the pages out for the device's printable area; returns the page count.
  std::function<int(const QPagedPaintDevice& device)> layOut;
  // Draws page `index` into `page`, the printable rectangle in the device's pixels at
  // `dpi` pixels per inch.
  std::function<PageResult(QPainter& painter, const QRectF& page, double dpi, int index)> draw;
};

// Prints pages `from` to `to` (1-based, inclusive; 0 and 0 for every page).
PrintResult RunPrintLoop(QPagedPaintDevice& device, const PageSource& pages, const PrintProgress& progress,
                         int from = 0, int to = 0);
PrintResult RunPrintLoop(QPagedPaintDevice& device, ReportComposer& composer, const PrintProgress& progress,
                         int from = 0, int to = 0);

// The composer's pages as a page source.
PageSource ComposerPages(ReportComposer& composer);

// The page layout of the report options: US Letter (or `pageSize`), the orientation and
// the margins in inches.
QPageLayout ReportPageLayout(const ReportOptions& options, const QPageSize& pageSize = QPageSize(QPageSize::Letter));

// How a PDF file is written: its page layout, resolution and title.
struct PdfSetup {
  QPageLayout layout;
  int resolution = 1200;
  QString title;
};

// Writes pages to a PDF file atomically: the pages go to a temporary file beside it,
// which replaces the file only when every page is drawn, so that a cancelled or failed
// report leaves the old file as it was. Returns Printed, or another result with `error`
// set (empty for Cancelled).
PrintResult WritePdf(const QString& path, const PdfSetup& setup, const PageSource& pages,
                     const PrintProgress& progress, QString* error, int from = 0, int to = 0);
// The report's pages at 1200 dots per inch, titled after the report.
PrintResult WriteReportPdf(const QString& path, ReportComposer& composer, const QPageLayout& layout,
                           const PrintProgress& progress, QString* error);

// The user's message for a result other than Printed ("" for Printed and Cancelled).
QString PrintResultMessage(PrintResult result);

}  // namespace qw
