#include "engine/tide_prediction.h"

#include <algorithm>
#include <cstdlib>

#include "engine/calendar.h"
#include "engine/engine_settings.h"
#include "engine/held_data.h"
#include "engine/report.h"
#include "engine/string_table.h"
#include "engine/tide_corrections.h"
#include "engine/tide_height.h"
#include "engine/time_zone.h"

namespace qw {
namespace {

// The reference station's extremes around the last minute asked: the previous one (tp,
// hp) and the next one (tn, hn), in uncorrected reference times. tp or tn 0 means empty.
// It is shared by every station of one reference and one extreme finder.
struct ReferenceBracket {
  EngineMinute tp = 0;
  int32_t hp = 0;
  EngineMinute tn = 0;
  int32_t hn = 0;
  uint16_t referenceId = 0;  // the reference it was built for
  bool doubleFinder = false; // built with PickDoubleTideExtreme
};

struct TidePredictionState {
  ReferenceBracket bracket;
};

TidePredictionState& State() {
  static TidePredictionState state;
  return state;
}

void EmptyBracket() {
  ReferenceBracket& b = State().bracket;
  b.tp = 0;
  b.tn = 0;
}

// The bracket may leave the minute by at most this much before it is rebuilt.
constexpr int64_t kBracketSlackMinutes = 720;

EngineMinute ToMinute(int64_t value) {
  return static_cast<EngineMinute>(std::clamp<int64_t>(value, 0, 0xFFFFFFFFLL));
}

// The reference extreme before (step -1) or after (+1) `minute`, by the station's finder.
TideExtreme FindReferenceExtreme(const TideLocation& station, EngineMinute minute, int step) {
  return UsesDoubleTideFinder(station) ? PickDoubleTideExtreme(station, minute, step)
                                       : PredictReferenceTide(station, minute, step);
}

// Moves the bracket so that its corrected times enclose `minute` and computes the answer.
TideExtreme PredictFromBracket(const TideLocation& station, const TideCorrections& c, EngineMinute minute,
                               int step) {
  const TideExtreme failed{0, kValueFailed, minute};
  ReferenceBracket& b = State().bracket;
  const int64_t t = minute;
  if (b.tp != 0 && b.tn != 0 &&
      (t < static_cast<int64_t>(b.tp) - kBracketSlackMinutes ||
       t > static_cast<int64_t>(b.tn) + kBracketSlackMinutes)) {
    EmptyBracket();
  }
  if (b.tp == 0 || b.tn == 0) {
    const TideExtreme previous = FindReferenceExtreme(station, minute, -1);
    if (previous.height == kValueFailed) return failed;
    const TideExtreme next = FindReferenceExtreme(station, previous.time, +1);
    if (next.height == kValueFailed) return failed;
    b.tp = previous.time;
    b.hp = previous.height;
    b.tn = next.time;
    b.hn = next.height;
  }

  // Corrected times of the two events: a high water moves by HT, a low water by LT.
  auto correctedNext = [&] {
    return static_cast<int64_t>(b.tn) + (b.hn > b.hp ? c.highMinutes : c.lowMinutes);
  };
  auto correctedPrevious = [&] {
    return static_cast<int64_t>(b.tp) + (b.hp > b.hn ? c.highMinutes : c.lowMinutes);
  };
  // A finder that fails or stops moving would leave the bracket stuck: give up then.
  auto logicError = [&] {
    EmptyBracket();
    ReportEngineError(2411, StringText(2411));
    return failed;
  };

  int64_t cn = correctedNext();
  while (t > cn || (step > 0 && t == cn)) {
    const TideExtreme next = FindReferenceExtreme(station, b.tn, +1);
    if (next.height == kValueFailed) {
      EmptyBracket();
      return failed;
    }
    if (next.time <= b.tn) return logicError();
    b.tp = b.tn;
    b.hp = b.hn;
    b.tn = next.time;
    b.hn = next.height;
    cn = correctedNext();
  }
  int64_t cp = correctedPrevious();
  while (t < cp || (step < 0 && t == cp)) {
    const TideExtreme previous = FindReferenceExtreme(station, b.tp, -1);
    if (previous.height == kValueFailed) {
      EmptyBracket();
      return failed;
    }
    if (previous.time >= b.tp) return logicError();
    b.tn = b.tp;
    b.hn = b.hp;
    b.tp = previous.time;
    b.hp = previous.height;
    cp = correctedPrevious();
  }
  cn = correctedNext();
  if (cp > t || cn < t) return logicError();

  if (step != 0) {
    // The event: the bracket's start going back, its end going forward; high when it is
    // above the other end.
    const EngineMinute time = step < 0 ? b.tp : b.tn;
    const int32_t height = step < 0 ? b.hp : b.hn;
    const bool high = height > (step < 0 ? b.hn : b.hp);
    const char kind = high ? 'H' : 'L';
    if (!c.active) return TideExtreme{kind, height, time};
    return TideExtreme{kind, high ? CorrectHighWater(c, height) : CorrectLowWater(c, height),
                       ToMinute(static_cast<int64_t>(time) + (high ? c.highMinutes : c.lowMinutes))};
  }

  // A height between two corrected extremes: the reference curve, shifted by a time
  // offset blended from the two ends, mapped proportionally onto the corrected range.
  const bool rising = b.hn > b.hp;
  int64_t shift = 0;
  if (cn != cp) {
    const int64_t frac = static_cast<int64_t>(static_cast<uint32_t>((t - cp) * 10000 / (cn - cp)));
    shift = rising ? (c.lowMinutes * (10000 - frac) + c.highMinutes * frac + 5000) / 10000
                   : (c.highMinutes * (10000 - frac) + c.lowMinutes * frac + 5000) / 10000;
  }
  const int32_t hpCorrected = rising ? CorrectLowWater(c, b.hp) : CorrectHighWater(c, b.hp);
  const int32_t hnCorrected = rising ? CorrectHighWater(c, b.hn) : CorrectLowWater(c, b.hn);
  const int32_t h = PredictReferenceTide(station, ToMinute(t - shift), 0).height;
  if (h == kValueFailed) return failed;
  if (b.hp == b.hn) return TideExtreme{0, h, minute};
  return TideExtreme{0, MapBetweenExtremes(h, b.hp, b.hn, hpCorrected, hnCorrected), minute};
}

constexpr int kMaxTideCandidates = 16;
constexpr int kMaxDayExtremes = 5;
constexpr int64_t kWiggleMicroFeet = 100000;  // neighbours closer than 0.1 ft are a stand

void RaiseAndLower(int32_t height, int32_t& maximum, int32_t& minimum) {
  if (height == kValueNotDefined) return;
  maximum = std::max(maximum, height);
  minimum = std::min(minimum, height);
}

// Removes one event of each wiggle (two neighbours within 0.1 ft) while five or more
// candidates remain.
void ThinOutWiggles(std::vector<TideCandidate>& c) {
  while (c.size() >= 5) {
    size_t pair = 1;
    int64_t smallest = -1;
    for (size_t i = 1; i < c.size(); ++i) {
      int64_t difference = std::llabs(static_cast<int64_t>(c[i].height) - c[i - 1].height);
      if (smallest < 0 || difference < smallest) {
        smallest = difference;
        pair = i;
      }
    }
    if (smallest > kWiggleMicroFeet) return;
    const size_t i = pair;
    const bool high = i >= 2 ? c[i - 2].height <= c[i - 1].height : c[2].height <= c[1].height;
    size_t remove;
    if (c[i - 1].height == c[i].height) {
      remove = i;
    } else if (high) {
      remove = c[i - 1].height < c[i].height ? i - 1 : i;  // a high keeps the higher
    } else {
      remove = c[i - 1].height > c[i].height ? i - 1 : i;  // a low keeps the lower
    }
    c.erase(c.begin() + static_cast<long>(remove));
  }
}

// More than five candidates: keep the two highest and the lowest before, between and
// after them.
void PickFiveOfMany(const std::vector<TideCandidate>& c, TideDayExtremes& out) {
  size_t first = 0;
  for (size_t i = 1; i < c.size(); ++i) {
    if (c[i].height > c[first].height) first = i;
  }
  size_t second = first == 0 ? 1 : 0;
  for (size_t i = 0; i < c.size(); ++i) {
    if (i != first && c[i].height > c[second].height) second = i;
  }
  size_t j = 0;
  for (size_t i = 0; i < c.size() && j < out.size(); ++i) {
    if (i == first || i == second) {
      if (out[j].time != 0) ++j;
      if (j >= out.size()) break;
      out[j].height = c[i].height;
      out[j].time = c[i].time;
      ++j;
    } else if (j < out.size() && (out[j].time == 0 || out[j].height > c[i].height)) {
      out[j].height = c[i].height;
      out[j].time = c[i].time;
    }
  }
}

}  // namespace

bool UsesDoubleTideFinder(const TideLocation& station) {
  return station.kindCode > 10 && station.extremeRule == 20;
}

void ResetTidePrediction() { State() = TidePredictionState{}; }

TideExtreme PickDoubleTideExtreme(const TideLocation& station, EngineMinute minute, int step) {
  const TideExtreme first = PredictReferenceTide(station, minute, step);
  if (first.height == kValueFailed) return first;
  const TideExtreme second = PredictReferenceTide(station, first.time, step);
  if (second.height == kValueFailed) return second;
  const TideExtreme third = PredictReferenceTide(station, second.time, step);
  if (third.height == kValueFailed) return third;
  const int64_t apart = std::llabs(static_cast<int64_t>(first.time) - static_cast<int64_t>(third.time));
  if (apart < 840) {
    const bool takeThird = first.height < second.height ? third.height < first.height : third.height > first.height;
    if (takeThird) return third;
  }
  return first;
}

TideExtreme PredictTide(const TideLocation& station, EngineMinute minute, int step) {
  ReferenceBracket& b = State().bracket;
  if (!TideRecordHeld() || LoadedStationNumber() != station.referenceId) {
    DateRecord date;
    MinuteToDate(minute, date);
    if (LoadTideHarmonics(station.referenceId, date.year, date.month) <= 0) return TideExtreme{0, kValueFailed, minute};
    EmptyBracket();
  }
  const bool doubleFinder = UsesDoubleTideFinder(station);
  if (b.referenceId != station.referenceId || b.doubleFinder != doubleFinder) {
    EmptyBracket();
    b.referenceId = station.referenceId;
    b.doubleFinder = doubleFinder;
  }

  const TideCorrections corrections = TideCorrectionsOf(station);
  TideExtreme result = !corrections.active && step == 0 ? PredictReferenceTide(station, minute, 0)
                                                         : PredictFromBracket(station, corrections, minute, step);
  if (result.height != kValueFailed && TideValueNotDefined(station)) result.height = kValueNotDefined;
  if (result.height != kValueFailed && result.height != kValueNotDefined) result.height -= station.datumMicroFeet;
  return result;
}

void PredictTideHeights(const TideLocation& station, EngineMinute first, EngineMinute step, size_t count, int32_t* out) {
  if (count == 0) return;
  // The first minute goes the whole way: it loads the station and sets the bracket up.
  out[0] = PredictTide(station, first, 0).height;
  if (out[0] == kValueFailed) {
    std::fill(out, out + count, kValueFailed);
    return;
  }
  if (TideCorrectionsOf(station).active) {
    for (size_t i = 1; i < count; ++i) {
      out[i] = PredictTide(station, first + static_cast<EngineMinute>(i) * step, 0).height;
      if (out[i] == kValueFailed) {
        std::fill(out + i, out + count, kValueFailed);
        return;
      }
    }
    return;
  }
  // A reference station: its heights straight from the sum, shifted as PredictTide shifts
  // them.
  PredictReferenceHeights(station, first + step, step, count - 1, out + 1);
  const bool notDefined = TideValueNotDefined(station);
  for (size_t i = 1; i < count; ++i) {
    if (out[i] == kValueFailed) continue;
    if (notDefined) out[i] = kValueNotDefined;
    if (out[i] != kValueNotDefined) out[i] -= station.datumMicroFeet;
  }
}

TideExtreme PredictTideShown(const TideLocation& station, EngineMinute shown, int step, int dstFlag) {
  const StationZone zone = ZoneOf(station);
  const uint8_t flag = dstFlag != 0 ? 1 : 0;
  TideExtreme result = PredictTide(station, TideShownToStandard(shown, zone, flag), step);
  result.time = step == 0 ? shown : TideStandardToShown(result.time, zone, flag);
  return result;
}

CleanedTideDay CleanDayExtremes(std::vector<TideCandidate> candidates, int32_t h0, int32_t hEnd, int32_t chartZero) {
  CleanedTideDay day;
  TideDayExtremes& extremes = day.extremes;
  ThinOutWiggles(candidates);

  // The repair below weighs heights against the day's range down to the chart datum, so
  // that the kinds do not change with the datum the heights are given on.
  int32_t maximum = chartZero;
  int32_t minimum = chartZero;
  for (const TideCandidate& c : candidates) {
    RaiseAndLower(c.height, maximum, minimum);
    RaiseAndLower(c.height, day.maximum, day.minimum);
  }

  if (static_cast<int>(candidates.size()) <= kMaxDayExtremes) {
    for (size_t i = 0; i < candidates.size(); ++i) {
      extremes[i].height = candidates[i].height;
      extremes[i].time = candidates[i].time;
    }
  } else {
    PickFiveOfMany(candidates, extremes);
  }

  // Kinds: each entry against its neighbour.
  size_t count = 0;
  while (count < extremes.size() && extremes[count].time != 0) ++count;
  if (count == 1) {
    extremes[0].kind = extremes[0].height <= h0 ? 'L' : 'H';
  } else if (count > 1) {
    extremes[0].kind = extremes[0].height <= extremes[1].height ? 'L' : 'H';
  }
  for (size_t i = 1; i < count; ++i) {
    extremes[i].kind = extremes[i].height > extremes[i - 1].height ? 'H' : 'L';
  }

  // Repair two lows or two highs in a row by where they lie in the day's range.
  const int64_t range = (static_cast<int64_t>(maximum) - minimum) / 100;
  if (range > 0) {
    auto percent = [&](int32_t height) { return (static_cast<int64_t>(height) - minimum) / range; };
    for (size_t i = 1; i < count; ++i) {
      TideExtreme& earlier = extremes[i - 1];
      TideExtreme& later = extremes[i];
      if (earlier.kind != later.kind) continue;
      if (later.kind == 'L' && earlier.height > later.height) {
        if (percent(earlier.height) > 50) {
          earlier.kind = 'H';
        } else if (percent(later.height) > 50) {
          later.kind = 'H';
        }
      } else if (later.kind == 'H' && earlier.height < later.height) {
        if (percent(earlier.height) < 50) {
          earlier.kind = 'L';
        } else if (percent(later.height) < 50) {
          later.kind = 'L';
        }
      }
    }
  }

  RaiseAndLower(h0, day.maximum, day.minimum);
  RaiseAndLower(hEnd, day.maximum, day.minimum);
  return day;
}

int FindTideDayExtremes(const TideLocation& station, EngineMinute dayStart,
                        TideDayExtremes& extremes, int32_t& maximum, int32_t& minimum) {
  extremes = TideDayExtremes{};
  maximum = 0;
  minimum = 0;
  DateRecord day;
  MinuteToDate(dayStart, day);
  day.hour = 23;
  day.minute = 59;
  day.second = 59;
  const EngineMinute end = DateToMinute(day);
  const int dstEnd = day.dstFlag;
  DateRecord evening;
  MinuteToDate(dayStart >= 60 ? dayStart - 60 : 0, evening);
  // The day's events are listed in the day's own clock frame. Where that frame differs
  // from the evening before's (daylight saving begins or ends with the day, for a station
  // whose times follow it), the hour that changes hands is given to exactly one of the
  // two days: when the clock falls back, the hour before midnight in this day's frame
  // belongs to this day; when it springs forward, this day's first hour was already
  // listed the day before.
  const StationZone zone = ZoneOf(station);
  auto frameShift = [&](int flag) { return TideDaylightMinutes(zone, flag != 0 ? 1 : 0); };
  const int64_t change = frameShift(evening.dstFlag) - frameShift(dstEnd);
  const int64_t keepFrom = static_cast<int64_t>(dayStart) - change;
  auto fail = [] {
    ReportEngineError(2410, StringText(2410));
    return -1;
  };

  EmptyBracket();
  const int32_t h0 = PredictTideShown(station, dayStart, 0, dstEnd).height;
  if (h0 == kValueFailed) return fail();

  // Every event of the day in its frame, searched from an hour before.
  int result = 0;
  std::vector<TideCandidate> candidates;
  EngineMinute t = static_cast<EngineMinute>(std::max<int64_t>(0, std::min<int64_t>(dayStart - 60LL, keepFrom - 1)));
  while (t <= end) {
    const EngineMinute before = t;
    const TideExtreme e = PredictTideShown(station, t, +1, dstEnd);
    t = e.time;
    if (e.height == kValueFailed || t <= before) return fail();
    if (t <= end && t >= keepFrom) {
      if (static_cast<int>(candidates.size()) == kMaxTideCandidates) {
        fail();
        result = -1;
        break;
      }
      candidates.push_back({e.height, t});
    }
  }
  const int32_t hEnd = PredictTideShown(station, end, 0, dstEnd).height;
  if (hEnd == kValueFailed) return fail();

  const CleanedTideDay cleaned = CleanDayExtremes(std::move(candidates), h0, hEnd, -station.datumMicroFeet);
  extremes = cleaned.extremes;
  maximum = cleaned.maximum;
  minimum = cleaned.minimum;
  return result;
}

}  // namespace qw
