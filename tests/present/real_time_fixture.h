// Tide stations for the real-time window's tests: a synthetic harmonic station written
// with the project's writers, listed in a region file as a port on Pacific time (the side
// catalogue gives it the zone America/Los_Angeles), one that never changes its clocks (no
// zone), a general area, and a port whose harmonic record is missing.
#pragma once

#include <QDateTime>
#include <QTimeZone>
#include <fstream>

#include "engine/data_dir.h"
#include "engine/region_files.h"
#include "engine/station_sources.h"
#include "settings/app_settings.h"
#include "settings/catalogue_directory.h"
#include "settings/profile_file.h"
#include "settings/settings_store.h"
#include "tests/app/app_test_support.h"
#include "tests/support/test_support.h"
#include "tests/support/tide_station_fixture.h"

namespace qw::test {

// Station indexes in region slot 0.
constexpr uint16_t kPacificPort = 0;   // observes daylight saving, meridian -120
constexpr uint16_t kStandardPort = 1;  // never changes its clocks, meridian -120
constexpr uint16_t kAreaHeading = 2;   // a general area, no predictions
constexpr uint16_t kBrokenPort = 3;    // its harmonic record is not installed

class RealTimeFixture : public EngineTest {
 protected:
  void SetUp() override {
    QtApp();
    std::string error;
    ASSERT_TRUE(WriteSyntheticStations(DataDirectory().string(), {MixedTideStation(9401)}, 2025, 2027, &error))
        << error;
    TideLocation pacific = ReferenceLocation(9401, 101, "Mixed Harbour");
    pacific.observesDst = 1;
    TideLocation standard = ReferenceLocation(9401, 102, "Standard Harbour");
    standard.observesDst = 0;
    TideLocation area = ReferenceLocation(0, 0, "THE SOUND");
    TideLocation broken = ReferenceLocation(9402, 104, "Broken Harbour");
    ASSERT_TRUE(WriteTideRegionFile(DataFilePath(RegionFileName(StationKind::Tide, 3)), 3, "Washington",
                                    {pacific, standard, area, broken}, &error))
        << error;
    StationSource zone;
    zone.region = 3;
    zone.index = kPacificPort;
    zone.stationId = 101;
    zone.source = "NOAA";
    zone.sourceId = "test-pacific";
    zone.timeZone = "America/Los_Angeles";
    zone.licence = "public domain";
    zone.attribution = "written by the test";
    std::ofstream(DataFilePath(StationSources::kFileName)) << EncodeStationSources({zone});
    catalogue_.Open();
    file_ = ProfileFile(dataDir_.File("velda.ini"));
    file_.LoadFromText("[Misc]\nFirstRun=0\n");
    settings_ = LoadSettings(file_, 480);
    ApplyEngineSettings(settings_);
  }

  TideLocation Record(uint16_t index) const {
    TideLocation station;
    catalogue_.ReadTide({StationKind::Tide, 0, index}, station);
    return station;
  }

  static StationRef Port(uint16_t index) { return {StationKind::Tide, 0, index}; }

  // An instant given as a station clock reading `offsetHours` from UTC.
  static QDateTime At(int year, int month, int day, int hour, int minute, int offsetHours) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone(offsetHours * 3600)).toUTC();
  }

  CatalogueDirectory catalogue_;
  ProfileFile file_;
  AppSettings settings_;
};

}  // namespace qw::test
