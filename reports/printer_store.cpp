#include "reports/printer_store.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPrinterInfo>
#include <QSaveFile>

#include "settings/app_paths.h"

namespace qw {
namespace {

constexpr const char* kSignature = "Quaywise report printer 1";
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

QString PrinterChoiceText(const PrinterChoice& choice) {
  auto line = [](const QString& value) {
    QString clean = value;
    clean.replace('\n', ' ').replace('\r', ' ');
    return clean;
  };
  QString text = QString(kSignature) + "\n";
  text += "Printer=" + line(choice.printerName) + "\n";
  text += QString("Output=") + (choice.toPdf ? "pdf" : "printer") + "\n";
  text += "OutputFile=" + line(choice.outputFile) + "\n";
  text += "Paper=" + line(choice.paper) + "\n";
  text += QString("Color=%1\n").arg(choice.color ? 1 : 0);
  text += QString("Duplex=%1\n").arg(choice.duplex);
  text += QString("Copies=%1\n").arg(choice.copies);
  return text;
}

std::optional<PrinterChoice> ParsePrinterChoice(const QByteArray& bytes, QString* problem) {
  const QStringList lines = QString::fromUtf8(bytes).split('\n');
  if (lines.isEmpty() || lines.front().trimmed() != kSignature) {
    if (problem) *problem = "it is not a Quaywise printer file";
    return std::nullopt;
  }
  PrinterChoice choice;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QString line = lines[i].trimmed();
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0) continue;
    const QString key = line.left(equals).trimmed();
    const QString value = line.mid(equals + 1).trimmed();
    bool ok = false;
    const int number = value.toInt(&ok);
    if (key == "Printer") {
      choice.printerName = value;
    } else if (key == "Output") {
      choice.toPdf = value == "pdf";
    } else if (key == "OutputFile") {
      choice.outputFile = value;
    } else if (key == "Paper") {
      choice.paper = value.isEmpty() ? QString("Letter") : value;
    } else if (key == "Color" && ok) {
      choice.color = number != 0;
    } else if (key == "Duplex" && ok && number >= 0 && number <= 2) {
      choice.duplex = number;
    } else if (key == "Copies" && ok && number >= 1 && number <= 999) {
      choice.copies = number;
    }
  }
  return choice;
}

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
