#include "reports/printer_choice.h"

#include <QStringList>

namespace qw {
namespace {

constexpr const char* kSignature = "Quaywise report printer 1";

// A value as one line of the file: control characters (line breaks, tabs, NUL) become
// blanks, on writing and on reading alike, so that what is read is written back the same.
QString OneLine(const QString& value) {
  QString clean = value;
  for (QChar& c : clean) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QLatin1Char(' ');
  }
  return clean;
}

}  // namespace

QString PrinterChoiceText(const PrinterChoice& choice) {
  const auto line = OneLine;
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
    const QString value = OneLine(line.mid(equals + 1)).trimmed();
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

}  // namespace qw
