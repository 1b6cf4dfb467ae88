// "Printer Setup": chooses the printer this program's reports print on, apart from the
// system's default printer. "&Setup..." sets its paper, "Set As &Default Printer" keeps
// the choice in VELDAPRN.DEV, "&Close" leaves.
#pragma once

#include <QDialog>

#include "reports/printer_store.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qw {

class PrinterSetupDialog : public QDialog {
  Q_OBJECT

 public:
  PrinterSetupDialog(const PrinterChoice& current, const QString& filePath, QWidget* parent = nullptr);
  // The choice as the dialog shows it now (stored or not).
  PrinterChoice choice() const;
  bool saved() const { return saved_; }

 private:
  void UpdateDescription();
  void Setup();
  void SetAsDefault();

  PrinterChoice choice_;
  QString filePath_;
  QComboBox* printers_;
  QLineEdit* outputFile_;
  QPushButton* browse_;
  QLabel* description_;
  bool saved_ = false;
};

}  // namespace qw
