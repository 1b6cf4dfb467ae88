// Engine value units and reserved values, shared by every part of the engine and its callers.
#pragma once

#include <cstdint>

namespace qw {

// Minutes since 1 January 1900 00:00 in the station's local clock time (see calendar.h).
using EngineMinute = uint32_t;

// Heights are int32 millionths of a foot; speeds int32 millionths of a knot, flood positive.
constexpr int32_t kMicroPerUnit = 1000000;

// The same units as types, for the values the engine hands to the code that turns them
// into display units and texts (display_units.h, the value texts of the searches, export
// and command line). The engine's records and arithmetic stay plain int32_t; a caller
// names the unit where a value leaves them (MicroFeet(extreme.height)), so that a display
// value or a value in hundredths cannot be passed where an engine value is expected.
// The reserved values below pass through unchanged.
struct MicroFeet {
  constexpr explicit MicroFeet(int32_t value) : raw(value) {}
  int32_t raw;  // millionths of a foot
};
struct MicroKnots {
  constexpr explicit MicroKnots(int32_t value) : raw(value) {}
  int32_t raw;  // millionths of a knot, flood positive
};

// The computation failed and a message has already been shown to the user.
constexpr int32_t kValueFailed = 2147483647;  // 0x7FFFFFFF
// The value is not defined for this subordinate station (a needed correction is not given).
constexpr int32_t kValueNotDefined = -2147483647;  // 0x80000001
// A 16-bit correction, average or direction that the data does not give.
constexpr int16_t kNotGiven16 = -32767;  // 0x8001

}  // namespace qw
