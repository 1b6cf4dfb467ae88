#include "tools/data/data_set.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <tuple>

#include "engine/engine_values.h"
#include "engine/official_notes_file.h"
#include "tools/data/current_averages.h"
#include "tools/data/source_labels.h"
#include "tools/data/station_names.h"
#include "tools/data/data_set_builder.h"

namespace qw::data {

int16_t TimeMeridianOfZone(int zoneMinutes) {
  if (zoneMinutes % 60 == 0) return static_cast<int16_t>(zoneMinutes / 4);
  return static_cast<int16_t>(std::floor(zoneMinutes / 4.0));
}

double MeridianHours(int16_t meridian) {
  return (meridian % 15 == 0 ? meridian : meridian + 0.5) / 15.0;
}

int16_t LocalPhaseTenths(double greenwichDegrees, double speedDegreesPerHour, double zoneHours) {
  double phase = std::fmod(greenwichDegrees + speedDegreesPerHour * zoneHours, 360.0);
  if (phase < 0) phase += 360.0;
  long tenths = std::lround(phase * 10.0);
  if (tenths >= 3600) tenths -= 3600;
  return static_cast<int16_t>(tenths);
}

std::string FitName(const std::string& name, size_t maxBytes) {
  if (name.size() <= maxBytes) return name;
  size_t cut = maxBytes;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  std::string fitted = name.substr(0, cut);
  while (!fitted.empty() && fitted.back() == ' ') fitted.pop_back();
  return fitted;
}

namespace detail {

std::string WithoutMarkup(const std::string& text) {
  std::string out;
  bool inTag = false;
  for (char c : text) {
    if (c == '<') inTag = true;
    else if (c == '>') inTag = false;
    else if (!inTag) out += c;
  }
  return out;
}

double DistanceKm(const Candidate& a, const Candidate& b) {
  const double rad = M_PI / 180.0;
  const double dLat = (b.latitude - a.latitude) * rad, dLon = (b.longitude - a.longitude) * rad;
  const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(a.latitude * rad) * std::cos(b.latitude * rad) * std::sin(dLon / 2) * std::sin(dLon / 2);
  return 12742.0 * std::asin(std::sqrt(std::min(1.0, h)));
}

std::string Upper(std::string text) {
  for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return text;
}

int16_t Round16(double value) { return static_cast<int16_t>(std::lround(value)); }

int16_t Degrees16(double degrees) {
  long d = std::lround(degrees) % 360;
  if (d < 0) d += 360;
  return static_cast<int16_t>(d);
}

void SetPosition(double latitude, double longitude, char& latH, int16_t* lat, char& lonH, int16_t* lon) {
  auto split = [](double value, int16_t* dms) {
    const long seconds = std::lround(std::fabs(value) * 3600.0);
    dms[0] = static_cast<int16_t>(seconds / 3600);
    dms[1] = static_cast<int16_t>(seconds / 60 % 60);
    dms[2] = static_cast<int16_t>(seconds % 60);
  };
  latH = latitude < 0 ? 'S' : 'N';
  lonH = longitude < 0 ? 'W' : 'E';
  split(latitude, lat);
  split(longitude, lon);
}
// Hundredths of a foot of a height in metres, or kNotGiven16.
int16_t HundredthsFoot(std::optional<double> metres) {
  if (!metres) return kNotGiven16;
  return Round16(*metres / kMetresPerFoot * 100.0);
}
void Builder::MakeCandidates() {
  candidates_.resize(sources_.size());
  for (size_t i = 0; i < sources_.size(); ++i) {
    const SourceStation& s = sources_[i];
    Candidate& c = candidates_[i];
    c.source = &s;
    c.tide = s.IsTide();
    c.isReference = s.IsReference();
    c.latitude = s.Number("lat").value_or(0);
    c.longitude = s.Number("lon").value_or(0);
    c.labels = LabelsOf(s);
    const std::string& source = c.labels.family;
    const std::string country = s.Text("country");
    if (source == "NOAA") c.family = Family::Noaa;
    else if (source == "CHS" || country == "CA") c.family = Family::Chs;
    else c.family = Family::International;
    if (source != "NOAA" && IsUnitedStatesArea(country)) {
      c.exclusion = "in US waters, where NOAA's stations are used";
    }
    if (!s.Number("zone_minutes") || !s.Number("lat") || !s.Number("lon")) {
      c.exclusion = "no time zone or position";
    }
    const int zoneMinutes = static_cast<int>(s.Number("zone_minutes").value_or(0));
    c.meridian = TimeMeridianOfZone(zoneMinutes);
    if (std::lround(MeridianHours(c.meridian) * 60) != zoneMinutes) {
      out_.report.push_back("zone offset " + std::to_string(zoneMinutes) + " min of " + s.Id() +
                            " shown as meridian " + std::to_string(c.meridian) + ".5");
    }
    const std::string dst = s.Text("zone_dst");
    if (c.family == Family::International) {
      c.dstClass = dst == "0" ? 0 : 2;
    } else {
      c.dstClass = dst == "N" ? 1 : 0;
      if (dst == "S") southernDst_.insert(s.Text("time_zone"));
    }
    if (c.isReference && c.exclusion.empty()) MatchConstants(c);
    byId_[s.Id()] = &c;
  }
}

void Builder::MatchConstants(Candidate& c) {
  const SourceStation& s = *c.source;
  if (s.constituents.empty()) {
    c.exclusion = "no harmonic constants";
    return;
  }
  std::map<int, std::string> seen;  // table index -> the source name that took it
  std::set<std::string> names;
  for (const SourceConstituent& k : s.constituents) names.insert(Upper(k.name));
  for (const SourceConstituent& k : s.constituents) {
    // A name the predictor takes for another constituent the station lists too is the
    // source's own, different line (TICON-4's 3N2 beside its MKS2); where the station
    // lacks that other one, the name is the predictor's (the database's own re-fits of
    // the WSV and RWS gauges give 3N2 at the predictor's MKS2 speed, and no MKS2).
    const bool ownLine = !k.predictorName.empty() && Upper(k.predictorName) != Upper(k.name) &&
                         names.count(Upper(k.predictorName)) > 0;
    const std::string conflict = DefinitionConflict(s.Text("source"), k.name);
    const int index = ownLine || !conflict.empty() ? -1 : MatchConstituent(table_, k);
    if (index < 0) {
      std::string reason = conflict.empty() ? LeftOutReason(k.name) : conflict;
      if (ownLine && reason == LeftOutReason("")) reason = "not defined apart from the " + k.predictorName + " it lists";
      c.dropped.push_back({k.name, k.amplitude, reason});
      continue;
    }
    if (!seen.emplace(index, k.name).second) {
      c.dropped.push_back({k.name, k.amplitude, "given twice, as " + seen[index] + " too"});
      continue;
    }
    c.matched.push_back({k.name, index, k.amplitude, k.phaseDegrees});
  }
  if (c.matched.empty()) {
    c.exclusion = "no constituent the tables define";
    return;
  }
  if (c.tide) {
    const std::string chart = s.Text("chart_datum");
    if (chart.empty()) c.exclusion = "no chart datum";
    else if (chart != "MSL" && (!s.Number("datum_MSL") || !s.Number("datum_chart")))
      c.exclusion = "no mean sea level above its chart datum";
    const bool hasMhws = s.Number("datum_MHWS").has_value();
    c.mhhwLabel = (chart == "MLLW" || !hasMhws) && s.Number("datum_MHHW").has_value();
    auto amp = [&](const char* name) {
      const int index = table_.Find(name);
      for (const Matched& m : c.matched) if (m.table == index) return m.amplitude;
      return 0.0;
    };
    const double semidiurnal = amp("M2") + amp("S2");
    c.diurnal = semidiurnal > 0 && (amp("K1") + amp("O1")) / semidiurnal > 3.0;
  } else if (!s.Number("flood_dir") && !s.Number("ebb_dir")) {
    c.exclusion = "no flood or ebb direction";
  }
}

void Builder::LinkSubordinates() {
  for (Candidate& c : candidates_) {
    if (c.isReference || !c.exclusion.empty()) continue;
    auto it = byId_.find(c.source->Text("ref"));
    if (it == byId_.end() || !it->second->exclusion.empty() || !it->second->isReference ||
        it->second->tide != c.tide) {
      c.exclusion = "its reference station " + c.source->Text("ref") + " is not available";
      continue;
    }
    const double km = DistanceKm(c, *it->second);
    if (km > kMaxSubordinateDistanceKm) {
      c.exclusion = "its position is far from its reference station (the source's position is wrong)";
      char line[200];
      std::snprintf(line, sizeof line, "left out %s (%s): %.0f km from its reference station %s, at %.2f %.2f",
                    c.source->Id().c_str(), c.source->Text("name").c_str(), km, it->second->source->Id().c_str(),
                    c.latitude, c.longitude);
      out_.report.push_back(line);
      continue;
    }
    c.referenceStation = it->second;
    c.diurnal = it->second->diurnal;
  }
}

// Each station goes to the region its country and subdivision give, when its position
// lies in that region's bounds; else to the region of its family whose bounds hold it
// (of several, the one of the nearest station placed so); never across an ocean.
void Builder::PlaceInRegions() {
  std::vector<Candidate*> byPosition;
  for (Candidate& c : candidates_) {
    if (!c.exclusion.empty()) continue;
    c.region = RegionByPlace(c.family, c.source->Text("country"), c.source->Text("region_code"), c.latitude,
                             c.longitude);
    if (c.region == 0) byPosition.push_back(&c);
  }
  for (Candidate* c : byPosition) {
    const std::vector<int> holding = RegionsHolding(c->family, c->latitude, c->longitude);
    if (holding.empty()) {
      c->exclusion = "its position lies in no region of its family";
      continue;
    }
    const Candidate* nearest = nullptr;
    double best = 1e300;
    for (const Candidate& other : candidates_) {
      if (other.region == 0 || !other.exclusion.empty() || other.family != c->family ||
          std::find(holding.begin(), holding.end(), other.region) == holding.end()) {
        continue;
      }
      const double d = DistanceKm(*c, other);
      if (d < best) best = d, nearest = &other;
    }
    c->region = nearest ? nearest->region : holding.front();
    out_.report.push_back("placed " + c->source->Id() + " (" + c->source->Text("country") + " " +
                          c->source->Text("region_code") + ") in region " + std::to_string(c->region) +
                          " by its position");
  }
}

// Stations of a region in browsing order: NOAA stations along the coast (their numbers
// run along it), the others by name.
bool Builder::BrowseOrder(const Candidate* a, const Candidate* b) {
  if (a->family != b->family) return a->family < b->family;
  if (a->family == Family::Noaa) return a->source->Text("source_id") < b->source->Text("source_id");
  std::string na = a->source->Text("name"), nb = b->source->Text("name");
  for (char& ch : na) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  for (char& ch : nb) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  if (na != nb) return na < nb;
  return a->source->Id() < b->source->Id();
}

bool Builder::Number(std::string& error) {
  for (Candidate& c : candidates_) {
    if (c.exclusion.empty()) (c.tide ? tideByRegion_ : currentByRegion_)[c.region].push_back(&c);
  }
  int nextNoaa = 1, nextChs = kFirstChsTideRecord, nextCurrent = kFirstCurrentFileNumber;
  int nextTideSub = kFirstSubordinateStationId, nextCurrentSub = kFirstSubordinateStationId;
  int shared = 30001;  // BA0, the international stations outside regions 31..43
  for (auto* byRegion : {&tideByRegion_, &currentByRegion_}) {
    for (auto& [region, list] : *byRegion) {
      std::sort(list.begin(), list.end(), BrowseOrder);
      const int ownFamily = InternationalFamilyNumber(region);
      const int internationalBase = (30 + ownFamily) * 1000;
      int& international = ownFamily == 0 ? shared : (own_[region] = internationalBase + 1);
      for (size_t i = 0; i < list.size(); ++i) {
        Candidate& c = *list[i];
        c.index = static_cast<int>(i);
        if (!c.isReference) {
          c.stationId = static_cast<uint16_t>(c.tide ? nextTideSub++ : nextCurrentSub++);
          continue;
        }
        int number;
        if (!c.tide) number = nextCurrent++;
        else if (c.family == Family::Noaa) number = nextNoaa++;
        else if (c.family == Family::Chs) number = nextChs++;
        else number = international++;
        c.harmonicNumber = static_cast<uint16_t>(number);
        c.stationId = c.harmonicNumber;
      }
      if (international > internationalBase + 1000) {
        error = "region " + std::to_string(region) + " has more than 999 harmonic records";
        return false;
      }
    }
  }
  if (nextNoaa - 1 > kLastNoaaTideRecord || nextCurrent - 1 > kLastCurrentFileNumber ||
      nextChs - 1 > kLastChsTideRecord || nextTideSub - 1 > 65535 || nextCurrentSub - 1 > 65535) {
    error = "more stations than the numbering ranges hold";
    return false;
  }
  return true;
}

// Constituents used by NOAA or Canadian stations must lie in the first 160 slots.
std::vector<bool> Builder::NarrowNeeds() const {
  std::vector<bool> needs(table_.constituents.size(), false);
  for (const Candidate& c : candidates_) {
    if (!c.exclusion.empty() || c.family == Family::International) continue;
    for (const Matched& m : c.matched) needs[m.table] = true;
  }
  return needs;
}

int Builder::NoteNumber(const std::string& file, const std::string& text) {
  if (text.empty()) return 0;
  auto& texts = noteTexts_[file];
  auto it = texts.find(text);
  if (it != texts.end()) return it->second;
  const int number = static_cast<int>(texts.size()) + 1;
  texts[text] = number;
  out_.notes[file][number] = text;
  return number;
}

// The station note: who published the data, the licence and attribution, what was left
// out and why, what was computed here, and a subordinate's reference.
std::string Builder::StationNote(const Candidate& c) const {
  const SourceStation& s = *c.source;
  std::string note = "Source: " + c.labels.name;
  if (!c.labels.agencyCode.empty()) {
    note += ", gauge record from " + (c.labels.agency.empty() ? "" : c.labels.agency + ", ") + "GESLA-4 contributor " +
            c.labels.agencyCode;
  }
  note += ", station " + s.Text("source_id") + ". Licence: " + LicenceName(s.Text("licence"));
  if (s.Text("commercial") == "0") note += ", not for commercial use";
  note += " (" + s.Text("licence_url") + "). Attribution: " + s.Text("attribution");
  if (!note.empty() && note.back() != '.') note += '.';
  if (c.referenceStation == nullptr && !c.dropped.empty()) {
    note += " Constituents left out:";
    char amount[160];
    for (const Dropped& d : c.dropped) {
      if (c.tide) {
        std::snprintf(amount, sizeof amount, " %s %.3f m (%.3f ft), %s;", d.name.c_str(), d.amplitude,
                      d.amplitude / kMetresPerFoot, d.reason.c_str());
      } else {
        std::snprintf(amount, sizeof amount, " %s %.3f kn, %s;", d.name.c_str(), d.amplitude, d.reason.c_str());
      }
      note += amount;
    }
  }
  if (c.referenceStation) {
    note += " Predicted from the reference station " + c.referenceStation->displayName + " (" +
            c.referenceStation->labels.label + " " + c.referenceStation->source->Text("source_id") + ").";
  }
  if (!c.tide) {
    note += " Average speeds: computed by this program from the station's predictions over " +
            std::to_string(kAverageEpochFirstYear) + "-" + std::to_string(kAverageEpochLastYear) +
            " (every " + std::to_string(kAverageSampleDays) + "th day); the source gives none.";
  }
  return note;
}

bool Builder::CheckNotes(std::string& error) const {
  for (const auto& [file, notes] : out_.notes) {
    for (const auto& [number, text] : notes) {
      if (text.size() + 4 > kOfficialNoteMaxLine) {
        error = "note " + std::to_string(number) + " of " + file + " is longer than a notes line holds";
        return false;
      }
    }
  }
  return true;
}

std::string Builder::FamilyName(const Candidate& c) const {
  if (c.family == Family::International) return "BA" + std::to_string(c.harmonicNumber / 1000 - 30);
  return std::string(c.family == Family::Noaa ? "NOS" : "CHS") + (c.region <= 10 ? "WTIDE" : "ETIDE");
}

// Names that read apart within each region's list of each kind.
void Builder::NameApart() {
  for (auto* byRegion : {&tideByRegion_, &currentByRegion_}) {
    for (auto& [region, list] : *byRegion) {
      std::vector<NamingFacts> facts;
      for (const Candidate* c : list) {
        const SourceStation& s = *c->source;
        NamingFacts f;
        f.name = s.Text("name");
        f.context = s.Text("context");
        f.publisher = c->labels.label;
        f.publisher.erase(std::remove(f.publisher.begin(), f.publisher.end(), '('), f.publisher.end());
        f.publisher.erase(std::remove(f.publisher.begin(), f.publisher.end(), ')'), f.publisher.end());
        if (!c->labels.agencyCode.empty()) {
          std::string code = c->labels.agencyCode;
          for (char& ch : code) ch = ch == '_' ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
          f.record = c->labels.family + " " + code;
        }
        const std::string& id = s.Text("source_id");
        if (c->family == Family::Noaa && id.find('@') != std::string::npos) f.bin = id.substr(id.find('@') + 1);
        f.sourceId = id;
        facts.push_back(std::move(f));
      }
      const std::vector<std::string> names = DistinctNames(facts);
      for (size_t i = 0; i < list.size(); ++i) {
        list[i]->displayName = names[i];
        if (names[i] != FitName(facts[i].name, kStationNameBytes)) ++renamed_;
      }
    }
  }
}

// The harmonic files of the reference current stations, and the averages computed from
// them, before any station record is made (a subordinate takes its reference's).
void Builder::BuildCurrentFiles() {
  for (Candidate& c : candidates_) {
    if (c.tide || !c.isReference || !c.exclusion.empty()) continue;
    auto flood = c.source->Number("flood_dir"), ebb = c.source->Number("ebb_dir");
    AddCurrentHarmonics(c, flood ? *flood : *ebb + 180.0, ebb ? *ebb : *flood + 180.0);
    c.averages = ComputeCurrentAverages(out_.currentFiles.back(), table_, out_.slots);
  }
  std::sort(out_.currentFiles.begin(), out_.currentFiles.end(),
            [](const CurrentHarmonicFile& a, const CurrentHarmonicFile& b) { return a.number < b.number; });
}

}  // namespace detail

bool BuildDataSet(const std::vector<SourceStation>& sources, const ConstituentTable& table,
                  DataSet& out, std::string& error) {
  out = DataSet{};
  return detail::Builder(sources, table, out).Run(error);
}

}  // namespace qw::data
