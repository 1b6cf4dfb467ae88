#include "engine/integer_cosine.h"

namespace qw {

int32_t QuarterWaveValue(const int32_t* quarter, uint32_t k) {
  const uint32_t m = k % kCosineQuarterSteps;
  switch (k / kCosineQuarterSteps % 4) {
    case 0: return quarter[m];
    case 1: return -quarter[kCosineQuarterSteps - m];
    case 2: return -quarter[m];
    default: return quarter[kCosineQuarterSteps - m];
  }
}

void UnfoldCosineTable(const int32_t* quarter, int32_t* full) {
  for (uint32_t k = 0; k < static_cast<uint32_t>(kCosineCircleSteps); ++k) full[k] = QuarterWaveValue(quarter, k);
  full[kCosineCircleSteps] = full[0];
}

}  // namespace qw
