// Draws the location dialog and the real-time window over the built data into PNG
// files, for looking at them (run under Xvfb or offscreen; not run by CTest):
//   dialog_snapshots DATA_DIR OUT_DIR
// Also prints how long the station index takes to build and a search to run.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "catalogue/location_dialog.h"
#include "engine/data_dir.h"
#include "settings/catalogue_directory.h"
#include "settings/profile_file.h"
#include "settings/settings_store.h"
#include "stations/station_index.h"
#include "engine/calendar.h"
#include "windows/real_time_setup.h"
#include "windows/tide_window.h"
#include "windows/real_time_window.h"

namespace {

bool Save(QWidget& widget, const QString& path) {
  widget.show();
  QTest::qWait(150);
  const bool ok = widget.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.toLocal8Bit().constData());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: dialog_snapshots DATA_DIR OUT_DIR\n");
    return 2;
  }
  qw::SetDataDirectory(argv[1]);
  const QString out = argv[2];
  QDir().mkpath(out);

  qw::CatalogueDirectory catalogue;
  catalogue.Open();
  QElapsedTimer clock;
  clock.start();
  qw::StationIndex index;
  index.Build(catalogue.Regions(qw::StationKind::Tide), catalogue.Regions(qw::StationKind::Current));
  std::printf("index: %zu stations in %lld ms\n", index.TotalStations(), static_cast<long long>(clock.elapsed()));

  qw::ProfileFile file((out + "/velda.ini").toStdString());
  file.LoadFromText("[Misc]\nFirstRun=0\n");
  qw::AppSettings settings = qw::LoadSettings(file, 480);
  qw::ApplyEngineSettings(settings);
  settings.defaultTideRegion = 2;  // Washington

  {
    qw::LocationDialog dialog(index, 1, settings, {});
    dialog.SetNotesOpener([](const qw::StationRef&, qw::NotesView) {});
    Save(dialog, out + "/location_open.png");
    QTest::keyClicks(dialog.nameSearch(), "sea");
    Save(dialog, out + "/location_search.png");
    // A name of another region: the region list follows the match (a TICON-4 gauge).
    dialog.nameSearch()->clear();
    QTest::keyClicks(dialog.nameSearch(), "Auckland");
    Save(dialog, out + "/location_other_region.png");
    // The tide window of that station.
    qw::LocationWindowSpec spec;
    spec.station = qw::StationRef{qw::StationKind::Tide, static_cast<uint16_t>(dialog.currentRegion()),
                                  static_cast<uint16_t>(dialog.caretStation())};
    spec.day = qw::MinuteOf(2025, 6, 18);
    std::unique_ptr<QWidget> tide(qw::MakeTideWindow(catalogue, settings, spec));
    tide->resize(900, 640);
    Save(*tide, out + "/tide_window_other_region.png");
  }
  {
    settings.defaultCurrentRegion = 4;  // California
    qw::LocationDialog dialog(index, 4, settings, {});
    dialog.stationView()->selectionModel()->select(dialog.stationView()->model()->index(3, 0),
                                                   QItemSelectionModel::Select);
    Save(dialog, out + "/location_currents_multiple.png");
  }

  qw::RealTimeLists lists;
  for (const char* name : {"Seattle", "San Francisco (Golden Gate)", "Boston", "Honolulu", "Dover"}) {
    for (int slot = 0; slot < catalogue.RegionCount(qw::StationKind::Tide); ++slot) {
      const int found = index.FindByName(qw::StationKind::Tide, slot, -1, name, +1);
      if (found >= 0) {
        lists.tides.push_back({qw::StationKind::Tide, static_cast<uint16_t>(slot), static_cast<uint16_t>(found)});
        break;
      }
    }
  }
  for (const char* name : {"Golden Gate Bridge", "The Race", "Admiralty Inlet"}) {
    for (int slot = 0; slot < catalogue.RegionCount(qw::StationKind::Current); ++slot) {
      const int found = index.FindByName(qw::StationKind::Current, slot, -1, name, +1);
      if (found >= 0) {
        lists.currents.push_back({qw::StationKind::Current, static_cast<uint16_t>(slot), static_cast<uint16_t>(found)});
        break;
      }
    }
  }
  lists.Write(file);
  settings.realTimeShowChange = 1;
  qw::RealTimeWindow window(catalogue, settings, file, {});
  Save(window, out + "/real_time.png");
  settings.realTimeShowChange = 0;
  window.Refresh();
  Save(window, out + "/real_time_compact.png");
  QTimer::singleShot(300, [&] {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      dialog->grab().save(out + "/real_time_setup.png");
      std::printf("wrote %s\n", (out + "/real_time_setup.png").toLocal8Bit().constData());
      static_cast<QDialog*>(dialog)->reject();
    }
  });
  window.Setup();
  return 0;
}
