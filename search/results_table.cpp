#include "search/results_table.h"

#include <QString>

namespace qw {
namespace {

const std::string kEmpty;

QString Text(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

ResultsTable::ResultsTable(ResultsKind kind, QObject* parent) : QAbstractTableModel(parent), kind_(kind) {}

void ResultsTable::SetWindowTitle(std::string title) {
  windowTitle_ = std::move(title);
  emit windowTitleChanged();
}

const std::string& ResultsTable::heading(int line) const {
  return line >= 0 && line < kHeadingLines ? headings_[static_cast<size_t>(line)] : kEmpty;
}

void ResultsTable::SetHeading(int line, std::string text) {
  if (line < 0 || line >= kHeadingLines) return;
  headings_[static_cast<size_t>(line)] = std::move(text);
  emit headingsChanged();
}

void ResultsTable::SetHeadings(std::array<std::string, kHeadingLines> lines) {
  headings_ = std::move(lines);
  emit headingsChanged();
}

std::string ResultsTable::TableTitle() const {
  if (headings_[0].empty() && headings_[1].empty()) return "  ";
  return headings_[0] + ": " + headings_[1];
}

void ResultsTable::SetColumns(std::vector<Column> columns) {
  beginResetModel();
  columns_ = std::move(columns);
  rows_.clear();
  endResetModel();
}

void ResultsTable::SetColumnWidth(int index, int widthPixels) {
  if (index < 0 || index >= columns()) return;
  columns_[static_cast<size_t>(index)].widthPixels = widthPixels;
}

void ResultsTable::ClearRows() {
  if (rows_.empty()) return;
  if (Notifying()) beginResetModel();
  rows_.clear();
  if (Notifying()) endResetModel();
}

int ResultsTable::AppendRow(RowRecord record) {
  const int at = rows();
  if (Notifying()) beginInsertRows(QModelIndex(), at, at);
  rows_.push_back(Row{std::to_string(at + 1), {}, std::move(record), std::nullopt});
  if (Notifying()) endInsertRows();
  return at;
}

void ResultsTable::InsertRow(int at, RowRecord record) {
  if (at < 0 || at > rows()) at = rows();
  if (Notifying()) beginInsertRows(QModelIndex(), at, at);
  rows_.insert(rows_.begin() + at, Row{std::string(), {}, std::move(record), std::nullopt});
  if (Notifying()) endInsertRows();
}

void ResultsTable::SetRecord(int row, RowRecord record) { rows_.at(static_cast<size_t>(row)).record = std::move(record); }

void ResultsTable::RemoveRow(int row) {
  if (row < 0 || row >= rows()) return;
  if (Notifying()) beginRemoveRows(QModelIndex(), row, row);
  rows_.erase(rows_.begin() + row);
  if (Notifying()) endRemoveRows();
}

void ResultsTable::SetCell(int row, int column, std::string text) {
  if (row < 0 || row >= rows() || column < 0) return;
  std::vector<std::string>& cells = rows_[static_cast<size_t>(row)].cells;
  if (static_cast<size_t>(column) >= cells.size()) cells.resize(static_cast<size_t>(column) + 1);
  cells[static_cast<size_t>(column)] = std::move(text);
  if (Notifying()) emit dataChanged(index(row, column), index(row, column));
}

const std::string& ResultsTable::Cell(int row, int column) const {
  if (row < 0 || row >= rows() || column < 0) return kEmpty;
  const std::vector<std::string>& cells = rows_[static_cast<size_t>(row)].cells;
  return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)] : kEmpty;
}

bool ResultsTable::RowEmpty(int row) const {
  return row < 0 || row >= rows() || rows_[static_cast<size_t>(row)].cells.empty();
}

const std::string& ResultsTable::RowLabel(int row) const {
  return row >= 0 && row < rows() ? rows_[static_cast<size_t>(row)].label : kEmpty;
}

void ResultsTable::RenumberRows() {
  for (size_t i = 0; i < rows_.size(); ++i) rows_[i].label = std::to_string(i + 1);
  if (Notifying() && !rows_.empty()) emit headerDataChanged(Qt::Vertical, 0, rows() - 1);
}

void ResultsTable::SetRowBackground(int row, QColor colour) {
  if (row < 0 || row >= rows()) return;
  rows_[static_cast<size_t>(row)].background = colour;
  if (Notifying() && columns() > 0) emit dataChanged(index(row, 0), index(row, columns() - 1));
}

void ResultsTable::BeginBulk() {
  if (bulkDepth_++ == 0) beginResetModel();
}

void ResultsTable::EndBulk() {
  if (bulkDepth_ > 0 && --bulkDepth_ == 0) endResetModel();
}

int ResultsTable::rowCount(const QModelIndex& parent) const {
  // While a bulk change runs the views have been told of a reset and keep no rows.
  return parent.isValid() || !Notifying() ? 0 : rows();
}

int ResultsTable::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns(); }

QVariant ResultsTable::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows() || index.column() >= columns()) return {};
  const Row& row = rows_[static_cast<size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return Text(Cell(index.row(), index.column()));
    case Qt::BackgroundRole: {
      // The colour goes out by its type's number rather than as a brush: the views take it
      // for a solid brush, and the table links none of Qt Gui's code, which quaywise-cli's
      // tables then start without.
      const QColor colour = row.background ? *row.background : column(index.column()).background;
      return colour.isValid() ? QVariant(QMetaType(QMetaType::QColor), &colour) : QVariant();
    }
    default:
      return {};
  }
}

QVariant ResultsTable::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) {
    return section >= 0 && section < columns() ? Text(column(section).title) : QVariant();
  }
  return section >= 0 && section < rows() ? Text(RowLabel(section)) : QVariant();
}

}  // namespace qw
