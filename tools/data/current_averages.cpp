#include "tools/data/current_averages.h"

#include <chrono>
#include <algorithm>
#include <cmath>
#include <vector>

namespace qw::data {

namespace {

constexpr double kStepHours = 0.1;   // six minutes
constexpr int kDaySteps = 240;      // a day; turns after it belong to no sample (the next is 19 days on)
constexpr int kSteps = kDaySteps + 61;  // six hours more, to see the change after the day's last turn

// One term of the sum, turned by one step at a time.
struct Rotor {
  double amplitude, x, y, c, s;
};

struct Turn {
  double speed;
  bool maximum;
  int step;
};

}  // namespace

CurrentAverages ComputeCurrentAverages(const CurrentHarmonicFile& file, const ConstituentTable& table,
                                       const SlotOrder& slots) {
  using namespace std::chrono;
  const double mean = file.meanCurrentMicroKnots / 1e6;
  double floodSum = 0, ebbSum = 0, beforeFloodSum = 0, beforeEbbSum = 0;
  int floods = 0, ebbs = 0, beforeFloods = 0, beforeEbbs = 0;
  const sys_days first = sys_days(year(kAverageEpochFirstYear) / 1 / 1);
  const sys_days end = sys_days(year(kAverageEpochLastYear + 1) / 1 / 1);
  std::vector<double> speeds(kSteps);
  for (sys_days day = first; day < end; day += days(kAverageSampleDays)) {
    const int y = static_cast<int>(year_month_day(day).year());
    if (!table.HasYear(y)) continue;
    const double hoursIntoYear = 24.0 * (day - sys_days(year(y) / 1 / 1)).count();
    std::vector<Rotor> rotors;
    for (const CurrentConstituentRecord& r : file.records) {
      const int index = slots.slotToTable[r.constituent];
      const double speed = table.constituents[index].speedDegreesPerHour * M_PI / 180.0;
      const double phase = (table.Equilibrium(index, y) - r.phaseTenthsDegree / 10.0) * M_PI / 180.0 + speed * hoursIntoYear;
      rotors.push_back({r.amplitude / 1000.0 * table.NodeFactor(index, y), std::cos(phase), std::sin(phase),
                        std::cos(speed * kStepHours), std::sin(speed * kStepHours)});
    }
    for (int i = 0; i < kSteps; ++i) {
      double v = mean;
      for (Rotor& k : rotors) {
        v += k.amplitude * k.x;
        const double x = k.x * k.c - k.y * k.s;
        k.y = k.x * k.s + k.y * k.c;
        k.x = x;
      }
      speeds[i] = v;
    }
    // The day's turns, each refined by the parabola through its three samples.
    std::vector<Turn> turns;
    for (int i = 1; i + 1 < kSteps; ++i) {
      const double a = speeds[i - 1], b = speeds[i], c = speeds[i + 1];
      const bool maximum = b > a && b >= c, minimum = b < a && b <= c;
      if (!maximum && !minimum) continue;
      const double curve = a - 2 * b + c;
      const double peak = curve == 0 ? b : b - (a - c) * (a - c) / (8 * curve);
      turns.push_back({peak, maximum, i});
    }
    // Floods and ebbs of the day; and from the last flood maximum to the next ebb maximum
    // (or the other way round), the smallest absolute speed between them, 0 where the
    // current turns.
    char lastKind = 0;
    int lastStep = 0;
    for (const Turn& turn : turns) {
      const char kind = turn.maximum && turn.speed > 0 ? 'F' : !turn.maximum && turn.speed < 0 ? 'E' : 0;
      if (kind == 0) continue;
      if (turn.step <= kDaySteps) {
        if (kind == 'F') floodSum += turn.speed, ++floods;
        else ebbSum -= turn.speed, ++ebbs;
      }
      if (lastKind != 0 && lastKind != kind && lastStep <= kDaySteps) {
        double least = std::fabs(speeds[lastStep]);
        for (int i = lastStep; i < turn.step; ++i) {
          least = std::min(least, std::fabs(speeds[i + 1]));
          if ((speeds[i] > 0) != (speeds[i + 1] > 0)) least = 0;
        }
        if (kind == 'F') beforeFloodSum += least, ++beforeFloods;
        else beforeEbbSum += least, ++beforeEbbs;
      }
      lastKind = kind;
      lastStep = turn.step;
    }
  }
  CurrentAverages averages;
  averages.hasFlood = floods > 0;
  averages.hasEbb = ebbs > 0;
  averages.hasMinBeforeFlood = beforeFloods > 0;
  averages.hasMinBeforeEbb = beforeEbbs > 0;
  if (floods) averages.floodKnots = floodSum / floods;
  if (ebbs) averages.ebbKnots = ebbSum / ebbs;
  if (beforeFloods) averages.minBeforeFloodKnots = beforeFloodSum / beforeFloods;
  if (beforeEbbs) averages.minBeforeEbbKnots = beforeEbbSum / beforeEbbs;
  return averages;
}

}  // namespace qw::data
