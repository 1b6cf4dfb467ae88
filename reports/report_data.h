// The locations of a report and the days its pages show, in the units, clock and range
// lines of the settings.
//
// Days are asked of the engine through the same day services the tide and current
// windows use (present/tide_day.h, present/current_day.h) and turned into texts by the
// windows' presenters, so a printed day and a shown day agree.
//
// A location whose prediction fails on a day (the engine has shown its message) is not
// asked again for later days of the report: they print without values instead of
// raising the same message for every page. Days outside the supported range of dates
// are not asked for at all. The days of the last pages are kept, so a page laid out
// twice (checked for room, then printed; or previewed again) asks the engine once.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "engine/calendar.h"
#include "engine/current_location.h"
#include "engine/moon_phase.h"
#include "engine/region_files.h"
#include "engine/rise_set.h"
#include "engine/sky_day.h"
#include "engine/station_clock.h"
#include "engine/tide_location.h"
#include "present/day_graph.h"
#include "settings/app_settings.h"

namespace qw {

// The three texts of a location's notes report, "\n" between lines.
struct ReportNotes {
  std::string official;  // the official notes files' notes, or "None defined."
  std::string user;      // the user's own notes, or "None defined."
  std::string general;   // the station's general facts
};

struct ReportLocation {
  StationKind kind = StationKind::Tide;
  TideLocation tide;        // when kind is Tide
  CurrentLocation current;  // when kind is Current
  StationClock clock{0, 0, ""};  // the station's clock (set with the record)
  EngineMinute windowDay = 0;  // 00:00 of the date its window shows
  ReportNotes notes;           // notes reports only
};

// What a page needs of a day beyond its events.
struct DayNeeds {
  bool curve = false;      // the fine curve for the filled and smooth styles
  bool sunMoon = true;     // sunrise, sunset, moonrise, moonset and the phase
  int tableInterval = 0;   // minutes between value table rows; 0 for no table
};

// A high or low water, or a maximum flood, maximum ebb or slack water.
struct ReportEvent {
  char kind = 0;              // 'H', 'L'; 'F', 'E', 'S'; rotary 'M', 'm'
  int minute = -1;            // minute of the day shown; -1 when the time is not defined
  int elapsed = -1;           // minutes from the date's first instant (graph position)
  int32_t value = 0;          // display units, kValueNotDefined when not defined
  int16_t direction = kNotGiven16;  // degrees true (currents)
  std::string time;           // "3:42 am", or "--:--"
  std::string valueText;      // "4.32 ft", "-1.8 kt"; empty for a slack
  std::string valueShort;     // the same without the unit: "4.32", "-1.8"

  // High waters, floods and rotary maxima print in the "high" ink.
  bool upper() const { return kind == 'H' || kind == 'F' || kind == 'M'; }
  bool lower() const { return kind == 'L' || kind == 'E' || kind == 'm'; }
};

// "High", "Low", "Flood", "Ebb", "Slack", "Max", "Min".
const char* EventWord(char kind);

struct ReportDay {
  EngineMinute day = 0;   // 00:00 of the day
  DateRecord date;
  bool inRange = true;    // false for a date outside the supported range
  bool predicted = false;  // the day's events were computed
  std::vector<ReportEvent> events;
  DayGraphData graph;     // values in display units, range lines, daylight
  SkyDay sky;             // the date's sun and moon events, each as the clock shows it
  SunTimes sun;           // the same in hours of the date shown (rise_set.h's encoding)
  MoonDay moon;
  int moonAngle = -1;      // degrees for the moon's picture; -1 when not known
  std::string phaseLine;   // "Full moon tomorrow"
  std::string tideTypeLine;  // "Spring Tide"
  // The header's texts.
  std::string name;
  std::string source;      // "Harmonic station (NOAA)", "based on Seattle (NOAA)"
  std::string position;    // "Lat 47°36' N  Lon 122°20' W" or "Position Not Specified"
  std::string stationId;   // "Station ID: 1234", or empty
  std::string datumLine;   // "Heights above MSL", or empty
  // The value table: display units from the date's first instant every interval of
  // elapsed time to its end (23 or 25 hours of rows on the days the clocks change;
  // kValueNotDefined where the station has no value), and each row's time as shown.
  std::vector<int32_t> table;
  std::vector<std::string> tableTimes;
  int tableInterval = 0;
};

class ReportDays {
 public:
  ReportDays(const std::vector<ReportLocation>& locations, const AppSettings& settings)
      : locations_(locations), settings_(settings), failedAt_(locations.size()) {}

  ReportDay Day(int location, EngineMinute day, const DayNeeds& needs);

  const ReportLocation& location(int index) const { return locations_[static_cast<size_t>(index)]; }
  int count() const { return static_cast<int>(locations_.size()); }
  const AppSettings& settings() const { return settings_; }
  // True once a day of the location could not be computed.
  bool failed(int location) const { return failedAt_[static_cast<size_t>(location)].has_value(); }

 private:
  // A day of a station; `ask` false gives a day without values. `failed` is set when the
  // engine failed (and has said why).
  ReportDay TideDayOf(const TideLocation& station, const StationClock& clock, EngineMinute day,
                      const DayNeeds& needs, bool ask, bool& failed) const;
  ReportDay CurrentDayOf(const CurrentLocation& station, const StationClock& clock, EngineMinute day,
                         const DayNeeds& needs, bool ask, bool& failed) const;

  const std::vector<ReportLocation>& locations_;
  const AppSettings& settings_;
  std::vector<std::optional<EngineMinute>> failedAt_;  // the first day that failed
  // Days already computed: location, day, curve, sun and moon, table interval.
  using DayKey = std::tuple<int, EngineMinute, bool, bool, int>;
  std::map<DayKey, ReportDay> cache_;
};

// The unit and value texts of a location's kind.
std::string ReportUnitName(StationKind kind, const AppSettings& settings);
std::string ReportValueText(StationKind kind, int32_t display, const AppSettings& settings);
// "Tide" or "Current": the value table's column heading.
const char* ReportValueHeading(StationKind kind);

}  // namespace qw
