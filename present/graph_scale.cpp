#include "present/graph_scale.h"

namespace qw {
namespace {

constexpr int32_t kScaleStepHundredths[kScaleCodeCount] = {
    10,   25,   50,    100,   150,   200,   250,   300,   350,   400,   450,   500,  1000,
    2500, 5000, 7500, 10000, 12500, 15000, 17500, 20000, 22500, 25000, 27500, 30000};

// Rounds half up (towards +infinity) to a multiple of `tenth`.
int64_t RoundToTenth(int64_t value, int64_t tenth) {
  const int64_t shifted = value + tenth / 2;
  int64_t q = shifted / tenth;
  if (shifted % tenth != 0 && shifted < 0) --q;  // floor division
  return q * tenth;
}

}  // namespace

std::optional<int32_t> ScaleStepHundredths(int code) {
  if (code < 1 || code > kScaleCodeCount) return std::nullopt;
  return kScaleStepHundredths[code - 1];
}

std::optional<GraphScale> ChooseGraphScale(int64_t minimum, int64_t maximum, int64_t scaleUnit) {
  const int64_t tenth = scaleUnit / 10;
  const int64_t low = RoundToTenth(minimum, tenth);
  const int64_t high = RoundToTenth(maximum, tenth);
  for (int code = 1; code <= kScaleCodeCount; ++code) {
    const int64_t step = kScaleStepHundredths[code - 1] * scaleUnit / 100;
    // The first of -step, -2 step, ... below the minimum.
    int64_t bottom = -step;
    if (bottom >= low) bottom = -((-low) / step + 1) * step;
    if (bottom + 8 * step >= high) return GraphScale{code, step, bottom};
  }
  return std::nullopt;
}

}  // namespace qw
