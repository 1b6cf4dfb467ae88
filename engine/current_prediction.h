// The public current predictions of a station: the current at a minute, the previous or
// next event (maximum flood, maximum ebb, slack water; maximum and minimum for rotary
// stations), and the events of a calendar day. Harmonic stations are computed from their
// own harmonic file; subordinate stations from their reference station's events by time
// corrections, speed ratios and directions; rotary stations from their rotary table
// (rotary_current.h).
//
// Speeds are int32 millionths of a knot, flood positive and ebb negative (rotary speeds
// are magnitudes); kValueFailed means the computation failed and a message was shown,
// kValueNotDefined that the subordinate station lacks the correction needed. Directions
// are degrees true, kNotGiven16 when missing. Minutes are the station's local clock.
#pragma once

#include <array>
#include <cstdint>

#include "engine/calendar.h"
#include "engine/current_corrections.h"
#include "engine/current_location.h"

namespace qw {

struct CurrentEvent {
  char kind = 0;                    // 'F', 'E', 'S'; rotary 'M', 'm'; ' ' a plain value; 0 empty
  int32_t speed = 0;                // millionths of a knot, or kValueNotDefined
  EngineMinute time = 0;            // 0 ends a day's list
  int16_t direction = kNotGiven16;  // degrees true
};

// A day's events in time order; the list ends at the first entry whose time is 0. A
// semidiurnal current has 8 or 9 events a day; stations with double maxima on both tides
// reach 16 or more, so the list holds 24.
constexpr int kMaxCurrentDayEvents = 24;
using CurrentDayEvents = std::array<CurrentEvent, kMaxCurrentDayEvents>;

// step 0: the current at `minute`, kind 'F', 'E' or 'S' by the slack threshold (' ' for a
// rotary station). step -1: the last event before `minute`; step +1: the first event after
// it; `minute`, `kind` and `direction` become the event's. `dstFlag` is the caller's
// daylight-saving flag of the day (ignored for stations that never observe it).
int32_t PredictCurrent(const CurrentLocation& station, EngineMinute& minute, int step, int dstFlag, char& kind,
                       int16_t& direction);

// The events of the day that starts at `dayStart` (00:00), with the day's largest and
// smallest speeds (both include 0 and the values at 00:00 and 23:59). Returns 0, or -32767
// after reporting 2212 when a step failed or did not advance; an event beyond the list's
// capacity is reported with 2212 and the search stops with the list full. A station that gives none of its four
// time corrections has no events (0, an empty list, maximum and minimum untouched).
int FindCurrentDayEvents(const CurrentLocation& station, EngineMinute dayStart, CurrentDayEvents& events,
                         int32_t& maxSpeed, int32_t& minSpeed);

// The class (0 slack before flood, 1 flood, 2 slack before ebb, 3 ebb) of the middle event
// of the reference event window, and that event's correction for `corrections`.
int ClassifyMiddleEvent();
int32_t CorrectionForMiddleEvent(const CurrentCorrections& corrections);

}  // namespace qw
