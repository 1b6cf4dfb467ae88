// Draws the main window with tide windows of the real data into PNG files, and times
// opening a station and stepping a day, for looking at the program without a screen.
//
//   frame_snapshots OUTPUT_DIR [DATA_DIR]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cstdio>

#include "app/catalogue_directory.h"
#include "app/default_station.h"
#include "app/main_frame.h"
#include "app/settings_store.h"
#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "windows/tide_window.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
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
  qw::MainFrame frame(settings, file, catalogue, [&](const qw::LocationWindowSpec& spec) -> qw::LocationWindow* {
    return spec.station.kind == qw::StationKind::Tide ? qw::MakeTideWindow(catalogue, settings, spec) : nullptr;
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
  std::printf("open again %lld ms, ", static_cast<long long>(openAgainMs));
  std::printf("open %lld ms, next day %lld ms, next day with the weekly view and table %lld ms\n",
              static_cast<long long>(openMs), static_cast<long long>(stepMs), static_cast<long long>(stepWeeklyMs));
  return 0;
}
