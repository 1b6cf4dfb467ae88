// Rotary currents: stations whose current turns through the compass over the tidal cycle.
//
// A rotary station has no harmonic constants of its own. Its rotary table
// ("RTC%04u.dat", rotary_table_file.h) gives 25 speeds and directions at equal steps
// from one maximum flood of its reference station to the next; values in between are
// interpolated, and the table's maxima ('M') and minima ('m') are its events. The three
// consecutive reference floods that frame the asked minute are kept in the reference event
// window (current_window.h).
#pragma once

#include <cstdint>

#include "engine/calendar.h"
#include "engine/current_events.h"
#include "engine/current_location.h"

namespace qw {

// In standard minutes: step 0: the speed (millionths of a knot, a magnitude) and
// direction at `minute`, kind ' '. step -1 / +1: the last maximum or minimum before / the
// first after `minute`, kind 'M' or 'm'. The speed is kValueFailed after a failure was
// reported (table missing or damaged, reference floods not found, 2214 when the minute
// cannot be framed by two floods).
CurrentEvent PredictRotaryCurrent(const CurrentLocation& station, EngineMinute minute, int step);

// Makes the table of `stationId` the loaded one (1 also when it already is). Missing:
// message 2210 "Error opening rotary file: '<path>'"; shorter than 100 bytes or holding a
// negative speed or a direction outside 0..359: 2211 "Error reading rotary file:
// '<path>'". Both return -1 and keep the table loaded before. A stationId above 9999 has
// no four-digit file name and is refused with 2210.
int LoadRotaryTable(uint16_t stationId);

// The loaded table's station (0 when none is loaded).
uint16_t LoadedRotaryStation();

// Forgets the loaded table (engine reset).
void ResetRotaryCurrent();

}  // namespace qw
