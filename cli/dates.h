// Dates on the command line: ISO "YYYY-MM-DD", checked against the supported range.
#pragma once

#include <string>
#include <string_view>

#include "engine/calendar.h"
#include "engine/date_texts.h"  // IsoDate, ClockTime

namespace qw::cli {

// 00:00 of the date as an EngineMinute. A usage error for a malformed or impossible
// date and for one outside the supported prediction range (1901-01-01 to 2099-12-31).
EngineMinute ParseIsoDate(std::string_view text, std::string_view what);

// The day range of --from and --to (--to defaults to --from; it may not be earlier).
struct DayRange {
  EngineMinute first = 0;  // 00:00 of the first day
  EngineMinute last = 0;   // 00:00 of the last day
};
DayRange ParseDayRange(std::string_view from, const std::string* to);

}  // namespace qw::cli
