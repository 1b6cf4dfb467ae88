#include "stations/station_detail.h"

#include <gtest/gtest.h>

#include "engine/atomic_file.h"
#include "engine/current_harmonic_file.h"
#include "engine/data_dir.h"
#include "tests/stations/catalogue_fixture.h"
#include "tests/support/source_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

std::string Position(char latH, std::array<int16_t, 3> lat, char lonH, std::array<int16_t, 3> lon, bool* present = nullptr) {
  std::string latitude, longitude;
  const bool ok = FormatPosition(latH, lat.data(), lonH, lon.data(), latitude, longitude);
  if (present) *present = ok;
  return latitude + " | " + longitude;
}

TEST(StationDetailTest, PositionsShowSecondsUnlessBothAreZero) {
  EXPECT_EQ(Position('N', {47, 36, 5}, 'W', {122, 20, 30}), "47\u00B036 05' N | 122\u00B020 30' W");
  EXPECT_EQ(Position('N', {7, 6, 0}, 'E', {5, 4, 0}), "07\u00B006' N | 005\u00B004' E");
  // Latitude seconds zero but longitude seconds not: both with seconds.
  EXPECT_EQ(Position('S', {33, 51, 0}, 'E', {151, 12, 40}), "33\u00B051 00' S | 151\u00B012 40' E");
  bool present = true;
  EXPECT_EQ(Position(' ', {47, 36, 5}, 'W', {122, 20, 30}, &present), "Position unspecified | ");
  EXPECT_FALSE(present);
  EXPECT_EQ(Position('N', {0, 0, 0}, 'W', {122, 20, 30}), "Position unspecified | ");
  EXPECT_EQ(Position('N', {47, 0, 0}, 'W', {0, 0, 0}), "Position unspecified | ");
  EXPECT_EQ(Position('N', {0, 0, 1}, 'E', {0, 1, 0}, &present), "00\u00B000 01' N | 000\u00B001 00' E");
  EXPECT_TRUE(present);
}

class StationDetailSourceTest : public test::EngineTest {
 protected:
  void SetUp() override {
    // A TICON-4 gauge in the international range and one in the Canadian: neither is
    // the data of the agency the range was first given to.
    test::WriteStationSources({test::SourceEntry('T', 1447, "NOAA", "NOAA"),
                               test::SourceEntry('T', 35012, "TICON-4", "TICON-4 (BODC)", "cc-by-nc-4.0"),
                               test::SourceEntry('T', 12000, "TICON-4", "TICON-4 (MEDS)", "cc-by-4.0"),
                               test::SourceEntry('C', 500, "NOAA", "NOAA")});
  }
};

TEST_F(StationDetailSourceTest, TideStationsNameTheirReferenceSourceAndNature) {
  TideLocation harmonic = test::TideStation("Seattle", 1447, 47.6, -122.34);
  harmonic.referenceId = 1447;
  StationDetail detail = DescribeTideStation(harmonic, "ignored");
  EXPECT_EQ(detail.title, "Detail of Seattle");
  EXPECT_EQ(detail.idLine, "Station ID: 1447");
  EXPECT_EQ(detail.reference, "Harmonic Station (NOAA)");
  EXPECT_EQ(detail.licence, "public domain");
  EXPECT_FALSE(detail.nonCommercial);
  EXPECT_EQ(detail.latitude, "47\u00B036' N");
  EXPECT_EQ(detail.nature, "");

  TideLocation subordinate = harmonic;
  subordinate.highHeightRatio = 95;
  subordinate.referenceId = 35012;
  subordinate.flags = kTideFlagDiurnal;
  detail = DescribeTideStation(subordinate, "Dover, England");
  EXPECT_EQ(detail.reference, "based on DOVER, ENGLAND (TICON-4, BODC)");
  EXPECT_EQ(detail.licence, "CC BY-NC 4.0");
  EXPECT_TRUE(detail.nonCommercial);
  EXPECT_EQ(detail.nature, "Tide is diurnal in nature.");

  subordinate.referenceId = 12000;
  subordinate.highTimeOffset = kNotGiven16;  // a missing correction also makes it subordinate
  subordinate.highHeightRatio = 0;
  detail = DescribeTideStation(subordinate, "Halifax");
  EXPECT_EQ(detail.reference, "based on HALIFAX (TICON-4, MEDS)");

  subordinate.referenceId = 31000;  // not in the catalogue: no publisher is claimed
  EXPECT_EQ(DescribeTideStation(subordinate, "Halifax").reference, "based on HALIFAX");
  EXPECT_EQ(DescribeTideStation(subordinate, "Halifax").licence, "");
  EXPECT_EQ(detail.nature, "Tide is unpredictable.");

  const StationDetail area = DescribeTideStation(test::TideStation("PUGET SOUND", 0), "");
  EXPECT_TRUE(area.generalArea);
  EXPECT_EQ(area.title, "Detail of PUGET SOUND");
  EXPECT_TRUE(area.idLine.empty());
  EXPECT_TRUE(area.latitude.empty());
  EXPECT_TRUE(area.reference.empty());
}

TEST_F(StationDetailSourceTest, CurrentStationsDescribeTheirKindOrDepth) {
  CurrentLocation station = test::CurrentStation("Golden Gate", 1203, 25);
  const std::pair<int16_t, const char*> kinds[] = {
      {kCurrentKindRotary, "Current is rotary in nature."},
      {kCurrentKindWeakVariable, "Current is weak and variable. Unable to predict."},
      {kCurrentKindEbbsMostly, "Current ebbs most of the time."},
      {kCurrentKindMayDoubleFlood, "Current may double flood."},
      {kCurrentKindMayDoubleEbb, "Current may double ebb."},
      {kCurrentKindOrdinary, "Meter depth = 25 feet"},
  };
  for (const auto& [kind, text] : kinds) {
    station.stationKind = kind;
    EXPECT_EQ(DescribeCurrentStation(station, "").nature, text);
  }
  station.meterDepth = 0;
  EXPECT_EQ(DescribeCurrentStation(station, "").nature, "");
  EXPECT_EQ(DescribeCurrentStation(station, "").reference, "Harmonic Station (NOAA)");
  station.ebbSpeedRatio = 80;
  EXPECT_EQ(DescribeCurrentStation(station, "San Francisco Bay Entrance").reference,
            "based on SAN FRANCISCO BAY ENTRANCE (NOAA)");
}

class CurrentReferenceNameTest : public test::EngineTest {};

TEST_F(CurrentReferenceNameTest, ReadsTheHarmonicFileHeaderAndSurvivesDamage) {
  CurrentHarmonicFile file;
  file.number = 512;
  file.name = "Golden Gate Bridge";
  file.records.push_back({1, 2000, 100, 900});
  const std::vector<uint8_t> bytes = EncodeCurrentHarmonicFile(file);
  const std::string path = DataFilePath(CurrentHarmonicFileName(512));
  ASSERT_TRUE(WriteFileAtomically(path, bytes));
  EXPECT_EQ(CurrentReferenceName(512), "Golden Gate Bridge");
  EXPECT_EQ(CurrentReferenceName(513), "");  // no file
  EXPECT_EQ(CurrentReferenceName(0), "");
  ASSERT_TRUE(WriteFileAtomically(path, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 10)));  // truncated header
  EXPECT_EQ(CurrentReferenceName(512), "");
}

}  // namespace
}  // namespace qw
