// Rotary currents: the table interpolation between the reference floods, its maxima and
// minima as events, and the table file's failures.
#include "engine/rotary_current.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "engine/calendar.h"
#include "engine/current_events.h"
#include "engine/current_prediction.h"
#include "engine/engine_values.h"
#include "tests/support/current_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

constexpr uint16_t kReference = 771;
constexpr uint16_t kRotaryId = 17;

// Speeds with one maximum (slot 24, 1.6 knots) and one minimum (slot 12, 0.3 knot);
// directions turning 15 degrees a slot, and through north from slot 23 (350) to 24 (10).
RotaryTable TurningTable() {
  RotaryTable t;
  for (int i = 0; i < 25; ++i) {
    t.speedHundredthsKnot[i] = static_cast<int16_t>(i <= 12 ? 150 - 10 * i : 30 + 10 * (i - 12));
    t.directionDegrees[i] = static_cast<int16_t>(i * 15);
  }
  t.speedHundredthsKnot[24] = 160;
  t.directionDegrees[23] = 350;
  t.directionDegrees[24] = 10;
  return t;
}

class RotaryCurrentTest : public test::EngineTest {
 protected:
  RotaryCurrentTest() {
    test::WriteCurrentTables(dataDir_.path().string());
    test::WriteCurrentFile(dataDir_.path().string(), test::ReversingCurrent(kReference));
    test::WriteRotaryFile(dataDir_.path().string(), kRotaryId, TurningTable());
    station_ = test::HarmonicCurrentStation(kReference, kRotaryId);
    station_.stationKind = kCurrentKindRotary;
  }

  // The reference maximum floods around `from`.
  std::vector<EngineMinute> Floods(EngineMinute from, int count) {
    std::vector<EngineMinute> out;
    EngineMinute m = from;
    while (static_cast<int>(out.size()) < count) {
      const CurrentEvent e = FindReferenceCurrentEvent(station_, m, 1);
      m = e.time;
      if (e.kind == 'F') out.push_back(m);
    }
    return out;
  }

  int32_t Value(EngineMinute minute, int16_t& direction) {
    const CurrentEvent value = PredictCurrent(station_, minute, 0);
    EXPECT_EQ(value.kind, ' ');
    direction = value.direction;
    return value.speed;
  }

  CurrentLocation station_;
};

TEST_F(RotaryCurrentTest, ValuesInterpolateTheTableBetweenTwoFloods) {
  const std::vector<EngineMinute> f = Floods(MinuteOf(2004, 2, 2), 2);
  const int64_t span = f[1] - f[0];
  const int64_t slot = (span + 24) / 25;
  int16_t direction = 0;
  EXPECT_EQ(Value(f[0], direction), 1500000);  // slot 0, fraction 0
  EXPECT_EQ(direction, 0);
  // Half a slot in: halfway between 1.50 and 1.40 knots.
  const EngineMinute half = f[0] + static_cast<EngineMinute>(slot / 2);
  const double fraction = static_cast<double>(slot / 2) / slot;
  EXPECT_NEAR(Value(half, direction), 1500000 - 100000 * fraction, 10);  // fraction kept to 1/10000
  // From 350 to 10 degrees the direction passes through north and never reaches 360.
  std::vector<int> seen;
  for (EngineMinute m = f[0] + static_cast<EngineMinute>(23 * slot); m < f[0] + static_cast<EngineMinute>(24 * slot);
       m += 3) {
    Value(m, direction);
    EXPECT_GE(direction, 0);
    EXPECT_LT(direction, 360);
    seen.push_back(direction);
  }
  EXPECT_EQ(seen.front(), 350);
  EXPECT_TRUE(std::find(seen.begin(), seen.end(), 0) != seen.end() || std::find(seen.begin(), seen.end(), 1) != seen.end());
  EXPECT_LE(seen.back(), 10);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_F(RotaryCurrentTest, EventsAreTheTableExtremesAtRoundedDownSlotTimes) {
  const std::vector<EngineMinute> f = Floods(MinuteOf(2004, 2, 2), 3);
  const int64_t step = (static_cast<int64_t>(f[1]) - f[0]) / 25;
  // After the first flood: the minimum of slot 12, then the maximum of slot 24.
  CurrentEvent e = PredictCurrent(station_, f[0] + 1, 1);
  EXPECT_EQ(e.kind, 'm');
  EXPECT_EQ(e.speed, 300000);
  EXPECT_EQ(e.time, f[0] + 12 * step);
  EXPECT_EQ(e.direction, 180);
  e = PredictCurrent(station_, e.time, 1);
  EXPECT_EQ(e.kind, 'M');
  EXPECT_EQ(e.speed, 1600000);
  EXPECT_EQ(e.time, f[0] + 24 * step);
  EXPECT_EQ(e.direction, 10);
  // Asked from slot 1 of the next cycle, the previous maximum lies in the cycle before.
  const int64_t nextSlot = (static_cast<int64_t>(f[2]) - f[1] + 24) / 25;
  e = PredictCurrent(station_, f[1] + static_cast<EngineMinute>(nextSlot + 3), -1);
  EXPECT_EQ(e.kind, 'M');
  EXPECT_EQ(e.time, f[0] + 24 * step);
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

TEST_F(RotaryCurrentTest, DayEventsAlternateAndAdvance) {
  CurrentDayEvents events;
  int32_t maxSpeed = 0, minSpeed = 0;
  ASSERT_EQ(FindCurrentDayEvents(station_, MinuteOf(2004, 2, 3), events, maxSpeed, minSpeed), 0)
      << reports_.Describe();
  int n = 0;
  for (; n < kMaxCurrentDayEvents && events[static_cast<size_t>(n)].time != 0; ++n) {
    const CurrentEvent& e = events[static_cast<size_t>(n)];
    EXPECT_EQ(e.kind, n == 0 ? e.kind : (events[static_cast<size_t>(n - 1)].kind == 'M' ? 'm' : 'M'));
    EXPECT_EQ(e.speed, e.kind == 'M' ? 1600000 : 300000);
    if (n > 0) {
      EXPECT_GT(e.time, events[static_cast<size_t>(n - 1)].time);
    }
  }
  EXPECT_GE(n, 3);
  EXPECT_LE(n, 5);
  EXPECT_EQ(maxSpeed, 1600000);
}

TEST_F(RotaryCurrentTest, AFlatTableStepsFromFloodToFlood) {
  RotaryTable flat;
  for (int i = 0; i < 25; ++i) {
    flat.speedHundredthsKnot[i] = 40;
    flat.directionDegrees[i] = 90;
  }
  test::WriteRotaryFile(dataDir_.path().string(), 18, flat);
  station_.stationId = 18;
  const std::vector<EngineMinute> f = Floods(MinuteOf(2004, 2, 2), 2);
  const CurrentEvent e = PredictCurrent(station_, f[0], 1);
  EXPECT_EQ(e.speed, 400000);
  EXPECT_EQ(e.time, f[1]);
  EXPECT_EQ(e.kind, 'M');
}

TEST_F(RotaryCurrentTest, MissingShortAndDamagedTablesAreReported) {
  const std::string missing = (dataDir_.path() / "RTC0042.dat").string();
  EXPECT_EQ(LoadRotaryTable(42), -1);
  EXPECT_TRUE(reports_.Has(2210, "Error opening rotary file: '" + missing + "'")) << reports_.Describe();
  EXPECT_EQ(LoadedRotaryStation(), 0);

  ASSERT_EQ(LoadRotaryTable(kRotaryId), 1);
  const auto path = dataDir_.path() / "RTC0043.dat";
  std::filesystem::copy_file(dataDir_.path() / "RTC0017.dat", path);
  std::filesystem::resize_file(path, 99);
  EXPECT_EQ(LoadRotaryTable(43), -1);
  EXPECT_TRUE(reports_.Has(2211, "Error reading rotary file: '" + path.string() + "'"));
  EXPECT_EQ(LoadedRotaryStation(), kRotaryId);  // the table before stays

  RotaryTable bad = TurningTable();
  bad.directionDegrees[5] = 400;
  test::WriteRotaryFile(dataDir_.path().string(), 44, bad);
  EXPECT_EQ(LoadRotaryTable(44), -1);
  EXPECT_TRUE(reports_.Has(2211));

  reports_.clear();
  EXPECT_EQ(LoadRotaryTable(12345), -1);  // no four-digit name
  EXPECT_TRUE(reports_.Has(2210));

  // Through the predictions: the failure value.
  station_.stationId = 42;
  EXPECT_EQ(PredictCurrent(station_, MinuteOf(2004, 2, 2), 0).speed, kValueFailed);
}

}  // namespace
}  // namespace qw
