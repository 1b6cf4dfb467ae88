// Printing a tabular results window (nearest stations, event search, data export): its
// heading lines above a table of its rows, the row labels in the first column, as many
// rows to a page as fit, with "Page %d" footers and an optional grid.
//
// The table is any Qt item model (the results windows' own model), read through its
// header and display data; the printout is planned once for the page and then printed
// page by page through the same loop rules as the reports (Cancel between pages).
#pragma once

#include <QAbstractItemModel>
#include <QDialog>
#include <QPagedPaintDevice>
#include <QStringList>
#include <vector>

#include "reports/print_loop.h"
#include "settings/profile_file.h"

class QCheckBox;

namespace qw {

struct TableReportOptions {
  bool pageNumbers = true;  // "Show Page &numbers"
  bool grid = true;         // "Show &grid on report"
  bool color = false;       // print the rows' background colours
  bool operator==(const TableReportOptions&) const = default;
};

// Section "PrintTabular", keys "PageNumbers", "Grid"; the colour choice is the reports'
// "UseColor".
TableReportOptions LoadTableReportOptions(const ProfileFile& file);
void SaveTableReportOptions(const TableReportOptions& options, ProfileFile& file);

class TableReport {
 public:
  TableReport(const QAbstractItemModel& model, QStringList headings, TableReportOptions options);

  // Lays the table out for a page of `pageRect` (device pixels) at `dpi`: the columns'
  // widths and the rows of each page. Returns the page count (at least 1).
  int Plan(const QRectF& pageRect, double dpi);
  // The first row of each page, after Plan.
  const std::vector<int>& pageStarts() const { return pageStarts_; }

  void DrawPage(QPainter& painter, int page) const;

  // The table's pages for the print loop, planned for the device they print on.
  PageSource Pages();
  // Prints every page on the device (planned for its page) through the print loop.
  PrintResult Print(QPagedPaintDevice& device, const PrintProgress& progress);

 private:
  QString Text(int row, int column) const;  // column -1 is the row label

  const QAbstractItemModel& model_;
  QStringList headings_;
  TableReportOptions options_;
  QRectF page_;
  double dpi_ = 72;
  double fontPoints_ = 8;
  double rowHeight_ = 0;
  double headerHeight_ = 0;
  double footerHeight_ = 0;
  std::vector<double> widths_;  // label column first
  std::vector<int> pageStarts_;
};

// "Print Tabular Report": the page number, grid and colour choices.
class PrintTableDialog : public QDialog {
  Q_OBJECT

 public:
  PrintTableDialog(const TableReportOptions& options, QWidget* parent = nullptr);
  TableReportOptions options() const;

 private:
  QCheckBox* pageNumbers_;
  QCheckBox* grid_;
  QCheckBox* color_;
};

}  // namespace qw
