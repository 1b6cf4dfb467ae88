#include "present/current_day.h"

#include "engine/current_harmonics.h"

namespace qw {
namespace {

bool Given(int16_t value) { return value != kNotGiven16; }

// Stations whose values the engine is not asked for.
bool NotComputed(StationNotice notice) {
  return notice == StationNotice::NotPredictable || notice == StationNotice::NoCorrections ||
         notice == StationNotice::WeakAndVariable;
}

}  // namespace

StationNotice CurrentNoticeOf(const CurrentLocation& station) {
  if (station.referenceId == 0 || station.stationId == 0) return StationNotice::NotPredictable;
  if (station.stationKind == kCurrentKindWeakVariable) return StationNotice::WeakAndVariable;
  if (station.stationKind == kCurrentKindRotary || !IsSubordinateCurrent(station)) return StationNotice::None;
  const int times = Given(station.slackBeforeFloodTime) + Given(station.floodTime) + Given(station.slackBeforeEbbTime) +
                    Given(station.ebbTime);
  if (times == 0) return StationNotice::NoCorrections;
  if (times < 4 || !Given(station.floodSpeedRatio) || !Given(station.ebbSpeedRatio)) return StationNotice::Incomplete;
  return StationNotice::None;
}

MinuteValue CurrentValueAt(const CurrentLocation& station, EngineMinute minute) {
  if (NotComputed(CurrentNoticeOf(station))) return MinuteValue{};
  DateRecord date;
  MinuteToDate(minute, date);
  const CurrentEvent current = PredictCurrentShown(station, minute, 0, date.dstFlag);
  MinuteValue value;
  value.value = current.speed;
  value.direction = current.direction;
  return value;
}

CurrentDay ComputeCurrentDay(const CurrentLocation& station, EngineMinute day, const DayParts& parts) {
  CurrentDay result;
  result.day = day - day % kMinutesPerDay;
  MinuteToDate(result.day, result.date);
  result.halfHour.fill(kValueNotDefined);
  const StationPlace place = PlaceOf(station);
  if (parts.sun) result.sun = SunRiseSet(result.day, place);
  if (parts.moon) result.moon = FindNextPhase(place, result.day);
  if (NotComputed(CurrentNoticeOf(station))) return result;

  CurrentDayEvents events{};
  int32_t maximum = 0, minimum = 0;
  if (FindCurrentDayEvents(station, result.day, events, maximum, minimum) != 0) {
    // Reported once; asking for the curve would report it again for every point.
    return result;
  }
  result.eventsFound = true;
  result.maximum = maximum;
  result.minimum = minimum;
  for (const CurrentEvent& event : events) {
    if (event.time == 0) break;
    result.events.push_back(event);
  }
  // The day's search has loaded the reference station's harmonic file.
  if (IsSubordinateCurrent(station) && station.stationKind != kCurrentKindRotary) {
    result.referenceName = HeldCurrentFileName();
  }

  const int flag = result.date.dstFlag;
  DaySamples samples = SampleDay(result.day, parts.curve, [&](EngineMinute minute) {
    return PredictCurrentShown(station, minute, 0, flag).speed;
  });
  result.halfHour = samples.halfHour;
  result.fine = std::move(samples.fine);
  return result;
}

}  // namespace qw
