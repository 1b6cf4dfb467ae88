#include "search/results_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/help_viewer.h"

namespace qw {

ResultsWindow::ResultsWindow(ResultsKind kind, const QFont& headerFont, const QFont& bodyFont, QWidget* parent)
    : QWidget(parent), table_(new ResultsTable(kind, this)), view_(new QTableView(this)) {
  // Help, On Active Window opens the page of the search that made the table.
  setProperty(kHelpTopicProperty, kind == ResultsKind::Nearest       ? "nearest_search"
                                  : kind == ResultsKind::EventSearch ? "event_search"
                                                                     : "export");
  auto* buttons = new QHBoxLayout;
  const char* texts[] = {"Search...", "Open...", "Font...", "Save..."};
  void (ResultsWindow::*clicked[])() = {&ResultsWindow::searchClicked, &ResultsWindow::openClicked,
                                        &ResultsWindow::fontClicked, &ResultsWindow::saveClicked};
  for (int i = 0; i < 4; ++i) {
    auto* button = new QPushButton(texts[i], this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, clicked[i]);
    buttons->addWidget(button);
    // An export's rows are values, not stations or events: nothing to open.
    if (i == 1 && kind == ResultsKind::Export) button->setEnabled(false);
  }
  buttons->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(2);
  layout->addLayout(buttons);
  for (QLabel*& label : headings_) {
    label = new QLabel(this);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
  }
  layout->addSpacing(4);
  view_->setModel(table_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
  view_->horizontalHeader()->setHighlightSections(false);
  view_->setWordWrap(false);
  layout->addWidget(view_, 1);

  connect(table_, &ResultsTable::headingsChanged, this, &ResultsWindow::ShowHeadings);
  connect(table_, &ResultsTable::windowTitleChanged, this,
          [this] { setWindowTitle(QString::fromStdString(table_->windowTitle())); });
  connect(table_, &QAbstractItemModel::modelReset, this, &ResultsWindow::ApplyColumnWidths);
  connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int width) { table_->SetColumnWidth(column, width); });
  SetFonts(headerFont, bodyFont);
  ShowHeadings();
}

std::vector<int> ResultsWindow::SelectedRows(int limit) const {
  std::vector<int> rows;
  for (const QModelIndex& index : view_->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  if (static_cast<int>(rows.size()) > limit) rows.resize(static_cast<size_t>(limit));
  return rows;
}

QStringList ResultsWindow::printHeadings() const {
  QStringList lines;
  for (int line = 0; line < ResultsTable::kHeadingLines; ++line) {
    const QString text = QString::fromStdString(table_->heading(line));
    if (!text.trimmed().isEmpty()) lines << text;
  }
  return lines;
}

void ResultsWindow::SetFonts(const QFont& header, const QFont& body) {
  headerFont_ = header;
  bodyFont_ = body;
  for (QLabel* label : headings_) label->setFont(header);
  view_->setFont(body);
  view_->horizontalHeader()->setFont(header);
  view_->verticalHeader()->setFont(body);
  view_->verticalHeader()->setDefaultSectionSize(QFontMetrics(body).height() + 6);
}

std::vector<int> ResultsWindow::ColumnWidthsInCharacters() {
  const int average = std::max(1, QFontMetrics(bodyFont_).averageCharWidth());
  std::vector<int> widths;
  for (int c = 0; c < table_->columns(); ++c) widths.push_back(view_->columnWidth(c) / average);
  return widths;
}

void ResultsWindow::SetBusy(bool busy) {
  busy_ = busy;
  view_->setUpdatesEnabled(!busy);
  if (!busy) ApplyColumnWidths();
}

void ResultsWindow::closeEvent(QCloseEvent* event) {
  if (busy_) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void ResultsWindow::ShowHeadings() {
  for (int line = 0; line < ResultsTable::kHeadingLines; ++line) {
    headings_[static_cast<size_t>(line)]->setText(QString::fromStdString(table_->heading(line)));
  }
}

void ResultsWindow::ApplyColumnWidths() {
  // Wide enough for the titles and the first rows, never narrower than the table asks.
  const QFontMetrics metrics(bodyFont_);
  for (int c = 0; c < table_->columns(); ++c) {
    int width = QFontMetrics(headerFont_).horizontalAdvance(QString::fromStdString(table_->column(c).title)) + 24;
    for (int r = 0; r < std::min(table_->rows(), 200); ++r) {
      width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(table_->Cell(r, c))) + 16);
    }
    view_->setColumnWidth(c, std::max(width, table_->column(c).widthPixels));
  }
}

}  // namespace qw
