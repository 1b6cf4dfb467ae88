// Station names that read apart. Where a region lists several stations of one name (a
// current station measured at several points of a channel, one gauge published by several
// agencies), each takes what tells it apart, in this order while the names still collide:
// the source's context ("Golden Gate Bridge, 0.46 Nm E of"), the data's publisher
// ("Andenes (Kartverket)", "Andenes (TICON-4 UHSLC)"), the record's own part ("UHSLC FD"),
// NOAA's current meter bin ("bin 8"), and last the station's id at its source, which is
// unique. Names stay within the record's 50 bytes: the base name is shortened, never the
// part that tells the stations apart.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qw::data {

constexpr size_t kStationNameBytes = 50;

// What is known of one station of a region for naming it.
struct NamingFacts {
  std::string name;       // the source's name
  std::string context;    // the source's context, "" when none
  std::string publisher;  // "NOAA", "Kartverket", "TICON-4 UHSLC"
  std::string record;     // the record's own part, e.g. "UHSLC FD"; "" when none
  std::string bin;        // NOAA current meter bin, e.g. "8"; "" when none
  std::string sourceId;   // the station's id at its source
};

// The names of one region's stations of one kind, in the order given: every name differs
// from the others (compared without regard to case), and none is longer than 50 bytes.
std::vector<std::string> DistinctNames(const std::vector<NamingFacts>& stations);

// `base` followed by `separator` and `part`, in at most `maxBytes` bytes of UTF-8: the base
// is cut (at a character boundary, trailing blanks dropped) to leave room for the part.
std::string WithPart(const std::string& base, const std::string& separator, const std::string& part,
                     size_t maxBytes = kStationNameBytes);

}  // namespace qw::data
