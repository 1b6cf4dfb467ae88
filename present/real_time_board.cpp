#include "present/real_time_board.h"

#include <cmath>

#include "engine/calendar.h"
#include "engine/report.h"
#include "engine/string_table.h"
#include "engine/current_prediction.h"
#include "engine/tide_prediction.h"
#include "present/real_time_texts.h"
#include "settings/catalogue_directory.h"

namespace qw {
namespace {

// 1970-01-01 00:00 UTC in minutes since 1900-01-01 00:00 (the clock's UTC minutes).
constexpr int64_t kUnixEpochMinute = 25567LL * 1440;

EngineMinute DayOf(EngineMinute minute) { return minute - minute % kMinutesPerDay; }

// A list entry left over from a region that was reinstalled smaller is shown by this name,
// without asking the catalogue (which would report the bad index at every refresh).
constexpr const char* kNotInstalledName = "(location no longer installed)";

bool Installed(const CatalogueDirectory& catalogue, const StationRef& station) {
  return station.regionSlot < catalogue.RegionCount(station.kind) &&
         station.stationIndex < catalogue.StationCount(station.kind, station.regionSlot);
}

}  // namespace

ClockReading ReadingAt(const StationClock& clock, const QDateTime& utc) {
  const int64_t seconds = utc.toSecsSinceEpoch();
  const int64_t utcMinute = (seconds >= 0 ? seconds / 60 : -((59 - seconds) / 60)) + kUnixEpochMinute;
  return clock.At(clock.StandardOfUtc(utcMinute));
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
      entry.clock = catalogue.ClockOf(station, tide);
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
      entry.clock = catalogue.ClockOf(station, current);
    }
    LoadDay(entry, utc);
  }
}

void RealTimeBoard::LoadDay(RealTimeEntry& entry, const QDateTime& utc) {
  const ClockReading now = ReadingAt(entry.clock, utc);
  entry.tableDay = DayOf(now.shown);
  const CivilDaySpan span = entry.clock.Day(entry.tableDay);
  entry.slotBase = span.standardStart;
  entry.minuteValues.assign(span.Minutes(), kSlotEmpty);
  entry.tomorrowLoaded = false;
  entry.tomorrowTides.clear();
  entry.tomorrowCurrents.clear();
  entry.tideEvents.clear();
  entry.currentEvents.clear();
  entry.changeErrorShown = false;
  if (!entry.predictable) return;
  // A failed day search has been reported; the entry keeps an empty event list.
  if (entry.station.kind == StationKind::Tide) {
    TideDayList day = FindTideDay(entry.tide, entry.clock, entry.tableDay);
    if (day.status != 0) return;
    entry.tideEvents = std::move(day.events);
    entry.maximum = day.maximum;
    entry.minimum = day.minimum;
  } else {
    entry.minuteKinds.assign(span.Minutes(), ' ');
    entry.minuteDirections.assign(span.Minutes(), kNotGiven16);
    CurrentDayList day = FindCurrentDay(entry.current, entry.clock, entry.tableDay);
    if (day.status != 0) return;
    entry.currentEvents = std::move(day.events);
    entry.maximum = day.maxSpeed;
    entry.minimum = day.minSpeed;
  }
}

bool RealTimeBoard::Update(const QDateTime& utc, const AppSettings& settings) {
  std::vector<ClockReading> tideInstants, currentInstants;
  for (auto [entries, instants] : {std::pair{&tides_, &tideInstants}, std::pair{&currents_, &currentInstants}}) {
    for (const RealTimeEntry& entry : *entries) {
      const ClockReading now = ReadingAt(entry.clock, utc);
      if (entry.predictable && DayOf(now.shown) != entry.tableDay) return false;
      instants->push_back(now);
    }
  }
  for (size_t i = 0; i < tides_.size(); ++i) UpdateTide(tides_[i], tideInstants[i], settings);
  for (size_t i = 0; i < currents_.size(); ++i) UpdateCurrent(currents_[i], currentInstants[i], settings);
  return true;
}

int RealTimeBoard::SlotOf(const RealTimeEntry& entry, const ClockReading& now) {
  const int64_t slot = int64_t{now.standard} - int64_t{entry.slotBase};
  return slot >= 0 && slot < static_cast<int64_t>(entry.minuteValues.size()) ? static_cast<int>(slot) : -1;
}

void RealTimeBoard::UpdateTide(RealTimeEntry& entry, const ClockReading& now, const AppSettings& settings) {
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
    value = PredictTide(entry.tide, now.standard, 0).height;
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

  const std::optional<ShownTideEvent> next = entry.failed ? std::nullopt : NextTideEvent(entry, now);
  if (!next) {
    entry.changeText.clear();
    entry.icon = RealTimeIcon::None;
    return;
  }
  const int minutesAhead = static_cast<int>(int64_t{next->at.standard} - int64_t{now.standard});
  entry.changeText =
      NextTideText(next->kind, RealTimeHeightText(MicroFeet(next->height), settings.tideUnit), minutesAhead);
  entry.icon = next->kind == 'H' ? RealTimeIcon::Rising : RealTimeIcon::Falling;
}

std::optional<ShownTideEvent> RealTimeBoard::NextTideEvent(RealTimeEntry& entry, const ClockReading& now) {
  for (const ShownTideEvent& extreme : entry.tideEvents) {
    if (extreme.at.standard >= now.standard) return extreme;
  }
  if (!entry.tomorrowLoaded) {
    entry.tomorrowLoaded = true;
    const TideDayList day = FindTideDay(entry.tide, entry.clock, AddDays(entry.tableDay, 1));
    if (day.status == 0) entry.tomorrowTides = day.events;
  }
  for (const ShownTideEvent& extreme : entry.tomorrowTides) {
    if (extreme.at.standard >= now.standard) return extreme;
  }
  return std::nullopt;
}

void RealTimeBoard::UpdateCurrent(RealTimeEntry& entry, const ClockReading& now, const AppSettings& settings) {
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
    const CurrentEvent current = PredictCurrent(entry.current, now.standard, 0);
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

  const std::optional<ShownCurrentEvent> next = NextCurrentEvent(entry, now);
  if (!next) {
    // The next change is left as it was. A station whose current is not defined has no
    // events to find; for any other it is an error, said once per day table.
    if (value != kValueNotDefined && !entry.changeErrorShown) {
      entry.changeErrorShown = true;
      ReportEngineError(3004, StringText(3004));
    }
    return;
  }
  const int minutesAhead = static_cast<int>(int64_t{next->at.standard} - int64_t{now.standard});
  entry.changeText =
      NextCurrentText(next->kind, MicroKnots(next->speed), next->direction, settings.currentUnit, minutesAhead);
}

std::optional<ShownCurrentEvent> RealTimeBoard::NextCurrentEvent(RealTimeEntry& entry, const ClockReading& now) {
  for (const ShownCurrentEvent& event : entry.currentEvents) {
    if (event.at.standard >= now.standard) return event;
  }
  if (!entry.tomorrowLoaded) {
    entry.tomorrowLoaded = true;
    const CurrentDayList day = FindCurrentDay(entry.current, entry.clock, AddDays(entry.tableDay, 1));
    if (day.status == 0) entry.tomorrowCurrents = day.events;
  }
  for (const ShownCurrentEvent& event : entry.tomorrowCurrents) {
    if (event.at.standard >= now.standard) return event;
  }
  return std::nullopt;
}

}  // namespace qw
