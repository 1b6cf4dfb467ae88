// The station a first start opens: NOAA 9414290, San Francisco (the command-line tool's
// default too), found through the data directory's side catalogue; else the first
// station with predictions of the first tide region.
#pragma once

#include <optional>

#include "settings/catalogue_directory.h"

namespace qw {

std::optional<StationRef> DefaultTideStation(const CatalogueDirectory& catalogue);

}  // namespace qw
