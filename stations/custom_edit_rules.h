// The checks and conversions of the two custom-location edit dialogs, apart from the
// widgets: the dialogs copy what is typed into these inputs, and store the record these
// functions return only when no check failed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/current_location.h"
#include "engine/tide_location.h"

namespace qw {

// A check that failed: the message box's caption and text.
struct EditProblem {
  std::string caption;
  std::string text;
};

// A position as typed: two (latitude) or three (longitude) digits of degrees, two of
// minutes, two of hundredths of a minute, and the hemisphere letter.
struct PositionInput {
  std::string degrees;
  std::string minutes;
  std::string hundredths;
  std::string hemisphere;
  bool operator==(const PositionInput&) const = default;
};

// The position fields of a station record: degrees, minutes and seconds.
struct PositionFields {
  char hemisphere = ' ';
  int16_t degrees = 0, minutes = 0, seconds = 0;
};

// The typed form of stored fields (seconds become hundredths of a minute).
PositionInput PositionInputOf(const PositionFields& fields, bool latitude);
// Checks a typed latitude or longitude in the documented order and converts it
// (hundredths of a minute become whole seconds). Lower-case letters are accepted.
std::optional<EditProblem> ParseLatitude(const PositionInput& input, PositionFields& out);
std::optional<EditProblem> ParseLongitude(const PositionInput& input, PositionFields& out);

// A time correction as typed: the plus/minus toggle, hours and minutes.
struct TimeInput {
  bool negative = false;
  std::string hours;
  std::string minutes;
};
TimeInput TimeInputOf(int16_t minutes);

// "2.50" of 250 hundredths; empty for a value that is not given.
std::string HundredthsText(int16_t hundredths);
std::string DirectionInputText(int16_t degrees);

// The four groups of a current location's corrections, in checking order.
enum class CurrentGroup { MinBeforeFlood, Flood, MinBeforeEbb, Ebb };
constexpr int kCurrentGroups = 4;
const char* CurrentGroupLabel(CurrentGroup group);  // "Min Before Flood", ...
bool GroupHasRatio(CurrentGroup group);              // Flood and Ebb

struct CurrentGroupInput {
  bool used = false;  // the group's use box
  TimeInput time;
  std::string direction;
  std::string velocity;  // knots
  std::string ratio;     // Flood and Ebb only
};

struct CurrentEditInput {
  std::string name;
  std::array<CurrentGroupInput, kCurrentGroups> groups;
  PositionInput latitude, longitude;
};

struct TideCorrectionInput {
  bool used = false;
  TimeInput time;     // time rows
  std::string value;  // height (feet) and ratio rows
};

struct TideEditInput {
  std::string name;
  TideCorrectionInput highTime, lowTime, highHeight, lowHeight, highRatio, lowRatio;
  PositionInput latitude, longitude;
};

// What the dialogs show of a record.
CurrentEditInput CurrentEditInputOf(const CurrentLocation& station);
TideEditInput TideEditInputOf(const TideLocation& station);

// The reference line: "Reference Station Not Defined" without a reference, the
// reference station's name for a subordinate record, else the record's own name.
std::string ReferenceLine(const CurrentLocation& station, const std::string& referenceName);
std::string ReferenceLine(const TideLocation& station, const std::string& referenceName);

// OK of the current dialog: the first failed check, or the edited copy of `station` in
// `out`. A position typed as it was shown keeps the record's own fields.
std::optional<EditProblem> CheckCurrentEdit(const CurrentEditInput& input, const CurrentLocation& station,
                                            CurrentLocation& out);

// OK of the tide dialog: a failed check (a name, a number that cannot be stored, a
// position), or the edited copy in `out` with the plausibility questions to ask, in order.
struct TideEditResult {
  std::optional<EditProblem> problem;
  std::vector<EditProblem> questions;  // Yes returns to the dialog; No goes on
};
TideEditResult CheckTideEdit(const TideEditInput& input, const TideLocation& station, TideLocation& out);

}  // namespace qw
