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

#include "tests/tools/data/accuracy_fixture.h"

namespace qw::accuracy {
namespace {

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

}  // namespace
}  // namespace qw::accuracy
