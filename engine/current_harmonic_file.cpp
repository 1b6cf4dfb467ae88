#include "engine/current_harmonic_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/byte_order.h"

namespace qw {

namespace off = current_harmonic_offset;

namespace {

// The file as the reader holds it: the bytes read, then 0xFF up to the largest size.
std::vector<uint8_t> ReaderBuffer(const uint8_t* bytes, size_t size) {
  std::vector<uint8_t> buffer(kCurrentHarmonicMaxFileSize + kCurrentConstituentRecordSize, 0xFF);
  std::memcpy(buffer.data(), bytes, std::min(size, kCurrentHarmonicMaxFileSize));
  return buffer;
}

}  // namespace

int16_t CurrentHarmonicChecksum(const uint8_t* bytes, size_t size) {
  const std::vector<uint8_t> buffer = ReaderBuffer(bytes, size);
  const uint8_t* b = buffer.data();
  uint16_t sum = ReadU16(b + off::kNumber);
  sum += static_cast<uint16_t>(ReadU32(b + off::kMeanCurrent));
  sum += b[off::kHydraulic];
  sum += b[off::kStrongCurrent];
  sum += ReadU16(b + off::kReserved61);
  sum += ReadU16(b + off::kEbbDirection);
  sum += ReadU16(b + off::kCompound);
  for (size_t i = 0; i < kCurrentHarmonicMaxRecords; ++i) {
    const uint8_t* record = b + off::kRecords + i * kCurrentConstituentRecordSize;
    if (ReadI16(record + off::kRecordPhase) == kCurrentListEnd) break;
    sum += static_cast<uint16_t>(ReadU32(record + off::kRecordAmplitude));
    sum += ReadU16(record + off::kRecordPhase);
  }
  return static_cast<int16_t>(sum);
}

std::vector<uint8_t> EncodeCurrentHarmonicFile(const CurrentHarmonicFile& file) {
  if (file.records.size() > kCurrentHarmonicMaxRecords) return {};
  std::vector<uint8_t> bytes(kCurrentHarmonicHeaderSize +
                                 file.records.size() * kCurrentConstituentRecordSize,
                             0);
  uint8_t* b = bytes.data();
  WriteU16(b + off::kNumber, file.number);
  std::memcpy(b + off::kName, file.name.data(), std::min<size_t>(file.name.size(), 50));
  WriteI32(b + off::kMeanCurrent, file.meanCurrentMicroKnots);
  WriteU8(b + off::kHydraulic, file.hydraulic);
  WriteU8(b + off::kStrongCurrent, file.strongCurrent);
  WriteI16(b + off::kReserved61, file.reserved61);
  WriteI16(b + off::kEbbDirection, file.ebbDirectionDegrees);
  WriteI16(b + off::kCompound, file.compound);
  for (size_t i = 0; i < file.records.size(); ++i) {
    const CurrentConstituentRecord& r = file.records[i];
    if (r.phaseTenthsDegree == kCurrentListEnd) return {};
    uint8_t* record = b + off::kRecords + i * kCurrentConstituentRecordSize;
    WriteU8(record + off::kRecordConstituent, r.constituent);
    WriteI32(record + off::kRecordAmplitude, r.amplitude);
    WriteI16(record + off::kRecordPhase, r.phaseTenthsDegree);
    WriteI16(record + off::kRecordDirection, r.directionTenthsDegree);
  }
  WriteI16(b + off::kChecksum, CurrentHarmonicChecksum(b, bytes.size()));
  return bytes;
}

bool DecodeCurrentHarmonicFile(const uint8_t* bytes, size_t size, CurrentHarmonicFile& out,
                               bool& checksumOk) {
  out = CurrentHarmonicFile{};
  checksumOk = false;
  if (size < kCurrentHarmonicHeaderSize) return false;
  const std::vector<uint8_t> buffer = ReaderBuffer(bytes, size);
  const uint8_t* b = buffer.data();
  out.number = ReadU16(b + off::kNumber);
  out.name.assign(reinterpret_cast<const char*>(b + off::kName), strnlen(reinterpret_cast<const char*>(b + off::kName), 50));
  out.meanCurrentMicroKnots = ReadI32(b + off::kMeanCurrent);
  out.hydraulic = b[off::kHydraulic];
  out.strongCurrent = b[off::kStrongCurrent];
  out.reserved61 = ReadI16(b + off::kReserved61);
  out.ebbDirectionDegrees = ReadI16(b + off::kEbbDirection);
  out.compound = ReadI16(b + off::kCompound);
  const size_t available = (std::min(size, kCurrentHarmonicMaxFileSize) - kCurrentHarmonicHeaderSize) /
                           kCurrentConstituentRecordSize;
  for (size_t i = 0; i < available; ++i) {
    const uint8_t* record = b + off::kRecords + i * kCurrentConstituentRecordSize;
    CurrentConstituentRecord r;
    r.phaseTenthsDegree = ReadI16(record + off::kRecordPhase);
    if (r.phaseTenthsDegree == kCurrentListEnd) break;
    r.constituent = record[off::kRecordConstituent];
    r.amplitude = ReadI32(record + off::kRecordAmplitude);
    r.directionTenthsDegree = ReadI16(record + off::kRecordDirection);
    out.records.push_back(r);
  }
  checksumOk = CurrentHarmonicChecksum(bytes, size) == ReadI16(b + off::kChecksum);
  return true;
}

std::string CurrentHarmonicFileName(uint16_t number) {
  char name[16];
  std::snprintf(name, sizeof name, "%05u.dat", static_cast<unsigned>(number));
  return name;
}

}  // namespace qw
