#include "engine/calendar.h"

#include <chrono>
#include <ctime>

#include "engine/engine_settings.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

using test::EngineTest;
namespace chr = std::chrono;

class CalendarTest : public EngineTest {};

TEST_F(CalendarTest, EpochAndYear2000) {
  DateRecord date;
  MinuteToDate(0, date);
  EXPECT_EQ(date.year, 1900);
  EXPECT_EQ(date.month, 1);
  EXPECT_EQ(date.day, 1);
  EXPECT_EQ(date.weekday, 1);  // Monday
  EXPECT_EQ(date.dayOfYear, 1);
  EXPECT_EQ(date.leapYear, 0);  // 1900 is not a Gregorian leap year
  EXPECT_EQ(MinuteOf(2000, 1, 1), 36524u * 1440u);
}

// Every day from 1900 to 2100 against the standard library's civil calendar, both ways.
TEST_F(CalendarTest, EveryDayMatchesCivilCalendar) {
  const chr::sys_days epoch = chr::year{1900} / chr::January / 1;
  const chr::sys_days last = chr::year{2100} / chr::December / 31;
  for (chr::sys_days day = epoch; day <= last; day += chr::days{1}) {
    const chr::year_month_day ymd{day};
    const auto dayNumber = static_cast<uint32_t>((day - epoch).count());
    const EngineMinute minute = dayNumber * 1440 + 13 * 60 + 7;
    DateRecord date;
    MinuteToDate(minute, date);
    ASSERT_EQ(date.year, static_cast<int>(ymd.year())) << dayNumber;
    ASSERT_EQ(date.month, static_cast<unsigned>(ymd.month())) << dayNumber;
    ASSERT_EQ(date.day, static_cast<unsigned>(ymd.day())) << dayNumber;
    ASSERT_EQ(date.weekday, chr::weekday{day}.c_encoding()) << dayNumber;
    ASSERT_EQ(date.hour, 13);
    ASSERT_EQ(date.minute, 7);
    const chr::sys_days startOfYear = ymd.year() / chr::January / 1;
    ASSERT_EQ(date.dayOfYear, (day - startOfYear).count() + 1) << dayNumber;
    const chr::year_month_day_last monthEnd{ymd.year(), chr::month_day_last{ymd.month()}};
    ASSERT_EQ(date.daysInMonth, static_cast<unsigned>(monthEnd.day()));
    ASSERT_EQ(date.leapYear, ymd.year().is_leap() ? 1 : 0);

    DateRecord back{};
    back.year = date.year;
    back.month = date.month;
    back.day = date.day;
    back.hour = 13;
    back.minute = 7;
    ASSERT_EQ(DateToMinute(back), minute);
    ASSERT_EQ(back.dayOfYear, date.dayOfYear);
    ASSERT_EQ(back.weekday, date.weekday);
    ASSERT_EQ(back.dstFlag, date.dstFlag);
  }
}

TEST_F(CalendarTest, ClampsOutOfRangeFields) {
  DateRecord date{};
  date.year = 2001; date.month = 2; date.day = 29; date.hour = 10;
  DateToMinute(date);
  EXPECT_EQ(date.month, 2);
  EXPECT_EQ(date.day, 28);  // 29 February of a common year becomes the 28th

  date = {}; date.year = 2003; date.month = 13; date.day = 5; date.hour = 4; date.minute = 4;
  EXPECT_EQ(DateToMinute(date), MinuteOf(2003, 12, 31, 23, 59));

  date = {}; date.year = 2003; date.month = 6; date.day = 0; date.hour = 12; date.minute = 30;
  EXPECT_EQ(DateToMinute(date), MinuteOf(2003, 6, 1, 0, 0));

  date = {}; date.year = 2003; date.month = 6; date.day = 3; date.hour = 5; date.minute = 75;
  DateToMinute(date);
  EXPECT_EQ(date.minute, 59);

  date = {}; date.year = 1850; date.month = 7; date.day = 7;
  EXPECT_EQ(DateToMinute(date), 0u);

  // Years beyond the 32-bit minute range stop at the last minute of 9999.
  date = {}; date.year = 60000; date.month = 1; date.day = 1;
  const EngineMinute last = DateToMinute(date);
  DateRecord back;
  MinuteToDate(last, back);
  EXPECT_EQ(back.year, 9999);
  EXPECT_EQ(back.month, 12);
  EXPECT_EQ(back.day, 31);
  EXPECT_EQ(back.hour, 23);
  EXPECT_EQ(back.minute, 59);
}

TEST_F(CalendarTest, LeapDayAndDayOfYear) {
  DateRecord date;
  MinuteToDate(MinuteOf(2024, 2, 29, 6, 0), date);
  EXPECT_EQ(date.month, 2);
  EXPECT_EQ(date.day, 29);
  EXPECT_EQ(date.dayOfYear, 60);
  MinuteToDate(MinuteOf(2024, 3, 1), date);
  EXPECT_EQ(date.dayOfYear, 61);
  MinuteToDate(MinuteOf(2023, 3, 1), date);
  EXPECT_EQ(date.dayOfYear, 60);
  MinuteToDate(MinuteOf(2000, 12, 31), date);  // last day of a 400-year cycle
  EXPECT_EQ(date.dayOfYear, 366);
  EXPECT_EQ(date.day, 31);
}

struct DstCase {
  int year, month, day;
  int flag;
};

// The whole-day flag under the rule in force in each era: the starting Sunday is a
// daylight-saving day, the ending Sunday is not.
TEST_F(CalendarTest, UsDaylightSavingFollowsTheRuleOfTheYear) {
  const DstCase cases[] = {
      // 2007 and later: second Sunday of March to first Sunday of November.
      {2026, 3, 7, 0}, {2026, 3, 8, 1}, {2026, 6, 1, 1}, {2026, 10, 31, 1},
      {2026, 11, 1, 0}, {2026, 12, 1, 0}, {2007, 3, 10, 0}, {2007, 3, 11, 1},
      {2007, 11, 3, 1}, {2007, 11, 4, 0},
      // 1987-2006: first Sunday of April to last Sunday of October.
      {2006, 4, 1, 0}, {2006, 4, 2, 1}, {2006, 10, 28, 1}, {2006, 10, 29, 0},
      {2006, 3, 20, 0}, {1987, 4, 4, 0}, {1987, 4, 5, 1},
      // Before 1987: last Sunday of April to last Sunday of October.
      {1986, 4, 6, 0}, {1986, 4, 26, 0}, {1986, 4, 27, 1}, {1986, 10, 25, 1}, {1986, 10, 26, 0},
  };
  for (const DstCase& c : cases) {
    DateRecord date;
    MinuteToDate(MinuteOf(c.year, c.month, c.day, 12), date);
    EXPECT_EQ(date.dstFlag, c.flag) << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST_F(CalendarTest, NowTakesTheClockAndTheGmtCorrection) {
  Settings().useGmtCorrection = 1;
  Settings().gmtCorrectionHours = -5.5;
  const std::time_t before = std::time(nullptr);
  DateRecord now{};
  const EngineMinute shifted = DateToMinute(now);
  std::tm local{};
  localtime_r(&before, &local);
  const EngineMinute clock =
      MinuteOf(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
  // The clock may tick over a minute between the two readings.
  EXPECT_GE(shifted + 330, clock);
  EXPECT_LE(shifted + 330, clock + 1);
  DateRecord shown;
  MinuteToDate(shifted, shown);
  EXPECT_EQ(now.hour, shown.hour);  // the record shows the shifted time
  EXPECT_EQ(now.minute, shown.minute);
  EXPECT_EQ(now.day, shown.day);
}

TEST_F(CalendarTest, DateArithmetic) {
  EXPECT_EQ(AddDays(100, -1), 0u);
  EXPECT_EQ(AddDays(MinuteOf(2024, 2, 28, 5, 6), 2), MinuteOf(2024, 3, 1, 5, 6));
  EXPECT_EQ(AddDays(MinuteOf(2024, 3, 1), -366), MinuteOf(2023, 3, 1));
  EXPECT_EQ(AddMonths(MinuteOf(2020, 1, 15, 8, 0), -2), MinuteOf(2019, 11, 15, 8, 0));
  EXPECT_EQ(AddMonths(MinuteOf(2021, 1, 31), 1), MinuteOf(2021, 2, 28));
  EXPECT_EQ(AddMonths(MinuteOf(2024, 1, 31), 1), MinuteOf(2024, 2, 29));
  EXPECT_EQ(AddMonths(MinuteOf(2024, 3, 31), -1), MinuteOf(2024, 2, 29));
  EXPECT_EQ(AddMonths(MinuteOf(2020, 5, 10), 25), MinuteOf(2022, 6, 10));
  EXPECT_EQ(AddMonths(MinuteOf(2020, 5, 10), -25), MinuteOf(2018, 4, 10));
  EXPECT_EQ(AddMonths(MinuteOf(2020, 5, 10), -12), MinuteOf(2019, 5, 10));
  // Far before 1900 clamps to the first minute instead of turning into "now".
  EXPECT_EQ(AddMonths(MinuteOf(1900, 6, 1), -32000), 0u);
}

TEST_F(CalendarTest, PredictionRangeIsCheckedWithTheBoundInTheMessage) {
  EXPECT_TRUE(CheckPredictionDate(MinuteOf(1901, 1, 1)));
  EXPECT_TRUE(CheckPredictionDate(MinuteOf(2099, 12, 31)));
  EXPECT_TRUE(reports_.empty());

  EXPECT_FALSE(CheckPredictionDate(MinuteOf(2099, 12, 31, 12, 0)));
  EXPECT_TRUE(reports_.Has(3201,
                           "You do not have data for the date specified.\n\nThe program does not "
                           "support dates after 12/31/2099."))
      << reports_.Describe();
  EXPECT_EQ(reports_.reports().back().caption, "Quaywise Pro: 3201");

  EXPECT_FALSE(CheckPredictionDate(MinuteOf(1900, 12, 31, 23, 59)));
  EXPECT_TRUE(reports_.Has(3200,
                           "You do not have data for the date specified.\n\nThe program does not "
                           "support dates prior to 1/1/1901."))
      << reports_.Describe();
}

}  // namespace
}  // namespace qw
