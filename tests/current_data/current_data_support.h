// Helpers of the current data tests: the built DATA directory and its current stations.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/current_location.h"

namespace qw::test {

inline bool HaveBuiltCurrentData() {
  return std::filesystem::exists(std::string(QW_TEST_DATA_DIR) + "/catalogue.csv") &&
         std::filesystem::exists(std::string(QW_TEST_DATA_DIR) + "/curr1.dat");
}

#define QW_REQUIRE_BUILT_CURRENT_DATA()        \
  if (!::qw::test::HaveBuiltCurrentData())     \
  GTEST_SKIP() << "no built data at " QW_TEST_DATA_DIR " (configure with QW_BUILD_DATA=ON)"

struct InstalledCurrent {
  int slot = 0;
  int index = 0;
  CurrentLocation station;
  std::string zone;  // its IANA zone from the side catalogue
};

// Every current station with predictions in the built data, in catalogue order.
std::vector<InstalledCurrent> InstalledCurrentStations();

// The installed current station of a source id ("SFB1203"); false when there is none.
bool FindCurrentBySourceId(const std::string& sourceId, InstalledCurrent& out);

}  // namespace qw::test
