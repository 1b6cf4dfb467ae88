// Numbers of the calendar export's texts in the string table (engine/string_table.cpp).
#pragma once

namespace qw::text {

constexpr int kCalendarDialogTitle = 5270;
constexpr int kCalendarEvents = 5271;
constexpr int kCalendarTideEvents = 5272;
constexpr int kCalendarCurrentEvents = 5273;
constexpr int kCalendarSunEvents = 5274;
constexpr int kCalendarMoonEvents = 5275;
constexpr int kCalendarPhaseEvents = 5276;
constexpr int kCalendarNoEvents = 5277;
constexpr int kCalendarErrorCaption = 5278;
constexpr int kWritingCalendar = 5279;
constexpr int kCalendarFileFilter = 5280;
constexpr int kCannotWriteCalendar = 5281;
constexpr int kCalendarNeedsSky = 5282;
constexpr int kCalendarStatusTitle = 5283;
constexpr int kCalendarFileCaption = 5284;
constexpr int kCalendarNoFileName = 5285;
constexpr int kCalendarNeedsWindow = 5286;

}  // namespace qw::text
