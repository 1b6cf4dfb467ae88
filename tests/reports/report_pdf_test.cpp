// Reports of real stations written as PDF and read back with poppler's pdfinfo and
// pdftotext: the page count of the plan, and the station names, dates, event times,
// heights and table values the engine itself gives for those days.
#include <QProcess>
#include <QRegularExpression>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <gtest/gtest.h>

#include "engine/current_prediction.h"
#include "engine/civil_days.h"
#include "engine/data_dir.h"
#include "engine/engine_state.h"
#include "engine/station_database.h"
#include "engine/station_sources.h"
#include "engine/tide_prediction.h"
#include "present/day_presentation.h"
#include "present/display_units.h"
#include "present/tide_day.h"
#include "reports/page_parts.h"
#include "reports/print_loop.h"
#include "reports/report_composer.h"
#include "settings/color_schemes.h"
#include "stations/station_index.h"
#include "stations/station_notes.h"
#include "tests/reports/report_job_builder.h"
#include "tests/reports/reports_test_app.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

// Runs a program; its standard output, or nothing when it could not run or failed.
std::optional<QString> RunProgram(const QString& program, const QStringList& arguments, int* exitCode = nullptr) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(120000)) return std::nullopt;
  if (exitCode) *exitCode = process.exitCode();
  if (process.exitStatus() != QProcess::NormalExit) return std::nullopt;
  return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const std::string& path) {
  const auto info = RunProgram("pdfinfo", {QString::fromStdString(path)});
  if (!info) return -1;
  const QRegularExpressionMatch match = QRegularExpression(R"(Pages:\s+(\d+))").match(*info);
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of one page (1-based) as laid out on it.
QString PdfPageText(const std::string& path, int page) {
  return RunProgram("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page),
                           QString::fromStdString(path), "-"})
      .value_or(QString());
}

class ReportPdfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::string(QW_TEST_DATA_DIR) + "/catalogue.csv")) {
      GTEST_SKIP() << "no built data at " QW_TEST_DATA_DIR " (configure with QW_BUILD_DATA=ON)";
    }
    if (!RunProgram("pdftotext", {"-v"}) && !RunProgram("pdfinfo", {"-v"})) GTEST_SKIP() << "poppler-utils are not installed";
    test::ReportsApp();
    ResetEngine();
    SetDataDirectory(QW_TEST_DATA_DIR);
    regions_ = BuildRegionList(StationKind::Tide);
    settings_.colors = BuiltInColorScheme();
  }
  void TearDown() override { ResetEngine(); }

  ReportLocation Station(const std::string& name) {
    for (int slot = 0; slot < static_cast<int>(regions_.size()); ++slot) {
      for (int index = -1;;) {
        index = FindTideStationByName(regions_, slot, index, name, 1);
        if (index < 0) break;
        ReportLocation location;
        EXPECT_TRUE(ReadTideLocation(regions_, slot, index, location.tide));
        location.clock = StationClock::Of(location.tide, ZoneOf('T', regions_[static_cast<size_t>(slot)].number, index));
        if (location.tide.name == name) return location;
      }
    }
    ADD_FAILURE() << "no station named " << name;
    return {};
  }

  // The station's IANA zone from the built side catalogue.
  static std::string ZoneOf(char kind, int region, int index) {
    StationSources sources;
    EXPECT_TRUE(sources.Load(DataFilePath(StationSources::kFileName)));
    const StationSource* entry = sources.Find(kind, region, index);
    return entry ? entry->timeZone : std::string();
  }

  // The events the day lists give for a date, as the report writes them: time and height.
  std::vector<std::pair<QString, QString>> EngineEvents(const ReportLocation& location, EngineMinute day) {
    const TideDayList list = FindTideDay(location.tide, location.clock, day);
    EXPECT_EQ(list.status, 0);
    std::vector<std::pair<QString, QString>> events;
    for (const ShownTideEvent& e : list.events) {
      DateRecord date;
      MinuteToDate(e.at.shown, date);
      events.emplace_back(QString::fromStdString(ClockText(date.hour, date.minute, settings_.timeType)),
                          QString::fromStdString(HeightDisplayText(HeightToDisplay(MicroFeet(e.height), settings_.tideUnit))));
    }
    EXPECT_FALSE(events.empty());
    return events;
  }

  PrintResult Write(ReportComposer& composer, const std::string& path, const PrintProgress& progress = {}) {
    QString error;
    const PrintResult result = WriteReportPdf(QString::fromStdString(path), composer,
                                              ReportPageLayout(composer.options()), progress, &error);
    EXPECT_TRUE(result != PrintResult::Printed || error.isEmpty()) << error.toStdString();
    return result;
  }

  RegionList regions_;
  AppSettings settings_;
  test::TempDir dir_;
};

TEST_F(ReportPdfTest, DailyReportPrintsTheEnginesHighsAndLowsOnePagePerDayAndLocation) {
  const ReportJob job = test::Job(ReportKind::Daily, ReportFormat::SmoothGraph)
                            .At({Station("San Francisco (Golden Gate)"), Station("Alameda Creek")})
                            .Days(MinuteOf(2025, 6, 18), MinuteOf(2025, 6, 20));
  ReportOptions options;
  options.sunriseSunset = options.sunriseShading = true;
  ReportComposer composer(job, options, settings_);
  const std::string path = dir_.File("daily.pdf");
  ASSERT_EQ(Write(composer, path), PrintResult::Printed);
  ASSERT_EQ(PdfPages(path), 6);

  for (int page = 1; page <= 6; ++page) {
    const ReportLocation& location = job.locations[static_cast<size_t>((page - 1) / 3)];
    const EngineMinute day = job.rangeStart + static_cast<EngineMinute>((page - 1) % 3) * kMinutesPerDay;
    const QString text = PdfPageText(path, page);
    SCOPED_TRACE("page " + std::to_string(page));
    EXPECT_TRUE(text.contains(location.tide.name)) << text.toStdString();
    EXPECT_TRUE(text.contains(LongDateText(day)));
    EXPECT_TRUE(text.contains("Daily Tide Report (smooth graph)"));
    EXPECT_TRUE(text.contains(QString("Page %1 of 6").arg(page)));
    EXPECT_TRUE(text.contains("Printed by Quaywise"));
    EXPECT_TRUE(text.contains("Sunrise: "));
    // Each high and low water, in the row below the graph: "High 4:57 am 4.32 ft".
    for (const auto& [time, height] : EngineEvents(location, day)) {
      const QRegularExpression event("(High|Low)\\s+" + QRegularExpression::escape(time) + "\\s+" +
                                     QRegularExpression::escape(height));
      EXPECT_TRUE(event.match(text).hasMatch()) << time.toStdString() << " " << height.toStdString() << "\n"
                                                << text.toStdString();
    }
  }
  // The subordinate station names its reference.
  EXPECT_TRUE(PdfPageText(path, 4).contains("based on"));
}

TEST_F(ReportPdfTest, TextReportTableHoldsTheHeightsAtEveryInterval) {
  // On the day daylight saving ends.
  const ReportJob job = test::Job(ReportKind::Daily, ReportFormat::Text)
                            .At({Station("San Francisco (Golden Gate)")})
                            .OnWindowDay(MinuteOf(2025, 11, 2));
  ReportOptions options;
  options.dailyInterval = 15;
  settings_.timeType = TimeType::Clock24;
  settings_.tideUnit = TideUnit::Metres;
  ReportComposer composer(job, options, settings_);
  const std::string path = dir_.File("text.pdf");
  ASSERT_EQ(Write(composer, path), PrintResult::Printed);
  ASSERT_EQ(PdfPages(path), 1);
  const QString text = PdfPageText(path, 1);
  EXPECT_TRUE(text.contains("Sunday, November 2, 2025"));
  EXPECT_TRUE(text.contains("Daily Tide Report (text)"));
  EXPECT_TRUE(text.contains("Time (PDT/PST)"));
  // 25 hours of rows: 1:00 to 1:45 twice; the last row is 24:00.
  const StationClock& clock = job.locations[0].clock;
  const CivilDaySpan span = clock.Day(MinuteOf(2025, 11, 2));
  ASSERT_EQ(span.Minutes(), 1500u);
  int rows = 0;
  for (uint32_t elapsed = 0; elapsed <= span.Minutes(); elapsed += 15) {
    const ClockReading at = clock.At(span.standardStart + elapsed);
    const int32_t height = TideHeightAt(job.locations[0].tide, at.standard);
    const QString value = QString::fromStdString(HeightDisplayText(HeightToDisplay(MicroFeet(height), TideUnit::Metres)));
    const uint32_t ofDay = at.shown % kMinutesPerDay;
    const QString time = elapsed == span.Minutes() ? QString("24:00") : QString::asprintf("%02u:%02u", ofDay / 60, ofDay % 60);
    const QRegularExpression row("(^|\\s)" + QRegularExpression::escape(time) + "\\s+" + QRegularExpression::escape(value));
    EXPECT_TRUE(row.match(text).hasMatch()) << time.toStdString() << " " << value.toStdString()
                                            ;
    ++rows;
  }
  EXPECT_EQ(rows, 101);
  EXPECT_EQ(text.count("01:30"), 2);
}

TEST_F(ReportPdfTest, TheHighsAndLowsLineOfFourEventsStaysInsideTheFrame) {
  // San Francisco on 4 July 2026 has two highs and two lows. With the default options
  // they share one line; with wide margins and a large fixed font they take more lines.
  const ReportJob job = test::Job(ReportKind::Daily, ReportFormat::Text)
                            .At({Station("San Francisco (Golden Gate)")})
                            .OnWindowDay(MinuteOf(2026, 7, 4));
  const auto events = EngineEvents(job.locations[0], MinuteOf(2026, 7, 4));
  ASSERT_EQ(events.size(), 4u);
  ReportOptions narrow;
  narrow.leftMargin = narrow.rightMargin = 1.5;
  narrow.autoSizeReportFont = false;
  narrow.reportFont.pointSize = 140;
  for (const ReportOptions& options : {ReportOptions{}, narrow}) {
    SCOPED_TRACE(options.leftMargin);
    ReportComposer composer(job, options, settings_);
    const std::string path = dir_.File("four.pdf");
    ASSERT_EQ(Write(composer, path), PrintResult::Printed);
    const std::optional<QString> boxes = RunProgram("pdftotext", {"-bbox", QString::fromStdString(path), "-"});
    ASSERT_TRUE(boxes.has_value());
    // The words from "Highs & Lows:" down to the table's first heading, in points, in
    // reading order.
    const QRegularExpression word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)"[^>]*>([^<]*)</word>)re");
    struct Word {
      double y, x, right;
      QString text;
    };
    std::vector<Word> words;
    double rowTop = -1, tableTop = 1e9;
    for (const QRegularExpressionMatch& m : word.globalMatch(*boxes)) {
      words.push_back({m.captured(2).toDouble(), m.captured(1).toDouble(), m.captured(3).toDouble(), m.captured(4)});
      if (words.back().text == "Highs") rowTop = words.back().y;
    }
    for (const Word& w : words) {
      if (w.text == "Time" && w.y > rowTop) tableTop = std::min(tableTop, w.y);
    }
    std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) { return std::tie(a.y, a.x) < std::tie(b.y, b.x); });
    const double frameRight = (8.5 - options.rightMargin) * 72.0;
    QStringList line;
    for (const Word& w : words) {
      if (w.y < rowTop || w.y >= tableTop) continue;
      line << w.text;
      EXPECT_LE(w.right, frameRight + 0.5) << w.text.toStdString() << " runs past the frame";
    }
    const QString text = line.join(' ');
    for (const auto& [time, height] : events) {
      EXPECT_TRUE(text.contains(time + " " + height)) << text.toStdString();
    }
  }
}

TEST_F(ReportPdfTest, MonthlyAndThreeMonthReportsListEveryDaysEvents) {
  const ReportLocation station = Station("San Francisco (Golden Gate)");
  ReportComposer monthly(test::Job(ReportKind::Monthly, ReportFormat::BarGraph)
                             .At({station})
                             .Days(MinuteOf(2025, 6, 18), MinuteOf(2025, 7, 2)),
                         ReportOptions{}, settings_);
  const std::string path = dir_.File("monthly.pdf");
  ASSERT_EQ(Write(monthly, path), PrintResult::Printed);
  ASSERT_EQ(PdfPages(path), 2);
  const QString june = PdfPageText(path, 1);
  EXPECT_TRUE(june.contains("June 2025"));
  EXPECT_TRUE(june.contains("Monthly Tide Report (bar graph)"));
  EXPECT_TRUE(PdfPageText(path, 2).contains("July 2025"));
  for (int d = 1; d <= 30; ++d) {
    const EngineMinute day = MinuteOf(2025, 6, d);
    DateRecord date;
    MinuteToDate(day, date);
    const TideDayList list = FindTideDay(station.tide, station.clock, day);
    ASSERT_EQ(list.status, 0);
    for (const ShownTideEvent& e : list.events) {
      const QString time = ShortClock(static_cast<int>(e.at.shown - day), TimeType::Clock12);
      EXPECT_TRUE(june.contains(QRegularExpression("(^|\\s)" + QRegularExpression::escape(time) + "(\\s|$)")))
          << "June " << d << " " << time.toStdString();
    }
  }

  ReportComposer quarter(test::Job(ReportKind::ThreeMonth, ReportFormat::Text)
                             .At({station})
                             .Days(MinuteOf(2025, 6, 18), MinuteOf(2025, 6, 18)),
                         ReportOptions{}, settings_);
  const std::string quarterPath = dir_.File("quarter.pdf");
  ASSERT_EQ(Write(quarter, quarterPath), PrintResult::Printed);
  ASSERT_EQ(PdfPages(quarterPath), 1);
  const QString text = PdfPageText(quarterPath, 1);
  EXPECT_TRUE(text.contains("June - August 2025"));
  EXPECT_TRUE(text.contains("3 Month Tide Report (text)"));
  EXPECT_TRUE(text.contains("Sun 31"));  // August 31st
}

TEST_F(ReportPdfTest, CurrentReportsPrintTheEnginesFloodsEbbsAndSlacks) {
  const RegionList currentRegions = BuildRegionList(StationKind::Current);
  ReportLocation race;
  race.kind = StationKind::Current;
  for (int slot = 0; slot < static_cast<int>(currentRegions.size()) && race.current.stationId == 0; ++slot) {
    const int index = FindCurrentStationByName(currentRegions, slot, -1, "The Race", 1);
    if (index >= 0) {
      ASSERT_TRUE(ReadCurrentLocation(currentRegions, slot, index, race.current));
      race.clock = StationClock::Of(race.current, ZoneOf('C', currentRegions[static_cast<size_t>(slot)].number, index));
    }
  }
  ASSERT_NE(race.current.stationId, 0) << "no current station named The Race";
  const ReportJob job = test::Job(ReportKind::Daily, ReportFormat::BarGraph)
                            .At({race})
                            .Days(MinuteOf(2025, 6, 18), MinuteOf(2025, 6, 19));
  ReportComposer composer(job, ReportOptions{}, settings_);
  const std::string path = dir_.File("current.pdf");
  ASSERT_EQ(Write(composer, path), PrintResult::Printed);
  ASSERT_EQ(PdfPages(path), 2);
  for (int page = 1; page <= 2; ++page) {
    const EngineMinute day = job.rangeStart + static_cast<EngineMinute>(page - 1) * kMinutesPerDay;
    const QString text = PdfPageText(path, page);
    EXPECT_TRUE(text.contains("Daily Current Report (bar graph)"));
    EXPECT_TRUE(text.contains("The Race"));
    EXPECT_TRUE(text.contains("Floods & Ebbs:"));
    const CurrentDayList list = FindCurrentDay(race.current, race.clock, day);
    ASSERT_EQ(list.status, 0);
    int count = 0;
    for (const ShownCurrentEvent& e : list.events) {
      ++count;
      DateRecord date;
      MinuteToDate(e.at.shown, date);
      QString pattern = QString(EventWord(e.kind)) + "\\s+" +
                        QRegularExpression::escape(QString::fromStdString(ClockText(date.hour, date.minute, settings_.timeType)));
      if (e.kind != 'S') {
        pattern += "\\s+" + QRegularExpression::escape(QString::fromStdString(
                                  SpeedDisplayText(SpeedToDisplay(MicroKnots(e.speed), settings_.currentUnit))));
      }
      EXPECT_TRUE(QRegularExpression(pattern).match(text).hasMatch()) << pattern.toStdString() << "\n" << text.toStdString();
    }
    EXPECT_GE(count, 6);  // floods, ebbs and the slacks between them
  }

  // The last days of the supported range: whatever the engine can compute is printed,
  // even when it gives up on a later day of the page (checked for room, then printed).
  ReportComposer december(
      test::Job(ReportKind::Monthly, ReportFormat::Text).At({race}).Days(MinuteOf(2099, 12, 1), MinuteOf(2099, 12, 1)),
      ReportOptions{}, settings_);
  ASSERT_EQ(Write(december, path), PrintResult::Printed);
  const CurrentDayList first = FindCurrentDay(race.current, race.clock, MinuteOf(2099, 12, 1));
  ASSERT_EQ(first.status, 0);
  ASSERT_FALSE(first.events.empty());
  EXPECT_TRUE(PdfPageText(path, 1).contains(
      ShortClock(static_cast<int>(first.events[0].at.shown - MinuteOf(2099, 12, 1)), settings_.timeType)));
}

TEST_F(ReportPdfTest, NotesReportRunsOverPagesUnderContinuedHeadingsAndKeepsEveryLine) {
  ReportLocation golden = Station("San Francisco (Golden Gate)");
  std::string official;
  for (int line = 1; line <= 150; ++line) official += "Official note line " + std::to_string(line) + "\n";
  golden.notes = {official, "Anchor north of the pier.", "General Notes for: San Francisco (Golden Gate)"};
  ReportLocation alameda = Station("Alameda Creek");
  alameda.notes = {"None defined.", "None defined.", "General Notes for: Alameda Creek"};
  const ReportJob job = test::Job(ReportKind::Notes).At({golden, alameda});
  ReportComposer composer(job, ReportOptions{}, settings_);
  const std::string path = dir_.File("notes.pdf");
  ASSERT_EQ(Write(composer, path), PrintResult::Printed);
  const int pages = PdfPages(path);
  ASSERT_EQ(pages, composer.pageCount());
  ASSERT_GE(pages, 3);  // 150 lines do not fit one page; the second station starts its own

  // Every official line once, in order, over the first station's pages.
  QString all;
  for (int page = 1; page < pages; ++page) {
    const QString text = PdfPageText(path, page);
    SCOPED_TRACE("page " + std::to_string(page));
    EXPECT_TRUE(text.contains("San Francisco (Golden Gate)"));
    EXPECT_TRUE(text.contains("Tide Notes Report"));
    EXPECT_TRUE(text.contains("Printed by Quaywise"));
    if (page > 1) {
      EXPECT_TRUE(text.contains("NOAA Notes continued"));
    }
    all += text;
  }
  int from = 0;
  for (int line = 1; line <= 150; ++line) {
    const QString wanted = QString("Official note line %1\n").arg(line);
    const int at = all.indexOf(QRegularExpression(QString("Official note line %1\\s*\\n").arg(line)), from);
    ASSERT_GE(at, 0) << wanted.toStdString();
    from = at + 1;
  }
  EXPECT_TRUE(all.contains("User Notes"));
  EXPECT_TRUE(all.contains("Anchor north of the pier."));
  EXPECT_TRUE(all.contains("General Notes"));

  const QString last = PdfPageText(path, pages);
  EXPECT_TRUE(last.contains("Alameda Creek"));
  EXPECT_FALSE(last.contains("San Francisco (Golden Gate)"));
  EXPECT_TRUE(last.contains("NOAA Notes"));
  EXPECT_FALSE(last.contains("continued"));

  // Margins that leave no room for a heading and a line print nothing.
  ReportOptions cramped;
  cramped.topMargin = cramped.bottomMargin = 5.3;
  ReportComposer noRoom(job, cramped, settings_);
  EXPECT_EQ(Write(noRoom, dir_.File("cramped.pdf")), PrintResult::NoRoom);
}

// A TICON-4 gauge's daily page names its publisher, and its notes pages head the official
// notes with the source and carry the licence and attribution of its general notes.
TEST_F(ReportPdfTest, ATiconStationsPagesNameItsPublisherAndLicence) {
  ReportLocation auckland;
  StationSources sources;
  ASSERT_TRUE(sources.Load(DataFilePath(StationSources::kFileName)));
  const std::vector<const StationSource*> found = sources.FindBySourceId('T', "auckland-070a-nzl-uhslc_rq");
  ASSERT_EQ(found.size(), 1u);
  StationRef ref{StationKind::Tide, 0, static_cast<uint16_t>(found[0]->index)};
  for (int slot = 0; slot < static_cast<int>(regions_.size()); ++slot) {
    if (regions_[static_cast<size_t>(slot)].number == found[0]->region) ref.regionSlot = static_cast<uint16_t>(slot);
  }
  ASSERT_TRUE(ReadTideLocation(regions_, ref.regionSlot, ref.stationIndex, auckland.tide));
  ASSERT_NE(std::string(auckland.tide.name).find("Auckland"), std::string::npos);
  StationIndex index;
  index.Build(regions_, BuildRegionList(StationKind::Current));
  StationNotesTexts texts;
  ASSERT_TRUE(NotesTextsOf(index, ref, texts));
  auckland.notes = {texts.official, texts.user, texts.general};
  const std::string daily = dir_.File("daily.pdf");
  ReportComposer days(test::Job(ReportKind::Daily, ReportFormat::SmoothGraph).At({auckland}).Days(
                          MinuteOf(2025, 6, 18), MinuteOf(2025, 6, 18)),
                      ReportOptions{}, settings_);
  ASSERT_EQ(Write(days, daily), PrintResult::Printed);
  const QString page = PdfPageText(daily, 1);
  EXPECT_TRUE(page.contains("Harmonic station (TICON-4, UHSLC)")) << page.toStdString();
  EXPECT_FALSE(page.contains("UKHO"));

  const std::string notes = dir_.File("notes.pdf");
  ReportComposer notesReport(test::Job(ReportKind::Notes).At({auckland}), ReportOptions{}, settings_);
  ASSERT_EQ(Write(notesReport, notes), PrintResult::Printed);
  const QString text = PdfPageText(notes, 1);
  EXPECT_TRUE(text.contains("TICON-4 Notes")) << text.toStdString();
  EXPECT_FALSE(text.contains("NOAA Notes"));
  QString all;
  for (int p = 1; p <= PdfPages(notes); ++p) all += PdfPageText(notes, p);
  EXPECT_TRUE(all.contains("Licence: CC BY 4.0")) << all.toStdString();
  EXPECT_TRUE(all.contains("Collected by: University of Hawaii Sea Level Center"));
}

TEST_F(ReportPdfTest, AReportWithoutRoomOrCancelledLeavesTheFileAlone) {
  const std::string path = dir_.File("kept.pdf");
  { std::ofstream(path) << "the user's old file"; }
  auto contents = [&] {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const ReportLocation golden = Station("San Francisco (Golden Gate)");
  const ReportJob job =
      test::Job(ReportKind::Daily, ReportFormat::FilledGraph).At({golden, golden}).OnWindowDay(MinuteOf(2025, 6, 18));

  ReportOptions cramped;
  cramped.topMargin = cramped.bottomMargin = 3.0;
  cramped.leftMargin = cramped.rightMargin = 3.0;
  cramped.dailyInterval = 5;
  ReportComposer noRoom(job, cramped, settings_);
  EXPECT_EQ(Write(noRoom, path), PrintResult::NoRoom);
  EXPECT_EQ(contents(), "the user's old file");

  ReportComposer cancelled(job, ReportOptions{}, settings_);
  std::vector<int> asked;
  EXPECT_EQ(Write(cancelled, path, [&](int index, int count) {
              asked.push_back(index);
              EXPECT_EQ(count, 2);
              return index < 1;
            }),
            PrintResult::Cancelled);
  EXPECT_EQ(asked, (std::vector<int>{0, 1}));
  EXPECT_EQ(contents(), "the user's old file");
}

TEST_F(ReportPdfTest, TheFooterPictureIsPrintedOrItsProblemTold) {
  const ReportJob job = test::Job(ReportKind::Custom, ReportFormat::FilledGraph)
                            .At({Station("San Francisco (Golden Gate)")})
                            .OnWindowDay(MinuteOf(2025, 6, 18));
  ReportOptions options;
  options.bitmapInFooter = true;
  options.bitmapHeightInches = 0.5;
  options.bitmapFile = dir_.File("logo.bmp");
  QImage logo(120, 40, QImage::Format_RGB32);
  logo.fill(Qt::darkBlue);
  ASSERT_TRUE(logo.save(QString::fromStdString(options.bitmapFile), "BMP"));
  auto images = [](const std::string& pdf) {
    const QString list = RunProgram("pdfimages", {"-list", QString::fromStdString(pdf)}).value_or(QString());
    return static_cast<int>(list.split('\n', Qt::SkipEmptyParts).size()) - 2;  // two heading lines
  };

  ReportComposer withLogo(job, options, settings_);
  EXPECT_TRUE(withLogo.bitmapProblem().isEmpty()) << withLogo.bitmapProblem().toStdString();
  ASSERT_EQ(Write(withLogo, dir_.File("logo.pdf")), PrintResult::Printed);
  EXPECT_EQ(images(dir_.File("logo.pdf")), 1);

  { std::ofstream(options.bitmapFile, std::ios::binary) << "BM not really a bitmap"; }
  ReportComposer damaged(job, options, settings_);
  EXPECT_TRUE(damaged.bitmapProblem().contains("could not be read")) << damaged.bitmapProblem().toStdString();
  ASSERT_EQ(Write(damaged, dir_.File("nologo.pdf")), PrintResult::Printed);
  EXPECT_EQ(images(dir_.File("nologo.pdf")), 0);
  EXPECT_EQ(PdfPages(dir_.File("nologo.pdf")), 1);
}

TEST_F(ReportPdfTest, CommandLineReportWritesThePlannedPages) {
  const std::string path = dir_.File("cli.pdf");
  int exitCode = -1;
  auto run = [&](const QStringList& extra) {
    QStringList arguments{"report", "San Francisco (Golden Gate)", "--data", QW_TEST_DATA_DIR, "-o",
                          QString::fromStdString(path)};
    return RunProgram(QW_CLI_PROGRAM, arguments + extra, &exitCode);
  };
  const auto out = run({"--kind", "daily", "--from", "2025-06-18", "--to", "2025-06-20", "--style", "bar", "--sun"});
  ASSERT_TRUE(out.has_value());
  EXPECT_EQ(exitCode, 0);
  EXPECT_TRUE(out->contains("3 pages written"));
  EXPECT_EQ(PdfPages(path), 3);
  EXPECT_TRUE(PdfPageText(path, 3).contains("Friday, June 20, 2025"));

  std::filesystem::remove(path);
  run({"--kind", "daily", "--from", "2025-06-18", "--to", "2025-06-17"});
  EXPECT_EQ(exitCode, 2);
  run({"--kind", "weekly", "--from", "2025-06-18"});
  EXPECT_EQ(exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(path));

  run({"--kind", "three-month", "--from", "2025-01-31", "--to", "2025-12-01", "--landscape", "--style", "smooth"});
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(PdfPages(path), 4);

  // The notes need no date: the data's official note with its source, and the general notes.
  run({"--kind", "notes"});
  EXPECT_EQ(exitCode, 0);
  const QString notes = PdfPageText(path, 1);
  EXPECT_TRUE(notes.contains("Tide Notes Report"));
  EXPECT_TRUE(notes.contains("NOAA Notes"));
  EXPECT_TRUE(notes.contains("station 9414290"));
  EXPECT_TRUE(notes.contains("General Notes for: San Francisco (Golden Gate)"));
}

TEST(ReportDaysTest, AStationWhosePredictionFailsIsReportedOnceNotOncePerPage) {
  ResetEngine();
  test::TempDir empty;
  SetDataDirectory(empty.path());  // no harmonic data at all
  test::ReportCapture reports;
  ReportLocation location;
  location.tide.stationId = 1;
  location.tide.referenceId = 1234;
  std::snprintf(location.tide.name, sizeof location.tide.name, "Nowhere");
  const std::vector<ReportLocation> locations{location};
  AppSettings settings;
  ReportDays days(locations, settings);
  const ReportDay first = days.Day(0, MinuteOf(2025, 6, 18), {});
  EXPECT_FALSE(first.predicted);
  EXPECT_TRUE(days.failed(0));
  const size_t afterFirst = reports.reports().size();
  EXPECT_GT(afterFirst, 0u);
  for (int d = 19; d <= 30; ++d) {
    DayNeeds needs;
    needs.curve = true;
    needs.tableInterval = 30;
    const ReportDay day = days.Day(0, MinuteOf(2025, 6, d), needs);
    EXPECT_FALSE(day.predicted);
    EXPECT_EQ(day.table.size(), 49u);
  }
  EXPECT_EQ(reports.reports().size(), afterFirst) << reports.Describe();
  ResetEngine();
}

}  // namespace
}  // namespace qw
