// The tide window: one tide station on one day (station_day_window.h), with the high and
// low waters, the station's average tides, and the heights in the graph and the table.
#pragma once

#include "present/tide_day.h"
#include "present/tide_presenter.h"
#include "windows/station_day_window.h"

namespace qw {

class TideWindow : public StationDayWindow {
  Q_OBJECT

 public:
  // `zoneName` is the station's IANA zone ("" for the record's rule; station_clock.h).
  TideWindow(const StationRef& ref, const TideLocation& station, std::string zoneName, const AppSettings& settings, EngineMinute day,
             const ViewSwitches& switches, QWidget* parent = nullptr);

  uint32_t stationId() const override { return station_.stationId; }
  QString locationName() const override;
  bool position(double& latitude, double& longitude) const override;

  const TideDay& tideDay() const { return day_; }

 protected:
  StationClock MakeClock() const override;
  DayPresentation ComputeDay(EngineMinute day) override;
  DayGraphData ComputeWeekDay(EngineMinute day) override;
  MinuteValue TableValue(EngineMinute minute) override;
  QString TableText(const MinuteValue& value) const override;
  std::optional<NowMark> ComputeNow(const ClockReading& now) override;

 private:
  TideLocation station_;
  std::string zoneName_;
  TideDay day_;
};

// Opens tide windows for the frame: reads the station record; a station that cannot
// be predicted still opens, after the "Insufficient Data" box.
class CatalogueDirectory;
LocationWindow* MakeTideWindow(const CatalogueDirectory& catalogue, const AppSettings& settings,
                               const LocationWindowSpec& spec);

}  // namespace qw
