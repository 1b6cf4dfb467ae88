// The settings the engine reads, filled by the application from its settings store.
//
// The engine never reads a settings file itself: the desktop program copies the
// relevant keys of section "Options" here at start-up and whenever the user changes
// them; the command-line tool sets them from its options; tests set them directly.
#pragma once

#include <cstdint>

namespace qw {

struct EngineSettings {
  // "MathType": first letter, lower-cased. 'f' sums in floating point; any other
  // letter uses the integer form with the cosine table.
  char mathType = 'f';
  // "UseGMTCorrection": 0 off; 1 shift "now"; 2 shift predictions by gmtCorrectionHours;
  // 3 shift predictions by the station's time meridian.
  int useGmtCorrection = 0;
  // "GMTCorrection": hours, may be fractional or negative.
  double gmtCorrectionHours = 0.0;
  // "DaylightSavings": true, each station's own clock (its zone's civil time,
  // station_clock.h); false, standard time all year. The earlier whole-day rule
  // (time_zone.h) reads it as: daylight-saving days are treated as standard time.
  bool daylightSavings = true;
  // "IntlDaylightSavings": minutes. The station clocks add it, all year, to stations of
  // daylight-saving class 2 whose zone is not known; the earlier whole-day rule to the
  // tide stations of the international family (harmonic records 31000..44000).
  int16_t intlDaylightMinutes = 0;
  // "UseUserSlack": when on, userSlackValue sets the speed below which a current counts
  // as slack (for a single value) and, never below 0.3 knot, the speed up to which a
  // minimum of the current is reported as a slack event.
  bool useUserSlack = false;
  // "UserSlackValue": knots; the options dialog keeps it within 0.10..0.60.
  double userSlackValue = 0.1;
};

// The one engine-wide settings instance.
EngineSettings& Settings();

}  // namespace qw
