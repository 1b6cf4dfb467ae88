#include "engine/current_prediction.h"

#include <cstdlib>

#include "engine/current_events.h"
#include "engine/current_harmonics.h"
#include "engine/current_window.h"
#include "engine/engine_settings.h"
#include "engine/engine_values.h"
#include "engine/held_data.h"
#include "engine/report.h"
#include "engine/rotary_current.h"
#include "engine/string_table.h"
#include "engine/time_zone.h"

namespace qw {
namespace {

constexpr int kMsgCurrentInit = 2212;
constexpr int kMsgCurrentLogicError = 2213;
constexpr int kFindDayFailed = -32767;
// The window never needs to move further than this to reach the asked minute; more means
// the corrections or the reference events make no sense.
constexpr int kMaxWindowShifts = 64;
// Searches repeated for a station that steps from one maximum ebb to the next.
constexpr int kMaxEbbSearches = 16;

bool Given(int16_t value) { return value != kNotGiven16; }

void ReportLogicError() { ReportEngineError(kMsgCurrentLogicError, StringText(kMsgCurrentLogicError)); }

// One reference event search; for a station that ebbs most of the time it is repeated
// from each event found until a maximum ebb comes.
bool SearchEvent(const CurrentLocation& station, EngineMinute from, int step, WindowEvent& out) {
  const bool ebbOnly = station.stationKind == kCurrentKindEbbsMostly;
  for (int i = 0; i < kMaxEbbSearches; ++i) {
    const CurrentEvent e = FindReferenceCurrentEvent(station, from, step);
    if (e.speed == kValueFailed) return false;
    out = {e.time, e.speed, e.kind, e.direction};
    if (!ebbOnly || e.kind == 'E') return true;
    from = e.time;
  }
  ReportLogicError();
  return false;
}

bool NeedsEvent(const WindowEvent& e, bool ebbOnly) { return e.time == 0 || (ebbOnly && e.kind != 'E'); }

// The station's flood and ebb directions, each completed from the other when only one is
// given and the station gives both average speeds.
struct StationDirections {
  int16_t flood = kNotGiven16;
  int16_t ebb = kNotGiven16;
};
StationDirections DirectionsOf(const CurrentLocation& s) {
  StationDirections d{s.floodDirection, s.ebbDirection};
  if (d.ebb < 0 && s.floodSpeed > 0 && d.flood >= 0 && s.ebbSpeed >= 0) {
    d.ebb = static_cast<int16_t>((d.flood + 180) % 360);
  } else if (d.flood < 0 && s.ebbSpeed > 0 && d.ebb >= 0 && s.floodSpeed >= 0) {
    d.flood = static_cast<int16_t>((d.ebb + 180) % 360);
  }
  return d;
}

// The station's direction for an event of `kind` followed (or, for the last event,
// preceded) by `neighbourIsEbb`-decided slack rules.
int16_t StationEventDirection(const CurrentLocation& s, const StationDirections& d, char kind, bool slackBeforeEbb) {
  if (kind == 'E') return d.ebb;
  if (kind == 'F') return d.flood;
  return slackBeforeEbb ? s.slackBeforeEbbDirection : s.slackBeforeFloodDirection;
}

// The not-defined rule for an event X followed by Y: the station does not give the time
// correction of X's kind.
bool EventNotDefined(const CurrentLocation& s, char x, char y) {
  if (x == 'E') return !Given(s.ebbTime);
  if (x == 'F') return !Given(s.floodTime);
  if (x == 'S' && y == 'E') return !Given(s.slackBeforeEbbTime);
  if (x == 'S' && y == 'F') return !Given(s.slackBeforeFloodTime);
  return false;
}

// The segment of the current between two (corrected) events that holds the asked minute.
struct Segment {
  EngineMinute startReference = 0, endReference = 0;  // reference times
  int32_t c1 = 0, c2 = 0;                             // corrections added to them
  int16_t r1 = kNotGiven16, r2 = kNotGiven16;         // speed ratios (subordinate)
  int32_t startReferenceSpeed = 0, endReferenceSpeed = 0;
  int16_t startDirection = kNotGiven16, endDirection = kNotGiven16;
  char startKind = ' ', endKind = ' ';

  int64_t Start() const { return static_cast<int64_t>(startReference) + c1; }
  int64_t End() const { return static_cast<int64_t>(endReference) + c2; }
};

// Makes the window's E1 + c1 .. E2 + c2 hold `minute` (strictly after E1 + c1 for step -1,
// strictly before E2 + c2 for step +1). False after the failure was reported.
bool FrameMinute(const CurrentLocation& station, EngineMinute minute, int step,
                 const CurrentCorrections& corrections) {
  ReferenceEventWindow& w = CurrentEventWindow();
  const bool ebbOnly = station.stationKind == kCurrentKindEbbsMostly;
  if (w.e1.time != 0 && (minute < w.e1.time || minute > w.e2.time)) EmptyCurrentEventWindow();

  if (NeedsEvent(w.e1, ebbOnly) && !SearchEvent(station, minute, -1, w.e1)) return false;
  if ((NeedsEvent(w.e2, ebbOnly) || w.e2.time <= w.e1.time) && !SearchEvent(station, w.e1.time, 1, w.e2)) {
    return false;
  }
  if ((NeedsEvent(w.e3, ebbOnly) || w.e3.time <= w.e2.time) && !SearchEvent(station, w.e2.time, 1, w.e3)) {
    return false;
  }

  w.c2 = CorrectionForMiddleEvent(corrections);
  for (int shifts = 0; static_cast<int64_t>(minute) > static_cast<int64_t>(w.e2.time) + w.c2 ||
                       (static_cast<int64_t>(minute) == static_cast<int64_t>(w.e2.time) + w.c2 && step >= 1);
       ++shifts) {
    if (shifts == kMaxWindowShifts) {
      ReportLogicError();
      return false;
    }
    WindowEvent next;
    if (!SearchEvent(station, w.e3.time, 1, next)) return false;
    w.c1 = w.c2;
    w.e1 = w.e2;
    w.e2 = w.e3;
    w.e3 = next;
    w.c2 = CorrectionForMiddleEvent(corrections);
  }

  if (w.c1 == kCorrectionUnknown) w.c1 = CorrectionBeforeClass(ClassifyMiddleEvent(), corrections);
  for (int shifts = 0; static_cast<int64_t>(minute) < static_cast<int64_t>(w.e1.time) + w.c1 ||
                       (static_cast<int64_t>(minute) == static_cast<int64_t>(w.e1.time) + w.c1 && step < 0);
       ++shifts) {
    if (shifts == kMaxWindowShifts) {
      ReportLogicError();
      return false;
    }
    WindowEvent previous;
    if (!SearchEvent(station, w.e1.time, -1, previous)) return false;
    w.e3 = w.e2;
    w.e2 = w.e1;
    w.c2 = w.c1;
    w.e1 = previous;
    w.c1 = CorrectionBeforeClass(ClassifyMiddleEvent(), corrections);
  }

  const int64_t m = static_cast<int64_t>(w.e1.time) + w.c1;
  const int64_t o = static_cast<int64_t>(w.e2.time) + w.c2;
  if (static_cast<int64_t>(minute) < m || static_cast<int64_t>(minute) > o) {
    ReportLogicError();
    return false;
  }
  return true;
}

// The window's events with the station's directions where the station gives them.
void FillWindowDirections(const CurrentLocation& station, bool subordinate) {
  ReferenceEventWindow& w = CurrentEventWindow();
  const StationDirections d = DirectionsOf(station);
  WindowEvent* events[3] = {&w.e1, &w.e2, &w.e3};
  for (int i = 0; i < 3; ++i) {
    WindowEvent& e = *events[i];
    if (e.direction != kNotGiven16 && !subordinate) continue;
    const bool beforeEbb = i < 2 ? events[i + 1]->kind == 'E' : events[i - 1]->kind == 'F';
    e.direction = StationEventDirection(station, d, e.kind, beforeEbb);
  }
}

// The segment E1 .. E2 of the window, narrowed to the part holding `minute` for a station
// with a second (and third) event after its reference's maximum ebb or flood.
Segment BuildSegment(const CurrentLocation& station, bool subordinate, EngineMinute minute, int step) {
  const ReferenceEventWindow& w = CurrentEventWindow();
  Segment g;
  g.startReference = w.e1.time;
  g.endReference = w.e2.time;
  g.c1 = w.c1;
  g.c2 = w.c2;
  g.startReferenceSpeed = w.e1.speedMicroKnots;
  g.endReferenceSpeed = w.e2.speedMicroKnots;
  g.startDirection = w.e1.direction;
  g.endDirection = w.e2.direction;
  g.startKind = w.e1.kind;
  g.endKind = w.e2.kind;
  if (!subordinate) return g;

  int16_t ratio;
  switch (ClassifyMiddleEvent()) {
    case 1: ratio = station.floodSpeedRatio; break;
    case 3: ratio = station.ebbSpeedRatio; break;
    case 2: ratio = w.e1.kind == 'F' ? station.floodSpeedRatio : station.ebbSpeedRatio; break;
    default: ratio = w.e1.kind == 'E' ? station.ebbSpeedRatio : station.floodSpeedRatio; break;
  }
  g.r1 = g.r2 = ratio;

  const int16_t kind = station.stationKind;
  const bool doubleEvent = ((kind == kCurrentKindMayDoubleEbb || kind == kCurrentKindEbbsMostly) && w.e1.kind == 'E') ||
                           (kind == kCurrentKindMayDoubleFlood && w.e1.kind == 'F');
  if (!doubleEvent || !Given(station.secondEventTime)) return g;

  const char eventKind = kind == kCurrentKindMayDoubleFlood ? 'F' : 'E';
  auto before = [&](int64_t t) { return minute < t || (minute == t && step < 0); };
  auto endAt = [&](int16_t time, int16_t ratioField, int16_t direction) {
    g.endReference = w.e1.time;
    g.c2 = time;
    g.r2 = ratioField;
    g.endDirection = direction;
    g.endKind = eventKind;
    g.endReferenceSpeed = w.e1.speedMicroKnots;
  };
  auto startAt = [&](int16_t time, int16_t ratioField, int16_t direction) {
    g.startReference = w.e1.time;
    g.c1 = time;
    g.r1 = ratioField;
    g.startDirection = direction;
    g.startReferenceSpeed = w.e1.speedMicroKnots;
  };
  const int64_t t1 = static_cast<int64_t>(w.e1.time) + station.secondEventTime;
  if (before(t1)) {
    endAt(station.secondEventTime, station.secondEventRatio, station.secondEventDirection);
    return g;
  }
  startAt(station.secondEventTime, station.secondEventRatio, station.secondEventDirection);
  if (Given(station.thirdEventRatio) && Given(station.thirdEventTime)) {
    const int64_t t2 = static_cast<int64_t>(w.e1.time) + station.thirdEventTime;
    if (before(t2)) {
      endAt(station.thirdEventTime, station.thirdEventRatio, station.thirdEventDirection);
    } else {
      startAt(station.thirdEventTime, station.thirdEventRatio, station.thirdEventDirection);
    }
  }
  return g;
}

// The value threshold of the half-cycle E1 .. E2 for a station that gives its minimum
// speeds before ebb or flood (hundredths of a knot).
int32_t HalfCycleThreshold(const CurrentLocation& s, int32_t threshold) {
  const ReferenceEventWindow& w = CurrentEventWindow();
  const char k1 = w.e1.kind, k2 = w.e2.kind;
  if ((k1 == 'F' || (k1 == 'S' && k2 == 'E')) && Given(s.slackBeforeEbbSpeed) && Given(s.slackBeforeEbbDirection)) {
    return s.slackBeforeEbbSpeed * 10000;
  }
  if ((k1 == 'E' || (k1 == 'S' && k2 == 'F')) && Given(s.slackBeforeFloodSpeed) &&
      Given(s.slackBeforeFloodDirection)) {
    return s.slackBeforeFloodSpeed * 10000;
  }
  return threshold;
}

CurrentEvent ValueAt(const CurrentLocation& station, bool subordinate, EngineMinute minute, const Segment& g) {
  const CurrentEvent failed{0, kValueFailed, minute, kNotGiven16};
  const ReferenceEventWindow& w = CurrentEventWindow();
  const int32_t v = subordinate ? SegmentPosition(minute, g.Start(), g.End()) : 0;
  const int32_t ic = subordinate ? InterpolatedCorrection(v, g.c1, g.c2) : 0;
  const bool ebbOnly = station.stationKind == kCurrentKindEbbsMostly;
  const bool needReference = !subordinate || (g.startReferenceSpeed != g.endReferenceSpeed && !ebbOnly);

  int32_t reference = 0;
  int16_t referenceDirection = kNotGiven16;
  if (needReference) {
    const int64_t at = static_cast<int64_t>(minute) - ic;
    if (!InComputableRange(at)) {
      CheckPredictionDate(at < 0 ? 0 : static_cast<EngineMinute>(std::min<int64_t>(at, UINT32_MAX)));
      return failed;
    }
    if (!PrepareReferenceCurrent(station, static_cast<EngineMinute>(at))) return failed;
    const CurrentSample sample = ComputeCurrentSpeed(static_cast<EngineMinute>(at), Settings().mathType);
    if (sample.speed == kValueFailed) return failed;
    reference = sample.speed;
    referenceDirection = sample.direction;
  }

  int32_t speed = reference;
  int16_t direction = referenceDirection;
  if (subordinate) {
    int32_t weight;
    if (needReference) {
      const double share = (static_cast<double>(g.startReferenceSpeed) - reference) /
                           (static_cast<double>(g.startReferenceSpeed) - g.endReferenceSpeed);
      weight = static_cast<int32_t>(std::clamp(share * 100000.0, 0.0, 100000.0));
    } else {
      weight = RaisedCosineWeight(v, CosineTable());
    }
    speed = InterpolateSpeed(ScaleBySpeedRatio(g.startReferenceSpeed, g.r1),
                             ScaleBySpeedRatio(g.endReferenceSpeed, g.r2), weight);
  }

  const int32_t threshold = HalfCycleThreshold(station, ValueSlackThreshold());
  const char kind = speed > threshold ? 'F' : speed < -threshold ? 'E' : 'S';
  if (subordinate || direction == kNotGiven16) {
    const bool running = speed < -threshold || speed >= threshold;
    const bool fromSlack = w.e1.kind == 'S';
    direction = running == fromSlack ? g.endDirection : g.startDirection;
  }

  if (subordinate) {
    const char k1 = w.e1.kind, k2 = w.e2.kind;
    const bool notDefined = (k2 == 'S' && k1 == 'E' && !Given(station.ebbTime)) ||
                            (k2 == 'S' && k1 == 'F' && !Given(station.floodTime)) ||
                            (k2 == 'E' && !Given(station.ebbTime)) || (k2 == 'F' && !Given(station.floodTime));
    if (notDefined) speed = kValueNotDefined;
  }
  return CurrentEvent{kind, speed, minute, direction};
}

}  // namespace

int ClassifyMiddleEvent() {
  const ReferenceEventWindow& w = CurrentEventWindow();
  return ClassifyEventTriple(w.e1.kind, w.e2.kind, w.e3.kind, std::abs(w.e1.speedMicroKnots),
                             std::abs(w.e2.speedMicroKnots), std::abs(w.e3.speedMicroKnots));
}

int32_t CorrectionForMiddleEvent(const CurrentCorrections& corrections) {
  return CorrectionForClass(ClassifyMiddleEvent(), corrections);
}

CurrentEvent PredictCurrent(const CurrentLocation& station, EngineMinute minute, int step) {
  const CurrentEvent failed{0, kValueFailed, minute, kNotGiven16};
  ReferenceEventWindow& w = CurrentEventWindow();
  const char form = Settings().mathType == 'f' || Settings().mathType == 'F' ? 'f' : 'i';
  const bool rotary = station.stationKind == kCurrentKindRotary;
  // A window built for another station kind, reference or form of the sum is of no use.
  // (The rotary window holds floods and follows its own table instead.)
  if (!w.used || w.stationKind != station.stationKind || w.referenceId != station.referenceId ||
      w.mathForm != form || (!rotary && HeldCurrentFileNumber() != station.referenceId)) {
    EmptyCurrentEventWindow();
    w.used = true;
    w.stationKind = station.stationKind;
    w.referenceId = station.referenceId;
    w.mathForm = form;
  }

  if (rotary) return PredictRotaryCurrent(station, minute, step);

  const bool subordinate = IsSubordinateCurrent(station);
  const CurrentCorrections corrections = EffectiveCurrentCorrections(station);
  if (subordinate) EmptyCurrentEventWindow();  // its corrections move with every minute asked

  if (!FrameMinute(station, minute, step, corrections)) return failed;
  FillWindowDirections(station, subordinate);
  const Segment g = BuildSegment(station, subordinate, minute, step);

  if (step == 0) return ValueAt(station, subordinate, minute, g);

  const bool back = step < 0;
  const int64_t time = back ? g.Start() : g.End();
  if (!InComputableRange(time)) {
    CheckPredictionDate(time < 0 ? 0 : static_cast<EngineMinute>(std::min<int64_t>(time, UINT32_MAX)));
    return failed;
  }
  CurrentEvent event{back ? g.startKind : g.endKind, 0, static_cast<EngineMinute>(time),
                     back ? g.startDirection : g.endDirection};
  if (!subordinate) {
    event.speed = back ? w.e1.speedMicroKnots : w.e2.speedMicroKnots;
    return event;
  }
  const WindowEvent& x = back ? w.e1 : w.e2;
  const WindowEvent& y = back ? w.e2 : w.e3;
  event.speed = EventNotDefined(station, x.kind, y.kind)
                    ? kValueNotDefined
                    : (back ? ScaleBySpeedRatio(g.startReferenceSpeed, g.r1) : ScaleBySpeedRatio(g.endReferenceSpeed, g.r2));
  return event;
}

CurrentEvent PredictCurrentShown(const CurrentLocation& station, EngineMinute shown, int step, int dstFlag) {
  const StationZone zone = ZoneOf(station);
  const uint8_t flag = dstFlag != 0 ? 1 : 0;
  CurrentEvent result = PredictCurrent(station, CurrentShownToStandard(shown, zone, flag), step);
  result.time = step == 0 ? shown : CurrentStandardToShown(result.time, zone, flag);
  return result;
}

int FindCurrentDayEvents(const CurrentLocation& station, EngineMinute dayStart, CurrentDayEvents& events,
                         int32_t& maxSpeed, int32_t& minSpeed) {
  events.fill(CurrentEvent{});
  const bool noTimes = !Given(station.floodTime) && !Given(station.ebbTime) && !Given(station.slackBeforeFloodTime) &&
                       !Given(station.slackBeforeEbbTime);
  if (noTimes && station.stationKind != kCurrentKindRotary) return 0;

  const EngineMinute dayEnd = dayStart + kMinutesPerDay - 1;
  DateRecord date;
  MinuteToDate(dayStart, date);
  const int dayFlag = date.dstFlag;
  // The day the clocks go back: the hour before midnight in standard time is the first
  // hour of this day's clock, so its events belong to this day. Only where daylight saving
  // is observed and on in the settings.
  bool afterChangeBack = false;
  if (dayFlag == 0 && dayStart >= 60 && station.observesDst != 0 && Settings().daylightSavings) {
    MinuteToDate(dayStart - 60, date);
    afterChangeBack = date.dstFlag != 0;
  }

  auto failed = [] {
    ReportEngineError(kMsgCurrentInit, StringText(kMsgCurrentInit));
    return kFindDayFailed;
  };

  EmptyCurrentEventWindow();
  const int32_t v0 = PredictCurrentShown(station, dayStart, 0, dayFlag).speed;
  if (v0 == kValueFailed) return failed();

  int kept = 0;
  EngineMinute minute = dayStart >= 60 ? dayStart - 60 : 0;
  while (minute <= dayEnd) {
    const CurrentEvent next = PredictCurrentShown(station, minute, 1, dayFlag);
    if (next.speed == kValueFailed || next.time <= minute) return failed();
    const bool inDay = next.time >= dayStart && next.time <= dayEnd;
    const bool lateHour = next.time < dayStart && dayFlag == 0 && afterChangeBack;
    if (inDay || lateHour) {
      if (kept == kMaxCurrentDayEvents) {
        failed();
        break;
      }
      events[static_cast<size_t>(kept++)] = next;
    }
    minute = next.time;
  }

  const int32_t v1 = PredictCurrentShown(station, dayEnd, 0, dayFlag).speed;
  if (v1 == kValueFailed) return failed();

  maxSpeed = 0;
  minSpeed = 0;
  auto takeIn = [&](int32_t speed) {
    if (speed == kValueNotDefined) return;
    if (speed > maxSpeed) maxSpeed = speed;
    if (speed < minSpeed) minSpeed = speed;
  };
  for (int i = 0; i < kept; ++i) takeIn(events[static_cast<size_t>(i)].speed);
  takeIn(v0);
  takeIn(v1);
  return 0;
}

}  // namespace qw
