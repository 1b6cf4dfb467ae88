// A realistic synthetic tide station and the data files to compute it, made with the
// project's writers in a test's data directory.
//
// The constituents are the 37 of the NOAA harmonic sets, with speeds computed here from
// their Doodson numbers and the mean rates of the lunar and solar arguments. Amplitudes
// and phases resemble a mixed semidiurnal Pacific coast station; the node factors and
// equilibrium arguments are a smooth made-up function of the year. Nothing in it comes
// from a data file outside the repository.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/data_writers.h"
#include "engine/tide_location.h"

namespace qw::test {

// Angular speed of constituent slot i (0..36), degrees per hour.
double FixtureSpeedDegreesPerHour(int slot);
// The constituent's name ("M2", "K1", ...).
const char* FixtureConstituentName(int slot);
constexpr int kFixtureConstituents = 37;

// The arguments the fixture's year files hold for `year`.
YearArguments FixtureYearArguments(int year, int slotCount);

// The fixture station: record `number`, 37 constituents, Z0 = 6.2 ft.
HarmonicRecordData FixtureStation(uint16_t number, const std::string& name = "Fixture Harbor");

// Writes into `directory`: constspd.dat and constspd.ba with the 37 speeds, yeardata.dat,
// yeardata.can and yeardata.ba for firstYear..lastYear, and costable.dat.
void WriteFixtureTables(const std::string& directory, int firstYear = 1995, int lastYear = 2010);

// A tide station record computed from harmonic record `referenceId`.
TideLocation FixtureLocation(uint16_t referenceId, int16_t timeMeridian = -120);

// The sum written out directly from the fixture's constants (not the engine's prepared
// values): Z0 + sum of f H cos(speed x hours + (V0 + u) - kappa), in feet, for `hours` since
// 1 January 00:00 of `year`.
double DirectFixtureHeightFeet(const HarmonicRecordData& station, int year, double hours);

}  // namespace qw::test
