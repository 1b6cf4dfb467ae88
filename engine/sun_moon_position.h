// Geocentric positions of the sun and the moon.
//
// The sun is the geometric position (no nutation, no aberration) from the Earth series
// of earth_series.h, referred to the FK5 frame; the moon is the truncated ELP-2000/82
// series of Meeus' "Astronomical Algorithms" (chapter 45 of the first edition). Both are
// ecliptic coordinates of the mean equinox of date; EclipticToEquatorial with the mean
// obliquity turns them into right ascension and declination.
#pragma once

namespace qw {

struct SunPosition {
  double longitude = 0.0;  // radians, [0, 2pi)
  double latitude = 0.0;   // radians
  double distance = 0.0;   // Earth-sun radius vector of the series, astronomical units
};

struct MoonPosition {
  double longitude = 0.0;  // radians, >= 0 (a value just past 2pi is not reduced)
  double latitude = 0.0;   // radians
  double distanceKm = 0.0; // centre of the Earth to centre of the moon
};

// The sun at T (TD). False when the Earth series cannot be loaded.
bool SunGeocentric(double centuries, SunPosition& out);

// The moon at T (TD; T on the UT scale is good enough when only the distance is wanted).
MoonPosition MoonGeocentric(double centuries);

}  // namespace qw
