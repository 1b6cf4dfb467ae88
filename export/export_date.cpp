#include "export/export_date.h"

#include <cstdio>

#include "search/value_texts.h"

namespace qw {
namespace {

std::string Number(const char* format, int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

std::string MonthPart(int month, MonthForm form) {
  switch (form) {
    case MonthForm::TwoDigits: return Number("%02i", month);
    case MonthForm::Short: return std::string(MonthName(month)).substr(0, 3);
    case MonthForm::Full: return MonthName(month);
    default: return Number("%i", month);
  }
}

std::string DayPart(int day, DayForm form) { return Number(form == DayForm::TwoDigits ? "%02i" : "%i", day); }

std::string YearPart(int year, YearForm form) { return Number("%i", form == YearForm::TwoDigits ? year % 100 : year); }

std::string ExportDateText(const DateRecord& date, const ExportDateFormat& format) {
  const std::string m = MonthPart(date.month, format.month);
  const std::string d = DayPart(date.day, format.day);
  const std::string y = YearPart(date.year, format.year);
  switch (format.order) {
    case DateOrder::DMY: return d + format.separator1 + m + format.separator2 + y;
    case DateOrder::YMD: return y + format.separator1 + m + format.separator2 + d;
    default: return m + format.separator1 + d + format.separator2 + y;
  }
}

std::string ExportDateText(EngineMinute minute, const ExportDateFormat& format) {
  DateRecord date;
  MinuteToDate(minute, date);
  return ExportDateText(date, format);
}

std::string SampleDateText(const ExportDateFormat& format) {
  DateRecord date;
  date.year = 1995;
  date.month = 3;
  date.day = 5;
  return ExportDateText(date, format);
}

const char* DateOrderName(DateOrder order) {
  return order == DateOrder::DMY ? "DMY" : order == DateOrder::YMD ? "YMD" : "MDY";
}
const char* MonthFormName(MonthForm form) {
  static constexpr const char* kNames[] = {"m", "mm", "MM", "MMMM"};
  return kNames[static_cast<int>(form)];
}
const char* DayFormName(DayForm form) { return form == DayForm::TwoDigits ? "dd" : "d"; }
const char* YearFormName(YearForm form) { return form == YearForm::TwoDigits ? "yy" : "yyyy"; }

DateOrder DateOrderFromName(std::string_view name) {
  if (name == "DMY") return DateOrder::DMY;
  if (name == "YMD") return DateOrder::YMD;
  return DateOrder::MDY;
}
MonthForm MonthFormFromName(std::string_view name) {
  if (name == "m") return MonthForm::Number;
  if (name == "mm") return MonthForm::TwoDigits;
  if (name == "MM") return MonthForm::Short;
  return MonthForm::Full;
}
DayForm DayFormFromName(std::string_view name) { return name == "dd" ? DayForm::TwoDigits : DayForm::Number; }
YearForm YearFormFromName(std::string_view name) { return name == "yy" ? YearForm::TwoDigits : YearForm::Full; }

std::string SeparatorAsRead(std::string text) {
  if (text.size() > 2) text = text.substr(1, text.size() - 2);
  return text;
}

}  // namespace qw
