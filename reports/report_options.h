// The report options the Print Report dialog and its option, font and page setup
// dialogs edit, as kept in the settings file ("ReportOptions" and the three report font
// sections).
//
// A plain struct, read once with LoadReportOptions and written back key by key with
// SaveReportOptions when a dialog is confirmed. Values outside their lists read as the
// defaults, so a damaged settings file cannot make a report divide by zero, print a
// table of thousands of rows or lay out a page with negative margins. "UseColor" is
// not here: the program-wide settings (AppSettings::reportUseColor) own that key.
#pragma once

#include <string>

#include "settings/profile_file.h"

namespace qw {

// A report font as stored: the logical-font fields and the size in tenths of a point
// that "&Use specified size" prints with.
struct ReportFont {
  std::string faceName;
  int height = -12;      // "FontHeight": negative = character height in pixels at 96 dpi
  int weight = 400;      // "FontWeight"
  int italic = 0;        // "FontItalic"
  int pointSize = 70;    // "PointSize", tenths of a point
  bool operator==(const ReportFont&) const = default;
};

// "DailyInterval" choices, in minutes.
constexpr int kDailyIntervals[] = {5, 6, 10, 15, 20, 30, 60};

struct ReportOptions {
  int previewRes = 1;         // "PreviewRes": 0 low, 1 medium, 2 high
  bool includeGrid = true;    // "IncludeGrid"
  bool dailyDetail = true;    // "DailyDetail": the value table of the daily report
  int dailyInterval = 30;     // "DailyInterval": one of kDailyIntervals
  bool sunriseSunset = false;    // "SunriseSunset"
  bool sunriseShading = false;   // "SunriseShading": night shaded on the graphs
  bool moonriseMoonset = false;  // "MoonriseMoonset"
  bool moonGraphic = true;       // "MoonGraphic"
  int moonGraphicFreq = 0;       // "MoonGraphicFreq": 0 "Quarter" (phase days only), 1 "Day"
  bool rangeLines = false;       // "RangeLines"
  bool rangeShading = false;     // "RangeShading": values beyond the range lines in their colours
  bool dailyExtremes = true;     // "DailyExtremes"
  int dailyExtremesPos = 0;      // "DailyExtremesPos": 0 "Below Graph", 1 "On Graph"
  bool noteArea = false;         // "NoteArea": a ruled area for the reader's own notes
  bool bitmapInFooter = false;   // "BitmapInFooter"
  int bitmapPos = 1;             // "BitmapPos": 0 left, 1 centred, 2 right
  std::string bitmapFile;        // "BitmapFile"
  double bitmapHeightInches = 1.0;  // "BitmapHeighInches": 0.1 .. 2.0
  bool newRow = true;            // "NewRow": custom report, each day starts a new row (read, never written)
  bool newPage = false;          // "NewPage": custom report, each day starts a new page
  int rowsPerPage = 2;           // "RowsPerPage": 1 .. 4
  int columnsPerPage = 2;        // "ColumnsPerPage": 1 .. 7

  // The report date choice and the locations last selected.
  std::string startDate;         // "StartDate", "MM/DD/YYYY"; empty = not chosen yet
  std::string endDate;           // "EndDate"
  bool useWindowDate = true;     // "UseWindowDate"
  std::string selectedLocations;  // "SelectedLocations": list positions joined with ","
  int caretIndex = 0;            // "CaretIndex"
  int reportType = 0;            // "ReportType": the last kind chosen (0 .. 4)
  int reportFormat = 3;          // "ReportFormat": the last format chosen (0 .. 3)

  // Page setup. Margins in inches, 0 .. 3.
  double leftMargin = 0.5, topMargin = 0.5, rightMargin = 0.5, bottomMargin = 0.5;
  bool landscape = false;        // "Orientation": 0 portrait, 1 landscape

  // Fonts: "ReportDateFont", "ReportTitleFont", "ReportReportFont".
  ReportFont dateFont{"Times New Roman", -23, 400, 0, 140};
  ReportFont titleFont{"Arial", -23, 400, 0, 140};
  ReportFont reportFont{"Arial", -12, 400, 0, 70};
  bool autoSizeDateFont = true;    // "AutoSizeDateFont": sized to the page
  bool autoSizeTitleFont = true;   // "AutoSizeTitleFont"
  bool autoSizeReportFont = true;  // "AutoSizeReportFont"

  bool operator==(const ReportOptions&) const = default;
};

ReportOptions LoadReportOptions(const ProfileFile& file);
// Writes every key but "NewRow" into `file` (in memory); the caller saves the file.
void SaveReportOptions(const ReportOptions& options, ProfileFile& file);

// The fonts and their auto-size switches as "De&faults" restores them.
void RestoreDefaultFonts(ReportOptions& options);

// The interval the value table is printed at: an interval above 60 (or not above 0)
// is taken as 30.
int PrintedDailyInterval(int interval);
// Rows of the value table: 1440 / interval + 1, from 00:00 to 24:00.
int DailyTableRows(int interval);

}  // namespace qw
