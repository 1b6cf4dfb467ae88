// The program's currents at real reference stations against an independent predictor
// (npm @neaps/tide-predictor, run by predict_currents.mjs on the same constituents along
// the major axis, with the station's mean flow): slack times within 5 minutes, times of
// maximum flood and ebb within 10 minutes (they are flat), speeds within 0.1 knot.
//
// M1, M3 and L2 are left out on both sides: the predictor defines them differently from
// the constituent table the data was built with (M3 by half a turn), which alone moves
// strong currents by up to 0.4 knot. The program's side runs on a copy of the station's
// harmonic file without them, beside copies of the installed tables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/atomic_file.h"
#include "engine/binary_file.h"
#include "engine/calendar.h"
#include "engine/current_harmonic_file.h"
#include "engine/data_layouts.h"
#include "engine/current_prediction.h"
#include "engine/data_dir.h"
#include "engine/engine_settings.h"
#include "engine/engine_state.h"
#include "engine/engine_values.h"
#include "engine/station_database.h"
#include "tests/current_data/current_data_support.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

struct Predicted {
  char kind = ' ';        // F, E, S or V
  double minute = 0;      // local standard time of the station, engine minutes (fractional)
  double knots = 0;
};

// The predictor's values by station id, in UTC engine minutes.
std::map<std::string, std::vector<Predicted>> ReadPredicted() {
  std::map<std::string, std::vector<Predicted>> out;
  std::ifstream in(QW_TEST_PREDICTED_CURRENTS);
  const double epoch = MinuteOf(1970, 1, 1);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string id, kind;
    double ms = 0, knots = 0;
    if (fields >> id >> kind >> ms >> knots) out[id].push_back({kind[0], epoch + ms / 60000.0, knots});
  }
  return out;
}

// Speeds (degrees per hour) of the constituents left out of the comparison.
constexpr double kLeftOut[] = {14.4966939, 43.4761563, 29.5284789};  // M1, M3, L2

// Copies the installed tables into `dir` and writes the harmonic file of `number` there
// without the constituents left out. False when a file cannot be read or written.
bool PrepareComparisonFiles(const std::filesystem::path& dir, uint16_t number) {
  for (const char* name : {"costable.dat", "constspd.dat", "yeardata.dat"}) {
    std::error_code error;
    std::filesystem::copy_file(std::filesystem::path(QW_TEST_DATA_DIR) / name, dir / name,
                               std::filesystem::copy_options::overwrite_existing, error);
    if (error) return false;
  }
  std::vector<uint8_t> bytes;
  if (!ReadFilePrefix(std::string(QW_TEST_DATA_DIR) + "/constspd.dat", speed_layout::FileSize(kSmallConstituentSlots),
                      bytes)) {
    return false;
  }
  SpeedTable speeds;
  DecodeSpeedFile(bytes.data(), bytes.size(), kSmallConstituentSlots, speeds);
  if (!ReadFilePrefix(std::string(QW_TEST_DATA_DIR) + "/" + CurrentHarmonicFileName(number), kCurrentHarmonicMaxFileSize,
                      bytes)) {
    return false;
  }
  CurrentHarmonicFile file;
  bool checksumOk = false;
  if (!DecodeCurrentHarmonicFile(bytes.data(), bytes.size(), file, checksumOk) || !checksumOk) return false;
  std::erase_if(file.records, [&](const CurrentConstituentRecord& r) {
    if (r.constituent == kCurrentConstantTerm) return false;
    const double degrees = speeds.speedRadiansPerHour[r.constituent] * 180.0 / std::acos(-1.0);
    for (double left : kLeftOut) {
      if (std::fabs(degrees - left) < 1e-5) return true;
    }
    return false;
  });
  return WriteFileAtomically((dir / CurrentHarmonicFileName(number)).string(), EncodeCurrentHarmonicFile(file));
}

class CurrentAccuracyTest : public ::testing::TestWithParam<char> {
 protected:
  void SetUp() override {
    QW_REQUIRE_BUILT_CURRENT_DATA();
    if (!std::filesystem::exists(QW_TEST_PREDICTED_CURRENTS)) {
      GTEST_SKIP() << "no predicted currents at " QW_TEST_PREDICTED_CURRENTS " (configure with QW_BUILD_DATA=ON)";
    }
    ResetEngine();
    Settings() = EngineSettings{};
    Settings().daylightSavings = false;  // the engine's clock is the station's standard time
    Settings().mathType = GetParam();
    SetDataDirectory(QW_TEST_DATA_DIR);
  }
  void TearDown() override { ResetEngine(); }
  test::TempDir comparison_;
};

TEST_P(CurrentAccuracyTest, AgreesWithTheIndependentPredictor) {
  const auto predicted = ReadPredicted();
  ASSERT_GE(predicted.size(), 8u);
  test::ReportCapture reports;
  for (const auto& [id, values] : predicted) {
    test::InstalledCurrent c;
    SetDataDirectory(QW_TEST_DATA_DIR);
    ASSERT_TRUE(test::FindCurrentBySourceId(id.substr(id.find('/') + 1), c)) << id;
    ASSERT_TRUE(PrepareComparisonFiles(comparison_.path(), c.station.referenceId)) << id;
    ResetEngine();
    SetDataDirectory(comparison_.path());
    const double offset = std::lround(TimeMeridianHours(c.station.timeMeridian) * 60.0);

    // Our events over the predicted span, a day more on each side.
    double first = 1e18, last = 0;
    for (const Predicted& p : values) {
      first = std::min(first, p.minute + offset);
      last = std::max(last, p.minute + offset);
    }
    std::vector<CurrentEvent> ours;
    for (EngineMinute day = static_cast<EngineMinute>(first) / kMinutesPerDay * kMinutesPerDay - kMinutesPerDay;
         day < last + kMinutesPerDay; day += kMinutesPerDay) {
      CurrentDayEvents events;
      int32_t maxSpeed, minSpeed;
      ASSERT_EQ(FindCurrentDayEvents(c.station, day, events, maxSpeed, minSpeed), 0) << reports.Describe();
      for (const CurrentEvent& e : events) {
        if (e.time == 0) break;
        ours.push_back(e);
      }
    }
    auto nearest = [&](char kind, double minute) {
      const CurrentEvent* best = nullptr;
      for (const CurrentEvent& e : ours) {
        if (e.kind == kind && (!best || std::fabs(e.time - minute) < std::fabs(best->time - minute))) best = &e;
      }
      return best;
    };

    double worstSlack = 0, worstPeak = 0, worstPeakSpeed = 0, worstValue = 0;
    std::vector<const Predicted*> slacks;
    for (const Predicted& p : values) {
      if (p.kind == 'S') slacks.push_back(&p);
    }
    for (const Predicted* p : slacks) {
      const CurrentEvent* e = nearest('S', p->minute + offset);
      ASSERT_NE(e, nullptr) << id;
      const double dt = std::fabs(e->time - (p->minute + offset));
      worstSlack = std::max(worstSlack, dt);
      EXPECT_LE(dt, 5.0) << id << " slack at " << p->minute + offset;
    }
    // Between two of its slacks, the predictor's strongest current is the maximum flood or
    // ebb of that half-cycle.
    for (size_t i = 0; i + 1 < slacks.size(); ++i) {
      const Predicted* peak = nullptr;
      for (const Predicted& p : values) {
        if ((p.kind == 'F' || p.kind == 'E') && p.minute > slacks[i]->minute && p.minute < slacks[i + 1]->minute &&
            (!peak || std::fabs(p.knots) > std::fabs(peak->knots))) {
          peak = &p;
        }
      }
      if (!peak || std::fabs(peak->knots) < 0.3) continue;
      const CurrentEvent* e = nearest(peak->kind, peak->minute + offset);
      ASSERT_NE(e, nullptr) << id;
      const double dt = std::fabs(e->time - (peak->minute + offset));
      const double dv = std::fabs(e->speed / 1e6 - peak->knots);
      worstPeak = std::max(worstPeak, dt);
      worstPeakSpeed = std::max(worstPeakSpeed, dv);
      EXPECT_LE(dt, 10.0) << id << " " << peak->kind << " at " << peak->minute + offset;
      EXPECT_LE(dv, 0.1) << id << " " << peak->kind << " at " << peak->minute + offset;
    }
    // Every slack of ours inside the span is one of the predictor's.
    for (const CurrentEvent& e : ours) {
      if (e.kind != 'S' || e.time < first + 60 || e.time > last - 60) continue;
      double best = 1e9;
      for (const Predicted* p : slacks) best = std::min(best, std::fabs(e.time - (p->minute + offset)));
      EXPECT_LE(best, 5.0) << id << " our slack at " << e.time;
    }
    // The current on the hour.
    for (const Predicted& p : values) {
      if (p.kind != 'V') continue;
      const EngineMinute minute = static_cast<EngineMinute>(std::lround(p.minute + offset));
      const int32_t speed = PredictCurrent(c.station, minute, 0).speed;
      const double dv = std::fabs(speed / 1e6 - p.knots);
      worstValue = std::max(worstValue, dv);
      EXPECT_LE(dv, 0.1) << id << " at " << minute;
    }
    std::printf("%s (%c): %zu slacks, worst slack %.1f min, worst peak %.1f min / %.3f kt, worst hourly %.3f kt\n",
                id.c_str(), GetParam(), slacks.size(), worstSlack, worstPeak, worstPeakSpeed, worstValue);
  }
  EXPECT_TRUE(reports.empty()) << reports.Describe();
}

INSTANTIATE_TEST_SUITE_P(BothForms, CurrentAccuracyTest, ::testing::Values('f', 'i'),
                         [](const ::testing::TestParamInfo<char>& info) {
                           return std::string(info.param == 'f' ? "Floating" : "Integer");
                         });

}  // namespace
}  // namespace qw
