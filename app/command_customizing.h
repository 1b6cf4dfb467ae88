// The user's own keyboard shortcuts and toolbar buttons, kept in the settings file's
// [Shortcuts] and [Toolbar] sections, and the two dialogs that edit them.
//
// Commands are named in the file by their menu and caption ("File.NewTideWindow"), so a
// file stays valid when commands are added. A stored shortcut replaces the command's own
// (an empty value takes it away); the toolbar is a list of command names with "-" for a
// separator. Names the program does not know are passed over.
#pragma once

#include <QDialog>
#include <QKeySequence>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "settings/profile_file.h"
#include "shell/commands.h"

class QKeySequenceEdit;
class QListWidget;
class QTreeWidget;

namespace qw {

// "File.NewTideWindow": the menu's and the caption's letters and digits.
std::string CommandKey(Command command);
std::optional<Command> CommandOfKey(std::string_view key);

// The shortcut of every command: its own, or the user's.
using ShortcutMap = std::map<Command, QKeySequence>;
ShortcutMap DefaultShortcuts();
ShortcutMap LoadShortcuts(const ProfileFile& file);
// Keeps only the shortcuts that differ from the commands' own.
void StoreShortcuts(ProfileFile& file, const ShortcutMap& shortcuts);
// The command other than `command` that already has `keys`, if any.
std::optional<Command> ShortcutOwner(const ShortcutMap& shortcuts, const QKeySequence& keys, Command command);

// A toolbar entry: a command's button, or a separator (nullopt).
using ToolbarLayout = std::vector<std::optional<Command>>;
ToolbarLayout DefaultToolbar();
ToolbarLayout LoadToolbar(const ProfileFile& file);
void StoreToolbar(ProfileFile& file, const ToolbarLayout& layout);
// The commands a toolbar button may run (every command but the recently used list and
// the window list, which are not commands).
std::vector<Command> ToolbarCommands();

// The caption of a command without its mnemonic and dots: "New Tide Window".
QString CommandCaption(Command command);

class ShortcutsDialog : public QDialog {
  Q_OBJECT

 public:
  ShortcutsDialog(ShortcutMap shortcuts, QWidget* parent = nullptr);
  const ShortcutMap& shortcuts() const { return shortcuts_; }

  // Gives the selected command `keys`; false (after saying so) when another command has
  // them already.
  bool Assign(Command command, const QKeySequence& keys);

 private:
  void Fill();
  std::optional<Command> Selected() const;

  ShortcutMap shortcuts_;
  QTreeWidget* tree_;
  QKeySequenceEdit* edit_;
};

class ToolbarDialog : public QDialog {
  Q_OBJECT

 public:
  ToolbarDialog(ToolbarLayout layout, QWidget* parent = nullptr);
  ToolbarLayout layout() const;

  QListWidget* available() const { return available_; }
  QListWidget* buttons() const { return buttons_; }

 private:
  void Add();
  void AddSeparator();
  void Remove();
  void Move(int step);
  void Fill(const ToolbarLayout& layout);

  QListWidget* available_;
  QListWidget* buttons_;
};

}  // namespace qw
