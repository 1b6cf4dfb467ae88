// Accuracy of the built data: a month of high and low waters at NOAA reference and
// subordinate, Canadian and other international stations, three ways.
//
// - "direct": the source's own constants (metres, Greenwich phases, UTC) summed in double
//   precision with XTide's node factors and equilibrium arguments, written here and
//   independent of the program's files, time base and integer arithmetic;
// - "predictor": the independent predictor package, given the very same constants (run at
//   build time by predict_extremes.mjs);
// - "files": the installed harmonic records, year data and speeds, summed in double
//   precision in the station's local standard time, as the engine does;
// - "engine": the engine's own high and low water search over the installed files
//   (PredictReferenceTide for reference stations, PredictTide for subordinate ones), in
//   both forms of its sum.
// direct against predictor checks the table conventions (epoch, datum, units, subordinate
// corrections); files against direct checks what the builder made of the constants (phase
// referral to the time meridian, feet, slots, rounding, zone shifts of subordinates); the
// engine is held to 3 minutes and 0.10 ft against the predictor and to 1 minute and
// 0.02 ft against the direct sum.
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

namespace qw {
namespace {

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

double UtcSeconds(int year, unsigned month, unsigned day) {
  using namespace std::chrono;
  return static_cast<double>(duration_cast<seconds>(sys_days(std::chrono::year(year) / month / day).time_since_epoch()).count());
}

constexpr int kYear = 2026;
const double kMonthStart = UtcSeconds(kYear, 3, 1);
const double kMonthEnd = UtcSeconds(kYear, 4, 1);

// The UTC instant of 1 January 1900 00:00, where engine minutes count from.
constexpr double kEngineEpochUtcSeconds = -2208988800.0;

// The engine's successive high and low waters of a station between two UTC instants,
// asked in standard time (no daylight saving).
std::vector<Extreme> EngineExtremes(const TideLocation& station, bool reference, double zoneHours, double from,
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

  static ConstituentTable* table_;
  static std::map<std::string, SourceStation>* sources_;
  static std::map<std::string, std::set<std::string>>* kept_;
  static std::map<std::string, double>* alike_;  // predictor name -> speed
  static std::map<std::string, std::vector<Extreme>>* predicted_;
  static std::set<std::string>* yearIds_;  // predicted over a whole year
  // Catalogue rows by "KIND SOURCE SOURCE_ID".
  static std::map<std::string, std::vector<std::string>>* catalogueRows_;
};

ConstituentTable* AccuracyTest::table_ = nullptr;
std::map<std::string, SourceStation>* AccuracyTest::sources_ = nullptr;
std::map<std::string, std::set<std::string>>* AccuracyTest::kept_ = nullptr;
std::map<std::string, std::vector<Extreme>>* AccuracyTest::predicted_ = nullptr;
std::map<std::string, double>* AccuracyTest::alike_ = nullptr;
std::set<std::string>* AccuracyTest::yearIds_ = nullptr;
std::map<std::string, std::vector<std::string>>* AccuracyTest::catalogueRows_ = nullptr;

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
std::vector<Extreme> InstalledCorrected(const TideLocation& sub, double subZoneHours, double referenceZoneHours,
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

TEST_F(AccuracyTest, ReferenceStationsAgreeWithThePredictorAndTheDirectSum) {
  int noaa = 0, canadian = 0, international = 0;
  const double from = kMonthStart - 2 * 86400.0, to = kMonthEnd + 2 * 86400.0;
  for (const std::string& id : Stations(true, false)) {
    const SourceStation& s = Source(id);
    ExpectSameExtremes(id + " predictor/direct", predicted_->at(id), Direct(s, true).Extremes(from, to), 3.0, 0.10, 0.005);
    const std::vector<Extreme> directExtremes = Direct(s).Extremes(from, to);
    const InstalledStation installed(s, *catalogueRows_);
    ASSERT_TRUE(installed.found()) << id << " is not in the built data";
    ExpectSameExtremes(id + " direct/files", directExtremes, installed.Sum(installed.ZoneHours()).Extremes(from, to), 1.0, 0.02);
    for (char form : {'f', 'i'}) {
      const std::string label = id + " engine(" + form + ")/";
      ResetEngine();
      Settings().mathType = form;
      SetDataDirectory(QW_TEST_DATA_DIR);
      ExpectSameExtremes(label + "direct", directExtremes,
                         EngineExtremes(installed.station(), true, installed.ZoneHours(), from, to), 1.0, 0.02);
      ResetEngine();
      Settings().mathType = form;
      UseAlikeRecord(installed.record());
      ExpectSameExtremes(label + "predictor", predicted_->at(id),
                         EngineExtremes(installed.station(), true, installed.ZoneHours(), from, to), 3.0, 0.10, 0.005);
    }
    EXPECT_TRUE(reports_.empty()) << reports_.Describe();
    if (id.rfind("noaa/", 0) == 0) ++noaa;
    else if (s.Text("country") == "CA") ++canadian;
    else ++international;
  }
  EXPECT_GE(noaa, 10);
  EXPECT_GE(canadian, 3);
  EXPECT_GE(international, 3);
}

TEST_F(AccuracyTest, SubordinateStationsAgreeWithThePredictorAndTheDirectCorrections) {
  int count = 0;
  const double from = kMonthStart - 3 * 86400.0, to = kMonthEnd + 3 * 86400.0;
  for (const std::string& id : Stations(true, true)) {
    const SourceStation& sub = Source(id);
    const SourceStation& reference = Source(sub.Text("ref"));
    ExpectSameExtremes(id + " predictor/direct", predicted_->at(id), Corrected(sub, Direct(reference, true).Extremes(from, to)),
                       3.0, 0.10, 0.005);
    const std::vector<Extreme> direct = Corrected(sub, Direct(reference).Extremes(from, to));
    const InstalledStation installedSub(sub, *catalogueRows_), installedReference(reference, *catalogueRows_);
    ASSERT_TRUE(installedSub.found() && installedReference.found()) << id;
    const std::vector<Extreme> files = InstalledCorrected(
        installedSub.station(), installedSub.ZoneHours(), installedReference.ZoneHours(),
        installedReference.Sum(installedReference.ZoneHours()).Extremes(from, to));
    ExpectSameExtremes(id + " direct/files", direct, files, 1.0, 0.02);
    ResetEngine();
    SetDataDirectory(QW_TEST_DATA_DIR);
    ExpectSameExtremes(id + " engine/direct", direct,
                       EngineExtremes(installedSub.station(), false, installedSub.ZoneHours(), from, to), 1.0, 0.02);
    ResetEngine();
    UseAlikeRecord(installedReference.record());
    ExpectSameExtremes(id + " engine/predictor", predicted_->at(id),
                       EngineExtremes(installedSub.station(), false, installedSub.ZoneHours(), from, to), 3.0, 0.10, 0.005);
    EXPECT_TRUE(reports_.empty()) << reports_.Describe();
    ++count;
  }
  EXPECT_GE(count, 5);
}

// The installed harmonic file of a reference current station, summed as the engine's
// floating form does along the station's one axis, turned into UTC.
Series InstalledCurrentSum(const SourceStation& source, CurrentLocation& station, CurrentHarmonicFile& file) {
  Series series;
  for (const std::vector<std::string>& row : test::ReadCsv(test::BuiltDataFile("catalogue.csv"))) {
    if (row.size() != kStationSourceColumnCount || row[0] != "C" || row[4] != "NOAA" || row[5] != source.Text("source_id")) continue;
    const std::vector<uint8_t> region = test::ReadBytes(test::BuiltDataFile("curr" + row[1] + ".dat"));
    const size_t index = std::stoul(row[2]);
    if (region.size() < (index + 2) * kCurrentLocationSize) break;
    DecodeCurrentLocation(region.data() + (index + 1) * kCurrentLocationSize, station);
    const std::vector<uint8_t> bytes = test::ReadBytes(test::BuiltDataFile(CurrentHarmonicFileName(station.referenceId)));
    bool checksumOk = false;
    if (!DecodeCurrentHarmonicFile(bytes.data(), bytes.size(), file, checksumOk) || !checksumOk) break;
    const int variant = DataVariant(station.referenceId);
    const int slots = ConstituentSlotsForVariant(variant);
    const std::vector<uint8_t> years = test::ReadBytes(test::BuiltDataFile(YearFileName(variant)));
    YearRecord year;
    DecodeYearRecord(years.data() + (kYear - 1900) * year_layout::RecordSize(slots), slots, year);
    const std::vector<uint8_t> speedBytes = test::ReadBytes(test::BuiltDataFile(SpeedFileName(variant)));
    SpeedTable speeds;
    DecodeSpeedFile(speedBytes.data(), speedBytes.size(), slots, speeds);
    series.originUtcSeconds = UtcSeconds(kYear, 1, 1) - data::MeridianHours(station.timeMeridian) * 3600.0;
    series.meanFeet = file.meanCurrentMicroKnots / 1e6;
    for (const CurrentConstituentRecord& r : file.records) {
      const int c = r.constituent;
      series.terms.push_back({r.amplitude / 1000.0 * year.nodeFactor[c] / 1000.0, speeds.speedRadiansPerHour[c],
                              (year.equilibrium[c] - r.phaseTenthsDegree) / 10.0 * kDegree});
    }
  }
  return series;
}

// Reference current stations: maximum floods and ebbs (the turns of the speed along the
// flood axis) of the installed files against the predictor and the direct sum. The engine
// has no current predictions yet; its comparisons belong here once it has.
TEST_F(AccuracyTest, CurrentStationsAgreeWithThePredictorAndTheDirectSum) {
  int count = 0;
  const double from = kMonthStart - 2 * 86400.0, to = kMonthEnd + 2 * 86400.0;
  for (const std::string& id : Stations(false, false)) {
    const SourceStation& s = Source(id);
    ExpectSameExtremes(id + " predictor/direct", predicted_->at(id), Direct(s, true).Extremes(from, to), 3.0, 0.05, 0.005,
                       "kn");
    CurrentLocation station;
    CurrentHarmonicFile file;
    const Series files = InstalledCurrentSum(s, station, file);
    ASSERT_FALSE(files.terms.empty()) << id << " has no installed harmonic file";
    ExpectSameExtremes(id + " direct/files", Direct(s).Extremes(from, to), files.Extremes(from, to), 1.0, 0.01, 0, "kn");
    EXPECT_EQ(station.floodDirection, std::lround(*s.Number("flood_dir")) % 360) << id;
    EXPECT_EQ(file.ebbDirectionDegrees, std::lround(*s.Number("ebb_dir")) % 360) << id;
    for (const CurrentConstituentRecord& r : file.records) EXPECT_EQ(r.directionTenthsDegree, station.floodDirection * 10);
    ++count;
  }
  EXPECT_GE(count, 5);
}

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
// station's kept constants, turns of less than 0.05 ft aside. Heights must agree within 0.02 ft (plus 0.05 per cent of the
// station's range, the rounding of the node factors to thousandths) for 99.8 per cent, and
// for 99 per cent of each family's extremes the time within 1 minute or where the curve
// changes by at most 0.005 ft over the difference (a flat top, whose time a rounding of the constants to
// thousandths of a foot and tenths of a degree moves by minutes).
//
// Printed besides: how many extremes that stand 0.5 ft or more from their neighbours agree
// within 1 minute, and the same for the double-precision sum of the installed (rounded)
// constants, which is what the file formats allow at best.
TEST_F(AccuracyTest, EveryOtherSourcesStationAgreesWithTheDirectSum) {
  const double start = UtcSeconds(kYear, 7, 1), end = UtcSeconds(kYear, 7, 8);
  const double from = start - 86400.0, to = end + 86400.0;
  struct Tally {
    int events = 0, timely = 0, heights = 0, stations = 0;
    int prominent = 0, prominentTimely = 0, prominentFilesTimely = 0;
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
  for (const auto& [id, s] : *sources_) {
    if (!s.IsTide() || !s.IsReference() || id.rfind("noaa/", 0) == 0 || !kept_->count(id)) continue;
    const InstalledStation installed(s, *catalogueRows_);
    if (!installed.found()) continue;  // left out (US waters)
    const std::vector<Extreme> direct = Within(Direct(s).Extremes(from, to), start, end);
    const std::vector<Extreme> files = installed.Sum(installed.ZoneHours()).Extremes(from, to);
    const std::vector<Extreme> engine = EngineExtremes(installed.station(), true, installed.ZoneHours(), from, to);
    Tally& tally = tallies[id.rfind("kartverket/", 0) == 0 ? "Kartverket" : s.Text("country") == "CA" ? "TICON-4 Canada" : "TICON-4"];
    ++tally.stations;
    double lowest = 1e9, highest = -1e9;
    for (const Extreme& x : direct) lowest = std::min(lowest, x.value), highest = std::max(highest, x.value);
    for (size_t i = 0; i < direct.size(); ++i) {
      const Extreme& x = direct[i];
      double prominence = 1e9;
      if (i > 0) prominence = std::min(prominence, std::fabs(x.value - direct[i - 1].value));
      if (i + 1 < direct.size()) prominence = std::min(prominence, std::fabs(x.value - direct[i + 1].value));
      if (prominence < 0.05) continue;  // a wiggle the engine's search need not see
      ++tally.events;
      const Extreme* match = nearest(engine, x);
      if (!match) continue;
      const double feet = std::fabs(match->value - x.value);
      const double hours = std::fabs(match->utcSeconds - x.utcSeconds) / 3600.0;
      tally.heights += feet <= 0.02 + 0.0005 * (highest - lowest);
      tally.timely += hours <= 1.0 / 60.0 || 0.5 * std::fabs(x.curvature) * hours * hours <= 0.005;
      if (prominence >= 0.5) {
        ++tally.prominent;
        tally.prominentTimely += hours <= 1.0 / 60.0 && feet <= 0.02;
        const Extreme* rounded = nearest(files, x);
        tally.prominentFilesTimely += rounded && std::fabs(rounded->utcSeconds - x.utcSeconds) <= 60.0;
      }
      if (feet > worstFeet) worstFeet = feet, worst = id;
    }
  }
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
  for (const auto& [family, t] : tallies) {
    std::printf("  %-16s %4d stations, %6d extremes: heights %.2f%%, times %.2f%% (flat tops by curvature); of %d "
                "standing 0.5 ft apart %.2f%% within 1 min and 0.02 ft (installed constants in double precision: %.2f%%)\n",
                family.c_str(), t.stations, t.events, 100.0 * t.heights / t.events, 100.0 * t.timely / t.events,
                t.prominent, 100.0 * t.prominentTimely / t.prominent, 100.0 * t.prominentFilesTimely / t.prominent);
    // The engine's search steps over a few short double tides (turns under an hour apart
    // in the Channel and off the Dutch coast): 0.1 per cent.
    EXPECT_GE(t.heights, t.events * 0.998) << family;
    EXPECT_GE(t.timely, t.events * 0.99) << family;
  }
  std::printf("  largest height difference %.3f ft at %s\n", worstFeet, worst.c_str());
  EXPECT_GE(tallies["TICON-4"].stations, 1000);
  EXPECT_GE(tallies["Kartverket"].stations, 30);
}

}  // namespace
}  // namespace qw
