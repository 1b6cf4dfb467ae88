// The export's records against the engine's own predictions and day lists, the repeat
// group and record rules, the results table it fills, Cancel, and the files it writes.
#include "export/data_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/astro_time.h"
#include "engine/civil_days.h"
#include "engine/current_prediction.h"
#include "engine/data_dir.h"
#include "engine/engine_state.h"
#include "engine/installed_catalogue.h"
#include "engine/moon_phase.h"
#include "engine/station_database.h"
#include "engine/station_datums.h"
#include "engine/tide_prediction.h"
#include "export/export_fields.h"
#include "tests/support/current_fixture.h"
#include "tests/support/source_fixture.h"
#include "tests/support/test_support.h"
#include "tests/support/tide_station_fixture.h"

namespace qw {
namespace {

constexpr uint16_t kReference = 202;

std::vector<std::string> Split(const std::string& text, const std::string& delimiter) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t at = text.find(delimiter, start);
    parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return parts;
    start = at + delimiter.size();
  }
}

std::string Trim(std::string text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) < 33) text.erase(text.begin());
  return text;
}

struct DayStop : SearchProgress {
  explicit DayStop(int days) : days_(days) {}
  bool Pump() override {
    if (++pumps > days_) stopped_ = true;
    return stopped_;
  }
  bool StopRequested() const override { return stopped_; }
  int pumps = 0;

 private:
  int days_;
  bool stopped_ = false;
};

class DataExportTest : public test::EngineTest {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(test::WriteSyntheticStations(dataDir_.path().string(), {test::MixedTideStation(kReference)}, 2019,
                                             2023, &error))
        << error;
    job_.locationName = "Mixed Harbour";
    job_.station.kind = StationKind::Tide;
    job_.station.tide = test::ReferenceLocation(kReference, 1, "  Mixed Harbour ");
    job_.station.tide.latHemisphere = 'N';
    job_.station.tide.latDegrees = 37, job_.station.tide.latMinutes = 48, job_.station.tide.latSeconds = 30;
    job_.station.tide.lonHemisphere = 'W';
    job_.station.tide.lonDegrees = 122, job_.station.tide.lonMinutes = 27;
    job_.targetFields = ParseTargetFields(kDefaultTargetFields);
    job_.rangeStart = job_.rangeEnd = MinuteOf(2021, 3, 5);
  }

  // The height at a minute (the fixture's clock keeps standard time: shown = standard).
  std::string Height(EngineMinute minute) {
    const int32_t h = PredictTide(job_.station.tide, minute, 0).height;
    return HeightText(MicroFeet(h), 0, TideUnit::Feet);
  }

  // The day list's high and low waters of a date, at their shown times.
  std::vector<TideExtreme> Extremes(EngineMinute day) {
    const TideDayList list = FindTideDay(job_.station.tide, job_.station.clock, day);
    EXPECT_EQ(list.status, 0);
    std::vector<TideExtreme> out;
    for (const ShownTideEvent& e : list.events) out.push_back({e.kind, e.height, e.at.shown});
    return out;
  }

  // A day of 2021 whose day list has `count` events.
  EngineMinute DayWithEvents(int count) {
    for (EngineMinute day = MinuteOf(2021, 1, 1); day < MinuteOf(2022, 1, 1); day += kMinutesPerDay) {
      if (Extremes(day).size() == static_cast<size_t>(count)) return day;
    }
    return 0;
  }

  ExportJob job_;
};

TEST_F(DataExportTest, DefaultsGiveTwelveRecordsOfADateAndFourTimeValuePairs) {
  const std::vector<std::string> records = ExportDayRecords(job_, job_.rangeStart);
  ASSERT_EQ(records.size(), 12u);
  for (size_t r = 0; r < records.size(); ++r) {
    ASSERT_TRUE(records[r].ends_with("\r\n"));
    const std::vector<std::string> fields = Split(records[r].substr(0, records[r].size() - 2), "\t");
    ASSERT_EQ(fields.size(), 9u) << records[r];
    EXPECT_EQ(fields[0], "March 5, 2021");
    for (int k = 0; k < 4; ++k) {
      const EngineMinute t = job_.rangeStart + static_cast<EngineMinute>((r * 4 + static_cast<size_t>(k)) * 30);
      DateRecord d;
      MinuteToDate(t, d);
      EXPECT_EQ(fields[static_cast<size_t>(1 + 2 * k)], Trim(TimeText(d.hour, d.minute, TimeType::Clock12)));
      EXPECT_EQ(fields[static_cast<size_t>(2 + 2 * k)], Height(t));
    }
  }
  EXPECT_EQ(records[0].substr(0, 21), "March 5, 2021\t12:00a\t");
  EXPECT_EQ(Split(records[0], "\t")[3], "12:30a");  // the first hour reads 12
  EXPECT_EQ(Split(records[1], "\t")[1], "2:00a");   // the blank of " 2:00a" is dropped
}

TEST_F(DataExportTest, EventsOnlyRecordsEndWhenTheDaysEventsRunOut) {
  job_.intervalMinutes = -1;
  for (int count : {3, 4, 5}) {
    SCOPED_TRACE(count);
    const EngineMinute day = DayWithEvents(count);
    if (day == 0) {
      ASSERT_NE(count, 4) << "no day with four events";
      continue;
    }
    const std::vector<TideExtreme> extremes = Extremes(day);
    const std::vector<std::string> records = ExportDayRecords(job_, day);
    ASSERT_EQ(records.size(), count == 5 ? 2u : 1u);
    std::vector<std::string> pairs;
    for (const std::string& record : records) {
      std::vector<std::string> fields = Split(record.substr(0, record.size() - 2), "\t");
      pairs.insert(pairs.end(), fields.begin() + 1, fields.end());
    }
    ASSERT_EQ(pairs.size(), static_cast<size_t>(2 * count));
    for (int k = 0; k < count; ++k) {
      DateRecord d;
      MinuteToDate(extremes[static_cast<size_t>(k)].time, d);
      EXPECT_EQ(pairs[static_cast<size_t>(2 * k)], Trim(TimeText(d.hour, d.minute, TimeType::Clock12)));
      EXPECT_EQ(pairs[static_cast<size_t>(2 * k + 1)], HeightText(MicroFeet(extremes[static_cast<size_t>(k)].height), 0, TideUnit::Feet));
    }
  }
  // Value_Type carries the day list's letters.
  job_.targetFields = {kFieldTime, kFieldValueType};
  job_.fieldDelimiter = ",";
  const EngineMinute day = DayWithEvents(4);
  const std::vector<std::string> records = ExportDayRecords(job_, day);
  ASSERT_EQ(records.size(), 4u);
  const std::vector<TideExtreme> extremes = Extremes(day);
  for (size_t k = 0; k < 4; ++k) EXPECT_EQ(records[k].substr(records[k].size() - 3), std::string(1, extremes[k].kind) + "\r\n");
}

// On the days the clocks change a row every hour gives 23 or 25 rows, each with the offset
// in force at its own instant; the events of the day are each listed once.
TEST_F(DataExportTest, ChangeDaysHaveTheirHoursAndEachRowItsOffset) {
  job_.station.tide.timeMeridian = -120;
  job_.station.clock = StationClock::Of(job_.station.tide, "America/Los_Angeles");
  job_.targetFields = {kFieldTime, kFieldUtcOffset};
  job_.fieldDelimiter = ",";
  job_.intervalMinutes = 60;
  const std::vector<std::string> spring = ExportDayRecords(job_, MinuteOf(2021, 3, 14));
  ASSERT_EQ(spring.size(), 23u);
  EXPECT_EQ(spring[1], "1:00a,-08:00\r\n");
  EXPECT_EQ(spring[2], "3:00a,-07:00\r\n");
  const std::vector<std::string> autumn = ExportDayRecords(job_, MinuteOf(2021, 11, 7));
  ASSERT_EQ(autumn.size(), 25u);
  EXPECT_EQ(autumn[1], "1:00a,-07:00\r\n");
  EXPECT_EQ(autumn[2], "1:00a,-08:00\r\n");
  EXPECT_EQ(autumn[24], "11:00p,-08:00\r\n");

  // Events only: the day lists' events, with their own offsets.
  job_.intervalMinutes = -1;
  for (EngineMinute day : {MinuteOf(2021, 3, 14), MinuteOf(2021, 11, 7)}) {
    const TideDayList list = FindTideDay(job_.station.tide, job_.station.clock, day);
    const std::vector<std::string> records = ExportDayRecords(job_, day);
    ASSERT_EQ(records.size(), list.events.size());
    for (size_t k = 0; k < records.size(); ++k) {
      EXPECT_TRUE(records[k].ends_with(FormatUtcOffset(list.events[k].at.utcOffsetMinutes) + "\r\n")) << records[k];
    }
  }
}

TEST_F(DataExportTest, EmptyFieldsAndDelimiters) {
  // A tide interval row has a blank Value_Type, which is dropped: the record starts with
  // the time, with no delimiter before it.
  job_.targetFields = {kFieldValueType, kFieldTime, kFieldDirection};
  job_.fieldDelimiter = "|";
  job_.recordDelimiter = "\n";
  job_.intervalMinutes = 60;
  std::vector<std::string> records = ExportDayRecords(job_, job_.rangeStart);
  ASSERT_EQ(records.size(), 24u);
  EXPECT_EQ(records[0], "12:00a|---\n");
  EXPECT_EQ(records[13], "1:00p|---\n");

  // Rows past the last inside a repeat group give empty texts, the date stays.
  job_.intervalMinutes = -1;
  job_.repeatCount = 4;
  job_.targetFields = {kFieldStartRepeat, kFieldValue, kFieldEndRepeat, kFieldYear};
  records = ExportDayRecords(job_, DayWithEvents(3));
  ASSERT_EQ(records.size(), 1u);
  const std::vector<std::string> fields = Split(records[0], "|");
  ASSERT_EQ(fields.size(), 5u) << records[0];
  EXPECT_EQ(fields[3], "");
  EXPECT_EQ(fields[4], "2021\n");

  job_.dateFormat.year = YearForm::TwoDigits;
  job_.targetFields = {kFieldYear, kFieldMonth, kFieldDayOfWeek, kFieldDayOfYear};
  job_.intervalMinutes = 60;
  EXPECT_EQ(ExportDayRecords(job_, MinuteOf(2005 + 16, 3, 5))[0], "21|March|Fri|64\n");
}

TEST_F(DataExportTest, AOneMinuteIntervalWithTwentyFieldsStopsAfterTwentyThousandSteps) {
  job_.intervalMinutes = 1;
  job_.repeatCount = 1;
  job_.targetFields = {kFieldStartRepeat};
  for (int id = kFieldDate; id <= kFieldMoonPhase; ++id) job_.targetFields.push_back(id);
  job_.targetFields.push_back(kFieldEndRepeat);
  ASSERT_EQ(job_.targetFields.size(), 20u);
  const std::vector<std::string> records = ExportDayRecords(job_, job_.rangeStart);
  ASSERT_EQ(records.size(), 1001u);
  EXPECT_EQ(Split(records[999], "\t").size(), 18u);
  EXPECT_EQ(records[1000], "\r\n");
}

TEST_F(DataExportTest, HeaderLines) {
  job_.includeHeader = true;
  EXPECT_EQ(ExportHeader(job_),
            "Tides: Mixed Harbour" + std::string(30, ' ') + "  37\u00b0 48 30 N 122\u00b0 27 W\r\n"
            "From March 5, 2021 to March 5, 2021\r\n");
  job_.station.tide.kindCode = 'c';
  job_.station.tide.latDegrees = 0;
  job_.recordDelimiter = "\n";
  EXPECT_EQ(ExportHeader(job_).substr(0, 27), "Custom Tides: Mixed Harbour");
  EXPECT_NE(ExportHeader(job_).find(" None Defined\n"), std::string::npos);

  // Where the side catalogue knows who published the data, the first line says so, and
  // says when the licence forbids commercial use.
  test::WriteStationSources(
      {test::SourceEntry('T', job_.station.tide.referenceId, "TICON-4", "TICON-4 (BODC)", "cc-by-nc-4.0")});
  ResetInstalledCatalogue();  // the catalogue is read once; this one came after the first header
  EXPECT_NE(ExportHeader(job_).find(" None Defined  Data: TICON-4 (BODC), CC BY-NC 4.0, not for commercial use\n"),
            std::string::npos)
      << ExportHeader(job_);
}

// Heights on another datum: the header's date line and the table's name line (the title
// of a saved DIF or SYLK file) name it, and every value moves by its height.
TEST_F(DataExportTest, AnotherDatumIsNamedAndShiftsTheValues) {
  {
    std::ofstream datums(DataFilePath(StationDatums::kFileName));
    datums << EncodeStationDatums({{3, 0, job_.station.tide.stationId, "MLLW", "MLLW", 0},
                                   {3, 0, job_.station.tide.stationId, "MLLW", "MSL", 3000000}});
  }
  ResetInstalledCatalogue();
  job_.includeHeader = true;
  job_.recordDelimiter = "\n";
  job_.intervalMinutes = 60;
  const std::vector<std::string> onChart = ExportDayRecords(job_, job_.rangeStart);
  EXPECT_NE(ExportHeader(job_).find("to March 5, 2021; heights above MLLW\n"), std::string::npos) << ExportHeader(job_);
  ASSERT_TRUE(SelectDatum(job_.station.tide, "MSL").ok());
  EXPECT_NE(ExportHeader(job_).find("to March 5, 2021; heights above MSL\n"), std::string::npos) << ExportHeader(job_);
  const std::vector<std::string> onMsl = ExportDayRecords(job_, job_.rangeStart);
  ASSERT_EQ(onChart.size(), onMsl.size());
  const std::vector<std::string> a = Split(onChart[0], "\t"), b = Split(onMsl[0], "\t");
  ASSERT_EQ(a.size(), b.size());
  ASSERT_GT(a.size(), 3u);
  EXPECT_NEAR(std::stod(b[2]), std::stod(a[2]) - 3.0, 0.051);  // tenths of a foot
  ResultsTable table(ResultsKind::Export);
  PrepareExportTable(table, job_, QColor());
  EXPECT_EQ(table.heading(1), "Mixed Harbour (heights above MSL)");
}

TEST_F(DataExportTest, FillsAResultsTableAndHonoursCancel) {
  job_.destination = kExportToTable;
  job_.rangeEnd = job_.rangeStart + 2 * kMinutesPerDay;
  ResultsTable table(ResultsKind::Export);
  PrepareExportTable(table, job_, QColor(128, 255, 255));
  EXPECT_EQ(table.windowTitle(), "Data Export: Mixed Harbour");
  EXPECT_EQ(table.heading(2), "From March 5, 2021 to March 7, 2021");
  EXPECT_EQ(table.heading(3), "Tide values every 30 minutes");
  ASSERT_EQ(table.columns(), 9);
  EXPECT_EQ(table.column(3).title, "Time");
  EXPECT_EQ(table.column(8).title, "Value");
  SearchProgress progress;
  ASSERT_EQ(WriteExport(job_, nullptr, &table, progress), ExportOutcome::Completed);
  ASSERT_EQ(table.rows(), 36);  // the empty row opened after the last record is gone
  EXPECT_EQ(table.RowLabel(35), "36");
  EXPECT_EQ(table.Cell(0, 3), "12:30a");
  EXPECT_EQ(table.Cell(0, 5), " 1:00a");  // cells keep their blanks
  EXPECT_EQ(table.Cell(35, 0), "March 7, 2021");

  StringSink sink;
  DayStop stop(2);
  EXPECT_EQ(WriteExport(job_, &sink, nullptr, stop), ExportOutcome::Cancelled);
  EXPECT_EQ(Split(sink.text, "\r\n").size(), 25u);  // two days of 12 records
}

class CurrentExportTest : public test::EngineTest {};

TEST_F(CurrentExportTest, EventsCarryTheirLettersDirectionsAndEbbSigns) {
  test::WriteCurrentTables(dataDir_.path().string());
  test::WriteCurrentFile(dataDir_.path().string(), test::ReversingCurrent(301));
  ExportJob job;
  job.station.kind = StationKind::Current;
  job.station.current = test::HarmonicCurrentStation(301, 301);
  job.intervalMinutes = -1;
  job.repeatCount = 1;
  job.targetFields = {kFieldTime, kFieldValue, kFieldValueType, kFieldDirection};
  job.units.clock = TimeType::Clock24;
  job.fieldDelimiter = ",";
  const EngineMinute day = MinuteOf(2003, 7, 4);
  const CurrentDayList list = FindCurrentDay(job.station.current, job.station.clock, day);
  ASSERT_EQ(list.status, 0);
  const std::vector<std::string> records = ExportDayRecords(job, day);
  ASSERT_EQ(records.size(), list.events.size());
  for (size_t k = 0; k < records.size(); ++k) {
    const ShownCurrentEvent& e = list.events[k];
    DateRecord d;
    MinuteToDate(e.at.shown, d);
    const std::string speed = (e.speed < 0 ? "-" : "") + SpeedText(MicroKnots(e.speed), 0, CurrentUnit::Knots);
    EXPECT_EQ(records[k], TimeText(d.hour, d.minute, TimeType::Clock24) + "," + speed + "," + e.kind + "," +
                              (e.direction >= 0 ? std::to_string(e.direction) : "---") + "\r\n");
  }
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST(OutputFileTest, ReplacesAFileOnlyWhenCommitted) {
  test::TempDir dir;
  const std::string path = dir.File("export.txt");
  { std::ofstream(path) << "old"; }
  auto read = [&] {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  };
  {
    AtomicOutputFile file;
    ASSERT_TRUE(file.Open(path));
    ASSERT_TRUE(file.WriteBytes("new"));
    EXPECT_EQ(read(), "old");
  }  // never committed
  EXPECT_EQ(read(), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  AtomicOutputFile file;
  ASSERT_TRUE(file.Open(path));
  ASSERT_TRUE(file.WriteBytes("new "));
  ASSERT_TRUE(file.WriteBytes("text"));
  ASSERT_TRUE(file.Commit());
  EXPECT_EQ(read(), "new text");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  AtomicOutputFile bad;
  EXPECT_FALSE(bad.Open(dir.File("missing/dir/file.txt")));
  EXPECT_FALSE(bad.Open(dir.path().string()));

  ClipboardTempFile temp;
  ASSERT_TRUE(temp.Open());
  const std::string tempPath = temp.path();
  std::string big(70000, 'x');
  big += "end";
  ASSERT_TRUE(temp.WriteBytes(big));
  std::string back;
  ASSERT_TRUE(temp.ReadBack(back));
  EXPECT_EQ(back, big);
  EXPECT_FALSE(std::filesystem::exists(tempPath));
}

// The moon quarter field against the instants of the principal phases.
TEST(ExportRealDataTest, MoonQuartersFallOnTheDaysOfThePhases) {
  if (!std::filesystem::exists(std::string(QW_TEST_DATA_DIR) + "/EARTH.DAT")) {
    GTEST_SKIP() << "no Earth series in " QW_TEST_DATA_DIR;
  }
  ResetEngine();
  SetDataDirectory(QW_TEST_DATA_DIR);
  StationPlace greenwich;
  greenwich.latHemisphere = 'N', greenwich.latDegrees = 51, greenwich.latMinutes = 28;
  greenwich.lonHemisphere = 'E', greenwich.lonDegrees = 0;
  static constexpr const char* kNames[] = {"", "NM", "FM", "1Q", "3Q"};
  const double from = JulianDay(2024, 1, 1.0), to = JulianDay(2024, 12, 1.0);
  const std::vector<PrincipalPhase> phases = PrincipalPhases(from, to);
  ASSERT_GT(phases.size(), 40u);
  int matched = 0;
  for (const PrincipalPhase& p : phases) {
    // The phase's day (UT; Greenwich keeps no daylight saving here).
    const EngineMinute day = MinuteOf(2024, 1, 1) +
                             static_cast<EngineMinute>(std::floor(p.julianDayUt - from)) * kMinutesPerDay;
    std::string near;
    for (int offset : {0, -1, 1}) {
      const EngineMinute d = day + static_cast<EngineMinute>(offset * static_cast<int>(kMinutesPerDay));
      const float before = MoonRiseSet(d - kMinutesPerDay, greenwich).phaseAngle;
      const float at = MoonRiseSet(d, greenwich).phaseAngle;
      const float after = MoonRiseSet(d + kMinutesPerDay, greenwich).phaseAngle;
      const std::string q = MoonQuarterText(before, at, after);
      if (offset == 0 && q == kNames[p.type]) ++matched;
      if (!q.empty()) near = q;
    }
    EXPECT_EQ(near, kNames[p.type]) << p.julianDayUt;
  }
  // Most phases are marked on their own day, the rest a day off.
  EXPECT_GT(matched, static_cast<int>(phases.size()) * 3 / 4);
  ResetEngine();
}

}  // namespace
}  // namespace qw
