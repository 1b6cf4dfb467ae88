#include "catalogue/frame_commands.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include "catalogue/custom_setup_dialog.h"
#include "catalogue/notes_dialog.h"
#include "shell/frame.h"
#include "shell/location_window.h"

namespace qw {
namespace {

QWidget* DialogParent(QWidget* fallback) {
  QWidget* modal = QApplication::activeModalWidget();
  return modal ? modal : fallback;
}

int CustomSlot(const CatalogueDirectory& catalogue, StationKind kind) {
  const RegionList& regions = catalogue.Regions(kind);
  for (size_t slot = 0; slot < regions.size(); ++slot) {
    if (regions[slot].number == kCustomRegionNumber) return static_cast<int>(slot);
  }
  return -1;
}

}  // namespace

bool IsCustomStation(const CatalogueDirectory& catalogue, const StationRef& station) {
  return CustomSlot(catalogue, station.kind) == station.regionSlot;
}

NotesOpener MakeNotesOpener(const StationIndex& index) {
  return [&index](const StationRef& station, NotesView view) {
    NotesDialog::Show(index, station, view, DialogParent(nullptr));
  };
}

void InstallCatalogueCommands(Frame& frame, CatalogueDirectory& catalogue, StationIndex& index, AppSettings& settings,
                              LocationChooser chooser) {
  frame.SetCommandHandler(
      Command::Notes,
      [&frame, &index] {
        LocationWindow* window = frame.ActiveLocationWindow();
        if (!window) return;
        const StationSummary* summary = index.Station(window->station().kind, window->station().regionSlot,
                                                      window->station().stationIndex);
        if (summary) NotesDialog::Show(index, window->station(), NotesViewFor(*summary), frame.mainWindow());
      },
      true);

  CustomCommandHost host;
  host.openLocations = [&frame](StationKind kind) {
    std::vector<OpenCustomTemplate> open;
    for (LocationWindow* window : frame.LocationWindows()) {
      if (window->station().kind == kind) open.push_back({window->station(), window->title()});
    }
    return open;
  };
  host.pickStation = [chooser](StationKind kind, QWidget* parent) -> std::optional<StationRef> {
    std::optional<StationRef> chosen;
    const LocationPurpose purpose = kind == StationKind::Tide ? LocationPurpose::CustomTide : LocationPurpose::CustomCurrent;
    chooser(purpose, parent, [&chosen](const StationRef& station) {
      chosen = station;
      return StationActionResult::Done;
    });
    return chosen;
  };
  host.readTide = [&index](const StationRef& station, TideLocation& out) {
    const RegionIndex* region = index.Region(StationKind::Tide, station.regionSlot);
    if (!region || station.stationIndex >= region->tides.size()) return false;
    out = region->tides[station.stationIndex];
    return true;
  };
  host.readCurrent = [&index](const StationRef& station, CurrentLocation& out) {
    const RegionIndex* region = index.Region(StationKind::Current, station.regionSlot);
    if (!region || station.stationIndex >= region->currents.size()) return false;
    out = region->currents[station.stationIndex];
    return true;
  };
  host.customWindowsOpen = [&frame, &catalogue](StationKind kind) {
    for (LocationWindow* window : frame.LocationWindows()) {
      if (window->station().kind == kind && IsCustomStation(catalogue, window->station())) return true;
    }
    return false;
  };
  host.closeCustomWindows = [&frame, &catalogue](StationKind kind) {
    frame.CloseWindows([&](const StationRef& station) {
      return station.kind == kind && IsCustomStation(catalogue, station);
    });
  };
  host.customEntryCount = [&index, &catalogue](StationKind kind) {
    const int slot = CustomSlot(catalogue, kind);
    return slot < 0 ? -1 : index.StationCount(kind, slot);
  };
  host.rebuildCatalogue = [&catalogue, &index] {
    catalogue.Open();
    index.Build(catalogue.Regions(StationKind::Tide), catalogue.Regions(StationKind::Current));
  };
  for (StationKind kind : {StationKind::Tide, StationKind::Current}) {
    const Command command = kind == StationKind::Tide ? Command::CustomTideLocations : Command::CustomCurrentLocations;
    frame.SetCommandHandler(
        command, [&frame, &settings, host, kind] { RunCustomLocations(kind, settings, host, frame.mainWindow()); });
  }
}

void OfferNotesWhenShown(LocationWindow* window, const StationIndex& index, const AppSettings& settings) {
  if (!window || !settings.programPilot) return;
  QPointer<LocationWindow> guarded(window);
  QTimer::singleShot(0, window, [guarded, &index, &settings] {
    if (!guarded) return;
    NotesSubject subject;
    if (!DescribeNotesSubject(index, guarded->station(), subject)) return;
    if (OfferNotesOnOpening(subject, settings, guarded)) {
      NotesDialog dialog(subject, subject.stationId != 0, guarded);
      dialog.exec();
    }
  });
}

}  // namespace qw
