// A tide window at a real station of the built data.
#include "windows/tide_window.h"

#include "present/display_units.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <filesystem>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/engine_settings.h"
#include "engine/engine_state.h"
#include "engine/installed_catalogue.h"
#include "settings/catalogue_directory.h"
#include "settings/default_station.h"
#include "settings/settings_store.h"
#include "stations/station_index.h"
#include "stations/station_notes.h"
#include "tests/app/app_test_support.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

class TideWindowTest : public ::testing::Test {
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
    catalogue_.Open();
    station_ = DefaultTideStation(catalogue_);
    ASSERT_TRUE(station_) << "no tide station in the data";
  }
  void TearDown() override { ResetEngine(); }

  std::unique_ptr<TideWindow> Open(EngineMinute day, ViewSwitches switches = {}) {
    LocationWindowSpec spec;
    spec.station = *station_;
    spec.day = day;
    spec.switches = switches;
    auto* window = static_cast<TideWindow*>(MakeTideWindow(catalogue_, settings_, spec));
    window->resize(900, 640);
    return std::unique_ptr<TideWindow>(window);
  }

  test::ReportCapture reports_;
  AppSettings settings_;
  CatalogueDirectory catalogue_;
  std::optional<StationRef> station_;
};

TEST_F(TideWindowTest, ShowsTheDayOfARealStation) {
  auto window = Open(MinuteOf(2024, 6, 15));
  const DayPresentation& view = window->presentation();
  EXPECT_EQ(view.name, "San Francisco (Golden Gate)");
  EXPECT_EQ(view.source, "Harmonic station (NOAA)");
  EXPECT_EQ(view.zone, "(PDT)");
  ASSERT_GE(view.events.size(), 3u);
  for (size_t i = 1; i < view.events.size(); ++i) EXPECT_NE(view.events[i].word, view.events[i - 1].word);
  EXPECT_EQ(view.averages.size(), 3u);
  EXPECT_EQ(view.sun.size(), 2u);
  EXPECT_EQ(view.sun[0].label, "Sunrise:");
  EXPECT_FALSE(view.phaseLine.empty());
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
  EXPECT_EQ(window->title(), "San Francisco (Golden Gate) - 6/15/2024");

  // The graph area is drawn: day and night colours of the built-in scheme, and bars.
  const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
  int day = 0, night = 0, bars = 0;
  for (int y = image.height() / 2; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y) & 0xFFFFFF;
      day += c == 0xFFFF80;    // 0x80FFFF stored as blue-green-red
      night += c == 0x808080;
      bars += c == 0x0000FF;
    }
  }
  EXPECT_GT(day, 5000);
  EXPECT_GT(night, 5000);
  EXPECT_GT(bars, 5000);
  // The title area carries text: dark pixels in the top rows.
  int dark = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < image.width() / 2; ++x) dark += qGray(image.pixel(x, y)) < 80;
  }
  EXPECT_GT(dark, 50);
}

TEST_F(TideWindowTest, ContextHelpNamesTheAreaUnderThePointer) {
  auto window = Open(MinuteOf(2024, 6, 15));
  const QRect graph = window->graphArea();
  ASSERT_FALSE(graph.isEmpty());
  const StationDayWindow::AreaHelp onGraph = window->HelpAt(graph.center());
  EXPECT_EQ(onGraph.caption, "Help on graph area");
  EXPECT_EQ(onGraph.topic, "tide_window#graph");
  const StationDayWindow::AreaHelp onTitle = window->HelpAt(QPoint(graph.left() + 20, 12));
  EXPECT_EQ(onTitle.caption, "Help on title area");
  EXPECT_EQ(onTitle.topic, "tide_window#title");
  // Between the areas (the window's margin) there is no area to explain.
  EXPECT_TRUE(window->HelpAt(QPoint(1, 1)).caption.isEmpty());
}

TEST_F(TideWindowTest, SteppingAndTableFollowTheDay) {
  auto window = Open(MinuteOf(2024, 6, 15), ViewSwitches{true, false, true});
  const std::string firstHigh = window->presentation().events[0].time;
  window->SetDay(AddDays(window->day(), 1));
  EXPECT_EQ(window->day(), MinuteOf(2024, 6, 16));
  EXPECT_EQ(window->title(), "San Francisco (Golden Gate) - 6/16/2024");
  EXPECT_NE(window->presentation().events[0].time, firstHigh);  // the tide is about 50 minutes later each day

  // The table's values are the day's values: 01:00 is the third half hour.
  TideLocation record;
  ASSERT_TRUE(catalogue_.ReadTide(*station_, record));
  EXPECT_EQ(TideHeightAt(record, window->tideDay().span.standardStart + 60), window->tideDay().halfHour[2]);
  ASSERT_TRUE(window->SetTableShown(true));
  QImage image(900, 640, QImage::Format_RGB32);
  QPainter painter(&image);
  window->Render(painter, image.rect());
  painter.end();
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

// A TICON-4 gauge (Auckland, collected by UHSLC, CC BY 4.0): the window says who published
// its data and on which datum its heights are, and its general notes give the licence and
// the attribution; nothing names an agency by the station's number range.
TEST_F(TideWindowTest, ATiconStationSaysWhoPublishedItsData) {
  const StationSources* sources = InstalledSources();
  ASSERT_NE(sources, nullptr);
  const std::vector<const StationSource*> found = sources->FindBySourceId('T', "auckland-070a-nzl-uhslc_rq");
  ASSERT_EQ(found.size(), 1u);
  const RegionList& regions = catalogue_.Regions(StationKind::Tide);
  for (size_t slot = 0; slot < regions.size(); ++slot) {
    if (regions[slot].number == found[0]->region) {
      station_ = StationRef{StationKind::Tide, static_cast<uint16_t>(slot), static_cast<uint16_t>(found[0]->index)};
    }
  }
  settings_.tideRanges.lowRange = kTideLowDatum;
  settings_.lowRangeLine = true;
  auto window = Open(MinuteOf(2024, 6, 15));
  const DayPresentation& view = window->presentation();
  EXPECT_NE(view.name.find("Auckland"), std::string::npos) << view.name;
  EXPECT_EQ(view.source, "Harmonic station (TICON-4, UHSLC)");
  const std::string datum = view.graph.low.label;
  EXPECT_EQ(datum.find("UKHO"), std::string::npos) << datum;
  EXPECT_EQ(datum, "0 ft (" + ReferenceChartDatum(found[0]->stationId) + ")");

  StationIndex index;
  index.Build(catalogue_.Regions(StationKind::Tide), catalogue_.Regions(StationKind::Current));
  StationNotesTexts notes;
  ASSERT_TRUE(NotesTextsOf(index, *station_, notes));
  for (const char* wanted : {"Source of Data: TICON-4", "Collected by: University of Hawaii Sea Level Center",
                             "Licence: CC BY 4.0", "Attribution: Neaps tide database"}) {
    EXPECT_NE(notes.general.find(wanted), std::string::npos) << wanted << "\n" << notes.general;
  }
  for (const std::string& text : {view.source, notes.general, notes.official}) {
    EXPECT_EQ(text.find("UKHO"), std::string::npos) << text;
    EXPECT_EQ(text.find("Hydrographic"), std::string::npos) << text;
  }
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

// A wall clock stopped at a UTC instant.
WallClock StoppedAt(int year, int month, int day, int hour, int minute) {
  const QDateTime at(QDate(year, month, day), QTime(hour, minute, 20), Qt::UTC);
  return [at] { return at; };
}

// The present moment stands on today's graph at the station's own minute, with the height
// then; another day, or NowLine off, shows none.
TEST_F(TideWindowTest, TheNowLineStandsAtTheStationsMinuteOnTodayOnly) {
  settings_.graphStyle = GraphStyle::Smooth;
  auto window = Open(MinuteOf(2024, 6, 15));
  window->SetWallClock(StoppedAt(2024, 6, 15, 22, 42));  // 3:42 pm PDT
  ASSERT_TRUE(window->nowMark().has_value());
  const NowMark& now = *window->nowMark();
  EXPECT_EQ(now.minute, 15 * 60 + 42);
  ASSERT_EQ(now.label.rfind("Now 3:42 pm ", 0), 0u) << now.label;
  EXPECT_EQ(now.label.substr(now.label.size() - 3), " ft");
  // The height of that minute: between the curve's samples at 3:40 and 3:50, to rounding.
  const std::vector<int32_t>& fine = window->presentation().graph.fine;
  ASSERT_GT(fine.size(), 95u);
  const int32_t low = std::min(fine[94], fine[95]) - 10000, high = std::max(fine[94], fine[95]) + 10000;
  EXPECT_GE(now.value, low);
  EXPECT_LE(now.value, high);
  const double shown = std::stod(now.label.substr(12));
  EXPECT_NEAR(shown * 1e6, now.value, 6000) << now.label;

  // Drawn: a column of the line's red in the graph.
  const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRect graph = window->graphArea();
  int best = 0;
  for (int x = graph.left(); x <= graph.right(); ++x) {
    int red = 0;
    for (int y = graph.top(); y <= graph.bottom(); ++y) red += (image.pixel(x, y) & 0xFFFFFF) == 0xC80028;
    best = std::max(best, red);
  }
  EXPECT_GT(best, graph.height() / 2);

  window->SetDay(MinuteOf(2024, 6, 16));
  EXPECT_FALSE(window->nowMark().has_value());
  window->SetDay(MinuteOf(2024, 6, 15));
  EXPECT_TRUE(window->nowMark().has_value());
  settings_.nowLine = false;
  window->SettingsChanged();
  EXPECT_FALSE(window->nowMark().has_value());
  settings_.nowLine = true;
  window->SettingsChanged();
  EXPECT_TRUE(window->nowMark().has_value());
  // 00:20 UTC on the 16th is still the 15th at the station.
  window->SetWallClock(StoppedAt(2024, 6, 16, 0, 20));
  ASSERT_TRUE(window->nowMark().has_value());
  EXPECT_EQ(window->nowMark()->minute, 17 * 60 + 20);
  window->SetWallClock(StoppedAt(2024, 6, 16, 7, 0));  // midnight: the 16th has begun
  EXPECT_FALSE(window->nowMark().has_value());

  // The line moves when the wall clock's minute turns.
  QDateTime clock(QDate(2024, 6, 15), QTime(22, 42, 59, 850), Qt::UTC);
  window->SetWallClock([&clock] { return clock; });
  ASSERT_TRUE(window->nowMark().has_value());
  EXPECT_EQ(window->nowMark()->minute, 15 * 60 + 42);
  clock = clock.addMSecs(300);
  EXPECT_TRUE(test::SpinUntil([&] { return window->nowMark() && window->nowMark()->minute == 15 * 60 + 43; }, 2000));
  window->SetWallClock(SystemClock());  // before `clock` goes
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

// On the day the clocks go back the second 1:30 am is 150 minutes into the day, and reads
// with its zone.
TEST_F(TideWindowTest, TheNowLineCountsTheRepeatedHour) {
  auto window = Open(MinuteOf(2024, 11, 3));
  window->SetWallClock(StoppedAt(2024, 11, 3, 9, 30));  // 1:30 am PST, the second one
  ASSERT_TRUE(window->nowMark().has_value());
  EXPECT_EQ(window->nowMark()->minute, 150);
  EXPECT_EQ(window->nowMark()->label.rfind("Now 1:30 am PST ", 0), 0u) << window->nowMark()->label;
  window->SetWallClock(StoppedAt(2024, 11, 3, 8, 30));  // 1:30 am PDT
  EXPECT_EQ(window->nowMark()->minute, 90);
}

TEST_F(TideWindowTest, EveryStyleAndUnitDraws) {
  for (GraphStyle style : {GraphStyle::Bars, GraphStyle::Filled, GraphStyle::Smooth}) {
    settings_.graphStyle = style;
    settings_.tideUnit = style == GraphStyle::Smooth ? TideUnit::Metres : TideUnit::Centimetres;
    auto window = Open(MinuteOf(2024, 12, 21), ViewSwitches{true, true, true});
    EXPECT_FALSE(window->graphFailed());
    QImage image(900, 640, QImage::Format_RGB32);
    QPainter painter(&image);
    window->Render(painter, image.rect());
  }
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

}  // namespace
}  // namespace qw

namespace qw {
namespace {

TEST_F(TideWindowTest, PrintsAtPrinterResolution) {
  auto window = Open(MinuteOf(2024, 6, 15));
  test::TempDir dir;
  const QString path = QString::fromStdString(dir.File("page.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  ASSERT_GE(printer.resolution(), 1200);
  QPainter painter(&printer);
  ASSERT_TRUE(painter.isActive());
  window->Render(painter, printer.pageLayout().paintRectPixels(printer.resolution()).translated(
                              -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft()));
  painter.end();
  EXPECT_GT(QFileInfo(path).size(), 5000);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

}  // namespace
}  // namespace qw
