// The choices of the table save dialog, kept in memory for the rest of the program run,
// and the file name rule that follows the chosen format.
#pragma once

#include <string>

#include "export/delimiters.h"
#include "export/spreadsheet_writers.h"

namespace qw {

struct SaveTableOptions {
  bool toClipboard = true;
  SaveFormat format = SaveFormat::Ascii;
  int fieldDelimiter = kDelimiterTab;    // position in the delimiter list
  int recordDelimiter = kDelimiterCrLf;
  std::string fileName;
};

// ".DIF", ".SLK" or ".TXT".
const char* SaveExtension(SaveFormat format);

// The name with the format's extension: the part of the file name from its last dot on
// is replaced; a file name without a dot, or an empty name, stays as it is. Dots in the
// directories of the path do not count.
std::string WithSaveExtension(const std::string& name, SaveFormat format);

}  // namespace qw
