#include "windows/real_time_board.h"

#include <cmath>

#include "app/catalogue_directory.h"
#include "engine/calendar.h"
#include "engine/time_zone.h"
#include "windows/real_time_texts.h"

namespace qw {
namespace {

EngineMinute UtcMinute(const QDateTime& instant) {
  const QDateTime utc = instant.toUTC();
  return MinuteOf(utc.date().year(), utc.date().month(), utc.date().day(), utc.time().hour(), utc.time().minute());
}

EngineMinute DayOf(EngineMinute minute) { return minute - minute % kMinutesPerDay; }

}  // namespace

uint8_t DaylightFlagOf(EngineMinute shown, uint8_t observesDst) {
  if (observesDst == kDstNone) return 0;
  DateRecord date;
  MinuteToDate(shown, date);
  return date.dstFlag;
}

EngineMinute ShownToStandard(EngineMinute shown, int16_t timeMeridian, uint8_t dstFlag, bool tide,
                             uint16_t tideReference) {
  const StationZone zone{timeMeridian, tideReference};
  return tide ? TideShownToStandard(shown, zone, dstFlag) : CurrentShownToStandard(shown, zone, dstFlag);
}

StationInstant StationClock(const QDateTime& utc, int16_t timeMeridian, uint8_t observesDst, bool tide,
                            uint16_t tideReference) {
  StationInstant instant;
  const int64_t zoneMinutes = std::llround(ZoneHours(timeMeridian) * 60.0);
  instant.standard = static_cast<EngineMinute>(std::max<int64_t>(0, int64_t{UtcMinute(utc)} + zoneMinutes));
  // The daylight flag of the standard date: the clocks change at midnight standard time,
  // as the engine's whole-day flags have it.
  instant.dstFlag = DaylightFlagOf(instant.standard, observesDst);
  const StationZone zone{timeMeridian, tideReference};
  instant.shown = tide ? TideStandardToShown(instant.standard, zone, instant.dstFlag)
                       : CurrentStandardToShown(instant.standard, zone, instant.dstFlag);
  return instant;
}

void RealTimeBoard::Load(const CatalogueDirectory& catalogue, const std::vector<StationRef>& tides,
                         const std::vector<StationRef>& currents, const QDateTime& utc) {
  tides_.clear();
  currents_.clear();
  predictions_ = 0;
  for (const StationRef& station : tides) {
    RealTimeEntry& entry = tides_.emplace_back();
    entry.station = station;
    if (!catalogue.ReadTide(station, entry.tide)) continue;
    entry.name = entry.tide.name;
    entry.predictable = entry.tide.stationId != 0 && entry.tide.referenceId != 0;
    LoadTide(entry, utc);
  }
  for (const StationRef& station : currents) {
    RealTimeEntry& entry = currents_.emplace_back();
    entry.station = station;
    entry.name = catalogue.StationName(station);
  }
}

void RealTimeBoard::LoadTide(RealTimeEntry& entry, const QDateTime& utc) {
  const TideLocation& tide = entry.tide;
  const StationInstant now = StationClock(utc, tide.timeMeridian, tide.observesDst, true, tide.referenceId);
  entry.tableDay = DayOf(now.shown);
  entry.minuteValues.assign(kMinutesPerDay, kSlotEmpty);
  entry.slotBase = EventStandard(entry, entry.tableDay);
  entry.tomorrowLoaded = false;
  entry.tomorrowFirst.reset();
  entry.tideEvents.clear();
  if (!entry.predictable) return;
  TideDayExtremes extremes{};
  if (FindTideDayExtremes(tide, entry.tableDay, extremes, entry.maximum, entry.minimum) != 0) return;
  for (const TideExtreme& extreme : extremes) {
    if (extreme.time == 0) break;
    entry.tideEvents.push_back(extreme);
  }
}

EngineMinute RealTimeBoard::EventStandard(const RealTimeEntry& entry, EngineMinute shown) const {
  const TideLocation& tide = entry.tide;
  return ShownToStandard(shown, tide.timeMeridian, DaylightFlagOf(shown, tide.observesDst), true, tide.referenceId);
}

bool RealTimeBoard::Update(const QDateTime& utc, const AppSettings& settings) {
  std::vector<StationInstant> instants;
  for (const RealTimeEntry& entry : tides_) {
    const TideLocation& tide = entry.tide;
    const StationInstant now = StationClock(utc, tide.timeMeridian, tide.observesDst, true, tide.referenceId);
    if (entry.predictable && DayOf(now.shown) != entry.tableDay) return false;
    instants.push_back(now);
  }
  for (size_t i = 0; i < tides_.size(); ++i) UpdateTide(tides_[i], instants[i], settings);
  return true;
}

void RealTimeBoard::UpdateTide(RealTimeEntry& entry, const StationInstant& now, const AppSettings& settings) {
  if (!entry.predictable || entry.failed) {
    entry.valueNow = kValueNotDefined;
    entry.valueText = RealTimeHeightText(kValueNotDefined, settings.tideUnit);
    entry.changeText.clear();
    entry.icon = RealTimeIcon::None;
    return;
  }
  const int64_t slot = int64_t{now.standard} - int64_t{entry.slotBase};
  const bool cached = slot >= 0 && slot < static_cast<int64_t>(kMinutesPerDay);
  int32_t value = cached ? entry.minuteValues[static_cast<size_t>(slot)] : kSlotEmpty;
  if (value == kSlotEmpty) {
    EngineMinute minute = now.shown;
    value = PredictTide(entry.tide, minute, 0, now.dstFlag);
    ++predictions_;
    if (value == kValueFailed) {
      // The failure has been shown once; asking every minute would show it again.
      entry.failed = true;
      value = kValueNotDefined;
    }
    if (cached) entry.minuteValues[static_cast<size_t>(slot)] = value;
  }
  entry.valueNow = value;
  entry.valueText = RealTimeHeightText(value, settings.tideUnit);

  const std::optional<TideExtreme> next = entry.failed ? std::nullopt : NextTideEvent(entry, now);
  if (!next) {
    entry.changeText.clear();
    entry.icon = RealTimeIcon::None;
    return;
  }
  const int minutesAhead = static_cast<int>(int64_t{EventStandard(entry, next->time)} - int64_t{now.standard});
  entry.changeText = NextTideText(next->kind, RealTimeHeightText(next->height, settings.tideUnit), minutesAhead);
  entry.icon = next->kind == 'H' ? RealTimeIcon::Rising : RealTimeIcon::Falling;
}

std::optional<TideExtreme> RealTimeBoard::NextTideEvent(RealTimeEntry& entry, const StationInstant& now) {
  for (const TideExtreme& extreme : entry.tideEvents) {
    if (EventStandard(entry, extreme.time) >= now.standard) return extreme;
  }
  if (!entry.tomorrowLoaded) {
    entry.tomorrowLoaded = true;
    TideDayExtremes extremes{};
    int32_t maximum = 0, minimum = 0;
    if (FindTideDayExtremes(entry.tide, AddDays(entry.tableDay, 1), extremes, maximum, minimum) == 0 &&
        extremes[0].time != 0) {
      entry.tomorrowFirst = extremes[0];
    }
  }
  if (entry.tomorrowFirst && EventStandard(entry, entry.tomorrowFirst->time) >= now.standard) return entry.tomorrowFirst;
  return std::nullopt;
}

}  // namespace qw
