// The regions of the station catalogue and which stations go where.
//
// The same region numbers serve tide and current stations. Regions 1..10 are the west
// (Pacific) side of North America, whose stations' notes are in the "w" notes files and
// whose NOAA and Canadian harmonic records are in the "W" index families; regions above 10
// are the east side; 31..43 are the international regions, one index family BA1..BA13
// each (BA<region - 30>). Region 99 is the user's own.
#pragma once

#include <string>

namespace qw::data {

enum class Family { Noaa, Chs, International };

constexpr int kFirstInternationalRegion = 31;
constexpr int kLastInternationalRegion = 43;

// The region name shown in the location dialog (at most 40 characters); nullptr for a
// number no region has.
const char* RegionName(int number);

// The region of a station from its family, ISO country code and ISO subdivision code (for
// US states and Canadian provinces); 0 when the tables do not place it, in which case the
// builder takes the region of the nearest placed station of the same family.
int RegionByPlace(Family family, const std::string& country, const std::string& regionCode);

// True for country codes of the United States and its territories.
bool IsUnitedStatesArea(const std::string& country);

}  // namespace qw::data
