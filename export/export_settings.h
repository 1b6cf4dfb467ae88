// The data export's choices as section "ExportData" of the settings file keeps them.
#pragma once

#include <cstddef>
#include <string>

#include "export/export_date.h"
#include "settings/profile_file.h"

namespace qw {

// The longest export file path kept: the system's limit on a path (Linux PATH_MAX less
// its terminating NUL).
constexpr size_t kMaxExportPathBytes = 4095;

struct ExportSettings {
  int location = 0;                       // "WinHandle": the position in the Location list
  char destination = 'S';                 // "ExportDest": 'C' clipboard, 'F' file, 'S' results window
  std::string file;                       // "ExportFile"
  bool eventsOnly = false;                // "ValueType": "Extremes" or "Interval"
  int intervalMinutes = 30;               // "IntervalLength"
  int repeatCount = 4;                    // "FieldRepCount", 1..48
  std::string targetFields = "1,0,7,10,19";  // "TargetFields"
  bool includeHeader = false;             // "IncludeHeader"
  int fieldDelimiter = 3;                 // "FieldDel": position in the delimiter list
  int recordDelimiter = 0;                // "RecordDel"
  bool hundredths = false;                // "DisplayHundredths": "8" or "0"
  ExportDateFormat dateFormat;            // "DateFormat", "MonthType", "DateSep1", "DayType", "DateSep2", "YearType"
};

// Reads the section with its defaults: a destination other than the two names means the
// results window; an interval not in the list reads 30; a repeat count outside 1..48 reads
// 1 (4 when the key is absent); delimiter positions outside the list read their defaults.
ExportSettings ReadExportSettings(const ProfileFile& file);
// Writes every key of the section (in memory; the caller saves the file).
void WriteExportSettings(const ExportSettings& settings, ProfileFile& file);

}  // namespace qw
