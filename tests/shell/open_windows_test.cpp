#include "shell/open_windows.h"

#include <gtest/gtest.h>

#include "tests/app/app_test_support.h"

namespace qw {
namespace {

OpenWindowEntry Entry(StationKind kind, uint16_t slot, uint16_t index, uint32_t id) {
  OpenWindowEntry e;
  e.station = {kind, slot, index};
  e.stationId = id;
  e.placement = {0, kShowMaximized, -1, -1, -4, -23, 22, 22, 622, 422};
  e.infoShown = true;
  e.tableShown = kind == StationKind::Current;
  e.weeklyShown = false;
  return e;
}

TEST(OpenWindowsTest, EntriesHaveSeventeenFieldsInOrder) {
  OpenWindowEntry e = Entry(StationKind::Tide, 3, 120, 9447130);
  EXPECT_EQ(FormatOpenWindowEntry(e), "T,3,120,9447130,0,3,-1,-1,-4,-23,22,22,622,422,1,0,0");
  OpenWindowEntry back;
  ASSERT_TRUE(ParseOpenWindowEntry(FormatOpenWindowEntry(e), back));
  EXPECT_EQ(back, e);

  // With the station's key the line has an 18th field.
  e.key = "NOAA/9447130";
  EXPECT_EQ(FormatOpenWindowEntry(e), "T,3,120,9447130,0,3,-1,-1,-4,-23,22,22,622,422,1,0,0,NOAA/9447130");
  ASSERT_TRUE(ParseOpenWindowEntry(FormatOpenWindowEntry(e), back));
  EXPECT_EQ(back, e);
}

// A tide window's chosen datum is a 19th field, after the key or an empty one; a line
// without it reads as the default datum, as before.
TEST(OpenWindowsTest, ATideWindowsDatumFollowsTheKey) {
  OpenWindowEntry e = Entry(StationKind::Tide, 3, 120, 9447130);
  e.datum = "MSL";
  EXPECT_EQ(FormatOpenWindowEntry(e), "T,3,120,9447130,0,3,-1,-1,-4,-23,22,22,622,422,1,0,0,,MSL");
  OpenWindowEntry back;
  ASSERT_TRUE(ParseOpenWindowEntry(FormatOpenWindowEntry(e), back));
  EXPECT_EQ(back, e);
  e.key = "NOAA/9447130";
  e.datum = "NAVD88";
  EXPECT_EQ(FormatOpenWindowEntry(e), "T,3,120,9447130,0,3,-1,-1,-4,-23,22,22,622,422,1,0,0,NOAA/9447130,NAVD88");
  ASSERT_TRUE(ParseOpenWindowEntry(FormatOpenWindowEntry(e), back));
  EXPECT_EQ(back, e);
  ASSERT_TRUE(ParseOpenWindowEntry("T,3,120,9447130,0,3,-1,-1,-4,-23,22,22,622,422,1,0,0,NOAA/9447130", back));
  EXPECT_EQ(back.datum, "");
}

TEST(OpenWindowsTest, MalformedEntriesAreRejected) {
  OpenWindowEntry e;
  EXPECT_FALSE(ParseOpenWindowEntry("", e));
  EXPECT_FALSE(ParseOpenWindowEntry("X,3,120,1,0,1,-1,-1,-1,-1,0,0,10,10,1,0,0", e));     // kind
  EXPECT_FALSE(ParseOpenWindowEntry("T,3,120,1,0,1,-1,-1,-1,-1,0,0,10,10,1,0", e));       // 16 fields
  EXPECT_FALSE(ParseOpenWindowEntry("T,3,120,1,0,1,-1,-1,-1,-1,0,0,10,10,1,0,0,0", e));   // 18th not a key
  EXPECT_FALSE(ParseOpenWindowEntry("T,3,120,1,0,1,-1,-1,-1,-1,0,0,10,10,1,0,0,A/1,B,C", e));  // 20 fields
  EXPECT_FALSE(ParseOpenWindowEntry("T,3,120,1,0,1,-1,-1,-1,-1,0,0,10,10,1,0,0,A/1,M S L", e));  // not a datum
  EXPECT_FALSE(ParseOpenWindowEntry("C,3,120,1,0,1,-1,-1,-1,-1,0,0,10,10,1,0,0,A/1,MSL", e));  // a current's datum
  EXPECT_FALSE(ParseOpenWindowEntry("T,70000,1,1,0,1,-1,-1,-1,-1,0,0,10,10,1,0,0", e));   // slot > 65535
  EXPECT_FALSE(ParseOpenWindowEntry("T,-1,1,1,0,1,-1,-1,-1,-1,0,0,10,10,1,0,0", e));      // negative slot
  EXPECT_FALSE(ParseOpenWindowEntry("T,3,1,1,0,1,-1,-1,-1,-1,0,0,10,1x,1,0,0", e));       // junk
  EXPECT_FALSE(ParseOpenWindowEntry("T,3,1,1,0,1,-1,-1,-1,-1,0,0,10,10,2,0,0", e));       // switch 2
  EXPECT_TRUE(ParseOpenWindowEntry("C,0,0,0,0,1,-1,-1,-1,-1,0,0,10,10,0,1,1", e));
}

TEST(OpenWindowsTest, ListRoundTripsThroughTheSettingsFile) {
  ProfileFile file;
  file.LoadFromText("[OpenWindows]\nCount=5\n0=stale\n4=stale\n");
  const std::vector<OpenWindowEntry> entries = {Entry(StationKind::Tide, 0, 5, 100),
                                                Entry(StationKind::Current, 1, 2, 200)};
  WriteOpenWindows(file, entries);
  EXPECT_EQ(file.ReadInt("OpenWindows", "Count", 0), 2);
  EXPECT_FALSE(file.HasKey("OpenWindows", "4"));
  EXPECT_EQ(ReadOpenWindows(file), entries);

  // A damaged list keeps its good entries; a huge Count does not run away.
  ProfileFile damaged;
  damaged.LoadFromText("[OpenWindows]\nCount=999999999\n1=" + FormatOpenWindowEntry(entries[1]) +
                       "\n0=T,1,2\n");
  EXPECT_EQ(ReadOpenWindows(damaged), std::vector<OpenWindowEntry>{entries[1]});
}

TEST(OpenWindowsTest, ReopeningChecksTheStationId) {
  test::FakeStations stations;
  // Region 0 was reinstalled: station 100 moved from index 5 to index 1, station 300 is gone.
  stations.regions[StationKind::Tide] = {{0, 100, 101, 102, 103, 104, 105}};
  stations.regions[StationKind::Current] = {{7}, {8, 9, 200}};
  const std::vector<OpenWindowEntry> stored = {
      Entry(StationKind::Tide, 0, 5, 100),      // moved
      Entry(StationKind::Current, 1, 2, 200),   // unchanged
      Entry(StationKind::Tide, 0, 3, 300),      // gone
      Entry(StationKind::Tide, 0, 40, 104),     // index beyond the region now
      Entry(StationKind::Tide, 9, 0, 100),      // region no longer installed
  };
  std::vector<OpenWindowEntry> reopened = ResolveOpenWindows(stored, stations);
  ASSERT_EQ(reopened.size(), 3u);
  // Highest key first.
  EXPECT_EQ(reopened[0].station, (StationRef{StationKind::Tide, 0, 5}));
  EXPECT_EQ(reopened[1].station, (StationRef{StationKind::Current, 1, 2}));
  EXPECT_EQ(reopened[2].station, (StationRef{StationKind::Tide, 0, 1}));
  EXPECT_EQ(reopened[2].placement, stored[0].placement);
  EXPECT_EQ(reopened[2].stationId, 100u);
}

// A new edition of the data gives slots, indexes and IDs out afresh. An entry with a key
// opens its station wherever it now is; one without opens the station at its place only
// when the ID there agrees; an ID found elsewhere is trusted only where IDs are for good
// (a custom location); nothing is opened at another station.
TEST(OpenWindowsTest, ReopeningFollowsTheStationKeyAcrossEditions) {
  test::FakeStations stations;
  stations.regions[StationKind::Tide] = {{0, 7, 8}, {0, 100, 9}, {5, 6}};
  stations.keys = {{"NOAA/A", {StationKind::Tide, 1, 1}},
                   {"NOAA/B", {StationKind::Tide, 0, 1}},
                   {"TICON-4/c", {StationKind::Tide, 1, 2}},
                   {"custom/6", {StationKind::Tide, 2, 1}}};
  OpenWindowEntry keyed = Entry(StationKind::Tide, 0, 5, 55);
  keyed.key = "NOAA/A";
  OpenWindowEntry gone = Entry(StationKind::Tide, 0, 1, 7);
  gone.key = "NOAA/GONE";  // its place and ID now belong to NOAA/B
  const std::vector<OpenWindowEntry> stored = {
      keyed,
      Entry(StationKind::Tide, 0, 1, 7),  // written before keys: place and ID agree
      Entry(StationKind::Tide, 1, 0, 9),  // ID 9 now names a station elsewhere in the region
      gone,
      Entry(StationKind::Tide, 2, 0, 6),  // a custom location moved down the list
  };
  const std::vector<OpenWindowEntry> reopened = ResolveOpenWindows(stored, stations);
  ASSERT_EQ(reopened.size(), 3u);
  EXPECT_EQ(reopened[0].station, (StationRef{StationKind::Tide, 2, 1}));
  EXPECT_EQ(reopened[0].key, "custom/6");
  EXPECT_EQ(reopened[1].station, (StationRef{StationKind::Tide, 0, 1}));
  EXPECT_EQ(reopened[1].key, "NOAA/B");  // written with its key from now on
  EXPECT_EQ(reopened[2].station, (StationRef{StationKind::Tide, 1, 1}));
  EXPECT_EQ(reopened[2].stationId, 100u);
  EXPECT_EQ(reopened[2].key, "NOAA/A");
}

}  // namespace
}  // namespace qw
