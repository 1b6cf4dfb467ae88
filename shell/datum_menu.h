// The choice of the datum of a tide window's heights: the "Datum" menu of its right-click
// menu and of the View menu, and the datum box of the export and report dialogs. Each
// lists the station's datums, the one its heights are shown on chosen; a current window,
// and a tide station on its chart datum alone, get one line saying why there is no choice.
#pragma once

#include <QComboBox>
#include <QMenu>

#include "shell/location_window.h"

namespace qw {

// The menu's title.
inline constexpr const char* kDatumMenuTitle = "&Datum";

// Fills `menu` (emptied first) for `window` (nullptr: no window is active); choosing an
// entry calls the window's SetDatum.
void FillDatumMenu(QMenu& menu, LocationWindow* window);

// Fills `box` (emptied first) with the datums of `window`, the one it shows selected; the
// item data is the datum's name. Disabled, with the line saying why, when there is no
// choice.
void FillDatumBox(QComboBox& box, LocationWindow* window);

}  // namespace qw
