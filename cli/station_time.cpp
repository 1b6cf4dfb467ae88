#include "cli/station_time.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "engine/station_database.h"
#include "engine/time_adjust.h"

namespace qw::cli {

namespace {
int StandardOffsetMinutes(const TideLocation& station) {
  return static_cast<int>(std::lround(TimeMeridianHours(station.timeMeridian) * 60.0));
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
  return StandardOffsetMinutes(station) + DaylightShiftMinutes(station.referenceId, flag);
}

std::string FormatUtcOffset(int minutes) {
  char text[16];
  const int magnitude = std::abs(minutes);
  std::snprintf(text, sizeof text, "%c%02d:%02d", minutes < 0 ? '-' : '+', magnitude / 60,
                magnitude % 60);
  return text;
}

EngineMinute StationToday(const TideLocation& station) {
  const long long utc = MinuteOf(1970, 1, 1) + static_cast<long long>(std::time(nullptr)) / 60;
  auto dayOf = [](long long minute) {
    return static_cast<EngineMinute>(minute - minute % kMinutesPerDay);
  };
  // The date in standard time decides whether daylight saving applies.
  const EngineMinute standardDay = dayOf(utc + StandardOffsetMinutes(station));
  return dayOf(utc + StationUtcOffsetMinutes(station, standardDay));
}

}  // namespace qw::cli
