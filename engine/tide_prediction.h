// The public tide predictions of a station: the height at a minute, the next or
// previous high or low water, and the high and low waters of a calendar day, for
// reference stations and for subordinate stations derived from them by time offsets,
// height ratios and height differences.
//
// Heights are millionths of a foot; kValueFailed means the computation failed (a message
// has been shown), kValueNotDefined that the station lacks a needed correction.
// Minutes are EngineMinute values of the station's local clock.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/engine_values.h"
#include "engine/tide_location.h"

namespace qw {

struct TideExtreme {
  char kind = 0;          // 'H' high water, 'L' low water, 0 empty
  int32_t height = 0;     // millionths of a foot, or kValueNotDefined
  EngineMinute time = 0;  // 0 ends the list
};

// A day's high and low waters in time order; the list ends at the first entry whose
// time is 0.
using TideDayExtremes = std::array<TideExtreme, 5>;

// step 0: the height at `minute`. step +1 / -1: the next high or low water strictly
// after / before `minute`, whose time replaces `minute`. `dstFlag` is the dstFlag of the
// day (ignored for stations that do not observe daylight saving).
int32_t PredictTide(const TideLocation& station, EngineMinute& minute, int step, int dstFlag);

// The high and low waters of the day starting at `dayStart` (00:00), with the day's
// highest and lowest heights (both include 0 and the heights at 00:00 and 23:59).
// Returns 0, or -1 after reporting 2410 when a prediction failed or the day had more
// than 16 candidate events (the first 16 are then used).
int FindTideDayExtremes(const TideLocation& station, EngineMinute dayStart,
                        TideDayExtremes& extremes, int32_t& maximum, int32_t& minimum);

// The reference extreme finder for stations whose tide can show two highs or two lows
// close together (kindCode > 10 with extremeRule 20): of three successive extremes
// within 14 hours, the third replaces the first when it is of the same kind and more
// extreme.
int32_t PickDoubleTideExtreme(const TideLocation& station, EngineMinute& minute, int step,
                              int dstFlag);

// True when the station's extremes are found with PickDoubleTideExtreme.
bool UsesDoubleTideFinder(const TideLocation& station);

// One event found by the day search, before cleaning.
struct TideCandidate {
  int32_t height = 0;
  EngineMinute time = 0;
};

// The cleaning half of FindTideDayExtremes: from the day's candidate events (time order,
// at most 16) and the heights at 00:00 (h0) and 23:59 (hEnd), removes one event of every
// wiggle under 0.1 ft while five or more remain, keeps the two highest with the lowest
// around them when more than five remain, labels highs and lows and repairs two of a kind
// in a row by where they lie in the day's range.
void CleanDayExtremes(std::vector<TideCandidate> candidates, int32_t h0, int32_t hEnd,
                      TideDayExtremes& extremes, int32_t& maximum, int32_t& minimum);

// Forgets the reference bracket.
void ResetTidePrediction();

}  // namespace qw
