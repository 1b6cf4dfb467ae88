// The date text of the data export: the order of month, day and year, each part's form
// and the two separators between them.
#pragma once

#include <string>
#include <string_view>

#include "engine/calendar.h"

namespace qw {

enum class DateOrder { MDY, DMY, YMD };
enum class MonthForm { Number, TwoDigits, Short, Full };  // "m" 3, "mm" 03, "MM" Mar, "MMMM" March
enum class DayForm { Number, TwoDigits };                  // "d" 5, "dd" 05
enum class YearForm { TwoDigits, Full };                   // "yy" 95 (2005 gives 5), "yyyy" 1995

struct ExportDateFormat {
  DateOrder order = DateOrder::MDY;
  MonthForm month = MonthForm::Full;
  std::string separator1 = " ";
  DayForm day = DayForm::Number;
  std::string separator2 = ", ";
  YearForm year = YearForm::Full;
};

// The month part: "%02i", "%.3s" of the name, the name, or "%i".
std::string MonthPart(int month, MonthForm form);
std::string DayPart(int day, DayForm form);
// "%i" of the year, or of the year modulo 100 (no leading zero).
std::string YearPart(int year, YearForm form);
// The three parts in order with the separators between them.
std::string ExportDateText(const DateRecord& date, const ExportDateFormat& format);
std::string ExportDateText(EngineMinute minute, const ExportDateFormat& format);
// The sample line of the options dialog, from 5 March 1995 ("March 5, 1995").
std::string SampleDateText(const ExportDateFormat& format);

// The settings file names of the parts ("MDY", "mm", "dd", "yyyy") and back; unknown
// names give the defaults.
const char* DateOrderName(DateOrder order);
const char* MonthFormName(MonthForm form);
const char* DayFormName(DayForm form);
const char* YearFormName(YearForm form);
DateOrder DateOrderFromName(std::string_view name);
MonthForm MonthFormFromName(std::string_view name);
DayForm DayFormFromName(std::string_view name);
YearForm YearFormFromName(std::string_view name);

// A separator as an export reads it back from the settings: a text longer than two
// characters loses its first and its last character (the quotes it was stored in).
std::string SeparatorAsRead(std::string text);

}  // namespace qw
