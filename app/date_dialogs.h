// The two small dialogs of the Time menu: "Set Date" and "International Daylight
// Savings".
#pragma once

#include <QDate>
#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;

namespace qw {

// "Set Date": a date picker in the form M/dd/yyyy and the check box
// "Date change affects &ALL open windows".
class SetDateDialog : public QDialog {
  Q_OBJECT

 public:
  SetDateDialog(const QDate& date, bool affectsAll, QWidget* parent = nullptr);
  QDate date() const;
  bool affectsAll() const;

 private:
  QDateEdit* date_ = nullptr;
  QCheckBox* all_ = nullptr;
};

// The Set Date dialog's last choice as stored ("%m/%d/%Y"); invalid when absent.
QDate ParseSetDateText(const std::string& text);
std::string FormatSetDateText(const QDate& date);

// The international daylight-saving correction's choices: 30, 60, 90, 120, 150 minutes.
// The list entry shown for a stored value (any other value shows "Add 60 Minutes").
int IntlDaylightEntryFor(int minutes);
// The value stored for the dialog's state: 0 when the box is clear; else the entry's
// minutes (60 when no entry is selected).
int IntlDaylightMinutesFor(bool enabled, int entry);

class IntlDaylightDialog : public QDialog {
  Q_OBJECT

 public:
  IntlDaylightDialog(int minutes, QWidget* parent = nullptr);
  // The new value of IntlDaylightSavings.
  int minutes() const;

 private:
  QCheckBox* enable_ = nullptr;
  QLabel* label_ = nullptr;
  QComboBox* list_ = nullptr;
};

}  // namespace qw
