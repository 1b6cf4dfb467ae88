// The average current speeds the data builder writes into the current stations agree with
// the engine's own maximum floods and ebbs over the same days (every 19th day of
// 1983..2001), at reference stations spread over the catalogue and at subordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/current_prediction.h"
#include "engine/data_dir.h"
#include "engine/engine_settings.h"
#include "engine/engine_state.h"
#include "engine/engine_values.h"
#include "tests/current_data/current_data_support.h"

namespace qw {
namespace {

EngineMinute MinuteOfDate(int year) {
  DateRecord date;
  date.year = static_cast<uint16_t>(year);
  date.month = 1;
  date.day = 1;
  return DateToMinute(date);
}

struct Means {
  double flood = 0, ebb = 0;
  int floods = 0, ebbs = 0;
};

// The mean of the engine's maximum floods and ebbs: 'F' and 'E' events, but not the weaker
// middle one of three of a kind in a row (where the current weakens without turning).
Means EngineMeans(const CurrentLocation& station) {
  Means m;
  for (EngineMinute day = MinuteOfDate(1983); day < MinuteOfDate(2002);
       day += 19 * kMinutesPerDay) {
    CurrentDayEvents events;
    int32_t maxSpeed = 0, minSpeed = 0;
    if (FindCurrentDayEvents(station, day, events, maxSpeed, minSpeed) != 0) {
      ADD_FAILURE() << station.name << " day " << day;
      break;
    }
    std::vector<CurrentEvent> list;
    for (const CurrentEvent& e : events) {
      if (e.time == 0) break;
      if (e.speed != kValueNotDefined) list.push_back(e);
    }
    for (size_t i = 0; i < list.size(); ++i) {
      const CurrentEvent& e = list[i];
      if (e.kind != 'F' && e.kind != 'E') continue;
      const bool weakerMiddle = i > 0 && i + 1 < list.size() && list[i - 1].kind == e.kind && list[i + 1].kind == e.kind &&
                                std::abs(e.speed) < std::abs(list[i - 1].speed) && std::abs(e.speed) < std::abs(list[i + 1].speed);
      if (weakerMiddle) continue;
      if (e.kind == 'F') m.flood += e.speed / 1e6, ++m.floods;
      else m.ebb -= e.speed / 1e6, ++m.ebbs;
    }
  }
  if (m.floods) m.flood /= m.floods;
  if (m.ebbs) m.ebb /= m.ebbs;
  return m;
}

TEST(CurrentAveragesData, AveragesAreTheEnginesOwnMaximums) {
  QW_REQUIRE_BUILT_CURRENT_DATA();
  ResetEngine();
  Settings() = EngineSettings{};
  Settings().daylightSavings = false;  // the builder's days are standard-time days
  Settings().mathType = 'f';
  SetDataDirectory(QW_TEST_DATA_DIR);
  const std::vector<test::InstalledCurrent> all = test::InstalledCurrentStations();
  std::vector<test::InstalledCurrent> references, subordinates;
  for (const auto& c : all) {
    if (c.station.stationKind != kCurrentKindOrdinary) continue;
    (IsSubordinateCurrent(c.station) ? subordinates : references).push_back(c);
  }
  int checked = 0;
  for (const auto* list : {&references, &subordinates}) {
    for (size_t i = 0; i < 6 && !list->empty(); ++i) {
      const CurrentLocation& s = (*list)[i * list->size() / 6].station;
      const Means m = EngineMeans(s);
      if (s.floodSpeed != kNotGiven16 && m.floods > 0) {
        EXPECT_NEAR(s.floodSpeed / 100.0, m.flood, std::max(0.02, 0.01 * m.flood)) << s.name;
        ++checked;
      }
      if (s.ebbSpeed != kNotGiven16 && m.ebbs > 0) {
        EXPECT_NEAR(s.ebbSpeed / 100.0, m.ebb, std::max(0.02, 0.01 * m.ebb)) << s.name;
        ++checked;
      }
    }
  }
  EXPECT_GE(checked, 18);
  ResetEngine();
}

}  // namespace
}  // namespace qw
