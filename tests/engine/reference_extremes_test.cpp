// PredictReferenceTide's search for high and low waters, checked against a scan of every
// minute of the fixture station.
#include <algorithm>

#include "engine/data_writers.h"
#include "engine/engine_settings.h"
#include "engine/extremes_cache.h"
#include "engine/held_data.h"
#include "engine/tide_height.h"
#include "tests/support/harmonic_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

struct Extreme {
  EngineMinute time;
  int32_t height;
  char kind;
  bool operator==(const Extreme&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Extreme& e) {
  return out << e.kind << " " << e.height << " at " << e.time;
}

class ReferenceExtremesTest : public test::EngineTest, public ::testing::WithParamInterface<char> {
 protected:
  void SetUp() override {
    test::WriteFixtureTables(dataDir_.path().string(), 2004, 2006);
    ASSERT_TRUE(WriteHarmonicFamily(dataDir_.File("NOSWTIDE.IDX"), dataDir_.File("NOSWTIDE.DAT"),
                                    {test::FixtureStation(123)}));
    Settings().mathType = GetParam();
  }

  int32_t HeightAt(EngineMinute minute) {
    return PredictReferenceTide(location_, minute, 0).height;
  }

  // Every turn of the minute-by-minute heights in [from, to]: a run of equal heights
  // higher (lower) than the minutes on both sides is a high (low) water at its last minute.
  // The node factors and arguments change on 1 January 00:00, so the heights step there;
  // a turn made only by that step (at 23:59 or 00:00) is not a tide and is left out.
  std::vector<Extreme> Scan(EngineMinute from, EngineMinute to) {
    std::vector<int32_t> v;
    for (EngineMinute m = from - 1; m <= to + 1; ++m) v.push_back(HeightAt(m));
    std::vector<Extreme> out;
    for (size_t p = 1; p + 1 < v.size();) {
      size_t q = p;
      while (q + 2 < v.size() && v[q + 1] == v[p]) ++q;
      const EngineMinute time = from + static_cast<EngineMinute>(q) - 1;
      DateRecord date;
      MinuteToDate(time + 1, date);
      const bool yearStep = date.month == 1 && date.day == 1 && date.hour == 0 && date.minute <= 1;
      if (!yearStep && v[p - 1] < v[p] && v[q + 1] < v[p]) out.push_back({time, v[p], 'H'});
      if (!yearStep && v[p - 1] > v[p] && v[q + 1] > v[p]) out.push_back({time, v[p], 'L'});
      p = q + 1;
    }
    return out;
  }

  Extreme Search(EngineMinute from, int step) {
    const TideExtreme e = PredictReferenceTide(location_, from, step);
    return {e.time, e.height, e.kind};
  }

  static void ExpectSame(const std::vector<Extreme>& found, const std::vector<Extreme>& expected) {
    EXPECT_EQ(found.size(), expected.size());
    for (size_t i = 0; i < std::min(found.size(), expected.size()); ++i) {
      ASSERT_EQ(found[i], expected[i]) << "extreme " << i;
    }
  }

  TideLocation location_ = test::FixtureLocation(123);
};

// A month around the turn of a year, so the search also crosses into the next year's data.
const EngineMinute kFrom = MinuteOf(2004, 12, 15), kTo = MinuteOf(2005, 1, 15);

TEST_P(ReferenceExtremesTest, StepByStepMatchesTheMinuteScan) {
  const std::vector<Extreme> scanned = Scan(kFrom - 2 * 1440, kTo + 2 * 1440);
  std::vector<Extreme> expected;
  for (const Extreme& e : scanned) {
    if (e.time > kFrom && e.time <= kTo) expected.push_back(e);
  }
  ASSERT_GT(expected.size(), 110u);  // about four a day

  // Forward from each found extreme: the next one, never the same again.
  std::vector<Extreme> forward;
  for (Extreme e = Search(kFrom, +1); e.time <= kTo; e = Search(e.time, +1)) {
    ASSERT_NE(e.height, kValueFailed) << reports_.Describe();
    forward.push_back(e);
  }
  ExpectSame(forward, expected);

  std::vector<Extreme> backward;
  for (Extreme e = Search(kTo + 1, -1); e.time > kFrom; e = Search(e.time, -1)) backward.push_back(e);
  std::reverse(backward.begin(), backward.end());
  ExpectSame(backward, expected);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_P(ReferenceExtremesTest, EveryStartingMinuteFindsItsNeighbours) {
  const std::vector<Extreme> scanned = Scan(kFrom - 2 * 1440, kTo + 2 * 1440);
  for (bool cold : {true, false}) {
    ResetExtremesCache();
    for (EngineMinute m = kFrom; m < kTo; m += 13) {
      if (cold) ResetExtremesCache();
      const auto next = std::upper_bound(scanned.begin(), scanned.end(), m,
                                         [](EngineMinute t, const Extreme& e) { return t < e.time; });
      ASSERT_NE(next, scanned.begin());
      const Extreme& previous = *(next->time > m && (next - 1)->time == m ? next - 2 : next - 1);
      ASSERT_EQ(Search(m, +1), *next) << "next after " << m << (cold ? " cold" : " warm");
      ASSERT_EQ(Search(m, -1), previous) << "previous before " << m << (cold ? " cold" : " warm");
    }
  }
}

TEST_P(ReferenceExtremesTest, TurnsCloseToTheStartAreNotSteppedOver) {
  const std::vector<Extreme> scanned = Scan(MinuteOf(2005, 3, 1), MinuteOf(2005, 3, 4));
  ASSERT_GT(scanned.size(), 8u);
  for (size_t i = 1; i + 1 < scanned.size(); ++i) {
    for (EngineMinute offset : {1u, 5u, 20u, 31u, 33u, 63u}) {
      ResetExtremesCache();
      EXPECT_EQ(Search(scanned[i].time - offset, +1), scanned[i]) << offset;
      ResetExtremesCache();
      EXPECT_EQ(Search(scanned[i].time + offset, -1), scanned[i]) << offset;
    }
    // From the very minute of a high or low water: the neighbours, not the same one.
    ResetExtremesCache();
    EXPECT_EQ(Search(scanned[i].time, +1), scanned[i + 1]);
    EXPECT_EQ(Search(scanned[i].time, -1), scanned[i - 1]);
  }
}

TEST_P(ReferenceExtremesTest, SearchIntoAMissingYearFails) {
  const Extreme e = Search(MinuteOf(2006, 12, 31, 20, 0), +1);  // the next turn lies in 2007
  EXPECT_EQ(e.height, kValueFailed);
  EXPECT_TRUE(reports_.Has(2101, "Error reading year file: 'Base Year = 2004, Year = 2007'!")) << reports_.Describe();
  EXPECT_EQ(HeightAt(MinuteOf(2007, 6, 1)), kValueFailed);
}

INSTANTIATE_TEST_SUITE_P(BothForms, ReferenceExtremesTest, ::testing::Values('f', 'i'),
                         [](const auto& info) { return std::string(info.param == 'f' ? "Floating" : "Integer"); });

}  // namespace
}  // namespace qw
