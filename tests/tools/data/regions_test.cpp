#include "tools/data/regions.h"

#include <gtest/gtest.h>

namespace qw::data {
namespace {

// Countries go to their region when they lie in its bounds; countries on two seas by the
// sea; positions the tables do not place, to the one region of the family holding them.
TEST(Regions, PlacesByCountryThenBySea) {
  EXPECT_EQ(RegionByPlace(Family::International, "NO", "", 69.33, 16.13), 32);  // Andenes
  EXPECT_EQ(RegionByPlace(Family::International, "RU", "", 59.99, 29.77), 33);  // Kronstadt, Baltic
  EXPECT_EQ(RegionByPlace(Family::International, "RU", "", 64.38, -173.23), 52);  // Providenya, Bering Sea
  EXPECT_EQ(RegionByPlace(Family::International, "RU", "", 44.72, 37.79), 37);  // Novorossiysk, Black Sea
  EXPECT_EQ(RegionByPlace(Family::International, "EG", "", 31.26, 32.30), 37);  // Port Said
  EXPECT_EQ(RegionByPlace(Family::International, "EG", "", 29.93, 32.55), 38);  // Suez, Red Sea
  // A French station of the Indian Ocean (Reunion under the code FR) is not "France".
  EXPECT_EQ(RegionByPlace(Family::International, "FR", "", -20.93, 55.29), 38);
  // NOAA stations without a state: Johnston Atoll is no Hawaiian island.
  EXPECT_EQ(RegionByPlace(Family::Noaa, "US", "", 16.74, -169.53), 7);
  EXPECT_EQ(RegionByPlace(Family::Noaa, "US", "US-AK", 52.93, 173.22), 1);  // Attu, across 180
  // A state's code on a position far outside the state: no region decides alone.
  EXPECT_EQ(RegionByPlace(Family::Noaa, "US", "US-HI", 47.6, -122.3), 3);
  EXPECT_TRUE(RegionsHolding(Family::Noaa, -18.65, 6.02).empty());  // off Namibia: no NOAA region
  EXPECT_EQ(RegionByPlace(Family::International, "FR", "", 46.78, -56.17), 48);  // Saint-Pierre
  EXPECT_EQ(RegionByPlace(Family::International, "NL", "", 55.4, 3.81), 34);     // platform A12
  EXPECT_TRUE(RegionsHolding(Family::Noaa, 64.38, -173.23).empty());          // Chukotka: not Alaska's coast
}

TEST(Regions, FamiliesAndTheirIndexFamilies) {
  EXPECT_TRUE(RegionTakesFamily(2, Family::Chs));
  EXPECT_TRUE(RegionTakesFamily(2, Family::Noaa));
  EXPECT_TRUE(RegionTakesFamily(2, Family::International));  // as every Canadian region
  EXPECT_TRUE(RegionTakesFamily(52, Family::International));
  EXPECT_TRUE(RegionTakesFamily(48, Family::International));  // Saint-Pierre and Miquelon
  EXPECT_FALSE(RegionTakesFamily(51, Family::International));
  EXPECT_FALSE(RegionTakesFamily(9, Family::Noaa));  // no such region
  EXPECT_EQ(InternationalFamilyNumber(31), 1);
  EXPECT_EQ(InternationalFamilyNumber(43), 13);
  EXPECT_EQ(InternationalFamilyNumber(52), 0);  // shared by the others
  EXPECT_EQ(InternationalFamilyNumber(48), 0);
  for (int number : RegionNumbers()) {
    ASSERT_NE(RegionName(number), nullptr);
    EXPECT_LE(std::string(RegionName(number)).size(), 40u) << number;
    EXPECT_FALSE(RegionBounds(number).empty()) << number;
  }
}

}  // namespace
}  // namespace qw::data
