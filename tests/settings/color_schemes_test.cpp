#include "settings/color_schemes.h"

#include <gtest/gtest.h>

#include "settings/settings_store.h"

namespace qw {
namespace {

class ColorSchemesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_.LoadFromText("[Misc]\nFirstRun=0\n");
    settings_ = LoadSettings(file_, 480);
  }
  ColorScheme Named(const std::string& name, ColorRef day) {
    ColorScheme scheme;
    scheme.name = name;
    scheme.dayLight = day;
    return scheme;
  }
  ProfileFile file_;
  AppSettings settings_;
};

TEST_F(ColorSchemesTest, SaveAsAppendsOrOverwritesByName) {
  int number = 0;
  EXPECT_EQ(SaveColorSchemeAs(file_, settings_, Named("Dusk", 1), &number), SchemeEditResult::Saved);
  EXPECT_EQ(number, 2);
  EXPECT_EQ(SaveColorSchemeAs(file_, settings_, Named("  DUSK ", 2), &number), SchemeEditResult::Saved);
  EXPECT_EQ(number, 2);
  EXPECT_EQ(settings_.numColorSchemes, 2);
  EXPECT_EQ(file_.ReadInt("Options", "NumColorSchemes", 0), 2);
  EXPECT_EQ(ReadColorScheme(file_, 2).dayLight, 2u);
  EXPECT_EQ(ReadColorScheme(file_, 2).name, "DUSK");

  EXPECT_EQ(SaveColorSchemeAs(file_, settings_, Named("   ", 3)), SchemeEditResult::BlankName);
  EXPECT_EQ(settings_.numColorSchemes, 2);
  const std::string longName(60, 'x');
  SaveColorSchemeAs(file_, settings_, Named(longName, 4), &number);
  EXPECT_EQ(ReadColorScheme(file_, number).name.size(), 40u);
}

TEST_F(ColorSchemesTest, DeleteMovesLaterSchemesDown) {
  SaveColorSchemeAs(file_, settings_, Named("Two", 2));
  SaveColorSchemeAs(file_, settings_, Named("Three", 3));
  SaveColorSchemeAs(file_, settings_, Named("Four", 4));
  ASSERT_EQ(settings_.numColorSchemes, 4);
  settings_.selectedSchemeIndex = 4;

  EXPECT_EQ(DeleteColorScheme(file_, settings_, 2), SchemeEditResult::Deleted);
  EXPECT_EQ(settings_.numColorSchemes, 3);
  EXPECT_EQ(settings_.selectedSchemeIndex, 0);
  EXPECT_EQ(ColorSchemeNames(file_, settings_),
            (std::vector<std::string>{"Quaywise Default", "Three", "Four"}));
  EXPECT_EQ(ReadColorScheme(file_, 2).dayLight, 3u);
  EXPECT_EQ(ReadColorScheme(file_, 3).dayLight, 4u);
  EXPECT_FALSE(file_.HasSection("Color Scheme 4"));

  // The next load selects scheme 1.
  AppSettings reloaded = LoadSettings(file_, 480);
  EXPECT_EQ(reloaded.selectedSchemeIndex, 1);
  EXPECT_EQ(reloaded.colors.name, "Quaywise Default");
}

TEST_F(ColorSchemesTest, TheLastSchemeCannotBeDeleted) {
  EXPECT_EQ(DeleteColorScheme(file_, settings_, 1), SchemeEditResult::LastScheme);
  EXPECT_EQ(DeleteColorScheme(file_, settings_, 5), SchemeEditResult::NoSuchScheme);
  EXPECT_TRUE(file_.HasSection("Color Scheme 1"));
}

}  // namespace
}  // namespace qw
