// The event search step: the next high or low water, maximum flood or ebb, swing, span
// of values or slack water of a station that meets a condition, inside a date range and
// optional time-of-day and weekday limits.
//
// The search walks the station's events as the engine supplies them (PredictTide or
// PredictCurrent with steps of +1 and -1) in the station's standard time; the station's
// clock (station_clock.h) gives each instant's shown time for the date range, the
// time-of-day and weekday filters and the times returned, so hits read as the station's
// window shows them, each with the UTC offset in force at its own instant.
//
// Values are in the engine's units: heights in millionths of a foot, speeds in millionths
// of a knot, slack durations in minutes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/current_location.h"
#include "engine/engine_values.h"
#include "engine/region_files.h"
#include "engine/station_clock.h"
#include "engine/tide_location.h"
#include "search/result_rows.h"
#include "search/search_progress.h"
#include "settings/app_settings.h"

namespace qw {

// Search kinds: bits 0-3 of a search code.
constexpr int kSearchHighTides = 1;
constexpr int kSearchLowTides = 2;
constexpr int kSearchTidalSwings = 3;
constexpr int kSearchTideValues = 4;
constexpr int kSearchFloodCurrents = 8;
constexpr int kSearchEbbCurrents = 9;
constexpr int kSearchSlackWater = 10;
constexpr int kSearchCurrentSwings = 11;
constexpr int kSearchCurrentValues = 12;

// Conditions: bits 4-5.
constexpr int kConditionAtLeast = 0;   // value >= threshold
constexpr int kConditionAtMost = 1;    // value <= threshold
constexpr int kConditionGreatest = 2;  // one hit per period: the largest value
constexpr int kConditionSmallest = 3;  // one hit per period: the smallest value

// Periods of conditions 2 and 3: bits 6-7.
constexpr int kPeriodWholeRange = 0;
constexpr int kPeriodYear = 1;
constexpr int kPeriodMonth = 2;
constexpr int kPeriodDay = 3;

constexpr uint8_t MakeSearchCode(int kind, int condition, int period) {
  return static_cast<uint8_t>((kind & 0x0F) | ((condition & 3) << 4) | ((period & 3) << 6));
}
constexpr int SearchKindOf(uint8_t code) { return code & 0x0F; }
constexpr int SearchConditionOf(uint8_t code) { return (code >> 4) & 3; }
constexpr int SearchPeriodOf(uint8_t code) { return (code >> 6) & 3; }

constexpr bool IsCurrentSearchKind(int kind) { return kind >= kSearchFloodCurrents; }
// Kinds listed with a start, an end and a duration.
constexpr bool IsSpanSearchKind(int kind) {
  return kind == kSearchTidalSwings || kind == kSearchTideValues || kind >= kSearchSlackWater;
}

// Every day of the week: the weekday limit is off.
constexpr uint8_t kAllWeekdays = 0xFF;

// The station searched, tide or current.
struct SearchStation {
  StationKind kind = StationKind::Tide;
  TideLocation tide;
  CurrentLocation current;
  StationClock clock{0, 0, ""};  // the station's clock: set it with the record
};

// The threshold of a search from the number typed in the value box: heights in the
// tide unit converted to feet (cm x 0.0328084, m x 3.28084), speeds in the current unit
// converted to knots (m/s x 1.9455), both times 1,000,000 and truncated toward zero; a
// slack duration in whole minutes (truncated). Numbers beyond the 32-bit range are held
// at its ends.
int32_t SearchThreshold(double number, int kind, TideUnit tideUnit, CurrentUnit currentUnit);

// What a search looks for and where (PlanEventSearch builds it from the user's choices).
struct EventSearchPlan {
  uint8_t code = 0;             // MakeSearchCode
  int32_t threshold = 0;        // in the unit of the kind (SearchThreshold)
  EngineMinute rangeStart = 0;  // 00:00 of the first day, shown time
  EngineMinute rangeEnd = 0;    // 23:59 of the last day, shown time
  int dayStart = 0;             // minutes after midnight of the time-of-day window;
  int dayEnd = 23 * 60 + 59;    // 0 and 1439 when it is off
  uint8_t weekdayMask = kAllWeekdays;  // bit 0 Sunday .. bit 6 Saturday
};

// One search step. Finds the first hit after `resume` (0 before the first call) and
// moves `resume` on, so that the next call continues after it. Returns the hit, or
// nothing when the range is exhausted, the user stopped the search (seen through
// `progress`, which also receives the date being examined in status line 2) or the engine
// failed. With condition "greatest" or "smallest" a stop still returns the best value
// found so far in the period.
std::optional<EventHit> FindNextEvent(const SearchStation& station, const EventSearchPlan& plan, EngineMinute& resume,
                                      SearchProgress& progress);

}  // namespace qw
