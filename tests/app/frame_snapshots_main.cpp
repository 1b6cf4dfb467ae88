// Draws the main window with tide and current windows of the real data into PNG files,
// and times opening a station and stepping a day, for looking at the program without a
// screen. The first station opens as a user would open it, once the main window has shown
// and done its idle work; with --at-once it opens right after the main window shows.
//
//   frame_snapshots [--at-once] OUTPUT_DIR [DATA_DIR]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <cstdio>
#include <string_view>

#include "app/main_frame.h"
#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/station_database.h"
#include "engine/station_sources.h"
#include "search/results_window.h"
#include "settings/catalogue_directory.h"
#include "settings/default_station.h"
#include "settings/settings_store.h"
#include "shell/datum_menu.h"
#include "windows/location_window_factory.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const bool atOnce = argc > 1 && std::string_view(argv[1]) == "--at-once";
  if (atOnce) {
    --argc;
    ++argv;
  }
  if (argc < 2) return 2;
  const QString out = argv[1];
  QDir().mkpath(out);
  if (argc > 2) qw::SetDataDirectory(argv[2]);

  qw::CatalogueDirectory catalogue;
  catalogue.Open();
  qw::ProfileFile file;
  file.LoadFromText("[Misc]\nFirstRun=0\n");
  qw::AppSettings settings = qw::LoadSettings(file, 480);
  qw::ApplyEngineSettings(settings);
  qw::MainFrame frame(settings, file, catalogue, [&](const qw::LocationWindowSpec& spec) {
    return qw::MakeLocationWindow(catalogue, settings, spec);
  });
  frame.resize(1200, 860);
  frame.show();
  std::optional<qw::StationRef> station = qw::DefaultTideStation(catalogue);
  if (!station) {
    std::fprintf(stderr, "no tide station installed\n");
    return 1;
  }
  const qw::EngineMinute day = qw::MinuteOf(2024, 6, 15);

  QElapsedTimer clock;
  clock.start();
  if (!atOnce) {
    while (clock.elapsed() < qw::MainFrame::kWarmUpDelayMs + 250) app.processEvents(QEventLoop::AllEvents, 20);
    clock.restart();
  }
  qw::LocationWindow* window = frame.OpenLocation(*station, day);
  if (!window) return 1;
  app.processEvents();
  window->repaint();  // the time includes drawing the window
  const qint64 openMs = clock.elapsed();
  window->parentWidget()->showMaximized();

  auto snap = [&](const char* name) {
    app.processEvents();
    frame.grab().save(out + "/" + name + ".png");
  };
  snap("tide_bars");

  clock.restart();
  frame.Run(qw::Command::NextDay);
  window->repaint();
  const qint64 stepMs = clock.elapsed();
  frame.Run(qw::Command::PreviousDay);

  window->SetWeeklyShown(true);
  window->SetTableShown(true);
  snap("tide_weekly_table");
  clock.restart();
  frame.Run(qw::Command::NextDay);
  window->repaint();
  const qint64 stepWeeklyMs = clock.elapsed();
  frame.Run(qw::Command::PreviousDay);
  window->SetWeeklyShown(false);
  window->SetTableShown(false);

  settings.graphStyle = qw::GraphStyle::Filled;
  settings.grid = true;
  window->SettingsChanged();
  snap("tide_filled");
  settings.graphStyle = qw::GraphStyle::Smooth;
  settings.tideUnit = qw::TideUnit::Metres;
  settings.timeType = qw::TimeType::Clock24;
  window->SettingsChanged();
  snap("tide_smooth_metres");
  // Heights on mean sea level, and the Datum menu that chose it.
  window->SetDatum("MSL");
  snap("tide_datum_msl");
  {
    QMenu menu;
    qw::FillDatumMenu(menu, window);
    menu.grab().save(out + "/tide_datum_menu.png");
  }
  window->SetDatum("");

  // A printed page at 1200 dpi is drawn by the same code: render one at a small scale.
  QImage page(1700, 2200, QImage::Format_RGB32);
  page.setDotsPerMeterX(static_cast<int>(200 / 0.0254));
  page.setDotsPerMeterY(static_cast<int>(200 / 0.0254));
  page.fill(Qt::white);
  {
    QPainter painter(&page);
    window->Render(painter, page.rect());
  }
  page.save(out + "/tide_page_200dpi.png");

  // A second station, once the program's one-time start-up work (fonts, data tables) is done.
  qw::StationRef other = *station;
  other.stationIndex = static_cast<uint16_t>(other.stationIndex > 0 ? other.stationIndex - 1 : other.stationIndex + 1);
  clock.restart();
  if (qw::LocationWindow* second = frame.OpenLocation(other, day)) second->repaint();
  const qint64 openAgainMs = clock.elapsed();
  std::printf("tide: open again %lld ms, ", static_cast<long long>(openAgainMs));
  std::printf("open %lld ms (%s), next day %lld ms, next day with the weekly view and table %lld ms\n",
              static_cast<long long>(openMs), atOnce ? "at once after the start" : "after the start's idle work", static_cast<long long>(stepMs), static_cast<long long>(stepWeeklyMs));

  // A current window at the Golden Gate Bridge (NOAA SFB1202), in each graph style.
  settings.graphStyle = qw::GraphStyle::Bars;
  settings.grid = false;
  settings.tideUnit = qw::TideUnit::Feet;
  settings.timeType = qw::TimeType::Clock12;
  auto currentStation = [&](uint16_t stationId) -> std::optional<qw::StationRef> {
    const qw::RegionList& regions = catalogue.Regions(qw::StationKind::Current);
    for (int slot = 0; slot < catalogue.RegionCount(qw::StationKind::Current); ++slot) {
      const int index = qw::FindCurrentStationById(regions, slot, -1, stationId, 1);
      if (index >= 0) return qw::StationRef{qw::StationKind::Current, static_cast<uint16_t>(slot), static_cast<uint16_t>(index)};
    }
    return std::nullopt;
  };
  const std::optional<qw::StationRef> gate = currentStation(5384);
  if (!gate) {
    std::fprintf(stderr, "the Golden Gate Bridge current station (5384) is not installed\n");
    return 1;
  }
  clock.restart();
  qw::LocationWindow* current = frame.OpenLocation(*gate, day);
  if (!current) return 1;
  app.processEvents();
  current->repaint();
  const qint64 currentOpenMs = clock.elapsed();
  current->parentWidget()->showMaximized();
  snap("current_bars");

  clock.restart();
  frame.Run(qw::Command::NextDay);
  current->repaint();
  const qint64 currentStepMs = clock.elapsed();
  frame.Run(qw::Command::PreviousDay);

  current->SetWeeklyShown(true);
  current->SetTableShown(true);
  snap("current_weekly_table");
  clock.restart();
  frame.Run(qw::Command::NextDay);
  current->repaint();
  const qint64 currentStepWeeklyMs = clock.elapsed();
  frame.Run(qw::Command::PreviousDay);
  current->SetWeeklyShown(false);
  current->SetTableShown(false);

  settings.graphStyle = qw::GraphStyle::Filled;
  settings.grid = true;
  current->SettingsChanged();
  snap("current_filled");
  settings.graphStyle = qw::GraphStyle::Smooth;
  settings.currentUnit = qw::CurrentUnit::MetresPerSecond;
  settings.timeType = qw::TimeType::Clock24;
  current->SettingsChanged();
  snap("current_smooth_mps");

  // A day of fifteen events (Saco River Entrance, NOAA CAB1425): two columns of events.
  settings.graphStyle = qw::GraphStyle::Bars;
  settings.grid = false;
  settings.currentUnit = qw::CurrentUnit::Knots;
  settings.timeType = qw::TimeType::Clock12;
  if (const std::optional<qw::StationRef> saco = currentStation(5478)) {
    if (qw::LocationWindow* many = frame.OpenLocation(*saco, day)) {
      many->parentWidget()->showMaximized();
      snap("current_many_events");
    }
  }
  std::printf("current: open %lld ms, next day %lld ms, next day with the weekly view and table %lld ms\n",
              static_cast<long long>(currentOpenMs), static_cast<long long>(currentStepMs),
              static_cast<long long>(currentStepWeeklyMs));

  // The days the clocks change, with the minute table: 23 and 25 hours on the time axis.
  auto bySource = [&](char kind, const char* sourceId) -> std::optional<qw::StationRef> {
    const qw::StationSources* sources = catalogue.Sources();
    if (!sources) return std::nullopt;
    const qw::StationKind stationKind = kind == 'T' ? qw::StationKind::Tide : qw::StationKind::Current;
    for (const qw::StationSource* source : sources->FindBySourceId(kind, sourceId)) {
      const qw::RegionList& regions = catalogue.Regions(stationKind);
      for (size_t slot = 0; slot < regions.size(); ++slot) {
        if (regions[slot].number == source->region) {
          return qw::StationRef{stationKind, static_cast<uint16_t>(slot), static_cast<uint16_t>(source->index)};
        }
      }
    }
    return std::nullopt;
  };
  const struct {
    char kind;
    const char* sourceId;
    qw::EngineMinute day;
    const char* name;
  } changeDays[] = {
      {'T', "9414290", qw::MinuteOf(2026, 3, 8), "change_sf_spring"},
      {'T', "9414290", qw::MinuteOf(2026, 11, 1), "change_sf_autumn"},
      {'T', "brest-822-fra-uhslc_fd", qw::MinuteOf(2026, 3, 29), "change_brest_spring"},
  };
  for (const auto& change : changeDays) {
    const std::optional<qw::StationRef> ref = bySource(change.kind, change.sourceId);
    if (!ref) continue;
    if (qw::LocationWindow* shown = frame.OpenLocation(*ref, change.day)) {
      shown->parentWidget()->showMaximized();
      shown->SetTableShown(true);
      snap(change.name);
    }
  }
  if (qw::LocationWindow* gateChange = frame.OpenLocation(*gate, qw::MinuteOf(2026, 3, 8))) {
    gateChange->parentWidget()->showMaximized();
    gateChange->SetTableShown(true);
    snap("change_golden_gate_spring");
  }

  // Where new windows go in a smaller frame: a tide window, a current window beside it,
  // then an event search's results window, each whole inside the window area.
  frame.CloseAllWindows();
  app.processEvents();
  frame.resize(1024, 700);
  app.processEvents();
  if (qw::LocationWindow* tide = frame.OpenLocation(*station, day)) tide->parentWidget()->showNormal();
  if (qw::LocationWindow* beside = frame.OpenLocation(*gate, day)) beside->parentWidget()->showNormal();
  snap("placed_tide_current");
  auto* results = new qw::ResultsWindow(qw::ResultsKind::EventSearch, frame.font(), frame.font());
  results->table().SetHeading(0, "Event Search Results");
  results->setWindowTitle("Event Search Results");
  frame.AddChildWindow(results, qw::Command::EventSearch);
  snap("placed_results");
  return 0;
}
