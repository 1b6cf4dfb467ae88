#include "engine/data_writers.h"

#include <cmath>

#include "engine/binary_file.h"
#include "engine/byte_order.h"
#include "engine/data_layouts.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadFilePrefix(path, 1 << 20, bytes)) << path;
  return bytes;
}

class DataWritersTest : public qw::test::EngineTest {};

TEST(DataLayoutsTest, ChecksumRulesOnWorkedExamples) {
  // Speed file: signed bytes after the two checksum bytes: 1 - 1 - 128 = -128.
  const uint8_t speed[] = {0xAA, 0xBB, 0x01, 0xFF, 0x80};
  EXPECT_EQ(SpeedFileChecksum(speed, sizeof speed), 0xFF80);

  // Year record: 2005 + (1000 + 3599) + (-5 + 10) = 6609.
  const int16_t nodeFactor[] = {1000, -5};
  const int16_t equilibrium[] = {3599, 10};
  EXPECT_EQ(YearRecordChecksum(2005, nodeFactor, equilibrium, 2), 6609);
  // Wraps at 16 bits.
  const int16_t big[] = {32000, 32000};
  EXPECT_EQ(YearRecordChecksum(2000, big, big, 2), static_cast<uint16_t>(2000 + 4 * 32000));

  // Harmonic record: number 123 + low 16 bits of the mean level 0x00012345 (0x2345) +
  // month 2 + year 1999 + (1000 + 100) + (low 16 bits of 70000 = 4464, + 3590); the entry
  // after the terminator does not count.
  HarmonicRecordData record;
  record.number = 123;
  record.month = 2;
  record.year = 1999;
  record.meanLevelMicroFeet = 0x12345;
  record.entries = {{0, 1000, 100}, {5, 70000, 3590}};
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(EncodeHarmonicRecord(record, bytes));
  EXPECT_EQ(ReadI16(&bytes[harmonic_layout::kChecksum]), 123 + 0x2345 + 2 + 1999 + 1100 + 4464 + 3590);
  bytes.insert(bytes.end(), {9, 1, 0, 0, 0, 0xFF, 0xFF, 9, 9, 0, 0, 0, 1, 0});
  EXPECT_EQ(HarmonicRecordChecksum(bytes.data(), bytes.size()),
            ReadI16(&bytes[harmonic_layout::kChecksum]));
}

TEST(DataLayoutsTest, SpeedStepsMatchTheSpeedInCosineSteps) {
  // M2: 28.9841042 degrees per hour = 659.5485 steps per hour.
  const double m2 = 28.9841042 * std::acos(-1.0) / 180.0;
  const SpeedSteps steps = SpeedToSteps(m2);
  EXPECT_EQ(steps.whole, 659);
  const double exact = 28.9841042 * 8192.0 / 360.0;
  EXPECT_NEAR(steps.whole + steps.frac5 / 100000.0, exact, 0.5e-5);
  EXPECT_EQ(steps.frac3, (steps.frac5 + 50) / 100);
}

TEST_F(DataWritersTest, SpeedFilesRoundTripInBothLayouts) {
  for (int slots : {160, 230}) {
    std::vector<double> speeds(static_cast<size_t>(slots));
    for (int i = 0; i < slots; ++i) speeds[static_cast<size_t>(i)] = 0.0001 + 0.026 * i;
    const std::string path = dataDir_.File("speeds" + std::to_string(slots));
    ASSERT_TRUE(WriteConstituentSpeedFile(path, slots, speeds));
    const std::vector<uint8_t> bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), speed_layout::FileSize(slots));
    EXPECT_EQ(ReadU16(&bytes[0]), SpeedFileChecksum(bytes.data(), bytes.size()));

    SpeedTable table;
    DecodeSpeedFile(bytes.data(), bytes.size(), slots, table);
    EXPECT_TRUE(SpeedTableIsUsable(table));
    for (int i = 0; i < slots; ++i) {
      ASSERT_EQ(table.speedRadiansPerHour[i], speeds[static_cast<size_t>(i)]);
      const SpeedSteps steps = SpeedToSteps(speeds[static_cast<size_t>(i)]);
      ASSERT_EQ(table.stepsWhole[i], steps.whole);
      ASSERT_EQ(table.stepsFrac5[i], steps.frac5);
      ASSERT_EQ(table.stepsFrac3[i], steps.frac3);
    }
    for (int i = slots; i < kConstituentSlots; ++i) ASSERT_EQ(table.speedRadiansPerHour[i], 0.0);
  }
}

TEST_F(DataWritersTest, YearFilesHoldConsecutiveRecordsWithChecksums) {
  std::vector<YearArguments> years(3);
  for (size_t y = 0; y < years.size(); ++y) {
    for (int i = 0; i < 160; ++i) {
      years[y].nodeFactorThousandths.push_back(static_cast<int16_t>(900 + i + 10 * y));
      years[y].equilibriumTenthsDegree.push_back(static_cast<int16_t>((i * 37 + 100 * y) % 3600));
    }
  }
  years[2].nodeFactorThousandths.resize(10);  // padded with zeros
  const std::string path = dataDir_.File("yeardata.dat");
  ASSERT_TRUE(WriteYearFile(path, 160, 1995, years));
  const std::vector<uint8_t> bytes = ReadAll(path);
  ASSERT_EQ(bytes.size(), 3 * 644u);
  for (size_t y = 0; y < 3; ++y) {
    YearRecord record;
    DecodeYearRecord(&bytes[644 * y], 160, record);
    EXPECT_EQ(record.year, static_cast<int16_t>(1995 + y));
    EXPECT_TRUE(YearRecordChecksumMatches(record));
    EXPECT_EQ(record.equilibrium[159], years[y].equilibriumTenthsDegree[159]);
    EXPECT_EQ(record.nodeFactor[5], years[y].nodeFactorThousandths[5]);
  }
  YearRecord last;
  DecodeYearRecord(&bytes[2 * 644], 160, last);
  EXPECT_EQ(last.nodeFactor[10], 0);

  ASSERT_TRUE(WriteYearFile(dataDir_.File("yeardata.ba"), 230, 2000, {years[0]}));
  EXPECT_EQ(ReadAll(dataDir_.File("yeardata.ba")).size(), 924u);

  std::string error;
  EXPECT_FALSE(WriteYearFile(dataDir_.File("bad"), 200, 2000, years, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(WriteYearFile(dataDir_.File("bad"), 160, 2000, {}, &error));
}

HarmonicRecordData Record(uint16_t number, const std::string& name, size_t entries) {
  HarmonicRecordData record;
  record.number = number;
  record.name = name;
  record.meanLevelMicroFeet = 4250000 + number;
  for (size_t i = 0; i < entries; ++i) {
    record.entries.push_back({static_cast<uint8_t>(i), static_cast<int32_t>(1000 * (i + 1)),
                              static_cast<int16_t>(10 * i)});
  }
  return record;
}

TEST_F(DataWritersTest, HarmonicFamilyIsIndexedInKeyOrder) {
  std::vector<HarmonicRecordData> records = {Record(900, "Nine hundred", 3), Record(5, "Five", 37),
                                             Record(65535, std::string(60, 'x'), 230)};
  records[1].entries[2].phaseTenthsDegree = -10;
  const std::string idx = dataDir_.File("NOSWTIDE.IDX"), dat = dataDir_.File("NOSWTIDE.DAT");
  ASSERT_TRUE(WriteHarmonicFamily(idx, dat, records));

  const std::vector<uint8_t> index = ReadAll(idx), data = ReadAll(dat);
  ASSERT_EQ(index.size(), 4 * 8u);
  StationIndexEntry header, entry;
  DecodeIndexEntry(&index[0], header);
  EXPECT_EQ(header.key, 0);
  EXPECT_EQ(header.offset, 3);
  const uint16_t keys[] = {5, 900, 65535};
  const size_t entryCounts[] = {37, 3, 230};
  int32_t expectedOffset = 0;
  for (size_t i = 0; i < 3; ++i) {
    DecodeIndexEntry(&index[8 * (i + 1)], entry);
    EXPECT_EQ(entry.key, keys[i]);
    EXPECT_EQ(entry.offset, expectedOffset);
    EXPECT_EQ(entry.length, 63 + 7 * entryCounts[i]);
    expectedOffset += entry.length;

    HarmonicRecordData back;
    ASSERT_TRUE(DecodeHarmonicRecord(&data[static_cast<size_t>(entry.offset)], entry.length, back));
    EXPECT_EQ(back.number, keys[i]);
    EXPECT_EQ(back.entries.size(), entryCounts[i]);
    EXPECT_EQ(back.meanLevelMicroFeet, 4250000 + keys[i]);
    EXPECT_EQ(ReadI16(&data[static_cast<size_t>(entry.offset) + harmonic_layout::kChecksum]),
              HarmonicRecordChecksum(&data[static_cast<size_t>(entry.offset)], entry.length));
    if (keys[i] == 5) {
      EXPECT_EQ(back.name, "Five");
      EXPECT_EQ(back.entries[2].phaseTenthsDegree, 3590);  // -1.0 degree stored as 359.0
      EXPECT_EQ(back.entries[36].amplitudeMilliFeet, 37000);
    }
    if (keys[i] == 65535) {
      EXPECT_EQ(back.name, std::string(50, 'x'));
    }
  }
  EXPECT_EQ(static_cast<size_t>(expectedOffset), data.size());
}

TEST_F(DataWritersTest, BadHarmonicInputIsRefusedAndWritesNothing) {
  std::string error;
  const std::string idx = dataDir_.File("X.IDX"), dat = dataDir_.File("X.DAT");
  EXPECT_FALSE(WriteHarmonicFamily(idx, dat, {Record(0, "zero", 1)}, &error));
  EXPECT_FALSE(WriteHarmonicFamily(idx, dat, {Record(7, "a", 1), Record(7, "b", 1)}, &error));
  HarmonicRecordData badIndex = Record(8, "bad index", 1);
  badIndex.entries[0].constituentIndex = 230;
  EXPECT_FALSE(WriteHarmonicFamily(idx, dat, {badIndex}, &error));
  EXPECT_FALSE(WriteOverrideFile(dataDir_.File("00009.dat"), Record(9, "too many", 231), &error));
  EXPECT_FALSE(std::filesystem::exists(idx));
  EXPECT_FALSE(std::filesystem::exists(dat));
  EXPECT_FALSE(std::filesystem::exists(dataDir_.File("00009.dat")));
}

}  // namespace
}  // namespace qw
