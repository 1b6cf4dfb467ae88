// Time scales, the Earth's rotation and the frame conversions of the sun and moon
// computations.
//
// Everything is plain double arithmetic on angles in radians. Time arguments are Julian
// Days or Julian centuries T from J2000.0; the rise and set search passes T on the
// Universal Time scale (UT) for the sidereal time and on the dynamical scale (TD) for
// the positions of the bodies.
#pragma once

namespace qw {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kDegreesToRadians = kPi / 180.0;
constexpr double kArcsecondsToRadians = 4.84813681109536e-6;
// Seconds in a Julian century: 86400 s x 36525 days.
constexpr double kSecondsPerCentury = 3155760000.0;

// x reduced into [0, 2pi).
double NormalizeAngle(double x);
// x reduced into [-pi, pi).
double NormalizeAngleSigned(double x);

// Julian Day of a calendar date; `day` carries the fraction of the day. Dates after
// 4 October 1582 are Gregorian, earlier ones Julian.
double JulianDay(int year, int month, double day);

// Julian centuries from J2000.0: (jd - 2451545) / 36525.
double JulianCenturies(double julianDay);

// Dynamical time minus Universal Time, in seconds, for the instant T (UT). A table from
// 1620 to 2000 (the years 1990-2000 extend its last interval), quadratics outside it.
double DeltaTSeconds(double centuries);

// Greenwich mean sidereal time at T (UT), radians in [0, 2pi).
double GreenwichMeanSiderealTime(double centuries);

// Mean obliquity of the ecliptic at T (TD), radians.
double MeanObliquity(double centuries);

struct EquatorialPosition {
  double rightAscension = 0.0;  // radians, [0, 2pi)
  double declination = 0.0;     // radians
};

// Ecliptic longitude and latitude to right ascension and declination for obliquity epsilon.
EquatorialPosition EclipticToEquatorial(double longitude, double latitude, double obliquity);

}  // namespace qw
