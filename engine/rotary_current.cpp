#include "engine/rotary_current.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/binary_file.h"
#include "engine/current_events.h"
#include "engine/current_window.h"
#include "engine/data_dir.h"
#include "engine/engine_values.h"
#include "engine/report.h"
#include "engine/rotary_table_file.h"
#include "engine/string_table.h"

namespace qw {
namespace {

constexpr int kMsgRotaryOpen = 2210;
constexpr int kMsgRotaryRead = 2211;
constexpr int kMsgRotaryFrame = 2214;
constexpr int kPoints = static_cast<int>(kRotaryPoints);
// A window more than this outside the asked minute is rebuilt rather than moved.
constexpr int64_t kWindowReachMinutes = 720;
// Reference events searched for one flood before giving up (a reference without floods).
constexpr int kMaxFloodSearches = 16;
constexpr int kMaxWindowShifts = 64;

struct RotaryExtreme {
  int slot = 0;
  char kind = 'M';
};

struct RotaryState {
  uint16_t stationId = 0;  // 0: no table loaded
  RotaryTable table;
  std::vector<RotaryExtreme> extremes;  // the table's maxima and minima, by slot
};

RotaryState& State() {
  static RotaryState state;
  return state;
}

// The maxima and minima of the cyclic table: each run of equal speeds whose neighbours are
// both lower is a maximum at the run's first slot, both higher a minimum. A table of one
// speed throughout has neither; its flood point (slot 0) stands in as its one maximum so
// that stepping through the days still advances.
std::vector<RotaryExtreme> FindExtremes(const RotaryTable& t) {
  const int16_t* p = t.speedHundredthsKnot;
  auto at = [&](int i) { return p[((i % kPoints) + kPoints) % kPoints]; };
  std::vector<RotaryExtreme> out;
  if (std::all_of(p, p + kPoints, [&](int16_t v) { return v == p[0]; })) return {{0, 'M'}};
  for (int a = 0; a < kPoints; ++a) {
    if (at(a - 1) == at(a)) continue;  // not the first slot of its run
    int b = a;
    while (at(b + 1) == at(a)) ++b;
    const int16_t before = at(a - 1), after = at(b + 1);
    if (before < at(a) && after < at(a)) out.push_back({a, 'M'});
    if (before > at(a) && after > at(a)) out.push_back({a, 'm'});
  }
  return out;
}

bool SearchFlood(const CurrentLocation& station, EngineMinute from, int step, WindowEvent& out) {
  for (int i = 0; i < kMaxFloodSearches; ++i) {
    const CurrentEvent e = FindReferenceCurrentEvent(station, from, step);
    if (e.speed == kValueFailed) return false;
    if (e.kind == 'F') {
      out = {e.time, e.speed, e.kind, e.direction};
      return true;
    }
    from = e.time;
  }
  ReportEngineError(kMsgRotaryFrame, StringText(kMsgRotaryFrame));
  return false;
}

bool ShiftForward(const CurrentLocation& station) {
  ReferenceEventWindow& w = CurrentEventWindow();
  WindowEvent next;
  if (!SearchFlood(station, w.e3.time, 1, next)) return false;
  w.e1 = w.e2;
  w.e2 = w.e3;
  w.e3 = next;
  return true;
}

bool ShiftBack(const CurrentLocation& station) {
  ReferenceEventWindow& w = CurrentEventWindow();
  WindowEvent previous;
  if (!SearchFlood(station, w.e1.time, -1, previous)) return false;
  w.e3 = w.e2;
  w.e2 = w.e1;
  w.e1 = previous;
  return true;
}

// Frames `minute` by two consecutive floods E1 <= minute <= E2 (strictly after E1 for step
// -1, strictly before E2 for step +1).
bool FrameMinute(const CurrentLocation& station, EngineMinute minute, int step) {
  ReferenceEventWindow& w = CurrentEventWindow();
  const int64_t t = minute;
  if (w.e1.time != 0 && (t < static_cast<int64_t>(w.e1.time) - kWindowReachMinutes ||
                         t > static_cast<int64_t>(w.e2.time) + kWindowReachMinutes)) {
    EmptyCurrentEventWindow();
  }
  if ((w.e1.time == 0 || w.e1.kind != 'F') && !SearchFlood(station, minute, -1, w.e1)) return false;
  if ((w.e2.time <= w.e1.time || w.e2.kind != 'F') && !SearchFlood(station, w.e1.time, 1, w.e2)) return false;
  if ((w.e3.time <= w.e2.time || w.e3.kind != 'F') && !SearchFlood(station, w.e2.time, 1, w.e3)) return false;

  for (int shifts = 0; minute > w.e2.time || (minute == w.e2.time && step >= 1); ++shifts) {
    if (shifts == kMaxWindowShifts || !ShiftForward(station)) return false;
  }
  for (int shifts = 0; minute < w.e1.time || (minute == w.e1.time && step < 0); ++shifts) {
    if (shifts == kMaxWindowShifts || !ShiftBack(station)) return false;
  }
  if (minute < w.e1.time || minute > w.e2.time) {
    ReportEngineError(kMsgRotaryFrame, StringText(kMsgRotaryFrame));
    return false;
  }
  return true;
}

int NormalDegrees(int degrees) { return ((degrees % 360) + 360) % 360; }

// The interpolated value at `minute` of the cycle E1..E2 on slots of the span / 25
// rounded up.
void Interpolate(EngineMinute minute, int32_t& speed, int16_t& direction) {
  const ReferenceEventWindow& w = CurrentEventWindow();
  const RotaryTable& t = State().table;
  const int64_t span = static_cast<int64_t>(w.e2.time) - w.e1.time;
  const int64_t slotLength = std::max<int64_t>(1, (span + kPoints - 1) / kPoints);
  const int64_t into = static_cast<int64_t>(minute) - w.e1.time;
  const int64_t slot = into / slotLength;
  if (slot >= kPoints || minute == w.e2.time) {
    // The next flood itself is the start of the next cycle. (Its slots, rounded up, would
    // otherwise reach point 0 only after the flood.)
    speed = t.speedHundredthsKnot[0] * 10000;
    direction = static_cast<int16_t>(NormalDegrees(t.directionDegrees[0]));
    return;
  }
  const int ws = static_cast<int>(slot), ns = (ws + 1) % kPoints;
  const int64_t f = (into - slot * slotLength) * 10000 / slotLength;
  const int64_t p = t.speedHundredthsKnot[ws], pn = t.speedHundredthsKnot[ns];
  speed = static_cast<int32_t>(p * 10000 + (pn - p) * f);
  int dd = t.directionDegrees[ns] - t.directionDegrees[ws];
  if (dd > 180) dd -= 360;
  if (dd < -180) dd += 360;
  direction = static_cast<int16_t>(NormalDegrees(t.directionDegrees[ws] + static_cast<int>((dd * f + 5000) / 10000)));
}

// The event time of `slot` in the cycle that starts at `cycleStart` and lasts `span`: slots
// of the span / 25 rounded down.
int64_t SlotTime(EngineMinute cycleStart, int64_t span, int slot) {
  return static_cast<int64_t>(cycleStart) + slot * (span / kPoints);
}

}  // namespace

int LoadRotaryTable(uint16_t stationId) {
  RotaryState& s = State();
  if (s.stationId == stationId && stationId != 0) return 1;
  std::string name = RotaryTableFileName(stationId);
  if (name.empty()) {
    char text[24];
    std::snprintf(text, sizeof text, "RTC%u.dat", static_cast<unsigned>(stationId));
    name = text;
    const std::string path = DataFilePath(name);
    ReportEngineError(kMsgRotaryOpen, FormatString(kMsgRotaryOpen, path.c_str()));
    return -1;
  }
  const std::string path = DataFilePath(name);
  std::vector<uint8_t> bytes;
  if (!ReadFilePrefix(path, kRotaryTableSize, bytes)) {
    ReportEngineError(kMsgRotaryOpen, FormatString(kMsgRotaryOpen, path.c_str()));
    return -1;
  }
  RotaryTable table;
  bool sound = bytes.size() == kRotaryTableSize;
  if (sound) {
    DecodeRotaryTable(bytes.data(), table);
    for (int i = 0; i < kPoints; ++i) {
      sound = sound && table.speedHundredthsKnot[i] >= 0 && table.directionDegrees[i] >= 0 &&
              table.directionDegrees[i] < 360;
    }
  }
  if (!sound) {
    ReportEngineError(kMsgRotaryRead, FormatString(kMsgRotaryRead, path.c_str()));
    return -1;
  }
  s.table = table;
  s.extremes = FindExtremes(table);
  s.stationId = stationId;
  return 1;
}

uint16_t LoadedRotaryStation() { return State().stationId; }

CurrentEvent PredictRotaryCurrent(const CurrentLocation& station, EngineMinute minute, int step) {
  const CurrentEvent failed{0, kValueFailed, minute, kNotGiven16};
  RotaryState& s = State();
  if (s.stationId != station.stationId || station.stationId == 0) {
    if (LoadRotaryTable(station.stationId) <= 0) return failed;
    EmptyCurrentEventWindow();
  }
  if (!FrameMinute(station, minute, step)) return failed;

  ReferenceEventWindow& w = CurrentEventWindow();
  if (step == 0) {
    CurrentEvent value{' ', 0, minute, kNotGiven16};
    Interpolate(minute, value.speed, value.direction);
    return value;
  }

  // The first table extreme after the minute (or the last before it), this cycle or the
  // next (previous) one; the window moves with it.
  const RotaryExtreme* found = nullptr;
  int64_t when = 0;
  const int64_t t = minute;
  auto span = [&] { return static_cast<int64_t>(w.e2.time) - w.e1.time; };
  if (step > 0) {
    for (const RotaryExtreme& e : s.extremes) {
      if (SlotTime(w.e1.time, span(), e.slot) > t) {
        found = &e;
        break;
      }
    }
    if (!found) {
      if (!ShiftForward(station)) return failed;
      found = &s.extremes.front();
    }
  } else {
    for (auto e = s.extremes.rbegin(); e != s.extremes.rend(); ++e) {
      if (SlotTime(w.e1.time, span(), e->slot) < t) {
        found = &*e;
        break;
      }
    }
    if (!found) {
      if (!ShiftBack(station)) return failed;
      found = &s.extremes.back();
    }
  }
  when = SlotTime(w.e1.time, span(), found->slot);
  return CurrentEvent{found->kind, s.table.speedHundredthsKnot[found->slot] * 10000, static_cast<EngineMinute>(when),
                      static_cast<int16_t>(NormalDegrees(s.table.directionDegrees[found->slot]))};
}

void ResetRotaryCurrent() { State() = RotaryState{}; }

}  // namespace qw
