#include "engine/rotary_table_file.h"

#include <cstdio>

#include "engine/byte_order.h"

namespace qw {

namespace off = rotary_table_offset;

void EncodeRotaryTable(const RotaryTable& table, uint8_t* bytes) {
  for (size_t i = 0; i < kRotaryPoints; ++i) {
    WriteI16(bytes + off::kSpeeds + 2 * i, table.speedHundredthsKnot[i]);
    WriteI16(bytes + off::kDirections + 2 * i, table.directionDegrees[i]);
  }
}

void DecodeRotaryTable(const uint8_t* bytes, RotaryTable& out) {
  for (size_t i = 0; i < kRotaryPoints; ++i) {
    out.speedHundredthsKnot[i] = ReadI16(bytes + off::kSpeeds + 2 * i);
    out.directionDegrees[i] = ReadI16(bytes + off::kDirections + 2 * i);
  }
}

std::string RotaryTableFileName(unsigned stationId) {
  if (stationId > 9999) return {};
  char name[16];
  std::snprintf(name, sizeof name, "RTC%04u.dat", stationId);
  return name;
}

}  // namespace qw
