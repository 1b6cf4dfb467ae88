// What the main frame needs from a tide or current window: its station, its day, its
// three view switches, and drawing itself for a bitmap or a printer. The windows
// themselves live in windows/; the frame opens them through a factory.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_values.h"
#include "settings/station_directory.h"
#include "shell/commands.h"

namespace qw {

struct ViewSwitches {
  bool info = true;
  bool table = false;
  bool weekly = false;
  // The datum a tide window shows heights on, as the user chose it ("MSL"); empty for
  // the default of the settings ([Options] Datum), else the station's chart datum.
  std::string datum;
};

class LocationWindow : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;

  virtual StationRef station() const = 0;
  virtual uint32_t stationId() const = 0;
  virtual QString locationName() const = 0;
  // The window title: the location name, with the date when the settings ask for it.
  virtual QString title() const = 0;
  // The station's position in signed degrees; false when the station has none.
  virtual bool position(double& latitude, double& longitude) const = 0;

  // 00:00 of the day shown.
  virtual EngineMinute day() const = 0;
  // Shows another day (any minute of it). The caller has checked the date.
  virtual void SetDay(EngineMinute day) = 0;
  // Shows a given minute of the station's local time (the searches' "Open..."): the day
  // that holds it, by default.
  virtual void ShowTime(EngineMinute minute) { SetDay(minute - minute % (24 * 60)); }

  virtual ViewSwitches switches() const = 0;
  virtual void SetInfoShown(bool shown) = 0;
  virtual void SetWeeklyShown(bool shown) = 0;
  // False, after telling the user, when the table does not fit the window.
  virtual bool SetTableShown(bool shown) = 0;

  // The datums the window can show heights on, the chart datum first; empty for a
  // current window or a station on its chart datum alone.
  virtual std::vector<std::string> datums() const { return {}; }
  // The datum the heights are shown on now ("" when not known).
  virtual std::string datum() const { return std::string(); }
  // Shows heights on `name`, one of datums().
  virtual void SetDatum(const std::string& name) { (void)name; }

  // Recomputes and redraws after a change of settings (units, colours, daylight saving).
  virtual void SettingsChanged() = 0;

  // Draws the window's contents into `target` of any paint device (bitmap or printer),
  // sized by the device's resolution.
  virtual void Render(QPainter& painter, const QRect& target) = 0;

  // How the window's right-click menu reaches the frame's commands ("View on chart",
  // "International Daylight Savings...") and asks whether they are available.
  void SetCommandHost(std::function<void(Command)> run, std::function<bool(Command)> enabled) {
    runCommand_ = std::move(run);
    commandEnabled_ = std::move(enabled);
  }

 signals:
  void titleChanged();

 protected:
  void RunFrameCommand(Command command) {
    if (runCommand_) runCommand_(command);
  }
  bool FrameCommandEnabled(Command command) const { return commandEnabled_ && commandEnabled_(command); }

 private:
  std::function<void(Command)> runCommand_;
  std::function<bool(Command)> commandEnabled_;
};

struct LocationWindowSpec {
  StationRef station;
  EngineMinute day = 0;  // 00:00 of the day to show
  // No date was asked for: the window shows today's date at the station (its clock's
  // date now), which may differ from `day`, the computer's date.
  bool today = false;
  ViewSwitches switches;
};

// Makes a window for a station; nullptr when the station cannot be shown (the user has
// been told why).
using LocationWindowFactory = std::function<LocationWindow*(const LocationWindowSpec&)>;

}  // namespace qw
