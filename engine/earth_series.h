// The Earth's heliocentric position from the planetary series installed as EARTH.IDX
// and EARTH.DAT in the data directory.
//
// EARTH.IDX, 72 bytes: 18 entries of 4 bytes, in the order L0..L5, B0..B5, R0..R5
// (longitude, latitude and radius vector, each a polynomial of degree 5 in time). Each
// entry is an int16 that nothing reads followed by the int16 number of terms of that
// series.
// EARTH.DAT: the terms of every series, series after series in index order; a term is
// three doubles A, B, C and contributes A cos(B + C tau), tau in Julian millennia (TD)
// from J2000.0. L and B come out in radians, R in astronomical units.
//
// The series are loaded once, on the first sun computation, and kept for the rest of the
// run. A failed load leaves the store empty so that the next computation tries again.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qw {

constexpr size_t kEarthIndexSize = 72;
constexpr size_t kEarthTermSize = 24;
constexpr int kEarthVariables = 3;  // L, B, R
constexpr int kEarthPowers = 6;     // tau^0 .. tau^5
constexpr int kEarthSeriesCount = kEarthVariables * kEarthPowers;

// Byte offsets inside EARTH.IDX and inside one EARTH.DAT term.
namespace earth_file_offset {
constexpr size_t kIndexEntrySize = 4;
constexpr size_t kIndexUnused = 0;
constexpr size_t kIndexTermCount = 2;
constexpr size_t kTermA = 0;
constexpr size_t kTermB = 8;
constexpr size_t kTermC = 16;
static_assert(kIndexEntrySize * kEarthSeriesCount == kEarthIndexSize);
static_assert(kTermC + 8 == kEarthTermSize);
}  // namespace earth_file_offset

// A series term contributes a * cos(b + c * tau).
struct EarthTerm {
  double a = 0.0;
  double b = 0.0;
  double c = 0.0;
};

// The series of one body: per series (variable * 6 + power) its term count, and all the
// terms in that order.
struct EarthSeries {
  std::array<uint16_t, kEarthSeriesCount> termCounts{};
  std::vector<EarthTerm> terms;
};

// Terms whose amplitude is not above this (file units) are skipped when summing.
constexpr double kEarthTermThreshold = 0.0001;

// Loads the series into the store unless they are already there. Returns 1 when they
// are in memory, 0 when they cannot be loaded: a missing file gives 0 silently; a
// damaged one (short index, negative counts, a data file whose length does not match
// the index, a term that is not a finite number) gives 0 and one "Information" report
// per run, so a damaged file never yields a silently wrong sun.
int LoadEarthSeries();

// Empties the store and forgets any damage already reported (tests, data changes).
void ResetEarthSeries();

struct HeliocentricPosition {
  double longitude = 0.0;  // radians, FK5 frame
  double latitude = 0.0;   // radians, FK5 frame
  double radius = 0.0;     // astronomical units
};

// The Earth's heliocentric position at T (TD), referred to the FK5 frame. Only body 0,
// the Earth, exists. Returns false when the series cannot be loaded or the body is
// unknown.
bool EarthHeliocentric(int body, double centuries, HeliocentricPosition& out);

// Writes EARTH.IDX and EARTH.DAT into `directory`, each through a temporary file and a
// rename. Returns an empty string on success, else what went wrong.
std::string WriteEarthSeries(const std::filesystem::path& directory, const EarthSeries& series);

}  // namespace qw
