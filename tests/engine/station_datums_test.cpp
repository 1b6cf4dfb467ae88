#include "engine/station_datums.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

TEST(StationDatums, WrittenFileReadsBackPerStation) {
  const std::vector<StationDatumEntry> entries = {
      {5, 12, 101, "MLLW", "MLLW", 0},           {5, 12, 101, "MLLW", "MSL", 3125000},
      {5, 12, 101, "MLLW", "NAVD88", -147000},   {32, 0, 32001, "CD", "CD", 0},
      {32, 0, 32001, "CD", "NN2000", 4881890},   {32, 1, 45001, "LAT", "LAT", 0},
  };
  StationDatums datums;
  ASSERT_TRUE(datums.Parse(EncodeStationDatums(entries)));
  EXPECT_EQ(datums.stationCount(), 3u);
  const StationDatumSet* sf = datums.Find(5, 12);
  ASSERT_NE(sf, nullptr);
  EXPECT_EQ(sf->chartDatum, "MLLW");
  ASSERT_NE(sf->Find("msl"), nullptr);
  EXPECT_EQ(sf->Find("MSL")->microFeetAboveChartDatum, 3125000);
  EXPECT_EQ(sf->Find("NAVD88")->microFeetAboveChartDatum, -147000);  // a land datum may lie below
  EXPECT_EQ(sf->Find("LAT"), nullptr);                                 // a datum it does not have
  EXPECT_EQ(datums.Find(32, 1)->datums.size(), 1u);                    // its chart datum alone
  EXPECT_EQ(datums.Find(5, 13), nullptr);
}

// Damaged lines are skipped, the first of a doubled datum stands, another chart datum for
// the same station is refused; a file without the header is not read.
TEST(StationDatums, DamagedLinesAreSkipped) {
  StationDatums datums;
  ASSERT_TRUE(datums.Parse("region,index,station_id,chart_datum,datum,micro_feet\r\n"
                           "5,12,101,MLLW,MLLW,0\r\n"
                           "5,12,101,MLLW,MSL,3125000\r\n"
                           "5,12,101,MLLW,MSL,9\r\n"
                           "5,12,101,LAT,HAT,9\r\n"
                           "5,12,101,MLLW,MHW,lots\r\n"
                           "5,12,101,MLLW,MHHW\r\n"));
  EXPECT_EQ(datums.skippedLines(), 4u);
  EXPECT_EQ(datums.Find(5, 12)->Find("MSL")->microFeetAboveChartDatum, 3125000);
  std::string error;
  EXPECT_FALSE(datums.Parse("5,12,101,MLLW,MLLW,0\n", &error));
  EXPECT_FALSE(error.empty());
}

// Parsing one station reads for it what the whole parse reads, also where its lines are
// quoted, written with leading zeros, out of order, damaged, or where another station's
// region number wraps around to the same 16 bits.
TEST(StationDatums, OneStationReadsAsTheWholeFileGivesIt) {
  const std::string text =
      "region,index,station_id,chart_datum,datum,micro_feet\n"
      "5,12,101,MLLW,MLLW,0\n"
      "\"5\",12,101,MLLW,MSL,3125000\n"
      "05,12,101,MLLW,MHHW,5000000\n"
      "65541,12,101,MLLW,HAT,7000000\n"
      "5,13,102,LAT,LAT,0\n"
      "5,\"13\",102,LAT,MSL,1\n"
      "5,12,101,MLLW,MSL,9\n"
      "5,12,101,LAT,LAT,0\n"
      "5,12\n"
      "4,12,100,CD,CD,0\n"
      "5,12,101,MLLW,NAVD88,-147000\n";
  StationDatums whole;
  ASSERT_TRUE(whole.Parse(text));
  for (const auto& [region, index] : std::vector<std::pair<int, int>>{{5, 12}, {5, 13}, {4, 12}, {6, 12}}) {
    SCOPED_TRACE(std::to_string(region) + "," + std::to_string(index));
    StationDatums one;
    ASSERT_TRUE(one.ParseStation(text, region, index));
    const StationDatumSet* expected = whole.Find(region, index);
    const StationDatumSet* got = one.Find(region, index);
    ASSERT_EQ(got == nullptr, expected == nullptr);
    if (!expected) continue;
    EXPECT_EQ(got->chartDatum, expected->chartDatum);
    ASSERT_EQ(got->datums.size(), expected->datums.size());
    for (size_t i = 0; i < got->datums.size(); ++i) {
      EXPECT_EQ(got->datums[i].name, expected->datums[i].name);
      EXPECT_EQ(got->datums[i].microFeetAboveChartDatum, expected->datums[i].microFeetAboveChartDatum);
    }
    EXPECT_EQ(one.stationCount(), 1u);
  }
  EXPECT_EQ(whole.Find(5, 12)->datums.size(), 4u);  // MLLW, MSL, MHHW, NAVD88
  StationDatums none;
  EXPECT_FALSE(none.ParseStation("5,12,101,MLLW,MLLW,0\n", 5, 12));
}

}  // namespace
}  // namespace qw

namespace qw {
namespace {

// Choosing a datum: any case, the chart datum when none is asked for; a datum the station
// lacks is refused naming those it has, and leaves the station on the datum it was on.
TEST(StationDatums, ChoosingADatumSetsTheShiftOrSaysWhichThereAre) {
  StationDatums datums;
  ASSERT_TRUE(datums.Parse(EncodeStationDatums({{5, 12, 101, "MLLW", "MLLW", 0},
                                                {5, 12, 101, "MLLW", "MSL", 3125000},
                                                {5, 12, 101, "MLLW", "NAVD88", -147000},
                                                {6, 0, 7, "LAT", "LAT", 0}})));
  const StationDatumSet* set = datums.FindByStationId(101);
  ASSERT_EQ(set, datums.Find(5, 12));
  EXPECT_EQ(datums.FindByStationId(0), nullptr);

  TideLocation station;
  DatumChoice choice = SelectDatum(station, set, "msl");
  ASSERT_TRUE(choice.ok());
  EXPECT_EQ(station.datum, "MSL");
  EXPECT_EQ(station.datumMicroFeet, 3125000);

  choice = SelectDatum(station, set, "LAT");
  EXPECT_EQ(choice.error, "the station has no datum \"LAT\"; it has MLLW, MSL, NAVD88");
  EXPECT_EQ(station.datum, "MSL");  // unchanged
  EXPECT_FALSE(SelectDatum(station, datums.FindByStationId(7), "MSL").error.find("chart datum LAT alone") ==
               std::string::npos);
  EXPECT_FALSE(SelectDatum(station, nullptr, "MSL").ok());

  choice = SelectDatum(station, set, "");
  EXPECT_EQ(choice.name, "MLLW");
  EXPECT_EQ(station.datum, "");  // the chart datum
  EXPECT_EQ(station.datumMicroFeet, 0);
  EXPECT_TRUE(SelectDatum(station, nullptr, "").ok());
}

}  // namespace
}  // namespace qw
