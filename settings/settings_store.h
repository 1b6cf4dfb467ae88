// Loading and saving the program-wide settings (app_settings.h) through the settings
// file (profile_file.h), and handing the engine its share of them.
#pragma once

#include <string>
#include <vector>

#include "settings/app_settings.h"
#include "settings/profile_file.h"

namespace qw {

// Reads every setting in start-up order, applying the loading rules:
//   - first run ("Misc" FirstRun non-zero): FirstRun is set to 0 and, when the
//     computer's time zone lies outside 1:52 to 12:00 west of UTC (bias in minutes
//     west, not strictly between 112 and 720), "TideUnitType" is set to metres;
//   - colour schemes: a selected index of 0 becomes 1; when there are no schemes or
//     fewer than the selected index the built-in scheme is written and selected;
//   - "UpdatePeriod" outside 1..15 becomes 1;
//   - value codes outside their sets (units, clock, range-line choices, GMT mode, table
//     interval, slack value) read as their defaults, so a damaged file cannot leave a
//     window dividing by zero or drawing in an unknown unit.
// The rules that write keys change `file` in memory; the caller saves it.
AppSettings LoadSettings(ProfileFile& file, int timeZoneBiasMinutesWest);

// Writes the settings kept at the orderly stop into `file` (in memory). In integrated
// mode the main window's size keys are left as they are in the file.
void SaveSettings(const AppSettings& settings, ProfileFile& file, bool integratedMode);

// Writes the "Real Time" and "Real Time Font" keys alone (the real-time window's setup
// keeps its choices at once).
void SaveRealTimeSettings(const AppSettings& settings, ProfileFile& file);

// Copies the keys the engine reads into the engine's settings (engine_settings.h).
void ApplyEngineSettings(const AppSettings& settings);

// "UserSlackValue" as written: "%3.1f", or two decimals when the value needs them so
// that a slack of 0.15 kt set on the Graphing page survives a restart.
std::string FormatSlackValue(double knots);

// The main window's state at the stop, recorded into the "Startup" keys.
enum class MainWindowState { Minimized, Normal, Maximized };
void RecordMainWindow(AppSettings& settings, MainWindowState state, int x, int y, int width,
                      int height);

// The user-defined range-line value of a typed text: hundredths of the display unit,
// rounded half away from zero, or whole centimetres (truncated) when the unit is
// centimetres. A text that is not a number gives 0.
int32_t UserRangeValue(const std::string& text, bool centimetres);
int32_t UserRangeValue(double value, bool centimetres);

// The time-zone bias of this computer now, in minutes west of UTC.
int SystemTimeZoneBiasMinutesWest();

}  // namespace qw

namespace qw {

// The checks the settings dialog applies on OK.
//
// When the height or speed unit changed while a user-defined range line of that kind
// is in use, that line is switched off; the returned message numbers (2802 high, 2803
// low) are to be shown.
std::vector<int> SwitchOffUserLinesOnUnitChange(const AppSettings& before, AppSettings& after);

// Copies the fields the settings dialog edits (its General, Graphing, Colors and
// Startup pages) from `dialog` into `live`, leaving every other field as it is now: a
// window list, a location or the real-time window changed while the dialog was open
// stays changed.
void ApplySettingsDialogFields(const AppSettings& dialog, AppSettings& live);

// The slack values the Graphing page accepts: 0.10 to 0.60 knots.
bool IsValidSlackValue(double knots);

}  // namespace qw
