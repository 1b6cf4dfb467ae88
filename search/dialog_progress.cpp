#include "search/dialog_progress.h"

#include <QCoreApplication>

namespace qw {

void DialogProgress::Status(int line, const std::string& text) {
  QLabel* label = line == 1 ? line1_.data() : line2_.data();
  if (label) label->setText(QString::fromStdString(text));
}

bool DialogProgress::Pump() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  return stop_;
}

}  // namespace qw
