// The report kinds and formats, their titles and list texts, and the report's fixed
// texts (messages and captions without a number).
#pragma once

#include <string>

#include "engine/region_files.h"  // StationKind

namespace qw {

// Index in the "Report &Type:" list.
enum class ReportKind : int { Daily = 0, Monthly = 1, ThreeMonth = 2, Custom = 3, Notes = 4 };
constexpr int kReportKindCount = 5;

// Index in the "&Format:" list.
enum class ReportFormat : int { SmoothGraph = 0, FilledGraph = 1, BarGraph = 2, Text = 3 };
constexpr int kReportFormatCount = 4;

// The title of a report: "Daily Tide Report (bar graph)", "Tide Notes Report",
// "Unknown Report" for a kind outside the table. Notes and unknown reports carry no
// format; a format outside the table adds nothing.
std::string ReportTitle(int kind, StationKind stationKind, int format);

// The texts of the "Report &Type:" list for a kind of station and of the "&Format:" list.
std::string ReportKindListText(int kind, StationKind stationKind);
const char* ReportFormatListText(int format);  // "Smooth Graph" .. "Text Only"

bool IsGraphFormat(ReportFormat format);

namespace report_text {
constexpr const char* kDateErrorCaption = "Date Error";
constexpr const char* kDateError = "ERROR: The ending date must not be before the starting date.";
constexpr const char* kReportErrorCaption = "Report Error";
constexpr const char* kUndefinedReport = "Undefined report specified.  Aborting report.";
constexpr const char* kNoRoomCaption = "Unable to Graph Report";
constexpr const char* kNoRoom =
    "The report options or margins do not leave enough room to graph.  Please change options and try again.";
constexpr const char* kPrintErrorCaption = "Print Error";
constexpr const char* kNoDevice = "Unable to access report device.";
constexpr const char* kProgressCaption = "Printing Report";
constexpr const char* kPrintedBy = "Printed by Quaywise";
}  // namespace report_text

}  // namespace qw
