// Dates and times of day as ISO 8601 writes them, for the command line's rows and the
// calendar file's descriptions: "2026-12-08" and "14:05" of a minute (its own clock: the
// caller passes a shown time for the station's clock, a UTC minute for UTC).
#pragma once

#include <string>

#include "engine/engine_values.h"

namespace qw {

std::string IsoDate(EngineMinute minute);
std::string ClockTime(EngineMinute minute);

}  // namespace qw
