#include "export/export_settings.h"

#include <strings.h>

#include "export/data_export.h"
#include "export/delimiters.h"
#include "export/export_fields.h"

namespace qw {
namespace {

constexpr const char* kSection = "ExportData";

bool SameText(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

int Position(int value, int count, int fallback) { return value >= 0 && value < count ? value : fallback; }

}  // namespace

ExportSettings ReadExportSettings(const ProfileFile& file) {
  ExportSettings s;
  s.location = file.ReadInt(kSection, "WinHandle", 0);
  const std::string destination = file.ReadString(kSection, "ExportDest", "ToSpreadSheet", 40);
  s.destination = SameText(destination, "ToClipboard") ? 'C' : SameText(destination, "ToFile") ? 'F' : 'S';
  // A whole path: as long as the system allows (PATH_MAX), not a fixed small buffer.
  s.file = file.ReadString(kSection, "ExportFile", "", kMaxExportPathBytes + 1);
  s.eventsOnly = SameText(file.ReadString(kSection, "ValueType", "Interval", 20), "Extremes");
  s.intervalMinutes = IntervalMinutesAt(IntervalPosition(file.ReadInt(kSection, "IntervalLength", 30)));
  s.repeatCount = file.ReadInt(kSection, "FieldRepCount", 4);
  if (s.repeatCount < 1 || s.repeatCount > kMaxRepeatCount) s.repeatCount = 1;
  s.targetFields = file.ReadString(kSection, "TargetFields", kDefaultTargetFields, 60);
  s.includeHeader = file.ReadInt(kSection, "IncludeHeader", 0) != 0;
  s.fieldDelimiter = Position(file.ReadInt(kSection, "FieldDel", kDelimiterTab), kDelimiterCount, kDelimiterTab);
  s.recordDelimiter = Position(file.ReadInt(kSection, "RecordDel", kDelimiterCrLf), kDelimiterCount, kDelimiterCrLf);
  s.hundredths = file.ReadInt(kSection, "DisplayHundredths", 0) == 8;
  ExportDateFormat& f = s.dateFormat;
  f.order = DateOrderFromName(file.ReadString(kSection, "DateFormat", "MDY", 8));
  f.month = MonthFormFromName(file.ReadString(kSection, "MonthType", "MMMM", 8));
  f.separator1 = file.ReadString(kSection, "DateSep1", " ", 20);
  f.day = DayFormFromName(file.ReadString(kSection, "DayType", "d", 8));
  f.separator2 = file.ReadString(kSection, "DateSep2", ", ", 20);
  f.year = YearFormFromName(file.ReadString(kSection, "YearType", "yyyy", 8));
  return s;
}

void WriteExportSettings(const ExportSettings& s, ProfileFile& file) {
  file.WriteInt(kSection, "WinHandle", s.location);
  file.WriteString(kSection, "ExportDest",
                   s.destination == 'C' ? "ToClipboard" : s.destination == 'F' ? "ToFile" : "ToSpreadSheet");
  file.WriteString(kSection, "ExportFile", s.file);
  file.WriteString(kSection, "ValueType", s.eventsOnly ? "Extremes" : "Interval");
  file.WriteInt(kSection, "IntervalLength", s.intervalMinutes);
  file.WriteInt(kSection, "FieldRepCount", s.repeatCount);
  file.WriteString(kSection, "TargetFields", s.targetFields);
  file.WriteString(kSection, "IncludeHeader", s.includeHeader ? "1" : "0");
  file.WriteInt(kSection, "FieldDel", s.fieldDelimiter);
  file.WriteInt(kSection, "RecordDel", s.recordDelimiter);
  file.WriteString(kSection, "DisplayHundredths", s.hundredths ? "8" : "0");
  const ExportDateFormat& f = s.dateFormat;
  file.WriteString(kSection, "DateFormat", DateOrderName(f.order));
  file.WriteString(kSection, "MonthType", MonthFormName(f.month));
  file.WriteString(kSection, "DateSep1", "\"" + f.separator1 + "\"");
  file.WriteString(kSection, "DayType", DayFormName(f.day));
  file.WriteString(kSection, "DateSep2", "\"" + f.separator2 + "\"");
  file.WriteString(kSection, "YearType", YearFormName(f.year));
}

}  // namespace qw
