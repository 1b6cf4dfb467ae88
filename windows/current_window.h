// The current window: one current station on one day (station_day_window.h), with the
// maximum floods, maximum ebbs and slack waters (maxima and minima at a rotary station)
// with their speeds and directions, the station's average currents, and the speeds in
// the graph and the table, in knots or metres per second.
#pragma once

#include "present/current_day.h"
#include "present/current_presenter.h"
#include "windows/station_day_window.h"

namespace qw {

class CurrentWindow : public StationDayWindow {
  Q_OBJECT

 public:
  // `zoneName` is the station's IANA zone ("" for the record's rule; station_clock.h).
  CurrentWindow(const StationRef& ref, const CurrentLocation& station, std::string zoneName, const AppSettings& settings, EngineMinute day,
                const ViewSwitches& switches, QWidget* parent = nullptr);

  uint32_t stationId() const override { return station_.stationId; }
  QString locationName() const override;
  bool position(double& latitude, double& longitude) const override;

  const CurrentDay& currentDay() const { return day_; }

 protected:
  StationClock MakeClock() const override;
  DayPresentation ComputeDay(EngineMinute day) override;
  DayGraphData ComputeWeekDay(EngineMinute day) override;
  MinuteValue TableValue(EngineMinute minute) override;
  QString TableText(const MinuteValue& value) const override;
  std::optional<NowMark> ComputeNow(const ClockReading& now) override;

 private:
  CurrentLocation station_;
  std::string zoneName_;
  CurrentDay day_;
};

// Opens current windows for the frame: reads the station record; a station that cannot
// be predicted still opens, after the "Insufficient Data" box. A region that is not
// installed gives message 3202 and no window.
class CatalogueDirectory;
LocationWindow* MakeCurrentWindow(const CatalogueDirectory& catalogue, const AppSettings& settings,
                                  const LocationWindowSpec& spec);

}  // namespace qw
