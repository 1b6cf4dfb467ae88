#include "engine/time_adjust.h"

#include <cmath>

#include "engine/engine_settings.h"

namespace qw {

int32_t GmtShiftMinutes(int16_t timeMeridian) {
  const EngineSettings& settings = Settings();
  if (settings.useGmtCorrection == 2) {
    const double minutes = std::trunc(settings.gmtCorrectionHours * 60.0);
    // The setting is typed by the user: anything beyond a week either way is not a time
    // zone and is clamped so the shift stays a sane minute count.
    if (!std::isfinite(minutes)) return 0;
    return static_cast<int32_t>(std::fmax(-10080.0, std::fmin(10080.0, minutes)));
  }
  if (settings.useGmtCorrection == 3) {
    const double meridian = timeMeridian % 15 != 0 ? timeMeridian + 0.5 : timeMeridian;
    return static_cast<int32_t>(std::trunc(meridian / 15.0 * 60.0));
  }
  return 0;
}

int32_t DaylightShiftMinutes(uint16_t record, int dstFlag) {
  const EngineSettings& settings = Settings();
  if (UsesInternationalDaylight(record)) return settings.intlDaylightMinutes;
  if (dstFlag != 0 && settings.daylightSavings) return 60;
  return 0;
}

}  // namespace qw
