#include "engine/tide_height.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

#include "engine/engine_settings.h"
#include "engine/engine_values.h"
#include "engine/extremes_cache.h"
#include "engine/floating_tide_sum.h"
#include "engine/held_data.h"
#include "engine/integer_cosine.h"
#include "engine/minute_cache.h"
#include "engine/report.h"
#include "engine/string_table.h"

namespace qw {
namespace {

constexpr int kMsgTideLogicError = 2411;

// A search that has not met a turn of the tide after this many minutes is not looking at
// a tide (a station of constant or ever-equal heights) and gives up.
constexpr int64_t kSearchLimitMinutes = 400LL * kMinutesPerDay;
constexpr int kFirstStride = 64;

// The integer form's terms in flat arrays, with the cosine table unfolded to the whole
// circle; rebuilt whenever the held data changes.
constexpr size_t kLaneBlock = 8;

struct IntegerTerms {
  uint64_t generation = UINT64_MAX;
  size_t termCount = 0;  // the prepared terms; the arrays are padded to kLaneBlock
  std::vector<int32_t> whole, frac5, frac3, steps, steps5, ampWhole, ampMilli;
  std::vector<int32_t> circle = std::vector<int32_t>(kFullCircleEntries);
  int64_t yearStart = 0;   // of the held year
  int32_t meanLevel = 0;   // Z0 of the held record
};

// The floating form's minute cache fills a stretch of a day by a rotation run once
// minutes are asked one after another: at most this many minutes at a time.
constexpr size_t kRunFillMinutes = kRunReseedMinutes;

struct TideHeightState {
  uint64_t sums = 0;
  IntegerTerms terms;
  // The minute the floating form last summed for the cache, and the held data it used: a
  // miss at the minute after it starts a run.
  int64_t lastSummed = INT64_MIN;
  uint64_t lastGeneration = UINT64_MAX;
};

TideHeightState& State() {
  static TideHeightState state;
  return state;
}

IntegerTerms& Terms() {
  IntegerTerms& terms = State().terms;
  const uint64_t generation = HeldDataGeneration();
  if (terms.generation != generation) {
    const SpeedTable& speeds = *ConstituentSpeeds();
    terms = IntegerTerms{};
    for (const PreparedConstituent& c : PreparedConstituents()) {
      terms.whole.push_back(speeds.stepsWhole[c.index]);
      terms.frac5.push_back(speeds.stepsFrac5[c.index]);
      terms.frac3.push_back(speeds.stepsFrac3[c.index]);
      terms.steps.push_back(c.phaseSteps);
      terms.steps5.push_back(c.phaseSteps5);
      terms.ampWhole.push_back(c.amplitudeWhole);
      terms.ampMilli.push_back(c.amplitudeMilli);
    }
    // Zero-amplitude padding to whole vector widths adds exactly nothing to the sum and
    // spares the vector loop its scalar tail.
    terms.termCount = terms.whole.size();
    for (auto* column : {&terms.whole, &terms.frac5, &terms.frac3, &terms.steps, &terms.steps5,
                         &terms.ampWhole, &terms.ampMilli}) {
      column->resize((column->size() + kLaneBlock - 1) / kLaneBlock * kLaneBlock, 0);
    }
    UnfoldCosineTable(CosineTable(), terms.circle.data());
    terms.yearStart = HeldYearStart();
    terms.meanLevel = HeldMeanLevelMicroFeet();
    terms.generation = generation;
  }
  return terms;
}

// The terms of the integer form at one time, in the 32-bit arithmetic the form is
// defined in. The caller guarantees |hours| <= kNarrowHours, which with the bounds the
// loaders enforce (steps per hour <= 8192, fractions < 100,000, |f H| <= 2000 ft) keeps
// every product and sum inside 32 bits, so the loop can run on vector lanes; the result is
// the same as the 64-bit TermCosine's (the integer_cosine tests hold the two together).
constexpr int64_t kNarrowHours = 10000;

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
__attribute__((target_clones("avx2", "default")))
#endif
int64_t NarrowTermsSum(const IntegerTerms& t, int32_t hours, int32_t fraction, int32_t hundredths) {
  const int32_t* circle = t.circle.data();
  const int32_t* whole = t.whole.data();
  const int32_t* frac5 = t.frac5.data();
  const int32_t* frac3 = t.frac3.data();
  const int32_t* steps = t.steps.data();
  const int32_t* steps5 = t.steps5.data();
  const int32_t* ampWhole = t.ampWhole.data();
  const int32_t* ampMilli = t.ampMilli.data();
  const size_t n = t.whole.size() / kLaneBlock * kLaneBlock;  // always whole blocks
  // |f H| summed over the terms is at most 2000 ft, so any partial sum of the terms fits
  // in 32 bits too.
  int32_t sum = 0;
  for (size_t i = 0; i < n; ++i) {
    const int32_t w = whole[i] * fraction + frac5[i] * hours + frac3[i] * hundredths + steps5[i];
    const int32_t q = w / 100000;
    const auto index = static_cast<uint32_t>(whole[i] * hours + q + steps[i]) % kCosineCircleSteps;
    const int32_t value0 = circle[index];
    const int32_t slope = value0 - circle[index + 1];
    const int32_t value = value0 - (slope * (w - q * 100000)) / 100000;
    sum += (value * ampMilli[i]) / 1000 + value * ampWhole[i];
  }
  return sum;
}

// The integer form: each term's cosine from the cosine table (integer_cosine.h), times
// the amplitude in whole feet and thousandths.
int32_t IntegerSum(int64_t adjusted) {
  const IntegerTerms& t = Terms();
  const HourParts time = SplitHours(adjusted - t.yearStart);
  int64_t sum = t.meanLevel;
  if (std::llabs(time.hours) <= kNarrowHours) {
    sum += NarrowTermsSum(t, static_cast<int32_t>(time.hours), static_cast<int32_t>(time.fraction),
                          static_cast<int32_t>(time.hundredths));
    return ToHeightMicroFeet(sum);
  }
  for (size_t i = 0; i < t.termCount; ++i) {
    const int64_t value = TermCosine(t.circle.data(), t.whole[i], t.frac5[i], t.frac3[i], t.steps[i], t.steps5[i], time);
    sum += (value * t.ampMilli[i]) / 1000 + value * t.ampWhole[i];
  }
  return ToHeightMicroFeet(sum);
}

// Loads the station's record and the year of `minute`.
bool LoadFor(const TideLocation& station, EngineMinute minute) {
  DateRecord date;
  MinuteToDate(minute, date);
  return LoadTideHarmonics(station.referenceId, date.year, date.month) > 0;
}

bool NeedsLoad(const TideLocation& station, int64_t minute) {
  return !TideHarmonicsReady() || LoadedStationNumber() != station.referenceId ||
         minute < static_cast<int64_t>(HeldYearStart()) || minute > static_cast<int64_t>(HeldYearEnd());
}

}  // namespace

int32_t ComputeTideHeight(EngineMinute minute, char mathForm) {
  if (!TideHarmonicsReady()) {
    ReportEngineError(kMsgTideLogicError, StringText(kMsgTideLogicError));
    return kValueFailed;
  }
  const uint16_t record = LoadedStationNumber();
  const int64_t adjusted = minute;
  const char form = (mathForm == 'f' || mathForm == 'F') ? 'f' : 'i';

  const int64_t day = minute / kMinutesPerDay;  // minutes are never negative
  const auto slot = static_cast<size_t>(minute % kMinutesPerDay);
  MinuteCache* cache = MinuteCacheFor(record, day, form);
  if (cache && cache->value[slot] != kMinuteNotComputed) return cache->value[slot];

  TideHeightState& state = State();
  if (form == 'f' && cache && adjusted == state.lastSummed + 1 && state.lastGeneration == HeldDataGeneration()) {
    // The minute before was summed just now: a graph, a table or an export walks the
    // day. The run covers the minutes not computed yet from here on, within the day (so
    // within the held year, which starts at a day's start) and kRunFillMinutes.
    size_t end = slot + 1;
    while (end < kMinutesPerDay && end - slot < kRunFillMinutes && cache->value[end] == kMinuteNotComputed) ++end;
    FloatingTideRun(adjusted, end - slot, &cache->value[slot]);
    state.sums += end - slot;
    state.lastSummed = adjusted + static_cast<int64_t>(end - slot) - 1;
    return cache->value[slot];
  }

  ++state.sums;
  const int32_t height = form == 'f' ? FloatingTideSum(adjusted) : IntegerSum(adjusted);
  if (cache) cache->value[slot] = height;
  if (form == 'f') {
    state.lastSummed = adjusted;
    state.lastGeneration = HeldDataGeneration();
  }
  return height;
}

void PredictReferenceHeights(const TideLocation& station, EngineMinute first, EngineMinute step, size_t count,
                             int32_t* out) {
  const char form = Settings().mathType;
  for (size_t i = 0; i < count; ++i) {
    const EngineMinute t = first + static_cast<EngineMinute>(i) * step;
    const int32_t height = NeedsLoad(station, t) && !LoadFor(station, t) ? kValueFailed : ComputeTideHeight(t, form);
    out[i] = height;
    if (height == kValueFailed) {
      std::fill(out + i, out + count, kValueFailed);
      return;
    }
  }
}

int32_t HarmonicSumAt(int64_t adjustedMinute, char mathForm) {
  if (!TideHarmonicsReady()) {
    ReportEngineError(kMsgTideLogicError, StringText(kMsgTideLogicError));
    return kValueFailed;
  }
  return (mathForm == 'f' || mathForm == 'F') ? FloatingTideSum(adjustedMinute) : IntegerSum(adjustedMinute);
}

int32_t LibraryCosineSumAt(int64_t adjustedMinute) { return LibraryFloatingTideSum(adjustedMinute); }

TideExtreme PredictReferenceTide(const TideLocation& station, EngineMinute minute, int step) {
  const TideExtreme failed{0, kValueFailed, minute};
  if (NeedsLoad(station, minute) && !LoadFor(station, minute)) return failed;
  const char form = Settings().mathType;
  if (step == 0) return TideExtreme{0, ComputeTideHeight(minute, form), minute};

  const int s = step > 0 ? 1 : -1;
  const uint16_t record = station.referenceId;
  const int64_t start = minute;
  if (const std::optional<CachedExtreme> cached = FindCache(record, minute, s)) {
    return TideExtreme{cached->kind, cached->value, cached->time};
  }

  // Three samples T0, T1, T2 (in the direction of travel) at a stride that starts at 64
  // minutes and halves each time the middle one is a turn, down to one minute. A turn
  // whose middle sample equals the sample after it (before it, going back) is not taken:
  // the window slides on until the heights differ, so a run of equal minutes counts as one
  // turn at its last minute either way. The first window is centred on the start, so a
  // turn within half a stride of it is not stepped over; a turn found at or behind the
  // start is the previous one, and the search goes on from it.
  int64_t T[3] = {0, 0, 0};
  int32_t V[3] = {0, 0, 0};
  bool filled = false;
  int k = 0;
  int stride = kFirstStride;
  int64_t t = start - static_cast<int64_t>(stride) * s;
  char kind = ' ';
  for (;;) {
    if (t < 0 || t > static_cast<int64_t>(UINT32_MAX)) {
      CheckPredictionDate(t < 0 ? 0 : UINT32_MAX);  // reports the supported range
      return failed;
    }
    if (std::llabs(t - start) > kSearchLimitMinutes) {
      ReportEngineError(kMsgTideLogicError, StringText(kMsgTideLogicError));
      return failed;
    }
    if (t < static_cast<int64_t>(HeldYearStart()) || t > static_cast<int64_t>(HeldYearEnd()) ||
        !TideHarmonicsReady()) {
      if (!LoadFor(station, static_cast<EngineMinute>(t))) return failed;
    }
    T[k] = t;
    V[k] = ComputeTideHeight(static_cast<EngineMinute>(t), form);
    if (V[k] == kValueFailed) return failed;
    ++k;
    if (k == 3) filled = true;

    if (filled) {
      kind = (V[0] >= V[1] && V[1] <= V[2]) ? 'L' : (V[0] <= V[1] && V[1] >= V[2]) ? 'H' : ' ';
      const bool turn = kind != ' ' && (s > 0 ? V[1] != V[2] : V[1] != V[0]);
      if (turn && stride == 1) {
        const bool beyondStart = s > 0 ? T[1] > start : T[1] < start;
        if (beyondStart) {
          t = T[1];
          break;
        }
        // The turn found is at or behind the start: the wanted one is the next from it.
        stride = kFirstStride;
        T[0] = T[1];
        V[0] = V[1];
        t = T[0];
        k = 1;
        filled = false;
      } else if (turn) {
        stride /= 2;
        t = T[0];
        T[2] = T[1];
        V[2] = V[1];
        k = 1;
      } else {
        T[0] = T[1];
        V[0] = V[1];
        T[1] = T[2];
        V[1] = V[2];
        t = T[1];
        k = 2;
      }
    }
    t += static_cast<int64_t>(stride) * s;
  }

  const TideExtreme found{kind, V[1], static_cast<EngineMinute>(t)};
  AddCache(record, static_cast<EngineMinute>(start), s, {found.time, found.height, kind, 0});
  return found;
}

uint64_t TideHeightSumCount() { return State().sums; }

void ResetTideHeight() { State() = TideHeightState{}; }

}  // namespace qw
