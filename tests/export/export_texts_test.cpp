// The delimiter list with its escape notation, the export's date texts and the field
// list rules.
#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "export/delimiters.h"
#include "export/export_date.h"
#include "export/export_fields.h"

namespace qw {
namespace {

TEST(DelimitersTest, ListAndEscapeNotation) {
  EXPECT_STREQ(DelimiterName(0), "(cr/lf)");
  EXPECT_STREQ(DelimiterName(kDelimiterTab), "(tab)");
  EXPECT_STREQ(DelimiterName(10), "|");
  EXPECT_STREQ(DelimiterName(kDelimiterNone), "(none)");
  EXPECT_EQ(DelimiterText(0), "\r\n");
  EXPECT_EQ(DelimiterText(1), "\r");
  EXPECT_EQ(DelimiterText(kDelimiterTab), "\t");
  EXPECT_EQ(DelimiterText(5), " ");
  EXPECT_EQ(DelimiterText(kDelimiterNone), "");

  EXPECT_EQ(ConvertEscapes("a\\nb\\tc\\v\\b\\r\\f\\a"), "a\nb\tc\v\b\r\f\a");
  EXPECT_EQ(ConvertEscapes("\\\\\\?\\'\\\""), "\\?'\"");
  EXPECT_EQ(ConvertEscapes("\\d59x\\D0651"), ";xA1");      // at most three digits
  EXPECT_EQ(ConvertEscapes("\\x7c\\X4G!"), "|@!");          // G is not a hex digit: 0x40
  EXPECT_EQ(ConvertEscapes("\\q\\;"), "q;");                // other escapes keep the character
  EXPECT_EQ(ConvertEscapes("ab\\x00cd"), "ab");             // a code 0 ends the text
  EXPECT_EQ(ConvertEscapes("end\\"), "end");
  EXPECT_EQ(ConvertEscapes("\\x4"), "@");                   // the missing digit counts as 0
}

TEST(ExportDateTest, PartsOrdersAndSeparators) {
  DateRecord d;
  MinuteToDate(MinuteOf(2005, 3, 5), d);
  ExportDateFormat f;  // MDY, "MMMM", " ", "d", ", ", "yyyy"
  EXPECT_EQ(ExportDateText(d, f), "March 5, 2005");
  f = {DateOrder::DMY, MonthForm::Short, "-", DayForm::TwoDigits, "-", YearForm::TwoDigits};
  EXPECT_EQ(ExportDateText(d, f), "05-Mar-5");  // 2005 in "yy" is 5
  f = {DateOrder::YMD, MonthForm::TwoDigits, "/", DayForm::Number, "/", YearForm::Full};
  EXPECT_EQ(ExportDateText(d, f), "2005/03/5");
  f.month = MonthForm::Number;
  EXPECT_EQ(SampleDateText(f), "1995/3/5");

  EXPECT_EQ(SeparatorAsRead(" - "), "-");
  EXPECT_EQ(SeparatorAsRead(", "), ", ");
  EXPECT_EQ(SeparatorAsRead(" "), " ");
  EXPECT_EQ(MonthFormFromName("MM"), MonthForm::Short);
  EXPECT_EQ(MonthFormFromName("junk"), MonthForm::Full);
  EXPECT_STREQ(MonthFormName(MonthForm::TwoDigits), "mm");
  EXPECT_EQ(DateOrderFromName("YMD"), DateOrder::YMD);
}

TEST(ExportFieldsTest, TargetListsMarkersAndColumns) {
  EXPECT_EQ(ParseTargetFields("1,0,7,10,19"), (std::vector<int>{1, 0, 7, 10, 19}));
  EXPECT_EQ(ParseTargetFields(" 1, x,25,,7 "), (std::vector<int>{1, 7}));
  EXPECT_EQ(FormatTargetFields({1, 0, 7}), "1,0,7");
  EXPECT_EQ(ExportFieldListText(kFieldStartRepeat, 4), "[Start Repeat (4 times)]");
  EXPECT_EQ(ExportFieldListText(kFieldStartRepeat, 1), "[Start Repeat (1 time)]");
  EXPECT_EQ(ExportFieldListText(kFieldEndRepeat, 4), "[End Repeat]");
  EXPECT_EQ(ExportFieldListText(kFieldValueType, 4), "Value_Type");

  EXPECT_EQ(CheckRepeatMarkers({1, 0, 7, 10, 19}), RepeatProblem::None);
  EXPECT_EQ(CheckRepeatMarkers({1, 7, 10}), RepeatProblem::None);
  EXPECT_EQ(CheckRepeatMarkers({1, 0, 7, 10}), RepeatProblem::OnlyOneMarker);
  EXPECT_EQ(CheckRepeatMarkers({1, 19, 7, 0}), RepeatProblem::EndBeforeStart);

  EXPECT_EQ(ExpandedColumns({1, 0, 7, 10, 19}, 3), (std::vector<int>{1, 7, 10, 7, 10, 7, 10}));
  EXPECT_EQ(ExpandedColumns({0, 7, 19, 13}, 2), (std::vector<int>{7, 7, 13}));
}

}  // namespace
}  // namespace qw
