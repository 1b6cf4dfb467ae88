// Average current speeds of a reference current station, computed from its own installed
// constants, for the current window's "Average Currents" (the source gives none).
//
// The epoch is NOAA's National Tidal Datum Epoch, 1983..2001, sampled on every 19th day
// from 1 January 1983 (365 days; 19 days is 1.29 spring-neap cycles, so the samples fall
// evenly over the fortnight and over the 18.6-year nodal cycle). Each sampled day is summed
// in double precision with the year's node factors and equilibrium arguments at six-minute
// steps, each turn refined by a parabola through its three samples:
// - the average maximum flood is the mean of the local maxima of the speed along the flood
//   direction where that speed is positive (a flood's strongest moments, both of a double
//   flood), the average maximum ebb likewise of the local minima where it is negative;
// - the minimum before flood is the mean, over every change from an ebb maximum to the next
//   flood maximum, of the smallest absolute speed between them: 0 where the current
//   reverses; the minimum before ebb likewise.
#pragma once

#include "engine/current_harmonic_file.h"
#include "tools/data/constituent_table.h"

namespace qw::data {

constexpr int kAverageEpochFirstYear = 1983;
constexpr int kAverageEpochLastYear = 2001;
constexpr int kAverageSampleDays = 19;
// The side catalogue's word for averages obtained so (StationSource::averages).
constexpr const char* kComputedAverages = "computed 1983-2001";

struct CurrentAverages {
  // Knots; a value whose flag is false has no event in the epoch (a current that never
  // floods, say).
  bool hasFlood = false, hasEbb = false, hasMinBeforeFlood = false, hasMinBeforeEbb = false;
  double floodKnots = 0, ebbKnots = 0;  // both positive
  double minBeforeFloodKnots = 0, minBeforeEbbKnots = 0;
};

// The averages of an installed harmonic file, whose constituents are the table's entries
// at the file's slots.
CurrentAverages ComputeCurrentAverages(const CurrentHarmonicFile& file, const ConstituentTable& table,
                                       const SlotOrder& slots);

}  // namespace qw::data
