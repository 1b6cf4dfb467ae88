// Heights and events of reference and subordinate tide stations, on a synthetic
// mixed-tide reference station written with the engine's data writers.
#include "engine/tide_prediction.h"

#include <cstdlib>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/engine_settings.h"
#include "engine/engine_state.h"
#include "engine/tide_corrections.h"
#include "engine/tide_height.h"
#include "engine/time_zone.h"
#include "tests/support/tide_station_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

constexpr uint16_t kReference = 100;
// The mapping onto corrected extremes keeps the fraction to 1/100,000 of the range and the
// corrected extremes to ten millionths of a foot: 0.0001 ft covers both.
constexpr int32_t kMappingTolerance = 100;

class TidePredictionTest : public test::EngineTest {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(test::WriteSyntheticStations(dataDir_.path().string(),
                                           {test::MixedTideStation(kReference)}, 2019, 2023, &error))
        << error;
    reference_ = test::ReferenceLocation(kReference, 1, "Mixed Harbour");
  }
  // A subordinate of the fixture reference.
  TideLocation Subordinate(int16_t highTime, int16_t lowTime, int16_t highRatio = 100,
                           int16_t lowRatio = 100, int16_t highDiff = 0, int16_t lowDiff = 0) {
    TideLocation s = test::ReferenceLocation(kReference, 2, "Subordinate");
    s.highTimeOffset = highTime;
    s.lowTimeOffset = lowTime;
    s.highHeightRatio = highRatio;
    s.lowHeightRatio = lowRatio;
    s.highHeightDiff = highDiff;
    s.lowHeightDiff = lowDiff;
    return s;
  }
  int32_t Height(const TideLocation& s, EngineMinute t) { return PredictTide(s, t, 0).height; }
  int32_t ReferenceHeight(EngineMinute t) { return PredictReferenceTide(reference_, t, 0).height; }
  // The reference extreme after (+1) or before (-1) t, labelled against the one after it.
  TideExtreme ReferenceEvent(EngineMinute t, int step) {
    const TideExtreme e = PredictReferenceTide(reference_, t, step);
    const TideExtreme neighbour = PredictReferenceTide(reference_, e.time, step);
    return {e.height > neighbour.height ? 'H' : 'L', e.height, e.time};
  }

  TideLocation reference_;
  const EngineMinute start_ = MinuteOf(2021, 3, 14);
};

TEST_F(TidePredictionTest, ReferenceStationAnswersAsTheHarmonicSum) {
  for (EngineMinute t = start_; t < start_ + 3 * kMinutesPerDay; t += 37) {
    EXPECT_EQ(Height(reference_, t), ReferenceHeight(t));
    for (int step : {-1, +1}) {
      const TideExtreme a = PredictTide(reference_, t, step);
      const TideExtreme b = PredictReferenceTide(reference_, t, step);
      EXPECT_EQ(a.height, b.height);
      EXPECT_EQ(a.time, b.time);
      EXPECT_EQ(a.kind, b.kind);
    }
  }
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_F(TidePredictionTest, TimeOffsetsMoveHighAndLowWatersSeparately) {
  const TideLocation s = Subordinate(30, -15);
  // Find a reference low followed by a high.
  TideExtreme low = ReferenceEvent(start_, +1);
  if (low.kind != 'L') low = ReferenceEvent(low.time, +1);
  ASSERT_EQ(low.kind, 'L');
  const TideExtreme high = ReferenceEvent(low.time, +1);
  const TideExtreme nextLow = ReferenceEvent(high.time, +1);
  ASSERT_EQ(high.kind, 'H');

  // From anywhere between the corrected low and the corrected high, the next event is
  // that high 30 minutes after the reference high, the previous one the low 15 before.
  for (EngineMinute t : {low.time - 15, low.time, high.time, high.time + 29}) {
    const TideExtreme next = PredictTide(s, t, +1);
    EXPECT_EQ(next.height, CorrectHighWater(TideCorrectionsOf(s), high.height));
    EXPECT_EQ(next.time, high.time + 30) << "from " << t - low.time;
    EXPECT_EQ(next.kind, 'H');
    if (t > low.time - 15) {
      const TideExtreme previous = PredictTide(s, t, -1);
      EXPECT_EQ(previous.time, low.time - 15);
      EXPECT_EQ(previous.kind, 'L');
    }
  }
  // Asked exactly at the corrected high, the next event is the one after it.
  EXPECT_EQ(PredictTide(s, high.time + 30, +1).time, nextLow.time - 15);
  EXPECT_EQ(PredictTide(s, high.time + 30, -1).time, low.time - 15);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_F(TidePredictionTest, PureTimeShiftFollowsTheReferenceCurveLater) {
  const TideLocation s = Subordinate(30, 30);
  for (EngineMinute t = start_; t < start_ + 3 * kMinutesPerDay; t += 7) {
    EXPECT_NEAR(Height(s, t), ReferenceHeight(t - 30), kMappingTolerance) << t - start_;
  }
}

TEST_F(TidePredictionTest, PureHeightDifferenceRaisesTheWholeCurve) {
  const TideLocation s = Subordinate(0, 0, 100, 100, 50, 50);  // +0.50 ft at both
  for (EngineMinute t = start_; t < start_ + 3 * kMinutesPerDay; t += 7) {
    EXPECT_NEAR(Height(s, t), ReferenceHeight(t) + 500000, kMappingTolerance) << t - start_;
  }
}

TEST_F(TidePredictionTest, MissingCorrectionMakesEveryValueNotDefined) {
  TideLocation s = Subordinate(10, 10);
  s.lowHeightDiff = kNotGiven16;
  EXPECT_EQ(Height(s, start_), kValueNotDefined);
  const TideExtreme next = PredictTide(s, start_, +1);
  EXPECT_EQ(next.height, kValueNotDefined);
  EXPECT_GT(next.time, start_);  // the event's time is still given
  TideDayExtremes day;
  int32_t maximum = 1, minimum = 1;
  EXPECT_EQ(FindTideDayExtremes(s, start_, day, maximum, minimum), 0);
  EXPECT_NE(day[0].time, 0u);
  EXPECT_EQ(day[0].height, kValueNotDefined);
  EXPECT_EQ(maximum, 0);
  EXPECT_EQ(minimum, 0);
}

TEST_F(TidePredictionTest, SharedBracketGivesTheSameAnswersAsAFreshOne) {
  // Two stations of one reference asked in turn, jumping about in time, must answer as if
  // each question were the first.
  const TideLocation a = Subordinate(40, -25, 95, 105, 10, -5);
  const TideLocation b = Subordinate(-60, 90, 110, 90, -20, 15);
  std::srand(7);
  for (int i = 0; i < 300; ++i) {
    const TideLocation& s = i % 2 ? a : b;
    const EngineMinute t = start_ + static_cast<EngineMinute>(std::rand() % (4 * 1440));
    const int step = std::rand() % 3 - 1;
    const TideExtreme shared = PredictTide(s, t, step);
    ResetTidePrediction();
    const TideExtreme fresh = PredictTide(s, t, step);
    EXPECT_EQ(fresh.height, shared.height) << i;
    EXPECT_EQ(fresh.time, shared.time) << i;
  }
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_F(TidePredictionTest, MissingHarmonicDataFails) {
  TideLocation s = test::ReferenceLocation(4321, 9, "No data");
  EXPECT_EQ(PredictTide(s, start_, 0).height, kValueFailed);
  reports_.clear();
  TideDayExtremes day;
  int32_t maximum, minimum;
  EXPECT_EQ(FindTideDayExtremes(s, start_, day, maximum, minimum), -1);
  EXPECT_TRUE(reports_.Has(2410, "Error initializing tide!")) << reports_.Describe();
  EXPECT_EQ(day[0].time, 0u);
}

TEST_F(TidePredictionTest, ShownTimeTakesTheDaylightHourAndGmtOptionsOff) {
  // The whole-day rule of the callers that pass a date's flag: on a flagged day at a
  // station that observes daylight saving, shown 14:00 is 13:00 standard time.
  TideLocation s = Subordinate(25, -10);
  s.observesDst = kDstNorthAmerican;
  const EngineMinute t = MinuteOf(2021, 7, 4, 14, 0);
  EXPECT_EQ(PredictTideShown(s, t, 0, 1).height, Height(s, t - 60));
  const TideExtreme next = PredictTideShown(s, t, +1, 1);
  EXPECT_EQ(next.time, PredictTide(s, t - 60, +1).time + 60);
  TideLocation never = s;
  never.observesDst = 0;
  EXPECT_EQ(PredictTideShown(never, t, 0, 1).height, Height(s, t));
  Settings().daylightSavings = false;
  EXPECT_EQ(PredictTideShown(s, t, 0, 1).height, Height(s, t));
  // GMT option 2 with -3 hours: shown 14:00 is 11:00 standard.
  Settings().useGmtCorrection = 2;
  Settings().gmtCorrectionHours = -3.0;
  EXPECT_EQ(PredictTideShown(s, t, 0, 0).height, Height(s, t - 180));
  EXPECT_EQ(PredictTideShown(s, t, +1, 0).time, PredictTide(s, t - 180, +1).time + 180);
}

}  // namespace
}  // namespace qw
