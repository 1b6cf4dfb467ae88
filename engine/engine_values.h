// Engine value units and reserved values, shared by every part of the engine and its callers.
#pragma once

#include <cstdint>

namespace qw {

// Minutes since 1 January 1900 00:00 in the station's local clock time (see calendar.h).
using EngineMinute = uint32_t;

// Heights are int32 millionths of a foot; speeds int32 millionths of a knot, flood positive.
constexpr int32_t kMicroPerUnit = 1000000;

// The computation failed and a message has already been shown to the user.
constexpr int32_t kValueFailed = 2147483647;  // 0x7FFFFFFF
// The value is not defined for this subordinate station (a needed correction is not given).
constexpr int32_t kValueNotDefined = -2147483647;  // 0x80000001
// A 16-bit correction, average or direction that the data does not give.
constexpr int16_t kNotGiven16 = -32767;  // 0x8001

}  // namespace qw
