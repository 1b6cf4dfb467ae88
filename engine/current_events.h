// Maximum floods, maximum ebbs and slack waters of a harmonic (reference) current station.
//
// Events are found by sampling the current every 32 minutes and refining by halving the
// step down to one minute. A maximum flood ('F') is a local maximum of the signed speed, a
// maximum ebb ('E') a local minimum; a slack ('S') is the minimum of the speed's magnitude
// where the current turns, when that minimum does not exceed the event threshold. A
// weakening that stays above the threshold is reported as a weak maximum of its sign
// ('F' between two floods, 'E' between two ebbs). Found events go into the extremes cache
// (extremes_cache.h) with their direction as the entry's flag.
#pragma once

#include <cstdint>

#include "engine/calendar.h"
#include "engine/current_location.h"
#include "engine/engine_values.h"

namespace qw {

// One current event or value.
struct CurrentEvent {
  char kind = 0;                    // 'F', 'E', 'S'; rotary 'M', 'm'; ' ' a plain value; 0 empty
  int32_t speed = 0;                // millionths of a knot; kValueFailed, kValueNotDefined
  EngineMinute time = 0;            // standard minute, unless a function says otherwise; 0 ends a day's list
  int16_t direction = kNotGiven16;  // degrees true
};

// The speed (millionths of a knot) at or below which a single value is a slack: the
// UserSlackValue setting when UseUserSlack is on, else 0.1 knot. Stations that give their
// minimum speeds replace it per half-cycle.
int32_t ValueSlackThreshold();

// The speed up to which a minimum of the current is reported as a slack event: the
// UserSlackValue setting (never below 0.3 knot) when UseUserSlack is on, else 0.3 knot.
int32_t EventSlackThreshold();

// At the station's reference harmonic file (`referenceId`), in standard minutes: step 0
// gives the current at `minute` and its direction, kind ' '. Step +1 gives the first
// event strictly after `minute`, step -1 the last one strictly before it. Loads the file
// and the years the search passes through; the search may look past the ends of the
// supported dates into the rest of the installed years (ComputableRange of calendar.h).
// The speed is kValueFailed after the failure was reported.
CurrentEvent FindReferenceCurrentEvent(const CurrentLocation& station, EngineMinute minute, int step);

// Makes the reference file of `station` ready for the year of `minute`; false after the
// failure was reported.
bool PrepareReferenceCurrent(const CurrentLocation& station, EngineMinute minute);

}  // namespace qw
