#include "engine/harmonic_files.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/data_dir.h"
#include "engine/report.h"
#include "engine/string_table.h"

namespace qw {
namespace {

namespace h = harmonic_layout;

constexpr int kMsgTideStationFile = 2408;

// Bytes of a record worth keeping from `read` bytes: a whole header and whole entries. A
// part-entry at the end would otherwise mix file bytes with the 0xFF fill.
size_t WholeEntries(size_t read) {
  if (read <= h::kEntries) return read;
  return h::kEntries + (read - h::kEntries) / h::kEntrySize * h::kEntrySize;
}

// Reads `count` bytes at `offset` of `file` into the front of the 0xFF-filled `work`,
// keeping only whole entries. Returns the bytes kept.
size_t ReadRecordBytes(BinaryFile& file, int64_t offset, size_t count, uint8_t* work) {
  const size_t read = file.ReadAt(offset, work, std::min(count, h::kRecordSize));
  const size_t kept = WholeEntries(read);
  std::memset(work + kept, 0xFF, h::kBufferSize - kept);
  return kept;
}

}  // namespace

bool FindIndexEntry(BinaryFile& index, uint16_t key, StationIndexEntry& out) {
  constexpr size_t kEntry = index_layout::kEntrySize;
  uint8_t bytes[kEntry];
  out = StationIndexEntry{};
  if (key == 0 || index.ReadAt(0, bytes, kEntry) != kEntry) return false;
  StationIndexEntry current;
  DecodeIndexEntry(bytes, current);

  // The header's count plus one, as the index was always searched, but never past the
  // last whole entry in the file.
  const int64_t entriesInFile = static_cast<int64_t>(index.Size() / kEntry) - 1;
  const int64_t count = std::clamp<int64_t>(current.offset, 0, 65534);
  int64_t lo = 1;
  int64_t hi = std::min(count + 1, entriesInFile);
  while (lo <= hi && current.key != key) {
    const int64_t mid = (lo + hi) / 2;
    if (index.ReadAt(mid * static_cast<int64_t>(kEntry), bytes, kEntry) != kEntry) break;
    DecodeIndexEntry(bytes, current);
    if (current.key < key) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  out = current;
  return current.key == key;
}

size_t ReadHarmonicRecord(uint16_t number, uint8_t* buffer) {
  std::memset(buffer, 0xFF, h::kBufferSize);

  BinaryFile overrideFile(DataFilePath(OverrideFileName(number)));
  if (overrideFile.IsOpen()) {
    const size_t kept = ReadRecordBytes(overrideFile, 0, h::kRecordSize, buffer);
    // An override always presents a whole record; a short header is left for the
    // checksum test to refuse.
    if (kept >= h::kEntries) return h::kRecordSize - h::kEntrySize;
    if (kept > 0) return kept;
  }

  for (int attempt = 0; attempt < 2; ++attempt) {
    const std::string family = HarmonicFamilyName(number, attempt);
    if (family.empty()) break;
    BinaryFile data(DataFilePath(family + ".DAT"));
    BinaryFile index(DataFilePath(family + ".IDX"));
    if (!data.IsOpen() || !index.IsOpen()) continue;
    StationIndexEntry entry;
    if (!FindIndexEntry(index, number, entry)) continue;
    const size_t kept = ReadRecordBytes(data, entry.offset, entry.length, buffer);
    if (kept > 0) return kept;
  }

  const std::string station = "Station: " + std::to_string(number);
  ReportEngineError(kMsgTideStationFile, FormatString(kMsgTideStationFile, station.c_str()));
  std::memset(buffer, 0xFF, h::kBufferSize);
  return 0;
}

}  // namespace qw
