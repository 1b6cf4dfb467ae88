#include "app/command_customizing.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/frame_icons.h"

namespace qw {
namespace {

constexpr const char* kShortcutsSection = "Shortcuts";
constexpr const char* kToolbarSection = "Toolbar";
constexpr const char* kToolbarKey = "Buttons";
constexpr const char* kSeparatorName = "-";
constexpr int kSeparatorItem = -1;

std::string Letters(const char* text) {
  std::string out;
  for (const char* c = text; *c; ++c) {
    if ((*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9')) out += *c;
  }
  return out;
}

// False when Qt could read only part of the text: a key it does not know.
bool Readable(const QKeySequence& keys) {
  for (int i = 0; i < keys.count(); ++i) {
    if (keys[i].key() == Qt::Key_unknown) return false;
  }
  return true;
}

}  // namespace

std::string CommandKey(Command command) {
  const CommandSpec& spec = SpecOf(command);
  return Letters(MenuTitle(spec.menu)) + "." + Letters(spec.text);
}

std::optional<Command> CommandOfKey(std::string_view key) {
  for (const CommandSpec& spec : CommandTable()) {
    if (CommandKey(spec.command) == key) return spec.command;
  }
  return std::nullopt;
}

QString CommandCaption(Command command) {
  QString text = QString(SpecOf(command).text).remove('&');
  while (text.endsWith('.')) text.chop(1);
  return text;
}

ShortcutMap DefaultShortcuts() {
  ShortcutMap shortcuts;
  for (const CommandSpec& spec : CommandTable()) {
    shortcuts[spec.command] = spec.shortcut ? QKeySequence(spec.shortcut) : QKeySequence();
  }
  return shortcuts;
}

ShortcutMap LoadShortcuts(const ProfileFile& file) {
  ShortcutMap shortcuts = DefaultShortcuts();
  for (const std::string& key : file.Keys(kShortcutsSection)) {
    const std::optional<Command> command = CommandOfKey(key);
    if (!command) continue;
    const QString text = QString::fromStdString(file.ReadString(kShortcutsSection, key, "", 256));
    const QKeySequence keys = QKeySequence::fromString(text, QKeySequence::PortableText);
    // A sequence Qt cannot read is passed over rather than taking the shortcut away.
    if (!text.trimmed().isEmpty() && (keys.isEmpty() || !Readable(keys))) continue;
    shortcuts[*command] = keys;
  }
  // A key stored twice (the file edited by hand) stays with the first command only.
  for (auto& [command, keys] : shortcuts) {
    if (!keys.isEmpty() && ShortcutOwner(shortcuts, keys, command).value_or(command) < command) keys = QKeySequence();
  }
  return shortcuts;
}

void StoreShortcuts(ProfileFile& file, const ShortcutMap& shortcuts) {
  const ShortcutMap defaults = DefaultShortcuts();
  std::vector<std::pair<std::string, std::string>> changed;
  for (const auto& [command, keys] : shortcuts) {
    if (defaults.at(command) == keys) continue;
    changed.emplace_back(CommandKey(command), keys.toString(QKeySequence::PortableText).toStdString());
  }
  file.ReplaceSection(kShortcutsSection, changed);
}

std::optional<Command> ShortcutOwner(const ShortcutMap& shortcuts, const QKeySequence& keys, Command command) {
  if (keys.isEmpty()) return std::nullopt;
  for (const auto& [other, otherKeys] : shortcuts) {
    if (other != command && otherKeys == keys) return other;
  }
  return std::nullopt;
}

ToolbarLayout DefaultToolbar() {
  return {Command::NewTideWindow, Command::NewCurrentWindow, std::nullopt,  Command::PrintReport,
          Command::QuickPrint,    std::nullopt,              Command::PreviousMonth, Command::PreviousDay,
          Command::NextDay,       Command::NextMonth,        Command::SetDate,       std::nullopt,
          Command::InfoWindows,   Command::WeeklyView,       Command::Table,         std::nullopt,
          Command::ViewOnChart,   Command::RealTimeWindow};
}

ToolbarLayout LoadToolbar(const ProfileFile& file) {
  if (!file.HasKey(kToolbarSection, kToolbarKey)) return DefaultToolbar();
  const QStringList names =
      QString::fromStdString(file.ReadString(kToolbarSection, kToolbarKey, "", 4096)).split(',', Qt::SkipEmptyParts);
  ToolbarLayout layout;
  for (const QString& raw : names) {
    const std::string name = raw.trimmed().toStdString();
    if (name == kSeparatorName) {
      // No separator at the start or two in a row.
      if (!layout.empty() && layout.back().has_value()) layout.push_back(std::nullopt);
    } else if (const std::optional<Command> command = CommandOfKey(name)) {
      if (std::find(layout.begin(), layout.end(), command) == layout.end()) layout.push_back(command);
    }
  }
  while (!layout.empty() && !layout.back()) layout.pop_back();
  return layout;
}

void StoreToolbar(ProfileFile& file, const ToolbarLayout& layout) {
  std::string text;
  for (const std::optional<Command>& entry : layout) {
    if (!text.empty()) text += ',';
    text += entry ? CommandKey(*entry) : std::string(kSeparatorName);
  }
  file.WriteString(kToolbarSection, kToolbarKey, text);
}

std::vector<Command> ToolbarCommands() {
  std::vector<Command> commands;
  for (const CommandSpec& spec : CommandTable()) commands.push_back(spec.command);
  return commands;
}

// --- Shortcuts dialog ---

ShortcutsDialog::ShortcutsDialog(ShortcutMap shortcuts, QWidget* parent)
    : QDialog(parent), shortcuts_(std::move(shortcuts)), tree_(new QTreeWidget), edit_(new QKeySequenceEdit) {
  setWindowTitle("Customize Shortcuts");
  tree_->setColumnCount(2);
  tree_->setHeaderLabels({"Command", "Shortcut"});
  tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  tree_->setRootIsDecorated(true);
  auto* assign = new QPushButton("&Assign");
  auto* remove = new QPushButton("&Remove");
  auto* defaults = new QPushButton("De&faults");
  auto* keysLabel = new QLabel("Press the new &shortcut:");
  keysLabel->setBuddy(edit_);
  auto* keys = new QHBoxLayout;
  keys->addWidget(keysLabel);
  keys->addWidget(edit_, 1);
  keys->addWidget(assign);
  keys->addWidget(remove);
  keys->addWidget(defaults);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tree_, 1);
  layout->addLayout(keys);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(assign, &QPushButton::clicked, this, [this] {
    if (const std::optional<Command> command = Selected()) Assign(*command, edit_->keySequence());
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    if (const std::optional<Command> command = Selected()) Assign(*command, QKeySequence());
  });
  connect(defaults, &QPushButton::clicked, this, [this] {
    shortcuts_ = DefaultShortcuts();
    Fill();
  });
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this] {
    const std::optional<Command> command = Selected();
    edit_->setKeySequence(command ? shortcuts_[*command] : QKeySequence());
  });
  Fill();
  resize(520, 560);
}

void ShortcutsDialog::Fill() {
  const std::optional<Command> selected = Selected();
  tree_->clear();
  std::map<Menu, QTreeWidgetItem*> menus;
  for (const CommandSpec& spec : CommandTable()) {
    QTreeWidgetItem*& menu = menus[spec.menu];
    if (!menu) {
      menu = new QTreeWidgetItem(tree_, {QString(MenuTitle(spec.menu)).remove('&')});
      menu->setFlags(Qt::ItemIsEnabled);
      menu->setExpanded(true);
    }
    auto* item = new QTreeWidgetItem(menu, {CommandCaption(spec.command),
                                            shortcuts_[spec.command].toString(QKeySequence::NativeText)});
    item->setData(0, Qt::UserRole, static_cast<int>(spec.command));
    if (selected == spec.command) tree_->setCurrentItem(item);
  }
}

std::optional<Command> ShortcutsDialog::Selected() const {
  const QTreeWidgetItem* item = tree_->currentItem();
  if (!item || !item->data(0, Qt::UserRole).isValid()) return std::nullopt;
  return static_cast<Command>(item->data(0, Qt::UserRole).toInt());
}

bool ShortcutsDialog::Assign(Command command, const QKeySequence& keys) {
  if (const std::optional<Command> owner = ShortcutOwner(shortcuts_, keys, command)) {
    QMessageBox::information(this, "Customize Shortcuts",
                             QString("The shortcut %1 is already used by \"%2\". Remove it there first.")
                                 .arg(keys.toString(QKeySequence::NativeText), CommandCaption(*owner)));
    return false;
  }
  shortcuts_[command] = keys;
  Fill();
  return true;
}

// --- Toolbar dialog ---

namespace {

QListWidgetItem* SeparatorItem() {
  auto* line = new QListWidgetItem("---- separator ----");
  line->setData(Qt::UserRole, kSeparatorItem);
  return line;
}

QListWidgetItem* CommandItem(Command command) {
  auto* entry = new QListWidgetItem(CommandIcon(command), CommandCaption(command));
  entry->setData(Qt::UserRole, static_cast<int>(command));
  return entry;
}

}  // namespace

ToolbarDialog::ToolbarDialog(ToolbarLayout layout, QWidget* parent)
    : QDialog(parent), available_(new QListWidget), buttons_(new QListWidget) {
  setWindowTitle("Customize Toolbar");
  auto* availableLabel = new QLabel("A&vailable buttons:");
  availableLabel->setBuddy(available_);
  auto* buttonsLabel = new QLabel("&Toolbar buttons:");
  buttonsLabel->setBuddy(buttons_);
  auto* add = new QPushButton("&Add ->");
  auto* remove = new QPushButton("<- &Remove");
  auto* separator = new QPushButton("&Separator");
  auto* up = new QPushButton("Move &Up");
  auto* down = new QPushButton("Move &Down");
  auto* defaults = new QPushButton("De&faults");
  auto* middle = new QVBoxLayout;
  middle->addStretch();
  for (QPushButton* button : {add, remove, separator, up, down, defaults}) {
    button->setAutoDefault(false);
    middle->addWidget(button);
  }
  middle->addStretch();
  auto* grid = new QGridLayout;
  grid->addWidget(availableLabel, 0, 0);
  grid->addWidget(buttonsLabel, 0, 2);
  grid->addWidget(available_, 1, 0);
  grid->addLayout(middle, 1, 1);
  grid->addWidget(buttons_, 1, 2);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  auto* main = new QVBoxLayout(this);
  main->addLayout(grid, 1);
  main->addWidget(box);
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(add, &QPushButton::clicked, this, &ToolbarDialog::Add);
  connect(available_, &QListWidget::itemDoubleClicked, this, &ToolbarDialog::Add);
  connect(remove, &QPushButton::clicked, this, &ToolbarDialog::Remove);
  connect(buttons_, &QListWidget::itemDoubleClicked, this, &ToolbarDialog::Remove);
  connect(separator, &QPushButton::clicked, this, &ToolbarDialog::AddSeparator);
  connect(up, &QPushButton::clicked, this, [this] { Move(-1); });
  connect(down, &QPushButton::clicked, this, [this] { Move(1); });
  connect(defaults, &QPushButton::clicked, this, [this] { Fill(DefaultToolbar()); });
  Fill(layout);
  resize(560, 460);
}

void ToolbarDialog::Fill(const ToolbarLayout& layout) {
  available_->clear();
  buttons_->clear();
  for (const std::optional<Command>& entry : layout) buttons_->addItem(entry ? CommandItem(*entry) : SeparatorItem());
  for (Command command : ToolbarCommands()) {
    if (std::find(layout.begin(), layout.end(), command) == layout.end()) available_->addItem(CommandItem(command));
  }
}

ToolbarLayout ToolbarDialog::layout() const {
  ToolbarLayout out;
  for (int row = 0; row < buttons_->count(); ++row) {
    const int value = buttons_->item(row)->data(Qt::UserRole).toInt();
    if (value == kSeparatorItem) {
      if (!out.empty() && out.back()) out.push_back(std::nullopt);
    } else {
      out.push_back(static_cast<Command>(value));
    }
  }
  while (!out.empty() && !out.back()) out.pop_back();
  return out;
}

void ToolbarDialog::Add() {
  const int row = available_->currentRow();
  if (row < 0) return;
  const int at = buttons_->currentRow() < 0 ? buttons_->count() : buttons_->currentRow() + 1;
  buttons_->insertItem(at, available_->takeItem(row));
  buttons_->setCurrentRow(at);
}

void ToolbarDialog::AddSeparator() {
  const int at = buttons_->currentRow() < 0 ? buttons_->count() : buttons_->currentRow() + 1;
  buttons_->insertItem(at, SeparatorItem());
  buttons_->setCurrentRow(at);
}

void ToolbarDialog::Remove() {
  const int row = buttons_->currentRow();
  if (row < 0) return;
  QListWidgetItem* item = buttons_->takeItem(row);
  if (item->data(Qt::UserRole).toInt() == kSeparatorItem) {
    delete item;
    return;
  }
  // Back among the available buttons, in menu order.
  const int value = item->data(Qt::UserRole).toInt();
  int at = 0;
  for (; at < available_->count(); ++at) {
    if (available_->item(at)->data(Qt::UserRole).toInt() > value) break;
  }
  available_->insertItem(at, item);
}

void ToolbarDialog::Move(int step) {
  const int row = buttons_->currentRow();
  const int target = row + step;
  if (row < 0 || target < 0 || target >= buttons_->count()) return;
  buttons_->insertItem(target, buttons_->takeItem(row));
  buttons_->setCurrentRow(target);
}

}  // namespace qw
