// What a tide or current window shows for one day, as texts and graph data: the title
// lines, the information areas and the day graph, in the units, clock and range-line
// choices of the settings. tide_presenter.h and current_presenter.h fill it from the
// engine's answers; the windows only draw it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/sky_day.h"
#include "engine/station_clock.h"
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
  std::string zone;       // "(PDT)"; "(PST/PDT)" on a date the clocks change

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

// The sun's and the moon's two lines for a date (sky_day.h), each time as the clock shows
// it at the event's instant, with its zone abbreviation on a date the clocks change.
std::vector<LabelledText> SunTexts(const SkyDay& sky, const StationClock& clock, TimeType timeType);
std::vector<LabelledText> MoonTexts(const SkyDay& sky, const StationClock& clock, TimeType timeType);

// Fills the sun and moon area of a date and the graph's day and night.
void PresentSky(const SkyDay& sky, const StationClock& clock, TimeType timeType, DayPresentation& p);

// The zone line of the title area: "(PDT)", or "(PST/PDT)" on a date the clocks change.
std::string ZoneText(const StationClock& clock, const CivilDaySpan& span);

// An instant as a clock text of the time shown then; on a date the clocks change
// (`span` not 24 hours) followed by the zone's abbreviation at that instant, so the two
// 1:30s of a date the clocks go back read apart ("1:30a PDT", "1:30a PST").
std::string TimeOfReading(const ClockReading& at, const StationClock& clock, const CivilDaySpan& span,
                          TimeType timeType);

// The present moment `now` on the graph of the date `span`: its minute and "Now 3:42 pm"
// (the value is added by TideNowMark and CurrentNowMark); nothing when now is not
// within the date.
std::optional<NowMark> NowMarkOf(const ClockReading& now, const StationClock& clock, const CivilDaySpan& span,
                                 TimeType timeType);

// The graph's time axis for a date: its length, an hour tick every 60 minutes of elapsed
// time labelled with the hour the clock shows then, and on a date the clocks change the
// note that says so ("Clocks go forward 1 hour at 2:00a: 23-hour day").
void PresentDayAxis(const StationClock& clock, const CivilDaySpan& span, TimeType timeType, DayGraphData& graph);

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
