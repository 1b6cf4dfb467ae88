// Hand-built current stations for tests and benchmarks: current harmonic files written
// with the project's encoder into a data directory that also holds the constituent
// tables of harmonic_fixture.h (slot 0 is M2, 1 S2, 2 N2, 3 K1, 5 O1, ...), and the
// current station records that use them.
#pragma once

#include <cstdint>
#include <string>

#include "engine/current_harmonic_file.h"
#include "engine/current_location.h"
#include "engine/rotary_table_file.h"

namespace qw::test {

// One harmonic term: constituent slot, amplitude in knots, phase in degrees, axis in
// degrees true.
CurrentConstituentRecord CurrentTerm(int slot, double knots, double phaseDegrees, double axisDegrees);
// A constant term of `knots` on an axis.
CurrentConstituentRecord ConstantTerm(double knots, double axisDegrees);

// A reversing current on one axis (flood towards 45 degrees, ebb towards 225): M2 of
// 2 knots, S2, N2, K1 and O1, and `meanKnots` of mean flow.
CurrentHarmonicFile ReversingCurrent(uint16_t number, double meanKnots = 0.0);

// A current with two axes, north (M2 1.5 kn) and east (M2 1.0 kn a quarter period later,
// and K1), ebb direction 200 degrees: its direction turns and both combiners are used.
CurrentHarmonicFile TwoAxisCurrent(uint16_t number);

// Writes the file into `directory` as "%05u.dat"; throws on failure.
void WriteCurrentFile(const std::string& directory, const CurrentHarmonicFile& file);
// Writes the constituent tables (harmonic_fixture.h) for 1995..2010.
void WriteCurrentTables(const std::string& directory);
// Writes "RTC%04u.dat".
void WriteRotaryFile(const std::string& directory, uint16_t stationId, const RotaryTable& table);

// A harmonic station record computed from file `referenceId` (all corrections zero).
CurrentLocation HarmonicCurrentStation(uint16_t referenceId, uint16_t stationId, int16_t timeMeridian = -120);

// A subordinate station of `referenceId` with the given time corrections (minutes) and
// speed ratios (hundredths); kNotGiven16 leaves one out.
CurrentLocation SubordinateCurrentStation(uint16_t referenceId, uint16_t stationId, int16_t slackBeforeFlood,
                                          int16_t flood, int16_t slackBeforeEbb, int16_t ebb, int16_t floodRatio,
                                          int16_t ebbRatio);

// The current of `file` evaluated directly in double precision from the fixture's year
// arguments, `hours` after 1 January 00:00 of `year`: the north and east components in
// knots (mean flow and constant terms included; no hydraulic or strong-current transform).
void DirectCurrentComponents(const CurrentHarmonicFile& file, int year, double hours, double& north, double& east);

}  // namespace qw::test
