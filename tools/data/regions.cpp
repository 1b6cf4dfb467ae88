#include "tools/data/regions.h"

#include <map>
#include <set>

namespace qw::data {

namespace {

const std::map<int, const char*>& Names() {
  static const std::map<int, const char*> names = {
      {1, "Alaska"},
      {2, "British Columbia"},
      {3, "Washington"},
      {4, "Oregon"},
      {5, "California"},
      {6, "Hawaii"},
      {7, "Pacific and Indian Ocean Islands"},
      {8, "Mexico, Central and South America"},
      {11, "Maine"},
      {12, "New Hampshire"},
      {13, "Massachusetts"},
      {14, "Rhode Island"},
      {15, "Connecticut"},
      {16, "New York"},
      {17, "New Jersey"},
      {18, "Pennsylvania"},
      {19, "Delaware"},
      {20, "Maryland and Washington DC"},
      {21, "Virginia"},
      {22, "North Carolina"},
      {23, "South Carolina"},
      {24, "Georgia"},
      {25, "Florida"},
      {26, "Alabama"},
      {27, "Mississippi"},
      {28, "Louisiana"},
      {29, "Texas"},
      {30, "Puerto Rico and Virgin Islands"},
      {31, "United Kingdom and Ireland"},
      {32, "Norway, Iceland and Greenland"},
      {33, "Denmark, Sweden and the Baltic Sea"},
      {34, "Germany, Netherlands and Belgium"},
      {35, "France"},
      {36, "Spain and Portugal"},
      {37, "Mediterranean and Black Sea"},
      {38, "Africa, Arabia and the Indian Ocean"},
      {39, "Japan"},
      {40, "East and Southeast Asia"},
      {41, "Australia and Antarctica"},
      {42, "New Zealand and the Pacific Islands"},
      {43, "Latin America and the Caribbean"},
      {44, "Quebec"},
      {45, "New Brunswick"},
      {46, "Nova Scotia"},
      {47, "Prince Edward Island"},
      {48, "Newfoundland and Labrador"},
      {49, "Ontario"},
      {50, "Arctic Canada and Hudson Bay"},
      {51, "Bahamas, Bermuda and the Caribbean"},
  };
  return names;
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
             "BH", "KW", "SA", "IQ", "IR", "PK", "IN", "LK", "MV", "BD", "IO", "TF"});
    put(39, {"JP"});
    put(40, {"CN", "HK", "MO", "TW", "KR", "KP", "VN", "TH", "KH", "MY", "SG", "BN", "ID", "PH",
             "TL", "MM"});
    put(41, {"AU", "AQ", "CX", "CC", "NF", "HM"});
    put(42, {"NZ", "FJ", "PF", "PG", "SB", "VU", "WS", "TO", "KI", "MH", "FM", "NR", "NU", "PW",
             "TV", "CK", "NC", "WF", "TK", "PN"});
    put(43, {"MX", "BZ", "GT", "SV", "HN", "NI", "CR", "PA", "CO", "EC", "PE", "CL", "VE", "GY",
             "SR", "GF", "BR", "AR", "UY", "FK", "BS", "BM", "CU", "JM", "HT", "DO", "KY", "TC",
             "AG", "BL", "GP", "LC", "DM", "VC", "GD", "BB", "TT", "AI", "VG", "KN", "MS", "MQ",
             "AW", "CW", "BQ", "SX", "MF", "PM"});
    return m;
  }();
  return countries;
}

int Lookup(const std::map<std::string, int>& table, const std::string& key) {
  auto it = table.find(key);
  return it == table.end() ? 0 : it->second;
}

}  // namespace

const char* RegionName(int number) {
  auto it = Names().find(number);
  return it == Names().end() ? nullptr : it->second;
}

bool IsUnitedStatesArea(const std::string& country) {
  static const std::set<std::string> codes = {"US", "PR", "VI", "GU", "AS", "MP", "UM"};
  return codes.count(country) > 0;
}

int RegionByPlace(Family family, const std::string& country, const std::string& regionCode) {
  switch (family) {
    case Family::Noaa:
      if (country == "US") return Lookup(UsStates(), regionCode);
      if (country == "CA") return Lookup(CanadianProvinces(), regionCode);
      return Lookup(NoaaCountries(), country);
    case Family::Chs:
      return Lookup(CanadianProvinces(), regionCode);
    case Family::International:
      return Lookup(InternationalCountries(), country);
  }
  return 0;
}

}  // namespace qw::data
