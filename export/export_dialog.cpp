#include "export/export_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/calendar.h"
#include "engine/string_table.h"
#include "export/data_export.h"
#include "export/export_fields.h"
#include "export/export_options_dialog.h"
#include "export/export_texts.h"
#include "present/qt_date.h"
#include "search/event_search_dialog.h"
#include "search/search_texts.h"
#include "shell/datum_menu.h"

namespace qw {
namespace {

QString Text(int id) { return QString::fromUtf8(StringText(id)); }

}  // namespace

ExportDialog::ExportDialog(const std::vector<LocationWindow*>& locations, ProfileFile& file, EngineMinute& firstDay,
                           EngineMinute& lastDay, QWidget* parent)
    : QDialog(parent), file_(file), firstDay_(firstDay), lastDay_(lastDay), settings_(ReadExportSettings(file)) {
  setWindowTitle(Text(text::kExportDialogTitle));
  location_ = new QComboBox(this);
  for (LocationWindow* window : locations) {
    windows_.emplace_back(window);
    location_->addItem(window->locationName());
  }
  location_->setCurrentIndex(0);
  datum_ = new QComboBox(this);
  datum_->setObjectName("datum");

  toWindow_ = new QRadioButton(Text(text::kToResultsWindow), this);
  toWindow_->setObjectName("toWindow");
  toClipboard_ = new QRadioButton(Text(text::kToClipboard), this);
  toFile_ = new QRadioButton(Text(text::kToFile), this);
  toFile_->setObjectName("toFile");
  auto* destinations = new QButtonGroup(this);
  for (QRadioButton* b : {toWindow_, toClipboard_, toFile_}) destinations->addButton(b);
  (settings_.destination == 'C' ? toClipboard_ : settings_.destination == 'F' ? toFile_ : toWindow_)->setChecked(true);
  file_edit_ = new QLineEdit(QString::fromStdString(settings_.file), this);
  file_edit_->setObjectName("file");
  file_edit_->setMaxLength(static_cast<int>(kMaxExportPathBytes));
  browse_ = new QPushButton(Text(text::kBrowseButton), this);
  browse_->setObjectName("browse");
  header_ = new QCheckBox(Text(text::kIncludeHeader), this);
  header_->setChecked(settings_.includeHeader);
  auto* destinationBox = new QGroupBox(this);
  auto* destinationGrid = new QGridLayout(destinationBox);
  destinationGrid->addWidget(toWindow_, 0, 0, 1, 3);
  destinationGrid->addWidget(toClipboard_, 1, 0, 1, 3);
  destinationGrid->addWidget(toFile_, 2, 0);
  destinationGrid->addWidget(file_edit_, 2, 1);
  destinationGrid->addWidget(browse_, 2, 2);
  destinationGrid->addWidget(header_, 3, 0, 1, 3);

  valueLabel_ = new QLabel(this);
  eventsOnly_ = new QRadioButton(this);
  eventsOnly_->setObjectName("eventsOnly");
  every_ = new QRadioButton(this);
  auto* values = new QButtonGroup(this);
  values->addButton(eventsOnly_);
  values->addButton(every_);
  (settings_.eventsOnly ? eventsOnly_ : every_)->setChecked(true);
  interval_ = new QComboBox(this);
  for (int i = 0; i < kIntervalCount; ++i) interval_->addItem(Text(text::kIntervalNames + i));
  interval_->setCurrentIndex(IntervalPosition(settings_.intervalMinutes));
  auto* valueBox = new QGroupBox(this);
  auto* valueGrid = new QGridLayout(valueBox);
  valueGrid->addWidget(valueLabel_, 0, 0, 1, 2);
  valueGrid->addWidget(eventsOnly_, 1, 0, 1, 2);
  valueGrid->addWidget(every_, 2, 0);
  valueGrid->addWidget(interval_, 2, 1);

  from_ = new QDateEdit(QDateOfMinute(firstDay), this);
  to_ = new QDateEdit(QDateOfMinute(lastDay), this);
  from_->setObjectName("from");
  to_->setObjectName("to");
  for (QDateEdit* edit : {from_, to_}) {
    edit->setCalendarPopup(true);
    edit->setDisplayFormat("MM/dd/yyyy");
    edit->setDateRange(QDate(1901, 1, 1), QDate(2099, 12, 31));
  }
  auto* dates = new QFormLayout;
  dates->addRow(Text(text::kFromDate), from_);
  dates->addRow(Text(text::kToDate), to_);

  source_ = new QListWidget(this);
  target_ = new QListWidget(this);
  repeat_ = new QSpinBox(this);
  repeat_->setRange(1, kMaxRepeatCount);
  repeat_->setValue(settings_.repeatCount);
  for (int id : ParseTargetFields(settings_.targetFields)) {
    auto* item = new QListWidgetItem(QString::fromStdString(ExportFieldListText(id, settings_.repeatCount)), target_);
    item->setData(Qt::UserRole, id);
  }
  RefillSource();
  auto* select = new QPushButton(Text(text::kSelectField), this);
  auto* remove = new QPushButton(Text(text::kDeleteField), this);
  auto* removeAll = new QPushButton(Text(text::kDeleteAll), this);
  auto* fieldButtons = new QVBoxLayout;
  fieldButtons->addStretch(1);
  fieldButtons->addWidget(select);
  fieldButtons->addWidget(remove);
  fieldButtons->addWidget(removeAll);
  fieldButtons->addStretch(1);
  auto* fields = new QGridLayout;
  auto* sourceLabel = new QLabel(Text(text::kSourceFieldsLabel), this);
  sourceLabel->setBuddy(source_);
  auto* targetLabel = new QLabel(Text(text::kTargetFieldsLabel), this);
  targetLabel->setBuddy(target_);
  fields->addWidget(sourceLabel, 0, 0);
  fields->addWidget(targetLabel, 0, 2);
  fields->addWidget(source_, 1, 0);
  fields->addLayout(fieldButtons, 1, 1);
  fields->addWidget(target_, 1, 2);
  auto* repeatRow = new QHBoxLayout;
  auto* repeatLabel = new QLabel(Text(text::kRepeatCountLabel), this);
  repeatLabel->setBuddy(repeat_);
  repeatRow->addWidget(repeatLabel);
  repeatRow->addWidget(repeat_);
  repeatRow->addStretch(1);
  fields->addLayout(repeatRow, 2, 2);

  auto* options = new QPushButton(Text(text::kOptionsButton), this);
  auto* exportButton = new QPushButton(Text(text::kExportButton), this);
  exportButton->setDefault(true);
  exportButton->setObjectName("export");
  auto* cancel = new QPushButton("Cancel", this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(options);
  buttons->addStretch(1);
  buttons->addWidget(exportButton);
  buttons->addWidget(cancel);

  auto* top = new QFormLayout;
  top->addRow(Text(text::kExportLocationLabel), location_);
  top->addRow("&Datum:", datum_);
  auto* middle = new QHBoxLayout;
  middle->addWidget(destinationBox, 2);
  auto* right = new QVBoxLayout;
  right->addWidget(valueBox);
  right->addLayout(dates);
  middle->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(middle);
  layout->addLayout(fields);
  layout->addLayout(buttons);

  connect(location_, &QComboBox::currentIndexChanged, this, &ExportDialog::LocationChanged);
  for (QRadioButton* b : {toWindow_, toClipboard_, toFile_}) {
    connect(b, &QRadioButton::toggled, this, &ExportDialog::DestinationChanged);
  }
  connect(browse_, &QPushButton::clicked, this, &ExportDialog::Browse);
  connect(select, &QPushButton::clicked, this, &ExportDialog::SelectField);
  connect(source_, &QListWidget::itemDoubleClicked, this, &ExportDialog::SelectField);
  connect(remove, &QPushButton::clicked, this, &ExportDialog::DeleteField);
  connect(target_, &QListWidget::itemDoubleClicked, this, &ExportDialog::DeleteField);
  connect(removeAll, &QPushButton::clicked, target_, &QListWidget::clear);
  connect(repeat_, &QSpinBox::valueChanged, this, &ExportDialog::RepeatChanged);
  connect(options, &QPushButton::clicked, this, &ExportDialog::Options);
  connect(exportButton, &QPushButton::clicked, this, &ExportDialog::ExportClicked);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  LocationChanged();
  DestinationChanged();
}

LocationWindow* ExportDialog::location() const {
  const int i = location_->currentIndex();
  return i >= 0 && i < static_cast<int>(windows_.size()) ? windows_[static_cast<size_t>(i)].data() : nullptr;
}

void ExportDialog::LocationChanged() {
  LocationWindow* window = location();
  const bool tide = !window || window->station().kind == StationKind::Tide;
  valueLabel_->setText(Text(tide ? text::kTideValueLabel : text::kCurrentValueLabel));
  eventsOnly_->setText(Text(tide ? text::kTideExtremesChoice : text::kCurrentEventsChoice));
  every_->setText(Text(tide ? text::kTideEveryChoice : text::kCurrentEveryChoice));
  FillDatumBox(*datum_, window);
}

std::string ExportDialog::datum() const { return datum_->currentData().toString().toStdString(); }

void ExportDialog::DestinationChanged() {
  const bool file = toFile_->isChecked();
  file_edit_->setEnabled(file);
  browse_->setEnabled(file);
  header_->setEnabled(!toWindow_->isChecked());
}

void ExportDialog::RefillSource() {
  const int selected = std::max(0, source_->currentRow());
  source_->clear();
  for (int id = 0; id < kExportFieldCount; ++id) {
    auto* item = new QListWidgetItem(QString::fromStdString(ExportFieldListText(id, repeat_->value())), source_);
    item->setData(Qt::UserRole, id);
  }
  source_->setCurrentRow(selected);
}

void ExportDialog::RepeatChanged() {
  RefillSource();
  for (int row = 0; row < target_->count(); ++row) {
    QListWidgetItem* item = target_->item(row);
    if (item->data(Qt::UserRole).toInt() == kFieldStartRepeat) {
      item->setText(QString::fromStdString(ExportFieldListText(kFieldStartRepeat, repeat_->value())));
    }
  }
}

void ExportDialog::SelectField() {
  QListWidgetItem* item = source_->currentItem();
  if (!item) return;
  const int id = item->data(Qt::UserRole).toInt();
  const std::vector<int> ids = TargetIds();
  if (std::find(ids.begin(), ids.end(), id) == ids.end()) {
    auto* added = new QListWidgetItem(item->text(), target_);
    added->setData(Qt::UserRole, id);
  }
  // Move down to the next field, but not onto the last two entries.
  if (source_->currentRow() < source_->count() - 2) source_->setCurrentRow(source_->currentRow() + 1);
}

void ExportDialog::DeleteField() {
  const int row = target_->currentRow();
  if (row < 0) return;
  delete target_->takeItem(row);
  target_->setCurrentRow(std::min(row, target_->count() - 1));
}

void ExportDialog::Browse() {
  // A save dialog, which can name a file that does not exist yet; the dialog asks itself
  // before replacing one when the export runs.
  const QString name = QFileDialog::getSaveFileName(this, Text(text::kExportBrowseTitle), file_edit_->text(),
                                                    Text(text::kAllFilesFilter) + " (*)", nullptr,
                                                    QFileDialog::DontConfirmOverwrite);
  if (!name.isEmpty()) file_edit_->setText(name);
}

void ExportDialog::Options() {
  ExportOptionsDialog dialog(settings_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  settings_ = dialog.Apply(settings_);
  WriteExportSettings(settings_, file_);
  file_.Save();
}

std::vector<int> ExportDialog::TargetIds() const {
  std::vector<int> ids;
  for (int row = 0; row < target_->count(); ++row) ids.push_back(target_->item(row)->data(Qt::UserRole).toInt());
  return ids;
}

void ExportDialog::Collect() {
  settings_.location = location_->currentIndex();
  settings_.destination = toClipboard_->isChecked() ? 'C' : toFile_->isChecked() ? 'F' : 'S';
  settings_.file = file_edit_->text().toStdString();
  settings_.eventsOnly = eventsOnly_->isChecked();
  settings_.intervalMinutes = IntervalMinutesAt(interval_->currentIndex());
  settings_.repeatCount = repeat_->value();
  settings_.targetFields = FormatTargetFields(TargetIds());
  settings_.includeHeader = header_->isChecked();
}

void ExportDialog::ExportClicked() {
  if (to_->date() < from_->date()) {
    ShowTableMessage(this, text::kEndDateBeforeStart, text::kDateErrorCaption);
    return;
  }
  switch (CheckRepeatMarkers(TargetIds())) {
    case RepeatProblem::OnlyOneMarker: ShowTableMessage(this, text::kBothRepeatMarkers, text::kMissingRepeatCaption); return;
    case RepeatProblem::EndBeforeStart: ShowTableMessage(this, text::kRepeatOrder, text::kRepeatOrderCaption); return;
    default: break;
  }
  if (toFile_->isChecked() && QFileInfo::exists(file_edit_->text())) {
    const QString question = QString::fromStdString(
        FormatString(text::kExportFileExists, file_edit_->text().toStdString().c_str()));
    if (QMessageBox::question(this, Text(text::kFileExistsCaption), question, QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes) {
      return;
    }
  }
  Collect();
  WriteExportSettings(settings_, file_);
  file_.Save();
  if (target_->count() == 0) {
    ShowTableMessage(this, text::kNoTargetFields, text::kMissingTargetFieldsCaption);
    return;
  }
  firstDay_ = MinuteOfQDate(from_->date());
  lastDay_ = MinuteOfQDate(to_->date());
  accept();
}

}  // namespace qw
