#include "windows/tide_window.h"

#include <QMessageBox>

#include "present/display_units.h"
#include "settings/catalogue_directory.h"

namespace qw {

TideWindow::TideWindow(const StationRef& ref, const TideLocation& station, std::string zoneName, const AppSettings& settings,
                       EngineMinute day, const ViewSwitches& switches, QWidget* parent)
    : StationDayWindow(ref, settings, day, switches, "Height", parent), station_(station), zoneName_(std::move(zoneName)) {
  setObjectName("TideChildClass");
  Start();
}

QString TideWindow::locationName() const { return QString::fromUtf8(station_.name); }

bool TideWindow::position(double& latitude, double& longitude) const {
  return TideLocationPosition(station_, latitude, longitude);
}

StationClock TideWindow::MakeClock() const { return StationClock::Of(station_, zoneName_); }

DayPresentation TideWindow::ComputeDay(EngineMinute day) {
  DayParts parts;
  parts.curve = settings_.graphStyle != GraphStyle::Bars;
  day_ = ComputeTideDay(station_, clock(), day, parts);
  return PresentTideDay(station_, clock(), day_, settings_);
}

DayGraphData TideWindow::ComputeWeekDay(EngineMinute day) {
  DayParts parts;
  parts.curve = false;
  parts.moon = false;
  return PresentTideDay(station_, clock(), ComputeTideDay(station_, clock(), day, parts), settings_).graph;
}

MinuteValue TideWindow::TableValue(EngineMinute minute) {
  // A day the engine could not compute has been reported once; the table does not ask
  // again for every row.
  if (!day_.extremesFound) return MinuteValue{};
  const int32_t height = TideHeightAt(station_, minute);
  return MinuteValue{height == kValueFailed ? kValueNotDefined : height};
}

QString TideWindow::TableText(const MinuteValue& value) const {
  return QString::fromStdString(TableHeightText(MicroFeet(value.value), settings_.tideUnit));
}

std::optional<NowMark> TideWindow::ComputeNow(const ClockReading& now) {
  return TideNowMark(station_, clock(), day_, now, settings_);
}

LocationWindow* MakeTideWindow(const CatalogueDirectory& catalogue, const AppSettings& settings,
                               const LocationWindowSpec& spec) {
  TideLocation station;
  if (!catalogue.ReadTide(spec.station, station)) return nullptr;  // the engine has said why
  if (TideNoticeOf(station) == StationNotice::NotPredictable) {
    QMessageBox::information(nullptr, "Insufficient Data", "Insufficient data to accurately predict values for this location.");
  }
  std::string zone = catalogue.ZoneOf(spec.station, station.referenceId, station.timeMeridian);
  // A window opened without a date shows today at the station, not the computer's date.
  const EngineMinute day = spec.today ? StationClock::Of(station, zone).Today() : spec.day;
  return new TideWindow(spec.station, station, std::move(zone), settings, day, spec.switches);
}

}  // namespace qw
