#include "tools/data/station_names.h"

#include <gtest/gtest.h>

namespace qw::data {
namespace {

NamingFacts Facts(std::string name, std::string context, std::string sourceId, std::string bin = "") {
  return {std::move(name), std::move(context), "NOAA", "", std::move(bin), std::move(sourceId)};
}

// The San Francisco Bay case of the issue: three "Golden Gate Bridge" current stations
// told apart by the source's own context, a fourth name left as it is.
TEST(StationNames, ContextTellsTheStationsOfOneNameApart) {
  const std::vector<std::string> names = DistinctNames({
      Facts("Golden Gate Bridge", "0.88 Nm NE of", "SFB1202"),
      Facts("Golden Gate Bridge", "0.46 Nm E of", "SFB1203"),
      Facts("Golden Gate Bridge", "0.8 Mile East of", "PCT0281"),
      Facts("Alcatraz Island", "South of", "SFB1201"),
  });
  EXPECT_EQ(names, (std::vector<std::string>{"Golden Gate Bridge, 0.88 Nm NE of", "Golden Gate Bridge, 0.46 Nm E of",
                                             "Golden Gate Bridge, 0.8 Mile East of", "Alcatraz Island"}));
}

// Where the context does not tell them apart: the meter bin, then the source id, which is
// unique; names differing only in case count as the same.
TEST(StationNames, BinThenSourceIdWhenTheContextIsTheSame) {
  const std::vector<std::string> names = DistinctNames({
      Facts("Bath Iron Works", "Kennebec River", "CAB1420"),
      Facts("Bath Iron Works", "Kennebec River", "CAB1420@8", "8"),
      Facts("Entrance", "Darien, GA", "ACT7446"),
      Facts("ENTRANCE", "Darien, GA", "ACT7466"),
  });
  EXPECT_EQ(names, (std::vector<std::string>{"Bath Iron Works", "Bath Iron Works, bin 8", "Entrance (ACT7446)",
                                             "ENTRANCE (ACT7466)"}));
}

// Within the record's 50 bytes, the base name gives way, never what tells the names apart;
// a long context gives way to the qualifier after it.
TEST(StationNames, LongNamesKeepWhatTellsThemApart) {
  const std::string longName = "Chesapeake and Delaware Canal near Chesapeake City Bridge";
  const std::vector<std::string> names = DistinctNames({
      Facts(longName, "", "db0301", "2"),
      Facts(longName, "", "db0301@5", "5"),
      Facts("St. Johns River Ent. (Between Jetties)", "A very long description of where the meter lay", "SJR9801"),
      Facts("St. Johns River Ent. (Between Jetties)", "A very long description of where the meter lay", "SJR9801@8", "8"),
  });
  EXPECT_EQ(names[0], "Chesapeake and Delaware Canal near Chesapea, bin 2");
  EXPECT_EQ(names[1], "Chesapeake and Delaware Canal near Chesapea, bin 5");
  EXPECT_EQ(names[3].substr(names[3].size() - 7), ", bin 8");
  for (const std::string& name : names) EXPECT_LE(name.size(), kStationNameBytes) << name;
  EXPECT_NE(names[2], names[3]);
  EXPECT_EQ(WithPart("Troms\xC3\xB8 havn", "", " (X)", 10), "Troms (X)");  // not half of the o-slash
}

}  // namespace
}  // namespace qw::data
