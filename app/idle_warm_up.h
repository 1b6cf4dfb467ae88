// Work the first station window would otherwise do while the user waits for it, done once
// the main window shows and the program waits for the user: Qt's first layout and drawing
// of text in the fonts a station window draws with (its title bar's above all, whose first
// shaping was a large part of a first opening), the side catalogue and the datums (read
// whole on first use, two thirds of a first opening's work), and the engine's shared
// tables with the harmonic data of the station most likely opened first.
#pragma once

#include <optional>

#include "settings/app_settings.h"
#include "settings/catalogue_directory.h"

namespace qw {

// Runs in the calling (user-interface) thread, as the engine's held data is the program's
// one copy. Engine reports are not shown: a station whose data cannot be read says so
// when it is opened.
void WarmUpForFirstWindow(const AppSettings& settings, const CatalogueDirectory& catalogue,
                          const std::optional<StationRef>& station);

}  // namespace qw
