// The main window's commands: menu bar and toolbar entries, their shortcuts and their
// status-bar prompts and tooltips ("prompt\ntooltip").
#pragma once

#include <span>

namespace qw {

enum class Command {
  // File
  NewTideWindow, NewCurrentWindow, ChangeLocation, Groups, PrintReport, PrintPreview,
  SaveAsBitmap, QuickPrint, PrintSetup, ExportData, ExportCalendar, Exit,
  // Search
  NearestSearch, EventSearch,
  // View
  StatusBar, ToolBar, CustomizeToolbar, CustomizeShortcuts, InfoWindows, WeeklyView, Table,
  Notes, ViewOnChart,
  // Time
  PreviousMonth, PreviousDay, NextDay, NextMonth, SetDate, IntlDaylightSavings,
  // Options
  Configure, CustomTideLocations, CustomCurrentLocations, RealTimeWindow,
  // Window
  NewWindow, CloseAll, Cascade, TileHorizontally, TileVertically, ArrangeIcons,
  // Help
  HelpContents, HelpOnWindow, Glossary, UsingHelp, ProductSupport, InstalledRegions,
  TipOfTheDay, About,
};

enum class Menu { File, Search, View, Time, Options, Window, Help };

struct CommandSpec {
  Command command;
  Menu menu;
  const char* text;      // menu text with its mnemonic
  const char* shortcut;  // QKeySequence text, or nullptr
  const char* prompt;    // "status-bar prompt\ntooltip", or nullptr
  bool checkable;
  bool separatorBefore;
};

// Every command in menu order.
std::span<const CommandSpec> CommandTable();
const CommandSpec& SpecOf(Command command);

// The menu titles in menu-bar order.
const char* MenuTitle(Menu menu);

}  // namespace qw
