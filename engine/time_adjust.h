// How a local clock minute given to the engine becomes the minute the harmonic sum and the
// extremes cache work in.
//
// The engine is asked in the station's local clock time. Before the sum, the
// "UseGMTCorrection" option may shift the minute (modes 2 and 3), and daylight saving is
// removed so that every sum and every cache key is in the station's standard time.
#pragma once

#include <cstdint>

namespace qw {

// Minutes added by "UseGMTCorrection": mode 2 adds trunc(GMTCorrection x 60); mode 3 adds
// trunc(h x 60) with h = m / 15 hours for the station's time meridian m in degrees (east
// positive), using m + 0.5 when m is not a multiple of 15. Other modes add nothing.
int32_t GmtShiftMinutes(int16_t timeMeridian);

// Minutes subtracted to reach standard time: for the international records 31000..44000
// the international daylight-saving offset of the settings; otherwise 60 when `dstFlag`
// is nonzero and "DaylightSavings" is on; else 0.
int32_t DaylightShiftMinutes(uint16_t record, int dstFlag);

// Records whose daylight saving follows the international correction.
constexpr bool UsesInternationalDaylight(uint16_t record) { return record >= 31000 && record <= 44000; }

}  // namespace qw
