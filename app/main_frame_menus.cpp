// The main frame's menus and toolbar: the menus built from the command table, with the
// recently used locations above Exit and the open windows in the Window menu; the
// toolbar and the commands' keys as the user chose them.
#include "app/main_frame.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include "app/frame_icons.h"
#include "engine/report.h"
#include "shell/datum_menu.h"

namespace qw {
namespace {

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

}  // namespace

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
    const Command command = spec.command;
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    actions_[command] = action;
  }
  // The datums of the active tide window, after the view switches.
  datumMenu_ = new QMenu(kDatumMenuTitle, this);
  menus[Menu::View]->insertMenu(actions_[Command::Notes], datumMenu_);
  connect(datumMenu_, &QMenu::aboutToShow, this, [this] { FillDatumMenu(*datumMenu_, ActiveLocationWindow()); });
  // The window list follows the Window menu's commands.
  connect(windowMenu_, &QMenu::aboutToShow, this, &MainFrame::UpdateWindowMenu);
  actions_[Command::StatusBar]->setChecked(true);
  actions_[Command::ToolBar]->setChecked(true);
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
      QMessageBox::warning(
          this, kProductName,
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

}  // namespace qw
