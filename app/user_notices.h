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
};

// The notices in use (message boxes unless replaced).
UserNotices& Notices();

// Shorthands.
inline void Tell(QWidget* parent, const QString& title, const QString& text) { Notices().tell(parent, title, text); }
inline bool Ask(QWidget* parent, const QString& title, const QString& question) {
  return Notices().ask(parent, title, question);
}
inline void Beep() { Notices().beep(); }

}  // namespace qw
