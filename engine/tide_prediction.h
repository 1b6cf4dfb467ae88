// The public tide predictions of a station: the height at a minute, the next or
// previous high or low water, and the high and low waters of a calendar day, for
// reference stations and for subordinate stations derived from them by time offsets,
// height ratios and height differences.
//
// Heights are millionths of a foot above the station's chosen datum (its chart datum unless
// TideLocation::datum says otherwise); kValueFailed means the computation failed (a message
// has been shown), kValueNotDefined that the station lacks a needed correction.
//
// Minutes are the station's standard minutes (UTC plus the record's time meridian, see
// station_clock.h), except in the two functions marked "shown time", which keep the
// earlier rule of the windows, the searches and the export: a shown minute with the
// whole-day daylight-saving flag of its date (time_zone.h). The clock-based day lists
// (civil_days.h) replace them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/engine_values.h"
#include "engine/tide_height.h"
#include "engine/tide_location.h"

namespace qw {

// A day's high and low waters in time order; the list ends at the first entry whose
// time is 0.
using TideDayExtremes = std::array<TideExtreme, 5>;

// step 0: the height at `minute` (kind 0, time `minute`). step +1 / -1: the next high or
// low water strictly after / before `minute`, with its time and kind ('H' when higher
// than the extreme before it, else 'L').
TideExtreme PredictTide(const TideLocation& station, EngineMinute minute, int step);

// The heights at `count` minutes from `first`, `step` apart, each what
// PredictTide(station, t, 0).height gives, in one call (a day of a table or a graph); from
// the first failure on every height is kValueFailed and no more are computed.
void PredictTideHeights(const TideLocation& station, EngineMinute first, EngineMinute step, size_t count, int32_t* out);

// Shown time: PredictTide at the shown minute `shown` of a date whose dstFlag is given
// (ignored for stations that do not observe daylight saving); the event's time is shown
// time in the same frame.
TideExtreme PredictTideShown(const TideLocation& station, EngineMinute shown, int step, int dstFlag);

// Shown time: the high and low waters of the date starting at `dayStart` (00:00 shown),
// with the day's highest and lowest heights (both include 0 and the heights at 00:00 and
// 23:59), by the whole-day rule. Returns 0, or -1 after reporting 2410 when a prediction
// failed or the day had more than 16 candidate events (the first 16 are then used).
int FindTideDayExtremes(const TideLocation& station, EngineMinute dayStart,
                        TideDayExtremes& extremes, int32_t& maximum, int32_t& minimum);

// The reference extreme finder for stations whose tide can show two highs or two lows
// close together (kindCode > 10 with extremeRule 20): of three successive extremes
// within 14 hours, the third replaces the first when it is of the same kind and more
// extreme.
TideExtreme PickDoubleTideExtreme(const TideLocation& station, EngineMinute minute, int step);

// True when the station's extremes are found with PickDoubleTideExtreme.
bool UsesDoubleTideFinder(const TideLocation& station);

// One event found by the day search, before cleaning.
struct TideCandidate {
  int32_t height = 0;
  EngineMinute time = 0;
};

// The cleaning half of the day lists: from the day's candidate events (time order, at
// most 16) and the heights at 00:00 (h0) and 23:59 (hEnd), removes one event of every
// wiggle under 0.1 ft while five or more remain, keeps the two highest with the lowest
// around them when more than five remain, labels highs and lows and repairs two of a kind
// in a row by where they lie in the day's range (taken down to or up to the chart datum,
// `chartZero` on the datum the heights are given on, so the kinds are the same on every
// datum).
struct CleanedTideDay {
  TideDayExtremes extremes{};
  int32_t maximum = 0;  // the day's highest and lowest heights, both including 0, h0 and hEnd
  int32_t minimum = 0;
};
CleanedTideDay CleanDayExtremes(std::vector<TideCandidate> candidates, int32_t h0, int32_t hEnd,
                                int32_t chartZero = 0);

// Forgets the reference bracket.
void ResetTidePrediction();

}  // namespace qw
