// The main window's "Export Data..." command: the export dialog, then the export to the
// clipboard, a file or a new export results window, with a status box and Cancel.
#pragma once

#include <QObject>
#include <functional>

#include "search/results_window.h"
#include "settings/app_settings.h"
#include "settings/catalogue_directory.h"
#include "settings/profile_file.h"
#include "shell/frame.h"

namespace qw {

class ExportCommands : public QObject {
  Q_OBJECT

 public:
  using WindowMaker = std::function<ResultsWindow*(ResultsKind kind)>;
  ExportCommands(Frame& frame, const AppSettings& settings, ProfileFile& file, const CatalogueDirectory& catalogue,
                 WindowMaker newWindow);

  void Run();

 private:
  Frame& frame_;
  const AppSettings& settings_;
  ProfileFile& file_;
  const CatalogueDirectory& catalogue_;
  WindowMaker newWindow_;
  // The dates of the last export in this run of the program (0 before the first).
  EngineMinute firstDay_ = 0;
  EngineMinute lastDay_ = 0;
};

}  // namespace qw
