// The page plan: how many pages each kind of report has and which days each page shows.
#include "reports/page_plan.h"

#include <gtest/gtest.h>

#include "engine/calendar.h"

namespace qw {
namespace {

EngineMinute Day(int year, int month, int day) { return MinuteOf(year, month, day); }

PlanRequest Request(ReportKind kind, int locations, EngineMinute start, EngineMinute end) {
  PlanRequest request;
  request.kind = kind;
  request.windowDays.assign(static_cast<size_t>(locations), Day(2025, 1, 1));
  request.useRange = true;
  request.rangeStart = start;
  request.rangeEnd = end;
  return request;
}

TEST(PagePlanTest, DailyRangePrintsEveryDayOfEachLocationInListOrder) {
  const auto pages = PlanReport(Request(ReportKind::Daily, 2, Day(2025, 2, 24), Day(2025, 3, 5)));
  ASSERT_EQ(pages.size(), 20u);
  for (size_t i = 0; i < pages.size(); ++i) {
    EXPECT_EQ(pages[i].location, static_cast<int>(i / 10));
    EXPECT_EQ(pages[i].first, Day(2025, 2, 24) + static_cast<EngineMinute>(i % 10) * kMinutesPerDay);
    EXPECT_EQ(pages[i].first, pages[i].last);
  }
  EXPECT_EQ(pages[9].first, Day(2025, 3, 5));  // across the end of February
}

TEST(PagePlanTest, WithoutARangeEachLocationPrintsItsWindowDate) {
  PlanRequest request;
  request.kind = ReportKind::Daily;
  request.windowDays = {Day(2025, 6, 18) + 600, Day(2024, 12, 31)};  // any minute of the day
  const auto daily = PlanReport(request);
  ASSERT_EQ(daily.size(), 2u);
  EXPECT_EQ(daily[0].first, Day(2025, 6, 18));
  EXPECT_EQ(daily[1].first, Day(2024, 12, 31));

  request.kind = ReportKind::Monthly;
  const auto monthly = PlanReport(request);
  ASSERT_EQ(monthly.size(), 2u);
  EXPECT_EQ(monthly[0].first, Day(2025, 6, 1));
  EXPECT_EQ(monthly[0].last, Day(2025, 6, 30));
  EXPECT_EQ(monthly[1].first, Day(2024, 12, 1));
  EXPECT_EQ(monthly[1].last, Day(2024, 12, 31));
}

TEST(PagePlanTest, MonthlyPagesAreTheCalendarMonthsTheRangeTouches) {
  const auto pages = PlanReport(Request(ReportKind::Monthly, 1, Day(2024, 1, 15), Day(2024, 3, 10)));
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].first, Day(2024, 1, 1));
  EXPECT_EQ(pages[0].last, Day(2024, 1, 31));
  EXPECT_EQ(pages[1].first, Day(2024, 2, 1));
  EXPECT_EQ(pages[1].last, Day(2024, 2, 29));  // a leap year
  EXPECT_EQ(pages[2].first, Day(2024, 3, 1));
  EXPECT_EQ(pages[2].last, Day(2024, 3, 31));
}

TEST(PagePlanTest, ThreeMonthPagesStepThreeMonthsAcrossTheYearEnd) {
  const auto pages = PlanReport(Request(ReportKind::ThreeMonth, 2, Day(2024, 11, 20), Day(2025, 2, 2)));
  ASSERT_EQ(pages.size(), 4u);
  EXPECT_EQ(pages[0].first, Day(2024, 11, 1));
  EXPECT_EQ(pages[0].last, Day(2025, 1, 31));
  EXPECT_EQ(pages[1].first, Day(2025, 2, 1));
  EXPECT_EQ(pages[1].last, Day(2025, 4, 30));
  EXPECT_EQ(pages[2].location, 1);
  EXPECT_EQ(pages[2].first, Day(2024, 11, 1));
}

TEST(PagePlanTest, NothingIsPlannedForAReversedRangeNoLocationsOrNotes) {
  EXPECT_TRUE(PlanReport(Request(ReportKind::Daily, 1, Day(2025, 3, 2), Day(2025, 3, 1))).empty());
  EXPECT_TRUE(PlanReport(Request(ReportKind::Daily, 0, Day(2025, 3, 1), Day(2025, 3, 1))).empty());
  EXPECT_TRUE(PlanReport(Request(ReportKind::Notes, 1, Day(2025, 3, 1), Day(2025, 3, 1))).empty());
  EXPECT_TRUE(PlanReport(Request(static_cast<ReportKind>(9), 1, Day(2025, 3, 1), Day(2025, 3, 1))).empty());
  // The same day as start and end is one page.
  EXPECT_EQ(PlanReport(Request(ReportKind::Daily, 1, Day(2025, 3, 1), Day(2025, 3, 1))).size(), 1u);
}

// Cells of a custom page as "location@day-of-month:row,column".
std::vector<std::string> Cells(const PlannedPage& page) {
  std::vector<std::string> cells;
  for (const ReportCell& c : page.cells) {
    DateRecord date;
    MinuteToDate(c.day, date);
    cells.push_back(std::to_string(c.location) + "@" + std::to_string(date.day) + ":" + std::to_string(c.row) + "," +
                    std::to_string(c.column));
  }
  return cells;
}

TEST(PagePlanTest, CustomReportStartsEachDayOnANewRowOrPage) {
  PlanRequest request = Request(ReportKind::Custom, 3, Day(2025, 5, 1), Day(2025, 5, 2));
  request.rowsPerPage = 2;
  request.columnsPerPage = 2;

  request.newRow = true;
  auto pages = PlanReport(request);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Cells(pages[0]), (std::vector<std::string>{"0@1:0,0", "1@1:0,1", "2@1:1,0"}));
  EXPECT_EQ(Cells(pages[1]), (std::vector<std::string>{"0@2:0,0", "1@2:0,1", "2@2:1,0"}));
  EXPECT_EQ(pages[1].first, Day(2025, 5, 2));

  request.newRow = false;
  pages = PlanReport(request);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Cells(pages[0]), (std::vector<std::string>{"0@1:0,0", "1@1:0,1", "2@1:1,0", "0@2:1,1"}));
  EXPECT_EQ(Cells(pages[1]), (std::vector<std::string>{"1@2:0,0", "2@2:0,1"}));
  EXPECT_EQ(pages[0].first, Day(2025, 5, 1));
  EXPECT_EQ(pages[0].last, Day(2025, 5, 2));

  // A new page per day, with one row of three columns: three days, three pages.
  request.rangeEnd = Day(2025, 5, 3);
  request.newPage = true;
  request.rowsPerPage = 1;
  request.columnsPerPage = 3;
  pages = PlanReport(request);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(Cells(pages[2]), (std::vector<std::string>{"0@3:0,0", "1@3:0,1", "2@3:0,2"}));
}

TEST(PagePlanTest, CustomReportWithoutARangeGroupsLocationsByTheirWindowDates) {
  PlanRequest request;
  request.kind = ReportKind::Custom;
  request.windowDays = {Day(2025, 5, 1), Day(2025, 5, 1), Day(2025, 5, 7)};
  request.rowsPerPage = 4;
  request.columnsPerPage = 3;
  request.newRow = true;
  const auto pages = PlanReport(request);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(Cells(pages[0]), (std::vector<std::string>{"0@1:0,0", "1@1:0,1", "2@7:1,0"}));
}

TEST(PagePlanTest, CustomLayoutOutsideItsLimitsIsClamped) {
  PlanRequest request = Request(ReportKind::Custom, 9, Day(2025, 5, 1), Day(2025, 5, 1));
  request.rowsPerPage = 0;      // read as 1
  request.columnsPerPage = 40;  // read as 7
  const auto pages = PlanReport(request);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].cells.size(), 7u);
  EXPECT_EQ(pages[1].cells.size(), 2u);
}

}  // namespace
}  // namespace qw
