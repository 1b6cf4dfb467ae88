#include "reports/printer_output.h"

#include <QPaintEngine>

namespace qw {

bool IsPreviewPrinter(QPrinter& printer) {
  // In preview mode the printer paints through the preview's recording engine.
  const QPaintEngine* engine = printer.paintEngine();
  return engine && engine->type() == QPaintEngine::Picture;
}

PrintResult PrintOnPrinter(QPrinter& printer, const PageSource& pages, const PrintProgress& progress,
                           QString* error, int from, int to) {
  if (error) error->clear();
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() &&
      !IsPreviewPrinter(printer)) {
    const PdfSetup setup{printer.pageLayout(), printer.resolution(), printer.docName()};
    return WritePdf(printer.outputFileName(), setup, pages, progress, error, from, to);
  }
  return RunPrintLoop(printer, pages, progress, from, to);
}

}  // namespace qw
