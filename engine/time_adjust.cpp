#include "engine/time_adjust.h"

#include "engine/time_zone.h"

namespace qw {

int32_t GmtShiftMinutes(int16_t timeMeridian) { return GmtCorrectionMinutes(timeMeridian); }

int32_t DaylightShiftMinutes(uint16_t record, int dstFlag) {
  const StationZone zone{0, record, kDstNorthAmerican};
  return TideDaylightMinutes(zone, dstFlag != 0 ? 1 : 0);
}

}  // namespace qw
