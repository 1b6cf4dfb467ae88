#include "present/current_day.h"

#include "engine/current_harmonics.h"
#include "engine/current_prediction.h"

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

MinuteValue CurrentValueAt(const CurrentLocation& station, EngineMinute standard) {
  if (NotComputed(CurrentNoticeOf(station))) return MinuteValue{};
  const CurrentEvent current = PredictCurrent(station, standard, 0);
  MinuteValue value;
  value.value = current.speed;
  value.direction = current.direction;
  return value;
}

CurrentDay ComputeCurrentDay(const CurrentLocation& station, const StationClock& clock, EngineMinute day,
                             const DayParts& parts) {
  CurrentDay result;
  result.span = clock.Day(day);
  result.day = result.span.date;
  MinuteToDate(result.day, result.date);
  result.halfHour.assign(result.span.Minutes() / 30, kValueNotDefined);
  if (parts.sun || parts.moon) {
    result.sky = FindSkyDay(PlaceOf(station), clock, result.day);
    result.skyAsked = true;
  }
  if (NotComputed(CurrentNoticeOf(station))) return result;

  CurrentDayList list = FindCurrentDay(station, clock, result.day);
  if (list.status != 0) {
    // Reported once; asking for the curve would report it again for every point.
    return result;
  }
  result.eventsFound = true;
  result.maximum = list.maxSpeed;
  result.minimum = list.minSpeed;
  result.events = std::move(list.events);
  // The day's search has loaded the reference station's harmonic file.
  if (IsSubordinateCurrent(station) && station.stationKind != kCurrentKindRotary) {
    result.referenceName = HeldCurrentFileName();
  }

  DaySamples samples = SampleDay(result.span.standardStart, result.span.Minutes(), parts.curve,
                                 [&](EngineMinute standard) { return PredictCurrent(station, standard, 0).speed; });
  result.halfHour = std::move(samples.halfHour);
  result.fine = std::move(samples.fine);
  return result;
}

}  // namespace qw
