// The side catalogue (catalogue.csv) of any content must parse without crashing.
#include <cstdint>
#include <string_view>

#include "engine/station_sources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qw::StationSources sources;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  sources.Parse(text);
  for (const qw::StationSource& entry : sources.entries()) {
    sources.Find(entry.kind, entry.region, entry.index);
    sources.FindBySourceId(entry.kind, entry.sourceId);
  }
  return 0;
}
