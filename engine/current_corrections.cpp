#include "engine/current_corrections.h"

#include <algorithm>

#include "engine/data_layouts.h"
#include "engine/engine_values.h"

namespace qw {
namespace {

bool Given(int16_t value) { return value != kNotGiven16; }

int32_t ToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, -2147483646LL, 2147483646LL));
}

}  // namespace

CurrentCorrections EffectiveCurrentCorrections(const CurrentLocation& s) {
  CurrentCorrections c;
  if (!IsSubordinateCurrent(s)) return c;
  const bool flood = Given(s.floodTime), ebb = Given(s.ebbTime);
  const bool sbf = Given(s.slackBeforeFloodTime), sbe = Given(s.slackBeforeEbbTime);
  const int32_t slackAverage = (static_cast<int32_t>(s.slackBeforeFloodTime) + s.slackBeforeEbbTime) / 2;

  if (flood) c.flood = s.floodTime;
  else if (ebb) c.flood = s.ebbTime;
  else if (sbf && sbe) c.flood = slackAverage;
  else if (sbf) c.flood = s.slackBeforeFloodTime;
  else if (sbe) c.flood = s.slackBeforeEbbTime;

  if (ebb) c.ebb = s.ebbTime;
  else if (flood) c.ebb = s.floodTime;
  else if (sbf && sbe) c.ebb = slackAverage;
  else if (sbe) c.ebb = s.slackBeforeEbbTime;
  else if (sbf) c.ebb = s.slackBeforeFloodTime;

  if (sbf) c.slackBeforeFlood = s.slackBeforeFloodTime;
  else if (flood && ebb) c.slackBeforeFlood = (c.flood + c.ebb) / 2;
  else if (flood) c.slackBeforeFlood = c.flood;
  else c.slackBeforeFlood = c.ebb;

  if (sbe) c.slackBeforeEbb = s.slackBeforeEbbTime;
  else if (flood && ebb) c.slackBeforeEbb = (c.flood + c.ebb) / 2;
  else if (ebb) c.slackBeforeEbb = c.ebb;
  else c.slackBeforeEbb = c.flood;
  return c;
}

int ClassifyEventTriple(char k1, char k2, char k3, int32_t a1, int32_t a2, int32_t a3) {
  if (k2 == 'F' && (k3 == 'S' || k1 == 'S')) return 1;
  if (k2 == 'E' && (k3 == 'S' || k1 == 'S')) return 3;
  if (k2 == 'S' && k3 == 'E') return 2;
  if (k2 == 'S' && k3 == 'F') return 0;
  if (k2 == 'S') return 2;
  if (k1 == k2 && k2 == k3) return k2 == 'F' ? 1 : 3;
  if (k1 == k2) {
    if (k3 == 'F') return a1 > a2 ? 0 : 3;
    if (k3 == 'E') return a1 > a2 ? 2 : 1;
  }
  if (k2 == k3) {
    if (k1 == 'F') return a3 > a2 ? 2 : 3;
    if (k1 == 'E') return a3 > a2 ? 0 : 1;
  }
  return k2 == 'F' ? 1 : 3;
}

int32_t CorrectionForClass(int eventClass, const CurrentCorrections& c) {
  switch (eventClass) {
    case 0: return c.slackBeforeFlood;
    case 1: return c.flood;
    case 2: return c.slackBeforeEbb;
    case 3: return c.ebb;
    default: return -1;
  }
}

int32_t CorrectionBeforeClass(int eventClass, const CurrentCorrections& c) {
  switch (eventClass) {
    case 0: return c.ebb;
    case 1: return c.slackBeforeFlood;
    case 2: return c.flood;
    case 3: return c.slackBeforeEbb;
    default: return -1;
  }
}

int32_t SegmentPosition(int64_t minute, int64_t m, int64_t o) {
  if (o <= m) return 0;
  const int64_t v = (minute - m) * 10000 / (o - m);
  return static_cast<int32_t>(std::clamp<int64_t>(v, 0, 10000));
}

int32_t InterpolatedCorrection(int32_t v, int32_t c1, int32_t c2) {
  // Rounded to the nearest minute with floor division, so that a negative correction is
  // rounded like a positive one and the ends give c1 and c2 exactly.
  const int64_t x = static_cast<int64_t>(v) * c2 - static_cast<int64_t>(c1) * (v - 10000) + 5000;
  const int64_t value = x >= 0 ? x / 10000 : -((-x + 9999) / 10000);
  return ToInt32(value);
}

int32_t RaisedCosineWeight(int32_t v, const int32_t* table) {
  const int64_t w = static_cast<int64_t>(std::clamp(v, 0, 10000)) * 10;
  if (w <= 50000) return static_cast<int32_t>(50000 - table[(w * kCosineQuarterSteps) / 50000] / 20);
  return static_cast<int32_t>(50000 + table[((100000 - w) * kCosineQuarterSteps) / 50000] / 20);
}

int32_t InterpolateSpeed(int32_t s1, int32_t s2, int32_t w) {
  const int64_t d = static_cast<int64_t>(s1) - s2;
  const int64_t step = ((d / 10000) * w + ((d % 10000) * (w / 100) + 50) / 100 + 5) / 10;
  return ToInt32(s1 - step);
}

int32_t ScaleBySpeedRatio(int32_t referenceSpeed, int16_t ratio) {
  if (ratio == kNotGiven16) return 0;
  return ToInt32(static_cast<int64_t>(referenceSpeed / 10) * ratio / 10);
}

}  // namespace qw
