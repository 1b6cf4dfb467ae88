#include "cli/station_time.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "engine/engine_settings.h"
#include "engine/station_database.h"
#include "engine/time_adjust.h"

namespace qw::cli {

namespace {
int StandardOffsetMinutes(int16_t timeMeridian) {
  return static_cast<int>(std::lround(TimeMeridianHours(timeMeridian) * 60.0));
}

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

int StationUtcOffsetMinutes(const TideLocation& station, EngineMinute dayStart) {
  // The daylight saving the engine removes from the station's clock on that day.
  const int flag = station.observesDst != 0 ? DayDstFlag(dayStart) : 0;
  return StandardOffsetMinutes(station.timeMeridian) + DaylightShiftMinutes(station.referenceId, flag);
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

int StationUtcOffsetMinutes(const CurrentLocation& station, EngineMinute dayStart) {
  const bool daylight =
      station.observesDst != 0 && DayDstFlag(dayStart) != 0 && Settings().daylightSavings;
  return StandardOffsetMinutes(station.timeMeridian) + (daylight ? 60 : 0);
}

EngineMinute StationToday(const CurrentLocation& station) {
  return TodayAt(StandardOffsetMinutes(station.timeMeridian),
                 [&](EngineMinute day) { return StationUtcOffsetMinutes(station, day); });
}

}  // namespace qw::cli
