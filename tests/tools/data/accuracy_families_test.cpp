// Accuracy of the built data over longer spans: Kartverket's solar annual term over a year, and
// every TICON-4 and Kartverket reference tide station over a week against the direct sum
// (accuracy_fixture.h has the sums and the installed files).
#include <gtest/gtest.h>

#include "tests/tools/data/accuracy_fixture.h"

namespace qw::accuracy {
namespace {

// The sanitizer build runs every fourth station: there the comparison looks for memory and
// undefined-behaviour faults along the same paths, at ten times the cost; the agreement
// itself is the normal build's to show.
#ifdef QW_SANITIZED
constexpr int kStationStride = 4;
#else
constexpr int kStationStride = 1;
#endif

// Kartverket's own solar annual term SA_KV (up to 0.15 m at Kabelvag, Narvik and Bodo)
// over a whole year, against the predictor (given it as its Sa with the solar perigee
// added to the phase) and the direct sum with the table's values for it.
TEST_F(AccuracyTest, KartverketSolarAnnualTermAgreesOverAYear) {
  const double start = UtcSeconds(kYear, 1, 1), end = UtcSeconds(kYear + 1, 1, 1);
  const double from = start - 2 * 86400.0, to = end + 2 * 86400.0;
  ASSERT_EQ(yearIds_->size(), 3u);
  for (const std::string& id : *yearIds_) {
    const SourceStation& s = Source(id);
    ASSERT_TRUE(kept_->at(id).count("SA_KV")) << id << " does not keep SA_KV";
    const std::vector<Extreme> direct = Direct(s).Extremes(from, to);
    ExpectSameExtremes(id + " year predictor/direct", predicted_->at(id), Direct(s, true).Extremes(from, to), 3.0, 0.10,
                       0.005, "ft", start, end);
    const InstalledStation installed(s, *catalogueRows_);
    ASSERT_TRUE(installed.found()) << id;
    ResetEngine();
    Settings().mathType = 'f';
    SetDataDirectory(QW_TEST_DATA_DIR);
    ExpectSameExtremes(id + " year engine/direct", direct,
                       EngineExtremes(installed.station(), true, installed.ZoneHours(), from, to), 1.0, 0.02, 0, "ft",
                       start, end);
    ResetEngine();
    Settings().mathType = 'f';
    UseAlikeRecord(installed.record());
    ExpectSameExtremes(id + " year engine/predictor", predicted_->at(id),
                       EngineExtremes(installed.station(), true, installed.ZoneHours(), from, to), 3.0, 0.10, 0.005,
                       "ft", start, end);
    EXPECT_TRUE(reports_.empty()) << reports_.Describe();
  }
}

// Every reference tide station of TICON-4 and Kartverket (the Canadian and international
// families) over a week: the engine's high and low waters against the direct sum of the
// station's kept constants, turns of less than 0.05 ft aside. Heights must agree within
// 0.02 ft (plus 0.05 per cent of the station's range, the rounding of the node factors to
// thousandths) for 99.8 per cent, and for 99 per cent of each family's extremes the time
// within 1 minute or where the curve changes by at most 0.005 ft over the difference.
//
// The target for the extremes that stand 0.5 ft or more from their neighbours: 99 per cent
// within 1 minute and 0.02 ft, a flat extreme by its height alone (within 0.02 ft). Flat
// here means that the curve changes by at most 0.0005 ft over the time difference, less
// than the rounding of one stored amplitude (thousandths of a foot), so no stored constant
// fixes that time to the minute. Measured (July 2026): 97.8 per cent of Kartverket's, 98.2
// of TICON-4's and 99.3 of TICON-4's Canadian extremes within 1 minute and 0.02 ft; every
// other one is flat, the curve changing by at most 0.00023 ft over its difference, and
// within 0.006 ft. Of those flat ones 62 per cent are late already in the double-precision
// sum of the installed constants (amplitudes to thousandths of a foot, phases and
// equilibrium arguments to tenths of a degree, node factors to thousandths; that sum with
// the source constants so rounded gives the installed sum to the second, so the builder
// adds nothing else), and the others are the whole minute the engine gives times in (it
// rounds to the nearest, within 30 seconds of the installed sum) added to an installed
// sum 30 to 60 seconds off.
TEST_F(AccuracyTest, EveryOtherSourcesStationAgreesWithTheDirectSum) {
  const double start = UtcSeconds(kYear, 7, 1), end = UtcSeconds(kYear, 7, 8);
  const double from = start - 86400.0, to = end + 86400.0;
  struct Tally {
    int events = 0, timely = 0, heights = 0, stations = 0;
    int prominent = 0, strict = 0, flat = 0, flatInstalled = 0;
  };
  std::map<std::string, Tally> tallies;
  std::string worst;
  double worstFeet = 0;
  ResetEngine();
  Settings().mathType = 'f';
  SetDataDirectory(QW_TEST_DATA_DIR);
  auto nearest = [](const std::vector<Extreme>& list, const Extreme& x) -> const Extreme* {
    const Extreme* match = nullptr;
    for (const Extreme& y : list) {
      if (y.high == x.high && (!match || std::fabs(y.utcSeconds - x.utcSeconds) < std::fabs(match->utcSeconds - x.utcSeconds))) {
        match = &y;
      }
    }
    return match && std::fabs(match->utcSeconds - x.utcSeconds) <= 3600 ? match : nullptr;
  };
  int seen = 0;
  for (const auto& [id, s] : *sources_) {
    if (!s.IsTide() || !s.IsReference() || id.rfind("noaa/", 0) == 0 || !kept_->count(id)) continue;
    if (seen++ % kStationStride != 0) continue;
    const InstalledStation installed(s, *catalogueRows_);
    if (!installed.found()) continue;  // left out (US waters)
    // Neighbours are taken from the whole span, so an extreme at the edge of the week is
    // not judged without the one just outside it.
    const std::vector<Extreme> direct = Direct(s).Extremes(from, to);
    const std::vector<Extreme> files = installed.Sum(installed.ZoneHours()).Extremes(from, to);
    const std::vector<Extreme> engine = EngineExtremes(installed.station(), true, installed.ZoneHours(), from, to);
    Tally& tally = tallies[id.rfind("kartverket/", 0) == 0 ? "Kartverket" : s.Text("country") == "CA" ? "TICON-4 Canada" : "TICON-4"];
    ++tally.stations;
    double lowest = 1e9, highest = -1e9;
    for (const Extreme& x : Within(direct, start, end)) lowest = std::min(lowest, x.value), highest = std::max(highest, x.value);
    for (size_t i = 0; i < direct.size(); ++i) {
      const Extreme& x = direct[i];
      if (x.utcSeconds < start || x.utcSeconds >= end) continue;
      double prominence = 1e9;
      if (i > 0) prominence = std::min(prominence, std::fabs(x.value - direct[i - 1].value));
      if (i + 1 < direct.size()) prominence = std::min(prominence, std::fabs(x.value - direct[i + 1].value));
      if (prominence < 0.05) continue;  // a wiggle the engine's search need not see
      ++tally.events;
      tally.prominent += prominence >= 0.5;
      const Extreme* match = nearest(engine, x);
      if (!match) continue;
      const double feet = std::fabs(match->value - x.value);
      const double hours = std::fabs(match->utcSeconds - x.utcSeconds) / 3600.0;
      const double drift = 0.5 * std::fabs(x.curvature) * hours * hours;  // feet the curve changes over the difference
      tally.heights += feet <= 0.02 + 0.0005 * (highest - lowest);
      tally.timely += hours <= 1.0 / 60.0 || drift <= 0.005;
      if (prominence >= 0.5 && feet <= 0.02) {
        if (hours <= 1.0 / 60.0) {
          ++tally.strict;
        } else if (drift <= 0.0005) {
          ++tally.flat;
          const Extreme* rounded = nearest(files, x);
          tally.flatInstalled += !rounded || std::fabs(rounded->utcSeconds - x.utcSeconds) > 60.0;
        }
      }
      if (feet > worstFeet) worstFeet = feet, worst = id;
    }
  }
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
  for (const auto& [family, t] : tallies) {
    std::printf("  %-16s %4d stations, %6d extremes: heights %.2f%%, times %.2f%% (flat tops by curvature); of %d "
                "standing 0.5 ft apart %.2f%% within 1 min and 0.02 ft, %.2f%% flat within 0.02 ft (%d of them late "
                "in the installed constants' sum too)\n",
                family.c_str(), t.stations, t.events, 100.0 * t.heights / t.events, 100.0 * t.timely / t.events,
                t.prominent, 100.0 * t.strict / t.prominent, 100.0 * t.flat / t.prominent, t.flatInstalled);
    // The engine's search steps over a few short double tides (turns under an hour apart
    // in the Channel and off the Dutch coast): 0.1 per cent.
    EXPECT_GE(t.heights, t.events * 0.998) << family;
    EXPECT_GE(t.timely, t.events * 0.99) << family;
    EXPECT_GE(t.strict + t.flat, t.prominent * 0.99) << family;
  }
  std::printf("  largest height difference %.3f ft at %s\n", worstFeet, worst.c_str());
  EXPECT_GE(tallies["TICON-4"].stations, 1000 / kStationStride);
  EXPECT_GE(tallies["Kartverket"].stations, 30 / kStationStride);
}

// Why TICON-4's M1 is left out and its M3 carried with the table's definition: at the
// gauges where TICON-4 and NOAA both give the term (more than 5 mm, within 3 km), the phases
// of M2 and M3 agree, TICON-4's M1 phases do not (NOAA's are the table's definition). Should
// a new edition of the database bring them together, M1 can be carried again.
TEST_F(AccuracyTest, TiconM1AndM3PhasesAgainstNoaaAtSharedGauges) {
#ifdef QW_SANITIZED
  GTEST_SKIP() << "arithmetic over the sources' constants alone: the normal build runs it";
#endif
  auto constituent = [](const SourceStation& s, const std::string& name) -> const data::SourceConstituent* {
    for (const data::SourceConstituent& c : s.constituents) {
      if (c.name == name && c.amplitude > 0.005) return &c;
    }
    return nullptr;
  };
  std::vector<const SourceStation*> noaa;
  for (const auto& [id, s] : *sources_) {
    if (id.rfind("noaa/", 0) == 0 && s.IsTide() && s.IsReference()) noaa.push_back(&s);
  }
  std::map<std::string, std::vector<double>> differences;  // TICON-4 minus NOAA, -180..180 degrees
  for (const auto& [id, t] : *sources_) {
    if (id.rfind("ticon/", 0) != 0 || !t.IsTide()) continue;
    const double lat = *t.Number("lat"), lon = *t.Number("lon");
    const SourceStation* nearest = nullptr;
    double best = 3.0;  // km
    for (const SourceStation* n : noaa) {
      const double dx = (*n->Number("lon") - lon) * std::cos(lat * kDegree), dy = *n->Number("lat") - lat;
      const double km = 111.2 * std::hypot(dx, dy);
      if (km < best) best = km, nearest = n;
    }
    if (!nearest) continue;
    for (const char* name : {"M2", "M1", "M3"}) {
      const data::SourceConstituent *a = constituent(t, name), *b = constituent(*nearest, name);
      if (a && b) differences[name].push_back(std::remainder(a->phaseDegrees - b->phaseDegrees, 360.0));
    }
  }
  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  ASSERT_GE(differences["M2"].size(), 100u);
  ASSERT_GE(differences["M1"].size(), 30u);
  ASSERT_GE(differences["M3"].size(), 10u);
  EXPECT_LT(std::fabs(median(differences["M2"])), 3.0);
  EXPECT_LT(std::fabs(median(differences["M3"])), 10.0);
  EXPECT_GT(std::fabs(median(differences["M1"])), 45.0);
  std::printf("  TICON-4 minus NOAA, median: M2 %.1f (%zu gauges), M1 %.1f (%zu), M3 %.1f (%zu) degrees\n",
              median(differences["M2"]), differences["M2"].size(), median(differences["M1"]), differences["M1"].size(),
              median(differences["M3"]), differences["M3"].size());
}

}  // namespace
}  // namespace qw::accuracy
