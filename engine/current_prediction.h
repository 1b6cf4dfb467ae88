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
// are degrees true, kNotGiven16 when missing.
//
// Minutes are the station's standard minutes (UTC plus the record's time meridian, see
// station_clock.h), except in the two functions marked "shown time", which keep the
// earlier rule of the windows, the searches and the export: a shown minute with the
// whole-day daylight-saving flag of its date (time_zone.h). The clock-based day lists
// (civil_days.h) replace them.
#pragma once

#include <array>
#include <cstdint>

#include "engine/calendar.h"
#include "engine/current_corrections.h"
#include "engine/current_events.h"
#include "engine/current_location.h"

namespace qw {

// A day's events in time order; the list ends at the first entry whose time is 0. A
// semidiurnal current has 8 or 9 events a day; stations with double maxima on both tides
// reach 16 or more, so the list holds 24.
constexpr int kMaxCurrentDayEvents = 24;
using CurrentDayEvents = std::array<CurrentEvent, kMaxCurrentDayEvents>;

// step 0: the current at `minute` (time `minute`), kind 'F', 'E' or 'S' by the slack
// threshold (' ' for a rotary station). step -1: the last event before `minute`; step +1:
// the first event after it. Events may lie in the installed years beyond the supported
// dates (ComputableRange of calendar.h).
CurrentEvent PredictCurrent(const CurrentLocation& station, EngineMinute minute, int step);

// Shown time: PredictCurrent at the shown minute `shown` of a date whose dstFlag is given
// (ignored for stations that never observe daylight saving); the event's time is shown
// time in the same frame.
CurrentEvent PredictCurrentShown(const CurrentLocation& station, EngineMinute shown, int step, int dstFlag);

// Shown time: the events of the date that starts at `dayStart` (00:00 shown), with the
// day's largest and smallest speeds (both include 0 and the values at 00:00 and 23:59),
// by the whole-day rule. Returns 0, or -32767 after reporting 2212 when a step failed or
// did not advance; an event beyond the list's capacity is reported with 2212 and the
// search stops with the list full. A station that gives none of its four time
// corrections has no events (0, an empty list, maximum and minimum untouched).
int FindCurrentDayEvents(const CurrentLocation& station, EngineMinute dayStart, CurrentDayEvents& events,
                         int32_t& maxSpeed, int32_t& minSpeed);

// The class (0 slack before flood, 1 flood, 2 slack before ebb, 3 ebb) of the middle event
// of the reference event window, and that event's correction for `corrections`.
int ClassifyMiddleEvent();
int32_t CorrectionForMiddleEvent(const CurrentCorrections& corrections);

}  // namespace qw
