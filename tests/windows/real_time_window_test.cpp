// The real-time window with a clock the tests set: its lists kept in the settings file,
// the update period, the minute timer, the keys, the setup dialog and the frame's and
// chart link's commands.
#include "windows/real_time_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListView>
#include <QScreen>
#include <QSpinBox>
#include <QCheckBox>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "app/main_frame.h"
#include "engine/calendar.h"
#include "engine/string_table.h"
#include "present/real_time_model.h"
#include "present/real_time_texts.h"
#include "shell/real_time_list.h"
#include "tests/present/real_time_fixture.h"
#include "tests/support/notice_recorder.h"
#include "windows/real_time_setup.h"

namespace qw {
namespace {

class RealTimeWindowTest : public test::RealTimeFixture {
 protected:
  void SetUp() override {
    RealTimeFixture::SetUp();
    now_ = At(2026, 7, 4, 12, 0, -7);
    settings_.realTimeShowChange = 1;
  }

  // A window whose location dialog "chooses" the stations in `choices_`.
  std::unique_ptr<RealTimeWindow> Make() {
    RealTimeServices services;
    services.choose = [this](LocationPurpose purpose, QWidget*, const StationAction& action) {
      purposes_.push_back(purpose);
      for (const StationRef& station : choices_) action(station);
      return true;
    };
    services.openWindows = [this] { return open_; };
    services.openStation = [this](const StationRef& station) { opened_.push_back(station); };
    return std::make_unique<RealTimeWindow>(catalogue_, settings_, file_, services, [this] { return now_; });
  }

  QDateTime now_;
  std::vector<StationRef> choices_;
  std::vector<LocationPurpose> purposes_;
  std::vector<OpenLocationInfo> open_;
  std::vector<StationRef> opened_;
  test::NoticeRecorder notices_;
};

TEST_F(RealTimeWindowTest, ListsAreKeptInTheSettingsFileAndReloaded) {
  auto window = Make();
  EXPECT_EQ(window->model()->rowCount(), 0);
  choices_ = {Port(test::kPacificPort), Port(test::kStandardPort)};
  window->AddStations(StationKind::Tide);
  EXPECT_EQ(purposes_, std::vector<LocationPurpose>{LocationPurpose::RealTimeTide});
  ASSERT_EQ(window->model()->rowCount(), 2);
  EXPECT_EQ(window->model()->index(1).data().toString(), "Standard Harbour");

  ProfileFile reread(dataDir_.File("velda.ini"));
  ASSERT_EQ(reread.Load(), ProfileFile::LoadResult::Loaded);
  EXPECT_EQ(reread.ReadInt("Real Time Tides", "Count", 0), 2);
  EXPECT_EQ(reread.ReadInt("Real Time Tides", "Subregion1", -1), test::kStandardPort);
  EXPECT_EQ(ReadRealTimeList(reread, StationKind::Tide), choices_);

  // A second window over the file read back shows the same stations.
  file_ = std::move(reread);
  auto again = Make();
  ASSERT_EQ(again->model()->rowCount(), 2);
  EXPECT_EQ(again->model()->index(0).data().toString(), "Mixed Harbour");
  EXPECT_FALSE(again->model()->index(0).data(RealTimeModel::ValueRole).toString().isEmpty());

  // Adding a station again is refused by the list; deleting one removes it from the file.
  choices_ = {Port(test::kPacificPort)};
  again->AddStations(StationKind::Tide);
  EXPECT_EQ(again->model()->rowCount(), 2);
  again->DeleteEntry(0);
  EXPECT_EQ(ReadRealTimeList(file_, StationKind::Tide), std::vector<StationRef>{Port(test::kStandardPort)});
  again->DeleteAll();
  EXPECT_EQ(again->model()->rowCount(), 0);
}

TEST_F(RealTimeWindowTest, ASixteenthTideIsRefusedAndTheCurrentListIsNotAffected) {
  RealTimeLists lists;
  for (uint16_t i = 0; i < 15; ++i) lists.tides.push_back({StationKind::Tide, 0, i});
  lists.Write(file_);
  auto window = Make();
  window->AddStations(StationKind::Tide);
  EXPECT_TRUE(purposes_.empty());  // the location dialog is not even opened
  ASSERT_EQ(notices_.told.size(), 1u);
  EXPECT_EQ(notices_.told[0].text, StringText(3000));
  choices_ = {{StationKind::Current, 0, 0}};
  window->AddStations(StationKind::Current);
  EXPECT_EQ(purposes_, std::vector<LocationPurpose>{LocationPurpose::RealTimeCurrent});
  EXPECT_EQ(ReadRealTimeList(file_, StationKind::Current).size(), 1u);

  // More than 15 in a damaged file: only 15 are read.
  file_.WriteInt("Real Time Tides", "Count", 40);
  EXPECT_EQ(RealTimeLists::Read(file_).tides.size(), 15u);
}

// Several open windows at once: what could not be added is said once.
TEST_F(RealTimeWindowTest, AddingOpenWindowsReportsFullListsAndDuplicates) {
  RealTimeLists lists;
  for (uint16_t i = 0; i < 14; ++i) lists.tides.push_back({StationKind::Tide, 0, i});
  const std::vector<StationRef> candidates = {{StationKind::Tide, 0, 3}, {StationKind::Tide, 0, 20},
                                              {StationKind::Tide, 0, 21}, {StationKind::Current, 0, 1}};
  const AddManyOutcome outcome = AddOpenStations(lists, candidates, nullptr);
  EXPECT_EQ(outcome.added, 2);
  EXPECT_EQ(outcome.refusedListed, 1);
  EXPECT_EQ(outcome.refusedFull, 1);
  ASSERT_EQ(notices_.told.size(), 1u);
  EXPECT_EQ(notices_.told[0].title, "Unable To Add");
  EXPECT_TRUE(notices_.told[0].text.startsWith("Unable to add one or more locations because of one of the following"));
  EXPECT_EQ(AddManyMessage({1, 2, 0}), "Unable to add one or more locations. RealTime Window has reached its limit of locations.");
  EXPECT_EQ(AddManyMessage({1, 0, 2}), "Unable to add one or more locations because they already exist in the list.");
  EXPECT_EQ(AddManyMessage({3, 0, 0}), "");

  notices_.clear();
  auto window = Make();
  window->AddOpenWindows();  // no windows open
  ASSERT_EQ(notices_.told.size(), 1u);
  EXPECT_EQ(notices_.told[0].title, kNothingToAddTitle);
}

TEST_F(RealTimeWindowTest, RecomputesEveryUpdatePeriodAndRebuildsAfterMidnight) {
  RealTimeLists lists;
  lists.tides = {Port(test::kPacificPort)};
  lists.Write(file_);
  settings_.realTimeUpdatePeriod = 5;
  now_ = At(2026, 7, 4, 23, 50, -7);
  auto window = Make();
  const int atStart = window->board().predictions();
  for (int tick = 1; tick <= 4; ++tick) {
    now_ = now_.addSecs(60);
    window->Tick();
    EXPECT_EQ(window->board().predictions(), atStart) << tick;
  }
  EXPECT_EQ(window->caption().toStdString(), CaptionText(now_.toLocalTime(), settings_.timeType));  // 23:54 there
  now_ = now_.addSecs(60);
  window->Tick();  // the fifth tick: 23:55
  EXPECT_EQ(window->board().predictions(), atStart + 1);
  const std::string before = window->board().tides()[0].changeText;
  for (int tick = 0; tick < 10; ++tick) {
    now_ = now_.addSecs(60);
    window->Tick();
  }
  // 00:05 on the 5th: new day tables.
  EXPECT_EQ(window->board().tides()[0].tableDay, MinuteOf(2026, 7, 5));
  EXPECT_NE(window->board().tides()[0].changeText, before);
}

// A timer shot that comes early is not a tick; the next boundary is.
TEST_F(RealTimeWindowTest, MinuteTimerTicksJustAfterTheWallClocksMinute) {
  QDateTime clock = QDateTime(QDate(2026, 7, 4), QTime(12, 0, 59, 800), Qt::UTC);
  MinuteTimer timer([&clock] { return clock; });
  int ticks = 0;
  QObject::connect(&timer, &MinuteTimer::tick, [&ticks] { ++ticks; });
  timer.Start();
  EXPECT_EQ(timer.armedFor(), 200 + MinuteTimer::kMarginMs);
  EXPECT_EQ(MinuteTimer::MillisecondsToNextMinute(clock), 200 + MinuteTimer::kMarginMs);
  // The clock does not move: the shot comes "early" and re-arms.
  QTest::qWait(400);
  EXPECT_EQ(ticks, 0);
  EXPECT_TRUE(timer.active());
  clock = clock.addMSecs(300);  // 12:01:00.100
  EXPECT_TRUE(test::SpinUntil([&] { return ticks == 1; }, 2000));
  EXPECT_EQ(timer.armedFor(), 59900 + MinuteTimer::kMarginMs);
}

TEST_F(RealTimeWindowTest, KeysMoveTheWindowWithinTheScreen) {
  auto window = Make();
  window->show();
  const QRect area = window->screen()->availableGeometry();
  QTest::keyClick(window.get(), Qt::Key_Home);
  EXPECT_EQ(window->pos(), area.topLeft());
  QTest::keyClick(window.get(), Qt::Key_Left);
  QTest::keyClick(window.get(), Qt::Key_Up);
  EXPECT_EQ(window->pos(), area.topLeft());  // never past the edges
  QTest::keyClick(window.get(), Qt::Key_Right);
  QTest::keyClick(window.get(), Qt::Key_Down);
  EXPECT_EQ(window->pos(), area.topLeft() + QPoint(1, 1));
  QTest::keyClick(window.get(), Qt::Key_PageDown);
  EXPECT_EQ(window->geometry().bottomRight(), area.bottomRight());
  QTest::keyClick(window.get(), Qt::Key_End);
  EXPECT_EQ(window->geometry().bottomLeft(), area.bottomLeft());
  QTest::keyClick(window.get(), Qt::Key_PageUp);
  EXPECT_EQ(window->geometry().topRight(), area.topRight());
}

TEST_F(RealTimeWindowTest, DoubleClickOpensTheStationAndClosingRemembersThePlace) {
  RealTimeLists lists;
  lists.tides = {Port(test::kStandardPort)};
  lists.Write(file_);
  settings_.realTimeEnabled = 1;
  auto window = Make();
  window->show();
  emit window->view()->doubleClicked(window->model()->index(0));
  EXPECT_EQ(opened_, std::vector<StationRef>{Port(test::kStandardPort)});

  window->move(window->screen()->availableGeometry().topLeft() + QPoint(30, 40));
  bool off = false;
  QObject::connect(window.get(), &RealTimeDisplay::switchedOff, [&off] { off = true; });
  window->SwitchOff();
  EXPECT_TRUE(off);
  EXPECT_EQ(settings_.realTimeEnabled, 0);
  EXPECT_EQ(settings_.realTimeX, window->pos().x());
  EXPECT_EQ(file_.ReadInt("Real Time", "Enabled", 1), 0);
  EXPECT_EQ(file_.ReadInt("Real Time", "Y", 0), window->pos().y());
}

// The application closes every window when it quits; the window stays on for the next
// start then.
TEST_F(RealTimeWindowTest, QuittingTheProgramLeavesTheWindowEnabled) {
  settings_.realTimeEnabled = 1;
  auto window = Make();
  window->show();
  bool off = false;
  QObject::connect(window.get(), &RealTimeDisplay::switchedOff, [&off] { off = true; });
  window->close();
  EXPECT_FALSE(off);
  EXPECT_EQ(settings_.realTimeEnabled, 1);
}

TEST_F(RealTimeWindowTest, ProgramPilotOffersTheSetupOnTheFirstShowingOnly) {
  settings_.programPilot = true;
  auto window = Make();
  window->show();
  ASSERT_TRUE(test::SpinUntil([&] { return !notices_.asked.empty(); }, 2000));
  EXPECT_TRUE(notices_.asked[0].text.startsWith(
      "The Real Time window is a powerful tool that allows you to track tides and currents while using other "
      "applications."));
  window->hide();
  window->show();
  QTest::qWait(50);
  EXPECT_EQ(notices_.asked.size(), 1u);
}

// The setup dialog edits copies; OK writes the lists and the options at once.
TEST_F(RealTimeWindowTest, SetupWritesTheListsAndOptionsOnOk) {
  RealTimeLists lists;
  lists.tides = {Port(test::kPacificPort), Port(test::kStandardPort)};
  lists.Write(file_);
  settings_.realTimeShowChange = 0;
  auto window = Make();
  const int oneLine = window->height();
  bool checked = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<RealTimeSetupDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    checked = window->DialogOpen();
    EXPECT_EQ(dialog->windowTitle(), "Real Time Window Setup");
    ASSERT_EQ(dialog->tideList()->count(), 2);
    dialog->tideList()->item(0)->setSelected(true);
    dialog->DeleteHighlighted();
    dialog->showChangeBox()->setChecked(true);
    dialog->onTopBox()->setChecked(false);
    dialog->periodBox()->setValue(7);
    dialog->accept();
  });
  EXPECT_TRUE(window->Setup());
  EXPECT_TRUE(checked);
  EXPECT_FALSE(window->DialogOpen());
  EXPECT_EQ(settings_.realTimeUpdatePeriod, 7);
  EXPECT_EQ(settings_.realTimeShowChange, 1);
  EXPECT_FALSE(window->alwaysOnTop());
  ProfileFile reread(dataDir_.File("velda.ini"));
  ASSERT_EQ(reread.Load(), ProfileFile::LoadResult::Loaded);
  EXPECT_EQ(reread.ReadInt("Real Time", "UpdatePeriod", 0), 7);
  EXPECT_EQ(reread.ReadInt("Real Time", "AlwaysOnTop", 1), 0);
  EXPECT_EQ(ReadRealTimeList(reread, StationKind::Tide), std::vector<StationRef>{Port(test::kStandardPort)});
  EXPECT_EQ(window->model()->rowCount(), 1);
  EXPECT_GT(window->height(), oneLine / 2);  // rows now carry the next-change line

  // Cancel keeps everything.
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<RealTimeSetupDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->periodBox()->setValue(2);
    dialog->reject();
  });
  EXPECT_FALSE(window->Setup());
  EXPECT_EQ(settings_.realTimeUpdatePeriod, 7);
}

// The frame's command and the chart link's requests drive the window.
TEST_F(RealTimeWindowTest, FrameShowsPinsAndSwitchesTheWindowOff) {
  MainFrame frame(settings_, file_, catalogue_, {});
  EXPECT_FALSE(frame.action(Command::RealTimeWindow)->isEnabled());
  frame.SetRealTimeFactory([this]() -> RealTimeDisplay* {
    return new RealTimeWindow(catalogue_, settings_, file_, {}, [this] { return now_; });
  });
  EXPECT_TRUE(frame.action(Command::RealTimeWindow)->isEnabled());
  EXPECT_FALSE(frame.action(Command::RealTimeWindow)->isChecked());

  frame.ShowRealTime(2);  // request 3083 with parameter 2: shown, always on top
  auto* window = qobject_cast<RealTimeWindow*>(frame.realTimeWindow());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->alwaysOnTop());
  EXPECT_EQ(settings_.realTimeEnabled, 1);
  EXPECT_TRUE(frame.action(Command::RealTimeWindow)->isChecked());
  frame.ShowRealTime(1);
  EXPECT_FALSE(window->alwaysOnTop());
  EXPECT_EQ(frame.realTimeWindow(), window);  // the same window

  frame.AddRealTimeStation(Port(test::kPacificPort));  // request 3084
  frame.RefreshRealTime();
  EXPECT_EQ(window->model()->rowCount(), 1);
  EXPECT_EQ(frame.RealTimeEntryCount(StationKind::Tide), 1);
  frame.SetRealTimeOptions(false, true);  // request 3085: clear the lists, no change line
  frame.RefreshRealTime();
  EXPECT_EQ(window->model()->rowCount(), 0);
  EXPECT_EQ(settings_.realTimeShowChange, 0);

  frame.action(Command::RealTimeWindow)->trigger();  // the menu: switch it off
  EXPECT_TRUE(test::SpinUntil([&] { return frame.realTimeWindow() == nullptr; }, 2000));
  EXPECT_EQ(settings_.realTimeEnabled, 0);
  EXPECT_FALSE(frame.action(Command::RealTimeWindow)->isChecked());
  frame.ShowRealTime(3);  // any other value toggles it back on
  EXPECT_NE(frame.realTimeWindow(), nullptr);
}

}  // namespace
}  // namespace qw
