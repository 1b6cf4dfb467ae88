// The texts of the real-time window: the value now, the next change with its
// count-down, and the caption strip's date and time.
#pragma once

#include <QDateTime>
#include <cstdint>
#include <string>

#include "engine/engine_values.h"
#include "engine/region_files.h"
#include "settings/app_settings.h"

namespace qw {

// The count-down to an event `minutes` ahead (h = minutes / 60, n = minutes % 60):
//   tides:    " %d%s %d%s" with h and "hr"/"hrs", n and "min"/"mins" when h > 0, else " %d%s";
//   currents: the same after " in", and nothing at all when h and n are both 0.
std::string CountdownText(int minutes, StationKind kind);

// A height now in the display unit: "%ld.%ld ft" (tenths of a foot), "%ld cm",
// "%ld.%02ld m" (hundredths of a metre), rounded half away from zero, a leading "-" when
// negative; "unpredictable" when the height is not defined.
std::string RealTimeHeightText(MicroFeet height, TideUnit unit);

// A speed now: the magnitude in tenths, "%ld.%ld kt" or "%ld.%ld m/s" ("0.0 kt" when
// zero); "- - kt" or "- - m/s" when the speed is not defined.
std::string RealTimeSpeedText(MicroKnots speed, CurrentUnit unit);

// " fld", " ebb", " slk", " max", " min" after the speed for the letters F, E, S, M, m.
const char* CurrentStateSuffix(char kind);

// The next high or low water: "high tide" / "low tide" when it falls in the present
// minute, else "next high tide (%s) in" / "next low tide (%s) in" with the event's
// height text and the count-down.
std::string NextTideText(char kind, const std::string& heightText, int minutesAhead);

// The next current event with its count-down: "next max flood (%s at %d°) ", "next max
// ebb (%s at %d°) ", "slack water", "Max rotary (%s)", "Min rotary (%s)" or "Unknown
// current in "; "Next change unpredictable" when the event's speed is not defined. A
// missing direction leaves out " at %d°".
std::string NextCurrentText(char kind, MicroKnots speed, int16_t direction, CurrentUnit unit, int minutesAhead);

// The caption strip: "Real Time   " then the weekday, month, day and year ("Tue Mar 3,
// 2026") and the time ("10:02 am" on the 12-hour clock, "22:02" on the 24-hour clock).
std::string CaptionText(const QDateTime& localNow, TimeType clock);

}  // namespace qw
