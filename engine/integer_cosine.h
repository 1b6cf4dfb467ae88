// The integer form of the harmonic sum, term by term: the time since 1 January 00:00 of
// the held year split into whole hours and hour fractions, each constituent's phase
// advanced in cosine-table steps (8192 per turn) and 1/100,000 steps, and the cosine read
// from the quarter-wave table with linear interpolation.
//
// The tide heights and the current speeds both sum their constituents this way; every
// division truncates toward zero as written, and 64-bit intermediates give the same
// results as the 32-bit ones wherever those do not overflow.
#pragma once

#include <cstdint>

#include "engine/data_layouts.h"

namespace qw {

// Minutes since the start of the held year as the integer sum uses them.
struct IntegerHours {
  int64_t whole = 0;       // H: whole hours (negative before the year start)
  int64_t fraction = 0;    // F: the rest of the hour in 1/100,000 hour, rounded, sign of H
  int64_t hundredths = 0;  // Hc: the rest of the hour in hundredths, (F + 500) / 1000
};
IntegerHours SplitIntegerHours(int64_t minutesFromYearStart);

// cos(k steps + wf / 100,000 step) in millionths from the quarter-wave table `table`
// (kCosineEntries entries): k is 0..8191, wf is -99,999..99,999.
int64_t InterpolatedTableCosine(const int32_t* table, uint32_t k, int64_t wf);

// The cosine, in millionths, of constituent `index` at time `t`, for a term whose phase is
// phaseSteps whole steps plus phaseSteps5 / 100,000 step.
int64_t ConstituentTableCosine(const SpeedTable& speeds, const int32_t* table, int index,
                               const IntegerHours& t, int32_t phaseSteps, int32_t phaseSteps5);

}  // namespace qw
