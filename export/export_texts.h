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
// Dialog titles.
constexpr int kExportDialogTitle = 5153;
constexpr int kExportOptionsTitle = 5154;
constexpr int kExportStatusTitle = 5155;
constexpr int kExportBrowseTitle = 5156;
constexpr int kAllFilesFilter = 5157;
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
