// Helpers for the desktop program's tests: one Qt application object for the whole
// test program, and a small in-memory station directory.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <functional>
#include <map>
#include <vector>

#include "settings/station_directory.h"

namespace qw::test {

// Creates the QApplication on first use (offscreen unless the caller chose a platform).
inline QApplication& QtApp() {
  static int argc = 1;
  static char name[] = "app_tests";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// Runs the event loop until `done` or the time limit; true when done.
inline bool SpinUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// Regions of stations given by ID; ID 0 is a general-area heading (no predictions).
class FakeStations : public StationDirectory {
 public:
  std::map<StationKind, std::vector<std::vector<uint32_t>>> regions;

  int RegionCount(StationKind kind) const override {
    auto it = regions.find(kind);
    return it == regions.end() ? 0 : static_cast<int>(it->second.size());
  }
  int StationCount(StationKind kind, int slot) const override {
    if (slot < 0 || slot >= RegionCount(kind)) return 0;
    return static_cast<int>(regions.at(kind)[static_cast<size_t>(slot)].size());
  }
  std::optional<uint32_t> StationId(const StationRef& s) const override {
    if (s.stationIndex >= StationCount(s.kind, s.regionSlot)) return std::nullopt;
    return regions.at(s.kind)[s.regionSlot][s.stationIndex];
  }
  std::optional<uint16_t> FindStation(StationKind kind, int slot, uint32_t id) const override {
    for (int i = 0; i < StationCount(kind, slot); ++i) {
      if (regions.at(kind)[static_cast<size_t>(slot)][static_cast<size_t>(i)] == id) return static_cast<uint16_t>(i);
    }
    return std::nullopt;
  }
  bool IsPredictionStation(const StationRef& s) const override {
    std::optional<uint32_t> id = StationId(s);
    return id && *id != 0;
  }

  // The stations that have a key, as the side catalogue gives them.
  std::map<std::string, StationRef> keys;
  std::string StationKey(const StationRef& s) const override {
    for (const auto& [key, at] : keys) {
      if (at == s) return key;
    }
    return {};
  }
  std::optional<StationRef> FindByKey(StationKind kind, std::string_view key) const override {
    auto it = keys.find(std::string(key));
    if (it == keys.end() || it->second.kind != kind) return std::nullopt;
    return it->second;
  }
};

}  // namespace qw::test
