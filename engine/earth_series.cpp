#include "engine/earth_series.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

#include "engine/astro_time.h"
#include "engine/byte_order.h"
#include "engine/data_dir.h"
#include "engine/report.h"
#include "engine/string_table.h"

namespace qw {
namespace {

constexpr const char* kIndexName = "EARTH.IDX";
constexpr const char* kTermsName = "EARTH.DAT";
constexpr int kEarthBody = 0;

struct EarthStore {
  EarthSeries series;
  bool loaded = false;
  bool damageReported = false;
};

EarthStore& Store() {
  static EarthStore store;
  return store;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reports damage once per run: every day of a month view asks again, and one box is
// enough to tell the user why the sun and moon times are missing.
int Damaged(const char* fileName, const std::string& what) {
  EarthStore& store = Store();
  if (!store.damageReported) {
    store.damageReported = true;
    ReportInformation(FormatString(2900, DataFilePath(fileName).c_str(), what.c_str()));
  }
  return 0;
}

long FileLength(std::FILE* f) {
  if (std::fseek(f, 0, SEEK_END) != 0) return -1;
  const long length = std::ftell(f);
  if (std::fseek(f, 0, SEEK_SET) != 0) return -1;
  return length;
}

// Sum of the terms of one series, in order, skipping the negligible ones.
double SeriesSum(const EarthTerm* terms, size_t count, double tau) {
  double sum = 0.0;
  for (size_t i = 0; i < count; ++i) {
    if (terms[i].a > kEarthTermThreshold) sum += terms[i].a * std::cos(terms[i].b + terms[i].c * tau);
  }
  return sum;
}

std::string WriteWhole(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::path temp = path;
  temp += ".tmp";
  {
    File f(std::fopen(temp.string().c_str(), "wb"));
    if (!f) return "cannot create " + temp.string() + ": " + std::strerror(errno);
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size() &&
                    std::fflush(f.get()) == 0;
    if (!ok) {
      f.reset();
      std::filesystem::remove(temp);
      return "cannot write " + temp.string();
    }
  }
  std::error_code error;
  std::filesystem::rename(temp, path, error);
  if (error) {
    std::filesystem::remove(temp);
    return "cannot rename " + temp.string() + ": " + error.message();
  }
  return std::string();
}

}  // namespace

int LoadEarthSeries() {
  EarthStore& store = Store();
  if (store.loaded) return 1;

  File index(std::fopen(DataFilePath(kIndexName).c_str(), "rb"));
  if (!index) return 0;
  File data(std::fopen(DataFilePath(kTermsName).c_str(), "rb"));
  if (!data) return 0;

  uint8_t indexBytes[kEarthIndexSize];
  if (std::fread(indexBytes, 1, kEarthIndexSize, index.get()) != kEarthIndexSize) {
    return Damaged(kIndexName, StringText(2901));
  }
  EarthSeries series;
  size_t total = 0;
  for (int s = 0; s < kEarthSeriesCount; ++s) {
    const int16_t count = ReadI16(indexBytes + s * earth_file_offset::kIndexEntrySize +
                                  earth_file_offset::kIndexTermCount);
    if (count < 0) return Damaged(kIndexName, StringText(2902));
    series.termCounts[s] = static_cast<uint16_t>(count);
    total += static_cast<size_t>(count);
  }

  const long length = FileLength(data.get());
  if (length < 0 || static_cast<size_t>(length) != total * kEarthTermSize) {
    return Damaged(kTermsName, FormatString(2903, static_cast<long>(total * kEarthTermSize), length));
  }
  std::vector<uint8_t> bytes(total * kEarthTermSize);
  if (std::fread(bytes.data(), 1, bytes.size(), data.get()) != bytes.size()) {
    return Damaged(kTermsName, FormatString(2903, static_cast<long>(bytes.size()), length));
  }
  series.terms.resize(total);
  for (size_t i = 0; i < total; ++i) {
    const uint8_t* p = bytes.data() + i * kEarthTermSize;
    EarthTerm& term = series.terms[i];
    term.a = ReadF64(p + earth_file_offset::kTermA);
    term.b = ReadF64(p + earth_file_offset::kTermB);
    term.c = ReadF64(p + earth_file_offset::kTermC);
    if (!std::isfinite(term.a) || !std::isfinite(term.b) || !std::isfinite(term.c)) {
      return Damaged(kTermsName, StringText(2904));
    }
  }
  store.series = std::move(series);
  store.loaded = true;
  return 1;
}

void ResetEarthSeries() { Store() = EarthStore(); }

bool EarthHeliocentric(int body, double t, HeliocentricPosition& out) {
  if (body != kEarthBody || !LoadEarthSeries()) return false;
  const EarthSeries& series = Store().series;
  const double tau = t / 10.0;
  double values[kEarthVariables] = {};
  const EarthTerm* term = series.terms.data();
  for (int v = 0; v < kEarthVariables; ++v) {
    double power = 1.0;
    for (int p = 0; p < kEarthPowers; ++p) {
      const size_t count = series.termCounts[v * kEarthPowers + p];
      values[v] += power * SeriesSum(term, count, tau);
      term += count;
      power *= tau;
    }
  }
  const double l = NormalizeAngle(values[0]);
  const double b = values[1];

  // From the dynamical ecliptic and equinox of the date to the FK5 frame.
  const double lPrime = l - (1.397 + 0.00031 * t) * t * kDegreesToRadians;
  const double cosLp = std::cos(lPrime), sinLp = std::sin(lPrime);
  const double deltaL = -0.09033 + 0.03916 * (cosLp + sinLp) * std::tan(b);
  const double deltaB = 0.03916 * (cosLp - sinLp);
  out.longitude = l + deltaL * kArcsecondsToRadians;
  out.latitude = b + deltaB * kArcsecondsToRadians;
  out.radius = values[2];
  return true;
}

std::string WriteEarthSeries(const std::filesystem::path& directory, const EarthSeries& series) {
  size_t total = 0;
  for (uint16_t count : series.termCounts) total += count;
  if (total != series.terms.size()) return "the term counts do not add up to the number of terms";

  std::vector<uint8_t> index(kEarthIndexSize, 0);
  for (int s = 0; s < kEarthSeriesCount; ++s) {
    if (series.termCounts[s] > 32767) return "a series has more terms than the index can hold";
    uint8_t* entry = index.data() + s * earth_file_offset::kIndexEntrySize;
    WriteI16(entry + earth_file_offset::kIndexUnused, 0);
    WriteI16(entry + earth_file_offset::kIndexTermCount, static_cast<int16_t>(series.termCounts[s]));
  }
  std::vector<uint8_t> data(total * kEarthTermSize);
  for (size_t i = 0; i < total; ++i) {
    uint8_t* p = data.data() + i * kEarthTermSize;
    WriteF64(p + earth_file_offset::kTermA, series.terms[i].a);
    WriteF64(p + earth_file_offset::kTermB, series.terms[i].b);
    WriteF64(p + earth_file_offset::kTermC, series.terms[i].c);
  }
  // The terms go first: a reader that finds the new index always finds its terms.
  std::string error = WriteWhole(directory / kTermsName, data);
  if (error.empty()) error = WriteWhole(directory / kIndexName, index);
  return error;
}

}  // namespace qw
