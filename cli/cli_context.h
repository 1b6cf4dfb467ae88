// What a command works with: where to print, the installed catalogue (read on first
// use) and the side catalogue of source identifiers.
#pragma once

#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/file_text.h"
#include "engine/region_files.h"
#include "engine/station_database.h"
#include "engine/station_datums.h"
#include "engine/station_sources.h"

namespace qw::cli {

class CliContext {
 public:
  CliContext(std::FILE* out, std::FILE* err, std::vector<std::string> arguments = {})
      : out_(out), err_(err), arguments_(std::move(arguments)) {}

  std::FILE* out() const { return out_; }
  std::FILE* err() const { return err_; }
  // The whole command line as the program was given it (after the program's name).
  const std::vector<std::string>& arguments() const { return arguments_; }

  // The installed regions of a kind, scanned on first use.
  const RegionList& Regions(StationKind kind);

  // The side catalogue, opened on first use and searched for the few stations a command
  // names (a command that lists many reads it whole); nullptr when it is missing or
  // unreadable (SourcesProblem then says why).
  const StationSources* Sources();
  const std::string& SourcesProblem();

  // A station's source label and identifier ("NOAA 9414290", "TICON-4 (UHSLC)
  // newlyn-new-gbr-bodc"), or "" when unknown.
  std::string SourceLabel(StationKind kind, int regionNumber, int stationIndex);

  // The datums of the tide station at `regionNumber`, `stationIndex`, or nullptr when the
  // datum list is missing or does not give it. The list is read on first use and only the
  // stations asked for are parsed.
  const StationDatumSet* DatumsOf(int regionNumber, int stationIndex);

 private:
  std::FILE* out_;
  std::FILE* err_;
  std::vector<std::string> arguments_;
  std::optional<RegionList> tideRegions_;
  std::optional<RegionList> currentRegions_;
  std::optional<StationSources> sources_;
  bool sourcesTried_ = false;
  std::string sourcesProblem_;
  std::optional<FileText> datumsText_;  // the list's text; nullopt when it cannot be read
  bool datumsTried_ = false;
  StationDatums datums_;                   // the stations parsed so far
  std::set<std::pair<int, int>> datumsParsed_;
};

}  // namespace qw::cli
