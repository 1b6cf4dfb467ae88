// Walkers over the field table of a packed record.
//
// A record kind lists its fields once, in file order, as a field table: a function object
//   struct XFields {
//     template <typename Walker, typename Record> constexpr void operator()(Walker& w, Record& r) const;
//   };
// that calls w.U8, w.Char, w.U16, w.I16, w.I16s or w.Name with each field's byte offset
// and member. The same table then serves three purposes:
//   DecodeFields   fills the members from the record's bytes (FieldDecoder);
//   EncodeFields   writes the members into the record's bytes (FieldEncoder);
//   FieldsCoverRecord proves at compile time that the fields cover the record byte for
//                  byte, in order, with no gap and no overlap (FieldCoverage).
// Every stored field has the size of its member: 1 byte for uint8_t and char, 2 for the
// 16-bit integers, 2 x N for an int16_t array, the array's length for a name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/byte_order.h"

namespace qw {

class FieldDecoder {
 public:
  explicit FieldDecoder(const uint8_t* bytes) : bytes_(bytes) {}

  void U8(size_t offset, uint8_t& value) const { value = ReadU8(bytes_ + offset); }
  void Char(size_t offset, char& value) const { value = static_cast<char>(bytes_[offset]); }
  void U16(size_t offset, uint16_t& value) const { value = ReadU16(bytes_ + offset); }
  void I16(size_t offset, int16_t& value) const { value = ReadI16(bytes_ + offset); }
  template <size_t N>
  void I16s(size_t offset, int16_t (&values)[N]) const {
    for (size_t i = 0; i < N; ++i) values[i] = ReadI16(bytes_ + offset + 2 * i);
  }
  // A NUL-terminated name: the stored bytes, the last forced to NUL.
  template <size_t N>
  void Name(size_t offset, char (&name)[N]) const {
    std::memcpy(name, bytes_ + offset, N);
    name[N - 1] = '\0';
  }

 private:
  const uint8_t* bytes_;
};

class FieldEncoder {
 public:
  explicit FieldEncoder(uint8_t* bytes) : bytes_(bytes) {}

  void U8(size_t offset, uint8_t value) const { WriteU8(bytes_ + offset, value); }
  void Char(size_t offset, char value) const { bytes_[offset] = static_cast<uint8_t>(value); }
  void U16(size_t offset, uint16_t value) const { WriteU16(bytes_ + offset, value); }
  void I16(size_t offset, int16_t value) const { WriteI16(bytes_ + offset, value); }
  template <size_t N>
  void I16s(size_t offset, const int16_t (&values)[N]) const {
    for (size_t i = 0; i < N; ++i) WriteI16(bytes_ + offset + 2 * i, values[i]);
  }
  // A name: at most N - 1 characters, NUL-padded to the whole field.
  template <size_t N>
  void Name(size_t offset, const char (&name)[N]) const {
    std::memset(bytes_ + offset, 0, N);
    std::memcpy(bytes_ + offset, name, strnlen(name, N - 1));
  }

 private:
  uint8_t* bytes_;
};

class FieldCoverage {
 public:
  template <typename T>
  constexpr void U8(size_t offset, const T& value) { Field(offset, sizeof value); }
  template <typename T>
  constexpr void Char(size_t offset, const T& value) { Field(offset, sizeof value); }
  template <typename T>
  constexpr void U16(size_t offset, const T& value) { Field(offset, sizeof value); }
  template <typename T>
  constexpr void I16(size_t offset, const T& value) { Field(offset, sizeof value); }
  template <typename T>
  constexpr void I16s(size_t offset, const T& values) { Field(offset, sizeof values); }
  template <typename T>
  constexpr void Name(size_t offset, const T& name) { Field(offset, sizeof name); }

  // True when the fields walked so far run from byte 0 to `recordSize` without a gap.
  constexpr bool Covers(size_t recordSize) const { return inOrder_ && next_ == recordSize; }

 private:
  constexpr void Field(size_t offset, size_t size) {
    if (offset != next_) inOrder_ = false;
    next_ = offset + size;
  }

  size_t next_ = 0;
  bool inOrder_ = true;
};

template <typename Fields, typename Record>
void DecodeFields(const uint8_t* bytes, Record& out) {
  FieldDecoder decoder(bytes);
  Fields{}(decoder, out);
}

// Writes every byte of the record when FieldsCoverRecord holds for the table.
template <typename Fields, typename Record>
void EncodeFields(const Record& in, uint8_t* bytes) {
  FieldEncoder encoder(bytes);
  Fields{}(encoder, in);
}

// True when the table's fields cover a record of `recordSize` bytes exactly; meant for a
// static_assert beside the table.
template <typename Record, typename Fields>
constexpr bool FieldsCoverRecord(size_t recordSize) {
  Record record{};
  FieldCoverage coverage;
  Fields{}(coverage, record);
  return coverage.Covers(recordSize);
}

}  // namespace qw
