#include "engine/civil_days.h"

#include <algorithm>
#include <optional>

#include "engine/current_prediction.h"
#include "engine/current_window.h"
#include "engine/engine_values.h"
#include "engine/report.h"
#include "engine/string_table.h"
#include "engine/tide_prediction.h"

namespace qw {
namespace {

constexpr int kMsgTideDay = 2410;
constexpr int kMsgCurrentDay = 2212;
constexpr int kTideDayFailed = -1;
constexpr int kCurrentDayFailed = -32767;
constexpr size_t kMaxTideCandidates = 16;

bool GivesNoTimes(const CurrentLocation& s) {
  return s.floodTime == kNotGiven16 && s.ebbTime == kNotGiven16 && s.slackBeforeFloodTime == kNotGiven16 &&
         s.slackBeforeEbbTime == kNotGiven16;
}

// The minute before `start` from which a search for the events at or after it begins.
EngineMinute Before(EngineMinute start) { return start > 0 ? start - 1 : 0; }

}  // namespace

TideDayList FindTideDay(const TideLocation& station, const StationClock& clock, EngineMinute date) {
  TideDayList day;
  day.span = clock.Day(date);
  auto fail = [&] {
    ReportEngineError(kMsgTideDay, StringText(kMsgTideDay));
    day.status = kTideDayFailed;
    return day;
  };
  if (day.span.Minutes() == 0) return day;  // a date the zone skipped
  const EngineMinute start = day.span.standardStart;
  const EngineMinute end = day.span.standardEnd;

  ResetTidePrediction();
  const int32_t h0 = PredictTide(station, start, 0).height;
  if (h0 == kValueFailed) return fail();

  std::vector<TideCandidate> candidates;
  bool overflow = false;
  for (EngineMinute t = Before(start);;) {
    const TideExtreme e = PredictTide(station, t, +1);
    if (e.height == kValueFailed || e.time <= t) return fail();
    if (e.time >= end) break;
    if (e.time >= start) {
      if (candidates.size() == kMaxTideCandidates) {
        overflow = true;
        break;
      }
      candidates.push_back({e.height, e.time});
    }
    t = e.time;
  }
  const int32_t hEnd = PredictTide(station, end - 1, 0).height;
  if (hEnd == kValueFailed) return fail();

  const CleanedTideDay cleaned = CleanDayExtremes(std::move(candidates), h0, hEnd, -station.datumMicroFeet);
  for (const TideExtreme& e : cleaned.extremes) {
    if (e.time == 0) break;
    day.events.push_back({e.kind, e.height, clock.At(e.time)});
  }
  day.maximum = cleaned.maximum;
  day.minimum = cleaned.minimum;
  if (overflow) fail();
  return day;
}

CurrentDayList FindCurrentDay(const CurrentLocation& station, const StationClock& clock, EngineMinute date) {
  CurrentDayList day;
  day.span = clock.Day(date);
  auto fail = [&] {
    ReportEngineError(kMsgCurrentDay, StringText(kMsgCurrentDay));
    day.status = kCurrentDayFailed;
    return day;
  };
  if (GivesNoTimes(station) && station.stationKind != kCurrentKindRotary) return day;
  if (day.span.Minutes() == 0) return day;
  const EngineMinute start = day.span.standardStart;
  const EngineMinute end = day.span.standardEnd;

  EmptyCurrentEventWindow();
  const int32_t v0 = PredictCurrent(station, start, 0).speed;
  if (v0 == kValueFailed) return fail();

  for (EngineMinute t = Before(start);;) {
    const CurrentEvent e = PredictCurrent(station, t, +1);
    if (e.speed == kValueFailed || e.time <= t) return fail();
    if (e.time >= end) break;
    if (e.time >= start) {
      if (day.events.size() == static_cast<size_t>(kMaxCurrentDayEvents)) {
        fail();
        break;
      }
      day.events.push_back({e.kind, e.speed, e.direction, clock.At(e.time)});
    }
    t = e.time;
  }
  const int32_t v1 = PredictCurrent(station, end - 1, 0).speed;
  if (v1 == kValueFailed) return fail();

  auto takeIn = [&](int32_t speed) {
    if (speed == kValueNotDefined) return;
    day.maxSpeed = std::max(day.maxSpeed, speed);
    day.minSpeed = std::min(day.minSpeed, speed);
  };
  for (const ShownCurrentEvent& e : day.events) takeIn(e.speed);
  takeIn(v0);
  takeIn(v1);
  return day;
}

namespace {

EngineMinute StepOf(int stepMinutes) {
  return static_cast<EngineMinute>(std::clamp(stepMinutes, 1, static_cast<int>(kMinutesPerDay)));
}

// The rows of a date every `stepMinutes` minutes of elapsed time from its first instant:
// `value(t)` gives a row or nothing after a failure, which ends the rows with status -1.
template <typename Rows, typename Value>
Rows StepThroughDate(const StationClock& clock, EngineMinute date, int stepMinutes, Value value) {
  Rows day;
  day.span = clock.Day(date);
  const EngineMinute step = StepOf(stepMinutes);
  day.rows.reserve((day.span.standardEnd - day.span.standardStart + step - 1) / step);
  for (EngineMinute t = day.span.standardStart; t < day.span.standardEnd; t += step) {
    const auto row = value(t);
    if (!row) {
      day.status = -1;
      break;
    }
    day.rows.push_back(*row);
  }
  return day;
}

}  // namespace

TideDayHeights FindTideDayHeights(const TideLocation& station, const StationClock& clock, EngineMinute date,
                                  int stepMinutes) {
  TideDayHeights day;
  day.span = clock.Day(date);
  const EngineMinute step = StepOf(stepMinutes);
  const size_t count = (day.span.standardEnd - day.span.standardStart + step - 1) / step;
  std::vector<int32_t> heights(count);
  PredictTideHeights(station, day.span.standardStart, step, count, heights.data());
  day.rows.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    if (heights[i] == kValueFailed) {
      day.status = -1;
      break;
    }
    day.rows.push_back({heights[i], clock.At(day.span.standardStart + static_cast<EngineMinute>(i) * step)});
  }
  return day;
}

CurrentDaySpeeds FindCurrentDaySpeeds(const CurrentLocation& station, const StationClock& clock, EngineMinute date,
                                      int stepMinutes) {
  return StepThroughDate<CurrentDaySpeeds>(
      clock, date, stepMinutes, [&](EngineMinute t) -> std::optional<ShownCurrentValue> {
        const CurrentEvent value = PredictCurrent(station, t, 0);
        if (value.speed == kValueFailed) return std::nullopt;
        return ShownCurrentValue{value.kind, value.speed, value.direction, clock.At(t)};
      });
}

}  // namespace qw
