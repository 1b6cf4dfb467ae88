// The main window: a multiple-document area of tide and current windows, the menus and
// toolbar that route every command, the recently-used locations, the open-windows
// list kept between runs, and the frame's side of the chart link.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QPrinter>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "app/chart_link_service.h"
#include "app/command_customizing.h"
#include "settings/app_settings.h"
#include "settings/catalogue_directory.h"
#include "settings/profile_file.h"
#include "shell/commands.h"
#include "shell/frame.h"
#include "shell/location_choice.h"
#include "shell/location_window.h"
#include "shell/open_windows.h"
#include "shell/real_time_display.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace qw {

class MainFrame : public QMainWindow, public Frame, public ChartLinkHost {
  Q_OBJECT

 public:
  static constexpr int kWarmUpDelayMs = 150;

  MainFrame(AppSettings& settings, ProfileFile& file, const CatalogueDirectory& catalogue,
            LocationWindowFactory factory, QWidget* parent = nullptr);
  ~MainFrame() override;

  // The location dialog, for the New and Change Location commands.
  void SetLocationChooser(LocationChooser chooser) { chooser_ = std::move(chooser); }
  // Makes the real-time window; the Real Time Window command is enabled once it is set.
  void SetRealTimeFactory(RealTimeFactory factory);
  // The directory the station-ID checks and the chart link ask (the catalogue unless
  // set otherwise).
  void SetStations(const StationDirectory* stations) { stations_ = stations ? stations : &catalogue_; }
  // Whether current windows can be opened (the current predictions are installed).
  void SetCurrentsAvailable(bool available);

  QAction* action(Command command) const { return actions_.at(command); }
  // Runs a command's handler as if chosen from the menu.
  void Run(Command command);
  // The help topic of the active child window: its station window page, or the topic
  // it names in its kHelpTopicProperty; the contents when there is none.
  QString ActiveWindowHelpTopic() const;

  // Frame. The frame's own commands are registered through SetCommandHandler too.
  QWidget* mainWindow() override { return this; }
  void SetCommandHandler(Command command, std::function<void()> handler, bool needsWindow = false) override;
  void AddChildWindow(QWidget* widget, Command iconCommand) override;
  QWidget* ActiveChild() const override;
  std::vector<LocationWindow*> LocationWindows() const override;
  LocationWindow* ActiveLocationWindow() const override;
  LocationWindow* OpenLocation(const StationRef& station, std::optional<EngineMinute> day = std::nullopt) override;
  std::vector<OpenWindowEntry> OpenWindowEntries() const override;
  int ReopenWindows(const std::vector<OpenWindowEntry>& entries) override;
  void CloseWindows(const std::function<bool(const StationRef&)>& which) override;
  void CloseAllWindows() override;

  // Opens a window for a station with the given view switches; with a placement, the
  // window takes its stored position and show state.
  LocationWindow* OpenLocation(const StationRef& station, std::optional<EngineMinute> day, ViewSwitches switches,
                               const WindowPlacement* placement = nullptr);
  // Reopens the windows of the last run (the "OpenWindows" list), checking station IDs.
  int ReopenLastWindows();
  // The "OpenWindows" list the stop writes: the open windows, then the current windows
  // of the last run kept while current windows cannot open.
  std::vector<OpenWindowEntry> EntriesToSave() const;

  // Integrated mode: started with "/INT" or driven by the charting program.
  bool integratedMode() const { return integrated_; }
  void SetIntegratedMode(bool on) { integrated_ = on; }
  // The charting program's executable; "View on chart" is enabled when it is set.
  void SetChartProgram(const QString& path);

  // The tip of the day from `tipFile` (the command is enabled when it has tips).
  void SetTipFile(const QString& tipFile);
  void ShowTipOfTheDay();

  // Brings the main window to the front (a second start, the charting program).
  void BringToFront();
  // Writes the settings and the open-windows list; false when the file could not be
  // written (the user has been told).
  bool SaveAtStop();

  // ChartLinkHost
  const StationDirectory& Stations() const override { return *stations_; }
  void ShowChartWarning(const std::string& text) override;
  void EnterIntegratedMode() override { integrated_ = true; }
  void RestoreMainWindow() override;
  void OpenFromChart(const StationRef& station, const std::optional<CalendarDay>& day) override;
  bool RealTimeDialogOpen() const override;
  int RealTimeEntryCount(StationKind kind) const override;
  void AddRealTimeStation(const StationRef& station) override;
  void RefreshRealTime() override;
  void ShowRealTime(int mode) override;

  // The real-time window: shows it (making it when needed) or switches it off.
  void ShowRealTimeWindow();
  void SwitchOffRealTime();
  RealTimeDisplay* realTimeWindow() const { return realTime_; }
  void SetRealTimeOptions(bool showChange, bool clearLists) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The first show schedules the idle warm-up for the first station window
  // (idle_warm_up.h), kWarmUpDelayMs later.
  void showEvent(QShowEvent* event) override;

 private:
  // Gives the frame's own commands their handlers.
  void InstallOwnCommands();
  void BuildMenus();
  void BuildToolBar();
  void FillToolBar(const ToolbarLayout& layout);
  void ApplyShortcuts(const ShortcutMap& shortcuts);
  void CustomizeShortcutsCommand();
  void CustomizeToolbarCommand();
  // Saves the settings file now; a failure is shown unless the file is write-protected.
  void SaveSettingsFile();
  void UpdateCommands();
  void UpdateTitle();
  void UpdateMruMenu();
  void UpdateWindowMenu();
  void AddToMru(const StationRef& station, const QString& name);
  void OpenMru(int slot);

  void NewLocation(StationKind kind);
  void ChangeLocation();
  void StepDate(int days, int months);
  void SetDateCommand();
  void IntlDaylightCommand();
  void ConfigureCommand();
  void SaveAsBitmap();
  void QuickPrint();
  void PrintSetup();
  void ViewOnChartCommand();
  void TileWindows(Qt::Orientation orientation);
  void ArrangeIcons();
  void ShowInstalledRegions();
  void ShowAbout();
  // Recomputes and redraws every window after the settings changed.
  void SettingsChanged();
  EngineMinute Today() const;
  QMdiSubWindow* SubWindowOf(LocationWindow* window) const;
  // A new child window's size and place: whole inside the visible window area, the
  // next free cascade position.
  QSize NewLocationWindowSize() const;
  void PlaceNewSubWindow(QMdiSubWindow* sub, const QSize& wanted);

  AppSettings& settings_;
  ProfileFile& file_;
  const CatalogueDirectory& catalogue_;
  const StationDirectory* stations_ = &catalogue_;
  LocationWindowFactory factory_;
  LocationChooser chooser_;
  RealTimeFactory realTimeFactory_;
  QPointer<RealTimeDisplay> realTime_;
  QMdiArea* mdi_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QMenu* datumMenu_ = nullptr;  // View > Datum, for the active tide window
  QAction* mruSeparator_ = nullptr;
  std::vector<QAction*> mruActions_;
  std::vector<QAction*> windowListActions_;
  std::map<Command, QAction*> actions_;
  struct Handler {
    std::function<void()> run;
    bool needsWindow = false;
  };
  std::map<Command, Handler> handlers_;
  QString chartProgram_;
  QString tipFile_;
  // Current windows of the last run kept while current windows cannot open, so the
  // next stop writes them back instead of forgetting them.
  std::vector<OpenWindowEntry> heldCurrentEntries_;
  bool integrated_ = false;
  bool warmUpScheduled_ = false;
  bool currentsAvailable_ = true;
  bool haveTips_ = false;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace qw
