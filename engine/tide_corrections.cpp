#include "engine/tide_corrections.h"

#include <algorithm>
#include <cmath>

#include "engine/engine_values.h"

namespace qw {
namespace {

// The largest magnitude a computed height may take; the reserved values lie beyond.
constexpr int64_t kLargestHeight = 2147483646;

int32_t ClampHeight(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, -kLargestHeight, kLargestHeight));
}

int32_t GivenOrZero(int16_t value) { return value == kNotGiven16 ? 0 : value; }

int32_t Correct(int32_t height, int32_t ratio, int32_t diff) {
  // (H / 10) x ratio / 10 + diff x 10000, each division truncating toward zero.
  int64_t scaled = static_cast<int64_t>(height / 10) * ratio / 10;
  return ClampHeight(scaled + static_cast<int64_t>(diff) * 10000);
}

}  // namespace

bool HasTideCorrections(const TideLocation& s) {
  return s.highTimeOffset != 0 || s.highHeightDiff != 0 || s.lowTimeOffset != 0 ||
         s.lowHeightDiff != 0;
}

TideCorrections TideCorrectionsOf(const TideLocation& s) {
  TideCorrections c;
  if (!HasTideCorrections(s)) return c;
  c.active = true;
  const bool highGiven = s.highTimeOffset != kNotGiven16;
  const bool lowGiven = s.lowTimeOffset != kNotGiven16;
  c.highMinutes = highGiven ? s.highTimeOffset : (lowGiven ? s.lowTimeOffset : 0);
  c.lowMinutes = lowGiven ? s.lowTimeOffset : (highGiven ? s.highTimeOffset : 0);
  c.highDiff = GivenOrZero(s.highHeightDiff);
  c.highRatio = GivenOrZero(s.highHeightRatio);
  c.lowDiff = GivenOrZero(s.lowHeightDiff);
  c.lowRatio = GivenOrZero(s.lowHeightRatio);
  return c;
}

int32_t CorrectHighWater(const TideCorrections& c, int32_t h) {
  return Correct(h, c.highRatio, c.highDiff);
}

int32_t CorrectLowWater(const TideCorrections& c, int32_t h) {
  return Correct(h, c.lowRatio, c.lowDiff);
}

bool TideValueNotDefined(const TideLocation& s) {
  return (s.lowHeightRatio == kNotGiven16 && s.lowTimeOffset == kNotGiven16) ||
         s.lowHeightDiff == kNotGiven16 ||
         (s.highHeightRatio == kNotGiven16 && s.highTimeOffset == kNotGiven16) ||
         s.highHeightDiff == kNotGiven16;
}

int32_t MapBetweenExtremes(int32_t h, int32_t hp, int32_t hn, int32_t hpCorrected,
                           int32_t hnCorrected) {
  // p: where h lies between hp (0) and hn (100,000), by floating division, truncated.
  double fraction = (static_cast<double>(hp) - h) / (static_cast<double>(hp) - hn) * 100000.0;
  fraction = std::clamp(fraction, -1e12, 1e12);  // keeps the conversion defined
  const int64_t p = static_cast<int64_t>(std::trunc(fraction));
  // hp' - D x p / 100,000 in integer steps: D = hp' - hn' split as q x 10000 + r.
  const int64_t d = static_cast<int64_t>(hpCorrected) - hnCorrected;
  const int64_t q = d / 10000;
  const int64_t r = d % 10000;
  const int64_t step = (q * p + (r * (p / 100) + 50) / 100 + 5) / 10;
  return ClampHeight(hpCorrected - step);
}

}  // namespace qw
