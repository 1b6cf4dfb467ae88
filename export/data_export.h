// The data export: a station's predictions over a range of days turned into text
// records of the fields the user ordered, one record per time step or per event (or per
// repeat group of them), written to a file, to the clipboard's text or into an export
// results table.
#pragma once

#include <QColor>
#include <functional>
#include <string>
#include <vector>

#include "engine/sky_day.h"
#include "export/export_date.h"
#include "export/output_file.h"
#include "search/event_search.h"
#include "search/results_table.h"
#include "search/search_progress.h"
#include "search/value_texts.h"

namespace qw {

// Where the records go.
constexpr char kExportToClipboard = 'C';
constexpr char kExportToFile = 'F';
constexpr char kExportToTable = 'S';

// Everything one export runs from.
struct ExportJob {
  std::string locationName;
  SearchStation station;
  char destination = kExportToTable;
  std::string fileName;
  ExportDateFormat dateFormat;
  EngineMinute rangeStart = 0;  // 00:00 of the first day (the station's dates)
  EngineMinute rangeEnd = 0;    // 00:00 of the last day
  std::string fieldDelimiter = "\t";    // bytes, already converted from escape notation
  std::string recordDelimiter = "\r\n";
  int repeatCount = 4;
  int intervalMinutes = 30;  // -1: the day's events only
  std::vector<int> targetFields;
  bool includeHeader = false;  // clipboard and file only
  bool hundredths = false;
  ValueUnits units;
};

// The interval list: 1, 5, 6, 10, 15, 30 and 60 minutes; any other length reads as 30.
constexpr int kIntervalCount = 7;
int IntervalMinutesAt(int position);
int IntervalPosition(int minutes);

// The sun and moon of a station's date as the export writes them (sky_day.h).
struct ExportDaySky {
  SkyDay sky;
  const char* quarter = "";  // "NM", "1Q", "FM", "3Q" or ""
};
// The moon quarter falling on a day from the phase angles (degrees) of the day before,
// the day and the day after.
const char* MoonQuarterText(double before, double day, double after);
// The time shown at the first event of `kind` on the date as "hh:mm" on the export's
// clock; "--:--" when the body does not rise or set that day or the time is not available.
std::string RiseSetText(const SkyDay& sky, SkyEventKind kind, TimeType clock);

// The two heading lines written before the records (with the record delimiter): the
// station and its position, followed by who published its data and the licence, and the
// date range.
std::string ExportHeader(const ExportJob& job);
// The results window's title and heading lines for an export.
void PrepareExportTable(ResultsTable& table, const ExportJob& job, QColor columnColour);

enum class ExportOutcome {
  Completed,
  Cancelled,     // ended at a day boundary; what was written stays
  OutputFailed,  // the target did not take the bytes
  EngineFailed,  // a prediction failed (the engine has said why)
};

// The generator. Walks the days from rangeStart to rangeEnd; status line 1 reads
// "Exporting...", line 2 the day, and a Cancel is honoured once per day. Records go to
// `target` (when not null), with the heading lines first when the job asks for them;
// cells go to `table` (when not null; its columns are set here).
ExportOutcome WriteExport(const ExportJob& job, ByteSink* target, ResultsTable* table, SearchProgress& progress);

// The texts of one day's records, exposed for testing: each record's bytes.
std::vector<std::string> ExportDayRecords(const ExportJob& job, EngineMinute day);

}  // namespace qw
