// The steps that turn the source stations into the data set, shared by the two files that
// carry them out: data_set.cpp (candidates, regions, numbers, names) and data_set_records.cpp
// (the records, datums and the build report). Internal to the data builder.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tools/data/current_averages.h"
#include "tools/data/data_set.h"
#include "tools/data/source_labels.h"

namespace qw::data::detail {

struct Matched {
  std::string name;  // the source's spelling
  int table = 0;
  double amplitude = 0;
  double phase = 0;
};

// A source constituent left out of a reference station, with why.
struct Dropped {
  std::string name;
  double amplitude = 0;  // metres, or knots for a current station
  std::string reason;
};

// One source station on its way into the data set.
struct Candidate {
  const SourceStation* source = nullptr;
  bool tide = true;
  bool isReference = true;
  Family family = Family::Noaa;
  std::string exclusion;  // why the station is left out; empty when it is kept
  int region = 0;
  double latitude = 0, longitude = 0;
  int16_t meridian = 0;
  uint8_t dstClass = 0;
  SourceLabels labels;
  std::string displayName;  // the name written, distinct within its region
  std::vector<Matched> matched;
  std::vector<Dropped> dropped;
  const Candidate* referenceStation = nullptr;  // of a subordinate station
  int index = 0;
  uint16_t stationId = 0;
  uint16_t harmonicNumber = 0;  // record or file number of a reference station
  bool diurnal = false;
  bool mhhwLabel = false;
  CurrentAverages averages;  // reference current stations
};

std::string WithoutMarkup(const std::string& text);
double DistanceKm(const Candidate& a, const Candidate& b);
std::string Upper(std::string text);
int16_t Round16(double value);
int16_t Degrees16(double degrees);
void SetPosition(double latitude, double longitude, char& latH, int16_t* lat, char& lonH, int16_t* lon);
// Hundredths of a foot of a height in metres, or kNotGiven16.
int16_t HundredthsFoot(std::optional<double> metres);

template <typename Record>
void FillIdentity(const Candidate& c, Record& r) {
  r.kindCode = c.family == Family::Noaa ? kNoaaKindCode
               : c.family == Family::Chs ? kCanadianKindCode
                                         : kInternationalKindCode;
  r.stationId = c.stationId;
  const std::string& name = c.displayName;
  std::memset(r.name, 0, sizeof r.name);
  std::memcpy(r.name, name.data(), name.size());
  int16_t lat[3], lon[3];
  SetPosition(c.latitude, c.longitude, r.latHemisphere, lat, r.lonHemisphere, lon);
  r.latDegrees = lat[0], r.latMinutes = lat[1], r.latSeconds = lat[2];
  r.lonDegrees = lon[0], r.lonMinutes = lon[1], r.lonSeconds = lon[2];
  r.timeMeridian = c.meridian;
  r.observesDst = c.dstClass;
}


class Builder {
 public:
  Builder(const std::vector<SourceStation>& sources, const ConstituentTable& table, DataSet& out)
      : sources_(sources), table_(table), out_(out) {}

  bool Run(std::string& error) {
    MakeCandidates();
    LinkSubordinates();
    PlaceInRegions();
    if (!Number(error)) return false;
    NameApart();
    if (!BuildSlotOrder(table_, NarrowNeeds(), out_.slots, error)) return false;
    BuildCurrentFiles();
    Emit();
    Report();
    return CheckNotes(error);
  }


 private:
  void MakeCandidates();
  void MatchConstants(Candidate& c);
  void LinkSubordinates();

  // Each station goes to the region its country and subdivision give, when its position
  // lies in that region's bounds; else to the region of its family whose bounds hold it
  // (of several, the one of the nearest station placed so); never across an ocean.
  void PlaceInRegions();

  // Stations of a region in browsing order: NOAA stations along the coast (their numbers
  // run along it), the others by name.
  static bool BrowseOrder(const Candidate* a, const Candidate* b);
  bool Number(std::string& error);

  // Constituents used by NOAA or Canadian stations must lie in the first 160 slots.
  std::vector<bool> NarrowNeeds() const;
  int NoteNumber(const std::string& file, const std::string& text);

  // The station note: who published the data, the licence and attribution, what was left
  // out and why, what was computed here, and a subordinate's reference.
  std::string StationNote(const Candidate& c) const;
  bool CheckNotes(std::string& error) const;
  std::string FamilyName(const Candidate& c) const;

  // Names that read apart within each region's list of each kind.
  void NameApart();

  // The harmonic files of the reference current stations, and the averages computed from
  // them, before any station record is made (a subordinate takes its reference's).
  void BuildCurrentFiles();
  void Emit();

  // Datums as heights above the chart datum: a reference station's own; a subordinate's
  // only where its corrections scale the whole curve alike (one ratio for highs and lows,
  // no difference), as its reference's times that ratio; else its chart datum alone.
  void AddDatums(const Candidate& c);
  TideLocation TideRecord(const Candidate& c);
  void AddTideHarmonics(const Candidate& c, double meanLevelMetres);
  CurrentLocation CurrentRecord(const Candidate& c);

  // The averages of the window's "Average Currents", in hundredths of a knot: a reference
  // station's own; a subordinate's are its reference's times its speed ratios (its floods
  // and ebbs are its reference's scaled so), and its minimum speeds only where the
  // reference's current turns (a minimum of 0 stays 0). The slack directions stay not
  // given: the engine would take a slack speed with a direction as its slack threshold.
  static void SetAverages(const CurrentAverages& a, int16_t floodRatio, int16_t ebbRatio, CurrentLocation& r);
  void AddCurrentHarmonics(const Candidate& c, double floodDegrees, double ebbDegrees);
  void Report();

  const std::vector<SourceStation>& sources_;
  const ConstituentTable& table_;
  DataSet& out_;
  std::vector<Candidate> candidates_;
  std::map<std::string, Candidate*> byId_;
  std::map<int, std::vector<Candidate*>> tideByRegion_, currentByRegion_;
  std::map<std::string, std::map<std::string, int>> noteTexts_;
  std::set<std::string> southernDst_;
  std::map<int, int> own_;  // next record number of each international region's own family
  int zoneShifted_ = 0;
  int renamed_ = 0;
  int subordinateDatums_ = 0;
};

}  // namespace qw::data::detail
