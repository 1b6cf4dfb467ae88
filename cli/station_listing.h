// One station as a row of the station lists (stations, find), in text or CSV.
#pragma once

#include <cstdio>

#include "cli/cli_context.h"
#include "cli/station_ref.h"

namespace qw::cli {

// Writes the header of a station list.
void WriteStationListHeader(std::FILE* out, bool csv);
// Writes one station: slot, index, stationId, name, position, reference or subordinate
// (or "area" for an entry without predictions), source id.
void WriteStationRow(CliContext& context, const ResolvedStation& station, bool csv);

// "reference", "subordinate" or "area"
const char* StationRole(const ResolvedStation& station);

}  // namespace qw::cli
