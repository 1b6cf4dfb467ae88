// What a start opens once the main window shows: the last run's windows, the tip of the
// day, the caution and the welcome, the real-time window when it was on at the last stop,
// and, on the first start alone, today's tide window at the default station.
#pragma once

#include <optional>

#include "app/main_frame.h"
#include "settings/app_settings.h"
#include "settings/station_directory.h"

namespace qw {

struct FirstWindowsStart {
  bool integrated = false;                    // "/INT": no boxes, no default window
  bool minimized = false;                     // "/MIN": no boxes
  bool currentsAvailable = false;             // current data is installed
  std::optional<StationRef> defaultStation;   // the default tide station, when installed
};

void OpenFirstWindows(MainFrame& frame, AppSettings& settings, const FirstWindowsStart& start);

}  // namespace qw
