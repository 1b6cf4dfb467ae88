#include "cli/station_time.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace qw::cli {

namespace {
int StandardOffsetMinutes(int16_t timeMeridian) { return static_cast<int>(std::lround(ZoneHours(timeMeridian) * 60.0)); }

// 00:00 of today's date at a station of standard offset `standard`, whose offset on a day
// is `offsetOn(day)`.
template <typename OffsetOn>
EngineMinute TodayAt(int standard, OffsetOn offsetOn) {
  const long long utc = MinuteOf(1970, 1, 1) + static_cast<long long>(std::time(nullptr)) / 60;
  auto dayOf = [](long long minute) {
    return static_cast<EngineMinute>(minute - minute % kMinutesPerDay);
  };
  // The date in standard time decides whether daylight saving applies.
  const EngineMinute standardDay = dayOf(utc + standard);
  return dayOf(utc + offsetOn(standardDay));
}
}  // namespace

int DayDstFlag(EngineMinute minute) {
  DateRecord date;
  MinuteToDate(minute, date);
  return date.dstFlag;
}

std::string FormatUtcOffset(int minutes) {
  char text[16];
  const int magnitude = std::abs(minutes);
  std::snprintf(text, sizeof text, "%c%02d:%02d", minutes < 0 ? '-' : '+', magnitude / 60,
                magnitude % 60);
  return text;
}

EngineMinute StationToday(const TideLocation& station) {
  return TodayAt(StandardOffsetMinutes(station.timeMeridian),
                 [&](EngineMinute day) { return StationUtcOffsetMinutes(station, day); });
}

EngineMinute StationToday(const CurrentLocation& station) {
  return TodayAt(StandardOffsetMinutes(station.timeMeridian),
                 [&](EngineMinute day) { return StationUtcOffsetMinutes(station, day); });
}

}  // namespace qw::cli
