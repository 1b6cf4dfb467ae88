// Turning a STATION argument into one installed station.
//
// Accepted forms: "SLOT:INDEX" (region slot and station index), "id:N" (stationId),
// "src:SOURCEID" (the identifier of the station's public source, from the side
// catalogue) and any other text as a name fragment that must match one station (or
// one station's whole name). Unknown and ambiguous stations are usage errors.
#pragma once

#include <string>
#include <string_view>

#include "cli/cli_context.h"
#include "cli/options.h"
#include "engine/current_location.h"
#include "engine/tide_location.h"

namespace qw::cli {

struct ResolvedStation {
  StationKind kind = StationKind::Tide;
  int slot = 0;          // regionSlot
  int index = 0;         // stationIndex
  int regionNumber = 0;
  TideLocation tide;        // the record, when kind is Tide
  CurrentLocation current;  // the record, when kind is Current

  const char* name() const { return kind == StationKind::Tide ? tide.name : current.name; }
  // The name as lists show it: a current station with a meter depth followed by "  (%d)",
  // or "  (%dd)" when its depth flag is the letter "d".
  std::string label() const;
  uint16_t stationId() const { return kind == StationKind::Tide ? tide.stationId : current.stationId; }
  uint16_t referenceId() const {
    return kind == StationKind::Tide ? tide.referenceId : current.referenceId;
  }
  // "0:12 Seattle, Puget Sound"
  std::string Label() const;
};

ResolvedStation ResolveStation(CliContext& context, std::string_view text, StationKind kind);

// The station at a known slot and index (both valid).
ResolvedStation LoadStation(CliContext& context, StationKind kind, int slot, int index);

// Usage error unless the station has predictions (a stationId and a reference).
void RequirePredictions(const ResolvedStation& station);

// --datum NAME: the datum a tide station's heights are given on.
inline const OptionSpec kDatumOption{"datum", true, "NAME",
                                     "datum of the heights: MSL, MHHW, NAVD88, ... (default the chart datum; info lists them)"};

// The datums of a tide station, or nullptr (a station the datum list does not give).
const StationDatumSet* DatumsOf(CliContext& context, const ResolvedStation& station);

// Puts the heights of a tide station on the datum --datum names, when given. A usage
// error when the station does not have it (the message names the datums it has) or is a
// current station.
void ApplyDatumOption(CliContext& context, ResolvedStation& station, const ParsedArgs& args);

// The name of the datum a tide station's heights are on: the chosen one or its chart
// datum; "" when not known.
std::string DatumName(CliContext& context, const ResolvedStation& station);

// "tide" or "current"
const char* KindWord(StationKind kind);

}  // namespace qw::cli
