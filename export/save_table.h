// "Save..." of a results window: the "Save Tabular Window Data" dialog and the save it
// confirms, through the DIF, SYLK or text writer, to a file or to the clipboard.
#pragma once

#include <QDialog>

#include "export/save_options.h"
#include "search/results_window.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qw {

class SaveTableDialog : public QDialog {
  Q_OBJECT

 public:
  SaveTableDialog(const SaveTableOptions& options, QWidget* parent = nullptr);
  const SaveTableOptions& options() const { return options_; }

 private:
  SaveFormat Format() const;
  void FormatChanged();
  void UpdateEnabled();
  void Browse();
  void Confirm();

  SaveTableOptions options_;
  QRadioButton* toClipboard_;
  QRadioButton* toFile_;
  QLineEdit* file_;
  QPushButton* browse_;
  QRadioButton* dif_;
  QRadioButton* sylk_;
  QRadioButton* ascii_;
  QComboBox* fieldDelimiter_;
  QComboBox* recordDelimiter_;
};

// Runs the dialog for the window's table and saves it; the options last for the run of
// the program.
void SaveResultsTable(ResultsWindow& window, QWidget* parent);

// Puts bytes on the clipboard in the format of a save: DIF and SYLK under their
// spreadsheet clipboard types (and as plain text), text as plain text.
void PutOnClipboard(const std::string& bytes, SaveFormat format);

}  // namespace qw
