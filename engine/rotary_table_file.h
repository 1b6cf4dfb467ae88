// The rotary table of one rotary current station ("RTC%04u.dat" in the data directory).
//
// Exactly 100 bytes, little-endian: 25 i16 speeds in hundredths of a knot, then 25 i16
// directions in degrees true. Point 0 belongs to a maximum flood of the reference station
// and the points follow at equal time steps up to the next maximum flood.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qw {

constexpr size_t kRotaryPoints = 25;
constexpr size_t kRotaryTableSize = 100;

namespace rotary_table_offset {
constexpr size_t kSpeeds = 0;
constexpr size_t kDirections = kSpeeds + 2 * kRotaryPoints;
static_assert(kDirections + 2 * kRotaryPoints == kRotaryTableSize);
}  // namespace rotary_table_offset

struct RotaryTable {
  int16_t speedHundredthsKnot[kRotaryPoints] = {};
  int16_t directionDegrees[kRotaryPoints] = {};
};

void EncodeRotaryTable(const RotaryTable& table, uint8_t* bytes);  // writes kRotaryTableSize bytes
void DecodeRotaryTable(const uint8_t* bytes, RotaryTable& out);    // reads kRotaryTableSize bytes

// "RTC%04u.dat" of a station id; empty for an id above 9999, which has no four-digit name.
std::string RotaryTableFileName(unsigned stationId);

}  // namespace qw
