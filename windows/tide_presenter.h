// Turns a tide day (tide_day.h) into what the tide window draws: the title lines, the
// information areas' texts and the day graph's data, in the units, clock and range-line
// choices of the settings.
#pragma once

#include <string>
#include <vector>

#include "app/app_settings.h"
#include "windows/day_graph.h"
#include "windows/tide_day.h"

namespace qw {

struct LabelledText {
  std::string label;  // "Sunrise:", "Mean Range:", or a whole line ("Sun does not rise today")
  std::string value;  // empty for a whole line
};

struct EventText {
  bool high = false;  // "High" (dark blue) or "Low" (dark red)
  std::string time;
  std::string value;
};

struct TidePresentation {
  std::string name;
  std::string position;      // "Lat 47°36 12 N  Lon 122°20 21 W" or "Position Not Specified"
  std::string source;        // "Harmonic station (NOAA)" or "based on Seattle, WA (NOAA)"
  std::string stationId;     // "Station ID: 9447130", or empty
  std::string zone;          // "(PDT)"
  std::vector<EventText> events;
  std::vector<LabelledText> averages;
  std::vector<LabelledText> sun;
  std::vector<LabelledText> moon;
  std::string phaseLine;     // "Full moon tomorrow"
  std::string tideTypeLine;  // "Spring Tide"
  int moonAngle = -1;        // degrees for the picture; -1 when not known
  TideNotice notice = TideNotice::None;
  DayGraphData graph;
};

TidePresentation PresentTideDay(const TideLocation& station, const TideDay& day, const AppSettings& settings);

// The position line of the title area.
std::string PositionText(char latHemisphere, int latDegrees, int latMinutes, int latSeconds, char lonHemisphere,
                         int lonDegrees, int lonMinutes, int lonSeconds);

// The sun's two lines for a day's rise and set hours (rise_set.h results).
std::vector<LabelledText> SunTexts(const SunTimes& sun, TimeType clock);
// The moon's two lines.
std::vector<LabelledText> MoonTexts(const MoonTimes& moon, TimeType clock);

// The graph's range lines for a tide station under the settings, in display units.
void TideRangeLines(const TideLocation& station, const AppSettings& settings, RangeLine& high, RangeLine& low);

}  // namespace qw
