// Engine values in the units and texts the windows show.
//
// The engine gives heights in millionths of a foot and speeds in millionths of a knot.
// The windows draw and print them in display units:
//   feet, knots:       unchanged (millionths of the unit);
//   metres:            (height / 100000, truncated) x 3048, hundred-thousandths of a metre;
//   centimetres:       (height / 1000, truncated) x 3048, hundred-thousandths of a centimetre;
//   metres per second: (speed / 1000, truncated) x 514, millionths of a metre per second.
// One display unit ("scale unit") is therefore 1,000,000 for feet, knots and metres per
// second and 100,000 for metres and centimetres. The reserved value kValueNotDefined
// passes through every conversion unchanged.
#pragma once

#include <cstdint>
#include <string>

#include "settings/app_settings.h"

namespace qw {

int32_t HeightToDisplay(int32_t microFeet, TideUnit unit);
// The same without the truncation to tenths or thousandths of a foot, for drawing a
// continuous curve (the truncated values would draw it as a staircase).
int32_t HeightToDisplayExact(int32_t microFeet, TideUnit unit);
int32_t SpeedToDisplay(int32_t microKnots, CurrentUnit unit);
// A value given in hundredths of a foot (station averages) in display units.
int32_t HundredthsFootToDisplay(int32_t hundredthsFoot, TideUnit unit);
// A value given in hundredths of a knot in display units.
int32_t HundredthsKnotToDisplay(int32_t hundredthsKnot, CurrentUnit unit);

int32_t ScaleUnit(TideUnit unit);
int32_t ScaleUnit(CurrentUnit unit);

const char* UnitName(TideUnit unit);     // "ft", "cm", "m"
const char* UnitName(CurrentUnit unit);  // "kt", "m/s"

// Heights in display units as the windows write them: feet and metres with two
// decimals ("%ld.%02ld ft", "-%ld.%02ld m"), centimetres whole ("%ld cm"); the last
// digit is rounded half away from zero. kValueNotDefined gives "- - " and the unit.
std::string HeightDisplayText(int32_t display, TideUnit unit);
// A height of the minute table, from engine units: as HeightDisplayText, with "---  "
// and the unit where the value is not defined.
std::string TableHeightText(int32_t microFeet, TideUnit unit);

// Speeds in display units with one decimal ("%ld.%ld kt"), signed; kValueNotDefined
// gives "- - " and the unit.
std::string SpeedDisplayText(int32_t display, CurrentUnit unit);

// A time of day: "%d:%02d" with "am"/"pm" (hour 0 shown as 12) or "%02d:%02d".
std::string ClockText(int hour, int minute, TimeType clock);
constexpr const char* kNoTimeText = "--:--";

}  // namespace qw
