// How a long search or export reports its progress and learns that the user pressed
// Stop or Cancel.
//
// Everything runs in the user-interface thread: a window's implementation shows the
// status lines and lets pending events run in Pump, during which a button may set the
// stop flag; the command-line tool and the tests use their own.
#pragma once

#include <string>

namespace qw {

class SearchProgress {
 public:
  virtual ~SearchProgress() = default;
  // Shows `text` in status line 1 or 2.
  virtual void Status(int line, const std::string& text) {
    (void)line;
    (void)text;
  }
  // Lets pending events run; true when the user has asked to stop.
  virtual bool Pump() { return StopRequested(); }
  // True once the user has asked to stop (the flag a Stop or Cancel button sets).
  virtual bool StopRequested() const { return false; }
};

}  // namespace qw
