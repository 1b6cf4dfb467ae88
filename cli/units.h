// Height units for display and export, converted from the engine's millionths of a foot.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qw::cli {

enum class HeightUnit { Feet, Metres, Centimetres };

// "ft", "m" or "cm"; a usage error for anything else.
HeightUnit ParseHeightUnit(std::string_view text);
const char* HeightUnitName(HeightUnit unit);

// The height in the unit with the unit's precision (ft and m to 3 decimals, cm to 1),
// without the unit; "" for a value that is not defined. The conversion is exact
// (1 ft = 0.3048 m) so that other predictors can be compared.
std::string FormatHeight(int32_t heightMicroFeet, HeightUnit unit);

}  // namespace qw::cli
