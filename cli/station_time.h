// The station's clock in the command-line tool: every time a command prints is the
// station's civil time at that instant, with the UTC offset then in force
// (engine/station_clock.h), shared with the windows and the exports.
#pragma once

#include <string>

#include "cli/cli_context.h"
#include "cli/station_ref.h"
#include "engine/station_clock.h"

namespace qw::cli {

// The clock of a resolved station: its zone from the side catalogue (or, for a custom
// location, its reference station's), else its record's time meridian and daylight class.
StationClock ClockOf(CliContext& context, const ResolvedStation& station);

// "2026-07-01 06:44 +02:00"-style pieces of a reading.
std::string ShownDate(const ClockReading& at);
std::string ShownClock(const ClockReading& at);
std::string ShownOffset(const ClockReading& at);

}  // namespace qw::cli
