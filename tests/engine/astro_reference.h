// The almanac reference of the sun and moon tests: tests/engine/data/astro_reference.csv,
// written by make_astro_reference.py beside it from PyEphem, and the fixture that points
// the engine at the Earth series the build installed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/rise_set.h"
#include "tests/support/test_support.h"

namespace qw::test {

struct ReferenceStation {
  std::string name;
  StationPlace place;
};

struct ReferenceDay {
  int station = 0;
  int year = 0, month = 0, day = 0;
  std::vector<double> sunRises, sunSets;  // hours of the shown day
  std::string sunState;                   // "up", "down" or "" (events)
  std::vector<double> moonRises, moonSets;
  std::string moonState;
};

struct ReferencePhase {
  int type = 0;  // 1 new, 2 full, 3 first quarter, 4 last quarter
  double julianDayUt = 0.0;
};

struct AstroReference {
  std::vector<ReferenceStation> stations;
  std::vector<ReferenceDay> days;
  std::vector<ReferencePhase> phases;
};

inline std::vector<std::string> SplitFields(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, separator)) fields.push_back(field);
  if (!line.empty() && line.back() == separator) fields.emplace_back();
  return fields;
}

inline std::vector<double> ParseTimes(const std::string& field) {
  std::vector<double> times;
  if (field.empty()) return times;
  for (const std::string& t : SplitFields(field, ';')) times.push_back(std::strtod(t.c_str(), nullptr));
  return times;
}

inline const AstroReference& LoadAstroReference() {
  static const AstroReference reference = [] {
    AstroReference r;
    std::ifstream in(std::string(QW_TEST_SOURCE_DIR) + "/engine/data/astro_reference.csv");
    std::string line;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#') continue;
      const std::vector<std::string> f = SplitFields(line, ',');
      if (f[0] == "station" && f.size() == 13) {
        ReferenceStation s;
        s.name = f[2];
        s.place.latHemisphere = f[3][0];
        s.place.latDegrees = static_cast<int16_t>(std::stoi(f[4]));
        s.place.latMinutes = static_cast<int16_t>(std::stoi(f[5]));
        s.place.latSeconds = static_cast<int16_t>(std::stoi(f[6]));
        s.place.lonHemisphere = f[7][0];
        s.place.lonDegrees = static_cast<int16_t>(std::stoi(f[8]));
        s.place.lonMinutes = static_cast<int16_t>(std::stoi(f[9]));
        s.place.lonSeconds = static_cast<int16_t>(std::stoi(f[10]));
        s.place.timeMeridian = static_cast<int16_t>(std::stoi(f[11]));
        s.place.observesDst = static_cast<uint8_t>(std::stoi(f[12]));
        r.stations.push_back(s);
      } else if (f[0] == "day" && f.size() == 9) {
        ReferenceDay d;
        d.station = std::stoi(f[1]);
        std::sscanf(f[2].c_str(), "%d-%d-%d", &d.year, &d.month, &d.day);
        d.sunRises = ParseTimes(f[3]);
        d.sunSets = ParseTimes(f[4]);
        d.sunState = f[5];
        d.moonRises = ParseTimes(f[6]);
        d.moonSets = ParseTimes(f[7]);
        d.moonState = f[8];
        r.days.push_back(d);
      } else if (f[0] == "phase" && f.size() == 3) {
        r.phases.push_back({std::stoi(f[1]), std::strtod(f[2].c_str(), nullptr)});
      }
    }
    return r;
  }();
  return reference;
}

// Points the engine at the Earth series the build wrote into its DATA directory.
class AlmanacTest : public EngineTest {
 protected:
  void SetUp() override {
    const std::filesystem::path built = QW_BUILT_DATA_DIR;
    if (!std::filesystem::exists(built / "EARTH.IDX") || !std::filesystem::exists(built / "EARTH.DAT")) {
      GTEST_SKIP() << "EARTH.IDX and EARTH.DAT are not built (QW_BUILD_DATA is off)";
    }
    SetDataDirectory(built);
    const AstroReference& r = LoadAstroReference();
    ASSERT_EQ(r.stations.size(), 12u) << "astro_reference.csv is missing or damaged";
    ASSERT_EQ(r.days.size(), 12u * 365u);
  }
};

}  // namespace qw::test
