// The edit dialogs' checks: limits at their edges, the order failures are found in, the
// rounding rules, the plausibility questions, and positions typed and stored.
#include <gtest/gtest.h>

#include <cstring>

#include "stations/custom_edit_rules.h"
#include "stations/custom_location_file.h"
#include "tests/stations/catalogue_fixture.h"

namespace qw {
namespace {

CurrentEditInput ValidCurrent() {
  CurrentEditInput input;
  input.name = "Slack Water Point";
  for (CurrentGroupInput& group : input.groups) {
    group.used = true;
    group.time = {false, "0", "30"};
    group.direction = "120";
    group.velocity = "1.50";
    group.ratio = "0.80";
  }
  input.latitude = {"37", "48", "25", "N"};
  input.longitude = {"122", "28", "00", "W"};
  return input;
}

// A station that gives its average speeds.
CurrentLocation WithAverages() {
  CurrentLocation station = test::CurrentStation("x", 1);
  station.slackBeforeFloodSpeed = station.floodSpeed = station.slackBeforeEbbSpeed = station.ebbSpeed = 100;
  return station;
}

std::string CurrentProblem(const CurrentEditInput& input) {
  CurrentLocation out;
  const auto problem = CheckCurrentEdit(input, WithAverages(), out);
  return problem ? problem->text : std::string();
}

CurrentGroupInput& Group(CurrentEditInput& input, CurrentGroup group) { return input.groups[static_cast<size_t>(group)]; }

TEST(CustomCurrentEdit, TimesUpToThirteenHours) {
  CurrentEditInput input = ValidCurrent();
  Group(input, CurrentGroup::Flood).time = {true, "13", "00"};
  CurrentLocation out;
  ASSERT_FALSE(CheckCurrentEdit(input, test::CurrentStation("x", 1), out));
  EXPECT_EQ(out.floodTime, -780);
  Group(input, CurrentGroup::Flood).time = {true, "13", "01"};
  EXPECT_EQ(CurrentProblem(input), "Invalid value entered for 'Flood - TIME'.  Valid values are 0:00 to 13:00.");
}

TEST(CustomCurrentEdit, VelocitiesRoundToHundredthsBeforeTheLimit) {
  CurrentEditInput input = ValidCurrent();
  Group(input, CurrentGroup::Ebb).velocity = "20.004";
  CurrentLocation out;
  ASSERT_FALSE(CheckCurrentEdit(input, test::CurrentStation("x", 1), out));
  EXPECT_EQ(out.ebbSpeed, 2000);
  Group(input, CurrentGroup::Ebb).velocity = "20.006";
  EXPECT_EQ(CurrentProblem(input), "Invalid value entered for 'Ebb - Avg. Max Velocity'.  Valid values are 0.0 to 20.0");
  Group(input, CurrentGroup::Ebb).velocity = "";
  EXPECT_EQ(CurrentProblem(input), "'Ebb - Avg. Max Velocity' MUST be filled in.");
  // A station without averages (most of the installed data) may keep none.
  ASSERT_FALSE(CheckCurrentEdit(input, test::CurrentStation("x", 1), out));
  EXPECT_EQ(out.ebbSpeed, kNotGiven16);
  Group(input, CurrentGroup::Ebb).velocity = "1.005";  // 100.5 + 0.5 truncated
  ASSERT_FALSE(CheckCurrentEdit(input, test::CurrentStation("x", 1), out));
  EXPECT_EQ(out.ebbSpeed, 101);
}

TEST(CustomCurrentEdit, DirectionsAndRatios) {
  CurrentEditInput input = ValidCurrent();
  Group(input, CurrentGroup::MinBeforeEbb).direction = "";  // optional for a slack
  Group(input, CurrentGroup::Flood).ratio = "6.0";
  CurrentLocation out;
  ASSERT_FALSE(CheckCurrentEdit(input, test::CurrentStation("x", 1), out));
  EXPECT_EQ(out.slackBeforeEbbDirection, kNotGiven16);
  EXPECT_EQ(out.floodSpeedRatio, 600);

  Group(input, CurrentGroup::Flood).ratio = "6.01";
  EXPECT_EQ(CurrentProblem(input), "Invalid value entered for 'Flood - Speed Ratio'.  Valid values are 0.0 to 6.0");
  Group(input, CurrentGroup::Flood).ratio = "";
  EXPECT_EQ(CurrentProblem(input), "'Flood - Speed Ratio' MUST be filled in.");
  Group(input, CurrentGroup::Flood).ratio = "1";
  Group(input, CurrentGroup::Flood).direction = "";
  EXPECT_EQ(CurrentProblem(input), "'Flood - Direction' MUST be filled in.");
  Group(input, CurrentGroup::Flood).direction = "360";
  EXPECT_EQ(CurrentProblem(input), "Invalid value entered for 'Flood - Direction'.  Valid values are 0 to 359.");
}

TEST(CustomCurrentEdit, GroupsAreCheckedInOrderAndUnusedGroupsAreNotGiven) {
  CurrentEditInput input = ValidCurrent();
  Group(input, CurrentGroup::Ebb).direction = "999";
  Group(input, CurrentGroup::MinBeforeFlood).direction = "400";
  EXPECT_EQ(CurrentProblem(input),
            "Invalid value entered for 'Min Before Flood - Direction'.  Valid values are 0 to 359.");
  // A clear use box stores "not given" whatever its fields hold.
  Group(input, CurrentGroup::MinBeforeFlood).used = false;
  Group(input, CurrentGroup::Ebb).used = false;
  CurrentLocation out;
  ASSERT_FALSE(CheckCurrentEdit(input, test::CurrentStation("x", 1), out));
  EXPECT_EQ(out.slackBeforeFloodTime, kNotGiven16);
  EXPECT_EQ(out.slackBeforeFloodDirection, kNotGiven16);
  EXPECT_EQ(out.slackBeforeFloodSpeed, kNotGiven16);
  EXPECT_EQ(out.ebbTime, kNotGiven16);
  EXPECT_EQ(out.ebbSpeedRatio, kNotGiven16);
  EXPECT_EQ(out.floodTime, 30);
}

TEST(CustomCurrentEdit, ShownRecordComesBackUnchanged) {
  CurrentLocation station = PrepareCurrentTemplate(test::CurrentStation("Narrows", 45001));
  station.slackBeforeFloodTime = -25;
  station.slackBeforeFloodSpeed = 10;
  station.floodTime = 40;
  station.floodDirection = 45;
  station.floodSpeed = 215;
  station.floodSpeedRatio = 85;
  station.ebbTime = -35;
  station.ebbDirection = 225;
  station.ebbSpeed = 190;
  station.ebbSpeedRatio = 120;
  station.slackBeforeEbbSpeed = 5;
  station.latSeconds = 17;
  CurrentLocation out;
  const auto problem = CheckCurrentEdit(CurrentEditInputOf(station), station, out);
  ASSERT_FALSE(problem) << problem->text;
  EXPECT_EQ(std::memcmp(EncodeEntry(station).data(), EncodeEntry(out).data(), kCurrentLocationSize), 0);
}

TEST(CustomEditNames, TooLongOrUnwritableNamesAreRefused) {
  CurrentEditInput input = ValidCurrent();
  input.name = std::string(50, 'a');
  EXPECT_EQ(CurrentProblem(input), "");
  input.name = std::string(51, 'a');
  EXPECT_NE(CurrentProblem(input).find("at most 50 bytes"), std::string::npos);
  input.name = "\xC3\xA9";  // é: two bytes
  for (int i = 0; i < 25; ++i) input.name += "\xC3\xA9";
  EXPECT_NE(CurrentProblem(input).find("This one needs 52"), std::string::npos);
  input.name = "Tab\there";
  EXPECT_NE(CurrentProblem(input).find("control characters"), std::string::npos);
  input.name = "   ";
  EXPECT_EQ(CurrentProblem(input), "Please enter a name.");
}

TideEditInput ValidTide() {
  TideEditInput input = TideEditInputOf(test::TideStation("Creek", 5));
  input.highTime = {true, {false, "0", "45"}, {}};
  input.lowTime = {true, {true, "1", "05"}, {}};
  input.highHeight = {true, {}, "0.125"};
  input.lowHeight = {true, {}, "-0.125"};
  input.highRatio = {true, {}, "0.125"};
  input.lowRatio = {true, {}, "-0.125"};
  return input;
}

TEST(CustomTideEdit, HeightsRoundAwayFromZeroAndRatiosTruncate) {
  TideLocation out;
  const TideEditResult result = CheckTideEdit(ValidTide(), test::TideStation("Creek", 5), out);
  ASSERT_FALSE(result.problem) << result.problem->text;
  EXPECT_TRUE(result.questions.empty());
  EXPECT_EQ(out.highTimeOffset, 45);
  EXPECT_EQ(out.lowTimeOffset, -65);
  EXPECT_EQ(out.highHeightDiff, 13);
  EXPECT_EQ(out.lowHeightDiff, -13);
  EXPECT_EQ(out.highHeightRatio, 13);   // 12.5 + 0.5
  EXPECT_EQ(out.lowHeightRatio, -12);   // -12.5 + 0.5, truncated toward zero
}

TEST(CustomTideEdit, LargeCorrectionsAreQuestionedNotRefused) {
  TideEditInput input = ValidTide();
  input.highRatio.value = "6.5";
  input.lowTime.time = {false, "13", "01"};
  TideLocation out;
  const TideEditResult result = CheckTideEdit(input, test::TideStation("Creek", 5), out);
  ASSERT_FALSE(result.problem);
  ASSERT_EQ(result.questions.size(), 2u);
  EXPECT_EQ(result.questions[0].caption, "Possible Invalid Correction");
  EXPECT_NE(result.questions[0].text.find("time corrections"), std::string::npos);
  EXPECT_NE(result.questions[1].text.find("ratio corrections"), std::string::npos);
  EXPECT_EQ(out.highHeightRatio, 650);  // answering No stores it
  EXPECT_EQ(out.lowTimeOffset, 781);

  input.highRatio.value = "1.00";
  input.lowTime.time = {false, "0", "0"};
  input.lowHeight.value = "-15.01";
  ASSERT_EQ(CheckTideEdit(input, test::TideStation("Creek", 5), out).questions.size(), 1u);
}

TEST(CustomTideEdit, NumbersTheRecordCannotHoldAreRefused) {
  TideEditInput input = ValidTide();
  input.highHeight.value = "400";  // 40000 hundredths
  TideLocation out;
  EXPECT_EQ(CheckTideEdit(input, test::TideStation("Creek", 5), out).problem->text,
            "The value entered for 'High Water - HEIGHT' is too large to be stored.");
  input.highHeight.value = "1.2.3";
  EXPECT_EQ(CheckTideEdit(input, test::TideStation("Creek", 5), out).problem->text,
            "Invalid number entered for 'High Water - HEIGHT'.");
  // Unused corrections are not given, whatever their fields hold.
  input.highHeight.used = false;
  ASSERT_FALSE(CheckTideEdit(input, test::TideStation("Creek", 5), out).problem);
  EXPECT_EQ(out.highHeightDiff, kNotGiven16);
}

TEST(CustomPosition, LimitsInTheirOrder) {
  PositionFields out;
  EXPECT_FALSE(ParseLatitude({"90", "00", "00", "N"}, out));
  auto text = [&](const PositionInput& input, bool latitude) {
    const auto problem = latitude ? ParseLatitude(input, out) : ParseLongitude(input, out);
    return problem ? problem->caption + ": " + problem->text.substr(0, problem->text.find("\n\n")) : std::string();
  };
  EXPECT_EQ(text({"91", "00", "00", "N"}, true),
            "Invalid Latitude Value: Invalid value entered for latitude degrees. Correct values range from 0 to 90.");
  EXPECT_EQ(text({"45", "60", "00", "N"}, true),
            "Invalid Latitude Value: Invalid value entered for latitude minutes. Correct values range from 0 to 59.99.");
  EXPECT_EQ(text({"90", "00", "01", "N"}, true),
            "Invalid Latitude Value: Value entered for latitude is out of range.\nIf degrees is set to 90, minutes must be 0.");
  EXPECT_EQ(text({"45", "00", "00", "E"}, true),
            "Invalid Latitude Value: Value entered for direction is invalid.\nValid values for latitude direction are 'N' or 'S'.");
  EXPECT_EQ(text({"180", "00", "01", "W"}, false),
            "Invalid Longitude Value: Value entered for longitude is out of range.\nIf degrees is set to 180, minutes must be 0.");
  EXPECT_EQ(text({"122", "00", "00", " "}, false),
            "Invalid Longitude Value: Value entered for direction is invalid.\nValid values for longitude direction are 'E' or 'W'.");
}

TEST(CustomPosition, HundredthsOfAMinuteBecomeSeconds) {
  PositionFields out;
  ASSERT_FALSE(ParseLongitude({"122", "20", "42", "w"}, out));  // lower case accepted
  EXPECT_EQ(out.hemisphere, 'W');
  EXPECT_EQ(out.degrees, 122);
  EXPECT_EQ(out.minutes, 20);
  EXPECT_EQ(out.seconds, 25);  // 0.42' = 25.2"
  EXPECT_EQ(PositionInputOf(out, false), (PositionInput{"122", "20", "42", "W"}));

  // A position typed as it was shown keeps the record's own seconds.
  TideLocation station = test::TideStation("Creek", 5);
  station.latSeconds = 1;  // shown as .02
  TideEditInput input = TideEditInputOf(station);
  EXPECT_EQ(input.latitude.hundredths, "02");
  TideLocation edited;
  ASSERT_FALSE(CheckTideEdit(input, station, edited).problem);
  EXPECT_EQ(edited.latSeconds, 1);
}

TEST(CustomReferenceLine, ReferenceNameOnlyForSubordinates) {
  TideLocation station = test::TideStation("Creek", 5);
  EXPECT_EQ(ReferenceLine(station, "SEATTLE"), "Creek");  // no corrections: its own name
  station.highTimeOffset = 12;
  EXPECT_EQ(ReferenceLine(station, "SEATTLE"), "SEATTLE");
  station.referenceId = 0;
  EXPECT_EQ(ReferenceLine(station, "SEATTLE"), "Reference Station Not Defined");
}

}  // namespace
}  // namespace qw
