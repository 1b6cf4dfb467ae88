// What the real-time window tracks, without the window: the stations of its two lists
// with today's events, and for the present moment each station's height or speed and
// the time left to its next event.
//
// Time. The window is given the present instant (UTC). Each station's own clock comes
// from its time meridian and daylight-saving class, through the same corrections the
// engine applies: standard = UTC + zone; the station's shown time adds the daylight
// correction of the standard date and the GMT option. The value now is asked of the
// engine at that shown minute with that daylight flag, so it is the engine's value for
// this instant even on the days the clocks change. Count-downs are differences of
// standard times, so they are the real minutes left, across midnight and across a
// daylight-saving change alike.
#pragma once

#include <QDateTime>
#include <optional>
#include <string>
#include <vector>

#include "engine/current_location.h"
#include "engine/current_prediction.h"
#include "engine/engine_values.h"
#include "engine/tide_location.h"
#include "engine/tide_prediction.h"
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

// A station's clock at one instant.
struct StationInstant {
  EngineMinute standard = 0;  // the station's local standard time
  EngineMinute shown = 0;     // the time the windows show for the station
  uint8_t dstFlag = 0;        // the daylight flag the shown time was made with
};

// The station's clock at `utc`. `observesDst` is the record's daylight-saving class;
// `tideReference` the referenceId of a tide station (the international family takes its
// own daylight correction), 0 for current stations.
StationInstant StationClock(const QDateTime& utc, int16_t timeMeridian, uint8_t observesDst, bool tide,
                            uint16_t tideReference);
// The standard time of a shown minute of a day with the given daylight flag, and the
// flag of a shown minute's date for a station (0 when it never observes daylight saving).
EngineMinute ShownToStandard(EngineMinute shown, int16_t timeMeridian, uint8_t dstFlag, bool tide,
                             uint16_t tideReference);
uint8_t DaylightFlagOf(EngineMinute shown, uint8_t observesDst);

struct RealTimeEntry {
  StationRef station;
  std::string name;
  bool predictable = false;  // the record was read and names a station with predictions
  bool failed = false;       // the engine failed for this station: no more asking until refresh
  bool changeErrorShown = false;  // currents: message 3004 has been shown for this day table
  TideLocation tide;         // the record of a tide entry
  CurrentLocation current;   // the record of a current entry
  // The station's clock, from its record.
  int16_t timeMeridian = 0;
  uint8_t observesDst = 0;
  uint16_t tideReference = 0;  // tide entries: the harmonic record (its family's daylight rule)

  EngineMinute tableDay = 0;  // 00:00 shown time of the day the events are of
  std::vector<TideExtreme> tideEvents;
  std::vector<CurrentEvent> currentEvents;
  int32_t maximum = 0, minimum = 0;  // the day's highest and lowest, engine units
  // Tomorrow's events, found once when today's are all past. Not only the first: on the
  // day the clocks go forward, tomorrow's first hour overlaps today's last one.
  bool tomorrowLoaded = false;
  std::vector<TideExtreme> tomorrowTides;
  std::vector<CurrentEvent> tomorrowCurrents;

  // The values of the day's minutes, by standard minute from the day's start; empty
  // slots hold kSlotEmpty. Currents keep each minute's event letter and direction too.
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
  void UpdateTide(RealTimeEntry& entry, const StationInstant& now, const AppSettings& settings);
  void UpdateCurrent(RealTimeEntry& entry, const StationInstant& now, const AppSettings& settings);
  // The slot of the present minute, or -1 when it lies outside the day's slots.
  static int SlotOf(const RealTimeEntry& entry, const StationInstant& now);
  std::optional<TideExtreme> NextTideEvent(RealTimeEntry& entry, const StationInstant& now);
  std::optional<CurrentEvent> NextCurrentEvent(RealTimeEntry& entry, const StationInstant& now);
  StationInstant ClockOf(const RealTimeEntry& entry, const QDateTime& utc) const;
  EngineMinute EventStandard(const RealTimeEntry& entry, EngineMinute shown) const;

  std::vector<RealTimeEntry> tides_;
  std::vector<RealTimeEntry> currents_;
  int predictions_ = 0;
};

}  // namespace qw
