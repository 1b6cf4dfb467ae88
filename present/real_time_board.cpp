#include "present/real_time_board.h"

#include <cmath>

#include "engine/calendar.h"
#include "engine/report.h"
#include "engine/string_table.h"
#include "engine/time_zone.h"
#include "present/real_time_texts.h"
#include "settings/catalogue_directory.h"

namespace qw {
namespace {

EngineMinute UtcMinute(const QDateTime& instant) {
  const QDateTime utc = instant.toUTC();
  return MinuteOf(utc.date().year(), utc.date().month(), utc.date().day(), utc.time().hour(), utc.time().minute());
}

EngineMinute DayOf(EngineMinute minute) { return minute - minute % kMinutesPerDay; }

// A list entry left over from a region that was reinstalled smaller is shown by this name,
// without asking the catalogue (which would report the bad index at every refresh).
constexpr const char* kNotInstalledName = "(location no longer installed)";

bool Installed(const CatalogueDirectory& catalogue, const StationRef& station) {
  return station.regionSlot < catalogue.RegionCount(station.kind) &&
         station.stationIndex < catalogue.StationCount(station.kind, station.regionSlot);
}

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
    if (!Installed(catalogue, station)) {
      entry.name = kNotInstalledName;
    } else if (catalogue.ReadTide(station, entry.tide)) {
      const TideLocation& tide = entry.tide;
      entry.name = tide.name;
      entry.predictable = tide.stationId != 0 && tide.referenceId != 0;
      entry.timeMeridian = tide.timeMeridian;
      entry.observesDst = tide.observesDst;
      entry.tideReference = tide.referenceId;
    }
    LoadDay(entry, utc);
  }
  for (const StationRef& station : currents) {
    RealTimeEntry& entry = currents_.emplace_back();
    entry.station = station;
    if (!Installed(catalogue, station)) {
      entry.name = kNotInstalledName;
    } else if (catalogue.ReadCurrent(station, entry.current)) {
      const CurrentLocation& current = entry.current;
      entry.name = current.name;
      // Rotary stations are computed from their table, named by the station ID.
      entry.predictable =
          current.stationId != 0 && (current.referenceId != 0 || current.stationKind == kCurrentKindRotary);
      entry.timeMeridian = current.timeMeridian;
      entry.observesDst = current.observesDst;
    }
    LoadDay(entry, utc);
  }
}

StationInstant RealTimeBoard::ClockOf(const RealTimeEntry& entry, const QDateTime& utc) const {
  const bool tide = entry.station.kind == StationKind::Tide;
  return StationClock(utc, entry.timeMeridian, entry.observesDst, tide, entry.tideReference);
}

EngineMinute RealTimeBoard::EventStandard(const RealTimeEntry& entry, EngineMinute shown) const {
  return ShownToStandard(shown, entry.timeMeridian, DaylightFlagOf(shown, entry.observesDst),
                         entry.station.kind == StationKind::Tide, entry.tideReference);
}

void RealTimeBoard::LoadDay(RealTimeEntry& entry, const QDateTime& utc) {
  const StationInstant now = ClockOf(entry, utc);
  entry.tableDay = DayOf(now.shown);
  entry.slotBase = EventStandard(entry, entry.tableDay);
  entry.minuteValues.assign(kMinutesPerDay, kSlotEmpty);
  entry.tomorrowLoaded = false;
  entry.tomorrowTides.clear();
  entry.tomorrowCurrents.clear();
  entry.tideEvents.clear();
  entry.currentEvents.clear();
  entry.changeErrorShown = false;
  if (!entry.predictable) return;
  // A failed day search has been reported; the entry keeps an empty event list.
  if (entry.station.kind == StationKind::Tide) {
    TideDayExtremes extremes{};
    if (FindTideDayExtremes(entry.tide, entry.tableDay, extremes, entry.maximum, entry.minimum) != 0) return;
    for (const TideExtreme& extreme : extremes) {
      if (extreme.time == 0) break;
      entry.tideEvents.push_back(extreme);
    }
  } else {
    entry.minuteKinds.assign(kMinutesPerDay, ' ');
    entry.minuteDirections.assign(kMinutesPerDay, kNotGiven16);
    CurrentDayEvents events{};
    if (FindCurrentDayEvents(entry.current, entry.tableDay, events, entry.maximum, entry.minimum) != 0) return;
    for (const CurrentEvent& event : events) {
      if (event.time == 0) break;
      entry.currentEvents.push_back(event);
    }
  }
}

bool RealTimeBoard::Update(const QDateTime& utc, const AppSettings& settings) {
  std::vector<StationInstant> tideInstants, currentInstants;
  for (auto [entries, instants] : {std::pair{&tides_, &tideInstants}, std::pair{&currents_, &currentInstants}}) {
    for (const RealTimeEntry& entry : *entries) {
      const StationInstant now = ClockOf(entry, utc);
      if (entry.predictable && DayOf(now.shown) != entry.tableDay) return false;
      instants->push_back(now);
    }
  }
  for (size_t i = 0; i < tides_.size(); ++i) UpdateTide(tides_[i], tideInstants[i], settings);
  for (size_t i = 0; i < currents_.size(); ++i) UpdateCurrent(currents_[i], currentInstants[i], settings);
  return true;
}

int RealTimeBoard::SlotOf(const RealTimeEntry& entry, const StationInstant& now) {
  const int64_t slot = int64_t{now.standard} - int64_t{entry.slotBase};
  return slot >= 0 && slot < static_cast<int64_t>(kMinutesPerDay) ? static_cast<int>(slot) : -1;
}

void RealTimeBoard::UpdateTide(RealTimeEntry& entry, const StationInstant& now, const AppSettings& settings) {
  if (!entry.predictable || entry.failed) {
    entry.valueNow = kValueNotDefined;
    entry.valueText = RealTimeHeightText(MicroFeet(kValueNotDefined), settings.tideUnit);
    entry.changeText.clear();
    entry.icon = RealTimeIcon::None;
    return;
  }
  const int slot = SlotOf(entry, now);
  int32_t value = slot >= 0 ? entry.minuteValues[static_cast<size_t>(slot)] : kSlotEmpty;
  if (value == kSlotEmpty) {
    value = PredictTideShown(entry.tide, now.shown, 0, now.dstFlag).height;
    ++predictions_;
    if (value == kValueFailed) {
      // The failure has been shown once; asking every minute would show it again.
      entry.failed = true;
      value = kValueNotDefined;
    }
    if (slot >= 0) entry.minuteValues[static_cast<size_t>(slot)] = value;
  }
  entry.valueNow = value;
  entry.valueText = RealTimeHeightText(MicroFeet(value), settings.tideUnit);

  const std::optional<TideExtreme> next = entry.failed ? std::nullopt : NextTideEvent(entry, now);
  if (!next) {
    entry.changeText.clear();
    entry.icon = RealTimeIcon::None;
    return;
  }
  const int minutesAhead = static_cast<int>(int64_t{EventStandard(entry, next->time)} - int64_t{now.standard});
  entry.changeText =
      NextTideText(next->kind, RealTimeHeightText(MicroFeet(next->height), settings.tideUnit), minutesAhead);
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
    if (FindTideDayExtremes(entry.tide, AddDays(entry.tableDay, 1), extremes, maximum, minimum) == 0) {
      for (const TideExtreme& extreme : extremes) {
        if (extreme.time == 0) break;
        entry.tomorrowTides.push_back(extreme);
      }
    }
  }
  for (const TideExtreme& extreme : entry.tomorrowTides) {
    if (EventStandard(entry, extreme.time) >= now.standard) return extreme;
  }
  return std::nullopt;
}

void RealTimeBoard::UpdateCurrent(RealTimeEntry& entry, const StationInstant& now, const AppSettings& settings) {
  if (!entry.predictable || entry.failed) {
    entry.valueNow = kValueNotDefined;
    entry.valueText = RealTimeSpeedText(MicroKnots(kValueNotDefined), settings.currentUnit);
    entry.changeText.clear();
    entry.icon = RealTimeIcon::None;
    return;
  }
  const int slot = SlotOf(entry, now);
  int32_t value = slot >= 0 ? entry.minuteValues[static_cast<size_t>(slot)] : kSlotEmpty;
  char kind = ' ';
  int16_t direction = kNotGiven16;
  if (value == kSlotEmpty) {
    const CurrentEvent current = PredictCurrentShown(entry.current, now.shown, 0, now.dstFlag);
    value = current.speed;
    kind = current.kind;
    direction = current.direction;
    ++predictions_;
    if (value == kValueFailed) {
      entry.failed = true;
      value = kValueNotDefined;
    }
    if (slot >= 0) {
      entry.minuteValues[static_cast<size_t>(slot)] = value;
      entry.minuteKinds[static_cast<size_t>(slot)] = kind;
      entry.minuteDirections[static_cast<size_t>(slot)] = direction;
    }
  } else {
    kind = entry.minuteKinds[static_cast<size_t>(slot)];
    direction = entry.minuteDirections[static_cast<size_t>(slot)];
  }
  entry.valueNow = value;
  entry.kindNow = kind;
  entry.directionNow = direction;
  entry.valueText = RealTimeSpeedText(MicroKnots(value), settings.currentUnit) +
                    (value == kValueNotDefined ? std::string() : CurrentStateSuffix(kind));
  if (entry.current.stationKind == kCurrentKindRotary) {
    entry.icon = RealTimeIcon::Rotary;
  } else if (direction == kNotGiven16) {
    entry.icon = RealTimeIcon::Unknown;
  } else {
    entry.icon = kind == 'F' ? RealTimeIcon::Flood : kind == 'E' ? RealTimeIcon::Ebb : RealTimeIcon::Slack;
  }
  if (entry.failed) {
    entry.changeText.clear();
    return;
  }

  const std::optional<CurrentEvent> next = NextCurrentEvent(entry, now);
  if (!next) {
    // The next change is left as it was. A station whose current is not defined has no
    // events to find; for any other it is an error, said once per day table.
    if (value != kValueNotDefined && !entry.changeErrorShown) {
      entry.changeErrorShown = true;
      ReportEngineError(3004, StringText(3004));
    }
    return;
  }
  const int minutesAhead = static_cast<int>(int64_t{EventStandard(entry, next->time)} - int64_t{now.standard});
  entry.changeText =
      NextCurrentText(next->kind, MicroKnots(next->speed), next->direction, settings.currentUnit, minutesAhead);
}

std::optional<CurrentEvent> RealTimeBoard::NextCurrentEvent(RealTimeEntry& entry, const StationInstant& now) {
  for (const CurrentEvent& event : entry.currentEvents) {
    if (EventStandard(entry, event.time) >= now.standard) return event;
  }
  if (!entry.tomorrowLoaded) {
    entry.tomorrowLoaded = true;
    CurrentDayEvents events{};
    int32_t maximum = 0, minimum = 0;
    if (FindCurrentDayEvents(entry.current, AddDays(entry.tableDay, 1), events, maximum, minimum) == 0) {
      for (const CurrentEvent& event : events) {
        if (event.time == 0) break;
        entry.tomorrowCurrents.push_back(event);
      }
    }
  }
  for (const CurrentEvent& event : entry.tomorrowCurrents) {
    if (EventStandard(entry, event.time) >= now.standard) return event;
  }
  return std::nullopt;
}

}  // namespace qw
