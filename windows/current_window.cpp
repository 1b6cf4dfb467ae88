#include "windows/current_window.h"

#include <QMessageBox>

#include "engine/report.h"
#include "engine/string_table.h"
#include "present/display_units.h"
#include "settings/catalogue_directory.h"

namespace qw {

CurrentWindow::CurrentWindow(const StationRef& ref, const CurrentLocation& station, std::string zoneName, const AppSettings& settings,
                             EngineMinute day, const ViewSwitches& switches, QWidget* parent)
    : StationDayWindow(ref, settings, day, switches, "Speed", parent), station_(station), zoneName_(std::move(zoneName)) {
  setObjectName("CurrentChildClass");
  Start();
}

QString CurrentWindow::locationName() const { return QString::fromUtf8(station_.name); }

bool CurrentWindow::position(double& latitude, double& longitude) const {
  return CurrentLocationPosition(station_, latitude, longitude);
}

StationClock CurrentWindow::MakeClock() const { return StationClock::Of(station_, zoneName_); }

DayPresentation CurrentWindow::ComputeDay(EngineMinute day) {
  DayParts parts;
  parts.curve = settings_.graphStyle != GraphStyle::Bars;
  day_ = ComputeCurrentDay(station_, clock(), day, parts);
  return PresentCurrentDay(station_, clock(), day_, settings_);
}

DayGraphData CurrentWindow::ComputeWeekDay(EngineMinute day) {
  DayParts parts;
  parts.curve = false;
  parts.moon = false;
  return PresentCurrentDay(station_, clock(), ComputeCurrentDay(station_, clock(), day, parts), settings_).graph;
}

MinuteValue CurrentWindow::TableValue(EngineMinute minute) {
  // A day the engine could not compute has been reported once; the table does not ask
  // again for every row.
  if (!day_.eventsFound) return MinuteValue{};
  MinuteValue value = CurrentValueAt(station_, minute);
  if (value.value == kValueFailed) value = MinuteValue{};
  return value;
}

QString CurrentWindow::TableText(const MinuteValue& value) const {
  const CurrentUnit unit = settings_.currentUnit;
  if (value.value == kValueNotDefined) return QString("---  %1").arg(UnitName(unit));
  const std::string direction = DirectionText(value.direction);
  std::string text = SpeedDisplayText(SpeedToDisplay(MicroKnots(value.value), unit));
  if (!direction.empty()) text += "  " + direction;
  return QString::fromStdString(text);
}

std::optional<NowMark> CurrentWindow::ComputeNow(const ClockReading& now) {
  return CurrentNowMark(station_, clock(), day_, now, settings_);
}

LocationWindow* MakeCurrentWindow(const CatalogueDirectory& catalogue, const AppSettings& settings,
                                  const LocationWindowSpec& spec) {
  if (spec.station.regionSlot >= catalogue.RegionCount(StationKind::Current)) {
    ReportEngineError(3202, StringText(3202));
    return nullptr;
  }
  CurrentLocation station;
  if (!catalogue.ReadCurrent(spec.station, station)) return nullptr;  // the engine has said why
  if (CurrentNoticeOf(station) == StationNotice::NotPredictable) {
    QMessageBox::information(nullptr, "Insufficient Data", "Insufficient data to accurately predict values for this location.");
  }
  std::string zone = catalogue.ZoneOf(spec.station, station.referenceId, station.timeMeridian);
  // A window opened without a date shows today at the station, not the computer's date.
  const EngineMinute day = spec.today ? StationClock::Of(station, zone).Today() : spec.day;
  return new CurrentWindow(spec.station, station, std::move(zone), settings, day, spec.switches);
}

}  // namespace qw
