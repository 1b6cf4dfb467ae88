// The "Font Selection" dialog of a results window: the heading font, the list font, and
// whether they become the defaults of new results windows.
#pragma once

#include <QDialog>
#include <QFont>

class QCheckBox;

namespace qw {

class SearchFontDialog : public QDialog {
  Q_OBJECT

 public:
  SearchFontDialog(const QFont& header, const QFont& body, QWidget* parent = nullptr);
  QFont header() const { return header_; }
  QFont body() const { return body_; }
  bool saveAsDefault() const;

 private:
  QFont header_;
  QFont body_;
  QCheckBox* save_ = nullptr;
};

}  // namespace qw
