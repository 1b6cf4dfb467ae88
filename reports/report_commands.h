// Connects the main window's "Print Report..." and "Print Preview" commands to the Print
// Report dialog, for the open windows of the active window's kind; while a results window
// is active they print its table instead.
#pragma once

#include "reports/print_report_dialog.h"
#include "settings/app_settings.h"
#include "settings/catalogue_directory.h"
#include "settings/profile_file.h"
#include "shell/frame.h"

namespace qw {

// With `notes`, the dialog offers the notes report and reads the stations' notes through it.
void InstallReportCommands(Frame& frame, AppSettings& settings, ProfileFile& file, const CatalogueDirectory& catalogue,
                           NotesReader notes = {});

}  // namespace qw
