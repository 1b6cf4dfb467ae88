// Height and speed units for display and export, converted from the engine's millionths
// of a foot and millionths of a knot.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/block_output.h"
#include "engine/engine_values.h"

namespace qw::cli {

enum class HeightUnit { Feet, Metres, Centimetres };

// "ft", "m" or "cm"; a usage error for anything else.
HeightUnit ParseHeightUnit(std::string_view text);
const char* HeightUnitName(HeightUnit unit);

// The height in the unit with the unit's precision (ft and m to 3 decimals, cm to 1),
// without the unit; "" for a value that is not defined. The conversion is exact
// (1 ft = 0.3048 m) so that other predictors can be compared.
std::string FormatHeight(MicroFeet height, HeightUnit unit);
ShortText HeightValueText(MicroFeet height, HeightUnit unit);

enum class SpeedUnit { Knots, MetresPerSecond };

// "kt" or "mps"; a usage error for anything else.
SpeedUnit ParseSpeedUnit(std::string_view text);
const char* SpeedUnitName(SpeedUnit unit);

// The signed speed in the unit to 3 decimals, without the unit; "" for a value that is
// not defined or failed. 1 knot = 1852 m per hour exactly.
std::string FormatSpeed(MicroKnots speed, SpeedUnit unit);
ShortText SpeedValueText(MicroKnots speed, SpeedUnit unit);

// A direction in whole degrees true as three digits ("005"); "" when not given.
std::string FormatDirection(int16_t degrees);
ShortText DirectionText(int16_t degrees);

}  // namespace qw::cli
