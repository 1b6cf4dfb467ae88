#include "engine/tide_height.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "engine/engine_settings.h"
#include "engine/engine_values.h"
#include "engine/extremes_cache.h"
#include "engine/held_data.h"
#include "engine/minute_cache.h"
#include "engine/report.h"
#include "engine/string_table.h"
#include "engine/time_adjust.h"

namespace qw {
namespace {

constexpr int kMsgTideLogicError = 2411;

// A search that has not met a turn of the tide after this many minutes is not looking at
// a tide (a station of constant or ever-equal heights) and gives up.
constexpr int64_t kSearchLimitMinutes = 400LL * kMinutesPerDay;
constexpr int kFirstStride = 64;

struct TideHeightState {
  uint64_t sums = 0;
  char lastKind = ' ';
};

TideHeightState& State() {
  static TideHeightState state;
  return state;
}

// A sum in millionths of a foot as the int32 it is returned in. Prepared stations cannot
// reach beyond 2000 feet (held_data.h); the clamp only guards the reserved values.
int32_t ToHeight(int64_t microFeet) {
  return static_cast<int32_t>(std::clamp<int64_t>(microFeet, -2147483646LL, 2147483646LL));
}

int32_t FloatingSum(int64_t adjusted) {
  const SpeedTable& speeds = *ConstituentSpeeds();
  const double hours = static_cast<double>(adjusted - static_cast<int64_t>(HeldYearStart())) / 60.0;
  double height = HeldMeanLevelMicroFeet() / 1000000.0;
  for (const PreparedConstituent& c : PreparedConstituents()) {
    height += c.amplitudeFeet * std::cos(hours * speeds.speedRadiansPerHour[c.index] + c.phaseRadians);
  }
  return ToHeight(static_cast<int64_t>(std::trunc(height * 1000000.0)));
}

// The integer form: the phase of each constituent is advanced in cosine-table steps and
// 1/100,000 steps from whole hours H and the hour's fraction F (1/100,000 hour), looked
// up in the quarter-wave table and interpolated linearly. Every division truncates toward
// zero as written; 64-bit intermediates give the same results as 32-bit ones wherever
// those do not overflow.
int32_t IntegerSum(int64_t adjusted) {
  const SpeedTable& speeds = *ConstituentSpeeds();
  const int32_t* table = CosineTable();
  const int64_t d = adjusted - static_cast<int64_t>(HeldYearStart());
  int64_t hours, fraction;
  if (d >= 0) {
    hours = d / 60;
    fraction = ((d - 60 * hours) * 10000 + 3) / 6;
  } else {
    hours = -((-d) / 60);
    const int64_t rest = (-d) - 60 * std::llabs(hours);
    fraction = -((rest * 10000 + 3) / 6);
  }
  const int64_t hundredths = (fraction + 500) / 1000;

  int64_t sum = HeldMeanLevelMicroFeet();
  for (const PreparedConstituent& c : PreparedConstituents()) {
    const int64_t whole = speeds.stepsWhole[c.index];
    const int64_t w = whole * fraction + speeds.stepsFrac5[c.index] * hours +
                      speeds.stepsFrac3[c.index] * hundredths + c.phaseSteps5;
    const int64_t steps = whole * hours + w / 100000 + c.phaseSteps;
    const auto k = static_cast<uint32_t>(static_cast<uint64_t>(steps) % kCosineCircleSteps);
    const int64_t wf = w % 100000;
    const uint32_t quadrant = k / kCosineQuarterSteps;
    const uint32_t m = k % kCosineQuarterSteps;
    int64_t value, slope;
    switch (quadrant) {
      case 0:
        value = table[m];
        slope = value - table[m + 1];
        break;
      case 1:
        value = -table[kCosineQuarterSteps - m];
        slope = value + table[kCosineQuarterSteps - 1 - m];
        break;
      case 2:
        value = -table[m];
        slope = value + table[m + 1];
        break;
      default:
        value = table[kCosineQuarterSteps - m];
        slope = value - table[kCosineQuarterSteps - 1 - m];
        break;
    }
    value -= (slope * wf) / 100000;
    sum += (value * c.amplitudeMilli) / 1000 + value * c.amplitudeWhole;
  }
  return ToHeight(sum);
}

bool HarmonicsReady() {
  return TideRecordHeld() && HeldYear() != 0 && !PreparedConstituents().empty() && ConstituentSpeeds() &&
         CosineTable();
}

// Loads the station's record and the year of `minute`.
bool LoadFor(const TideLocation& station, EngineMinute minute) {
  DateRecord date;
  MinuteToDate(minute, date);
  return LoadTideHarmonics(station.referenceId, date.year, date.month) > 0;
}

bool NeedsLoad(const TideLocation& station, int64_t minute) {
  return !HarmonicsReady() || LoadedStationNumber() != station.referenceId ||
         minute < static_cast<int64_t>(HeldYearStart()) || minute > static_cast<int64_t>(HeldYearEnd());
}

}  // namespace

int32_t ComputeTideHeight(const TideLocation& station, EngineMinute minute, char mathForm, int dstFlag) {
  if (!HarmonicsReady()) {
    ReportEngineError(kMsgTideLogicError, StringText(kMsgTideLogicError));
    return kValueFailed;
  }
  const uint16_t record = LoadedStationNumber();
  const int64_t adjusted = static_cast<int64_t>(minute) + GmtShiftMinutes(station.timeMeridian) -
                           DaylightShiftMinutes(record, dstFlag);
  const char form = (mathForm == 'f' || mathForm == 'F') ? 'f' : 'i';

  const int64_t day = adjusted >= 0 ? adjusted / kMinutesPerDay : -((-adjusted + kMinutesPerDay - 1) / kMinutesPerDay);
  const auto slot = static_cast<size_t>(adjusted - day * kMinutesPerDay);
  MinuteCache* cache = MinuteCacheFor(record, day, form);
  if (cache && cache->value[slot] != kMinuteNotComputed) return cache->value[slot];

  ++State().sums;
  const int32_t height = form == 'f' ? FloatingSum(adjusted) : IntegerSum(adjusted);
  if (cache) cache->value[slot] = height;
  return height;
}

int32_t PredictReferenceTide(const TideLocation& station, EngineMinute& minute, int step, int dstFlag) {
  if (NeedsLoad(station, minute) && !LoadFor(station, minute)) return kValueFailed;
  const char form = Settings().mathType;
  if (step == 0) return ComputeTideHeight(station, minute, form, dstFlag);

  const int s = step > 0 ? 1 : -1;
  const uint16_t record = station.referenceId;
  const int32_t gmtShift = GmtShiftMinutes(station.timeMeridian);
  const int64_t start = minute;
  CachedExtreme cached;
  if (FindCache(record, minute, s, cached, dstFlag, gmtShift)) {
    minute = cached.time;
    State().lastKind = cached.kind;
    return cached.value;
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
      return kValueFailed;
    }
    if (std::llabs(t - start) > kSearchLimitMinutes) {
      ReportEngineError(kMsgTideLogicError, StringText(kMsgTideLogicError));
      return kValueFailed;
    }
    if (t < static_cast<int64_t>(HeldYearStart()) || t > static_cast<int64_t>(HeldYearEnd()) ||
        !HarmonicsReady()) {
      if (!LoadFor(station, static_cast<EngineMinute>(t))) return kValueFailed;
    }
    T[k] = t;
    V[k] = ComputeTideHeight(station, static_cast<EngineMinute>(t), form, dstFlag);
    if (V[k] == kValueFailed) return kValueFailed;
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

  minute = static_cast<EngineMinute>(t);
  State().lastKind = kind;
  AddCache(record, static_cast<EngineMinute>(start), s, {minute, V[1], kind, 0}, dstFlag, gmtShift);
  return V[1];
}

char LastReferenceExtremeKind() { return State().lastKind; }

uint64_t TideHeightSumCount() { return State().sums; }

void ResetTideHeight() { State() = TideHeightState{}; }

}  // namespace qw
