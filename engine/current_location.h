// The 130-byte current station record of the region files ("curr<n>.dat"), in file order.
//
// The record shares its identity part with the tide station record (kind code, station
// id, name, position: station_identity.h; six correction fields at 68..79) and adds the
// current-side fields: average speeds and directions of the four phases, the station kind
// with its double events, the reference harmonic file, time meridian, meter depth,
// vicinity link and the daylight flag. DecodeCurrentLocation and EncodeCurrentLocation are
// the only code that touches its bytes; both walk one field table.
//
// Every int16 field except the identity and position fields uses kNotGiven16 for a value
// the data does not give. Times are minutes, speeds hundredths of a knot, ratios
// hundredths (100 = x1.00), directions degrees true 0..359.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/engine_values.h"
#include "engine/station_identity.h"

namespace qw {

constexpr size_t kCurrentLocationSize = 130;

// Values of CurrentLocation::stationKind.
constexpr int16_t kCurrentKindOrdinary = 0;
constexpr int16_t kCurrentKindRotary = 1;           // "Current is rotary in nature."
constexpr int16_t kCurrentKindWeakVariable = 2;     // computed like kind 0
constexpr int16_t kCurrentKindMayDoubleEbb = -1;    // "Current may double ebb."
constexpr int16_t kCurrentKindMayDoubleFlood = -2;  // "Current may double flood."
constexpr int16_t kCurrentKindEbbsMostly = -3;      // "Current ebbs most of the time."

// The defaults describe a harmonic (reference) station that gives no averages,
// directions or double events.
struct CurrentLocation {
  uint8_t kindCode = 0;      // 'c' (99) in custom locations
  uint16_t stationId = 0;    // the station's own number; for a rotary station also its table number
  char name[51] = {};        // NUL-terminated, at most 50 characters
  char latHemisphere = ' ';  // 'N' or 'S'; ' ' when the position is missing
  int16_t latDegrees = 0, latMinutes = 0, latSeconds = 0;
  char lonHemisphere = ' ';  // 'E' or 'W'; ' ' when missing
  int16_t lonDegrees = 0, lonMinutes = 0, lonSeconds = 0;
  // Subordinate corrections: a station is subordinate when any of these six is nonzero.
  int16_t slackBeforeFloodTime = 0;  // minutes added to the reference slack before flood
  int16_t floodTime = 0;             // minutes added to the reference maximum flood
  int16_t floodSpeedRatio = 0;       // hundredths, applied to flood-half reference speeds
  int16_t slackBeforeEbbTime = 0;    // minutes added to the reference slack before ebb
  int16_t ebbTime = 0;               // minutes added to the reference maximum ebb
  int16_t ebbSpeedRatio = 0;         // hundredths, applied to ebb-half reference speeds
  int16_t slackBeforeFloodSpeed = kNotGiven16;      // hundredths of a knot, minimum before flood
  int16_t slackBeforeFloodDirection = kNotGiven16;  // degrees
  int16_t floodSpeed = kNotGiven16;                 // hundredths of a knot, average maximum flood
  int16_t floodDirection = kNotGiven16;             // degrees
  int16_t slackBeforeEbbSpeed = kNotGiven16;        // hundredths of a knot, minimum before ebb
  int16_t slackBeforeEbbDirection = kNotGiven16;    // degrees
  int16_t ebbSpeed = kNotGiven16;                   // hundredths of a knot, average maximum ebb
  int16_t ebbDirection = kNotGiven16;               // degrees
  int16_t stationKind = kCurrentKindOrdinary;       // kCurrentKind*
  // Double events: minutes after the reference maximum ebb (kinds -1, -3) or maximum
  // flood (kind -2), with the ratio applied to that event's speed.
  int16_t secondEventTime = kNotGiven16;
  int16_t secondEventRatio = kNotGiven16;
  int16_t unused102 = 0;  // carried, read by nothing
  int16_t secondEventDirection = kNotGiven16;
  int16_t thirdEventTime = kNotGiven16;
  int16_t thirdEventRatio = kNotGiven16;  // kNotGiven16: there is no third event
  int16_t unused110 = kNotGiven16;        // carried, read by nothing
  int16_t thirdEventDirection = kNotGiven16;
  int16_t unused114[3] = {};  // carried, read by nothing
  uint16_t referenceId = 0;   // harmonic current file number of the reference station; 0 = none
  int16_t timeMeridian = 0;   // whole degrees, east positive; true meridian is +0.5 when not a multiple of 15
  int16_t meterDepth = 0;     // feet; 0 = none (shown only)
  uint8_t unused126 = 0;      // carried, read by nothing
  uint16_t vicinityIndex = 0; // stationIndex of the general-vicinity entry in the same region; 0 = none
  uint8_t observesDst = 0;    // 0: never observes daylight saving; 1 North American rule; 2 international
};

// Byte offsets of the fields in the file record.
namespace current_location_offset {
using namespace station_identity_offset;  // kKindCode .. kLonDegrees, bytes 0..67
constexpr size_t kSlackBeforeFloodTime = 68;
constexpr size_t kFloodTime = 70;
constexpr size_t kFloodSpeedRatio = 72;
constexpr size_t kSlackBeforeEbbTime = 74;
constexpr size_t kEbbTime = 76;
constexpr size_t kEbbSpeedRatio = 78;
constexpr size_t kSlackBeforeFloodSpeed = 80;
constexpr size_t kSlackBeforeFloodDirection = 82;
constexpr size_t kFloodSpeed = 84;
constexpr size_t kFloodDirection = 86;
constexpr size_t kSlackBeforeEbbSpeed = 88;
constexpr size_t kSlackBeforeEbbDirection = 90;
constexpr size_t kEbbSpeed = 92;
constexpr size_t kEbbDirection = 94;
constexpr size_t kStationKind = 96;
constexpr size_t kSecondEventTime = 98;
constexpr size_t kSecondEventRatio = 100;
constexpr size_t kUnused102 = 102;
constexpr size_t kSecondEventDirection = 104;
constexpr size_t kThirdEventTime = 106;
constexpr size_t kThirdEventRatio = 108;
constexpr size_t kUnused110 = 110;
constexpr size_t kThirdEventDirection = 112;
constexpr size_t kUnused114 = 114;
constexpr size_t kReferenceId = 120;
constexpr size_t kTimeMeridian = 122;
constexpr size_t kMeterDepth = 124;
constexpr size_t kUnused126 = 126;
constexpr size_t kVicinityIndex = 127;
constexpr size_t kObservesDst = 129;

static_assert(kSlackBeforeFloodTime == kEnd);
static_assert(kFloodTime == kSlackBeforeFloodTime + 2 && kFloodSpeedRatio == kFloodTime + 2);
static_assert(kSlackBeforeEbbTime == kFloodSpeedRatio + 2 && kEbbTime == kSlackBeforeEbbTime + 2);
static_assert(kEbbSpeedRatio == kEbbTime + 2 && kSlackBeforeFloodSpeed == kEbbSpeedRatio + 2);
static_assert(kEbbDirection == kSlackBeforeFloodSpeed + 2 * 7 && kStationKind == kEbbDirection + 2);
static_assert(kSecondEventTime == kStationKind + 2 && kThirdEventTime == kSecondEventTime + 2 * 4);
static_assert(kThirdEventDirection == kThirdEventTime + 2 * 3 && kUnused114 == kThirdEventDirection + 2);
static_assert(kReferenceId == kUnused114 + 2 * 3 && kTimeMeridian == kReferenceId + 2);
static_assert(kMeterDepth == kTimeMeridian + 2 && kUnused126 == kMeterDepth + 2);
static_assert(kVicinityIndex == kUnused126 + 1 && kObservesDst == kVicinityIndex + 2);
static_assert(kObservesDst + 1 == kCurrentLocationSize);
}  // namespace current_location_offset

// Decodes a record; byte 53 (the name's 51st byte) is forced to NUL.
void DecodeCurrentLocation(const uint8_t* bytes, CurrentLocation& out);
// Encodes a record; the name is written NUL-padded and cut to 50 characters.
void EncodeCurrentLocation(const CurrentLocation& in, uint8_t* bytes);

// True when any of the six correction fields is nonzero (kNotGiven16 counts as nonzero).
bool IsSubordinateCurrent(const CurrentLocation& station);

// The position as signed degrees (negative south and west); false when the position is
// missing (a blank hemisphere or all-zero latitude or longitude).
bool CurrentLocationPosition(const CurrentLocation& station, double& latitude, double& longitude);

}  // namespace qw
