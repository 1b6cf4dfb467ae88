// Finding and reading harmonic records in the data directory.
//
// A harmonic record is taken from its override file ("%05u.dat") when one exists, else
// from the index families of its data variant (data_layouts.h). These readers hold no
// state; the loaders that keep what they read are in held_data.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/binary_file.h"
#include "engine/data_layouts.h"

namespace qw {

// The warnings shown, captioned "Information", when a data file is damaged.
inline constexpr const char* kSpeedFileCorruptedText = "Constituent Speed file is corrupted";
inline constexpr const char* kYearFileCorruptedText = "Year data file is corrupted";
inline constexpr const char* kHarmonicFileCorruptedFormat = "Tide harmonic file %i.dat is corrupted";
inline constexpr const char* kCosineFileCorruptedText = "Cosine table file is corrupted";

// Binary search of an open index file for `key`. Entry 0's count bounds the search, and
// so does the file's real length: entries past the end of the file are never read. On a
// hit `out` is the entry; otherwise `out` is the last entry compared. Key 0 (the header's
// key) is never found.
bool FindIndexEntry(BinaryFile& index, uint16_t key, StationIndexEntry& out);

// Reads record `number` into `buffer`, which must hold harmonic_layout::kBufferSize bytes:
// the record's bytes, then 0xFF up to the end, so the entry list always ends. Returns the
// record's length (1666 for an override file, the bytes read from a family's data file);
// 0 when no source has the record, after reporting message 2408 "Station: <number>".
// A trailing part-entry is cut off (filled with 0xFF) so it is never read as an entry.
size_t ReadHarmonicRecord(uint16_t number, uint8_t* buffer);

}  // namespace qw
