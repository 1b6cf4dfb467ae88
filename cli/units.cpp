#include "cli/units.h"

#include <cstdio>

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

std::string FormatHeight(MicroFeet height, HeightUnit unit) {
  if (height.raw == kValueNotDefined || height.raw == kValueFailed) return "";
  const double feet = height.raw / 1e6;
  char text[32];
  switch (unit) {
    case HeightUnit::Feet: std::snprintf(text, sizeof text, "%.3f", feet); break;
    case HeightUnit::Metres: std::snprintf(text, sizeof text, "%.3f", feet * 0.3048); break;
    case HeightUnit::Centimetres: std::snprintf(text, sizeof text, "%.1f", feet * 30.48); break;
  }
  std::string out = text;
  if (out == "-0.000" || out == "-0.0") out.erase(0, 1);  // no signed zero
  return out;
}

SpeedUnit ParseSpeedUnit(std::string_view text) {
  if (text == "kt") return SpeedUnit::Knots;
  if (text == "mps") return SpeedUnit::MetresPerSecond;
  throw UsageError("--units must be kt or mps, not '" + std::string(text) + "'");
}

const char* SpeedUnitName(SpeedUnit unit) { return unit == SpeedUnit::Knots ? "kt" : "mps"; }

std::string FormatSpeed(MicroKnots speed, SpeedUnit unit) {
  if (speed.raw == kValueNotDefined || speed.raw == kValueFailed) return "";
  const double knots = speed.raw / 1e6;
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", unit == SpeedUnit::Knots ? knots : knots * 1852.0 / 3600.0);
  std::string out = text;
  if (out == "-0.000") out.erase(0, 1);  // no signed zero
  return out;
}

std::string FormatDirection(int16_t degrees) {
  if (degrees == kNotGiven16 || degrees < 0) return "";
  char text[8];
  std::snprintf(text, sizeof text, "%03d", static_cast<int>(degrees));
  return text;
}

}  // namespace qw::cli
