// What the engine keeps in memory from its harmonic data files, and the loaders that fill it.
//
// Module-level state, one of each: the cosine table, the constituent speed table, the
// year record of one year, the harmonic record of one reference station and the
// constituents prepared from the two for the harmonic sum. The loaders read lazily and
// only when the station, the year or the data variant changes. Failures are reported
// through the engine reporter (message boxes 2100, 2101, 2208, 2408 and the "Information"
// warnings of harmonic_files.h) before a loader returns its failure value.
//
// The loaded-station number is shared with the current side: tide records and current
// harmonic files use one number space, and loading either kind replaces the other.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "engine/calendar.h"
#include "engine/data_layouts.h"

namespace qw {

// One constituent of the held record, ready for the harmonic sum of the held year.
// Amplitudes are the station's amplitude H times the year's node factor f; phases are the
// year's equilibrium argument V0 + u minus the station's phase kappa.
struct PreparedConstituent {
  uint8_t index = 0;          // constituent slot in the speed table and year record
  float amplitudeFeet = 0;    // f x H, feet (floating form)
  int32_t amplitudeWhole = 0; // whole feet of amplitudeFeet (integer form)
  int32_t amplitudeMilli = 0; // thousandths of a foot beyond the whole feet, rounded
  float phaseRadians = 0;     // (V0 + u) - kappa in radians, normally 0..2 pi
  int32_t phaseSteps = 0;     // the same phase in whole cosine-table steps
  int32_t phaseSteps5 = 0;    // and the remainder in 1/100,000 step
};

// The sum of |f x H| and |Z0| a prepared station may reach: 2000 feet keeps every height
// of both forms of the sum inside the 32-bit millionths of a foot it is returned in.
constexpr double kMaxStationReachFeet = 2000.0;

// Loads costable.dat; when it is missing the table is computed and the file written (the
// table is used from memory when the file cannot be written). A file that is short or does
// not hold the quarter wave (entries within 1 of the computed ones, the ends exact) is
// reported as damaged and the computed table used; the file is left as it is. Returns 1.
int LoadCosineTable();

// Loads the speed file of the loaded station's data variant. Missing: message 2208 with
// the path; a table read earlier from the same file is kept, a table of another file is
// dropped. Wrong checksum: "Information" warning, the table is used. A file too short for
// its layout or holding values that are not speeds: the warning, and no table from it.
// Returns 1 when a table of this variant is held afterwards, else -1.
int LoadConstituentSpeeds();

// Loads the record of `year` from the year file of the loaded station's data variant,
// then the speed table. Missing file: 2100; beyond the end of the file: 2101 with "Base
// Year = %i, Year = %i"; checksum or year wrong: "Information" warning. Returns 1, or -1
// with no year held.
int LoadYearRecord(int year);

// Reads and checks harmonic record `number` and makes it the held record (1 when it
// already is). Not found: 2408 (ReadHarmonicRecord). Wrong checksum, a short header or a
// constituent index outside the variant's speed table: "Tide harmonic file %i.dat is
// corrupted". Returns 1, or -1 with no record held. Restarts the minute cache.
int LoadHarmonicRecord(uint16_t number);

// Makes everything valid for record `number` and `year` (month is the month predicted)
// and prepares the constituents. Returns their count (> 0), or a value <= 0 after the
// failure has been reported.
int LoadTideHarmonics(uint16_t number, int year, int month);

// ---- Read-only views of the held state -----------------------------------------------
// A tide record, its year, the speed and cosine tables and the prepared constituents are
// all held: the tide sum can be evaluated.
bool TideHarmonicsReady();
const int32_t* CosineTable();                 // kCosineEntries entries, or nullptr
const SpeedTable* ConstituentSpeeds();        // nullptr when none is held
const YearRecord* HeldYearRecord();           // nullptr when no year is held
int HeldYear();                               // 0 when no year is held
EngineMinute HeldYearStart();                 // 1 January 00:00 of the held year
EngineMinute HeldYearEnd();                   // 31 December 23:59 of the held year
uint16_t LoadedStationNumber();               // 0 when no station is loaded
bool TideRecordHeld();                        // a tide harmonic record is loaded
const uint8_t* HeldTideRecord();              // harmonic_layout::kBufferSize bytes, or nullptr
std::string HeldTideRecordName();             // the held record's name ("" when none)
int32_t HeldMeanLevelMicroFeet();             // Z0 of the held record
std::span<const PreparedConstituent> PreparedConstituents();  // empty until prepared

// A number that changes whenever any held table, record or prepared constituent changes;
// views derived from the held state (such as the integer sum's term arrays) rebuild when
// it differs from the one they were built at.
uint64_t HeldDataGeneration();

// For the current side's loader: drops the held tide record and the prepared
// constituents and forgets the loaded number; the year record is marked stale when
// `nextNumber` needs another data variant than the one it was read for.
void BeginStationChange(uint16_t nextNumber);
// Records `number` as the loaded station after a successful non-tide load.
void SetLoadedStationNumber(uint16_t number);

// Frees everything held (engine reset).
void ResetHeldData();

}  // namespace qw
