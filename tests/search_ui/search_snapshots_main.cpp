// Draws the search and export windows and dialogs of the desktop program over the real
// data into PNG files, for looking at them without a screen.
//
//   search_snapshots OUTPUT_DIR [DATA_DIR]
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>

#include "app/main_frame.h"
#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "export/calendar_commands.h"
#include "export/export_commands.h"
#include "export/export_options_dialog.h"
#include "export/save_table.h"
#include "search/search_commands.h"
#include "settings/catalogue_directory.h"
#include "settings/default_station.h"
#include "settings/settings_store.h"
#include "windows/tide_window.h"

namespace {

QString out;

// When the next modal dialog shows: draws it into NAME.png, then runs `act` on it.
void OnNextDialog(const char* name, std::function<void(QWidget*)> act) {
  QTimer::singleShot(300, [name, act] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) {
      std::fprintf(stderr, "no dialog for %s\n", name);
      return;
    }
    dialog->grab().save(out + "/" + name + ".png");
    act(dialog);
  });
}

template <typename T>
T* Child(QWidget* parent, const char* name) {
  T* child = parent->findChild<T*>(name);
  if (!child) std::fprintf(stderr, "no %s\n", name);
  return child;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  out = argv[1];
  QDir().mkpath(out);
  if (argc > 2) qw::SetDataDirectory(argv[2]);

  qw::CatalogueDirectory catalogue;
  catalogue.Open();
  qw::ProfileFile file((QDir(out).filePath("snapshots.ini")).toStdString());
  file.LoadFromText("[Misc]\nFirstRun=0\n");
  qw::AppSettings settings = qw::LoadSettings(file, 480);
  settings.searchHeaderFont = {-13, "DejaVu Sans", 700, 0, 0};
  settings.searchBodyFont = {-12, "DejaVu Sans", 400, 0, 0};
  qw::ApplyEngineSettings(settings);
  qw::MainFrame frame(settings, file, catalogue, [&](const qw::LocationWindowSpec& spec) -> qw::LocationWindow* {
    return spec.station.kind == qw::StationKind::Tide ? qw::MakeTideWindow(catalogue, settings, spec) : nullptr;
  });
  auto* searches = new qw::SearchCommands(frame, settings, file, catalogue,
                                          [&frame](qw::ResultsWindow& w) { qw::SaveResultsTable(w, &frame); });
  new qw::ExportCommands(frame, settings, file, catalogue,
                         [searches](qw::ResultsKind kind) { return searches->NewResultsWindow(kind); });
  qw::InstallCalendarCommand(frame, settings, catalogue);
  frame.resize(1280, 900);
  frame.show();
  std::optional<qw::StationRef> station = qw::DefaultTideStation(catalogue);
  if (!station || !frame.OpenLocation(*station, qw::MinuteOf(2024, 6, 15))) {
    std::fprintf(stderr, "no tide station\n");
    return 1;
  }
  auto snapFrame = [&](const char* name) {
    app.processEvents();
    if (QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(frame.ActiveChild()->parentWidget())) sub->showMaximized();
    app.processEvents();
    frame.grab().save(out + "/" + name + ".png");
  };

  // The calendar of the open station's June, with the sun and the moon's phases.
  OnNextDialog("calendar_dialog", [](QWidget* d) {
    Child<QDateEdit>(d, "to")->setDate(QDate(2024, 6, 30));
    Child<QCheckBox>(d, "sun")->setChecked(true);
    Child<QCheckBox>(d, "phases")->setChecked(true);
    Child<QLineEdit>(d, "file")->setText(out + "/june.ics");
    d->grab().save(out + "/calendar_dialog_filled.png");
    Child<QPushButton>(d, "export")->click();
  });
  frame.Run(qw::Command::ExportCalendar);

  // Event search: high tides of at least 6 ft in the daytime of June and July 2024.
  OnNextDialog("event_dialog", [](QWidget* d) {
    Child<QDateEdit>(d, "from")->setDate(QDate(2024, 6, 1));
    Child<QDateEdit>(d, "to")->setDate(QDate(2024, 7, 31));
    Child<QLineEdit>(d, "value")->setText("6.0");
    Child<QPushButton>(d, "search")->click();
  });
  frame.Run(qw::Command::EventSearch);
  snapFrame("event_results");

  // Tidal swings of the same days.
  OnNextDialog("event_dialog_swings", [](QWidget* d) {
    Child<QComboBox>(d, "kind")->setCurrentIndex(2);
    Child<QComboBox>(d, "condition")->setCurrentIndex(2);
    Child<QComboBox>(d, "period")->setCurrentIndex(3);
    Child<QDateEdit>(d, "from")->setDate(QDate(2024, 6, 1));
    Child<QDateEdit>(d, "to")->setDate(QDate(2024, 6, 30));
    Child<QPushButton>(d, "search")->click();
  });
  frame.Run(qw::Command::EventSearch);
  snapFrame("event_results_swings");

  // Nearest stations to the open location.
  OnNextDialog("nearest_dialog", [](QWidget* d) { Child<QPushButton>(d, "search")->click(); });
  frame.Run(qw::Command::NearestSearch);
  snapFrame("nearest_results");

  // Export to a results window: a week of half-hourly heights.
  OnNextDialog("export_dialog", [](QWidget* d) {
    Child<QRadioButton>(d, "toWindow")->setChecked(true);
    Child<QDateEdit>(d, "from")->setDate(QDate(2024, 6, 15));
    Child<QDateEdit>(d, "to")->setDate(QDate(2024, 6, 21));
    Child<QPushButton>(d, "export")->click();
  });
  frame.Run(qw::Command::ExportData);
  snapFrame("export_results");

  // The save dialog of the export window, cancelled.
  auto* results = qobject_cast<qw::ResultsWindow*>(frame.ActiveChild());
  if (results) {
    OnNextDialog("save_dialog", [](QWidget* d) { QMetaObject::invokeMethod(d, "reject"); });
    emit results->saveClicked();
  }
  // The export options with the day first and the short month.
  qw::ExportSettings options;
  options.dateFormat = {qw::DateOrder::DMY, qw::MonthForm::Short, "-", qw::DayForm::TwoDigits, "-", qw::YearForm::Full};
  qw::ExportOptionsDialog optionsDialog(options, &frame);
  optionsDialog.adjustSize();
  optionsDialog.grab().save(out + "/export_options.png");
  std::printf("snapshots in %s\n", qPrintable(out));
  return 0;
}
