// The data set's records, datums and build report, made from the numbered and named candidates.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <tuple>

#include "engine/engine_values.h"
#include "engine/official_notes_file.h"
#include "tools/data/data_set_builder.h"

namespace qw::data::detail {

void Builder::Emit() {
  for (auto* byRegion : {&tideByRegion_, &currentByRegion_}) {
    for (auto& [region, list] : *byRegion) {
      RegionData& data = out_.regions[region];
      data.name = RegionName(region);
      for (Candidate* c : list) {
        if (c->tide) {
          data.tides.push_back(TideRecord(*c));
          AddDatums(*c);
        } else {
          data.currents.push_back(CurrentRecord(*c));
        }
        const SourceStation& s = *c->source;
        CatalogueRow row;
        row.kind = c->tide ? 'T' : 'C';
        row.region = region;
        row.index = c->index;
        row.stationId = c->stationId;
        row.source = c->labels.family;
        row.sourceId = s.Text("source_id");
        row.timeZone = s.Text("time_zone");
        row.licence = s.Text("licence");
        row.attribution = s.Text("attribution");
        row.sourceLabel = c->labels.label;
        row.sourceName = c->labels.name;
        row.agency = c->labels.agency;
        row.licenceUrl = s.Text("licence_url");
        row.commercialUse = s.Text("commercial") != "0";
        row.context = s.Text("context");
        out_.catalogue.push_back(std::move(row));
      }
    }
  }
  std::sort(out_.catalogue.begin(), out_.catalogue.end(), [](const CatalogueRow& a, const CatalogueRow& b) {
    return std::tie(a.kind, a.region, a.index) < std::tie(b.kind, b.region, b.index);
  });
  for (auto& [family, records] : out_.tideFamilies) {
    std::sort(records.begin(), records.end(),
              [](const TideHarmonicRecord& a, const TideHarmonicRecord& b) { return a.number < b.number; });
  }
}

// Datums as heights above the chart datum: a reference station's own; a subordinate's
// only where its corrections scale the whole curve alike (one ratio for highs and lows,
// no difference), as its reference's times that ratio; else its chart datum alone.
void Builder::AddDatums(const Candidate& c) {
  const Candidate& reference = c.referenceStation ? *c.referenceStation : c;
  const SourceStation& r = *reference.source;
  std::string chart = c.source->Text("chart_datum");
  if (chart.empty()) chart = r.Text("chart_datum");
  double scale = 1.0;
  bool sound = c.referenceStation == nullptr;
  if (!sound) {
    const SourceStation& s = *c.source;
    auto high = s.Number("height_high"), low = s.Number("height_low");
    if (high && low && *high == *low && s.Text("height_type") == "ratio") sound = true, scale = *high;
    if (high && low && *high == 0 && *low == 0 && s.Text("height_type") == "fixed") sound = true;
    if (sound) ++subordinateDatums_;
  }
  out_.datums.push_back({c.region, c.index, c.stationId, chart, chart, 0});
  if (!sound) return;
  const std::optional<double> zero = chart == "MSL" ? r.Number("datum_MSL") : r.Number("datum_chart");
  if (!zero) return;
  static const std::set<std::string> notLevels = {"DHQ", "DLQ", "GT", "MN", "HWI", "LWI", "CRD_OFFSET", "chart"};
  for (const auto& [key, value] : r.fields) {
    if (key.rfind("datum_", 0) != 0) continue;
    const std::string name = key.substr(6);
    auto metres = r.Number(key);
    if (notLevels.count(name) || name == chart || !metres) continue;
    const double feet = (*metres - *zero) * scale / kMetresPerFoot;
    out_.datums.push_back({c.region, c.index, c.stationId, chart, name, std::llround(feet * 1e6)});
  }
}

TideLocation Builder::TideRecord(const Candidate& c) {
  const SourceStation& s = *c.source;
  TideLocation r;
  FillIdentity(c, r);
  const std::string notes = OfficialNotesFileName(c.region, false);
  r.unused88[0] = static_cast<int16_t>(NoteNumber(notes, WithoutMarkup(s.Text("disclaimers"))));
  r.unused88[1] = static_cast<int16_t>(NoteNumber(notes, StationNote(c)));
  r.flags = c.diurnal ? kTideFlagDiurnal : 0;
  if (c.isReference) {
    const double chart = s.Number("datum_chart").value_or(0);
    auto above = [&](const char* key) -> std::optional<double> {
      auto v = s.Number(std::string("datum_") + key);
      if (!v) return std::nullopt;
      return *v - chart;
    };
    r.meanHigherHighWater = HundredthsFoot(c.mhhwLabel ? above("MHHW") : above("MHWS"));
    if (c.mhhwLabel) r.flags |= kTideFlagMhhwLabel;
    auto mhw = s.Number("datum_MHW"), mlw = s.Number("datum_MLW");
    r.meanRange = (mhw && mlw) ? HundredthsFoot(*mhw - *mlw) : kNotGiven16;
    r.meanTideLevel = HundredthsFoot(above("MTL"));
    r.referenceId = c.harmonicNumber;
    AddTideHarmonics(c, s.Text("chart_datum") == "MSL" ? 0.0 : *above("MSL"));
    return r;
  }
  // A subordinate station: corrections to its reference's high and low waters, with the
  // difference of the two time zones added so that its times are its own zone's.
  r.referenceId = c.referenceStation->harmonicNumber;
  r.flags |= c.referenceStation->mhhwLabel ? kTideFlagMhhwLabel : 0;
  const int zoneShift = static_cast<int>(std::lround((MeridianHours(c.meridian) - MeridianHours(c.referenceStation->meridian)) * 60));
  if (zoneShift != 0) ++zoneShifted_;
  auto time = [&](const char* key) {
    auto v = s.Number(key);
    return v ? Round16(*v + zoneShift) : kNotGiven16;
  };
  r.highTimeOffset = time("time_high");
  r.lowTimeOffset = time("time_low");
  auto high = s.Number("height_high"), low = s.Number("height_low");
  if (s.Text("height_type") == "ratio") {
    r.highHeightRatio = high ? Round16(*high * 100) : kNotGiven16;
    r.lowHeightRatio = low ? Round16(*low * 100) : kNotGiven16;
    r.highHeightDiff = high ? 0 : kNotGiven16;
    r.lowHeightDiff = low ? 0 : kNotGiven16;
  } else {
    r.highHeightDiff = HundredthsFoot(high);
    r.lowHeightDiff = HundredthsFoot(low);
    r.highHeightRatio = high ? 100 : kNotGiven16;
    r.lowHeightRatio = low ? 100 : kNotGiven16;
  }
  return r;
}

void Builder::AddTideHarmonics(const Candidate& c, double meanLevelMetres) {
  TideHarmonicRecord record;
  record.number = c.harmonicNumber;
  record.name = c.displayName;
  record.meanLevelMicroFeet = static_cast<int32_t>(std::lround(meanLevelMetres / kMetresPerFoot * 1e6));
  const double zoneHours = MeridianHours(c.meridian);
  for (const Matched& m : c.matched) {
    const long milliFeet = std::lround(m.amplitude / kMetresPerFoot * 1000.0);
    if (milliFeet <= 0) continue;
    out_.keptConstituents[c.source->Id()].push_back(m.name);
    record.entries.push_back({static_cast<uint8_t>(out_.slots.tableToSlot[m.table]), static_cast<int32_t>(milliFeet),
                              LocalPhaseTenths(m.phase, table_.constituents[m.table].speedDegreesPerHour, zoneHours)});
  }
  out_.tideFamilies[FamilyName(c)].push_back(std::move(record));
}

CurrentLocation Builder::CurrentRecord(const Candidate& c) {
  const SourceStation& s = *c.source;
  CurrentLocation r;
  FillIdentity(c, r);
  const std::string notes = OfficialNotesFileName(c.region, true);
  r.unused114[0] = static_cast<int16_t>(NoteNumber(notes, WithoutMarkup(s.Text("disclaimers"))));
  if (c.referenceStation) r.unused114[1] = static_cast<int16_t>(NoteNumber(notes, StationNote(*c.referenceStation)));
  r.unused114[2] = static_cast<int16_t>(NoteNumber(notes, StationNote(c)));
  auto flood = s.Number("flood_dir"), ebb = s.Number("ebb_dir");
  r.floodDirection = flood ? Degrees16(*flood) : kNotGiven16;
  r.ebbDirection = ebb ? Degrees16(*ebb) : kNotGiven16;
  if (c.isReference) {
    r.referenceId = c.harmonicNumber;
    SetAverages(c.averages, 100, 100, r);
    return r;
  }
  r.referenceId = c.referenceStation->harmonicNumber;
  const int zoneShift = static_cast<int>(std::lround((MeridianHours(c.meridian) - MeridianHours(c.referenceStation->meridian)) * 60));
  if (zoneShift != 0) ++zoneShifted_;
  auto time = [&](const char* key) {
    auto v = s.Number(key);
    return v ? Round16(*v + zoneShift) : kNotGiven16;
  };
  auto ratio = [&](const char* key) {
    auto v = s.Number(key);
    return v ? Round16(*v * 100) : kNotGiven16;
  };
  r.slackBeforeFloodTime = time("slack_flood_time");
  r.floodTime = time("flood_time");
  r.slackBeforeEbbTime = time("slack_ebb_time");
  r.ebbTime = time("ebb_time");
  r.floodSpeedRatio = ratio("flood_ratio");
  r.ebbSpeedRatio = ratio("ebb_ratio");
  SetAverages(c.referenceStation->averages, r.floodSpeedRatio, r.ebbSpeedRatio, r);
  return r;
}

// The averages of the window's "Average Currents", in hundredths of a knot: a reference
// station's own; a subordinate's are its reference's times its speed ratios (its floods
// and ebbs are its reference's scaled so), and its minimum speeds only where the
// reference's current turns (a minimum of 0 stays 0). The slack directions stay not
// given: the engine would take a slack speed with a direction as its slack threshold.
void Builder::SetAverages(const CurrentAverages& a, int16_t floodRatio, int16_t ebbRatio, CurrentLocation& r) {
  auto hundredths = [](double knots, int16_t ratio) { return Round16(knots * 100.0 * ratio / 100.0); };
  if (a.hasFlood && floodRatio != kNotGiven16) r.floodSpeed = hundredths(a.floodKnots, floodRatio);
  if (a.hasEbb && ebbRatio != kNotGiven16) r.ebbSpeed = hundredths(a.ebbKnots, ebbRatio);
  const bool own = floodRatio == 100 && ebbRatio == 100;
  if (a.hasMinBeforeFlood && (own || a.minBeforeFloodKnots == 0)) r.slackBeforeFloodSpeed = hundredths(a.minBeforeFloodKnots, 100);
  if (a.hasMinBeforeEbb && (own || a.minBeforeEbbKnots == 0)) r.slackBeforeEbbSpeed = hundredths(a.minBeforeEbbKnots, 100);
}

void Builder::AddCurrentHarmonics(const Candidate& c, double floodDegrees, double ebbDegrees) {
  CurrentHarmonicFile file;
  file.number = c.harmonicNumber;
  file.name = c.displayName;
  file.meanCurrentMicroKnots = static_cast<int32_t>(std::lround(c.source->Number("mean_flow").value_or(0) * 1e6));
  file.ebbDirectionDegrees = Degrees16(ebbDegrees);
  const int16_t axis = static_cast<int16_t>(Degrees16(floodDegrees) * 10);
  const double zoneHours = MeridianHours(c.meridian);
  for (const Matched& m : c.matched) {
    const long milliKnots = std::lround(m.amplitude * 1000.0);
    if (milliKnots <= 0) continue;
    out_.keptConstituents[c.source->Id()].push_back(m.name);
    file.records.push_back({static_cast<uint8_t>(out_.slots.tableToSlot[m.table]), static_cast<int32_t>(milliKnots),
                            LocalPhaseTenths(m.phase, table_.constituents[m.table].speedDegreesPerHour, zoneHours), axis});
  }
  out_.currentFiles.push_back(std::move(file));
}

void Builder::Report() {
  std::map<std::string, int> excluded;
  std::map<std::string, std::pair<int, double>> dropped;  // name -> stations, largest amplitude
  std::map<std::string, std::string> reasons;
  struct FamilyLoss {
    int stations = 0, overHundredth = 0;
    double largestFeet = 0;
    std::string largestAt;
  };
  std::map<std::string, FamilyLoss> losses;
  for (const Candidate& c : candidates_) {
    if (!c.exclusion.empty()) {
      const std::string reason = c.exclusion.rfind("its reference station", 0) == 0 ? "its reference station is not available" : c.exclusion;
      ++excluded[std::string(c.tide ? "tide " : "current ") + c.labels.family + ": " + reason];
      continue;
    }
    double lostFeet = 0;
    for (const Dropped& d : c.dropped) {
      auto& entry = dropped[d.name];
      ++entry.first;
      entry.second = std::max(entry.second, d.amplitude);
      reasons[d.name] = d.reason;
      lostFeet += c.tide ? d.amplitude / kMetresPerFoot : 0;
    }
    if (c.dropped.empty() || !c.tide) continue;
    FamilyLoss& loss = losses[c.family == Family::Noaa ? "NOAA" : c.family == Family::Chs ? "Canadian" : "international"];
    ++loss.stations;
    loss.overHundredth += lostFeet > 0.01;
    if (lostFeet > loss.largestFeet) loss.largestFeet = lostFeet, loss.largestAt = c.source->Id();
  }
  for (const auto& [reason, count] : excluded) out_.report.push_back("left out " + std::to_string(count) + " " + reason);
  char line[300];
  for (const auto& [name, d] : dropped) {
    std::snprintf(line, sizeof line, "constituent %s left out (%s): %d stations, largest amplitude %.4f",
                  name.c_str(), reasons[name].c_str(), d.first, d.second);
    out_.report.push_back(line);
  }
  for (const auto& [family, loss] : losses) {
    std::snprintf(line, sizeof line,
                  "amplitude left out, %s family: %d tide stations lose a term, %d of them more than 0.01 ft "
                  "(largest %.3f ft at %s), every one with its reason in its note",
                  family.c_str(), loss.stations, loss.overHundredth, loss.largestFeet, loss.largestAt.c_str());
    out_.report.push_back(line);
  }
  for (const std::string& zone : southernDst_) {
    out_.report.push_back("zone " + zone + " has southern-summer daylight saving: NOAA/CHS stations there get no daylight-saving class");
  }
  out_.report.push_back("subordinate stations whose time offsets include their reference's zone difference: " +
                        std::to_string(zoneShifted_));
  out_.report.push_back("stations named apart from others of their name in their region: " + std::to_string(renamed_));
  out_.report.push_back("subordinate tide stations carrying their reference's datums (one ratio, no difference): " +
                        std::to_string(subordinateDatums_));
}

}  // namespace qw::data::detail
