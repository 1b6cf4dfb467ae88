#include "reports/printer_setup_dialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace qw {
namespace {

constexpr const char* kPdfEntry = "PDF file";
constexpr const char* kDefaultEntry = "(the system's default printer)";

}  // namespace

PrinterSetupDialog::PrinterSetupDialog(const PrinterChoice& current, const QString& filePath, QWidget* parent)
    : QDialog(parent), choice_(current), filePath_(filePath) {
  setWindowTitle("Printer Setup");
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  printers_ = new QComboBox;
  printers_->addItem(kDefaultEntry, QString());
  for (const QString& name : QPrinterInfo::availablePrinterNames()) printers_->addItem(name, name);
  printers_->addItem(kPdfEntry, QString());
  if (choice_.toPdf) {
    printers_->setCurrentIndex(printers_->count() - 1);
  } else if (!choice_.printerName.isEmpty()) {
    int index = printers_->findData(choice_.printerName);
    if (index < 0) {
      // Keep showing a printer that is gone, so the user sees what was chosen.
      printers_->insertItem(1, choice_.printerName + " (not installed)", choice_.printerName);
      index = 1;
    }
    printers_->setCurrentIndex(index);
  }
  form->addRow("&Printer:", printers_);
  auto* fileRow = new QHBoxLayout;
  outputFile_ = new QLineEdit(choice_.outputFile);
  browse_ = new QPushButton("Bro&wse...");
  fileRow->addWidget(outputFile_);
  fileRow->addWidget(browse_);
  form->addRow("PDF &file:", fileRow);
  layout->addLayout(form);
  description_ = new QLabel;
  description_->setWordWrap(true);
  layout->addWidget(description_);

  auto* buttons = new QHBoxLayout;
  auto* setup = new QPushButton("&Setup...");
  auto* setDefault = new QPushButton("Set As &Default Printer");
  auto* close = new QPushButton("&Close");
  buttons->addWidget(setup);
  buttons->addWidget(setDefault);
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addLayout(buttons);

  connect(printers_, &QComboBox::currentIndexChanged, this, &PrinterSetupDialog::UpdateDescription);
  connect(browse_, &QPushButton::clicked, this, [this] {
    const QString file = QFileDialog::getSaveFileName(this, "Report PDF file", outputFile_->text(), "PDF files (*.pdf)");
    if (!file.isEmpty()) outputFile_->setText(file);
  });
  connect(setup, &QPushButton::clicked, this, &PrinterSetupDialog::Setup);
  connect(setDefault, &QPushButton::clicked, this, &PrinterSetupDialog::SetAsDefault);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  UpdateDescription();
}

PrinterChoice PrinterSetupDialog::choice() const {
  PrinterChoice choice = choice_;
  choice.toPdf = printers_->currentText() == kPdfEntry;
  choice.printerName = choice.toPdf ? QString() : printers_->currentData().toString();
  choice.outputFile = outputFile_->text();
  return choice;
}

void PrinterSetupDialog::UpdateDescription() {
  const PrinterChoice now = choice();
  outputFile_->setEnabled(now.toPdf);
  browse_->setEnabled(now.toPdf);
  QString text = QString("Paper: %1.  ").arg(now.paper);
  if (!now.toPdf && QPrinterInfo::availablePrinterNames().isEmpty()) {
    text += "No printer is installed: reports are written to a PDF file.";
  } else if (!now.toPdf && !now.printerName.isEmpty() && QPrinterInfo::printerInfo(now.printerName).isNull()) {
    text += "This printer is not installed now; reports go to the default printer until it is.";
  }
  description_->setText(text);
}

void PrinterSetupDialog::Setup() {
  QPrinter printer(QPrinter::HighResolution);
  ApplyPrinterChoice(choice(), printer, nullptr);
  QPageSetupDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const PrinterChoice fromPrinter = PrinterChoiceFrom(printer);
  choice_.paper = fromPrinter.paper;
  choice_.color = fromPrinter.color;
  choice_.duplex = fromPrinter.duplex;
  UpdateDescription();
}

void PrinterSetupDialog::SetAsDefault() {
  QString problem;
  if (!SavePrinterChoice(filePath_, choice(), &problem)) {
    QMessageBox::warning(this, "Printer Setup", problem);
    return;
  }
  choice_ = choice();
  saved_ = true;
  description_->setText(description_->text() + "  Kept for Quaywise reports.");
}

}  // namespace qw
