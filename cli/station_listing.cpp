#include "cli/station_listing.h"

#include <algorithm>
#include <cstdio>
#include <string>

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

std::vector<RecordColumn> StationListColumns() {
  return {{"slot", true},      {"index", true}, {"station_id", true}, {"name"},     {"latitude", true},
          {"longitude", true}, {"role"},        {"source"},           {"source_id"}};
}

void WriteStationListHeader(RecordOutput& out) {
  if (out.format() != RowFormat::Text) {
    out.Begin();
    return;
  }
  char line[160];
  std::snprintf(line, sizeof line, "%-9s %5s  %-50s  %-20s  %-11s  %s\n", "SLOT:IDX", "ID", "NAME", "POSITION",
                "ROLE", "SOURCE");
  out.out().Append(line);
}

void WriteStationRow(CliContext& context, RecordOutput& out, const ResolvedStation& s) {
  double latitude = 0, longitude = 0;
  const bool hasPosition = Position(s, latitude, longitude);
  const StationSources* sources = context.Sources();
  const StationSource* source =
      sources ? sources->Find(static_cast<char>(s.kind), s.regionNumber, s.index) : nullptr;
  if (out.format() != RowFormat::Text) {
    out.Row({std::to_string(s.slot), std::to_string(s.index), std::to_string(s.stationId()), s.name(),
             hasPosition ? Degrees(latitude) : "", hasPosition ? Degrees(longitude) : "", StationRole(s),
             source ? SourceLabel(*source) : "", source ? source->sourceId : ""});
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
  char line[512];
  const int n = std::snprintf(line, sizeof line, "%-9s %5u  %-50s  %-20s  %-11s  %s\n", where.c_str(), s.stationId(),
                              s.label().c_str(), position.c_str(), StationRole(s), sourceText.c_str());
  out.out().Append(std::string_view(line, std::min<size_t>(static_cast<size_t>(n), sizeof line - 1)));
}

}  // namespace qw::cli
