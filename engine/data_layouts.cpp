#include "engine/data_layouts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/byte_order.h"

namespace qw {

int32_t ComputeCosineEntry(int k) {
  const double halfPi = std::acos(-1.0) / 2.0;
  const double value = std::cos(static_cast<double>(k) / kCosineQuarterSteps * halfPi);
  const auto scaled = static_cast<int64_t>(std::trunc(value * 10000000.0 + 5.0));
  return static_cast<int32_t>(scaled / 10);
}

uint16_t SpeedFileChecksum(const uint8_t* file, size_t size) {
  uint16_t sum = 0;
  for (size_t i = speed_layout::kSpeeds; i < size; ++i) {
    sum = static_cast<uint16_t>(sum + static_cast<int8_t>(file[i]));
  }
  return sum;
}

SpeedSteps SpeedToSteps(double radiansPerHour) {
  const double stepsPerHour = radiansPerHour * kCosineCircleSteps / (2.0 * std::acos(-1.0));
  const int64_t total5 = std::llround(stepsPerHour * 100000.0);
  SpeedSteps steps;
  steps.whole = static_cast<int32_t>(total5 / 100000);
  steps.frac5 = static_cast<int32_t>(total5 % 100000);
  steps.frac3 = (steps.frac5 + 50) / 100;
  return steps;
}

void DecodeSpeedFile(const uint8_t* bytes, size_t size, int slots, SpeedTable& out) {
  // Work on a zero-filled image of the whole layout so a short file reads as zeros.
  std::vector<uint8_t> image(speed_layout::FileSize(slots), 0);
  std::copy_n(bytes, std::min(size, image.size()), image.begin());
  out = SpeedTable{};
  out.storedChecksum = ReadU16(&image[speed_layout::kChecksum]);
  for (int i = 0; i < slots; ++i) {
    const auto at = static_cast<size_t>(i);
    out.speedRadiansPerHour[i] = ReadF64(&image[speed_layout::kSpeeds + 8 * at]);
    out.stepsWhole[i] = ReadI32(&image[speed_layout::StepsWhole(slots) + 4 * at]);
    out.stepsFrac5[i] = ReadI32(&image[speed_layout::StepsFrac5(slots) + 4 * at]);
    out.stepsFrac3[i] = ReadI32(&image[speed_layout::StepsFrac3(slots) + 4 * at]);
  }
}

bool SpeedTableIsUsable(const SpeedTable& table) {
  const double turn = 2.0 * std::acos(-1.0);
  for (int i = 0; i < kConstituentSlots; ++i) {
    const double speed = table.speedRadiansPerHour[i];
    if (!std::isfinite(speed) || speed < 0.0 || speed > turn) return false;
    if (table.stepsWhole[i] < 0 || table.stepsWhole[i] > kCosineCircleSteps) return false;
    if (table.stepsFrac5[i] < 0 || table.stepsFrac5[i] > 99999) return false;
    if (table.stepsFrac3[i] < 0 || table.stepsFrac3[i] > 1000) return false;
  }
  return true;
}

uint16_t YearRecordChecksum(int16_t year, const int16_t* nodeFactor, const int16_t* equilibrium,
                            int slots) {
  uint16_t sum = static_cast<uint16_t>(year);
  for (int i = 0; i < slots; ++i) {
    sum = static_cast<uint16_t>(sum + equilibrium[i] + nodeFactor[i]);
  }
  return sum;
}

void DecodeYearRecord(const uint8_t* bytes, int slots, YearRecord& out) {
  out = YearRecord{};
  out.year = ReadI16(bytes + year_layout::kYear);
  out.storedChecksum = ReadU16(bytes + year_layout::kChecksum);
  for (int i = 0; i < slots; ++i) {
    const auto at = 2 * static_cast<size_t>(i);
    out.nodeFactor[i] = ReadI16(bytes + year_layout::kNodeFactors + at);
    out.equilibrium[i] = ReadI16(bytes + year_layout::Equilibrium(slots) + at);
  }
}

bool YearRecordChecksumMatches(const YearRecord& record) {
  return YearRecordChecksum(record.year, record.nodeFactor, record.equilibrium, kConstituentSlots) ==
         record.storedChecksum;
}

int16_t HarmonicRecordChecksum(const uint8_t* record, size_t size) {
  namespace h = harmonic_layout;
  if (size < h::kEntries) return 0;
  uint16_t sum = ReadU16(record + h::kNumber);
  sum = static_cast<uint16_t>(sum + ReadU16(record + h::kMeanLevel));
  sum = static_cast<uint16_t>(sum + ReadU16(record + h::kMonth));
  sum = static_cast<uint16_t>(sum + ReadU16(record + h::kYear));
  for (int i = 0; i < h::kMaxEntries; ++i) {
    const size_t at = h::kEntries + static_cast<size_t>(i) * h::kEntrySize;
    if (at + h::kEntrySize > size) break;
    const int16_t phase = ReadI16(record + at + h::kEntryPhase);
    if (phase == h::kTerminatorPhase) break;
    sum = static_cast<uint16_t>(sum + ReadU16(record + at + h::kEntryAmplitude));
    sum = static_cast<uint16_t>(sum + static_cast<uint16_t>(phase));
  }
  return static_cast<int16_t>(sum);
}

bool DecodeHarmonicRecord(const uint8_t* bytes, size_t size, HarmonicRecordData& out) {
  namespace h = harmonic_layout;
  out = HarmonicRecordData{};
  if (size < h::kEntries) return false;
  out.number = ReadU16(bytes + h::kNumber);
  const char* name = reinterpret_cast<const char*>(bytes + h::kName);
  out.name.assign(name, strnlen(name, h::kNameSize - 1));
  out.month = ReadI16(bytes + h::kMonth);
  out.year = ReadI16(bytes + h::kYear);
  out.meanLevelMicroFeet = ReadI32(bytes + h::kMeanLevel);
  for (int i = 0; i < h::kMaxEntries; ++i) {
    const size_t at = h::kEntries + static_cast<size_t>(i) * h::kEntrySize;
    if (at + h::kEntrySize > size) break;
    HarmonicEntry entry;
    entry.phaseTenthsDegree = ReadI16(bytes + at + h::kEntryPhase);
    if (entry.phaseTenthsDegree == h::kTerminatorPhase) break;
    entry.constituentIndex = ReadU8(bytes + at + h::kEntryIndex);
    entry.amplitudeMilliFeet = ReadI32(bytes + at + h::kEntryAmplitude);
    out.entries.push_back(entry);
  }
  return true;
}

void DecodeIndexEntry(const uint8_t* bytes, StationIndexEntry& out) {
  out.key = ReadU16(bytes + index_layout::kKey);
  out.offset = ReadI32(bytes + index_layout::kOffset);
  out.length = ReadU16(bytes + index_layout::kLength);
}

void EncodeIndexEntry(const StationIndexEntry& in, uint8_t* bytes) {
  WriteU16(bytes + index_layout::kKey, in.key);
  WriteI32(bytes + index_layout::kOffset, in.offset);
  WriteU16(bytes + index_layout::kLength, in.length);
}

int DataVariant(uint16_t recordNumber) { return recordNumber / 10000; }

int ConstituentSlotsForVariant(int variant) {
  return (variant == 3 || variant == 4) ? kConstituentSlots : kSmallConstituentSlots;
}

const char* YearFileName(int variant) {
  switch (variant) {
    case 1: return "yeardata.can";
    case 3:
    case 4: return "yeardata.ba";
    default: return "yeardata.dat";
  }
}

const char* SpeedFileName(int variant) {
  return (variant == 3 || variant == 4) ? "constspd.ba" : "constspd.dat";
}

std::string HarmonicFamilyName(uint16_t recordNumber, int attempt) {
  const int variant = DataVariant(recordNumber);
  if (variant >= 3) {
    if (attempt != 0) return std::string();
    return "BA" + std::to_string(recordNumber / 1000 - 30);
  }
  if (attempt < 0 || attempt > 1) return std::string();
  const char* prefix = variant == 0 ? "NOS" : "CHS";
  return std::string(prefix) + (attempt == 0 ? "WTIDE" : "ETIDE");
}

std::string OverrideFileName(uint16_t recordNumber) {
  char name[16];
  std::snprintf(name, sizeof name, "%05u.dat", static_cast<unsigned>(recordNumber));
  return name;
}

}  // namespace qw
