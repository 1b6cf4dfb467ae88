#include "stations/station_index.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/binary_file.h"
#include "engine/station_database.h"
#include "tests/stations/catalogue_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

class StationIndexTest : public test::EngineTest {
 protected:
  void Build() {
    index_.Build(BuildRegionList(StationKind::Tide), BuildRegionList(StationKind::Current));
  }
  StationIndex index_;
};

TEST_F(StationIndexTest, HoldsEveryRegionInSlotOrderWithItsStations) {
  test::WritePugetSound();
  CurrentLocation sub = test::CurrentStation("The Narrows", 301, 15);
  sub.floodTime = 12;
  sub.unused126 = 'd';
  sub.unused114[2] = 7;  // a station note
  test::WriteCurrents(3, "Washington", {test::CurrentStation("Admiralty Inlet", 300), sub});
  Build();

  ASSERT_EQ(index_.Regions(StationKind::Tide).size(), 2u);
  EXPECT_EQ(index_.Region(StationKind::Tide, 1)->name, "Oregon");
  EXPECT_EQ(index_.StationCount(StationKind::Tide, 0), 7);
  EXPECT_EQ(index_.TotalStations(), 11u);
  EXPECT_EQ(index_.Station(StationKind::Tide, 0, 7), nullptr);
  EXPECT_EQ(index_.Region(StationKind::Tide, 2), nullptr);

  const StationSummary* heading = index_.Station(StationKind::Tide, 0, 0);
  EXPECT_EQ(heading->stationId, 0);
  EXPECT_FALSE(heading->reference);  // a general area is no reference station
  const StationSummary* seattle = index_.Station(StationKind::Tide, 0, 1);
  EXPECT_TRUE(seattle->reference);
  EXPECT_TRUE(seattle->hasPosition);
  EXPECT_NEAR(seattle->latitude, 47.6, 0.01);
  EXPECT_NEAR(seattle->longitude, -122.34, 0.01);

  const StationSummary* narrows = index_.Station(StationKind::Current, 0, 1);
  EXPECT_FALSE(narrows->reference);  // subordinate: a flood time correction
  EXPECT_TRUE(narrows->depthFlagD);
  EXPECT_EQ(narrows->meterDepth, 15);
  EXPECT_TRUE(narrows->officialNotes);
  EXPECT_FALSE(index_.Station(StationKind::Current, 0, 0)->officialNotes);
}

// The searches behave as the engine's search of the region file does.
TEST_F(StationIndexTest, NameSearchFindsTextAnywhereInAnyCaseBothWays) {
  test::WritePugetSound();
  Build();
  const RegionList tides = BuildRegionList(StationKind::Tide);
  // "sea": Seattle (1), Chelsea Point (3), SEASIDE Dock (5).
  EXPECT_EQ(index_.FindByName(StationKind::Tide, 0, -1, "sea", +1), 1);
  EXPECT_EQ(index_.FindByName(StationKind::Tide, 0, 1, "sea", +1), 3);
  EXPECT_EQ(index_.FindByName(StationKind::Tide, 0, 3, "SeA", +1), 5);
  EXPECT_EQ(index_.FindByName(StationKind::Tide, 0, 5, "sea", +1), -1);
  EXPECT_EQ(index_.FindByName(StationKind::Tide, 0, 5, "sea", -1), 3);
  EXPECT_EQ(index_.FindByName(StationKind::Tide, 0, 1, "sea", -1), -1);
  EXPECT_EQ(index_.FindByName(StationKind::Tide, 0, -1, "zzz", +1), -1);
  for (int start : {-1, 0, 2, 4, 6}) {
    for (int direction : {+1, -1}) {
      EXPECT_EQ(index_.FindByName(StationKind::Tide, 0, start, "o", direction),
                FindTideStationByName(tides, 0, start, "o", direction))
          << start << " " << direction;
    }
  }
  // IDs: two stations share 104.
  EXPECT_EQ(index_.FindById(StationKind::Tide, 0, -1, 104, +1), 4);
  EXPECT_EQ(index_.FindById(StationKind::Tide, 0, 4, 104, +1), 6);
  EXPECT_EQ(index_.FindById(StationKind::Tide, 0, 6, 104, -1), 4);
  EXPECT_EQ(index_.FindById(StationKind::Tide, 0, -1, 999, +1), -1);
  EXPECT_EQ(index_.FindById(StationKind::Tide, 0, -1, 65536 + 104, +1), -1);
  EXPECT_EQ(index_.FindByName(StationKind::Tide, 9, -1, "sea", +1), -1);
}

// A damaged region file: a trailing partial record is left out, a file of garbage gives
// records that decode to whatever they hold, and a file that vanished gives no stations.
TEST_F(StationIndexTest, SurvivesTruncatedAndMissingRegionFiles) {
  test::WritePugetSound();
  const std::string path = DataFilePath(RegionFileName(StationKind::Tide, 3));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadFilePrefix(path, 1 << 20, bytes));
  bytes.resize(bytes.size() - 30);
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()),
                                                                  static_cast<std::streamsize>(bytes.size()));
  const RegionList tides = BuildRegionList(StationKind::Tide);
  index_.Build(tides, {});
  EXPECT_EQ(index_.StationCount(StationKind::Tide, 0), 6);
  EXPECT_EQ(index_.StationCount(StationKind::Tide, 0), CountStations(tides, 0, StationKind::Tide));

  std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(250, '\xFF');
  index_.Build(tides, {});
  EXPECT_EQ(index_.StationCount(StationKind::Tide, 0), 1);
  EXPECT_LE(index_.Station(StationKind::Tide, 0, 0)->name.size(), 50u);

  std::filesystem::remove(path);
  index_.Build(tides, {});
  EXPECT_EQ(index_.StationCount(StationKind::Tide, 0), 0);
  EXPECT_EQ(index_.FindByName(StationKind::Tide, 0, -1, "", +1), -1);
  EXPECT_EQ(index_.StationCount(StationKind::Tide, 1), 2);
}

TEST_F(StationIndexTest, ReloadReadsOneRegionAgain) {
  test::WritePugetSound();
  Build();
  test::WriteTides(4, "Oregon", {test::TideStation("Coos Bay", 203)});
  index_.Reload(StationKind::Tide, BuildRegionList(StationKind::Tide), 1);
  EXPECT_EQ(index_.StationCount(StationKind::Tide, 1), 1);
  EXPECT_EQ(index_.Station(StationKind::Tide, 1, 0)->name, "Coos Bay");
  EXPECT_EQ(index_.StationCount(StationKind::Tide, 0), 7);
}

}  // namespace
}  // namespace qw
