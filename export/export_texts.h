// Numbers of the data export and table save texts in the string table
// (engine/string_table.cpp).
#pragma once

namespace qw::text {

// Data export: messages and captions.
constexpr int kExportNeedsLocation = 5100;
constexpr int kExportInformationCaption = 5101;
constexpr int kBothRepeatMarkers = 5102;
constexpr int kMissingRepeatCaption = 5103;
constexpr int kRepeatOrder = 5104;
constexpr int kRepeatOrderCaption = 5105;
constexpr int kExportFileExists = 5106;  // "File \"%s\" already exists. ..."
constexpr int kFileExistsCaption = 5107;
constexpr int kNoTargetFields = 5108;
constexpr int kMissingTargetFieldsCaption = 5109;
constexpr int kStartBeyondEnd = 5110;
constexpr int kDataExportErrorCaption = 5111;
// The dates of the export dialog are checked with the event search's texts
// (search/search_texts.h: kEndDateBeforeStart, kDateErrorCaption).
constexpr int kCannotCreateExportFile = 5112;
constexpr int kExportDataErrorCaption = 5113;
// Data export: window texts.
constexpr int kExportEmptyTitle = 5114;
constexpr int kDataExportHeading = 5115;
constexpr int kFromTo = 5116;  // "From %s to %s"
constexpr int kTideExtremesDescription = 5117;
constexpr int kTideEveryMinute = 5118;
constexpr int kTideEveryMinutes = 5119;  // "Tide values every %d minutes"
constexpr int kCurrentEventsDescription = 5120;
constexpr int kCurrentEveryMinute = 5121;
constexpr int kCurrentEveryMinutes = 5122;
constexpr int kExporting = 5124;
constexpr int kTidesStationText = 5125;
constexpr int kCurrentsStationText = 5126;
constexpr int kCustomPrefix = 5127;
constexpr int kNoPositionDefined = 5128;
// Field titles 5130..5149 by field id, and their list forms.
constexpr int kFieldTitles = 5130;
constexpr int kStartRepeatTimes = 5150;  // "[%s (%ld times)]"
constexpr int kStartRepeatOnce = 5151;   // "[%s (1 time)]"
constexpr int kEndRepeatEntry = 5152;
constexpr int kUtcOffsetFieldTitle = 5158;  // the title of field kFieldUtcOffset
// Dialog titles.
constexpr int kExportDialogTitle = 5153;
constexpr int kExportOptionsTitle = 5154;
constexpr int kExportStatusTitle = 5155;
constexpr int kExportBrowseTitle = 5156;
constexpr int kAllFilesFilter = 5157;
// Labels of the export dialogs.
constexpr int kExportLocationLabel = 5190;
constexpr int kTideValueLabel = 5191;
constexpr int kTideExtremesChoice = 5192;
constexpr int kTideEveryChoice = 5193;
constexpr int kCurrentValueLabel = 5194;
constexpr int kCurrentEventsChoice = 5195;
constexpr int kCurrentEveryChoice = 5196;
constexpr int kToResultsWindow = 5220;
constexpr int kToClipboard = 5221;
constexpr int kToFile = 5222;
constexpr int kBrowseButton = 5223;
constexpr int kIncludeHeader = 5224;
constexpr int kSourceFieldsLabel = 5225;
constexpr int kTargetFieldsLabel = 5226;
constexpr int kSelectField = 5227;
constexpr int kDeleteField = 5228;
constexpr int kDeleteAll = 5229;
constexpr int kRepeatCountLabel = 5230;
constexpr int kOptionsButton = 5231;
constexpr int kExportButton = 5232;
constexpr int kFieldDelimiterLabel = 5233;
constexpr int kRecordDelimiterLabel = 5234;
constexpr int kOrderMdy = 5235;
constexpr int kOrderDmy = 5236;
constexpr int kOrderYmd = 5237;
constexpr int kMonthLabel = 5238;
constexpr int kDayLabel = 5239;
constexpr int kYearLabel = 5240;
constexpr int kSeparatorLabel = 5241;
constexpr int kDisplayHundredths = 5242;
constexpr int kOkButton = 5243;
constexpr int kSaveToClipboard = 5244;
constexpr int kSaveToFile = 5245;
constexpr int kDifChoice = 5246;
constexpr int kSylkChoice = 5247;
constexpr int kAsciiChoice = 5248;
constexpr int kProgramTip = 5249;
constexpr int kFromDate = 5250;
constexpr int kToDate = 5251;
constexpr int kDateFormatLabel = 5252;
// The delimiter list 5160..5176 and the interval list 5180..5186, by position.
constexpr int kDelimiterNames = 5160;
constexpr int kIntervalNames = 5180;

// Saving a results table.
constexpr int kSaveTableTitle = 5200;
constexpr int kSaveTableTip = 5201;
constexpr int kMissingFileName = 5202;
constexpr int kMissingFileNameCaption = 5203;
constexpr int kSaveFileExists = 5204;
constexpr int kFailedToCreateFile = 5205;  // "Failed to create file '%s'. ..."
constexpr int kFileCreateErrorCaption = 5206;
constexpr int kSavingData = 5207;
constexpr int kSavingRow = 5208;           // "Saving Row %d"
constexpr int kTooManyColumns = 5209;      // "... (%i)"
constexpr int kFieldWidthsTooLarge = 5210;  // "... (%i)"
constexpr int kLimitsErrorCaption = 5211;
constexpr int kSaveStatusTitle = 5212;
constexpr int kSaveBrowseTitle = 5213;
constexpr int kDifFilter = 5214;
constexpr int kSylkFilter = 5215;
constexpr int kAsciiFilter = 5216;

}  // namespace qw::text
