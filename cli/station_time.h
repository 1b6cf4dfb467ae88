// The station's shown time in the command-line tool: the UTC offset text and "today" at
// the station. The offset itself is the engine's (StationUtcOffsetMinutes of
// engine/time_zone.h), shared with the windows and the exports.
#pragma once

#include <string>

#include "engine/calendar.h"
#include "engine/current_location.h"
#include "engine/tide_location.h"
#include "engine/time_zone.h"

namespace qw::cli {

// "+09:30", "-07:00", "+00:00"
std::string FormatUtcOffset(int minutes);

// 00:00 of today's date at the station, from the computer's clock.
EngineMinute StationToday(const TideLocation& station);
EngineMinute StationToday(const CurrentLocation& station);

// The dstFlag the engine is given for the day of `minute`.
int DayDstFlag(EngineMinute minute);

}  // namespace qw::cli
