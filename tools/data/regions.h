// The regions of the station catalogue and which stations go where.
//
// The same region numbers serve tide and current stations. Regions 1..10 are the west
// (Pacific) side of North America, whose stations' notes are in the "w" notes files and
// whose NOAA and Canadian harmonic records are in the "W" index families; regions above 10
// are the east side. The international regions 31..43 each have an index family of their
// own, BA<n>; the other international stations share BA0 (InternationalFamilyNumber).
// Region 99 is the user's own.
//
// Every region has sensible bounds: boxes of latitude and longitude that hold the coast a
// user browsing it expects. A station is placed by its country and subdivision, checked
// against those bounds, and placed by its position where the tables do not place it or
// place it outside them.
#pragma once

#include <string>
#include <vector>

namespace qw::data {

enum class Family { Noaa, Chs, International };

// A box of the globe: latitudes south..north, longitudes west..east in degrees east; a box
// whose west is greater than its east crosses the 180th meridian.
struct GeoBox {
  double south, north, west, east;
  bool Holds(double latitude, double longitude) const;
};

// The region name shown in the location dialog (at most 40 characters); nullptr for a
// number no region has.
const char* RegionName(int number);

// Every region number, ascending.
std::vector<int> RegionNumbers();

// The region's sensible bounds; empty for a number no region has.
const std::vector<GeoBox>& RegionBounds(int number);

// Whether a station of `family` may be placed in the region: NOAA stations in the US,
// Canadian and NOAA-abroad regions, Canadian-family stations in the Canadian regions,
// the others in the international regions (and the Canadian ones, where Saint-Pierre and
// Miquelon lies).
bool RegionTakesFamily(int number, Family family);

// The index family BA<n> of the international family's harmonic records in a region,
// numbered (30 + n) x 1000 + 1..: n = 1..13 for regions 31..43, each its own; 0 for the
// international stations of any other region (52, or Saint-Pierre in 48), which share it.
int InternationalFamilyNumber(int region);

// The region of a station from its family, ISO country code, ISO subdivision code (US
// states, Canadian provinces) and position: the tables' answer when the position lies in
// that region's bounds, else the one region of the family whose bounds hold the position;
// 0 when no region or several do (the caller then decides by the nearest placed station).
int RegionByPlace(Family family, const std::string& country, const std::string& regionCode, double latitude,
                  double longitude);

// The regions of the family whose bounds hold the position.
std::vector<int> RegionsHolding(Family family, double latitude, double longitude);

// True for country codes of the United States and its territories.
bool IsUnitedStatesArea(const std::string& country);

}  // namespace qw::data
