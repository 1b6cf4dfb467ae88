// An event search from the user's choices to a filled results table: the lists the
// dialog offers, the checks before a search, the search loop with its progress and
// stop, the result rows, and the final title and heading lines.
#pragma once

#include <QColor>
#include <cstdint>
#include <string>

#include "search/event_search.h"
#include "search/results_table.h"
#include "search/search_progress.h"
#include "search/value_texts.h"

namespace qw {

// The choices of one event results window, kept while it lives and used to fill the
// dialog again.
struct EventSearchSettings {
  StationKind stationKind = StationKind::Tide;
  int regionSlot = 0;
  int stationIndex = 0;
  std::string locationName;
  uint8_t searchCode = 0;       // of the last run
  EngineMinute rangeStart = 0;  // 00:00 of the first day
  EngineMinute rangeEnd = 0;    // 00:00 of the last day
  bool timeOfDayOn = false;
  int startTime = 0;            // minutes after midnight
  int endTime = 23 * 60 + 59;
  bool weekdayOn = false;
  uint8_t weekdayBits = 0;      // bit 0 Sunday .. bit 6 Saturday
  int kindPosition = 0;
  int conditionPosition = 0;
  int periodPosition = 0;
  double threshold = 0;         // the number typed in the value box
  bool thresholdGiven = false;  // the box holds a number (an empty box is none, not 0)
  std::string valueText;        // the value box's text
};

// Why a search cannot start: the message and caption numbers of the string table.
struct SearchRefusal {
  int message = 0;
  int caption = 0;
};

// The "Search For:" list of a station kind.
int SearchKindCount(StationKind kind);
const char* SearchKindText(StationKind kind, int position);
// The kind number of a list position; -1 outside the list.
int SearchKindNumber(StationKind kind, int position);
// "with value GREATER or EQUAL to" .. "with the SMALLEST value", and the periods.
constexpr int kConditionCount = 4;
constexpr int kPeriodCount = 4;
const char* ConditionText(int position);
const char* PeriodText(int position);
// Conditions 2 and 3 are not offered for the kinds that list spans of values.
int ConditionCountFor(int kindNumber);
// The label beside the value box: "Feet", "Centimeters", "Meters", "Knots",
// "Meters/Sec" or "Minutes".
const char* ValueUnitLabel(int kindNumber, const ValueUnits& units);

// Checks the settings and builds the search; false with the refusal set when the
// dates, the times or a list position are not usable.
bool PlanEventSearch(const EventSearchSettings& settings, const ValueUnits& units, EventSearchPlan& plan,
                     SearchRefusal& refusal);

// A new event results window: title "Event Search Results: Empty", heading "Press the
// Search button to begin.".
void PrepareEventResults(ResultsTable& table);

// The search loop: heading "Searching...", the list cleared and given the columns of the
// kind (in `background`), then one row per hit until the range is exhausted or the user
// stops. Returns false when it was stopped (or the engine failed).
bool RunEventSearch(const SearchStation& station, const EventSearchPlan& plan, ResultsTable& table,
                    SearchProgress& progress, const ValueUnits& units, QColor background);

// One result row (the window's "add a row").
void AddEventHitRow(ResultsTable& table, int kindNumber, const EventHit& hit, const ValueUnits& units);

// The window after a search (its "search finished"): title "Event Search For: <name>"
// and the four heading lines describing the search; `datum`, the datum of a tide
// station's heights ("MSL"), ends the last one when given.
void FinishEventSearch(ResultsTable& table, const EventSearchSettings& settings, const ValueUnits& units,
                       const std::string& datum = std::string());

}  // namespace qw
