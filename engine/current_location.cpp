#include "engine/current_location.h"

#include <cstring>

#include "engine/byte_order.h"
#include "engine/tide_location.h"

namespace qw {

namespace off = current_location_offset;

void DecodeCurrentLocation(const uint8_t* b, CurrentLocation& out) {
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
  out.slackBeforeFloodTime = ReadI16(b + off::kSlackBeforeFloodTime);
  out.floodTime = ReadI16(b + off::kFloodTime);
  out.floodSpeedRatio = ReadI16(b + off::kFloodSpeedRatio);
  out.slackBeforeEbbTime = ReadI16(b + off::kSlackBeforeEbbTime);
  out.ebbTime = ReadI16(b + off::kEbbTime);
  out.ebbSpeedRatio = ReadI16(b + off::kEbbSpeedRatio);
  out.slackBeforeFloodSpeed = ReadI16(b + off::kSlackBeforeFloodSpeed);
  out.slackBeforeFloodDirection = ReadI16(b + off::kSlackBeforeFloodDirection);
  out.floodSpeed = ReadI16(b + off::kFloodSpeed);
  out.floodDirection = ReadI16(b + off::kFloodDirection);
  out.slackBeforeEbbSpeed = ReadI16(b + off::kSlackBeforeEbbSpeed);
  out.slackBeforeEbbDirection = ReadI16(b + off::kSlackBeforeEbbDirection);
  out.ebbSpeed = ReadI16(b + off::kEbbSpeed);
  out.ebbDirection = ReadI16(b + off::kEbbDirection);
  out.stationKind = ReadI16(b + off::kStationKind);
  out.secondEventTime = ReadI16(b + off::kSecondEventTime);
  out.secondEventRatio = ReadI16(b + off::kSecondEventRatio);
  out.unused102 = ReadI16(b + off::kUnused102);
  out.secondEventDirection = ReadI16(b + off::kSecondEventDirection);
  out.thirdEventTime = ReadI16(b + off::kThirdEventTime);
  out.thirdEventRatio = ReadI16(b + off::kThirdEventRatio);
  out.unused110 = ReadI16(b + off::kUnused110);
  out.thirdEventDirection = ReadI16(b + off::kThirdEventDirection);
  for (int i = 0; i < 3; ++i) out.unused114[i] = ReadI16(b + off::kUnused114 + 2 * i);
  out.referenceId = ReadU16(b + off::kReferenceId);
  out.timeMeridian = ReadI16(b + off::kTimeMeridian);
  out.meterDepth = ReadI16(b + off::kMeterDepth);
  out.unused126 = ReadU8(b + off::kUnused126);
  out.vicinityIndex = ReadU16(b + off::kVicinityIndex);
  out.observesDst = ReadU8(b + off::kObservesDst);
}

void EncodeCurrentLocation(const CurrentLocation& in, uint8_t* b) {
  std::memset(b, 0, kCurrentLocationSize);
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
  WriteI16(b + off::kSlackBeforeFloodTime, in.slackBeforeFloodTime);
  WriteI16(b + off::kFloodTime, in.floodTime);
  WriteI16(b + off::kFloodSpeedRatio, in.floodSpeedRatio);
  WriteI16(b + off::kSlackBeforeEbbTime, in.slackBeforeEbbTime);
  WriteI16(b + off::kEbbTime, in.ebbTime);
  WriteI16(b + off::kEbbSpeedRatio, in.ebbSpeedRatio);
  WriteI16(b + off::kSlackBeforeFloodSpeed, in.slackBeforeFloodSpeed);
  WriteI16(b + off::kSlackBeforeFloodDirection, in.slackBeforeFloodDirection);
  WriteI16(b + off::kFloodSpeed, in.floodSpeed);
  WriteI16(b + off::kFloodDirection, in.floodDirection);
  WriteI16(b + off::kSlackBeforeEbbSpeed, in.slackBeforeEbbSpeed);
  WriteI16(b + off::kSlackBeforeEbbDirection, in.slackBeforeEbbDirection);
  WriteI16(b + off::kEbbSpeed, in.ebbSpeed);
  WriteI16(b + off::kEbbDirection, in.ebbDirection);
  WriteI16(b + off::kStationKind, in.stationKind);
  WriteI16(b + off::kSecondEventTime, in.secondEventTime);
  WriteI16(b + off::kSecondEventRatio, in.secondEventRatio);
  WriteI16(b + off::kUnused102, in.unused102);
  WriteI16(b + off::kSecondEventDirection, in.secondEventDirection);
  WriteI16(b + off::kThirdEventTime, in.thirdEventTime);
  WriteI16(b + off::kThirdEventRatio, in.thirdEventRatio);
  WriteI16(b + off::kUnused110, in.unused110);
  WriteI16(b + off::kThirdEventDirection, in.thirdEventDirection);
  for (int i = 0; i < 3; ++i) WriteI16(b + off::kUnused114 + 2 * i, in.unused114[i]);
  WriteU16(b + off::kReferenceId, in.referenceId);
  WriteI16(b + off::kTimeMeridian, in.timeMeridian);
  WriteI16(b + off::kMeterDepth, in.meterDepth);
  WriteU8(b + off::kUnused126, in.unused126);
  WriteU16(b + off::kVicinityIndex, in.vicinityIndex);
  WriteU8(b + off::kObservesDst, in.observesDst);
}

bool IsSubordinateCurrent(const CurrentLocation& s) {
  return s.slackBeforeFloodTime != 0 || s.floodTime != 0 || s.floodSpeedRatio != 0 ||
         s.slackBeforeEbbTime != 0 || s.ebbTime != 0 || s.ebbSpeedRatio != 0;
}

bool CurrentLocationPosition(const CurrentLocation& s, double& latitude, double& longitude) {
  const int16_t lat[3] = {s.latDegrees, s.latMinutes, s.latSeconds};
  const int16_t lon[3] = {s.lonDegrees, s.lonMinutes, s.lonSeconds};
  return StationPositionDegrees(s.latHemisphere, lat, s.lonHemisphere, lon, latitude, longitude);
}

}  // namespace qw
