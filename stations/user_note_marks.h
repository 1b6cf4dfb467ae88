// Which stations have notes of the user's own: a user note is a file in the data
// directory named "T" (tide) or "C" (current), the record's first byte in two digits,
// the station ID in five digits and ".not" (T0701234.not). The location dialog marks
// these stations; the directory is listed once when the dialog opens.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "engine/region_files.h"

namespace qw {

// "T0701234.not".
std::string UserNoteFileName(StationKind kind, uint8_t kindCode, uint16_t stationId);

class UserNoteMarks {
 public:
  // Lists the data directory's note files.
  void Scan();
  bool Has(StationKind kind, uint8_t kindCode, uint16_t stationId) const;

 private:
  std::set<std::string> names_;  // upper-cased file names
};

}  // namespace qw
