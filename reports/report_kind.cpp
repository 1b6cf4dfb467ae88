#include "reports/report_kind.h"

namespace qw {
namespace {

constexpr const char* kTideTitles[] = {"Daily Tide Report ", "Monthly Tide Report ", "3 Month Tide Report ",
                                       "Custom Report ", "Tide Notes Report"};
constexpr const char* kCurrentTitles[] = {"Daily Current Report ", "Monthly Current Report ",
                                          "3 Month Current Report ", "Custom Report ", "Current Notes Report"};
constexpr const char* kFormatSuffixes[] = {"(smooth graph)", "(filled graph)", "(bar graph)", "(text)"};
constexpr const char* kFormatListTexts[] = {"Smooth Graph", "Filled Graph", "Bar Graph", "Text Only"};

}  // namespace

std::string ReportTitle(int kind, StationKind stationKind, int format) {
  if (kind < 0 || kind >= kReportKindCount) return "Unknown Report";
  std::string title = stationKind == StationKind::Tide ? kTideTitles[kind] : kCurrentTitles[kind];
  if (kind != static_cast<int>(ReportKind::Notes) && format >= 0 && format < kReportFormatCount) {
    title += kFormatSuffixes[format];
  }
  return title;
}

std::string ReportKindListText(int kind, StationKind stationKind) {
  std::string title = ReportTitle(kind, stationKind, -1);
  while (!title.empty() && title.back() == ' ') title.pop_back();
  return title;
}

const char* ReportFormatListText(int format) {
  return format >= 0 && format < kReportFormatCount ? kFormatListTexts[format] : "";
}

bool IsGraphFormat(ReportFormat format) { return format != ReportFormat::Text; }

}  // namespace qw
