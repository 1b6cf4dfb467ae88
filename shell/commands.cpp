#include "shell/commands.h"

namespace qw {
namespace {

using enum Command;
using enum Menu;

constexpr CommandSpec kCommands[] = {
    {NewTideWindow, File, "&New Tide Window", "Ctrl+N", "Open a new tide window\nNew Tide Window", false, false},
    {NewCurrentWindow, File, "New C&urrent Window", "Ctrl+W", "Open a new current window\nNew Current", false, false},
    {ChangeLocation, File, "C&hange Location...", nullptr, "Select a new region and location\nChange Location", false, false},
    {Groups, File, "&Groups...", nullptr, "Open or Create a Group of locations\nGroups", false, true},
    {PrintReport, File, "&Print Report...", "Ctrl+P", "Print a report\nPrint", false, true},
    {PrintPreview, File, "Print Pre&view", nullptr, nullptr, false, false},
    {SaveAsBitmap, File, "Save as &Bitmap...", nullptr, "Save the active window as a bitmap", false, false},
    {QuickPrint, File, "&Quick Print", nullptr, "Print the contents of the topmost window\nQuick Print", false, false},
    {PrintSetup, File, "P&rint Setup...", nullptr, nullptr, false, false},
    {ExportData, File, "&Export Data...", nullptr, "Export selected data\nExport Data", false, true},
    {ExportCalendar, File, "Export &Calendar...", nullptr, "Write the active station's tides, sun and moon as a calendar file\nExport Calendar", false, false},
    {Exit, File, "E&xit", nullptr, nullptr, false, true},

    {NearestSearch, Search, "&Nearest Location Search...", nullptr, "Search for closest tide and current stations\nNearest Station", false, false},
    {EventSearch, Search, "&Event Search...", nullptr, "Search for a given event\nEvent Search", false, false},

    {StatusBar, View, "&Status Bar", nullptr, nullptr, true, false},
    {ToolBar, View, "&ToolBars", nullptr, nullptr, true, false},
    {CustomizeToolbar, View, "Customize Tool&bar...", nullptr, nullptr, false, false},
    {CustomizeShortcuts, View, "Customize S&hortcuts...", nullptr, "Customize keyboard shortcuts.", false, false},
    {InfoWindows, View, "&Information Windows", nullptr, "Show or hide the Information Windows\nShow Info", true, true},
    {WeeklyView, View, "&Weekly View", nullptr, "Show or hide the Weekly window\nShow Weekly View", true, false},
    {Table, View, "T&able", nullptr, "Show or hide the minute table\nShow Table", true, false},
    {Notes, View, "&Notes...", nullptr, "View notes for this station\nView Notes", false, true},
    {ViewOnChart, View, "View on &chart", nullptr, "View this station in on a chart.\nView on chart", false, false},

    {PreviousMonth, Time, "Previous &Month", "Ctrl+PgUp", "Go back one month for the current window\nPrevious Month", false, false},
    {PreviousDay, Time, "&Previous Day", "PgUp", "Go to yesterday for the current window\nPrevious Day", false, false},
    {NextDay, Time, "&Next Day", "PgDown", "Go to tomorrow for the current window\nNext Day", false, false},
    {NextMonth, Time, "Next M&onth", "Ctrl+PgDown", "Go to the next month for the current window\nNext Month", false, false},
    {SetDate, Time, "&Set Date...", nullptr, "Use a calendar to set the date.\nSet Date", false, true},
    {IntlDaylightSavings, Time, "&International Daylight Savings...", nullptr, "Shift the time of stations without a known time zone", false, true},

    {Configure, Options, "&Configure...", nullptr, "Set program configuration options\nConfigure", false, false},
    {CustomTideLocations, Options, "Custom &Tide Locations...", nullptr, "Create or edit user defined tide locations\nCustom Tide", false, true},
    {CustomCurrentLocations, Options, "Custom C&urrent Locations...", nullptr, "Create or edit user defined current locations\nCustom Current", false, false},
    {RealTimeWindow, Options, "&Real Time Window", nullptr, "Opens a real time display\nReal Time Display", true, true},

    {NewWindow, Window, "&New Window", nullptr, nullptr, false, false},
    {CloseAll, Window, "C&lose All", nullptr, "Close all open Windows", false, false},
    {Cascade, Window, "&Cascade", nullptr, nullptr, false, true},
    {TileHorizontally, Window, "Tile &Horizontally", nullptr, nullptr, false, false},
    {TileVertically, Window, "&Tile Vertically", nullptr, nullptr, false, false},
    {ArrangeIcons, Window, "&Arrange Icons", nullptr, nullptr, false, false},

    {HelpContents, Help, "&Contents", "F1", nullptr, false, false},
    {HelpOnWindow, Help, "On &Active Window", "Shift+F1", "Displays help on the topmost window\nContext Help", false, false},
    {Glossary, Help, "&Glossary", nullptr, "Glossary of important terms", false, false},
    {UsingHelp, Help, "&Using Help", nullptr, nullptr, false, false},
    {ProductSupport, Help, "&Product Support", nullptr, nullptr, false, true},
    {InstalledRegions, Help, "Installed Data &Regions...", nullptr, nullptr, false, false},
    {TipOfTheDay, Help, "&Tip of the Day...", nullptr, "Displays a Tip of the Day\nTip", false, false},
    {About, Help, "&About Quaywise Pro...", nullptr, nullptr, false, true},
};

}  // namespace

std::span<const CommandSpec> CommandTable() { return kCommands; }

const CommandSpec& SpecOf(Command command) {
  for (const CommandSpec& spec : kCommands) {
    if (spec.command == command) return spec;
  }
  return kCommands[0];
}

const char* MenuTitle(Menu menu) {
  switch (menu) {
    case File: return "&File";
    case Search: return "&Search";
    case View: return "&View";
    case Time: return "&Time";
    case Options: return "&Options";
    case Window: return "&Window";
    case Help: return "&Help";
  }
  return "";
}

}  // namespace qw
