#include "reports/table_print.h"

#include <QMessageBox>
#include <QPrintDialog>

#include "reports/print_report_dialog.h"
#include "reports/printer_output.h"
#include "reports/printer_store.h"
#include "reports/table_report.h"

namespace qw {
namespace {

constexpr const char* kCaption = "Print Tabular Report";

// The report printer as the user chose it, with its paper and the reports' margins.
void SetUpReportPrinter(QWidget* parent, QPrinter& printer, bool warn) {
  QString problem;
  const std::optional<PrinterChoice> choice = LoadPrinterChoice(PrinterFilePath(), &problem);
  QString notice;
  ApplyPrinterChoice(choice.value_or(PrinterChoice{}), printer, &notice);
  if (warn && !problem.isEmpty()) QMessageBox::warning(parent, kCaption, problem);
  if (warn && !notice.isEmpty()) QMessageBox::information(parent, kCaption, notice);
  printer.setFullPage(false);
}

QString DocName(const PrintableTable& table) {
  const QStringList headings = table.printHeadings();
  return headings.isEmpty() ? QString(kCaption) : headings.front();
}

// The print dialog, then the pages with the progress box.
void PrintWithDialog(QWidget* parent, QPrinter& printer, TableReport& report) {
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintProgressBox progress(parent, 0);
  QString error;
  const PrintResult result =
      PrintOnPrinter(printer, report.Pages(), [&](int index, int count) { return progress.Step(index, count); },
                     &error);
  progress.Close();
  ReportPrintResult(parent, kCaption, result, error);
}

}  // namespace

void PrintTableReport(QWidget* parent, ProfileFile& file, const PrintableTable& table) {
  PrintTableDialog choices(LoadTableReportOptions(file), parent);
  if (choices.exec() != QDialog::Accepted) return;
  const TableReportOptions options = choices.options();
  SaveTableReportOptions(options, file);
  std::string problem;
  if (!file.writeProtected() && !file.Save(&problem)) {
    QMessageBox::warning(parent, kCaption, QString::fromStdString(problem));
  }
  QPrinter printer(QPrinter::HighResolution);
  SetUpReportPrinter(parent, printer, true);
  printer.setDocName(DocName(table));
  TableReport report(table.printModel(), table.printHeadings(), options);
  PrintWithDialog(parent, printer, report);
}

void PreviewTableReport(QWidget* parent, ProfileFile& file, const PrintableTable& table) {
  QPrinter printer(QPrinter::ScreenResolution);
  SetUpReportPrinter(parent, printer, false);
  printer.setResolution(150);
  printer.setDocName(DocName(table));
  TableReport report(table.printModel(), table.printHeadings(), LoadTableReportOptions(file));
  ReportPrintResult(parent, kCaption, RunPrintPreview(parent, printer, report.Pages()), QString());
}

void QuickPrintTable(QWidget* parent, const ProfileFile& file, const PrintableTable& table, QPrinter& printer) {
  printer.setDocName(DocName(table));
  TableReport report(table.printModel(), table.printHeadings(), LoadTableReportOptions(file));
  PrintWithDialog(parent, printer, report);
}

}  // namespace qw
