// The main frame's commands of the station catalogue tools: "Notes..." for the active
// window, "Custom Tide Locations..." and "Custom Current Locations..." (with the rebuild
// of the catalogue after a change), the location dialog's "Notes..." button, and the
// offer to show a station's notes when its window opens.
#pragma once

#include "catalogue/location_dialog.h"
#include "settings/app_settings.h"
#include "settings/catalogue_directory.h"
#include "shell/location_choice.h"
#include "stations/station_index.h"

namespace qw {

class Frame;
class LocationWindow;

// Shows the notes of a station from the location dialog.
NotesOpener MakeNotesOpener(const StationIndex& index);

// Gives the frame its Notes and custom-location commands. `chooser` runs the location
// dialog (purposes 7 and 8 pick a custom location's template).
void InstallCatalogueCommands(Frame& frame, CatalogueDirectory& catalogue, StationIndex& index, AppSettings& settings,
                              LocationChooser chooser);

// With the program pilot on, offers the notes of the window's station once it is shown.
void OfferNotesWhenShown(LocationWindow* window, const StationIndex& index, const AppSettings& settings);

// True when the station lies in the custom region (99).
bool IsCustomStation(const CatalogueDirectory& catalogue, const StationRef& station);

}  // namespace qw
