#include "engine/station_clock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "engine/calendar.h"
#include "engine/engine_settings.h"
#include "engine/station_sources.h"
#include "engine/time_zone.h"
#include "engine/zone_rules.h"

namespace qw {
namespace {

// 1970-01-01 00:00 as minutes since 1900-01-01 00:00.
constexpr int64_t kUnixEpochMinute = 25567LL * kMinutesPerDay;
// A fixed clock's one period reaches this far either side.
constexpr int64_t kForever = int64_t{1} << 40;
// How far the shown time may lie from the standard time: every offset in the database
// is within a day of the record's meridian (Samoa, 2011: 23 hours).
constexpr int64_t kShownSearchMinutes = 2LL * kMinutesPerDay;

int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

EngineMinute ToEngineMinute(int64_t minute) {
  return static_cast<EngineMinute>(std::clamp<int64_t>(minute, 0, UINT32_MAX));
}

}  // namespace

StationClock::StationClock(int16_t timeMeridian, uint8_t dstClass, std::string_view zoneName)
    : meridianMinutes_(MeridianOffsetMinutes(timeMeridian)), timeMeridian_(timeMeridian), dstClass_(dstClass) {
  const EngineSettings& settings = Settings();
  daylightSavings_ = settings.daylightSavings;
  intlMinutes_ = settings.intlDaylightMinutes;
  if (settings.useGmtCorrection == kGmtStationMeridian) {
    basis_ = ClockBasis::Gmt;
    gmtOffsetMinutes_ = 0;
  } else if (settings.useGmtCorrection == kGmtFixedOffset) {
    basis_ = ClockBasis::Gmt;
    gmtOffsetMinutes_ = meridianMinutes_ - GmtCorrectionMinutes(timeMeridian);
  } else if (!zoneName.empty() && (zone_ = ZoneRules::Find(zoneName))) {
    basis_ = ClockBasis::Zone;
  }
}

StationClock StationClock::Of(const TideLocation& station, std::string_view zoneName) {
  return StationClock(station.timeMeridian, station.observesDst, zoneName);
}

StationClock StationClock::Of(const CurrentLocation& station, std::string_view zoneName) {
  return StationClock(station.timeMeridian, station.observesDst != 0 ? kDstNorthAmerican : kDstNone, zoneName);
}

const std::string& StationClock::zoneName() const {
  static const std::string kNone;
  return zone_ && basis_ == ClockBasis::Zone ? zone_->name() : kNone;
}

StationClock::Period StationClock::ComputePeriod(int64_t standard) const {
  Period p;
  switch (basis_) {
    case ClockBasis::Gmt:
      return Period{standard - kForever, standard + kForever, gmtOffsetMinutes_, false};
    case ClockBasis::Meridian: {
      // The whole-day rule: the daylight-saving flag of the standard date.
      p.begin = FloorDiv(standard, kMinutesPerDay) * kMinutesPerDay;
      p.end = p.begin + kMinutesPerDay;
      DateRecord date;
      MinuteToDate(ToEngineMinute(p.begin), date);
      int32_t extra = 0;
      if (dstClass_ == kDstNorthAmerican && date.dstFlag != 0 && daylightSavings_) extra = 60;
      if (dstClass_ == kDstInternational) extra = intlMinutes_;
      p.offsetMinutes = meridianMinutes_ + extra;
      p.daylight = extra != 0;
      return p;
    }
    case ClockBasis::Zone: {
      const UnixSeconds unix = (standard - meridianMinutes_ - kUnixEpochMinute) * 60;
      const ZonePeriod zone = zone_->PeriodAt(unix);
      // The standard minutes whose instants lie in [zone.begin, zone.end).
      p.begin = CeilDiv(zone.begin, 60) + kUnixEpochMinute + meridianMinutes_;
      p.end = CeilDiv(zone.end, 60) + kUnixEpochMinute + meridianMinutes_;
      const int32_t winter = zone_->StandardAt(unix).offsetMinutes;
      p.offsetMinutes = daylightSavings_ ? zone.offsetMinutes : winter;
      p.daylight = p.offsetMinutes > winter;
      return p;
    }
  }
  return p;
}

StationClock::Period StationClock::PeriodAt(int64_t standard) const {
  if (!cachedValid_ || standard < cached_.begin || standard >= cached_.end) {
    cached_ = ComputePeriod(standard);
    cachedValid_ = true;
  }
  return cached_;
}

int32_t StationClock::OffsetAt(EngineMinute standard) const { return PeriodAt(standard).offsetMinutes; }

EngineMinute StationClock::ShownAt(EngineMinute standard) const {
  return ToEngineMinute(int64_t{standard} - meridianMinutes_ + OffsetAt(standard));
}

ClockReading StationClock::At(EngineMinute standard) const {
  const int32_t offset = OffsetAt(standard);
  return ClockReading{standard, ToEngineMinute(int64_t{standard} - meridianMinutes_ + offset), offset};
}

bool StationClock::DaylightAt(EngineMinute standard) const { return PeriodAt(standard).daylight; }

std::string StationClock::AbbreviationAt(EngineMinute standard) const {
  switch (basis_) {
    case ClockBasis::Gmt:
      return "GMT";
    case ClockBasis::Zone: {
      const UnixSeconds unix = (int64_t{standard} - meridianMinutes_ - kUnixEpochMinute) * 60;
      return daylightSavings_ ? zone_->PeriodAt(unix).abbreviation : zone_->StandardAt(unix).abbreviation;
    }
    case ClockBasis::Meridian:
      break;
  }
  DateRecord date;
  MinuteToDate(ToEngineMinute(FloorDiv(standard, kMinutesPerDay) * kMinutesPerDay), date);
  return FormatTimeZone(timeMeridian_, date, 'S', dstClass_);
}

EngineMinute StationClock::StandardAt(EngineMinute shown, bool later) const {
  // Every period whose shown times hold `shown` gives one instant; a shown time in no
  // period lies in a gap, whose end is the instant wanted.
  const int64_t wanted = shown;
  const int64_t last = wanted + meridianMinutes_ + kShownSearchMinutes;
  std::optional<int64_t> first, second, gapEnd;
  std::optional<int64_t> previousShownEnd;
  Period p = ComputePeriod(wanted + meridianMinutes_ - kShownSearchMinutes);
  for (;;) {
    const int64_t shift = int64_t{p.offsetMinutes} - meridianMinutes_;
    const int64_t shownBegin = p.begin + shift;
    const int64_t shownEnd = p.end + shift;
    if (wanted >= shownBegin && wanted < shownEnd) {
      const int64_t instant = wanted - shift;
      if (!first) first = instant;
      second = instant;
    } else if (!first && !gapEnd && previousShownEnd && *previousShownEnd <= wanted && shownBegin > wanted) {
      gapEnd = p.begin;
    }
    previousShownEnd = shownEnd;
    if (p.end > last) break;
    p = ComputePeriod(p.end);
  }
  if (first) return ToEngineMinute(later ? *second : *first);
  if (gapEnd) return ToEngineMinute(*gapEnd);
  return ToEngineMinute(wanted + meridianMinutes_ - OffsetAt(ToEngineMinute(wanted + meridianMinutes_)));
}

CivilDaySpan StationClock::Day(EngineMinute shownDate) const {
  CivilDaySpan span;
  span.date = shownDate - shownDate % kMinutesPerDay;
  span.standardStart = StandardAt(span.date);
  span.standardEnd = std::max(span.standardStart, StandardAt(span.date + kMinutesPerDay));
  return span;
}

int64_t StationClock::UtcMinuteOf(EngineMinute standard) const { return int64_t{standard} - meridianMinutes_; }

EngineMinute StationClock::StandardOfUtc(int64_t utcMinute) const {
  return ToEngineMinute(utcMinute + meridianMinutes_);
}

EngineMinute StationClock::DateAt(int64_t unixSeconds) const {
  const EngineMinute shown = ShownAt(StandardOfUtc(FloorDiv(unixSeconds, 60) + kUnixEpochMinute));
  return shown - shown % kMinutesPerDay;
}

EngineMinute StationClock::Today() const { return DateAt(static_cast<int64_t>(std::time(nullptr))); }

std::string ClockZoneName(const StationSources* sources, char kind, int region, int index, uint16_t referenceId,
                          int16_t timeMeridian) {
  if (!sources) return {};
  if (const StationSource* own = sources->Find(kind, region, index)) return own->timeZone;
  if (referenceId == 0) return {};
  const StationSource* reference = sources->FindByStationId(kind, referenceId);
  if (!reference) return {};
  const std::shared_ptr<const ZoneRules> zone = ZoneRules::Find(reference->timeZone);
  if (!zone) return {};
  // The data's meridians are the zones' standard offsets of mid-2025, stored to the
  // half degree (Chatham's +12:45 is kept as +12:46).
  constexpr UnixSeconds kMeridianEpoch = 1752580800;  // 2025-07-15 12:00 UTC
  const int32_t standard = zone->StandardAt(kMeridianEpoch).offsetMinutes;
  return std::abs(standard - MeridianOffsetMinutes(timeMeridian)) <= 1 ? reference->timeZone : std::string();
}

std::string FormatUtcOffset(int32_t minutes) {
  char text[16];
  const int magnitude = std::abs(minutes);
  std::snprintf(text, sizeof text, "%c%02d:%02d", minutes < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
  return text;
}

}  // namespace qw
