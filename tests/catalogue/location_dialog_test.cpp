#include "catalogue/location_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "engine/station_database.h"
#include "engine/string_table.h"
#include "shell/real_time_list.h"
#include "tests/app/app_test_support.h"
#include "tests/stations/catalogue_fixture.h"
#include "tests/support/source_fixture.h"
#include "tests/support/notice_recorder.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

class LocationDialogTest : public test::EngineTest {
 protected:
  void SetUp() override {
    test::QtApp();
    test::WritePugetSound();
    TideLocation area = test::TideStation("HOOD CANAL", 0);
    area.unused88[1] = 12;  // an official note on a general area
    test::WriteTides(5, "California", {area, test::TideStation("Monterey", 301)});
    test::WriteCurrents(3, "Washington", {test::CurrentStation("Admiralty Inlet", 401, 30),
                                          test::CurrentStation("Rich Passage", 402)});
    // Who published the references' data: Astoria's NOAA, Monterey's a TICON-4 gauge
    // under a licence that forbids commercial use.
    test::WriteStationSources({test::SourceEntry('T', 9201, "NOAA", "NOAA"),
                               test::SourceEntry('T', 9301, "TICON-4", "TICON-4 (BODC)", "cc-by-nc-4.0")});
    index_.Build(BuildRegionList(StationKind::Tide), BuildRegionList(StationKind::Current));
  }

  // A dialog whose OK action records the stations it is given.
  std::unique_ptr<LocationDialog> Open(int purpose) {
    return std::make_unique<LocationDialog>(index_, purpose, memory_, [this](const StationRef& station) {
      acted_.push_back(station);
      return StationActionResult::Done;
    });
  }

  void Select(LocationDialog& dialog, const std::vector<int>& rows) {
    QItemSelectionModel* selection = dialog.stationView()->selectionModel();
    selection->clearSelection();
    for (int row : rows) {
      selection->setCurrentIndex(dialog.stationView()->model()->index(row, 0), QItemSelectionModel::Select);
    }
  }

  std::vector<int> ActedRows() const {
    std::vector<int> rows;
    for (const StationRef& station : acted_) rows.push_back(station.stationIndex);
    return rows;
  }

  StationIndex index_;
  AppSettings memory_;
  std::vector<StationRef> acted_;
  test::NoticeRecorder notices_;
};

TEST_F(LocationDialogTest, OpensOnTheRememberedStationOrTheFirst) {
  memory_.defaultTideRegion = 0;
  memory_.defaultTideSubregion = 5;
  auto dialog = Open(1);
  EXPECT_EQ(dialog->windowTitle(), "Select Location for New Tide Window");
  EXPECT_EQ(dialog->currentRegion(), 0);
  EXPECT_EQ(dialog->caretStation(), 5);
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{5});
  EXPECT_EQ(dialog->countLine(), "(7 entries  0 selected)");

  memory_.defaultTideSubregion = 42;  // beyond the region's seven stations
  EXPECT_EQ(Open(1)->caretStation(), 0);
  memory_.defaultTideRegion = 9;  // no such region
  memory_.defaultTideSubregion = 1;
  auto fallback = Open(1);
  EXPECT_EQ(fallback->currentRegion(), 0);
  EXPECT_EQ(fallback->caretStation(), 0);

  memory_.defaultCurrentRegion = 0;
  memory_.defaultCurrentSubregion = 1;
  auto currents = Open(4);
  EXPECT_EQ(currents->kind(), StationKind::Current);
  EXPECT_EQ(currents->caretStation(), 1);
}

TEST_F(LocationDialogTest, WithoutRegionsOfTheKindTheDialogSaysSoAndDoesNotOpen) {
  std::filesystem::remove(dataDir_.File("curr3.dat"));
  StationIndex tidesOnly;
  tidesOnly.Build(BuildRegionList(StationKind::Tide), BuildRegionList(StationKind::Current));
  EXPECT_FALSE(LocationDialog::Run(tidesOnly, 2, memory_, {}, nullptr));
  ASSERT_EQ(notices_.told.size(), 1u);
  EXPECT_EQ(notices_.told[0].title, "No Current Regions Installed");
}

// Typing "sea" selects the first station containing it in any case; Next and Prev step
// through the others; past the last one the beep sounds and the selection stays.
TEST_F(LocationDialogTest, NameSearchSelectsAsYouTypeAndSteps) {
  auto dialog = Open(1);
  QTest::keyClicks(dialog->nameSearch(), "sea");
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{1});  // Seattle
  EXPECT_EQ(dialog->caretStation(), 1);
  QTest::mouseClick(dialog->nextButton(), Qt::LeftButton);
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{3});  // Chelsea Point
  dialog->nextButton()->click();
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{5});  // SEASIDE Dock
  dialog->nextButton()->click();
  EXPECT_EQ(notices_.beeps, 1);
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{5});
  dialog->prevButton()->click();
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{3});
  EXPECT_EQ(dialog->countLine(), "(7 entries   1 selected)");

  QTest::keyClicks(dialog->nameSearch(), "x");  // "seax": no station
  EXPECT_TRUE(dialog->selectedStations().empty());
  dialog->nameSearch()->clear();
  EXPECT_TRUE(dialog->selectedStations().empty());
  EXPECT_EQ(dialog->caretStation(), 0);
}

TEST_F(LocationDialogTest, IdSearchSelectsTheStationWithThatNumber) {
  auto dialog = Open(1);
  QTest::keyClicks(dialog->idSearch(), "104");
  EXPECT_TRUE(dialog->idMode()->isChecked());
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{4});  // Tacoma
  dialog->nextButton()->click();
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{6});  // Olympia shares the ID
  dialog->nextButton()->click();
  EXPECT_EQ(notices_.beeps, 1);
  dialog->prevButton()->click();
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{4});
  QTest::keyClicks(dialog->idSearch(), "9");  // 1049: none, the selection stays
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{4});
  // The name box takes the steps again once it is typed in.
  QTest::keyClicks(dialog->nameSearch(), "port");
  EXPECT_TRUE(dialog->nameMode()->isChecked());
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{2});
}

// A name not in the selected region is found in the others, the region list following
// the match; Next goes on into the following regions and beeps after the last match of
// the list; Prev comes back. A station ID is found in any region.
TEST_F(LocationDialogTest, SearchesGoOnIntoTheOtherRegions) {
  auto dialog = Open(1);
  ASSERT_EQ(dialog->currentRegion(), 0);
  QTest::keyClicks(dialog->nameSearch(), "monterey");
  EXPECT_EQ(dialog->currentRegion(), 2);  // California
  EXPECT_EQ(dialog->regionView()->currentIndex().row(), 2);
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{1});
  EXPECT_EQ(dialog->countLine(), "(2 entries   1 selected)");

  dialog->regionView()->setCurrentIndex(dialog->regionView()->model()->index(0, 0));
  dialog->nameSearch()->clear();
  QTest::keyClicks(dialog->nameSearch(), "port");
  EXPECT_EQ(dialog->currentRegion(), 0);  // the selected region first: Port Townsend
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{2});
  dialog->nextButton()->click();
  EXPECT_EQ(dialog->currentRegion(), 1);  // Newport, Oregon
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{1});
  dialog->nextButton()->click();
  EXPECT_EQ(notices_.beeps, 1);
  EXPECT_EQ(dialog->currentRegion(), 1);
  dialog->prevButton()->click();
  EXPECT_EQ(dialog->currentRegion(), 0);
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{2});

  QTest::keyClicks(dialog->idSearch(), "301");
  EXPECT_EQ(dialog->currentRegion(), 2);
  EXPECT_EQ(dialog->selectedStations(), std::vector<int>{1});  // Monterey
}

// The detail panel names the publisher the catalogue records and its licence, and says
// plainly when the licence forbids commercial use.
TEST_F(LocationDialogTest, DetailNamesThePublisherAndFlagsANonCommercialLicence) {
  auto dialog = Open(1);
  dialog->regionView()->setCurrentIndex(dialog->regionView()->model()->index(2, 0));
  Select(*dialog, {1});
  const QStringList detail = dialog->detailLines();
  EXPECT_TRUE(detail.contains("Ref Station: Harmonic Station (TICON-4, BODC)")) << detail.join(" | ").toStdString();
  EXPECT_TRUE(detail.contains(QString::fromUtf8("Licence: CC BY-NC 4.0 \u2014 Not for commercial use")))
      << detail.join(" | ").toStdString();
}

TEST_F(LocationDialogTest, ChangingTheRegionListsItsStationsAndDescribesTheFirst) {
  auto dialog = Open(1);
  dialog->regionView()->setCurrentIndex(dialog->regionView()->model()->index(1, 0));
  EXPECT_EQ(dialog->currentRegion(), 1);
  EXPECT_EQ(dialog->stationView()->model()->rowCount(), 2);
  EXPECT_EQ(dialog->countLine(), "( 2 entries - 0 selected )");
  EXPECT_EQ(dialog->caretStation(), 0);
  const QStringList detail = dialog->detailLines();
  ASSERT_GE(detail.size(), 5);
  EXPECT_EQ(detail[0], "Detail of Astoria");
  EXPECT_EQ(detail[1], "Station ID: 201");
  EXPECT_EQ(detail[2], "Ref Station: Harmonic Station (NOAA)");
  EXPECT_EQ(detail[3], QString::fromUtf8("Latitude: 46\u00B012' N"));

  Select(*dialog, {0, 1});
  EXPECT_EQ(dialog->detailLines(), QStringList{"Multiple locations selected"});
  EXPECT_EQ(dialog->countLine(), "(2 entries   2 selected)");

  dialog->regionView()->setCurrentIndex(dialog->regionView()->model()->index(0, 0));
  Select(*dialog, {0});
  EXPECT_EQ(dialog->detailLines(), (QStringList{"Detail of PUGET SOUND", "General vicinity only, no predictions"}));
}

TEST_F(LocationDialogTest, OkActsOnEverySelectedPortInListOrderAndRemembersTheChoice) {
  auto dialog = Open(1);
  Select(*dialog, {5, 0, 1});  // a general area among them is skipped
  dialog->accept();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(ActedRows(), (std::vector<int>{1, 5}));
  EXPECT_TRUE(notices_.told.empty());
  EXPECT_EQ(memory_.defaultTideRegion, 0);
  EXPECT_EQ(memory_.defaultTideSubregion, 1);  // the caret's station

  acted_.clear();
  auto current = Open(2);
  Select(*current, {1});
  current->accept();
  ASSERT_EQ(acted_.size(), 1u);
  EXPECT_EQ(acted_[0], (StationRef{StationKind::Current, 0, 1}));
  EXPECT_EQ(memory_.defaultCurrentSubregion, 1);
  EXPECT_EQ(memory_.defaultTideSubregion, 1);  // the tide memory is the tide dialog's
}

TEST_F(LocationDialogTest, OkRefusesSelectionsThePurposeCannotTake) {
  struct Case {
    int purpose;
    std::vector<int> rows;
    int message;
  };
  const Case cases[] = {
      {1, {}, 2006}, {3, {1, 2}, 2007}, {4, {0, 1}, 2007}, {7, {1, 2}, 2008},
      {8, {0, 1}, 2008}, {0, {1, 2}, 2007}, {1, {0}, 2003}, {3, {0}, 2003},
  };
  for (const Case& c : cases) {
    notices_.clear();
    acted_.clear();
    memory_ = AppSettings{};
    auto dialog = Open(c.purpose);
    Select(*dialog, c.rows);
    if (c.rows.size() == 0) dialog->stationView()->selectionModel()->clearSelection();
    dialog->accept();
    EXPECT_NE(dialog->result(), QDialog::Accepted) << c.purpose;
    ASSERT_EQ(notices_.told.size(), 1u) << c.purpose;
    EXPECT_EQ(notices_.told[0].text, StringText(c.message)) << c.purpose;
    EXPECT_TRUE(acted_.empty());
  }

  // One station is fine for changing and for custom locations.
  for (int purpose : {3, 7}) {
    acted_.clear();
    auto dialog = Open(purpose);
    Select(*dialog, {4});
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ActedRows(), std::vector<int>{4});
  }
}

// Adding to a real-time list: a station already listed is refused by name and the rest
// go on; a full list stops the loop with the limit message.
TEST_F(LocationDialogTest, RealTimePurposesReportDuplicatesAndAFullList) {
  std::vector<StationRef> listed = {{StationKind::Tide, 0, 1}};
  auto add = [&](const StationRef& station) {
    if (std::find(listed.begin(), listed.end(), station) != listed.end()) return StationActionResult::AlreadyListed;
    if (listed.size() >= 3) return StationActionResult::ListFull;
    listed.push_back(station);
    return StationActionResult::Done;
  };
  LocationDialog dialog(index_, 5, memory_, add);
  Select(dialog, {1, 2, 3, 4, 5});
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(notices_.told.size(), 2u);
  EXPECT_EQ(notices_.told[0].title, kUnableToAddTitle);
  EXPECT_EQ(notices_.told[0].text, "Unable to add Seattle. It already exists in the RealTime list.");
  EXPECT_EQ(notices_.told[1].text, kListLimitText);
  EXPECT_EQ(listed.size(), 3u);  // Seattle, Port Townsend, Chelsea Point
  EXPECT_EQ(listed[2].stationIndex, 3);
}

TEST_F(LocationDialogTest, NotesOpensTheViewTheStationOffers) {
  memory_.defaultTideRegion = 2;  // California: HOOD CANAL (an area with a note), Monterey
  auto dialog = Open(1);
  EXPECT_FALSE(dialog->notesButton()->isEnabled());  // no notes dialog given
  std::vector<std::pair<StationRef, NotesView>> opened;
  dialog->SetNotesOpener([&](const StationRef& station, NotesView view) { opened.push_back({station, view}); });
  Select(*dialog, {1});
  ASSERT_TRUE(dialog->notesButton()->isEnabled());
  dialog->notesButton()->click();
  Select(*dialog, {0});
  dialog->notesButton()->click();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0].second, NotesView::OfficialAndUser);
  EXPECT_EQ(opened[1].second, NotesView::UserOnly);
  EXPECT_EQ(opened[1].first, (StationRef{StationKind::Tide, 2, 0}));

  dialog->regionView()->setCurrentIndex(dialog->regionView()->model()->index(0, 0));
  Select(*dialog, {0});  // PUGET SOUND: no ID and no note
  dialog->notesButton()->click();
  EXPECT_EQ(opened.size(), 2u);
  ASSERT_EQ(notices_.told.size(), 1u);
  EXPECT_EQ(notices_.told[0].text, StringText(2005));
  Select(*dialog, {1, 2});
  EXPECT_FALSE(dialog->notesButton()->isEnabled());
}

}  // namespace
}  // namespace qw
