#include "engine/tide_location.h"

#include <cstring>

#include "engine/byte_order.h"

namespace qw {

namespace off = tide_location_offset;

void DecodeTideLocation(const uint8_t* b, TideLocation& out) {
  out.kindCode = ReadU8(b + off::kKindCode);
  out.stationId = ReadU16(b + off::kStationId);
  std::memcpy(out.name, b + off::kName, sizeof out.name);
  out.name[50] = '\0';
  out.latHemisphere = static_cast<char>(b[off::kLatHemisphere]);
  out.latDegrees = ReadI16(b + off::kLatDegrees);
  out.latMinutes = ReadI16(b + off::kLatDegrees + 2);
  out.latSeconds = ReadI16(b + off::kLatDegrees + 4);
  out.lonHemisphere = static_cast<char>(b[off::kLonHemisphere]);
  out.lonDegrees = ReadI16(b + off::kLonDegrees);
  out.lonMinutes = ReadI16(b + off::kLonDegrees + 2);
  out.lonSeconds = ReadI16(b + off::kLonDegrees + 4);
  out.highTimeOffset = ReadI16(b + off::kHighTimeOffset);
  out.highHeightDiff = ReadI16(b + off::kHighHeightDiff);
  out.highHeightRatio = ReadI16(b + off::kHighHeightRatio);
  out.lowTimeOffset = ReadI16(b + off::kLowTimeOffset);
  out.lowHeightDiff = ReadI16(b + off::kLowHeightDiff);
  out.lowHeightRatio = ReadI16(b + off::kLowHeightRatio);
  out.meanRange = ReadI16(b + off::kMeanRange);
  out.meanHigherHighWater = ReadI16(b + off::kMeanHigherHighWater);
  out.meanTideLevel = ReadI16(b + off::kMeanTideLevel);
  out.extremeRule = ReadI16(b + off::kExtremeRule);
  out.unused88[0] = ReadI16(b + off::kUnused88);
  out.unused88[1] = ReadI16(b + off::kUnused88 + 2);
  out.referenceId = ReadU16(b + off::kReferenceId);
  out.timeMeridian = ReadI16(b + off::kTimeMeridian);
  out.flags = ReadU8(b + off::kFlags);
  out.vicinityIndex = ReadU16(b + off::kVicinityIndex);
  out.observesDst = ReadU8(b + off::kObservesDst);
}

void EncodeTideLocation(const TideLocation& in, uint8_t* b) {
  std::memset(b, 0, kTideLocationSize);
  WriteU8(b + off::kKindCode, in.kindCode);
  WriteU16(b + off::kStationId, in.stationId);
  std::memcpy(b + off::kName, in.name, strnlen(in.name, 50));
  b[off::kLatHemisphere] = static_cast<uint8_t>(in.latHemisphere);
  WriteI16(b + off::kLatDegrees, in.latDegrees);
  WriteI16(b + off::kLatDegrees + 2, in.latMinutes);
  WriteI16(b + off::kLatDegrees + 4, in.latSeconds);
  b[off::kLonHemisphere] = static_cast<uint8_t>(in.lonHemisphere);
  WriteI16(b + off::kLonDegrees, in.lonDegrees);
  WriteI16(b + off::kLonDegrees + 2, in.lonMinutes);
  WriteI16(b + off::kLonDegrees + 4, in.lonSeconds);
  WriteI16(b + off::kHighTimeOffset, in.highTimeOffset);
  WriteI16(b + off::kHighHeightDiff, in.highHeightDiff);
  WriteI16(b + off::kHighHeightRatio, in.highHeightRatio);
  WriteI16(b + off::kLowTimeOffset, in.lowTimeOffset);
  WriteI16(b + off::kLowHeightDiff, in.lowHeightDiff);
  WriteI16(b + off::kLowHeightRatio, in.lowHeightRatio);
  WriteI16(b + off::kMeanRange, in.meanRange);
  WriteI16(b + off::kMeanHigherHighWater, in.meanHigherHighWater);
  WriteI16(b + off::kMeanTideLevel, in.meanTideLevel);
  WriteI16(b + off::kExtremeRule, in.extremeRule);
  WriteI16(b + off::kUnused88, in.unused88[0]);
  WriteI16(b + off::kUnused88 + 2, in.unused88[1]);
  WriteU16(b + off::kReferenceId, in.referenceId);
  WriteI16(b + off::kTimeMeridian, in.timeMeridian);
  WriteU8(b + off::kFlags, in.flags);
  WriteU16(b + off::kVicinityIndex, in.vicinityIndex);
  WriteU8(b + off::kObservesDst, in.observesDst);
}

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

bool TideLocationPosition(const TideLocation& s, double& latitude, double& longitude) {
  const int16_t lat[3] = {s.latDegrees, s.latMinutes, s.latSeconds};
  const int16_t lon[3] = {s.lonDegrees, s.lonMinutes, s.lonSeconds};
  return StationPositionDegrees(s.latHemisphere, lat, s.lonHemisphere, lon, latitude, longitude);
}

}  // namespace qw
