// The fields an export record can hold, the target list that orders them, and the
// repeat group between the two markers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qw {

// Field ids, as the settings store them.
enum ExportField : int {
  kFieldStartRepeat = 0,
  kFieldDate = 1,
  kFieldMonth = 2,
  kFieldDay = 3,
  kFieldYear = 4,
  kFieldDayOfWeek = 5,
  kFieldDayOfYear = 6,
  kFieldTime = 7,
  kFieldHours = 8,
  kFieldMinutes = 9,
  kFieldValue = 10,
  kFieldValueType = 11,
  kFieldDirection = 12,
  kFieldSunrise = 13,
  kFieldSunset = 14,
  kFieldMoonrise = 15,
  kFieldMoonset = 16,
  kFieldMoonQuarter = 17,
  kFieldMoonPhase = 18,
  kFieldEndRepeat = 19,
  kFieldUtcOffset = 20,  // "-07:00": the UTC offset in force at the row's instant
};
constexpr int kExportFieldCount = 21;
constexpr int kMaxRepeatCount = 48;
constexpr const char* kDefaultTargetFields = "1,0,7,10,19";

// "Date", "Start Repeat", ...; "" outside the catalogue.
const char* ExportFieldTitle(int id);
// The entry as the field lists show it: "[Start Repeat (4 times)]", "[Start Repeat (1
// time)]", "[End Repeat]", else the title.
std::string ExportFieldListText(int id, int repeatCount);

// The ids of a comma-separated target list, in order; entries that are not field ids
// are left out.
std::vector<int> ParseTargetFields(std::string_view text);
std::string FormatTargetFields(const std::vector<int>& ids);

// Checks of the markers, in the dialog's order.
enum class RepeatProblem { None, OnlyOneMarker, EndBeforeStart };
RepeatProblem CheckRepeatMarkers(const std::vector<int>& ids);

// The results window's columns: the list without the markers, with the block after the
// start marker copied again repeatCount - 1 more times at the end marker.
std::vector<int> ExpandedColumns(const std::vector<int>& ids, int repeatCount);

// True when any field of the list needs the day's sun or moon times.
bool NeedsSunOrMoon(const std::vector<int>& ids);

}  // namespace qw
