#include "tools/earth/vsop_source.h"

#include <gtest/gtest.h>

namespace qw::earth {
namespace {

TEST(VsopSourceTest, ReadsTheModuleLayout) {
  const char* text = R"(// header comment
const m = {
  L: {
    "0": [
      [1.75347045673, 0, 0],
      [0.03341656456, 4.66925680417, 6283.0758499914],
    ],
    "1": [[6283.31966747491, 0, 0]],
    "5": [[8.6e-10, 1.21579741687, 6283.0758499914]]
  },
  B: { "0": [[2.8e-6, 3.199, 84334.66]], "1": [] },
  R: { '0': [[1.00013988784, 0, 0]] },
  name: "earth",
  type: "D"
};
export default m;
)";
  EarthSeries s;
  ASSERT_EQ(ParseVsopModule(text, s), "");
  EXPECT_EQ(s.termCounts[0], 2);
  EXPECT_EQ(s.termCounts[1], 1);
  EXPECT_EQ(s.termCounts[5], 1);
  EXPECT_EQ(s.termCounts[6], 1);
  EXPECT_EQ(s.termCounts[7], 0);
  EXPECT_EQ(s.termCounts[12], 1);
  ASSERT_EQ(s.terms.size(), 6u);
  // In index order: L0, L0, L1, L5, B0, R0.
  EXPECT_DOUBLE_EQ(s.terms[1].c, 6283.0758499914);
  EXPECT_DOUBLE_EQ(s.terms[3].a, 8.6e-10);
  EXPECT_DOUBLE_EQ(s.terms[4].b, 3.199);
  EXPECT_DOUBLE_EQ(s.terms[5].a, 1.00013988784);
}

TEST(VsopSourceTest, RejectsDamagedModulesWithTheLine) {
  EarthSeries s;
  s.terms.push_back({9, 9, 9});
  const std::string missing = ParseVsopModule("const m = { L: { \"0\": [[1,0,0]] }, B: { \"0\": [] } };", s);
  EXPECT_NE(missing.find("R0 is missing"), std::string::npos) << missing;
  const std::string shortTerm = ParseVsopModule("const m = {\n L: { \"0\": [[1, 0]] } };", s);
  EXPECT_NE(shortTerm.find("line 2"), std::string::npos) << shortTerm;
  EXPECT_NE(ParseVsopModule("const m = { L: { \"0\": [[1, 0, abc]] } };", s), "");
  EXPECT_NE(ParseVsopModule("const m = { L: { \"6\": [] } };", s), "");
  EXPECT_NE(ParseVsopModule("const m = { L: { \"0\": [[1, 0, 0]]", s), "");
  EXPECT_NE(ParseVsopModule("", s), "");
  EXPECT_NE(ParseVsopModule("const m = { L: { \"0\": [[1e999, 0, 0]] } };", s), "");
  // Nothing is replaced on failure.
  ASSERT_EQ(s.terms.size(), 1u);
  EXPECT_EQ(s.terms[0].a, 9);
}

}  // namespace
}  // namespace qw::earth
