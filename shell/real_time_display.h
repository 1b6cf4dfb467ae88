// What the main frame needs from the real-time window: showing and refreshing it,
// pinning it on top, whether one of its dialogs is open, and recording its position at
// the stop. The window lives in windows/; the frame makes it through a factory.
#pragma once

#include <QWidget>
#include <functional>

namespace qw {

class RealTimeDisplay : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;

  // Reads both lists again and recomputes.
  virtual void Refresh() = 0;
  virtual void SetAlwaysOnTop(bool onTop) = 0;
  // True while the setup dialog or one it opened is showing (the chart link then answers
  // "busy with a dialog").
  virtual bool DialogOpen() const = 0;
  // Writes the window's position into the settings when "Remember window position" is on.
  virtual void RememberPosition() = 0;
  // Switches the window off: it hides, clears "Enabled" and says switchedOff.
  virtual void SwitchOff() = 0;

 signals:
  // The user switched the window off (its close button); the window deletes itself.
  void switchedOff();
};

// Makes the real-time window (not yet shown).
using RealTimeFactory = std::function<RealTimeDisplay*()>;

}  // namespace qw
