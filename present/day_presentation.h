// What a tide or current window shows for one day, as texts and graph data: the title
// lines, the information areas and the day graph, in the units, clock and range-line
// choices of the settings. tide_presenter.h and current_presenter.h fill it from the
// engine's answers; the windows only draw it.
#pragma once

#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/moon_phase.h"
#include "engine/rise_set.h"
#include "present/day_graph.h"
#include "present/station_day.h"
#include "settings/app_settings.h"

namespace qw {

struct LabelledText {
  std::string label;  // "Sunrise:", "Mean Range:", or a whole line ("Sun does not rise today")
  std::string value;  // empty for a whole line
};

// The colour of an event's word: high water and maximum flood dark blue, low water and
// maximum ebb dark red, slack water and the rotary events black.
enum class EventTone { Rising, Falling, Neutral };

struct EventText {
  std::string word;  // "High", "Low", "Flood", "Ebb", "Slack", "Max", "Min"
  EventTone tone = EventTone::Neutral;
  std::string time;
  std::string value;
  std::string direction;  // currents: "056°"; empty when not given or for tides
};

struct DayPresentation {
  std::string name;
  std::string position;   // "Lat 47°36 12 N  Lon 122°20 21 W" or "Position Not Specified"
  std::string source;     // "Harmonic station (NOAA)" or "based on Seattle, WA (NOAA)"
  std::string stationId;  // "Station ID: 9447130", or empty
  std::string zone;       // "(PDT)"

  std::string eventsHeading;  // "Daily Highs & Lows:", "Daily Max Floods & Ebbs:"
  bool eventsFound = false;   // the engine answered for the day
  std::string noEventsText;   // shown when the engine found no event in the day
  std::vector<EventText> events;

  std::string averagesHeading;  // "Average Tides:", "Average Currents:"
  std::vector<LabelledText> averages;
  std::string stationKindText;  // "Current may double flood.", or empty

  std::vector<LabelledText> sun;
  std::vector<LabelledText> moon;
  std::string phaseLine;     // "Full moon tomorrow"
  std::string tideTypeLine;  // "Spring Tide"
  int moonAngle = -1;        // degrees for the picture; -1 when not known

  StationNotice notice = StationNotice::None;
  DayGraphData graph;
};

// The position line of the title area.
std::string PositionText(char latHemisphere, int latDegrees, int latMinutes, int latSeconds, char lonHemisphere,
                         int lonDegrees, int lonMinutes, int lonSeconds);

// The source line of the title area: "based on " and the reference station's name for a
// subordinate station whose reference is known, else "Harmonic station", followed by
// who published the data it is computed from, `sourceSuffix` (" (NOAA)", " (TICON-4,
// UHSLC)"; ReferenceSourceSuffix of installed_catalogue.h), "" when not known.
std::string SourceText(bool subordinate, const std::string& referenceName, const std::string& sourceSuffix);

// The sun's two lines for a day's rise and set hours (rise_set.h results).
std::vector<LabelledText> SunTexts(const SunTimes& sun, TimeType clock);
// The moon's two lines.
std::vector<LabelledText> MoonTexts(const MoonTimes& moon, TimeType clock);

// Fills the sun and moon area of a day and the graph's day and night.
void PresentSky(const SunTimes& sun, const MoonDay& moon, TimeType clock, DayPresentation& p);

// A shown-time minute as a clock text.
std::string TimeOfMinute(EngineMinute minute, TimeType clock);

// The label of a day of the weekly view: "Sat 6/15".
std::string WeekDayLabel(const DateRecord& date);

// The window's long date: "Saturday, June 15, 2024".
std::string LongDateText(const DateRecord& date);

// The notice box's text for a notice.
std::string NoticeText(StationNotice notice);

// A range line set by the user: "HighHeight"/"LowHeight" hold hundredths of the display
// unit, or whole centimetres.
int32_t UserRangeToDisplay(int32_t stored, int32_t scaleUnit, bool wholeCentimetres);

}  // namespace qw
