#include "export/export_options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/string_table.h"
#include "export/delimiters.h"
#include "export/export_texts.h"

namespace qw {
namespace {

QString Text(int id) { return QString::fromUtf8(StringText(id)); }

// A labelled control stacked over its label, so the three date parts can move.
QWidget* Stacked(QWidget* parent, const QString& label, QWidget* control) {
  auto* box = new QWidget(parent);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(label, box));
  layout->addWidget(control);
  control->setParent(box);
  return box;
}

}  // namespace

ExportOptionsDialog::ExportOptionsDialog(const ExportSettings& settings, QWidget* parent) : QDialog(parent) {
  setWindowTitle(Text(text::kExportOptionsTitle));
  fieldDelimiter_ = new QComboBox(this);
  recordDelimiter_ = new QComboBox(this);
  for (int i = 0; i < kDelimiterCount; ++i) {
    fieldDelimiter_->addItem(DelimiterName(i));
    recordDelimiter_->addItem(DelimiterName(i));
  }
  fieldDelimiter_->setCurrentIndex(settings.fieldDelimiter);
  recordDelimiter_->setCurrentIndex(settings.recordDelimiter);
  auto* delimiters = new QFormLayout;
  delimiters->addRow(Text(text::kFieldDelimiterLabel), fieldDelimiter_);
  delimiters->addRow(Text(text::kRecordDelimiterLabel), recordDelimiter_);

  mdy_ = new QRadioButton(Text(text::kOrderMdy), this);
  dmy_ = new QRadioButton(Text(text::kOrderDmy), this);
  ymd_ = new QRadioButton(Text(text::kOrderYmd), this);
  auto* order = new QButtonGroup(this);
  for (QRadioButton* b : {mdy_, dmy_, ymd_}) order->addButton(b);
  const ExportDateFormat& f = settings.dateFormat;
  (f.order == DateOrder::DMY ? dmy_ : f.order == DateOrder::YMD ? ymd_ : mdy_)->setChecked(true);
  auto* orders = new QHBoxLayout;
  orders->addWidget(new QLabel(Text(text::kDateFormatLabel), this));
  for (QRadioButton* b : {mdy_, dmy_, ymd_}) orders->addWidget(b);
  orders->addStretch(1);

  month_ = new QComboBox;
  for (const char* sample : {"3", "03", "Mar", "March"}) month_->addItem(sample);
  month_->setCurrentIndex(static_cast<int>(f.month));
  day_ = new QComboBox;
  for (const char* sample : {"5", "05"}) day_->addItem(sample);
  day_->setCurrentIndex(static_cast<int>(f.day));
  year_ = new QComboBox;
  for (const char* sample : {"95", "1995"}) year_->addItem(sample);
  year_->setCurrentIndex(static_cast<int>(f.year));
  separator1_ = new QLineEdit(QString::fromStdString(f.separator1));
  separator2_ = new QLineEdit(QString::fromStdString(f.separator2));
  for (QLineEdit* edit : {separator1_, separator2_}) {
    edit->setMaxLength(18);
    edit->setMaximumWidth(60);
  }
  monthBox_ = Stacked(this, Text(text::kMonthLabel), month_);
  dayBox_ = Stacked(this, Text(text::kDayLabel), day_);
  yearBox_ = Stacked(this, Text(text::kYearLabel), year_);
  separator1Box_ = Stacked(this, Text(text::kSeparatorLabel), separator1_);
  separator2Box_ = Stacked(this, Text(text::kSeparatorLabel), separator2_);
  parts_ = new QHBoxLayout;
  sample_ = new QLabel(this);
  QFont bold = sample_->font();
  bold.setBold(true);
  sample_->setFont(bold);
  hundredths_ = new QCheckBox(Text(text::kDisplayHundredths), this);
  hundredths_->setChecked(settings.hundredths);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(Text(text::kOkButton), QDialogButtonBox::AcceptRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(delimiters);
  layout->addLayout(orders);
  layout->addLayout(parts_);
  layout->addWidget(sample_);
  layout->addWidget(hundredths_);
  layout->addWidget(buttons);

  for (QRadioButton* b : {mdy_, dmy_, ymd_}) connect(b, &QRadioButton::toggled, this, &ExportOptionsDialog::Arrange);
  for (QComboBox* c : {month_, day_, year_}) connect(c, &QComboBox::currentIndexChanged, this, &ExportOptionsDialog::Arrange);
  for (QLineEdit* e : {separator1_, separator2_}) connect(e, &QLineEdit::textChanged, this, &ExportOptionsDialog::Arrange);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Arrange();
}

ExportDateFormat ExportOptionsDialog::Format() const {
  ExportDateFormat f;
  f.order = dmy_->isChecked() ? DateOrder::DMY : ymd_->isChecked() ? DateOrder::YMD : DateOrder::MDY;
  f.month = static_cast<MonthForm>(month_->currentIndex());
  f.day = static_cast<DayForm>(day_->currentIndex());
  f.year = static_cast<YearForm>(year_->currentIndex());
  f.separator1 = separator1_->text().toStdString();
  f.separator2 = separator2_->text().toStdString();
  return f;
}

void ExportOptionsDialog::Arrange() {
  // The three parts stand in the chosen order with the separators between them.
  const ExportDateFormat f = Format();
  QWidget* first = f.order == DateOrder::DMY ? dayBox_ : f.order == DateOrder::YMD ? yearBox_ : monthBox_;
  QWidget* middle = f.order == DateOrder::MDY ? dayBox_ : monthBox_;
  QWidget* last = f.order == DateOrder::YMD ? dayBox_ : yearBox_;
  while (QLayoutItem* item = parts_->takeAt(0)) delete item;
  for (QWidget* w : {first, separator1Box_, middle, separator2Box_, last}) parts_->addWidget(w);
  parts_->addStretch(1);
  sample_->setText(QString::fromStdString(SampleDateText(f)));
}

ExportSettings ExportOptionsDialog::Apply(ExportSettings settings) const {
  settings.fieldDelimiter = fieldDelimiter_->currentIndex();
  settings.recordDelimiter = recordDelimiter_->currentIndex();
  settings.hundredths = hundredths_->isChecked();
  settings.dateFormat = Format();
  return settings;
}

}  // namespace qw
