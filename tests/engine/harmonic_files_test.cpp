#include "engine/harmonic_files.h"

#include <fstream>

#include "engine/atomic_file.h"
#include "engine/byte_order.h"
#include "engine/data_writers.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

namespace h = harmonic_layout;

HarmonicRecordData SmallRecord(uint16_t number, const std::string& name) {
  HarmonicRecordData record;
  record.number = number;
  record.name = name;
  record.meanLevelMicroFeet = 1000000;
  record.entries = {{0, 1234, 100}, {3, 567, 2000}};
  return record;
}

class HarmonicFilesTest : public test::EngineTest {
 protected:
  std::string File(const std::string& name) const { return dataDir_.File(name); }

  void WriteFamily(const std::string& family, const std::vector<HarmonicRecordData>& records) {
    std::string error;
    ASSERT_TRUE(WriteHarmonicFamily(File(family + ".IDX"), File(family + ".DAT"), records, &error)) << error;
  }

  // The name stored in a record buffer.
  static std::string NameIn(const uint8_t* buffer) { return reinterpret_cast<const char*>(buffer + h::kName); }
};

TEST_F(HarmonicFilesTest, IndexSearchFindsEveryKeyAndNothingElse) {
  std::vector<HarmonicRecordData> records;
  for (uint16_t number = 3; number < 3000; number += 7) records.push_back(SmallRecord(number, "s"));
  WriteFamily("NOSWTIDE", records);
  BinaryFile index(File("NOSWTIDE.IDX"));
  ASSERT_TRUE(index.IsOpen());
  StationIndexEntry entry;
  int64_t expectedOffset = 0;
  for (const HarmonicRecordData& record : records) {
    ASSERT_TRUE(FindIndexEntry(index, record.number, entry)) << record.number;
    EXPECT_EQ(entry.key, record.number);
    EXPECT_EQ(entry.offset, expectedOffset);
    expectedOffset += entry.length;
  }
  for (uint16_t missing : {1, 2, 4, 2998, 3000, 65535}) EXPECT_FALSE(FindIndexEntry(index, missing, entry)) << missing;
  EXPECT_FALSE(FindIndexEntry(index, 0, entry));  // the header's key is no record
}

TEST_F(HarmonicFilesTest, IndexHeaderCountIsBoundedByTheFile) {
  WriteFamily("NOSWTIDE", {SmallRecord(10, "a"), SmallRecord(20, "b"), SmallRecord(30, "c")});
  std::vector<uint8_t> index;
  ASSERT_TRUE(ReadFilePrefix(File("NOSWTIDE.IDX"), 1000, index));
  StationIndexEntry entry;

  // A header count of 0 still compares entry 1.
  WriteI32(&index[index_layout::kOffset], 0);
  ASSERT_TRUE(WriteFileAtomically(File("NOSWTIDE.IDX"), index));
  BinaryFile zero(File("NOSWTIDE.IDX"));
  EXPECT_TRUE(FindIndexEntry(zero, 10, entry));
  EXPECT_FALSE(FindIndexEntry(zero, 30, entry));

  // A count far beyond the file, or negative, never reads past its end.
  for (int32_t count : {1000000, -5, 65535}) {
    WriteI32(&index[index_layout::kOffset], count);
    ASSERT_TRUE(WriteFileAtomically(File("NOSWTIDE.IDX"), index));
    BinaryFile file(File("NOSWTIDE.IDX"));
    EXPECT_EQ(FindIndexEntry(file, 30, entry), count > 0) << count;
    EXPECT_FALSE(FindIndexEntry(file, 40, entry)) << count;
  }

  // An empty or truncated index finds nothing.
  ASSERT_TRUE(WriteFileAtomically(File("NOSWTIDE.IDX"), {1, 2, 3}));
  BinaryFile tiny(File("NOSWTIDE.IDX"));
  EXPECT_FALSE(FindIndexEntry(tiny, 10, entry));
}

TEST_F(HarmonicFilesTest, RecordsComeFromTheirFamilies) {
  WriteFamily("NOSWTIDE", {SmallRecord(123, "West 123"), SmallRecord(9999, "West 9999")});
  WriteFamily("NOSETIDE", {SmallRecord(456, "East 456")});
  WriteFamily("CHSWTIDE", {SmallRecord(12016, "Canada 12016")});
  WriteFamily("BA1", {SmallRecord(31000, "UK 31000")});
  WriteFamily("BA14", {SmallRecord(44000, "UK 44000")});
  WriteFamily("BA30", {SmallRecord(60000, "Far 60000")});

  uint8_t buffer[h::kBufferSize];
  const std::pair<uint16_t, const char*> expected[] = {
      {123, "West 123"}, {456, "East 456"},   {12016, "Canada 12016"},
      {31000, "UK 31000"}, {44000, "UK 44000"}, {60000, "Far 60000"}};
  for (const auto& [number, name] : expected) {
    const size_t length = ReadHarmonicRecord(number, buffer);
    EXPECT_EQ(length, h::kEntries + 2 * h::kEntrySize) << number;
    EXPECT_EQ(NameIn(buffer), name);
    EXPECT_EQ(ReadI16(buffer + length + h::kEntryPhase), -1) << "the list ends after the record";
  }
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();

  EXPECT_EQ(ReadHarmonicRecord(77, buffer), 0u);
  EXPECT_TRUE(reports_.Has(2408, "Error opening tide station file: 'Station: 77'")) << reports_.Describe();
  reports_.clear();
  EXPECT_EQ(ReadHarmonicRecord(456 + 20000, buffer), 0u);  // the CHS family does not have it
  EXPECT_TRUE(reports_.Has(2408));
}

TEST_F(HarmonicFilesTest, OverrideFileWinsOverTheIndex) {
  WriteFamily("NOSWTIDE", {SmallRecord(123, "From index")});
  ASSERT_TRUE(WriteOverrideFile(File("00123.dat"), SmallRecord(123, "From override")));
  uint8_t buffer[h::kBufferSize];
  EXPECT_EQ(ReadHarmonicRecord(123, buffer), h::kRecordSize - h::kEntrySize);
  EXPECT_EQ(NameIn(buffer), "From override");

  // An empty override file holds no record: the index still serves.
  ASSERT_TRUE(WriteFileAtomically(File("00123.dat"), {}));
  EXPECT_EQ(ReadHarmonicRecord(123, buffer), h::kEntries + 2 * h::kEntrySize);
  EXPECT_EQ(NameIn(buffer), "From index");
}

TEST_F(HarmonicFilesTest, TruncatedRecordsKeepOnlyWholeEntries) {
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(EncodeHarmonicRecord(SmallRecord(123, "Cut"), bytes));
  // Cut inside the second entry's phase: the part-entry must not survive as an entry.
  bytes.resize(h::kEntries + h::kEntrySize + 6);
  ASSERT_TRUE(WriteFileAtomically(File("00123.dat"), bytes));
  uint8_t buffer[h::kBufferSize];
  ASSERT_GT(ReadHarmonicRecord(123, buffer), 0u);
  HarmonicRecordData back;
  ASSERT_TRUE(DecodeHarmonicRecord(buffer, sizeof buffer, back));
  ASSERT_EQ(back.entries.size(), 1u);
  EXPECT_EQ(back.entries[0].amplitudeMilliFeet, 1234);

  // An index entry pointing past the end of the data file is no record.
  WriteFamily("NOSWTIDE", {SmallRecord(200, "Gone")});
  ASSERT_TRUE(WriteFileAtomically(File("NOSWTIDE.DAT"), {}));
  EXPECT_EQ(ReadHarmonicRecord(200, buffer), 0u);
  EXPECT_TRUE(reports_.Has(2408, "Error opening tide station file: 'Station: 200'"));
}

}  // namespace
}  // namespace qw
