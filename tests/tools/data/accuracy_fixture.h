// The fixture the accuracy tests of the built data share: the source stations, the
// predictor's extremes, the direct harmonic sum and the installed files read without the
// engine. See accuracy_test.cpp for what is compared with what.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "engine/current_harmonic_file.h"
#include "engine/current_location.h"
#include "engine/data_dir.h"
#include "engine/data_layouts.h"
#include "engine/data_writers.h"
#include "engine/engine_settings.h"
#include "engine/engine_state.h"
#include "engine/station_sources.h"
#include "engine/tide_height.h"
#include "engine/tide_prediction.h"
#include "tests/support/test_support.h"
#include "tests/tools/data/data_files.h"
#include "tools/data/constituent_table.h"
#include "tools/data/data_set.h"
#include "tools/data/station_extract.h"

namespace qw::accuracy {

using data::ConstituentTable;
using data::SourceStation;

constexpr double kFeetPerMetre = 1.0 / 0.3048;
constexpr double kDegree = M_PI / 180.0;

struct Extreme {
  double utcSeconds = 0;
  double value = 0;  // feet, or knots for a current
  bool high = false;
  double curvature = 0;  // second derivative of the height there, feet per hour squared; 0 unknown
};

// A harmonic sum h(t) = mean + sum amplitude x cos(speed x t + phase), t in hours from an
// origin, with heights in feet; each term's phase already holds V0 + u - kappa.
struct Series {
  double originUtcSeconds = 0;
  double meanFeet = 0;
  struct Term {
    double amplitudeFeet, speedRadiansPerHour, phaseRadians;
  };
  std::vector<Term> terms;

  double Height(double utcSeconds) const {
    const double t = (utcSeconds - originUtcSeconds) / 3600.0;
    double h = meanFeet;
    for (const Term& k : terms) h += k.amplitudeFeet * std::cos(k.speedRadiansPerHour * t + k.phaseRadians);
    return h;
  }
  double Curvature(double utcSeconds) const {
    const double t = (utcSeconds - originUtcSeconds) / 3600.0;
    double c = 0;
    for (const Term& k : terms) c -= k.amplitudeFeet * k.speedRadiansPerHour * k.speedRadiansPerHour * std::cos(k.speedRadiansPerHour * t + k.phaseRadians);
    return c;
  }
  double Slope(double utcSeconds) const {
    const double t = (utcSeconds - originUtcSeconds) / 3600.0;
    double d = 0;
    for (const Term& k : terms) d -= k.amplitudeFeet * k.speedRadiansPerHour * std::sin(k.speedRadiansPerHour * t + k.phaseRadians);
    return d;
  }
  // Every turning point between two instants: a six-minute scan for sign changes of the
  // slope, each refined by bisection to a fraction of a second.
  std::vector<Extreme> Extremes(double from, double to) const {
    std::vector<Extreme> out;
    double previous = Slope(from);
    for (double t = from + 360; t <= to; t += 360) {
      const double slope = Slope(t);
      if ((previous > 0) != (slope > 0)) {
        double lo = t - 360, hi = t;
        for (int i = 0; i < 30; ++i) {
          const double mid = (lo + hi) / 2;
          ((Slope(mid) > 0) == (previous > 0) ? lo : hi) = mid;
        }
        const double at = (lo + hi) / 2;
        out.push_back({at, Height(at), previous > 0, Curvature(at)});
      }
      previous = slope;
    }
    return out;
  }
};

inline double UtcSeconds(int year, unsigned month, unsigned day) {
  using namespace std::chrono;
  return static_cast<double>(duration_cast<seconds>(sys_days(std::chrono::year(year) / month / day).time_since_epoch()).count());
}

constexpr int kYear = 2026;
inline const double kMonthStart = UtcSeconds(kYear, 3, 1);
inline const double kMonthEnd = UtcSeconds(kYear, 4, 1);

// The UTC instant of 1 January 1900 00:00, where engine minutes count from.
constexpr double kEngineEpochUtcSeconds = -2208988800.0;

// The engine's successive high and low waters of a station between two UTC instants,
// asked in standard time (no daylight saving).
inline std::vector<Extreme> EngineExtremes(const TideLocation& station, bool reference, double zoneHours, double from,
                                    double to) {
  std::vector<Extreme> out;
  EngineMinute minute = static_cast<EngineMinute>((from - kEngineEpochUtcSeconds) / 60.0 + zoneHours * 60.0);
  while (true) {
    const TideExtreme e = reference ? PredictReferenceTide(station, minute, +1) : PredictTide(station, minute, +1);
    const int32_t height = e.height;
    minute = e.time;
    if (height == kValueFailed || height == kValueNotDefined) {
      ADD_FAILURE() << station.name << ": no extreme after minute " << minute;
      break;
    }
    const double utc = minute * 60.0 + kEngineEpochUtcSeconds - zoneHours * 3600.0;
    if (utc > to) break;
    out.push_back({utc, height / 1e6, reference && e.kind == 'H'});
  }
  if (!reference) {
    // A subordinate's highs and lows alternate as its reference's do; heights alone can
    // mislead where a difference lifts a low above the neighbouring high of a mixed tide.
    double evenHigher = 0;
    for (size_t i = 0; i + 1 < out.size(); ++i) evenHigher += (i % 2 == 0 ? 1 : -1) * (out[i].value - out[i + 1].value);
    for (size_t i = 0; i < out.size(); ++i) out[i].high = (i % 2 == 0) == (evenHigher > 0);
  }
  return out;
}

class AccuracyTest : public test::EngineTest {
 protected:
  static void SetUpTestSuite() {
    if (!test::HaveBuiltData() || !std::ifstream(QW_TEST_PREDICTED_EXTREMES)) return;
    std::string error;
    std::vector<SourceStation> sources;
    std::vector<data::PredictorConstituent> extras;
    ASSERT_TRUE(data::ReadStationExtract(QW_TEST_STATION_EXTRACT, sources, error)) << error;
    ASSERT_TRUE(data::ReadPredictorConstituents(QW_TEST_EXTRA_CONSTITUENTS, extras, error)) << error;
    table_ = new ConstituentTable;
    ASSERT_TRUE(data::ReadConstituentTable(QW_TEST_XTIDE_TABLE, *table_, error)) << error;
    ASSERT_TRUE(data::AddExtraConstituents(extras, *table_, error)) << error;
    sources_ = new std::map<std::string, SourceStation>;
    for (SourceStation& s : sources) (*sources_)[s.Id()] = std::move(s);
    alike_ = new std::map<std::string, double>;
    for (const data::PredictorConstituent& c : extras) {
      if (!c.extra) (*alike_)[c.name] = c.values.speedDegreesPerHour;
    }
    kept_ = new std::map<std::string, std::set<std::string>>;
    std::ifstream keptFile(QW_TEST_STATION_CONSTITUENTS);
    for (std::string line; std::getline(keptFile, line);) {
      std::istringstream fields(line);
      std::string id, name;
      std::getline(fields, id, '\t');
      while (std::getline(fields, name, '\t')) (*kept_)[id].insert(name);
    }
    predicted_ = new std::map<std::string, std::vector<Extreme>>;
    yearIds_ = new std::set<std::string>;
    for (const char* file : {QW_TEST_PREDICTED_EXTREMES, QW_TEST_PREDICTED_YEAR_EXTREMES}) {
      std::ifstream predicted(file);
      for (std::string line; std::getline(predicted, line);) {
        std::istringstream fields(line);
        std::string id, kind;
        double ms = 0, metres = 0;
        fields >> id >> ms >> metres >> kind;
        const bool current = !Source(id).IsTide();  // a current's value is in knots already
        (*predicted_)[id].push_back({ms / 1000.0, current ? metres : metres * kFeetPerMetre, kind == "H"});
        if (file == std::string(QW_TEST_PREDICTED_YEAR_EXTREMES)) yearIds_->insert(id);
      }
    }
    catalogueRows_ = new std::map<std::string, std::vector<std::string>>;
    for (std::vector<std::string>& row : test::ReadCsv(test::BuiltDataFile("catalogue.csv"))) {
      if (row.size() == kStationSourceColumnCount) (*catalogueRows_)[row[0] + " " + row[4] + " " + row[5]] = std::move(row);
    }
  }

  void SetUp() override {
    if (!table_) GTEST_SKIP() << "no built data or predicted extremes (configure with QW_BUILD_DATA=ON)";
    SetDataDirectory(QW_TEST_DATA_DIR);
    // A scratch data directory with the installed tables, where a reference station's
    // record is overridden by its entries of "alike" constituents only: the constants the
    // predictor was given.
    for (const char* name : {"costable.dat", "constspd.dat", "constspd.ba", "yeardata.dat", "yeardata.can", "yeardata.ba"}) {
      std::filesystem::copy_file(test::BuiltDataFile(name), alikeDir_.File(name));
    }
    std::set<std::string> alikeNames = {"SA_KV"};  // given to the predictor as its Sa
    for (const auto& [name, speed] : *alike_) {
      const int index = data::MatchConstituent(*table_, {name, name, speed, 0, 0});
      if (index >= 0) alikeNames.insert(table_->constituents[index].name);
    }
    for (const std::vector<std::string>& row : test::ReadCsv(test::BuiltDataFile("constituents.csv"))) {
      if (row.size() == 3 && alikeNames.count(row[1])) alikeSlots_.insert(std::stoi(row[0]));
    }
  }

  // Points the engine at the scratch directory holding `record` cut to alike constituents.
  void UseAlikeRecord(const HarmonicRecordData& record) {
    HarmonicRecordData alike = record;
    alike.entries.clear();
    for (const HarmonicEntry& e : record.entries) {
      if (alikeSlots_.count(e.constituentIndex)) alike.entries.push_back(e);
    }
    std::string error;
    ASSERT_TRUE(WriteOverrideFile(alikeDir_.File(OverrideFileName(record.number)), alike, &error)) << error;
    SetDataDirectory(alikeDir_.path());
  }

  test::TempDir alikeDir_;
  std::set<int> alikeSlots_;

  static const SourceStation& Source(const std::string& id) { return sources_->at(id); }

  // The direct sum of a reference station's kept source constants, in UTC; `alikeOnly`
  // keeps only those the predictor defines as the table does (what it was given).
  static Series Direct(const SourceStation& s, bool alikeOnly = false) {
    Series series;
    series.originUtcSeconds = UtcSeconds(kYear, 1, 1);
    const double unit = s.IsTide() ? kFeetPerMetre : 1.0;  // currents are in knots already
    if (!s.IsTide()) series.meanFeet = s.Number("mean_flow").value_or(0);
    else if (s.Text("chart_datum") != "MSL") series.meanFeet = (*s.Number("datum_MSL") - *s.Number("datum_chart")) * kFeetPerMetre;
    const std::set<std::string>& kept = kept_->at(s.Id());
    for (const data::SourceConstituent& c : s.constituents) {
      if (!kept.count(c.name) || (alikeOnly && !alike_->count(c.predictorName) && c.name != "SA_KV")) continue;
      const int index = data::MatchConstituent(*table_, c);
      const double speed = table_->constituents[index].speedDegreesPerHour;
      series.terms.push_back({c.amplitude * unit * table_->NodeFactor(index, kYear), speed * kDegree,
                              (table_->Equilibrium(index, kYear) - c.phaseDegrees) * kDegree});
    }
    return series;
  }

  // Subordinate corrections as the source states them: time offsets in minutes, heights
  // by ratio or by a difference in metres.
  static std::vector<Extreme> Corrected(const SourceStation& sub, std::vector<Extreme> extremes) {
    const bool ratio = sub.Text("height_type") == "ratio";
    for (Extreme& e : extremes) {
      e.utcSeconds += 60.0 * *sub.Number(e.high ? "time_high" : "time_low");
      const double h = *sub.Number(e.high ? "height_high" : "height_low");
      e.value = ratio ? e.value * h : e.value + h * kFeetPerMetre;
    }
    return extremes;
  }

  static std::vector<Extreme> Within(const std::vector<Extreme>& extremes, double from, double to) {
    std::vector<Extreme> out;
    for (const Extreme& e : extremes) {
      if (e.utcSeconds >= from && e.utcSeconds < to) out.push_back(e);
    }
    return out;
  }

  // Every extreme of `expected` in the month has one of the same kind in `actual` within
  // the tolerances, and the month holds as many in both. The time of a flat extreme is ill
  // defined (a change of a few thousandths of a foot moves it by minutes), so a time
  // difference also passes when the curve over it changes the height by at most 0.005 ft.
  //
  // `rangeShare` widens the height tolerance by that share of the month's range: the
  // predictor takes its node factors at the time predicted, the tables at mid-year, which
  // scales heights by up to a few tenths of a per cent.
  static void ExpectSameExtremes(const std::string& what, const std::vector<Extreme>& expected,
                                 const std::vector<Extreme>& actual, double minutes, double feet,
                                 double rangeShare = 0, const char* unit = "ft", double start = kMonthStart,
                                 double end = kMonthEnd) {
    const std::vector<Extreme> e = Within(expected, start, end);
    const std::vector<Extreme> a = Within(actual, start - 3600, end + 3600);
    ASSERT_GT(e.size(), 25u) << what;
    double lowest = e[0].value, highest = e[0].value;
    for (const Extreme& x : e) lowest = std::min(lowest, x.value), highest = std::max(highest, x.value);
    feet += rangeShare * (highest - lowest);
    double worstMinutes = 0, worstFeet = 0;
    int unmatched = 0, flat = 0, late = 0;
    for (const Extreme& x : e) {
      const Extreme* best = nullptr;
      for (const Extreme& y : a) {
        if (y.high == x.high && (!best || std::fabs(y.utcSeconds - x.utcSeconds) < std::fabs(best->utcSeconds - x.utcSeconds))) best = &y;
      }
      if (!best || std::fabs(best->utcSeconds - x.utcSeconds) > 3600) {
        ++unmatched;
        continue;
      }
      const double hours = std::fabs(best->utcSeconds - x.utcSeconds) / 3600.0;
      const double curvature = std::max(std::fabs(x.curvature), std::fabs(best->curvature));
      if (hours * 60.0 > minutes) {
        if (0.5 * curvature * hours * hours <= 0.005) ++flat;
        else ++late;
      } else {
        worstMinutes = std::max(worstMinutes, hours * 60.0);
      }
      worstFeet = std::max(worstFeet, std::fabs(best->value - x.value));
    }
    EXPECT_EQ(unmatched, 0) << what;
    EXPECT_EQ(late, 0) << what << ": extremes more than " << minutes << " min apart";
    EXPECT_LE(worstFeet, feet) << what;
    // Extremes only one side has must be wiggles of less than 0.05 ft (the predictor
    // drops such small turns).
    const std::vector<Extreme> inMonth = Within(actual, start, end);
    for (size_t i = 0; i < inMonth.size(); ++i) {
      bool matched = false;
      for (const Extreme& x : expected) matched |= x.high == inMonth[i].high && std::fabs(x.utcSeconds - inMonth[i].utcSeconds) <= 3600;
      if (matched) continue;
      double prominence = 1e9;
      if (i > 0) prominence = std::min(prominence, std::fabs(inMonth[i].value - inMonth[i - 1].value));
      if (i + 1 < inMonth.size()) prominence = std::min(prominence, std::fabs(inMonth[i].value - inMonth[i + 1].value));
      EXPECT_LT(prominence, 0.05) << what << ": an extreme the other side lacks";
    }
    std::printf("  %-44s %3zu extremes (%d flat), worst %.2f min %.3f %s\n", what.c_str(), e.size(), flat, worstMinutes,
                worstFeet, unit);
  }

  static std::vector<std::string> Stations(bool tide, bool subordinate) {
    std::vector<std::string> ids;
    for (const auto& [id, extremes] : *predicted_) {
      if (Source(id).IsTide() == tide && Source(id).IsReference() != subordinate) ids.push_back(id);
    }
    return ids;
  }

  static inline ConstituentTable* table_ = nullptr;
  static inline std::map<std::string, SourceStation>* sources_ = nullptr;
  static inline std::map<std::string, std::set<std::string>>* kept_ = nullptr;
  static inline std::map<std::string, double>* alike_ = nullptr;  // predictor name -> speed
  static inline std::map<std::string, std::vector<Extreme>>* predicted_ = nullptr;
  static inline std::set<std::string>* yearIds_ = nullptr;  // predicted over a whole year
  // Catalogue rows by "KIND SOURCE SOURCE_ID".
  static inline std::map<std::string, std::vector<std::string>>* catalogueRows_ = nullptr;
};


// The installed files of a station, read without the engine: its catalogue row, station
// record, harmonic record, the year record of kYear and the speeds.
class InstalledStation {
 public:
  InstalledStation(const SourceStation& source, const std::map<std::string, std::vector<std::string>>& catalogue) {
    std::string family = source.Text("source");
    if (family.rfind("US National", 0) == 0) family = "NOAA";
    else if (family.rfind("Kartverket", 0) == 0) family = "Kartverket";
    auto row = catalogue.find("T " + family + " " + source.Text("source_id"));
    if (row == catalogue.end()) return;
    region_ = std::stoi(row->second[1]);
    index_ = std::stoi(row->second[2]);
    const std::vector<uint8_t> regionFile = test::ReadBytes(test::BuiltDataFile("tide" + std::to_string(region_) + ".dat"));
    if (regionFile.size() < (index_ + 2) * kTideLocationSize) return;
    DecodeTideLocation(regionFile.data() + (index_ + 1) * kTideLocationSize, station_);
    found_ = ReadRecord(station_.referenceId);
  }
  bool found() const { return found_; }
  const TideLocation& station() const { return station_; }
  const HarmonicRecordData& record() const { return record_; }
  double ZoneHours() const { return data::MeridianHours(station_.timeMeridian); }

  // The sum the engine makes, in the local standard time of the station whose harmonic
  // record this is, turned into UTC for comparison.
  Series Sum(double referenceZoneHours) const {
    Series series;
    series.originUtcSeconds = UtcSeconds(kYear, 1, 1) - referenceZoneHours * 3600.0;
    series.meanFeet = record_.meanLevelMicroFeet / 1e6;
    for (const HarmonicEntry& e : record_.entries) {
      const int c = e.constituentIndex;
      series.terms.push_back({e.amplitudeMilliFeet / 1000.0 * year_.nodeFactor[c] / 1000.0, speeds_.speedRadiansPerHour[c],
                              (year_.equilibrium[c] - e.phaseTenthsDegree) / 10.0 * kDegree});
    }
    return series;
  }

 private:
  bool ReadRecord(uint16_t number) {
    const int variant = DataVariant(number);
    const int slots = ConstituentSlotsForVariant(variant);
    const std::vector<uint8_t> years = test::ReadBytes(test::BuiltDataFile(YearFileName(variant)));
    const size_t size = year_layout::RecordSize(slots);
    if (years.size() < (kYear - 1900 + 1) * size) return false;
    DecodeYearRecord(years.data() + (kYear - 1900) * size, slots, year_);
    const std::vector<uint8_t> speeds = test::ReadBytes(test::BuiltDataFile(SpeedFileName(variant)));
    DecodeSpeedFile(speeds.data(), speeds.size(), slots, speeds_);
    for (int attempt = 0; attempt < 2; ++attempt) {
      const std::string family = HarmonicFamilyName(number, attempt);
      const std::vector<uint8_t> index = test::ReadBytes(test::BuiltDataFile(family + ".IDX"));
      const std::vector<uint8_t> records = test::ReadBytes(test::BuiltDataFile(family + ".DAT"));
      for (size_t i = 8; i + 8 <= index.size(); i += 8) {
        StationIndexEntry e;
        DecodeIndexEntry(index.data() + i, e);
        if (e.key == number && static_cast<size_t>(e.offset) + e.length <= records.size()) {
          return DecodeHarmonicRecord(records.data() + e.offset, e.length, record_);
        }
      }
    }
    return false;
  }

  int region_ = 0;
  size_t index_ = 0;
  bool found_ = false;
  TideLocation station_;
  HarmonicRecordData record_;
  YearRecord year_;
  SpeedTable speeds_;
};

// Corrections of a subordinate station as the installed record holds them (zone shift
// included), applied to its reference's extremes.
inline std::vector<Extreme> InstalledCorrected(const TideLocation& sub, double subZoneHours, double referenceZoneHours,
                                        std::vector<Extreme> extremes) {
  for (Extreme& e : extremes) {
    // Reference local time + offset = subordinate local time; back to UTC with its zone.
    const double offset = e.high ? sub.highTimeOffset : sub.lowTimeOffset;
    e.utcSeconds += (referenceZoneHours - subZoneHours) * 3600.0 + offset * 60.0;
    const double ratio = (e.high ? sub.highHeightRatio : sub.lowHeightRatio) / 100.0;
    const double diff = (e.high ? sub.highHeightDiff : sub.lowHeightDiff) / 100.0;
    e.value = e.value * ratio + diff;
  }
  return extremes;
}

}  // namespace qw::accuracy
