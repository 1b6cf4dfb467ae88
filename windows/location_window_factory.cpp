#include "windows/location_window_factory.h"

#include "windows/current_window.h"
#include "windows/tide_window.h"

namespace qw {

LocationWindow* MakeLocationWindow(const CatalogueDirectory& catalogue, const AppSettings& settings,
                                   const LocationWindowSpec& spec) {
  if (spec.station.kind == StationKind::Current) return MakeCurrentWindow(catalogue, settings, spec);
  return MakeTideWindow(catalogue, settings, spec);
}

}  // namespace qw
