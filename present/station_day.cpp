#include "present/station_day.h"

#include <algorithm>


namespace qw {

DaySamples SampleDay(EngineMinute start, uint32_t minutes, bool curve,
                     const std::function<int32_t(EngineMinute)>& valueAt) {
  DaySamples samples;
  samples.halfHour.assign(minutes / 30, kValueNotDefined);
  if (minutes == 0) return samples;
  bool failed = false;
  auto value = [&](int elapsed) {
    if (failed) return kValueNotDefined;
    const int32_t v = valueAt(start + static_cast<EngineMinute>(elapsed));
    failed = v == kValueFailed;
    return failed ? kValueNotDefined : v;
  };
  const int lastMinute = static_cast<int>(minutes) - 1;
  if (curve) {
    for (int m = 0; m <= static_cast<int>(minutes); m += kFineStepMinutes) {
      samples.fine.push_back(value(std::min(m, lastMinute)));
    }
    static_assert(30 % kFineStepMinutes == 0);
    constexpr size_t kPerHalfHour = 30 / kFineStepMinutes;
    for (size_t i = 0; i < samples.halfHour.size(); ++i) samples.halfHour[i] = samples.fine[i * kPerHalfHour];
  } else {
    for (size_t i = 0; i < samples.halfHour.size(); ++i) samples.halfHour[i] = value(static_cast<int>(i) * 30);
  }
  return samples;
}

}  // namespace qw
