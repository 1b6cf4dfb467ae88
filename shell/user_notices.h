// How dialogs and small windows tell the user something, ask a yes-or-no question or
// sound the system beep. By default these are message boxes and QApplication::beep; the
// tests put recorders in their place so that no modal box waits for an answer.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace qw {

struct UserNotices {
  // An information box with an OK button.
  std::function<void(QWidget* parent, const QString& title, const QString& text)> tell;
  // A Yes/No question; true for Yes.
  std::function<bool(QWidget* parent, const QString& title, const QString& question)> ask;
  std::function<void()> beep;
  // Set while AskDefaultNo's question is shown: the box preselects No instead of Yes.
  bool noIsDefault = false;
};

// The notices in use (message boxes unless replaced).
UserNotices& Notices();

// Shorthands.
inline void Tell(QWidget* parent, const QString& title, const QString& text) { Notices().tell(parent, title, text); }
inline bool Ask(QWidget* parent, const QString& title, const QString& question) {
  return Notices().ask(parent, title, question);
}
// A Yes/No question whose preselected answer is No (questions that lose the user's work).
inline bool AskDefaultNo(QWidget* parent, const QString& title, const QString& question) {
  Notices().noIsDefault = true;
  const bool yes = Notices().ask(parent, title, question);
  Notices().noIsDefault = false;
  return yes;
}
inline void Beep() { Notices().beep(); }

}  // namespace qw
