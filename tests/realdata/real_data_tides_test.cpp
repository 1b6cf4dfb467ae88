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

// Events i - 1 and i are a double tide: a stand or a double high or low water, less than
// 0.25 ft or four hours apart, where a label by height may take a wiggle for an event.
bool DoubleTide(const std::vector<TideExtreme>& events, size_t i) {
  if (i == 0 || i >= events.size()) return false;
  return std::llabs(static_cast<int64_t>(events[i].height) - events[i - 1].height) < 250000 ||
         events[i].time - events[i - 1].time < 240;
}

// Event i is next to a double tide.
bool BesideDoubleTide(const std::vector<TideExtreme>& events, size_t i) {
  return DoubleTide(events, i) || DoubleTide(events, i + 1) || (i > 0 && DoubleTide(events, i - 1)) ||
         DoubleTide(events, i + 2);
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
// except beside a double tide.
TEST_F(RealDataTidesTest, AYearAtTwentyStationsAlternatesAndStaysInOrder) {
  const std::vector<Station> stations = Spread(AllStations(), 20);
  ASSERT_EQ(stations.size(), 20u);
  int alternations = 0, doubleTides = 0;
  for (const Station& s : stations) {
    const std::vector<TideExtreme> events = Events(s.record, MinuteOf(2025, 1, 1), 365);
    ASSERT_GT(events.size(), 365u) << Describe(s);  // at least one event a day on average
    for (size_t i = 1; i < events.size(); ++i) {
      ASSERT_GT(events[i].time, events[i - 1].time) << Describe(s) << " event " << i;
      if (events[i].kind != events[i - 1].kind) {
        ++alternations;
        continue;
      }
      ++doubleTides;
      EXPECT_TRUE(DoubleTide(events, i - 1) || DoubleTide(events, i) || DoubleTide(events, i + 1))
          << Describe(s) << ": two '" << events[i].kind << "' in a row without a double tide at event " << i;
    }
  }
  EXPECT_GT(alternations, 50 * doubleTides);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

// Subordinate stations: each event is its reference station's event moved by the
// station's time offset and corrected by its ratio and difference, for high and low
// water separately.
TEST_F(RealDataTidesTest, SubordinateEventsAreTheReferenceEventsShiftedAndScaled) {
  std::vector<Station> subordinates;
  for (const Station& s : AllStations()) {
    if (HasTideCorrections(s.record) && !TideValueNotDefined(s.record)) subordinates.push_back(s);
  }
  ASSERT_GT(subordinates.size(), 100u);
  const EngineMinute first = MinuteOf(2026, 4, 1);
  const int days = 20;
  size_t events = 0, labelsChecked = 0;
  for (const Station& s : Spread(subordinates, 25)) {
    TideLocation reference = s.record;  // the same reference without corrections
    reference.highTimeOffset = reference.lowTimeOffset = 0;
    reference.highHeightDiff = reference.lowHeightDiff = 0;
    const TideCorrections c = TideCorrectionsOf(s.record);
    const std::vector<TideExtreme> referenceEvents = Events(reference, first, days);
    std::vector<TideExtreme> expected;
    std::vector<bool> labelSure;  // a corrected wiggle may be labelled the other way by height
    for (size_t i = 0; i < referenceEvents.size(); ++i) {
      const TideExtreme& e = referenceEvents[i];
      const bool high = e.kind == 'H';
      expected.push_back({e.kind, high ? CorrectHighWater(c, e.height) : CorrectLowWater(c, e.height),
                          static_cast<EngineMinute>(e.time + (high ? c.highMinutes : c.lowMinutes))});
      labelSure.push_back(!BesideDoubleTide(referenceEvents, i));
    }
    std::vector<TideExtreme> actual = Events(s.record, first, days);
    // Leave out a margin where the offsets move events across the ends of the span.
    auto outside = [&](const TideExtreme& e) {
      return e.time < first + 240 || e.time >= first + days * kMinutesPerDay - 240;
    };
    for (size_t i = expected.size(); i-- > 0;) {
      if (outside(expected[i])) {
        expected.erase(expected.begin() + static_cast<long>(i));
        labelSure.erase(labelSure.begin() + static_cast<long>(i));
      }
    }
    std::erase_if(actual, outside);
    ASSERT_EQ(actual.size(), expected.size()) << Describe(s);
    for (size_t i = 0; i < actual.size(); ++i) {
      if (labelSure[i]) {
        EXPECT_EQ(actual[i].kind, expected[i].kind) << Describe(s) << " event " << i;
        ++labelsChecked;
      }
      ++events;
      EXPECT_EQ(actual[i].time, expected[i].time) << Describe(s) << " event " << i;
      EXPECT_EQ(actual[i].height, expected[i].height) << Describe(s) << " event " << i;
    }
  }
  EXPECT_GT(labelsChecked, events * 9 / 10);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

}  // namespace
}  // namespace qw
