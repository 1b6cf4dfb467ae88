// The installed tide and current catalogues as the frame and its windows see them:
// the region lists built at start-up, station counts, names and records.
#pragma once

#include <string>
#include <vector>

#include "engine/station_database.h"
#include "settings/station_directory.h"

namespace qw {

class CatalogueDirectory : public StationDirectory {
 public:
  // Builds both region lists from the data directory.
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

 private:
  RegionList tideRegions_;
  RegionList currentRegions_;
};

}  // namespace qw
