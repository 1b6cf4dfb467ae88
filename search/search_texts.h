// Numbers of the event search and nearest-station search texts in the string table
// (engine/string_table.cpp): messages, captions, list entries, headings and titles.
#pragma once

namespace qw::text {

// Event search: messages and captions.
constexpr int kNoOpenLocations = 5000;  // "There are not any open locations. ..."
constexpr int kEventSearchErrorCaption = 5001;
constexpr int kActiveNotSearchResults = 5002;
constexpr int kEndDateBeforeStart = 5003;
constexpr int kDateErrorCaption = 5004;
constexpr int kEndTimeBeforeStart = 5005;
constexpr int kTimeErrorCaption = 5006;
constexpr int kInvalidSearchType = 5007;
constexpr int kInvalidSubSearchType = 5008;
constexpr int kInformationCaption = 5009;
constexpr int kValueMissing = 5038;  // "Please enter a number in the value box ..."
// Event search: window texts.
constexpr int kSearching = 5010;
constexpr int kPressSearchToBegin = 5011;
constexpr int kEventResultsEmptyTitle = 5012;
constexpr int kEventSearchForTitle = 5013;  // "Event Search For: %s"
constexpr int kSearchedForEventAt = 5014;
constexpr int kEventRangeLine = 5015;       // "From %s to %s, %s to %s"
constexpr int kEventTimeColumn = 5016;
constexpr int kStartTimeColumn = 5017;
constexpr int kEndTimeColumn = 5018;
constexpr int kDurationColumn = 5019;
constexpr int kValueColumn = 5020;
// The kind lists: tide kinds 5021..5024, current kinds 5025..5029, by list position.
constexpr int kTideKindTexts = 5021;
constexpr int kCurrentKindTexts = 5025;
// Conditions 5030..5033 and periods 5034..5037, by list position.
constexpr int kConditionTexts = 5030;
constexpr int kPeriodTexts = 5034;
// Unit labels beside the value box and unit words of the heading.
constexpr int kUnitLabelFeet = 5040;
constexpr int kUnitLabelCentimeters = 5041;
constexpr int kUnitLabelMeters = 5042;
constexpr int kUnitLabelKnots = 5043;
constexpr int kUnitLabelMetersPerSec = 5044;
constexpr int kUnitLabelMinutes = 5045;
constexpr int kUnitWordFeet = 5046;
constexpr int kUnitWordCm = 5047;
constexpr int kUnitWordM = 5048;
constexpr int kUnitWordMinutes = 5049;
constexpr int kUnitWordKnots = 5050;
constexpr int kUnitWordMetersPerSec = 5051;
constexpr int kSlackMinutesValue = 5052;  // "%d min"
// The "Search for Event" dialog.
constexpr int kEventDialogTitle = 5060;
constexpr int kLocationLabel = 5061;
constexpr int kSearchForLabel = 5062;
constexpr int kFromDateLabel = 5063;
constexpr int kToDateLabel = 5064;
constexpr int kTimeOfDayCheck = 5065;
constexpr int kDayOfWeekCheck = 5066;
constexpr int kSearchButton = 5067;
constexpr int kStopButton = 5068;
constexpr int kCloseButton = 5069;
constexpr int kWeekdayNames = 5070;  // "Sun" .. "Sat"
constexpr int kStartTimeLabel = 5077;
constexpr int kEndTimeLabel = 5078;

// Nearest search.
constexpr int kNearestActiveNotSearchResults = 5300;
constexpr int kSearchErrorCaption = 5301;
constexpr int kNearestEmptyTitle = 5302;
constexpr int kSearchingTideRegions = 5303;
constexpr int kSearchingCurrentRegions = 5304;
constexpr int kClosestBoth = 5305;
constexpr int kClosestTide = 5306;
constexpr int kClosestCurrent = 5307;
constexpr int kCustomLocation = 5308;
constexpr int kStationPositionLine = 5309;  // "Lat %02d° %02d %02d %c      Lon ..."
constexpr int kCustomPositionLine = 5310;   // "Lat %s      Lon %s"
constexpr int kAllTideRegions = 5311;
constexpr int kOneTideRegion = 5312;        // "%s tide region searched"
constexpr int kWithinNm = 5313;             // ", within %d Nm"
constexpr int kAllCurrentRegions = 5314;
constexpr int kOneCurrentRegion = 5315;
constexpr int kNearBothTitle = 5316;
constexpr int kNearTideTitle = 5317;
constexpr int kNearCurrentTitle = 5318;
constexpr int kTypeColumn = 5319;
constexpr int kLocationColumn = 5320;
constexpr int kDistanceColumn = 5321;
constexpr int kBearingColumn = 5322;
constexpr int kRegionColumn = 5323;
constexpr int kLatitudeColumn = 5324;
constexpr int kLongitudeColumn = 5325;
constexpr int kTideWord = 5326;
constexpr int kCurrentWord = 5327;
constexpr int kSourceColumn = 5328;
// Position errors: caption, message and second line of each of the eight dialogs.
constexpr int kInvalidLatitudeCaption = 5330;
constexpr int kLatDegreesError = 5331;
constexpr int kLatMinutesError = 5332;
constexpr int kLatTooBigError = 5333;
constexpr int kLatTooBigDetail = 5334;
constexpr int kDirectionInvalid = 5335;
constexpr int kLatDirectionDetail = 5336;
constexpr int kInvalidLongitudeCaption = 5337;
constexpr int kLonDegreesError = 5338;
constexpr int kLonMinutesError = 5339;
constexpr int kLonTooBigError = 5340;
constexpr int kLonTooBigDetail = 5341;
constexpr int kLonDirectionDetail = 5342;
constexpr int kLatLeadingZeros = 5343;
constexpr int kLonLeadingZeros = 5344;
constexpr int kSomeExamples = 5345;
constexpr int kLatExamples = 5346;
constexpr int kLonExamples = 5347;
// The "Search for Nearest Locations" dialog and the "Font Selection" dialog.
constexpr int kNearestDialogTitle = 5350;
constexpr int kOpenLocationChoice = 5351;
constexpr int kCustomLocationChoice = 5352;
constexpr int kFindTideCheck = 5353;
constexpr int kFindCurrentCheck = 5354;
constexpr int kTideRangeLabel = 5355;
constexpr int kCurrentRangeLabel = 5356;
constexpr int kNauticalMilesUnit = 5357;
constexpr int kSingleTideRegion = 5358;
constexpr int kSingleCurrentRegion = 5359;
constexpr int kAllTideRegionsChoice = 5360;
constexpr int kAllCurrentRegionsChoice = 5361;
constexpr int kLatitudeLabel = 5362;
constexpr int kLongitudeLabel = 5363;
constexpr int kFontDialogTitle = 5364;
constexpr int kHeaderFontButton = 5365;
constexpr int kBodyFontButton = 5366;
constexpr int kSaveDefaultFonts = 5367;

}  // namespace qw::text
