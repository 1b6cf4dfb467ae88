// How the frame, the real-time window and the custom-location editor ask the user for
// stations: the location dialog is opened with a purpose, and performs the purpose's OK
// action through a callback for each station the user chose.
#pragma once

#include <functional>

#include "settings/station_directory.h"

class QWidget;

namespace qw {

// The location dialog's purposes; the numbers are those the dialog is opened with. Any
// other number opens "Select Location" on the tide stations and acts as ChangeTide.
enum class LocationPurpose : int {
  NewTide = 1,
  NewCurrent = 2,
  ChangeTide = 3,
  ChangeCurrent = 4,
  RealTimeTide = 5,
  RealTimeCurrent = 6,
  CustomTide = 7,
  CustomCurrent = 8,
};

// What an OK action made of one station.
enum class StationActionResult {
  Done,
  AlreadyListed,  // real-time lists: the station is in the list already (the loop goes on)
  ListFull,       // real-time lists: no room (the loop stops)
  Failed,         // the action could not be done; the user has been told
};

using StationAction = std::function<StationActionResult(const StationRef& station)>;

// Runs the location dialog for a purpose with its OK action; true when OK was pressed and
// the action performed.
using LocationChooser = std::function<bool(LocationPurpose purpose, QWidget* parent, const StationAction& action)>;

}  // namespace qw
