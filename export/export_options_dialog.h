// "Export Data Options": the field and record delimiters, the date format of the Date
// field (order, month, separators, day, year, with a sample) and the two decimals.
#pragma once

#include <QDialog>

#include "export/export_settings.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace qw {

class ExportOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  ExportOptionsDialog(const ExportSettings& settings, QWidget* parent = nullptr);
  // The settings with the dialog's choices (only the keys this dialog owns change).
  ExportSettings Apply(ExportSettings settings) const;

 private:
  ExportDateFormat Format() const;
  void Arrange();

  QComboBox* fieldDelimiter_;
  QComboBox* recordDelimiter_;
  QRadioButton* mdy_;
  QRadioButton* dmy_;
  QRadioButton* ymd_;
  QComboBox* month_;
  QComboBox* day_;
  QComboBox* year_;
  QLineEdit* separator1_;
  QLineEdit* separator2_;
  QWidget* monthBox_;
  QWidget* dayBox_;
  QWidget* yearBox_;
  QWidget* separator1Box_;
  QWidget* separator2Box_;
  QHBoxLayout* parts_;
  QLabel* sample_;
  QCheckBox* hundredths_;
};

}  // namespace qw
