#include "engine/current_location.h"

#include <cstring>

#include "tests/support/test_support.h"

namespace qw {
namespace {

int16_t I16At(const uint8_t* bytes, size_t offset) {
  return static_cast<int16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

TEST(CurrentLocationTest, FieldsLandAtTheirOffsetsAndRoundTrip) {
  CurrentLocation s;
  s.kindCode = 'c';
  s.stationId = 0x1234;
  std::strcpy(s.name, "The Race, Long Island Sound");
  s.latHemisphere = 'N'; s.latDegrees = 41; s.latMinutes = 13; s.latSeconds = 30;
  s.lonHemisphere = 'W'; s.lonDegrees = 72; s.lonMinutes = 3; s.lonSeconds = 45;
  s.slackBeforeFloodTime = -25; s.floodTime = 40; s.floodSpeedRatio = 130;
  s.slackBeforeEbbTime = 11; s.ebbTime = kNotGiven16; s.ebbSpeedRatio = 90;
  s.slackBeforeFloodSpeed = 5; s.slackBeforeFloodDirection = 10; s.floodSpeed = 310;
  s.floodDirection = 285; s.slackBeforeEbbSpeed = 6; s.slackBeforeEbbDirection = 20;
  s.ebbSpeed = 350; s.ebbDirection = 105; s.stationKind = kCurrentKindMayDoubleFlood;
  s.secondEventTime = 95; s.secondEventRatio = 80; s.unused102 = 7; s.secondEventDirection = 280;
  s.thirdEventTime = 180; s.thirdEventRatio = 60; s.unused110 = 8; s.thirdEventDirection = 275;
  s.unused114[0] = 1; s.unused114[1] = 2; s.unused114[2] = 3;
  s.referenceId = 4321; s.timeMeridian = -75; s.meterDepth = 23; s.unused126 = 9;
  s.vicinityIndex = 777; s.observesDst = 1;

  uint8_t bytes[kCurrentLocationSize];
  EncodeCurrentLocation(s, bytes);
  EXPECT_EQ(bytes[0], 'c');
  EXPECT_EQ(I16At(bytes, 1), 0x1234);
  EXPECT_EQ(std::memcmp(bytes + 3, "The Race", 8), 0);
  EXPECT_EQ(bytes[54], 'N');
  EXPECT_EQ(bytes[61], 'W');
  EXPECT_EQ(I16At(bytes, 68), -25);
  EXPECT_EQ(I16At(bytes, 70), 40);
  EXPECT_EQ(I16At(bytes, 76), kNotGiven16);
  EXPECT_EQ(I16At(bytes, 84), 310);
  EXPECT_EQ(I16At(bytes, 94), 105);
  EXPECT_EQ(I16At(bytes, 96), -2);
  EXPECT_EQ(I16At(bytes, 98), 95);
  EXPECT_EQ(I16At(bytes, 104), 280);
  EXPECT_EQ(I16At(bytes, 108), 60);
  EXPECT_EQ(I16At(bytes, 112), 275);
  EXPECT_EQ(I16At(bytes, 120), 4321);
  EXPECT_EQ(I16At(bytes, 122), -75);
  EXPECT_EQ(I16At(bytes, 124), 23);
  EXPECT_EQ(bytes[126], 9);
  EXPECT_EQ(I16At(bytes, 127), 777);
  EXPECT_EQ(bytes[129], 1);

  CurrentLocation back;
  DecodeCurrentLocation(bytes, back);
  uint8_t again[kCurrentLocationSize];
  EncodeCurrentLocation(back, again);
  EXPECT_EQ(std::memcmp(bytes, again, kCurrentLocationSize), 0);
  EXPECT_TRUE(IsSubordinateCurrent(back));
  double lat = 0, lon = 0;
  ASSERT_TRUE(CurrentLocationPosition(back, lat, lon));
  EXPECT_NEAR(lat, 41.225, 1e-9);
  EXPECT_NEAR(lon, -72.0625, 1e-9);
}

TEST(CurrentLocationTest, SubordinateMeansAnyOfTheSixCorrectionsIsNonzero) {
  CurrentLocation s;
  EXPECT_FALSE(IsSubordinateCurrent(s));
  s.floodSpeed = 250;  // averages alone do not make a station subordinate
  EXPECT_FALSE(IsSubordinateCurrent(s));
  s.ebbSpeedRatio = kNotGiven16;
  EXPECT_TRUE(IsSubordinateCurrent(s));
}

}  // namespace
}  // namespace qw
