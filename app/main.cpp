// Quaywise Pro, the desktop program: starts the frame in the documented order, each step
// one function below.
//
//   quaywise [/INT] [/MIN] [--data DIR]
//
// "/INT" runs integrated with the charting program (maximized, no caution or welcome,
// the window size is not saved); "/MIN" starts minimized and in the background.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <memory>
#include <optional>

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
#include "export/calendar_commands.h"
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

namespace qw {
namespace {

// The switches of the command line.
struct StartSwitches {
  bool integrated = false;  // "/INT"
  bool minimized = false;   // "/MIN"
};

// What the program's parts share for the whole run.
struct Program {
  explicit Program(const QString& settingsPath) : file(settingsPath.toStdString()) {}

  CatalogueDirectory catalogue;
  StationIndex stationIndex;
  ProfileFile file;
  AppSettings settings;
  LocationChooser chooseLocation;
};

bool HasSwitch(const QStringList& arguments, const char* name) {
  for (const QString& argument : arguments) {
    if (argument.compare(name, Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

// One copy per user: a later start hands its command line over and ends. The exit
// status when this start ends here.
std::optional<int> StartAsOnlyCopy(SingleInstance& instance, const QStringList& arguments) {
  switch (instance.Start(arguments)) {
    case SingleInstance::Role::First: return std::nullopt;
    case SingleInstance::Role::Handed: return 0;
    case SingleInstance::Role::Failed: break;
  }
  QMessageBox::critical(nullptr, kProductName, instance.problem());
  return 1;
}

// "--data DIR" chooses the data directory; "/INT" and "/MIN" the way the program starts.
StartSwitches ReadCommandLine(const QStringList& arguments) {
  const int dataOption = arguments.indexOf("--data");
  if (dataOption >= 0 && dataOption + 1 < arguments.size()) SetDataDirectory(arguments[dataOption + 1].toStdString());
  return {HasSwitch(arguments, "/INT"), HasSwitch(arguments, "/MIN")};
}

// The tide and current catalogues, and every station held in memory once for the
// location dialog's lists and searches.
void OpenCatalogue(Program& program) {
  program.catalogue.Open();
  program.stationIndex.Build(program.catalogue.Regions(StationKind::Tide),
                             program.catalogue.Regions(StationKind::Current));
}

// The settings, with the first-run rule. A file that cannot be read is left alone (the
// user is told); otherwise the keys the loading rules wrote are saved at once.
void LoadSettingsFile(Program& program) {
  const ProfileFile::LoadResult loaded = program.file.Load();
  program.settings = LoadSettings(program.file, SystemTimeZoneBiasMinutesWest());
  ApplyEngineSettings(program.settings);
  if (loaded == ProfileFile::LoadResult::Unreadable || loaded == ProfileFile::LoadResult::TooLarge) {
    QMessageBox::warning(nullptr, kProductName,
                         QString::fromStdString(program.file.loadProblem()) +
                             "\n\nThe program starts with its default settings and will not replace the file.");
  } else {
    program.file.Save();
  }
}

// The location dialog, which chooses the stations of the windows, the real-time window
// and the custom locations.
LocationChooser LocationDialogChooser(Program& program) {
  return [&program](LocationPurpose purpose, QWidget* parent, const StationAction& action) {
    return LocationDialog::Run(program.stationIndex, static_cast<int>(purpose), program.settings, action, parent,
                               MakeNotesOpener(program.stationIndex));
  };
}

// The tide and current windows, which offer their station's notes when they open.
LocationWindowFactory StationWindows(Program& program) {
  return [&program](const LocationWindowSpec& spec) {
    LocationWindow* window = MakeLocationWindow(program.catalogue, program.settings, spec);
    OfferNotesWhenShown(window, program.stationIndex, program.settings);
    return window;
  };
}

// The real-time window, made when it is first shown.
void InstallRealTime(MainFrame& frame, Program& program) {
  frame.SetRealTimeFactory([&frame, &program]() -> RealTimeDisplay* {
    RealTimeServices services;
    services.choose = program.chooseLocation;
    services.openWindows = [&frame] {
      std::vector<OpenLocationInfo> open;
      for (LocationWindow* window : frame.LocationWindows()) open.push_back({window->station(), window->title()});
      return open;
    };
    services.openStation = [&frame](const StationRef& station) {
      frame.BringToFront();
      frame.OpenLocation(station);
    };
    return new RealTimeWindow(program.catalogue, program.settings, program.file, std::move(services));
  });
}

// The features' commands: reports, notes and custom locations, groups, the event and
// nearest searches and the data export with their results windows, and the calendar export.
void InstallFeatures(MainFrame& frame, Program& program) {
  InstallReportCommands(frame, program.settings, program.file, program.catalogue,
                        [&program](const StationRef& station, ReportNotes& out) {
                          StationNotesTexts texts;
                          if (!NotesTextsOf(program.stationIndex, station, texts)) return;
                          out = {texts.official, texts.user, texts.general};
                        });
  InstallCatalogueCommands(frame, program.catalogue, program.stationIndex, program.settings, program.chooseLocation);
  InstallGroupsCommand(frame, program.catalogue, program.settings);
  auto* searches = new SearchCommands(frame, program.settings, program.file, program.catalogue,
                                      [&frame](ResultsWindow& window) { SaveResultsTable(window, &frame); });
  new ExportCommands(frame, program.settings, program.file, program.catalogue,
                     [searches](ResultsKind kind) { return searches->NewResultsWindow(kind); });
  InstallCalendarCommand(frame, program.settings, program.catalogue);
}

// Shows the main window at its start-up size: minimized with "/MIN", maximized when
// integrated, otherwise as the settings say.
void ShowAtStartupSize(MainFrame& frame, const AppSettings& settings, StartSwitches switches) {
  if (settings.startupWinSize == 1 && settings.mainWidth > 200 && settings.mainHeight > 150) {
    frame.setGeometry(settings.mainX, settings.mainY, settings.mainWidth, settings.mainHeight);
  } else {
    frame.resize(1180, 860);
  }
  if (switches.minimized) {
    frame.showMinimized();
    frame.lower();
  } else if (switches.integrated || settings.startupWinSize == 3) {
    frame.showMaximized();
  } else if (settings.startupWinSize == 0) {
    frame.showMinimized();
  } else {
    frame.show();
  }
}

// The charting program's requests, answered for as long as the program runs.
struct ChartLink {
  explicit ChartLink(MainFrame& frame) : service(frame, sharedBlock), server(service) {}
  QtChartSharedBlock sharedBlock;
  ChartLinkService service;
  ChartLinkServer server;
};

std::unique_ptr<ChartLink> ListenToChartingProgram(MainFrame& frame) {
  auto link = std::make_unique<ChartLink>(frame);
  QString error;
  if (!link->server.Listen(ChartRequestSocketPath(), &error)) {
    DebugTrace("chart link: %s\n", error.toLocal8Bit().constData());
  }
  return link;
}

// Once the event loop has shown the window: the last run's windows, the tip of the day,
// the caution and the welcome, the real-time window when it was on at the last stop,
// and on a first start (or one after closing every window) a default station.
void OpenFirstWindows(MainFrame& frame, Program& program, StartSwitches switches) {
  AppSettings& settings = program.settings;
  if (settings.autoOpen && !settings.showWelcome) frame.ReopenLastWindows();
  if (!switches.minimized && !switches.integrated) {
    if (settings.tipShowAtStartup) frame.ShowTipOfTheDay();
    if (settings.showCaution) ShowCaution(&frame, settings.showCaution);
    if (settings.showWelcome) {
      switch (ShowWelcome(&frame, false, settings.showWelcome)) {
        case WelcomeChoice::NewTideWindow: frame.Run(Command::NewTideWindow); break;
        case WelcomeChoice::NewCurrentWindow: frame.Run(Command::NewCurrentWindow); break;
        case WelcomeChoice::Close: break;
      }
    }
  }
  if (settings.realTimeEnabled) frame.ShowRealTimeWindow();
  if (frame.LocationWindows().empty() && !switches.integrated) {
    if (std::optional<StationRef> station = DefaultTideStation(program.catalogue)) frame.OpenLocation(*station);
  }
}

}  // namespace
}  // namespace qw

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quaywise");
  QApplication::setApplicationDisplayName(qw::kProductName);
  QApplication::setApplicationVersion(QW_VERSION);
  const QStringList arguments = app.arguments().mid(1);

  // 1. The settings file.
  qw::Program program(qw::SettingsFilePath());

  // 2. One copy per user.
  qw::SingleInstance instance("quaywise");
  if (const std::optional<int> status = qw::StartAsOnlyCopy(instance, arguments)) return *status;

  // 3. The engine's messages as message boxes, owned by the main window once it exists.
  qw::MainFrame* frame = nullptr;
  qw::InstallMessageBoxReporter([&frame]() -> QWidget* { return frame; });

  // 4. The command line.
  const qw::StartSwitches switches = qw::ReadCommandLine(arguments);

  // 5. The tide and current catalogues.
  qw::OpenCatalogue(program);

  // 6. The settings, with the first-run rule.
  qw::LoadSettingsFile(program);

  // 7. The main window with the features' commands, the real-time window and the tips.
  program.chooseLocation = qw::LocationDialogChooser(program);
  qw::MainFrame mainFrame(program.settings, program.file, program.catalogue, qw::StationWindows(program));
  frame = &mainFrame;
  mainFrame.SetLocationChooser(program.chooseLocation);
  mainFrame.SetCurrentsAvailable(program.catalogue.RegionCount(qw::StationKind::Current) > 0);
  mainFrame.SetIntegratedMode(switches.integrated);
  qw::InstallFeatures(mainFrame, program);
  qw::InstallRealTime(mainFrame, program);
  mainFrame.SetTipFile(QCoreApplication::applicationDirPath() + "/Velda.tip");
  // The charting program, from the settings instead of the registry.
  if (!program.settings.chartingDirectory.empty()) {
    mainFrame.SetChartProgram(QString::fromStdString(program.settings.chartingDirectory) + "/brantwick");
  }
  QObject::connect(&instance, &qw::SingleInstance::activationRequested, &mainFrame,
                   [&mainFrame] { mainFrame.BringToFront(); });
  // Logout and shutdown end the program like Exit does.
  qw::StopOnSignals(&mainFrame, [&mainFrame] { mainFrame.close(); });

  // 8. The main window at its start-up size.
  qw::ShowAtStartupSize(mainFrame, program.settings, switches);

  // 9. The charting program's requests.
  const std::unique_ptr<qw::ChartLink> chartLink = qw::ListenToChartingProgram(mainFrame);

  // 10. The first windows, once the event loop has shown the main window.
  QTimer::singleShot(0, &mainFrame, [&] { qw::OpenFirstWindows(mainFrame, program, switches); });

  return app.exec();
}
