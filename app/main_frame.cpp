#include "app/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QSaveFile>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/chart_partner_link.h"
#include "app/date_dialogs.h"
#include "app/frame_icons.h"
#include "app/idle_warm_up.h"
#include "app/settings_dialog.h"
#include "app/tip_of_the_day.h"
#include "engine/calendar.h"
#include "engine/report.h"
#include "engine/string_table.h"
#include "reports/table_print.h"
#include "settings/default_station.h"
#include "settings/settings_store.h"
#include "shell/help_viewer.h"
#include "shell/printable_table.h"

namespace qw {

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
  InstallOwnCommands();
  ApplyShortcuts(LoadShortcuts(file_));
  BuildToolBar();
  statusBar()->showMessage("Ready");
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
    UpdateCommands();
    UpdateTitle();
  });
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

void MainFrame::InstallOwnCommands() {
  const auto own = [this](Command command, std::function<void()> run) { handlers_[command] = {std::move(run)}; };
  // Commands that act on the active tide or current window: enabled only while one is.
  const auto onWindow = [this](Command command, std::function<void()> run) {
    handlers_[command] = {std::move(run), true};
  };
  own(Command::NewTideWindow, [this] { NewLocation(StationKind::Tide); });
  own(Command::NewCurrentWindow, [this] { NewLocation(StationKind::Current); });
  own(Command::ChangeLocation, [this] { ChangeLocation(); });
  onWindow(Command::SaveAsBitmap, [this] { SaveAsBitmap(); });
  onWindow(Command::QuickPrint, [this] { QuickPrint(); });
  own(Command::PrintSetup, [this] { PrintSetup(); });
  own(Command::Exit, [this] { close(); });
  own(Command::StatusBar, [this] { statusBar()->setVisible(actions_.at(Command::StatusBar)->isChecked()); });
  own(Command::ToolBar, [this] { toolBar_->setVisible(actions_.at(Command::ToolBar)->isChecked()); });
  own(Command::CustomizeToolbar, [this] { CustomizeToolbarCommand(); });
  own(Command::CustomizeShortcuts, [this] { CustomizeShortcutsCommand(); });
  onWindow(Command::InfoWindows, [this] {
    if (LocationWindow* window = ActiveLocationWindow()) window->SetInfoShown(!window->switches().info);
  });
  onWindow(Command::WeeklyView, [this] {
    if (LocationWindow* window = ActiveLocationWindow()) window->SetWeeklyShown(!window->switches().weekly);
  });
  onWindow(Command::Table, [this] {
    if (LocationWindow* window = ActiveLocationWindow()) window->SetTableShown(!window->switches().table);
  });
  own(Command::ViewOnChart, [this] { ViewOnChartCommand(); });
  onWindow(Command::PreviousMonth, [this] { StepDate(0, -1); });
  onWindow(Command::PreviousDay, [this] { StepDate(-1, 0); });
  onWindow(Command::NextDay, [this] { StepDate(1, 0); });
  onWindow(Command::NextMonth, [this] { StepDate(0, 1); });
  onWindow(Command::SetDate, [this] { SetDateCommand(); });
  own(Command::IntlDaylightSavings, [this] { IntlDaylightCommand(); });
  own(Command::Configure, [this] { ConfigureCommand(); });
  own(Command::RealTimeWindow, [this] { realTime_ ? SwitchOffRealTime() : ShowRealTimeWindow(); });
  onWindow(Command::NewWindow, [this] {
    if (LocationWindow* window = ActiveLocationWindow()) {
      OpenLocation(window->station(), window->day(), window->switches());
    }
  });
  onWindow(Command::CloseAll, [this] { CloseAllWindows(); });
  onWindow(Command::Cascade, [this] { mdi_->cascadeSubWindows(); });
  onWindow(Command::TileHorizontally, [this] { TileWindows(Qt::Horizontal); });
  onWindow(Command::TileVertically, [this] { TileWindows(Qt::Vertical); });
  onWindow(Command::ArrangeIcons, [this] { ArrangeIcons(); });
  own(Command::HelpContents, [this] { ShowHelp(kHelpContents, this); });
  own(Command::HelpOnWindow, [this] { ShowHelp(ActiveWindowHelpTopic(), this); });
  own(Command::Glossary, [this] { ShowHelp(kHelpGlossary, this); });
  own(Command::UsingHelp, [this] { ShowHelp(kHelpUsingHelp, this); });
  own(Command::ProductSupport, [this] { ShowHelp(kHelpProductSupport, this); });
  own(Command::InstalledRegions, [this] { ShowInstalledRegions(); });
  own(Command::TipOfTheDay, [this] { ShowTipOfTheDay(); });
  own(Command::About, [this] { ShowAbout(); });
}

void MainFrame::SetCommandHandler(Command command, std::function<void()> handler, bool needsWindow) {
  handlers_[command] = {std::move(handler), needsWindow};
  UpdateCommands();
}

void MainFrame::Run(Command command) {
  if (auto handler = handlers_.find(command); handler != handlers_.end() && handler->second.run) {
    handler->second.run();
  }
  UpdateCommands();
}

void MainFrame::UpdateCommands() {
  LocationWindow* active = ActiveLocationWindow();
  // A command without a handler (a feature that is not installed) stays disabled.
  for (const auto& [command, action] : actions_) {
    auto handler = handlers_.find(command);
    action->setEnabled(handler != handlers_.end() && (!handler->second.needsWindow || active != nullptr));
  }
  const ViewSwitches switches = active ? active->switches() : ViewSwitches{false, false, false, {}};
  actions_[Command::InfoWindows]->setChecked(switches.info);
  actions_[Command::WeeklyView]->setChecked(switches.weekly);
  actions_[Command::Table]->setChecked(switches.table);
  if (datumMenu_) datumMenu_->setEnabled(active && active->station().kind == StationKind::Tide);
  actions_[Command::NewCurrentWindow]->setEnabled(currentsAvailable_);
  actions_[Command::RealTimeWindow]->setEnabled(static_cast<bool>(realTimeFactory_));
  actions_[Command::RealTimeWindow]->setChecked(!realTime_.isNull());
  actions_[Command::TipOfTheDay]->setEnabled(haveTips_);
  // Quick Print serves the results windows too.
  if (handlers_.count(Command::QuickPrint)) {
    actions_[Command::QuickPrint]->setEnabled(active || dynamic_cast<const PrintableTable*>(ActiveChild()));
  }
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

QString MainFrame::ActiveWindowHelpTopic() const {
  if (const LocationWindow* window = ActiveLocationWindow()) return StationWindowTopic(window->station().kind);
  // Other child windows (the results windows) name their page.
  if (const QWidget* child = ActiveChild()) {
    const QString topic = child->property(kHelpTopicProperty).toString();
    if (!topic.isEmpty()) return topic;
  }
  return kHelpContents;
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
  // A results window prints its table.
  if (const auto* table = dynamic_cast<const PrintableTable*>(ActiveChild())) {
    QuickPrintTable(this, file_, *table, *printer_);
    return;
  }
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
  haveTips_ = !ReadTips(tipFile.toStdString()).empty();
  UpdateCommands();
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
  WriteOpenWindows(file_, EntriesToSave());
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

void MainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (warmUpScheduled_) return;
  warmUpScheduled_ = true;
  QTimer::singleShot(kWarmUpDelayMs, this, [this] {
    // The engine holds one station's data: a window already open keeps its own.
    const std::optional<StationRef> station =
        LocationWindows().empty() ? DefaultTideStation(catalogue_) : std::nullopt;
    WarmUpForFirstWindow(settings_, catalogue_, station);
  });
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
