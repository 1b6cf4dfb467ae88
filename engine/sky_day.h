// The sun and the moon of a station's civil date, as its clock shows them: sunrise,
// sunset, moonrise and moonset, the principal phases of the moon that fall in the date,
// and the nearest phase.
//
// The date is the station clock's (station_clock.h), 23 or 25 hours on the days the
// clocks change; each event carries the time shown and the UTC offset in force at its own
// instant. The rise and set search (rise_set.h) runs over the 24 hours from the date's
// first instant and, when the date is longer, over the 24 hours to its last, so that the
// extra hour is searched too; the phases come from the precise positions
// (PrincipalPhases of moon_phase.h).
#pragma once

#include <cstdint>
#include <vector>

#include "engine/moon_phase.h"
#include "engine/rise_set.h"
#include "engine/station_clock.h"

namespace qw {

enum class SkyEventKind : uint8_t { Sunrise, Sunset, Moonrise, Moonset };

struct SkyEvent {
  SkyEventKind kind = SkyEventKind::Sunrise;
  ClockReading at;
};

struct ShownPhase {
  int type = kPhaseNone;  // kPhaseNew .. kPhaseLastQuarter
  ClockReading at;
};

struct SkyDay {
  CivilDaySpan span;
  // Events: the body rises or sets within the search (the list holds those of the date);
  // NeverSets / NeverRises: it stays up or down all day; NotAvailable: no position, or
  // no Earth series installed.
  RiseSetDay sun = RiseSetDay::NotAvailable;
  RiseSetDay moon = RiseSetDay::NotAvailable;
  std::vector<SkyEvent> events;     // time order
  std::vector<ShownPhase> phases;   // the principal phases within the date, time order
  // The nearest principal phase: `days` from this date to the phase's date at the
  // station (-1 yesterday, 0 today, n in n days; a phase yesterday wins over later ones),
  // with the spring or neap tide within a day of it and the moon's age at the date's
  // first instant. kPhaseNone when the Earth series are not installed.
  MoonPhaseInfo nearestPhase;
  float phaseAngle = kRiseSetNotAvailable;  // degrees from new moon at the first instant
};

SkyDay FindSkyDay(const StationPlace& place, const StationClock& clock, EngineMinute date);

// Forgets the principal phases kept between calls (engine reset).
void ResetSkyDays();

}  // namespace qw
