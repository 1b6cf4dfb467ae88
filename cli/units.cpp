#include "cli/units.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "cli/cli_errors.h"
#include "engine/engine_values.h"

namespace qw::cli {

HeightUnit ParseHeightUnit(std::string_view text) {
  if (text == "ft") return HeightUnit::Feet;
  if (text == "m") return HeightUnit::Metres;
  if (text == "cm") return HeightUnit::Centimetres;
  throw UsageError("--units must be ft, m or cm, not '" + std::string(text) + "'");
}

const char* HeightUnitName(HeightUnit unit) {
  switch (unit) {
    case HeightUnit::Feet: return "ft";
    case HeightUnit::Metres: return "m";
    case HeightUnit::Centimetres: return "cm";
  }
  return "";
}

ShortText HeightValueText(MicroFeet height, HeightUnit unit) {
  if (height.raw == kValueNotDefined || height.raw == kValueFailed) return {};
  const double feet = height.raw / 1e6;
  switch (unit) {
    case HeightUnit::Feet: return MillionthsText(height.raw);
    case HeightUnit::Metres: return FixedText(feet * 0.3048, 3);
    case HeightUnit::Centimetres: return FixedText(feet * 30.48, 1);
  }
  return {};
}

std::string FormatHeight(MicroFeet height, HeightUnit unit) { return std::string(HeightValueText(height, unit).view()); }

SpeedUnit ParseSpeedUnit(std::string_view text) {
  if (text == "kt") return SpeedUnit::Knots;
  if (text == "mps") return SpeedUnit::MetresPerSecond;
  throw UsageError("--units must be kt or mps, not '" + std::string(text) + "'");
}

const char* SpeedUnitName(SpeedUnit unit) { return unit == SpeedUnit::Knots ? "kt" : "mps"; }

ShortText SpeedValueText(MicroKnots speed, SpeedUnit unit) {
  if (speed.raw == kValueNotDefined || speed.raw == kValueFailed) return {};
  const double knots = speed.raw / 1e6;
  return unit == SpeedUnit::Knots ? MillionthsText(speed.raw) : FixedText(knots * 1852.0 / 3600.0, 3);
}

std::string FormatSpeed(MicroKnots speed, SpeedUnit unit) { return std::string(SpeedValueText(speed, unit).view()); }

ShortText DirectionText(int16_t degrees) {
  ShortText text;
  if (degrees == kNotGiven16 || degrees < 0) return text;
  const auto result = std::to_chars(text.chars, text.chars + sizeof text.chars, static_cast<int>(degrees));
  const size_t digits = static_cast<size_t>(result.ptr - text.chars);
  const size_t zeros = digits < 3 ? 3 - digits : 0;
  std::memmove(text.chars + zeros, text.chars, digits);
  std::fill_n(text.chars, zeros, '0');
  text.size = static_cast<uint8_t>(digits + zeros);
  return text;
}

std::string FormatDirection(int16_t degrees) { return std::string(DirectionText(degrees).view()); }

}  // namespace qw::cli
