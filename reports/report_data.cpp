#include "reports/report_data.h"

#include "engine/calendar.h"
#include "reports/report_options.h"
#include "windows/display_units.h"

namespace qw {

std::vector<int32_t> DayTableValues(const TideLocation& station, EngineMinute day, int interval, TideUnit unit) {
  std::vector<int32_t> values;
  const int step = PrintedDailyInterval(interval);
  for (int minute = 0; minute <= static_cast<int>(kMinutesPerDay); minute += step) {
    const int32_t height = TideHeightAt(station, day + static_cast<EngineMinute>(minute));
    values.push_back(height == kValueFailed ? kValueNotDefined : HeightToDisplay(height, unit));
    if (height == kValueFailed) break;  // reported once; the rest stays empty
  }
  values.resize(static_cast<size_t>(DailyTableRows(interval)), kValueNotDefined);
  return values;
}

ReportDay ReportDays::Day(int location, EngineMinute day, const DayNeeds& needs) {
  const ReportLocation& where = locations_[static_cast<size_t>(location)];
  ReportDay result;
  day -= day % kMinutesPerDay;
  result.inRange = day >= FirstSupportedMinute() && day <= LastSupportedMinute();

  TideDayParts parts;
  parts.curve = needs.curve;
  parts.sun = needs.sunMoon && result.inRange;
  parts.moon = needs.sunMoon && result.inRange;
  if (!result.inRange || failed_[static_cast<size_t>(location)]) {
    // No engine call: a day without values.
    result.day.day = day;
    MinuteToDate(day, result.day.date);
    result.day.halfHour.fill(kValueNotDefined);
    if (result.inRange && needs.sunMoon) {
      const StationPlace place = TidePlace(where.tide);
      result.day.sun = SunRiseSet(day, place);
      result.day.moon = FindNextPhase(place, day);
    }
  } else {
    result.day = ComputeTideDay(where.tide, day, parts);
    result.predicted = result.day.extremesFound;
    // A predictable station whose day could not be computed has had its message.
    if (!result.predicted && TideNoticeOf(where.tide) != TideNotice::NotPredictable) {
      failed_[static_cast<size_t>(location)] = true;
    }
  }
  result.shown = PresentTideDay(where.tide, result.day, settings_);
  if (needs.tableInterval > 0) {
    result.tableInterval = PrintedDailyInterval(needs.tableInterval);
    if (result.predicted) {
      result.table = DayTableValues(where.tide, day, result.tableInterval, settings_.tideUnit);
    } else {
      result.table.assign(static_cast<size_t>(DailyTableRows(result.tableInterval)), kValueNotDefined);
    }
  }
  return result;
}

}  // namespace qw
