// The printer chosen for this program's reports alone, independently of the system's
// default printer, kept in "VELDAPRN.DEV" in the configuration folder.
//
// The file is a short text of our own:
//
//   Quaywise report printer 1
//   Printer=Office LaserJet        (empty: the system's default printer)
//   Output=printer                 ("printer" or "pdf")
//   OutputFile=/home/me/report.pdf (the PDF file when Output is pdf)
//   Paper=Letter                   (a QPageSize key, e.g. "A4", "Legal")
//   Color=1
//   Duplex=0                       (0 none, 1 long side, 2 short side)
//   Copies=1
//
// It names the printer rather than holding a driver's private settings, so it survives
// the printer being removed or renamed: such a choice falls back to the system's
// default printer, or to a PDF file when no printer is installed, and the user is told.
// A damaged file is reported and left alone until the user chooses a printer again.
// The file is written atomically.
#pragma once

#include <QPrinter>
#include <QString>
#include <optional>

#include "reports/printer_choice.h"

namespace qw {

// "VELDAPRN.DEV" in the configuration folder.
QString PrinterFilePath();

// Reads the file. No file: nothing and no problem. A damaged or unreadable file:
// nothing, with `problem` set for the user.
std::optional<PrinterChoice> LoadPrinterChoice(const QString& path, QString* problem);
// Writes the file atomically; false with `problem` set when it could not be written.
bool SavePrinterChoice(const QString& path, const PrinterChoice& choice, QString* problem);

// Sets up `printer` for the choice. When the chosen printer is not installed the printer
// goes to the system's default printer, or to a PDF file (in the home folder) when there
// is none; `notice` then says so. Returns false when that fallback was taken.
bool ApplyPrinterChoice(const PrinterChoice& choice, QPrinter& printer, QString* notice);
// The choice describing how `printer` is set up now.
PrinterChoice PrinterChoiceFrom(const QPrinter& printer);

}  // namespace qw
