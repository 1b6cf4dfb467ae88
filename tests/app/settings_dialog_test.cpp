#include "app/settings_dialog.h"

#include <gtest/gtest.h>

#include <clocale>

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>

#include "tests/app/app_test_support.h"

namespace qw {
namespace {

QCheckBox* CheckBoxNamed(QWidget* dialog, const QString& text) {
  for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
    if (box->text() == text) return box;
  }
  return nullptr;
}

// OK applies the dialog's own fields and keeps what changed elsewhere while it was open
// (the charting program opening a location, the real-time window switched on).
TEST(SettingsDialogTest, OkKeepsChangesMadeWhileTheDialogWasOpen) {
  test::QtApp();
  AppSettings settings;
  settings.grid = false;
  settings.firstRun = 0;
  ProfileFile file;
  bool ran = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    settings.realTimeEnabled = 1;
    settings.mru[0] = {"Opened by the chart", 2, 5, 1};
    QCheckBox* grid = CheckBoxNamed(dialog, "&Grid on the day graph");
    ASSERT_NE(grid, nullptr);
    grid->setChecked(true);
    QCheckBox* nowLine = CheckBoxNamed(dialog, "&Now line on today's graph");
    ASSERT_NE(nowLine, nullptr);
    EXPECT_TRUE(nowLine->isChecked());
    nowLine->setChecked(false);
    ran = true;
    dialog->accept();
  });
  EXPECT_TRUE(RunSettingsDialog(settings, file, nullptr));
  ASSERT_TRUE(ran);
  EXPECT_TRUE(settings.grid);
  EXPECT_FALSE(settings.nowLine);
  EXPECT_EQ(settings.realTimeEnabled, 1);
  EXPECT_EQ(settings.mru[0].location, "Opened by the chart");
}

// Under a comma-decimal locale the slack value is read as the box shows and validates it.
TEST(SettingsDialogTest, TheSlackValueIsReadInTheSystemLocale) {
  test::QtApp();
  const std::string saved = setlocale(LC_ALL, nullptr);
  if (!setlocale(LC_ALL, "nb_NO.UTF-8")) GTEST_SKIP() << "the nb_NO.UTF-8 locale is not installed (scripts/setup.sh)";
  QLocale::setDefault(QLocale(QLocale::NorwegianBokmal, QLocale::Norway));
  AppSettings settings;
  settings.useUserSlack = true;
  settings.userSlackKnots = 0.2;
  ProfileFile file;
  QString shown;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* slack = dialog->findChild<QLineEdit*>("slackValue");
    ASSERT_NE(slack, nullptr);
    shown = slack->text();
    slack->setText("0,35");
    dialog->accept();
  });
  EXPECT_TRUE(RunSettingsDialog(settings, file, nullptr));
  QLocale::setDefault(QLocale::c());
  setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(shown, "0,20");
  EXPECT_DOUBLE_EQ(settings.userSlackKnots, 0.35);
}

}  // namespace
}  // namespace qw
