// Tide predictions at real stations of the built data directory.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/engine_state.h"
#include "engine/station_database.h"
#include "engine/tide_corrections.h"
#include "engine/tide_prediction.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

struct Station {
  int slot;
  int index;
  TideLocation record;
};

std::string Describe(const Station& s) {
  return std::to_string(s.slot) + ":" + std::to_string(s.index) + " " + s.record.name;
}

class RealDataTidesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::string(QW_TEST_DATA_DIR) + "/catalogue.csv")) {
      GTEST_SKIP() << "no built data at " QW_TEST_DATA_DIR " (configure with QW_BUILD_DATA=ON)";
    }
    ResetEngine();
    SetDataDirectory(QW_TEST_DATA_DIR);
    regions_ = BuildRegionList(StationKind::Tide);
  }
  void TearDown() override { ResetEngine(); }

  // Every station with predictions, region by region.
  std::vector<Station> AllStations() {
    std::vector<Station> all;
    for (int slot = 0; slot < static_cast<int>(regions_.size()); ++slot) {
      const int count = CountStations(regions_, slot, StationKind::Tide);
      for (int i = 0; i < count; ++i) {
        Station s{slot, i, {}};
        if (ReadTideLocation(regions_, slot, i, s.record) && s.record.stationId != 0 &&
            s.record.referenceId != 0) {
          all.push_back(s);
        }
      }
    }
    return all;
  }

  // `count` stations spread evenly over the catalogue (every region family is met).
  std::vector<Station> Spread(const std::vector<Station>& all, size_t count) {
    std::vector<Station> picked;
    for (size_t k = 0; k < count && !all.empty(); ++k) picked.push_back(all[k * all.size() / count]);
    return picked;
  }

  // The events of consecutive days from `first`, in order.
  std::vector<TideExtreme> Events(const TideLocation& s, EngineMinute first, int days) {
    std::vector<TideExtreme> events;
    for (int d = 0; d < days; ++d) {
      TideDayExtremes day;
      int32_t maximum, minimum;
      EXPECT_EQ(FindTideDayExtremes(s, first + d * kMinutesPerDay, day, maximum, minimum), 0) << s.name;
      for (const TideExtreme& e : day) {
        if (e.time == 0) break;
        events.push_back(e);
      }
    }
    return events;
  }

  RegionList regions_;
  test::ReportCapture reports_;
};

// A whole year at 20 stations: no failed day, times strictly increasing across the
// days (no event listed twice or lost at midnight), and highs and lows alternating
// except beside a double tide: a pair of neighbouring events less than 0.25 ft or four
// hours apart (double low waters, stands), where the labelling by height may take a
// wiggle for an event.
TEST_F(RealDataTidesTest, AYearAtTwentyStationsAlternatesAndStaysInOrder) {
  const std::vector<Station> stations = Spread(AllStations(), 20);
  ASSERT_EQ(stations.size(), 20u);
  int alternations = 0, doubleTides = 0;
  for (const Station& s : stations) {
    const std::vector<TideExtreme> events = Events(s.record, MinuteOf(2025, 1, 1), 365);
    ASSERT_GT(events.size(), 365u) << Describe(s);  // at least one event a day on average
    auto smallStep = [&](size_t i) {  // events i - 1 and i are a wiggle
      if (i == 0 || i >= events.size()) return false;
      return std::llabs(static_cast<int64_t>(events[i].height) - events[i - 1].height) < 250000 ||
             events[i].time - events[i - 1].time < 240;
    };
    for (size_t i = 1; i < events.size(); ++i) {
      ASSERT_GT(events[i].time, events[i - 1].time) << Describe(s) << " event " << i;
      if (events[i].kind != events[i - 1].kind) {
        ++alternations;
        continue;
      }
      ++doubleTides;
      EXPECT_TRUE(smallStep(i - 1) || smallStep(i) || smallStep(i + 1))
          << Describe(s) << ": two '" << events[i].kind << "' in a row without a double tide at event " << i
          << [&] { std::string t; for (size_t k = i - 2; k < i + 3 && k < events.size(); ++k) t += " " + std::string(1, events[k].kind) + std::to_string(events[k].height) + "@" + std::to_string(events[k].time % 100000); return t; }();
    }
  }
  EXPECT_GT(alternations, 50 * doubleTides);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

}  // namespace
}  // namespace qw
