#include "reports/report_option_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace qw {
namespace {

QCheckBox* Check(const QString& text, bool checked) {
  auto* box = new QCheckBox(text);
  box->setChecked(checked);
  return box;
}

QComboBox* Combo(const QStringList& items, int current) {
  auto* combo = new QComboBox;
  combo->addItems(items);
  combo->setCurrentIndex(std::clamp(current, 0, static_cast<int>(items.size()) - 1));
  return combo;
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

// --- Report Options ---

ReportOptionsDialog::ReportOptionsDialog(const ReportOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
  setWindowTitle("Report Options");
  auto* layout = new QVBoxLayout(this);

  auto* daily = new QGroupBox("Daily reports");
  auto* dailyGrid = new QGridLayout(daily);
  grid_ = Check("Include &grid", options.includeGrid);
  detail_ = Check("Daily &detail table every", options.dailyDetail);
  QStringList intervals;
  int intervalIndex = 5;
  for (size_t i = 0; i < std::size(kDailyIntervals); ++i) {
    intervals << QString("%1 Minutes").arg(kDailyIntervals[i]);
    if (kDailyIntervals[i] == options.dailyInterval) intervalIndex = static_cast<int>(i);
  }
  interval_ = Combo(intervals, intervalIndex);
  extremes_ = Check("Daily &highs and lows", options.dailyExtremes);
  extremesPos_ = Combo({"Below Graph", "On Graph"}, options.dailyExtremesPos);
  noteArea_ = Check("&Note area", options.noteArea);
  dailyGrid->addWidget(grid_, 0, 0);
  dailyGrid->addWidget(detail_, 1, 0);
  dailyGrid->addWidget(interval_, 1, 1);
  dailyGrid->addWidget(extremes_, 2, 0);
  dailyGrid->addWidget(extremesPos_, 2, 1);
  dailyGrid->addWidget(noteArea_, 3, 0);
  layout->addWidget(daily);

  auto* sky = new QGroupBox("Sun and moon");
  auto* skyGrid = new QGridLayout(sky);
  sun_ = Check("&Sunrise and sunset", options.sunriseSunset);
  shading_ = Check("Sunrise sh&ading", options.sunriseShading);
  moon_ = Check("&Moonrise and moonset", options.moonriseMoonset);
  moonGraphic_ = Check("Moon &picture", options.moonGraphic);
  moonFreq_ = Combo({"Quarter", "Day"}, options.moonGraphicFreq);
  skyGrid->addWidget(sun_, 0, 0);
  skyGrid->addWidget(shading_, 0, 1);
  skyGrid->addWidget(moon_, 1, 0);
  skyGrid->addWidget(moonGraphic_, 2, 0);
  skyGrid->addWidget(moonFreq_, 2, 1);
  layout->addWidget(sky);

  auto* ranges = new QGroupBox("Range lines");
  auto* rangeRow = new QHBoxLayout(ranges);
  rangeLines_ = Check("&Range lines", options.rangeLines);
  rangeShading_ = Check("Range s&hading", options.rangeShading);
  rangeRow->addWidget(rangeLines_);
  rangeRow->addWidget(rangeShading_);
  layout->addWidget(ranges);

  auto* footer = new QGroupBox("Footer");
  auto* footerGrid = new QGridLayout(footer);
  bitmap_ = Check("&Bitmap in footer", options.bitmapInFooter);
  bitmapPos_ = Combo({"Left-justified", "Centered", "Right-justified"}, options.bitmapPos);
  bitmapFile_ = new QLineEdit(QString::fromStdString(options.bitmapFile));
  auto* browse = new QPushButton("Bro&wse...");
  bitmapHeight_ = new QDoubleSpinBox;
  bitmapHeight_->setRange(0.1, 2.0);
  bitmapHeight_->setSingleStep(0.1);
  bitmapHeight_->setDecimals(2);
  bitmapHeight_->setSuffix(" in");
  bitmapHeight_->setValue(options.bitmapHeightInches);
  footerGrid->addWidget(bitmap_, 0, 0);
  footerGrid->addWidget(bitmapPos_, 0, 1);
  footerGrid->addWidget(new QLabel("Height:"), 0, 2);
  footerGrid->addWidget(bitmapHeight_, 0, 3);
  footerGrid->addWidget(bitmapFile_, 1, 0, 1, 3);
  footerGrid->addWidget(browse, 1, 3);
  layout->addWidget(footer);
  connect(browse, &QPushButton::clicked, this, &ReportOptionsDialog::BrowseBitmap);

  auto* custom = new QGroupBox("Custom reports");
  auto* customForm = new QFormLayout(custom);
  rows_ = new QSpinBox;
  rows_->setRange(1, 4);
  rows_->setValue(options.rowsPerPage);
  columns_ = new QSpinBox;
  columns_->setRange(1, 7);
  columns_->setValue(options.columnsPerPage);
  newPage_ = Check("Start each day on a new pa&ge", options.newPage);
  customForm->addRow("Ro&ws per page:", rows_);
  customForm->addRow("&Columns per page:", columns_);
  customForm->addRow(newPage_);
  layout->addWidget(custom);

  auto* previewRow = new QFormLayout;
  previewRes_ = Combo({"Low", "Medium", "High"}, options.previewRes);
  previewRow->addRow("Preview r&esolution:", previewRes_);
  layout->addLayout(previewRow);
  layout->addWidget(OkCancel(this));

  for (QCheckBox* box : {detail_, extremes_, moonGraphic_, bitmap_}) {
    connect(box, &QCheckBox::toggled, this, &ReportOptionsDialog::UpdateEnabled);
  }
  UpdateEnabled();
}

void ReportOptionsDialog::UpdateEnabled() {
  interval_->setEnabled(detail_->isChecked());
  extremesPos_->setEnabled(extremes_->isChecked());
  moonFreq_->setEnabled(moonGraphic_->isChecked());
  bitmapPos_->setEnabled(bitmap_->isChecked());
  bitmapFile_->setEnabled(bitmap_->isChecked());
  bitmapHeight_->setEnabled(bitmap_->isChecked());
}

void ReportOptionsDialog::BrowseBitmap() {
  const QString file = QFileDialog::getOpenFileName(this, "Select Report Bitmap", bitmapFile_->text(),
                                                    "Bitmaps  (*.BMP *.bmp);;Pictures (*.bmp *.png *.jpg *.jpeg)");
  if (!file.isEmpty()) bitmapFile_->setText(file);
}

ReportOptions ReportOptionsDialog::options() const {
  ReportOptions o = options_;
  o.includeGrid = grid_->isChecked();
  o.dailyDetail = detail_->isChecked();
  o.dailyInterval = kDailyIntervals[std::clamp(interval_->currentIndex(), 0, static_cast<int>(std::size(kDailyIntervals)) - 1)];
  o.dailyExtremes = extremes_->isChecked();
  o.dailyExtremesPos = extremesPos_->currentIndex();
  o.noteArea = noteArea_->isChecked();
  o.sunriseSunset = sun_->isChecked();
  o.sunriseShading = shading_->isChecked();
  o.moonriseMoonset = moon_->isChecked();
  o.moonGraphic = moonGraphic_->isChecked();
  o.moonGraphicFreq = moonFreq_->currentIndex();
  o.rangeLines = rangeLines_->isChecked();
  o.rangeShading = rangeShading_->isChecked();
  o.bitmapInFooter = bitmap_->isChecked();
  o.bitmapPos = bitmapPos_->currentIndex();
  o.bitmapFile = bitmapFile_->text().toStdString();
  o.bitmapHeightInches = bitmapHeight_->value();
  o.rowsPerPage = rows_->value();
  o.columnsPerPage = columns_->value();
  o.newPage = newPage_->isChecked();
  o.previewRes = previewRes_->currentIndex();
  return o;
}

// --- Report Fonts ---

QFont QFontFromReportFont(const ReportFont& font) {
  QFont q(QString::fromStdString(font.faceName));
  q.setPointSizeF(font.pointSize / 10.0);
  q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight <= 0 ? 400 : font.weight, 100, 900)));
  q.setItalic(font.italic != 0);
  return q;
}

ReportFont ReportFontFromQFont(const QFont& font) {
  ReportFont f;
  f.faceName = font.family().toStdString().substr(0, 31);
  const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
  f.pointSize = static_cast<int>(std::lround(points * 10));
  f.height = -static_cast<int>(std::lround(points * 96.0 / 72.0));
  f.weight = static_cast<int>(font.weight());
  f.italic = font.italic() ? 1 : 0;
  return f;
}

ReportFontsDialog::ReportFontsDialog(const ReportOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
  setWindowTitle("Report Fonts");
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  const char* names[] = {"Date font:", "Title font:", "Report font:"};
  for (int i = 0; i < 3; ++i) {
    samples_[i] = new QLabel;
    samples_[i]->setMinimumWidth(260);
    specified_[i] = new QCheckBox("&Use specified size");
    auto* change = new QPushButton("Change...");
    grid->addWidget(new QLabel(names[i]), i, 0);
    grid->addWidget(samples_[i], i, 1);
    grid->addWidget(change, i, 2);
    grid->addWidget(specified_[i], i, 3);
    connect(change, &QPushButton::clicked, this, [this, i] {
      ReportFont& font = i == 0 ? options_.dateFont : i == 1 ? options_.titleFont : options_.reportFont;
      bool ok = false;
      const QFont chosen = QFontDialog::getFont(&ok, QFontFromReportFont(font), this);
      if (!ok) return;
      font = ReportFontFromQFont(chosen);
      Show();
    });
    connect(specified_[i], &QCheckBox::toggled, this, [this, i](bool on) {
      bool& autoSize = i == 0 ? options_.autoSizeDateFont : i == 1 ? options_.autoSizeTitleFont : options_.autoSizeReportFont;
      autoSize = !on;
    });
  }
  layout->addLayout(grid);
  layout->addWidget(new QLabel("Fonts that are not of a specified size are sized to the page."));
  auto* buttons = OkCancel(this);
  QPushButton* defaults = buttons->addButton("De&faults", QDialogButtonBox::ResetRole);
  connect(defaults, &QPushButton::clicked, this, [this] {
    RestoreDefaultFonts(options_);
    Show();
  });
  layout->addWidget(buttons);
  Show();
}

void ReportFontsDialog::Show() {
  const ReportFont* fonts[] = {&options_.dateFont, &options_.titleFont, &options_.reportFont};
  const bool autoSize[] = {options_.autoSizeDateFont, options_.autoSizeTitleFont, options_.autoSizeReportFont};
  for (int i = 0; i < 3; ++i) {
    QFont shown = QFontFromReportFont(*fonts[i]);
    shown.setPointSizeF(std::min(shown.pointSizeF(), 16.0));
    samples_[i]->setFont(shown);
    samples_[i]->setText(QString("%1, %2 pt").arg(QString::fromStdString(fonts[i]->faceName)).arg(fonts[i]->pointSize / 10.0));
    const QSignalBlocker block(specified_[i]);
    specified_[i]->setChecked(!autoSize[i]);
  }
}

// --- Page Setup ---

PageSetupDialog::PageSetupDialog(const ReportOptions& options, QWidget* parent) : QDialog(parent), options_(options) {
  setWindowTitle("Page Setup");
  auto* layout = new QVBoxLayout(this);
  auto* marginsBox = new QGroupBox("Margins");
  auto* form = new QFormLayout(marginsBox);
  const char* labels[] = {"&Left:", "&Top:", "&Right:", "&Bottom:"};
  const double values[] = {options.leftMargin, options.topMargin, options.rightMargin, options.bottomMargin};
  for (int i = 0; i < 4; ++i) {
    margins_[i] = new QDoubleSpinBox;
    margins_[i]->setRange(0.0, 3.0);
    margins_[i]->setSingleStep(0.05);
    margins_[i]->setDecimals(2);
    margins_[i]->setValue(values[i]);
    form->addRow(labels[i], margins_[i]);
  }
  form->addRow(new QLabel("NOTE: Margins are in inches"));
  layout->addWidget(marginsBox);
  auto* orientation = new QGroupBox("Orientation");
  auto* row = new QHBoxLayout(orientation);
  portrait_ = new QRadioButton("&Portrait");
  landscape_ = new QRadioButton("&Landscape");
  (options.landscape ? landscape_ : portrait_)->setChecked(true);
  row->addWidget(portrait_);
  row->addWidget(landscape_);
  layout->addWidget(orientation);
  layout->addWidget(OkCancel(this));
}

ReportOptions PageSetupDialog::options() const {
  ReportOptions o = options_;
  o.leftMargin = margins_[0]->value();
  o.topMargin = margins_[1]->value();
  o.rightMargin = margins_[2]->value();
  o.bottomMargin = margins_[3]->value();
  o.landscape = landscape_->isChecked();
  return o;
}

}  // namespace qw
