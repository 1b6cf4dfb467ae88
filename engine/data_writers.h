// Writers for the engine's harmonic data files (layouts in data_layouts.h).
//
// The data builder makes the installed DATA directory with these, and the tests make
// their fixture files with them, so every file the engine reads can be produced here with
// the checksum its reader expects. Every writer replaces its file atomically (temporary
// file + rename) and returns false, with the reason in `error` when given, on bad input
// or a failed write; nothing is written then.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/data_layouts.h"

namespace qw {

// costable.dat: the 2049-entry quarter-wave cosine table the engine computes itself.
bool WriteCosineTable(const std::string& path, std::string* error = nullptr);

// constspd.dat (slotCount 160) or constspd.ba (slotCount 230). speedRadiansPerHour[i] is
// the angular speed of constituent i; fewer values than slots leave the rest zero. The
// integer step arrays and the checksum are derived here. Speeds must be finite and within
// 0..2 pi radians per hour (at most one turn an hour).
bool WriteConstituentSpeedFile(const std::string& path, int slotCount,
                               const std::vector<double>& speedRadiansPerHour,
                               std::string* error = nullptr);

// The astronomical arguments of one year, indexed by constituent slot.
struct YearArguments {
  std::vector<int16_t> nodeFactorThousandths;    // f x 1000
  std::vector<int16_t> equilibriumTenthsDegree;  // V0 + u at 1 January 00:00, tenths of a degree
};

// yeardata.dat / .can (slotCount 160) or yeardata.ba (slotCount 230): years[k] is the
// record of baseYear + k. Shorter vectors than slotCount are padded with zeros.
bool WriteYearFile(const std::string& path, int slotCount, int baseYear,
                   const std::vector<YearArguments>& years, std::string* error = nullptr);

// The record's bytes: the 63-byte header with its checksum and 7 bytes per entry (no
// terminator; readers treat the bytes after a record as its end). False on bad input.
bool EncodeHarmonicRecord(const HarmonicRecordData& record, std::vector<uint8_t>& bytes,
                          std::string* error = nullptr);

// An index family: the .IDX with its header entry and entries sorted by number, and the
// .DAT with the records one after another. Numbers must be distinct and nonzero.
bool WriteHarmonicFamily(const std::string& indexPath, const std::string& dataPath,
                         const std::vector<HarmonicRecordData>& records,
                         std::string* error = nullptr);

// An override file ("%05u.dat", see OverrideFileName) holding one record.
bool WriteOverrideFile(const std::string& path, const HarmonicRecordData& record,
                       std::string* error = nullptr);

}  // namespace qw
