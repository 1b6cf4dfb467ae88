// The rules of the location dialog that do not depend on the screen: each purpose's
// title, catalogue and selection limits, and which notes view a station offers.
#pragma once

#include <cstddef>

#include "shell/location_choice.h"
#include "stations/station_index.h"

namespace qw {

// "Select Location for New Tide Window" etc.; "Select Location" for any other code.
const char* PurposeTitle(int purpose);
// The catalogue a purpose lists: currents for 2, 4, 6 and 8, tides otherwise.
StationKind PurposeKind(int purpose);
// The purpose the OK action follows: the code itself for 1..8, ChangeTide otherwise.
LocationPurpose EffectivePurpose(int purpose);
// The help topic of a purpose: choosing tide stations, current stations, or the station
// of a window being changed.
const char* PurposeHelpTopic(int purpose);

// True for the purposes that take one station only (changing a window, custom locations).
bool PurposeTakesOneStation(int purpose);

// Messages OK shows before acting.
constexpr int kMessageNotAPort = 2003;          // the only selection names a general area
constexpr int kMessageNotesNotAvailable = 2005;
constexpr int kMessageNothingSelected = 2006;
constexpr int kMessageOneToChange = 2007;       // several selected to change a window
constexpr int kMessageOneForCustom = 2008;      // several selected for a custom location

// The message that refuses a selection of `selected` stations for the purpose, or 0.
int CheckSelection(int purpose, size_t selected);

// "No Tide Regions Installed" / "No Current Regions Installed" and their messages.
const char* NoRegionsTitle(StationKind kind);
const char* NoRegionsText(StationKind kind);

// What "Notes..." opens for a station.
enum class NotesView {
  OfficialAndUser,  // the station has an ID
  UserOnly,         // only a note number is set
  None,             // message 2005
};
NotesView NotesViewFor(const StationSummary& station);

// The count line: "(%d entries  0 selected)" when the dialog opens, "( %d entries - 0
// selected )" after the region changed, "(%d entries   %d selected)" otherwise.
enum class CountLineForm { Opening, RegionChanged, Selection };
std::string CountLine(CountLineForm form, int entries, int selected);

}  // namespace qw
