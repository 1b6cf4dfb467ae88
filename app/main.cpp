// Quaywise Pro, the desktop program: starts the frame in the documented order.
//
//   quaywise [/INT] [/MIN] [--data DIR]
//
// "/INT" runs integrated with the charting program (maximized, no caution or welcome,
// the window size is not saved); "/MIN" starts minimized and in the background.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "app/chart_link_transport.h"
#include "app/main_frame.h"
#include "app/message_reporter.h"
#include "app/single_instance.h"
#include "app/startup_dialogs.h"
#include "app/stop_signals.h"
#include "catalogue/frame_commands.h"
#include "catalogue/location_dialog.h"
#include "engine/data_dir.h"
#include "engine/report.h"
#include "export/export_commands.h"
#include "export/save_table.h"
#include "groups/groups_command.h"
#include "reports/report_commands.h"
#include "search/search_commands.h"
#include "settings/app_paths.h"
#include "settings/catalogue_directory.h"
#include "settings/default_station.h"
#include "settings/settings_store.h"
#include "stations/station_index.h"
#include "stations/station_notes.h"
#include "windows/location_window_factory.h"
#include "windows/real_time_window.h"

namespace {

bool HasSwitch(const QStringList& arguments, const char* name) {
  for (const QString& argument : arguments) {
    if (argument.compare(name, Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quaywise");
  QApplication::setApplicationDisplayName(qw::kProductName);
  QApplication::setApplicationVersion(QW_VERSION);
  const QStringList arguments = app.arguments().mid(1);

  // 1. The settings file.
  const QString settingsPath = qw::SettingsFilePath();

  // 2. One copy per user: a later start hands its command line over and ends.
  qw::SingleInstance instance("quaywise");
  switch (instance.Start(arguments)) {
    case qw::SingleInstance::Role::Handed:
      return 0;
    case qw::SingleInstance::Role::Failed:
      QMessageBox::critical(nullptr, qw::kProductName, instance.problem());
      return 1;
    case qw::SingleInstance::Role::First:
      break;
  }

  // 3. The engine's messages as message boxes, owned by the main window once it exists.
  qw::MainFrame* frame = nullptr;
  qw::InstallMessageBoxReporter([&frame]() -> QWidget* { return frame; });

  const int dataOption = arguments.indexOf("--data");
  if (dataOption >= 0 && dataOption + 1 < arguments.size()) {
    qw::SetDataDirectory(arguments[dataOption + 1].toStdString());
  }

  // 6. The tide and current catalogues.
  qw::CatalogueDirectory catalogue;
  catalogue.Open();
  // Every station held in memory once, for the location dialog's lists and searches.
  qw::StationIndex stationIndex;
  stationIndex.Build(catalogue.Regions(qw::StationKind::Tide), catalogue.Regions(qw::StationKind::Current));

  // 7. The settings, with the first-run rule.
  qw::ProfileFile file(settingsPath.toStdString());
  const qw::ProfileFile::LoadResult loaded = file.Load();
  qw::AppSettings settings = qw::LoadSettings(file, qw::SystemTimeZoneBiasMinutesWest());
  qw::ApplyEngineSettings(settings);
  if (loaded == qw::ProfileFile::LoadResult::Unreadable || loaded == qw::ProfileFile::LoadResult::TooLarge) {
    QMessageBox::warning(nullptr, qw::kProductName,
                         QString::fromStdString(file.loadProblem()) +
                             "\n\nThe program starts with its default settings and will not replace the file.");
  } else {
    file.Save();  // the keys the loading rules wrote
  }

  // 8. The main window.
  qw::MainFrame mainFrame(settings, file, catalogue, [&](const qw::LocationWindowSpec& spec) {
    qw::LocationWindow* window = qw::MakeLocationWindow(catalogue, settings, spec);
    qw::OfferNotesWhenShown(window, stationIndex, settings);
    return window;
  });
  frame = &mainFrame;
  qw::InstallReportCommands(mainFrame, settings, file, catalogue,
                            [&stationIndex](const qw::StationRef& station, qw::ReportNotes& out) {
                              qw::StationNotesTexts texts;
                              if (!qw::NotesTextsOf(stationIndex, station, texts)) return;
                              out = {texts.official, texts.user, texts.general};
                            });
  // Current windows need installed current regions.
  mainFrame.SetCurrentsAvailable(catalogue.RegionCount(qw::StationKind::Current) > 0);
  const qw::LocationChooser chooseLocation = [&](qw::LocationPurpose purpose, QWidget* parent,
                                                 const qw::StationAction& action) {
    return qw::LocationDialog::Run(stationIndex, static_cast<int>(purpose), settings, action, parent,
                                   qw::MakeNotesOpener(stationIndex));
  };
  mainFrame.SetLocationChooser(chooseLocation);
  // Notes, custom locations and groups.
  qw::InstallCatalogueCommands(mainFrame, catalogue, stationIndex, settings, chooseLocation);
  qw::InstallGroupsCommand(mainFrame, catalogue, settings);
  mainFrame.SetRealTimeFactory([&]() -> qw::RealTimeDisplay* {
    qw::RealTimeServices services;
    services.choose = chooseLocation;
    services.openWindows = [&mainFrame] {
      std::vector<qw::OpenLocationInfo> open;
      for (qw::LocationWindow* window : mainFrame.LocationWindows()) open.push_back({window->station(), window->title()});
      return open;
    };
    services.openStation = [&mainFrame](const qw::StationRef& station) {
      mainFrame.BringToFront();
      mainFrame.OpenLocation(station);
    };
    return new qw::RealTimeWindow(catalogue, settings, file, std::move(services));
  });
  // The event and nearest searches and the data export, with their results windows.
  auto* searches = new qw::SearchCommands(mainFrame, settings, file, catalogue, [&mainFrame](qw::ResultsWindow& window) {
    qw::SaveResultsTable(window, &mainFrame);
  });
  new qw::ExportCommands(mainFrame, settings, file, catalogue,
                         [searches](qw::ResultsKind kind) { return searches->NewResultsWindow(kind); });
  QObject::connect(&instance, &qw::SingleInstance::activationRequested, &mainFrame,
                   [&mainFrame] { mainFrame.BringToFront(); });

  // Logout and shutdown end the program like Exit does.
  qw::StopOnSignals(&mainFrame, [&mainFrame] { mainFrame.close(); });

  // 5. The tips of the day, beside the program.
  mainFrame.SetTipFile(QCoreApplication::applicationDirPath() + "/Velda.tip");

  // 9. The command line.
  const bool integrated = HasSwitch(arguments, "/INT");
  const bool minimized = HasSwitch(arguments, "/MIN");
  mainFrame.SetIntegratedMode(integrated);

  // 10. Show the main window at its start-up size.
  if (settings.startupWinSize == 1 && settings.mainWidth > 200 && settings.mainHeight > 150) {
    mainFrame.setGeometry(settings.mainX, settings.mainY, settings.mainWidth, settings.mainHeight);
  } else {
    mainFrame.resize(1180, 860);
  }
  if (minimized) {
    mainFrame.showMinimized();
    mainFrame.lower();
  } else if (integrated || settings.startupWinSize == 3) {
    mainFrame.showMaximized();
  } else if (settings.startupWinSize == 0) {
    mainFrame.showMinimized();
  } else {
    mainFrame.show();
  }

  // The charting program's requests.
  qw::QtChartSharedBlock sharedBlock;
  qw::ChartLinkService chartService(mainFrame, sharedBlock);
  qw::ChartLinkServer chartServer(chartService);
  QString chartError;
  if (!chartServer.Listen(qw::ChartRequestSocketPath(), &chartError)) {
    qw::DebugTrace("chart link: %s\n", chartError.toLocal8Bit().constData());
  }

  // 13. The charting program, from the settings instead of the registry.
  if (!settings.chartingDirectory.empty()) {
    mainFrame.SetChartProgram(QString::fromStdString(settings.chartingDirectory) + "/brantwick");
  }

  // 11 and 12 run once the event loop has shown the window.
  QTimer::singleShot(0, &mainFrame, [&] {
    if (settings.autoOpen && !settings.showWelcome) mainFrame.ReopenLastWindows();
    if (!minimized && !integrated) {
      if (settings.tipShowAtStartup) mainFrame.ShowTipOfTheDay();
      if (settings.showCaution) qw::ShowCaution(&mainFrame, settings.showCaution);
      if (settings.showWelcome) {
        switch (qw::ShowWelcome(&mainFrame, false, settings.showWelcome)) {
          case qw::WelcomeChoice::NewTideWindow: mainFrame.Run(qw::Command::NewTideWindow); break;
          case qw::WelcomeChoice::NewCurrentWindow: mainFrame.Run(qw::Command::NewCurrentWindow); break;
          case qw::WelcomeChoice::Close: break;
        }
      }
    }
    // The real-time window when it was on at the last stop.
    if (settings.realTimeEnabled) mainFrame.ShowRealTimeWindow();
    // A first start, or one after closing every window: a default station.
    if (mainFrame.LocationWindows().empty() && !integrated) {
      if (std::optional<qw::StationRef> station = qw::DefaultTideStation(catalogue)) mainFrame.OpenLocation(*station);
    }
  });

  return app.exec();
}
