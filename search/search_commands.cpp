#include "search/search_commands.h"

#include "present/font_setting.h"
#include "search/search_font_dialog.h"

namespace qw {

// Rows "Open..." opens windows for, at most.
constexpr int kMaxRowsOpened = 10;

SearchCommands::SearchCommands(Frame& frame, AppSettings& settings, ProfileFile& file,
                               const CatalogueDirectory& catalogue, TableSaver save)
    : QObject(frame.mainWindow()),
      frame_(frame),
      settings_(settings),
      file_(file),
      catalogue_(catalogue),
      save_(std::move(save)) {
  frame.SetCommandHandler(Command::EventSearch, [this] { NewEventSearch(); });
  frame.SetCommandHandler(Command::NearestSearch, [this] { NewNearestSearch(); });
}

SearchContext SearchCommands::Context() const {
  SearchContext context;
  context.locations = [this] { return frame_.LocationWindows(); };
  context.activeChild = [this] { return frame_.ActiveChild(); };
  context.catalogue = &catalogue_;
  context.settings = &settings_;
  return context;
}

ResultsWindow* SearchCommands::NewResultsWindow(ResultsKind kind) {
  auto* window = new ResultsWindow(kind, FontFromSetting(settings_.searchHeaderFont),
                                   FontFromSetting(settings_.searchBodyFont));
  const Command icon = kind == ResultsKind::Export ? Command::ExportData
                       : kind == ResultsKind::Nearest ? Command::NearestSearch
                                                      : Command::EventSearch;
  frame_.AddChildWindow(window, icon);
  connect(window, &ResultsWindow::fontClicked, this, [this, window] { ChangeFonts(*window); });
  connect(window, &ResultsWindow::saveClicked, this, [this, window] {
    if (save_) save_(*window);
  });
  connect(window, &QObject::destroyed, this, [this, window] {
    events_.erase(window);
    nearest_.erase(window);
  });
  return window;
}

void SearchCommands::NewEventSearch() {
  ResultsWindow* window = NewResultsWindow(ResultsKind::EventSearch);
  PrepareEventResults(window->table());
  EventWindowState& state = events_[window];
  // The list's background, read when the window is made.
  state.columnColour = QColor(file_.ReadInt("EventSearch", "RedBack", 192) & 0xFF,
                              file_.ReadInt("EventSearch", "GreenBack", 255) & 0xFF,
                              file_.ReadInt("EventSearch", "BlueBack", 192) & 0xFF);
  auto search = [this, window] { EventSearchDialog::Open(Context(), *window, events_[window], frame_.mainWindow()); };
  connect(window, &ResultsWindow::searchClicked, this, search);
  connect(window, &ResultsWindow::openClicked, this, [this, window] { OpenEventRows(*window); });
  search();
}

void SearchCommands::NewNearestSearch() {
  ResultsWindow* window = NewResultsWindow(ResultsKind::Nearest);
  PrepareNearestResults(window->table());
  nearest_[window];
  auto search = [this, window] {
    NearestSearchDialog dialog(Context(), *window, nearest_[window], frame_.mainWindow());
    dialog.exec();
  };
  connect(window, &ResultsWindow::searchClicked, this, search);
  connect(window, &ResultsWindow::openClicked, this, [this, window] { OpenNearestRows(*window); });
  search();
}

void SearchCommands::OpenEventRows(ResultsWindow& window) {
  const auto found = events_.find(&window);
  if (found == events_.end() || !found->second.used) return;
  const EventSearchSettings& searched = found->second.settings;
  const StationRef station{searched.stationKind, static_cast<uint16_t>(searched.regionSlot),
                           static_cast<uint16_t>(searched.stationIndex)};
  for (int row : window.SelectedRows(kMaxRowsOpened)) {
    const auto* hit = std::get_if<EventHit>(&window.table().record(row));
    if (!hit) continue;
    if (LocationWindow* opened = frame_.OpenLocation(station, hit->start)) opened->ShowTime(hit->start);
  }
}

void SearchCommands::OpenNearestRows(ResultsWindow& window) {
  for (int row : window.SelectedRows(kMaxRowsOpened)) {
    const auto* hit = std::get_if<NearestHit>(&window.table().record(row));
    if (!hit) continue;
    const StationRef station{hit->kind == kNearestTide ? StationKind::Tide : StationKind::Current,
                             static_cast<uint16_t>(hit->regionSlot), static_cast<uint16_t>(hit->stationIndex)};
    frame_.OpenLocation(station);
  }
}

void SearchCommands::ChangeFonts(ResultsWindow& window) {
  SearchFontDialog dialog(window.headerFont(), window.bodyFont(), frame_.mainWindow());
  if (dialog.exec() != QDialog::Accepted) return;
  window.SetFonts(dialog.header(), dialog.body());
  if (!dialog.saveAsDefault()) return;
  settings_.searchHeaderFont = SettingFromFont(dialog.header(), settings_.searchHeaderFont);
  settings_.searchBodyFont = SettingFromFont(dialog.body(), settings_.searchBodyFont);
  for (auto [prefix, font] : {std::pair{"Header", &settings_.searchHeaderFont}, std::pair{"Body", &settings_.searchBodyFont}}) {
    const std::string p = prefix;
    file_.WriteString("Searching", p + "FontFace", font->faceName);
    file_.WriteInt("Searching", p + "CreateFontHeight", font->height);
    file_.WriteInt("Searching", p + "FontWeight", font->weight);
    file_.WriteInt("Searching", p + "FontItalic", font->italic);
  }
  file_.Save();
}

}  // namespace qw
