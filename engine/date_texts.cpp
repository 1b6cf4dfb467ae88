#include "engine/date_texts.h"

#include <cstdio>

#include "engine/calendar.h"

namespace qw {

std::string IsoDate(EngineMinute minute) {
  DateRecord date;
  MinuteToDate(minute, date);
  char text[16];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u", date.year, date.month, date.day);
  return text;
}

std::string ClockTime(EngineMinute minute) {
  DateRecord date;
  MinuteToDate(minute, date);
  char text[8];
  std::snprintf(text, sizeof text, "%02u:%02u", date.hour, date.minute);
  return text;
}

}  // namespace qw
