// The nearest-station search: the tide and current stations within a range of a
// position, nearest first, with distance in nautical miles and bearing in degrees true.
//
// Positions are compared as signed minutes of arc (negative south and west). Distances
// use mid-latitude sailing with 60 nautical miles to a degree of latitude, as a sailor
// works a short passage; over the ranges searched (at most 250 Nm) it agrees with the
// great circle to a fraction of a mile away from the poles.
#pragma once

#include <QColor>
#include <string>

#include "engine/station_database.h"
#include "search/result_rows.h"
#include "search/results_table.h"
#include "search/search_progress.h"

namespace qw {

// Why a typed position was refused; each has its dialog texts (NearestPositionErrorTexts).
enum class PositionError {
  None,
  LatitudeDegrees,   // above 90
  LatitudeMinutes,   // above 59.99
  LatitudeTooBig,    // above 90 degrees in all
  LatitudeLetter,    // not N or S
  LongitudeDegrees,  // above 180
  LongitudeMinutes,
  LongitudeTooBig,   // above 180 degrees in all
  LongitudeLetter,   // not E or W
};

// The string table numbers of a position error's dialog: caption, message, detail line
// (0 when none), the leading-zeros hint and the two sample positions.
struct PositionErrorTexts {
  int caption = 0;
  int message = 0;
  int detail = 0;
  int hint = 0;
  int examples = 0;
};
PositionErrorTexts NearestPositionErrorTexts(PositionError error);

// The character a masked position box shows in a digit place left blank.
constexpr char kBlankDigit = '_';

// Reads a typed latitude: two digits of degrees, two of minutes and two of hundredths of a
// minute, then N or S ("374830N", "37 48.30 N"); longitude the same with three digits of
// degrees. Blanks, points, degree and minute signs between the digits are ignored and
// missing digits at the end count as 0, but a blank digit place of a masked box
// (kBlankDigit, "4_°30.00'N") is refused with the error of its part (degrees, or
// minutes for the minutes and hundredths), never read as the digits around it. The coordinate is filled as far as it was read even when an
// error is returned.
PositionError ParseLatitude(const std::string& text, Coordinate& out);
PositionError ParseLongitude(const std::string& text, Coordinate& out);

// A station record's position (degrees, minutes and seconds): `third` holds the seconds.
StationPosition PositionOfStation(char latHemisphere, int16_t latDegrees, int16_t latMinutes, int16_t latSeconds,
                                  char lonHemisphere, int16_t lonDegrees, int16_t lonMinutes, int16_t lonSeconds);
// The position as the typed boxes show it ("374830N", "1222748W"), seconds rounded to
// hundredths of a minute.
std::string LatitudeBoxText(const Coordinate& latitude);
std::string LongitudeBoxText(const Coordinate& longitude);

// Mid-latitude sailing from (lat1, lon1) to (lat2, lon2), all in degrees north and east:
// distance in nautical miles and bearing in degrees true (0 north, 90 east).
void PositionDistanceBearing(double lat1, double lon1, double lat2, double lon2, double& distanceNm,
                             double& bearing);

// What to search for.
struct NearestQuery {
  StationPosition point;
  bool customPoint = false;        // a typed position (stations on it are listed)
  std::string locationName;        // the open location's name; ignored for a custom point
  std::string latitudeText;        // the typed texts, for the heading of a custom point
  std::string longitudeText;
  bool tideOn = true;
  int tideRange = 100;             // nautical miles, 0..250
  int tideRegion = -1;             // regionSlot of the single region, -1 for all
  bool currentOn = true;
  int currentRange = 100;
  int currentRegion = -1;
};

// A new nearest results window: title "Nearest Search Results: Empty" and heading "Press
// the Search button to begin.".
void PrepareNearestResults(ResultsTable& table);

// Clears the table, gives it the seven columns and lists every station of the chosen
// regions within range, nearest first. Progress names the region being searched; a stop
// is honoured after each region. Returns false when it was stopped.
bool FindNearestStations(const NearestQuery& query, const RegionList& tideRegions, const RegionList& currentRegions,
                         ResultsTable& table, SearchProgress& progress);

// Adds one hit in distance order (before the first row at the same or a greater
// distance), unless a row of the same kind at the same position is listed already.
// Returns false when it was dropped. `sourceLabel` names who published the station's data
// ("NOAA", "TICON-4 (UHSLC)"); "" when not known.
bool AddNearestHit(ResultsTable& table, const NearestHit& hit, const std::string& stationLabel,
                   const std::string& regionName, const std::string& sourceLabel = std::string());

// After a search: title, heading lines, row numbers and row colours (current rows
// light cyan, tide rows light yellow).
void FinishNearestSearch(ResultsTable& table, const NearestQuery& query, const RegionList& tideRegions,
                         const RegionList& currentRegions);

// A current station's name with its meter depth, "  (%d)", or "  (%dd)" when its depth
// flag is the letter "d", when it has one.
std::string CurrentStationLabel(const CurrentLocation& station);
// Text without leading and trailing blanks.
std::string Trimmed(const std::string& text);

}  // namespace qw
