#include "cli/station_listing.h"

#include <string>

#include "cli/csv_output.h"
#include "engine/tide_corrections.h"

namespace qw::cli {
namespace {

bool Position(const ResolvedStation& s, double& latitude, double& longitude) {
  return s.kind == StationKind::Tide ? TideLocationPosition(s.tide, latitude, longitude)
                                     : CurrentLocationPosition(s.current, latitude, longitude);
}

std::string Degrees(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", value);
  return text;
}

}  // namespace

const char* StationRole(const ResolvedStation& s) {
  if (s.stationId() == 0 || s.referenceId() == 0) return "area";
  bool subordinate = s.kind == StationKind::Tide ? HasTideCorrections(s.tide)
                                                 : IsSubordinateCurrent(s.current);
  return subordinate ? "subordinate" : "reference";
}

void WriteStationListHeader(std::FILE* out, bool csv) {
  if (csv) {
    WriteCsvRecord(out, {"slot", "index", "station_id", "name", "latitude", "longitude", "role",
                         "source", "source_id"});
  } else {
    std::fprintf(out, "%-9s %5s  %-50s  %-20s  %-11s  %s\n", "SLOT:IDX", "ID", "NAME", "POSITION",
                 "ROLE", "SOURCE");
  }
}

void WriteStationRow(CliContext& context, const ResolvedStation& s, bool csv) {
  double latitude = 0, longitude = 0;
  const bool hasPosition = Position(s, latitude, longitude);
  const StationSources* sources = context.Sources();
  const StationSource* source =
      sources ? sources->Find(static_cast<char>(s.kind), s.regionNumber, s.index) : nullptr;
  if (csv) {
    WriteCsvRecord(context.out(),
                   {std::to_string(s.slot), std::to_string(s.index), std::to_string(s.stationId()),
                    s.name(), hasPosition ? Degrees(latitude) : "", hasPosition ? Degrees(longitude) : "",
                    StationRole(s), source ? SourceLabel(*source) : "", source ? source->sourceId : ""});
    return;
  }
  std::string position = "-";
  if (hasPosition) {
    char text[48];
    std::snprintf(text, sizeof text, "%.4f%c %.4f%c", latitude < 0 ? -latitude : latitude,
                  latitude < 0 ? 'S' : 'N', longitude < 0 ? -longitude : longitude,
                  longitude < 0 ? 'W' : 'E');
    position = text;
  }
  const std::string where = std::to_string(s.slot) + ":" + std::to_string(s.index);
  std::string sourceText = source ? SourceLabel(*source) + " " + source->sourceId : "-";
  std::fprintf(context.out(), "%-9s %5u  %-50s  %-20s  %-11s  %s\n", where.c_str(), s.stationId(),
               s.label().c_str(), position.c_str(), StationRole(s), sourceText.c_str());
}

}  // namespace qw::cli
