#include "cli/station_time.h"

#include "cli/dates.h"

namespace qw::cli {

StationClock ClockOf(CliContext& context, const ResolvedStation& station) {
  const bool tide = station.kind == StationKind::Tide;
  const std::string zone =
      ClockZoneName(context.Sources(), static_cast<char>(station.kind), station.regionNumber, station.index,
                    station.referenceId(), tide ? station.tide.timeMeridian : station.current.timeMeridian);
  return tide ? StationClock::Of(station.tide, zone) : StationClock::Of(station.current, zone);
}

std::string ShownDate(const ClockReading& at) { return IsoDate(at.shown); }
std::string ShownClock(const ClockReading& at) { return ClockTime(at.shown); }
std::string ShownOffset(const ClockReading& at) { return FormatUtcOffset(at.utcOffsetMinutes); }

}  // namespace qw::cli
