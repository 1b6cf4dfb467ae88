// A timer that ticks just after every whole minute of the wall clock.
//
// Coarse timers may fire early, and a repeating one-minute timer drifts; this one is a
// precise single-shot armed for the next minute boundary as the clock reads it, and
// re-armed from the clock after each shot. A shot that comes early is not a tick: it
// re-arms for the time still left.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include "present/qt_date.h"

namespace qw {

class MinuteTimer : public QObject {
  Q_OBJECT

 public:
  explicit MinuteTimer(WallClock clock, QObject* parent = nullptr);

  void Start();
  void Stop();
  bool active() const { return timer_.isActive(); }
  // The milliseconds the timer is armed for.
  int armedFor() const { return armedFor_; }

  // Milliseconds from `now` to the next whole minute, plus a small margin so that the
  // shot lands after the boundary.
  static int MillisecondsToNextMinute(const QDateTime& now);
  static constexpr int kMarginMs = 50;

 signals:
  void tick();

 private:
  void Arm();
  void Shot();

  WallClock clock_;
  QTimer timer_;
  QDateTime due_;  // the minute boundary the timer is armed for
  int armedFor_ = 0;
};

}  // namespace qw
