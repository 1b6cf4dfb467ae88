// The speed and direction of the current at a harmonic (reference) current station.
//
// One current harmonic file ("%05u.dat", current_harmonic_file.h) is held at a time. It
// shares the loaded-station number with the tide side (held_data.h): loading a current
// file drops the held tide record and loading a tide record drops the current file. The
// file's constituents are prepared per calendar year with the year record, the
// constituent speed table and the cosine table of held_data.h, and summed per direction
// axis in floating point or in the integer form (integer_cosine.h); the axis sums are
// combined into one signed speed (flood positive, ebb negative, millionths of a knot) and
// a direction in whole degrees true (current_components.h). Values of the current day are
// kept in the shared minute cache (minute_cache.h). Minutes are standard minutes.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "engine/calendar.h"
#include "engine/current_location.h"

namespace qw {

// One term of the held file prepared for the held year. For a harmonic term the
// amplitude is the file's amplitude times the year's node factor and the phase is the
// year's equilibrium argument minus the file's phase; a constant term (constituent 255)
// is added as it is.
struct CurrentYearTerm {
  uint8_t constituent = 0;          // slot in the speed table and year record; 255 constant
  float amplitudeKnots = 0;         // f x amplitude, knots (constant term: millionths, unscaled)
  int32_t amplitudeWhole = 0;       // whole knots of amplitudeKnots (integer form)
  int32_t amplitudeMilli = 0;       // thousandths of a knot beyond the whole knots, rounded
  float phaseRadians = 0;           // (V0 + u) - phase, 0..2 pi
  int32_t phaseSteps = 0;           // the same in whole cosine-table steps
  int32_t phaseSteps5 = 0;          // and the remainder in 1/100,000 step
  int16_t directionTenths = 0;      // the axis the term acts along, tenths of a degree
};

// Makes current file `fileNumber` the held one (1 also when it already is). Missing:
// message 2208 with the path, -1. Damaged (wrong checksum, a header cut short, a
// constituent outside the data variant's tables): the "Information" warning "Current
// harmonic file %u.dat is corrupted", -1. After a failed load no file is held. A load
// empties the minute cache and marks the directions of the event window as not given.
int LoadCurrentHarmonics(uint16_t fileNumber);

// Makes file `fileNumber`, the year record of `year`, the speed table and the cosine table
// ready and prepares the year terms. Returns the number of terms (> 0), or <= 0 after the
// failure was reported (a file without any term is reported as damaged).
int PrepareCurrentYear(uint16_t fileNumber, int year);

// True when the terms of `fileNumber` for `year` are prepared and still held.
bool CurrentYearReady(uint16_t fileNumber, int year);

// The current of the held file at one minute.
struct CurrentSample {
  int32_t speed = 0;       // signed, millionths of a knot; kValueFailed after a reported failure
  int16_t direction = 0;   // whole degrees true
};

// The current at standard minute `minute` (UTC plus the station's time meridian, which
// the file's phases are referred to). `mathType` 'f' sums in floating point, any other
// letter in the integer form. The caller must have prepared the year that holds `minute`
// (PrepareCurrentYear); without prepared terms this reports 2213 and gives kValueFailed.
CurrentSample ComputeCurrentSpeed(EngineMinute minute, char mathType);

// The held file's number (0 when none is held) and its prepared terms.
uint16_t HeldCurrentFileNumber();
// The station name in the held file's header ("" when none is held): the reference
// station a subordinate station is computed from.
std::string HeldCurrentFileName();
std::span<const CurrentYearTerm> CurrentYearTerms();

// How many sums ComputeCurrentSpeed evaluated (cache hits excluded); for debugging.
uint64_t CurrentSpeedSumCount();

// Drops the held file and its terms (engine reset).
void ResetCurrentHarmonics();

}  // namespace qw
