// How a local clock minute given to the engine becomes the minute the harmonic sum and the
// extremes cache work in.
//
// The engine is asked in the station's local clock time. Before the sum, the
// "UseGMTCorrection" option may shift the minute (modes 2 and 3), and daylight saving is
// removed so that every sum and every cache key is in the station's standard time. The
// rule itself lives in time_zone.h; these are its forms for callers that hold a record
// number and a daylight flag the station's class has already been applied to.
#pragma once

#include <cstdint>

namespace qw {

// Minutes added by "UseGMTCorrection" (GmtCorrectionMinutes of time_zone.h): mode 2 adds
// trunc(GMTCorrection x 60); mode 3 adds trunc(h x 60) with h = m / 15 hours for the
// station's time meridian m in degrees (east positive), using m + 0.5 when m is not a
// multiple of 15. Other modes add nothing.
int32_t GmtShiftMinutes(int16_t timeMeridian);

// Minutes subtracted to reach standard time (TideDaylightMinutes of time_zone.h for a
// station that observes daylight saving): for the international records 31000..44000 the
// international daylight-saving offset of the settings; otherwise 60 when `dstFlag` is
// nonzero and "DaylightSavings" is on; else 0. Callers pass 0 as the flag for a station
// that never observes daylight saving.
int32_t DaylightShiftMinutes(uint16_t record, int dstFlag);

}  // namespace qw
