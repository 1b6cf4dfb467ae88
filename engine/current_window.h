// The reference event window: three consecutive events E1, E2, E3 of a reference current
// station, kept between calls so that stepping through a day moves it forwards one event
// at a time instead of searching again. Current predictions keep the reference's floods,
// slacks and ebbs in it; rotary predictions keep three consecutive maximum floods.
//
// Times are the reference station's own (uncorrected) standard minutes; a time of 0 marks
// an empty slot. c1 and c2 are the subordinate time corrections of E1 and E2.
#pragma once

#include <cstdint>

#include "engine/calendar.h"
#include "engine/engine_values.h"

namespace qw {

// A correction not worked out yet.
constexpr int32_t kCorrectionUnknown = -9999;

struct WindowEvent {
  EngineMinute time = 0;            // 0: empty
  int32_t speedMicroKnots = 0;
  char kind = ' ';                  // 'F', 'E', 'S'
  int16_t direction = kNotGiven16;  // degrees true
};

struct ReferenceEventWindow {
  WindowEvent e1, e2, e3;
  int32_t c1 = kCorrectionUnknown;  // minutes added to E1 at the station
  int32_t c2 = kCorrectionUnknown;  // minutes added to E2 at the station
  // What the window was built for; a change of any of them empties it.
  bool used = false;
  int16_t stationKind = 0;
  uint16_t referenceId = 0;
  char mathForm = 'f';
};

ReferenceEventWindow& CurrentEventWindow();

// Empties E1, E2 and E3 and forgets c1 and c2.
void EmptyCurrentEventWindow();

// Marks the directions of E1, E2 and E3 as not given (a harmonic file was loaded).
void ForgetCurrentWindowDirections();

// Back to the start state (engine reset).
void ResetCurrentEventWindow();

}  // namespace qw
