#include "app/date_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/calendar.h"

namespace qw {
namespace {

constexpr int kIntlChoices[] = {30, 60, 90, 120, 150};

}  // namespace

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

int IntlDaylightEntryFor(int minutes) {
  for (int i = 0; i < 5; ++i) {
    if (kIntlChoices[i] == minutes) return i;
  }
  return 1;
}

int IntlDaylightMinutesFor(bool enabled, int entry) {
  if (!enabled) return 0;
  if (entry < 0 || entry >= 5) return 60;
  return kIntlChoices[entry];
}

IntlDaylightDialog::IntlDaylightDialog(int minutes, QWidget* parent) : QDialog(parent) {
  setWindowTitle("International Daylight Savings");
  auto* layout = new QVBoxLayout(this);
  enable_ = new QCheckBox("&Enable Daylight Savings");
  layout->addWidget(enable_);
  auto* row = new QHBoxLayout;
  label_ = new QLabel("&Daylight Correction:");
  list_ = new QComboBox;
  for (int choice : kIntlChoices) list_->addItem(QString("Add %1 Minutes").arg(choice));
  label_->setBuddy(list_);
  row->addWidget(label_);
  row->addWidget(list_, 1);
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox;
  buttons->addButton("O&K", QDialogButtonBox::AcceptRole);
  buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  list_->setCurrentIndex(IntlDaylightEntryFor(minutes));
  enable_->setChecked(minutes != 0);
  auto enableList = [this](bool on) {
    label_->setEnabled(on);
    list_->setEnabled(on);
  };
  enableList(minutes != 0);
  connect(enable_, &QCheckBox::toggled, this, enableList);
}

int IntlDaylightDialog::minutes() const {
  return IntlDaylightMinutesFor(enable_->isChecked(), list_->currentIndex());
}

}  // namespace qw
