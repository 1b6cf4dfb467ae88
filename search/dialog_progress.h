// A search's progress in a dialog: two status lines and the stop flag that the dialog's
// Stop button sets. Pump lets the pending events of the application run, so the
// windows stay responsive and the button can be pressed while the search works in the
// user-interface thread.
#pragma once

#include <QLabel>
#include <QPointer>

#include "search/search_progress.h"

namespace qw {

class DialogProgress : public SearchProgress {
 public:
  DialogProgress(QLabel* line1, QLabel* line2) : line1_(line1), line2_(line2) {}
  void Status(int line, const std::string& text) override;
  bool Pump() override;
  bool StopRequested() const override { return stop_; }
  void RequestStop() { stop_ = true; }
  void Clear() { stop_ = false; }

 private:
  QPointer<QLabel> line1_;
  QPointer<QLabel> line2_;
  bool stop_ = false;
};

}  // namespace qw
