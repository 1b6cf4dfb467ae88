#include "settings/settings_store.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

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

// A plain decimal conversion, like the C library's atof: leading number or 0.
double DecimalValue(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

FontSetting ReadFont(const ProfileFile& file, const char* section, const FontSetting& defaults,
                     bool withPitch) {
  FontSetting font;
  font.height = file.ReadInt(section, "FontHeight", defaults.height);
  font.faceName = file.ReadString(section, "FaceName", defaults.faceName, 32);
  font.weight = file.ReadInt(section, "FontWeight", defaults.weight);
  font.italic = file.ReadInt(section, "FontItalic", defaults.italic);
  font.pitchAndFamily = withPitch ? file.ReadInt(section, "PitchAndFamily", defaults.pitchAndFamily) : 0;
  return font;
}

void WriteFont(ProfileFile& file, const char* section, const FontSetting& font, bool withPitch) {
  file.WriteInt(section, "FontHeight", font.height);
  file.WriteString(section, "FaceName", font.faceName);
  file.WriteInt(section, "FontWeight", font.weight);
  file.WriteInt(section, "FontItalic", font.italic);
  if (withPitch) file.WriteInt(section, "PitchAndFamily", font.pitchAndFamily);
}

void ReadRanges(const ProfileFile& file, const char* section, RangeSettings& ranges,
                std::initializer_list<int> highCodes, std::initializer_list<int> lowCodes) {
  const RangeSettings defaults = ranges;
  ranges.highRange = file.ReadInt(section, "HighRange", defaults.highRange);
  if (!OneOf(ranges.highRange, highCodes)) ranges.highRange = defaults.highRange;
  ranges.lowRange = file.ReadInt(section, "LowRange", defaults.lowRange);
  if (!OneOf(ranges.lowRange, lowCodes)) ranges.lowRange = defaults.lowRange;
  ranges.highHeight = ProfileInteger(file.ReadString(section, "HighHeight", "0", kStr128), 0);
  ranges.lowHeight = ProfileInteger(file.ReadString(section, "LowHeight", "0", kStr128), 0);
  ranges.highLabel = file.ReadString(section, "HighLabel", "", 20);
  ranges.lowLabel = file.ReadString(section, "LowLabel", "", 20);
}

void WriteRanges(ProfileFile& file, const char* section, const RangeSettings& ranges) {
  file.WriteInt(section, "HighRange", ranges.highRange);
  file.WriteInt(section, "LowRange", ranges.lowRange);
  file.WriteInt(section, "HighHeight", ranges.highHeight);
  file.WriteInt(section, "LowHeight", ranges.lowHeight);
  file.WriteString(section, "HighLabel", ranges.highLabel);
  file.WriteString(section, "LowLabel", ranges.lowLabel);
}

std::string Slot(const char* key, int slot) { return std::string(key) + std::to_string(slot); }

}  // namespace

int32_t AppSettings::SlackMicroKnots() const {
  if (!useUserSlack) return 100000;
  return static_cast<int32_t>(std::llround(userSlackKnots * 1000000.0));
}

double AppSettings::GmtCorrectionHours() const { return DecimalValue(gmtCorrectionText); }

AppSettings LoadSettings(ProfileFile& file, int timeZoneBiasMinutesWest) {
  AppSettings s;

  // First-run rule: outside the Americas the heights start in metres.
  if (file.ReadInt("Misc", "FirstRun", 1) != 0) {
    file.WriteInt("Misc", "FirstRun", 0);
    if (!(timeZoneBiasMinutesWest > 112 && timeZoneBiasMinutesWest < 720)) {
      file.WriteInt("Options", "TideUnitType", static_cast<int>(TideUnit::Metres));
    }
  }
  s.firstRun = file.ReadInt("Misc", "FirstRun", 1);

  s.showWaterMark = file.ReadInt("Startup", "ShowWaterMark", 0);
  s.showWelcome = file.ReadInt("Startup", "ShowWelcome", 1) != 0;
  s.showCaution = file.ReadInt("Startup", "ShowCaution", 1) != 0;
  s.autoOpen = file.ReadInt("Startup", "AutoOpen", 0) != 0;
  s.startupWinSize = file.ReadInt("Startup", "StartupWinSize32", 3);
  if (!OneOf(s.startupWinSize, {0, 1, 3})) s.startupWinSize = 3;
  s.lastMainWinSize = file.ReadInt("Startup", "LastMainWinSize32", 3);
  if (!OneOf(s.lastMainWinSize, {0, 1, 3})) s.lastMainWinSize = 3;
  s.mainX = file.ReadInt("Startup", "X", -1);
  s.mainY = file.ReadInt("Startup", "Y", -1);
  s.mainWidth = file.ReadInt("Startup", "Width", -1);
  s.mainHeight = file.ReadInt("Startup", "Height", -1);

  s.reportUseColor = file.ReadInt("ReportOptions", "UseColor", 0) != 0;

  s.closeBeforeOpen = file.ReadInt("Options", "CloseBeforeOpen", 0);
  s.dateInWinTitle = file.ReadInt("Options", "DateInWinTitle", 1) != 0;
  s.programPilot = file.ReadInt("Options", "ProgramPilot", 0) != 0;
  s.useUserSlack = file.ReadInt("Options", "UseUserSlack", 1) != 0;
  s.userSlackKnots = DecimalValue(file.ReadString("Options", "UserSlackValue", "0.1", kStr128));
  if (!(s.userSlackKnots >= 0.1 - 1e-9 && s.userSlackKnots <= 0.6 + 1e-9)) s.userSlackKnots = 0.1;
  s.useGmtCorrection = file.ReadInt("Options", "UseGMTCorrection", 0);
  if (!OneOf(s.useGmtCorrection, {0, 1, 2, 3})) s.useGmtCorrection = 0;
  s.gmtCorrectionText = file.ReadString("Options", "GMTCorrection", "0.0", kStr128);
  const int timeType = file.ReadInt("Options", "TimeType", 2);
  s.timeType = timeType == 1 ? TimeType::Clock24 : TimeType::Clock12;
  s.unitType = file.ReadInt("Options", "UnitType", 1);
  const int tideUnit = file.ReadInt("Options", "TideUnitType", s.unitType);
  s.tideUnit = OneOf(tideUnit, {1, 2, 4}) ? static_cast<TideUnit>(tideUnit) : TideUnit::Feet;
  const int currentUnit = file.ReadInt("Options", "CurrentUnitType", s.unitType);
  s.currentUnit = OneOf(currentUnit, {1, 2}) ? static_cast<CurrentUnit>(currentUnit) : CurrentUnit::Knots;
  s.prevNextWorksOnAll = file.ReadInt("Options", "PrevNextWorksOnAll", 0) != 0;
  s.highRangeLine = file.ReadInt("Options", "HighRangeLine", 1) != 0;
  s.lowRangeLine = file.ReadInt("Options", "LowRangeLine", 1) != 0;

  ReadRanges(file, "Tide Ranges", s.tideRanges, {kTideHighMhhw, kTideHighMeanTide, kTideHighUser},
             {kTideLowDatum, kTideLowUser});
  ReadRanges(file, "Current Ranges", s.currentRanges, {kCurrentHighMaxFlood, kCurrentHighUser},
             {kCurrentLowMaxEbb, kCurrentLowUser});

  s.grid = file.ReadInt("Options", "Grid", 0) != 0;
  s.weeklyGrid = file.ReadInt("Options", "WeeklyGrid", 0) != 0;
  s.tableInterval = file.ReadInt("Options", "TableInterval", 15);
  if (s.tableInterval < 1 || s.tableInterval > 1440) s.tableInterval = 15;
  s.defaultWeeklyOn = file.ReadInt("Options", "DefaultWeeklyOn", 0) != 0;
  s.defaultInfoOn = file.ReadInt("Options", "DefaultInfoOn", 1) != 0;
  s.defaultTableOn = file.ReadInt("Options", "DefaultTableOn", 0) != 0;
  const int style = file.ReadInt("Options", "GraphStyle", 0);
  s.graphStyle = OneOf(style, {0, 1, 2}) ? static_cast<GraphStyle>(style) : GraphStyle::Bars;

  s.tideFont = ReadFont(file, "Tide Font", s.tideFont, true);

  // Colour schemes.
  s.numColorSchemes = file.ReadInt("Options", "NumColorSchemes", 0);
  s.selectedSchemeIndex = file.ReadInt("Options", "SelectedSchemeIndex", 0);
  if (s.selectedSchemeIndex == 0) {
    s.selectedSchemeIndex = 1;
    file.WriteInt("Options", "SelectedSchemeIndex", 1);
  }
  if (s.numColorSchemes <= 0 || s.selectedSchemeIndex < 1 ||
      s.numColorSchemes < s.selectedSchemeIndex) {
    MakeBuiltInColorScheme(file, s);
  }
  s.colors = ReadColorScheme(file, s.selectedSchemeIndex);

  std::string math = file.ReadString("Options", "MathType", "?", 5);
  char letter = math.empty() ? '?' : static_cast<char>(std::tolower(static_cast<unsigned char>(math[0])));
  s.mathType = letter == '?' ? 'f' : letter;

  s.daylightSavings = file.ReadInt("Options", "DaylightSavings", 1) != 0;
  s.intlDaylightSavings = file.ReadInt("Options", "IntlDaylightSavings", 0);
  if (s.intlDaylightSavings < 0 || s.intlDaylightSavings > 150) s.intlDaylightSavings = 0;

  s.defaultTideRegion = file.ReadInt("Default Location", "DefaultTideRegion", 0);
  s.defaultTideSubregion = file.ReadInt("Default Location", "DefaultTideSubregion", 0);
  s.defaultCurrentRegion = file.ReadInt("Default Location", "DefaultCurrentRegion", 0);
  s.defaultCurrentSubregion = file.ReadInt("Default Location", "DefaultCurrentSubregion", 0);

  for (int slot = 0; slot < kMruSlots; ++slot) {
    MruEntry& entry = s.mru[static_cast<size_t>(slot)];
    entry.location = file.ReadString("MRU", Slot("MruLocation", slot), "", 127);
    entry.region = static_cast<uint16_t>(file.ReadInt("MRU", Slot("MruRegion", slot), kMruEmpty));
    entry.subregion = static_cast<uint16_t>(file.ReadInt("MRU", Slot("MruSubregion", slot), kMruEmpty));
    entry.type = static_cast<uint16_t>(file.ReadInt("MRU", Slot("MruType", slot), kMruEmpty));
  }

  s.realTimeShowChange = file.ReadInt("Real Time", "ShowChange", 0);
  s.realTimeEnabled = file.ReadInt("Real Time", "Enabled", 0);
  s.realTimeAlwaysOnTop = file.ReadInt("Real Time", "AlwaysOnTop", 1);
  s.realTimeRememberPos = file.ReadInt("Real Time", "RememberPos", 1);
  s.realTimeX = file.ReadInt("Real Time", "X", 0);
  s.realTimeY = file.ReadInt("Real Time", "Y", 0);
  s.realTimeUpdatePeriod = file.ReadInt("Real Time", "UpdatePeriod", 1);
  if (s.realTimeUpdatePeriod < 1 || s.realTimeUpdatePeriod > 15) s.realTimeUpdatePeriod = 1;
  s.realTimeFont = ReadFont(file, "Real Time Font", s.realTimeFont, false);

  s.dateChangeAffectsAll = file.ReadInt("Date", "DateChangeAffectsAll", 0);
  s.dateSetToDate = std::strtol(file.ReadString("Date", "SetToDate", "0", kStr128).c_str(), nullptr, 10);
  s.setDateText = file.ReadString("Set Date", "SetToDate", "", 64);

  s.currentTip = file.ReadInt("TOTD", "CurrentTip", 0);
  s.tipShowAtStartup = file.ReadInt("TOTD", "ShowAtStartup", 1);

  s.searchHeaderFont.faceName = file.ReadString("Searching", "HeaderFontFace", "MS Sans Serif", 40);
  s.searchHeaderFont.height = file.ReadInt("Searching", "HeaderCreateFontHeight", -10);
  s.searchHeaderFont.weight = file.ReadInt("Searching", "HeaderFontWeight", 700);
  s.searchHeaderFont.italic = file.ReadInt("Searching", "HeaderFontItalic", 0);
  s.searchBodyFont.faceName = file.ReadString("Searching", "BodyFontFace", "MS Sans Serif", 40);
  s.searchBodyFont.height = file.ReadInt("Searching", "BodyCreateFontHeight", -10);
  s.searchBodyFont.weight = file.ReadInt("Searching", "BodyFontWeight", 100);
  s.searchBodyFont.italic = file.ReadInt("Searching", "BodyFontItalic", 0);

  s.chartingDirectory = file.ReadString("Charting", "LoadSaveDirectory", "", 260);
  return s;
}

std::string FormatSlackValue(double knots) {
  char text[64];
  std::snprintf(text, sizeof text, "%3.1f", knots);
  if (std::fabs(DecimalValue(text) - knots) > 1e-9) std::snprintf(text, sizeof text, "%.2f", knots);
  return text;
}

void SaveRealTimeSettings(const AppSettings& s, ProfileFile& file) {
  file.WriteInt("Real Time", "ShowChange", s.realTimeShowChange);
  file.WriteInt("Real Time", "Enabled", s.realTimeEnabled);
  file.WriteInt("Real Time", "AlwaysOnTop", s.realTimeAlwaysOnTop);
  file.WriteInt("Real Time", "RememberPos", s.realTimeRememberPos);
  file.WriteInt("Real Time", "X", s.realTimeX);
  file.WriteInt("Real Time", "Y", s.realTimeY);
  file.WriteInt("Real Time", "UpdatePeriod", s.realTimeUpdatePeriod);
  WriteFont(file, "Real Time Font", s.realTimeFont, false);
}

void SaveSettings(const AppSettings& s, ProfileFile& file, bool integratedMode) {
  file.WriteInt("ReportOptions", "UseColor", s.reportUseColor);
  file.WriteInt("Startup", "ShowCaution", s.showCaution);
  file.WriteInt("Startup", "ShowWelcome", s.showWelcome);
  file.WriteInt("Startup", "AutoOpen", s.autoOpen);
  if (!integratedMode) {
    file.WriteInt("Startup", "StartupWinSize32", s.startupWinSize);
    file.WriteInt("Startup", "LastMainWinSize32", s.lastMainWinSize);
  }

  file.WriteInt("Options", "CloseBeforeOpen", s.closeBeforeOpen);
  file.WriteInt("Options", "DateInWinTitle", s.dateInWinTitle);
  file.WriteInt("Options", "ProgramPilot", s.programPilot);
  file.WriteInt("Options", "UseGMTCorrection", s.useGmtCorrection);
  file.WriteString("Options", "GMTCorrection", s.gmtCorrectionText);
  file.WriteInt("Options", "TimeType", static_cast<int>(s.timeType));
  file.WriteInt("Options", "UnitType", s.unitType);
  file.WriteInt("Options", "TideUnitType", static_cast<int>(s.tideUnit));
  file.WriteInt("Options", "CurrentUnitType", static_cast<int>(s.currentUnit));
  file.WriteInt("Options", "PrevNextWorksOnAll", s.prevNextWorksOnAll);
  file.WriteInt("Options", "HighRangeLine", s.highRangeLine);
  file.WriteInt("Options", "LowRangeLine", s.lowRangeLine);
  file.WriteInt("Options", "NumColorSchemes", s.numColorSchemes);
  file.WriteInt("Options", "SelectedSchemeIndex", s.selectedSchemeIndex);

  WriteRanges(file, "Tide Ranges", s.tideRanges);
  WriteRanges(file, "Current Ranges", s.currentRanges);

  file.WriteInt("Options", "Grid", s.grid);
  file.WriteInt("Options", "WeeklyGrid", s.weeklyGrid);
  file.WriteInt("Options", "TableInterval", s.tableInterval);
  file.WriteInt("Options", "DefaultWeeklyOn", s.defaultWeeklyOn);
  file.WriteInt("Options", "DefaultInfoOn", s.defaultInfoOn);
  file.WriteInt("Options", "DefaultTableOn", s.defaultTableOn);
  file.WriteInt("Options", "UseUserSlack", s.useUserSlack);
  file.WriteString("Options", "UserSlackValue", FormatSlackValue(s.userSlackKnots));
  file.WriteInt("Options", "GraphStyle", static_cast<int>(s.graphStyle));

  WriteFont(file, "Tide Font", s.tideFont, true);
  file.WriteString("Options", "MathType", std::string(1, s.mathType));
  file.WriteInt("Options", "DaylightSavings", s.daylightSavings);
  file.WriteInt("Options", "IntlDaylightSavings", s.intlDaylightSavings);

  file.WriteInt("Default Location", "DefaultTideRegion", s.defaultTideRegion);
  file.WriteInt("Default Location", "DefaultTideSubregion", s.defaultTideSubregion);
  file.WriteInt("Default Location", "DefaultCurrentRegion", s.defaultCurrentRegion);
  file.WriteInt("Default Location", "DefaultCurrentSubregion", s.defaultCurrentSubregion);

  // The list is written from slot 0 up to the first empty name.
  file.RemoveSection("MRU");
  for (int slot = 0; slot < kMruSlots; ++slot) {
    const MruEntry& entry = s.mru[static_cast<size_t>(slot)];
    if (entry.location.empty()) break;
    file.WriteString("MRU", Slot("MruLocation", slot), entry.location);
    file.WriteInt("MRU", Slot("MruRegion", slot), entry.region);
    file.WriteInt("MRU", Slot("MruSubregion", slot), entry.subregion);
    file.WriteInt("MRU", Slot("MruType", slot), entry.type);
  }

  SaveRealTimeSettings(s, file);

  file.WriteInt("Date", "DateChangeAffectsAll", s.dateChangeAffectsAll);
  file.WriteInt("Date", "SetToDate", s.dateSetToDate);

  if (!integratedMode) {
    file.WriteInt("Startup", "X", s.mainX);
    file.WriteInt("Startup", "Y", s.mainY);
    file.WriteInt("Startup", "Width", s.mainWidth);
    file.WriteInt("Startup", "Height", s.mainHeight);
  }
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
  const double value = DecimalValue(text);
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

bool IsValidSlackValue(double knots) { return knots >= 0.1 - 1e-9 && knots <= 0.6 + 1e-9; }

}  // namespace qw
