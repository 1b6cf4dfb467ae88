// The installed tide and current catalogues as the frame and its windows see them:
// the region lists built at start-up, station counts, names and records.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/station_clock.h"
#include "engine/station_database.h"
#include "engine/station_sources.h"
#include "settings/station_directory.h"

namespace qw {

class CatalogueDirectory : public StationDirectory {
 public:
  // Builds both region lists from the data directory and reads the side catalogue (the
  // stations' sources and time zones) when it is installed.
  void Open();

  const RegionList& Regions(StationKind kind) const {
    return kind == StationKind::Tide ? tideRegions_ : currentRegions_;
  }

  int RegionCount(StationKind kind) const override;
  int StationCount(StationKind kind, int regionSlot) const override;
  std::optional<uint32_t> StationId(const StationRef& station) const override;
  std::optional<uint16_t> FindStation(StationKind kind, int regionSlot,
                                      uint32_t stationId) const override;
  bool IsPredictionStation(const StationRef& station) const override;
  // From the installed side catalogue (installed_catalogue.h); a custom location's key is
  // "custom/" and its ID, which the custom files never give out again.
  std::string StationKey(const StationRef& station) const override;
  std::optional<StationRef> FindByKey(StationKind kind, std::string_view key) const override;

  // The station's name, or an empty string when it cannot be read.
  std::string StationName(const StationRef& station) const;
  // The names of every station of a region, by index.
  std::vector<std::string> StationNames(StationKind kind, int regionSlot) const;
  // The region's name, or an empty string.
  std::string RegionName(StationKind kind, int regionSlot) const;

  // Station records; false when the record cannot be read (a message has been shown).
  bool ReadTide(const StationRef& station, TideLocation& out) const;
  bool ReadCurrent(const StationRef& station, CurrentLocation& out) const;

  // The clock a station keeps (station_clock.h): its IANA zone from the side catalogue, or
  // the record's rule when the zone is not known. Made under the engine settings of the
  // moment; make a new one after they change.
  StationClock ClockOf(const StationRef& station, const TideLocation& record) const;
  StationClock ClockOf(const StationRef& station, const CurrentLocation& record) const;
  // The IANA zone the station keeps its clock by (ClockZoneName of station_clock.h), ""
  // when it is not known. `referenceId` and `timeMeridian` are the record's.
  std::string ZoneOf(const StationRef& station, uint16_t referenceId, int16_t timeMeridian) const;
  // The side catalogue, or nullptr when none is installed.
  const StationSources* Sources() const { return sources_.get(); }

 private:

  std::shared_ptr<const StationSources> sources_;
  RegionList tideRegions_;
  RegionList currentRegions_;
};

}  // namespace qw
