#include "catalogue/location_purpose.h"

#include <string>

namespace qw {

const char* PurposeTitle(int purpose) {
  switch (purpose) {
    case 1: return "Select Location for New Tide Window";
    case 2: return "Select Location for New Current Window";
    case 3: return "Change Location of Active Tide Window";
    case 4: return "Change Location of Active Current Window";
    case 5: return "Add a Tide Port to the Real Time List";
    case 6: return "Add a Current Port to the Real Time List";
    case 7: return "Location To Use For Custom Tide Definition";
    case 8: return "Location To Use For Custom Current Definition";
    default: return "Select Location";
  }
}

StationKind PurposeKind(int purpose) {
  const bool current = purpose == 2 || purpose == 4 || purpose == 6 || purpose == 8;
  return current ? StationKind::Current : StationKind::Tide;
}

LocationPurpose EffectivePurpose(int purpose) {
  if (purpose >= 1 && purpose <= 8) return static_cast<LocationPurpose>(purpose);
  return LocationPurpose::ChangeTide;
}

const char* PurposeHelpTopic(int purpose) {
  switch (EffectivePurpose(purpose)) {
    case LocationPurpose::ChangeTide:
    case LocationPurpose::ChangeCurrent: return "location_dialog#change";
    default: return PurposeKind(purpose) == StationKind::Current ? "location_dialog#currents" : "location_dialog#tides";
  }
}

bool PurposeTakesOneStation(int purpose) {
  switch (EffectivePurpose(purpose)) {
    case LocationPurpose::ChangeTide:
    case LocationPurpose::ChangeCurrent:
    case LocationPurpose::CustomTide:
    case LocationPurpose::CustomCurrent:
      return true;
    default:
      return false;
  }
}

int CheckSelection(int purpose, size_t selected) {
  if (selected == 0) return kMessageNothingSelected;
  if (selected == 1 || !PurposeTakesOneStation(purpose)) return 0;
  const LocationPurpose effective = EffectivePurpose(purpose);
  const bool custom = effective == LocationPurpose::CustomTide || effective == LocationPurpose::CustomCurrent;
  return custom ? kMessageOneForCustom : kMessageOneToChange;
}

const char* NoRegionsTitle(StationKind kind) {
  return kind == StationKind::Tide ? "No Tide Regions Installed" : "No Current Regions Installed";
}

const char* NoRegionsText(StationKind kind) {
  return kind == StationKind::Tide ? "No tide regions are installed. Install a tide region and try again."
                                   : "No current regions are installed. Install a current region and try again.";
}

NotesView NotesViewFor(const StationSummary& station) {
  if (station.stationId != 0) return NotesView::OfficialAndUser;
  if (station.officialNotes) return NotesView::UserOnly;
  return NotesView::None;
}

std::string CountLine(CountLineForm form, int entries, int selected) {
  switch (form) {
    case CountLineForm::Opening: return "(" + std::to_string(entries) + " entries  0 selected)";
    case CountLineForm::RegionChanged: return "( " + std::to_string(entries) + " entries - 0 selected )";
    case CountLineForm::Selection: break;
  }
  return "(" + std::to_string(entries) + " entries   " + std::to_string(selected) + " selected)";
}

}  // namespace qw
