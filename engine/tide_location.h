// The 100-byte tide station record of the region files ("tide<n>.dat"), in file order.
//
// The record is carried through the program in its decoded form; DecodeTideLocation and
// EncodeTideLocation are the only code that touches its bytes. Both walk one field table,
// which opens with the identity and position fields shared with the current record
// (station_identity.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/engine_values.h"
#include "engine/station_identity.h"

namespace qw {

constexpr size_t kTideLocationSize = 100;

struct TideLocation {
  uint8_t kindCode = 0;      // station kind code; 'c' (99) for custom locations
  uint16_t stationId = 0;    // the station's own number; 0 names a general area (no predictions)
  char name[51] = {};        // NUL-terminated, at most 50 characters
  char latHemisphere = ' ';  // 'N' or 'S'; ' ' when the position is missing
  int16_t latDegrees = 0, latMinutes = 0, latSeconds = 0;
  char lonHemisphere = ' ';  // 'E' or 'W'; ' ' when missing
  int16_t lonDegrees = 0, lonMinutes = 0, lonSeconds = 0;
  // Subordinate corrections; kNotGiven16 where the data gives no value.
  int16_t highTimeOffset = 0;   // minutes added to the reference high water time
  int16_t highHeightDiff = 0;   // hundredths of a foot added to the reference high water height
  int16_t highHeightRatio = 0;  // hundredths (100 = x1.00)
  int16_t lowTimeOffset = 0;    // minutes, low water
  int16_t lowHeightDiff = 0;    // hundredths of a foot, low water
  int16_t lowHeightRatio = 0;   // hundredths, low water
  int16_t meanRange = kNotGiven16;            // hundredths of a foot
  int16_t meanHigherHighWater = kNotGiven16;  // hundredths of a foot above the datum
  int16_t meanTideLevel = kNotGiven16;        // hundredths of a foot above the datum
  int16_t extremeRule = 0;   // 20 with kindCode > 10 selects the double-tide extreme finder
  int16_t unused88[2] = {};  // carried, read by nothing
  uint16_t referenceId = 0;  // harmonic record number the station is computed from; 0 = none
  int16_t timeMeridian = 0;  // whole degrees, east positive; true meridian is +0.5 when not a multiple of 15
  uint8_t flags = 0;         // kTideFlagDiurnal, kTideFlagMhhwLabel
  uint16_t vicinityIndex = 0;  // stationIndex of the general-vicinity entry in the same region; 0 = none
  uint8_t observesDst = 0;     // 0 none, 1 North American rule, 2 international correction

  // Not part of the record: the datum the station's heights are given on, chosen for
  // display (installed_catalogue.h). PredictTide subtracts `datumMicroFeet`, that datum's
  // height above the chart datum, from every height; the record's own heights (mean range,
  // MHHW, mean tide) stay above the chart datum. An empty name is the chart datum.
  std::string datum;
  int32_t datumMicroFeet = 0;
};

constexpr uint8_t kTideFlagDiurnal = 0x01;    // "Tide is diurnal in nature."
constexpr uint8_t kTideFlagMhhwLabel = 0x02;  // label the high range line "MHHW" instead of "MHWS"

// Byte offsets of the fields in the file record.
namespace tide_location_offset {
using namespace station_identity_offset;  // kKindCode .. kLonDegrees, bytes 0..67
constexpr size_t kHighTimeOffset = 68;
constexpr size_t kHighHeightDiff = 70;
constexpr size_t kHighHeightRatio = 72;
constexpr size_t kLowTimeOffset = 74;
constexpr size_t kLowHeightDiff = 76;
constexpr size_t kLowHeightRatio = 78;
constexpr size_t kMeanRange = 80;
constexpr size_t kMeanHigherHighWater = 82;
constexpr size_t kMeanTideLevel = 84;
constexpr size_t kExtremeRule = 86;
constexpr size_t kUnused88 = 88;
constexpr size_t kReferenceId = 92;
constexpr size_t kTimeMeridian = 94;
constexpr size_t kFlags = 96;
constexpr size_t kVicinityIndex = 97;
constexpr size_t kObservesDst = 99;

static_assert(kHighTimeOffset == kEnd);
static_assert(kExtremeRule == kHighTimeOffset + 2 * 9 && kUnused88 == kExtremeRule + 2);
static_assert(kReferenceId == kUnused88 + 4 && kTimeMeridian == kReferenceId + 2);
static_assert(kFlags == kTimeMeridian + 2 && kVicinityIndex == kFlags + 1);
static_assert(kObservesDst == kVicinityIndex + 2 && kObservesDst + 1 == kTideLocationSize);
}  // namespace tide_location_offset

// Decodes a record; byte 53 (the name's 51st byte) is forced to NUL.
void DecodeTideLocation(const uint8_t* bytes, TideLocation& out);
// Encodes a record; the name is written NUL-padded and cut to 50 characters.
void EncodeTideLocation(const TideLocation& in, uint8_t* bytes);

// The position as signed degrees (negative south and west); false when the position is
// missing (a blank hemisphere or all-zero latitude or longitude).
bool TideLocationPosition(const TideLocation& station, double& latitude, double& longitude);

}  // namespace qw
