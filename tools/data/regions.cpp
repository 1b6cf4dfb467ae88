#include "tools/data/regions.h"

#include <map>
#include <set>

namespace qw::data {

namespace {

struct RegionInfo {
  const char* name;
  std::vector<GeoBox> bounds;
};

// The regions and their sensible bounds. Bounds reach offshore as far as the stations of
// the coast lie (current stations on banks, islands of the state or country) and overlap
// at borders; they are a check, not a partition.
const std::map<int, RegionInfo>& Regions() {
  static const std::map<int, RegionInfo> regions = {
      // The Aleutians across the 180th meridian; north of them the coast west to St Lawrence
      // Island and St Matthew Island (-172.7), not Chukotka's (Providenya, -173.2).
      {1, {"Alaska", {{51.0, 56.0, 172.0, -129.5}, {54.0, 72.5, -172.95, -129.5}}}},
      {2, {"British Columbia", {{48.0, 60.5, -139.5, -114.0}}}},
      {3, {"Washington", {{45.4, 49.2, -126.0, -116.5}}}},
      {4, {"Oregon", {{41.8, 46.5, -126.0, -121.5}}}},
      {5, {"California", {{32.3, 42.1, -125.5, -117.0}}}},
      {6, {"Hawaii", {{18.5, 29.0, -179.5, -154.0}}}},
      // Pacific islands of both hemispheres, and the NOAA stations of the Indian Ocean.
      {7, {"Pacific and Indian Ocean Islands", {{-30.0, 30.0, 60.0, -125.0}}}},
      {8, {"Mexico, Central and South America", {{-56.0, 33.0, -118.0, -34.0}}}},
      {11, {"Maine", {{42.9, 47.5, -71.2, -66.0}}}},
      {12, {"New Hampshire", {{42.6, 43.5, -71.6, -70.3}}}},
      {13, {"Massachusetts", {{40.8, 43.0, -73.6, -66.5}}}},
      {14, {"Rhode Island", {{40.9, 42.1, -71.95, -71.0}}}},
      {15, {"Connecticut", {{40.9, 42.1, -73.8, -71.7}}}},
      {16, {"New York", {{40.3, 45.1, -79.9, -71.5}}}},
      {17, {"New Jersey", {{38.7, 41.4, -75.6, -73.8}}}},
      {18, {"Pennsylvania", {{39.7, 42.3, -80.6, -74.6}}}},
      {19, {"Delaware", {{38.3, 39.9, -75.8, -74.9}}}},
      {20, {"Maryland and Washington DC", {{37.8, 39.8, -77.6, -74.9}}}},
      {21, {"Virginia", {{36.5, 39.5, -77.6, -75.0}}}},
      {22, {"North Carolina", {{33.7, 36.7, -78.7, -75.2}}}},
      {23, {"South Carolina", {{31.9, 34.0, -81.5, -78.3}}}},
      {24, {"Georgia", {{30.5, 32.3, -82.1, -80.5}}}},
      {25, {"Florida", {{24.2, 31.1, -87.8, -79.7}}}},
      {26, {"Alabama", {{29.9, 31.3, -88.5, -87.3}}}},
      {27, {"Mississippi", {{29.9, 31.0, -89.8, -88.3}}}},
      {28, {"Louisiana", {{28.5, 31.1, -94.1, -88.7}}}},
      {29, {"Texas", {{25.7, 30.2, -97.9, -93.5}}}},
      {30, {"Puerto Rico and Virgin Islands", {{17.5, 18.8, -68.0, -64.2}}}},
      {31, {"United Kingdom and Ireland", {{49.0, 62.0, -11.0, 3.0}}}},
      {32, {"Norway, Iceland and Greenland",
            {{57.5, 81.5, 4.0, 32.0}, {62.5, 67.0, -25.0, -13.0}, {59.0, 84.0, -75.0, -10.0}, {61.0, 63.0, -8.0, -6.0}}}},
      {33, {"Denmark, Sweden and the Baltic Sea", {{53.5, 66.0, 7.5, 31.0}}}},
      // With the Dutch and German sectors of the North Sea (gauges on platforms).
      {34, {"Germany, Netherlands and Belgium", {{50.5, 56.5, 2.0, 14.5}}}},
      {35, {"France", {{41.0, 51.5, -5.5, 10.0}}}},
      {36, {"Spain and Portugal",
            {{35.0, 44.5, -10.0, 4.5}, {27.0, 29.5, -18.5, -13.0}, {36.5, 40.0, -32.0, -24.5}, {32.0, 33.5, -17.5, -16.0}}}},
      {37, {"Mediterranean and Black Sea", {{30.0, 47.5, -6.0, 42.0}}}},
      {38, {"Africa, Arabia and the Indian Ocean", {{-50.0, 31.0, -26.0, 94.0}}}},
      {39, {"Japan", {{24.0, 46.0, 122.0, 155.0}}}},
      {40, {"East and Southeast Asia", {{-11.5, 46.0, 92.0, 142.0}}}},
      {41, {"Australia and Antarctica", {{-56.0, -9.0, 96.0, 170.0}, {-90.0, -60.0, -180.0, 180.0}, {-54.0, -52.0, 72.0, 74.0}}}},
      {42, {"New Zealand and the Pacific Islands", {{-53.0, -28.0, 165.0, -175.0}, {-30.0, 30.0, 130.0, -120.0}}}},
      {43, {"Latin America and the Caribbean", {{-60.0, 33.0, -120.0, -25.0}}}},
      {44, {"Quebec", {{44.9, 63.0, -80.0, -57.0}}}},
      {45, {"New Brunswick", {{44.5, 48.2, -68.0, -63.7}}}},
      {46, {"Nova Scotia", {{43.3, 47.1, -66.5, -59.5}}}},
      {47, {"Prince Edward Island", {{45.9, 47.1, -64.5, -61.9}}}},
      {48, {"Newfoundland and Labrador", {{46.5, 60.5, -67.5, -52.5}}}},
      {49, {"Ontario", {{41.5, 57.0, -95.5, -74.0}}}},
      {50, {"Arctic Canada and Hudson Bay", {{51.0, 84.0, -141.5, -60.0}}}},
      {51, {"Bahamas, Bermuda and the Caribbean", {{10.0, 33.0, -90.0, -58.0}}}},
      // The Russian coasts on the Pacific and the Arctic Ocean (Providenya on the Bering Sea).
      {52, {"Russia, Pacific and Arctic coasts", {{40.0, 82.0, 130.0, -168.0}, {64.0, 82.0, 30.0, 130.0}}}},
  };
  return regions;
}

const std::map<std::string, int>& UsStates() {
  static const std::map<std::string, int> states = {
      {"US-AK", 1},  {"US-WA", 3},  {"US-OR", 4},  {"US-CA", 5},  {"US-HI", 6},
      {"US-ME", 11}, {"US-NH", 12}, {"US-MA", 13}, {"US-RI", 14}, {"US-CT", 15},
      {"US-NY", 16}, {"US-NJ", 17}, {"US-PA", 18}, {"US-DE", 19}, {"US-MD", 20},
      {"US-DC", 20}, {"US-VA", 21}, {"US-NC", 22}, {"US-SC", 23}, {"US-GA", 24},
      {"US-FL", 25}, {"US-AL", 26}, {"US-MS", 27}, {"US-LA", 28}, {"US-TX", 29},
      {"US-PR", 30}, {"US-VI", 30},
  };
  return states;
}

const std::map<std::string, int>& CanadianProvinces() {
  static const std::map<std::string, int> provinces = {
      {"CA-BC", 2},  {"CA-YT", 50}, {"CA-QC", 44}, {"CA-NB", 45}, {"CA-NS", 46},
      {"CA-PE", 47}, {"CA-NL", 48}, {"CA-ON", 49}, {"CA-NU", 50}, {"CA-NT", 50},
      {"CA-MB", 50},
  };
  return provinces;
}

// Countries outside the US and Canada whose stations come with NOAA's tables.
const std::map<std::string, int>& NoaaCountries() {
  static const std::map<std::string, int> countries = [] {
    std::map<std::string, int> m;
    for (const char* c : {"PR", "VI"}) m[c] = 30;
    for (const char* c : {"GU", "AS", "MP", "UM", "MH", "FM", "PW", "KI", "FJ", "TO", "WS", "TK",
                          "CK", "PF", "VU", "NR", "TV", "NU", "SB", "PG", "NC", "WF", "ID", "IO"}) {
      m[c] = 7;
    }
    for (const char* c : {"MX", "BZ", "GT", "SV", "HN", "NI", "CR", "PA", "CO", "EC", "PE", "CL",
                          "VE", "GY", "SR", "GF", "BR", "AR", "UY"}) {
      m[c] = 8;
    }
    for (const char* c : {"BS", "BM", "CU", "JM", "HT", "DO", "KY", "TC", "AG", "BL", "GP", "LC",
                          "DM", "VC", "GD", "BB", "TT", "AI", "VG", "KN", "MS", "MQ", "AW", "CW",
                          "BQ", "SX", "MF"}) {
      m[c] = 51;
    }
    return m;
  }();
  return countries;
}

const std::map<std::string, int>& InternationalCountries() {
  static const std::map<std::string, int> countries = [] {
    std::map<std::string, int> m;
    auto put = [&m](int region, std::initializer_list<const char*> codes) {
      for (const char* c : codes) m[c] = region;
    };
    put(31, {"GB", "IE", "IM", "JE", "GG"});
    put(32, {"NO", "IS", "GL", "SJ", "FO"});
    put(33, {"DK", "SE", "FI", "EE", "LV", "LT", "PL", "AX"});
    put(34, {"DE", "NL", "BE"});
    put(35, {"FR", "MC"});
    put(36, {"ES", "PT", "GI"});
    put(37, {"IT", "GR", "HR", "SI", "MT", "CY", "TR", "BG", "RO", "UA", "GE", "EG", "IL", "LB",
             "LY", "TN", "DZ", "AL", "ME", "BA", "SY", "PS"});
    put(38, {"ZA", "NA", "AO", "CG", "CD", "GA", "GQ", "CM", "NG", "BJ", "TG", "GH", "CI", "LR",
             "SL", "GN", "GW", "SN", "GM", "MR", "MA", "EH", "CV", "ST", "SH", "KE", "TZ", "MZ",
             "MG", "MU", "RE", "YT", "KM", "SC", "SO", "DJ", "ER", "SD", "YE", "OM", "AE", "QA",
             "BH", "KW", "SA", "IQ", "IR", "PK", "IN", "LK", "MV", "BD", "IO", "TF", "JO"});
    put(39, {"JP"});
    put(40, {"CN", "HK", "MO", "TW", "KR", "KP", "VN", "TH", "KH", "MY", "SG", "BN", "ID", "PH",
             "TL", "MM"});
    put(41, {"AU", "AQ", "CX", "CC", "NF", "HM"});
    put(42, {"NZ", "FJ", "PF", "PG", "SB", "VU", "WS", "TO", "KI", "MH", "FM", "NR", "NU", "PW",
             "TV", "CK", "NC", "WF", "TK", "PN"});
    put(43, {"MX", "BZ", "GT", "SV", "HN", "NI", "CR", "PA", "CO", "EC", "PE", "CL", "VE", "GY",
             "SR", "GF", "BR", "AR", "UY", "FK", "BS", "BM", "CU", "JM", "HT", "DO", "KY", "TC",
             "AG", "BL", "GP", "LC", "DM", "VC", "GD", "BB", "TT", "AI", "VG", "KN", "MS", "MQ",
             "AW", "CW", "BQ", "SX", "MF"});
    put(48, {"PM"});  // Saint-Pierre and Miquelon, off Newfoundland
    return m;
  }();
  return countries;
}

int Lookup(const std::map<std::string, int>& table, const std::string& key) {
  auto it = table.find(key);
  return it == table.end() ? 0 : it->second;
}

// The region the tables give a station, before its position is checked. Countries on two
// seas that the regions split go by where the station lies.
int TableRegion(Family family, const std::string& country, const std::string& regionCode, double latitude,
                double longitude) {
  switch (family) {
    case Family::Noaa:
      if (country == "US") return Lookup(UsStates(), regionCode);
      if (country == "CA") return Lookup(CanadianProvinces(), regionCode);
      return Lookup(NoaaCountries(), country);
    case Family::Chs:
      return Lookup(CanadianProvinces(), regionCode);
    case Family::International:
      // The Red Sea and the Gulf of Aqaba coasts of Egypt, Israel and Jordan.
      if ((country == "EG" || country == "IL" || country == "JO") && latitude < 30.5 && longitude > 32.35) return 38;
      // Russia: the Baltic (Kronstadt, St Petersburg), the Black Sea, or the Pacific and
      // Arctic coasts.
      if (country == "RU") {
        if (longitude > 19.0 && longitude < 31.0 && latitude > 53.0) return 33;
        if (longitude > 27.0 && longitude < 42.0 && latitude < 48.0) return 37;
        return 52;
      }
      return Lookup(InternationalCountries(), country);
  }
  return 0;
}

}  // namespace

bool GeoBox::Holds(double latitude, double longitude) const {
  if (latitude < south || latitude > north) return false;
  if (west <= east) return longitude >= west && longitude <= east;
  return longitude >= west || longitude <= east;
}

const char* RegionName(int number) {
  auto it = Regions().find(number);
  return it == Regions().end() ? nullptr : it->second.name;
}

std::vector<int> RegionNumbers() {
  std::vector<int> numbers;
  for (const auto& [number, info] : Regions()) numbers.push_back(number);
  return numbers;
}

const std::vector<GeoBox>& RegionBounds(int number) {
  static const std::vector<GeoBox> none;
  auto it = Regions().find(number);
  return it == Regions().end() ? none : it->second.bounds;
}

int InternationalFamilyNumber(int region) {
  if (region >= 31 && region <= 43) return region - 30;
  return 0;
}

bool RegionTakesFamily(int number, Family family) {
  if (!RegionName(number)) return false;
  const bool international = (number >= 31 && number <= 43) || number == 52;
  const bool canadian = number == 2 || (number >= 44 && number <= 50);
  switch (family) {
    // Also the Canadian regions, for the French islands off Newfoundland.
    case Family::International: return international || canadian;
    case Family::Chs: return canadian;
    case Family::Noaa: return !international;
  }
  return false;
}

bool IsUnitedStatesArea(const std::string& country) {
  static const std::set<std::string> codes = {"US", "PR", "VI", "GU", "AS", "MP", "UM"};
  return codes.count(country) > 0;
}

std::vector<int> RegionsHolding(Family family, double latitude, double longitude) {
  std::vector<int> holding;
  for (const auto& [number, info] : Regions()) {
    if (!RegionTakesFamily(number, family)) continue;
    for (const GeoBox& box : info.bounds) {
      if (box.Holds(latitude, longitude)) {
        holding.push_back(number);
        break;
      }
    }
  }
  return holding;
}

int RegionByPlace(Family family, const std::string& country, const std::string& regionCode, double latitude,
                  double longitude) {
  const int table = TableRegion(family, country, regionCode, latitude, longitude);
  const std::vector<int> holding = RegionsHolding(family, latitude, longitude);
  for (int region : holding) {
    if (region == table) return table;
  }
  return holding.size() == 1 ? holding[0] : 0;
}

}  // namespace qw::data
