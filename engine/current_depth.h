// A current station's meter depth as lists show it: the byte after the meter depth holds
// the letter "d" when the depth is to be shown with it ("(12d)").
#pragma once

#include <cstdint>

#include "engine/current_location.h"

namespace qw {

constexpr uint8_t kDepthFlagLetter = 'd';

inline bool DepthMarkedD(const CurrentLocation& station) { return station.unused126 == kDepthFlagLetter; }

}  // namespace qw
