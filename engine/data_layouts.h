// Byte layouts of the engine's harmonic data files, their checksums and their names.
//
// The files are packed little-endian records with no magic number and no version:
//   costable.dat                 quarter-wave cosine table, 2049 x i32 millionths
//   constspd.dat / constspd.ba   constituent speeds, 160 or 230 slots
//   yeardata.dat/.can/.ba        one record per year: node factors and equilibrium arguments
//   <family>.IDX + <family>.DAT  harmonic constants of reference stations, found by index
//   %05u.dat                     one harmonic record that overrides the index families
// Each layout is declared once here and used by both the readers (harmonic_files.h) and
// the writers (data_writers.h). Checksums are 16-bit sums with wrap-around, exactly as
// the files are written, so they are implemented once and shared too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qw {

// Constituent slots held in memory. The 160-slot files fill slots 0..159.
constexpr int kConstituentSlots = 230;
constexpr int kSmallConstituentSlots = 160;

// ---- Cosine table --------------------------------------------------------------------
// Entry k is cos(k x 90deg / 2048) in millionths: entry 0 is 1,000,000, entry 2048 is 0.
// The engine's angle unit is the table step: 2048 per quarter turn, 8192 per turn.
constexpr int kCosineQuarterSteps = 2048;
constexpr int kCosineCircleSteps = 4 * kCosineQuarterSteps;
constexpr int kCosineEntries = kCosineQuarterSteps + 1;
constexpr int32_t kCosineScale = 1000000;
constexpr size_t kCosineFileSize = kCosineEntries * 4;
static_assert(kCosineFileSize == 8196);

// Entry k of the table as the engine computes it when the file is missing:
// trunc(trunc(cos(k/2048 x pi/2) x 10,000,000 + 5) / 10).
int32_t ComputeCosineEntry(int k);

// ---- Constituent speed table ---------------------------------------------------------
// u16 checksum; f64 speed[N] (radians per solar hour); i32 stepsWhole[N], stepsFrac5[N],
// stepsFrac3[N] (cosine-table steps per hour: whole part, fraction x 100,000, fraction
// x 1,000) for the integer form of the harmonic sum. N is 160 (".dat") or 230 (".ba").
namespace speed_layout {
constexpr size_t kChecksum = 0;
constexpr size_t kSpeeds = 2;
constexpr size_t StepsWhole(int slots) { return kSpeeds + 8 * static_cast<size_t>(slots); }
constexpr size_t StepsFrac5(int slots) { return StepsWhole(slots) + 4 * static_cast<size_t>(slots); }
constexpr size_t StepsFrac3(int slots) { return StepsFrac5(slots) + 4 * static_cast<size_t>(slots); }
constexpr size_t FileSize(int slots) { return StepsFrac3(slots) + 4 * static_cast<size_t>(slots); }
static_assert(StepsWhole(160) == 1282 && StepsFrac5(160) == 1922 && StepsFrac3(160) == 2562);
static_assert(StepsWhole(230) == 1842 && StepsFrac5(230) == 2762 && StepsFrac3(230) == 3682);
static_assert(FileSize(160) == 3202 && FileSize(230) == 4602);
}  // namespace speed_layout

// The speed file checksum: every byte after the checksum field added as a signed byte
// into a 16-bit sum.
uint16_t SpeedFileChecksum(const uint8_t* file, size_t size);

// The integer step parts of a speed in radians per hour, as stored in the speed file:
// steps per hour = degrees per hour x 8192 / 360, rounded to 1/100,000 step; whole is
// its integer part, frac5 the remainder in 1/100,000 step (0..99,999) and frac3 the
// remainder in 1/1,000 step (0..1,000, rounded from frac5).
struct SpeedSteps {
  int32_t whole = 0;
  int32_t frac5 = 0;
  int32_t frac3 = 0;
};
SpeedSteps SpeedToSteps(double radiansPerHour);

// A speed file in memory, always in the 230-slot layout (a 160-slot file leaves slots
// 160..229 zero). Constituent i is the same constituent here, in the year records and in
// the harmonic records.
struct SpeedTable {
  uint16_t storedChecksum = 0;
  double speedRadiansPerHour[kConstituentSlots] = {};  // floating form of the sum
  int32_t stepsWhole[kConstituentSlots] = {};          // integer form: whole steps per hour
  int32_t stepsFrac5[kConstituentSlots] = {};          // fraction of a step per hour x 100,000
  int32_t stepsFrac3[kConstituentSlots] = {};          // fraction of a step per hour x 1,000
};

// Decodes the first `size` bytes of a speed file of `slots` slots; bytes past `size` (a
// short file) read as zero.
void DecodeSpeedFile(const uint8_t* bytes, size_t size, int slots, SpeedTable& out);

// True when every slot holds a usable speed: finite, 0..2 pi radians per hour, and step
// parts within 0..8192, 0..99,999 and 0..1,000. The integer sum relies on these bounds to
// stay within 32 bits.
bool SpeedTableIsUsable(const SpeedTable& table);

// ---- Year record ---------------------------------------------------------------------
// i16 year; u16 checksum; i16 nodeFactor[N] (f x 1000); i16 equilibrium[N] (V0 + u at
// 1 January 00:00 of the year, tenths of a degree). Consecutive years follow each other.
namespace year_layout {
constexpr size_t kYear = 0;
constexpr size_t kChecksum = 2;
constexpr size_t kNodeFactors = 4;
constexpr size_t Equilibrium(int slots) { return kNodeFactors + 2 * static_cast<size_t>(slots); }
constexpr size_t RecordSize(int slots) { return Equilibrium(slots) + 2 * static_cast<size_t>(slots); }
static_assert(Equilibrium(160) == 324 && RecordSize(160) == 644);
static_assert(Equilibrium(230) == 464 && RecordSize(230) == 924);
}  // namespace year_layout

// The year record checksum: the year plus every node factor and equilibrium argument
// (sign-extended), kept to 16 bits.
uint16_t YearRecordChecksum(int16_t year, const int16_t* nodeFactor, const int16_t* equilibrium,
                            int slots);

// A year record in memory, always in the 230-slot layout.
struct YearRecord {
  int16_t year = 0;
  uint16_t storedChecksum = 0;
  int16_t nodeFactor[kConstituentSlots] = {};   // f x 1000
  int16_t equilibrium[kConstituentSlots] = {};  // V0 + u, tenths of a degree
};

// Decodes one record of `slots` slots from year_layout::RecordSize(slots) bytes.
void DecodeYearRecord(const uint8_t* bytes, int slots, YearRecord& out);

// True when the stored checksum matches the record's contents.
bool YearRecordChecksumMatches(const YearRecord& record);

// ---- Harmonic record -----------------------------------------------------------------
// u16 number; char name[51] (NUL-terminated); i16 checksum; i16 month; i16 year;
// i32 meanLevel (Z0, millionths of a foot); then up to 230 packed 7-byte entries of
// u8 constituent index, i32 amplitude H (thousandths of a foot), i16 phase kappa (tenths of
// a degree). The list ends at the first entry whose phase is -1, or after 230 entries.
namespace harmonic_layout {
constexpr size_t kNumber = 0;
constexpr size_t kName = 2;
constexpr size_t kNameSize = 51;
constexpr size_t kChecksum = 53;
constexpr size_t kMonth = 55;
constexpr size_t kYear = 57;
constexpr size_t kMeanLevel = 59;
constexpr size_t kEntries = 63;
constexpr size_t kEntrySize = 7;
constexpr size_t kEntryIndex = 0;
constexpr size_t kEntryAmplitude = 1;
constexpr size_t kEntryPhase = 5;
constexpr int kMaxEntries = kConstituentSlots;
constexpr size_t kRecordSize = kEntries + kEntrySize * kMaxEntries;
// A record held in memory carries one more entry of 0xFF bytes, so its list always ends.
constexpr size_t kBufferSize = kRecordSize + kEntrySize;
constexpr int16_t kTerminatorPhase = -1;
static_assert(kChecksum == kName + kNameSize && kMonth == kChecksum + 2 && kYear == kMonth + 2);
static_assert(kMeanLevel == kYear + 2 && kEntries == kMeanLevel + 4);
static_assert(kEntryPhase + 2 == kEntrySize && kRecordSize == 1673);
}  // namespace harmonic_layout

// The harmonic record checksum over `size` bytes of a record: number + low 16 bits of the
// mean level + month + year, plus the low 16 bits of the amplitude and the phase of each
// entry up to the terminator (at most 230, and only entries wholly inside `size`).
int16_t HarmonicRecordChecksum(const uint8_t* record, size_t size);

// One constituent of a reference station.
struct HarmonicEntry {
  uint8_t constituentIndex = 0;   // slot in the speed table and the year records (< 230)
  int32_t amplitudeMilliFeet = 0; // H, thousandths of a foot
  int16_t phaseTenthsDegree = 0;  // kappa, tenths of a degree; stored reduced to 0..3599
};

// The harmonic constants of one reference tide station.
struct HarmonicRecordData {
  uint16_t number = 0;           // harmonic record number (1..65535)
  std::string name;              // at most 50 characters are stored
  int16_t month = 0;             // 0, or the only month the prepared tables may be reused in
  int16_t year = 0;              // 0, or the last year the prepared tables may be reused in
  int32_t meanLevelMicroFeet = 0;  // Z0 above the station's datum
  std::vector<HarmonicEntry> entries;  // at most 230
};

// Decodes `size` bytes of a harmonic record: the header and the entries up to the
// terminator, the 230th entry or the last whole entry. False when the header is short.
bool DecodeHarmonicRecord(const uint8_t* bytes, size_t size, HarmonicRecordData& out);

// ---- Station index -------------------------------------------------------------------
// 8-byte entries: u16 key (harmonic record number), i32 offset in the .DAT file, u16
// length of the record. Entry 0 is a header: key 0, its offset field holds the count N.
// Entries 1..N are sorted by key, ascending.
namespace index_layout {
constexpr size_t kKey = 0;
constexpr size_t kOffset = 2;
constexpr size_t kLength = 6;
constexpr size_t kEntrySize = 8;
static_assert(kOffset == kKey + 2 && kLength == kOffset + 4 && kEntrySize == kLength + 2);
}  // namespace index_layout

struct StationIndexEntry {
  uint16_t key = 0;
  int32_t offset = 0;   // byte position of the record in the .DAT file (the count N in entry 0)
  uint16_t length = 0;  // bytes of the record
};
void DecodeIndexEntry(const uint8_t* bytes, StationIndexEntry& out);
void EncodeIndexEntry(const StationIndexEntry& in, uint8_t* bytes);

// ---- File names ----------------------------------------------------------------------
// The data variant of a harmonic record number: number / 10000 (0..6). It chooses the
// year-data and speed files and the index family:
//   0       yeardata.dat  constspd.dat  160 slots  NOSWTIDE, then NOSETIDE
//   1       yeardata.can  constspd.dat  160 slots  CHSWTIDE, then CHSETIDE
//   2       yeardata.dat  constspd.dat  160 slots  CHSWTIDE, then CHSETIDE
//   3, 4    yeardata.ba   constspd.ba   230 slots  BA<number / 1000 - 30>
//   5, 6    yeardata.dat  constspd.dat  160 slots  BA<number / 1000 - 30>
int DataVariant(uint16_t recordNumber);
int ConstituentSlotsForVariant(int variant);
const char* YearFileName(int variant);
const char* SpeedFileName(int variant);
// The index family base name ("NOSWTIDE", "BA1") for attempt 0 or 1; an empty string when
// the family has no such attempt (the BA families have one pair of files).
std::string HarmonicFamilyName(uint16_t recordNumber, int attempt);
// The override file of a record: "%05u.dat" ("00123.dat").
std::string OverrideFileName(uint16_t recordNumber);

}  // namespace qw
