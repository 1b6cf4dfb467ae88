#include "engine/tide_location.h"

#include <cstring>

#include "tests/support/test_support.h"

namespace qw {
namespace {

TEST(TideLocationTest, FieldsLandAtTheirOffsetsAndRoundTrip) {
  TideLocation s;
  s.kindCode = 'c';
  s.stationId = 0xBEEF;
  std::strcpy(s.name, "Seattle, Puget Sound, Washington");
  s.latHemisphere = 'N'; s.latDegrees = 47; s.latMinutes = 36; s.latSeconds = 10;
  s.lonHemisphere = 'W'; s.lonDegrees = 122; s.lonMinutes = 20; s.lonSeconds = 22;
  s.highTimeOffset = 30; s.lowTimeOffset = -15; s.lowHeightDiff = kNotGiven16;
  s.highHeightRatio = 95; s.meanRange = 764; s.extremeRule = 20;
  s.referenceId = 31000; s.timeMeridian = -120; s.flags = 3; s.vicinityIndex = 513; s.observesDst = 1;

  uint8_t bytes[kTideLocationSize];
  EncodeTideLocation(s, bytes);
  EXPECT_EQ(bytes[0], 'c');
  EXPECT_EQ(bytes[1], 0xEF);
  EXPECT_EQ(bytes[2], 0xBE);
  EXPECT_EQ(std::memcmp(bytes + 3, "Seattle", 7), 0);
  EXPECT_EQ(bytes[54], 'N');
  EXPECT_EQ(bytes[55], 47);
  EXPECT_EQ(bytes[61], 'W');
  EXPECT_EQ(bytes[62], 122);
  EXPECT_EQ(bytes[74], 0xF1);  // -15
  EXPECT_EQ(bytes[76], 0x01);  // 0x8001 little-endian
  EXPECT_EQ(bytes[77], 0x80);
  EXPECT_EQ(bytes[86], 20);
  EXPECT_EQ(bytes[92] | (bytes[93] << 8), 31000);
  EXPECT_EQ(static_cast<int16_t>(bytes[94] | (bytes[95] << 8)), -120);
  EXPECT_EQ(bytes[96], 3);
  EXPECT_EQ(bytes[97] | (bytes[98] << 8), 513);
  EXPECT_EQ(bytes[99], 1);

  TideLocation back;
  DecodeTideLocation(bytes, back);
  uint8_t again[kTideLocationSize];
  EncodeTideLocation(back, again);
  EXPECT_EQ(std::memcmp(bytes, again, kTideLocationSize), 0);

  double lat = 0, lon = 0;
  ASSERT_TRUE(TideLocationPosition(back, lat, lon));
  EXPECT_NEAR(lat, 47.602778, 1e-6);
  EXPECT_NEAR(lon, -122.339444, 1e-6);
}

TEST(TideLocationTest, DecodingCutsTheNameAndMissingPositionsAreReported) {
  uint8_t bytes[kTideLocationSize];
  std::memset(bytes, 'x', sizeof bytes);
  TideLocation s;
  DecodeTideLocation(bytes, s);
  EXPECT_EQ(std::strlen(s.name), 50u);

  TideLocation blank;
  double lat, lon;
  EXPECT_FALSE(TideLocationPosition(blank, lat, lon));
  blank.latHemisphere = 'N'; blank.lonHemisphere = 'E'; blank.lonDegrees = 4;
  EXPECT_FALSE(TideLocationPosition(blank, lat, lon));  // latitude all zero
}

}  // namespace
}  // namespace qw
