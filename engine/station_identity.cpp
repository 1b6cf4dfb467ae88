#include "engine/station_identity.h"

namespace qw {

bool StationPositionDegrees(char latHemisphere, const int16_t latDms[3], char lonHemisphere,
                            const int16_t lonDms[3], double& latitude, double& longitude) {
  if (latHemisphere == ' ' || lonHemisphere == ' ') return false;
  if (latDms[0] == 0 && latDms[1] == 0 && latDms[2] == 0) return false;
  if (lonDms[0] == 0 && lonDms[1] == 0 && lonDms[2] == 0) return false;
  latitude = latDms[0] + latDms[1] / 60.0 + latDms[2] / 3600.0;
  longitude = lonDms[0] + lonDms[1] / 60.0 + lonDms[2] / 3600.0;
  if (latHemisphere == 'S') latitude = -latitude;
  if (lonHemisphere == 'W') longitude = -longitude;
  return true;
}

}  // namespace qw
