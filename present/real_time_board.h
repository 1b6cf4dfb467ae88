// What the real-time window tracks, without the window: the stations of its two lists
// with today's events, and for the present moment each station's height or speed and
// the time left to its next event.
//
// Time. The window is given the present instant (UTC). Each station keeps its own clock
// (station_clock.h): the present is the station's standard minute of that UTC minute,
// the value now is the engine's value at that instant, and the day tracked is the
// station's civil date now, 23 or 25 hours on the days the clocks change. Count-downs
// are differences of standard minutes, so they are the real minutes left, across
// midnight and across a change of the clocks alike.
#pragma once

#include <QDateTime>
#include <optional>
#include <string>
#include <vector>

#include "engine/civil_days.h"
#include "engine/current_location.h"
#include "engine/engine_values.h"
#include "engine/station_clock.h"
#include "engine/tide_location.h"
#include "settings/app_settings.h"
#include "settings/station_directory.h"

namespace qw {

class CatalogueDirectory;

// The picture drawn beside an entry.
enum class RealTimeIcon {
  None,
  Rising,    // tide going up to a high water
  Falling,   // tide going down to a low water
  Flood,
  Ebb,
  Slack,
  Rotary,
  Unknown,   // a current without a direction
};

struct RealTimeEntry {
  StationRef station;
  std::string name;
  bool predictable = false;  // the record was read and names a station with predictions
  bool failed = false;       // the engine failed for this station: no more asking until refresh
  bool changeErrorShown = false;  // currents: message 3004 has been shown for this day table
  TideLocation tide;         // the record of a tide entry
  CurrentLocation current;   // the record of a current entry
  // The station's clock: its zone from the side catalogue, or the record's rule.
  StationClock clock{0, 0, ""};

  EngineMinute tableDay = 0;  // 00:00 shown time of the date the events are of
  std::vector<ShownTideEvent> tideEvents;
  std::vector<ShownCurrentEvent> currentEvents;
  int32_t maximum = 0, minimum = 0;  // the day's highest and lowest, engine units
  // Tomorrow's events, found once when today's are all past. Not only the first: on the
  // day the clocks go forward, tomorrow's first hour overlaps today's last one.
  bool tomorrowLoaded = false;
  std::vector<ShownTideEvent> tomorrowTides;
  std::vector<ShownCurrentEvent> tomorrowCurrents;

  // The values of the date's minutes, by standard minute from its first instant (1380,
  // 1440 or 1500 of them); empty slots hold kSlotEmpty. Currents keep each minute's event letter and direction too.
  std::vector<int32_t> minuteValues;
  std::vector<char> minuteKinds;
  std::vector<int16_t> minuteDirections;
  EngineMinute slotBase = 0;  // standard time of slot 0

  // What the window shows now.
  int32_t valueNow = kValueNotDefined;  // engine units
  char kindNow = ' ';                   // currents: the letter of the value now
  int16_t directionNow = kNotGiven16;   // currents: degrees true
  std::string valueText;
  std::string changeText;
  RealTimeIcon icon = RealTimeIcon::None;
};

// A station's clock reading at the instant `utc`.
ClockReading ReadingAt(const StationClock& clock, const QDateTime& utc);

class RealTimeBoard {
 public:
  static constexpr int32_t kSlotEmpty = INT32_MIN;

  // Reads the stations and computes the day of each at `utc` (the loading step).
  void Load(const CatalogueDirectory& catalogue, const std::vector<StationRef>& tides,
            const std::vector<StationRef>& currents, const QDateTime& utc);
  // The update step: the value now and the next change of every entry. False when the
  // day of some entry's tables is over: the caller reloads.
  bool Update(const QDateTime& utc, const AppSettings& settings);

  const std::vector<RealTimeEntry>& tides() const { return tides_; }
  const std::vector<RealTimeEntry>& currents() const { return currents_; }
  // The number of values the engine was asked for since loading (the cache's use).
  int predictions() const { return predictions_; }

 private:
  void LoadDay(RealTimeEntry& entry, const QDateTime& utc);
  void UpdateTide(RealTimeEntry& entry, const ClockReading& now, const AppSettings& settings);
  void UpdateCurrent(RealTimeEntry& entry, const ClockReading& now, const AppSettings& settings);
  // The slot of the present minute, or -1 when it lies outside the day's slots.
  static int SlotOf(const RealTimeEntry& entry, const ClockReading& now);
  std::optional<ShownTideEvent> NextTideEvent(RealTimeEntry& entry, const ClockReading& now);
  std::optional<ShownCurrentEvent> NextCurrentEvent(RealTimeEntry& entry, const ClockReading& now);

  std::vector<RealTimeEntry> tides_;
  std::vector<RealTimeEntry> currents_;
  int predictions_ = 0;
};

}  // namespace qw
