#include "engine/rotary_table_file.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

TEST(RotaryTableFile, RoundTripsSpeedsThenDirections) {
  RotaryTable table;
  for (size_t i = 0; i < kRotaryPoints; ++i) {
    table.speedHundredthsKnot[i] = static_cast<int16_t>(10 * i - 40);
    table.directionDegrees[i] = static_cast<int16_t>((350 + 15 * i) % 360);
  }
  uint8_t bytes[kRotaryTableSize];
  EncodeRotaryTable(table, bytes);
  EXPECT_EQ(bytes[0], 0xD8);  // -40 little-endian
  EXPECT_EQ(bytes[1], 0xFF);
  EXPECT_EQ(bytes[50], 94);   // direction 350 = 0x015E
  EXPECT_EQ(bytes[51], 1);
  RotaryTable decoded;
  DecodeRotaryTable(bytes, decoded);
  for (size_t i = 0; i < kRotaryPoints; ++i) {
    EXPECT_EQ(decoded.speedHundredthsKnot[i], table.speedHundredthsKnot[i]);
    EXPECT_EQ(decoded.directionDegrees[i], table.directionDegrees[i]);
  }
}

TEST(RotaryTableFile, NamesHaveFourDigits) {
  EXPECT_EQ(RotaryTableFileName(17), "RTC0017.dat");
  EXPECT_EQ(RotaryTableFileName(9999), "RTC9999.dat");
  EXPECT_EQ(RotaryTableFileName(10000), "");
}

}  // namespace
}  // namespace qw
