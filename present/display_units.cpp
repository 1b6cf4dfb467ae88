#include "present/display_units.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/engine_values.h"

namespace qw {
namespace {

// |value| / divisor rounded half away from zero, as whole part and `digits` decimals.
std::string Fixed(int32_t value, int64_t divisor, int digits, const char* unit) {
  int64_t magnitude = std::llabs(static_cast<int64_t>(value));
  int64_t scale = 1;
  for (int i = 0; i < digits; ++i) scale *= 10;
  const int64_t step = divisor / scale;  // value units per last digit
  const int64_t units = (magnitude + step / 2) / step;
  const bool negative = value < 0 && units != 0;
  char text[64];
  if (digits == 0) {
    std::snprintf(text, sizeof text, "%s%lld %s", negative ? "-" : "", static_cast<long long>(units), unit);
  } else {
    std::snprintf(text, sizeof text, "%s%lld.%0*lld %s", negative ? "-" : "", static_cast<long long>(units / scale),
                  digits, static_cast<long long>(units % scale), unit);
  }
  return text;
}

}  // namespace

DisplayHeight HeightToDisplay(MicroFeet height, TideUnit unit) {
  const int32_t microFeet = height.raw;
  if (microFeet == kValueNotDefined) return DisplayHeight(microFeet, unit);
  switch (unit) {
    case TideUnit::Metres: return DisplayHeight((microFeet / 100000) * 3048, unit);
    case TideUnit::Centimetres: return DisplayHeight((microFeet / 1000) * 3048, unit);
    case TideUnit::Feet: break;
  }
  return DisplayHeight(microFeet, unit);
}

DisplayHeight HeightToDisplayExact(MicroFeet height, TideUnit unit) {
  const int32_t microFeet = height.raw;
  if (microFeet == kValueNotDefined) return DisplayHeight(microFeet, unit);
  // 1 ft = 0.3048 m: millionths of a foot x 0.03048 = hundred-thousandths of a metre.
  switch (unit) {
    case TideUnit::Metres: return DisplayHeight(static_cast<int32_t>(std::llround(microFeet * 0.03048)), unit);
    case TideUnit::Centimetres: return DisplayHeight(static_cast<int32_t>(std::llround(microFeet * 3.048)), unit);
    case TideUnit::Feet: break;
  }
  return DisplayHeight(microFeet, unit);
}

DisplaySpeed SpeedToDisplay(MicroKnots speed, CurrentUnit unit) {
  const int32_t microKnots = speed.raw;
  if (microKnots == kValueNotDefined || unit == CurrentUnit::Knots) return DisplaySpeed(microKnots, unit);
  return DisplaySpeed((microKnots / 1000) * 514, unit);
}

DisplayHeight HundredthsFootToDisplay(int32_t hundredthsFoot, TideUnit unit) {
  return HeightToDisplay(MicroFeet(hundredthsFoot * 10000), unit);
}

DisplaySpeed HundredthsKnotToDisplay(int32_t hundredthsKnot, CurrentUnit unit) {
  return SpeedToDisplay(MicroKnots(hundredthsKnot * 10000), unit);
}

int32_t ScaleUnit(TideUnit unit) { return unit == TideUnit::Feet ? 1000000 : 100000; }
int32_t ScaleUnit(CurrentUnit) { return 1000000; }

const char* UnitName(TideUnit unit) {
  switch (unit) {
    case TideUnit::Centimetres: return "cm";
    case TideUnit::Metres: return "m";
    case TideUnit::Feet: break;
  }
  return "ft";
}

const char* UnitName(CurrentUnit unit) { return unit == CurrentUnit::Knots ? "kt" : "m/s"; }

std::string HeightDisplayText(DisplayHeight height) {
  const TideUnit unit = height.unit;
  if (height.raw == kValueNotDefined) return std::string("- - ") + UnitName(unit);
  if (unit == TideUnit::Centimetres) return Fixed(height.raw, ScaleUnit(unit), 0, "cm");
  return Fixed(height.raw, ScaleUnit(unit), 2, UnitName(unit));
}

std::string TableHeightText(MicroFeet height, TideUnit unit) {
  if (height.raw == kValueNotDefined) return std::string("---  ") + UnitName(unit);
  return HeightDisplayText(HeightToDisplay(height, unit));
}

std::string SpeedDisplayText(DisplaySpeed speed) {
  if (speed.raw == kValueNotDefined) return std::string("- - ") + UnitName(speed.unit);
  return Fixed(speed.raw, ScaleUnit(speed.unit), 1, UnitName(speed.unit));
}

std::string ClockText(int hour, int minute, TimeType clock) {
  char text[16];
  if (clock == TimeType::Clock24) {
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
  } else {
    const int shown = hour % 12 == 0 ? 12 : hour % 12;
    std::snprintf(text, sizeof text, "%d:%02d %s", shown, minute, hour < 12 ? "am" : "pm");
  }
  return text;
}

}  // namespace qw
