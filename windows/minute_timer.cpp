#include "windows/minute_timer.h"

#include <algorithm>

namespace qw {

MinuteTimer::MinuteTimer(WallClock clock, QObject* parent) : QObject(parent), clock_(std::move(clock)) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &MinuteTimer::Shot);
}

int MinuteTimer::MillisecondsToNextMinute(const QDateTime& now) {
  const QTime time = now.time();
  const int intoMinute = time.second() * 1000 + time.msec();
  return 60000 - intoMinute + kMarginMs;
}

void MinuteTimer::Start() {
  const QDateTime now = clock_();
  const QDateTime minuteStart = now.addMSecs(-(now.time().second() * 1000 + now.time().msec()));
  due_ = minuteStart.addSecs(60);
  Arm();
}

void MinuteTimer::Stop() { timer_.stop(); }

void MinuteTimer::Arm() {
  const qint64 left = clock_().msecsTo(due_) + kMarginMs;
  armedFor_ = static_cast<int>(std::clamp<qint64>(left, kMarginMs, 60000 + kMarginMs));
  timer_.start(armedFor_);
}

void MinuteTimer::Shot() {
  const QDateTime now = clock_();
  if (now < due_) {
    Arm();  // early: wait for the rest
    return;
  }
  // The next boundary after now (a suspended computer may have slept through several).
  const QDateTime minuteStart = now.addMSecs(-(now.time().second() * 1000 + now.time().msec()));
  due_ = minuteStart.addSecs(60);
  Arm();
  emit tick();
}

}  // namespace qw
