#include "app/date_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/time_zone.h"

namespace qw {
SetDateDialog::SetDateDialog(const QDate& date, bool affectsAll, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Set Date");
  auto* layout = new QVBoxLayout(this);
  date_ = new QDateEdit(date);
  date_->setDisplayFormat("M/dd/yyyy");
  date_->setCalendarPopup(true);
  // The supported prediction range.
  date_->setDateRange(QDate(1901, 1, 1), QDate(2099, 12, 31));
  layout->addWidget(date_);
  all_ = new QCheckBox("Date change affects &ALL open windows");
  all_->setChecked(affectsAll);
  layout->addWidget(all_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QDate SetDateDialog::date() const { return date_->date(); }
bool SetDateDialog::affectsAll() const { return all_->isChecked(); }

QDate ParseSetDateText(const std::string& text) {
  return QDate::fromString(QString::fromStdString(text), "MM/dd/yyyy");
}

std::string FormatSetDateText(const QDate& date) { return date.toString("MM/dd/yyyy").toStdString(); }

IntlDaylightDialog::IntlDaylightDialog(int minutes, QWidget* parent) : QDialog(parent) {
  setWindowTitle("International Daylight Savings");
  auto* layout = new QVBoxLayout(this);
  enable_ = new QCheckBox("&Enable Daylight Savings");
  layout->addWidget(enable_);
  auto* row = new QHBoxLayout;
  label_ = new QLabel("&Daylight Correction:");
  list_ = new QComboBox;
  for (int entry = 0; entry < kIntlDaylightEntryCount; ++entry) list_->addItem(IntlDaylightEntryText(entry));
  label_->setBuddy(list_);
  row->addWidget(label_);
  row->addWidget(list_, 1);
  layout->addLayout(row);
  auto* note = new QLabel(
      "Applies only to stations without a known time zone (hand-made custom locations). "
      "Every other station keeps its own clock, daylight saving included.");
  note->setWordWrap(true);
  layout->addWidget(note);
  auto* buttons = new QDialogButtonBox;
  buttons->addButton("O&K", QDialogButtonBox::AcceptRole);
  buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  const IntlDaylightChoice choice = IntlDaylightChoiceFromMinutes(minutes);
  list_->setCurrentIndex(choice.entry);
  enable_->setChecked(choice.enabled);
  auto enableList = [this](bool on) {
    label_->setEnabled(on);
    list_->setEnabled(on);
  };
  enableList(choice.enabled);
  connect(enable_, &QCheckBox::toggled, this, enableList);
}

int IntlDaylightDialog::minutes() const {
  return IntlDaylightMinutesFromChoice({enable_->isChecked(), list_->currentIndex()});
}

}  // namespace qw
