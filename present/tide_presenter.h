// Turns a tide day (tide_day.h) into what the tide window draws: the title lines, the
// information areas' texts and the day graph's data, in the units, clock and range-line
// choices of the settings.
#pragma once

#include "present/day_presentation.h"
#include "present/tide_day.h"
#include "settings/app_settings.h"

namespace qw {

// `stationClock` is the clock the day was computed with.
DayPresentation PresentTideDay(const TideLocation& station, const StationClock& stationClock, const TideDay& day,
                               const AppSettings& settings);

// The present moment `now` on the graph of `day`, with the height then ("Now 3:42 pm
// 4.12 ft"); nothing when now is not within the day. A day the engine could not compute
// gives the line without a height (the failure has been reported once).
std::optional<NowMark> TideNowMark(const TideLocation& station, const StationClock& stationClock, const TideDay& day,
                                   const ClockReading& now, const AppSettings& settings);

// The graph's range lines for a tide station under the settings, in display units.
void TideRangeLines(const TideLocation& station, const AppSettings& settings, RangeLine& high, RangeLine& low);

}  // namespace qw
