#include "reports/table_report.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

namespace qw {
namespace {

constexpr const char* kSection = "PrintTabular";

QFont TableFont(double points, bool bold = false) {
  QFont font("Arial");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace

TableReportOptions LoadTableReportOptions(const ProfileFile& file) {
  TableReportOptions options;
  options.pageNumbers = file.ReadInt(kSection, "PageNumbers", 1) != 0;
  options.grid = file.ReadInt(kSection, "Grid", 1) != 0;
  options.color = file.ReadInt("ReportOptions", "UseColor", 0) != 0;
  return options;
}

void SaveTableReportOptions(const TableReportOptions& options, ProfileFile& file) {
  file.WriteInt(kSection, "PageNumbers", options.pageNumbers);
  file.WriteInt(kSection, "Grid", options.grid);
  file.WriteInt("ReportOptions", "UseColor", options.color);
}

TableReport::TableReport(const QAbstractItemModel& model, QStringList headings, TableReportOptions options)
    : model_(model), headings_(std::move(headings)), options_(options) {}

QString TableReport::Text(int row, int column) const {
  if (column < 0) return model_.headerData(row, Qt::Vertical, Qt::DisplayRole).toString();
  return model_.data(model_.index(row, column), Qt::DisplayRole).toString();
}

int TableReport::Plan(const QRectF& pageRect, double dpi) {
  page_ = pageRect;
  dpi_ = dpi;
  const int columns = model_.columnCount();
  const int rows = model_.rowCount();
  QImage probe(1, 1, QImage::Format_RGB32);
  probe.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
  probe.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
  const double pad = dpi * 4 / 72.0;

  // The natural width of every column at 8 points; a table wider than the page prints
  // in a font small enough to fit, down to 5 points (then the widest texts are cut).
  fontPoints_ = 8;
  std::vector<double> natural(static_cast<size_t>(columns) + 1, 0.0);
  {
    const QFontMetricsF metrics(TableFont(fontPoints_), &probe);
    const QFontMetricsF bold(TableFont(fontPoints_, true), &probe);
    for (int c = -1; c < columns; ++c) {
      double width = c < 0 ? metrics.horizontalAdvance("9999")
                           : bold.horizontalAdvance(model_.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
      for (int r = 0; r < rows; ++r) width = std::max(width, metrics.horizontalAdvance(Text(r, c)));
      natural[static_cast<size_t>(c + 1)] = width + pad * 2;
    }
  }
  double total = 0;
  for (double w : natural) total += w;
  const double scale = total > page_.width() ? std::max(5.0 / 8.0, page_.width() / total) : 1.0;
  fontPoints_ *= scale;
  widths_.clear();
  for (double w : natural) widths_.push_back(w * scale);
  total *= scale;
  if (total > page_.width()) {
    for (double& w : widths_) w *= page_.width() / total;
  }

  const QFontMetricsF metrics(TableFont(fontPoints_), &probe);
  const QFontMetricsF headingMetrics(TableFont(fontPoints_ * 1.2, true), &probe);
  rowHeight_ = metrics.height() * 1.25;
  headerHeight_ = headingMetrics.height() * headings_.size() + rowHeight_ * 1.5;
  footerHeight_ = options_.pageNumbers ? metrics.height() * 2 : 0;
  const int perPage = std::max(1, static_cast<int>((page_.height() - headerHeight_ - footerHeight_) / rowHeight_));
  pageStarts_.clear();
  for (int start = 0; start < std::max(rows, 1); start += perPage) pageStarts_.push_back(start);
  return static_cast<int>(pageStarts_.size());
}

void TableReport::DrawPage(QPainter& painter, int page) const {
  if (page < 0 || page >= static_cast<int>(pageStarts_.size())) return;
  painter.save();
  const QFont font = TableFont(fontPoints_);
  const QFont bold = TableFont(fontPoints_, true);
  const QFont headingFont = TableFont(fontPoints_ * 1.2, true);
  const double pad = dpi_ * 4 / 72.0;
  const QPen gridPen(QColor(150, 150, 150), std::max(1.0, dpi_ * 0.4 / 72.0));

  double y = page_.top();
  painter.setPen(Qt::black);
  painter.setFont(headingFont);
  const double headingLine = QFontMetricsF(headingFont, painter.device()).height();
  for (const QString& heading : headings_) {
    painter.drawText(QRectF(page_.left(), y, page_.width(), headingLine), Qt::AlignLeft | Qt::AlignVCenter, heading);
    y += headingLine;
  }
  y += rowHeight_ * 0.5;

  auto drawRow = [&](double top, auto textOf, const QFont& rowFont, const QColor& background) {
    double x = page_.left();
    double tableWidth = 0;
    for (double w : widths_) tableWidth += w;
    if (background.isValid()) painter.fillRect(QRectF(x, top, tableWidth, rowHeight_), background);
    painter.setFont(rowFont);
    for (size_t c = 0; c < widths_.size(); ++c) {
      const QRectF cell(x, top, widths_[c], rowHeight_);
      const QString text = QFontMetricsF(rowFont, painter.device())
                               .elidedText(textOf(static_cast<int>(c) - 1), Qt::ElideRight, cell.width() - 2 * pad);
      painter.setPen(Qt::black);
      painter.drawText(cell.adjusted(pad, 0, -pad, 0), (c == 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                       text);
      if (options_.grid) {
        painter.setPen(gridPen);
        painter.drawRect(cell);
      }
      x += widths_[c];
    }
  };
  drawRow(y, [&](int c) { return c < 0 ? QString() : model_.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(); },
          bold, QColor(230, 230, 230));
  y += rowHeight_;
  const int first = pageStarts_[static_cast<size_t>(page)];
  const int last = page + 1 < static_cast<int>(pageStarts_.size()) ? pageStarts_[static_cast<size_t>(page) + 1]
                                                                    : model_.rowCount();
  for (int row = first; row < last; ++row) {
    QColor background;
    if (options_.color) background = model_.data(model_.index(row, 0), Qt::BackgroundRole).value<QColor>();
    drawRow(y, [&](int c) { return Text(row, c); }, font, background);
    y += rowHeight_;
  }
  if (options_.pageNumbers) {
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(page_.left(), page_.bottom() - footerHeight_ / 2, page_.width(), footerHeight_ / 2),
                     Qt::AlignCenter, QString::asprintf("Page %d", page + 1));
  }
  painter.restore();
}

PageSource TableReport::Pages() {
  return {[this](const QPagedPaintDevice& device) {
            const QRect paint = device.pageLayout().paintRectPixels(device.logicalDpiX());
            return Plan(QRectF(0, 0, paint.width(), paint.height()), device.logicalDpiX());
          },
          [this](QPainter& painter, const QRectF&, double, int page) {
            DrawPage(painter, page);
            return PageResult::Drawn;
          }};
}

PrintResult TableReport::Print(QPagedPaintDevice& device, const PrintProgress& progress) {
  return RunPrintLoop(device, Pages(), progress);
}

PrintTableDialog::PrintTableDialog(const TableReportOptions& options, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Print Tabular Report");
  auto* layout = new QVBoxLayout(this);
  pageNumbers_ = new QCheckBox("Show Page &numbers");
  grid_ = new QCheckBox("Show &grid on report");
  color_ = new QCheckBox("Print report&s in c&olor (color printers only)");
  pageNumbers_->setChecked(options.pageNumbers);
  grid_->setChecked(options.grid);
  color_->setChecked(options.color);
  layout->addWidget(pageNumbers_);
  layout->addWidget(grid_);
  layout->addWidget(color_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

TableReportOptions PrintTableDialog::options() const {
  return {pageNumbers_->isChecked(), grid_->isChecked(), color_->isChecked()};
}

}  // namespace qw
