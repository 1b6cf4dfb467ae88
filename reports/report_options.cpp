#include "reports/report_options.h"

#include "engine/decimal_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qw {
namespace {

constexpr const char* kSection = "ReportOptions";
constexpr size_t kStr128 = 128;
constexpr size_t kPathLength = 260;

bool ReadBool(const ProfileFile& file, const char* key, bool defaultValue) {
  return file.ReadInt(kSection, key, defaultValue ? 1 : 0) != 0;
}

int ReadChoice(const ProfileFile& file, const char* key, int defaultValue, int lowest, int highest) {
  const int value = file.ReadInt(kSection, key, defaultValue);
  return value < lowest || value > highest ? defaultValue : value;
}

// A decimal key such as a margin: the leading number of the text; the default when
// there is none or it lies outside [lowest, highest].
double ReadInches(const ProfileFile& file, const char* key, double defaultValue, double lowest,
                  double highest) {
  const std::string text = file.ReadString(kSection, key, "", kStr128);
  const std::optional<double> value = LeadingDecimal(text);
  if (!value || !std::isfinite(*value) || *value < lowest || *value > highest) return defaultValue;
  return *value;
}

std::string InchesText(double inches) {
  return FixedDecimal(inches, 2);
}

ReportFont ReadFont(const ProfileFile& file, const char* section, const ReportFont& defaults) {
  ReportFont font;
  font.faceName = file.ReadString(section, "FaceName", defaults.faceName, 32);
  if (font.faceName.empty()) font.faceName = defaults.faceName;
  font.height = file.ReadInt(section, "FontHeight", defaults.height);
  font.weight = file.ReadInt(section, "FontWeight", defaults.weight);
  if (font.weight < 0 || font.weight > 1000) font.weight = defaults.weight;
  font.italic = file.ReadInt(section, "FontItalic", defaults.italic) != 0 ? 1 : 0;
  font.pointSize = file.ReadInt(section, "PointSize", defaults.pointSize);
  // Four to seventy-two points: anything else cannot be a report font.
  if (font.pointSize < 40 || font.pointSize > 720) font.pointSize = defaults.pointSize;
  return font;
}

void WriteFont(ProfileFile& file, const char* section, const ReportFont& font) {
  file.WriteString(section, "FaceName", font.faceName);
  file.WriteInt(section, "FontHeight", font.height);
  file.WriteInt(section, "FontWeight", font.weight);
  file.WriteInt(section, "FontItalic", font.italic);
  file.WriteInt(section, "PointSize", font.pointSize);
}

}  // namespace

ReportOptions LoadReportOptions(const ProfileFile& file) {
  const ReportOptions d;
  ReportOptions o;
  o.previewRes = ReadChoice(file, "PreviewRes", d.previewRes, 0, 2);
  o.includeGrid = ReadBool(file, "IncludeGrid", d.includeGrid);
  o.dailyDetail = ReadBool(file, "DailyDetail", d.dailyDetail);
  o.dailyInterval = file.ReadInt(kSection, "DailyInterval", d.dailyInterval);
  if (std::find(std::begin(kDailyIntervals), std::end(kDailyIntervals), o.dailyInterval) == std::end(kDailyIntervals)) {
    o.dailyInterval = 30;
  }
  o.sunriseSunset = ReadBool(file, "SunriseSunset", d.sunriseSunset);
  o.sunriseShading = ReadBool(file, "SunriseShading", d.sunriseShading);
  o.moonriseMoonset = ReadBool(file, "MoonriseMoonset", d.moonriseMoonset);
  o.moonGraphic = ReadBool(file, "MoonGraphic", d.moonGraphic);
  o.moonGraphicFreq = ReadChoice(file, "MoonGraphicFreq", d.moonGraphicFreq, 0, 1);
  o.rangeLines = ReadBool(file, "RangeLines", d.rangeLines);
  o.rangeShading = ReadBool(file, "RangeShading", d.rangeShading);
  o.dailyExtremes = ReadBool(file, "DailyExtremes", d.dailyExtremes);
  o.dailyExtremesPos = ReadChoice(file, "DailyExtremesPos", d.dailyExtremesPos, 0, 1);
  o.noteArea = ReadBool(file, "NoteArea", d.noteArea);
  o.bitmapInFooter = ReadBool(file, "BitmapInFooter", d.bitmapInFooter);
  o.bitmapPos = ReadChoice(file, "BitmapPos", d.bitmapPos, 0, 2);
  o.bitmapFile = file.ReadString(kSection, "BitmapFile", "", kPathLength);
  o.bitmapHeightInches = ReadInches(file, "BitmapHeighInches", d.bitmapHeightInches, 0.1, 2.0);
  o.newRow = ReadBool(file, "NewRow", d.newRow);
  o.newPage = ReadBool(file, "NewPage", d.newPage);
  o.rowsPerPage = ReadChoice(file, "RowsPerPage", d.rowsPerPage, 1, 4);
  o.columnsPerPage = ReadChoice(file, "ColumnsPerPage", d.columnsPerPage, 1, 7);
  o.startDate = file.ReadString(kSection, "StartDate", "", 64);
  o.endDate = file.ReadString(kSection, "EndDate", "", 64);
  o.useWindowDate = ReadBool(file, "UseWindowDate", d.useWindowDate);
  o.selectedLocations = file.ReadString(kSection, "SelectedLocations", "", 512);
  o.caretIndex = std::max(0, file.ReadInt(kSection, "CaretIndex", 0));
  o.reportType = ReadChoice(file, "ReportType", d.reportType, 0, 4);
  o.reportFormat = ReadChoice(file, "ReportFormat", d.reportFormat, 0, 3);
  o.leftMargin = ReadInches(file, "LeftMargin", d.leftMargin, 0.0, 3.0);
  o.topMargin = ReadInches(file, "TopMargin", d.topMargin, 0.0, 3.0);
  o.rightMargin = ReadInches(file, "RightMargin", d.rightMargin, 0.0, 3.0);
  o.bottomMargin = ReadInches(file, "BottomMargin", d.bottomMargin, 0.0, 3.0);
  o.landscape = ReadChoice(file, "Orientation", 0, 0, 1) == 1;
  o.dateFont = ReadFont(file, "ReportDateFont", d.dateFont);
  o.titleFont = ReadFont(file, "ReportTitleFont", d.titleFont);
  o.reportFont = ReadFont(file, "ReportReportFont", d.reportFont);
  o.autoSizeDateFont = ReadBool(file, "AutoSizeDateFont", d.autoSizeDateFont);
  o.autoSizeTitleFont = ReadBool(file, "AutoSizeTitleFont", d.autoSizeTitleFont);
  o.autoSizeReportFont = ReadBool(file, "AutoSizeReportFont", d.autoSizeReportFont);
  return o;
}

void SaveReportOptions(const ReportOptions& o, ProfileFile& file) {
  file.WriteInt(kSection, "PreviewRes", o.previewRes);
  file.WriteInt(kSection, "IncludeGrid", o.includeGrid);
  file.WriteInt(kSection, "DailyDetail", o.dailyDetail);
  file.WriteInt(kSection, "DailyInterval", o.dailyInterval);
  file.WriteInt(kSection, "SunriseSunset", o.sunriseSunset);
  file.WriteInt(kSection, "SunriseShading", o.sunriseShading);
  file.WriteInt(kSection, "MoonriseMoonset", o.moonriseMoonset);
  file.WriteInt(kSection, "MoonGraphic", o.moonGraphic);
  file.WriteInt(kSection, "MoonGraphicFreq", o.moonGraphicFreq);
  file.WriteInt(kSection, "RangeLines", o.rangeLines);
  file.WriteInt(kSection, "RangeShading", o.rangeShading);
  file.WriteInt(kSection, "DailyExtremes", o.dailyExtremes);
  file.WriteInt(kSection, "DailyExtremesPos", o.dailyExtremesPos);
  file.WriteInt(kSection, "NoteArea", o.noteArea);
  file.WriteInt(kSection, "BitmapInFooter", o.bitmapInFooter);
  file.WriteInt(kSection, "BitmapPos", o.bitmapPos);
  file.WriteString(kSection, "BitmapFile", o.bitmapFile);
  file.WriteString(kSection, "BitmapHeighInches", InchesText(o.bitmapHeightInches));
  file.WriteInt(kSection, "NewPage", o.newPage);
  file.WriteInt(kSection, "RowsPerPage", o.rowsPerPage);
  file.WriteInt(kSection, "ColumnsPerPage", o.columnsPerPage);
  file.WriteString(kSection, "StartDate", o.startDate);
  file.WriteString(kSection, "EndDate", o.endDate);
  file.WriteInt(kSection, "UseWindowDate", o.useWindowDate);
  file.WriteString(kSection, "SelectedLocations", o.selectedLocations);
  file.WriteInt(kSection, "CaretIndex", o.caretIndex);
  file.WriteInt(kSection, "ReportType", o.reportType);
  file.WriteInt(kSection, "ReportFormat", o.reportFormat);
  file.WriteString(kSection, "LeftMargin", InchesText(o.leftMargin));
  file.WriteString(kSection, "TopMargin", InchesText(o.topMargin));
  file.WriteString(kSection, "RightMargin", InchesText(o.rightMargin));
  file.WriteString(kSection, "BottomMargin", InchesText(o.bottomMargin));
  file.WriteInt(kSection, "Orientation", o.landscape ? 1 : 0);
  WriteFont(file, "ReportDateFont", o.dateFont);
  WriteFont(file, "ReportTitleFont", o.titleFont);
  WriteFont(file, "ReportReportFont", o.reportFont);
  file.WriteInt(kSection, "AutoSizeDateFont", o.autoSizeDateFont);
  file.WriteInt(kSection, "AutoSizeTitleFont", o.autoSizeTitleFont);
  file.WriteInt(kSection, "AutoSizeReportFont", o.autoSizeReportFont);
}

void RestoreDefaultFonts(ReportOptions& options) {
  const ReportOptions d;
  options.dateFont = d.dateFont;
  options.titleFont = d.titleFont;
  options.reportFont = d.reportFont;
  options.autoSizeDateFont = d.autoSizeDateFont;
  options.autoSizeTitleFont = d.autoSizeTitleFont;
  options.autoSizeReportFont = d.autoSizeReportFont;
}

int PrintedDailyInterval(int interval) { return interval <= 0 || interval > 60 ? 30 : interval; }

int DailyTableRows(int interval) { return 1440 / PrintedDailyInterval(interval) + 1; }

}  // namespace qw
