// The floating form of the tide sum over the held record and year (held_data.h):
//   h(t) = Z0 + sum of f H cos(a t + (V0 + u) - kappa), t in hours from 1 January 00:00
// of the held year, cut (toward zero) to millionths of a foot.
//
// Three ways to the same sum:
//  - FloatingTideSum: one minute, every cosine from a kernel on vector lanes that gives
//    the C library's cosine to a unit or two in the last place;
//  - LibraryFloatingTideSum: one minute, term after term with the C library's cosine,
//    what the others are checked against;
//  - FloatingTideRun: successive minutes, each term carried as the point f H (cos, sin)
//    of its angle and turned by its fixed angle per minute (one complex multiply per term
//    per minute), re-seeded from FloatingTideSum's kernel every kRunReseedMinutes.
//
// Every function uses the terms of the held year: a caller that crosses 1 January must
// load the new year first and start a new run there (the node factors and equilibrium
// arguments change at each new year). Callers make sure the harmonics are ready
// (TideHarmonicsReady); nothing is checked here.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace qw {

// A run is started again from the exact angles after this many minutes. Each turn adds
// a rounding of a few parts in 10^16 to a term; over a day the drift stays below 10^-12
// of the amplitude, against the millionth of a foot the sum is cut to.
constexpr size_t kRunReseedMinutes = 240;

// A sum in millionths of a foot as the int32 heights are returned in. Prepared stations
// cannot reach beyond 2000 feet (held_data.h); the clamp only guards the reserved values.
inline int32_t ToHeightMicroFeet(int64_t microFeet) {
  return static_cast<int32_t>(std::clamp<int64_t>(microFeet, -2147483646LL, 2147483646LL));
}

// The height at `minute` (a standard minute, as the held year's start).
int32_t FloatingTideSum(int64_t minute);

// The same with each cosine from the C library, term after term.
int32_t LibraryFloatingTideSum(int64_t minute);

// The heights at `count` successive minutes from `first`, written to `out`. Each differs
// from FloatingTideSum's by at most one millionth of a foot (where the exact sum lies
// that close to a cut). Far from the held year (a corrupt time) each minute is summed
// on its own.
void FloatingTideRun(int64_t first, size_t count, int32_t* out);

}  // namespace qw
