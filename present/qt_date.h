// Engine days as Qt dates and back, for the date boxes of the dialogs and the report pages;
// the present instant as the windows and dialogs read it.
#pragma once

#include <QDate>
#include <QDateTime>
#include <functional>

#include "engine/calendar.h"

namespace qw {

// The calendar date of `minute`; its time of day is dropped.
inline QDate QDateOfMinute(EngineMinute minute) {
  DateRecord date;
  MinuteToDate(minute, date);
  return QDate(date.year, date.month, date.day);
}

// The first minute of `date`.
inline EngineMinute MinuteOfQDate(const QDate& date) { return MinuteOf(date.year(), date.month(), date.day()); }

// The present instant. The program reads the computer's clock; the tests set their own.
using WallClock = std::function<QDateTime()>;
inline WallClock SystemClock() {
  return [] { return QDateTime::currentDateTimeUtc(); };
}

}  // namespace qw
