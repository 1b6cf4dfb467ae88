#include "present/tide_day.h"

#include "engine/held_data.h"
#include "engine/tide_corrections.h"
#include "engine/tide_prediction.h"

namespace qw {

StationNotice TideNoticeOf(const TideLocation& station) {
  if (station.referenceId == 0 || station.stationId == 0) return StationNotice::NotPredictable;
  const bool allMissing = station.highTimeOffset == kNotGiven16 && station.highHeightDiff == kNotGiven16 &&
                          station.lowTimeOffset == kNotGiven16 && station.lowHeightDiff == kNotGiven16;
  if (allMissing) return StationNotice::NoCorrections;
  if (TideValueNotDefined(station)) return StationNotice::Incomplete;
  return StationNotice::None;
}

int32_t TideHeightAt(const TideLocation& station, EngineMinute standard) {
  if (TideNoticeOf(station) == StationNotice::NotPredictable) return kValueNotDefined;
  return PredictTide(station, standard, 0).height;
}

TideDay ComputeTideDay(const TideLocation& station, const StationClock& clock, EngineMinute day,
                       const DayParts& parts) {
  TideDay result;
  result.span = clock.Day(day);
  result.day = result.span.date;
  MinuteToDate(result.day, result.date);
  result.halfHour.assign(result.span.Minutes() / 30, kValueNotDefined);
  if (parts.sun || parts.moon) {
    result.sky = FindSkyDay(PlaceOf(station), clock, result.day);
    result.skyAsked = true;
  }
  if (TideNoticeOf(station) == StationNotice::NotPredictable) return result;

  TideDayList list = FindTideDay(station, clock, result.day);
  if (list.status != 0) {
    // The failure has been reported once; asking for the curve would report it again
    // for every point.
    return result;
  }
  result.extremesFound = true;
  result.maximum = list.maximum;
  result.minimum = list.minimum;
  result.extremes = std::move(list.events);
  result.referenceName = HeldTideRecordName();

  DaySamples samples = SampleDay(result.span.standardStart, result.span.Minutes(), parts.curve,
                                 [&](EngineMinute standard) { return PredictTide(station, standard, 0).height; });
  result.halfHour = std::move(samples.halfHour);
  result.fine = std::move(samples.fine);
  return result;
}

}  // namespace qw
