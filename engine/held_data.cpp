#include "engine/held_data.h"

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/atomic_file.h"
#include "engine/binary_file.h"
#include "engine/byte_order.h"
#include "engine/data_dir.h"
#include "engine/harmonic_files.h"
#include "engine/minute_cache.h"
#include "engine/report.h"
#include "engine/string_table.h"

namespace qw {
namespace {

namespace h = harmonic_layout;

constexpr int kMsgYearFileOpen = 2100;
constexpr int kMsgYearFileRead = 2101;
constexpr int kMsgSpeedFileOpen = 2208;

using CosineArray = std::array<int32_t, kCosineEntries>;
using RecordBuffer = std::array<uint8_t, h::kBufferSize>;

struct HeldState {
  std::unique_ptr<CosineArray> cosine;

  std::unique_ptr<SpeedTable> speeds;
  std::string speedFile;  // file the table came from

  std::unique_ptr<YearRecord> year;
  int heldYear = 0;        // 0: the year record is not valid
  int yearVariant = -1;    // data variant the year record was read for
  EngineMinute yearStart = 0;
  EngineMinute yearEnd = 0;

  uint16_t loadedNumber = 0;
  bool tideRecordHeld = false;
  std::unique_ptr<RecordBuffer> record;

  std::vector<PreparedConstituent> prepared;
};

// At namespace scope rather than a function's static, so the accessors below, asked several
// times for every minute a table or graph shows, read it without a first-use check. (Not
// `constinit`: clang 14 cannot constant-initialize libstdc++'s std::string, and the fuzz
// targets are built with clang.)
HeldState held_state;

HeldState& State() { return held_state; }

// Counts every change of the held tables; never reset, so a view built from an older
// state is always recognised as stale.
uint64_t& Generation() {
  static uint64_t generation = 0;
  return generation;
}

void Changed() { ++Generation(); }

void ReportHarmonicCorrupted(uint16_t number) {
  char text[64];
  std::snprintf(text, sizeof text, kHarmonicFileCorruptedFormat, static_cast<int>(number));
  ReportInformation(text);
}

void ForgetYear() {
  HeldState& s = State();
  s.heldYear = 0;
  s.prepared.clear();
  Changed();
}

// The record's entries up to the terminator, at most 230; calls visit(entry offset).
template <typename Visit>
void ForEachEntry(const uint8_t* record, Visit visit) {
  for (int i = 0; i < h::kMaxEntries; ++i) {
    const uint8_t* entry = record + h::kEntries + static_cast<size_t>(i) * h::kEntrySize;
    if (ReadI16(entry + h::kEntryPhase) == h::kTerminatorPhase) break;
    visit(entry);
  }
}

}  // namespace

int LoadCosineTable() {
  HeldState& s = State();
  auto computed = std::make_unique<CosineArray>();
  for (int k = 0; k < kCosineEntries; ++k) (*computed)[static_cast<size_t>(k)] = ComputeCosineEntry(k);

  const std::string path = DataFilePath("costable.dat");
  std::vector<uint8_t> bytes;
  if (!ReadFilePrefix(path, kCosineFileSize, bytes)) {
    std::vector<uint8_t> out(kCosineFileSize);
    for (int k = 0; k < kCosineEntries; ++k) {
      WriteI32(&out[4 * static_cast<size_t>(k)], (*computed)[static_cast<size_t>(k)]);
    }
    WriteFileAtomically(path, out);  // the table is used from memory even when this fails
    s.cosine = std::move(computed);
    Changed();
    return 1;
  }

  bool intact = bytes.size() == kCosineFileSize;
  auto table = std::make_unique<CosineArray>();
  for (int k = 0; intact && k < kCosineEntries; ++k) {
    const int32_t entry = ReadI32(&bytes[4 * static_cast<size_t>(k)]);
    const int32_t expected = (*computed)[static_cast<size_t>(k)];
    // The file may come from another tool; it must still be the quarter wave, with its
    // ends exact (the integer sum's quadrants meet there).
    const int32_t slack = (k == 0 || k == kCosineQuarterSteps) ? 0 : 1;
    intact = entry >= expected - slack && entry <= expected + slack;
    (*table)[static_cast<size_t>(k)] = entry;
  }
  if (!intact) {
    ReportInformation(kCosineFileCorruptedText);
    table = std::move(computed);
  }
  s.cosine = std::move(table);
  Changed();
  return 1;
}

int LoadConstituentSpeeds() {
  HeldState& s = State();
  const int variant = DataVariant(s.loadedNumber);
  const std::string fileName = SpeedFileName(variant);
  const std::string path = DataFilePath(fileName);
  const int slots = ConstituentSlotsForVariant(variant);

  std::vector<uint8_t> bytes;
  if (!ReadFilePrefix(path, speed_layout::FileSize(kConstituentSlots), bytes)) {
    ReportEngineError(kMsgSpeedFileOpen, FormatString(kMsgSpeedFileOpen, path.c_str()));
    // A table read earlier from this same file still serves; one of another variant's
    // file would give the wrong speeds.
    if (s.speeds && s.speedFile != fileName) s.speeds.reset();
    Changed();
    return s.speeds ? 1 : -1;
  }
  DebugTrace("File = %s\n", path.c_str());

  auto table = std::make_unique<SpeedTable>();
  DecodeSpeedFile(bytes.data(), bytes.size(), slots, *table);
  const bool complete = bytes.size() >= speed_layout::FileSize(slots);
  if (!complete || !SpeedTableIsUsable(*table)) {
    ReportInformation(kSpeedFileCorruptedText);
    s.speeds.reset();
    Changed();
    return -1;
  }
  if (SpeedFileChecksum(bytes.data(), bytes.size()) != table->storedChecksum) {
    ReportInformation(kSpeedFileCorruptedText);  // and the table is used as read
  }
  s.speeds = std::move(table);
  s.speedFile = fileName;
  Changed();
  return 1;
}

int LoadYearRecord(int year) {
  HeldState& s = State();
  ForgetYear();
  const int variant = DataVariant(s.loadedNumber);
  const int slots = ConstituentSlotsForVariant(variant);
  const size_t recordSize = year_layout::RecordSize(slots);
  const std::string path = DataFilePath(YearFileName(variant));

  BinaryFile file(path);
  if (!file.IsOpen()) {
    ReportEngineError(kMsgYearFileOpen, FormatString(kMsgYearFileOpen, path.c_str()));
    return -1;
  }
  DebugTrace("File = %s\n", path.c_str());

  std::array<uint8_t, year_layout::RecordSize(kConstituentSlots)> bytes{};
  file.ReadAt(0, bytes.data(), recordSize);
  const int baseYear = ReadI16(&bytes[year_layout::kYear]);
  if (baseYear != year) {
    if (year < baseYear) {
      // Years before the file's first record are not in it.
      ReportInformation(kYearFileCorruptedText);
      return -1;
    }
    bytes.fill(0);
    const int64_t offset = static_cast<int64_t>(year - baseYear) * static_cast<int64_t>(recordSize);
    if (file.ReadAt(offset, bytes.data(), recordSize) < recordSize) {
      char detail[64];
      std::snprintf(detail, sizeof detail, "Base Year = %i, Year = %i", baseYear, year);
      ReportEngineError(kMsgYearFileRead, FormatString(kMsgYearFileRead, detail));
      return -1;
    }
  }
  file.Close();

  auto record = std::make_unique<YearRecord>();
  DecodeYearRecord(bytes.data(), slots, *record);
  if (!YearRecordChecksumMatches(*record) || record->year != year) {
    ReportInformation(kYearFileCorruptedText);
    return -1;
  }

  s.year = std::move(record);
  s.yearVariant = variant;
  s.yearStart = MinuteOf(year, 1, 1, 0, 0);
  s.yearEnd = MinuteOf(year, 12, 31, 23, 59);
  s.heldYear = year;
  Changed();
  if (LoadConstituentSpeeds() <= 0) {
    ForgetYear();
    return -1;
  }
  return 1;
}

void BeginStationChange(uint16_t nextNumber) {
  HeldState& s = State();
  s.tideRecordHeld = false;
  s.prepared.clear();
  if (s.heldYear != 0 && DataVariant(nextNumber) != s.yearVariant) ForgetYear();
  s.loadedNumber = 0;
  Changed();
}

void SetLoadedStationNumber(uint16_t number) { State().loadedNumber = number; }

int LoadHarmonicRecord(uint16_t number) {
  HeldState& s = State();
  if (s.tideRecordHeld && s.loadedNumber == number) return 1;
  BeginStationChange(number);

  auto work = std::make_unique<RecordBuffer>();
  const size_t length = ReadHarmonicRecord(number, work->data());
  if (length == 0) return -1;

  bool sound = length >= h::kEntries &&
               HarmonicRecordChecksum(work->data(), work->size()) == ReadI16(&(*work)[h::kChecksum]);
  const int slots = ConstituentSlotsForVariant(DataVariant(number));
  if (sound) {
    ForEachEntry(work->data(), [&](const uint8_t* entry) {
      if (ReadU8(entry + h::kEntryIndex) >= slots) sound = false;
    });
  }
  if (!sound) {
    ReportHarmonicCorrupted(number);
    return -1;
  }
  (*work)[h::kName + h::kNameSize - 1] = 0;  // the name always ends inside its field

  s.record = std::move(work);
  s.tideRecordHeld = true;
  s.loadedNumber = number;
  Changed();
  StartMinuteCache(number);
  return 1;
}

int LoadTideHarmonics(uint16_t number, int year, int month) {
  HeldState& s = State();
  if (s.tideRecordHeld && s.loadedNumber == number && s.heldYear == year && !s.prepared.empty()) {
    const int recordMonth = ReadI16(&(*s.record)[h::kMonth]);
    const int recordYear = ReadI16(&(*s.record)[h::kYear]);
    if ((recordMonth == 0 || recordMonth == month) && (recordYear == 0 || recordYear >= year)) {
      return static_cast<int>(s.prepared.size());
    }
  }

  int result = LoadHarmonicRecord(number);
  if (result <= 0) return result;
  result = LoadYearRecord(year);
  if (result <= 0) return result;
  if (!s.speeds && LoadConstituentSpeeds() <= 0) return -1;
  if (!s.cosine) LoadCosineTable();
  if (!s.cosine) return -1;

  // f x H and (V0 + u) - kappa for each constituent with an amplitude.
  std::vector<PreparedConstituent> prepared;
  double reachFeet = std::abs(ReadI32(&(*s.record)[h::kMeanLevel]) / 1e6);
  ForEachEntry(s.record->data(), [&](const uint8_t* entry) {
    const int32_t amplitude = ReadI32(entry + h::kEntryAmplitude);
    if (amplitude == 0) return;
    const uint8_t c = ReadU8(entry + h::kEntryIndex);
    const int16_t kappa = ReadI16(entry + h::kEntryPhase);
    PreparedConstituent p;
    p.index = c;
    p.amplitudeFeet = static_cast<float>(amplitude / 1000.0 * s.year->nodeFactor[c] / 1000.0);
    p.amplitudeWhole = static_cast<int32_t>(p.amplitudeFeet);
    const float fraction = p.amplitudeFeet - static_cast<float>(p.amplitudeWhole);
    p.amplitudeMilli = static_cast<int32_t>(fraction * 10000.0f + 5.0f) / 10;
    double g = (s.year->equilibrium[c] - kappa) / 10.0;
    if (g < 0) g += 360.0;
    p.phaseRadians = static_cast<float>(g / 57.295779);
    const double steps = g * kCosineCircleSteps / 360.0;
    p.phaseSteps = static_cast<int32_t>(steps);
    p.phaseSteps5 = static_cast<int32_t>(((steps - p.phaseSteps) * 1000000.0 + 5.0) / 10.0);
    reachFeet += std::abs(static_cast<double>(p.amplitudeFeet));
    prepared.push_back(p);
  });
  if (prepared.empty() || reachFeet > kMaxStationReachFeet) {
    // No constituent at all, or amplitudes no tide has: nothing sensible can be predicted.
    ReportHarmonicCorrupted(number);
    return -1;
  }
  s.prepared = std::move(prepared);
  Changed();
  return static_cast<int>(s.prepared.size());
}

bool TideHarmonicsReady() {
  const HeldState& s = State();
  return s.tideRecordHeld && s.heldYear != 0 && !s.prepared.empty() && s.speeds && s.cosine;
}

const int32_t* CosineTable() { return State().cosine ? State().cosine->data() : nullptr; }
const SpeedTable* ConstituentSpeeds() { return State().speeds.get(); }
const YearRecord* HeldYearRecord() { return State().heldYear != 0 ? State().year.get() : nullptr; }
int HeldYear() { return State().heldYear; }
EngineMinute HeldYearStart() { return State().yearStart; }
EngineMinute HeldYearEnd() { return State().yearEnd; }
uint16_t LoadedStationNumber() { return State().loadedNumber; }
bool TideRecordHeld() { return State().tideRecordHeld; }

const uint8_t* HeldTideRecord() { return State().tideRecordHeld ? State().record->data() : nullptr; }

std::string HeldTideRecordName() {
  const uint8_t* record = HeldTideRecord();
  if (!record) return std::string();
  return std::string(reinterpret_cast<const char*>(record + h::kName));
}

int32_t HeldMeanLevelMicroFeet() {
  const uint8_t* record = HeldTideRecord();
  return record ? ReadI32(record + h::kMeanLevel) : 0;
}

std::span<const PreparedConstituent> PreparedConstituents() { return State().prepared; }

uint64_t HeldDataGeneration() { return Generation(); }

void ResetHeldData() {
  State() = HeldState{};
  Changed();
  ResetMinuteCache();
}

}  // namespace qw
