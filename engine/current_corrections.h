// The arithmetic that turns reference current events into a subordinate station's:
// the effective time corrections, the class of an event within the tidal cycle, and the
// interpolation of a value between two corrected events.
//
// All of it is integer arithmetic with the truncations the station data were made for;
// the functions hold no state.
#pragma once

#include <cstdint>

#include "engine/current_location.h"

namespace qw {

// Minutes added to the reference station's events at a subordinate station, each falling
// back on the others when the station does not give its own. All 0 for a harmonic station.
struct CurrentCorrections {
  int32_t flood = 0;             // A: maximum flood
  int32_t ebb = 0;               // B: maximum ebb
  int32_t slackBeforeFlood = 0;  // C
  int32_t slackBeforeEbb = 0;    // D
};
CurrentCorrections EffectiveCurrentCorrections(const CurrentLocation& station);

// Where an event stands in the cycle slack before flood (0), flood (1), slack before ebb
// (2), ebb (3), from its kind and its neighbours' (k1 before, k3 after) and their speed
// magnitudes. Where two maxima of one sign follow each other, the weaker counts as the
// minimum between them.
int ClassifyEventTriple(char k1, char k2, char k3, int32_t a1, int32_t a2, int32_t a3);

// The correction of an event of class `eventClass`: 0 -> C, 1 -> A, 2 -> D, 3 -> B; -1 for
// any other class.
int32_t CorrectionForClass(int eventClass, const CurrentCorrections& c);

// The correction of the event that comes before an event of class `eventClass` in the
// cycle: 2 -> A, 0 -> B, 3 -> D, 1 -> C; -1 for any other class.
int32_t CorrectionBeforeClass(int eventClass, const CurrentCorrections& c);

// The position of `minute` in the corrected segment m..o in ten-thousandths (0..10000);
// 0 when the segment is empty (m = o).
int32_t SegmentPosition(int64_t minute, int64_t m, int64_t o);

// The time correction at position v (ten-thousandths) between c1 and c2, rounded to the
// nearest minute (c1 at v = 0, c2 at v = 10000).
int32_t InterpolatedCorrection(int32_t v, int32_t c1, int32_t c2);

// 50000 x (1 - cos(pi v / 10000)) for v in 0..10000, from the quarter-wave cosine table
// (cosines x 1,000,000, 2049 entries): the weight 0..100000 of a raised cosine in time.
int32_t RaisedCosineWeight(int32_t v, const int32_t* cosineTable);

// About s1 + (s2 - s1) x w / 100000, in the integer steps the corrections prescribe.
int32_t InterpolateSpeed(int32_t s1, int32_t s2, int32_t w);

// A reference speed scaled by a ratio in hundredths: speed / 10 x ratio / 10. A ratio not
// given counts as 0.
int32_t ScaleBySpeedRatio(int32_t referenceSpeed, int16_t ratioHundredths);

}  // namespace qw
