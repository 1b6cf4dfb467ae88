#include "export/calendar_dialog.h"

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/calendar.h"
#include "engine/string_table.h"
#include "export/calendar_export.h"
#include "export/calendar_texts.h"
#include "export/export_texts.h"
#include "present/qt_date.h"
#include "search/search_texts.h"

namespace qw {
namespace {

QString Text(int id) { return QString::fromUtf8(StringText(id)); }

// The name with ".ics" added when it has no extension of its own.
QString WithExtension(const QString& name) {
  return name.isEmpty() || !QFileInfo(name).suffix().isEmpty() ? name : name + ".ics";
}

}  // namespace

CalendarDialog::CalendarDialog(const QString& locationName, StationKind kind, CalendarChoice& choice, QWidget* parent)
    : QDialog(parent), choice_(choice) {
  setWindowTitle(Text(text::kCalendarDialogTitle));
  auto* location = new QLabel(locationName, this);

  from_ = new QDateEdit(QDateOfMinute(choice.firstDay), this);
  to_ = new QDateEdit(QDateOfMinute(choice.lastDay), this);
  from_->setObjectName("from");
  to_->setObjectName("to");
  for (QDateEdit* edit : {from_, to_}) {
    edit->setCalendarPopup(true);
    edit->setDisplayFormat("MM/dd/yyyy");
    edit->setDateRange(QDate(1901, 1, 1), QDate(2099, 12, 31));
  }

  water_ = new QCheckBox(Text(kind == StationKind::Tide ? text::kCalendarTideEvents : text::kCalendarCurrentEvents), this);
  sun_ = new QCheckBox(Text(text::kCalendarSunEvents), this);
  moon_ = new QCheckBox(Text(text::kCalendarMoonEvents), this);
  phases_ = new QCheckBox(Text(text::kCalendarPhaseEvents), this);
  water_->setObjectName("water");
  sun_->setObjectName("sun");
  moon_->setObjectName("moon");
  phases_->setObjectName("phases");
  water_->setChecked(choice.events & kCalendarWater);
  sun_->setChecked(choice.events & kCalendarSun);
  moon_->setChecked(choice.events & kCalendarMoon);
  phases_->setChecked(choice.events & kCalendarPhases);
  auto* eventBox = new QGroupBox(Text(text::kCalendarEvents), this);
  auto* eventLayout = new QVBoxLayout(eventBox);
  for (QCheckBox* box : {water_, sun_, moon_, phases_}) eventLayout->addWidget(box);

  file_ = new QLineEdit(choice.file, this);
  file_->setObjectName("file");
  file_->setMinimumWidth(320);
  auto* browse = new QPushButton(Text(text::kBrowseButton), this);
  connect(browse, &QPushButton::clicked, this, &CalendarDialog::Browse);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(file_, 1);
  fileRow->addWidget(browse);

  auto* form = new QFormLayout;
  form->addRow(Text(text::kLocationLabel), location);
  form->addRow(Text(text::kFromDate), from_);
  form->addRow(Text(text::kToDate), to_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  QPushButton* exportButton = buttons->addButton(Text(text::kExportButton), QDialogButtonBox::AcceptRole);
  exportButton->setObjectName("export");
  exportButton->setDefault(true);
  connect(exportButton, &QPushButton::clicked, this, &CalendarDialog::ExportClicked);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(eventBox);
  layout->addWidget(new QLabel(Text(text::kCalendarFileCaption), this));
  layout->addLayout(fileRow);
  layout->addWidget(buttons);
}

void CalendarDialog::Browse() {
  const QString name = QFileDialog::getSaveFileName(this, Text(text::kCalendarFileCaption), file_->text(),
                                                    Text(text::kCalendarFileFilter));
  if (!name.isEmpty()) file_->setText(WithExtension(name));
}

void CalendarDialog::ExportClicked() {
  const unsigned events = (water_->isChecked() ? kCalendarWater : 0u) | (sun_->isChecked() ? kCalendarSun : 0u) |
                          (moon_->isChecked() ? kCalendarMoon : 0u) | (phases_->isChecked() ? kCalendarPhases : 0u);
  if (to_->date() < from_->date()) {
    QMessageBox::warning(this, Text(text::kDateErrorCaption), Text(text::kEndDateBeforeStart));
    return;
  }
  if (events == 0) {
    QMessageBox::warning(this, Text(text::kCalendarErrorCaption), Text(text::kCalendarNoEvents));
    return;
  }
  const QString file = WithExtension(file_->text().trimmed());
  if (file.isEmpty()) {
    QMessageBox::warning(this, Text(text::kCalendarErrorCaption), Text(text::kCalendarNoFileName));
    return;
  }
  // A name typed by hand may be an existing file; the save dialog has asked already for
  // a name chosen there, but asking again costs one click.
  if (QFileInfo::exists(file)) {
    const QString question = QString::fromStdString(FormatString(text::kExportFileExists, file.toLocal8Bit().constData()));
    if (QMessageBox::question(this, Text(text::kFileExistsCaption), question, QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes) {
      return;
    }
  }
  choice_.firstDay = MinuteOfQDate(from_->date());
  choice_.lastDay = MinuteOfQDate(to_->date());
  choice_.events = events;
  choice_.file = file;
  accept();
}

}  // namespace qw
