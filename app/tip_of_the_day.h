// The tip of the day: tips from the text file "Velda.tip" beside the program, one a
// line, and the small dialog that shows them.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;

namespace qw {

// The tips of a file: one a line, blank lines and lines starting with ';' left out,
// line ends of either kind. A missing or unreadable file, or one far too large to be a
// tip file, gives no tips.
std::vector<std::string> ReadTips(const std::string& path);

// Shows tip `current` (modulo the count); "Next Tip" moves on. `current` returns the
// tip to show next time and `showAtStartup` the check box.
class TipDialog : public QDialog {
  Q_OBJECT

 public:
  TipDialog(std::vector<std::string> tips, int current, bool showAtStartup, QWidget* parent = nullptr);
  int next() const { return current_; }
  bool showAtStartup() const;

 private:
  void Show();
  std::vector<std::string> tips_;
  int current_ = 0;
  QLabel* text_ = nullptr;
  QCheckBox* startup_ = nullptr;
};

}  // namespace qw
