#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <clocale>

#include "engine/engine_settings.h"
#include "settings/color_schemes.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

constexpr int kPacificBias = 480;  // minutes west of UTC
constexpr int kCentralEuropeBias = -60;

// The file LoadSettings and SaveSettings write over a new one for the settings of
// EverySavedKeyRoundTrips.
constexpr const char* kSavedFile = R"([Misc]
FirstRun=0

[Options]
SelectedSchemeIndex=1
NumColorSchemes=1
CloseBeforeOpen=1
DateInWinTitle=0
ProgramPilot=1
UseGMTCorrection=2
GMTCorrection=5.75
TimeType=1
UnitType=2
TideUnitType=4
CurrentUnitType=2
PrevNextWorksOnAll=1
HighRangeLine=0
LowRangeLine=0
Grid=1
WeeklyGrid=1
NowLine=0
TableInterval=30
DefaultWeeklyOn=1
DefaultInfoOn=0
DefaultTableOn=1
UseUserSlack=0
UserSlackValue=0.35
GraphStyle=2
MathType=i
DaylightSavings=0
IntlDaylightSavings=90

[Color Scheme 1]
SchemeName=Quaywise Default
DayLightColor=8454143
NightTimeColor=8421504
NormalBarColor=16711680
AboveHighRangeColor=255
BelowLowRangeColor=255
GridColor=12632256
RangeLineColor=16711680

[ReportOptions]
UseColor=1

[Startup]
ShowCaution=0
ShowWelcome=0
AutoOpen=1
StartupWinSize32=1
LastMainWinSize32=1
X=10
Y=20
Width=800
Height=600

[Tide Ranges]
HighRange=103
LowRange=111
HighHeight=1050
LowHeight=-25
HighLabel=Dock
LowLabel=Bar

[Current Ranges]
HighRange=101
LowRange=111
HighHeight=150
LowHeight=200
HighLabel=fast
LowLabel=ebb!

[Tide Font]
FontHeight=-15
FaceName=DejaVu Sans
FontWeight=700
FontItalic=1
PitchAndFamily=34

[Default Location]
DefaultTideRegion=3
DefaultTideSubregion=17
DefaultCurrentRegion=2
DefaultCurrentSubregion=5

[MRU]
MruLocation0=Seattle, Puget Sound
MruRegion0=4
MruSubregion0=120
MruType0=1
MruLocation1=The Narrows
MruRegion1=2
MruSubregion1=7
MruType1=2

[Real Time]
ShowChange=1
Enabled=1
AlwaysOnTop=0
RememberPos=0
X=640
Y=12
UpdatePeriod=15

[Real Time Font]
FontHeight=-12
FaceName=DejaVu Sans Mono
FontWeight=400
FontItalic=1

[Date]
DateChangeAffectsAll=1
SetToDate=45000
)";

ProfileFile FromText(const std::string& text) {
  ProfileFile file;
  file.LoadFromText(text);
  return file;
}

TEST(SettingsStoreTest, NoFileGivesTheDocumentedDefaults) {
  ProfileFile file;
  AppSettings s = LoadSettings(file, kPacificBias);
  EXPECT_EQ(s.timeType, TimeType::Clock12);
  EXPECT_EQ(s.tideUnit, TideUnit::Feet);
  EXPECT_EQ(s.currentUnit, CurrentUnit::Knots);
  EXPECT_EQ(s.SlackMicroKnots(), 100000);
  EXPECT_EQ(s.tableInterval, 15);
  EXPECT_TRUE(s.defaultInfoOn);
  EXPECT_FALSE(s.defaultTableOn);
  EXPECT_TRUE(s.nowLine);  // a file from before the key shows the present on today's graph
  EXPECT_EQ(s.mathType, 'f');
  EXPECT_EQ(s.tideRanges.highRange, kTideHighMhhw);
  EXPECT_EQ(s.currentRanges.highRange, kCurrentHighMaxFlood);
  EXPECT_EQ(s.currentRanges.lowRange, kCurrentLowMaxEbb);
  EXPECT_EQ(s.tideFont, (FontSetting{-11, "Arial", 400, 0, 0}));
  EXPECT_EQ(s.mru[0].type, kMruEmpty);
  // One scheme, the built-in one, selected and written to the file.
  EXPECT_EQ(s.numColorSchemes, 1);
  EXPECT_EQ(s.selectedSchemeIndex, 1);
  EXPECT_EQ(s.colors, BuiltInColorScheme());
  EXPECT_EQ(file.ReadString("Color Scheme 1", "SchemeName", "", 50), "Quaywise Default");
  EXPECT_EQ(file.ReadInt("Color Scheme 1", "DayLightColor", 0), 0x80FFFF);
  // The first run is over.
  EXPECT_EQ(file.ReadInt("Misc", "FirstRun", 1), 0);
}

TEST(SettingsStoreTest, FirstRunOutsideTheAmericasUsesMetres) {
  ProfileFile europe;
  EXPECT_EQ(LoadSettings(europe, kCentralEuropeBias).tideUnit, TideUnit::Metres);
  // The boundaries are exclusive: 1:52 and 12:00 west are outside too.
  ProfileFile edge112, edge113, edge720;
  EXPECT_EQ(LoadSettings(edge112, 112).tideUnit, TideUnit::Metres);
  EXPECT_EQ(LoadSettings(edge113, 113).tideUnit, TideUnit::Feet);
  EXPECT_EQ(LoadSettings(edge720, 720).tideUnit, TideUnit::Metres);
  // After the first run the user's choice stands.
  ProfileFile later = FromText("[Misc]\nFirstRun=0\n[Options]\nTideUnitType=1\n");
  EXPECT_EQ(LoadSettings(later, kCentralEuropeBias).tideUnit, TideUnit::Feet);
}

TEST(SettingsStoreTest, LoadingRulesRepairOutOfRangeValues) {
  ProfileFile file = FromText(
      "[Misc]\nFirstRun=0\n"
      "[Real Time]\nUpdatePeriod=16\n"
      "[Options]\nTableInterval=0\nTideUnitType=3\nCurrentUnitType=4\nTimeType=7\n"
      "UseGMTCorrection=9\nUserSlackValue=abc\nMathType=\nIntlDaylightSavings=-30\n"
      "[Tide Ranges]\nHighRange=104\nLowRange=0\n");
  AppSettings s = LoadSettings(file, kPacificBias);
  EXPECT_EQ(s.realTimeUpdatePeriod, 1);
  EXPECT_EQ(s.tableInterval, 15);
  EXPECT_EQ(s.tideUnit, TideUnit::Feet);
  EXPECT_EQ(s.currentUnit, CurrentUnit::Knots);
  EXPECT_EQ(s.timeType, TimeType::Clock12);
  EXPECT_EQ(s.useGmtCorrection, 0);
  EXPECT_DOUBLE_EQ(s.userSlackKnots, 0.1);
  EXPECT_EQ(s.mathType, 'f');
  EXPECT_EQ(s.intlDaylightSavings, 0);
  EXPECT_EQ(s.tideRanges.highRange, kTideHighMhhw);
  EXPECT_EQ(s.tideRanges.lowRange, kTideLowDatum);

  ProfileFile zero = FromText("[Misc]\nFirstRun=0\n[Real Time]\nUpdatePeriod=0\n");
  EXPECT_EQ(LoadSettings(zero, kPacificBias).realTimeUpdatePeriod, 1);
  // The legacy unit code is the default of both unit keys.
  ProfileFile legacy = FromText("[Misc]\nFirstRun=0\n[Options]\nUnitType=2\n");
  AppSettings fromLegacy = LoadSettings(legacy, kPacificBias);
  EXPECT_EQ(fromLegacy.tideUnit, TideUnit::Centimetres);
  EXPECT_EQ(fromLegacy.currentUnit, CurrentUnit::MetresPerSecond);
}

TEST(SettingsStoreTest, SchemeIndexBeyondTheCountRebuildsTheBuiltInScheme) {
  ProfileFile file = FromText(
      "[Misc]\nFirstRun=0\n[Options]\nNumColorSchemes=2\nSelectedSchemeIndex=3\n"
      "[Color Scheme 1]\nSchemeName=Mine\nDayLightColor=255\n"
      "[Color Scheme 2]\nSchemeName=Night\n");
  AppSettings s = LoadSettings(file, kPacificBias);
  EXPECT_EQ(s.selectedSchemeIndex, 1);
  EXPECT_EQ(s.numColorSchemes, 1);
  EXPECT_EQ(s.colors.name, "Quaywise Default");
  EXPECT_EQ(file.ReadInt("Options", "SelectedSchemeIndex", 0), 1);

  // Index 0 selects scheme 1 without rebuilding; empty colours take their defaults.
  ProfileFile zero = FromText(
      "[Misc]\nFirstRun=0\n[Options]\nNumColorSchemes=2\nSelectedSchemeIndex=0\n"
      "[Color Scheme 1]\nSchemeName=Mine\nDayLightColor=255\nGridColor=\n");
  AppSettings z = LoadSettings(zero, kPacificBias);
  EXPECT_EQ(z.selectedSchemeIndex, 1);
  EXPECT_EQ(z.colors.name, "Mine");
  EXPECT_EQ(z.colors.dayLight, 255u);
  EXPECT_EQ(z.colors.grid, 0xC0C0C0u);
  EXPECT_EQ(z.colors.nightTime, 0x000000u);
  EXPECT_EQ(zero.ReadInt("Options", "SelectedSchemeIndex", 9), 1);
}

// Every saved key comes back as it was written.
TEST(SettingsStoreTest, EverySavedKeyRoundTrips) {
  test::TempDir dir;
  ProfileFile file(dir.File("velda.ini"));
  AppSettings s = LoadSettings(file, kPacificBias);

  s.showWelcome = false;
  s.showCaution = false;
  s.autoOpen = true;
  s.startupWinSize = 1;
  s.reportUseColor = true;
  s.closeBeforeOpen = 1;
  s.dateInWinTitle = false;
  s.programPilot = true;
  s.tableInterval = 30;
  s.defaultWeeklyOn = true;
  s.defaultInfoOn = false;
  s.defaultTableOn = true;
  s.useUserSlack = false;
  s.userSlackKnots = 0.35;
  s.useGmtCorrection = 2;
  s.gmtCorrectionText = "5.75";
  s.timeType = TimeType::Clock24;
  s.unitType = 2;
  s.tideUnit = TideUnit::Metres;
  s.currentUnit = CurrentUnit::MetresPerSecond;
  s.prevNextWorksOnAll = true;
  s.highRangeLine = false;
  s.lowRangeLine = false;
  s.grid = true;
  s.weeklyGrid = true;
  s.nowLine = false;
  s.mathType = 'i';
  s.daylightSavings = false;
  s.intlDaylightSavings = 90;
  s.graphStyle = GraphStyle::Smooth;
  s.tideRanges = {kTideHighUser, kTideLowUser, 1050, -25, "Dock", "Bar"};
  s.currentRanges = {kCurrentHighUser, kCurrentLowUser, 150, 200, "fast", "ebb!"};
  s.tideFont = {-15, "DejaVu Sans", 700, 1, 34};
  s.defaultTideRegion = 3;
  s.defaultTideSubregion = 17;
  s.defaultCurrentRegion = 2;
  s.defaultCurrentSubregion = 5;
  s.mru[0] = {"Seattle, Puget Sound", 4, 120, 1};
  s.mru[1] = {"The Narrows", 2, 7, 2};
  s.realTimeShowChange = 1;
  s.realTimeEnabled = 1;
  s.realTimeAlwaysOnTop = 0;
  s.realTimeRememberPos = 0;
  s.realTimeX = 640;
  s.realTimeY = 12;
  s.realTimeUpdatePeriod = 15;
  s.realTimeFont = {-12, "DejaVu Sans Mono", 400, 1, 0};
  s.dateChangeAffectsAll = 1;
  s.dateSetToDate = 45000;
  RecordMainWindow(s, MainWindowState::Normal, 10, 20, 800, 600);

  SaveSettings(s, file, /*integratedMode=*/false);
  // A new file gets its sections and keys in the order they are saved.
  EXPECT_EQ(file.Text(), kSavedFile);
  std::string error;
  ASSERT_TRUE(file.Save(&error)) << error;

  ProfileFile again(dir.File("velda.ini"));
  ASSERT_EQ(again.Load(), ProfileFile::LoadResult::Loaded);
  AppSettings loaded = LoadSettings(again, kPacificBias);
  // Only the first start is one; the file says so from then on.
  EXPECT_TRUE(s.firstStart);
  EXPECT_FALSE(loaded.firstStart);
  s.firstStart = false;
  EXPECT_TRUE(loaded == s);
  EXPECT_EQ(again.ReadString("Tide Ranges", "HighHeight", "", 128), "1050");
  EXPECT_EQ(again.ReadString("Options", "MathType", "", 5), "i");
  EXPECT_EQ(again.ReadString("Options", "UserSlackValue", "", 128), "0.35");
  EXPECT_EQ(loaded.lastMainWinSize, 1);
  EXPECT_EQ(loaded.mainWidth, 800);
  // Saving what a full file loaded writes it again byte for byte.
  SaveSettings(loaded, again, false);
  EXPECT_EQ(again.Text(), kSavedFile);
}

TEST(SettingsStoreTest, HandEditsMadeWhileTheProgramRunsSurviveItsSaves) {
  test::TempDir dir;
  ProfileFile file(dir.File("velda.ini"));
  file.Load();
  AppSettings s = LoadSettings(file, kPacificBias);
  s.mru[0] = {"Seattle", 3, 7, 1};
  SaveSettings(s, file, false);
  std::string error;
  ASSERT_TRUE(file.Save(&error)) << error;

  // The user edits the file by hand while the program runs, as the README tells them to
  // for the charting directory, and changes a key the program also holds.
  ProfileFile hand(dir.File("velda.ini"));
  ASSERT_EQ(hand.Load(), ProfileFile::LoadResult::Loaded);
  hand.WriteString("Charting", "LoadSaveDirectory", "/opt/brantwick");
  hand.WriteInt("Options", "Grid", s.grid ? 0 : 1);
  hand.WriteInt("Options", "TableInterval", 15);
  ASSERT_TRUE(hand.Save(&error)) << error;

  // The program changes one key of its own and saves at the stop.
  s.tableInterval = 30;
  s.showCaution = !s.showCaution;
  SaveSettings(s, file, false);
  ASSERT_TRUE(file.Save(&error)) << error;

  ProfileFile after(dir.File("velda.ini"));
  ASSERT_EQ(after.Load(), ProfileFile::LoadResult::Loaded);
  EXPECT_EQ(after.ReadString("Charting", "LoadSaveDirectory", "", 260), "/opt/brantwick");
  EXPECT_EQ(after.ReadInt("Options", "Grid", -1), s.grid ? 0 : 1);
  EXPECT_EQ(after.ReadInt("Options", "TableInterval", -1), 30);  // both changed it: the program's save is later
  EXPECT_EQ(after.ReadInt("Startup", "ShowCaution", -1), s.showCaution ? 1 : 0);
  EXPECT_EQ(after.ReadString("MRU", "MruLocation0", "", 127), "Seattle");

  // A file that can no longer be read when saving is left alone.
  std::filesystem::remove(dir.File("velda.ini"));
  std::filesystem::create_directory(dir.File("velda.ini"));
  s.grid = !s.grid;
  SaveSettings(s, file, false);
  EXPECT_FALSE(file.Save(&error));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("velda.ini")));
}

TEST(SettingsStoreTest, KeysKeptByTheirOwnDialogsAreReadButNotWrittenAtTheStop) {
  ProfileFile file = FromText(
      "[Misc]\nFirstRun=0\n[Startup]\nShowWaterMark=1\n[TOTD]\nCurrentTip=7\nShowAtStartup=0\n"
      "[Set Date]\nSetToDate=03/05/2021\n[Charting]\nLoadSaveDirectory=/opt/brantwick\n"
      "[Searching]\nHeaderFontFace=Arial\nHeaderFontWeight=400\nBodyCreateFontHeight=-12\n");
  AppSettings s = LoadSettings(file, kPacificBias);
  EXPECT_EQ(s.showWaterMark, 1);
  EXPECT_EQ(s.currentTip, 7);
  EXPECT_EQ(s.tipShowAtStartup, 0);
  EXPECT_EQ(s.setDateText, "03/05/2021");
  EXPECT_EQ(s.chartingDirectory, "/opt/brantwick");
  EXPECT_EQ(s.searchHeaderFont, (FontSetting{-10, "Arial", 400, 0, 0}));
  EXPECT_EQ(s.searchBodyFont, (FontSetting{-12, "MS Sans Serif", 100, 0, 0}));

  s.currentTip = 9;
  s.chartingDirectory = "/elsewhere";
  s.searchBodyFont.height = -20;
  SaveSettings(s, file, false);
  EXPECT_EQ(file.ReadInt("TOTD", "CurrentTip", 0), 7);
  EXPECT_EQ(file.ReadString("Charting", "LoadSaveDirectory", "", 260), "/opt/brantwick");
  EXPECT_EQ(file.ReadInt("Searching", "BodyCreateFontHeight", 0), -12);
}

TEST(SettingsStoreTest, MruIsWrittenUpToTheFirstEmptySlot) {
  ProfileFile file;
  AppSettings s = LoadSettings(file, kPacificBias);
  s.mru[0] = {"A", 1, 2, 1};
  s.mru[2] = {"C", 1, 3, 1};  // after the gap at slot 1: not written
  SaveSettings(s, file, false);
  EXPECT_TRUE(file.HasKey("MRU", "MruLocation0"));
  EXPECT_FALSE(file.HasKey("MRU", "MruLocation1"));
  EXPECT_FALSE(file.HasKey("MRU", "MruLocation2"));
}

TEST(SettingsStoreTest, IntegratedModeKeepsTheWindowSizeKeys) {
  ProfileFile file = FromText("[Misc]\nFirstRun=0\n[Startup]\nStartupWinSize32=1\nX=5\nWidth=700\n");
  AppSettings s = LoadSettings(file, kPacificBias);
  RecordMainWindow(s, MainWindowState::Maximized, 0, 0, 1920, 1080);
  s.startupWinSize = 3;
  SaveSettings(s, file, /*integratedMode=*/true);
  EXPECT_EQ(file.ReadInt("Startup", "StartupWinSize32", 0), 1);
  EXPECT_EQ(file.ReadInt("Startup", "X", 0), 5);
  EXPECT_EQ(file.ReadInt("Startup", "Width", 0), 700);
  EXPECT_FALSE(file.HasKey("Startup", "LastMainWinSize32"));

  RecordMainWindow(s, MainWindowState::Minimized, 30, 40, 500, 400);
  SaveSettings(s, file, false);
  EXPECT_EQ(file.ReadInt("Startup", "LastMainWinSize32", 9), 0);
  EXPECT_EQ(file.ReadInt("Startup", "X", 9), 0);
  EXPECT_EQ(file.ReadInt("Startup", "Height", 9), 0);
}

TEST(SettingsStoreTest, UserRangeValues) {
  EXPECT_EQ(UserRangeValue("10.5", false), 1050);
  EXPECT_EQ(UserRangeValue("10.5", true), 10);
  EXPECT_EQ(UserRangeValue("-0.125", false), -13);  // half away from zero
  EXPECT_EQ(UserRangeValue("0.125", false), 13);
  EXPECT_EQ(UserRangeValue("2.004", false), 200);
  EXPECT_EQ(UserRangeValue("feet", false), 0);
  EXPECT_EQ(UserRangeValue("1e300", false), 0);
}

TEST(SettingsStoreTest, SlackValueTextAndEngineUnits) {
  EXPECT_EQ(FormatSlackValue(0.1), "0.1");
  EXPECT_EQ(FormatSlackValue(0.6), "0.6");
  EXPECT_EQ(FormatSlackValue(0.15), "0.15");
  AppSettings s;
  s.userSlackKnots = 0.15;
  EXPECT_EQ(s.SlackMicroKnots(), 150000);
  s.useUserSlack = false;
  EXPECT_EQ(s.SlackMicroKnots(), 100000);
}

// The desktop program runs with the C library's numbers in the user's locale; the
// settings file keeps a full stop as the decimal point whatever it is.
TEST(SettingsStoreTest, DecimalKeysDoNotFollowTheUserLocale) {
  const std::string saved = setlocale(LC_ALL, nullptr);
  if (!setlocale(LC_ALL, "nb_NO.UTF-8")) GTEST_SKIP() << "the nb_NO.UTF-8 locale is not installed (scripts/setup.sh)";
  EXPECT_EQ(FormatSlackValue(0.35), "0.35");
  EXPECT_EQ(FormatSlackValue(0.4), "0.4");
  ProfileFile file = FromText("[Misc]\nFirstRun=0\n[Options]\nUseUserSlack=1\nUserSlackValue=0.35\nGMTCorrection=5.5\n");
  const AppSettings s = LoadSettings(file, kPacificBias);
  EXPECT_EQ(s.userSlackKnots, 0.35);
  EXPECT_EQ(s.GmtCorrectionHours(), 5.5);
  EXPECT_EQ(UserRangeValue("1.25", false), 125);
  setlocale(LC_ALL, saved.c_str());
}

TEST(SettingsStoreTest, EngineReceivesItsKeys) {
  ProfileFile file = FromText(
      "[Misc]\nFirstRun=0\n[Options]\nMathType=Integer\nUseGMTCorrection=2\nGMTCorrection=-3.5\n"
      "DaylightSavings=0\nIntlDaylightSavings=60\nUseUserSlack=1\nUserSlackValue=0.3\n");
  AppSettings s = LoadSettings(file, kPacificBias);
  const EngineSettings saved = Settings();
  ApplyEngineSettings(s);
  EXPECT_EQ(Settings().mathType, 'i');
  EXPECT_EQ(Settings().useGmtCorrection, 2);
  EXPECT_DOUBLE_EQ(Settings().gmtCorrectionHours, -3.5);
  EXPECT_FALSE(Settings().daylightSavings);
  EXPECT_EQ(Settings().intlDaylightMinutes, 60);
  EXPECT_TRUE(Settings().useUserSlack);
  EXPECT_DOUBLE_EQ(Settings().userSlackValue, 0.3);
  Settings() = saved;
}

}  // namespace
}  // namespace qw

namespace qw {
namespace {

TEST(SettingsDialogRulesTest, UnitChangeSwitchesOffUserLines) {
  AppSettings before;
  before.tideRanges.highRange = kTideHighUser;
  before.currentRanges.lowRange = kCurrentLowUser;
  AppSettings after = before;
  // No unit change: nothing happens.
  EXPECT_TRUE(SwitchOffUserLinesOnUnitChange(before, after).empty());
  // Heights to metres: the user's high tide line goes off (2802); the low line is the datum.
  after.tideUnit = TideUnit::Metres;
  EXPECT_EQ(SwitchOffUserLinesOnUnitChange(before, after), std::vector<int>{2802});
  EXPECT_FALSE(after.highRangeLine);
  EXPECT_TRUE(after.lowRangeLine);
  // Speeds to metres per second: the user's low current line goes off (2803).
  AppSettings speeds = before;
  speeds.currentUnit = CurrentUnit::MetresPerSecond;
  EXPECT_EQ(SwitchOffUserLinesOnUnitChange(before, speeds), std::vector<int>{2803});
  EXPECT_TRUE(speeds.highRangeLine);
  EXPECT_FALSE(speeds.lowRangeLine);
}

TEST(SettingsDialogRulesTest, SlackLimits) {
  EXPECT_TRUE(IsValidSlackValue(0.1));
  EXPECT_TRUE(IsValidSlackValue(0.6));
  EXPECT_TRUE(IsValidSlackValue(0.35));
  EXPECT_FALSE(IsValidSlackValue(0.09));
  EXPECT_FALSE(IsValidSlackValue(0.61));
  EXPECT_FALSE(IsValidSlackValue(0.0));
}

}  // namespace
}  // namespace qw
