// Draws the custom-location, notes and groups dialogs over a copy of the built data into
// PNG files, for looking at them (run under Xvfb or offscreen; not run by CTest):
//   user_data_snapshots DATA_COPY_DIR OUT_DIR
// The data directory receives custom files and notes: give it a copy.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "catalogue/custom_edit_dialogs.h"
#include "catalogue/custom_setup_dialog.h"
#include "catalogue/notes_dialog.h"
#include "engine/data_dir.h"
#include "groups/groups_dialog.h"
#include "settings/catalogue_directory.h"
#include "settings/profile_file.h"
#include "settings/settings_store.h"
#include "stations/custom_locations.h"
#include "stations/station_index.h"
#include "stations/station_notes.h"

namespace {

bool Save(QWidget& widget, const QString& path) {
  widget.show();
  QTest::qWait(150);
  const bool ok = widget.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.toLocal8Bit().constData());
  return ok;
}

// Grabs the modal box the next call opens, then closes it.
void GrabNextModal(const QString& path) {
  QTimer::singleShot(300, [path] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      const bool ok = modal->grab().save(path);
      std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.toLocal8Bit().constData());
      modal->close();
    }
  });
}

// The first station of the kind whose name starts with `name`, with its reference.
bool Find(const qw::StationIndex& index, qw::StationKind kind, const char* name, bool subordinate, qw::StationRef& out) {
  const auto& regions = index.Regions(kind);
  for (size_t slot = 0; slot < regions.size(); ++slot) {
    for (size_t i = 0; i < regions[slot].stations.size(); ++i) {
      const qw::StationSummary& s = regions[slot].stations[i];
      if (s.stationId != 0 && s.name.rfind(name, 0) == 0 && s.reference != subordinate) {
        out = {kind, static_cast<uint16_t>(slot), static_cast<uint16_t>(i)};
        return true;
      }
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: user_data_snapshots DATA_COPY_DIR OUT_DIR\n");
    return 2;
  }
  qw::SetDataDirectory(argv[1]);
  const QString out = argv[2];
  QDir().mkpath(out);
  qw::CatalogueDirectory catalogue;
  catalogue.Open();
  qw::StationIndex index;
  index.Build(catalogue.Regions(qw::StationKind::Tide), catalogue.Regions(qw::StationKind::Current));
  qw::ProfileFile file((out + "/velda.ini").toStdString());
  file.LoadFromText("[Misc]\nFirstRun=0\n");
  qw::AppSettings settings = qw::LoadSettings(file, 480);

  qw::StationRef tideSub{}, currentSub{};
  if (!Find(index, qw::StationKind::Tide, "Port Townsend", false, tideSub) &&
      !Find(index, qw::StationKind::Tide, "", true, tideSub)) {
    std::fprintf(stderr, "no subordinate tide station\n");
    return 1;
  }
  Find(index, qw::StationKind::Current, "", true, currentSub);
  const qw::TideLocation tide = index.Region(qw::StationKind::Tide, tideSub.regionSlot)->tides[tideSub.stationIndex];
  const qw::CurrentLocation current =
      index.Region(qw::StationKind::Current, currentSub.regionSlot)->currents[currentSub.stationIndex];

  // A custom tide list of a section and two locations.
  {
    qw::CustomLocationList list(qw::StationKind::Tide);
    list.Load(-1);
    int at = list.InsertSection(-1, "Puget Sound anchorages");
    qw::TideLocation a = qw::PrepareTideTemplate(tide);
    std::strcpy(a.name, "Mats Mats Bay (my mooring)");
    at = list.InsertLocation(at, qw::EncodeEntry(a));
    std::strcpy(a.name, "Port Ludlow inner harbour");
    list.InsertLocation(at, qw::EncodeEntry(a));
    list.Save(nullptr);
  }
  qw::CustomSetupHost host;
  host.readTide = [&](const qw::StationRef&, qw::TideLocation& t) { return (t = tide), true; };
  {
    qw::CustomSetupDialog dialog(qw::StationKind::Tide, 3, settings, host);
    dialog.Select(1);
    Save(dialog, out + "/custom_setup.png");
    GrabNextModal(out + "/custom_new_location.png");
    dialog.NewLocation();
  }
  {
    qw::CustomTideEditDialog dialog(qw::PrepareTideTemplate(tide), nullptr, nullptr);
    Save(dialog, out + "/custom_tide_edit.png");
    dialog.latitude()->edit()->setText("95");
    GrabNextModal(out + "/custom_latitude_error.png");
    dialog.accept();
  }
  {
    qw::CustomCurrentEditDialog dialog(qw::PrepareCurrentTemplate(current), nullptr, nullptr);
    Save(dialog, out + "/custom_current_edit.png");
    dialog.velocity(qw::CurrentGroup::Flood)->setText("25");
    GrabNextModal(out + "/custom_current_error.png");
    dialog.accept();
  }
  {
    qw::NotesSubject subject;
    qw::DescribeNotesSubject(index, tideSub, subject);
    qw::WriteUserNote(subject.userNoteKey(), subject.name, "Good holding in mud, 5 m.\nWatch the ferry wash.");
    qw::NotesDialog dialog(subject, true, nullptr);
    Save(dialog, out + "/notes_official.png");
    dialog.NextTab();
    Save(dialog, out + "/notes_user.png");
    dialog.NextTab();
    Save(dialog, out + "/notes_general.png");
  }
  {
    const std::string groupsPath = (out + "/veldagrp.ini").toStdString();
    std::remove(groupsPath.c_str());
    qw::GroupStore store(groupsPath);
    store.Load();
    qw::OpenWindowEntry first;
    first.station = tideSub;
    first.stationId = tide.stationId;
    qw::OpenWindowEntry second;
    second.station = currentSub;
    second.stationId = current.stationId;
    store.WriteGroup("Weekend in the San Juans", {first, second}, qw::GroupWriteMode::Replace);
    store.WriteGroup("Harbour work", {first}, qw::GroupWriteMode::Replace);
    qw::GroupsDialog dialog(store, catalogue, settings, {});
    dialog.Activate(0);
    dialog.SelectRow(1);
    Save(dialog, out + "/groups.png");
  }
  return 0;
}
