#include "cli/dates.h"

#include "cli/cli_errors.h"

namespace qw::cli {
namespace {

bool DigitsAt(std::string_view s, size_t at, size_t count) {
  for (size_t i = at; i < at + count; ++i) {
    if (i >= s.size() || s[i] < '0' || s[i] > '9') return false;
  }
  return true;
}

int Number(std::string_view s, size_t at, size_t count) {
  int value = 0;
  for (size_t i = at; i < at + count; ++i) value = value * 10 + (s[i] - '0');
  return value;
}

}  // namespace

EngineMinute ParseIsoDate(std::string_view text, std::string_view what) {
  const std::string shown(text);
  if (text.size() != 10 || !DigitsAt(text, 0, 4) || text[4] != '-' || !DigitsAt(text, 5, 2) ||
      text[7] != '-' || !DigitsAt(text, 8, 2)) {
    throw UsageError(std::string(what) + " must be a date YYYY-MM-DD, not '" + shown + "'");
  }
  const int year = Number(text, 0, 4), month = Number(text, 5, 2), day = Number(text, 8, 2);
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1] + (month == 2 && leap ? 1 : 0)) {
    throw UsageError(std::string(what) + " '" + shown + "' is not a calendar date");
  }
  if (year < 1901 || year > 2099) {
    throw UsageError(std::string(what) + " " + shown +
                     " is outside the supported dates 1901-01-01 to 2099-12-31");
  }
  return MinuteOf(year, month, day);
}

DayRange ParseDayRange(std::string_view from, const std::string* to) {
  DayRange range;
  range.first = ParseIsoDate(from, "--from");
  range.last = to ? ParseIsoDate(*to, "--to") : range.first;
  if (range.last < range.first) throw UsageError("--to " + *to + " is before --from " + std::string(from));
  return range;
}

}  // namespace qw::cli
