// The height of the tide at a reference station, and its next or previous high or low water.
//
// Heights are int32 millionths of a foot above the station's datum; kValueFailed means no
// value could be computed (a message has been shown). Minutes are standard minutes: the
// standard time of the record's station (UTC plus its time meridian), which the
// record's phases are referred to. Shown times are the station clock's business
// (station_clock.h).
#pragma once

#include <cstdint>

#include "engine/calendar.h"
#include "engine/tide_location.h"

namespace qw {

// One high or low water, or one height.
struct TideExtreme {
  char kind = 0;          // 'H' high water, 'L' low water, 0 a plain height or empty
  int32_t height = 0;     // millionths of a foot, kValueFailed or kValueNotDefined
  EngineMinute time = 0;  // standard minute (a day's list: 0 ends it)
};

// The harmonic sum of the held record at one minute:
//   h(t) = Z0 + sum of f H cos(a t + (V0 + u) - kappa), t in hours from 1 January 00:00
// of the held year. mathForm 'f' sums in floating point; any other letter uses the
// integer form (cosine table, 1/100,000-step interpolation). Values are kept in the
// minute cache. The caller must have loaded the station (LoadTideHarmonics); without a
// held record and year this reports 2411 and returns kValueFailed.
int32_t ComputeTideHeight(EngineMinute minute, char mathForm);

// The same sum at a minute already adjusted to the sum's time, without the minute cache
// (benchmarks and checks). kValueFailed, after message 2411, when nothing is prepared.
int32_t HarmonicSumAt(int64_t adjustedMinute, char mathForm);

// The floating form with each cosine from the C library, term after term: what the fast
// floating form is checked against. Nothing is checked: call it with a prepared station.
int32_t LibraryCosineSumAt(int64_t adjustedMinute);

// step 0: the height at `minute` (kind 0, time `minute`). step +1 / -1: the next high or
// low water strictly after / before `minute`, with its kind and time. Loads the station's
// record and the minute's year as needed. The height is kValueFailed after the failure
// was reported. No subordinate corrections are applied here. Extremes are found to the
// minute; a run of equal minutes at a turn counts as one extreme at its last minute.
TideExtreme PredictReferenceTide(const TideLocation& station, EngineMinute minute, int step);

// The heights at `count` minutes from `first`, `step` apart, each what
// PredictReferenceTide(station, t, 0).height gives; from the first failure on every height
// is kValueFailed and no more are computed (the failure is reported once). A table or a
// graph asks for a day of minutes at once.
void PredictReferenceHeights(const TideLocation& station, EngineMinute first, EngineMinute step, size_t count,
                             int32_t* out);

// How many sums ComputeTideHeight has evaluated (cache hits excluded); for debugging.
uint64_t TideHeightSumCount();

// Clears the counters and the last kind (engine reset).
void ResetTideHeight();

}  // namespace qw
