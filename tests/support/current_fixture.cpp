#include "tests/support/current_fixture.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "engine/atomic_file.h"
#include "engine/data_writers.h"
#include "tests/support/harmonic_fixture.h"

namespace qw::test {
namespace {

int16_t Tenths(double degrees) {
  return static_cast<int16_t>(std::lround(std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0) * 10) % 3600);
}

}  // namespace

CurrentConstituentRecord CurrentTerm(int slot, double knots, double phaseDegrees, double axisDegrees) {
  return {static_cast<uint8_t>(slot), static_cast<int32_t>(std::lround(knots * 1000)), Tenths(phaseDegrees),
          Tenths(axisDegrees)};
}

CurrentConstituentRecord ConstantTerm(double knots, double axisDegrees) {
  return {kCurrentConstantTerm, static_cast<int32_t>(std::lround(knots * 1e6)), 0, Tenths(axisDegrees)};
}

CurrentHarmonicFile ReversingCurrent(uint16_t number, double meanKnots) {
  CurrentHarmonicFile f;
  f.number = number;
  f.name = "Reversing Narrows";
  f.meanCurrentMicroKnots = static_cast<int32_t>(std::lround(meanKnots * 1e6));
  f.ebbDirectionDegrees = 225;
  f.records = {CurrentTerm(0, 2.0, 120.0, 45), CurrentTerm(1, 0.45, 150.0, 45), CurrentTerm(2, 0.4, 95.0, 45),
               CurrentTerm(3, 0.35, 210.0, 45), CurrentTerm(5, 0.25, 190.0, 45)};
  return f;
}

CurrentHarmonicFile TwoAxisCurrent(uint16_t number) {
  CurrentHarmonicFile f;
  f.number = number;
  f.name = "Turning Shoal";
  f.meanCurrentMicroKnots = 100000;  // 0.1 knot towards north
  f.ebbDirectionDegrees = 200;
  f.records = {CurrentTerm(0, 1.5, 40.0, 0), CurrentTerm(1, 0.3, 70.0, 0), CurrentTerm(0, 1.0, 130.0, 90),
               CurrentTerm(3, 0.2, 300.0, 90)};
  return f;
}

void WriteCurrentFile(const std::string& directory, const CurrentHarmonicFile& file) {
  const std::vector<uint8_t> bytes = EncodeCurrentHarmonicFile(file);
  std::string error;
  const std::string path = (std::filesystem::path(directory) / CurrentHarmonicFileName(file.number)).string();
  if (bytes.empty() || !WriteFileAtomically(path, bytes, &error)) {
    throw std::runtime_error("current fixture: cannot write " + path + " " + error);
  }
}

void WriteCurrentTables(const std::string& directory) { WriteFixtureTables(directory, 1995, 2010); }

void WriteRotaryFile(const std::string& directory, uint16_t stationId, const RotaryTable& table) {
  std::vector<uint8_t> bytes(kRotaryTableSize);
  EncodeRotaryTable(table, bytes.data());
  const std::string path = (std::filesystem::path(directory) / RotaryTableFileName(stationId)).string();
  if (!WriteFileAtomically(path, bytes)) throw std::runtime_error("current fixture: cannot write " + path);
}

CurrentLocation HarmonicCurrentStation(uint16_t referenceId, uint16_t stationId, int16_t timeMeridian) {
  CurrentLocation s;
  s.kindCode = 1;
  s.stationId = stationId;
  std::strcpy(s.name, "Fixture Current");
  s.referenceId = referenceId;
  s.timeMeridian = timeMeridian;
  s.observesDst = 1;
  s.floodDirection = 45;
  s.ebbDirection = 225;
  return s;
}

CurrentLocation SubordinateCurrentStation(uint16_t referenceId, uint16_t stationId, int16_t slackBeforeFlood,
                                          int16_t flood, int16_t slackBeforeEbb, int16_t ebb, int16_t floodRatio,
                                          int16_t ebbRatio) {
  CurrentLocation s = HarmonicCurrentStation(referenceId, stationId);
  std::strcpy(s.name, "Fixture Subordinate");
  s.slackBeforeFloodTime = slackBeforeFlood;
  s.floodTime = flood;
  s.slackBeforeEbbTime = slackBeforeEbb;
  s.ebbTime = ebb;
  s.floodSpeedRatio = floodRatio;
  s.ebbSpeedRatio = ebbRatio;
  s.floodDirection = 30;
  s.ebbDirection = 210;
  return s;
}

void DirectCurrentComponents(const CurrentHarmonicFile& file, int year, double hours, double& north, double& east) {
  const YearArguments args = FixtureYearArguments(year, 230);
  const double degree = std::acos(-1.0) / 180.0;
  north = 0;
  east = 0;
  auto add = [&](double knots, int16_t axisTenths) {
    north += knots * std::cos(axisTenths / 10.0 * degree);
    east += knots * std::sin(axisTenths / 10.0 * degree);
  };
  bool first = true;
  for (const CurrentConstituentRecord& r : file.records) {
    if (first) add(file.meanCurrentMicroKnots / 1e6, r.directionTenthsDegree);
    first = false;
    if (r.constituent == kCurrentConstantTerm) {
      add(r.amplitude / 1e6, r.directionTenthsDegree);
      continue;
    }
    const size_t c = r.constituent;
    const double f = args.nodeFactorThousandths[c] / 1000.0;
    const double angle = FixtureSpeedDegreesPerHour(static_cast<int>(c)) * hours +
                         args.equilibriumTenthsDegree[c] / 10.0 - r.phaseTenthsDegree / 10.0;
    add(f * r.amplitude / 1000.0 * std::cos(angle * degree), r.directionTenthsDegree);
  }
}

}  // namespace qw::test
