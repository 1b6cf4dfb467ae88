#include "engine/data_writers.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/atomic_file.h"
#include "engine/byte_order.h"
#include "engine/data_layouts.h"

namespace qw {
namespace {

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

bool ValidSlotCount(int slotCount) {
  return slotCount == kSmallConstituentSlots || slotCount == kConstituentSlots;
}

}  // namespace

bool WriteCosineTable(const std::string& path, std::string* error) {
  std::vector<uint8_t> bytes(kCosineFileSize);
  for (int k = 0; k < kCosineEntries; ++k) WriteI32(&bytes[4 * static_cast<size_t>(k)], ComputeCosineEntry(k));
  return WriteFileAtomically(path, bytes, error);
}

bool WriteConstituentSpeedFile(const std::string& path, int slotCount,
                               const std::vector<double>& speedRadiansPerHour, std::string* error) {
  if (!ValidSlotCount(slotCount)) return Fail(error, "a speed file has 160 or 230 slots");
  if (speedRadiansPerHour.size() > static_cast<size_t>(slotCount)) {
    return Fail(error, "more speeds than the file has slots");
  }
  const double turn = 2.0 * std::acos(-1.0);
  std::vector<uint8_t> bytes(speed_layout::FileSize(slotCount), 0);
  for (size_t i = 0; i < speedRadiansPerHour.size(); ++i) {
    const double speed = speedRadiansPerHour[i];
    if (!std::isfinite(speed) || speed < 0.0 || speed > turn) {
      return Fail(error, "constituent " + std::to_string(i) + " has a speed outside 0..2 pi rad/h");
    }
    const SpeedSteps steps = SpeedToSteps(speed);
    WriteF64(&bytes[speed_layout::kSpeeds + 8 * i], speed);
    WriteI32(&bytes[speed_layout::StepsWhole(slotCount) + 4 * i], steps.whole);
    WriteI32(&bytes[speed_layout::StepsFrac5(slotCount) + 4 * i], steps.frac5);
    WriteI32(&bytes[speed_layout::StepsFrac3(slotCount) + 4 * i], steps.frac3);
  }
  WriteU16(&bytes[speed_layout::kChecksum], SpeedFileChecksum(bytes.data(), bytes.size()));
  return WriteFileAtomically(path, bytes, error);
}

bool WriteYearFile(const std::string& path, int slotCount, int baseYear,
                   const std::vector<YearArguments>& years, std::string* error) {
  if (!ValidSlotCount(slotCount)) return Fail(error, "a year file has 160 or 230 slots");
  if (years.empty()) return Fail(error, "a year file needs at least one year");
  if (baseYear < 1 || baseYear + static_cast<int64_t>(years.size()) - 1 > 32767) {
    return Fail(error, "years must lie in 1..32767");
  }
  const size_t recordSize = year_layout::RecordSize(slotCount);
  std::vector<uint8_t> bytes(recordSize * years.size(), 0);
  for (size_t k = 0; k < years.size(); ++k) {
    const YearArguments& args = years[k];
    if (args.nodeFactorThousandths.size() > static_cast<size_t>(slotCount) ||
        args.equilibriumTenthsDegree.size() > static_cast<size_t>(slotCount)) {
      return Fail(error, "more year arguments than the file has slots");
    }
    std::vector<int16_t> nodeFactor(args.nodeFactorThousandths);
    std::vector<int16_t> equilibrium(args.equilibriumTenthsDegree);
    nodeFactor.resize(static_cast<size_t>(slotCount), 0);
    equilibrium.resize(static_cast<size_t>(slotCount), 0);
    const auto year = static_cast<int16_t>(baseYear + static_cast<int>(k));
    uint8_t* record = &bytes[recordSize * k];
    WriteI16(record + year_layout::kYear, year);
    WriteU16(record + year_layout::kChecksum,
             YearRecordChecksum(year, nodeFactor.data(), equilibrium.data(), slotCount));
    for (int i = 0; i < slotCount; ++i) {
      WriteI16(record + year_layout::kNodeFactors + 2 * static_cast<size_t>(i), nodeFactor[static_cast<size_t>(i)]);
      WriteI16(record + year_layout::Equilibrium(slotCount) + 2 * static_cast<size_t>(i),
               equilibrium[static_cast<size_t>(i)]);
    }
  }
  return WriteFileAtomically(path, bytes, error);
}

bool EncodeHarmonicRecord(const HarmonicRecordData& record, std::vector<uint8_t>& bytes,
                          std::string* error) {
  namespace h = harmonic_layout;
  if (record.entries.size() > static_cast<size_t>(h::kMaxEntries)) {
    return Fail(error, "a harmonic record holds at most 230 constituents");
  }
  bytes.assign(h::kEntries + h::kEntrySize * record.entries.size(), 0);
  WriteU16(&bytes[h::kNumber], record.number);
  std::copy_n(record.name.begin(), std::min(record.name.size(), h::kNameSize - 1), &bytes[h::kName]);
  WriteI16(&bytes[h::kMonth], record.month);
  WriteI16(&bytes[h::kYear], record.year);
  WriteI32(&bytes[h::kMeanLevel], record.meanLevelMicroFeet);
  for (size_t i = 0; i < record.entries.size(); ++i) {
    const HarmonicEntry& entry = record.entries[i];
    if (entry.constituentIndex >= kConstituentSlots) {
      return Fail(error, "constituent index " + std::to_string(entry.constituentIndex) + " is not below 230");
    }
    // Reduced to 0..3599 so that no phase can be mistaken for the terminator (-1).
    const auto phase = static_cast<int16_t>(((entry.phaseTenthsDegree % 3600) + 3600) % 3600);
    uint8_t* at = &bytes[h::kEntries + h::kEntrySize * i];
    WriteU8(at + h::kEntryIndex, entry.constituentIndex);
    WriteI32(at + h::kEntryAmplitude, entry.amplitudeMilliFeet);
    WriteI16(at + h::kEntryPhase, phase);
  }
  WriteI16(&bytes[h::kChecksum], HarmonicRecordChecksum(bytes.data(), bytes.size()));
  return true;
}

bool WriteHarmonicFamily(const std::string& indexPath, const std::string& dataPath,
                         const std::vector<HarmonicRecordData>& records, std::string* error) {
  if (records.size() > std::numeric_limits<uint16_t>::max() - 1u) {
    return Fail(error, "too many records for one index");
  }
  std::vector<const HarmonicRecordData*> sorted;
  for (const HarmonicRecordData& record : records) sorted.push_back(&record);
  std::sort(sorted.begin(), sorted.end(),
            [](const HarmonicRecordData* a, const HarmonicRecordData* b) { return a->number < b->number; });

  std::vector<uint8_t> index((sorted.size() + 1) * index_layout::kEntrySize, 0);
  std::vector<uint8_t> data;
  EncodeIndexEntry({0, static_cast<int32_t>(sorted.size()), 0}, &index[0]);
  for (size_t i = 0; i < sorted.size(); ++i) {
    const HarmonicRecordData& record = *sorted[i];
    if (record.number == 0) return Fail(error, "record number 0 is reserved for the index header");
    if (i > 0 && sorted[i - 1]->number == record.number) {
      return Fail(error, "record " + std::to_string(record.number) + " appears twice");
    }
    std::vector<uint8_t> bytes;
    if (!EncodeHarmonicRecord(record, bytes, error)) return false;
    if (data.size() + bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
      return Fail(error, "the data file would exceed 2 GB");
    }
    StationIndexEntry entry{record.number, static_cast<int32_t>(data.size()),
                            static_cast<uint16_t>(bytes.size())};
    EncodeIndexEntry(entry, &index[(i + 1) * index_layout::kEntrySize]);
    data.insert(data.end(), bytes.begin(), bytes.end());
  }
  // The data file first: an index never points into a data file older than itself.
  if (!WriteFileAtomically(dataPath, data, error)) return false;
  return WriteFileAtomically(indexPath, index, error);
}

bool WriteOverrideFile(const std::string& path, const HarmonicRecordData& record, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!EncodeHarmonicRecord(record, bytes, error)) return false;
  return WriteFileAtomically(path, bytes, error);
}

}  // namespace qw
