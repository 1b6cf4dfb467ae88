// The frame's factory of location windows: a tide or a current window by the station's
// kind, over the installed catalogue and the program's settings.
#pragma once

#include "settings/app_settings.h"
#include "shell/location_window.h"

namespace qw {

class CatalogueDirectory;

// The window of `spec`'s station; nullptr when it cannot be shown (the user has been
// told why).
LocationWindow* MakeLocationWindow(const CatalogueDirectory& catalogue, const AppSettings& settings,
                                   const LocationWindowSpec& spec);

}  // namespace qw
