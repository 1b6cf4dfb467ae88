// Heights on a chosen datum, through quaywise-cli at real stations of the built data,
// against the datums of the station database itself (the builder's station extract):
// the heights on mean sea level are those on the chart datum less the database's mean
// sea level above the chart datum.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/cli_test_support.h"

namespace qw {
namespace {

using test::RunCliCaptured;

// The key=value fields of the extract line of the station `id` ("noaa/9414290").
std::map<std::string, std::string> ExtractFields(const std::string& id) {
  std::ifstream in(QW_TEST_STATION_EXTRACT);
  std::string line;
  while (std::getline(in, line)) {
    if (line.find("\tid=" + id + "\t") == std::string::npos) continue;
    std::map<std::string, std::string> fields;
    std::istringstream cells(line);
    std::string cell;
    while (std::getline(cells, cell, '\t')) {
      const size_t eq = cell.find('=');
      if (eq != std::string::npos) fields[cell.substr(0, eq)] = cell.substr(eq + 1);
    }
    return fields;
  }
  return {};
}

// The value column (the fifth) of each CSV row after the header.
std::vector<double> Values(const std::string& csv) {
  std::vector<double> values;
  std::istringstream in(csv);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    std::string cell;
    while (std::getline(cells, cell, ',')) fields.push_back(cell);
    if (fields.size() >= 5) values.push_back(std::strtod(fields[4].c_str(), nullptr));
  }
  return values;
}

class CliDatumTest : public test::EngineTest {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::filesystem::path(QW_BUILT_DATA_DIR) / "datums.csv") ||
        !std::filesystem::exists(QW_TEST_STATION_EXTRACT)) {
      GTEST_SKIP() << "no built DATA directory and station extract at " << QW_BUILT_DATA_DIR;
    }
  }
  test::CliResult Run(std::vector<std::string> args) {
    args.insert(args.end(), {"--data", QW_BUILT_DATA_DIR});
    return RunCliCaptured(args);
  }
};

// A NOAA station (on MLLW) and a TICON-4 station (on LAT): the high and low waters and
// the hourly heights of a day in metres.
TEST_F(CliDatumTest, HeightsOnMeanSeaLevelAreChartDatumHeightsLessTheDatabasesMsl) {
  for (const char* id : {"noaa/9414290", "ticon/newlyn-new-gbr-bodc"}) {
    SCOPED_TRACE(id);
    const std::map<std::string, std::string> source = ExtractFields(id);
    ASSERT_TRUE(source.count("datum_MSL") && source.count("datum_chart"));
    const double mslAboveChart = std::stod(source.at("datum_MSL")) - std::stod(source.at("datum_chart"));
    const std::string station = "src:" + source.at("source_id");
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"tides", station, "--from", "2026-03-07", "--to", "2026-03-09"},
          std::vector<std::string>{"heights", station, "--from", "2026-03-08", "--interval", "60"}}) {
      std::vector<std::string> args = command;
      args.insert(args.end(), {"--units", "m", "--format", "csv"});
      const test::CliResult chart = Run(args);
      args.insert(args.end(), {"--datum", "MSL"});
      const test::CliResult msl = Run(args);
      ASSERT_EQ(chart.status, 0) << chart.err;
      ASSERT_EQ(msl.status, 0) << msl.err;
      const std::vector<double> onChart = Values(chart.out), onMsl = Values(msl.out);
      ASSERT_GE(onChart.size(), 6u);
      ASSERT_EQ(onChart.size(), onMsl.size());
      for (size_t i = 0; i < onChart.size(); ++i) EXPECT_NEAR(onMsl[i], onChart[i] - mslAboveChart, 0.005) << i;
    }
    // The header and the JSON document name the datum the heights are on.
    const test::CliResult text = Run({"tides", station, "--from", "2026-03-07", "--datum", "msl"});
    EXPECT_NE(text.out.find("heights above MSL)"), std::string::npos) << text.out;
    const test::CliResult json = Run({"tides", station, "--from", "2026-03-07", "--format", "json"});
    EXPECT_NE(json.out.find("\"datum\":\"" + source.at("chart_datum") + "\""), std::string::npos);
  }
}

// A search threshold is a height on the chosen datum: the high waters of at least X on
// mean sea level are those `tides --datum MSL` lists at X or more, fewer than on the
// chart datum.
TEST_F(CliDatumTest, SearchThresholdsAreOnTheChosenDatum) {
  const std::vector<std::string> range = {"--from", "2026-01-01", "--to", "2026-01-31", "--units", "m"};
  auto search = [&](const std::vector<std::string>& datum) {
    std::vector<std::string> args = {"search", "src:9414290", "--kind", "high", "--at-least", "0.8", "--format", "csv"};
    args.insert(args.end(), range.begin(), range.end());
    args.insert(args.end(), datum.begin(), datum.end());
    const test::CliResult r = Run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<double> values;  // the last column, "2.13 m"
    std::istringstream in(r.out);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) values.push_back(std::strtod(line.c_str() + line.rfind(',') + 1, nullptr));
    return values;
  };
  std::vector<std::string> tides = {"tides", "src:9414290", "--format", "csv", "--datum", "MSL"};
  tides.insert(tides.end(), range.begin(), range.end());
  const test::CliResult listed = Run(tides);
  ASSERT_EQ(listed.status, 0) << listed.err;
  // The search compares events rounded to a tenth of a foot: half of that either side of
  // the threshold may go either way.
  constexpr double kHalfTenthFoot = 0.01524;
  size_t surely = 0, maybe = 0;
  std::istringstream in(listed.out);
  std::string line;
  while (std::getline(in, line)) {
    if (line.find(",H,") == std::string::npos) continue;
    const double value = std::strtod(line.c_str() + line.find(",H,") + 3, nullptr);
    surely += value >= 0.8 + kHalfTenthFoot;
    maybe += value >= 0.8 - kHalfTenthFoot;
  }
  const std::vector<double> onMsl = search({"--datum", "MSL"});
  EXPECT_GE(onMsl.size(), surely);
  EXPECT_LE(onMsl.size(), maybe);
  for (double value : onMsl) EXPECT_GE(value, 0.8 - kHalfTenthFoot);
  EXPECT_GT(onMsl.size(), 3u);
  EXPECT_GT(search({}).size(), onMsl.size() + 10);  // on MLLW nearly every high is above 0.8 m
}

// A datum the station does not have is refused naming the ones it has; a current station
// has no datum.
TEST_F(CliDatumTest, AnUnknownDatumIsRefusedNamingTheStationsDatums) {
  const test::CliResult refused = Run({"tides", "src:9414290", "--from", "2026-03-07", "--datum", "NN2000"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("no datum \"NN2000\""), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("MLLW, "), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("NAVD88"), std::string::npos) << refused.err;
  const test::CliResult current = Run({"export", "src:SFB1203", "--current", "--from", "2026-03-07", "--datum", "MSL"});
  EXPECT_EQ(current.status, 2);
  EXPECT_NE(current.err.find("currents have no datum"), std::string::npos) << current.err;
}

}  // namespace
}  // namespace qw
