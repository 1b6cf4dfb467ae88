#include "app/main_frame.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <filesystem>
#include <fstream>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTimer>

#include "app/first_windows.h"
#include "app/tip_of_the_day.h"
#include "app/window_fit.h"
#include "shell/printable_table.h"
#include "engine/calendar.h"
#include "engine/engine_settings.h"
#include "settings/settings_store.h"
#include "tests/app/app_test_support.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

// A location window that only remembers what it was told.
class FakeWindow : public LocationWindow {
 public:
  FakeWindow(const LocationWindowSpec& spec, uint32_t id) : ref_(spec.station), id_(id), day_(spec.day), switches_(spec.switches) {}
  StationRef station() const override { return ref_; }
  uint32_t stationId() const override { return id_; }
  QString locationName() const override { return QString("Station %1").arg(id_); }
  QString title() const override { return locationName(); }
  bool position(double& latitude, double& longitude) const override {
    latitude = 47.5;
    longitude = -122.25;
    return true;
  }
  EngineMinute day() const override { return day_; }
  void SetDay(EngineMinute day) override { day_ = day - day % kMinutesPerDay; }
  ViewSwitches switches() const override { return switches_; }
  void SetInfoShown(bool shown) override { switches_.info = shown; }
  void SetWeeklyShown(bool shown) override { switches_.weekly = shown; }
  bool SetTableShown(bool shown) override {
    switches_.table = shown;
    return true;
  }
  void SettingsChanged() override { ++settingsChanges; }
  void Render(QPainter&, const QRect&) override {}
  int settingsChanges = 0;

 private:
  StationRef ref_;
  uint32_t id_;
  EngineMinute day_;
  ViewSwitches switches_;
};

// Accepts the next modal box and records its text.
void AnswerNextBox(QString* text) {
  QTimer::singleShot(0, [text] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      if (text) *text = box->text();
      box->accept();
    } else {
      AnswerNextBox(text);
    }
  });
}

// The frame over fake stations and fake windows.
class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::QtApp();
    stations_.regions[StationKind::Tide] = {{0, 100, 200, 300}};
    file_ = ProfileFile(dir_.File("velda.ini"));
    file_.LoadFromText("[Misc]\nFirstRun=0\n");
    settings_ = LoadSettings(file_, 480);
  }
  std::unique_ptr<MainFrame> MakeFrame() {
    auto frame = std::make_unique<MainFrame>(settings_, file_, catalogue_, [this](const LocationWindowSpec& spec) -> LocationWindow* {
      std::optional<uint32_t> id = stations_.StationId(spec.station);
      return id ? new FakeWindow(spec, *id) : nullptr;
    });
    frame->SetStations(&stations_);
    frame->resize(900, 700);
    frame->show();
    return frame;
  }

  test::TempDir dir_;
  test::FakeStations stations_;
  CatalogueDirectory catalogue_;  // empty: the frame asks `stations_` through SetStations
  ProfileFile file_;
  AppSettings settings_;
};

TEST_F(MainFrameTest, EveryCommandIsInTheMenus) {
  auto frame = MakeFrame();
  QList<QAction*> menuActions;
  for (QAction* menu : frame->menuBar()->actions()) menuActions += menu->menu()->actions();
  for (const CommandSpec& spec : CommandTable()) {
    EXPECT_TRUE(menuActions.contains(frame->action(spec.command))) << spec.text;
  }
  EXPECT_EQ(frame->menuBar()->actions().size(), 7);
  // Features still to come are present but disabled; window commands wait for a window.
  EXPECT_FALSE(frame->action(Command::EventSearch)->isEnabled());
  EXPECT_FALSE(frame->action(Command::RealTimeWindow)->isEnabled());
  EXPECT_FALSE(frame->action(Command::NextDay)->isEnabled());
  EXPECT_TRUE(frame->action(Command::NewTideWindow)->isEnabled());
  EXPECT_EQ(frame->action(Command::NewTideWindow)->statusTip(), "Open a new tide window");
  EXPECT_EQ(frame->action(Command::NewTideWindow)->toolTip(), "New Tide Window");
  EXPECT_EQ(frame->windowTitle(), "Quaywise Pro");

  frame->OpenLocation({StationKind::Tide, 0, 2});
  EXPECT_TRUE(frame->action(Command::NextDay)->isEnabled());
  EXPECT_EQ(frame->windowTitle(), "Station 200 - Quaywise Pro");
  // View on chart needs the charting program.
  EXPECT_FALSE(frame->action(Command::ViewOnChart)->isEnabled());
  frame->SetChartProgram("/opt/brantwick/brantwick");
  EXPECT_TRUE(frame->action(Command::ViewOnChart)->isEnabled());
}

TEST_F(MainFrameTest, OpenWindowsComeBackAtTheirStationAfterTheRegionMoved) {
  {
    auto frame = MakeFrame();
    frame->OpenLocation({StationKind::Tide, 0, 2}, std::nullopt, ViewSwitches{false, true, true, {}});
    frame->OpenLocation({StationKind::Tide, 0, 3});
    ASSERT_TRUE(frame->SaveAtStop());
  }
  ProfileFile saved(dir_.File("velda.ini"));
  ASSERT_EQ(saved.Load(), ProfileFile::LoadResult::Loaded);
  EXPECT_EQ(saved.ReadInt("OpenWindows", "Count", 0), 2);

  // The region was reinstalled: station 200 is now index 1 and station 300 is gone.
  stations_.regions[StationKind::Tide] = {{0, 200, 100}};
  file_ = std::move(saved);
  auto frame = MakeFrame();
  EXPECT_EQ(frame->ReopenLastWindows(), 1);
  const std::vector<LocationWindow*> windows = frame->LocationWindows();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0]->station(), (StationRef{StationKind::Tide, 0, 1}));
  EXPECT_EQ(windows[0]->stationId(), 200u);
  EXPECT_FALSE(windows[0]->switches().info);
  EXPECT_TRUE(windows[0]->switches().table);
  EXPECT_TRUE(windows[0]->switches().weekly);
}

TEST_F(MainFrameTest, DaySteppingActsOnTheActiveWindowOrOnAll) {
  auto frame = MakeFrame();
  const EngineMinute jan31 = MinuteOf(2024, 1, 31);
  LocationWindow* first = frame->OpenLocation({StationKind::Tide, 0, 1}, jan31);
  LocationWindow* second = frame->OpenLocation({StationKind::Tide, 0, 2}, jan31);
  frame->Run(Command::NextMonth);  // the active window: the second
  EXPECT_EQ(first->day(), jan31);
  EXPECT_EQ(second->day(), MinuteOf(2024, 2, 29));  // the day clamped to February's length
  settings_.prevNextWorksOnAll = true;
  frame->Run(Command::PreviousDay);
  EXPECT_EQ(first->day(), MinuteOf(2024, 1, 30));
  EXPECT_EQ(second->day(), MinuteOf(2024, 2, 28));

  // Beyond the supported range: message 3201 once, no window moves.
  test::ReportCapture reports;
  first->SetDay(MinuteOf(2099, 12, 31));
  second->SetDay(MinuteOf(2099, 12, 31));
  frame->Run(Command::NextDay);
  EXPECT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(reports.Has(3201));
  EXPECT_EQ(first->day(), MinuteOf(2099, 12, 31));
}

TEST_F(MainFrameTest, ViewSwitchesFollowTheActiveWindow) {
  auto frame = MakeFrame();
  LocationWindow* window = frame->OpenLocation({StationKind::Tide, 0, 1});
  EXPECT_EQ(window->switches().info, settings_.defaultInfoOn);
  frame->Run(Command::WeeklyView);
  EXPECT_TRUE(window->switches().weekly);
  EXPECT_TRUE(frame->action(Command::WeeklyView)->isChecked());
  frame->Run(Command::InfoWindows);
  EXPECT_FALSE(window->switches().info);
}

TEST_F(MainFrameTest, ChangeLocationWithoutAWindowExplains) {
  auto frame = MakeFrame();
  QString shown;
  AnswerNextBox(&shown);
  frame->Run(Command::ChangeLocation);
  EXPECT_EQ(shown, "Open a Tide or Current Window first, then try changing the location.");
}

TEST_F(MainFrameTest, RecentlyUsedLocationsMostRecentFirst) {
  auto frame = MakeFrame();
  frame->OpenLocation({StationKind::Tide, 0, 1});
  frame->OpenLocation({StationKind::Tide, 0, 2});
  frame->OpenLocation({StationKind::Tide, 0, 1});
  EXPECT_EQ(settings_.mru[0].location, "Station 100");
  EXPECT_EQ(settings_.mru[0].subregion, 1);
  EXPECT_EQ(settings_.mru[1].location, "Station 200");
  EXPECT_TRUE(settings_.mru[2].location.empty());
}

TEST_F(MainFrameTest, ChartOpenRequestOpensAMaximizedWindowOnTheDay) {
  auto frame = MakeFrame();
  frame->OpenFromChart({StationKind::Tide, 0, 3}, CalendarDay{2024, 7, 4});
  ASSERT_EQ(frame->LocationWindows().size(), 1u);
  LocationWindow* window = frame->LocationWindows()[0];
  EXPECT_EQ(window->day(), MinuteOf(2024, 7, 4));
  EXPECT_TRUE(window->parentWidget()->isMaximized());
}

TEST_F(MainFrameTest, SettingsChangesReachEveryWindowAndTheEngine) {
  auto frame = MakeFrame();
  auto* window = static_cast<FakeWindow*>(frame->OpenLocation({StationKind::Tide, 0, 1}));
  settings_.intlDaylightSavings = 0;
  // The dialog's OK: "Add 90 Minutes" ticked.
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_TRUE(dialog);
    dialog->findChild<QCheckBox*>()->setChecked(true);
    dialog->findChild<QComboBox*>()->setCurrentIndex(2);
    static_cast<QDialog*>(dialog)->accept();
  });
  frame->Run(Command::IntlDaylightSavings);
  EXPECT_EQ(settings_.intlDaylightSavings, 90);
  EXPECT_EQ(Settings().intlDaylightMinutes, 90);
  EXPECT_EQ(window->settingsChanges, 1);
  Settings() = EngineSettings{};
}

}  // namespace
}  // namespace qw

namespace qw {
namespace {

TEST(TipOfTheDayTest, ReadsOneTipALine) {
  test::TempDir dir;
  const std::string path = dir.File("Velda.tip");
  {
    std::ofstream out(path, std::ios::binary);
    out << "; comment\r\nFirst tip\r\n\r\n   \n  Second tip\nThird tip";  // no final line end
  }
  EXPECT_EQ(ReadTips(path), (std::vector<std::string>{"First tip", "Second tip", "Third tip"}));
  EXPECT_TRUE(ReadTips(dir.File("missing.tip")).empty());
  std::filesystem::resize_file(path, 8u << 20);  // far too large for a tip file
  EXPECT_TRUE(ReadTips(path).empty());
  // The program's own tip file has tips.
  EXPECT_GE(ReadTips(QW_SOURCE_DIR "/app/Velda.tip").size(), 10u);
}

}  // namespace
}  // namespace qw

namespace qw {
namespace {

TEST_F(MainFrameTest, CurrentWindowsThatCannotOpenAreKeptInTheList) {
  stations_.regions[StationKind::Current] = {{0, 500}};
  {
    OpenWindowEntry current;
    current.station = {StationKind::Current, 0, 1};
    current.stationId = 500;
    current.placement.right = current.placement.bottom = 300;
    OpenWindowEntry tide;
    tide.station = {StationKind::Tide, 0, 1};
    tide.stationId = 100;
    tide.placement.right = tide.placement.bottom = 300;
    WriteOpenWindows(file_, {current, tide});
  }
  auto frame = MakeFrame();
  frame->SetCurrentsAvailable(false);
  EXPECT_EQ(frame->ReopenLastWindows(), 1);
  EXPECT_FALSE(frame->action(Command::NewCurrentWindow)->isEnabled());
  const std::vector<OpenWindowEntry> entries = frame->EntriesToSave();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].station.kind, StationKind::Current);
  EXPECT_EQ(entries[1].stationId, 500u);
}

}  // namespace
}  // namespace qw

namespace qw {
namespace {

TEST_F(MainFrameTest, ClosingWindowsUpdatesTheCommands) {
  auto frame = MakeFrame();
  frame->OpenLocation({StationKind::Tide, 0, 1});
  frame->OpenLocation({StationKind::Tide, 0, 2});
  frame->Run(Command::TileHorizontally);
  frame->Run(Command::Cascade);
  frame->Run(Command::CloseAll);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
  EXPECT_TRUE(frame->LocationWindows().empty());
  EXPECT_FALSE(frame->action(Command::NextDay)->isEnabled());
  EXPECT_EQ(frame->windowTitle(), "Quaywise Pro");
}

// A results window as the frame sees it: a widget whose table prints.
class TableWidget : public QWidget, public PrintableTable {
 public:
  const QAbstractItemModel& printModel() const override { return model_; }
  QStringList printHeadings() const override { return {"Event Search Results"}; }

 private:
  QStandardItemModel model_{3, 2};
};

TEST_F(MainFrameTest, NewAndRestoredWindowsLieWholeInsideTheWindowArea) {
  // Stored at the last stop in a larger frame: one rectangle runs past this area.
  {
    OpenWindowEntry inside;
    inside.station = {StationKind::Tide, 0, 1};
    inside.stationId = 100;
    inside.placement = {0, kShowNormal, -1, -1, -1, -1, 20, 30, 420, 330};
    OpenWindowEntry outside = inside;
    outside.station = {StationKind::Tide, 0, 2};
    outside.stationId = 200;
    outside.placement = {0, kShowNormal, -1, -1, -1, -1, 600, 400, 1500, 1100};
    WriteOpenWindows(file_, {inside, outside});
  }
  auto frame = MakeFrame();
  QMdiArea* area = frame->findChild<QMdiArea*>();
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(frame->ReopenLastWindows(), 2);
  // Beside them a new tide window, a current-sized one and a results window.
  frame->OpenLocation({StationKind::Tide, 0, 3});
  frame->OpenLocation({StationKind::Tide, 0, 1});
  auto* table = new TableWidget;
  frame->AddChildWindow(table, Command::EventSearch);

  const QRect visible = area->viewport()->rect();
  const QList<QMdiSubWindow*> subs = area->subWindowList(QMdiArea::CreationOrder);
  ASSERT_EQ(subs.size(), 5);
  auto sub = [&](const QString& title) {
    for (QMdiSubWindow* s : subs) {
      if (s->windowTitle() == title) return s;
    }
    return subs.front();
  };
  EXPECT_EQ(sub("Station 100")->geometry(), QRect(20, 30, 400, 300));  // it fits: kept
  EXPECT_EQ(sub("Station 200")->size(), QSize(900, 700).boundedTo(visible.size()));
  std::vector<QPoint> corners;
  for (QMdiSubWindow* sub : subs) {
    SCOPED_TRACE(sub->windowTitle().toStdString());
    EXPECT_TRUE(visible.contains(sub->geometry())) << sub->geometry().x() << "," << sub->geometry().y() << " "
                                                   << sub->width() << "x" << sub->height() << " in "
                                                   << visible.width() << "x" << visible.height();
    if (std::find(corners.begin(), corners.end(), sub->pos()) == corners.end()) corners.push_back(sub->pos());
  }
  EXPECT_EQ(corners.size(), 5u);  // cascaded, none hidden exactly behind another

  // Quick Print serves the results window too.
  EXPECT_EQ(frame->ActiveChild(), table);
  EXPECT_TRUE(frame->action(Command::QuickPrint)->isEnabled());
}

TEST(WindowFitTest, NewWindowsCascadeWholeInsideTheArea) {
  const QRect area(0, 0, 800, 600);
  // Too big: shrunk to the area, at its top left.
  EXPECT_EQ(PlaceNewWindow(area, {1000, 760}, {100, 100}, {}, 20), QRect(0, 0, 800, 600));
  // The next free step; back to the top left once no step keeps it inside.
  EXPECT_EQ(PlaceNewWindow(area, {700, 500}, {100, 100}, {{0, 0}, {20, 20}}, 20), QRect(40, 40, 700, 500));
  EXPECT_EQ(PlaceNewWindow(area, {700, 500}, {100, 100}, {{0, 0}, {20, 20}, {40, 40}, {60, 60}, {80, 80}, {100, 100}},
                           20),
            QRect(0, 0, 700, 500));
  // Never below the window's minimum, even where it cannot fit.
  EXPECT_EQ(PlaceNewWindow(QRect(0, 0, 300, 200), {700, 500}, {400, 250}, {}, 20), QRect(0, 0, 400, 250));
  EXPECT_TRUE(FitsWhole(QRect(10, 10, 100, 100), area));
  EXPECT_FALSE(FitsWhole(QRect(750, 10, 100, 100), area));
  EXPECT_FALSE(FitsWhole(QRect(), area));
}

}  // namespace
}  // namespace qw

namespace qw {
namespace {

class FirstWindowsTest : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    settings_.showWelcome = false;
    settings_.showCaution = false;
    settings_.tipShowAtStartup = 0;
    settings_.autoOpen = false;
    settings_.realTimeEnabled = 0;
    start_.defaultStation = StationRef{StationKind::Tide, 0, 2};
  }
  FirstWindowsStart start_;
};

TEST_F(FirstWindowsTest, TheDefaultStationOpensOnTheFirstStartAlone) {
  settings_.firstStart = false;
  {
    auto frame = MakeFrame();
    OpenFirstWindows(*frame, settings_, start_);
    EXPECT_TRUE(frame->LocationWindows().empty()) << "a later start with no windows stays empty";
  }
  settings_.firstStart = true;
  auto frame = MakeFrame();
  OpenFirstWindows(*frame, settings_, start_);
  ASSERT_EQ(frame->LocationWindows().size(), 1u);
  EXPECT_EQ(frame->LocationWindows()[0]->station(), *start_.defaultStation);
}

TEST_F(FirstWindowsTest, TheWelcomeOffersCurrentWindowsWhenCurrentDataIsInstalled) {
  settings_.showWelcome = true;
  start_.currentsAvailable = true;
  auto frame = MakeFrame();
  std::optional<bool> currentEnabled;
  QTimer::singleShot(0, [&] {
    QWidget* welcome = QApplication::activeModalWidget();
    ASSERT_NE(welcome, nullptr);
    for (QPushButton* button : welcome->findChildren<QPushButton*>()) {
      if (button->text() == "Open a C&urrent Window...") currentEnabled = button->isEnabled();
    }
    QMetaObject::invokeMethod(welcome, "reject", Qt::QueuedConnection);
  });
  OpenFirstWindows(*frame, settings_, start_);
  ASSERT_TRUE(currentEnabled.has_value());
  EXPECT_TRUE(*currentEnabled);
}

}  // namespace
}  // namespace qw
