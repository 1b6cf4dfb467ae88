// The main window's "Export Data..." command: the export dialog, then the export to the
// clipboard, a file or a new export results window, with a status box and Cancel.
#pragma once

#include <QObject>
#include <functional>

#include "present/qt_date.h"
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
  // The present instant the first export's dates start from; the computer's clock
  // unless a test sets its own.
  void SetWallClock(WallClock clock) { wallClock_ = std::move(clock); }

 private:
  // Today at the station of `window`, by its own clock.
  EngineMinute TodayAt(const LocationWindow& window) const;

  Frame& frame_;
  const AppSettings& settings_;
  ProfileFile& file_;
  const CatalogueDirectory& catalogue_;
  WindowMaker newWindow_;
  WallClock wallClock_ = SystemClock();
  // The dates of the last export in this run of the program (0 before the first).
  EngineMinute firstDay_ = 0;
  EngineMinute lastDay_ = 0;
};

}  // namespace qw
