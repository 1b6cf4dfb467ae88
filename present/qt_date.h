// Engine days as Qt dates and back, for the date boxes of the dialogs and the report pages.
#pragma once

#include <QDate>

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

}  // namespace qw
