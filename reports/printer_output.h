// Printing pages on a printer set up as the report printer (printer_store.h): a printer
// that writes a PDF file writes it atomically, like the command-line report, so that a
// cancelled or failed print leaves the old file as it was; a real printer and the print
// preview receive the pages through the print loop, which paints nothing on them until
// every page is drawn.
#pragma once

#include <QPrinter>
#include <QString>

#include "reports/print_loop.h"

namespace qw {

// True when the printer is the print preview's (it paints into the preview's pages).
bool IsPreviewPrinter(QPrinter& printer);

// Prints pages `from` to `to` (1-based; 0 and 0 for every page). Returns Printed, or
// another result with `error` set when there is more to say than PrintResultMessage.
PrintResult PrintOnPrinter(QPrinter& printer, const PageSource& pages, const PrintProgress& progress,
                           QString* error, int from = 0, int to = 0);

}  // namespace qw
