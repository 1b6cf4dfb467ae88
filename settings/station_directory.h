// What the frame's services need to know about the installed stations, without
// depending on how the catalogue is read: the open-windows list checks station IDs,
// the chart link validates requests. The desktop program implements it over the
// engine's station catalogue; tests implement it over a small table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/region_files.h"  // StationKind

namespace qw {

struct StationRef {
  StationKind kind = StationKind::Tide;
  uint16_t regionSlot = 0;    // 0-based position of the region among installed regions of the kind
  uint16_t stationIndex = 0;  // 0-based station within the region
  bool operator==(const StationRef&) const = default;
};

// The key of a custom location: this prefix and its ID, which is never given out again.
constexpr const char* kCustomKeyPrefix = "custom/";

class StationDirectory {
 public:
  virtual ~StationDirectory() = default;
  // The number of installed regions of a kind.
  virtual int RegionCount(StationKind kind) const = 0;
  // The number of stations in a region; 0 for a slot that does not exist.
  virtual int StationCount(StationKind kind, int regionSlot) const = 0;
  // The station's own number, or nothing when the station cannot be read.
  virtual std::optional<uint32_t> StationId(const StationRef& station) const = 0;
  // The index of the station with this ID in the region, or nothing.
  virtual std::optional<uint16_t> FindStation(StationKind kind, int regionSlot,
                                              uint32_t stationId) const = 0;
  // True when the station carries predictions (not a general-area heading).
  virtual bool IsPredictionStation(const StationRef& station) const = 0;

  // A name of the station that stays the same in every edition of the installed data:
  // its source and its id there, "NOAA/9414290". Region slots, indexes and station IDs
  // are given out afresh by each edition; this key is not. Empty when not known (a custom
  // location, data without a side catalogue).
  virtual std::string StationKey(const StationRef& /*station*/) const { return {}; }
  // The station with that key in the installed data, or nothing.
  virtual std::optional<StationRef> FindByKey(StationKind /*kind*/, std::string_view /*key*/) const {
    return std::nullopt;
  }
};

}  // namespace qw
