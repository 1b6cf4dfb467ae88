#include "export/data_export.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "engine/calendar.h"
#include "engine/civil_days.h"
#include "engine/current_prediction.h"
#include "engine/installed_catalogue.h"
#include "engine/string_table.h"
#include "engine/tide_prediction.h"
#include "export/export_fields.h"
#include "export/export_texts.h"
#include "export/output_file.h"
#include "search/nearest_search.h"

namespace qw {
namespace {

constexpr int kIntervals[kIntervalCount] = {1, 5, 6, 10, 15, 30, 60};
// Field steps one day may take; past them the day's output ends.
constexpr int kMaxFieldStepsPerDay = 20000;

std::string Printf(const char* format, auto... args) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

struct ExportRow {
  EngineMinute time = 0;  // shown time
  int32_t utcOffset = 0;  // in force at the row's instant
  int32_t value = 0;
  char letter = ' ';
  int16_t direction = kNotGiven16;
};

struct ExportDay {
  DateRecord date;
  std::vector<ExportRow> rows;
  ExportDaySky sky;
};

StationPlace PlaceOfStation(const SearchStation& station) {
  return station.kind == StationKind::Tide ? PlaceOf(station.tide) : PlaceOf(station.current);
}

// The rows and the sky of one date of the station's clock; false after the engine failed.
// Rows at an interval step through the date's elapsed time, so a date the clocks change
// has 23 or 25 hours of them; events come from the day lists, each once.
bool CollectDay(const ExportJob& job, EngineMinute day, bool needSky, ExportDay& out) {
  MinuteToDate(day, out.date);
  out.rows.clear();
  const bool tide = job.station.kind == StationKind::Tide;
  const StationClock& clock = job.station.clock;
  if (job.intervalMinutes > 0) {
    const CivilDaySpan span = clock.Day(day);
    const EngineMinute step = static_cast<EngineMinute>(job.intervalMinutes);
    const EngineMinute count = span.Minutes() / step;
    std::vector<int32_t> heights;
    if (tide) {
      heights.resize(count);
      PredictTideHeights(job.station.tide, span.standardStart, step, count, heights.data());
    }
    out.rows.reserve(count);
    for (EngineMinute i = 0; i < count; ++i) {
      const ClockReading at = clock.At(span.standardStart + i * step);
      ExportRow row;
      row.time = at.shown;
      row.utcOffset = at.utcOffsetMinutes;
      if (tide) {
        row.value = heights[i];
      } else {
        const CurrentEvent current = PredictCurrent(job.station.current, at.standard, 0);
        row.value = current.speed;
        row.letter = current.kind;
        row.direction = current.direction;
      }
      if (row.value == kValueFailed) return false;
      out.rows.push_back(row);
    }
  } else if (tide) {
    const TideDayList list = FindTideDay(job.station.tide, clock, day);
    if (list.status != 0) return false;
    for (const ShownTideEvent& e : list.events) {
      out.rows.push_back({e.at.shown, e.at.utcOffsetMinutes, e.height, e.kind, kNotGiven16});
    }
  } else {
    const CurrentDayList list = FindCurrentDay(job.station.current, clock, day);
    if (list.status != 0) return false;
    for (const ShownCurrentEvent& e : list.events) {
      out.rows.push_back({e.at.shown, e.at.utcOffsetMinutes, e.speed, e.kind, e.direction});
    }
  }
  if (needSky) {
    const StationPlace place = PlaceOfStation(job.station);
    out.sky.sky = FindSkyDay(place, clock, day);
    const float before = FindSkyDay(place, clock, AddDays(day, -1)).phaseAngle;
    const float after = FindSkyDay(place, clock, AddDays(day, 1)).phaseAngle;
    out.sky.quarter = out.sky.sky.phaseAngle < 0 ? "" : MoonQuarterText(before, out.sky.sky.phaseAngle, after);
  }
  return true;
}

std::string ValueText(const ExportJob& job, int32_t value) {
  const int flags = job.hundredths ? kValueTextHundredths : 0;
  if (job.station.kind == StationKind::Tide) return HeightText(MicroFeet(value), flags, job.units.tide);
  // Ebb speeds carry a minus sign; an undefined speed counts as negative.
  return (value < 0 ? "-" : "") + SpeedText(MicroKnots(value), flags, job.units.current);
}

bool IsRowField(int id) {
  switch (id) {
    case kFieldTime: case kFieldHours: case kFieldMinutes: case kFieldValue: case kFieldValueType:
    case kFieldDirection: case kFieldUtcOffset:
      return true;
    default:
      return false;
  }
}

// The text of a field that is the same for every record of the day: the date, sun and
// moon fields.
std::string DayFieldText(const ExportJob& job, const ExportDay& day, int id) {
  const TimeType clock = job.units.clock;
  switch (id) {
    case kFieldDate: return ExportDateText(day.date, job.dateFormat);
    case kFieldMonth: return MonthPart(day.date.month, job.dateFormat.month);
    case kFieldDay: return DayPart(day.date.day, job.dateFormat.day);
    case kFieldYear: return YearPart(day.date.year, job.dateFormat.year);
    case kFieldDayOfWeek: return std::string(WeekdayAbbreviation(day.date.weekday));
    case kFieldDayOfYear: return std::to_string(day.date.dayOfYear);
    case kFieldSunrise: return RiseSetText(day.sky.sky, SkyEventKind::Sunrise, clock);
    case kFieldSunset: return RiseSetText(day.sky.sky, SkyEventKind::Sunset, clock);
    case kFieldMoonrise: return RiseSetText(day.sky.sky, SkyEventKind::Moonrise, clock);
    case kFieldMoonset: return RiseSetText(day.sky.sky, SkyEventKind::Moonset, clock);
    case kFieldMoonQuarter: return day.sky.quarter;
    case kFieldMoonPhase:
      return day.sky.sky.phaseAngle < 0 ? std::string() : std::to_string(static_cast<int>(day.sky.sky.phaseAngle));
    default: return std::string();
  }
}

// The text of a row's own field for `row` at `time`; empty past the day's last row.
std::string RowFieldText(const ExportJob& job, const ExportRow* row, const DateRecord& time, int id) {
  if (!row) return std::string();
  switch (id) {
    case kFieldTime: return TimeText(time.hour, time.minute, job.units.clock);
    case kFieldHours: return std::to_string(time.hour);
    case kFieldMinutes: return std::to_string(time.minute);
    case kFieldValue: return ValueText(job, row->value);
    case kFieldValueType: return std::string(1, row->letter ? row->letter : ' ');
    case kFieldDirection:
      return row->direction >= 0 && row->direction <= 360 ? std::to_string(row->direction) : std::string("---");
    case kFieldUtcOffset: return FormatUtcOffset(row->utcOffset);
    default: return std::string();
  }
}

// Receives the records of a day: bytes for the output, cells for the table.
struct RecordSink {
  ByteSink* target = nullptr;
  ResultsTable* table = nullptr;
  int row = -1;
  int column = 0;
  bool outputFailed = false;
  std::vector<std::string>* collected = nullptr;
  RowInstants instants;  // the record's, for the table

  void Cell(const std::string& text) {
    if (table) table->SetCell(row, column++, text);
  }
  // A day row whose own fields the record writes.
  void Instant(const ExportRow& dayRow) {
    if (table) instants.push_back({dayRow.time, dayRow.utcOffset});
  }
  void EndRecord(std::string& record) {
    if (target && !target->WriteBytes(record)) outputFailed = true;
    if (collected) collected->push_back(record);
    if (table) {
      if (!instants.empty()) table->SetRecord(row, std::move(instants));
      instants.clear();
      row = table->AppendRow();
      column = 0;
    }
    record.clear();
  }
};

// Builds the records of one day into `sink`.
void WriteDayRecords(const ExportJob& job, const ExportDay& day, RecordSink& sink) {
  const std::vector<int>& fields = job.targetFields;
  if (fields.empty() || day.rows.empty()) return;
  const size_t lastRow = day.rows.size() - 1;
  int steps = 0;
  bool dayCut = false;
  size_t i = 0;
  // The day's date, sun and moon texts are made once; each row's time once per row.
  std::array<std::optional<std::string>, kExportFieldCount> dayTexts;
  size_t timeOfRow = SIZE_MAX;
  MinuteDates dates;
  const DateRecord* time = nullptr;
  std::string record;
  while (i <= lastRow && !dayCut) {
    int repeat = 0;
    size_t blockStart = 0;
    size_t pos = 0;
    while (pos < fields.size()) {
      if (++steps > kMaxFieldStepsPerDay) {
        dayCut = true;
        break;
      }
      const int id = fields[pos];
      if (id == kFieldStartRepeat) {
        repeat = job.repeatCount;
        blockStart = pos + 1;
        ++pos;
        continue;
      }
      if (id == kFieldEndRepeat) {
        if (--repeat > 0) {
          ++i;
          if (i > lastRow && pos + 1 == fields.size()) break;  // the day's rows ran out
          pos = blockStart;
          continue;
        }
        ++pos;
        continue;
      }
      std::string rowText;
      const std::string* textOf = &rowText;
      if (!IsRowField(id)) {
        if (id >= 0 && id < kExportFieldCount) {
          std::optional<std::string>& cached = dayTexts[static_cast<size_t>(id)];
          if (!cached) cached = DayFieldText(job, day, id);
          textOf = &*cached;
        }
      } else if (i <= lastRow) {
        if (timeOfRow != i) {
          time = &dates.At(day.rows[i].time);
          timeOfRow = i;
          sink.Instant(day.rows[i]);
        }
        rowText = RowFieldText(job, &day.rows[i], *time, id);
      }
      const std::string& text = *textOf;
      sink.Cell(text);
      size_t skip = 0;
      while (skip < text.size() && static_cast<unsigned char>(text[skip]) < 33) ++skip;
      if (!record.empty()) record += job.fieldDelimiter;
      record.append(text, skip, std::string::npos);
      ++pos;
    }
    record += job.recordDelimiter;
    sink.EndRecord(record);
    ++i;
  }
}

std::string CoordinateText(int degrees, int minutes, int third, char hemisphere) {
  if (third != 0) return Printf("%3i\u00b0 %2i %02i %c", degrees, minutes, third, hemisphere);
  return Printf("%3i\u00b0 %2i %c", degrees, minutes, hemisphere);
}

std::string StationDescription(const ExportJob& job) {
  const bool tide = job.station.kind == StationKind::Tide;
  const uint8_t kindCode = tide ? job.station.tide.kindCode : job.station.current.kindCode;
  std::string text = kindCode == 'c' ? StringText(text::kCustomPrefix) : "";
  text += StringText(tide ? text::kTidesStationText : text::kCurrentsStationText);
  text += ' ';
  text += tide ? Trimmed(job.station.tide.name) : CurrentStationLabel(job.station.current);
  return text;
}

// Who published the data and under which licence, after the position: "  Data: TICON-4
// (UHSLC), CC BY 4.0"; nothing when the installed catalogue does not know.
std::string SourceNote(const ExportJob& job) {
  const bool tide = job.station.kind == StationKind::Tide;
  const StationSource* source =
      ReferenceSource(tide ? 'T' : 'C', tide ? job.station.tide.referenceId : job.station.current.referenceId);
  if (!source) return std::string();
  std::string note = "  Data: " + SourceLabel(*source) + ", " + LicenceName(source->licence);
  if (IsNonCommercial(*source)) note += ", not for commercial use";
  return note;
}

// The datum of the heights, "heights above MSL"; empty for a current station or a datum
// not known.
std::string DatumNote(const ExportJob& job) {
  if (job.station.kind != StationKind::Tide) return std::string();
  const std::string datum = ShownDatumName(job.station.tide);
  return datum.empty() ? std::string() : "heights above " + datum;
}

std::string PositionText(const ExportJob& job) {
  const bool tide = job.station.kind == StationKind::Tide;
  const TideLocation& t = job.station.tide;
  const CurrentLocation& c = job.station.current;
  const int latDegrees = tide ? t.latDegrees : c.latDegrees;
  if (latDegrees == 0) return StringText(text::kNoPositionDefined);
  if (tide) {
    return CoordinateText(t.latDegrees, t.latMinutes, t.latSeconds, t.latHemisphere) + " " +
           CoordinateText(t.lonDegrees, t.lonMinutes, t.lonSeconds, t.lonHemisphere);
  }
  return CoordinateText(c.latDegrees, c.latMinutes, c.latSeconds, c.latHemisphere) + " " +
         CoordinateText(c.lonDegrees, c.lonMinutes, c.lonSeconds, c.lonHemisphere);
}

}  // namespace

int IntervalMinutesAt(int position) {
  return position >= 0 && position < kIntervalCount ? kIntervals[position] : 30;
}

int IntervalPosition(int minutes) {
  for (int i = 0; i < kIntervalCount; ++i) {
    if (kIntervals[i] == minutes) return i;
  }
  return 5;  // 30 minutes
}

const char* MoonQuarterText(double before, double day, double after) {
  const double d = std::fmod(day - before + 360.0, 360.0);
  const double g = std::fmod(day - 0.875 * d + 360.0, 360.0);
  const double e = std::fmod(after - day + 360.0, 360.0);
  const double f = std::fmod(day + 0.125 * e + 360.0, 360.0);
  if ((g <= 0 && f >= 0) || (g > 340 && f <= 18)) return "NM";
  if (g <= 90 && f >= 90) return "1Q";
  if (g <= 180 && f >= 180) return "FM";
  if (g <= 270 && f >= 270) return "3Q";
  return "";
}

std::string RiseSetText(const SkyDay& sky, SkyEventKind kind, TimeType clock) {
  const bool sun = kind == SkyEventKind::Sunrise || kind == SkyEventKind::Sunset;
  if ((sun ? sky.sun : sky.moon) != RiseSetDay::Events) return "--:--";
  for (const SkyEvent& e : sky.events) {
    if (e.kind != kind) continue;
    const uint32_t ofDay = e.at.shown % kMinutesPerDay;
    return TimeText(static_cast<int>(ofDay / 60), static_cast<int>(ofDay % 60), clock);
  }
  return "--:--";
}

std::string ExportHeader(const ExportJob& job) {
  char line[256];
  std::snprintf(line, sizeof line, "%-50s %s", StationDescription(job).c_str(), PositionText(job).c_str());
  std::string header = line + SourceNote(job) + job.recordDelimiter;
  header += FormatString(text::kFromTo, ExportDateText(job.rangeStart, job.dateFormat).c_str(),
                         ExportDateText(job.rangeEnd, job.dateFormat).c_str());
  const std::string datum = DatumNote(job);
  if (!datum.empty()) header += "; " + datum;
  header += job.recordDelimiter;
  return header;
}

void PrepareExportTable(ResultsTable& table, const ExportJob& job, QColor columnColour) {
  const bool tide = job.station.kind == StationKind::Tide;
  std::string description;
  if (job.intervalMinutes <= 0) {
    description = StringText(tide ? text::kTideExtremesDescription : text::kCurrentEventsDescription);
  } else if (job.intervalMinutes == 1) {
    description = StringText(tide ? text::kTideEveryMinute : text::kCurrentEveryMinute);
  } else {
    description = FormatString(tide ? text::kTideEveryMinutes : text::kCurrentEveryMinutes, job.intervalMinutes);
  }
  // The datum follows the name, so that the title of a saved table (DIF, SYLK) has it.
  const std::string datum = DatumNote(job);
  table.SetHeadings({StringText(text::kDataExportHeading), datum.empty() ? job.locationName : job.locationName + " (" + datum + ")",
                     FormatString(text::kFromTo, ExportDateText(job.rangeStart, job.dateFormat).c_str(),
                                  ExportDateText(job.rangeEnd, job.dateFormat).c_str()),
                     description});
  table.SetWindowTitle(std::string(StringText(text::kDataExportHeading)) + " " + job.locationName);
  std::vector<ResultsTable::Column> columns;
  for (int id : ExpandedColumns(job.targetFields, job.repeatCount)) {
    columns.push_back({ExportFieldTitle(id), 90, columnColour});
  }
  table.SetColumns(std::move(columns));
}

ExportOutcome WriteExport(const ExportJob& job, ByteSink* target, ResultsTable* table, SearchProgress& progress) {
  // Records go to the target in blocks, not one write per record.
  std::optional<BlockSink> blocks;
  if (target) target = &blocks.emplace(*target);
  RecordSink sink;
  sink.target = target;
  sink.table = table;
  if (table) {
    table->ClearRows();
    table->BeginBulk();
    sink.row = table->AppendRow();
  }
  if (target && job.includeHeader && job.destination != kExportToTable) {
    if (!target->WriteBytes(ExportHeader(job))) sink.outputFailed = true;
  }
  progress.Status(1, StringText(text::kExporting));
  const bool needSky = NeedsSunOrMoon(job.targetFields);
  const ExportDateFormat statusFormat{DateOrder::MDY, MonthForm::TwoDigits, "/", DayForm::TwoDigits, "/",
                                      YearForm::Full};
  ExportOutcome outcome = ExportOutcome::Completed;
  ExportDay day;
  for (EngineMinute d = job.rangeStart; d <= job.rangeEnd && !sink.outputFailed; d += kMinutesPerDay) {
    if (progress.Pump()) {
      outcome = ExportOutcome::Cancelled;
      break;
    }
    progress.Status(2, ExportDateText(d, statusFormat));
    if (!CollectDay(job, d, needSky, day)) {
      outcome = ExportOutcome::EngineFailed;
      break;
    }
    WriteDayRecords(job, day, sink);
  }
  // A cancelled or failed export keeps what it wrote, as far as it got.
  if (blocks && !blocks->Flush()) sink.outputFailed = true;
  if (sink.outputFailed) outcome = ExportOutcome::OutputFailed;
  if (table) {
    if (table->rows() > 0 && table->RowEmpty(table->rows() - 1)) table->RemoveRow(table->rows() - 1);
    table->EndBulk();
  }
  progress.Status(1, "");
  progress.Status(2, "");
  return outcome;
}

std::vector<std::string> ExportDayRecords(const ExportJob& job, EngineMinute day) {
  std::vector<std::string> records;
  RecordSink sink;
  sink.collected = &records;
  ExportDay data;
  if (!CollectDay(job, day, NeedsSunOrMoon(job.targetFields), data)) return records;
  WriteDayRecords(job, data, sink);
  return records;
}

}  // namespace qw
