// Synthetic but honest reference tide stations for tests and benchmarks: constituents
// with their true angular speeds, amplitudes and phases of one's choosing, written with
// the engine's own data writers (cosine table, speed file, year file, harmonic family)
// into a data directory.
//
// The year file holds node factors of 1 and equilibrium arguments that make the tide
// continuous across years: V0 of each constituent at 1 January 00:00 of a year is its
// speed times the hours since 1 January 1900, so every station is a plain sum of
// cosines of time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/tide_location.h"

namespace qw::test {

struct SyntheticConstituent {
  double degreesPerHour = 0;
  double amplitudeFeet = 0;
  double phaseDegrees = 0;  // kappa
};

struct SyntheticStation {
  uint16_t number = 0;  // harmonic record number, 1..9999 (the NOAA files)
  std::string name;
  double meanLevelFeet = 0;
  std::vector<SyntheticConstituent> constituents;
};

// Speeds of the common constituents, degrees per hour.
constexpr double kM2 = 28.9841042, kS2 = 30.0, kN2 = 28.4397295, kK2 = 30.0821373;
constexpr double kK1 = 15.0410686, kO1 = 13.9430356, kP1 = 14.9589314, kQ1 = 13.3986609;
constexpr double kM4 = 57.9682084, kM6 = 86.9523127;

// A mixed semidiurnal tide like that of a Pacific coast port (two unequal highs and
// lows most days, sometimes three events).
SyntheticStation MixedTideStation(uint16_t number, const std::string& name = "Mixed Harbour");
// A diurnal tide like that of a Gulf of Mexico port: one high and one low a day, with
// small double tides for a few days each fortnight when the diurnal constituents cancel.
SyntheticStation DiurnalStation(uint16_t number, const std::string& name = "Diurnal Harbour");

// Writes the data files for the stations into `directory`, with year records for
// firstYear..lastYear. False with `error` set when a writer fails.
bool WriteSyntheticStations(const std::string& directory, const std::vector<SyntheticStation>& stations,
                          int firstYear, int lastYear, std::string* error = nullptr);

// A tide station record computed from reference `referenceId` (no corrections).
TideLocation ReferenceLocation(uint16_t referenceId, uint16_t stationId, const std::string& name);

}  // namespace qw::test
