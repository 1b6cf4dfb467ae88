// Little-endian field access for the engine's packed file records.
//
// Every record the engine reads or writes is little-endian and packed. Records are
// declared as byte arrays with named offsets; these helpers are the only code that
// turns those bytes into numbers and back, so no caller does pointer arithmetic on
// file bytes and nothing depends on the host's byte order or alignment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qw {

inline uint8_t ReadU8(const uint8_t* p) { return p[0]; }
inline uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline int16_t ReadI16(const uint8_t* p) { return static_cast<int16_t>(ReadU16(p)); }
inline uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t ReadI32(const uint8_t* p) { return static_cast<int32_t>(ReadU32(p)); }
inline double ReadF64(const uint8_t* p) {
  uint64_t bits = static_cast<uint64_t>(ReadU32(p)) | (static_cast<uint64_t>(ReadU32(p + 4)) << 32);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

inline void WriteU8(uint8_t* p, uint8_t v) { p[0] = v; }
inline void WriteU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void WriteI16(uint8_t* p, int16_t v) { WriteU16(p, static_cast<uint16_t>(v)); }
inline void WriteU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void WriteI32(uint8_t* p, int32_t v) { WriteU32(p, static_cast<uint32_t>(v)); }
inline void WriteF64(uint8_t* p, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  WriteU32(p, static_cast<uint32_t>(bits));
  WriteU32(p + 4, static_cast<uint32_t>(bits >> 32));
}

}  // namespace qw
