// Helpers of the data tests: where the built data and its sources are, and small readers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qw::test {

inline std::string BuiltDataFile(const std::string& name) { return std::string(QW_TEST_DATA_DIR) + "/" + name; }

inline bool HaveBuiltData() {
  return std::filesystem::exists(BuiltDataFile("catalogue.csv")) &&
         std::filesystem::exists(QW_TEST_STATION_EXTRACT) && std::filesystem::exists(QW_TEST_EXTRA_CONSTITUENTS);
}

// Skips a test that needs the built DATA directory and its sources, saying why.
#define QW_REQUIRE_BUILT_DATA()                                                              \
  if (!::qw::test::HaveBuiltData())                                                          \
  GTEST_SKIP() << "no built data at " QW_TEST_DATA_DIR " (configure with QW_BUILD_DATA=ON)"

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The rows of a CSV file (RFC 4180 quoting), the header included.
inline std::vector<std::vector<std::string>> ReadCsv(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') field += '"', ++i;
      else if (c == '"') quoted = false;
      else field += c;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      row.push_back(field), field.clear();
    } else if (c == '\n') {
      row.push_back(field), field.clear();
      rows.push_back(row), row.clear();
    } else {
      field += c;
    }
  }
  return rows;
}

}  // namespace qw::test
