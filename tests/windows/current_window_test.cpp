// A current window at real NOAA current stations of the built data: what it lists is the
// engine's day, it draws its graph in every style, steps through the days, and comes
// back from the open-windows list; and at hand-built stations of the current fixture
// (rotary, weak and variable, without corrections).
#include "windows/current_window.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QMdiArea>
#include <QPainter>
#include <filesystem>

#include "app/main_frame.h"
#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/engine_settings.h"
#include "engine/engine_state.h"
#include "engine/station_database.h"
#include "present/display_units.h"
#include "settings/catalogue_directory.h"
#include "settings/settings_store.h"
#include "shell/open_windows.h"
#include "tests/app/app_test_support.h"
#include "tests/support/current_fixture.h"
#include "tests/support/test_support.h"
#include "windows/location_window_factory.h"
#include "windows/tide_window.h"

namespace qw {
namespace {

class CurrentWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::filesystem::path(QW_BUILT_DATA_DIR) / "catalogue.csv")) {
      GTEST_SKIP() << "no built DATA directory at " << QW_BUILT_DATA_DIR;
    }
    test::QtApp();
    ResetEngine();
    Settings() = EngineSettings{};
    SetDataDirectory(QW_BUILT_DATA_DIR);
    ProfileFile file;
    file.LoadFromText("[Misc]\nFirstRun=0\n");
    settings_ = LoadSettings(file, 480);
    ApplyEngineSettings(settings_);
    catalogue_.Open();
    goldenGate_ = Find(5384);  // Golden Gate Bridge, NOAA SFB1202, a harmonic station
    ASSERT_TRUE(goldenGate_) << "Golden Gate Bridge (5384) is not in the data";
  }
  void TearDown() override { ResetEngine(); }

  // The current station with a station ID, in any region.
  std::optional<StationRef> Find(uint16_t stationId) {
    const RegionList& regions = catalogue_.Regions(StationKind::Current);
    for (int slot = 0; slot < catalogue_.RegionCount(StationKind::Current); ++slot) {
      const int index = FindCurrentStationById(regions, slot, -1, stationId, 1);
      if (index >= 0) return StationRef{StationKind::Current, static_cast<uint16_t>(slot), static_cast<uint16_t>(index)};
    }
    return std::nullopt;
  }

  std::unique_ptr<CurrentWindow> Open(const StationRef& station, EngineMinute day, ViewSwitches switches = {}) {
    LocationWindowSpec spec;
    spec.station = station;
    spec.day = day;
    spec.switches = switches;
    auto* window = static_cast<CurrentWindow*>(MakeCurrentWindow(catalogue_, settings_, spec));
    if (window) window->resize(1000, 700);
    return std::unique_ptr<CurrentWindow>(window);
  }

  // The engine's own list of the day, in the window's words.
  std::vector<EventText> EngineEvents(const StationRef& ref, EngineMinute day) {
    CurrentLocation station;
    EXPECT_TRUE(catalogue_.ReadCurrent(ref, station));
    const CurrentDayList list = FindCurrentDay(station, catalogue_.ClockOf(ref, station), day);
    EXPECT_EQ(list.status, 0);
    std::vector<EventText> texts;
    for (const ShownCurrentEvent& e : list.events) {
      DateRecord date;
      MinuteToDate(e.at.shown, date);
      EventText t;
      t.word = CurrentEventWord(e.kind);
      t.time = ClockText(date.hour, date.minute, settings_.timeType);
      t.value = SpeedDisplayText(SpeedToDisplay(MicroKnots(e.speed), settings_.currentUnit));
      t.direction = DirectionText(e.direction);
      texts.push_back(t);
    }
    return texts;
  }

  static void ExpectSameEvents(const std::vector<EventText>& shown, const std::vector<EventText>& engine) {
    ASSERT_EQ(shown.size(), engine.size());
    for (size_t i = 0; i < shown.size(); ++i) {
      EXPECT_EQ(shown[i].word, engine[i].word) << i;
      EXPECT_EQ(shown[i].time, engine[i].time) << i;
      EXPECT_EQ(shown[i].value, engine[i].value) << i;
      EXPECT_EQ(shown[i].direction, engine[i].direction) << i;
    }
  }

  test::ReportCapture reports_;
  AppSettings settings_;
  CatalogueDirectory catalogue_;
  std::optional<StationRef> goldenGate_;
};

TEST_F(CurrentWindowTest, ShowsTheEnginesDayAndDrawsTheGraph) {
  const EngineMinute day = MinuteOf(2024, 6, 15);
  auto window = Open(*goldenGate_, day);
  ASSERT_TRUE(window);
  const DayPresentation& view = window->presentation();
  EXPECT_EQ(view.name, "Golden Gate Bridge, 0.88 Nm NE of");
  EXPECT_EQ(view.source, "Harmonic station (NOAA)");
  EXPECT_EQ(view.zone, "(PDT)");
  EXPECT_EQ(view.eventsHeading, "Daily Max Floods & Ebbs:");
  EXPECT_EQ(window->title(), "Golden Gate Bridge, 0.88 Nm NE of - 6/15/2024");
  ASSERT_EQ(view.averages.size(), 4u);
  EXPECT_EQ(view.averages[0].label, "Min Before Flood:");
  EXPECT_EQ(view.averages[3].label, "Avg Max Ebb:");
  EXPECT_EQ(view.sun.size(), 2u);

  // The list is the engine's, with floods, ebbs and slacks of a semidiurnal current.
  const std::vector<EventText> engine = EngineEvents(*goldenGate_, day);
  ExpectSameEvents(view.events, engine);
  int floods = 0, ebbs = 0, slacks = 0;
  for (const EventText& e : view.events) {
    floods += e.word == "Flood";
    ebbs += e.word == "Ebb";
    slacks += e.word == "Slack";
    EXPECT_FALSE(e.direction.empty());
  }
  EXPECT_GE(floods, 1);
  EXPECT_GE(ebbs, 1);
  EXPECT_GE(slacks, 3);
  EXPECT_EQ(view.graph.marks.size(), static_cast<size_t>(slacks));
  EXPECT_TRUE(view.graph.twoWay);
  EXPECT_LT(view.graph.minimum, -1000000);  // more than a knot of ebb
  EXPECT_GT(view.graph.maximum, 1000000);

  // The graph area is drawn: day and night colours, flood bars and paler ebb bars.
  const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRect graph = window->graphArea();
  ASSERT_GT(graph.height(), 200);
  EXPECT_EQ(window->HelpAt(graph.center()).topic, "current_window#graph");
  const QRgb ebb = EbbShade(QColor(0, 0, 255)).rgb() & 0xFFFFFF;
  int day_ = 0, night = 0, flood = 0, ebbPixels = 0;
  for (int y = graph.top(); y <= graph.bottom(); ++y) {
    for (int x = graph.left(); x <= graph.right(); ++x) {
      const QRgb c = image.pixel(x, y) & 0xFFFFFF;
      day_ += c == 0xFFFF80;
      night += c == 0x808080;
      flood += c == 0x0000FF;
      ebbPixels += c == ebb;
    }
  }
  EXPECT_GT(day_, 5000);
  EXPECT_GT(night, 5000);
  EXPECT_GT(flood, 2000);
  EXPECT_GT(ebbPixels, 2000);
  EXPECT_FALSE(window->graphFailed());
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

// At the instant of the day's strongest flood, today's graph shows the present with that
// flood's speed and direction, above the zero line.
TEST_F(CurrentWindowTest, TheNowLineReadsTheSpeedAtThePresentMinute) {
  auto window = Open(*goldenGate_, MinuteOf(2024, 6, 15));
  ASSERT_TRUE(window);
  const CurrentDay& day = window->currentDay();
  const ShownCurrentEvent* flood = nullptr;
  for (const ShownCurrentEvent& e : day.events) {
    if (e.kind == 'F' && (!flood || e.speed > flood->speed)) flood = &e;
  }
  ASSERT_NE(flood, nullptr);
  CurrentLocation station;
  ASSERT_TRUE(catalogue_.ReadCurrent(*goldenGate_, station));
  const int64_t utcMinute = catalogue_.ClockOf(*goldenGate_, station).UtcMinuteOf(flood->at.standard);
  const QDateTime utc = QDateTime::fromSecsSinceEpoch((utcMinute - 25567LL * 1440) * 60 + 30, Qt::UTC);
  window->SetWallClock([utc] { return utc; });
  ASSERT_TRUE(window->nowMark().has_value());
  const NowMark& now = *window->nowMark();
  EXPECT_EQ(now.minute, static_cast<int>(flood->at.standard - day.span.standardStart));
  const EventText& listed = window->presentation().events[static_cast<size_t>(flood - day.events.data())];
  EXPECT_EQ(now.label, "Now " + listed.time + " " + listed.value + " " + listed.direction);
  EXPECT_GT(now.value, 1000000);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_F(CurrentWindowTest, SteppingTheTableAndEveryStyle) {
  auto window = Open(*goldenGate_, MinuteOf(2024, 6, 15), ViewSwitches{true, false, true});
  ASSERT_TRUE(window);
  window->SetDay(AddDays(window->day(), 1));
  EXPECT_EQ(window->day(), MinuteOf(2024, 6, 16));
  EXPECT_EQ(window->title(), "Golden Gate Bridge, 0.88 Nm NE of - 6/16/2024");
  ExpectSameEvents(window->presentation().events, EngineEvents(*goldenGate_, MinuteOf(2024, 6, 16)));
  window->SetDay(AddMonths(window->day(), 6));  // into standard time
  EXPECT_EQ(window->presentation().zone, "(PST)");
  ExpectSameEvents(window->presentation().events, EngineEvents(*goldenGate_, MinuteOf(2024, 12, 16)));

  // The table's rows are the engine's values at their minutes: 01:00 is the fifth row.
  ASSERT_TRUE(window->SetTableShown(true));
  const MinuteTableModel& table = window->tableModel();
  ASSERT_EQ(table.rowCount(), 96);
  CurrentLocation station;
  ASSERT_TRUE(catalogue_.ReadCurrent(*goldenGate_, station));
  const MinuteValue at = CurrentValueAt(station, window->day() + 60);
  const QString text = table.data(table.index(4, 1), Qt::DisplayRole).toString();
  EXPECT_EQ(text.toStdString(),
            SpeedDisplayText(SpeedToDisplay(MicroKnots(at.value), CurrentUnit::Knots)) + "  " + DirectionText(at.direction));
  EXPECT_EQ(table.data(table.index(4, 0), Qt::DisplayRole).toString(), "1:00 am");

  for (GraphStyle style : {GraphStyle::Bars, GraphStyle::Filled, GraphStyle::Smooth}) {
    settings_.graphStyle = style;
    settings_.currentUnit = style == GraphStyle::Smooth ? CurrentUnit::MetresPerSecond : CurrentUnit::Knots;
    window->SettingsChanged();
    EXPECT_FALSE(window->graphFailed());
    QImage image(1000, 700, QImage::Format_RGB32);
    QPainter painter(&image);
    window->Render(painter, image.rect());
  }
  EXPECT_EQ(window->presentation().graph.unitName, "m/s");
  EXPECT_NE(window->presentation().events[0].value.find(" m/s"), std::string::npos);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_F(CurrentWindowTest, SubordinateStationNamesItsReference) {
  // Golden Gate Bridge (NOAA PCT0281) is computed from a harmonic station nearby.
  const std::optional<StationRef> ref = Find(45379);
  ASSERT_TRUE(ref);
  auto window = Open(*ref, MinuteOf(2024, 6, 15));
  ASSERT_TRUE(window);
  const DayPresentation& view = window->presentation();
  EXPECT_EQ(view.source.rfind("based on ", 0), 0u) << view.source;
  EXPECT_NE(view.source.find(" (NOAA)"), std::string::npos);
  ExpectSameEvents(view.events, EngineEvents(*ref, MinuteOf(2024, 6, 15)));
  EXPECT_FALSE(view.events.empty());
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_F(CurrentWindowTest, TheOpenWindowsListReopensCurrentWindows) {
  test::TempDir dir;
  ProfileFile file(dir.File("velda.ini"));
  file.LoadFromText("[Misc]\nFirstRun=0\n");
  auto factory = [&](const LocationWindowSpec& spec) { return MakeLocationWindow(catalogue_, settings_, spec); };
  CurrentLocation record;
  ASSERT_TRUE(catalogue_.ReadCurrent(*goldenGate_, record));
  {
    MainFrame frame(settings_, file, catalogue_, factory);
    frame.resize(1000, 760);
    frame.show();
    ASSERT_TRUE(frame.OpenLocation(*goldenGate_, MinuteOf(2024, 6, 15), ViewSwitches{true, true, false}));
    ASSERT_TRUE(frame.SaveAtStop());
  }
  const std::vector<OpenWindowEntry> saved = ReadOpenWindows(file);
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].station, *goldenGate_);
  EXPECT_EQ(saved[0].stationId, record.stationId);

  MainFrame frame(settings_, file, catalogue_, factory);
  frame.resize(1000, 760);
  frame.show();
  ASSERT_EQ(frame.ReopenLastWindows(), 1);
  const std::vector<LocationWindow*> windows = frame.LocationWindows();
  ASSERT_EQ(windows.size(), 1u);
  auto* current = qobject_cast<CurrentWindow*>(windows[0]);
  ASSERT_NE(current, nullptr);
  EXPECT_EQ(current->station(), *goldenGate_);
  EXPECT_TRUE(current->switches().table);
  EXPECT_FALSE(current->presentation().events.empty());

  // Day stepping from the frame moves the current window like a tide window.
  const EngineMinute before = current->day();
  frame.Run(Command::NextDay);
  EXPECT_EQ(current->day(), AddDays(before, 1));
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

// Windows over the current fixture's data directory.
class CurrentFixtureWindowTest : public test::EngineTest {
 protected:
  CurrentFixtureWindowTest() {
    test::QtApp();
    test::WriteCurrentTables(dataDir_.path().string());
    test::WriteCurrentFile(dataDir_.path().string(), test::ReversingCurrent(771));
  }
  std::unique_ptr<CurrentWindow> Open(const CurrentLocation& station) {
    auto window = std::make_unique<CurrentWindow>(StationRef{StationKind::Current, 0, 0}, station, "", settings_,
                                                  MinuteOf(2004, 1, 9), ViewSwitches{true, true, true});
    window->resize(900, 640);
    return window;
  }
  AppSettings settings_;
};

RotaryTable TurningTable() {
  RotaryTable table;
  for (size_t i = 0; i < kRotaryPoints; ++i) {
    const int k = static_cast<int>(i);
    table.speedHundredthsKnot[i] = static_cast<int16_t>(k <= 12 ? 150 - 10 * k : 30 + 10 * (k - 12));
    table.directionDegrees[i] = static_cast<int16_t>(k * 15 % 360);
  }
  return table;
}

TEST_F(CurrentFixtureWindowTest, RotaryStationsListMaximaAndMinimaWithDirections) {
  test::WriteRotaryFile(dataDir_.path().string(), 17, TurningTable());
  CurrentLocation station = test::HarmonicCurrentStation(771, 17);
  station.stationKind = kCurrentKindRotary;
  auto window = Open(station);
  const DayPresentation& view = window->presentation();
  EXPECT_EQ(view.stationKindText, "Current is rotary in nature.");
  EXPECT_FALSE(view.graph.twoWay);
  ASSERT_GE(view.events.size(), 3u) << reports_.Describe();
  for (const EventText& e : view.events) {
    EXPECT_TRUE(e.word == "Max" || e.word == "Min") << e.word;
    EXPECT_FALSE(e.direction.empty());
    EXPECT_NE(e.value.front(), '-') << e.value;  // rotary speeds are magnitudes
  }
  EXPECT_FALSE(view.graph.marks.empty());  // the minima
  QImage image(900, 640, QImage::Format_RGB32);
  QPainter painter(&image);
  window->Render(painter, image.rect());
  painter.end();
  EXPECT_FALSE(window->graphFailed());
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_F(CurrentFixtureWindowTest, ADamagedTableIsReportedOnceNotForEveryDayOrRow) {
  RotaryTable damaged = TurningTable();
  damaged.directionDegrees[24] = 360;  // no direction: the reader refuses the file
  test::WriteRotaryFile(dataDir_.path().string(), 17, damaged);
  CurrentLocation station = test::HarmonicCurrentStation(771, 17);
  station.stationKind = kCurrentKindRotary;
  auto window = Open(station);  // with the weekly view and the table
  window->grab();
  EXPECT_TRUE(window->presentation().events.empty());
  ASSERT_EQ(reports_.reports().size(), 2u) << reports_.Describe();
  EXPECT_TRUE(reports_.Has(2211));
  EXPECT_TRUE(reports_.Has(2212, "Error initializing current!"));
}

TEST_F(CurrentFixtureWindowTest, StationsWithoutPredictionsShowANoticeAndAskNothing) {
  CurrentLocation weak = test::HarmonicCurrentStation(771, 5771);
  weak.stationKind = kCurrentKindWeakVariable;
  auto window = Open(weak);
  EXPECT_EQ(window->presentation().notice, StationNotice::WeakAndVariable);
  EXPECT_TRUE(window->presentation().events.empty());
  EXPECT_TRUE(window->presentation().stationKindText.empty());  // the notice says it
  EXPECT_EQ(window->tableModel().data(window->tableModel().index(0, 1), Qt::DisplayRole).toString(), "---  kt");

  // A subordinate station without any time correction; its reference file is not even
  // installed, and nothing asks for it.
  CurrentLocation none =
      test::SubordinateCurrentStation(999, 5772, kNotGiven16, kNotGiven16, kNotGiven16, kNotGiven16, 100, 100);
  window = Open(none);
  EXPECT_EQ(window->presentation().notice, StationNotice::NoCorrections);
  EXPECT_EQ(NoticeText(StationNotice::NoCorrections).rfind("Insufficient data to perform predictions.", 0), 0u);
  QImage image(900, 640, QImage::Format_RGB32);
  QPainter painter(&image);
  window->Render(painter, image.rect());
  painter.end();
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

}  // namespace
}  // namespace qw
