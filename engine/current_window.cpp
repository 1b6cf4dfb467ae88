#include "engine/current_window.h"

namespace qw {

ReferenceEventWindow& CurrentEventWindow() {
  static ReferenceEventWindow window;
  return window;
}

void EmptyCurrentEventWindow() {
  ReferenceEventWindow& w = CurrentEventWindow();
  w.e1 = w.e2 = w.e3 = WindowEvent{};
  w.c1 = w.c2 = kCorrectionUnknown;
}

void ForgetCurrentWindowDirections() {
  ReferenceEventWindow& w = CurrentEventWindow();
  w.e1.direction = w.e2.direction = w.e3.direction = kNotGiven16;
}

void ResetCurrentEventWindow() { CurrentEventWindow() = ReferenceEventWindow{}; }

}  // namespace qw
