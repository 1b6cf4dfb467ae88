// The identity and position fields that open both station records of the region files,
// the tide record (tide_location.h) and the current record (current_location.h): the
// same fields at the same offsets, bytes 0..67. They are described here once; each
// record's field table starts with WalkStationIdentity (walkers: record_fields.h).
#pragma once

#include <cstddef>
#include <cstdint>

namespace qw {

namespace station_identity_offset {
constexpr size_t kKindCode = 0;       // u8
constexpr size_t kStationId = 1;      // u16
constexpr size_t kName = 3;           // char[51], NUL-terminated, at most 50 characters
constexpr size_t kNameSize = 51;
constexpr size_t kLatHemisphere = 54;  // char 'N' / 'S'
constexpr size_t kLatDegrees = 55;     // i16 degrees, minutes, seconds
constexpr size_t kLonHemisphere = 61;  // char 'E' / 'W'
constexpr size_t kLonDegrees = 62;     // i16 degrees, minutes, seconds
constexpr size_t kEnd = 68;            // the record's own fields start here

static_assert(kName == kStationId + 2 && kLatHemisphere == kName + kNameSize);
static_assert(kLatDegrees == kLatHemisphere + 1 && kLonHemisphere == kLatDegrees + 6);
static_assert(kLonDegrees == kLonHemisphere + 1 && kEnd == kLonDegrees + 6);
}  // namespace station_identity_offset

// The identity and position part of a record's field table; Record is TideLocation or
// CurrentLocation (const for an encoder).
template <typename Walker, typename Record>
constexpr void WalkStationIdentity(Walker& w, Record& r) {
  namespace off = station_identity_offset;
  w.U8(off::kKindCode, r.kindCode);
  w.U16(off::kStationId, r.stationId);
  w.Name(off::kName, r.name);
  w.Char(off::kLatHemisphere, r.latHemisphere);
  w.I16(off::kLatDegrees, r.latDegrees);
  w.I16(off::kLatDegrees + 2, r.latMinutes);
  w.I16(off::kLatDegrees + 4, r.latSeconds);
  w.Char(off::kLonHemisphere, r.lonHemisphere);
  w.I16(off::kLonDegrees, r.lonDegrees);
  w.I16(off::kLonDegrees + 2, r.lonMinutes);
  w.I16(off::kLonDegrees + 4, r.lonSeconds);
}

// The position as signed degrees (negative south and west); false when the position is
// missing (a blank hemisphere or all-zero latitude or longitude).
bool StationPositionDegrees(char latHemisphere, const int16_t latDms[3], char lonHemisphere,
                            const int16_t lonDms[3], double& latitude, double& longitude);

// The same for the position fields of a tide or current record.
template <typename Record>
bool StationRecordPosition(const Record& r, double& latitude, double& longitude) {
  const int16_t lat[3] = {r.latDegrees, r.latMinutes, r.latSeconds};
  const int16_t lon[3] = {r.lonDegrees, r.lonMinutes, r.lonSeconds};
  return StationPositionDegrees(r.latHemisphere, lat, r.lonHemisphere, lon, latitude, longitude);
}

}  // namespace qw
