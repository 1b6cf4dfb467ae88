#include "engine/sun_moon_position.h"

#include <cmath>
#include <cstdint>

#include "engine/astro_time.h"
#include "engine/earth_series.h"

namespace qw {
namespace {

// One periodic term of the lunar series: integer multiples of the mean elongation D,
// the sun's mean anomaly M, the moon's mean anomaly M' and the argument of latitude F.
struct MoonTermLR {
  int8_t d, m, mp, f;
  int32_t longitude;  // millionths of a degree, sine term
  int32_t distance;   // metres, cosine term
};
struct MoonTermB {
  int8_t d, m, mp, f;
  int32_t latitude;  // millionths of a degree, sine term
};

// Longitude (millionths of a degree) and distance (metres) terms: multiples of D, M, M', F.
constexpr MoonTermLR kLongitudeDistance[] = {
    {0, 0, 1, 0, 6288774, -20905355},
    {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},
    {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},
    {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},
    {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},
    {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},
    {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},
    {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},
    {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},
    {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},
    {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},
    {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},
    {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},
    {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},
    {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},
    {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},
    {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},
    {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},
    {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},
    {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},
    {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},
    {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},
    {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},
    {2, 0, -1, -2, 0, 8752},
};
constexpr MoonTermB kLatitude[] = {
    {0, 0, 0, 1, 5128122},
    {0, 0, 1, 1, 280602},
    {0, 0, 1, -1, 277693},
    {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},
    {2, 0, -1, -1, 46271},
    {2, 0, 0, 1, 32573},
    {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},
    {0, 0, 2, -1, 8822},
    {2, -1, 0, -1, 8216},
    {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},
    {2, 1, 0, -1, -3359},
    {2, -1, -1, 1, 2463},
    {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065},
    {0, 1, -1, -1, -1870},
    {4, 0, -1, -1, 1828},
    {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},
    {0, 1, -1, 1, -1565},
    {1, 0, 0, 1, -1491},
    {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},
    {0, 1, 0, -1, -1344},
    {1, 0, 0, -1, -1335},
    {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},
    {4, 0, -1, 1, 833},
    {0, 0, 1, -3, 777},
    {4, 0, -2, 1, 671},
    {2, 0, 0, -3, 607},
    {2, 0, 2, -1, 596},
    {2, -1, 1, -1, 491},
    {2, 0, -2, 1, -451},
    {0, 0, 3, -1, 439},
    {2, 0, 2, 1, 422},
    {2, 0, -3, -1, 421},
    {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},
    {4, 0, 0, 1, 331},
    {2, -1, 1, 1, 315},
    {2, -2, 0, -1, 302},
    {0, 0, 1, 3, -283},
    {2, 1, 1, -1, -229},
    {1, 1, 0, -1, 223},
    {1, 1, 0, 1, 223},
    {0, 1, -2, -1, -220},
    {2, 1, -1, -1, -220},
    {1, 0, 1, 1, -185},
    {2, -1, -2, -1, 181},
    {0, 1, 2, 1, -177},
    {4, 0, -2, -1, 176},
    {4, -1, -1, -1, 166},
    {1, 0, 1, -1, -164},
    {4, 0, 1, -1, 132},
    {1, 0, -1, -1, -119},
    {4, -1, 0, -1, 115},
    {2, -2, 0, 1, 107},
};
static_assert(sizeof kLongitudeDistance / sizeof kLongitudeDistance[0] == 60);
static_assert(sizeof kLatitude / sizeof kLatitude[0] == 60);

// A polynomial in T from the constant term up, in degrees, reduced into [0, 2pi) radians.
double MeanArgument(double c0, double c1, double c2, double c3, double c4, double t) {
  return NormalizeAngle((c0 + t * (c1 + t * (c2 + t * (c3 + t * c4)))) * kDegreesToRadians);
}

// The eccentricity factor of a term: E for multiples +-M, E^2 for +-2M.
double EccentricityFactor(int m, double e) {
  if (m == 1 || m == -1) return e;
  if (m == 2 || m == -2) return e * e;
  return 1.0;
}

}  // namespace

bool SunGeocentric(double t, SunPosition& out) {
  HeliocentricPosition earth;
  if (!EarthHeliocentric(0, t, earth)) return false;
  out.longitude = NormalizeAngle(earth.longitude + kPi);
  out.latitude = -earth.latitude;
  out.distance = earth.radius;
  return true;
}

MoonPosition MoonGeocentric(double t) {
  const double lp = MeanArgument(218.3164591, 481267.88134236, -0.0013268, 1.0 / 538841.0, -1.0 / 65194000.0, t);
  const double d = MeanArgument(297.8502042, 445267.1115168, -0.0016300, 1.0 / 545868.0, -1.0 / 113065000.0, t);
  const double m = MeanArgument(357.5291092, 35999.0502909, -0.0001536, 1.0 / 24490000.0, 0.0, t);
  const double mp = MeanArgument(134.9634114, 477198.8676313, 0.0089970, 1.0 / 69699.0, -1.0 / 14712000.0, t);
  const double f = MeanArgument(93.2720993, 483202.0175273, -0.0034029, -1.0 / 3526000.0, 1.0 / 863310000.0, t);
  const double e = 1.0 - t * (0.002516 + t * 0.0000074);

  const double a1 = (119.75 + 131.849 * t) * kDegreesToRadians;
  const double a2 = (53.09 + 479264.290 * t) * kDegreesToRadians;
  const double a3 = (313.45 + 481266.484 * t) * kDegreesToRadians;

  double sumL = 0.0, sumR = 0.0, sumB = 0.0;  // degrees, kilometres, degrees
  for (const MoonTermLR& term : kLongitudeDistance) {
    const double argument = term.d * d + term.m * m + term.mp * mp + term.f * f;
    const double factor = EccentricityFactor(term.m, e);
    if (term.longitude != 0) sumL += term.longitude * 1e-6 * factor * std::sin(argument);
    if (term.distance != 0) sumR += term.distance * 1e-3 * factor * std::cos(argument);
  }
  for (const MoonTermB& term : kLatitude) {
    const double argument = term.d * d + term.m * m + term.mp * mp + term.f * f;
    sumB += term.latitude * 1e-6 * EccentricityFactor(term.m, e) * std::sin(argument);
  }
  // Additive terms: Venus (A1), Jupiter (A2) and the flattening of the Earth (L' - F).
  sumL += 0.003958 * std::sin(a1) + 0.001962 * std::sin(lp - f) + 0.000318 * std::sin(a2);
  sumB += -0.002235 * std::sin(lp) + 0.000382 * std::sin(a3) + 0.000175 * std::sin(a1 - f) +
          0.000175 * std::sin(a1 + f) + 0.000127 * std::sin(lp - mp) - 0.000115 * std::sin(lp + mp);

  MoonPosition out;
  out.longitude = lp + sumL * kDegreesToRadians;
  while (out.longitude < 0.0) out.longitude += kTwoPi;
  out.latitude = sumB * kDegreesToRadians;
  out.distanceKm = 385000.56 + sumR;
  return out;
}

}  // namespace qw
