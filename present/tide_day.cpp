#include "present/tide_day.h"

#include "engine/held_data.h"
#include "engine/tide_corrections.h"

namespace qw {

StationNotice TideNoticeOf(const TideLocation& station) {
  if (station.referenceId == 0 || station.stationId == 0) return StationNotice::NotPredictable;
  const bool allMissing = station.highTimeOffset == kNotGiven16 && station.highHeightDiff == kNotGiven16 &&
                          station.lowTimeOffset == kNotGiven16 && station.lowHeightDiff == kNotGiven16;
  if (allMissing) return StationNotice::NoCorrections;
  if (TideValueNotDefined(station)) return StationNotice::Incomplete;
  return StationNotice::None;
}

int32_t TideHeightAt(const TideLocation& station, EngineMinute minute) {
  if (TideNoticeOf(station) == StationNotice::NotPredictable) return kValueNotDefined;
  DateRecord date;
  MinuteToDate(minute, date);
  return PredictTideShown(station, minute, 0, date.dstFlag).height;
}

TideDay ComputeTideDay(const TideLocation& station, EngineMinute day, const DayParts& parts) {
  TideDay result;
  result.day = day - day % kMinutesPerDay;
  MinuteToDate(result.day, result.date);
  result.halfHour.fill(kValueNotDefined);
  const StationPlace place = PlaceOf(station);
  if (parts.sun) result.sun = SunRiseSet(result.day, place);
  if (parts.moon) result.moon = FindNextPhase(place, result.day);
  if (TideNoticeOf(station) == StationNotice::NotPredictable) return result;

  TideDayExtremes extremes{};
  int32_t maximum = 0, minimum = 0;
  if (FindTideDayExtremes(station, result.day, extremes, maximum, minimum) != 0) {
    // The failure has been reported once; asking for the curve would report it again
    // for every point.
    return result;
  }
  result.extremesFound = true;
  result.maximum = maximum;
  result.minimum = minimum;
  for (const TideExtreme& extreme : extremes) {
    if (extreme.time == 0) break;
    result.extremes.push_back(extreme);
  }
  result.referenceName = HeldTideRecordName();

  const int flag = result.date.dstFlag;
  DaySamples samples = SampleDay(result.day, parts.curve, [&](EngineMinute minute) {
    return PredictTideShown(station, minute, 0, flag).height;
  });
  result.halfHour = samples.halfHour;
  result.fine = std::move(samples.fine);
  return result;
}

}  // namespace qw
