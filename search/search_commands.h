// The main window's "Event Search..." and "Nearest Location Search..." commands: each
// opens a new results window and its dialog; the window's buttons search again, open
// the listed stations, change the fonts and save the table.
#pragma once

#include <QObject>
#include <functional>
#include <map>

#include "search/event_search_dialog.h"
#include "search/nearest_search_dialog.h"
#include "search/results_window.h"
#include "settings/app_settings.h"
#include "settings/catalogue_directory.h"
#include "settings/profile_file.h"
#include "shell/frame.h"

namespace qw {

// Saves a results window's table (the table save dialog and writers).
using TableSaver = std::function<void(ResultsWindow& window)>;

class SearchCommands : public QObject {
  Q_OBJECT

 public:
  SearchCommands(Frame& frame, AppSettings& settings, ProfileFile& file, const CatalogueDirectory& catalogue,
                 TableSaver save);

  // A results window of `kind` in the frame, its fonts from the settings and its Font
  // and Save buttons answered; used by the export too.
  ResultsWindow* NewResultsWindow(ResultsKind kind);

  void NewEventSearch();
  void NewNearestSearch();

 private:
  SearchContext Context() const;
  void OpenEventRows(ResultsWindow& window);
  void OpenNearestRows(ResultsWindow& window);
  void ChangeFonts(ResultsWindow& window);

  Frame& frame_;
  AppSettings& settings_;
  ProfileFile& file_;
  const CatalogueDirectory& catalogue_;
  TableSaver save_;
  std::map<ResultsWindow*, EventWindowState> events_;
  std::map<ResultsWindow*, NearestWindowState> nearest_;
};

}  // namespace qw
