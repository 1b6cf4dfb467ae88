#include "settings/settings_store.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "engine/decimal_text.h"
#include "engine/engine_settings.h"
#include "settings/color_schemes.h"

namespace qw {
namespace {

constexpr size_t kStr128 = 128;

bool OneOf(int value, std::initializer_list<int> allowed) {
  for (int a : allowed) {
    if (value == a) return true;
  }
  return false;
}

// A plain decimal conversion, like the C library's atof in the C locale: leading number
// or 0, a full stop as the point whatever the user's locale.
double DecimalValue(const std::string& text) { return LeadingDecimal(text).value_or(0.0); }

std::string Slot(const char* key, int slot) { return std::string(key) + std::to_string(slot); }

// How a key of the table takes part in loading and saving.
enum class KeyUse {
  kLoadAndSave,
  kLoadOnly,    // written where it changes (or never), not at the orderly stop
  kWindowSize,  // the main window's size and place: not saved in integrated mode
};

// Reads each key of the table into its field. A field's value on entry is its default:
// the value of a fresh AppSettings.
class KeyLoader {
 public:
  explicit KeyLoader(const ProfileFile& file) : file_(file) {}

  void Int(const char* section, const char* key, int& value, KeyUse = KeyUse::kLoadAndSave) const {
    value = file_.ReadInt(section, key, value);
  }
  void Flag(const char* section, const char* key, bool& value, KeyUse = KeyUse::kLoadAndSave) const {
    value = file_.ReadInt(section, key, value ? 1 : 0) != 0;
  }
  // A value code; a code outside `allowed` leaves the default.
  template <typename T>
  void Code(const char* section, const char* key, T& value, std::initializer_list<int> allowed,
            KeyUse use = KeyUse::kLoadAndSave) const {
    CodeOr(section, key, value, allowed, static_cast<int>(value), use);
  }
  // The same where a missing key reads as `absent` rather than as the default.
  template <typename T>
  void CodeOr(const char* section, const char* key, T& value, std::initializer_list<int> allowed, int absent,
              KeyUse = KeyUse::kLoadAndSave) const {
    const int code = file_.ReadInt(section, key, absent);
    if (OneOf(code, allowed)) value = static_cast<T>(code);
  }
  // A number outside low..high leaves the default.
  void Bounded(const char* section, const char* key, int& value, int low, int high,
               KeyUse = KeyUse::kLoadAndSave) const {
    const int number = file_.ReadInt(section, key, value);
    if (number >= low && number <= high) value = number;
  }
  void Text(const char* section, const char* key, std::string& value, size_t bufferLength,
            KeyUse = KeyUse::kLoadAndSave) const {
    value = file_.ReadString(section, key, value, bufferLength);
  }
  // An integer read from a 128-byte text buffer (the profile rule), written as an integer.
  void NumberText(const char* section, const char* key, int32_t& value) const {
    value = ProfileInteger(file_.ReadString(section, key, "", kStr128), value);
  }
  // A long read from a 128-byte text buffer by the C library's rule, written as an integer.
  void LongText(const char* section, const char* key, long& value) const {
    value = std::strtol(file_.ReadString(section, key, std::to_string(value), kStr128).c_str(), nullptr, 10);
  }
  // The slack threshold in knots; a value outside 0.1..0.6 leaves the default.
  void SlackKnots(const char* section, const char* key, double& value) const {
    const double knots = DecimalValue(file_.ReadString(section, key, FormatSlackValue(value), kStr128));
    if (IsValidSlackValue(knots)) value = knots;
  }
  // A letter, lower-cased; a missing or empty key, or "?", leaves the default.
  void Letter(const char* section, const char* key, char& value) const {
    const std::string text = file_.ReadString(section, key, "?", 5);
    const char letter = text.empty() ? '?' : static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    if (letter != '?') value = letter;
  }
  void Mru(const char* section, std::array<MruEntry, kMruSlots>& mru) const {
    for (int slot = 0; slot < kMruSlots; ++slot) {
      MruEntry& entry = mru[static_cast<size_t>(slot)];
      entry.location = file_.ReadString(section, Slot("MruLocation", slot), "", 127);
      entry.region = static_cast<uint16_t>(file_.ReadInt(section, Slot("MruRegion", slot), kMruEmpty));
      entry.subregion = static_cast<uint16_t>(file_.ReadInt(section, Slot("MruSubregion", slot), kMruEmpty));
      entry.type = static_cast<uint16_t>(file_.ReadInt(section, Slot("MruType", slot), kMruEmpty));
    }
  }

 private:
  const ProfileFile& file_;
};

// Writes each key of the table that is saved at the stop.
class KeySaver {
 public:
  KeySaver(ProfileFile& file, bool integratedMode) : file_(file), integratedMode_(integratedMode) {}

  void Int(const char* section, const char* key, int value, KeyUse use = KeyUse::kLoadAndSave) const {
    if (Saves(use)) file_.WriteInt(section, key, value);
  }
  void Flag(const char* section, const char* key, bool value, KeyUse use = KeyUse::kLoadAndSave) const {
    if (Saves(use)) file_.WriteInt(section, key, value ? 1 : 0);
  }
  template <typename T>
  void Code(const char* section, const char* key, T value, std::initializer_list<int>,
            KeyUse use = KeyUse::kLoadAndSave) const {
    if (Saves(use)) file_.WriteInt(section, key, static_cast<int>(value));
  }
  template <typename T>
  void CodeOr(const char* section, const char* key, T value, std::initializer_list<int> allowed, int,
              KeyUse use = KeyUse::kLoadAndSave) const {
    Code(section, key, value, allowed, use);
  }
  void Bounded(const char* section, const char* key, int value, int, int, KeyUse use = KeyUse::kLoadAndSave) const {
    Int(section, key, value, use);
  }
  void Text(const char* section, const char* key, const std::string& value, size_t,
            KeyUse use = KeyUse::kLoadAndSave) const {
    if (Saves(use)) file_.WriteString(section, key, value);
  }
  void NumberText(const char* section, const char* key, int32_t value) const { file_.WriteInt(section, key, value); }
  void LongText(const char* section, const char* key, long value) const { file_.WriteInt(section, key, value); }
  void SlackKnots(const char* section, const char* key, double value) const {
    file_.WriteString(section, key, FormatSlackValue(value));
  }
  void Letter(const char* section, const char* key, char value) const {
    file_.WriteString(section, key, std::string(1, value));
  }
  // The list is written from slot 0 up to the first empty name.
  void Mru(const char* section, const std::array<MruEntry, kMruSlots>& mru) const {
    std::vector<std::pair<std::string, std::string>> keys;
    for (int slot = 0; slot < kMruSlots; ++slot) {
      const MruEntry& entry = mru[static_cast<size_t>(slot)];
      if (entry.location.empty()) break;
      keys.emplace_back(Slot("MruLocation", slot), entry.location);
      keys.emplace_back(Slot("MruRegion", slot), std::to_string(entry.region));
      keys.emplace_back(Slot("MruSubregion", slot), std::to_string(entry.subregion));
      keys.emplace_back(Slot("MruType", slot), std::to_string(entry.type));
    }
    file_.ReplaceSection(section, keys);
  }

 private:
  bool Saves(KeyUse use) const {
    return use == KeyUse::kLoadAndSave || (use == KeyUse::kWindowSize && !integratedMode_);
  }

  ProfileFile& file_;
  bool integratedMode_;
};

// The keys of a font section; the tide font has a pitch-and-family key, the others not.
template <typename Walker, typename Font>
void WalkFont(Walker& w, const char* section, Font& font, bool withPitch) {
  w.Int(section, "FontHeight", font.height);
  w.Text(section, "FaceName", font.faceName, 32);
  w.Int(section, "FontWeight", font.weight);
  w.Int(section, "FontItalic", font.italic);
  if (withPitch) w.Int(section, "PitchAndFamily", font.pitchAndFamily);
}

template <typename Walker, typename Ranges>
void WalkRanges(Walker& w, const char* section, Ranges& ranges, std::initializer_list<int> highCodes,
                std::initializer_list<int> lowCodes) {
  w.Code(section, "HighRange", ranges.highRange, highCodes);
  w.Code(section, "LowRange", ranges.lowRange, lowCodes);
  w.NumberText(section, "HighHeight", ranges.highHeight);
  w.NumberText(section, "LowHeight", ranges.lowHeight);
  w.Text(section, "HighLabel", ranges.highLabel, 20);
  w.Text(section, "LowLabel", ranges.lowLabel, 20);
}

// The real-time window's keys, also saved on their own when its setup changes.
template <typename Walker, typename Settings>
void WalkRealTimeKeys(Walker& w, Settings& s) {
  w.Int("Real Time", "ShowChange", s.realTimeShowChange);
  w.Int("Real Time", "Enabled", s.realTimeEnabled);
  w.Int("Real Time", "AlwaysOnTop", s.realTimeAlwaysOnTop);
  w.Int("Real Time", "RememberPos", s.realTimeRememberPos);
  w.Int("Real Time", "X", s.realTimeX);
  w.Int("Real Time", "Y", s.realTimeY);
  w.Bounded("Real Time", "UpdatePeriod", s.realTimeUpdatePeriod, 1, 15);
  WalkFont(w, "Real Time Font", s.realTimeFont, false);
}

// Every key of the settings file that LoadSettings reads, the saved ones in the order
// SaveSettings writes them (a new file gets its sections and keys in this order). The
// first-run rule and the colour-scheme rule are applied by LoadSettings around it.
template <typename Walker, typename Settings>
void WalkSettingsKeys(Walker& w, Settings& s) {
  w.Flag("ReportOptions", "UseColor", s.reportUseColor);
  w.Flag("Startup", "ShowCaution", s.showCaution);
  w.Flag("Startup", "ShowWelcome", s.showWelcome);
  w.Flag("Startup", "AutoOpen", s.autoOpen);
  w.Int("Startup", "ShowWaterMark", s.showWaterMark, KeyUse::kLoadOnly);
  w.Code("Startup", "StartupWinSize32", s.startupWinSize, {0, 1, 3}, KeyUse::kWindowSize);
  w.Code("Startup", "LastMainWinSize32", s.lastMainWinSize, {0, 1, 3}, KeyUse::kWindowSize);

  w.Int("Options", "CloseBeforeOpen", s.closeBeforeOpen);
  w.Flag("Options", "DateInWinTitle", s.dateInWinTitle);
  w.Flag("Options", "ProgramPilot", s.programPilot);
  w.Code("Options", "UseGMTCorrection", s.useGmtCorrection, {0, 1, 2, 3});
  w.Text("Options", "GMTCorrection", s.gmtCorrectionText, kStr128);
  w.Code("Options", "TimeType", s.timeType, {1, 2});
  w.Int("Options", "UnitType", s.unitType);
  // The legacy unit code is what the two unit keys read when they are missing.
  w.CodeOr("Options", "TideUnitType", s.tideUnit, {1, 2, 4}, s.unitType);
  w.CodeOr("Options", "CurrentUnitType", s.currentUnit, {1, 2}, s.unitType);
  w.Flag("Options", "PrevNextWorksOnAll", s.prevNextWorksOnAll);
  w.Flag("Options", "HighRangeLine", s.highRangeLine);
  w.Flag("Options", "LowRangeLine", s.lowRangeLine);
  w.Int("Options", "NumColorSchemes", s.numColorSchemes);
  w.Int("Options", "SelectedSchemeIndex", s.selectedSchemeIndex);

  WalkRanges(w, "Tide Ranges", s.tideRanges, {kTideHighMhhw, kTideHighMeanTide, kTideHighUser},
             {kTideLowDatum, kTideLowUser});
  WalkRanges(w, "Current Ranges", s.currentRanges, {kCurrentHighMaxFlood, kCurrentHighUser},
             {kCurrentLowMaxEbb, kCurrentLowUser});

  w.Flag("Options", "Grid", s.grid);
  w.Flag("Options", "WeeklyGrid", s.weeklyGrid);
  w.Flag("Options", "NowLine", s.nowLine);
  w.Bounded("Options", "TableInterval", s.tableInterval, 1, 1440);
  w.Flag("Options", "DefaultWeeklyOn", s.defaultWeeklyOn);
  w.Flag("Options", "DefaultInfoOn", s.defaultInfoOn);
  w.Flag("Options", "DefaultTableOn", s.defaultTableOn);
  w.Flag("Options", "UseUserSlack", s.useUserSlack);
  w.SlackKnots("Options", "UserSlackValue", s.userSlackKnots);
  w.Code("Options", "GraphStyle", s.graphStyle, {0, 1, 2});

  WalkFont(w, "Tide Font", s.tideFont, true);
  w.Letter("Options", "MathType", s.mathType);
  w.Flag("Options", "DaylightSavings", s.daylightSavings);
  w.Bounded("Options", "IntlDaylightSavings", s.intlDaylightSavings, 0, 150);

  w.Int("Default Location", "DefaultTideRegion", s.defaultTideRegion);
  w.Int("Default Location", "DefaultTideSubregion", s.defaultTideSubregion);
  w.Int("Default Location", "DefaultCurrentRegion", s.defaultCurrentRegion);
  w.Int("Default Location", "DefaultCurrentSubregion", s.defaultCurrentSubregion);

  w.Mru("MRU", s.mru);
  WalkRealTimeKeys(w, s);

  w.Int("Date", "DateChangeAffectsAll", s.dateChangeAffectsAll);
  w.LongText("Date", "SetToDate", s.dateSetToDate);

  w.Int("Startup", "X", s.mainX, KeyUse::kWindowSize);
  w.Int("Startup", "Y", s.mainY, KeyUse::kWindowSize);
  w.Int("Startup", "Width", s.mainWidth, KeyUse::kWindowSize);
  w.Int("Startup", "Height", s.mainHeight, KeyUse::kWindowSize);

  // Kept by their own dialogs the moment they change.
  w.Text("Set Date", "SetToDate", s.setDateText, 64, KeyUse::kLoadOnly);
  w.Int("TOTD", "CurrentTip", s.currentTip, KeyUse::kLoadOnly);
  w.Int("TOTD", "ShowAtStartup", s.tipShowAtStartup, KeyUse::kLoadOnly);
  w.Text("Searching", "HeaderFontFace", s.searchHeaderFont.faceName, 40, KeyUse::kLoadOnly);
  w.Int("Searching", "HeaderCreateFontHeight", s.searchHeaderFont.height, KeyUse::kLoadOnly);
  w.Int("Searching", "HeaderFontWeight", s.searchHeaderFont.weight, KeyUse::kLoadOnly);
  w.Int("Searching", "HeaderFontItalic", s.searchHeaderFont.italic, KeyUse::kLoadOnly);
  w.Text("Searching", "BodyFontFace", s.searchBodyFont.faceName, 40, KeyUse::kLoadOnly);
  w.Int("Searching", "BodyCreateFontHeight", s.searchBodyFont.height, KeyUse::kLoadOnly);
  w.Int("Searching", "BodyFontWeight", s.searchBodyFont.weight, KeyUse::kLoadOnly);
  w.Int("Searching", "BodyFontItalic", s.searchBodyFont.italic, KeyUse::kLoadOnly);
  // Set by the charting program's installer.
  w.Text("Charting", "LoadSaveDirectory", s.chartingDirectory, 260, KeyUse::kLoadOnly);
}

}  // namespace

int32_t AppSettings::SlackMicroKnots() const {
  if (!useUserSlack) return 100000;
  return static_cast<int32_t>(std::llround(userSlackKnots * 1000000.0));
}

double AppSettings::GmtCorrectionHours() const { return DecimalValue(gmtCorrectionText); }

AppSettings LoadSettings(ProfileFile& file, int timeZoneBiasMinutesWest) {
  AppSettings s;

  // First-run rule: outside the Americas the heights start in metres.
  s.firstStart = file.ReadInt("Misc", "FirstRun", 1) != 0;
  if (s.firstStart) {
    file.WriteInt("Misc", "FirstRun", 0);
    if (!(timeZoneBiasMinutesWest > 112 && timeZoneBiasMinutesWest < 720)) {
      file.WriteInt("Options", "TideUnitType", static_cast<int>(TideUnit::Metres));
    }
  }
  s.firstRun = file.ReadInt("Misc", "FirstRun", 1);

  KeyLoader loader(file);
  WalkSettingsKeys(loader, s);

  // Colour schemes: index 0 selects the first; no usable selection writes the built-in one.
  if (s.selectedSchemeIndex == 0) {
    s.selectedSchemeIndex = 1;
    file.WriteInt("Options", "SelectedSchemeIndex", 1);
  }
  if (s.numColorSchemes <= 0 || s.selectedSchemeIndex < 1 ||
      s.numColorSchemes < s.selectedSchemeIndex) {
    MakeBuiltInColorScheme(file, s);
  }
  s.colors = ReadColorScheme(file, s.selectedSchemeIndex);
  return s;
}

std::string FormatSlackValue(double knots) {
  const std::string text = FixedDecimal(knots, 1);
  if (std::fabs(DecimalValue(text) - knots) > 1e-9) return FixedDecimal(knots, 2);
  return text;
}

void SaveRealTimeSettings(const AppSettings& s, ProfileFile& file) {
  KeySaver saver(file, false);
  WalkRealTimeKeys(saver, s);
}

void SaveSettings(const AppSettings& s, ProfileFile& file, bool integratedMode) {
  KeySaver saver(file, integratedMode);
  WalkSettingsKeys(saver, s);
}

void ApplyEngineSettings(const AppSettings& s) {
  EngineSettings& engine = Settings();
  engine.mathType = s.mathType;
  engine.useGmtCorrection = s.useGmtCorrection;
  engine.gmtCorrectionHours = s.GmtCorrectionHours();
  engine.daylightSavings = s.daylightSavings;
  engine.intlDaylightMinutes = static_cast<int16_t>(s.intlDaylightSavings);
  engine.useUserSlack = s.useUserSlack;
  engine.userSlackValue = s.userSlackKnots;
}

void RecordMainWindow(AppSettings& s, MainWindowState state, int x, int y, int width, int height) {
  switch (state) {
    case MainWindowState::Minimized:
      s.lastMainWinSize = 0;
      s.mainX = s.mainY = s.mainWidth = s.mainHeight = 0;
      return;
    case MainWindowState::Maximized:
      s.lastMainWinSize = 3;
      break;
    case MainWindowState::Normal:
      s.lastMainWinSize = 1;
      break;
  }
  s.mainX = x;
  s.mainY = y;
  s.mainWidth = width;
  s.mainHeight = height;
}

int32_t UserRangeValue(const std::string& text, bool centimetres) {
  return UserRangeValue(DecimalValue(text), centimetres);
}

int32_t UserRangeValue(double value, bool centimetres) {
  if (!std::isfinite(value) || std::fabs(value) > 2.0e7) return 0;
  if (centimetres) return static_cast<int32_t>(value);
  return static_cast<int32_t>(value * 100.0 + (value < 0 ? -0.5 : 0.5));
}

int SystemTimeZoneBiasMinutesWest() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  // tm_gmtoff is seconds east of UTC, daylight saving included; the platform's bias
  // is the standard offset, so daylight saving is taken out.
  long east = local.tm_gmtoff - (local.tm_isdst > 0 ? 3600 : 0);
  return static_cast<int>(-east / 60);
}

}  // namespace qw

namespace qw {

std::vector<int> SwitchOffUserLinesOnUnitChange(const AppSettings& before, AppSettings& after) {
  bool high = false, low = false;
  if (before.tideUnit != after.tideUnit) {
    high = high || after.tideRanges.highRange == kTideHighUser;
    low = low || after.tideRanges.lowRange == kTideLowUser;
  }
  if (before.currentUnit != after.currentUnit) {
    high = high || after.currentRanges.highRange == kCurrentHighUser;
    low = low || after.currentRanges.lowRange == kCurrentLowUser;
  }
  std::vector<int> messages;
  if (high && after.highRangeLine) {
    after.highRangeLine = false;
    messages.push_back(2802);
  }
  if (low && after.lowRangeLine) {
    after.lowRangeLine = false;
    messages.push_back(2803);
  }
  return messages;
}

void ApplySettingsDialogFields(const AppSettings& dialog, AppSettings& live) {
  // General
  live.timeType = dialog.timeType;
  live.tideUnit = dialog.tideUnit;
  live.currentUnit = dialog.currentUnit;
  live.daylightSavings = dialog.daylightSavings;
  live.dateInWinTitle = dialog.dateInWinTitle;
  live.prevNextWorksOnAll = dialog.prevNextWorksOnAll;
  live.programPilot = dialog.programPilot;
  live.closeBeforeOpen = dialog.closeBeforeOpen;
  live.mathType = dialog.mathType;
  // Graphing
  live.graphStyle = dialog.graphStyle;
  live.grid = dialog.grid;
  live.weeklyGrid = dialog.weeklyGrid;
  live.nowLine = dialog.nowLine;
  live.highRangeLine = dialog.highRangeLine;
  live.lowRangeLine = dialog.lowRangeLine;
  live.tideRanges = dialog.tideRanges;
  live.currentRanges = dialog.currentRanges;
  live.useUserSlack = dialog.useUserSlack;
  live.userSlackKnots = dialog.userSlackKnots;
  live.tableInterval = dialog.tableInterval;
  live.defaultInfoOn = dialog.defaultInfoOn;
  live.defaultWeeklyOn = dialog.defaultWeeklyOn;
  live.defaultTableOn = dialog.defaultTableOn;
  live.tideFont = dialog.tideFont;
  // Colors
  live.numColorSchemes = dialog.numColorSchemes;
  live.selectedSchemeIndex = dialog.selectedSchemeIndex;
  live.colors = dialog.colors;
  // Startup
  live.showWelcome = dialog.showWelcome;
  live.showCaution = dialog.showCaution;
  live.autoOpen = dialog.autoOpen;
  live.startupWinSize = dialog.startupWinSize;
}

bool IsValidSlackValue(double knots) { return knots >= 0.1 - 1e-9 && knots <= 0.6 + 1e-9; }

}  // namespace qw
