// The table of a tabular results window (nearest stations, event search, data export)
// as a Qt model: column titles, widths and colours, four heading lines, the window
// title, and rows with a label (the row number), cell texts, a per-row record and an
// optional row colour.
//
// The results windows show it through a QTableView, the spreadsheet writers read it,
// the command-line tool fills and prints it, and the tests inspect it; nothing reads a
// result back from a widget. Cell texts are UTF-8.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "search/result_rows.h"

namespace qw {

// The results window kinds, by the numbers the windows are known by.
enum class ResultsKind { Nearest = 4, EventSearch = 8, Export = 16 };

class ResultsTable : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kHeadingLines = 4;

  struct Column {
    std::string title;
    int widthPixels = 100;
    QColor background;  // invalid: the view's own
  };

  explicit ResultsTable(ResultsKind kind, QObject* parent = nullptr);

  ResultsKind kind() const { return kind_; }

  const std::string& windowTitle() const { return windowTitle_; }
  void SetWindowTitle(std::string title);

  // Heading lines 0..3 (the first line is "line 1" of the window).
  const std::string& heading(int line) const;
  void SetHeading(int line, std::string text);
  void SetHeadings(std::array<std::string, kHeadingLines> lines);
  // The title of a saved table: "%s: %s" of heading lines 1 and 2, or two blanks when
  // the window carries no heading.
  std::string TableTitle() const;

  // Replaces the columns and removes every row.
  void SetColumns(std::vector<Column> columns);
  int columns() const { return static_cast<int>(columns_.size()); }
  const Column& column(int index) const { return columns_.at(static_cast<size_t>(index)); }
  void SetColumnWidth(int index, int widthPixels);

  int rows() const { return static_cast<int>(rows_.size()); }
  void ClearRows();
  // Appends an empty row labelled with its row number; returns its index.
  int AppendRow(RowRecord record = {});
  // Inserts an empty row before `at` (0..rows()); its label is left empty until
  // RenumberRows.
  void InsertRow(int at, RowRecord record);
  void RemoveRow(int row);
  void SetCell(int row, int column, std::string text);
  // The cell's text; empty for a cell never set.
  const std::string& Cell(int row, int column) const;
  // True when no cell of the row was ever set.
  bool RowEmpty(int row) const;
  const std::string& RowLabel(int row) const;
  // Labels the rows "1" .. "N".
  void RenumberRows();
  const RowRecord& record(int row) const { return rows_.at(static_cast<size_t>(row)).record; }
  void SetRecord(int row, RowRecord record);
  void SetRowBackground(int row, QColor colour);

  // Long fills (a search, an export) change the rows without telling the views row by
  // row; EndBulk tells them once. Calls nest.
  void BeginBulk();
  void EndBulk();

  // QAbstractTableModel
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 signals:
  void headingsChanged();
  void windowTitleChanged();

 private:
  struct Row {
    std::string label;
    std::vector<std::string> cells;
    RowRecord record;
    std::optional<QColor> background;
  };

  bool Notifying() const { return bulkDepth_ == 0; }

  ResultsKind kind_;
  std::string windowTitle_;
  std::array<std::string, kHeadingLines> headings_;
  std::vector<Column> columns_;
  std::vector<Row> rows_;
  int bulkDepth_ = 0;
};

}  // namespace qw
