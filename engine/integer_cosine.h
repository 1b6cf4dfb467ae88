// The integer form of a harmonic term: phase accumulation in cosine-table steps and the
// quarter-wave look-up with linear interpolation. Shared by the tide and current sums.
//
// A phase is carried as whole steps (8192 to a turn) plus a remainder in 1/100,000 step.
// Time is carried as whole hours H from 1 January 00:00 of the held year, the hour's
// fraction F in 1/100,000 hour and the same fraction in hundredths Hc. Every division
// truncates toward zero as written; 64-bit intermediates give the results of 32-bit ones
// wherever those do not overflow, and stay defined where they would.
#pragma once

#include <cstdint>

#include "engine/data_layouts.h"

namespace qw {

struct HourParts {
  int64_t hours = 0;       // H: whole hours, negative before the year start
  int64_t fraction = 0;    // F: the rest of the hour in 1/100,000 hour (sign of the offset)
  int64_t hundredths = 0;  // Hc = (F + 500) / 1000
};

// Splits a signed minute offset from the year start.
inline HourParts SplitHours(int64_t minutesFromYearStart) {
  const int64_t d = minutesFromYearStart;
  HourParts parts;
  if (d >= 0) {
    parts.hours = d / 60;
    parts.fraction = ((d - 60 * parts.hours) * 10000 + 3) / 6;
  } else {
    parts.hours = -((-d) / 60);
    const int64_t rest = (-d) + 60 * parts.hours;  // (-d) - 60 |H|
    parts.fraction = -((rest * 10000 + 3) / 6);
  }
  parts.hundredths = (parts.fraction + 500) / 1000;
  return parts;
}

// The whole circle unfolded from the quarter wave, so a look-up needs no quadrant
// branches: entry k (k = 0..8192) is the table value of k steps by the quadrant rules
//   q = k / 2048, m = k % 2048:  q 0: T[m]   q 1: -T[2048 - m]   q 2: -T[m]   q 3: T[2048 - m]
// and entry 8192 is entry 0 again, the successor of entry 8191.
constexpr int kFullCircleEntries = kCosineCircleSteps + 1;
void UnfoldCosineTable(const int32_t* quarter, int32_t* full);

// The quarter-wave value of k steps (0..8191) by the quadrant rules above.
int32_t QuarterWaveValue(const int32_t* quarter, uint32_t k);

// cos(phase) x 1,000,000 for a term of speed (whole, frac5, frac3 steps per hour) and phase
// (steps, steps5) at `time`, from the unfolded table: the value at the whole step minus the
// slope to the next step times the 1/100,000 remainder.
inline int64_t TermCosine(const int32_t* full, int64_t whole, int64_t frac5, int64_t frac3, int64_t steps,
                          int64_t steps5, const HourParts& time) {
  const int64_t w = whole * time.fraction + frac5 * time.hours + frac3 * time.hundredths + steps5;
  const int64_t k = whole * time.hours + w / 100000 + steps;
  const auto index = static_cast<uint32_t>(static_cast<uint64_t>(k) % kCosineCircleSteps);
  const int64_t value = full[index];
  const int64_t slope = value - full[index + 1];
  return value - (slope * (w % 100000)) / 100000;
}

}  // namespace qw
