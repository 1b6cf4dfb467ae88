// The program's whole station data, made from the source stations in memory: regions with
// their station records, harmonic records per index family, current harmonic files, notes
// and the side catalogue. Writing it to files is separate (data_writer.h), so everything
// here can be checked without touching a disk.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/current_harmonic_file.h"
#include "engine/current_location.h"
#include "engine/station_sources.h"
#include "engine/tide_location.h"
#include "tools/data/constituent_table.h"
#include "tools/data/regions.h"
#include "tools/data/station_extract.h"

namespace qw::data {

constexpr double kMetresPerFoot = 0.3048;

// First number of the current harmonic files (NOAA reference current stations). Tide and
// current harmonic files share one number space, so NOAA tide records use 1..4999 and
// current files 5001..9999; both stay below 10000, the NOAA family.
constexpr int kFirstCurrentFileNumber = 5001;
constexpr int kLastCurrentFileNumber = 9999;
constexpr int kLastNoaaTideRecord = 4999;
constexpr int kFirstChsTideRecord = 10001;
constexpr int kLastChsTideRecord = 29999;
// Subordinate stations are numbered from here, above every harmonic record number, so a
// reference station's id can be its harmonic record number.
constexpr int kFirstSubordinateStationId = 45001;
// A subordinate station farther than this from its reference station has a position the
// source got wrong (two NOAA stations lie half the globe away, their longitude's sign
// flipped); it is left out rather than shown, and predicted in a time zone, elsewhere.
constexpr double kMaxSubordinateDistanceKm = 8000.0;
// The station kind code (first byte of a station record) by family. The graph labels the
// datum of a station whose code is above 30 as the international family's; 99 is for the
// user's own locations.
constexpr uint8_t kNoaaKindCode = 1;
constexpr uint8_t kCanadianKindCode = 2;
constexpr uint8_t kInternationalKindCode = 31;

// One constituent of a tide harmonic record.
struct TideConstituentEntry {
  uint8_t slot = 0;
  int32_t amplitudeMilliFeet = 0;
  int16_t phaseTenthsDegree = 0;  // referred to the station's time meridian, 0..3599
};

// The harmonic constants of one reference tide station, ready for its index family.
struct TideHarmonicRecord {
  uint16_t number = 0;
  std::string name;
  int32_t meanLevelMicroFeet = 0;
  std::vector<TideConstituentEntry> entries;
};

// A station's line of the side catalogue (engine/station_sources.h).
using CatalogueRow = StationSource;

// One datum of a tide station: its height above the station's chart datum.
struct DatumRow {
  int region = 0;
  int index = 0;
  uint16_t stationId = 0;
  std::string chartDatum;  // the chart datum's name ("MLLW", "LAT", "CD")
  std::string datum;       // "MSL", "NAVD88", ...; the chart datum itself too, at 0
  int64_t microFeet = 0;   // above the chart datum
};

struct RegionData {
  std::string name;
  std::vector<TideLocation> tides;
  std::vector<CurrentLocation> currents;
};

struct DataSet {
  SlotOrder slots;
  std::map<int, RegionData> regions;  // by region number
  // Harmonic records by index family base name: "NOSWTIDE", "NOSETIDE", "CHSWTIDE",
  // "CHSETIDE", "BA1".."BA13".
  std::map<std::string, std::vector<TideHarmonicRecord>> tideFamilies;
  std::vector<CurrentHarmonicFile> currentFiles;
  std::map<std::string, std::map<int, std::string>> notes;  // by notes file name
  std::vector<CatalogueRow> catalogue;                       // by kind, region, index
  std::vector<DatumRow> datums;                              // by region, index, datum name
  std::vector<std::string> report;                           // what was left out and why
  // Source constituent names that made it into each reference station's harmonics, by
  // station id, so an independent predictor can be given the very same constants.
  std::map<std::string, std::vector<std::string>> keptConstituents;
};

bool BuildDataSet(const std::vector<SourceStation>& sources, const ConstituentTable& table,
                  DataSet& out, std::string& error);

// --- Conversions, exposed for the tests ------------------------------------------------

// The stored time meridian (whole degrees, east positive) of a zone's standard offset in
// minutes: the meridian itself when it is a whole number of degrees that is a multiple of
// 15, else the whole degree below it (the reader adds half a degree back).
int16_t TimeMeridianOfZone(int zoneMinutes);
// Hours east of Greenwich that a stored meridian stands for.
double MeridianHours(int16_t meridian);

// A Greenwich phase lag referred to a time meridian: kappa' = G + speed x zone hours,
// in tenths of a degree, 0..3599.
int16_t LocalPhaseTenths(double greenwichDegrees, double speedDegreesPerHour, double zoneHours);

// A station name cut to at most `maxBytes` bytes of UTF-8 without splitting a character.
std::string FitName(const std::string& name, size_t maxBytes);

}  // namespace qw::data
