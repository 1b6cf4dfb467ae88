// A frame for the features' tests: the commands' handlers in a map the test runs, and
// the features' windows and station windows as top-level windows in opening order, the
// last one still open being the active child (as a window area activates the newest).
#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <vector>

#include "engine/calendar.h"
#include "shell/frame.h"
#include "shell/location_window.h"

namespace qw::test {

class FakeFrame : public Frame {
 public:
  // Station windows are made by `factory` on the day asked (today when none is), with
  // the default view switches.
  explicit FakeFrame(LocationWindowFactory factory = {}) : factory_(std::move(factory)) { main_.show(); }
  ~FakeFrame() override {
    for (const QPointer<QWidget>& child : children_) delete child.data();
  }

  // Runs a command's handler as the menu would; false when it has none or is disabled.
  bool Run(Command command) {
    if (!Enabled(command)) return false;
    handlers_.at(command).run();
    return true;
  }
  bool Enabled(Command command) const {
    auto it = handlers_.find(command);
    return it != handlers_.end() && (!it->second.needsWindow || ActiveLocationWindow());
  }

  QWidget* mainWindow() override { return &main_; }
  void SetCommandHandler(Command command, std::function<void()> handler, bool needsWindow) override {
    handlers_[command] = {std::move(handler), needsWindow};
  }
  void AddChildWindow(QWidget* widget, Command) override { Adopt(widget); }
  QWidget* ActiveChild() const override {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
      if (*it && (*it)->isVisible()) return it->data();
    }
    return nullptr;
  }
  std::vector<LocationWindow*> LocationWindows() const override {
    std::vector<LocationWindow*> windows;
    for (const QPointer<QWidget>& child : children_) {
      if (auto* window = qobject_cast<LocationWindow*>(child.data()); window && window->isVisible()) {
        windows.push_back(window);
      }
    }
    return windows;
  }
  LocationWindow* ActiveLocationWindow() const override { return qobject_cast<LocationWindow*>(ActiveChild()); }
  LocationWindow* OpenLocation(const StationRef& station, std::optional<EngineMinute> day) override {
    LocationWindowSpec spec;
    spec.station = station;
    DateRecord now{};  // year 0: the computer's clock
    const EngineMinute minute = day ? *day : DateToMinute(now);
    spec.day = minute - minute % kMinutesPerDay;
    LocationWindow* window = factory_ ? factory_(spec) : nullptr;
    if (window) Adopt(window);
    return window;
  }
  std::vector<OpenWindowEntry> OpenWindowEntries() const override {
    std::vector<OpenWindowEntry> entries;
    for (LocationWindow* window : LocationWindows()) {
      OpenWindowEntry entry;
      entry.station = window->station();
      entry.stationId = window->stationId();
      entries.push_back(entry);
    }
    return entries;
  }
  int ReopenWindows(const std::vector<OpenWindowEntry>& entries) override {
    int opened = 0;
    for (const OpenWindowEntry& entry : entries) opened += OpenLocation(entry.station, std::nullopt) ? 1 : 0;
    return opened;
  }
  void CloseWindows(const std::function<bool(const StationRef&)>& which) override {
    for (LocationWindow* window : LocationWindows()) {
      if (which(window->station())) window->close();
    }
  }
  void CloseAllWindows() override {
    for (const QPointer<QWidget>& child : children_) {
      if (child) child->close();
    }
  }

 private:
  struct Handler {
    std::function<void()> run;
    bool needsWindow = false;
  };
  void Adopt(QWidget* widget) {
    widget->setAttribute(Qt::WA_DeleteOnClose);
    widget->resize(800, 600);
    widget->show();
    children_.emplace_back(widget);
  }

  QWidget main_;
  LocationWindowFactory factory_;
  std::map<Command, Handler> handlers_;
  std::vector<QPointer<QWidget>> children_;
};

}  // namespace qw::test
