// The user's shortcuts and toolbar: their names in the settings file, what survives a
// hand-edited file, the dialogs' edits, and the main window built from them.
#include "app/command_customizing.h"

#include <QListWidget>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>
#include <gtest/gtest.h>
#include <set>

#include "app/main_frame.h"
#include "settings/settings_store.h"
#include "tests/app/app_test_support.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

TEST(CommandCustomizingTest, EveryCommandHasItsOwnName) {
  std::set<std::string> keys;
  for (Command command : ToolbarCommands()) {
    const std::string key = CommandKey(command);
    EXPECT_TRUE(keys.insert(key).second) << key;
    EXPECT_EQ(CommandOfKey(key), command) << key;
  }
  EXPECT_EQ(CommandKey(Command::NewTideWindow), "File.NewTideWindow");
  EXPECT_EQ(CommandOfKey("File.NoSuchCommand"), std::nullopt);
}

TEST(CommandCustomizingTest, ShortcutsKeepOnlyTheUsersChangesAndSurviveHandEditing) {
  test::QtApp();
  ProfileFile file;
  ShortcutMap shortcuts = DefaultShortcuts();
  shortcuts[Command::Glossary] = QKeySequence("Ctrl+Shift+G");
  shortcuts[Command::HelpContents] = QKeySequence();  // F1 taken away
  StoreShortcuts(file, shortcuts);
  EXPECT_EQ(file.Keys("Shortcuts"), (std::vector<std::string>{"Help.Contents", "Help.Glossary"}));
  EXPECT_EQ(LoadShortcuts(file), shortcuts);
  // F1 is free now, so another command may have it.
  EXPECT_EQ(ShortcutOwner(shortcuts, QKeySequence("F1"), Command::Glossary), std::nullopt);
  EXPECT_EQ(ShortcutOwner(shortcuts, QKeySequence("Ctrl+Shift+G"), Command::About), Command::Glossary);

  // Written by hand: one key twice, a sequence Qt cannot read, a command it does not know.
  ProfileFile edited;
  edited.LoadFromText("[Shortcuts]\nHelp.Glossary=F9\nHelp.About=F9\nHelp.UsingHelp=Ctrl+Nonsense+Q\nFile.Gone=F8\n");
  const ShortcutMap loaded = LoadShortcuts(edited);
  EXPECT_EQ(loaded.at(Command::Glossary), QKeySequence("F9"));
  EXPECT_TRUE(loaded.at(Command::About).isEmpty());
  EXPECT_EQ(loaded.at(Command::UsingHelp), DefaultShortcuts().at(Command::UsingHelp));
}

TEST(CommandCustomizingTest, ToolbarLayoutsRoundTripAndBadEntriesArePassedOver) {
  ProfileFile file;
  EXPECT_EQ(LoadToolbar(file), DefaultToolbar());
  const ToolbarLayout layout = {Command::NextDay, std::nullopt, Command::Glossary, Command::EventSearch};
  StoreToolbar(file, layout);
  EXPECT_EQ(file.ReadString("Toolbar", "Buttons", "", 256), "Time.NextDay,-,Help.Glossary,Search.EventSearch");
  EXPECT_EQ(LoadToolbar(file), layout);

  ProfileFile edited;
  edited.LoadFromText("[Toolbar]\nButtons=-,Time.NextDay,-,-,File.Gone,Time.NextDay,Help.Glossary,-\n");
  EXPECT_EQ(LoadToolbar(edited), (ToolbarLayout{Command::NextDay, std::nullopt, Command::Glossary}));
  // An empty list is an empty toolbar, not the default one.
  edited.LoadFromText("[Toolbar]\nButtons=\n");
  EXPECT_TRUE(LoadToolbar(edited).empty());
}

TEST(CommandCustomizingTest, DialogsEditTheListsTheyWereGiven) {
  test::QtApp();
  ToolbarDialog toolbar({Command::NextDay});
  ASSERT_EQ(toolbar.buttons()->count(), 1);
  const int available = toolbar.available()->count();
  EXPECT_EQ(available, static_cast<int>(ToolbarCommands().size()) - 1);
  toolbar.available()->setCurrentRow(0);  // the first command in the menus: New Tide Window
  for (QPushButton* button : toolbar.findChildren<QPushButton*>()) {
    if (button->text() == "&Add ->") button->click();
  }
  EXPECT_EQ(toolbar.layout(), (ToolbarLayout{Command::NextDay, Command::NewTideWindow}));
  EXPECT_EQ(toolbar.available()->count(), available - 1);

  ShortcutsDialog shortcuts(DefaultShortcuts());
  EXPECT_TRUE(shortcuts.Assign(Command::Glossary, QKeySequence("Ctrl+Shift+G")));
  EXPECT_EQ(shortcuts.shortcuts().at(Command::Glossary), QKeySequence("Ctrl+Shift+G"));
}

TEST(CommandCustomizingTest, TheMainWindowIsBuiltFromTheStoredChoices) {
  test::QtApp();
  test::TempDir dir;
  ProfileFile file(dir.File("velda.ini"));
  file.LoadFromText("[Misc]\nFirstRun=0\n[Shortcuts]\nTime.NextDay=Ctrl+Shift+N\n"
                    "[Toolbar]\nButtons=Time.NextDay,-,Help.Glossary\n");
  AppSettings settings = LoadSettings(file, 480);
  CatalogueDirectory catalogue;
  MainFrame frame(settings, file, catalogue, [](const LocationWindowSpec&) -> LocationWindow* { return nullptr; });
  EXPECT_EQ(frame.action(Command::NextDay)->shortcut(), QKeySequence("Ctrl+Shift+N"));
  EXPECT_EQ(frame.action(Command::PreviousDay)->shortcut(), DefaultShortcuts().at(Command::PreviousDay));
  const QToolBar* toolBar = frame.findChild<QToolBar*>("StandardToolBar");
  ASSERT_NE(toolBar, nullptr);
  const QList<QAction*> actions = toolBar->actions();
  ASSERT_EQ(actions.size(), 3);
  EXPECT_EQ(actions[0], frame.action(Command::NextDay));
  EXPECT_TRUE(actions[1]->isSeparator());
  // The glossary has no picture: its button shows the caption and runs the command.
  auto* caption = qobject_cast<QWidgetAction*>(actions[2]);
  ASSERT_NE(caption, nullptr);
  auto* button = qobject_cast<QToolButton*>(caption->defaultWidget());
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), "Glossary");
  EXPECT_EQ(button->defaultAction(), frame.action(Command::Glossary));
  EXPECT_TRUE(frame.action(Command::CustomizeToolbar)->isEnabled());
  EXPECT_TRUE(frame.action(Command::CustomizeShortcuts)->isEnabled());
}

}  // namespace
}  // namespace qw
