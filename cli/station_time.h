// The station's shown time: its offset from UTC on a given day, and "today" at the
// station.
//
// The offset is the standard offset of the station's time meridian plus the daylight
// saving the engine applies on that day: the international offset for harmonic records
// 31000..44000, otherwise one hour on United States daylight-saving days when the
// station observes daylight saving and the DaylightSavings setting is on.
//
// StationUtcOffsetMinutes is the one place to switch to the time-zone module's offset
// when that module exists.
#pragma once

#include <string>

#include "engine/calendar.h"
#include "engine/current_location.h"
#include "engine/tide_location.h"

namespace qw::cli {

// Minutes to add to UTC to get the station's shown time on the day of `dayStart`.
int StationUtcOffsetMinutes(const TideLocation& station, EngineMinute dayStart);
// The same for a current station: currents have no international daylight-saving rule,
// only one hour on United States daylight-saving days.
int StationUtcOffsetMinutes(const CurrentLocation& station, EngineMinute dayStart);

// "+09:30", "-07:00", "+00:00"
std::string FormatUtcOffset(int minutes);

// 00:00 of today's date at the station, from the computer's clock.
EngineMinute StationToday(const TideLocation& station);
EngineMinute StationToday(const CurrentLocation& station);

// The dstFlag the engine is given for the day of `minute`.
int DayDstFlag(EngineMinute minute);

}  // namespace qw::cli
