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

// "International Daylight Savings": the check box "&Enable Daylight Savings" and the
// list of corrections, over the time-zone module's choice logic.
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
