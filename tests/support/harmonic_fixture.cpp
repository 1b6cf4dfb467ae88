#include "tests/support/harmonic_fixture.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "engine/calendar.h"

namespace qw::test {
namespace {

// Mean rates of the astronomical arguments, degrees per mean solar hour: the mean lunar
// time tau, the moon's mean longitude s, the sun's h, the lunar perigee p, the negative
// of the node N' and the solar perigee p1.
constexpr double kTau = 14.4920521;
constexpr double kS = 0.5490165;
constexpr double kH = 0.0410686;
constexpr double kP = 0.0046418;
constexpr double kN = 0.0022064;
constexpr double kP1 = 0.0000020;

struct Constituent {
  const char* name;
  int doodson[6];        // multiples of tau, s, h, p, N', p1
  double amplitudeFeet;  // H of the fixture station
  double phaseDegrees;   // kappa of the fixture station
  int nodeSwing;         // thousandths the node factor swings over the 18.6-year cycle
};

constexpr Constituent kConstituents[kFixtureConstituents] = {
    {"M2", {2, 0, 0, 0, 0, 0}, 1.80, 200.4, 37},    {"S2", {2, 2, -2, 0, 0, 0}, 0.42, 205.1, 0},
    {"N2", {2, -1, 0, 1, 0, 0}, 0.40, 175.3, 37},   {"K1", {1, 1, 0, 0, 0, 0}, 1.20, 105.7, 115},
    {"M4", {4, 0, 0, 0, 0, 0}, 0.02, 150.0, 74},    {"O1", {1, -1, 0, 0, 0, 0}, 0.75, 90.2, 183},
    {"M6", {6, 0, 0, 0, 0, 0}, 0.01, 300.0, 110},   {"MK3", {3, 1, 0, 0, 0, 0}, 0.01, 200.0, 150},
    {"S4", {4, 4, -4, 0, 0, 0}, 0.003, 10.0, 0},    {"MN4", {4, -1, 0, 1, 0, 0}, 0.01, 120.0, 74},
    {"NU2", {2, -1, 2, -1, 0, 0}, 0.08, 170.0, 37}, {"S6", {6, 6, -6, 0, 0, 0}, 0.002, 40.0, 0},
    {"MU2", {2, -2, 2, 0, 0, 0}, 0.04, 160.0, 37},  {"2N2", {2, -2, 0, 2, 0, 0}, 0.05, 150.0, 37},
    {"OO1", {1, 3, 0, 0, 0, 0}, 0.03, 130.0, 380},  {"LAM2", {2, 1, -2, 1, 0, 0}, 0.01, 190.0, 37},
    {"S1", {1, 1, -1, 0, 0, 0}, 0.02, 10.0, 0},     {"M1", {1, 0, 0, 1, 0, 0}, 0.03, 100.0, 200},
    {"J1", {1, 2, 0, -1, 0, 0}, 0.06, 120.0, 160},  {"MM", {0, 1, 0, -1, 0, 0}, 0.03, 10.0, 130},
    {"SSA", {0, 0, 2, 0, 0, 0}, 0.08, 260.0, 0},    {"SA", {0, 0, 1, 0, 0, -1}, 0.20, 200.0, 0},
    {"MSF", {0, 2, -2, 0, 0, 0}, 0.02, 30.0, 37},   {"MF", {0, 2, 0, 0, 0, 0}, 0.03, 20.0, 400},
    {"RHO", {1, -1, 2, -2, 0, 0}, 0.03, 80.0, 183}, {"Q1", {1, -2, 0, 1, 0, 0}, 0.13, 85.0, 183},
    {"T2", {2, 2, -3, 0, 0, 1}, 0.02, 200.0, 0},    {"R2", {2, 2, -1, 0, 0, -1}, 0.01, 210.0, 0},
    {"2Q1", {1, -3, 0, 2, 0, 0}, 0.02, 70.0, 183},  {"P1", {1, 1, -2, 0, 0, 0}, 0.37, 103.0, 0},
    {"2SM2", {2, 4, -4, 0, 0, 0}, 0.01, 20.0, 37},  {"M3", {3, 0, 0, 0, 0, 0}, 0.01, 250.0, 55},
    {"L2", {2, 1, 0, -1, 0, 0}, 0.05, 215.0, 200},  {"2MK3", {3, -1, 0, 0, 0, 0}, 0.01, 80.0, 190},
    {"K2", {2, 2, 0, 0, 0, 0}, 0.12, 203.0, 286},   {"M8", {8, 0, 0, 0, 0, 0}, 0.005, 90.0, 150},
    {"MS4", {4, 2, -2, 0, 0, 0}, 0.01, 250.0, 37},
};

double HoursFrom1990(int year) {
  return (static_cast<double>(MinuteOf(year, 1, 1)) - static_cast<double>(MinuteOf(1990, 1, 1))) / 60.0;
}

}  // namespace

double FixtureSpeedDegreesPerHour(int slot) {
  const int* d = kConstituents[slot].doodson;
  return d[0] * kTau + d[1] * kS + d[2] * kH + d[3] * kP + d[4] * kN + d[5] * kP1;
}

const char* FixtureConstituentName(int slot) { return kConstituents[slot].name; }

YearArguments FixtureYearArguments(int year, int slotCount) {
  YearArguments args;
  args.nodeFactorThousandths.assign(static_cast<size_t>(slotCount), 0);
  args.equilibriumTenthsDegree.assign(static_cast<size_t>(slotCount), 0);
  const double pi = std::acos(-1.0);
  const double nodeAngle = 2 * pi * (year - 1990) / 18.61;
  for (int i = 0; i < kFixtureConstituents; ++i) {
    const Constituent& c = kConstituents[i];
    args.nodeFactorThousandths[static_cast<size_t>(i)] =
        static_cast<int16_t>(1000 + std::lround(c.nodeSwing * std::cos(nodeAngle + 0.1 * i)));
    // V0 + u advances with the constituent's speed from year to year, so the curve runs
    // on across 1 January apart from the node factor's yearly step.
    const double v = std::fmod(FixtureSpeedDegreesPerHour(i) * HoursFrom1990(year) + 37.0 * i, 360.0);
    args.equilibriumTenthsDegree[static_cast<size_t>(i)] = static_cast<int16_t>(std::lround(v * 10) % 3600);
  }
  return args;
}

HarmonicRecordData FixtureStation(uint16_t number, const std::string& name) {
  HarmonicRecordData record;
  record.number = number;
  record.name = name;
  record.meanLevelMicroFeet = 6200000;
  for (int i = 0; i < kFixtureConstituents; ++i) {
    const Constituent& c = kConstituents[i];
    record.entries.push_back({static_cast<uint8_t>(i), static_cast<int32_t>(std::lround(c.amplitudeFeet * 1000)),
                              static_cast<int16_t>(std::lround(c.phaseDegrees * 10))});
  }
  return record;
}

void WriteFixtureTables(const std::string& directory, int firstYear, int lastYear) {
  const std::filesystem::path dir(directory);
  std::vector<double> speeds;
  for (int i = 0; i < kFixtureConstituents; ++i) {
    speeds.push_back(FixtureSpeedDegreesPerHour(i) * std::acos(-1.0) / 180.0);
  }
  std::string error;
  auto check = [&](bool ok) {
    if (!ok) throw std::runtime_error("fixture: " + error);
  };
  check(WriteConstituentSpeedFile((dir / "constspd.dat").string(), 160, speeds, &error));
  check(WriteConstituentSpeedFile((dir / "constspd.ba").string(), 230, speeds, &error));
  for (const auto& [file, slots] : {std::pair{"yeardata.dat", 160}, {"yeardata.can", 160}, {"yeardata.ba", 230}}) {
    std::vector<YearArguments> years;
    for (int year = firstYear; year <= lastYear; ++year) years.push_back(FixtureYearArguments(year, slots));
    check(WriteYearFile((dir / file).string(), slots, firstYear, years, &error));
  }
  check(WriteCosineTable((dir / "costable.dat").string(), &error));
}

TideLocation FixtureLocation(uint16_t referenceId, int16_t timeMeridian) {
  TideLocation station;
  station.kindCode = 1;
  station.stationId = referenceId;
  std::strcpy(station.name, "Fixture Harbor");
  station.referenceId = referenceId;
  station.timeMeridian = timeMeridian;
  station.observesDst = 1;
  return station;
}

double DirectFixtureHeightFeet(const HarmonicRecordData& station, int year, double hours) {
  const YearArguments args = FixtureYearArguments(year, 230);
  const double degree = std::acos(-1.0) / 180.0;
  double height = station.meanLevelMicroFeet / 1e6;
  for (const HarmonicEntry& e : station.entries) {
    const size_t c = e.constituentIndex;
    const double f = args.nodeFactorThousandths[c] / 1000.0;
    const double angle = FixtureSpeedDegreesPerHour(static_cast<int>(c)) * hours +
                         args.equilibriumTenthsDegree[c] / 10.0 - e.phaseTenthsDegree / 10.0;
    height += f * e.amplitudeMilliFeet / 1000.0 * std::cos(angle * degree);
  }
  return height;
}

}  // namespace qw::test
