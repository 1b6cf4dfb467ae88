// The tabular results window of the nearest-station search, the event search and the
// data export: the buttons "Search...", "Open...", "Font..." and "Save...", four heading
// lines, and the result list with its row numbers, drawn from a ResultsTable.
//
// The window only shows and asks: its buttons are signals that the search and export
// commands answer.
#pragma once

#include <QFont>
#include <QWidget>
#include <array>
#include <vector>

#include "search/results_table.h"
#include "shell/printable_table.h"

class QLabel;
class QPushButton;
class QTableView;

namespace qw {

class ResultsWindow : public QWidget, public PrintableTable {
  Q_OBJECT

 public:
  ResultsWindow(ResultsKind kind, const QFont& headerFont, const QFont& bodyFont, QWidget* parent = nullptr);

  ResultsTable& table() { return *table_; }
  const ResultsTable& table() const { return *table_; }
  QTableView* view() const { return view_; }

  // The selected rows in list order, at most `limit`.
  std::vector<int> SelectedRows(int limit) const;

  // PrintableTable: the table under its heading lines.
  const QAbstractItemModel& printModel() const override { return *table_; }
  QStringList printHeadings() const override;

  void SetFonts(const QFont& header, const QFont& body);
  QFont headerFont() const { return headerFont_; }
  QFont bodyFont() const { return bodyFont_; }

  // Column widths in characters as the spreadsheet writers take them: each column's
  // width on screen divided by the average character width of the list's font.
  std::vector<int> ColumnWidthsInCharacters();

  // While a search or an export fills the table the list is not repainted, and the
  // window refuses to close.
  void SetBusy(bool busy);
  bool busy() const { return busy_; }

 signals:
  void searchClicked();
  void openClicked();
  void fontClicked();
  void saveClicked();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowHeadings();
  void ApplyColumnWidths();

  ResultsTable* table_;
  QTableView* view_;
  std::array<QLabel*, ResultsTable::kHeadingLines> headings_{};
  QFont headerFont_;
  QFont bodyFont_;
  bool busy_ = false;
};

}  // namespace qw
