#include "windows/tide_day.h"

#include "engine/held_data.h"
#include "engine/tide_corrections.h"

namespace qw {

TideNotice TideNoticeOf(const TideLocation& station) {
  if (station.referenceId == 0 || station.stationId == 0) return TideNotice::NotPredictable;
  const bool allMissing = station.highTimeOffset == kNotGiven16 && station.highHeightDiff == kNotGiven16 &&
                          station.lowTimeOffset == kNotGiven16 && station.lowHeightDiff == kNotGiven16;
  if (allMissing) return TideNotice::NoCorrections;
  if (TideValueNotDefined(station)) return TideNotice::Incomplete;
  return TideNotice::None;
}

StationPlace TidePlace(const TideLocation& station) { return PlaceOf(station); }

int32_t TideHeightAt(const TideLocation& station, EngineMinute minute) {
  if (TideNoticeOf(station) == TideNotice::NotPredictable) return kValueNotDefined;
  DateRecord date;
  MinuteToDate(minute, date);
  EngineMinute asked = minute;
  return PredictTide(station, asked, 0, date.dstFlag);
}

TideDay ComputeTideDay(const TideLocation& station, EngineMinute day, const TideDayParts& parts) {
  TideDay result;
  result.day = day - day % kMinutesPerDay;
  MinuteToDate(result.day, result.date);
  result.halfHour.fill(kValueNotDefined);
  const StationPlace place = TidePlace(station);
  if (parts.sun) result.sun = SunRiseSet(result.day, place);
  if (parts.moon) result.moon = FindNextPhase(place, result.day);
  if (TideNoticeOf(station) == TideNotice::NotPredictable) return result;

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
  bool failed = false;
  auto height = [&](int minuteOfDay) {
    if (failed) return kValueNotDefined;  // one message is enough
    EngineMinute minute = result.day + static_cast<EngineMinute>(minuteOfDay);
    const int32_t value = PredictTide(station, minute, 0, flag);
    failed = value == kValueFailed;
    return failed ? kValueNotDefined : value;
  };
  if (parts.curve) {
    for (int m = 0; m <= static_cast<int>(kMinutesPerDay); m += kFineStepMinutes) {
      result.fine.push_back(height(std::min(m, static_cast<int>(kMinutesPerDay) - 1)));
    }
    // Every third fine value is a half-hour value.
    for (size_t i = 0; i < result.halfHour.size(); ++i) result.halfHour[i] = result.fine[i * 3];
  } else {
    for (size_t i = 0; i < result.halfHour.size(); ++i) result.halfHour[i] = height(static_cast<int>(i) * 30);
  }
  return result;
}

}  // namespace qw
