#include "engine/astro_time.h"

#include <cmath>
#include <cstdint>

namespace qw {
namespace {

// Dynamical time minus Universal Time in tenths of a second, every second year from
// 1620 to 1992.
constexpr int16_t kDeltaTTenths[] = {
    1240, 1150, 1060, 980, 910, 850, 790, 740, 700, 650, 620, 580, 550, 530, 500, 480, 460,
    440, 420, 400, 370, 350, 330, 310, 280, 260, 240, 220, 200, 180, 160, 140, 130, 120, 110,
    100, 90, 90, 90, 90, 90, 90, 90, 90, 100, 100, 100, 100, 100, 110, 110, 110, 110, 110, 110,
    110, 110, 120, 120, 120, 120, 120, 130, 130, 130, 130, 140, 140, 140, 150, 150, 150, 150,
    160, 160, 160, 160, 160, 170, 170, 170, 170, 170, 170, 170, 170, 160, 160, 150, 140, 137,
    131, 127, 125, 125, 125, 125, 125, 125, 123, 120, 114, 106, 96, 86, 75, 66, 60, 57, 56, 57,
    59, 62, 65, 68, 71, 73, 75, 77, 78, 79, 75, 64, 54, 29, 16, -10, -27, -36, -47, -54, -52,
    -55, -56, -58, -59, -62, -64, -61, -47, -27, 0, 26, 54, 77, 105, 134, 160, 182, 202, 212,
    224, 235, 239, 243, 240, 239, 239, 237, 240, 243, 253, 262, 273, 282, 291, 300, 307, 314,
    322, 331, 340, 350, 365, 383, 402, 422, 445, 465, 485, 505, 522, 538, 549, 558, 569, 580
};
static_assert(sizeof kDeltaTTenths / sizeof kDeltaTTenths[0] == 187);

}  // namespace

double NormalizeAngle(double x) { return x - kTwoPi * std::floor(x / kTwoPi); }

double NormalizeAngleSigned(double x) { return x - kTwoPi * std::floor(x / kTwoPi + 0.5); }

double JulianDay(int year, int month, double day) {
  int y = year;
  int m = month;
  if (m < 3) {
    y -= 1;
    m += 12;
  }
  // The Gregorian correction applies from 15 October 1582; the test uses the given
  // year and month, before the January/February shift.
  const bool gregorian =
      year > 1582 || (year == 1582 && (month > 10 || (month == 10 && day > 4)));
  const int b = gregorian ? y / 400 - y / 100 + 2 : 0;
  return std::trunc(365.25 * (y + 4716)) + std::trunc(30.6001 * (m + 1)) + day + b - 1524.5;
}

double JulianCenturies(double julianDay) { return (julianDay - 2451545.0) / 36525.0; }

double DeltaTSeconds(double t) {
  const double year = 2000.0 + 100.0 * t;
  if (year > 2000.0) return 102.3 + t * (123.5 + t * 32.5);
  if (year >= 1620.0) {
    const double steps = (year - 1620.0) / 2.0;
    int i = static_cast<int>(steps);
    if (i > 185) i = 185;
    const double f = steps - i;
    return (kDeltaTTenths[i] + (kDeltaTTenths[i + 1] - kDeltaTTenths[i]) * f) / 10.0;
  }
  if (year >= 948.0) return 50.6 + t * (67.5 + t * 22.5);
  return 2715.6 + t * (573.36 + t * 46.5);
}

double GreenwichMeanSiderealTime(double t) {
  // 13185000.770053742 is 360.98564736629 degrees a day times 36525 days.
  const double degrees = 280.46061837 + t * (13185000.770053742 + t * (0.000387933 - t / 38710000.0));
  return NormalizeAngle(degrees * kDegreesToRadians);
}

double MeanObliquity(double t) {
  constexpr double kCoefficients[] = {2.45,    5.79,   27.87,    7.12,     -39.05,  -249.67,
                                      -51.38,  1999.25, -1.55,   -4680.93, 84381.448};
  const double u = t / 100.0;
  double seconds = 0.0;
  for (double c : kCoefficients) seconds = seconds * u + c;
  return seconds * kArcsecondsToRadians;
}

EquatorialPosition EclipticToEquatorial(double longitude, double latitude, double obliquity) {
  const double sinE = std::sin(obliquity), cosE = std::cos(obliquity);
  const double sinB = std::sin(latitude), cosB = std::cos(latitude);
  const double sinL = std::sin(longitude);
  EquatorialPosition out;
  out.rightAscension = std::atan2(cosB * sinL * cosE - sinB * sinE, cosB * std::cos(longitude));
  if (out.rightAscension < 0.0) out.rightAscension += kTwoPi;
  out.declination = std::asin(cosE * sinB + sinL * cosB * sinE);
  return out;
}

}  // namespace qw
