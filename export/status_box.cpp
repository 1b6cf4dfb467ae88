#include "export/status_box.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qw {

StatusBox::StatusBox(const QString& title, bool cancellable, QWidget* parent)
    : QDialog(parent), line1_(new QLabel(this)), line2_(new QLabel(this)), cancellable_(cancellable) {
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(line1_);
  layout->addWidget(line2_);
  line1_->setMinimumWidth(260);
  if (cancellable) {
    auto* cancel = new QPushButton("&Cancel", this);
    connect(cancel, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
  }
  // Shown, not run: it blocks the other windows (the main window is out of use while the
  // work runs) but its own button still takes clicks between steps.
  setWindowModality(Qt::ApplicationModal);
}

void StatusBox::Status(int line, const std::string& text) {
  (line == 1 ? line1_ : line2_)->setText(QString::fromStdString(text));
}

bool StatusBox::Pump() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  return cancelled_;
}

void StatusBox::reject() {
  if (cancellable_) cancelled_ = true;
}

}  // namespace qw
