// The vertical scale of the day graph: a scale code from 1 to 25 naming the step
// between the nine levels of the axis, and the axis bottom.
//
// Code n has the step kScaleStepHundredths[n - 1], in hundredths of a scale unit (one
// display unit: ScaleUnit() of display_units.h). The axis runs from its bottom to
// bottom + 8 steps.
#pragma once

#include <cstdint>
#include <optional>

namespace qw {

constexpr int kScaleCodeCount = 25;
constexpr int kScaleLevels = 9;

// The step of a code in hundredths of a scale unit, or nothing for a code outside
// 1..25 (the callers show message 2601 or 2602).
std::optional<int32_t> ScaleStepHundredths(int code);

struct GraphScale {
  int code = 0;
  int64_t step = 0;    // display units between levels
  int64_t bottom = 0;  // display value of the lowest level (a negative multiple of step)
  int64_t Top() const { return bottom + 8 * step; }
};

// The first code whose axis, starting at the first of -step, -2 step, ... that lies
// below the minimum, reaches the maximum. Minimum and maximum are display values,
// compared after rounding half up to tenths of a scale unit. Nothing when no code fits
// (message 2600).
std::optional<GraphScale> ChooseGraphScale(int64_t minimum, int64_t maximum, int64_t scaleUnit);

}  // namespace qw
