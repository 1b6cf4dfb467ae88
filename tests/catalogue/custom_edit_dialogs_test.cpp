#include "catalogue/custom_edit_dialogs.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "stations/custom_edit_rules.h"
#include "tests/app/app_test_support.h"

namespace qw {
namespace {

// A digit place skipped while typing stays a blank place of its part (and is refused),
// rather than being dropped so that the digits after it slide into its place.
TEST(PositionFieldTest, ABlankDigitPlaceIsReadWhereItIs) {
  test::QtApp();
  PositionField field(true);
  QLineEdit* edit = field.edit();
  edit->setFocus();
  edit->home(false);
  QTest::keyClicks(edit, "4");
  QTest::keyClick(edit, Qt::Key_Right);  // the second degree digit left blank
  QTest::keyClicks(edit, "3000N");
  const PositionInput typed = field.Get();
  EXPECT_EQ(typed.minutes, "30");
  EXPECT_EQ(typed.hundredths, "00");
  EXPECT_EQ(typed.hemisphere, "N");
  PositionFields out;
  const std::optional<EditProblem> problem = ParseLatitude(typed, out);
  ASSERT_TRUE(problem.has_value()) << "read as " << out.degrees << " degrees " << out.minutes << " minutes";
  EXPECT_NE(problem->text.find("degrees"), std::string::npos) << problem->text;
}

}  // namespace
}  // namespace qw
