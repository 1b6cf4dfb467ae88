#include "engine/current_events.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "engine/current_harmonics.h"
#include "engine/engine_settings.h"
#include "engine/engine_values.h"
#include "engine/extremes_cache.h"
#include "engine/report.h"
#include "engine/string_table.h"

namespace qw {
namespace {

constexpr int kMsgCurrentLogicError = 2213;
constexpr int kFirstStride = 32;
// A search that meets no event for this long is not looking at a tidal current.
constexpr int64_t kSearchLimitMinutes = 40LL * kMinutesPerDay;
// Two slacks further apart than this are not searched minute by minute for the maximum
// between them.
constexpr int64_t kMaxExtremumScanMinutes = 720;

struct Sample {
  int64_t time = 0;
  int32_t speed = 0;
  int32_t magnitude = 0;
  int16_t direction = 0;
};

// The event kind stored in the cache: 'S' for a minimum of the magnitude found as a slack
// (whatever its speed: the event threshold is applied when the event is handed out, so a
// change of the slack setting applies to cached events too), else 'F' or 'E' by sign.
char LabelForThreshold(char stored, int32_t speed, int32_t threshold) {
  if (stored == 'S' && std::abs(static_cast<int64_t>(speed)) <= threshold) return 'S';
  return speed > 0 ? 'F' : 'E';
}

// The plain classification of the middle of three samples.
char PlainKind(const Sample* s) {
  if (s[0].speed >= s[1].speed && s[1].speed <= s[2].speed) return 'E';
  if (s[0].speed <= s[1].speed && s[1].speed >= s[2].speed) return 'F';
  if (s[0].magnitude >= s[1].magnitude && s[2].magnitude >= s[1].magnitude) return 'S';
  return ' ';
}

// The search's classification of the middle sample, with its memory of having seen the
// current falling towards a slack.
struct Classifier {
  bool slackSeen = false;
  char working = ' ';

  char Classify(const Sample* s, int stride) {
    const bool magnitudeMinimum = s[0].magnitude >= s[1].magnitude && s[2].magnitude >= s[1].magnitude;
    char kind;
    if (slackSeen && (working == 'S' || working == ' ')) {
      if (magnitudeMinimum) {
        kind = 'S';
      } else if (stride >= 5) {
        kind = PlainKind(s);
        slackSeen = kind == ' ' || kind == 'S';
      } else {
        kind = ' ';
      }
    } else {
      kind = PlainKind(s);
      if (kind == ' ' && s[0].magnitude >= s[1].magnitude && s[1].magnitude >= s[2].magnitude) kind = 'S';
      slackSeen = slackSeen || kind == 'S';
    }
    working = kind;
    return kind;
  }
};

// One event as found: its sample and the kind stored in the cache.
struct FoundEvent {
  Sample sample;
  char stored = ' ';
};

int Sign(int32_t speed) { return speed > 0 ? 1 : speed < 0 ? -1 : 0; }

// The search for the next (s = +1) or previous (s = -1) event from `start` at one station.
class EventSearch {
 public:
  EventSearch(const CurrentLocation& station, int64_t start, int s)
      : station_(station), start_(start), s_(s), form_(Settings().mathType) {}

  // The event strictly beyond the start; false after a failure was reported.
  bool Run(FoundEvent& out) {
    // The first window is centred on the start, so an event within a stride of it is not
    // stepped over. An event found at or behind the start is passed, and the search goes
    // on from it.
    bool centred = true;
    FoundEvent origin;
    origin.sample.time = start_;
    for (;;) {
      FoundEvent e;
      bool found = false;
      if (!centred && !CrossingAfter(origin, e, found)) return false;
      if (!found && !Scan(origin.sample.time, centred, e)) return false;
      // Two minima of the magnitude in a row have a maximum between them that the
      // sampling stepped over: a reversal shorter than the stride.
      if (!centred && origin.stored == 'S' && e.stored == 'S' && !ExtremumBetween(origin.sample, e)) return false;
      if (Beyond(e.sample.time)) {
        out = e;
        return true;
      }
      origin = e;
      centred = false;
    }
  }

 private:
  bool Beyond(int64_t t) const { return s_ > 0 ? t > start_ : t < start_; }

  bool SampleAt(int64_t t, Sample& out) {
    if (!InComputableRange(t)) {
      CheckPredictionDate(t < 0 ? 0 : static_cast<EngineMinute>(std::min<int64_t>(t, UINT32_MAX)));
      return false;
    }
    if (std::llabs(t - start_) > kSearchLimitMinutes) {
      ReportEngineError(kMsgCurrentLogicError, StringText(kMsgCurrentLogicError));
      return false;
    }
    DateRecord date;
    MinuteToDate(static_cast<EngineMinute>(t), date);
    if (!CurrentYearReady(station_.referenceId, date.year) &&
        PrepareCurrentYear(station_.referenceId, date.year) <= 0) {
      return false;
    }
    const CurrentSample sample = ComputeCurrentSpeed(static_cast<EngineMinute>(t), form_);
    out.time = t;
    out.speed = sample.speed;
    out.direction = sample.direction;
    out.magnitude = std::abs(out.speed);
    return out.speed != kValueFailed;
  }

  // From an event: when the current has changed sign one stride later, the slack of that
  // turn comes first. (After a slack the sign is taken a minute later, on the side of the
  // turn that slack belongs to.) The sign change is narrowed down by halving; the slack is
  // the minute beside it with the smaller speed (never the event itself).
  bool CrossingAfter(const FoundEvent& origin, FoundEvent& out, bool& found) {
    found = false;
    Sample near = origin.sample;
    if ((origin.stored == 'S' || origin.sample.speed == 0) && !SampleAt(origin.sample.time + s_, near)) return false;
    Sample far;
    if (!SampleAt(origin.sample.time + kFirstStride * s_, far)) return false;
    if (Sign(near.speed) * Sign(far.speed) >= 0) return true;
    while (std::llabs(far.time - near.time) > 1) {
      Sample middle;
      if (!SampleAt(near.time + (far.time - near.time) / 2, middle)) return false;
      if (Sign(middle.speed) == Sign(near.speed)) {
        near = middle;
      } else {
        far = middle;
      }
    }
    out.sample = (near.time != origin.sample.time && near.magnitude <= far.magnitude) ? near : far;
    out.stored = 'S';
    found = true;
    return true;
  }

  // Between two minima of the magnitude: the strongest current of the minutes between
  // them, when it is stronger than both, replaces `later` as the next event.
  bool ExtremumBetween(const Sample& earlier, FoundEvent& later) {
    const int64_t span = std::llabs(later.sample.time - earlier.time);
    if (span < 2 || span > kMaxExtremumScanMinutes) return true;
    Sample best = earlier;
    for (int64_t t = earlier.time + s_; t != later.sample.time; t += s_) {
      Sample x;
      if (!SampleAt(t, x)) return false;
      if (x.magnitude > best.magnitude) best = x;
    }
    if (best.magnitude > later.sample.magnitude && best.time != earlier.time) {
      later.sample = best;
      later.stored = best.speed > 0 ? 'F' : 'E';
    }
    return true;
  }

  // Three samples in the direction of travel at a stride of 32 minutes, halved down to one
  // minute around each event seen. The window starts at `origin`, or a stride before it
  // when `centred`.
  bool Scan(int64_t origin, bool centred, FoundEvent& out) {
    Sample samples[3];
    Classifier classifier;
    bool filled = false;
    int k = 0;
    int stride = kFirstStride;
    int64_t t = centred ? origin - static_cast<int64_t>(stride) * s_ : origin;
    for (;;) {
      if (!SampleAt(t, samples[k])) return false;
      ++k;
      if (k == 3) filled = true;
      if (filled) {
        const char found = classifier.Classify(samples, stride);
        if (found == ' ') {
          samples[0] = samples[1];
          samples[1] = samples[2];
          k = 2;
          t = samples[1].time;
        } else if (stride > 1) {
          // A finer look at the first half; an event in the second half is reached by the
          // windows that slide on from there.
          stride /= 2;
          samples[2] = samples[1];
          k = 1;
          t = samples[0].time;
        } else {
          const Sample& e = samples[1];
          const bool slack = classifier.working == 'S' &&
                             (e.magnitude < samples[0].magnitude || e.magnitude < samples[2].magnitude);
          out.sample = e;
          out.stored = slack ? 'S' : (e.speed > 0 ? 'F' : 'E');
          return true;
        }
      }
      t += static_cast<int64_t>(stride) * s_;
    }
  }

  const CurrentLocation& station_;
  const int64_t start_;
  const int s_;
  const char form_;
};

}  // namespace

int32_t ValueSlackThreshold() {
  const EngineSettings& s = Settings();
  if (!s.useUserSlack) return 100000;
  return static_cast<int32_t>(std::trunc(s.userSlackValue * 1000000.0));
}

int32_t EventSlackThreshold() {
  const EngineSettings& s = Settings();
  if (!s.useUserSlack) return 300000;
  return std::max<int32_t>(300000, static_cast<int32_t>(std::trunc(s.userSlackValue * 1000000.0)));
}

bool PrepareReferenceCurrent(const CurrentLocation& station, EngineMinute minute) {
  DateRecord date;
  MinuteToDate(minute, date);
  if (CurrentYearReady(station.referenceId, date.year)) return true;
  return PrepareCurrentYear(station.referenceId, date.year) > 0;
}

CurrentEvent FindReferenceCurrentEvent(const CurrentLocation& station, EngineMinute minute, int step) {
  const CurrentEvent failed{0, kValueFailed, minute, kNotGiven16};
  if (!PrepareReferenceCurrent(station, minute)) return failed;
  const char form = Settings().mathType;
  if (step == 0) {
    const CurrentSample sample = ComputeCurrentSpeed(minute, form);
    return CurrentEvent{' ', sample.speed, minute, sample.direction};
  }

  const int s = step > 0 ? 1 : -1;
  const uint16_t record = station.referenceId;
  const int32_t threshold = EventSlackThreshold();
  if (const std::optional<CachedExtreme> cached = FindCache(record, minute, s)) {
    return CurrentEvent{LabelForThreshold(cached->kind, cached->value, threshold), cached->value, cached->time,
                        cached->flag};
  }

  FoundEvent e;
  if (!EventSearch(station, minute, s).Run(e)) return failed;
  const CurrentEvent found{LabelForThreshold(e.stored, e.sample.speed, threshold), e.sample.speed,
                           static_cast<EngineMinute>(e.sample.time), e.sample.direction};
  AddCache(record, minute, s, {found.time, found.speed, e.stored, found.direction});
  return found;
}

}  // namespace qw
