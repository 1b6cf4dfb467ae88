// The frame's New and Change Location commands as the location dialog drives them: the
// purpose each command opens the dialog with, and what its OK action does per station.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/main_frame.h"
#include "engine/calendar.h"
#include "settings/settings_store.h"
#include "tests/app/app_test_support.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

class StubWindow : public LocationWindow {
 public:
  explicit StubWindow(const LocationWindowSpec& spec) : spec_(spec) {}
  StationRef station() const override { return spec_.station; }
  uint32_t stationId() const override { return 100u + spec_.station.stationIndex; }
  QString locationName() const override { return QString("Station %1").arg(spec_.station.stationIndex); }
  QString title() const override { return locationName(); }
  bool position(double&, double&) const override { return false; }
  EngineMinute day() const override { return spec_.day; }
  void SetDay(EngineMinute day) override { spec_.day = day; }
  ViewSwitches switches() const override { return spec_.switches; }
  void SetInfoShown(bool shown) override { spec_.switches.info = shown; }
  void SetWeeklyShown(bool shown) override { spec_.switches.weekly = shown; }
  bool SetTableShown(bool shown) override {
    spec_.switches.table = shown;
    return true;
  }
  void SettingsChanged() override {}
  void Render(QPainter&, const QRect&) override {}

 private:
  LocationWindowSpec spec_;
};

class LocationCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::QtApp();
    stations_.regions[StationKind::Tide] = {{100, 101, 102, 103}};
    stations_.regions[StationKind::Current] = {{200, 201}};
    file_ = ProfileFile(dir_.File("velda.ini"));
    file_.LoadFromText("[Misc]\nFirstRun=0\n");
    settings_ = LoadSettings(file_, 480);
    frame_ = std::make_unique<MainFrame>(settings_, file_, catalogue_, [](const LocationWindowSpec& spec) {
      return new StubWindow(spec);
    });
    frame_->SetStations(&stations_);
    frame_->resize(900, 700);
    frame_->show();
    // The dialog stand-in: the stations `chosen_` are handed to the OK action.
    frame_->SetLocationChooser([this](LocationPurpose purpose, QWidget*, const StationAction& action) {
      purposes_.push_back(purpose);
      for (const StationRef& station : chosen_) results_.push_back(action(station));
      return !chosen_.empty();
    });
  }

  std::vector<StationRef> Shown() const {
    std::vector<StationRef> shown;
    for (LocationWindow* window : frame_->LocationWindows()) shown.push_back(window->station());
    return shown;
  }

  test::TempDir dir_;
  test::FakeStations stations_;
  CatalogueDirectory catalogue_;
  ProfileFile file_;
  AppSettings settings_;
  std::unique_ptr<MainFrame> frame_;
  std::vector<StationRef> chosen_;
  std::vector<LocationPurpose> purposes_;
  std::vector<StationActionResult> results_;
};

TEST_F(LocationCommandsTest, NewWindowCommandsOpenAWindowPerChosenStation) {
  chosen_ = {{StationKind::Tide, 0, 1}, {StationKind::Tide, 0, 3}};
  frame_->Run(Command::NewTideWindow);
  EXPECT_EQ(purposes_, std::vector<LocationPurpose>{LocationPurpose::NewTide});
  EXPECT_EQ(Shown(), chosen_);
  EXPECT_EQ(results_, (std::vector<StationActionResult>{StationActionResult::Done, StationActionResult::Done}));

  chosen_ = {{StationKind::Current, 0, 1}};
  frame_->Run(Command::NewCurrentWindow);
  EXPECT_EQ(purposes_.back(), LocationPurpose::NewCurrent);
  EXPECT_EQ(Shown().back(), chosen_[0]);
}

// Changing the location replaces the active window by one at the new station, on the
// same day and with the same view switches.
TEST_F(LocationCommandsTest, ChangeLocationMovesTheActiveWindow) {
  LocationWindow* first = frame_->OpenLocation({StationKind::Tide, 0, 0}, MinuteOf(2026, 5, 17),
                                               ViewSwitches{false, true, true, {}});
  frame_->OpenLocation({StationKind::Tide, 0, 1});
  frame_->findChild<QMdiArea*>()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));
  ASSERT_EQ(frame_->ActiveLocationWindow(), first);

  chosen_ = {{StationKind::Tide, 0, 2}};
  frame_->Run(Command::ChangeLocation);
  EXPECT_EQ(purposes_, std::vector<LocationPurpose>{LocationPurpose::ChangeTide});
  QCoreApplication::processEvents();
  const std::vector<StationRef> shown = Shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], (StationRef{StationKind::Tide, 0, 1}));
  EXPECT_EQ(shown[1], (StationRef{StationKind::Tide, 0, 2}));
  LocationWindow* moved = frame_->ActiveLocationWindow();
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(moved->station(), chosen_[0]);
  EXPECT_EQ(moved->day(), MinuteOf(2026, 5, 17));
  EXPECT_TRUE(moved->switches().table);
  EXPECT_FALSE(moved->switches().info);

  // A current window is changed through the current catalogue.
  frame_->OpenLocation({StationKind::Current, 0, 0});
  chosen_ = {{StationKind::Current, 0, 1}};
  frame_->Run(Command::ChangeLocation);
  EXPECT_EQ(purposes_.back(), LocationPurpose::ChangeCurrent);
}

TEST_F(LocationCommandsTest, CancellingChangesNothing) {
  frame_->OpenLocation({StationKind::Tide, 0, 0});
  frame_->Run(Command::ChangeLocation);
  frame_->Run(Command::NewTideWindow);
  EXPECT_EQ(purposes_.size(), 2u);
  EXPECT_EQ(Shown(), std::vector<StationRef>{(StationRef{StationKind::Tide, 0, 0})});
}

}  // namespace
}  // namespace qw
