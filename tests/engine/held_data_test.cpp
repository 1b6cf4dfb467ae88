#include "engine/held_data.h"

#include <cmath>
#include <filesystem>

#include "engine/atomic_file.h"
#include "engine/binary_file.h"
#include "engine/byte_order.h"
#include "engine/data_writers.h"
#include "tests/support/harmonic_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

namespace fs = std::filesystem;

class HeldDataTest : public test::EngineTest {
 protected:
  void SetUp() override {
    test::WriteFixtureTables(dataDir_.path().string(), 1995, 2010);
    std::string error;
    ASSERT_TRUE(WriteHarmonicFamily(File("NOSWTIDE.IDX"), File("NOSWTIDE.DAT"),
                                    {test::FixtureStation(123), test::FixtureStation(9999)}, &error));
    ASSERT_TRUE(WriteHarmonicFamily(File("CHSWTIDE.IDX"), File("CHSWTIDE.DAT"), {test::FixtureStation(10000)}, &error));
    HarmonicRecordData uk = test::FixtureStation(31000);
    uk.entries.push_back({200, 100, 0});  // a slot only the 230-slot tables have
    ASSERT_TRUE(WriteHarmonicFamily(File("BA1.IDX"), File("BA1.DAT"), {uk}, &error));
    ASSERT_TRUE(WriteHarmonicFamily(File("BA30.IDX"), File("BA30.DAT"), {test::FixtureStation(60000)}, &error));
  }

  std::string File(const std::string& name) const { return dataDir_.File(name); }

  std::vector<uint8_t> Bytes(const std::string& name) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadFilePrefix(File(name), 1 << 20, bytes));
    return bytes;
  }
  void Put(const std::string& name, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(WriteFileAtomically(File(name), bytes));
  }
};

TEST_F(HeldDataTest, YearRecordsAreFoundFromTheBaseYear) {
  ASSERT_EQ(LoadHarmonicRecord(123), 1);
  ASSERT_EQ(LoadYearRecord(2005), 1);
  EXPECT_EQ(HeldYear(), 2005);
  const YearArguments expected = test::FixtureYearArguments(2005, 160);
  const YearRecord* year = HeldYearRecord();
  ASSERT_NE(year, nullptr);
  EXPECT_EQ(year->year, 2005);
  for (int i = 0; i < 160; ++i) {
    ASSERT_EQ(year->nodeFactor[i], expected.nodeFactorThousandths[static_cast<size_t>(i)]) << i;
    ASSERT_EQ(year->equilibrium[i], expected.equilibriumTenthsDegree[static_cast<size_t>(i)]) << i;
  }
  EXPECT_EQ(HeldYearStart(), MinuteOf(2005, 1, 1));
  EXPECT_EQ(HeldYearEnd(), MinuteOf(2005, 12, 31, 23, 59));
  EXPECT_NE(ConstituentSpeeds(), nullptr);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_F(HeldDataTest, YearFileFailuresAreReportedAndLeaveNoYear) {
  ASSERT_EQ(LoadHarmonicRecord(123), 1);
  EXPECT_EQ(LoadYearRecord(2020), -1);
  EXPECT_TRUE(reports_.Has(2101, "Error reading year file: 'Base Year = 1995, Year = 2020'!")) << reports_.Describe();
  EXPECT_EQ(HeldYear(), 0);
  EXPECT_EQ(HeldYearRecord(), nullptr);

  reports_.clear();
  EXPECT_EQ(LoadYearRecord(1990), -1);  // before the file's first year
  EXPECT_TRUE(reports_.Has(0, "Year data file is corrupted")) << reports_.Describe();
  EXPECT_EQ(reports_.reports().at(0).caption, "Information");

  // One changed byte in the 2005 record breaks its checksum; 2004 is still good.
  std::vector<uint8_t> bytes = Bytes("yeardata.dat");
  bytes[10 * 644 + 500] ^= 0x04;
  Put("yeardata.dat", bytes);
  reports_.clear();
  EXPECT_EQ(LoadYearRecord(2005), -1);
  EXPECT_TRUE(reports_.Has(0, "Year data file is corrupted"));
  EXPECT_EQ(LoadYearRecord(2004), 1);

  // A record holding another year than its position says.
  WriteI16(&bytes[9 * 644], 2003);
  Put("yeardata.dat", bytes);
  reports_.clear();
  EXPECT_EQ(LoadYearRecord(2004), -1);
  EXPECT_TRUE(reports_.Has(0, "Year data file is corrupted"));

  // Empty and missing files.
  Put("yeardata.dat", {});
  reports_.clear();
  EXPECT_EQ(LoadYearRecord(2004), -1);
  EXPECT_TRUE(reports_.Has(2101, "Error reading year file: 'Base Year = 0, Year = 2004'!")) << reports_.Describe();
  fs::remove(File("yeardata.dat"));
  reports_.clear();
  EXPECT_EQ(LoadYearRecord(2004), -1);
  EXPECT_TRUE(reports_.Has(2100, "Error opening year file: '" + File("yeardata.dat") + "'!")) << reports_.Describe();
  EXPECT_EQ(HeldYear(), 0);
}

TEST_F(HeldDataTest, DataVariantChoosesTheYearAndSpeedFiles) {
  // Records 9999 and 10000 read different year files; 60000 reads the NOS files.
  fs::remove(File("yeardata.can"));
  EXPECT_GT(LoadTideHarmonics(9999, 2005, 1), 0);
  EXPECT_LE(LoadTideHarmonics(10000, 2005, 1), 0);
  EXPECT_TRUE(reports_.Has(2100, "Error opening year file: '" + File("yeardata.can") + "'!")) << reports_.Describe();
  reports_.clear();
  EXPECT_EQ(LoadTideHarmonics(60000, 2005, 1), test::kFixtureConstituents);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();

  // 31000 uses the 230-slot tables, where its slot 200 exists.
  EXPECT_EQ(LoadTideHarmonics(31000, 2005, 1), test::kFixtureConstituents + 1);
  EXPECT_EQ(HeldTideRecordName(), "Fixture Harbor");
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();

  // The same slot in a 160-slot variant names no constituent: the record is refused.
  HarmonicRecordData bad = test::FixtureStation(124);
  bad.entries.push_back({200, 100, 0});
  ASSERT_TRUE(WriteOverrideFile(File("00124.dat"), bad));
  EXPECT_EQ(LoadHarmonicRecord(124), -1);
  EXPECT_TRUE(reports_.Has(0, "Tide harmonic file 124.dat is corrupted"));
  EXPECT_FALSE(TideRecordHeld());
}

TEST_F(HeldDataTest, ChangingVariantNeverKeepsTheOtherVariantsTables) {
  // Different node factors in the two year files tell which one is held.
  YearArguments ba = test::FixtureYearArguments(2005, 230);
  ba.nodeFactorThousandths[0] = 1500;
  ASSERT_TRUE(WriteYearFile(File("yeardata.ba"), 230, 2005, {ba}));

  ASSERT_GT(LoadTideHarmonics(31000, 2005, 1), 0);
  EXPECT_EQ(HeldYearRecord()->nodeFactor[0], 1500);
  EXPECT_EQ(LoadHarmonicRecord(31001), -1);  // not in BA1: nothing held, number 0
  ASSERT_GT(LoadTideHarmonics(123, 2005, 1), 0);
  EXPECT_EQ(HeldYearRecord()->nodeFactor[0], test::FixtureYearArguments(2005, 160).nodeFactorThousandths[0]);

  // Without constspd.ba a UK record cannot be computed, even though constspd.dat is held.
  fs::remove(File("constspd.ba"));
  reports_.clear();
  EXPECT_LE(LoadTideHarmonics(31000, 2005, 1), 0);
  EXPECT_TRUE(reports_.Has(2208, "Error opening current station file: '" + File("constspd.ba") + "'")) << reports_.Describe();
  EXPECT_EQ(ConstituentSpeeds(), nullptr);
  EXPECT_TRUE(PreparedConstituents().empty());
}

TEST_F(HeldDataTest, SpeedFileDamage) {
  // A wrong checksum is a warning; the table is used as read.
  std::vector<uint8_t> bytes = Bytes("constspd.dat");
  bytes[0] ^= 0x01;
  Put("constspd.dat", bytes);
  EXPECT_EQ(LoadTideHarmonics(123, 2005, 1), test::kFixtureConstituents);
  EXPECT_TRUE(reports_.Has(0, "Constituent Speed file is corrupted")) << reports_.Describe();
  ASSERT_NE(ConstituentSpeeds(), nullptr);

  // A short file, or one whose values are no speeds, gives no table.
  for (auto damage : {+[](std::vector<uint8_t>& b) { b.resize(3000); },
                      +[](std::vector<uint8_t>& b) { WriteF64(&b[2 + 8 * 3], std::nan("")); },
                      +[](std::vector<uint8_t>& b) { WriteI32(&b[speed_layout::StepsWhole(160)], -7); }}) {
    std::vector<uint8_t> damaged = Bytes("constspd.dat");
    damaged[0] ^= 0x01;  // undo the checksum damage above
    damage(damaged);
    Put("constspd.dat", damaged);
    reports_.clear();
    EXPECT_LE(LoadTideHarmonics(123, 2006, 1), 0);
    EXPECT_TRUE(reports_.Has(0, "Constituent Speed file is corrupted")) << reports_.Describe();
    EXPECT_EQ(ConstituentSpeeds(), nullptr);
  }
}

TEST_F(HeldDataTest, HarmonicRecordChecksumIsChecked) {
  std::vector<uint8_t> bytes = Bytes("NOSWTIDE.DAT");
  bytes[harmonic_layout::kEntries + 1] ^= 0x10;  // the first amplitude of record 123
  Put("NOSWTIDE.DAT", bytes);
  EXPECT_EQ(LoadTideHarmonics(123, 2005, 1), -1);
  EXPECT_TRUE(reports_.Has(0, "Tide harmonic file 123.dat is corrupted")) << reports_.Describe();
  EXPECT_FALSE(TideRecordHeld());
  EXPECT_EQ(LoadedStationNumber(), 0);
  EXPECT_EQ(HeldTideRecordName(), "");
}

TEST_F(HeldDataTest, CosineTableIsRecreatedButNeverOverwritten) {
  fs::remove(File("costable.dat"));
  EXPECT_EQ(LoadCosineTable(), 1);
  ASSERT_TRUE(fs::exists(File("costable.dat")));
  std::vector<uint8_t> bytes = Bytes("costable.dat");
  ASSERT_EQ(bytes.size(), kCosineFileSize);
  EXPECT_EQ(ReadI32(&bytes[0]), 1000000);
  EXPECT_EQ(ReadI32(&bytes[4 * 1024]), 707107);
  EXPECT_EQ(ReadI32(&bytes[4 * 2048]), 0);
  EXPECT_EQ(CosineTable()[1024], 707107);
  EXPECT_TRUE(reports_.empty());

  // A damaged file: the warning, the computed table, and the file left alone.
  WriteI32(&bytes[4 * 1024], 5);
  Put("costable.dat", bytes);
  EXPECT_EQ(LoadCosineTable(), 1);
  EXPECT_TRUE(reports_.Has(0, "Cosine table file is corrupted"));
  EXPECT_EQ(CosineTable()[1024], 707107);
  EXPECT_EQ(ReadI32(&Bytes("costable.dat")[4 * 1024]), 5);

  Put("costable.dat", {1, 2, 3});
  reports_.clear();
  LoadCosineTable();
  EXPECT_TRUE(reports_.Has(0, "Cosine table file is corrupted"));
  EXPECT_EQ(CosineTable()[2048], 0);
  EXPECT_EQ(Bytes("costable.dat").size(), 3u);
}

// A record whose entries test the preparation: a zero amplitude, a terminator and an
// entry after it.
std::vector<uint8_t> PreparationRecord() {
  HarmonicRecordData record;
  record.number = 321;
  record.name = "Prepared";
  record.meanLevelMicroFeet = 3000000;
  record.entries = {{0, 2000, 400}, {1, 0, 50}, {2, 1234, 3590}, {3, 777, 0}, {4, 999, 10}};
  std::vector<uint8_t> bytes;
  EncodeHarmonicRecord(record, bytes);
  WriteI16(&bytes[harmonic_layout::kEntries + 3 * harmonic_layout::kEntrySize + harmonic_layout::kEntryPhase], -1);
  WriteI16(&bytes[harmonic_layout::kChecksum], HarmonicRecordChecksum(bytes.data(), bytes.size()));
  return bytes;
}

TEST_F(HeldDataTest, PreparationOnAWorkedExample) {
  YearArguments year;
  year.nodeFactorThousandths = {1000, 1000, 1100, 1000, 1000};
  year.equilibriumTenthsDegree = {100, 0, 50, 0, 0};
  ASSERT_TRUE(WriteYearFile(File("yeardata.dat"), 160, 2001, {year}));
  Put("00321.dat", PreparationRecord());

  ASSERT_EQ(LoadTideHarmonics(321, 2001, 1), 2);  // the zero amplitude and the entries after -1 drop out
  const auto prepared = PreparedConstituents();
  // Slot 0: f H = 2.000 ft; (V0 + u) - kappa = 10.0 - 40.0 = -30 -> 330 degrees
  // = 7509.333... steps.
  EXPECT_EQ(prepared[0].index, 0);
  EXPECT_FLOAT_EQ(prepared[0].amplitudeFeet, 2.0f);
  EXPECT_EQ(prepared[0].amplitudeWhole, 2);
  EXPECT_EQ(prepared[0].amplitudeMilli, 0);
  EXPECT_FLOAT_EQ(prepared[0].phaseRadians, static_cast<float>(330 / 57.295779));
  EXPECT_EQ(prepared[0].phaseSteps, 7509);
  EXPECT_EQ(prepared[0].phaseSteps5, 33333);
  // Slot 2: f H = 1.234 x 1.1 = 1.3574 ft; 5.0 - 359.0 = -354 -> 6 degrees = 136.533 steps.
  EXPECT_EQ(prepared[1].index, 2);
  EXPECT_NEAR(prepared[1].amplitudeFeet, 1.3574, 1e-6);
  EXPECT_EQ(prepared[1].amplitudeWhole, 1);
  EXPECT_EQ(prepared[1].amplitudeMilli, 357);
  EXPECT_EQ(prepared[1].phaseSteps, 136);
  EXPECT_EQ(prepared[1].phaseSteps5, 53333);
  EXPECT_EQ(HeldMeanLevelMicroFeet(), 3000000);
  EXPECT_EQ(HeldTideRecordName(), "Prepared");
}

TEST_F(HeldDataTest, PreparedTablesAreReusedOnlyWhereTheRecordAllows) {
  HarmonicRecordData limited = test::FixtureStation(500);
  limited.month = 5;
  limited.year = 2005;
  ASSERT_TRUE(WriteOverrideFile(File("00500.dat"), limited));
  ASSERT_GT(LoadTideHarmonics(500, 2005, 5), 0);

  // With the year file gone, only a reuse can still succeed.
  fs::remove(File("yeardata.dat"));
  EXPECT_GT(LoadTideHarmonics(500, 2005, 5), 0);
  EXPECT_TRUE(reports_.empty());
  EXPECT_LE(LoadTideHarmonics(500, 2005, 6), 0);  // another month: prepared again
  EXPECT_TRUE(reports_.Has(2100));

  test::WriteFixtureTables(dataDir_.path().string(), 1995, 2010);
  ASSERT_TRUE(WriteOverrideFile(File("00500.dat"), limited));
  ASSERT_GT(LoadTideHarmonics(500, 2006, 5), 0);  // a year past the record's year is prepared anew
  fs::remove(File("yeardata.dat"));
  reports_.clear();
  EXPECT_LE(LoadTideHarmonics(500, 2006, 5), 0);
  EXPECT_TRUE(reports_.Has(2100));
}

TEST_F(HeldDataTest, StationsNoTideHasAreRefused) {
  HarmonicRecordData silent = test::FixtureStation(600);
  for (HarmonicEntry& entry : silent.entries) entry.amplitudeMilliFeet = 0;
  ASSERT_TRUE(WriteOverrideFile(File("00600.dat"), silent));
  EXPECT_LE(LoadTideHarmonics(600, 2005, 1), 0);
  EXPECT_TRUE(reports_.Has(0, "Tide harmonic file 600.dat is corrupted"));

  HarmonicRecordData huge = test::FixtureStation(601);
  huge.entries[0].amplitudeMilliFeet = 2000000000;
  ASSERT_TRUE(WriteOverrideFile(File("00601.dat"), huge));
  reports_.clear();
  EXPECT_LE(LoadTideHarmonics(601, 2005, 1), 0);
  EXPECT_TRUE(reports_.Has(0, "Tide harmonic file 601.dat is corrupted"));
  EXPECT_TRUE(PreparedConstituents().empty());
}

}  // namespace
}  // namespace qw
