#include "engine/installed_catalogue.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/data_dir.h"
#include "tests/support/source_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

class InstalledCatalogueTest : public test::EngineTest {};

// The label follows the recorded publisher, whatever the number range: a TICON-4 record
// numbered among the Canadian family is TICON-4, never "CHS"; a number the catalogue does
// not list has no label at all rather than a guessed one.
TEST_F(InstalledCatalogueTest, LabelsComeFromTheRecordedSourceNotTheNumber) {
  test::WriteStationSources({test::SourceEntry('T', 12016, "TICON-4", "TICON-4 (UHSLC)", "cc-by-4.0"),
                             test::SourceEntry('T', 123, "NOAA", "NOAA"),
                             test::SourceEntry('C', 123, "Kartverket", "")});
  EXPECT_EQ(ReferenceSourceSuffix('T', 12016), " (TICON-4, UHSLC)");
  EXPECT_EQ(ReferenceSourceSuffix('T', 123), " (NOAA)");
  EXPECT_EQ(ReferenceSourceSuffix('C', 123), " (Kartverket)");  // no label column value: the family
  EXPECT_EQ(ReferenceSourceSuffix('T', 31000), "");
  EXPECT_EQ(ReferenceSourceSuffix('T', 0), "");
  ASSERT_NE(ReferenceSource('T', 12016), nullptr);
  EXPECT_EQ(LicenceName(ReferenceSource('T', 12016)->licence), "CC BY 4.0");
}

// The files are read once per data directory: pointing the engine at another directory
// (or resetting it) reads that one's; a directory without a catalogue gives no labels.
TEST_F(InstalledCatalogueTest, FollowsTheDataDirectoryAndItsDatums) {
  test::WriteStationSources({test::SourceEntry('T', 42006, "TICON-4", "TICON-4 (UHSLC)")});
  {
    std::ofstream datums(DataFilePath(StationDatums::kFileName));
    datums << EncodeStationDatums({{50, 42006, 42006, "LAT", "LAT", 0}, {50, 42006, 42006, "LAT", "MSL", 4900000}});
  }
  EXPECT_EQ(ReferenceChartDatum(42006), "LAT");
  EXPECT_EQ(ReferenceChartDatum(1), "");

  test::TempDir other;
  SetDataDirectory(other.path());
  EXPECT_EQ(InstalledSources(), nullptr);
  EXPECT_EQ(ReferenceSourceSuffix('T', 42006), "");
  EXPECT_EQ(ReferenceChartDatum(42006), "");
  SetDataDirectory(dataDir_.path());
  EXPECT_EQ(ReferenceSourceSuffix('T', 42006), " (TICON-4, UHSLC)");
}

}  // namespace
}  // namespace qw
