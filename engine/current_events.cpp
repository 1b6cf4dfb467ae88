#include "engine/current_events.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/current_harmonics.h"
#include "engine/engine_settings.h"
#include "engine/engine_values.h"
#include "engine/extremes_cache.h"
#include "engine/report.h"
#include "engine/string_table.h"
#include "engine/time_adjust.h"

namespace qw {
namespace {

constexpr int kMsgCurrentLogicError = 2213;
constexpr int kFirstStride = 32;
// A search that meets no event for this long is not looking at a tidal current.
constexpr int64_t kSearchLimitMinutes = 40LL * kMinutesPerDay;

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

bool InHeldYear(const CurrentLocation& station, int64_t t) {
  DateRecord date;
  MinuteToDate(static_cast<EngineMinute>(t), date);
  return CurrentYearReady(station.referenceId, date.year);
}

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

int32_t FindReferenceCurrentEvent(const CurrentLocation& station, EngineMinute& minute, int step, int dstFlag,
                                  char& kind, int16_t& direction) {
  if (!PrepareReferenceCurrent(station, minute)) return kValueFailed;
  const char form = Settings().mathType;
  if (step == 0) {
    kind = ' ';
    return ComputeCurrentSpeed(station, minute, form, dstFlag, direction);
  }

  const int s = step > 0 ? 1 : -1;
  const uint16_t record = station.referenceId;
  const int32_t gmtShift = GmtShiftMinutes(station.timeMeridian);
  const int32_t threshold = EventSlackThreshold();
  CachedExtreme cached;
  if (FindCache(record, minute, s, cached, dstFlag, gmtShift)) {
    minute = cached.time;
    kind = LabelForThreshold(cached.kind, cached.value, threshold);
    direction = cached.flag;
    return cached.value;
  }

  // Three samples in the direction of travel. The first window is centred on the start,
  // so an event within a stride of it is not stepped over; an event found at or behind the
  // start is the previous one, and the search goes on from it.
  const int64_t start = minute;
  Sample samples[3];
  Classifier classifier;
  bool filled = false;
  int k = 0;
  int stride = kFirstStride;
  int64_t t = start - static_cast<int64_t>(stride) * s;
  char stored = ' ';
  for (;;) {
    if (t < static_cast<int64_t>(FirstSupportedMinute()) || t > static_cast<int64_t>(LastSupportedMinute())) {
      CheckPredictionDate(t < 0 ? 0 : static_cast<EngineMinute>(std::min<int64_t>(t, UINT32_MAX)));
      return kValueFailed;
    }
    if (std::llabs(t - start) > kSearchLimitMinutes) {
      ReportEngineError(kMsgCurrentLogicError, StringText(kMsgCurrentLogicError));
      return kValueFailed;
    }
    if (!InHeldYear(station, t) && !PrepareReferenceCurrent(station, static_cast<EngineMinute>(t))) {
      return kValueFailed;
    }
    Sample& sample = samples[k];
    sample.time = t;
    sample.speed = ComputeCurrentSpeed(station, static_cast<EngineMinute>(t), form, dstFlag, sample.direction);
    if (sample.speed == kValueFailed) return kValueFailed;
    sample.magnitude = std::abs(sample.speed);
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
        stored = slack ? 'S' : (e.speed > 0 ? 'F' : 'E');
        const bool beyondStart = s > 0 ? e.time > start : e.time < start;
        if (beyondStart) break;
        // The event is at or behind the start: the one wanted is the next from it.
        samples[0] = e;
        classifier = Classifier{};
        stride = kFirstStride;
        filled = false;
        k = 1;
        t = samples[0].time;
      }
    }
    t += static_cast<int64_t>(stride) * s;
  }

  const Sample& e = samples[1];
  minute = static_cast<EngineMinute>(e.time);
  kind = LabelForThreshold(stored, e.speed, threshold);
  direction = e.direction;
  AddCache(record, static_cast<EngineMinute>(start), s, {minute, e.speed, stored, e.direction}, dstFlag, gmtShift);
  return e.speed;
}

}  // namespace qw
