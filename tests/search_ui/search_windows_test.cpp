// The search and export windows in a frame, driven through their dialogs as a user would: the event search with Stop
// and "Open...", the nearest search's position check, the export to a file, the table save and the calendar.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLocale>
#include <QDateEdit>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/region_files.h"
#include "export/calendar_commands.h"
#include "export/export_commands.h"
#include "export/export_settings.h"
#include "export/save_table.h"
#include "search/event_search.h"
#include "search/search_commands.h"
#include "settings/catalogue_directory.h"
#include "settings/settings_store.h"
#include "tests/app/app_test_support.h"
#include "tests/shell/fake_frame.h"
#include "tests/support/test_support.h"
#include "tests/support/tide_station_fixture.h"
#include "windows/tide_window.h"

namespace qw {
namespace {

// Runs `act` on the next modal window once it shows (polling, since the window shows from
// inside a nested event loop); gives up after five seconds.
void WhenModal(std::function<void(QWidget*)> act, QWidget* notThis = nullptr) {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act, notThis, tries = 0]() mutable {
    QWidget* modal = QApplication::activeModalWidget();
    const bool found = modal && modal != notThis && modal->isVisible();
    if (found || ++tries > 250) {
      timer->stop();
      timer->deleteLater();
    }
    if (found) act(modal);
  });
  timer->start(20);
}

// Runs `act` on the next message box once it shows, passing over other modal windows.
void WhenMessage(std::function<void(QMessageBox*)> act) {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act, tries = 0]() mutable {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box || ++tries > 250) {
      timer->stop();
      timer->deleteLater();
    }
    if (box) act(box);
  });
  timer->start(20);
}

template <typename T>
T* Child(QWidget* parent, const char* name) {
  T* child = parent->findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class SearchWindowsTest : public test::EngineTest {
 protected:
  void SetUp() override {
    test::QtApp();
    ASSERT_TRUE(test::WriteSyntheticStations(dataDir_.path().string(), {test::MixedTideStation(100)}, 2019, 2023));
    TideLocation harbour = test::ReferenceLocation(100, 11, "Golden Harbour");
    harbour.latHemisphere = 'N', harbour.latDegrees = 37, harbour.latMinutes = 48;
    harbour.lonHemisphere = 'W', harbour.lonDegrees = 122, harbour.lonMinutes = 28;
    TideLocation point = harbour;
    point.stationId = 12;
    std::snprintf(point.name, sizeof point.name, "Point Lookout");
    point.latMinutes = 50;
    ASSERT_TRUE(WriteTideRegionFile(DataFilePath("tide3.dat"), 3, "Bay", {harbour, point}));
    catalogue_.Open();
    file_ = ProfileFile(dataDir_.File("velda.ini"));
    file_.LoadFromText("[Misc]\nFirstRun=0\n");
    settings_ = LoadSettings(file_, 480);
    settings_.timeType = TimeType::Clock24;
    ApplyEngineSettings(settings_);
    frame_ = std::make_unique<test::FakeFrame>([this](const LocationWindowSpec& spec) -> LocationWindow* {
      return spec.station.kind == StationKind::Tide ? MakeTideWindow(catalogue_, settings_, spec) : nullptr;
    });
    searches_ = new SearchCommands(*frame_, settings_, file_, catalogue_,
                                   [this](ResultsWindow& w) { SaveResultsTable(w, frame_->mainWindow()); });
    exports_ = new ExportCommands(*frame_, settings_, file_, catalogue_,
                                  [this](ResultsKind kind) { return searches_->NewResultsWindow(kind); });
    InstallCalendarCommand(*frame_, settings_, catalogue_);
    location_ = frame_->OpenLocation(StationRef{StationKind::Tide, 0, 0}, MinuteOf(2021, 3, 1));
    ASSERT_NE(location_, nullptr);
  }
  void TearDown() override { frame_.reset(); }

  ResultsWindow* ActiveResults() { return qobject_cast<ResultsWindow*>(frame_->ActiveChild()); }

  // Fills the event search dialog for high waters of at least `feet` between the dates.
  static void FillEventDialog(QWidget* d, QDate from, QDate to, const char* feet) {
    Child<QDateEdit>(d, "from")->setDate(from);
    Child<QDateEdit>(d, "to")->setDate(to);
    Child<QLineEdit>(d, "value")->setText(feet);
  }

  CatalogueDirectory catalogue_;
  ProfileFile file_;
  AppSettings settings_;
  std::unique_ptr<test::FakeFrame> frame_;
  SearchCommands* searches_ = nullptr;
  ExportCommands* exports_ = nullptr;
  LocationWindow* location_ = nullptr;
};

// The first export offers today at the station: at 03:00 UTC on 2 March the harbour's
// clock (UTC-8) still reads 1 March.
TEST_F(SearchWindowsTest, TheFirstExportOffersTodayAtTheStation) {
  const QDateTime instant(QDate(2021, 3, 2), QTime(3, 0), Qt::UTC);
  exports_->SetWallClock([instant] { return instant; });
  QDate from, to;
  WhenModal([&](QWidget* d) {
    from = Child<QDateEdit>(d, "from")->date();
    to = Child<QDateEdit>(d, "to")->date();
    QMetaObject::invokeMethod(d, "reject", Qt::QueuedConnection);
  });
  frame_->Run(Command::ExportData);
  EXPECT_EQ(from, QDate(2021, 3, 1));
  EXPECT_EQ(to, QDate(2021, 3, 1));
}

TEST_F(SearchWindowsTest, EventSearchListsTheHitsAndOpenShowsTheirDays) {
  WhenModal([](QWidget* d) {
    FillEventDialog(d, QDate(2021, 3, 1), QDate(2021, 3, 14), "5.0");
    Child<QPushButton>(d, "search")->click();
  });
  frame_->Run(Command::EventSearch);
  ResultsWindow* results = ActiveResults();
  ASSERT_NE(results, nullptr);
  EXPECT_FALSE(QApplication::activeModalWidget()) << "the dialog closes after a search that ran to its end";
  EXPECT_EQ(results->windowTitle(), "Event Search For: Golden Harbour");

  // The rows are the search step's hits for the same choices.
  SearchStation station;
  ASSERT_TRUE(catalogue_.ReadTide(location_->station(), station.tide));
  station.clock = catalogue_.ClockOf(location_->station(), station.tide);
  std::vector<EventHit> expected;
  SearchProgress quiet;
  const EventSearchPlan plan{.code = MakeSearchCode(kSearchHighTides, kConditionAtLeast, 0),
                             .threshold = 5000000,
                             .rangeStart = MinuteOf(2021, 3, 1),
                             .rangeEnd = MinuteOf(2021, 3, 14, 23, 59)};
  EngineMinute resume = 0;
  while (const std::optional<EventHit> hit = FindNextEvent(station, plan, resume, quiet)) expected.push_back(*hit);
  ASSERT_GT(expected.size(), 3u);
  ASSERT_EQ(results->table().rows(), static_cast<int>(expected.size()));
  for (int r = 0; r < results->table().rows(); ++r) EXPECT_EQ(std::get<EventHit>(results->table().record(r)), expected[r]);
  EXPECT_EQ(results->table().Cell(0, 0), EventTimeText(expected[0].start, expected[0].startOffset, TimeType::Clock24));

  const size_t before = frame_->LocationWindows().size();
  results->view()->selectRow(0);
  results->view()->selectionModel()->select(results->table().index(2, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
  emit results->openClicked();
  const std::vector<LocationWindow*> windows = frame_->LocationWindows();
  ASSERT_EQ(windows.size(), before + 2);
  EXPECT_EQ(windows[before]->day(), expected[0].start - expected[0].start % kMinutesPerDay);
  EXPECT_EQ(windows[before + 1]->day(), expected[2].start - expected[2].start % kMinutesPerDay);
}

// The program runs under the user's locale (Qt sets the C library's from the environment);
// this sets both, as a German user's session would, and restores them.
class GermanLocale {
 public:
  GermanLocale() : saved_(setlocale(LC_ALL, nullptr)) {
    available_ = setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  }
  ~GermanLocale() {
    setlocale(LC_ALL, saved_.c_str());
    QLocale::setDefault(QLocale::c());
  }
  bool available() const { return available_; }

 private:
  std::string saved_;
  bool available_ = false;
};

TEST_F(SearchWindowsTest, TheValueIsReadAsTheLocaleWritesItAndAnEmptyBoxIsRefused) {
  GermanLocale german;
  if (!german.available()) GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/setup.sh makes it)";
  WhenModal([](QWidget* d) {
    FillEventDialog(d, QDate(2021, 3, 1), QDate(2021, 3, 14), "5,0");
    Child<QPushButton>(d, "search")->click();
  });
  frame_->Run(Command::EventSearch);
  ResultsWindow* results = ActiveResults();
  ASSERT_NE(results, nullptr);
  SearchStation station;
  ASSERT_TRUE(catalogue_.ReadTide(location_->station(), station.tide));
  auto hits = [&](int32_t threshold) {
    SearchProgress quiet;
    const EventSearchPlan plan{.code = MakeSearchCode(kSearchHighTides, kConditionAtLeast, 0),
                               .threshold = threshold,
                               .rangeStart = MinuteOf(2021, 3, 1),
                               .rangeEnd = MinuteOf(2021, 3, 14, 23, 59)};
    EngineMinute resume = 0;
    int n = 0;
    while (FindNextEvent(station, plan, resume, quiet)) ++n;
    return n;
  };
  ASSERT_NE(hits(5000000), hits(0));
  EXPECT_EQ(results->table().rows(), hits(5000000));
  EXPECT_NE(results->table().heading(3).find("5,0"), std::string::npos) << results->table().heading(3);

  // An empty box is no value: the search does not run on 0.
  QString message;
  WhenModal([&message](QWidget* d) {
    FillEventDialog(d, QDate(2021, 3, 1), QDate(2021, 3, 14), "");
    WhenModal(
        [&message, d](QWidget* box) {
          message = static_cast<QMessageBox*>(box)->text();
          static_cast<QMessageBox*>(box)->accept();
          QTimer::singleShot(0, d, [d] { QMetaObject::invokeMethod(d, "reject"); });
        },
        d);
    Child<QPushButton>(d, "search")->click();
  });
  emit ActiveResults()->searchClicked();
  EXPECT_TRUE(message.startsWith("Please enter a number in the value box")) << message.toStdString();
}

TEST_F(SearchWindowsTest, StopKeepsTheDialogOpenWithTheRowsFoundSoFar) {
  QString buttonWhileRunning, buttonAfterStop;
  int rowsAtStop = 0;
  WhenModal([&, this](QWidget* d) {
    FillEventDialog(d, QDate(2019, 2, 1), QDate(2023, 11, 30), "0.0");
    QPushButton* search = Child<QPushButton>(d, "search");
    // Press Stop once 20 rows are listed, then look at the dialog and close it.
    auto* watch = new QTimer(d);
    QObject::connect(watch, &QTimer::timeout, d, [&, this, watch, search, d] {
      ResultsWindow* results = ActiveResults();
      if (!results || results->table().rows() < 20) return;
      watch->stop();
      buttonWhileRunning = search->text();
      rowsAtStop = results->table().rows();
      search->click();
      QTimer::singleShot(100, d, [&, d, search] {
        buttonAfterStop = search->text();
        QMetaObject::invokeMethod(d, "reject");
      });
    });
    watch->start(0);
    search->click();
  });
  frame_->Run(Command::EventSearch);
  EXPECT_EQ(buttonWhileRunning, "&Stop");
  EXPECT_EQ(buttonAfterStop, "&Search");
  ResultsWindow* results = ActiveResults();
  ASSERT_NE(results, nullptr);
  // About 1,800 high waters in these years; the stop came soon after the twentieth.
  EXPECT_GE(results->table().rows(), rowsAtStop);
  EXPECT_LT(results->table().rows(), rowsAtStop + 5);
  EXPECT_EQ(results->table().heading(0), "Searched for event at: ");
}

TEST_F(SearchWindowsTest, WithoutAnOpenLocationTheSearchSaysSo) {
  frame_->CloseWindows([](const StationRef&) { return true; });
  QApplication::processEvents();
  QString message;
  WhenModal([&message](QWidget* box) {
    message = static_cast<QMessageBox*>(box)->text();
    static_cast<QMessageBox*>(box)->accept();
  });
  frame_->Run(Command::EventSearch);
  EXPECT_EQ(message, "There are not any open locations.  Open at least one location and then try again.");
  ASSERT_NE(ActiveResults(), nullptr);
  EXPECT_EQ(ActiveResults()->windowTitle(), "Event Search Results: Empty");
}

TEST_F(SearchWindowsTest, NearestSearchRefusesAnImpossiblePosition) {
  QString message;
  WhenModal([&message](QWidget* d) {
    Child<QRadioButton>(d, "custom")->setChecked(true);
    Child<QLineEdit>(d, "latitude")->setText("950000N");
    WhenModal(
        [&message, d](QWidget* box) {
          message = static_cast<QMessageBox*>(box)->text();
          static_cast<QMessageBox*>(box)->accept();
          QTimer::singleShot(0, d, [d] { QMetaObject::invokeMethod(d, "reject"); });
        },
        d);
    Child<QPushButton>(d, "search")->click();
  });
  frame_->Run(Command::NearestSearch);
  EXPECT_EQ(message, "Invalid value entered for latitude degrees. Correct values range from 0 to 90.");
  EXPECT_EQ(ActiveResults()->table().rows(), 0);

  // From the open location the other station, 2 Nm north, is listed.
  // The dialog comes back as it was left; search from the open location this time.
  WhenModal([](QWidget* d) {
    EXPECT_EQ(Child<QLineEdit>(d, "latitude")->text(), "95\u00b000.00'N");
    Child<QRadioButton>(d, "openLocation")->setChecked(true);
    Child<QPushButton>(d, "search")->click();
  });
  emit ActiveResults()->searchClicked();
  ASSERT_EQ(ActiveResults()->table().rows(), 1);
  EXPECT_EQ(ActiveResults()->table().Cell(0, 1), "Point Lookout");
  EXPECT_EQ(ActiveResults()->windowTitle(), "Tide and Current Stations Near:  Golden Harbour");
}

TEST_F(SearchWindowsTest, ExportToAFileAndSaveATableAsDif) {
  test::TempDir out;
  // A path longer than the 127 characters the box once held.
  const std::filesystem::path deep = out.path() / std::string(70, 'a') / std::string(70, 'b');
  std::filesystem::create_directories(deep);
  const std::string exported = (deep / "tides.txt").string();
  QFileDialog::AcceptMode browseMode = QFileDialog::AcceptOpen;
  WhenModal([&exported, &browseMode](QWidget* d) {
    Child<QRadioButton>(d, "toFile")->setChecked(true);
    // Browse names a file to write: a save dialog.
    WhenModal(
        [&browseMode](QWidget* dialog) {
          if (auto* files = qobject_cast<QFileDialog*>(dialog)) browseMode = files->acceptMode();
          QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
        },
        d);
    Child<QPushButton>(d, "browse")->click();
    Child<QLineEdit>(d, "file")->setText(QString::fromStdString(exported));
    Child<QDateEdit>(d, "from")->setDate(QDate(2021, 3, 1));
    Child<QDateEdit>(d, "to")->setDate(QDate(2021, 3, 2));
    Child<QPushButton>(d, "export")->click();
  });
  frame_->Run(Command::ExportData);
  const std::string text = ReadFile(exported);
  ASSERT_FALSE(text.empty());
  size_t records = 0;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++records;
  EXPECT_EQ(records, 24u);  // two days of 12 records
  EXPECT_EQ(text.substr(0, 20), "March 1, 2021\t00:00\t");
  EXPECT_EQ(file_.ReadString("ExportData", "ExportDest", "", 40), "ToFile");
  EXPECT_EQ(ReadExportSettings(file_).file, exported);
  EXPECT_EQ(browseMode, QFileDialog::AcceptSave);

  // The table of an event search saved as DIF through the save dialog.
  WhenModal([](QWidget* d) {
    FillEventDialog(d, QDate(2021, 3, 1), QDate(2021, 3, 3), "4.0");
    Child<QPushButton>(d, "search")->click();
  });
  frame_->Run(Command::EventSearch);
  const std::string saved = out.File("hits.txt");
  WhenModal([&saved](QWidget* d) {
    Child<QRadioButton>(d, "toFile")->setChecked(true);
    Child<QLineEdit>(d, "file")->setText(QString::fromStdString(saved));
    Child<QRadioButton>(d, "dif")->setChecked(true);  // the name becomes hits.DIF
    for (QPushButton* button : d->findChildren<QPushButton*>()) {
      if (button->text() == "O&K") button->click();
    }
  });
  emit ActiveResults()->saveClicked();
  const std::string dif = ReadFile(out.File("hits.DIF"));
  EXPECT_EQ(dif.substr(0, 55), "TABLE\r\n0,1\r\n\"Searched for event at: : Golden Harbour\"\r\n");
  EXPECT_NE(dif.find("\r\n1,0\r\n\"Event_Time\"\r\n"), std::string::npos);
  EXPECT_TRUE(dif.ends_with("-1,0\r\nEOD\r\n"));
}

TEST_F(SearchWindowsTest, CalendarOfTheActiveWindowAndTheOldFileKeptWhenItCannotBeWritten) {
  test::TempDir out;
  const std::string path = out.File("harbour.ics");
  WhenModal([&path](QWidget* d) {
    Child<QDateEdit>(d, "from")->setDate(QDate(2021, 3, 1));
    Child<QDateEdit>(d, "to")->setDate(QDate(2021, 3, 2));
    Child<QLineEdit>(d, "file")->setText(QString::fromStdString(path));
    Child<QPushButton>(d, "export")->click();
  });
  ASSERT_TRUE(frame_->Run(Command::ExportCalendar));
  const std::string text = ReadFile(path);
  ASSERT_TRUE(text.starts_with("BEGIN:VCALENDAR\r\n")) << text.substr(0, 200);
  size_t events = 0, waters = 0;
  for (size_t at = text.find("BEGIN:VEVENT"); at != std::string::npos; at = text.find("BEGIN:VEVENT", at + 1)) ++events;
  for (const char* kind : {"SUMMARY:High water ", "SUMMARY:Low water "}) {
    for (size_t at = text.find(kind); at != std::string::npos; at = text.find(kind, at + 1)) ++waters;
  }
  EXPECT_GE(events, 6u);
  EXPECT_EQ(waters, events);
  EXPECT_NE(text.find("X-WR-CALNAME:Golden Harbour\r\n"), std::string::npos);
  // Without a side catalogue the UIDs name the region by its number (3), not its slot.
  EXPECT_NE(text.find("-t3-11@quaywise\r\n"), std::string::npos);

  // Sunrise and sunset asked for where the data has no Earth series: the user is told,
  // and the file written before stays as it was.
  QString dates, message;
  WhenModal([&dates, &message](QWidget* d) {
    dates = Child<QDateEdit>(d, "from")->date().toString(Qt::ISODate) + " " +
            Child<QDateEdit>(d, "to")->date().toString(Qt::ISODate);
    Child<QCheckBox>(d, "sun")->setChecked(true);
    WhenMessage([&message](QMessageBox* exists) {
      exists->button(QMessageBox::Yes)->click();
      WhenMessage([&message](QMessageBox* box) {
        message = box->text();
        box->accept();
      });
    });
    Child<QPushButton>(d, "export")->click();
  });
  frame_->Run(Command::ExportCalendar);
  EXPECT_EQ(dates, "2021-03-01 2021-03-02");
  EXPECT_TRUE(message.contains("EARTH.DAT")) << message.toStdString();
  EXPECT_EQ(ReadFile(path), text);
}

}  // namespace
}  // namespace qw
