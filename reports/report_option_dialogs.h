// The dialogs the Print Report dialog opens to edit the report options: "Report
// Options", "Report Fonts" and "Page Setup". Each edits a copy and hands it back on OK.
#pragma once

#include <QDialog>
#include <QFont>

#include "reports/report_options.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace qw {

class ReportOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  ReportOptionsDialog(const ReportOptions& options, QWidget* parent = nullptr);
  ReportOptions options() const;

 private:
  void UpdateEnabled();
  void BrowseBitmap();

  ReportOptions options_;
  QCheckBox* grid_;
  QCheckBox* detail_;
  QComboBox* interval_;
  QCheckBox* extremes_;
  QComboBox* extremesPos_;
  QCheckBox* sun_;
  QCheckBox* shading_;
  QCheckBox* moon_;
  QCheckBox* moonGraphic_;
  QComboBox* moonFreq_;
  QCheckBox* rangeLines_;
  QCheckBox* rangeShading_;
  QCheckBox* noteArea_;
  QCheckBox* bitmap_;
  QComboBox* bitmapPos_;
  QLineEdit* bitmapFile_;
  QDoubleSpinBox* bitmapHeight_;
  QSpinBox* rows_;
  QSpinBox* columns_;
  QCheckBox* newPage_;
  QComboBox* previewRes_;
};

// A report font and the QFont that shows it in a font dialog.
QFont QFontFromReportFont(const ReportFont& font);
ReportFont ReportFontFromQFont(const QFont& font);

class ReportFontsDialog : public QDialog {
  Q_OBJECT

 public:
  ReportFontsDialog(const ReportOptions& options, QWidget* parent = nullptr);
  ReportOptions options() const { return options_; }

 private:
  void Show();

  ReportOptions options_;
  QLabel* samples_[3];
  QCheckBox* specified_[3];
};

class PageSetupDialog : public QDialog {
  Q_OBJECT

 public:
  PageSetupDialog(const ReportOptions& options, QWidget* parent = nullptr);
  ReportOptions options() const;

 private:
  ReportOptions options_;
  QDoubleSpinBox* margins_[4];
  QRadioButton* portrait_;
  QRadioButton* landscape_;
};

}  // namespace qw
