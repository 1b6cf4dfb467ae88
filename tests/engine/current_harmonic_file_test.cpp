#include "engine/current_harmonic_file.h"

#include <gtest/gtest.h>

#include "engine/byte_order.h"

namespace qw {
namespace {

CurrentHarmonicFile PollockRip() {
  CurrentHarmonicFile file;
  file.number = 731;
  file.name = "Pollock Rip Channel";
  file.meanCurrentMicroKnots = -150000;  // low 16 bits 0xB610 = 46608
  file.ebbDirectionDegrees = 217;
  file.records = {{5, 1818, 3223, 370}, {6, 70000, 3563, 370}};  // 70000: low 16 bits 4464
  return file;
}

TEST(CurrentHarmonicFile, ChecksumFollowsTheWorkedExample) {
  const std::vector<uint8_t> bytes = EncodeCurrentHarmonicFile(PollockRip());
  ASSERT_EQ(bytes.size(), 67u + 2 * 9);
  // 731 + 46608 + 217 + (1818 + 3223) + (4464 + 3563) = 60624, which is -4912 as int16.
  EXPECT_EQ(ReadI16(bytes.data() + current_harmonic_offset::kChecksum), -4912);
  EXPECT_EQ(CurrentHarmonicChecksum(bytes.data(), bytes.size()), -4912);
}

TEST(CurrentHarmonicFile, RoundTripsAndDetectsDamage) {
  const CurrentHarmonicFile original = PollockRip();
  std::vector<uint8_t> bytes = EncodeCurrentHarmonicFile(original);
  CurrentHarmonicFile decoded;
  bool checksumOk = false;
  ASSERT_TRUE(DecodeCurrentHarmonicFile(bytes.data(), bytes.size(), decoded, checksumOk));
  EXPECT_TRUE(checksumOk);
  EXPECT_EQ(decoded.number, 731);
  EXPECT_EQ(decoded.name, "Pollock Rip Channel");
  EXPECT_EQ(decoded.meanCurrentMicroKnots, -150000);
  EXPECT_EQ(decoded.ebbDirectionDegrees, 217);
  ASSERT_EQ(decoded.records.size(), 2u);
  EXPECT_EQ(decoded.records[1].constituent, 6);
  EXPECT_EQ(decoded.records[1].amplitude, 70000);
  EXPECT_EQ(decoded.records[1].phaseTenthsDegree, 3563);
  EXPECT_EQ(decoded.records[1].directionTenthsDegree, 370);

  bytes[67 + 9 + 1] ^= 0x01;  // one bit of the second amplitude
  ASSERT_TRUE(DecodeCurrentHarmonicFile(bytes.data(), bytes.size(), decoded, checksumOk));
  EXPECT_FALSE(checksumOk);
}

TEST(CurrentHarmonicFile, ListEndsAtTerminatorOrAfterTheLastRecord) {
  CurrentHarmonicFile file = PollockRip();
  file.records.assign(230, CurrentConstituentRecord{1, 100, 10, 0});
  std::vector<uint8_t> full = EncodeCurrentHarmonicFile(file);
  ASSERT_EQ(full.size(), kCurrentHarmonicMaxFileSize);
  CurrentHarmonicFile decoded;
  bool checksumOk = false;
  ASSERT_TRUE(DecodeCurrentHarmonicFile(full.data(), full.size(), decoded, checksumOk));
  EXPECT_TRUE(checksumOk);
  EXPECT_EQ(decoded.records.size(), 230u);

  // An explicit terminator in the middle hides the records after it.
  WriteI16(full.data() + 67 + 3 * 9 + current_harmonic_offset::kRecordPhase, kCurrentListEnd);
  ASSERT_TRUE(DecodeCurrentHarmonicFile(full.data(), full.size(), decoded, checksumOk));
  EXPECT_EQ(decoded.records.size(), 3u);

  // A short header is refused; a file cut inside a record keeps the whole records only.
  EXPECT_FALSE(DecodeCurrentHarmonicFile(full.data(), 66, decoded, checksumOk));
  const std::vector<uint8_t> two = EncodeCurrentHarmonicFile(PollockRip());
  ASSERT_TRUE(DecodeCurrentHarmonicFile(two.data(), two.size() - 4, decoded, checksumOk));
  EXPECT_EQ(decoded.records.size(), 1u);
  EXPECT_FALSE(checksumOk);
}

TEST(CurrentHarmonicFile, RefusesWhatTheFormatCannotHold) {
  CurrentHarmonicFile file = PollockRip();
  file.records.assign(231, CurrentConstituentRecord{1, 100, 10, 0});
  EXPECT_TRUE(EncodeCurrentHarmonicFile(file).empty());
  file.records = {{1, 100, kCurrentListEnd, 0}};
  EXPECT_TRUE(EncodeCurrentHarmonicFile(file).empty());
  EXPECT_EQ(CurrentHarmonicFileName(731), "00731.dat");
  EXPECT_EQ(CurrentHarmonicFileName(5123), "05123.dat");
}

}  // namespace
}  // namespace qw
