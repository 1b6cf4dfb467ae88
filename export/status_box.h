// The small box that a data export or a table save shows while it runs: two status
// lines and, for the export, a Cancel button. It is shown without a loop of its own and
// keeps the other windows out of use; Pump lets pending events run so the button can be
// pressed between steps of the work.
#pragma once

#include <QDialog>

#include "search/search_progress.h"

class QLabel;

namespace qw {

class StatusBox : public QDialog, public SearchProgress {
  Q_OBJECT

 public:
  StatusBox(const QString& title, bool cancellable, QWidget* parent = nullptr);
  void Status(int line, const std::string& text) override;
  bool Pump() override;
  bool StopRequested() const override { return cancelled_; }

 protected:
  void reject() override;  // Escape and the window's close button cancel

 private:
  QLabel* line1_;
  QLabel* line2_;
  bool cancellable_;
  bool cancelled_ = false;
};

}  // namespace qw
