#include "tests/support/tide_station_fixture.h"

#include <cmath>
#include <cstring>
#include <filesystem>

#include "engine/data_layouts.h"
#include "engine/data_writers.h"

namespace qw::test {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Hours from 1 January 1900 00:00 to 1 January of `year` 00:00.
double HoursTo(int year) {
  long days = 0;
  for (int y = 1900; y < year; ++y) {
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    days += leap ? 366 : 365;
  }
  return days * 24.0;
}

}  // namespace

SyntheticStation MixedTideStation(uint16_t number, const std::string& name) {
  return {number,
          name,
          3.2,
          {{kM2, 1.88, 332.0},
           {kK1, 1.21, 106.0},
           {kO1, 0.75, 89.0},
           {kS2, 0.44, 335.0},
           {kN2, 0.41, 308.0},
           {kP1, 0.38, 104.0},
           {kQ1, 0.13, 82.0},
           {kK2, 0.12, 328.0},
           {kM4, 0.02, 147.0}}};
}

SyntheticStation DiurnalStation(uint16_t number, const std::string& name) {
  return {number,
          name,
          1.2,
          {{kK1, 0.55, 330.0},
           {kO1, 0.52, 320.0},
           {kP1, 0.17, 325.0},
           {kQ1, 0.11, 310.0},
           {kM2, 0.13, 100.0},
           {kS2, 0.05, 120.0},
           {kN2, 0.03, 90.0}}};
}

bool WriteSyntheticStations(const std::string& directory, const std::vector<SyntheticStation>& stations,
                          int firstYear, int lastYear, std::string* error) {
  namespace fs = std::filesystem;
  const fs::path dir(directory);
  // One slot per distinct speed, in order of first appearance.
  std::vector<double> speeds;
  auto slotOf = [&](double degreesPerHour) {
    for (size_t i = 0; i < speeds.size(); ++i) {
      if (speeds[i] == degreesPerHour) return static_cast<uint8_t>(i);
    }
    speeds.push_back(degreesPerHour);
    return static_cast<uint8_t>(speeds.size() - 1);
  };
  std::vector<HarmonicRecordData> records;
  for (const SyntheticStation& station : stations) {
    HarmonicRecordData record;
    record.number = station.number;
    record.name = station.name;
    record.meanLevelMicroFeet = static_cast<int32_t>(std::lround(station.meanLevelFeet * 1e6));
    for (const SyntheticConstituent& c : station.constituents) {
      HarmonicEntry entry;
      entry.constituentIndex = slotOf(c.degreesPerHour);
      entry.amplitudeMilliFeet = static_cast<int32_t>(std::lround(c.amplitudeFeet * 1000));
      entry.phaseTenthsDegree = static_cast<int16_t>(std::lround(std::fmod(c.phaseDegrees, 360.0) * 10));
      record.entries.push_back(entry);
    }
    records.push_back(std::move(record));
  }
  std::vector<double> radians;
  for (double s : speeds) radians.push_back(s * kPi / 180.0);

  std::vector<YearArguments> years;
  for (int year = firstYear; year <= lastYear; ++year) {
    YearArguments args;
    args.nodeFactorThousandths.assign(kSmallConstituentSlots, 0);
    args.equilibriumTenthsDegree.assign(kSmallConstituentSlots, 0);
    for (size_t i = 0; i < speeds.size(); ++i) {
      args.nodeFactorThousandths[i] = 1000;
      double v0 = std::fmod(speeds[i] * HoursTo(year), 360.0);
      args.equilibriumTenthsDegree[i] = static_cast<int16_t>(std::lround(v0 * 10) % 3600);
    }
    years.push_back(std::move(args));
  }
  const int variant = DataVariant(stations.empty() ? 1 : stations.front().number);
  const std::string family = HarmonicFamilyName(stations.empty() ? 1 : stations.front().number, 0);
  return WriteCosineTable((dir / "costable.dat").string(), error) &&
         WriteConstituentSpeedFile((dir / SpeedFileName(variant)).string(), kSmallConstituentSlots,
                                   radians, error) &&
         WriteYearFile((dir / YearFileName(variant)).string(), kSmallConstituentSlots, firstYear, years,
                       error) &&
         WriteHarmonicFamily((dir / (family + ".IDX")).string(), (dir / (family + ".DAT")).string(),
                             records, error);
}

TideLocation ReferenceLocation(uint16_t referenceId, uint16_t stationId, const std::string& name) {
  TideLocation s;
  s.stationId = stationId;
  s.referenceId = referenceId;
  std::strncpy(s.name, name.c_str(), 50);
  s.timeMeridian = -120;
  s.highHeightRatio = 100;
  s.lowHeightRatio = 100;
  return s;
}

}  // namespace qw::test
