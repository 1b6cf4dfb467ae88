#include "stations/custom_edit_rules.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/decimal_text.h"
#include "engine/string_table.h"
#include "stations/custom_location_file.h"
#include "stations/station_index.h"
#include "stations/user_files.h"

namespace qw {
namespace {

// Texts.
constexpr int kReferenceNotDefined = 4122;
constexpr int kCurrentDataError = 4123;
constexpr int kTimeInvalid = 4124;
constexpr int kDirectionInvalid = 4125;
constexpr int kDirectionRequired = 4126;
constexpr int kVelocityRequired = 4127;
constexpr int kVelocityInvalid = 4128;
constexpr int kRatioRequired = 4129;
constexpr int kRatioInvalid = 4130;
constexpr int kPossibleInvalid = 4131;
constexpr int kLargeTime = 4132;
constexpr int kLargeHeight = 4133;
constexpr int kLargeRatio = 4134;
constexpr int kTideDataError = 4135;
constexpr int kInvalidLatitudeCaption = 4140;
constexpr int kInvalidLongitudeCaption = 4141;
constexpr int kLatitudeDegrees = 4142;
constexpr int kLatitudeMinutes = 4143;
constexpr int kLatitudeTooBig = 4144;
constexpr int kLatitudeTooBigDetail = 4145;
constexpr int kDirectionLetterInvalid = 4146;
constexpr int kLatitudeLetters = 4147;
constexpr int kLongitudeDegrees = 4148;
constexpr int kLongitudeMinutes = 4149;
constexpr int kLongitudeTooBig = 4150;
constexpr int kLongitudeTooBigDetail = 4151;
constexpr int kLongitudeLetters = 4152;
constexpr int kLatitudeReminder = 4153;
constexpr int kLongitudeReminder = 4154;
constexpr int kExamples = 4155;
constexpr int kNumberInvalid = 4173;
constexpr int kNumberTooLarge = 4174;

constexpr int kMaxCurrentTimeMinutes = 780;  // 13 hours
constexpr int kMaxVelocityHundredths = 2000;
constexpr int kMaxSpeedRatioHundredths = 600;
constexpr int kLargeHeightHundredths = 1500;  // 15 feet
constexpr int kLargeRatioHundredths = 600;

// Digits only (a masked field may leave blanks, which count as nothing); empty is 0.
bool ParseDigits(const std::string& text, int& value) {
  value = 0;
  int digits = 0;
  for (char c : text) {
    if (c == ' ') continue;
    if (c < '0' || c > '9' || ++digits > 6) return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// A decimal number, all of the text ("2.5", "-0.75", ".5"; a comma works as the point).
bool ParseNumber(std::string text, double& value) {
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  return text.find_first_of("xXeEnN") == std::string::npos && ParseDecimal(text, value);
}

// value x 100 + 0.5, truncated. The typed text is decimal: 1.005 is meant as 100.5
// hundredths, which binary floating point holds as 100.4999..., so the product is first
// snapped to a millionth to keep the decimal rounding.
long TruncatedHundredths(double value) {
  const double hundredths = std::round(value * 100.0 * 1e6) / 1e6;
  return static_cast<long>(std::trunc(hundredths + 0.5));
}

bool Storable(long value) { return value > kNotGiven16 && value <= 32767; }

std::string PositionMessage(bool latitude, int first, int second) {
  std::string text = StringText(first);
  if (second) text += std::string("\n") + StringText(second);
  text += "\n\n";
  text += StringText(latitude ? kLatitudeReminder : kLongitudeReminder);
  text += "\n";
  text += StringText(kExamples);
  text += latitude ? "\n    47 36 25 N  (47\u00B0 36.25' N)\n    07 05 50 S  (7\u00B0 5.50' S)"
                   : "\n    122 20 42 W  (122\u00B0 20.42' W)\n    008 15 00 E  (8\u00B0 15.00' E)";
  return text;
}

std::optional<EditProblem> ParsePosition(const PositionInput& input, PositionFields& out, bool latitude) {
  const int caption = latitude ? kInvalidLatitudeCaption : kInvalidLongitudeCaption;
  const int maxDegrees = latitude ? 90 : 180;
  auto problem = [&](int first, int second) {
    return EditProblem{StringText(caption), PositionMessage(latitude, first, second)};
  };
  int degrees = 0, minutes = 0, hundredths = 0;
  if (!ParseDigits(input.degrees, degrees) || degrees > maxDegrees) {
    return problem(latitude ? kLatitudeDegrees : kLongitudeDegrees, 0);
  }
  if (!ParseDigits(input.minutes, minutes) || !ParseDigits(input.hundredths, hundredths) || minutes > 59 ||
      hundredths > 99) {
    return problem(latitude ? kLatitudeMinutes : kLongitudeMinutes, 0);
  }
  if (degrees * 6000 + minutes * 100 + hundredths > maxDegrees * 6000) {
    return latitude ? problem(kLatitudeTooBig, kLatitudeTooBigDetail) : problem(kLongitudeTooBig, kLongitudeTooBigDetail);
  }
  std::string letter = input.hemisphere;
  const size_t at = letter.find_first_not_of(' ');
  const char c = at == std::string::npos ? ' ' : static_cast<char>(letter[at] & ~0x20);
  const bool valid = letter.find_first_not_of(' ', at == std::string::npos ? 0 : at + 1) == std::string::npos &&
                     (latitude ? (c == 'N' || c == 'S') : (c == 'E' || c == 'W'));
  if (!valid) return problem(kDirectionLetterInvalid, latitude ? kLatitudeLetters : kLongitudeLetters);
  out.hemisphere = c;
  out.degrees = static_cast<int16_t>(degrees);
  out.minutes = static_cast<int16_t>(minutes);
  out.seconds = static_cast<int16_t>(std::lround(hundredths * 0.6));
  return std::nullopt;
}

// Minutes of a typed time; false when the text is not a number of hours and minutes.
bool TimeMinutes(const TimeInput& time, long& minutes) {
  int hours = 0, mins = 0;
  if (!ParseDigits(time.hours, hours) || !ParseDigits(time.minutes, mins)) return false;
  minutes = static_cast<long>(hours) * 60 + mins;
  if (time.negative) minutes = -minutes;
  return true;
}

struct CurrentFields {
  int16_t* time;
  int16_t* direction;
  int16_t* speed;
  int16_t* ratio;  // nullptr for the slack groups
};

CurrentFields FieldsOf(CurrentLocation& s, CurrentGroup group) {
  switch (group) {
    case CurrentGroup::MinBeforeFlood:
      return {&s.slackBeforeFloodTime, &s.slackBeforeFloodDirection, &s.slackBeforeFloodSpeed, nullptr};
    case CurrentGroup::Flood: return {&s.floodTime, &s.floodDirection, &s.floodSpeed, &s.floodSpeedRatio};
    case CurrentGroup::MinBeforeEbb:
      return {&s.slackBeforeEbbTime, &s.slackBeforeEbbDirection, &s.slackBeforeEbbSpeed, nullptr};
    case CurrentGroup::Ebb: return {&s.ebbTime, &s.ebbDirection, &s.ebbSpeed, &s.ebbSpeedRatio};
  }
  return {nullptr, nullptr, nullptr, nullptr};
}

PositionFields LatitudeOf(const CurrentLocation& s) { return {s.latHemisphere, s.latDegrees, s.latMinutes, s.latSeconds}; }
PositionFields LongitudeOf(const CurrentLocation& s) { return {s.lonHemisphere, s.lonDegrees, s.lonMinutes, s.lonSeconds}; }
PositionFields LatitudeOf(const TideLocation& s) { return {s.latHemisphere, s.latDegrees, s.latMinutes, s.latSeconds}; }
PositionFields LongitudeOf(const TideLocation& s) { return {s.lonHemisphere, s.lonDegrees, s.lonMinutes, s.lonSeconds}; }

// Checks the typed position and stores it; a position typed exactly as shown keeps the
// stored fields (seconds do not survive the trip through hundredths of a minute).
template <typename Record>
std::optional<EditProblem> StorePosition(const PositionInput& latitude, const PositionInput& longitude,
                                         const Record& original, Record& out) {
  PositionFields lat, lon;
  if (auto problem = ParseLatitude(latitude, lat)) return problem;
  if (auto problem = ParseLongitude(longitude, lon)) return problem;
  if (latitude == PositionInputOf(LatitudeOf(original), true)) lat = LatitudeOf(original);
  if (longitude == PositionInputOf(LongitudeOf(original), false)) lon = LongitudeOf(original);
  out.latHemisphere = lat.hemisphere;
  out.latDegrees = lat.degrees;
  out.latMinutes = lat.minutes;
  out.latSeconds = lat.seconds;
  out.lonHemisphere = lon.hemisphere;
  out.lonDegrees = lon.degrees;
  out.lonMinutes = lon.minutes;
  out.lonSeconds = lon.seconds;
  return std::nullopt;
}

template <typename Record>
void StoreName(const std::string& name, Record& out) {
  std::fill(std::begin(out.name), std::end(out.name), '\0');
  name.copy(out.name, std::min(name.size(), kCustomNameBytes));
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

PositionInput PositionInputOf(const PositionFields& fields, bool latitude) {
  char degrees[8], minutes[8], hundredths[24];
  std::snprintf(degrees, sizeof degrees, latitude ? "%02d" : "%03d", std::abs(fields.degrees) % 1000);
  std::snprintf(minutes, sizeof minutes, "%02d", std::abs(fields.minutes) % 100);
  const long h = std::min(99L, std::lround(std::abs(fields.seconds) / 0.6));
  std::snprintf(hundredths, sizeof hundredths, "%02ld", h);
  std::string letter(1, fields.hemisphere == ' ' ? (latitude ? 'N' : 'W') : fields.hemisphere);
  return {degrees, minutes, hundredths, letter};
}

std::optional<EditProblem> ParseLatitude(const PositionInput& input, PositionFields& out) {
  return ParsePosition(input, out, true);
}

std::optional<EditProblem> ParseLongitude(const PositionInput& input, PositionFields& out) {
  return ParsePosition(input, out, false);
}

TimeInput TimeInputOf(int16_t minutes) {
  TimeInput time;
  if (minutes == kNotGiven16) minutes = 0;
  time.negative = minutes < 0;
  const int m = std::abs(minutes);
  time.hours = std::to_string(m / 60);
  char text[8];
  std::snprintf(text, sizeof text, "%02d", m % 60);
  time.minutes = text;
  return time;
}

std::string HundredthsText(int16_t hundredths) {
  if (hundredths == kNotGiven16) return std::string();
  char text[16];
  std::snprintf(text, sizeof text, "%s%d.%02d", hundredths < 0 ? "-" : "", std::abs(hundredths) / 100,
                std::abs(hundredths) % 100);
  return text;
}

std::string DirectionInputText(int16_t degrees) { return degrees == kNotGiven16 ? std::string() : std::to_string(degrees); }

const char* CurrentGroupLabel(CurrentGroup group) {
  switch (group) {
    case CurrentGroup::MinBeforeFlood: return "Min Before Flood";
    case CurrentGroup::Flood: return "Flood";
    case CurrentGroup::MinBeforeEbb: return "Min Before Ebb";
    case CurrentGroup::Ebb: return "Ebb";
  }
  return "";
}

bool GroupHasRatio(CurrentGroup group) { return group == CurrentGroup::Flood || group == CurrentGroup::Ebb; }

CurrentEditInput CurrentEditInputOf(const CurrentLocation& station) {
  CurrentEditInput input;
  input.name = station.name;
  CurrentLocation copy = station;
  for (int g = 0; g < kCurrentGroups; ++g) {
    const CurrentGroup group = static_cast<CurrentGroup>(g);
    const CurrentFields fields = FieldsOf(copy, group);
    CurrentGroupInput& out = input.groups[static_cast<size_t>(g)];
    out.used = *fields.time != kNotGiven16;
    out.time = TimeInputOf(*fields.time);
    out.direction = DirectionInputText(*fields.direction);
    out.velocity = HundredthsText(*fields.speed);
    if (fields.ratio) out.ratio = HundredthsText(*fields.ratio);
  }
  input.latitude = PositionInputOf(LatitudeOf(station), true);
  input.longitude = PositionInputOf(LongitudeOf(station), false);
  return input;
}

TideEditInput TideEditInputOf(const TideLocation& s) {
  TideEditInput input;
  input.name = s.name;
  auto time = [](int16_t value) { return TideCorrectionInput{value != kNotGiven16, TimeInputOf(value), {}}; };
  auto height = [](int16_t value) {
    return TideCorrectionInput{value != kNotGiven16, {}, value == kNotGiven16 ? std::string("0.00") : HundredthsText(value)};
  };
  input.highTime = time(s.highTimeOffset);
  input.lowTime = time(s.lowTimeOffset);
  input.highHeight = height(s.highHeightDiff);
  input.lowHeight = height(s.lowHeightDiff);
  input.highRatio = height(s.highHeightRatio);
  input.lowRatio = height(s.lowHeightRatio);
  input.latitude = PositionInputOf(LatitudeOf(s), true);
  input.longitude = PositionInputOf(LongitudeOf(s), false);
  return input;
}

std::string ReferenceLine(const CurrentLocation& s, const std::string& referenceName) {
  if (s.referenceId == 0) return StringText(kReferenceNotDefined);
  const bool subordinate = s.slackBeforeFloodTime != 0 || s.floodTime != 0 || s.floodSpeedRatio != 0 ||
                           s.slackBeforeEbbTime != 0 || s.ebbTime != 0 || s.ebbSpeedRatio != 0;
  return subordinate ? referenceName : std::string(s.name);
}

std::string ReferenceLine(const TideLocation& s, const std::string& referenceName) {
  if (s.referenceId == 0) return StringText(kReferenceNotDefined);
  const bool subordinate = s.highTimeOffset != 0 || s.highHeightDiff != 0 || s.lowTimeOffset != 0 || s.lowHeightDiff != 0;
  return subordinate ? referenceName : std::string(s.name);
}

std::optional<EditProblem> CheckCurrentEdit(const CurrentEditInput& input, const CurrentLocation& station,
                                            CurrentLocation& out) {
  const std::string caption = StringText(kCurrentDataError);
  const std::string name = Trimmed(input.name);
  if (std::string why = NameProblem(name, kCustomNameBytes, "Names"); !why.empty()) return EditProblem{caption, why};
  CurrentLocation edited = station;
  StoreName(name, edited);
  for (int g = 0; g < kCurrentGroups; ++g) {
    const CurrentGroup group = static_cast<CurrentGroup>(g);
    const CurrentGroupInput& in = input.groups[static_cast<size_t>(g)];
    const CurrentFields fields = FieldsOf(edited, group);
    const char* label = CurrentGroupLabel(group);
    auto fail = [&](int id) { return EditProblem{caption, FormatString(id, label)}; };
    if (!in.used) {
      *fields.time = *fields.direction = *fields.speed = kNotGiven16;
      if (fields.ratio) *fields.ratio = kNotGiven16;
      continue;
    }
    long minutes = 0;
    if (!TimeMinutes(in.time, minutes) || std::labs(minutes) > kMaxCurrentTimeMinutes) return fail(kTimeInvalid);
    *fields.time = static_cast<int16_t>(minutes);

    const bool slack = !GroupHasRatio(group);
    if (IsBlank(in.direction)) {
      if (!slack) return fail(kDirectionRequired);
      *fields.direction = kNotGiven16;
    } else {
      int degrees = 0;
      if (!ParseDigits(in.direction, degrees) || degrees > 359) return fail(kDirectionInvalid);
      *fields.direction = static_cast<int16_t>(degrees);
    }

    if (IsBlank(in.velocity)) {
      // The installed data give no averages for most stations: a velocity the record did
      // not have may stay empty instead of being made up.
      if (*fields.speed != kNotGiven16) return fail(kVelocityRequired);
    } else {
      double knots = 0;
      if (!ParseNumber(in.velocity, knots)) return fail(kVelocityInvalid);
      const long speed = TruncatedHundredths(knots);
      if (speed < 0 || speed > kMaxVelocityHundredths) return fail(kVelocityInvalid);
      *fields.speed = static_cast<int16_t>(speed);
    }

    if (fields.ratio) {
      if (IsBlank(in.ratio)) return fail(kRatioRequired);
      double ratio = 0;
      if (!ParseNumber(in.ratio, ratio)) return fail(kRatioInvalid);
      const long hundredths = TruncatedHundredths(ratio);
      if (hundredths < 0 || hundredths > kMaxSpeedRatioHundredths) return fail(kRatioInvalid);
      *fields.ratio = static_cast<int16_t>(hundredths);
    }
  }
  if (auto problem = StorePosition(input.latitude, input.longitude, station, edited)) return problem;
  out = edited;
  return std::nullopt;
}

TideEditResult CheckTideEdit(const TideEditInput& input, const TideLocation& station, TideLocation& out) {
  TideEditResult result;
  const std::string caption = StringText(kTideDataError);
  const std::string name = Trimmed(input.name);
  if (std::string why = NameProblem(name, kCustomNameBytes, "Names"); !why.empty()) {
    result.problem = EditProblem{caption, why};
    return result;
  }
  TideLocation edited = station;
  StoreName(name, edited);

  auto time = [&](const TideCorrectionInput& in, const char* label, int16_t& field) -> bool {
    if (!in.used) {
      field = kNotGiven16;
      return true;
    }
    long minutes = 0;
    if (!TimeMinutes(in.time, minutes) || !Storable(minutes)) {
      result.problem = EditProblem{caption, FormatString(kNumberTooLarge, label)};
      return false;
    }
    field = static_cast<int16_t>(minutes);
    return true;
  };
  auto number = [&](const TideCorrectionInput& in, const char* label, bool height, int16_t& field) -> bool {
    if (!in.used) {
      field = kNotGiven16;
      return true;
    }
    double value = 0;
    if (!IsBlank(in.value) && !ParseNumber(in.value, value)) {
      result.problem = EditProblem{caption, FormatString(kNumberInvalid, label)};
      return false;
    }
    // Heights round half away from zero; ratios add a half and truncate.
    const double scaled = value * 100.0;
    if (std::fabs(scaled) > 1e6) {
      result.problem = EditProblem{caption, FormatString(kNumberTooLarge, label)};
      return false;
    }
    const long hundredths = height ? std::lround(std::round(scaled * 1e6) / 1e6) : TruncatedHundredths(value);
    if (!Storable(hundredths)) {
      result.problem = EditProblem{caption, FormatString(kNumberTooLarge, label)};
      return false;
    }
    field = static_cast<int16_t>(hundredths);
    return true;
  };
  if (!time(input.highTime, "High Water - TIME", edited.highTimeOffset) ||
      !time(input.lowTime, "Low Water - TIME", edited.lowTimeOffset) ||
      !number(input.highHeight, "High Water - HEIGHT", true, edited.highHeightDiff) ||
      !number(input.lowHeight, "Low Water - HEIGHT", true, edited.lowHeightDiff) ||
      !number(input.highRatio, "High Water - RATIO", false, edited.highHeightRatio) ||
      !number(input.lowRatio, "Low Water - RATIO", false, edited.lowHeightRatio)) {
    return result;
  }
  if (auto problem = StorePosition(input.latitude, input.longitude, station, edited)) {
    result.problem = problem;
    return result;
  }

  auto large = [](int16_t value, int limit) { return value != kNotGiven16 && std::abs(value) > limit; };
  const std::string question = StringText(kPossibleInvalid);
  if (large(edited.highTimeOffset, kMaxCurrentTimeMinutes) || large(edited.lowTimeOffset, kMaxCurrentTimeMinutes)) {
    result.questions.push_back({question, StringText(kLargeTime)});
  }
  if (large(edited.highHeightDiff, kLargeHeightHundredths) || large(edited.lowHeightDiff, kLargeHeightHundredths)) {
    result.questions.push_back({question, StringText(kLargeHeight)});
  }
  if (large(edited.highHeightRatio, kLargeRatioHundredths) || large(edited.lowHeightRatio, kLargeRatioHundredths)) {
    result.questions.push_back({question, StringText(kLargeRatio)});
  }
  out = edited;
  return result;
}

}  // namespace qw
