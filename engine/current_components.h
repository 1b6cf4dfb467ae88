// How the direction groups of a harmonic current station become one signed speed and one
// direction, and the two transforms a station file may ask for.
//
// A station's constituents act along one or more axes (directions in tenths of a degree,
// 0 = north, 900 = east). Each axis has its own sum, a group; the combiners add the groups
// as vectors and give the resultant's magnitude and direction (whole degrees true). The
// sign rule then makes the speed negative (ebb) when the direction lies within 90 degrees
// of the station's ebb direction: flood is positive, ebb negative.
#pragma once

#include <cstdint>

namespace qw {

// True when `directionDegrees` counts as ebb for a station whose ebb direction is
// `ebbDegrees`: lo = ebb - 90 is inclusive, hi = ebb + 90 exclusive (both taken modulo 360).
bool IsEbbDirection(int directionDegrees, int ebbDegrees);

// The hydraulic transform of one group sum: sign(sum) x sqrt(|sum|), on knots.
double HydraulicRootKnots(double sumKnots);
int32_t HydraulicRootMicroKnots(int32_t sumMicroKnots);  // converts, roots, truncates back

// The strong-current compression of a speed in knots: 7.55 and below unchanged, 7.55 to
// 12.95 compressed linearly into 7.55 to 9.6, 12.95 and above 9.6 (mirrored for ebb).
double CompressStrongCurrentKnots(double speedKnots);

// A combined current: signed speed and direction in whole degrees true (0..359).
struct CombinedCurrent {
  int32_t speedMicroKnots = 0;
  int16_t directionDegrees = 0;
};

// Combines `count` group sums (knots) on the axes `directionsTenths`. One group: its sum,
// signed, and its axis in whole degrees, or for a negative sum the ebb direction (the axis
// reversed when the ebb direction is not 0..359). Two or more: the vector sum's magnitude
// and direction, signed by IsEbbDirection. The library sine and cosine are used.
CombinedCurrent CombineCurrentComponentsReal(const double* sumsKnots, const int16_t* directionsTenths,
                                             int count, int16_t ebbDegrees);

// The same in integer arithmetic on millionths of a knot, with the sine and cosine read
// from the quarter-wave cosine table `table`; only the magnitude and the direction of the
// resultant use floating point.
CombinedCurrent CombineCurrentComponentsInt(const int32_t* sumsMicroKnots, const int16_t* directionsTenths,
                                            int count, int16_t ebbDegrees, const int32_t* table);

}  // namespace qw
