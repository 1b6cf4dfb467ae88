// Engine values in the units and texts the windows show.
//
// The engine gives heights in millionths of a foot (MicroFeet) and speeds in millionths
// of a knot (MicroKnots). The windows draw and print them in display units (DisplayHeight,
// DisplaySpeed, which carry their unit, so that a value cannot be passed in the wrong
// unit or written in another unit than it holds):
//   feet, knots:       unchanged (millionths of the unit);
//   metres:            (height / 100000, truncated) x 3048, hundred-thousandths of a metre;
//   centimetres:       (height / 1000, truncated) x 3048, hundred-thousandths of a centimetre;
//   metres per second: (speed / 1000, truncated) x 514, millionths of a metre per second.
// One display unit ("scale unit") is therefore 1,000,000 for feet, knots and metres per
// second and 100,000 for metres and centimetres. The reserved value kValueNotDefined
// passes through every conversion unchanged. The graph data (day_graph.h) keeps the raw
// display numbers with their scale unit.
#pragma once

#include <cstdint>
#include <string>

#include "engine/engine_values.h"
#include "settings/app_settings.h"

namespace qw {

// A height in display units: `raw` millionths of a foot, or hundred-thousandths of a
// metre or of a centimetre, as `unit` says; kValueNotDefined when not defined.
struct DisplayHeight {
  constexpr explicit DisplayHeight(int32_t value, TideUnit displayUnit) : raw(value), unit(displayUnit) {}
  int32_t raw;
  TideUnit unit;
};

// A speed in display units: `raw` millionths of a knot or of a metre per second, signed
// (flood positive); kValueNotDefined when not defined.
struct DisplaySpeed {
  constexpr explicit DisplaySpeed(int32_t value, CurrentUnit displayUnit) : raw(value), unit(displayUnit) {}
  int32_t raw;
  CurrentUnit unit;
};

DisplayHeight HeightToDisplay(MicroFeet height, TideUnit unit);
// The same without the truncation to tenths or thousandths of a foot, for drawing a
// continuous curve (the truncated values would draw it as a staircase).
DisplayHeight HeightToDisplayExact(MicroFeet height, TideUnit unit);
DisplaySpeed SpeedToDisplay(MicroKnots speed, CurrentUnit unit);
// A value given in hundredths of a foot (station averages) in display units.
DisplayHeight HundredthsFootToDisplay(int32_t hundredthsFoot, TideUnit unit);
// A value given in hundredths of a knot in display units.
DisplaySpeed HundredthsKnotToDisplay(int32_t hundredthsKnot, CurrentUnit unit);

// Display units per whole unit: 1,000,000 for feet, knots and metres per second,
// 100,000 for metres and centimetres.
int32_t ScaleUnit(TideUnit unit);
int32_t ScaleUnit(CurrentUnit unit);

const char* UnitName(TideUnit unit);     // "ft", "cm", "m"
const char* UnitName(CurrentUnit unit);  // "kt", "m/s"

// Heights as the windows write them: feet and metres with two decimals ("%ld.%02ld ft",
// "-%ld.%02ld m"), centimetres whole ("%ld cm"); the last digit is rounded half away
// from zero. kValueNotDefined gives "- - " and the unit.
std::string HeightDisplayText(DisplayHeight height);
// A height of the minute table, from engine units: as HeightDisplayText, with "---  "
// and the unit where the value is not defined.
std::string TableHeightText(MicroFeet height, TideUnit unit);

// Speeds with one decimal ("%ld.%ld kt"), signed; kValueNotDefined gives "- - " and the
// unit.
std::string SpeedDisplayText(DisplaySpeed speed);

// A time of day: "%d:%02d" with "am"/"pm" (hour 0 shown as 12) or "%02d:%02d".
std::string ClockText(int hour, int minute, TimeType clock);
constexpr const char* kNoTimeText = "--:--";

}  // namespace qw
