#include "search/event_search.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "engine/calendar.h"
#include "engine/current_events.h"
#include "engine/current_prediction.h"
#include "engine/engine_settings.h"
#include "engine/tide_prediction.h"

namespace qw {
namespace {

int32_t ClampToInt32(double value) {
  if (!(value == value)) return 0;  // NaN
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483647.0) return -2147483647;
  return static_cast<int32_t>(std::trunc(value));
}

bool Defined(int32_t value) { return value != kValueNotDefined; }

int TimeOfDay(EngineMinute minute) { return static_cast<int>(minute % kMinutesPerDay); }

// A value rounded to the nearest tenth of a foot or knot (100,000), halves away from zero.
int32_t RoundToTenth(int32_t value) {
  const int64_t magnitude = (std::llabs(value) + 50000) / 100000 * 100000;
  return static_cast<int32_t>(value < 0 ? -magnitude : magnitude);
}

// One step through the station's events in standard time: step +1 / -1 moves `minute`
// to the next / previous event and returns its value, step 0 returns the value at
// `minute`. `letter` receives the current's event letter ('F', 'E', 'S'; for a value,
// the kind of current at that minute); tide letters are found by the caller from the
// neighbouring values.
int32_t EngineStep(const SearchStation& station, EngineMinute& minute, int step, char& letter) {
  letter = 0;
  if (station.kind == StationKind::Tide) {
    const TideExtreme e = PredictTide(station.tide, minute, step);
    minute = e.time;
    return e.height;
  }
  const CurrentEvent e = PredictCurrent(station.current, minute, step);
  minute = e.time;
  letter = e.kind;
  return e.speed;
}

int32_t ValueAt(const SearchStation& station, EngineMinute minute) {
  char letter = 0;
  return EngineStep(station, minute, 0, letter);
}

// 23:59 of the last day of the period holding `date`, never after `rangeEnd`.
EngineMinute PeriodEnd(int period, const DateRecord& date, EngineMinute rangeEnd) {
  EngineMinute end = rangeEnd;
  switch (period) {
    case kPeriodYear: end = MinuteOf(date.year, 12, 31, 23, 59); break;
    case kPeriodMonth: end = MinuteOf(date.year, date.month, date.daysInMonth, 23, 59); break;
    case kPeriodDay: end = MinuteOf(date.year, date.month, date.day, 23, 59); break;
    default: break;
  }
  return end < rangeEnd ? end : rangeEnd;
}

// The minutes the clock adds to a standard minute to give the time shown then.
int32_t ShownShift(const SearchStation& station, EngineMinute standard) {
  return static_cast<int32_t>(int64_t{station.clock.ShownAt(standard)} - standard);
}

// The candidate of the current event and the best one of the period.
struct Candidate {
  int32_t value = 0;
  EngineMinute start = 0;
  EngineMinute end = 0;
};

// The minutes around an anchor event whose values meet a test, found in steps of ten
// minutes and then refined minute by minute: `first` and `last` are the earliest and the
// latest minute of the unbroken run through `anchor` (inclusive), kept inside
// [lowest, highest] (shown times) and, by the time of day shown, not before `dayStart`
// going back and not after `dayEnd` going forward. While a time-of-day window is on the
// run also stays on the anchor's date, so that it cannot reach round midnight into hours
// outside the window.
template <typename Test>
void ScanRun(const SearchStation& station, EngineMinute anchor, EngineMinute lowest, EngineMinute highest,
             int dayStart, int dayEnd, Test meets, EngineMinute& first, EngineMinute& last) {
  const bool windowOn = dayStart > 0 || dayEnd < static_cast<int>(kMinutesPerDay) - 1;
  auto shown = [&](EngineMinute m) { return station.clock.ShownAt(m); };
  const EngineMinute anchorDay = shown(anchor) / kMinutesPerDay;
  auto usable = [&](EngineMinute m) {
    if (windowOn && shown(m) / kMinutesPerDay != anchorDay) return false;
    const int32_t v = ValueAt(station, m);
    return Defined(v) && v != kValueFailed && meets(v);
  };
  auto backwardOk = [&](EngineMinute m) {
    return shown(m) >= lowest && TimeOfDay(shown(m)) >= dayStart && usable(m);
  };
  auto forwardOk = [&](EngineMinute n) {
    return shown(n) <= highest && TimeOfDay(shown(n)) <= dayEnd && usable(n);
  };
  first = anchor;
  while (first >= 10 && backwardOk(first - 10)) first -= 10;
  while (first >= 1 && backwardOk(first - 1)) first -= 1;
  last = anchor;
  while (forwardOk(last + 10)) last += 10;
  while (forwardOk(last + 1)) last += 1;
}

}  // namespace

int32_t SearchThreshold(double number, int kind, TideUnit tideUnit, CurrentUnit currentUnit) {
  if (kind == kSearchSlackWater) return ClampToInt32(number);
  if (IsCurrentSearchKind(kind)) {
    const double knots = currentUnit == CurrentUnit::MetresPerSecond ? number * 1.9455 : number;
    return ClampToInt32(knots * 1000000.0);
  }
  double feet = number;
  if (tideUnit == TideUnit::Centimetres) feet = number * 0.0328084;
  if (tideUnit == TideUnit::Metres) feet = number * 3.28084;
  return ClampToInt32(feet * 1000000.0);
}

std::optional<EventHit> FindNextEvent(const SearchStation& station, const EventSearchPlan& plan, EngineMinute& resume,
                                      SearchProgress& progress) {
  const int32_t slackLimit = ValueSlackThreshold();
  const int kind = SearchKindOf(plan.code);
  const int condition = SearchConditionOf(plan.code);
  const int period = condition >= kConditionGreatest ? SearchPeriodOf(plan.code) : kPeriodWholeRange;
  const bool valueKind = kind == kSearchTideValues || kind == kSearchCurrentValues;
  const bool swingKind = kind == kSearchTidalSwings || kind == kSearchCurrentSwings;
  const bool keepsBest = condition >= kConditionGreatest;
  // A call that continues after a hit of "greater or equal" or "less or equal" carries
  // the swing chain on from the hit's last event, so that no swing is lost between hits.
  const bool continuesChain =
      swingKind && !keepsBest && resume >= station.clock.StandardAt(plan.rangeStart) && resume != 0;

  bool found = false;
  Candidate result;
  int lastShownDay = -1;
  int32_t daylight = 0;

  for (;;) {  // one pass per period
    if (resume < station.clock.StandardAt(plan.rangeStart)) {
      resume = station.clock.StandardAt(plan.rangeStart / kMinutesPerDay * kMinutesPerDay);
    } else {
      resume += 1;
    }
    int32_t previousEvent = kValueNotDefined;
    int32_t previousSwing = kValueNotDefined;
    EngineMinute previousSwingMinute = 0;
    bool primed = false;
    bool hasBest = false;
    Candidate best;
    DateRecord periodDate;
    MinuteToDate(station.clock.ShownAt(resume) + 1379, periodDate);
    const EngineMinute periodEnd = PeriodEnd(period, periodDate, plan.rangeEnd);

    for (;;) {  // one event
      char letter = 0;
      if (!valueKind && !Defined(previousEvent) && !primed) {
        // The event before the resume minute gives the first event its kind. It is
        // fetched once per period, so that undefined events cannot hold the search.
        primed = true;
        EngineMinute before = resume;
        previousEvent = EngineStep(station, before, -1, letter);
        if (previousEvent == kValueFailed) return std::nullopt;
        if (before < resume) resume = before;
        if (continuesChain && Defined(previousEvent) && (kind != kSearchCurrentSwings || letter != 'S')) {
          previousSwing = RoundToTenth(previousEvent);
          previousSwingMinute = resume;
        }
      }
      const EngineMinute from = resume;
      int32_t value = EngineStep(station, resume, +1, letter);
      if (value == kValueFailed || resume <= from) return std::nullopt;  // failed, or did not advance
      if (station.kind == StationKind::Tide) letter = previousEvent < value ? 'H' : 'L';

      daylight = ShownShift(station, resume);
      if (resume + daylight > periodEnd) {
        resume = station.clock.StandardAt(periodEnd, true);
        break;
      }

      DateRecord date;
      MinuteToDate(resume + daylight, date);
      if (date.day != lastShownDay) {
        lastShownDay = date.day;
        char text[32];
        std::snprintf(text, sizeof text, "%2i/%2i/%4i", date.month, date.day, date.year);
        progress.Status(2, text);
        if (progress.Pump()) {
          if (keepsBest && hasBest) {
            found = true;
            result = best;
          }
          goto done;
        }
      }

      bool rejected = false;
      bool hit = false;
      const EngineMinute shown = resume + daylight;
      DateRecord shownDate;
      MinuteToDate(shown, shownDate);
      if (plan.weekdayMask != kAllWeekdays && (plan.weekdayMask & (1u << shownDate.weekday)) == 0) {
        rejected = true;
      } else if (!Defined(previousEvent) || !Defined(value)) {
        rejected = true;
      } else if (!valueKind && (TimeOfDay(shown) < plan.dayStart || TimeOfDay(shown) > plan.dayEnd)) {
        rejected = true;
      }

      if (!rejected) {
        value = RoundToTenth(value);
        bool test = false;
        Candidate candidate;
        switch (kind) {
          case kSearchHighTides:
          case kSearchLowTides:
          case kSearchFloodCurrents:
          case kSearchEbbCurrents: {
            static constexpr char kLetters[] = {0, 'H', 'L', 0, 0, 0, 0, 0, 'F', 'E'};
            if (letter == kLetters[kind]) {
              test = true;
              candidate = {kind == kSearchEbbCurrents ? std::abs(value) : value, resume, resume};
            }
            break;
          }
          case kSearchTidalSwings:
          case kSearchCurrentSwings:
            if (kind == kSearchCurrentSwings && letter == 'S') break;  // slack waters are passed over
            if (!Defined(previousSwing)) {
              previousSwing = value;
              previousSwingMinute = resume;
              break;
            }
            test = true;
            candidate = {static_cast<int32_t>(std::llabs(int64_t{previousSwing} - value)), previousSwingMinute, resume};
            break;
          case kSearchTideValues:
          case kSearchCurrentValues: {
            auto meets = [&](int32_t v) {
              return condition == kConditionAtLeast ? v >= plan.threshold : v <= plan.threshold;
            };
            if (condition > kConditionAtMost || !meets(value)) break;
            EngineMinute first = 0, last = 0;
            ScanRun(station, resume, plan.rangeStart, periodEnd, plan.dayStart, plan.dayEnd, meets, first, last);
            // Cut the span to the time-of-day window.
            const int32_t firstShift = ShownShift(station, first);
            const int32_t lastShift = ShownShift(station, last);
            if (TimeOfDay(first + firstShift) < plan.dayStart) {
              first = first - static_cast<EngineMinute>(TimeOfDay(first + firstShift)) +
                      static_cast<EngineMinute>(plan.dayStart);
            }
            if (TimeOfDay(last + lastShift) > plan.dayEnd) {
              last = last - static_cast<EngineMinute>(TimeOfDay(last + lastShift)) +
                     static_cast<EngineMinute>(plan.dayEnd);
            }
            if (TimeOfDay(station.clock.ShownAt(first)) < plan.dayEnd &&
                TimeOfDay(station.clock.ShownAt(last)) > plan.dayStart && first <= last) {
              hit = true;
              result = {plan.threshold, first, last};
              resume = last;
            }
            break;
          }
          case kSearchSlackWater: {
            if (letter != 'S') break;
            auto slack = [&](int32_t v) { return std::llabs(v) < slackLimit; };
            EngineMinute first = 0, last = 0;
            ScanRun(station, resume, plan.rangeStart, periodEnd, plan.dayStart, plan.dayEnd, slack, first, last);
            test = true;
            candidate = {static_cast<int32_t>(last - first), first, last};
            break;
          }
          default:
            break;
        }

        if (test) {
          switch (condition) {
            case kConditionAtLeast: hit = candidate.value >= plan.threshold; break;
            case kConditionAtMost: hit = candidate.value <= plan.threshold; break;
            case kConditionGreatest:
              if (!hasBest || candidate.value > best.value) best = candidate, hasBest = true;
              break;
            default:
              if (!hasBest || candidate.value < best.value) best = candidate, hasBest = true;
              break;
          }
          if (hit) result = candidate;
          previousSwing = value;
          previousSwingMinute = resume;
        }
      }

      if (Defined(value)) previousEvent = value;
      if (rejected && (kind == kSearchTidalSwings || (kind == kSearchCurrentSwings && letter != 'S'))) {
        previousSwing = kValueNotDefined;
      }
      if (hit) {
        found = true;
        goto done;
      }
    }

    // The period has ended.
    if (keepsBest && hasBest) {
      found = true;
      result = best;
      goto done;
    }
    if (resume + daylight >= plan.rangeEnd) break;
  }

done:
  if (!found) return std::nullopt;
  EventHit hit;
  const ClockReading start = station.clock.At(result.start);
  const ClockReading end = station.clock.At(result.end);
  hit.start = start.shown;
  hit.end = end.shown;
  hit.startOffset = start.utcOffsetMinutes;
  hit.endOffset = end.utcOffsetMinutes;
  hit.value = result.value;
  return hit;
}

}  // namespace qw
