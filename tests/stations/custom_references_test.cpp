// Custom locations across editions of the installed data: a location remembers the key and
// name of the reference station it was made from, and when a new edition gives that
// station another number the location is re-linked to it, the old file kept; a reference
// that cannot be told apart is only reported. The editions are written with the project's
// own writers (harmonic records, region file, side catalogue) and read through the
// installed lookups.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "stations/custom_locations.h"
#include "tests/stations/edition_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class CustomReferencesTest : public test::EngineTest {
 protected:
  void WriteEdition(const std::vector<test::EditionStation>& stations) {
    test::WriteEdition(dataDir_.path().string(), stations);
  }

  static std::vector<uint16_t> ReferenceNumbers(const CustomLocationList& list) {
    std::vector<uint16_t> numbers;
    for (int i = 0; i < list.count(); ++i) numbers.push_back(DecodeTideEntry(list.entry(i)).referenceId);
    return numbers;
  }
};

TEST_F(CustomReferencesTest, RenumberedReferenceIsRelinkedToTheStationItWasMadeFrom) {
  WriteEdition({{101, "SEATTLE", "9447130"}, {102, "TACOMA", "9446484"}});
  test::SaveCustomTides({{"Elliott Bay", 101}, {"Commencement Bay", 102}}, InstalledReferences());
  const std::string path = CustomFilePath(StationKind::Tide);
  const std::vector<uint8_t> before = FileBytes(path);

  // The next edition gives Seattle's number to Tacoma and Seattle a new one.
  WriteEdition({{205, "SEATTLE", "9447130"}, {101, "TACOMA", "9446484"}});
  CustomLocationList list(StationKind::Tide);
  list.Load(2);
  std::vector<ReferenceChange> changes = list.CheckReferences();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].location, "Elliott Bay");
  EXPECT_EQ(changes[0].savedName, "SEATTLE");
  EXPECT_EQ(changes[0].nowName, "TACOMA");
  EXPECT_EQ(changes[0].savedKey, "NOAA/9447130");
  EXPECT_EQ(changes[0].relinkTo, 205);
  EXPECT_EQ(changes[0].relinkName, "SEATTLE");
  EXPECT_EQ(changes[1].location, "Commencement Bay");
  EXPECT_EQ(changes[1].relinkTo, 101);

  std::string keptAs, error;
  ASSERT_TRUE(list.Relink(changes, &keptAs, &error)) << error;
  EXPECT_EQ(keptAs, path + ".before-relink");
  EXPECT_EQ(FileBytes(keptAs), before);
  EXPECT_EQ(ReferenceNumbers(list), (std::vector<uint16_t>{205, 101}));

  // Read back: the same locations under their IDs, now computed from their own stations,
  // and nothing more to report, also after an ordinary save.
  CustomLocationList again(StationKind::Tide);
  EXPECT_FALSE(again.Load(2).damaged);
  EXPECT_EQ(ReferenceNumbers(again), (std::vector<uint16_t>{205, 101}));
  EXPECT_EQ(again.Name(0), "Elliott Bay");
  EXPECT_EQ(EntryStationId(again.entry(0)), 1);
  EXPECT_TRUE(again.CheckReferences().empty());
  again.MoveUp(1);
  ASSERT_TRUE(again.Save(&error)) << error;
  EXPECT_TRUE(again.CheckReferences().empty());
  EXPECT_TRUE(reports_.empty()) << reports_.Describe();
}

// Files saved before keys were remembered hold the reference's name only: a name that
// one installed reference station has re-links; a name several have, or a key the new
// edition lacks, leaves the file as it is and is reported.
TEST_F(CustomReferencesTest, AmbiguousOrLostReferenceIsReportedAndNotChanged) {
  WriteEdition({{101, "FIRE ISLAND", "9455960"}, {102, "ANCHORAGE", "9455920"}, {103, "NIKISKI", "9455760"}});
  test::SaveCustomTides({{"Point Woronzof", 101}, {"Ship Creek", 102}, {"Salamatof", 103}}, InstalledReferences());
  // The first two as an earlier version of the program saved them: names only.
  {
    std::ifstream in(CustomIdentityPath());
    std::string text((std::istreambuf_iterator<char>(in)), {}), kept;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("1.Key=", 0) != 0 && line.rfind("2.Key=", 0) != 0) kept += line + "\n";
    }
    std::ofstream(CustomIdentityPath(), std::ios::trunc) << kept;
  }
  const std::string path = CustomFilePath(StationKind::Tide);
  const std::vector<uint8_t> before = FileBytes(path);

  // The new edition has two stations named FIRE ISLAND (measured at two places), gives
  // Anchorage a new number and drops Nikiski.
  WriteEdition({{101, "KNIK ARM", "9455990"},
                {110, "FIRE ISLAND", "9455961"},
                {111, "FIRE ISLAND", "9455962"},
                {120, "ANCHORAGE", "9455920"},
                {103, "HOMER", "9455500"}});
  CustomLocationList list(StationKind::Tide);
  list.Load(3);
  const std::vector<ReferenceChange> changes = list.CheckReferences();
  ASSERT_EQ(changes.size(), 3u);
  std::map<std::string, const ReferenceChange*> byName;
  for (const ReferenceChange& change : changes) byName[change.location] = &change;
  ASSERT_TRUE(byName.count("Point Woronzof") && byName.count("Ship Creek") && byName.count("Salamatof"));
  EXPECT_EQ(byName["Point Woronzof"]->candidates, 2);
  EXPECT_EQ(byName["Point Woronzof"]->relinkTo, 0);
  EXPECT_EQ(byName["Ship Creek"]->relinkTo, 120);  // found by its name alone
  EXPECT_EQ(byName["Salamatof"]->savedKey, "NOAA/9455760");
  EXPECT_EQ(byName["Salamatof"]->candidates, 0);
  EXPECT_EQ(byName["Salamatof"]->relinkTo, 0);  // its key is gone; HOMER's number is not it

  std::string keptAs, error;
  ASSERT_TRUE(list.Relink(changes, &keptAs, &error)) << error;
  EXPECT_EQ(FileBytes(keptAs), before);
  CustomLocationList again(StationKind::Tide);
  again.Load(3);
  std::map<std::string, uint16_t> numbers;
  for (int i = 0; i < again.count(); ++i) numbers[again.Name(i)] = DecodeTideEntry(again.entry(i)).referenceId;
  EXPECT_EQ(numbers["Point Woronzof"], 101);
  EXPECT_EQ(numbers["Ship Creek"], 120);
  EXPECT_EQ(numbers["Salamatof"], 103);
  // The two left alone are still reported; the re-linked one now carries its key.
  const std::vector<ReferenceChange> still = again.CheckReferences();
  ASSERT_EQ(still.size(), 2u);
  for (const ReferenceChange& change : still) EXPECT_NE(change.location, "Ship Creek");

  // A list with changes of its own is not re-linked behind the user's back.
  again.MoveUp(1);
  EXPECT_FALSE(again.Relink(again.CheckReferences(), &keptAs, &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace qw
