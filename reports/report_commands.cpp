#include "reports/report_commands.h"

#include <QMessageBox>

#include "reports/print_report_dialog.h"
#include "reports/table_print.h"
#include "shell/location_window.h"

namespace qw {
namespace {

// The open windows of the active window's kind (tide windows when none is active).
std::vector<ReportWindow> ReportWindows(const Frame& frame) {
  const LocationWindow* active = frame.ActiveLocationWindow();
  const StationKind kind = active ? active->station().kind : StationKind::Tide;
  std::vector<ReportWindow> windows;
  for (const LocationWindow* window : frame.LocationWindows()) {
    if (window->station().kind != kind) continue;
    windows.push_back({window->title(), window->station(), window->day(), window->datum()});
  }
  // The active window first, so that it is the one selected by default.
  std::stable_partition(windows.begin(), windows.end(), [&](const ReportWindow& w) {
    return active && w.station == active->station() && w.day == active->day();
  });
  return windows;
}

void OpenPrintReport(Frame& frame, AppSettings& settings, ProfileFile& file, const CatalogueDirectory& catalogue,
                     const NotesReader& notes, bool preview) {
  // A results window prints its table.
  if (const auto* table = dynamic_cast<const PrintableTable*>(frame.ActiveChild())) {
    preview ? PreviewTableReport(frame.mainWindow(), file, *table) : PrintTableReport(frame.mainWindow(), file, *table);
    return;
  }
  std::vector<ReportWindow> windows = ReportWindows(frame);
  if (windows.empty()) {
    QMessageBox::information(frame.mainWindow(), "Print Report",
                             "Open a tide or current window first, then print its report.");
    return;
  }
  PrintReportDialog dialog(
      settings, file,
      [&catalogue](const StationRef& station, ReportLocation& out) {
        const bool tide = station.kind == StationKind::Tide;
        if (!(tide ? catalogue.ReadTide(station, out.tide) : catalogue.ReadCurrent(station, out.current))) return false;
        out.clock = tide ? catalogue.ClockOf(station, out.tide) : catalogue.ClockOf(station, out.current);
        return true;
      },
      std::move(windows), frame.mainWindow(), notes);
  if (preview) {
    dialog.Preview();
    return;
  }
  dialog.exec();
}

}  // namespace

void InstallReportCommands(Frame& frame, AppSettings& settings, ProfileFile& file, const CatalogueDirectory& catalogue,
                           NotesReader notes) {
  for (Command command : {Command::PrintReport, Command::PrintPreview}) {
    frame.SetCommandHandler(command, [&frame, &settings, &file, &catalogue, notes, command] {
      OpenPrintReport(frame, settings, file, catalogue, notes, command == Command::PrintPreview);
    });
  }
}

}  // namespace qw
