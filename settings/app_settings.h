// The program-wide settings, as loaded from and saved to the settings file.
//
// A plain struct, read once at start-up by LoadSettings (settings_store.h) and written
// back by SaveSettings at the orderly stop. Windows and dialogs take what they need
// from it; dialogs that confirm a change write it here and, where a key is saved the
// moment the user confirms it, through the store as well. Field comments give the
// section and key, the default, and the value codes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qw {

// Value codes stored in the settings file.
enum class TimeType : int { Clock24 = 1, Clock12 = 2 };
enum class TideUnit : int { Feet = 1, Centimetres = 2, Metres = 4 };
enum class CurrentUnit : int { Knots = 1, MetresPerSecond = 2 };

// "HighRange" / "LowRange" codes of the graph range lines.
constexpr int kTideHighMhhw = 101;        // MHHW (MHWS for UKHO stations)
constexpr int kTideHighMeanTide = 102;
constexpr int kTideHighUser = 103;
constexpr int kTideLowDatum = 110;        // chart datum, "MLLW (0 ft)"
constexpr int kTideLowUser = 111;
constexpr int kCurrentHighMaxFlood = 100;  // the station's average maximum flood
constexpr int kCurrentHighUser = 101;
constexpr int kCurrentLowMaxEbb = 110;     // the station's average maximum ebb
constexpr int kCurrentLowUser = 111;

// How the day graph draws the day's values ("Options" "GraphStyle").
enum class GraphStyle : int { Bars = 0, Filled = 1, Smooth = 2 };

// A colour as the settings file stores it: 0x00BBGGRR, red in the low byte.
using ColorRef = uint32_t;

struct ColorScheme {
  std::string name;  // "SchemeName", at most 40 characters when saved from the dialog
  ColorRef dayLight = 0x00FFFF;
  ColorRef nightTime = 0x000000;
  ColorRef normalBar = 0xFF0000;
  ColorRef aboveHighRange = 0xFF0000;
  ColorRef belowLowRange = 0x0000FF;
  ColorRef grid = 0xC0C0C0;
  ColorRef rangeLine = 0xFF0000;
  bool operator==(const ColorScheme&) const = default;
};

// A font as the settings file describes it (the platform's logical-font fields).
struct FontSetting {
  int height = -11;         // "FontHeight": negative = character height in pixels at 96 dpi
  std::string faceName;     // "FaceName"
  int weight = 400;         // "FontWeight": 400 normal, 700 bold
  int italic = 0;           // "FontItalic"
  int pitchAndFamily = 0;   // "PitchAndFamily" (tide font only)
  bool operator==(const FontSetting&) const = default;
};

// The user-chosen graph range lines of one kind ("Tide Ranges" / "Current Ranges").
struct RangeSettings {
  int highRange = kTideHighMhhw;  // "HighRange" code
  int lowRange = kTideLowDatum;   // "LowRange" code
  // "HighHeight"/"LowHeight": hundredths of the display unit (feet, metres, knots,
  // metres per second) or whole centimetres.
  int32_t highHeight = 0;
  int32_t lowHeight = 0;
  std::string highLabel;  // "HighLabel", str 20
  std::string lowLabel;   // "LowLabel", str 20
  bool operator==(const RangeSettings&) const = default;
};

constexpr uint16_t kMruEmpty = 65535;
constexpr int kMruSlots = 6;

struct MruEntry {
  std::string location;          // "MruLocation<n>", str 127; empty = free slot
  uint16_t region = kMruEmpty;   // "MruRegion<n>"
  uint16_t subregion = kMruEmpty;  // "MruSubregion<n>": the station index
  uint16_t type = kMruEmpty;     // "MruType<n>": 1 tide, 2 current
  bool operator==(const MruEntry&) const = default;
};

struct AppSettings {
  // [Startup]
  int showWaterMark = 0;
  bool showWelcome = true;
  bool showCaution = true;
  bool autoOpen = false;
  int startupWinSize = 3;    // "StartupWinSize32": 0 minimized, 1 remembered size, 3 maximized
  int lastMainWinSize = 3;   // "LastMainWinSize32": 0 minimized, 1 normal, 3 maximized
  int mainX = -1, mainY = -1, mainWidth = -1, mainHeight = -1;  // "X","Y","Width","Height"

  // [ReportOptions]
  bool reportUseColor = false;  // "UseColor"

  // [Options]
  int closeBeforeOpen = 0;
  bool dateInWinTitle = true;
  bool programPilot = false;
  int tableInterval = 15;  // minutes, 1..1440
  bool defaultWeeklyOn = false;
  bool defaultInfoOn = true;
  bool defaultTableOn = false;
  bool useUserSlack = true;
  double userSlackKnots = 0.1;          // "UserSlackValue"
  int useGmtCorrection = 0;             // 0..3
  std::string gmtCorrectionText = "0.0";  // "GMTCorrection" as written, hours
  TimeType timeType = TimeType::Clock12;
  int unitType = 1;  // legacy "UnitType": only the default of the two unit keys
  TideUnit tideUnit = TideUnit::Feet;
  CurrentUnit currentUnit = CurrentUnit::Knots;
  bool prevNextWorksOnAll = false;
  bool highRangeLine = true;
  bool lowRangeLine = true;
  bool grid = false;
  bool weeklyGrid = false;
  bool nowLine = true;  // the present moment on today's graph ("NowLine"; absent = on)
  int numColorSchemes = 0;
  int selectedSchemeIndex = 0;  // 1-based
  char mathType = 'f';          // "MathType": 'f' floating point, other letters integer
  bool daylightSavings = true;
  int intlDaylightSavings = 0;  // minutes: 0, 30, 60, 90, 120, 150
  GraphStyle graphStyle = GraphStyle::Bars;

  RangeSettings tideRanges{kTideHighMhhw, kTideLowDatum, 0, 0, "", ""};
  RangeSettings currentRanges{kCurrentHighMaxFlood, kCurrentLowMaxEbb, 0, 0, "", ""};

  FontSetting tideFont{-11, "Arial", 400, 0, 0};  // [Tide Font]

  ColorScheme colors;  // the selected scheme, loaded from "Color Scheme <n>"

  // [Default Location]
  int defaultTideRegion = 0, defaultTideSubregion = 0;
  int defaultCurrentRegion = 0, defaultCurrentSubregion = 0;

  std::array<MruEntry, kMruSlots> mru{};  // [MRU]

  // [Real Time]
  int realTimeShowChange = 0;
  int realTimeEnabled = 0;
  int realTimeAlwaysOnTop = 1;
  int realTimeRememberPos = 1;
  int realTimeX = 0, realTimeY = 0;
  int realTimeUpdatePeriod = 1;  // minutes, 1..15
  FontSetting realTimeFont{-13, "MS Sans Serif", 400, 0, 0};  // [Real Time Font]

  // [Date]
  int dateChangeAffectsAll = 0;
  long dateSetToDate = 0;  // "SetToDate" of [Date]
  // [Set Date] "SetToDate": "%m/%d/%Y", the Set Date dialog's last choice.
  std::string setDateText;

  // [Misc]
  int firstRun = 1;
  // This start is the first (the file had no FirstRun of 0); not a key of its own.
  bool firstStart = true;
  // [TOTD]
  int currentTip = 0;
  int tipShowAtStartup = 1;

  // [Searching]
  FontSetting searchHeaderFont{-10, "MS Sans Serif", 700, 0, 0};
  FontSetting searchBodyFont{-10, "MS Sans Serif", 100, 0, 0};

  // [Charting] "LoadSaveDirectory": the folder of the charting program; empty when
  // it is not installed ("View on chart" is then disabled).
  std::string chartingDirectory;

  // The user's slack threshold as the engine takes it.
  int32_t SlackMicroKnots() const;
  // "GMTCorrection" as hours (a plain decimal conversion; 0 when it does not parse).
  double GmtCorrectionHours() const;

  bool operator==(const AppSettings&) const = default;
};

}  // namespace qw
