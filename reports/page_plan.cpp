#include "reports/page_plan.h"

#include <algorithm>

#include "engine/calendar.h"

namespace qw {
namespace {

EngineMinute DayOf(EngineMinute minute) { return minute - minute % kMinutesPerDay; }

// Pages of one location over [start, end]: `months` 0 for days, else spans of months.
void PlanLocation(int location, EngineMinute start, EngineMinute end, int months,
                  std::vector<PlannedPage>& pages) {
  if (months == 0) {
    for (EngineMinute day = start; day <= end; day += kMinutesPerDay) {
      pages.push_back({location, day, day, {}});
      if (day > UINT32_MAX - kMinutesPerDay) break;
    }
    return;
  }
  for (EngineMinute first = FirstOfMonth(start); first <= end;) {
    const EngineMinute last = LastDayOfMonths(first, months);
    pages.push_back({location, first, last, {}});
    const EngineMinute next = last + kMinutesPerDay;
    if (next <= first) break;  // the end of the calendar's range
    first = next;
  }
}

void PlanCustom(const PlanRequest& request, std::vector<PlannedPage>& pages) {
  const int columns = std::clamp(request.columnsPerPage, 1, 7);
  const int rows = std::clamp(request.rowsPerPage, 1, 4);
  const int locationCount = static_cast<int>(request.windowDays.size());

  // The cells in print order, each day's group together.
  struct Group {
    EngineMinute day;
    std::vector<int> locations;
  };
  std::vector<Group> groups;
  if (request.useRange) {
    for (EngineMinute day = request.rangeStart; day <= request.rangeEnd; day += kMinutesPerDay) {
      Group group{day, {}};
      for (int i = 0; i < locationCount; ++i) group.locations.push_back(i);
      groups.push_back(std::move(group));
      if (day > UINT32_MAX - kMinutesPerDay) break;
    }
  } else {
    // Each location on its own window's date: locations showing the same date form
    // one group, so a new row or page starts where the date changes.
    for (int i = 0; i < locationCount; ++i) {
      const EngineMinute day = DayOf(request.windowDays[static_cast<size_t>(i)]);
      if (groups.empty() || groups.back().day != day) groups.push_back({day, {}});
      groups.back().locations.push_back(i);
    }
  }

  int row = 0, column = 0;
  auto startPage = [&] {
    pages.push_back({-1, 0, 0, {}});
    row = 0;
    column = 0;
  };
  for (const Group& group : groups) {
    if (pages.empty() || (request.newPage && (row > 0 || column > 0))) {
      startPage();
    } else if (request.newRow && column > 0) {
      column = 0;
      if (++row == rows) startPage();
    }
    for (int location : group.locations) {
      PlannedPage& page = pages.back();
      if (page.cells.empty()) page.first = group.day;
      page.first = std::min(page.first, group.day);
      page.last = std::max(page.last, group.day);
      page.cells.push_back({location, group.day, row, column});
      if (++column == columns) {
        column = 0;
        if (++row == rows) startPage();
      }
    }
  }
  // A page opened after the last cell filled the one before holds nothing.
  if (!pages.empty() && pages.back().cells.empty()) pages.pop_back();
}

}  // namespace

EngineMinute FirstOfMonth(EngineMinute day) {
  DateRecord date;
  MinuteToDate(day, date);
  return MinuteOf(date.year, date.month, 1);
}

EngineMinute LastDayOfMonths(EngineMinute firstOfMonth, int months) {
  DateRecord date;
  MinuteToDate(firstOfMonth, date);
  const int monthIndex = date.year * 12 + (date.month - 1) + months;
  const int year = monthIndex / 12;
  const int month = monthIndex % 12 + 1;
  if (year > 9999) return MinuteOf(9999, 12, 31);
  return MinuteOf(year, month, 1) - kMinutesPerDay;
}

std::vector<PlannedPage> PlanReport(const PlanRequest& request) {
  std::vector<PlannedPage> pages;
  if (request.windowDays.empty()) return pages;
  if (request.useRange && DayOf(request.rangeEnd) < DayOf(request.rangeStart)) return pages;

  int months = 0;
  switch (request.kind) {
    case ReportKind::Daily: months = 0; break;
    case ReportKind::Monthly: months = 1; break;
    case ReportKind::ThreeMonth: months = 3; break;
    case ReportKind::Custom: {
      PlanRequest days = request;
      days.rangeStart = DayOf(request.rangeStart);
      days.rangeEnd = DayOf(request.rangeEnd);
      PlanCustom(days, pages);
      return pages;
    }
    case ReportKind::Notes:
    default: return pages;
  }
  for (size_t i = 0; i < request.windowDays.size(); ++i) {
    const EngineMinute start = DayOf(request.useRange ? request.rangeStart : request.windowDays[i]);
    const EngineMinute end = request.useRange ? DayOf(request.rangeEnd) : start;
    PlanLocation(static_cast<int>(i), start, end, months, pages);
  }
  return pages;
}

}  // namespace qw
