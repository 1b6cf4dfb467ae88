// The custom-location files and the setup list: the header and checksum as written, the
// order and identity of entries across moves and deletes, damaged files kept aside, a
// failed rename that leaves the old file whole, and custom stations that predict like
// the stations they copy.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <filesystem>
#include <fstream>

#include "engine/atomic_file.h"
#include "engine/byte_order.h"
#include "engine/calendar.h"
#include "engine/current_prediction.h"
#include "engine/data_dir.h"
#include "engine/station_database.h"
#include "engine/tide_prediction.h"
#include "stations/custom_location_file.h"
#include "stations/custom_locations.h"
#include "stations/station_notes.h"
#include "tests/stations/catalogue_fixture.h"
#include "tests/support/current_fixture.h"
#include "tests/support/test_support.h"
#include "tests/support/tide_station_fixture.h"

namespace qw {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

int FailingRename(const char*, const char*) {
  errno = EIO;
  return -1;
}

std::string NoReference(StationKind, uint16_t) { return std::string(); }

class CustomLocationsTest : public test::EngineTest {
 protected:
  ~CustomLocationsTest() override { SetAtomicRenameForTesting(nullptr); }

  static CustomRecord Location(const std::string& name) {
    return EncodeEntry(PrepareCurrentTemplate(test::CurrentStation(name, 4000)));
  }
  // A current list with a location, a section and another location, saved.
  CustomLocationList SavedList() {
    CustomLocationList list(StationKind::Current);
    list.Load(-1);
    int at = list.InsertLocation(-1, Location("Alpha"));
    at = list.InsertSection(at, "Harbour");
    list.InsertLocation(at, Location("Beta"));
    std::string error;
    EXPECT_TRUE(list.Save(&error, NoReference)) << error;
    return list;
  }
};

TEST_F(CustomLocationsTest, FirstLocationWritesHeaderAndLocationWithIdOne) {
  CustomLocationList list(StationKind::Current);
  EXPECT_TRUE(list.Load(-1).missing);
  ASSERT_EQ(list.InsertLocation(-1, Location("Slack Point")), 0);
  ASSERT_TRUE(list.Save(nullptr, NoReference));

  const std::vector<uint8_t> bytes = FileBytes(CustomFilePath(StationKind::Current));
  ASSERT_EQ(bytes.size(), 2 * kCurrentLocationSize);
  EXPECT_EQ(bytes[0], 'c');
  EXPECT_EQ(ReadU16(bytes.data() + 1), 2);  // the counter: the next ID to give out
  EXPECT_STREQ(reinterpret_cast<const char*>(bytes.data() + 3), "Custom");
  const std::vector<uint8_t> record(bytes.begin() + kCurrentLocationSize, bytes.end());
  EXPECT_EQ(ReadI32(bytes.data() + 58), CustomChecksum({record}));
  EXPECT_EQ(record[0], 'c');
  EXPECT_EQ(ReadU16(record.data() + 1), 1);
  EXPECT_EQ(ReadU16(record.data() + 127), 0);  // no general-vicinity link

  // The catalogue lists the file as region 99 named "Custom".
  const RegionList regions = BuildRegionList(StationKind::Current);
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_EQ(regions[0].number, 99);
  EXPECT_STREQ(regions[0].name, "Custom");
}

TEST_F(CustomLocationsTest, ChecksumAddsEveryByteAsSigned) {
  CustomRecord a(4, 0), b(4, 0);
  a[0] = 'c';    // 99
  a[1] = 0xFF;   // -1
  b[2] = 0x80;   // -128
  b[3] = 0x7F;   // 127
  EXPECT_EQ(CustomChecksum({a, b}), 99 - 1 - 128 + 127);
  EXPECT_EQ(CustomChecksum({}), 0);
}

TEST_F(CustomLocationsTest, FileRoundTripsEntriesInListOrder) {
  SavedList();
  CustomLocationList again(StationKind::Current);
  const CustomReadReport report = again.Load(3);
  EXPECT_FALSE(report.damaged) << report.problem;
  ASSERT_EQ(again.count(), 3);
  EXPECT_EQ(again.Name(0), "Alpha");
  EXPECT_EQ(again.Name(1), "Harbour");
  EXPECT_EQ(again.Name(2), "Beta");
  EXPECT_TRUE(again.IsSectionAt(1));
  EXPECT_EQ(EntryStationId(again.entry(0)), 1);
  EXPECT_EQ(EntryStationId(again.entry(2)), 2);
  EXPECT_EQ(again.nextStationId(), 3);
  // A section is zeros but its marker and name.
  const CustomRecord& section = again.entry(1);
  EXPECT_EQ(section[0], 'c');
  for (size_t i = 3 + 7; i < section.size(); ++i) EXPECT_EQ(section[i], 0) << i;
}

TEST_F(CustomLocationsTest, MovingKeepsIdentityAndNoteFile) {
  CustomLocationList list = SavedList();
  const UserNoteKey alpha{StationKind::Current, kCustomMarker, 1};
  ASSERT_TRUE(WriteUserNote(alpha, "Alpha", "Shoal at the entrance."));
  EXPECT_FALSE(list.MoveUp(0));  // nothing above the first entry
  EXPECT_FALSE(list.MoveDown(2));
  EXPECT_FALSE(list.changed());
  ASSERT_TRUE(list.MoveDown(0));
  ASSERT_TRUE(list.MoveDown(1));
  ASSERT_TRUE(list.Save(nullptr, NoReference));

  CustomLocationList again(StationKind::Current);
  again.Load(3);
  EXPECT_EQ(again.Name(2), "Alpha");
  EXPECT_EQ(EntryStationId(again.entry(2)), 1);
  EXPECT_EQ(ReadUserNote(alpha).text, "Shoal at the entrance.");
}

TEST_F(CustomLocationsTest, DeletedLocationsLoseTheirNotesOnlyWhenSaved) {
  CustomLocationList list = SavedList();
  const UserNoteKey beta{StationKind::Current, kCustomMarker, 2};
  ASSERT_TRUE(WriteUserNote(beta, "Beta", "Moorings."));
  EXPECT_EQ(list.Delete(2), 1);  // the last entry went: the new last is selected
  EXPECT_TRUE(HasUserNote(beta));
  list.Cancel();
  EXPECT_TRUE(HasUserNote(beta));

  CustomLocationList again(StationKind::Current);
  again.Load(3);
  ASSERT_EQ(again.Delete(0), 0);  // the same position stays selected
  ASSERT_EQ(again.Delete(1), 0);
  ASSERT_EQ(again.Delete(0), -1);
  ASSERT_TRUE(again.Save(nullptr, NoReference));
  EXPECT_FALSE(HasUserNote(beta));
  // Deleting every entry deletes the file.
  EXPECT_FALSE(fs::exists(CustomFilePath(StationKind::Current)));
}

TEST_F(CustomLocationsTest, IdsAreNeverGivenOutTwice) {
  CustomLocationList list = SavedList();  // IDs 1 and 2
  list.Delete(2);
  list.Delete(1);
  list.Delete(0);
  ASSERT_TRUE(list.Save(nullptr, NoReference));  // the file is gone, the counter is not
  CustomLocationList again(StationKind::Current);
  again.Load(-1);
  again.InsertLocation(-1, Location("Gamma"));
  EXPECT_EQ(EntryStationId(again.entry(0)), 3);

  // A header whose counter lags behind the entries (another program, an old backup).
  again.Save(nullptr, NoReference);
  std::vector<uint8_t> bytes = FileBytes(CustomFilePath(StationKind::Current));
  WriteU16(bytes.data() + 1, 2);
  WriteBytes(CustomFilePath(StationKind::Current), bytes);
  fs::remove(CustomIdentityPath());
  CustomLocationList lagging(StationKind::Current);
  lagging.Load(1);
  EXPECT_EQ(lagging.nextStationId(), 4);
}

TEST_F(CustomLocationsTest, NewEntriesGoBelowTheSelection) {
  CustomLocationList list(StationKind::Tide);
  list.Load(-1);
  const CustomRecord tide = EncodeEntry(PrepareTideTemplate(test::TideStation("T", 7)));
  EXPECT_EQ(list.InsertSection(-1, "North"), 0);
  EXPECT_EQ(list.InsertSection(0, "South"), 1);
  EXPECT_EQ(list.InsertLocation(0, tide), 1);  // below "North", above "South"
  EXPECT_EQ(list.InsertLocation(-1, tide), 0);  // no selection: at the top
  EXPECT_EQ(list.Name(2), "T");
  EXPECT_EQ(list.Name(3), "South");
  list.RenameSection(3, "Southern approaches");
  EXPECT_EQ(list.Name(3), "Southern approaches");
}

TEST_F(CustomLocationsTest, ReplacingKeepsTheStationIdAndMarker) {
  CustomLocationList list = SavedList();
  CurrentLocation edited = DecodeCurrentEntry(list.entry(0));
  edited.stationId = 999;
  edited.kindCode = 1;
  std::strcpy(edited.name, "Alpha Rock");
  list.ReplaceLocation(0, EncodeEntry(edited));
  const CurrentLocation stored = DecodeCurrentEntry(list.entry(0));
  EXPECT_EQ(stored.stationId, 1);
  EXPECT_EQ(stored.kindCode, 'c');
  EXPECT_STREQ(stored.name, "Alpha Rock");
}

TEST_F(CustomLocationsTest, DamagedFilesAreReportedKeptAsideAndUsedAsFarAsTheyGo) {
  SavedList();
  const std::string path = CustomFilePath(StationKind::Current);
  const std::vector<uint8_t> good = FileBytes(path);

  struct Damage {
    const char* what;
    std::vector<uint8_t> bytes;
    int expected;
    int usable;
  };
  std::vector<uint8_t> truncated(good.begin(), good.end() - 40);
  std::vector<uint8_t> flipped = good;
  flipped[kCurrentLocationSize + 10] ^= 0x55;
  std::vector<uint8_t> unmarked = good;
  unmarked[0] = 'x';
  const Damage cases[] = {{"partial last record", truncated, 3, 2},
                          {"checksum", flipped, 3, 3},
                          {"marker", unmarked, 3, 3},
                          {"fewer records than the catalogue counts", good, 5, 3}};
  for (const Damage& damage : cases) {
    SCOPED_TRACE(damage.what);
    WriteBytes(path, damage.bytes);
    for (const auto& entry : fs::directory_iterator(dataDir_.path())) {
      if (entry.path().string().find(".damaged") != std::string::npos) fs::remove(entry.path());
    }
    CustomLocationList list(StationKind::Current);
    const CustomReadReport report = list.Load(damage.expected);
    EXPECT_TRUE(report.damaged);
    EXPECT_FALSE(report.problem.empty());
    EXPECT_EQ(list.count(), damage.usable);
    ASSERT_FALSE(report.keptAs.empty());
    EXPECT_EQ(FileBytes(report.keptAs), damage.bytes);
    // Nothing is written until the user saves.
    EXPECT_EQ(FileBytes(path), damage.bytes);
  }
}

TEST_F(CustomLocationsTest, DamagedFileIsKeptOnceAndNeverReplacedWithoutACopy) {
  SavedList();
  const std::string path = CustomFilePath(StationKind::Current);
  std::vector<uint8_t> damaged = FileBytes(path);
  damaged[0] = 'x';
  WriteBytes(path, damaged);
  auto asideCopies = [&] {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(dataDir_.path())) {
      n += entry.path().string().find(".damaged") != std::string::npos;
    }
    return n;
  };
  // Opening the list again and again keeps one copy, not one per opening.
  for (int opening = 0; opening < 3; ++opening) {
    CustomLocationList list(StationKind::Current);
    EXPECT_EQ(list.Load(-1).keptAs, path + ".damaged");
  }
  EXPECT_EQ(asideCopies(), 1);

  // A file that cannot be copied when read (here a pipe, not a regular file) is moved
  // aside when the user saves, not replaced.
  fs::remove_all(dataDir_.path() / (fs::path(path).filename().string() + ".damaged"));
  fs::remove(path);
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  CustomLocationList list(StationKind::Current);
  const CustomReadReport report = list.Load(-1);
  EXPECT_TRUE(report.damaged);
  EXPECT_TRUE(report.keptAs.empty());
  list.InsertLocation(-1, Location("Gamma"));
  std::string error;
  ASSERT_TRUE(list.Save(&error, NoReference)) << error;
  EXPECT_TRUE(fs::is_fifo(path + ".damaged"));
  EXPECT_TRUE(fs::is_regular_file(path));
}

TEST_F(CustomLocationsTest, EmptyFileIsNoEntriesAndCancelRemovesIt) {
  WriteBytes(CustomFilePath(StationKind::Tide), {});
  CustomLocationList list(StationKind::Tide);
  const CustomReadReport report = list.Load(-1);
  EXPECT_TRUE(report.missing);
  EXPECT_FALSE(report.damaged);
  list.Cancel();
  EXPECT_FALSE(fs::exists(CustomFilePath(StationKind::Tide)));
}

TEST_F(CustomLocationsTest, FailedRenameLeavesTheOldFileWhole) {
  CustomLocationList list = SavedList();
  const std::string path = CustomFilePath(StationKind::Current);
  const std::vector<uint8_t> before = FileBytes(path);
  list.Delete(0);
  list.InsertSection(-1, "New section");
  SetAtomicRenameForTesting(&FailingRename);
  std::string error;
  EXPECT_FALSE(list.Save(&error, NoReference));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(FileBytes(path), before);
  // No temporary file is left behind, the list keeps the user's changes and the deleted
  // location keeps its note until a save succeeds.
  for (const auto& entry : fs::directory_iterator(dataDir_.path())) {
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
  }
  EXPECT_TRUE(list.changed());
  SetAtomicRenameForTesting(nullptr);
  EXPECT_TRUE(list.Save(&error, NoReference)) << error;
  EXPECT_NE(FileBytes(path), before);
}

TEST_F(CustomLocationsTest, ChangedReferenceNamesAreFound) {
  std::string reference = "SAN FRANCISCO BAY ENTRANCE";
  const ReferenceNamer namer = [&](StationKind, uint16_t) { return reference; };
  CustomLocationList list(StationKind::Current);
  list.Load(-1);
  list.InsertLocation(-1, Location("Alpha"));
  ASSERT_TRUE(list.Save(nullptr, namer));
  EXPECT_TRUE(list.CheckReferences(namer).empty());

  reference = "SOMEWHERE ELSE";  // a new edition gave the number to another station
  CustomLocationList again(StationKind::Current);
  again.Load(1);
  const std::vector<ReferenceChange> changes = again.CheckReferences(namer);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].location, "Alpha");
  EXPECT_EQ(changes[0].savedName, "SAN FRANCISCO BAY ENTRANCE");
  EXPECT_EQ(changes[0].nowName, "SOMEWHERE ELSE");
  // Saving without looking at the location keeps the warning; editing it settles it.
  ASSERT_TRUE(again.Save(nullptr, namer));
  EXPECT_EQ(again.CheckReferences(namer).size(), 1u);
  again.ReplaceLocation(0, again.entry(0));
  ASSERT_TRUE(again.Save(nullptr, namer));
  EXPECT_TRUE(again.CheckReferences(namer).empty());
}

TEST_F(CustomLocationsTest, TemplatesBecomeSubordinateLocations) {
  TideLocation harmonic = test::TideStation("Harmonic", 9447);
  harmonic.unused88[0] = 12;
  harmonic.unused88[1] = 340;
  harmonic.vicinityIndex = 4;
  const TideLocation tide = PrepareTideTemplate(harmonic);
  EXPECT_EQ(tide.kindCode, 'c');
  EXPECT_EQ(tide.highHeightRatio, 100);
  EXPECT_EQ(tide.lowHeightRatio, 100);
  EXPECT_EQ(tide.highTimeOffset, 0);
  EXPECT_EQ(tide.vicinityIndex, 0);
  EXPECT_EQ(tide.unused88[0], 0);
  EXPECT_EQ(tide.unused88[1], 0);

  CurrentLocation rotary = test::CurrentStation("Rotary", 77);
  rotary.stationKind = kCurrentKindRotary;
  rotary.unused114[2] = 5;
  const CurrentLocation current = PrepareCurrentTemplate(rotary);
  EXPECT_EQ(current.floodSpeedRatio, 100);
  EXPECT_EQ(current.ebbSpeedRatio, 100);
  EXPECT_EQ(current.stationKind, kCurrentKindOrdinary);
  EXPECT_EQ(current.unused114[2], 0);

  // A subordinate template keeps its ratios and its double events.
  CurrentLocation doubled = test::SubordinateCurrentStation(500, 45001, -30, 10, 20, -15, 80, 120);
  doubled.stationKind = kCurrentKindMayDoubleEbb;
  doubled.secondEventTime = 95;
  const CurrentLocation kept = PrepareCurrentTemplate(doubled);
  EXPECT_EQ(kept.floodSpeedRatio, 80);
  EXPECT_EQ(kept.ebbSpeedRatio, 120);
  EXPECT_EQ(kept.stationKind, kCurrentKindMayDoubleEbb);
  EXPECT_EQ(kept.secondEventTime, 95);
}

// A custom location saved through the list and read back through the catalogue predicts
// exactly what the installed station it copies predicts.
class CustomPredictionTest : public test::EngineTest {};

TEST_F(CustomPredictionTest, CustomTideStationPredictsLikeItsTemplate) {
  constexpr uint16_t kReference = 321;
  std::string error;
  ASSERT_TRUE(test::WriteSyntheticStations(dataDir_.path().string(), {test::MixedTideStation(kReference)}, 2023,
                                           2025, &error))
      << error;
  TideLocation ordinary = test::ReferenceLocation(kReference, 45001, "Inner Harbour");
  ordinary.kindCode = 1;
  ordinary.highTimeOffset = 34;
  ordinary.lowTimeOffset = -21;
  ordinary.highHeightRatio = 112;
  ordinary.lowHeightRatio = 95;
  ordinary.highHeightDiff = 0;
  ordinary.lowHeightDiff = 0;
  TideLocation doubled = ordinary;  // the double-tide rule a NOAA kind code does not select
  doubled.extremeRule = 20;
  std::strcpy(doubled.name, "Outer Harbour");
  TideLocation differences = ordinary;  // the data's "fixed" corrections: ratios 1.00 and differences
  differences.highHeightRatio = differences.lowHeightRatio = 100;
  differences.highHeightDiff = 45;
  differences.lowHeightDiff = -12;
  std::strcpy(differences.name, "Creek Mouth");
  const std::vector<TideLocation> templates = {ordinary, doubled, differences};
  test::WriteTides(5, "California", templates);

  CustomLocationList list(StationKind::Tide);
  list.Load(-1);
  int at = -1;
  for (const TideLocation& station : templates) at = list.InsertLocation(at, EncodeEntry(PrepareTideTemplate(station)));
  ASSERT_TRUE(list.Save(&error, NoReference)) << error;

  const RegionList regions = BuildRegionList(StationKind::Tide);
  ASSERT_EQ(regions.size(), 2u);
  ASSERT_EQ(regions[1].number, 99);
  ASSERT_EQ(CountStations(regions, 1, StationKind::Tide), 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(templates[static_cast<size_t>(i)].name);
    TideLocation installed, custom;
    ASSERT_TRUE(ReadTideLocation(regions, 0, i, installed));
    ASSERT_TRUE(ReadTideLocation(regions, 1, i, custom));
    EXPECT_EQ(custom.kindCode, 'c');
    EXPECT_EQ(UsesDoubleTideFinder(custom), UsesDoubleTideFinder(installed));
    for (EngineMinute day = MinuteOf(2024, 2, 27); day < MinuteOf(2024, 3, 6); day += kMinutesPerDay) {
      TideDayExtremes a{}, b{};
      int32_t maxA = 0, minA = 0, maxB = 0, minB = 0;
      ASSERT_EQ(FindTideDayExtremes(installed, day, a, maxA, minA), 0) << reports_.Describe();
      ASSERT_EQ(FindTideDayExtremes(custom, day, b, maxB, minB), 0) << reports_.Describe();
      ASSERT_NE(a[0].time, 0u);
      for (size_t k = 0; k < a.size(); ++k) {
        EXPECT_EQ(a[k].kind, b[k].kind);
        EXPECT_EQ(a[k].height, b[k].height);
        EXPECT_EQ(a[k].time, b[k].time);
      }
      EXPECT_EQ(maxA, maxB);
      EXPECT_EQ(minA, minB);
      for (EngineMinute t = day; t < day + kMinutesPerDay; t += 97) {
        EXPECT_EQ(PredictTide(installed, t, 0).height, PredictTide(custom, t, 0).height);
      }
    }
  }
}

TEST_F(CustomPredictionTest, CustomCurrentStationPredictsLikeItsTemplate) {
  constexpr uint16_t kReference = 761;
  test::WriteCurrentTables(dataDir_.path().string());
  test::WriteCurrentFile(dataDir_.path().string(), test::ReversingCurrent(kReference, 0.3));
  CurrentLocation sub = test::SubordinateCurrentStation(kReference, 45002, -25, 40, 15, -35, 85, 120);
  std::strcpy(sub.name, "Narrows");
  sub.floodSpeed = 210;
  sub.ebbSpeed = 190;
  test::WriteCurrents(3, "Washington", {sub});

  CustomLocationList list(StationKind::Current);
  list.Load(-1);
  list.InsertLocation(-1, EncodeEntry(PrepareCurrentTemplate(sub)));
  std::string error;
  ASSERT_TRUE(list.Save(&error, NoReference)) << error;

  const RegionList regions = BuildRegionList(StationKind::Current);
  ASSERT_EQ(regions.size(), 2u);
  CurrentLocation installed, custom;
  ASSERT_TRUE(ReadCurrentLocation(regions, 0, 0, installed));
  ASSERT_TRUE(ReadCurrentLocation(regions, 1, 0, custom));
  EXPECT_EQ(custom.stationId, 1);
  for (EngineMinute day = MinuteOf(2004, 6, 1); day < MinuteOf(2004, 6, 5); day += kMinutesPerDay) {
    CurrentDayEvents a{}, b{};
    int32_t maxA = 0, minA = 0, maxB = 0, minB = 0;
    ASSERT_EQ(FindCurrentDayEvents(installed, day, a, maxA, minA), 0) << reports_.Describe();
    ASSERT_EQ(FindCurrentDayEvents(custom, day, b, maxB, minB), 0) << reports_.Describe();
    ASSERT_NE(a[0].time, 0u);
    for (size_t k = 0; k < a.size(); ++k) {
      EXPECT_EQ(a[k].kind, b[k].kind);
      EXPECT_EQ(a[k].speed, b[k].speed);
      EXPECT_EQ(a[k].time, b[k].time);
      EXPECT_EQ(a[k].direction, b[k].direction);
    }
    for (EngineMinute t = day; t < day + kMinutesPerDay; t += 89) {
      const CurrentEvent a = PredictCurrent(installed, t, 0), b = PredictCurrent(custom, t, 0);
      EXPECT_EQ(a.speed, b.speed);
      EXPECT_EQ(a.kind, b.kind);
      EXPECT_EQ(a.direction, b.direction);
    }
  }
}

}  // namespace
}  // namespace qw
