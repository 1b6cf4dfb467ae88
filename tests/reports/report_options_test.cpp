// The report options as kept in the settings file, and the report titles.
#include "reports/report_options.h"

#include <gtest/gtest.h>

#include "reports/report_kind.h"

namespace qw {
namespace {

TEST(ReportOptionsTest, AMissingSectionGivesTheDefaults) {
  ProfileFile file;
  file.LoadFromText("");
  const ReportOptions options = LoadReportOptions(file);
  EXPECT_EQ(options, ReportOptions{});
  EXPECT_EQ(options.dailyInterval, 30);
  EXPECT_EQ(options.rowsPerPage, 2);
  EXPECT_EQ(options.columnsPerPage, 2);
  EXPECT_EQ(options.dateFont, (ReportFont{"Times New Roman", -23, 400, 0, 140}));
  EXPECT_EQ(options.reportFont, (ReportFont{"Arial", -12, 400, 0, 70}));
  EXPECT_DOUBLE_EQ(options.leftMargin, 0.5);
}

TEST(ReportOptionsTest, SavedOptionsReadBackTheSameAndMarginsKeepTheirFormat) {
  ReportOptions options;
  options.dailyInterval = 15;
  options.sunriseSunset = options.sunriseShading = options.moonriseMoonset = true;
  options.moonGraphicFreq = 1;
  options.dailyExtremesPos = 1;
  options.bitmapInFooter = true;
  options.bitmapFile = "/home/me/logo.png";
  options.bitmapHeightInches = 0.75;
  options.rowsPerPage = 4;
  options.columnsPerPage = 7;
  options.newPage = true;
  options.startDate = "06/18/2025";
  options.endDate = "06/30/2025";
  options.useWindowDate = false;
  options.selectedLocations = "0,2";
  options.leftMargin = 1.25;
  options.landscape = true;
  options.titleFont = {"DejaVu Serif", -30, 700, 1, 180};
  options.autoSizeTitleFont = false;
  ProfileFile file;
  file.LoadFromText("");
  SaveReportOptions(options, file);
  EXPECT_EQ(LoadReportOptions(file), options);
  EXPECT_EQ(file.ReadString("ReportOptions", "LeftMargin", "", 32), "1.25");
  EXPECT_EQ(file.ReadString("ReportOptions", "BitmapHeighInches", "", 32), "0.75");
  EXPECT_EQ(file.ReadInt("ReportTitleFont", "PointSize", 0), 180);
  // "NewRow" is read, never written.
  EXPECT_FALSE(file.HasKey("ReportOptions", "NewRow"));
}

TEST(ReportOptionsTest, DamagedValuesReadAsTheirDefaults) {
  ProfileFile file;
  file.LoadFromText(
      "[ReportOptions]\n"
      "DailyInterval=7\n"
      "RowsPerPage=9\nColumnsPerPage=0\n"
      "LeftMargin=-3\nTopMargin=abc\nRightMargin=12\nBottomMargin=nan\n"
      "BitmapHeighInches=5\n"
      "PreviewRes=3\nMoonGraphicFreq=2\nBitmapPos=-1\n"
      "NewRow=0\n"
      "[ReportReportFont]\nPointSize=0\nFaceName=\nFontWeight=5000\n");
  const ReportOptions options = LoadReportOptions(file);
  const ReportOptions defaults;
  EXPECT_EQ(options.dailyInterval, 30);  // a value not in the list shows as 30
  EXPECT_EQ(options.rowsPerPage, defaults.rowsPerPage);
  EXPECT_EQ(options.columnsPerPage, defaults.columnsPerPage);
  EXPECT_DOUBLE_EQ(options.leftMargin, 0.5);
  EXPECT_DOUBLE_EQ(options.topMargin, 0.5);
  EXPECT_DOUBLE_EQ(options.rightMargin, 0.5);
  EXPECT_DOUBLE_EQ(options.bottomMargin, 0.5);
  EXPECT_DOUBLE_EQ(options.bitmapHeightInches, 1.0);
  EXPECT_EQ(options.previewRes, 1);
  EXPECT_EQ(options.moonGraphicFreq, 0);
  EXPECT_EQ(options.bitmapPos, 1);
  EXPECT_FALSE(options.newRow);
  EXPECT_EQ(options.reportFont, defaults.reportFont);
}

TEST(ReportOptionsTest, ValueTableRowsFollowTheInterval) {
  EXPECT_EQ(DailyTableRows(15), 97);
  EXPECT_EQ(DailyTableRows(30), 49);
  EXPECT_EQ(DailyTableRows(60), 25);
  EXPECT_EQ(DailyTableRows(5), 289);
  EXPECT_EQ(DailyTableRows(90), 49);  // above 60 prints at 30
  EXPECT_EQ(DailyTableRows(0), 49);   // never a division by zero
}

TEST(ReportOptionsTest, RestoringDefaultFontsLeavesTheOtherOptions) {
  ReportOptions options;
  options.dateFont.pointSize = 300;
  options.autoSizeDateFont = false;
  options.dailyInterval = 5;
  RestoreDefaultFonts(options);
  EXPECT_EQ(options.dateFont, ReportOptions{}.dateFont);
  EXPECT_TRUE(options.autoSizeDateFont);
  EXPECT_EQ(options.dailyInterval, 5);
}

TEST(ReportKindTest, TitlesNameTheKindTheStationsAndTheFormat) {
  EXPECT_EQ(ReportTitle(0, StationKind::Tide, 2), "Daily Tide Report (bar graph)");
  EXPECT_EQ(ReportTitle(1, StationKind::Current, 0), "Monthly Current Report (smooth graph)");
  EXPECT_EQ(ReportTitle(2, StationKind::Tide, 3), "3 Month Tide Report (text)");
  EXPECT_EQ(ReportTitle(3, StationKind::Current, 1), "Custom Report (filled graph)");
  EXPECT_EQ(ReportTitle(4, StationKind::Tide, 1), "Tide Notes Report");
  EXPECT_EQ(ReportTitle(4, StationKind::Current, 3), "Current Notes Report");
  EXPECT_EQ(ReportTitle(5, StationKind::Tide, 0), "Unknown Report");
  EXPECT_EQ(ReportTitle(-1, StationKind::Tide, 0), "Unknown Report");
  EXPECT_EQ(ReportKindListText(2, StationKind::Current), "3 Month Current Report");
  EXPECT_STREQ(ReportFormatListText(3), "Text Only");
}

}  // namespace
}  // namespace qw
