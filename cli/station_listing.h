// One station as a row of the station lists (stations, find), in text, CSV or JSON.
#pragma once

#include <vector>

#include "cli/cli_context.h"
#include "cli/record_output.h"
#include "cli/station_ref.h"

namespace qw::cli {

// The CSV and JSON columns of a station list.
std::vector<RecordColumn> StationListColumns();
// Writes the header of a station list.
void WriteStationListHeader(RecordOutput& out);
// Writes one station: slot, index, stationId, name, position, reference or subordinate
// (or "area" for an entry without predictions), source id.
void WriteStationRow(CliContext& context, RecordOutput& out, const ResolvedStation& station);

// "reference", "subordinate" or "area"
const char* StationRole(const ResolvedStation& station);

}  // namespace qw::cli
