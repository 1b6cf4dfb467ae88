// The tide stations' datums, "datums.csv" in the data directory: for each station the
// name of its chart datum (the zero of its heights: "MLLW" for NOAA stations, "LAT",
// "CD", ... for others) and the heights of the other datums the source gives above it
// ("MSL", "MHHW", "LAT", "HAT", "NAVD88", "NN2000", ...), so that heights can be shown on
// another datum: height on datum D = height on chart datum - D's height above it.
//
// UTF-8 text, one header line "region,index,station_id,chart_datum,datum,micro_feet",
// then one line per datum of a station, the chart datum itself first (at 0): region
// number, station index in the region file, stationId, chart datum name, datum name, the
// datum's height above the chart datum in millionths of a foot. Lines are sorted by
// region and index. A subordinate station has its reference's datums, scaled by its height
// ratio, only where its corrections are one ratio for highs and lows and no difference;
// otherwise its chart datum alone. Damaged lines are skipped and counted; a damaged file
// never stops the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/tide_location.h"

namespace qw {

// One line of the file.
struct StationDatumEntry {
  int region = 0;
  int index = 0;
  uint32_t stationId = 0;
  std::string chartDatum;
  std::string datum;
  int64_t microFeet = 0;  // above the chart datum
};

struct StationDatum {
  std::string name;
  int64_t microFeetAboveChartDatum = 0;
};

// The datums of one station.
struct StationDatumSet {
  std::string chartDatum;             // the name of the datum its heights are on
  std::vector<StationDatum> datums;   // the chart datum first, then by name
  // The datum of that name (any case), or nullptr when the station does not have it.
  const StationDatum* Find(std::string_view name) const;
};

class StationDatums {
 public:
  static constexpr const char* kFileName = "datums.csv";

  // Reads the file; false (with `error` set) when it is missing, unreadable or has not
  // the expected header.
  bool Load(const std::string& path, std::string* error = nullptr);
  bool Parse(std::string_view text, std::string* error = nullptr);
  // Adds the datums of the one station at region number `region`, index `index` from the
  // file's text, reading no other line whole: Find then gives for it what it gives after
  // Parse of the same text. A program that asks for one station or two uses this instead
  // of parsing all (about 30,000 lines). False, as Parse, when the header is not there.
  bool ParseStation(std::string_view text, int region, int index, std::string* error = nullptr);

  size_t stationCount() const { return stations_.size(); }
  size_t skippedLines() const { return skipped_; }

  // The datums of the tide station at region number `region`, index `index`, or nullptr.
  const StationDatumSet* Find(int region, int index) const;
  // The datums of the tide station numbered `stationId` (its own number, unique among the
  // tide stations of a data set), or nullptr; 0 finds nothing.
  const StationDatumSet* FindByStationId(uint32_t stationId) const;

 private:
  bool ParseLines(std::string_view text, const uint64_t* onlyKey, std::string* error);

  std::unordered_map<uint64_t, StationDatumSet> stations_;
  std::unordered_map<uint32_t, uint64_t> byStationId_;  // stationId -> key in stations_
  size_t skipped_ = 0;
};

// A datum chosen by name for one station's heights.
struct DatumChoice {
  std::string name;           // as the data spells it; "" for the chart datum of a station not listed
  int64_t microFeetAboveChartDatum = 0;
  std::string error;          // not empty when the station does not have the datum asked for
  bool ok() const { return error.empty(); }
};

// The datum `requested` (any case) of a station with the datums `set` (nullptr: a station
// the list does not give, whose heights are on its chart datum alone). An empty request
// chooses the chart datum. A datum the station does not have is refused with a message
// that names the ones it has.
DatumChoice ChooseDatum(const StationDatumSet* set, std::string_view requested);

// Puts the heights of `station`, whose datums are `set`, on the datum `name` (see
// ChooseDatum): sets TideLocation::datum and datumMicroFeet. A refused choice leaves the
// station as it was.
DatumChoice SelectDatum(TideLocation& station, const StationDatumSet* set, std::string_view name);

// The file's text, header included: the writer of the data builder and of test fixtures.
std::string EncodeStationDatums(const std::vector<StationDatumEntry>& entries);

}  // namespace qw
