// The main frame's window area: opening, reopening, listing, closing and arranging the
// tide and current windows and the features' windows, the open-windows list, and the
// commands that pick the windows' station and day.
#include "app/main_frame.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QStyle>

#include "app/frame_icons.h"
#include "app/window_fit.h"
#include "engine/calendar.h"
#include "engine/report.h"
#include "engine/string_table.h"

namespace qw {
namespace {

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

void MainFrame::AddChildWindow(QWidget* widget, Command iconCommand) {
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
  PlaceNewSubWindow(sub, QSize(std::clamp(area.width() * 4 / 5, 480, 1000), std::clamp(area.height() * 3 / 4, 360, 700)));
  sub->show();
  mdi_->setActiveSubWindow(sub);
}

void MainFrame::PlaceNewSubWindow(QMdiSubWindow* sub, const QSize& wanted) {
  std::vector<QPoint> taken;
  for (QMdiSubWindow* other : mdi_->subWindowList()) {
    if (other != sub && other->isVisible() && !other->isMinimized() && !other->isMaximized()) {
      taken.push_back(other->pos());
    }
  }
  // Each window one title bar below and right of the last.
  const int step = std::max(16, sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub));
  sub->setGeometry(PlaceNewWindow(mdi_->viewport()->rect(), wanted, sub->minimumSizeHint(), taken, step));
}

QWidget* MainFrame::ActiveChild() const {
  QMdiSubWindow* sub = mdi_->activeSubWindow();
  return sub ? sub->widget() : nullptr;
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

EngineMinute MainFrame::Today() const {
  DateRecord now{};  // year 0: the computer's clock
  const EngineMinute minute = DateToMinute(now);
  return minute - minute % kMinutesPerDay;
}

QSize MainFrame::NewLocationWindowSize() const {
  // Most of the area, leaving room to see that other windows lie behind.
  const QSize area = mdi_->viewport()->size();
  return QSize(std::clamp(area.width() * 4 / 5, 480, 1000), std::clamp(area.height() * 9 / 10, 400, 760));
}

LocationWindow* MainFrame::OpenLocation(const StationRef& station, std::optional<EngineMinute> day) {
  return OpenLocation(station, day,
                      ViewSwitches{settings_.defaultInfoOn, settings_.defaultTableOn, settings_.defaultWeeklyOn, {}});
}

LocationWindow* MainFrame::OpenLocation(const StationRef& station, std::optional<EngineMinute> day,
                                        ViewSwitches switches, const WindowPlacement* placement) {
  LocationWindowSpec spec;
  spec.station = station;
  spec.day = day ? *day - *day % kMinutesPerDay : Today();
  spec.today = !day;
  spec.switches = switches;
  LocationWindow* window = factory_ ? factory_(spec) : nullptr;
  if (!window) return nullptr;

  auto* sub = new LocationSubWindow;
  sub->setWidget(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowTitle(window->title());
  sub->setWindowIcon(
      CommandIcon(station.kind == StationKind::Tide ? Command::NewTideWindow : Command::NewCurrentWindow));
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
    // The stored rectangle is kept when it lies whole in the window area as it is now
    // (the frame may be smaller than at the last stop); otherwise the window opens as a
    // new one would, at its stored size where that fits.
    if (FitsWhole(rect, mdi_->viewport()->rect())) {
      sub->setGeometry(rect);
    } else {
      PlaceNewSubWindow(sub, rect.width() > 50 && rect.height() > 50 ? rect.size() : NewLocationWindowSize());
    }
    sub->SetNormalRect(sub->geometry());
    if (placement->showCommand == kShowMaximized) {
      sub->showMaximized();
    } else if (placement->showCommand == kShowMinimized) {
      sub->showMinimized();
    } else {
      sub->show();
    }
  } else {
    PlaceNewSubWindow(sub, NewLocationWindowSize());
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
    const ViewSwitches switches{entry.infoShown, entry.tableShown, entry.weeklyShown, entry.datum};
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

void MainFrame::CloseAllWindows() { mdi_->closeAllSubWindows(); }

std::vector<OpenWindowEntry> MainFrame::OpenWindowEntries() const {
  std::vector<OpenWindowEntry> entries;
  for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder)) {
    auto* window = qobject_cast<LocationWindow*>(sub->widget());
    if (!window) continue;
    OpenWindowEntry entry;
    entry.station = window->station();
    entry.stationId = window->stationId();
    entry.key = stations_->StationKey(entry.station);
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
    entry.datum = switches.datum;
    entries.push_back(entry);
  }
  return entries;
}

std::vector<OpenWindowEntry> MainFrame::EntriesToSave() const {
  std::vector<OpenWindowEntry> entries = OpenWindowEntries();
  entries.insert(entries.end(), heldCurrentEntries_.begin(), heldCurrentEntries_.end());
  return entries;
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

}  // namespace qw
