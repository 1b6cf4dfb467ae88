#include "app/main_frame.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QSaveFile>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include "app/chart_partner_link.h"
#include "app/command_customizing.h"
#include "app/date_dialogs.h"
#include "app/frame_icons.h"
#include "app/settings_dialog.h"
#include "app/tip_of_the_day.h"
#include "engine/calendar.h"
#include "engine/report.h"
#include "engine/string_table.h"
#include "settings/settings_store.h"
#include "shell/help_viewer.h"
#include "shell/real_time_list.h"

namespace qw {
namespace {

// Commands whose windows and dialogs belong to features outside the frame: present in
// the menus, disabled until the feature gives them a handler.
constexpr Command kFeatureCommands[] = {
    Command::Groups,          Command::PrintReport,         Command::PrintPreview,
    Command::ExportData,      Command::NearestSearch,       Command::EventSearch,
    Command::Notes,
    Command::CustomTideLocations, Command::CustomCurrentLocations,
};

// Commands that act on the active tide or current window.
constexpr Command kWindowCommands[] = {
    Command::SaveAsBitmap, Command::QuickPrint,  Command::InfoWindows,  Command::WeeklyView,
    Command::Table,        Command::PreviousMonth, Command::PreviousDay, Command::NextDay,
    Command::NextMonth,    Command::SetDate,     Command::NewWindow,    Command::CloseAll,
    Command::Cascade,      Command::TileHorizontally, Command::TileVertically, Command::ArrangeIcons,
};

// Whether an icon has anything drawn on it.
bool HasPicture(const QIcon& icon) {
  const QImage image = icon.pixmap(QSize(16, 16)).toImage();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y)) != 0) return true;
    }
  }
  return false;
}

bool Contains(std::span<const Command> list, Command command) {
  return std::find(list.begin(), list.end(), command) != list.end();
}

// An MDI child that remembers its normal rectangle while maximized or minimized, for
// the open-windows list.
class LocationSubWindow : public QMdiSubWindow {
 public:
  using QMdiSubWindow::QMdiSubWindow;
  QRect normalRect() const { return normalRect_.isValid() ? normalRect_ : geometry(); }
  void SetNormalRect(const QRect& rect) { normalRect_ = rect; }

 protected:
  void moveEvent(QMoveEvent* event) override {
    QMdiSubWindow::moveEvent(event);
    Remember();
  }
  void resizeEvent(QResizeEvent* event) override {
    QMdiSubWindow::resizeEvent(event);
    Remember();
  }

 private:
  void Remember() {
    if (!isMaximized() && !isMinimized() && isVisible()) normalRect_ = geometry();
  }
  QRect normalRect_;
};

}  // namespace

MainFrame::MainFrame(AppSettings& settings, ProfileFile& file, const CatalogueDirectory& catalogue,
                     LocationWindowFactory factory, QWidget* parent)
    : QMainWindow(parent), settings_(settings), file_(file), catalogue_(catalogue), factory_(std::move(factory)) {
  setObjectName("Velda32FrameClass");
  setWindowIcon(ProgramIcon());
  mdi_ = new QMdiArea;
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setBackground(palette().brush(QPalette::Dark));
  setCentralWidget(mdi_);
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);

  chooser_ = [](LocationPurpose, QWidget*, const StationAction&) { return false; };
  BuildMenus();
  ApplyShortcuts(LoadShortcuts(file_));
  BuildToolBar();
  statusBar()->showMessage("Ready");
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
    UpdateCommands();
    UpdateTitle();
  });
  actions_[Command::TipOfTheDay]->setEnabled(false);
  UpdateMruMenu();
  UpdateCommands();
  UpdateTitle();
}

MainFrame::~MainFrame() {
  // The real-time window is a top-level window of its own.
  delete realTime_.data();
  // The child windows go after this object's members: they must not call back.
  mdi_->disconnect(this);
  // Closed windows not yet deleted are no longer listed by the area but are still its
  // children.
  for (QMdiSubWindow* sub : mdi_->findChildren<QMdiSubWindow*>()) sub->disconnect(this);
}

void MainFrame::BuildMenus() {
  std::map<Menu, QMenu*> menus;
  for (Menu menu : {Menu::File, Menu::Search, Menu::View, Menu::Time, Menu::Options, Menu::Window, Menu::Help}) {
    menus[menu] = menuBar()->addMenu(MenuTitle(menu));
  }
  fileMenu_ = menus[Menu::File];
  windowMenu_ = menus[Menu::Window];
  for (const CommandSpec& spec : CommandTable()) {
    QMenu* menu = menus[spec.menu];
    if (spec.command == Command::Exit) {
      // The recently used locations go above Exit.
      mruSeparator_ = menu->addSeparator();
      for (int slot = 0; slot < kMruSlots; ++slot) {
        QAction* mru = menu->addAction(QString());
        mru->setVisible(false);
        connect(mru, &QAction::triggered, this, [this, slot] { OpenMru(slot); });
        mruActions_.push_back(mru);
      }
    }
    if (spec.separatorBefore) menu->addSeparator();
    // The keys come after, from the user's choices (ApplyShortcuts).
    QAction* action = menu->addAction(spec.text);
    if (spec.prompt) {
      const QStringList parts = QString(spec.prompt).split('\n');
      action->setStatusTip(parts[0]);
      action->setToolTip(parts.size() > 1 ? parts[1] : parts[0]);
    }
    action->setCheckable(spec.checkable);
    if (Contains(kFeatureCommands, spec.command)) action->setEnabled(false);
    const Command command = spec.command;
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    actions_[command] = action;
  }
  // The window list follows the Window menu's commands.
  connect(windowMenu_, &QMenu::aboutToShow, this, &MainFrame::UpdateWindowMenu);
  actions_[Command::StatusBar]->setChecked(true);
  actions_[Command::ToolBar]->setChecked(true);
  actions_[Command::ViewOnChart]->setEnabled(false);
}

void MainFrame::BuildToolBar() {
  toolBar_ = addToolBar("Standard");
  toolBar_->setObjectName("StandardToolBar");
  toolBar_->setMovable(false);
  toolBar_->setIconSize(QSize(20, 20));
  FillToolBar(LoadToolbar(file_));
}

void MainFrame::FillToolBar(const ToolbarLayout& layout) {
  // The caption buttons of the last layout go with their actions (which own them).
  for (QAction* action : toolBar_->actions()) {
    if (qobject_cast<QWidgetAction*>(action)) delete action;
  }
  toolBar_->clear();
  for (const std::optional<Command>& entry : layout) {
    if (!entry) {
      toolBar_->addSeparator();
      continue;
    }
    QAction* action = actions_.at(*entry);
    // Commands without a picture of their own show their caption.
    const QIcon icon = CommandIcon(*entry);
    if (HasPicture(icon)) {
      action->setIcon(icon);
      toolBar_->addAction(action);
    } else {
      auto* button = new QToolButton;
      button->setDefaultAction(action);
      button->setToolButtonStyle(Qt::ToolButtonTextOnly);
      button->setText(CommandCaption(*entry));
      toolBar_->addWidget(button);
    }
  }
}

void MainFrame::ApplyShortcuts(const ShortcutMap& shortcuts) {
  for (const auto& [command, keys] : shortcuts) actions_.at(command)->setShortcut(keys);
}

void MainFrame::CustomizeShortcutsCommand() {
  ShortcutsDialog dialog(LoadShortcuts(file_), this);
  if (dialog.exec() != QDialog::Accepted) return;
  StoreShortcuts(file_, dialog.shortcuts());
  ApplyShortcuts(LoadShortcuts(file_));
  SaveSettingsFile();
}

void MainFrame::CustomizeToolbarCommand() {
  ToolbarDialog dialog(LoadToolbar(file_), this);
  if (dialog.exec() != QDialog::Accepted) return;
  StoreToolbar(file_, dialog.layout());
  FillToolBar(LoadToolbar(file_));
  SaveSettingsFile();
}

void MainFrame::SetCommandHandler(Command command, std::function<void()> handler, bool needsWindow) {
  handlers_[command] = {std::move(handler), needsWindow};
  UpdateCommands();
}

void MainFrame::Run(Command command) {
  if (auto handler = handlers_.find(command); handler != handlers_.end() && handler->second.run) {
    handler->second.run();
    UpdateCommands();
    return;
  }
  LocationWindow* active = ActiveLocationWindow();
  switch (command) {
    case Command::NewTideWindow: NewLocation(StationKind::Tide); break;
    case Command::NewCurrentWindow: NewLocation(StationKind::Current); break;
    case Command::ChangeLocation: ChangeLocation(); break;
    case Command::SaveAsBitmap: SaveAsBitmap(); break;
    case Command::QuickPrint: QuickPrint(); break;
    case Command::PrintSetup: PrintSetup(); break;
    case Command::Exit: close(); break;
    case Command::StatusBar: statusBar()->setVisible(actions_[command]->isChecked()); break;
    case Command::ToolBar: toolBar_->setVisible(actions_[command]->isChecked()); break;
    case Command::InfoWindows:
      if (active) active->SetInfoShown(!active->switches().info);
      break;
    case Command::WeeklyView:
      if (active) active->SetWeeklyShown(!active->switches().weekly);
      break;
    case Command::Table:
      if (active) active->SetTableShown(!active->switches().table);
      break;
    case Command::ViewOnChart: ViewOnChartCommand(); break;
    case Command::PreviousMonth: StepDate(0, -1); break;
    case Command::PreviousDay: StepDate(-1, 0); break;
    case Command::NextDay: StepDate(1, 0); break;
    case Command::NextMonth: StepDate(0, 1); break;
    case Command::SetDate: SetDateCommand(); break;
    case Command::IntlDaylightSavings: IntlDaylightCommand(); break;
    case Command::Configure: ConfigureCommand(); break;
    case Command::RealTimeWindow:
      if (realTime_) {
        SwitchOffRealTime();
      } else {
        ShowRealTimeWindow();
      }
      break;
    case Command::NewWindow:
      if (active) OpenLocation(active->station(), active->day(), active->switches());
      break;
    case Command::CloseAll: mdi_->closeAllSubWindows(); break;
    case Command::Cascade: mdi_->cascadeSubWindows(); break;
    case Command::TileHorizontally: TileWindows(Qt::Horizontal); break;
    case Command::TileVertically: TileWindows(Qt::Vertical); break;
    case Command::ArrangeIcons: ArrangeIcons(); break;
    case Command::InstalledRegions: ShowInstalledRegions(); break;
    case Command::About: ShowAbout(); break;
    case Command::TipOfTheDay: ShowTipOfTheDay(); break;
    case Command::CustomizeToolbar: CustomizeToolbarCommand(); break;
    case Command::CustomizeShortcuts: CustomizeShortcutsCommand(); break;
    case Command::HelpContents: ShowHelp(kHelpContents, this); break;
    case Command::HelpOnWindow: ShowHelp(ActiveWindowHelpTopic(), this); break;
    case Command::Glossary: ShowHelp(kHelpGlossary, this); break;
    case Command::UsingHelp: ShowHelp(kHelpUsingHelp, this); break;
    case Command::ProductSupport: ShowHelp(kHelpProductSupport, this); break;
    default:
      // Commands of features outside the frame without a handler stay disabled.
      break;
  }
  UpdateCommands();
}

QMdiSubWindow* MainFrame::AddChildWindow(QWidget* widget, Command iconCommand) {
  auto* sub = new QMdiSubWindow;
  sub->setWidget(widget);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowTitle(widget->windowTitle());
  sub->setWindowIcon(CommandIcon(iconCommand));
  mdi_->addSubWindow(sub);
  connect(widget, &QWidget::windowTitleChanged, sub, [this, sub](const QString& title) {
    sub->setWindowTitle(title);
    UpdateTitle();
  });
  connect(sub, &QObject::destroyed, this, [this] {
    UpdateCommands();
    UpdateTitle();
  });
  const QSize area = mdi_->viewport()->size();
  sub->resize(std::clamp(area.width() * 4 / 5, 480, 1000), std::clamp(area.height() * 3 / 4, 360, 700));
  sub->show();
  mdi_->setActiveSubWindow(sub);
  return sub;
}

QWidget* MainFrame::ActiveChild() const {
  QMdiSubWindow* sub = mdi_->activeSubWindow();
  return sub ? sub->widget() : nullptr;
}

void MainFrame::UpdateCommands() {
  LocationWindow* active = ActiveLocationWindow();
  for (Command command : kWindowCommands) actions_[command]->setEnabled(active != nullptr);
  const ViewSwitches switches = active ? active->switches() : ViewSwitches{false, false, false};
  actions_[Command::InfoWindows]->setChecked(switches.info);
  actions_[Command::WeeklyView]->setChecked(switches.weekly);
  actions_[Command::Table]->setChecked(switches.table);
  actions_[Command::NewCurrentWindow]->setEnabled(currentsAvailable_);
  for (const auto& [command, handler] : handlers_) {
    actions_[command]->setEnabled(!handler.needsWindow || active != nullptr);
  }
  actions_[Command::RealTimeWindow]->setEnabled(static_cast<bool>(realTimeFactory_));
  actions_[Command::RealTimeWindow]->setChecked(!realTime_.isNull());
  double latitude = 0, longitude = 0;
  actions_[Command::ViewOnChart]->setEnabled(active && !chartProgram_.isEmpty() &&
                                             active->position(latitude, longitude));
}

void MainFrame::SetCurrentsAvailable(bool available) {
  currentsAvailable_ = available;
  UpdateCommands();
}

void MainFrame::UpdateTitle() {
  LocationWindow* active = ActiveLocationWindow();
  setWindowTitle(active ? active->title() + " - " + kProductName : QString(kProductName));
}

void MainFrame::UpdateMruMenu() {
  bool any = false;
  for (int slot = 0; slot < kMruSlots; ++slot) {
    const MruEntry& entry = settings_.mru[static_cast<size_t>(slot)];
    QAction* action = mruActions_[static_cast<size_t>(slot)];
    const bool used = !entry.location.empty() && entry.type != kMruEmpty;
    action->setVisible(used);
    if (used) {
      QString name = QString::fromStdString(entry.location);
      action->setText(QString("&%1 %2").arg(slot + 1).arg(name.replace('&', "&&")));
    }
    any = any || used;
  }
  mruSeparator_->setVisible(any);
}

void MainFrame::UpdateWindowMenu() {
  for (QAction* action : windowListActions_) {
    windowMenu_->removeAction(action);
    delete action;
  }
  windowListActions_.clear();
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::CreationOrder);
  if (windows.isEmpty()) return;
  windowListActions_.push_back(windowMenu_->addSeparator());
  int number = 1;
  for (QMdiSubWindow* sub : windows) {
    QString title = sub->windowTitle();
    QAction* action = windowMenu_->addAction(QString("&%1 %2").arg(number++).arg(title.replace('&', "&&")));
    action->setCheckable(true);
    action->setChecked(sub == mdi_->activeSubWindow());
    connect(action, &QAction::triggered, this, [this, sub] { mdi_->setActiveSubWindow(sub); });
    windowListActions_.push_back(action);
  }
}

QString MainFrame::ActiveWindowHelpTopic() const {
  if (const LocationWindow* window = ActiveLocationWindow()) return StationWindowTopic(window->station().kind);
  // Other child windows (the results windows) name their page.
  if (const QWidget* child = ActiveChild()) {
    const QString topic = child->property(kHelpTopicProperty).toString();
    if (!topic.isEmpty()) return topic;
  }
  return kHelpContents;
}

EngineMinute MainFrame::Today() const {
  DateRecord now{};  // year 0: the computer's clock
  const EngineMinute minute = DateToMinute(now);
  return minute - minute % kMinutesPerDay;
}

LocationWindow* MainFrame::OpenLocation(const StationRef& station, std::optional<EngineMinute> day,
                                        std::optional<ViewSwitches> switches,
                                        const WindowPlacement* placement) {
  LocationWindowSpec spec;
  spec.station = station;
  spec.day = day ? *day - *day % kMinutesPerDay : Today();
  spec.switches = switches ? *switches
                           : ViewSwitches{settings_.defaultInfoOn, settings_.defaultTableOn, settings_.defaultWeeklyOn};
  LocationWindow* window = factory_ ? factory_(spec) : nullptr;
  if (!window) return nullptr;

  auto* sub = new LocationSubWindow;
  sub->setWidget(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowTitle(window->title());
  sub->setWindowIcon(CommandIcon(station.kind == StationKind::Tide ? Command::NewTideWindow
                                                                   : Command::NewCurrentWindow));
  mdi_->addSubWindow(sub);
  window->SetCommandHost([this](Command command) { Run(command); },
                         [this](Command command) { return actions_.at(command)->isEnabled(); });
  connect(window, &LocationWindow::titleChanged, sub, [this, sub, window] {
    sub->setWindowTitle(window->title());
    UpdateTitle();
  });
  connect(sub, &QObject::destroyed, this, [this] {
    UpdateCommands();
    UpdateTitle();
  });

  if (placement) {
    const QRect rect(placement->left, placement->top, placement->right - placement->left,
                     placement->bottom - placement->top);
    if (rect.width() > 50 && rect.height() > 50) {
      sub->setGeometry(rect);
      sub->SetNormalRect(rect);
    }
    if (placement->showCommand == kShowMaximized) {
      sub->showMaximized();
    } else if (placement->showCommand == kShowMinimized) {
      sub->showMinimized();
    } else {
      sub->show();
    }
  } else {
    const QSize area = mdi_->viewport()->size();
    // Most of the area, leaving room to see that other windows lie behind.
    sub->resize(std::clamp(area.width() * 4 / 5, 480, 1000), std::clamp(area.height() * 9 / 10, 400, 760));
    QMdiSubWindow* previous = mdi_->activeSubWindow();
    if (previous && previous->isMaximized()) {
      sub->showMaximized();
    } else {
      sub->show();
    }
  }
  mdi_->setActiveSubWindow(sub);
  AddToMru(station, window->locationName());
  UpdateCommands();
  UpdateTitle();
  return window;
}

int MainFrame::ReopenLastWindows() {
  const std::vector<OpenWindowEntry> entries = ResolveOpenWindows(ReadOpenWindows(file_), *stations_);
  for (const OpenWindowEntry& entry : entries) {
    if (entry.station.kind == StationKind::Current && !currentsAvailable_) heldCurrentEntries_.push_back(entry);
  }
  return ReopenWindows(entries);
}

int MainFrame::ReopenWindows(const std::vector<OpenWindowEntry>& entries) {
  int opened = 0;
  for (const OpenWindowEntry& entry : entries) {
    if (entry.station.kind == StationKind::Current && !currentsAvailable_) continue;
    const ViewSwitches switches{entry.infoShown, entry.tableShown, entry.weeklyShown};
    if (OpenLocation(entry.station, std::nullopt, switches, &entry.placement)) ++opened;
  }
  return opened;
}

void MainFrame::CloseWindows(const std::function<bool(const StationRef&)>& which) {
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    auto* window = qobject_cast<LocationWindow*>(sub->widget());
    if (window && which(window->station())) sub->close();
  }
}

std::vector<OpenWindowEntry> MainFrame::OpenWindowEntries(bool includeHeld) const {
  std::vector<OpenWindowEntry> entries;
  for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder)) {
    auto* window = qobject_cast<LocationWindow*>(sub->widget());
    if (!window) continue;
    OpenWindowEntry entry;
    entry.station = window->station();
    entry.stationId = window->stationId();
    WindowPlacement& p = entry.placement;
    p.showCommand = sub->isMinimized() ? kShowMinimized : sub->isMaximized() ? kShowMaximized : kShowNormal;
    const auto* located = dynamic_cast<LocationSubWindow*>(sub);
    const QRect rect = located ? located->normalRect() : sub->geometry();
    p.left = rect.left();
    p.top = rect.top();
    p.right = rect.left() + rect.width();
    p.bottom = rect.top() + rect.height();
    const ViewSwitches switches = window->switches();
    entry.infoShown = switches.info;
    entry.tableShown = switches.table;
    entry.weeklyShown = switches.weekly;
    entries.push_back(entry);
  }
  if (includeHeld) entries.insert(entries.end(), heldCurrentEntries_.begin(), heldCurrentEntries_.end());
  return entries;
}

std::vector<LocationWindow*> MainFrame::LocationWindows() const {
  std::vector<LocationWindow*> windows;
  for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder)) {
    if (auto* window = qobject_cast<LocationWindow*>(sub->widget())) windows.push_back(window);
  }
  return windows;
}

LocationWindow* MainFrame::ActiveLocationWindow() const {
  QMdiSubWindow* sub = mdi_->activeSubWindow();
  if (!sub) sub = mdi_->currentSubWindow();
  return sub ? qobject_cast<LocationWindow*>(sub->widget()) : nullptr;
}

QMdiSubWindow* MainFrame::SubWindowOf(LocationWindow* window) const {
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    if (sub->widget() == window) return sub;
  }
  return nullptr;
}

void MainFrame::AddToMru(const StationRef& station, const QString& name) {
  MruEntry entry;
  entry.location = name.toStdString().substr(0, 126);
  entry.region = station.regionSlot;
  entry.subregion = station.stationIndex;
  entry.type = station.kind == StationKind::Tide ? 1 : 2;
  auto& mru = settings_.mru;
  auto same = [&](const MruEntry& e) {
    return e.type == entry.type && e.region == entry.region && e.subregion == entry.subregion;
  };
  auto it = std::find_if(mru.begin(), mru.end(), same);
  if (it == mru.end()) it = mru.end() - 1;
  std::move_backward(mru.begin(), it, it + 1);
  mru[0] = entry;
  UpdateMruMenu();
}

void MainFrame::OpenMru(int slot) {
  const MruEntry entry = settings_.mru[static_cast<size_t>(slot)];
  const StationKind kind = entry.type == 2 ? StationKind::Current : StationKind::Tide;
  if (kind == StationKind::Current && !currentsAvailable_) return;
  StationRef station{kind, entry.region, entry.subregion};
  if (catalogue_.StationName(station) != entry.location) {
    // The region was reinstalled: look the name up.
    const std::vector<std::string> names = catalogue_.StationNames(kind, entry.region);
    auto it = std::find(names.begin(), names.end(), entry.location);
    if (it == names.end()) {
      QMessageBox::warning(this, kProductName,
                           QString("The location \"%1\" is no longer installed.").arg(QString::fromStdString(entry.location)));
      std::move(settings_.mru.begin() + slot + 1, settings_.mru.end(), settings_.mru.begin() + slot);
      settings_.mru.back() = MruEntry{};
      UpdateMruMenu();
      return;
    }
    station.stationIndex = static_cast<uint16_t>(it - names.begin());
  }
  OpenLocation(station);
}

void MainFrame::NewLocation(StationKind kind) {
  const LocationPurpose purpose = kind == StationKind::Tide ? LocationPurpose::NewTide : LocationPurpose::NewCurrent;
  chooser_(purpose, this, [this](const StationRef& station) {
    return OpenLocation(station) ? StationActionResult::Done : StationActionResult::Failed;
  });
}

void MainFrame::ChangeLocation() {
  LocationWindow* active = ActiveLocationWindow();
  if (!active) {
    QMessageBox::information(this, kProductName, StringText(2501));
    return;
  }
  const LocationPurpose purpose =
      active->station().kind == StationKind::Tide ? LocationPurpose::ChangeTide : LocationPurpose::ChangeCurrent;
  QPointer<LocationWindow> target = active;
  chooser_(purpose, this, [this, target](const StationRef& station) {
    if (!target) return StationActionResult::Failed;
    QMdiSubWindow* oldSub = SubWindowOf(target);
    const bool maximized = oldSub && oldSub->isMaximized();
    const QRect rect = oldSub ? oldSub->geometry() : QRect();
    LocationWindow* window = OpenLocation(station, target->day(), target->switches());
    if (!window) return StationActionResult::Failed;
    if (QMdiSubWindow* sub = SubWindowOf(window); sub && !maximized && rect.isValid()) sub->setGeometry(rect);
    if (oldSub) oldSub->close();
    return StationActionResult::Done;
  });
}

void MainFrame::StepDate(int days, int months) {
  std::vector<LocationWindow*> targets;
  if (settings_.prevNextWorksOnAll) {
    targets = LocationWindows();
  } else if (LocationWindow* active = ActiveLocationWindow()) {
    targets.push_back(active);
  }
  for (LocationWindow* window : targets) {
    const EngineMinute day = months != 0 ? AddMonths(window->day(), static_cast<int16_t>(months))
                                         : AddDays(window->day(), static_cast<int16_t>(days));
    if (!CheckPredictionDate(day)) break;  // the message has been shown once
    window->SetDay(day);
  }
}

void MainFrame::SetDateCommand() {
  LocationWindow* active = ActiveLocationWindow();
  if (!active) return;
  QDate initial = ParseSetDateText(settings_.setDateText);
  if (!initial.isValid()) {
    DateRecord date;
    MinuteToDate(active->day(), date);
    initial = QDate(date.year, date.month, date.day);
  }
  SetDateDialog dialog(initial, settings_.dateChangeAffectsAll != 0, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const QDate chosen = dialog.date();
  const EngineMinute day = MinuteOf(chosen.year(), chosen.month(), chosen.day());
  settings_.dateChangeAffectsAll = dialog.affectsAll() ? 1 : 0;
  settings_.dateSetToDate = static_cast<long>(day);
  settings_.setDateText = FormatSetDateText(chosen);
  // The dialog's choice is kept at once, not only at the stop.
  file_.WriteString("Set Date", "SetToDate", settings_.setDateText);
  file_.Save();
  if (!CheckPredictionDate(day)) return;
  if (dialog.affectsAll()) {
    for (LocationWindow* window : LocationWindows()) window->SetDay(day);
  } else {
    active->SetDay(day);
  }
}

void MainFrame::IntlDaylightCommand() {
  IntlDaylightDialog dialog(settings_.intlDaylightSavings, this);
  if (dialog.exec() != QDialog::Accepted) return;
  settings_.intlDaylightSavings = dialog.minutes();
  SettingsChanged();
}

void MainFrame::ConfigureCommand() {
  const AppSettings before = settings_;
  if (!RunSettingsDialog(settings_, file_, this)) return;
  if (!(before == settings_)) SettingsChanged();
}

void MainFrame::SettingsChanged() {
  ApplyEngineSettings(settings_);
  for (LocationWindow* window : LocationWindows()) window->SettingsChanged();
  UpdateTitle();
}

void MainFrame::SaveAsBitmap() {
  LocationWindow* active = ActiveLocationWindow();
  if (!active) return;
  QString path = QFileDialog::getSaveFileName(this, "Save as Bitmap", active->locationName() + ".bmp",
                                              "Bitmap files (*.bmp);;PNG files (*.png)");
  if (path.isEmpty()) return;
  const QByteArray format = path.endsWith(".png", Qt::CaseInsensitive) ? "PNG" : "BMP";
  QImage image(active->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    active->Render(painter, image.rect());
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, format.constData()) || !file.commit()) {
    QMessageBox::warning(this, kProductName, QString("Unable to save \"%1\": %2").arg(path, file.errorString()));
  }
}

void MainFrame::QuickPrint() {
  LocationWindow* active = ActiveLocationWindow();
  if (!active) return;
  QPrintDialog dialog(printer_.get(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  QPainter painter(printer_.get());
  if (!painter.isActive()) {
    QMessageBox::warning(this, kProductName, "Unable to start printing.");
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  active->Render(painter, printer_->pageLayout().paintRectPixels(printer_->resolution()).translated(
                              -printer_->pageLayout().paintRectPixels(printer_->resolution()).topLeft()));
  painter.end();
  QApplication::restoreOverrideCursor();
}

void MainFrame::PrintSetup() {
  QPageSetupDialog dialog(printer_.get(), this);
  dialog.exec();
}

void MainFrame::SetChartProgram(const QString& path) {
  chartProgram_ = path;
  UpdateCommands();
}

void MainFrame::ViewOnChartCommand() {
  LocationWindow* active = ActiveLocationWindow();
  ViewOnChartRequest request;
  if (!active || !active->position(request.latitude, request.longitude)) return;
  request.kind = active->station().kind;
  request.chartProgram = chartProgram_;
  request.senderId = static_cast<uint32_t>(QCoreApplication::applicationPid());
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const ViewOnChartResult result = ViewOnChart(request);
  QApplication::restoreOverrideCursor();
  if (result == ViewOnChartResult::LaunchFailed) {
    QMessageBox::critical(this, "Error", "Unable to launch Brantwick charting application");
  } else if (result == ViewOnChartResult::NoPartner) {
    QMessageBox::critical(this, "Error", "Unable to communicate with Brantwick charting application");
  }
}

void MainFrame::TileWindows(Qt::Orientation orientation) {
  std::vector<QMdiSubWindow*> windows;
  for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::StackingOrder)) {
    if (!sub->isMinimized() && sub->isVisible()) windows.push_back(sub);
  }
  if (windows.empty()) return;
  const QRect area = mdi_->viewport()->rect();
  const int n = static_cast<int>(windows.size());
  for (int i = 0; i < n; ++i) {
    QMdiSubWindow* sub = windows[static_cast<size_t>(n - 1 - i)];  // topmost first
    if (sub->isMaximized()) sub->showNormal();
    if (orientation == Qt::Horizontal) {
      // One above another, each the full width.
      const int top = area.height() * i / n, bottom = area.height() * (i + 1) / n;
      sub->setGeometry(0, top, area.width(), bottom - top);
    } else {
      const int left = area.width() * i / n, right = area.width() * (i + 1) / n;
      sub->setGeometry(left, 0, right - left, area.height());
    }
  }
}

void MainFrame::ArrangeIcons() {
  const QRect area = mdi_->viewport()->rect();
  int x = 0;
  int y = area.bottom();
  for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder)) {
    if (!sub->isMinimized()) continue;
    const QSize size = sub->size();
    if (x > 0 && x + size.width() > area.width()) {
      x = 0;
      y -= size.height();
    }
    sub->move(x, y - size.height() + 1);
    x += size.width();
  }
}

void MainFrame::ShowInstalledRegions() {
  QString text;
  for (StationKind kind : {StationKind::Tide, StationKind::Current}) {
    text += kind == StationKind::Tide ? "Tide regions:\n" : "\nCurrent regions:\n";
    const RegionList& regions = catalogue_.Regions(kind);
    if (regions.empty()) text += "    (none installed)\n";
    for (const RegionNode& region : regions) {
      text += QString("    %1  %2\n").arg(region.number, 2).arg(QString::fromUtf8(region.name));
    }
  }
  QMessageBox box(QMessageBox::Information, "Installed Data Regions", text, QMessageBox::Ok, this);
  box.exec();
}

void MainFrame::ShowAbout() {
  QMessageBox::about(this, QString("About ") + kProductName,
                     QString("<b>%1</b><br>Version %2<p>Tide and tidal current predictions by the harmonic "
                             "method, with sun and moon times.</p><p>Predictions are not a substitute for "
                             "official tables and local knowledge.</p>")
                         .arg(kProductName, QCoreApplication::applicationVersion()));
}

void MainFrame::SetTipFile(const QString& tipFile) {
  tipFile_ = tipFile;
  actions_[Command::TipOfTheDay]->setEnabled(!ReadTips(tipFile.toStdString()).empty());
}

void MainFrame::ShowTipOfTheDay() {
  std::vector<std::string> tips = ReadTips(tipFile_.toStdString());
  if (tips.empty()) return;
  TipDialog dialog(std::move(tips), settings_.currentTip, settings_.tipShowAtStartup != 0, this);
  dialog.exec();
  // The dialog's state is kept at once.
  settings_.currentTip = dialog.next();
  settings_.tipShowAtStartup = dialog.showAtStartup() ? 1 : 0;
  file_.WriteInt("TOTD", "CurrentTip", settings_.currentTip);
  file_.WriteInt("TOTD", "ShowAtStartup", settings_.tipShowAtStartup);
  file_.Save();
}

void MainFrame::BringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void MainFrame::SaveSettingsFile() {
  std::string error;
  if (file_.Save(&error) || file_.writeProtected()) return;
  QMessageBox::warning(this, kProductName,
                       QString("The settings could not be saved.\n\n%1").arg(QString::fromStdString(error)));
}

bool MainFrame::SaveAtStop() {
  const QRect rect = normalGeometry().isValid() ? normalGeometry() : geometry();
  const MainWindowState state = isMinimized()   ? MainWindowState::Minimized
                                : isMaximized() ? MainWindowState::Maximized
                                                : MainWindowState::Normal;
  RecordMainWindow(settings_, state, rect.x(), rect.y(), rect.width(), rect.height());
  if (realTime_) realTime_->RememberPosition();
  SaveSettings(settings_, file_, integrated_);
  WriteOpenWindows(file_, OpenWindowEntries());
  std::string error;
  if (file_.Save(&error)) return true;
  if (file_.writeProtected()) return false;  // the user was told at start
  QMessageBox::warning(this, kProductName,
                       QString("The settings could not be saved.\n\n%1").arg(QString::fromStdString(error)));
  return false;
}

void MainFrame::closeEvent(QCloseEvent* event) {
  SaveAtStop();
  event->accept();
}

void MainFrame::ShowChartWarning(const std::string& text) {
  QMessageBox::warning(this, "Warning", QString::fromStdString(text));
}

void MainFrame::RestoreMainWindow() {
  if (isMinimized() && mdi_->subWindowList().isEmpty()) {
    show();
  } else {
    showNormal();
  }
}

void MainFrame::OpenFromChart(const StationRef& station, const std::optional<CalendarDay>& day) {
  std::optional<EngineMinute> minute;
  if (day) minute = MinuteOf(day->year, day->month, day->day);
  LocationWindow* window = OpenLocation(station, minute);
  if (QMdiSubWindow* sub = window ? SubWindowOf(window) : nullptr) {
    sub->showMaximized();
    if (!sub->isMaximized()) sub->setGeometry(mdi_->viewport()->rect());
    mdi_->setActiveSubWindow(sub);
  }
  BringToFront();
}

}  // namespace qw
