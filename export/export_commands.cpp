#include "export/export_commands.h"

#include <QMessageBox>

#include "engine/calendar.h"
#include "engine/string_table.h"
#include "export/data_export.h"
#include "export/delimiters.h"
#include "export/export_dialog.h"
#include "export/export_fields.h"
#include "export/export_texts.h"
#include "export/output_file.h"
#include "export/save_table.h"
#include "export/status_box.h"
#include "search/event_search_dialog.h"
#include "search/nearest_search.h"

namespace qw {

ExportCommands::ExportCommands(Frame& frame, const AppSettings& settings, ProfileFile& file,
                               const CatalogueDirectory& catalogue, WindowMaker newWindow)
    : QObject(frame.mainWindow()),
      frame_(frame),
      settings_(settings),
      file_(file),
      catalogue_(catalogue),
      newWindow_(std::move(newWindow)) {
  frame.SetCommandHandler(Command::ExportData, [this] { Run(); });
}

EngineMinute ExportCommands::TodayAt(const LocationWindow& window) const {
  const StationRef ref = window.station();
  const int64_t now = wallClock_().toSecsSinceEpoch();
  TideLocation tide;
  CurrentLocation current;
  if (ref.kind == StationKind::Tide && catalogue_.ReadTide(ref, tide)) return catalogue_.ClockOf(ref, tide).DateAt(now);
  if (ref.kind == StationKind::Current && catalogue_.ReadCurrent(ref, current)) {
    return catalogue_.ClockOf(ref, current).DateAt(now);
  }
  return window.day();  // the catalogue has said why it could not be read
}

void ExportCommands::Run() {
  const std::vector<LocationWindow*> locations = frame_.LocationWindows();
  if (locations.empty()) {
    ShowTableMessage(frame_.mainWindow(), text::kExportNeedsLocation, text::kExportInformationCaption, false);
    return;
  }
  // The first export starts on today at the station the dialog offers first.
  if (firstDay_ == 0) firstDay_ = lastDay_ = TodayAt(*locations.front());
  ExportDialog dialog(locations, file_, firstDay_, lastDay_, frame_.mainWindow());
  if (dialog.exec() != QDialog::Accepted || !dialog.location()) return;
  const ExportSettings& chosen = dialog.settings();
  LocationWindow* window = dialog.location();

  ExportJob job;
  job.locationName = window->locationName().toStdString();
  job.station.kind = window->station().kind;
  const bool read = job.station.kind == StationKind::Tide ? catalogue_.ReadTide(window->station(), job.station.tide)
                                                          : catalogue_.ReadCurrent(window->station(), job.station.current);
  if (!read) return;  // the catalogue has said why
  job.station.clock = job.station.kind == StationKind::Tide ? catalogue_.ClockOf(window->station(), job.station.tide)
                                                            : catalogue_.ClockOf(window->station(), job.station.current);
  job.destination = chosen.destination;
  job.fileName = chosen.file;
  job.dateFormat = chosen.dateFormat;
  job.dateFormat.separator1 = SeparatorAsRead(job.dateFormat.separator1);
  job.dateFormat.separator2 = SeparatorAsRead(job.dateFormat.separator2);
  job.rangeStart = firstDay_;
  job.rangeEnd = lastDay_;
  job.fieldDelimiter = DelimiterText(chosen.fieldDelimiter);
  job.recordDelimiter = DelimiterText(chosen.recordDelimiter);
  job.repeatCount = chosen.repeatCount;
  job.intervalMinutes = chosen.eventsOnly ? -1 : chosen.intervalMinutes;
  job.targetFields = ParseTargetFields(chosen.targetFields);
  job.includeHeader = chosen.includeHeader && job.destination != kExportToTable;
  job.hundredths = chosen.hundredths;
  job.units = ValueUnits{settings_.tideUnit, settings_.currentUnit, settings_.timeType};
  if (job.rangeEnd < job.rangeStart) {
    ShowTableMessage(frame_.mainWindow(), text::kStartBeyondEnd, text::kDataExportErrorCaption);
    return;
  }

  AtomicOutputFile file;
  ClipboardTempFile temporary;
  ByteSink* target = nullptr;
  ResultsWindow* results = nullptr;
  if (job.destination == kExportToTable) {
    results = newWindow_(ResultsKind::Export);
    results->table().SetWindowTitle(StringText(text::kExportEmptyTitle));
    connect(results, &ResultsWindow::searchClicked, this, &ExportCommands::Run);
    PrepareExportTable(results->table(), job, QColor(128, 255, 255));
  } else {
    const bool opened = job.destination == kExportToClipboard ? temporary.Open() : file.Open(job.fileName);
    if (!opened) {
      ShowTableMessage(frame_.mainWindow(), text::kCannotCreateExportFile, text::kExportDataErrorCaption);
      return;
    }
    target = job.destination == kExportToClipboard ? static_cast<ByteSink*>(&temporary) : &file;
  }

  StatusBox status(QString::fromUtf8(StringText(text::kExportStatusTitle)), true, frame_.mainWindow());
  status.show();
  if (results) results->SetBusy(true);
  const ExportOutcome outcome = WriteExport(job, target, results ? &results->table() : nullptr, status);
  if (results) results->SetBusy(false);
  status.hide();

  if (outcome == ExportOutcome::OutputFailed) {
    ShowTableMessage(frame_.mainWindow(), text::kCannotCreateExportFile, text::kExportDataErrorCaption);
    return;
  }
  // A cancelled or failed export keeps what it wrote.
  if (job.destination == kExportToFile && !file.Commit()) {
    ShowTableMessage(frame_.mainWindow(), text::kCannotCreateExportFile, text::kExportDataErrorCaption);
  } else if (job.destination == kExportToClipboard) {
    std::string text;
    if (temporary.ReadBack(text)) PutOnClipboard(text, SaveFormat::Ascii);
  }
}

}  // namespace qw
