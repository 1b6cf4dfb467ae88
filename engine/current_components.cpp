#include "engine/current_components.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/data_layouts.h"

namespace qw {
namespace {

constexpr double kDegreesPerRadian = 57.295779;

int32_t ToMicroKnots(double knots) {
  const double micro = std::trunc(knots * 1000000.0);
  return static_cast<int32_t>(std::clamp(micro, -2147483646.0, 2147483646.0));
}

// An axis direction in tenths of a degree brought into 0..3599.
int NormalTenths(int tenths) { return ((tenths % 3600) + 3600) % 3600; }

// The resultant of the north and east totals (any unit), signed by the sign rule. A total
// that is exactly zero on one axis leaves the other axis's direction: north or south,
// east or west.
template <typename T>
void Resultant(T north, T east, double unitsPerKnot, int16_t ebbDegrees, CombinedCurrent& out) {
  int direction;
  double magnitudeKnots;
  if (east == 0) {
    direction = north >= 0 ? 0 : 180;
    magnitudeKnots = std::abs(static_cast<double>(north)) / unitsPerKnot;
  } else if (north == 0) {
    direction = east > 0 ? 90 : 270;
    magnitudeKnots = std::abs(static_cast<double>(east)) / unitsPerKnot;
  } else {
    const double n = static_cast<double>(north) / unitsPerKnot;
    const double e = static_cast<double>(east) / unitsPerKnot;
    magnitudeKnots = std::sqrt(n * n + e * e);
    // Rounded to the nearest degree on both sides of north (truncating x + 0.5 would pull
    // the western half up to 1.5 degrees towards north).
    direction = static_cast<int>(std::floor(std::atan2(e, n) * kDegreesPerRadian + 0.5));
    if (direction < 0) direction += 360;
    if (direction >= 360) direction -= 360;
  }
  const int32_t magnitude = ToMicroKnots(magnitudeKnots);
  out.speedMicroKnots = IsEbbDirection(direction, ebbDegrees) ? -magnitude : magnitude;
  out.directionDegrees = static_cast<int16_t>(direction);
}

// A one-group station: the axis sum is the signed speed already.
CombinedCurrent SingleAxis(int32_t speed, int16_t axisTenths, int16_t ebbDegrees) {
  CombinedCurrent out;
  out.speedMicroKnots = speed;
  const int axis = NormalTenths(axisTenths) / 10;
  if (speed >= 0) {
    out.directionDegrees = static_cast<int16_t>(axis);
  } else if (ebbDegrees >= 0 && ebbDegrees < 360) {
    out.directionDegrees = ebbDegrees;
  } else {
    out.directionDegrees = static_cast<int16_t>((axis + 180) % 360);
  }
  return out;
}

// t x sum / 1,000,000 for a table value t (millionths) and a sum in millionths of a knot,
// in the integer steps the combiner prescribes (the last digit of the sum is dropped).
int64_t TableProduct(int64_t t, int64_t sum) {
  return (t * (sum / 10000) + t * ((sum / 10) % 1000) / 1000) / 100;
}

}  // namespace

bool IsEbbDirection(int direction, int ebbDegrees) {
  int lo = ebbDegrees - 90;
  if (lo < 0) lo += 360;
  int hi = ebbDegrees + 90;
  if (hi >= 360) hi -= 360;
  if (lo < hi) return lo <= direction && direction < hi;
  return direction >= lo || direction < hi;
}

double HydraulicRootKnots(double sumKnots) {
  if (sumKnots == 0) return 0;
  return sumKnots > 0 ? std::sqrt(sumKnots) : -std::sqrt(-sumKnots);
}

int32_t HydraulicRootMicroKnots(int32_t sumMicroKnots) {
  return ToMicroKnots(HydraulicRootKnots(sumMicroKnots / 1000000.0));
}

double CompressStrongCurrentKnots(double v) {
  if (v >= 12.95) return 9.6;
  if (v <= -12.95) return -9.6;
  if (v >= 7.55) return 7.55 + (v - 7.55) / 5.4 * 2.05;
  if (v <= -7.55) return -7.55 + (v + 7.55) / 5.4 * 2.05;
  return v;
}

CombinedCurrent CombineCurrentComponentsReal(const double* sums, const int16_t* directions, int count,
                                             int16_t ebbDegrees) {
  if (count == 1) return SingleAxis(ToMicroKnots(sums[0]), directions[0], ebbDegrees);
  double north = 0, east = 0;
  for (int i = 0; i < count; ++i) {
    const int d = NormalTenths(directions[i]);
    if (d == 0) {
      north += sums[i];
    } else if (d == 900) {
      east += sums[i];
    } else {
      const double angle = d / 10.0 / kDegreesPerRadian;
      north += sums[i] * std::cos(angle);
      east += sums[i] * std::sin(angle);
    }
  }
  CombinedCurrent out;
  Resultant(north, east, 1.0, ebbDegrees, out);
  return out;
}

CombinedCurrent CombineCurrentComponentsInt(const int32_t* sums, const int16_t* directions, int count,
                                            int16_t ebbDegrees, const int32_t* table) {
  if (count == 1) return SingleAxis(sums[0], directions[0], ebbDegrees);
  int64_t north = 0, east = 0;
  for (int i = 0; i < count; ++i) {
    const int d = NormalTenths(directions[i]);
    const int64_t sum = sums[i];
    if (d == 0) {
      north += sum;
    } else if (d == 900) {
      east += sum;
    } else {
      // 3600 tenths of a degree are 8192 table steps.
      const int angle = d * 227555 / 100000;
      const int quarter = angle / kCosineQuarterSteps;
      const int m = angle % kCosineQuarterSteps;
      const int64_t c = table[m], s = table[kCosineQuarterSteps - m];
      int64_t cosine, sine;
      switch (quarter) {
        case 0: cosine = c; sine = s; break;
        case 1: cosine = -s; sine = c; break;
        case 2: cosine = -c; sine = -s; break;
        default: cosine = s; sine = -c; break;
      }
      north += TableProduct(cosine, sum);
      east += TableProduct(sine, sum);
    }
  }
  CombinedCurrent out;
  Resultant(north, east, 1000000.0, ebbDegrees, out);
  return out;
}

}  // namespace qw
