// Turns a current day (current_day.h) into what the current window draws: the title
// lines, the day's floods, ebbs and slacks with their speeds and directions, the
// station's average currents, and the day graph's data, in the units, clock and
// range-line choices of the settings.
#pragma once

#include "present/current_day.h"
#include "present/day_presentation.h"
#include "settings/app_settings.h"

namespace qw {

// `stationClock` is the clock the day was computed with.
DayPresentation PresentCurrentDay(const CurrentLocation& station, const StationClock& stationClock,
                                  const CurrentDay& day, const AppSettings& settings);

// The present moment `now` on the graph of `day`, with the speed and direction then ("Now
// 3:42 pm -1.2 kt 230°", ebb below zero as the graph draws it); nothing when now is not
// within the day. A day the engine could not compute gives the line without a speed.
std::optional<NowMark> CurrentNowMark(const CurrentLocation& station, const StationClock& stationClock,
                                      const CurrentDay& day, const ClockReading& now, const AppSettings& settings);

// The graph's range lines for a current station under the settings, in display units:
// the average maximum flood ("max fld") or the user's value above, the average maximum
// ebb ("max ebb") or the user's value below the zero line.
void CurrentRangeLines(const CurrentLocation& station, const AppSettings& settings, RangeLine& high, RangeLine& low);

// The words of a current station's kind: "Current is rotary in nature.", "Current may
// double flood.", ...; empty for an ordinary station.
std::string CurrentKindText(int16_t stationKind);

// A direction in degrees true: "056°"; empty when not given.
std::string DirectionText(int16_t degrees);

// The event's word: "Flood", "Ebb", "Slack"; "Max" and "Min" at rotary stations.
std::string CurrentEventWord(char kind);

}  // namespace qw
