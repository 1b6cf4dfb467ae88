// The harmonic file of one reference current station ("%05u.dat" in the data directory).
//
// A 67-byte header followed by at most 230 constituent records of 9 bytes, little-endian
// and packed. The list of records ends at the first record whose phase is -1, or after 230
// records; a file shorter than 2137 bytes is normal, because the reader fills its buffer
// with 0xFF and so sees a terminator after the last record read.
//
// Tide and current harmonic files share one number space: a current file number must not
// be the number of a tide harmonic record, or the tide side would take this file for an
// override of that record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qw {

constexpr size_t kCurrentHarmonicHeaderSize = 67;
constexpr size_t kCurrentConstituentRecordSize = 9;
constexpr size_t kCurrentHarmonicMaxRecords = 230;
constexpr size_t kCurrentHarmonicMaxFileSize =
    kCurrentHarmonicHeaderSize + kCurrentHarmonicMaxRecords * kCurrentConstituentRecordSize;
static_assert(kCurrentHarmonicMaxFileSize == 2137);

// Constituent number of a constant term (its amplitude is in millionths of a knot).
constexpr uint8_t kCurrentConstantTerm = 255;
// Phase value that ends the record list.
constexpr int16_t kCurrentListEnd = -1;

namespace current_harmonic_offset {
// Header.
constexpr size_t kNumber = 0;         // u16 station (file) number
constexpr size_t kName = 2;           // char[51]; not read by the engine, the station name here
constexpr size_t kChecksum = 53;      // i16
constexpr size_t kMeanCurrent = 55;   // i32 millionths of a knot, added to the first direction group
constexpr size_t kHydraulic = 59;     // u8 non-zero: each group sum becomes sign x sqrt(|sum|)
constexpr size_t kStrongCurrent = 60; // u8 non-zero: the final speed is compressed above 7.55 kn
constexpr size_t kReserved61 = 61;    // i16, counted in the checksum only
constexpr size_t kEbbDirection = 63;  // i16 whole degrees true, for the ebb sign rule
constexpr size_t kCompound = 65;      // i16 non-zero: constituent 32 is derived from 0 and 2
constexpr size_t kRecords = 67;
// Constituent record, relative to its start.
constexpr size_t kRecordConstituent = 0;  // u8 constituent number, or kCurrentConstantTerm
constexpr size_t kRecordAmplitude = 1;    // i32 thousandths of a knot (constant term: millionths)
constexpr size_t kRecordPhase = 5;        // i16 tenths of a degree; kCurrentListEnd ends the list
constexpr size_t kRecordDirection = 7;    // i16 axis direction, tenths of a degree true

static_assert(kName + 51 == kChecksum && kChecksum + 2 == kMeanCurrent);
static_assert(kMeanCurrent + 4 == kHydraulic && kStrongCurrent + 1 == kReserved61);
static_assert(kReserved61 + 2 == kEbbDirection && kEbbDirection + 2 == kCompound);
static_assert(kCompound + 2 == kRecords && kRecords == kCurrentHarmonicHeaderSize);
static_assert(kRecordDirection + 2 == kCurrentConstituentRecordSize);
}  // namespace current_harmonic_offset

struct CurrentConstituentRecord {
  uint8_t constituent = 0;         // slot in the constituent speed and year tables
  int32_t amplitude = 0;           // thousandths of a knot; millionths for a constant term
  int16_t phaseTenthsDegree = 0;   // epoch referred to the station's time meridian, 0..3599
  int16_t directionTenthsDegree = 0;  // the axis this term acts along, 0 = north, 900 = east
};

struct CurrentHarmonicFile {
  uint16_t number = 0;
  std::string name;                // written NUL-padded into the 51 header bytes, at most 50
  int32_t meanCurrentMicroKnots = 0;
  uint8_t hydraulic = 0;
  uint8_t strongCurrent = 0;
  int16_t reserved61 = 0;
  int16_t ebbDirectionDegrees = 0;
  int16_t compound = 0;
  std::vector<CurrentConstituentRecord> records;  // at most kCurrentHarmonicMaxRecords
};

// The checksum of a file's bytes by the format's rule: a wrapping 16-bit sum of the number,
// the low 16 bits of the mean current, the two flag bytes, the i16 fields at 61, 63 and 65,
// and, for each record up to the terminator (at most 230), the low 16 bits of its amplitude
// plus its phase. Bytes past `size` count as 0xFF, as in the reader's buffer.
int16_t CurrentHarmonicChecksum(const uint8_t* bytes, size_t size);

// The file's bytes: header with its checksum, then the records, without padding. Returns
// an empty vector when the file holds more than 230 records or a record whose phase would
// read as the terminator.
std::vector<uint8_t> EncodeCurrentHarmonicFile(const CurrentHarmonicFile& file);

// Decodes up to `size` bytes as the reader sees them (0xFF past the end). False when the
// header is incomplete. The records stop at the terminator, after 230, or at the end of the
// bytes. `checksumOk` tells whether the stored checksum matches.
bool DecodeCurrentHarmonicFile(const uint8_t* bytes, size_t size, CurrentHarmonicFile& out,
                               bool& checksumOk);

// "%05u.dat" of the file number.
std::string CurrentHarmonicFileName(uint16_t number);

}  // namespace qw
