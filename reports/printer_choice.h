// The report printer file's contents (see printer_store.h for the file): the choice it
// holds, and its text in both directions. Qt Core only, so the reader can be fuzzed and
// tested without a printer or a screen.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace qw {

struct PrinterChoice {
  QString printerName;      // empty: the system's default printer
  bool toPdf = false;       // print to a PDF file instead of a printer
  QString outputFile;       // the PDF file
  QString paper = "Letter";  // QPageSize key
  bool color = true;
  int duplex = 0;
  int copies = 1;
  bool operator==(const PrinterChoice&) const = default;
};

// The file's text and back. Parsing fails (nothing, with `problem` set) when the first
// line is not the signature; unknown keys and bad values are skipped.
QString PrinterChoiceText(const PrinterChoice& choice);
std::optional<PrinterChoice> ParsePrinterChoice(const QByteArray& text, QString* problem);

}  // namespace qw
