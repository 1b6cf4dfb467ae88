#include "app/chart_link_service.h"

#include "engine/calendar.h"

namespace qw {
namespace {

// Clears the busy flag however the request ends.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

int32_t CheckChartDate(const ChartRequestBlock& r, std::optional<CalendarDay>& day) {
  day.reset();
  if (r.dayOrShow == kChartNone16 && r.month == kChartNone16 && r.year == kChartNone16) return kChartDone;
  if (r.year <= 1900 || r.year >= 2100) return kChartInvalidDate;
  if (r.month < 1 || r.month > 12) return kChartInvalidDate;
  if (r.dayOrShow < 1 || r.dayOrShow > DaysInMonth(r.year, r.month)) return kChartInvalidDate;
  const EngineMinute minute = MinuteOf(r.year, r.month, r.dayOrShow);
  if (minute < FirstSupportedMinute() || minute > LastSupportedMinute()) return kChartDateOutsideData;
  day = CalendarDay{r.year, r.month, r.dayOrShow};
  return kChartDone;
}

int32_t ChartLinkService::Handle(uint32_t message, int32_t parameter) {
  switch (message) {
    case kChartOpenLocation:
      return OpenLocation();
    case kChartShowRealTime:
      return ShowRealTime(parameter);
    case kChartAddRealTime:
      return AddRealTime();
    case kChartRealTimeOptions:
      return RealTimeOptions(parameter);
    default:
      return kChartUnknownMessage;
  }
}

bool ChartLinkService::ReadBlock(ChartRequestBlock& request) {
  std::string warning;
  ChartBlockBytes bytes{};
  if (!block_.Open(warning) || !block_.Read(bytes)) {
    host_.ShowChartWarning(warning.empty() ? "Error mapping view" : warning);
    return false;
  }
  request = DecodeChartRequest(bytes.data());
  return true;
}

int32_t ChartLinkService::CheckStation(const ChartRequestBlock& r, StationRef& station) const {
  if (r.kindFlags & 1) {
    station.kind = StationKind::Tide;
  } else if (r.kindFlags & 2) {
    station.kind = StationKind::Current;
  } else {
    return kChartInvalidKind;
  }
  const StationDirectory& stations = host_.Stations();
  // An index of 65535 names the region alone: there is no station to act on.
  if (r.regionSlot == kChartNone16 || r.regionSlot >= stations.RegionCount(station.kind) ||
      r.stationIndex == kChartNone16 ||
      r.stationIndex >= stations.StationCount(station.kind, r.regionSlot)) {
    return kChartInvalidStation;
  }
  station.regionSlot = r.regionSlot;
  station.stationIndex = r.stationIndex;
  if (!stations.IsPredictionStation(station)) return kChartNotPredictionStation;
  return kChartDone;
}

int32_t ChartLinkService::OpenLocation() {
  if (busy_) return kChartBusy;
  ChartRequestBlock request;
  if (!ReadBlock(request)) return kChartNoSharedBlock;

  BusyScope scope(busy_);
  host_.EnterIntegratedMode();
  StationRef station;
  if (int32_t code = CheckStation(request, station); code != kChartDone) return code;
  std::optional<CalendarDay> day;
  if (int32_t code = CheckChartDate(request, day); code != kChartDone) return code;

  if (request.restoreMainWindow != 0) host_.RestoreMainWindow();
  host_.OpenFromChart(station, day);
  return kChartDone;
}

int32_t ChartLinkService::AddRealTime() {
  if (host_.RealTimeDialogOpen()) return kChartRealTimeDialogOpen;
  if (busy_) return kChartBusy;
  ChartRequestBlock request;
  if (!ReadBlock(request)) return kChartNoSharedBlock;

  BusyScope scope(busy_);
  // The list the request would add to must have room.
  const StationKind kind = (request.kindFlags & 1) ? StationKind::Tide : StationKind::Current;
  if ((request.kindFlags & 3) != 0 && host_.RealTimeEntryCount(kind) > kRealTimeListCapacity - 1) {
    return kChartRealTimeListFull;
  }
  StationRef station;
  if (int32_t code = CheckStation(request, station); code != kChartDone) return code;
  host_.AddRealTimeStation(station);
  if (request.dayOrShow != 0) host_.RefreshRealTime();
  return kChartDone;
}

int32_t ChartLinkService::ShowRealTime(int32_t parameter) {
  if (busy_) return kChartBusy;
  BusyScope scope(busy_);
  host_.ShowRealTime(parameter);
  return kChartDone;
}

int32_t ChartLinkService::RealTimeOptions(int32_t parameter) {
  if (busy_) return kChartBusy;
  BusyScope scope(busy_);
  host_.SetRealTimeOptions((parameter & 1) != 0, (parameter & 2) != 0);
  host_.RefreshRealTime();
  return kChartDone;
}

}  // namespace qw
