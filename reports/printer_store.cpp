#include "reports/printer_store.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPrinterInfo>
#include <QSaveFile>

#include "settings/app_paths.h"

namespace qw {
namespace {

// The file is a few hundred bytes; a large one is not ours.
constexpr qint64 kMaxFileBytes = 64 * 1024;

QPageSize PageSizeFromKey(const QString& key) {
  for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
    const auto pageId = static_cast<QPageSize::PageSizeId>(id);
    if (QPageSize::key(pageId) == key) return QPageSize(pageId);
  }
  return QPageSize(QPageSize::Letter);
}

QString DefaultPdfPath() { return QDir::home().filePath("Quaywise report.pdf"); }

}  // namespace

QString PrinterFilePath() { return QDir(ConfigDirectory()).filePath("VELDAPRN.DEV"); }

std::optional<PrinterChoice> LoadPrinterChoice(const QString& path, QString* problem) {
  QFile file(path);
  if (!file.exists()) return std::nullopt;
  QString why;
  if (!file.open(QIODevice::ReadOnly)) {
    why = file.errorString();
  } else if (file.size() > kMaxFileBytes) {
    why = "it is too large";
  } else if (std::optional<PrinterChoice> choice = ParsePrinterChoice(file.readAll(), &why)) {
    return choice;
  }
  if (problem) {
    *problem = QString("The report printer file \"%1\" could not be read (%2). Reports go to the default printer "
                       "until you choose one in Printer Setup.")
                   .arg(path, why);
  }
  return std::nullopt;
}

bool SavePrinterChoice(const QString& path, const PrinterChoice& choice, QString* problem) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(PrinterChoiceText(choice).toUtf8()) < 0 || !file.commit()) {
    if (problem) *problem = QString("Unable to write \"%1\": %2").arg(path, file.errorString());
    return false;
  }
  return true;
}

bool ApplyPrinterChoice(const PrinterChoice& choice, QPrinter& printer, QString* notice) {
  bool asChosen = true;
  if (choice.toPdf) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(choice.outputFile.isEmpty() ? DefaultPdfPath() : choice.outputFile);
  } else {
    QPrinterInfo info = choice.printerName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                     : QPrinterInfo::printerInfo(choice.printerName);
    if (info.isNull() && !choice.printerName.isEmpty()) {
      asChosen = false;
      info = QPrinterInfo::defaultPrinter();
      if (notice) {
        *notice = info.isNull()
                      ? QString("The report printer \"%1\" is not installed, and no other printer is. Reports are "
                                "written to a PDF file instead.")
                            .arg(choice.printerName)
                      : QString("The report printer \"%1\" is not installed. Reports go to \"%2\" instead.")
                            .arg(choice.printerName, info.printerName());
      }
    }
    if (info.isNull()) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(choice.outputFile.isEmpty() ? DefaultPdfPath() : choice.outputFile);
    } else {
      printer.setOutputFormat(QPrinter::NativeFormat);
      printer.setPrinterName(info.printerName());
    }
  }
  printer.setPageSize(PageSizeFromKey(choice.paper));
  printer.setColorMode(choice.color ? QPrinter::Color : QPrinter::GrayScale);
  printer.setDuplex(choice.duplex == 1   ? QPrinter::DuplexLongSide
                    : choice.duplex == 2 ? QPrinter::DuplexShortSide
                                         : QPrinter::DuplexNone);
  printer.setCopyCount(choice.copies);
  return asChosen;
}

PrinterChoice PrinterChoiceFrom(const QPrinter& printer) {
  PrinterChoice choice;
  choice.toPdf = printer.outputFormat() == QPrinter::PdfFormat;
  choice.printerName = choice.toPdf ? QString() : printer.printerName();
  choice.outputFile = printer.outputFileName();
  choice.paper = QPageSize::key(printer.pageLayout().pageSize().id());
  choice.color = printer.colorMode() == QPrinter::Color;
  choice.duplex = printer.duplex() == QPrinter::DuplexLongSide    ? 1
                  : printer.duplex() == QPrinter::DuplexShortSide ? 2
                                                                  : 0;
  choice.copies = std::max(1, printer.copyCount());
  return choice;
}

}  // namespace qw
