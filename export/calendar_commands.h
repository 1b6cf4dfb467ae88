// The main window's "Export Calendar..." command: for the station of the active tide or
// current window, the calendar dialog, then the iCalendar file written with a status box
// and Cancel, replacing the file only when it is complete.
#pragma once

#include <functional>

#include "settings/app_settings.h"
#include "settings/catalogue_directory.h"
#include "shell/frame.h"

namespace qw {

// Registers the command's handler with the frame (enabled while a station window is
// active). The settings and catalogue outlive the frame.
void InstallCalendarCommand(Frame& frame, const AppSettings& settings, const CatalogueDirectory& catalogue);

}  // namespace qw
