#include "reports/print_report_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "engine/calendar.h"
#include "engine/installed_catalogue.h"
#include "present/qt_date.h"
#include "reports/printer_output.h"
#include "reports/printer_setup_dialog.h"
#include "reports/printer_store.h"
#include "reports/report_option_dialogs.h"

namespace qw {
namespace {

constexpr const char* kDateFormat = "MM/dd/yyyy";  // "StartDate" and "EndDate"

// The dots per inch of the preview's pages for "PreviewRes".
int PreviewDpi(int previewRes) {
  switch (previewRes) {
    case 0: return 150;
    case 2: return 600;
    default: return 300;
  }
}

}  // namespace

void ReportPrintResult(QWidget* parent, const QString& caption, PrintResult result, const QString& error) {
  switch (result) {
    case PrintResult::Printed:
    case PrintResult::Cancelled: return;
    case PrintResult::NoRoom:
      QMessageBox::warning(parent, report_text::kNoRoomCaption, report_text::kNoRoom);
      return;
    case PrintResult::DeviceError:
      QMessageBox::warning(parent, report_text::kPrintErrorCaption, error.isEmpty() ? report_text::kNoDevice : error);
      return;
    case PrintResult::NothingToPrint:
      QMessageBox::information(parent, caption, PrintResultMessage(result));
      return;
  }
}

PrintResult RunPrintPreview(QWidget* parent, QPrinter& printer, const PageSource& pages,
                            const std::function<void(QPrinter&)>& prepare) {
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(printer.docName());
  PrintResult result = PrintResult::Printed;
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
    // The preview's own Print button prints through here too, on the printer it chose.
    if (prepare) prepare(*target);
    const bool previewing = IsPreviewPrinter(*target);
    QString error;
    PrintResult drawn = PrintResult::Printed;
    {
      PrintProgressBox progress(preview.isVisible() ? static_cast<QWidget*>(&preview) : parent, 0);
      drawn = PrintOnPrinter(*target, pages, [&](int index, int count) { return progress.Step(index, count); },
                             &error);
    }
    if (!previewing) {
      ReportPrintResult(&preview, preview.windowTitle(), drawn, error);
      return;
    }
    result = drawn;
    // A preview that was cancelled or cannot be drawn has nothing to show.
    if (drawn != PrintResult::Printed) QTimer::singleShot(0, &preview, &QDialog::reject);
  });
  // Zoom In and Zoom Out are on the preview's toolbar; Close joins them.
  if (auto* toolBar = preview.findChild<QToolBar*>()) {
    toolBar->addSeparator();
    toolBar->addAction("Close", &preview, &QDialog::accept);
  }
  preview.resize(900, 1000);
  preview.exec();
  return result;
}

PrintProgressBox::PrintProgressBox(QWidget* parent, int pages)
    : box_(std::make_unique<QProgressDialog>(QString(), "&Cancel", 0, pages, parent)) {
  box_->setWindowTitle(report_text::kProgressCaption);
  box_->setWindowModality(Qt::WindowModal);
  box_->setMinimumDuration(0);
}

PrintProgressBox::~PrintProgressBox() = default;

void PrintProgressBox::Close() { box_->reset(); }

bool PrintProgressBox::Step(int index, int count) {
  box_->setMaximum(count);
  box_->setLabelText(QString("Printing page %1 of %2").arg(index + 1).arg(count));
  box_->setValue(index);
  // Let the Cancel button and the windows' repaints run between pages.
  QApplication::processEvents();
  return !box_->wasCanceled();
}

PrintReportDialog::PrintReportDialog(AppSettings& settings, ProfileFile& file, LocationReader reader,
                                     std::vector<ReportWindow> windows, QWidget* parent, NotesReader notes)
    : QDialog(parent),
      settings_(settings),
      file_(file),
      reader_(std::move(reader)),
      notes_(std::move(notes)),
      windows_(std::move(windows)),
      kind_(windows_.empty() ? StationKind::Tide : windows_.front().station.kind),
      options_(LoadReportOptions(file)) {
  setWindowTitle("Print Report");
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* form = new QFormLayout;
  type_ = new QComboBox;
  for (int kind = 0; kind < kReportKindCount; ++kind) {
    type_->addItem(QString::fromStdString(ReportKindListText(kind, kind_)));
  }
  // Notes reports need somewhere to read the station notes from.
  if (auto* model = qobject_cast<QStandardItemModel*>(type_->model()); model && !notes_) {
    model->item(static_cast<int>(ReportKind::Notes))->setEnabled(false);
  }
  format_ = new QComboBox;
  for (int format = 0; format < kReportFormatCount; ++format) format_->addItem(ReportFormatListText(format));
  form->addRow("Report &Type:", type_);
  form->addRow("&Format:", format_);
  // Heights on the datum each window shows, or on one datum wherever a station has it.
  datum_ = new QComboBox;
  datum_->setObjectName("datum");
  datum_->addItem("As each window shows", QString());
  for (const char* name : kCommonDatums) datum_->addItem(QString("%1 where the station has it").arg(name), QString(name));
  datum_->setEnabled(!windows_.empty() && windows_[0].station.kind == StationKind::Tide);
  form->addRow("&Datum:", datum_);
  left->addLayout(form);

  auto* locationsLabel = new QLabel("&Locations to Print:");
  left->addWidget(locationsLabel);
  auto* listRow = new QHBoxLayout;
  locations_ = new QListWidget;
  locations_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  locationsLabel->setBuddy(locations_);
  for (size_t i = 0; i < windows_.size(); ++i) {
    auto* item = new QListWidgetItem(windows_[i].title, locations_);
    item->setData(Qt::UserRole, static_cast<int>(i));
  }
  auto* moveButtons = new QVBoxLayout;
  auto* up = new QPushButton("Move &Up");
  auto* down = new QPushButton("Move &Down");
  moveButtons->addWidget(up);
  moveButtons->addWidget(down);
  moveButtons->addStretch();
  listRow->addWidget(locations_);
  listRow->addLayout(moveButtons);
  left->addLayout(listRow);

  auto* dates = new QGroupBox("Report Date:");
  auto* dateGrid = new QGridLayout(dates);
  windowDate_ = new QRadioButton("&Use window date");
  range_ = new QRadioButton("&Range:");
  start_ = new QDateEdit;
  end_ = new QDateEdit;
  for (QDateEdit* edit : {start_, end_}) {
    edit->setDisplayFormat("M/dd/yyyy");
    edit->setCalendarPopup(true);
    edit->setDateRange(QDateOfMinute(FirstSupportedMinute()), QDateOfMinute(LastSupportedMinute()));
  }
  dateGrid->addWidget(windowDate_, 0, 0, 1, 2);
  dateGrid->addWidget(range_, 1, 0, 1, 2);
  auto* startLabel = new QLabel("Sta&rt:");
  auto* endLabel = new QLabel("&End:");
  startLabel->setBuddy(start_);
  endLabel->setBuddy(end_);
  dateGrid->addWidget(startLabel, 2, 0);
  dateGrid->addWidget(start_, 2, 1);
  dateGrid->addWidget(endLabel, 3, 0);
  dateGrid->addWidget(end_, 3, 1);
  left->addWidget(dates);
  color_ = new QCheckBox("Print report&s in c&olor (color printers only)");
  left->addWidget(color_);
  layout->addLayout(left, 1);

  auto* buttons = new QVBoxLayout;
  auto* print = new QPushButton("&Print");
  print->setDefault(true);
  auto* preview = new QPushButton("Pre&view");
  auto* options = new QPushButton("Report &Options...");
  auto* fonts = new QPushButton("Report &Fonts...");
  auto* page = new QPushButton("Page &Setup...");
  auto* printer = new QPushButton("Pri&nter Setup...");
  auto* close = new QPushButton("Close");
  for (QPushButton* button : {print, preview, options, fonts, page, printer}) buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addLayout(buttons);

  connect(up, &QPushButton::clicked, this, [this] { Move(-1); });
  connect(down, &QPushButton::clicked, this, [this] { Move(1); });
  connect(windowDate_, &QRadioButton::toggled, this, &PrintReportDialog::UpdateEnabled);
  connect(type_, &QComboBox::currentIndexChanged, this, &PrintReportDialog::UpdateEnabled);
  connect(locations_, &QListWidget::itemSelectionChanged, this, &PrintReportDialog::UpdateEnabled);
  connect(print, &QPushButton::clicked, this, &PrintReportDialog::Print);
  connect(preview, &QPushButton::clicked, this, &PrintReportDialog::Preview);
  connect(options, &QPushButton::clicked, this, &PrintReportDialog::EditOptions);
  connect(fonts, &QPushButton::clicked, this, &PrintReportDialog::EditFonts);
  connect(page, &QPushButton::clicked, this, &PrintReportDialog::EditPageSetup);
  connect(printer, &QPushButton::clicked, this, &PrintReportDialog::EditPrinter);
  connect(close, &QPushButton::clicked, this, [this] {
    StoreChoices();
    accept();
  });
  ReadOptionsIntoControls();
  UpdateEnabled();
}

void PrintReportDialog::ReadOptionsIntoControls() {
  type_->setCurrentIndex(options_.reportType == static_cast<int>(ReportKind::Notes) && !notes_ ? 0 : options_.reportType);
  format_->setCurrentIndex(options_.reportFormat);
  (options_.useWindowDate ? windowDate_ : range_)->setChecked(true);
  const QDate fallback = windows_.empty() ? QDate::currentDate() : QDateOfMinute(windows_.front().day);
  const QDate start = QDate::fromString(QString::fromStdString(options_.startDate), kDateFormat);
  const QDate end = QDate::fromString(QString::fromStdString(options_.endDate), kDateFormat);
  start_->setDate(start.isValid() ? start : fallback);
  end_->setDate(end.isValid() ? end : start_->date());
  color_->setChecked(settings_.reportUseColor);
  // The stored selection, by list position; the first window when it names none.
  bool any = false;
  for (const QString& part : QString::fromStdString(options_.selectedLocations).split(',', Qt::SkipEmptyParts)) {
    bool ok = false;
    const int row = part.trimmed().toInt(&ok);
    if (ok && row >= 0 && row < locations_->count()) {
      locations_->item(row)->setSelected(true);
      any = true;
    }
  }
  if (!any && locations_->count() > 0) locations_->item(0)->setSelected(true);
  if (options_.caretIndex < locations_->count()) locations_->setCurrentRow(options_.caretIndex, QItemSelectionModel::NoUpdate);
}

void PrintReportDialog::UpdateEnabled() {
  start_->setEnabled(range_->isChecked());
  end_->setEnabled(range_->isChecked());
  // The notes print as text whatever the format.
  format_->setEnabled(type_->currentIndex() != static_cast<int>(ReportKind::Notes));
}

void PrintReportDialog::Move(int step) {
  const int row = locations_->currentRow();
  const int target = row + step;
  if (row < 0 || target < 0 || target >= locations_->count()) return;
  const bool selected = locations_->item(row)->isSelected();
  QListWidgetItem* item = locations_->takeItem(row);
  locations_->insertItem(target, item);
  item->setSelected(selected);
  locations_->setCurrentRow(target, QItemSelectionModel::NoUpdate);
}

void PrintReportDialog::StoreChoices() {
  options_.reportType = type_->currentIndex();
  options_.reportFormat = format_->currentIndex();
  options_.useWindowDate = windowDate_->isChecked();
  options_.startDate = start_->date().toString(kDateFormat).toStdString();
  options_.endDate = end_->date().toString(kDateFormat).toStdString();
  QStringList rows;
  for (int row = 0; row < locations_->count(); ++row) {
    if (locations_->item(row)->isSelected()) rows << QString::number(row);
  }
  options_.selectedLocations = rows.join(',').toStdString();
  options_.caretIndex = std::max(0, locations_->currentRow());
  settings_.reportUseColor = color_->isChecked();
  SaveReportOptions(options_, file_);
  file_.WriteInt("ReportOptions", "UseColor", settings_.reportUseColor);
  std::string problem;
  if (!file_.writeProtected() && !file_.Save(&problem)) {
    QMessageBox::warning(this, "Print Report", QString::fromStdString(problem));
  }
}

std::optional<ReportJob> PrintReportDialog::Job() {
  ReportJob job;
  const int kind = type_->currentIndex();
  if (kind < 0 || kind >= kReportKindCount) {
    QMessageBox::warning(this, report_text::kReportErrorCaption, report_text::kUndefinedReport);
    return std::nullopt;
  }
  job.kind = static_cast<ReportKind>(kind);
  if (job.kind == ReportKind::Notes && !notes_) {
    QMessageBox::information(this, "Print Report", "The station notes are not available to this report.");
    return std::nullopt;
  }
  job.format = static_cast<ReportFormat>(std::clamp(format_->currentIndex(), 0, kReportFormatCount - 1));
  job.useRange = range_->isChecked();
  if (job.useRange) {
    if (end_->date() < start_->date()) {
      QMessageBox::warning(this, report_text::kDateErrorCaption, report_text::kDateError);
      return std::nullopt;
    }
    job.rangeStart = MinuteOfQDate(start_->date());
    job.rangeEnd = MinuteOfQDate(end_->date());
    if (!CheckPredictionDate(job.rangeStart) || !CheckPredictionDate(job.rangeEnd)) return std::nullopt;
  }
  for (int row = 0; row < locations_->count(); ++row) {
    if (!locations_->item(row)->isSelected()) continue;
    const ReportWindow& window = windows_[static_cast<size_t>(locations_->item(row)->data(Qt::UserRole).toInt())];
    ReportLocation location;
    location.kind = window.station.kind;
    if (!reader_(window.station, location)) return std::nullopt;
    location.kind = window.station.kind;
    if (location.kind == StationKind::Tide) {
      const std::string chosen = datum_->currentData().toString().toStdString();
      SelectPreferredDatum(location.tide, chosen.empty() ? window.datum : chosen);
    }
    location.windowDay = window.day;
    if (job.kind == ReportKind::Notes) notes_(window.station, location.notes);
    job.locations.push_back(location);
  }
  if (job.locations.empty()) {
    QMessageBox::information(this, "Print Report", "Select the locations to print.");
    return std::nullopt;
  }
  return job;
}

void PrintReportDialog::SetUpPrinter(QPrinter& printer, bool warn) {
  QString problem;
  const std::optional<PrinterChoice> choice = LoadPrinterChoice(PrinterFilePath(), &problem);
  QString notice;
  ApplyPrinterChoice(choice.value_or(PrinterChoice{}), printer, &notice);
  if (warn && !problem.isEmpty()) QMessageBox::warning(this, "Print Report", problem);
  if (warn && !notice.isEmpty()) QMessageBox::information(this, "Print Report", notice);
  printer.setFullPage(false);
  printer.setPageLayout(ReportPageLayout(options_, printer.pageLayout().pageSize()));
}

void PrintReportDialog::Report(PrintResult result, const QString& error) {
  ReportPrintResult(this, "Print Report", result, error);
}

void PrintReportDialog::Print() {
  StoreChoices();
  std::optional<ReportJob> job = Job();
  if (!job) return;
  ReportComposer composer(*job, options_, settings_);
  if (!composer.bitmapProblem().isEmpty()) QMessageBox::warning(this, "Print Report", composer.bitmapProblem());
  QPrinter printer(QPrinter::HighResolution);
  SetUpPrinter(printer, true);
  printer.setDocName(QString::fromStdString(
      ReportTitle(static_cast<int>(job->kind), kind_, static_cast<int>(job->format))));
  composer.LayOut(printer.pageLayout().paintRect(QPageLayout::Inch).size());
  QPrintDialog dialog(&printer, this);
  dialog.setMinMax(1, std::max(1, composer.pageCount()));
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  if (dialog.exec() != QDialog::Accepted) return;
  // The print dialog may change the paper; keep the report's margins and orientation.
  printer.setPageLayout(ReportPageLayout(options_, printer.pageLayout().pageSize()));
  const bool range = printer.printRange() == QPrinter::PageRange;
  PrintProgressBox progress(this, composer.pageCount());
  QString error;
  const PrintResult result =
      PrintOnPrinter(printer, ComposerPages(composer), [&](int index, int count) { return progress.Step(index, count); },
                     &error, range ? printer.fromPage() : 0, range ? printer.toPage() : 0);
  progress.Close();
  Report(result, error);
}

void PrintReportDialog::Preview() {
  StoreChoices();
  std::optional<ReportJob> job = Job();
  if (!job) return;
  ReportComposer composer(*job, options_, settings_);
  QPrinter printer(QPrinter::ScreenResolution);
  SetUpPrinter(printer, false);
  printer.setResolution(PreviewDpi(options_.previewRes));
  printer.setDocName(QString::fromStdString(
      ReportTitle(static_cast<int>(job->kind), kind_, static_cast<int>(job->format))));
  const PrintResult result = RunPrintPreview(this, printer, ComposerPages(composer), [this](QPrinter& target) {
    target.setPageLayout(ReportPageLayout(options_, target.pageLayout().pageSize()));
  });
  Report(result, QString());
}

void PrintReportDialog::EditOptions() {
  ReportOptionsDialog dialog(options_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  options_ = dialog.options();
  StoreChoices();
}

void PrintReportDialog::EditFonts() {
  ReportFontsDialog dialog(options_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  options_ = dialog.options();
  StoreChoices();
}

void PrintReportDialog::EditPageSetup() {
  PageSetupDialog dialog(options_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  options_ = dialog.options();
  StoreChoices();
}

void PrintReportDialog::EditPrinter() {
  QString problem;
  const PrinterChoice current = LoadPrinterChoice(PrinterFilePath(), &problem).value_or(PrinterChoice{});
  if (!problem.isEmpty()) QMessageBox::warning(this, "Printer Setup", problem);
  PrinterSetupDialog dialog(current, PrinterFilePath(), this);
  dialog.exec();
}

}  // namespace qw
