#include "engine/integer_cosine.h"

#include <cstdlib>

namespace qw {

IntegerHours SplitIntegerHours(int64_t d) {
  IntegerHours t;
  if (d >= 0) {
    t.whole = d / 60;
    t.fraction = ((d - 60 * t.whole) * 10000 + 3) / 6;
  } else {
    t.whole = -((-d) / 60);
    const int64_t rest = (-d) - 60 * std::llabs(t.whole);
    t.fraction = -((rest * 10000 + 3) / 6);
  }
  t.hundredths = (t.fraction + 500) / 1000;
  return t;
}

int64_t InterpolatedTableCosine(const int32_t* table, uint32_t k, int64_t wf) {
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
  return value - (slope * wf) / 100000;
}

int64_t ConstituentTableCosine(const SpeedTable& speeds, const int32_t* table, int index,
                               const IntegerHours& t, int32_t phaseSteps, int32_t phaseSteps5) {
  const int64_t whole = speeds.stepsWhole[index];
  const int64_t w = whole * t.fraction + speeds.stepsFrac5[index] * t.whole +
                    speeds.stepsFrac3[index] * t.hundredths + phaseSteps5;
  const int64_t steps = whole * t.whole + w / 100000 + phaseSteps;
  const auto k = static_cast<uint32_t>(static_cast<uint64_t>(steps) % kCosineCircleSteps);
  return InterpolatedTableCosine(table, k, w % 100000);
}

}  // namespace qw
