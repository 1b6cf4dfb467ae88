// The main window as the features see it (searches, export, reports, groups, notes and
// custom locations): where their commands are registered, where their windows open, and
// the tide and current windows they read, open and close. The main frame implements it;
// the features' tests stand it in with a fake, so no feature knows the frame's class.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "engine/engine_values.h"
#include "settings/station_directory.h"
#include "shell/commands.h"
#include "shell/open_windows.h"

class QWidget;

namespace qw {

class LocationWindow;

class Frame {
 public:
  virtual ~Frame() = default;

  // The main window: the parent of the features' dialogs and message boxes.
  virtual QWidget* mainWindow() = 0;

  // Gives a command its handler and enables it; with `needsWindow` it is enabled only
  // while a tide or current window is active. Each command has one handler: a later one
  // replaces it. A command without a handler stays disabled.
  virtual void SetCommandHandler(Command command, std::function<void()> handler, bool needsWindow = false) = 0;

  // Shows a feature's window (a results window) among the frame's child windows; its
  // title follows the widget's window title, its icon is that of `iconCommand`, and it
  // is deleted when closed. It becomes the active child.
  virtual void AddChildWindow(QWidget* widget, Command iconCommand) = 0;
  // The widget of the active child window, or nullptr.
  virtual QWidget* ActiveChild() const = 0;

  // The tide and current windows in the order they were opened.
  virtual std::vector<LocationWindow*> LocationWindows() const = 0;
  // The active child when it is a tide or current window, or nullptr.
  virtual LocationWindow* ActiveLocationWindow() const = 0;
  // Opens a window for a station on the day that holds `day` (today when none is given)
  // with the default view switches; nullptr when the station cannot be shown (the user
  // has been told why).
  virtual LocationWindow* OpenLocation(const StationRef& station, std::optional<EngineMinute> day = std::nullopt) = 0;

  // The open tide and current windows as the open-windows list stores them.
  virtual std::vector<OpenWindowEntry> OpenWindowEntries() const = 0;
  // Opens windows of resolved open-windows entries in the order given, each at its
  // stored place and with its view switches; returns how many opened.
  virtual int ReopenWindows(const std::vector<OpenWindowEntry>& entries) = 0;
  // Closes the tide and current windows whose station `which` picks.
  virtual void CloseWindows(const std::function<bool(const StationRef&)>& which) = 0;
  // Closes every child window.
  virtual void CloseAllWindows() = 0;
};

}  // namespace qw
