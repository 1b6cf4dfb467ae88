// Connects the main window's "Print Report..." and "Print Preview" commands to the Print
// Report dialog, for the open windows of the active window's kind.
#pragma once

#include "app/app_settings.h"
#include "app/catalogue_directory.h"
#include "app/main_frame.h"
#include "app/profile_file.h"

namespace qw {

void InstallReportCommands(MainFrame& frame, AppSettings& settings, ProfileFile& file,
                           const CatalogueDirectory& catalogue);

}  // namespace qw
