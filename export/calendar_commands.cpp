#include "export/calendar_commands.h"

#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <ctime>
#include <memory>
#include <optional>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/station_clock.h"
#include "engine/string_table.h"
#include "export/calendar_dialog.h"
#include "export/calendar_export.h"
#include "export/calendar_texts.h"
#include "export/output_file.h"
#include "export/status_box.h"
#include "shell/location_window.h"

namespace qw {
namespace {

QString Text(int id) { return QString::fromUtf8(StringText(id)); }

void ShowError(QWidget* parent, int message) {
  QMessageBox::warning(parent, Text(text::kCalendarErrorCaption), Text(message));
}

// "San Francisco (Golden Gate).ics" in the user's documents folder: the name without the
// characters file systems refuse.
QString DefaultFile(const QString& locationName) {
  QString name = locationName.trimmed();
  for (QChar& c : name) {
    if (QString("/\\:*?\"<>|").contains(c)) c = '-';
  }
  if (name.isEmpty()) name = "tides";
  return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(name + ".ics");
}

class CalendarCommand {
 public:
  CalendarCommand(Frame& frame, const AppSettings& settings, const CatalogueDirectory& catalogue)
      : frame_(frame), settings_(settings), catalogue_(catalogue) {}

  void Run() {
    LocationWindow* window = frame_.ActiveLocationWindow();
    if (!window) {
      ShowError(frame_.mainWindow(), text::kCalendarNeedsWindow);
      return;
    }
    const StationRef ref = window->station();
    CalendarJob job;
    job.station.kind = ref.kind;
    const bool tide = ref.kind == StationKind::Tide;
    if (tide ? !catalogue_.ReadTide(ref, job.station.tide) : !catalogue_.ReadCurrent(ref, job.station.current)) {
      return;  // the catalogue has said why
    }
    const QString locationName = window->locationName();
    if (ref != lastStation_) {
      // A new station starts on the window's day for a month, into a file named after it.
      choice_.firstDay = window->day();
      choice_.lastDay = AddMonths(choice_.firstDay, 1) - kMinutesPerDay;
      choice_.file = DefaultFile(locationName);
      lastStation_ = ref;
    }
    CalendarDialog dialog(locationName, ref.kind, choice_, frame_.mainWindow());
    if (dialog.exec() != QDialog::Accepted) return;

    const RegionNode* region = RegionAt(catalogue_.Regions(ref.kind), ref.regionSlot);
    const int regionNumber = region ? region->number : 0;
    StationSources sources;
    const bool haveSources = sources.Load(DataFilePath(StationSources::kFileName));
    const StationSource* entry =
        haveSources ? sources.Find(static_cast<char>(ref.kind), regionNumber, ref.stationIndex) : nullptr;
    const uint16_t stationId = tide ? job.station.tide.stationId : job.station.current.stationId;
    const uint16_t referenceId = tide ? job.station.tide.referenceId : job.station.current.referenceId;
    const int16_t meridian = tide ? job.station.tide.timeMeridian : job.station.current.timeMeridian;
    const std::string zone = ClockZoneName(haveSources ? &sources : nullptr, static_cast<char>(ref.kind), regionNumber,
                                           ref.stationIndex, referenceId, meridian);
    const StationClock clock =
        tide ? StationClock::Of(job.station.tide, zone) : StationClock::Of(job.station.current, zone);

    job.locationName = locationName.toStdString();
    if (entry) {
      const std::string label = SourceLabel(*entry);
      job.sourceLabel = label.empty() ? entry->sourceId : label + " " + entry->sourceId;
    }
    job.stationKey = CalendarStationKey(ref.kind, regionNumber, stationId, entry);
    job.firstDay = choice_.firstDay;
    job.lastDay = choice_.lastDay;
    job.events = choice_.events;
    job.heightUnit = settings_.tideUnit;
    job.speedUnit = settings_.currentUnit;
    job.stampUnixSeconds = static_cast<int64_t>(std::time(nullptr));
    Write(job, clock);
  }

 private:
  void Write(const CalendarJob& job, const StationClock& clock) {
    AtomicOutputFile file;
    if (!file.Open(choice_.file.toStdString())) {
      ShowError(frame_.mainWindow(), text::kCannotWriteCalendar);
      return;
    }
    StatusBox status(Text(text::kCalendarStatusTitle), true, frame_.mainWindow());
    status.show();
    const CalendarOutcome outcome = WriteCalendar(job, clock, file, status);
    status.hide();
    switch (outcome) {
      case CalendarOutcome::Completed:
        if (!file.Commit()) ShowError(frame_.mainWindow(), text::kCannotWriteCalendar);
        return;
      case CalendarOutcome::NoSkyData: ShowError(frame_.mainWindow(), text::kCalendarNeedsSky); break;
      case CalendarOutcome::OutputFailed: ShowError(frame_.mainWindow(), text::kCannotWriteCalendar); break;
      case CalendarOutcome::Cancelled:
      case CalendarOutcome::EngineFailed: break;  // stopped by the user, or the engine has said why
    }
    file.Abandon();  // the old file, if any, stays as it was
  }

  Frame& frame_;
  const AppSettings& settings_;
  const CatalogueDirectory& catalogue_;
  CalendarChoice choice_{0, 0, kCalendarWater, QString()};
  std::optional<StationRef> lastStation_;
};

}  // namespace

void InstallCalendarCommand(Frame& frame, const AppSettings& settings, const CatalogueDirectory& catalogue) {
  auto command = std::make_shared<CalendarCommand>(frame, settings, catalogue);
  frame.SetCommandHandler(Command::ExportCalendar, [command] { command->Run(); }, true);
}

}  // namespace qw
