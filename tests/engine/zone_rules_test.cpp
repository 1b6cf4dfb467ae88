// The zones' periods and standard times, checked against the system's zdump: every
// transition from 1800 to 2101 of zones in both hemispheres, with half- and quarter-hour
// offsets, without daylight saving, with changed rules, and past the end of the listed
// transitions in 2037.
#include "engine/zone_rules.h"

#include <gtest/gtest.h>

#include "tests/support/zdump_zone.h"

namespace qw {
namespace {

constexpr const char* kZones[] = {
    "America/Los_Angeles", "America/New_York",  "Europe/Paris",      "Europe/Dublin",    "Pacific/Auckland",
    "Pacific/Chatham",     "America/St_Johns",  "Australia/Adelaide", "Australia/Lord_Howe", "Asia/Kolkata",
    "Asia/Tokyo",          "Pacific/Honolulu",  "America/Puerto_Rico", "America/Phoenix", "America/Nuuk",
    "Pacific/Apia",        "America/Santiago",  "Africa/Casablanca", "Asia/Jerusalem",   "Europe/London"};

int32_t Rounded(int32_t seconds) {
  const int32_t shifted = seconds + 30;
  return shifted >= 0 ? shifted / 60 : -((-shifted + 59) / 60);
}

TEST(ZoneRulesTest, PeriodsAreTheDatabasesTransitionsAsZdumpReadsThem) {
  test::ZdumpZone probe;
  if (!probe.Load("America/Los_Angeles")) GTEST_SKIP() << "zdump is not installed";
  for (const char* name : kZones) {
    const std::shared_ptr<const ZoneRules> zone = ZoneRules::Find(name);
    ASSERT_TRUE(zone) << name;
    test::ZdumpZone reference;
    ASSERT_TRUE(reference.Load(name)) << name;
    int checked = 0;
    for (const test::ZdumpTransition& t : reference.transitions()) {
      const ZonePeriod before = zone->PeriodAt(t.at - 1);
      const ZonePeriod after = zone->PeriodAt(t.at);
      // A change of abbreviation or flag alone may merge periods; the offsets may not.
      EXPECT_EQ(before.offsetMinutes, Rounded(t.offsetBefore)) << name << " before " << t.at;
      EXPECT_EQ(after.offsetMinutes, Rounded(t.offsetAfter)) << name << " at " << t.at;
      if (Rounded(t.offsetBefore) != Rounded(t.offsetAfter)) {
        EXPECT_EQ(before.end, t.at) << name;
        EXPECT_EQ(after.begin, t.at) << name;
        EXPECT_EQ(after.daylight, t.daylightAfter) << name << " at " << t.at;
      }
      ++checked;
    }
    EXPECT_GT(checked, 0) << name;
  }
}

TEST(ZoneRulesTest, DaylightSavingGoesOnAfterTheListedYears) {
  // The compiled files list transitions to 2037; the zones' rules carry on after it.
  const auto paris = ZoneRules::Find("Europe/Paris");
  const auto nuuk = ZoneRules::Find("America/Nuuk");  // changes at -1:00 local
  const auto auckland = ZoneRules::Find("Pacific/Auckland");
  const UnixSeconds july2080 = 3487881600;    // 2080-07-15 00:00 UTC
  const UnixSeconds january2080 = 3472156800;  // 2080-01-15
  EXPECT_EQ(paris->PeriodAt(july2080).offsetMinutes, 120);
  EXPECT_EQ(paris->PeriodAt(january2080).offsetMinutes, 60);
  EXPECT_EQ(nuuk->PeriodAt(july2080).offsetMinutes, -60);
  EXPECT_EQ(auckland->PeriodAt(january2080).offsetMinutes, 780);
  EXPECT_EQ(auckland->PeriodAt(july2080).abbreviation, "NZST");
}

TEST(ZoneRulesTest, StandardTimeIsTheWinterTimeOfTheRegimeInForce) {
  struct Case {
    const char* zone;
    UnixSeconds at;
    int32_t standard;
    const char* abbreviation;
  };
  const Case cases[] = {
      {"America/New_York", 1752580800, -300, "EST"},   // July 2025, in daylight saving
      {"America/New_York", 1736942400, -300, "EST"},   // January 2025
      {"Europe/Dublin", 1736942400, 0, "GMT"},         // winter: "negative" daylight saving in the database
      {"Europe/Dublin", 1752580800, 0, "GMT"},         // summer: Irish Standard Time is the daylight time
      {"Europe/London", -880000000, 0, "GMT"},         // 1942: British Summer Time all year, double in summer
      {"Pacific/Apia", 1322740800, -660, "-11"},       // December 2011, before the date line jump
      {"Pacific/Apia", 1325419200, 780, "+13"},        // January 2012, after it
      {"America/Caracas", 1262304000, -270, "-0430"},  // 2010: a half-hour standard time of its own
      {"Pacific/Chatham", 1736942400, 765, "+1245"},
  };
  for (const Case& c : cases) {
    const ZoneRules::Standard s = ZoneRules::Find(c.zone)->StandardAt(c.at);
    EXPECT_EQ(s.offsetMinutes, c.standard) << c.zone << " " << c.at;
    EXPECT_EQ(s.abbreviation, c.abbreviation) << c.zone << " " << c.at;
  }
}

TEST(ZoneRulesTest, OnlyZoneNamesReachTheDatabase) {
  for (const char* name : {"", "Nowhere/Atlantis", "../../etc/passwd", "/etc/localtime", "Europe//Paris",
                           "Europe/./Paris", "Europe/Paris/", "Europe/Paris\n"}) {
    EXPECT_FALSE(ZoneRules::Find(name)) << name;
  }
  EXPECT_TRUE(ZoneRules::Find("Etc/GMT+5"));
  EXPECT_EQ(ZoneRules::Find("Etc/GMT+5")->PeriodAt(0).offsetMinutes, -300);
  // Local mean time before standard time: Paris Mean Time, +0:09:21, to the minute.
  EXPECT_EQ(ZoneRules::Find("Europe/Paris")->PeriodAt(-2208988800).offsetMinutes, 9);  // 1900-01-01
}

}  // namespace
}  // namespace qw
