#include "search/event_search_run.h"

#include "engine/calendar.h"
#include "engine/string_table.h"
#include "search/search_texts.h"

namespace qw {
namespace {

constexpr int kTideKinds[] = {kSearchHighTides, kSearchLowTides, kSearchTidalSwings, kSearchTideValues};
constexpr int kCurrentKinds[] = {kSearchFloodCurrents, kSearchEbbCurrents, kSearchSlackWater,
                                 kSearchCurrentSwings, kSearchCurrentValues};

bool ListsSpans(int kindNumber) { return IsSpanSearchKind(kindNumber); }

const char* UnitWord(int kindNumber, const ValueUnits& units) {
  if (kindNumber == kSearchSlackWater) return StringText(text::kUnitWordMinutes);
  if (IsCurrentSearchKind(kindNumber)) {
    return StringText(units.current == CurrentUnit::MetresPerSecond ? text::kUnitWordMetersPerSec
                                                                    : text::kUnitWordKnots);
  }
  switch (units.tide) {
    case TideUnit::Centimetres: return StringText(text::kUnitWordCm);
    case TideUnit::Metres: return StringText(text::kUnitWordM);
    default: return StringText(text::kUnitWordFeet);
  }
}

std::string ValueCell(int kindNumber, int32_t value, const ValueUnits& units) {
  if (kindNumber == kSearchSlackWater) return FormatString(text::kSlackMinutesValue, static_cast<int>(value));
  if (IsCurrentSearchKind(kindNumber)) return SpeedText(MicroKnots(value), kValueTextUnit, units.current);
  return HeightText(MicroFeet(value), kValueTextUnit, units.tide);
}

}  // namespace

int SearchKindCount(StationKind kind) {
  return kind == StationKind::Tide ? static_cast<int>(std::size(kTideKinds))
                                   : static_cast<int>(std::size(kCurrentKinds));
}

const char* SearchKindText(StationKind kind, int position) {
  if (position < 0 || position >= SearchKindCount(kind)) return "";
  return StringText((kind == StationKind::Tide ? text::kTideKindTexts : text::kCurrentKindTexts) + position);
}

int SearchKindNumber(StationKind kind, int position) {
  if (position < 0 || position >= SearchKindCount(kind)) return -1;
  return kind == StationKind::Tide ? kTideKinds[position] : kCurrentKinds[position];
}

const char* ConditionText(int position) {
  return position >= 0 && position < kConditionCount ? StringText(text::kConditionTexts + position) : "";
}

const char* PeriodText(int position) {
  return position >= 0 && position < kPeriodCount ? StringText(text::kPeriodTexts + position) : "";
}

int ConditionCountFor(int kindNumber) {
  return kindNumber == kSearchTideValues || kindNumber == kSearchCurrentValues ? 2 : kConditionCount;
}

const char* ValueUnitLabel(int kindNumber, const ValueUnits& units) {
  if (kindNumber == kSearchSlackWater) return StringText(text::kUnitLabelMinutes);
  if (IsCurrentSearchKind(kindNumber)) {
    return StringText(units.current == CurrentUnit::MetresPerSecond ? text::kUnitLabelMetersPerSec
                                                                    : text::kUnitLabelKnots);
  }
  switch (units.tide) {
    case TideUnit::Centimetres: return StringText(text::kUnitLabelCentimeters);
    case TideUnit::Metres: return StringText(text::kUnitLabelMeters);
    default: return StringText(text::kUnitLabelFeet);
  }
}

bool PlanEventSearch(const EventSearchSettings& settings, const ValueUnits& units, EventSearchPlan& plan,
                     SearchRefusal& refusal) {
  if (settings.rangeEnd / kMinutesPerDay < settings.rangeStart / kMinutesPerDay) {
    refusal = {text::kEndDateBeforeStart, text::kDateErrorCaption};
    return false;
  }
  if (settings.timeOfDayOn && settings.endTime < settings.startTime) {
    refusal = {text::kEndTimeBeforeStart, text::kTimeErrorCaption};
    return false;
  }
  const int kind = SearchKindNumber(settings.stationKind, settings.kindPosition);
  if (kind < 0) {
    refusal = {text::kInvalidSearchType, text::kInformationCaption};
    return false;
  }
  if (settings.conditionPosition < 0 || settings.conditionPosition >= ConditionCountFor(kind)) {
    refusal = {text::kInvalidSubSearchType, text::kInformationCaption};
    return false;
  }
  const int period = settings.conditionPosition >= kConditionGreatest ? settings.periodPosition : 0;
  if (period < 0 || period >= kPeriodCount) {
    refusal = {text::kInvalidSubSearchType, text::kInformationCaption};
    return false;
  }
  // "At least" and "at most" compare with the typed value: an empty box is not 0.
  if (settings.conditionPosition < kConditionGreatest && !settings.thresholdGiven) {
    refusal = {text::kValueMissing, text::kEventSearchErrorCaption};
    return false;
  }
  plan.code = MakeSearchCode(kind, settings.conditionPosition, period);
  plan.threshold = SearchThreshold(settings.threshold, kind, units.tide, units.current);
  plan.rangeStart = settings.rangeStart / kMinutesPerDay * kMinutesPerDay;
  plan.rangeEnd = settings.rangeEnd / kMinutesPerDay * kMinutesPerDay + 23 * 60 + 59;
  plan.dayStart = settings.timeOfDayOn ? settings.startTime : 0;
  plan.dayEnd = settings.timeOfDayOn ? settings.endTime : 23 * 60 + 59;
  plan.weekdayMask = settings.weekdayOn ? settings.weekdayBits : kAllWeekdays;
  return true;
}

void PrepareEventResults(ResultsTable& table) {
  table.SetWindowTitle(StringText(text::kEventResultsEmptyTitle));
  table.SetHeadings({StringText(text::kPressSearchToBegin), "", "", ""});
}

bool RunEventSearch(const SearchStation& station, const EventSearchPlan& plan, ResultsTable& table,
                    SearchProgress& progress, const ValueUnits& units, QColor background) {
  const int kind = SearchKindOf(plan.code);
  table.SetHeadings({StringText(text::kSearching), "", "", ""});
  std::vector<ResultsTable::Column> columns;
  if (ListsSpans(kind)) {
    columns = {{StringText(text::kStartTimeColumn), 170, background},
               {StringText(text::kEndTimeColumn), 170, background},
               {StringText(text::kDurationColumn), 150, background},
               {StringText(text::kValueColumn), 90, background}};
  } else {
    columns = {{StringText(text::kEventTimeColumn), 170, background},
               {StringText(text::kValueColumn), 90, background}};
  }
  table.SetColumns(std::move(columns));
  progress.Status(1, "");
  progress.Status(2, "");

  EngineMinute resume = 0;
  bool stopped = false;
  for (;;) {
    progress.Status(1, StringText(text::kSearching));
    if (progress.Pump()) {
      stopped = true;
      break;
    }
    const std::optional<EventHit> hit = FindNextEvent(station, plan, resume, progress);
    if (!hit) {
      // FindNextEvent returns nothing on a stop too; the flag tells the two apart.
      stopped = progress.StopRequested();
      break;
    }
    AddEventHitRow(table, kind, *hit, units);
  }
  progress.Status(1, "");
  progress.Status(2, "");
  return !stopped;
}

void AddEventHitRow(ResultsTable& table, int kindNumber, const EventHit& hit, const ValueUnits& units) {
  const int row = table.AppendRow(hit);
  if (ListsSpans(kindNumber)) {
    table.SetCell(row, 0, EventTimeText(hit.start, hit.startOffset, units.clock));
    table.SetCell(row, 1, EventTimeText(hit.end, hit.endOffset, units.clock));
    // Real minutes, also across a change of the clocks.
    table.SetCell(row, 2, DurationText((int64_t{hit.end} - hit.endOffset) - (int64_t{hit.start} - hit.startOffset)));
    table.SetCell(row, 3, ValueCell(kindNumber, hit.value, units));
  } else {
    table.SetCell(row, 0, EventTimeText(hit.start, hit.startOffset, units.clock));
    table.SetCell(row, 1, ValueCell(kindNumber, hit.value, units));
  }
}

void FinishEventSearch(ResultsTable& table, const EventSearchSettings& settings, const ValueUnits& units,
                       const std::string& datum) {
  table.SetWindowTitle(FormatString(text::kEventSearchForTitle, settings.locationName.c_str()));
  const int kind = SearchKindNumber(settings.stationKind, settings.kindPosition);
  const int startTime = settings.timeOfDayOn ? settings.startTime : 0;
  const int endTime = settings.timeOfDayOn ? settings.endTime : 23 * 60 + 59;
  const std::string range = FormatString(
      text::kEventRangeLine, LongDateText(settings.rangeStart).c_str(), LongDateText(settings.rangeEnd).c_str(),
      TimeText(startTime / 60, startTime % 60, units.clock).c_str(),
      TimeText(endTime / 60, endTime % 60, units.clock).c_str());
  std::string description = std::string(SearchKindText(settings.stationKind, settings.kindPosition)) + " " +
                            ConditionText(settings.conditionPosition) + " ";
  if (settings.conditionPosition >= kConditionGreatest) {
    description += PeriodText(settings.periodPosition);
  } else {
    description += settings.valueText + " " + UnitWord(kind, units);
  }
  if (!datum.empty() && settings.stationKind == StationKind::Tide) description += ", heights above " + datum;
  table.SetHeadings({StringText(text::kSearchedForEventAt), settings.locationName, range, description});
}

}  // namespace qw
