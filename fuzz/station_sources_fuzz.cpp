// The side catalogue (catalogue.csv) and the datum list (datums.csv) of any content must
// parse without crashing, and what they hold must be found again.
#include <cstdint>
#include <string_view>

#include "engine/station_datums.h"
#include "engine/station_sources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qw::StationSources sources;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  sources.Parse(text);
  for (const qw::StationSource& entry : sources.entries()) {
    sources.Find(entry.kind, entry.region, entry.index);
    sources.FindBySourceId(entry.kind, entry.sourceId);
    sources.FindByStationId(entry.kind, entry.stationId);
    qw::SourceLabel(entry);
  }
  qw::StationDatums datums;
  datums.Parse(text);
  if (const qw::StationDatumSet* set = datums.Find(1, 0)) set->Find("MSL");
  return 0;
}
